// SPDX-License-Identifier: MIT
// The card table: its places, buttons and lines, laid out once, and the only
// place where card images reach a label, where the card buttons are enabled
// or disabled, and where a round's sound is asked for.
#include "app/card_table.h"

#include "app/presenter.h"
#include "core/asset_paths.h"
#include "core/card_size.h"
#include "core/data_dir.h"
#include "dialogs/scaled_image.h"
#include "sound/round_sound.h"

#include <QFontInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

using presenter::trVell;
using rules::isCard;
using rules::Suit;

namespace {

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

// A line whose text comes and goes keeps one height: newer Qt hints an empty
// label and one with text a pixel apart, and lays out a table it first showed
// at the smaller again at the larger.
void keepLineHeight(QLabel* label)
{
    const QString text = label->text();
    int height = 0;
    for (const QString& sample : {QString(), QStringLiteral("Xg")}) {
        label->setText(sample);
        height = qMax(height, label->sizeHint().height());
    }
    label->setFixedHeight(height);
    label->setText(text);
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
    keepLineHeight(label);
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

// Images are read from their files each time a face is shown.
QPixmap cardImage(const QString& relativePath, qreal screenScale)
{
    return QPixmap::fromImage(imageForScale(relativePath, screenScale, [](const QString& path) {
        return readDataFile(dataFile(path), data_limits::kImage);
    }));
}

} // namespace

CardTable::CardTable(MatchRunner& runner, RoundSounds& sounds, QWidget* parent)
    : QWidget(parent)
    , m_runner(runner)
    , m_sounds(sounds)
{
    buildTable();
    layoutTable();
    for (int k = 1; k <= rules::kCards; ++k)
        connect(Push_button[k - 1], &QPushButton::clicked, this, [this, k] { m_runner.play(k); });
    createCardKeys();
    followMatches();
}

void CardTable::buildTable()
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
    cardRow(CPU_Label_card, "CPU_Label_card", trVell(QT_TRANSLATE_NOOP("Vell", "computer's hand, place %1")));
    cardRow(CPU_Get_Label_card, "CPU_Get_Label_card", trVell(QT_TRANSLATE_NOOP("Vell", "computer's won cards, place %1")));
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
    Daiya_Label_back = cardPlace(QStringLiteral("Daiya_Label_back"), trVell(QT_TRANSLATE_NOOP("Vell", "prize pile")));
    Daiya_Label_open = cardPlace(QStringLiteral("Daiya_Label_open"), trVell(QT_TRANSLATE_NOOP("Vell", "prize card")));
    CPU_Label_open = cardPlace(QStringLiteral("CPU_Label_open"), trVell(QT_TRANSLATE_NOOP("Vell", "computer's card")));
    User_Label_open = cardPlace(QStringLiteral("User_Label_open"), trVell(QT_TRANSLATE_NOOP("Vell", "your card")));
    cardRow(User_Get_Label_card, "User_Get_Label_card", trVell(QT_TRANSLATE_NOOP("Vell", "your won cards, place %1")));
    for (int i = 0; i < rules::kCards; ++i) {
        auto* button = new QPushButton(trVell(kButtonTexts[i]), this);
        button->setObjectName(numbered("Push_button", i));
        button->setCursor(Qt::PointingHandCursor);
        button->setFixedWidth(card_size::kWidth);
        button->setAccessibleName(trVell(QT_TRANSLATE_NOOP("Vell", "Play %1")).arg(presenter::cardName(Suit::Clubs, i + 1)));
        button->setEnabled(false);
        Push_button[i] = button;
    }
    cardRow(User_Label_card, "User_Label_card", trVell(QT_TRANSLATE_NOOP("Vell", "your hand, place %1")));
    showFirstScreen();
}

void CardTable::layoutTable()
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

    auto* rows = new QVBoxLayout(this);
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
void CardTable::createCardKeys()
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

void CardTable::setTextColour(const QColor& colour)
{
    for (QLabel* label : {Score_Label, Message_Label, Result_Label1, Result_Label2}) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colour);
        label->setPalette(palette);
    }
}

void CardTable::followMatches()
{
    const MatchRunner* r = &m_runner;
    connect(r, &MatchRunner::matchStarted, this, [this] {
        Message_Label->setText(presenter::gameStart());
        emit announced(presenter::gameStartSpeech());
    });
    connect(r, &MatchRunner::tableReset, this, &CardTable::showFirstScreen);
    connect(r, &MatchRunner::scoreChanged, this,
            [this](const Match::Score& score) { Score_Label->setText(presenter::scoreLine(score)); });
    // Set, never cleared, so that every change reaches a screen reader.
    connect(r, &MatchRunner::messageCleared, this, [this] { Message_Label->setText(QString()); });
    connect(r, &MatchRunner::roundStarted, this, [this](int round) {
        Message_Label->setText(presenter::banner(round));
        m_sounds.playRound(round);
    });
    connect(r, &MatchRunner::prizeTurnedUp, this, &CardTable::showPrize);
    connect(r, &MatchRunner::prizeOffered, this,
            [this](int round, int prize) { emit announced(presenter::prizeSpeech(round, prize)); });
    connect(r, &MatchRunner::cardsPlayable, this, &CardTable::offerCards);
    connect(r, &MatchRunner::cardsPlayed, this, &CardTable::showCardsPlayed);
    connect(r, &MatchRunner::cardsRevealed, this, &CardTable::revealCards);
    connect(r, &MatchRunner::roundJudged, this, &CardTable::showJudgement);
    connect(r, &MatchRunner::noCount, this, [this] {
        Message_Label->setText(presenter::noCount());
        emit announced(presenter::noCountSpeech());
    });
    connect(r, &MatchRunner::tiedCardsReturned, this, &CardTable::returnTiedCards);
    connect(r, &MatchRunner::playedCardsCleared, this, &CardTable::clearPlayedCards);
    connect(r, &MatchRunner::prizeLeftUnawarded, this, [this](int prize) {
        clearCard(Daiya_Label_open);
        Message_Label->setText(presenter::prizeToNobody());
        emit announced(presenter::prizeToNobodySpeech(prize));
    });
    connect(r, &MatchRunner::resultShown, this, &CardTable::showResult);
    connect(r, &MatchRunner::resultHidden, this, &CardTable::hideResult);
}

void CardTable::showCard(QLabel* label, Suit suit, int v)
{
    label->setPixmap(cardImage(assets::cardImagePath(suit, v), devicePixelRatioF()));
    label->setAccessibleName(presenter::cardName(suit, v));
}

QPixmap CardTable::cardBack() const
{
    return cardImage(assets::cardBackPath(), devicePixelRatioF());
}

void CardTable::showCardBack(QLabel* label, const QPixmap& back)
{
    label->setPixmap(back);
    label->setAccessibleName(trVell(QT_TRANSLATE_NOOP("Vell", "card back")));
}

void CardTable::clearCard(QLabel* label)
{
    label->clear();
    label->setAccessibleName(QString());
}

// Full hands, the computer's face down, the prize pile face down, nothing
// won and nothing on the table.
void CardTable::showFirstScreen()
{
    const QPixmap back = cardBack();
    for (QLabel* label : CPU_Label_card)
        showCardBack(label, back);
    showCardBack(Daiya_Label_back, back);
    for (int v = 1; v <= rules::kCards; ++v)
        showCard(User_Label_card[v - 1], Suit::Clubs, v);
    for (const LabelRow* row : {&CPU_Get_Label_card, &User_Get_Label_card}) {
        for (QLabel* label : *row)
            clearCard(label);
    }
    for (QLabel* spot : {Daiya_Label_open, CPU_Label_open, User_Label_open})
        clearCard(spot);
}

void CardTable::showPrize(int prize, bool pileEmpty)
{
    showCard(Daiya_Label_open, Suit::Diamonds, prize);
    if (pileEmpty)
        clearCard(Daiya_Label_back);
}

void CardTable::offerCards(const rules::Cards& playable)
{
    // Qt would move the focus along the row as each button goes grey, and a
    // screen reader would read each one out: let go of it first.
    for (QPushButton* b : Push_button) {
        if (b->hasFocus())
            b->clearFocus();
    }
    for (int v = 1; v <= rules::kCards; ++v)
        Push_button[v - 1]->setEnabled(playable[v - 1]);
    // The keyboard player finds the cards where they are, the focus drawn
    // as after Tab.
    for (QPushButton* b : Push_button) {
        if (b->isEnabled()) {
            // After the focus moves: newer Qt clears the mark on a focus
            // change that is not the keyboard's.
            b->setFocus(Qt::OtherFocusReason);
            window()->setAttribute(Qt::WA_KeyboardFocusChange);
            break;
        }
    }
}

// The computer's row is face down; the player's shows its clubs. A card the
// player sees go down opens the round's cards.
void CardTable::showCardsPlayed(const MatchRunner::Card& spade, const MatchRunner::Card& club)
{
    if (isCard(spade.place))
        clearCard(CPU_Label_card[spade.place - 1]);
    if (isCard(club.place))
        clearCard(User_Label_card[club.place - 1]);
    const QPixmap back = cardBack();
    if (spade.faceUp)
        showCard(CPU_Label_open, Suit::Spades, spade.card);
    else
        showCardBack(CPU_Label_open, back);
    if (club.faceUp)
        showCard(User_Label_open, Suit::Clubs, club.card);
    else
        showCardBack(User_Label_open, back);
    const QString speech = presenter::turnedUpSpeech(spade.faceUp ? spade.card : 0, club.faceUp ? club.card : 0);
    if (!speech.isEmpty())
        emit announced(speech);
    if (spade.faceUp || club.faceUp)
        Message_Label->setText(presenter::cardOpen());
}

void CardTable::revealCards(int spade, int club)
{
    if (isCard(spade))
        showCard(CPU_Label_open, Suit::Spades, spade);
    if (isCard(club))
        showCard(User_Label_open, Suit::Clubs, club);
    emit announced(presenter::turnedUpSpeech(spade, club));
}

// The won rows are ordered by value: place v only ever holds diamond v.
void CardTable::showJudgement(rules::Verdict verdict, int prize, int cpuScore, int userScore)
{
    Message_Label->setText(presenter::verdict(verdict));
    emit announced(presenter::verdictSpeech(verdict, cpuScore, userScore));
    if (verdict == rules::Verdict::Tie || !isCard(prize))
        return;
    clearCard(Daiya_Label_open);
    const LabelRow& won = verdict == rules::Verdict::ComputerWins ? CPU_Get_Label_card : User_Get_Label_card;
    showCard(won[prize - 1], Suit::Diamonds, prize);
}

void CardTable::returnTiedCards(const MatchRunner::Card& spade, const MatchRunner::Card& club)
{
    if (isCard(spade.place))
        showCardBack(CPU_Label_card[spade.place - 1], cardBack());
    if (isCard(club.place))
        showCard(User_Label_card[club.place - 1], Suit::Clubs, club.card);
}

void CardTable::clearPlayedCards()
{
    clearCard(User_Label_open);
    clearCard(CPU_Label_open);
}

void CardTable::showResult(int cpuScore, int userScore)
{
    const presenter::ResultLines lines = presenter::resultLines(cpuScore, userScore);
    Result_Label1->setEnabled(true);
    Result_Label1->show();
    Result_Label2->show();
    Result_Label2->setEnabled(true);
    Result_Label1->setText(lines.first);
    Result_Label2->setText(lines.second);
    emit announced(presenter::resultSpeech(cpuScore, userScore));
}

void CardTable::hideResult()
{
    Result_Label1->hide();
    Result_Label2->hide();
}
