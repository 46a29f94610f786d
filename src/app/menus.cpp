// SPDX-License-Identifier: MIT
// The menu bar, its actions, and the small commands that only close the
// window or hand the match commands back.
#include "vell.h"

#include "dialogs/help_explain.h"
#include "dialogs/level_check.h"

#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

void Vell::createActions()
{
    const auto action = [this](const char* name, const QString& text, bool checkable) {
        auto* a = new QAction(text, this);
        a->setObjectName(QLatin1String(name));
        a->setCheckable(checkable);
        return a;
    };

    Human_vs_Computer_Action = action("Human_vs_Computer_Action", tr("Human vs Computer"), true);
    Human_vs_Computer_Action->setShortcut(QKeySequence(tr("Ctrl+B")));
    Human_vs_Computer_Action->setStatusTip(tr("Free Play"));
    connect(Human_vs_Computer_Action, &QAction::triggered, this, &Vell::Beginer_start);

    Computer_vs_Computer_Action = action("Computer_vs_Computer_Action", tr("computer vs computer"), true);
    connect(Computer_vs_Computer_Action, &QAction::triggered, this, &Vell::Watching_mode);

    Close_Action = action("Close_Action", tr("close"), false);
    Close_Action->setStatusTip(tr("close"));
    // The desktop's usual keys: the same path as the menu, farewell included.
    Close_Action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(Close_Action, &QAction::triggered, this, &Vell::Game_close);

    Back_color_green_Action = action("Back_color_green_Action", tr("Back Color green default"), true);
    Back_color_green_Action->setChecked(true);
    Back_color_white_Action = action("Back_color_white_Action", tr("Back Color white"), true);
    Back_color_red_Action = action("Back_color_red_Action", tr("Back Color red"), true);
    Back_color_blue_Action = action("Back_color_blue_Action", tr("Back Color blue"), true);
    Back_color_cyan_Action = action("Back_color_cyan_Action", tr("Back Color cyan"), true);
    Back_color_magenta_Action = action("Back_color_magenta_Action", tr("Back Color magents"), true);
    Back_color_yellow_Action = action("Back_color_yellow_Action", tr("Back Color yellow"), true);
    Back_color_gray_Action = action("Back_color_gray_Action", tr("Back Color gray"), true);
    Back_color_lightGray_Action = action("Back_color_lightGray_Action", tr("Back Color lightGray"), true);

    connectColourActions();

    Level_check_Action = action("Level_check_Action", tr("Level check"), false);
    connect(Level_check_Action, &QAction::triggered, this, &Vell::Level_check_change);
    Help_Action = action("Help_Action", tr("Help"), false);
    Help_Action->setShortcut(QKeySequence(Qt::Key_F1));
    connect(Help_Action, &QAction::triggered, this, &Vell::Help_Show);
}

void Vell::createMenus()
{
    const auto submenu = [this](const char* name, const QString& title) {
        auto* m = new QMenu(title, this);
        m->setObjectName(QLatin1String(name));
        return m;
    };
    const auto barMenu = [this](const char* name, const QString& title) {
        QMenu* m = menuBar()->addMenu(title);
        m->setObjectName(QLatin1String(name));
        return m;
    };

    Play_Menu = submenu("Play_Menu", tr("&Play"));
    Free_Play_Menu = submenu("Free_Play_Menu", tr("Free Play"));
    Level_Menu = submenu("Level_Menu", tr("Level"));
    Config_Menu = submenu("Config_Menu", tr("&Config"));
    Back_Color_Menu = submenu("Back_Color_Menu", tr("&Back Color"));

    Game_Menu = barMenu("Game_Menu", tr("&Game"));
    Options_Menu = barMenu("Options_Menu", tr("&Options"));
    Help_Menu = barMenu("Help_Menu", tr("&Help"));

    Game_Menu->addMenu(Play_Menu);
    Play_Menu->addMenu(Free_Play_Menu);
    Free_Play_Menu->addAction(Human_vs_Computer_Action);
    Free_Play_Menu->addAction(Computer_vs_Computer_Action);
    Play_Menu->addSeparator();
    Play_Menu->addSeparator();
    Game_Menu->addSeparator();
    Game_Menu->addAction(Close_Action);

    Options_Menu->addMenu(Config_Menu);
    Config_Menu->addMenu(Back_Color_Menu);
    // The yellow action works but is kept out of the menu.
    Back_Color_Menu->addActions({Back_color_green_Action, Back_color_white_Action, Back_color_red_Action,
                                 Back_color_blue_Action, Back_color_cyan_Action, Back_color_magenta_Action,
                                 Back_color_gray_Action, Back_color_lightGray_Action});
    Config_Menu->addMenu(Level_Menu);
    Level_Menu->addAction(Level_check_Action);

    Help_Menu->addAction(Help_Action);
}

void Vell::Game_close()
{
    close();
}

void Vell::Level_check_change()
{
    Level_dialog->show();
}

void Vell::Help_Show()
{
    Help_window->show();
}

void Vell::End_game_auto_timer()
{
    // While the result lines are up, the step that takes them down is still
    // to reset the table: a match started now would be reset as it runs.
    if (m_match.running())
        return;
    showMatchCommands();
}

void Vell::showMatchCommands()
{
    const bool idle = !m_match.running();
    Human_vs_Computer_Action->setEnabled(idle);
    Human_vs_Computer_Action->setChecked(m_match.kind() == Match::Kind::Human);
    Computer_vs_Computer_Action->setEnabled(idle);
    Computer_vs_Computer_Action->setChecked(m_match.kind() == Match::Kind::Watching);
}

// Kept for a level menu that the window does not build: the level is shown
// in the settings dialog.
void Vell::Level_Easy_selected()
{
    Human_vs_Computer_Action->setEnabled(false);
}

void Vell::Level_difficult_selected()
{
    Human_vs_Computer_Action->setEnabled(false);
}
