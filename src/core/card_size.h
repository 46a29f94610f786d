// SPDX-License-Identifier: MIT
#pragma once

// One size for every card image and every card place on the table, chosen so
// that five full rows of thirteen cards, the score, message and result lines
// and the card buttons fit the fixed 640 x 480 window.
namespace card_size {
constexpr int kWidth = 38;
constexpr int kHeight = 53;
} // namespace card_size
