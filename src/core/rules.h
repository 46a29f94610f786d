// SPDX-License-Identifier: MIT
#pragma once

#include <array>

// The rules of the game as plain functions: how a deal rearranges an order,
// what a prize is worth, how two cards are judged. They speak in numbers; the
// window puts them into words.
namespace rules {

constexpr int kCards = 13;
// All thirteen prizes together: the ace counts 11, the others their value.
constexpr int kAllPrizePoints = 101;

using Order = std::array<int, kCards>;
using Draw = std::array<int, 6>;
// Which of the thirteen cards of a suit are in a set: [v - 1] for card v.
using Cards = std::array<bool, kCards>;

constexpr bool isCard(int v) { return v >= 1 && v <= kCards; }
// A place in an order: 0..12.
constexpr bool isPosition(int p) { return p >= 0 && p < kCards; }

// Exchanges order[draw[i]] and order[draw[j]] for the fifteen pairs i < j in
// ascending order, skipping pairs that name the same position. Each exchange
// acts on what the previous one left. Positions outside 0..12 are skipped.
void shufflePass(Order& order, const Draw& draw);

// Points of a prize card: 11 for the ace, the face value for 2..13, 0 for
// anything that is not a card.
int prizePoints(int v);

enum class Verdict { ComputerWins, PlayerWins, Tie };
// x is the computer's (spade) card, y the player's (club) card.
Verdict judge(int x, int y);

enum class Suit { Diamonds, Spades, Clubs };

} // namespace rules
