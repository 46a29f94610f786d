// SPDX-License-Identifier: MIT
// The menu bar, its actions, and the commands they give.
#include "vell.h"

#include "dialogs/help_explain.h"
#include "dialogs/level_check.h"
#include "dialogs/placement.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
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

    createColourActions();

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

    QMenu* Play_Menu = submenu("Play_Menu", tr("&Play"));
    QMenu* Free_Play_Menu = submenu("Free_Play_Menu", tr("Free Play"));
    QMenu* Level_Menu = submenu("Level_Menu", tr("Level"));
    QMenu* Config_Menu = submenu("Config_Menu", tr("&Config"));
    QMenu* Back_Color_Menu = submenu("Back_Color_Menu", tr("&Back Color"));

    QMenu* Game_Menu = barMenu("Game_Menu", tr("&Game"));
    QMenu* Options_Menu = barMenu("Options_Menu", tr("&Options"));
    QMenu* Help_Menu = barMenu("Help_Menu", tr("&Help"));

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
    for (QAction* colour : m_colourActions->actions()) {
        if (colour->objectName() != QLatin1String("Back_color_yellow_Action"))
            Back_Color_Menu->addAction(colour);
    }
    Config_Menu->addMenu(Level_Menu);
    Level_Menu->addAction(Level_check_Action);

    Help_Menu->addAction(Help_Action);
}

void Vell::Beginer_start()
{
    m_runner.start(Match::Kind::Human);
}

void Vell::Watching_mode()
{
    m_runner.start(Match::Kind::Watching);
}

void Vell::Game_close()
{
    close();
}

void Vell::Level_check_change()
{
    placement::bringForward(*Level_dialog, *this);
}

void Vell::Help_Show()
{
    placement::bringForward(*Help_window, *this);
}
