// SPDX-License-Identifier: MIT
#include "vell.h"

#include "app/announcer.h"
#include "app/round_sound.h"
#include "core/card_size.h"
#include "core/logging.h"
#include "dialogs/help_explain.h"
#include "dialogs/level_check.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QIcon>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdlib>
#include <ctime>

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

QString numbered(const char* prefix, int index)
{
    return QLatin1String(prefix) + QString::number(index + 1);
}

void makeBold16(QLabel* label)
{
    QFont font = label->font();
    font.setPointSize(16);
    font.setBold(true);
    label->setFont(font);
}

// A row of widgets centred between two stretches.
QHBoxLayout* centredRow(std::initializer_list<QWidget*> widgets)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QWidget* w : widgets)
        row->addWidget(w);
    row->addStretch();
    return row;
}

QHBoxLayout* centredRow(const Vell::LabelRow& labels)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QLabel* label : labels)
        row->addWidget(label);
    row->addStretch();
    return row;
}

} // namespace

Vell::Vell()
    : Vell(nullptr)
{
}

Vell::Vell(TimeSource* time)
    : m_steps(time)
{
    Hello_Message();
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    setFixedSize(kWindowWidth, kWindowHeight);
    Level_dialog = new Level_Check;
    Help_window = new Help_explain;
    setWindowTitle(tr("Vell"));
    // Lets the desktop match the game's windows to its launcher.
    QGuiApplication::setDesktopFileName(QStringLiteral(VELL_APP_ID));
    setCentralWidget(new QWidget(this));
    buildTable();
    applyTableTextColour();
    All_buttons_disable();
    layoutTable();
    createActions();
    createMenus();
    for (int k = 1; k <= rules::kCards; ++k)
        connect(Push_button[k - 1], &QPushButton::clicked, this, [this, k] { Push_button_clicked(k); });
    createCardKeys();
    m_announcer = new Announcer(this);
    m_roundSound = new RoundSound(this);
    m_roundSound->setObjectName(QStringLiteral("round sound"));
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
    showScoreLine(m_match.Round_count);
    makeBold16(Score_Label);

    const QPixmap back = cardBack();

    cardRow(CPU_Label_card, "CPU_Label_card", tr("computer's hand, place %1"));
    for (QLabel* l : CPU_Label_card)
        showCardBack(l, back);
    cardRow(CPU_Get_Label_card, "CPU_Get_Label_card", tr("computer's won cards, place %1"));

    Message_Label = label(QStringLiteral("Message_Label"), QString());
    makeBold16(Message_Label);
    Result_Label1 = label(QStringLiteral("Result_Label1"), QString());
    Result_Label1->hide();
    makeBold16(Result_Label1);
    Result_Label2 = label(QStringLiteral("Result_Label2"), QString());
    Result_Label2->hide();
    makeBold16(Result_Label2);

    Daiya_Label_back = cardPlace(QStringLiteral("Daiya_Label_back"), tr("prize pile"));
    showCardBack(Daiya_Label_back, back);
    Daiya_Label_open = cardPlace(QStringLiteral("Daiya_Label_open"), tr("prize card"));
    CPU_Label_open = cardPlace(QStringLiteral("CPU_Label_open"), tr("computer's card"));
    User_Label_open = cardPlace(QStringLiteral("User_Label_open"), tr("your card"));

    cardRow(User_Get_Label_card, "User_Get_Label_card", tr("your won cards, place %1"));

    for (int i = 0; i < rules::kCards; ++i) {
        auto* button = new QPushButton(tr(kButtonTexts[i]), this);
        button->setObjectName(numbered("Push_button", i));
        button->setCursor(Qt::PointingHandCursor);
        button->setFixedWidth(card_size::kWidth);
        button->setAccessibleName(tr("Play %1").arg(rules::cardName(rules::Suit::Clubs, i + 1)));
        Push_button[i] = button;
    }

    cardRow(User_Label_card, "User_Label_card", tr("your hand, place %1"));
    for (int v = 1; v <= rules::kCards; ++v)
        showCard(User_Label_card[v - 1], rules::Suit::Clubs, v);
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
    rows->addLayout(centredRow({Score_Label}));
    rows->addLayout(centredRow(CPU_Label_card));
    rows->addLayout(centredRow(CPU_Get_Label_card));
    rows->addStretch();
    rows->addLayout(centredRow({Message_Label}));
    rows->addLayout(centredRow({Result_Label1}));
    rows->addLayout(centredRow({Result_Label2}));
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

void Vell::announce(const QString& text)
{
    qCDebug(lcVell) << "announced" << text;
    m_announcer->announce(text);
}

void Vell::abandonMatch()
{
    m_steps.cancelChain();
    Result_Label1->hide();
    Result_Label2->hide();
    m_match.finish();
    first_screen();
    All_buttons_disable();
    showMessage(QString());
    for (QLabel* spot : {Daiya_Label_open, CPU_Label_open, User_Label_open})
        clearCard(spot);
}

void Vell::after(int ms, Step step)
{
    // Every step of every chain, by the name the reports give it.
    static const struct {
        Step step;
        const char* name;
    } steps[] = {
        {&Vell::Start_game_timer, "Start_game_timer"},
        {&Vell::Start_game_timer2, "Start_game_timer2"},
        {&Vell::Start_game_timer3, "Start_game_timer3"},
        {&Vell::Open_card_timer, "Open_card_timer"},
        {&Vell::Open_card_timer2, "Open_card_timer2"},
        {&Vell::Open_card_timer3, "Open_card_timer3"},
        {&Vell::Open_card_timer4, "Open_card_timer4"},
        {&Vell::Open_card_timer5, "Open_card_timer5"},
        {&Vell::tie_no_count_timer, "tie_no_count_timer"},
        {&Vell::tie_no_count_timer2, "tie_no_count_timer2"},
        {&Vell::tie_no_count_timer3, "tie_no_count_timer3"},
        {&Vell::Open_show_result_timer, "Open_show_result_timer"},
        {&Vell::Return_First_Screen_timer, "Return_First_Screen_timer"},
        {&Vell::watchmode_timer, "watchmode_timer"},
        {&Vell::watchmode_timer2, "watchmode_timer2"},
        {&Vell::watchmode_timer3, "watchmode_timer3"},
        {&Vell::watchmode_timer4, "watchmode_timer4"},
        {&Vell::watchmode_timer5, "watchmode_timer5"},
        {&Vell::watchmode_timer6, "watchmode_timer6"},
    };
    const char* name = "step";
    for (const auto& known : steps) {
        if (known.step == step)
            name = known.name;
    }
    m_steps.after(ms, name, [this, step] { (this->*step)(); });
}
