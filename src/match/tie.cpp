// SPDX-License-Identifier: MIT
// Equal cards do not count: both go back to the hands and the round is
// played again for the same prize.
//
//   Judge_round        "This is tie"
//     1500 ms  tie_no_count_timer    "No Count"
//     1500 ms  tie_no_count_timer2   cards back in the hands, same banner
//     1500 ms  tie_no_count_timer3   unplayed cards enabled, the tied one too
//
// In the thirteenth round each side holds only the tied card, so the round
// cannot be played again: the prize leaves the table unawarded and the match
// ends as after any last round.
#include "app/vell.h"

#include <QLabel>

void Vell::tie_no_count_timer()
{
    showMessage(QStringLiteral("No Count"));
    announce(tr("No Count."));
    after(1500, &Vell::tie_no_count_timer2);
}

void Vell::tie_no_count_timer2()
{
    showMessage(QString());
    clearCard(CPU_Label_open);
    clearCard(User_Label_open);
    if (m_match.tieCannotBeReplayed()) {
        leaveLastPrizeUnawarded();
        return;
    }
    recount_input();
    // Struck from the record only now: recount_input reads it first.
    m_match.strikeTiedPlay();
    Round_start(m_match.Round_count);
}

void Vell::recount_input()
{
    m_match.saveComputerCards();
    Return_User_Card(m_match.playedCard());
    Return_CPU_Card(m_match.N);
    after(1500, &Vell::tie_no_count_timer3);
}

void Vell::tie_no_count_timer3()
{
    showMessage(QString());
    m_match.letPlayerPlay();
    Refresh_buttons();
    offerPrize();
}

void Vell::leaveLastPrizeUnawarded()
{
    clearCard(Daiya_Label_open);
    m_match.leaveLastPrizeUnawarded();
    after(1500, &Vell::Open_card_timer3);
    after(1500, &Vell::Open_show_result_timer);
}
