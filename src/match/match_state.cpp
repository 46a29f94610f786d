// SPDX-License-Identifier: MIT
#include "match_state.h"

rules::Order buf_daiya = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
rules::Order buf_spade = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
int N = 0;
int Round_count = 0;
int tie_flag = 0;
std::array<int, 14> open_button = {};
int open_count = 0;
std::array<int, 14> button_count = {};
std::array<int, 14> buf_spade_save = {};
