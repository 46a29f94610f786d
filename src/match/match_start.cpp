// SPDX-License-Identifier: MIT
// The deal, the reset of the table, and the start of a match:
//
//   Beginer_start      deal, reset, "Game Start", match commands greyed
//     1500 ms  Start_game_timer    message cleared
//     1500 ms  Start_game_timer2   round 1: banner, score line, sound
//     3000 ms  Start_game_timer3   first prize up, all card buttons enabled
#include "app/vell.h"

#include <QLabel>
#include <QPixmap>

void Vell::Beginer_start()
{
    if (m_match.running())
        return;
    m_match.Shuffle_daiya();
    m_match.Shuffle_spade();
    m_match.begin(Match::Kind::Human);
    m_steps.startChain();
    first_screen();
    showMessage(QStringLiteral("Game Start"));
    announce(tr("Game Start"));
    showMatchCommands();
    after(1500, &Vell::Start_game_timer);
}

void Vell::Start_game_timer()
{
    showMessage(QString());
    after(1500, &Vell::Start_game_timer2);
}

void Vell::Start_game_timer2()
{
    m_match.nextRound();
    Round_start(m_match.Round_count);
    after(3000, &Vell::Start_game_timer3);
}

void Vell::Start_game_timer3()
{
    showMessage(QString());
    m_match.letPlayerPlay();
    All_buttons_enable();
    card_daiya_open();
    offerPrize();
}

void Vell::first_screen()
{
    End_game_auto_timer();
    initiallise_get_card_player();
    initiallise_get_card_cpu();
    initiallise_cpu_card();
    initiallise_player_card();
    m_match.first_screen();
    Score_Label->setText(m_match.Score_text);
}

void Vell::initiallise_get_card_player()
{
    for (QLabel* label : User_Get_Label_card)
        clearCard(label);
}

void Vell::initiallise_get_card_cpu()
{
    for (QLabel* label : CPU_Get_Label_card)
        clearCard(label);
}

void Vell::initiallise_cpu_card()
{
    const QPixmap back = cardBack();
    for (QLabel* label : CPU_Label_card)
        showCardBack(label, back);
    showCardBack(Daiya_Label_back, back);
}

void Vell::initiallise_player_card()
{
    for (int v = 1; v <= rules::kCards; ++v)
        showCard(User_Label_card[v - 1], rules::Suit::Clubs, v);
}
