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

#include "match/match_state.h"

#include <QLabel>

void Vell::tie_no_count_timer()
{
    showMessage(QStringLiteral("No Count"));
    after(1500, &Vell::tie_no_count_timer2);
}

void Vell::tie_no_count_timer2()
{
    showMessage(QString());
    clearCard(CPU_Label_open);
    clearCard(User_Label_open);
    if (N == rules::kCards - 1) {
        leaveLastPrizeUnawarded();
        return;
    }
    recount_input();
    // Struck from the record only now: recount_input reads it first.
    open_button[open_count - 1] = 0;
    Round_start(Round_count);
}

void Vell::recount_input()
{
    for (int i = N; i < rules::kCards; ++i)
        buf_spade_save[i] = buf_spade[i];
    Return_User_Card(open_button[open_count - 1]);
    Return_CPU_Card(N);
    after(1500, &Vell::tie_no_count_timer3);
}

void Vell::tie_no_count_timer3()
{
    showMessage(QString());
    Refresh_buttons();
}

void Vell::leaveLastPrizeUnawarded()
{
    clearCard(Daiya_Label_open);
    tie_flag = 0;
    N = rules::kCards;
    after(1500, &Vell::Open_card_timer3);
    after(1500, &Vell::Open_show_result_timer);
}
