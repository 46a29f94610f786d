// SPDX-License-Identifier: MIT
#pragma once

#include "rules.h"

#include <array>

// The state of the match in progress, one set per process. The window's
// match steps read and write it; the watching mode shares the prize order,
// the round number and the tie flag.

// Prize order: buf_daiya[i] is the prize turned up when N == i.
extern rules::Order buf_daiya;
// The computer's order: buf_spade[i] is the card it plays when N == i.
extern rules::Order buf_spade;
// Rounds decided in this match.
extern int N;
// Round number shown: 0 before the first round, 1..13 while playing.
extern int Round_count;
// 1 after a tied round until the next decided one.
extern int tie_flag;
// The player's played cards in play order; open_count entries are in use.
extern std::array<int, 14> open_button;
extern int open_count;
// button_count[v] == v once club v is known to be played.
extern std::array<int, 14> button_count;
// Scratch copy of the computer's remaining cards while a tie is replayed.
extern std::array<int, 14> buf_spade_save;
