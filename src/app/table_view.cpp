// SPDX-License-Identifier: MIT
// The table as the match runner tells it: the only place where card images
// reach a label and where the card buttons are enabled or disabled.
#include "app/vell.h"

#include "app/presenter.h"
#include "core/asset_paths.h"
#include "core/data_dir.h"
#include "dialogs/scaled_image.h"

#include <QAction>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

using rules::isCard;
using rules::Suit;

namespace {

// Images are read from their files each time a face is shown.
QPixmap cardImage(const QString& relativePath, qreal screenScale)
{
    return QPixmap::fromImage(imageForScale(relativePath, screenScale, [](const QString& path) {
        return readDataFile(dataFile(path), data_limits::kImage);
    }));
}

} // namespace

void Vell::showCard(QLabel* label, Suit suit, int v)
{
    label->setPixmap(cardImage(assets::cardImagePath(suit, v), devicePixelRatioF()));
    label->setAccessibleName(presenter::cardName(suit, v));
}

QPixmap Vell::cardBack() const
{
    return cardImage(assets::cardBackPath(), devicePixelRatioF());
}

void Vell::showCardBack(QLabel* label, const QPixmap& back)
{
    label->setPixmap(back);
    label->setAccessibleName(tr("card back"));
}

void Vell::clearCard(QLabel* label)
{
    label->clear();
    label->setAccessibleName(QString());
}

// Enabled only while no match runs; the running kind checked.
void Vell::showMatchCommands(bool enabled, Match::Kind running)
{
    Human_vs_Computer_Action->setEnabled(enabled);
    Human_vs_Computer_Action->setChecked(running == Match::Kind::Human);
    Computer_vs_Computer_Action->setEnabled(enabled);
    Computer_vs_Computer_Action->setChecked(running == Match::Kind::Watching);
}

// Full hands, the computer's face down, the prize pile face down, nothing
// won and nothing on the table.
void Vell::showFirstScreen()
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

void Vell::showPrize(int prize, bool pileEmpty)
{
    showCard(Daiya_Label_open, Suit::Diamonds, prize);
    if (pileEmpty)
        clearCard(Daiya_Label_back);
}

void Vell::offerCards(const rules::Cards& playable)
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
            window()->setAttribute(Qt::WA_KeyboardFocusChange);
            b->setFocus(Qt::OtherFocusReason);
            break;
        }
    }
}

// The computer's row is face down; the player's shows its clubs. A card the
// player sees go down opens the round's cards.
void Vell::showCardsPlayed(const MatchRunner::Card& spade, const MatchRunner::Card& club)
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
        announce(speech);
    if (spade.faceUp || club.faceUp)
        Message_Label->setText(presenter::cardOpen());
}

void Vell::revealCards(int spade, int club)
{
    if (isCard(spade))
        showCard(CPU_Label_open, Suit::Spades, spade);
    if (isCard(club))
        showCard(User_Label_open, Suit::Clubs, club);
    announce(presenter::turnedUpSpeech(spade, club));
}

// The won rows are ordered by value: place v only ever holds diamond v.
void Vell::showJudgement(rules::Verdict verdict, int prize, int cpuScore, int userScore)
{
    Message_Label->setText(presenter::verdict(verdict));
    announce(presenter::verdictSpeech(verdict, cpuScore, userScore));
    if (verdict == rules::Verdict::Tie || !isCard(prize))
        return;
    clearCard(Daiya_Label_open);
    const LabelRow& won = verdict == rules::Verdict::ComputerWins ? CPU_Get_Label_card : User_Get_Label_card;
    showCard(won[prize - 1], Suit::Diamonds, prize);
}

void Vell::returnTiedCards(const MatchRunner::Card& spade, const MatchRunner::Card& club)
{
    if (isCard(spade.place))
        showCardBack(CPU_Label_card[spade.place - 1], cardBack());
    if (isCard(club.place))
        showCard(User_Label_card[club.place - 1], Suit::Clubs, club.card);
}

void Vell::clearPlayedCards()
{
    clearCard(User_Label_open);
    clearCard(CPU_Label_open);
}

void Vell::showResult(int cpuScore, int userScore)
{
    const presenter::ResultLines lines = presenter::resultLines(cpuScore, userScore);
    Result_Label1->setEnabled(true);
    Result_Label1->show();
    Result_Label2->show();
    Result_Label2->setEnabled(true);
    Result_Label1->setText(lines.first);
    Result_Label2->setText(lines.second);
    announce(presenter::resultSpeech(cpuScore, userScore));
}

void Vell::hideResult()
{
    Result_Label1->hide();
    Result_Label2->hide();
}
