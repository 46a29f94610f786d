// SPDX-License-Identifier: MIT
// The card table: its places, buttons and lines, and what shows a match on them.
#pragma once

#include "core/match_runner.h"

#include <QWidget>

#include <array>

class QLabel;
class QPixmap;
class QPushButton;
class RoundSounds;

// The card table: every card place, the card buttons and the table's text
// lines, and what shows the matches on them. It shows what the match runner
// (core/match_runner.h) tells, asks for each round's sound as its banner goes
// up, and turns the player's clicks and keys into plays; it never decides
// what comes next and holds no state of a match. What a screen reader is to
// hear of it, it says through announced(). The window around it keeps the
// menus, the colour and the companions.
class CardTable : public QWidget
{
    Q_OBJECT

public:
    // Shows the matches runner plays, with sounds; both outlive the table.
    CardTable(MatchRunner& runner, RoundSounds& sounds, QWidget* parent);

    // The colour of the table's texts: the score, the message, the results.
    void setTextColour(const QColor& colour);

signals:
    // Something happened on the table that a screen reader is to say.
    void announced(const QString& text);

private:
    using LabelRow = std::array<QLabel*, rules::kCards>;

    void buildTable();
    void layoutTable();
    void createCardKeys();
    // Shows on the table what the runner tells of its matches.
    void followMatches();

    // What the runner tells.
    void showFirstScreen();
    void showPrize(int prize, bool pileEmpty);
    void offerCards(const rules::Cards& playable);
    void showCardsPlayed(const MatchRunner::Card& spade, const MatchRunner::Card& club);
    void revealCards(int spade, int club);
    void showJudgement(rules::Verdict verdict, int prize, int cpuScore, int userScore);
    void returnTiedCards(const MatchRunner::Card& spade, const MatchRunner::Card& club);
    void clearPlayedCards();
    void showResult(int cpuScore, int userScore);
    void hideResult();

    // Card faces: each shows or clears one place and keeps its accessible
    // name in step with what it shows.
    void showCard(QLabel* label, rules::Suit suit, int v);
    QPixmap cardBack() const;
    void showCardBack(QLabel* label, const QPixmap& back);
    void clearCard(QLabel* label);

    MatchRunner& m_runner;
    RoundSounds& m_sounds;

    QLabel* Score_Label = nullptr;
    LabelRow CPU_Label_card{};
    LabelRow CPU_Get_Label_card{};
    QLabel* Message_Label = nullptr;
    QLabel* Result_Label1 = nullptr;
    QLabel* Result_Label2 = nullptr;
    QLabel* Daiya_Label_back = nullptr;
    QLabel* Daiya_Label_open = nullptr;
    QLabel* CPU_Label_open = nullptr;
    QLabel* User_Label_open = nullptr;
    LabelRow User_Get_Label_card{};
    std::array<QPushButton*, rules::kCards> Push_button{};
    LabelRow User_Label_card{};
};
