// SPDX-License-Identifier: MIT
// The deal, the reset of the table, and the start of a match:
//
//   Beginer_start      deal, reset, "Game Start", match commands greyed
//     1500 ms  Start_game_timer    message cleared
//     1500 ms  Start_game_timer2   round 1: banner, score line, sound
//     3000 ms  Start_game_timer3   first prize up, all card buttons enabled
#include "app/vell.h"

#include "app/logging.h"
#include "match/match_state.h"

#include <QAction>
#include <QLabel>
#include <QList>
#include <QPixmap>

#include <cstdlib>

namespace {

void drawPositions(rules::Draw& draw)
{
    for (int& position : draw)
        position = std::rand() % rules::kCards;
}

} // namespace

void Vell::Rand_daiya_set()
{
    drawPositions(rand_daiya);
}

void Vell::Rand_spade_set()
{
    drawPositions(rand_spade);
}

void Vell::Swap_spade(int i, int j)
{
    std::swap(buf_spade[i], buf_spade[j]);
}

void Vell::Shuffle_daiya()
{
    Rand_daiya_set();
    rules::shufflePass(buf_daiya, rand_daiya);
    qCDebug(lcVell) << "prize order" << QList<int>(buf_daiya.begin(), buf_daiya.end());
}

void Vell::Shuffle_spade()
{
    Rand_spade_set();
    rules::shufflePass(buf_spade, rand_spade);
    // The computer's first card also changes place with the third position
    // drawn for the prizes of the same deal.
    Swap_spade(0, rand_daiya[2]);
    qCDebug(lcVell) << "computer's order" << QList<int>(buf_spade.begin(), buf_spade.end());
}

void Vell::Beginer_start()
{
    Shuffle_daiya();
    Shuffle_spade();
    first_screen();
    showMessage(QStringLiteral("Game Start"));
    Human_vs_Computer_Action->setEnabled(false);
    Human_vs_Computer_Action->setChecked(true);
    Computer_vs_Computer_Action->setEnabled(false);
    after(1500, &Vell::Start_game_timer);
}

void Vell::Start_game_timer()
{
    showMessage(QString());
    after(1500, &Vell::Start_game_timer2);
}

void Vell::Start_game_timer2()
{
    ++Round_count;
    Round_start(Round_count);
    after(3000, &Vell::Start_game_timer3);
}

void Vell::Start_game_timer3()
{
    showMessage(QString());
    All_buttons_enable();
    card_daiya_open();
}

void Vell::first_screen()
{
    End_game_auto_timer();
    initiallise_get_card_player();
    initiallise_get_card_cpu();
    initiallise_cpu_card();
    initiallise_player_card();
    Round_count = 0;
    CPU_score = 0;
    User_score = 0;
    tie_count = 0;
    open_count = 0;
    showScoreLine(Round_count);
    buf_spade_save.fill(0);
    tie_flag = 0;
    N = 0;
    open_button.fill(0);
    button_count.fill(0);
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
