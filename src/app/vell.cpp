// SPDX-License-Identifier: MIT
#include "vell.h"

#include "app/announcer.h"
#include "app/presenter.h"
#include "core/asset_paths.h"
#include "core/card_size.h"
#include "core/data_dir.h"
#include "core/logging.h"
#include "core/settings.h"
#include "dialogs/help_explain.h"
#include "dialogs/level_check.h"
#include "dialogs/placement.h"
#include "sound/round_sound.h"

#include <QFontInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 480;

// The buttons show the card values as text, each open to translation.
constexpr const char* kButtonTexts[rules::kCards] = {
    QT_TRANSLATE_NOOP("Vell", "1"),  QT_TRANSLATE_NOOP("Vell", "2"),  QT_TRANSLATE_NOOP("Vell", "3"),
    QT_TRANSLATE_NOOP("Vell", "4"),  QT_TRANSLATE_NOOP("Vell", "5"),  QT_TRANSLATE_NOOP("Vell", "6"),
    QT_TRANSLATE_NOOP("Vell", "7"),  QT_TRANSLATE_NOOP("Vell", "8"),  QT_TRANSLATE_NOOP("Vell", "9"),
    QT_TRANSLATE_NOOP("Vell", "10"), QT_TRANSLATE_NOOP("Vell", "11"), QT_TRANSLATE_NOOP("Vell", "12"),
    QT_TRANSLATE_NOOP("Vell", "13"),
};

// The keys that play a club, for a game without the mouse.
struct CardKey {
    Qt::Key key;
    int card;
};
constexpr CardKey kCardKeys[] = {
    {Qt::Key_1, 1},  {Qt::Key_2, 2},  {Qt::Key_3, 3},  {Qt::Key_4, 4},  {Qt::Key_5, 5},
    {Qt::Key_6, 6},  {Qt::Key_7, 7},  {Qt::Key_8, 8},  {Qt::Key_9, 9},  {Qt::Key_0, 10},
    {Qt::Key_J, 11}, {Qt::Key_Q, 12}, {Qt::Key_K, 13}, {Qt::Key_A, 1},
};

QString numbered(const char* prefix, int index)
{
    return QLatin1String(prefix) + QString::number(index + 1);
}

// Bold 16 point; but no larger than 16 point at the ordinary 96 dots an
// inch, as larger fonts without a larger screen scale would have it: the
// table does not grow with them, and its fullest lines must still fit.
void makeBold16(QLabel* label)
{
    QFont font = label->font();
    font.setPointSize(16);
    font.setBold(true);
    constexpr int kLargestPixels = 16 * 96 / 72;
    if (QFontInfo(font).pixelSize() > kLargestPixels)
        font.setPixelSize(kLargestPixels);
    label->setFont(font);
}

// A row of widgets centred between two stretches.
template <class Widgets>
QHBoxLayout* centredRow(const Widgets& widgets)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QWidget* w : widgets)
        row->addWidget(w);
    row->addStretch();
    return row;
}

QHBoxLayout* centredLine(QWidget* widget)
{
    return centredRow(std::initializer_list<QWidget*>{widget});
}

} // namespace

Vell::Vell(MatchRunner& runner, Settings& settings)
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
    setCentralWidget(new QWidget(this));
    buildTable();
    applyTableTextColour();
    layoutTable();
    createActions();
    createMenus();
    for (int k = 1; k <= rules::kCards; ++k)
        connect(Push_button[k - 1], &QPushButton::clicked, this, [this, k] { m_runner.play(k); });
    createCardKeys();
    m_announcer = new Announcer(this);
    m_roundSound = new RoundSound(this);
    m_roundSound->setObjectName(QStringLiteral("round sound"));
    showRunner();
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

// The dialog and the rules window are windows of their own, without parent.
Vell::~Vell()
{
    delete Level_dialog;
    delete Help_window;
}

void Vell::buildTable()
{
    const auto label = [this](const QString& name, const QString& place) {
        auto* l = new QLabel(this);
        l->setObjectName(name);
        l->setAccessibleDescription(place);
        return l;
    };
    const auto cardPlace = [&label](const QString& name, const QString& place) {
        QLabel* l = label(name, place);
        l->setFixedSize(card_size::kWidth, card_size::kHeight);
        l->setAlignment(Qt::AlignCenter);
        return l;
    };
    const auto cardRow = [&cardPlace](LabelRow& row, const char* prefix, const QString& place) {
        for (int i = 0; i < rules::kCards; ++i)
            row[i] = cardPlace(numbered(prefix, i), place.arg(i + 1));
    };

    Score_Label = label(QStringLiteral("Score_Label"), QString());
    Score_Label->setText(presenter::scoreLine(m_runner.match().score()));
    makeBold16(Score_Label);
    cardRow(CPU_Label_card, "CPU_Label_card", tr("computer's hand, place %1"));
    cardRow(CPU_Get_Label_card, "CPU_Get_Label_card", tr("computer's won cards, place %1"));
    Message_Label = label(QStringLiteral("Message_Label"), QString());
    makeBold16(Message_Label);
    Result_Label1 = label(QStringLiteral("Result_Label1"), QString());
    Result_Label2 = label(QStringLiteral("Result_Label2"), QString());
    for (QLabel* line : {Result_Label1, Result_Label2}) {
        // Their room is kept while they are hidden: nothing else on the
        // table moves as they come and go.
        QSizePolicy policy = line->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        line->setSizePolicy(policy);
        line->hide();
        makeBold16(line);
    }
    Daiya_Label_back = cardPlace(QStringLiteral("Daiya_Label_back"), tr("prize pile"));
    Daiya_Label_open = cardPlace(QStringLiteral("Daiya_Label_open"), tr("prize card"));
    CPU_Label_open = cardPlace(QStringLiteral("CPU_Label_open"), tr("computer's card"));
    User_Label_open = cardPlace(QStringLiteral("User_Label_open"), tr("your card"));
    cardRow(User_Get_Label_card, "User_Get_Label_card", tr("your won cards, place %1"));
    for (int i = 0; i < rules::kCards; ++i) {
        auto* button = new QPushButton(tr(kButtonTexts[i]), this);
        button->setObjectName(numbered("Push_button", i));
        button->setCursor(Qt::PointingHandCursor);
        button->setFixedWidth(card_size::kWidth);
        button->setAccessibleName(tr("Play %1").arg(presenter::cardName(rules::Suit::Clubs, i + 1)));
        button->setEnabled(false);
        Push_button[i] = button;
    }
    cardRow(User_Label_card, "User_Label_card", tr("your hand, place %1"));
    showFirstScreen();
}

void Vell::layoutTable()
{
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);
    for (int i = 0; i < rules::kCards; ++i) {
        grid->addWidget(Push_button[i], 0, i, Qt::AlignHCenter);
        grid->addWidget(User_Label_card[i], 1, i, Qt::AlignHCenter);
    }

    auto* table = new QHBoxLayout;
    table->addStretch();
    table->addWidget(Daiya_Label_back);
    table->addWidget(Daiya_Label_open);
    table->addStretch();
    table->addWidget(CPU_Label_open);
    table->addWidget(User_Label_open);
    table->addStretch();

    auto* rows = new QVBoxLayout(centralWidget());
    // Tight spacing: five full rows of cards must fit the fixed window.
    rows->setContentsMargins(6, 2, 6, 2);
    rows->setSpacing(3);
    rows->addLayout(centredLine(Score_Label));
    rows->addLayout(centredRow(CPU_Label_card));
    rows->addLayout(centredRow(CPU_Get_Label_card));
    rows->addStretch();
    rows->addLayout(centredLine(Message_Label));
    rows->addLayout(centredLine(Result_Label1));
    rows->addLayout(centredLine(Result_Label2));
    rows->addLayout(table);
    rows->addStretch();
    rows->addLayout(centredRow(User_Get_Label_card));
    // The hand stays aligned with the card rows above it.
    auto* hand = new QHBoxLayout;
    hand->addStretch();
    hand->addLayout(grid);
    hand->addStretch();
    rows->addLayout(hand);
    rows->addStretch();
    for (int i = 0; i < rows->count(); ++i) {
        if (auto* row = rows->itemAt(i)->layout())
            row->setSpacing(4);
    }
}

// A key clicks its card's button, so a key for a button that is disabled
// does nothing, just as a click on it would.
void Vell::createCardKeys()
{
    for (const CardKey& k : kCardKeys) {
        QList<QKeySequence> sequences{QKeySequence(k.key)};
        if (k.key >= Qt::Key_0 && k.key <= Qt::Key_9)
            sequences << QKeySequence(Qt::KeypadModifier | k.key);
        for (const QKeySequence& sequence : sequences) {
            auto* shortcut = new QShortcut(sequence, this);
            shortcut->setAutoRepeat(false);
            connect(shortcut, &QShortcut::activated, Push_button[k.card - 1], &QPushButton::click);
        }
    }
}

void Vell::showRunner()
{
    const MatchRunner* r = &m_runner;
    connect(r, &MatchRunner::matchStarted, this, [this](Match::Kind kind) {
        Message_Label->setText(presenter::gameStart());
        showMatchCommands(false, kind);
        announce(presenter::gameStartSpeech());
    });
    connect(r, &MatchRunner::matchEnded, this, [this] { showMatchCommands(true, Match::Kind::None); });
    connect(r, &MatchRunner::tableReset, this, &Vell::showFirstScreen);
    connect(r, &MatchRunner::scoreChanged, this,
            [this](const Match::Score& score) { Score_Label->setText(presenter::scoreLine(score)); });
    // Set, never cleared, so that every change reaches a screen reader.
    connect(r, &MatchRunner::messageCleared, this, [this] { Message_Label->setText(QString()); });
    connect(r, &MatchRunner::roundStarted, this, [this](int round) {
        Message_Label->setText(presenter::banner(round));
        playRoundSound(round);
    });
    connect(r, &MatchRunner::prizeTurnedUp, this, &Vell::showPrize);
    connect(r, &MatchRunner::prizeOffered, this,
            [this](int round, int prize) { announce(presenter::prizeSpeech(round, prize)); });
    connect(r, &MatchRunner::cardsPlayable, this, &Vell::offerCards);
    connect(r, &MatchRunner::cardsPlayed, this, &Vell::showCardsPlayed);
    connect(r, &MatchRunner::cardsRevealed, this, &Vell::revealCards);
    connect(r, &MatchRunner::roundJudged, this, &Vell::showJudgement);
    connect(r, &MatchRunner::noCount, this, [this] {
        Message_Label->setText(presenter::noCount());
        announce(presenter::noCountSpeech());
    });
    connect(r, &MatchRunner::tiedCardsReturned, this, &Vell::returnTiedCards);
    connect(r, &MatchRunner::playedCardsCleared, this, &Vell::clearPlayedCards);
    connect(r, &MatchRunner::prizeLeftUnawarded, this, [this](int prize) {
        clearCard(Daiya_Label_open);
        Message_Label->setText(presenter::prizeToNobody());
        announce(presenter::prizeToNobodySpeech(prize));
    });
    connect(r, &MatchRunner::resultShown, this, &Vell::showResult);
    connect(r, &MatchRunner::resultHidden, this, &Vell::hideResult);
}

void Vell::playRoundSound(int round)
{
    m_roundSound->play(dataFile(assets::roundSoundPath(round)));
}

void Vell::announce(const QString& text)
{
    qCDebug(lcVell) << "announced" << text;
    m_announcer->announce(text);
}
