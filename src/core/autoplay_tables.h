// SPDX-License-Identifier: MIT
#pragma once

#include "core/rules.h"

// The two fixed hands of the watching mode: in round r the spade
// buf_auto_spade[r-1] meets the club buf_auto_club[r-1]. No round pairs equal
// cards, so the mode never ties; with the prizes in the order 1..13 the clubs
// win 53 to 48.
constexpr rules::Order buf_auto_spade = {2, 1, 5, 7, 9, 4, 3, 8, 13, 10, 11, 12, 6};
constexpr rules::Order buf_auto_club = {13, 4, 10, 3, 1, 5, 7, 2, 6, 8, 12, 9, 11};
