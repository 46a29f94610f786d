// SPDX-License-Identifier: MIT
// Card faces on the table: the only place where card images reach a label
// and where the card buttons are enabled or disabled.
#include "app/vell.h"

#include "dialogs/scaled_image.h"
#include "core/data_dir.h"

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
    label->setPixmap(cardImage(rules::cardImagePath(suit, v), devicePixelRatioF()));
    label->setAccessibleName(rules::cardName(suit, v));
}

QPixmap Vell::cardBack() const
{
    return cardImage(rules::cardBackPath(), devicePixelRatioF());
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

void Vell::card_daiya_show(int v)
{
    if (isCard(v))
        showCard(Daiya_Label_open, Suit::Diamonds, v);
}

void Vell::card_daiya_put(QLabel* label, int v)
{
    if (isCard(v))
        showCard(label, Suit::Diamonds, v);
}

void Vell::card_spade_show(int v)
{
    if (v == 0)
        showCardBack(CPU_Label_open, cardBack());
    else if (isCard(v))
        showCard(CPU_Label_open, Suit::Spades, v);
}

void Vell::card_user_show(int v)
{
    if (isCard(v))
        showCard(User_Label_open, Suit::Clubs, v);
}

void Vell::card_daiya_open()
{
    const int prize = m_match.prizeToOpen();
    if (prize != 0) {
        card_daiya_show(prize);
        // The last prize empties the pile.
        if (m_match.N == rules::kCards - 1)
            clearCard(Daiya_Label_back);
    } else {
        // No round sequence gets here; leave a table from which a new match can start.
        clearCard(Daiya_Label_open);
        clearCard(Daiya_Label_back);
        m_match.N = 0;
        m_match.Round_count = 0;
        m_match.finish();
        showMatchCommands();
    }
}

void Vell::card_daiya_open_auto()
{
    const int round = m_match.Round_count;
    if (const int prize = m_match.autoPrize()) {
        card_daiya_show(prize);
        if (round == rules::kCards)
            clearCard(Daiya_Label_back);
    } else if (round > rules::kCards) {
        clearCard(Daiya_Label_open);
        clearCard(Daiya_Label_back);
    }
}

void Vell::card_spade_open()
{
    if (const int card = m_match.computerCard())
        card_spade_show(card);
}

void Vell::Draw_CPU_Card(int i)
{
    if (i >= 0 && i <= rules::kCards)
        clearCard(CPU_Label_card[qMin(i, rules::kCards - 1)]);
}

void Vell::Return_CPU_Card(int i)
{
    if (i >= 0 && i < rules::kCards)
        showCardBack(CPU_Label_card[i], cardBack());
}

void Vell::Clear_User_Card(int v)
{
    if (isCard(v))
        clearCard(User_Label_card[v - 1]);
}

void Vell::Return_User_Card(int v)
{
    if (!isCard(v))
        return;
    showCard(User_Label_card[v - 1], Suit::Clubs, v);
    clearCard(User_Label_open);
    clearCard(CPU_Label_open);
}

void Vell::Button_setEnabled(QPushButton* b, bool on)
{
    b->setEnabled(on);
}

void Vell::All_buttons_disable()
{
    // Qt would move the focus along the row as each button goes grey, and a
    // screen reader would read each one out: let go of it first.
    for (QPushButton* b : Push_button) {
        if (b->hasFocus())
            b->clearFocus();
    }
    for (QPushButton* b : Push_button)
        Button_setEnabled(b, false);
}

void Vell::All_buttons_enable()
{
    for (QPushButton* b : Push_button)
        Button_setEnabled(b, true);
}

void Vell::Push_button_setEnabled(int v, bool on)
{
    if (isCard(v))
        Button_setEnabled(Push_button[v - 1], on);
}

void Vell::offerPrize()
{
    announce(rules::prizeSpeech(m_match.Round_count, m_match.prizeToOpen()));
    // The keyboard player finds the cards where they are.
    for (QPushButton* b : Push_button) {
        if (b->isEnabled()) {
            b->setFocus(Qt::OtherFocusReason);
            break;
        }
    }
}

void Vell::Refresh_buttons()
{
    const std::array<bool, rules::kCards> playable = m_match.playableCards();
    for (int v = 1; v <= rules::kCards; ++v)
        Push_button_setEnabled(v, playable[v - 1]);
}
