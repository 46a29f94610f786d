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

#include "match/match_state.h"

#include <QLabel>

void Vell::Push_button_clicked(int K)
{
    Push_button_same(K);
    Message_Label->setText(QStringLiteral("Card Open"));
    Draw_CPU_Card(N);
    after(3000, &Vell::Open_card_timer);
}

void Vell::Push_button_same(int k)
{
    // After a tie the new card takes the tied card's entry.
    const int count = tie_flag == 0 ? open_count + 1 : open_count;
    if (count < 1 || count > rules::kCards)
        return;
    open_count = count;
    card_spade_show(0);
    open_button[open_count - 1] = k;
    All_buttons_disable();
    for (int i = 0; i < open_count; ++i)
        Clear_User_Card(open_button[i]);
    card_user_show(k);
}

void Vell::Open_card_timer()
{
    Message_Label->clear();
    card_spade_open();
    after(1500, &Vell::Open_card_timer2);
}

void Vell::Open_card_timer2()
{
    if (N < 0 || N >= rules::kCards || open_count < 1)
        return;
    Judge_round(buf_spade[N], open_button[open_count - 1]);
    if (N == rules::kCards)
        after(1500, &Vell::Open_show_result_timer);
}

void Vell::Open_card_timer3()
{
    clearCard(User_Label_open);
    clearCard(CPU_Label_open);
    Message_Label->clear();
    after(1500, &Vell::Open_card_timer4);
}

void Vell::Open_card_timer4()
{
    if (Round_count < rules::kCards) {
        ++Round_count;
        Round_start(Round_count);
        after(3000, &Vell::Open_card_timer5);
    } else if (Round_count == rules::kCards) {
        first_screen();
    }
}

void Vell::Open_card_timer5()
{
    Message_Label->clear();
    card_daiya_open();
    Refresh_buttons();
}
