// SPDX-License-Identifier: MIT
// One round of a match, from the player's click to the next prize:
//
//   Push_button_clicked   the club face up, the computer's card face down,
//                         "Card Open", every card button disabled
//     3000 ms  Open_card_timer    the computer's card face up
//     1500 ms  Open_card_timer2   the round judged; Judge_round arms the next
//                                 step (Open_card_timer3, or the tie chain)
//     1500 ms  Open_card_timer3   both played cards and the message cleared
//     1500 ms  Open_card_timer4   the next round's banner and sound, or the
//                                 table reset after the thirteenth round
//     3000 ms  Open_card_timer5   the next prize up, unplayed cards enabled
#include "app/vell.h"

#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

namespace {

// The keys that play a club, for a game without the mouse.
struct CardKey {
    Qt::Key key;
    int card;
};
constexpr CardKey kCardKeys[] = {
    {Qt::Key_1, 1}, {Qt::Key_2, 2}, {Qt::Key_3, 3},   {Qt::Key_4, 4},   {Qt::Key_5, 5},
    {Qt::Key_6, 6}, {Qt::Key_7, 7}, {Qt::Key_8, 8},   {Qt::Key_9, 9},   {Qt::Key_0, 10},
    {Qt::Key_J, 11}, {Qt::Key_Q, 12}, {Qt::Key_K, 13}, {Qt::Key_A, 1},
};

bool isDigit(Qt::Key key)
{
    return key >= Qt::Key_0 && key <= Qt::Key_9;
}

} // namespace

// A key clicks its card's button, so a key for a button that is disabled
// does nothing, just as a click on it would.
void Vell::createCardKeys()
{
    for (const CardKey& k : kCardKeys) {
        QList<QKeySequence> sequences{QKeySequence(k.key)};
        if (isDigit(k.key))
            sequences << QKeySequence(Qt::KeypadModifier | k.key);
        for (const QKeySequence& sequence : sequences) {
            auto* shortcut = new QShortcut(sequence, this);
            shortcut->setAutoRepeat(false);
            QPushButton* button = Push_button[k.card - 1];
            connect(shortcut, &QShortcut::activated, button, &QPushButton::click);
        }
    }
}

void Vell::Push_button_clicked(int K)
{
    // A round takes exactly one play.
    if (m_match.phase() != Match::Phase::WaitingForCard)
        return;
    Push_button_same(K);
    // A play the match refused leaves the round waiting for one.
    if (m_match.phase() != Match::Phase::Revealing)
        return;
    showMessage(QStringLiteral("Card Open"));
    announce(tr("Your card: %1").arg(rules::cardName(rules::Suit::Clubs, K)));
    Draw_CPU_Card(m_match.N);
    after(3000, &Vell::Open_card_timer);
}

void Vell::Push_button_same(int k)
{
    if (!m_match.recordPlay(k))
        return;
    card_spade_show(0);
    All_buttons_disable();
    for (int i = 0; i < m_match.open_count; ++i)
        Clear_User_Card(m_match.open_button[i]);
    card_user_show(k);
}

void Vell::Open_card_timer()
{
    showMessage(QString());
    card_spade_open();
    announce(tr("Computer's card: %1").arg(rules::cardName(rules::Suit::Spades, m_match.computerCard())));
    after(1500, &Vell::Open_card_timer2);
}

void Vell::Open_card_timer2()
{
    if (m_match.playedCard() == 0 || m_match.computerCard() == 0)
        return;
    Judge_round(m_match.computerCard(), m_match.playedCard());
    if (m_match.N == rules::kCards)
        after(1500, &Vell::Open_show_result_timer);
}

void Vell::Open_card_timer3()
{
    clearCard(User_Label_open);
    clearCard(CPU_Label_open);
    showMessage(QString());
    after(1500, &Vell::Open_card_timer4);
}

void Vell::Open_card_timer4()
{
    if (m_match.Round_count < rules::kCards) {
        m_match.nextRound();
        Round_start(m_match.Round_count);
        after(3000, &Vell::Open_card_timer5);
    } else if (m_match.Round_count == rules::kCards) {
        m_match.endRounds();
        first_screen();
    }
}

void Vell::Open_card_timer5()
{
    showMessage(QString());
    m_match.letPlayerPlay();
    card_daiya_open();
    Refresh_buttons();
    offerPrize();
}
