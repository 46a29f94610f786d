// SPDX-License-Identifier: MIT
// The game's window: the menus, the colour, the companions, around the table.
#pragma once

#include "core/match.h"

#include <QMainWindow>

class Announcer;
class CardTable;
class Help_explain;
class Level_Check;
class MatchRunner;
class QAction;
class QActionGroup;
class RoundSounds;
struct Settings;

// The game's window: the card table (app/card_table.h) in the middle, the
// menus and their commands around it, the table's colour, the settings
// dialog and the rules window, the greeting and the farewell, the voice
// that tells a screen reader what happens, and the end of a run when the
// window closes. It passes the player's commands on to the match runner
// (core/match_runner.h) and never decides what comes next in a match.
class Vell : public QMainWindow
{
    Q_OBJECT

public:
    // Shows the matches runner plays and asks sounds for the round sounds;
    // the table colour and the computer's level are kept in settings. All
    // three outlive the window.
    Vell(MatchRunner& runner, Settings& settings, RoundSounds& sounds);
    ~Vell() override;

public slots:
    // The menu commands.
    void Beginer_start();
    void Watching_mode();
    void Game_close();
    void Level_check_change();
    void Help_Show();

protected:
    void paintEvent(QPaintEvent* event) override;
    // The farewell, and the match, if one runs, left.
    void closeEvent(QCloseEvent* event) override;

private:
    void createActions();
    void createColourActions();
    void createMenus();
    // The match commands follow the runner: enabled only while no match
    // runs, the running kind checked.
    void showMatchCommands(bool enabled, Match::Kind running);
    void Hello_Message();
    void Bye_Message();
    void Change_Back_Color(int n);
    void selectBackColor(int code);
    // Black or white for the texts on the table, whichever reads better on
    // its colour.
    void applyTableTextColour();
    // Once the table is on the screen.
    void showGameIcon();

    MatchRunner& m_runner;
    Settings& m_settings;

    CardTable* m_table = nullptr;
    Level_Check* Level_dialog = nullptr;
    Help_explain* Help_window = nullptr;
    QAction* Human_vs_Computer_Action = nullptr;
    QAction* Computer_vs_Computer_Action = nullptr;
    QAction* Close_Action = nullptr;
    QAction* Level_check_Action = nullptr;
    QAction* Help_Action = nullptr;
    QActionGroup* m_colourActions = nullptr;
    Announcer* m_announcer = nullptr;
    bool m_painted = false;
};
