// SPDX-License-Identifier: MIT
// The game's window: the card table set in it, the menu bar with its actions
// and the commands they give, the nine table colours, the greeting and the
// farewell, and the companions (settings dialog, rules window) it keeps.
#include "app/vell.h"

#include "app/announcer.h"
#include "app/card_table.h"
#include "core/contrast.h"
#include "core/logging.h"
#include "core/match_runner.h"
#include "core/player_name.h"
#include "core/settings.h"
#include "dialogs/help_explain.h"
#include "dialogs/level_check.h"
#include "dialogs/named_box.h"
#include "dialogs/placement.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTimer>

namespace {

constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 480;

struct TableColour {
    const char* action;
    const char* text;
    Qt::GlobalColor colour;
};

// Indexed by colour code.
constexpr TableColour kColours[] = {
    {"Back_color_green_Action", QT_TRANSLATE_NOOP("Vell", "Back Color green default"), Qt::green},
    {"Back_color_white_Action", QT_TRANSLATE_NOOP("Vell", "Back Color white"), Qt::white},
    {"Back_color_red_Action", QT_TRANSLATE_NOOP("Vell", "Back Color red"), Qt::red},
    {"Back_color_blue_Action", QT_TRANSLATE_NOOP("Vell", "Back Color blue"), Qt::blue},
    {"Back_color_cyan_Action", QT_TRANSLATE_NOOP("Vell", "Back Color cyan"), Qt::cyan},
    {"Back_color_magenta_Action", QT_TRANSLATE_NOOP("Vell", "Back Color magents"), Qt::magenta},
    {"Back_color_yellow_Action", QT_TRANSLATE_NOOP("Vell", "Back Color yellow"), Qt::yellow},
    {"Back_color_gray_Action", QT_TRANSLATE_NOOP("Vell", "Back Color gray"), Qt::gray},
    {"Back_color_lightGray_Action", QT_TRANSLATE_NOOP("Vell", "Back Color lightGray"), Qt::lightGray},
};
constexpr int kColourCount = int(std::size(kColours));

} // namespace

Vell::Vell(MatchRunner& runner, Settings& settings, RoundSounds& sounds)
    : m_runner(runner)
    , m_settings(settings)
{
    setFixedSize(kWindowWidth, kWindowHeight);
    placement::centreOnScreen(*this);
    Hello_Message();
    Level_dialog = new Level_Check(m_settings);
    Help_window = new Help_explain;
    setWindowTitle(tr("Vell"));
    // Lets the desktop match the game's windows to its launcher.
    QGuiApplication::setDesktopFileName(QStringLiteral(VELL_APP_ID));
    m_table = new CardTable(m_runner, sounds, this);
    setCentralWidget(m_table);
    applyTableTextColour();
    createActions();
    createMenus();
    m_announcer = new Announcer(this);
    connect(m_table, &CardTable::announced, this, [this](const QString& text) {
        qCDebug(lcVell) << "announced" << text;
        m_announcer->announce(text);
    });
    connect(&m_runner, &MatchRunner::matchStarted, this, [this](Match::Kind kind) { showMatchCommands(false, kind); });
    connect(&m_runner, &MatchRunner::matchEnded, this, [this] { showMatchCommands(true, Match::Kind::None); });
}

// The dialog and the rules window are windows of their own, without parent.
Vell::~Vell()
{
    delete Level_dialog;
    delete Help_window;
}

// Once the table is on the screen: reading the icon's eight sizes and handing
// them to the window system takes longer than drawing the whole table.
void Vell::showGameIcon()
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/vell-%1.png").arg(size), QSize(size, size));
    for (QWidget* window : {static_cast<QWidget*>(this), static_cast<QWidget*>(Level_dialog),
                            static_cast<QWidget*>(Help_window)})
        window->setWindowIcon(icon);
}

void Vell::paintEvent(QPaintEvent*)
{
    Change_Back_Color(m_settings.Back_color_no);
    if (!m_painted) {
        m_painted = true;
        qCDebug(lcVell) << "first paint";
        QTimer::singleShot(0, this, &Vell::showGameIcon);
    }
}

void Vell::closeEvent(QCloseEvent* event)
{
    Bye_Message();
    event->accept();
    // Once closed, the table plays on for nobody: a match in progress stops
    // here, even while the rules window keeps the program running.
    m_runner.abandon();
}

// The menu bar: its actions, and the commands they give.

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

void Vell::showMatchCommands(bool enabled, Match::Kind running)
{
    Human_vs_Computer_Action->setEnabled(enabled);
    Human_vs_Computer_Action->setChecked(running == Match::Kind::Human);
    Computer_vs_Computer_Action->setEnabled(enabled);
    Computer_vs_Computer_Action->setChecked(running == Match::Kind::Watching);
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

// The table's background colour: one of nine, chosen from the menu, kept in
// the run's settings.

// One checkable action a colour, in a group that keeps exactly one checked.
void Vell::createColourActions()
{
    m_colourActions = new QActionGroup(this);
    for (int code = 0; code < kColourCount; ++code) {
        auto* action = new QAction(tr(kColours[code].text), m_colourActions);
        action->setObjectName(QLatin1String(kColours[code].action));
        action->setCheckable(true);
        action->setChecked(code == m_settings.Back_color_no);
        connect(action, &QAction::triggered, this, [this, code] { selectBackColor(code); });
    }
}

void Vell::selectBackColor(int code)
{
    m_settings.Back_color_no = code;
    applyTableTextColour();
    repaint();
    m_colourActions->actions().at(code)->setChecked(true);
}

// The texts on the table are read against the table, not against the
// desktop's window colour: a dark theme's white text would vanish on the
// lighter tables. Buttons, menus and dialogs keep the desktop's colours.
void Vell::applyTableTextColour()
{
    const int code = m_settings.Back_color_no;
    if (code >= 0 && code < kColourCount)
        m_table->setTextColour(QColor::fromRgb(contrast::textColourOn(QColor(kColours[code].colour).rgb())));
}

void Vell::Change_Back_Color(int n)
{
    if (n < 0 || n >= kColourCount)
        return;
    QPainter painter(this);
    painter.setBrush(QBrush(kColours[n].colour, Qt::SolidPattern));
    painter.drawRect(0, 0, width(), height());
}

// The greeting at start-up and the farewell at closing, both addressed to
// the player by name; without a name there is no box at all.

void Vell::Hello_Message()
{
    if (const std::optional<QString> name = playerDisplayName())
        showNamedBox(this, tr("Greeting Message!"), tr("Hello %1\n\n How are you?\n \n Let's Start Playing  Game!!"), *name);
}

void Vell::Bye_Message()
{
    if (const std::optional<QString> name = playerDisplayName())
        showNamedBox(this, tr("Good bye Message!"), tr("Good Bye %1\n\n See you again!!"), *name);
}
