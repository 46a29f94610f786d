// SPDX-License-Identifier: MIT
// The table's words: its lines and what a screen reader hears.
#pragma once

#include "core/match.h"
#include "core/rules.h"

#include <QString>

// The table's words. The core tells the window what happened in numbers and
// verdicts; these put it into the texts of the table's lines and the phrases
// a screen reader speaks, translated in the window's context.
namespace presenter {

// A text of the table, translated as all of the window's are, in the Vell
// context; the text is marked with QT_TRANSLATE_NOOP("Vell", ...).
QString trVell(const char* text);

// The lines of the table.
QString scoreLine(const Match::Score& score);
QString gameStart();
QString banner(int round);
QString cardOpen();
// "You Win", "You Lose" or "This is tie".
QString verdict(rules::Verdict verdict);
QString noCount();
// A tie in the last round cannot be played again: its prize goes to nobody.
QString prizeToNobody();

struct ResultLines {
    QString first;
    QString second;
};
// The winner's line first. Equal totals, which only a last prize left to
// nobody can bring, are a draw, the computer's line first.
ResultLines resultLines(int cpu, int user);

// A card as people say it: "ace of diamonds", "7 of clubs", "queen of spades".
QString cardName(rules::Suit suit, int v);

// What a screen reader says of the game's events.
QString gameStartSpeech();
// "Round 3, prize: queen of diamonds, 12 points"
QString prizeSpeech(int round, int prize);
// The cards just turned up; 0 for one that was not.
QString turnedUpSpeech(int spade, int club);
// "You Win. Score: computer 11, you 7."
QString verdictSpeech(rules::Verdict verdict, int cpu, int user);
QString noCountSpeech();
// "The 5 of diamonds goes to nobody."
QString prizeToNobodySpeech(int prize);
// Both result lines: "First: you, 62 points. Second: computer, 39 points.",
// or "Draw: computer 45 points, you 45 points."
QString resultSpeech(int cpu, int user);

} // namespace presenter
