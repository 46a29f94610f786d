// SPDX-License-Identifier: MIT
#pragma once

// The game's timing, written once: the chains of steps a match runs, each
// step with the name the step clock reports and how long after the step
// before it (or after the player's card) it runs. The runner plays by it;
// the tests and the benchmarks read it.
namespace chains {

struct Step {
    const char* name;
    int delayMs;
};

// The chains of one kind of match.
struct Schedule {
    // The "Game Start" message cleared before the first banner, when it is.
    Step gameStartCleared;
    Step firstRound;
    Step firstPrize;
    // The chosen cards go on the table, when no player is choosing one.
    Step play;
    Step reveal;
    Step judge;
    Step clear;
    Step nextRound;
    Step prize;
    // Once the rounds are over, in the next round's place; in a match
    // against the computer the table is set for the next match beneath the
    // result lines.
    Step endOfRounds;
    bool resetBeneathResult;
};

// A match against the computer. The round waits for the player's card, and
// the delays from it on are counted from that card.
inline constexpr Schedule kHumanMatch = {
    {"Start_game_timer", 1500},    // "Game Start" cleared
    {"Start_game_timer2", 1500},   // round 1's banner, its sound
    {"Start_game_timer3", 3000},   // the first prize up; the player may play
    {nullptr, 0},                  // the cards go down as the player plays: the club up, the spade down
    {"Open_card_timer", 3000},     // the computer's card turned up
    {"Open_card_timer2", 1500},    // the round judged
    {"Open_card_timer3", 1500},    // both cards and the verdict cleared
    {"Open_card_timer4", 1500},    // the next round's banner, its sound
    {"Open_card_timer5", 3000},    // its prize up; the player may play
    {"End_game_auto_timer", 1500}, // after the last round: the table reset beneath the result
    true,
};

// The watching mode: 10700 ms a round.
inline constexpr Schedule kWatchingMatch = {
    {nullptr, 0},                  // "Game Start" stays up until the banner
    {"watchmode_timer2", 1500},    // round 1's banner, its sound
    {"watchmode_timer3", 3200},    // the prize up
    {"watchmode_timer4", 1500},    // both cards played face down
    {"watchmode_timer5", 1500},    // both turned up
    {"watchmode_timer6", 1500},    // the round judged
    {"watchmode_timer", 1500},     // both cards and the verdict cleared
    {"watchmode_timer2", 1500},    // the next round's banner, its sound
    {"watchmode_timer3", 3200},    // its prize up
    {"End_game_auto_timer", 1500}, // after the last round: the final score stays up
    false,
};

// Equal cards, from the verdict "This is tie".
inline constexpr Step kNoCount = {"tie_no_count_timer", 1500};    // "No Count"
inline constexpr Step kTiedCards = {"tie_no_count_timer2", 1500}; // the cards back, the same banner
inline constexpr Step kTiedPrize = {"tie_no_count_timer3", 1500}; // the same prize offered again
// The end, from the last verdict.
inline constexpr Step kResult = {"Open_show_result_timer", 1500};      // the result lines up
inline constexpr Step kFirstScreen = {"Return_First_Screen_timer", 3500}; // the lines down, the table reset

} // namespace chains
