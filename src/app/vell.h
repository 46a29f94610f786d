// SPDX-License-Identifier: MIT
#pragma once

#include "core/match_runner.h"

#include <QMainWindow>

#include <array>

class Announcer;
class Help_explain;
class Level_Check;
class QAction;
class QActionGroup;
class QLabel;
class QPixmap;
class QPushButton;
class RoundSound;
struct Settings;

// The game's window: the card table, the menus, and their companions (the
// settings dialog, the rules window, the greeting and the farewell). It
// shows what the match runner (core/match_runner.h) tells it and turns the
// player's clicks, keys and commands into requests to it; it never decides
// what comes next in a match and holds no state of one.
class Vell : public QMainWindow
{
    Q_OBJECT

public:
    // Shows the matches runner plays; the table colour and the computer's
    // level are kept in settings. Both outlive the window.
    Vell(MatchRunner& runner, Settings& settings);
    ~Vell() override;

public slots:
    // The menu commands.
    void Beginer_start();
    void Watching_mode();
    void Game_close();
    void Level_check_change();
    void Help_Show();

protected slots:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    using LabelRow = std::array<QLabel*, rules::kCards>;

    // Once the table is on the screen.
    void showGameIcon();
    void buildTable();
    void layoutTable();
    void createActions();
    void createColourActions();
    void createMenus();
    void createCardKeys();
    void showRunner();
    void Hello_Message();
    void Bye_Message();
    void Change_Back_Color(int n);
    void selectBackColor(int code);
    // Black or white for the texts on the table, whichever reads better on
    // its colour.
    void applyTableTextColour();

    // What the runner tells.
    void showMatchCommands(bool enabled, Match::Kind running);
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
    void playRoundSound(int round);

    // Card faces: each shows or clears one place and keeps its accessible
    // name in step with what it shows.
    void showCard(QLabel* label, rules::Suit suit, int v);
    QPixmap cardBack() const;
    void showCardBack(QLabel* label, const QPixmap& back);
    void clearCard(QLabel* label);
    // Tells a screen reader what just happened on the table.
    void announce(const QString& text);

    MatchRunner& m_runner;
    Settings& m_settings;

    Level_Check* Level_dialog = nullptr;
    Help_explain* Help_window = nullptr;
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
    QAction* Human_vs_Computer_Action = nullptr;
    QAction* Computer_vs_Computer_Action = nullptr;
    QAction* Close_Action = nullptr;
    QAction* Level_check_Action = nullptr;
    QAction* Help_Action = nullptr;
    QActionGroup* m_colourActions = nullptr;

    // Its thread starts with the first sound: a window that plays no match
    // starts none.
    RoundSound* m_roundSound = nullptr;
    Announcer* m_announcer = nullptr;
    bool m_painted = false;
};
