// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <array>

// The rules of the game as plain functions: how a deal rearranges an order,
// what a prize is worth, how two cards are judged, and the texts that report
// a round and a match. Nothing here touches a widget, so the tests call these
// directly and the window only wires them to its labels.
namespace rules {

constexpr int kCards = 13;
// All thirteen prizes together: the ace counts 11, the others their value.
constexpr int kAllPrizePoints = 101;

using Order = std::array<int, kCards>;
using Draw = std::array<int, 6>;

constexpr bool isCard(int v) { return v >= 1 && v <= kCards; }

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

QString scoreLine(int round, int cpu, int user, int ties);
QString bannerText(int round);
// "You Win", "You Lose" or "This is tie", as the message line shows them.
QString verdictText(Verdict verdict);

struct ResultLines {
    QString first;
    QString second;
};
// The winner's line first; equal totals (a last prize left unawarded) rank
// both sides first, the computer above.
ResultLines resultLines(int cpu, int user);

enum class Suit { Diamonds, Spades, Clubs };

QString cardImagePath(Suit suit, int v);
QString cardBackPath();
// The image of a card drawn for a screen scale: "gazo/D01.png" at 1 stays as
// it is, at 2 it is "gazo/D01@2x.png", at 1.5 "gazo/D01@1.5x.png".
QString scaledImagePath(const QString& path, qreal scale);
QString roundSoundPath(int round);

// A card as people say it: "ace of diamonds", "7 of clubs", "queen of spades".
QString cardName(Suit suit, int v);

// What a screen reader says of the game's events.
// "Round 3, prize: queen of diamonds, 12 points"
QString prizeSpeech(int round, int prize);
// "You Win. Score: computer 11, you 7."
QString verdictSpeech(Verdict verdict, int cpu, int user);
// Both result lines: "First: you, 62 points. Second: computer, 39 points."
QString resultSpeech(int cpu, int user);

} // namespace rules
