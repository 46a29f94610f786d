// SPDX-License-Identifier: MIT
// The watching mode: the computer plays both hands from two fixed orders,
// one round every 10700 ms, with the prizes in the order the last match
// dealt them.
//
//   Watching_mode      "Game Start", match commands greyed
//     1500 ms  watchmode_timer2   round banner, score line, sound
//     3200 ms  watchmode_timer3   the prize up
//     1500 ms  watchmode_timer4   a spade and a club leave the hands, face down
//     1500 ms  watchmode_timer5   both face up
//     1500 ms  watchmode_timer6   judged; Judge_round_auto arms watchmode_timer
//     1500 ms  watchmode_timer    table cleared, then the next round's banner
//                                 1500 ms later, or the end after round 13
#include "app/vell.h"

#include <QLabel>
#include <QPixmap>

void Vell::Watching_mode()
{
    if (!m_match.begin(Match::Kind::Watching))
        return;
    m_steps.startChain();
    showMatchCommands();
    showMessage(QStringLiteral("Game Start"));
    announce(tr("Game Start"));
    after(1500, &Vell::watchmode_timer2);
}

void Vell::watchmode_timer2()
{
    m_match.nextRound();
    if (m_match.Round_count <= rules::kCards) {
        Round_start(m_match.Round_count);
        after(3200, &Vell::watchmode_timer3);
    } else {
        m_match.endRounds();
        End_game_auto_timer();
    }
}

void Vell::watchmode_timer3()
{
    showMessage(QString());
    card_daiya_open_auto();
    if (const int prize = m_match.autoPrize())
        announce(rules::prizeSpeech(m_match.Round_count, prize));
    after(1500, &Vell::watchmode_timer4);
}

void Vell::watchmode_timer4()
{
    AutoPlay(m_match.autoSpade(), m_match.autoClub());
    after(1500, &Vell::watchmode_timer5);
}

void Vell::AutoPlay(int a, int b)
{
    if (rules::isCard(a))
        clearCard(CPU_Label_card[a - 1]);
    if (rules::isCard(b))
        clearCard(User_Label_card[b - 1]);
    const QPixmap back = cardBack();
    showCardBack(CPU_Label_open, back);
    showCardBack(User_Label_open, back);
}

void Vell::watchmode_timer5()
{
    card_spade_show(m_match.autoSpade());
    card_user_show(m_match.autoClub());
    announce(tr("Computer's card: %1, your card: %2")
                 .arg(rules::cardName(rules::Suit::Spades, m_match.autoSpade()),
                      rules::cardName(rules::Suit::Clubs, m_match.autoClub())));
    after(1500, &Vell::watchmode_timer6);
}

void Vell::watchmode_timer6()
{
    Judge_round_auto(m_match.autoSpade(), m_match.autoClub());
    if (m_match.Round_count == rules::kCards)
        after(1500, &Vell::Open_show_result_timer);
}

void Vell::watchmode_timer()
{
    showMessage(QString());
    clearCard(CPU_Label_open);
    clearCard(User_Label_open);
    after(1500, &Vell::watchmode_timer2);
}
