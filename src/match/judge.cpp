// SPDX-License-Identifier: MIT
// Deciding a round once both cards lie face up: the verdict, the prize to
// the higher card, its points, and the next step of the chain.
#include "app/vell.h"

#include "match/match_state.h"

#include <QLabel>

bool Vell::judgeCards(int x, int y, int prize)
{
    const rules::Verdict verdict = rules::judge(x, y);
    if (verdict == rules::Verdict::Tie) {
        tie_flag = 1;
        ++tie_count;
        showScoreLine(Round_count);
        showMessage(QStringLiteral("This is tie"));
        after(1500, &Vell::tie_no_count_timer);
        return false;
    }
    tie_flag = 0;
    const bool computerWins = verdict == rules::Verdict::ComputerWins;
    showMessage(computerWins ? QStringLiteral("You Lose") : QStringLiteral("You Win"));
    clearCard(Daiya_Label_open);
    if (computerWins) {
        Add_Score_CPU(prize);
        Get_Card_CPU(prize);
    } else {
        Add_Score_Player(prize);
        Get_Card_Player(prize);
    }
    return true;
}

void Vell::Judge_round(int x, int y)
{
    if (N < 0 || N >= rules::kCards)
        return;
    if (judgeCards(x, y, buf_daiya[N])) {
        ++N;
        after(1500, &Vell::Open_card_timer3);
    }
}

// The watching mode's twin: the prize of the round shown, N left alone.
void Vell::Judge_round_auto(int x, int y)
{
    if (Round_count < 1 || Round_count > rules::kCards)
        return;
    if (judgeCards(x, y, buf_daiya[Round_count - 1]))
        after(1500, &Vell::watchmode_timer);
}

void Vell::addPrizePoints(int& total, int v)
{
    if (!rules::isCard(v))
        return;
    total += rules::prizePoints(v);
    showScoreLine(Round_count);
}

void Vell::Add_Score_Player(int v)
{
    addPrizePoints(User_score, v);
}

void Vell::Add_Score_CPU(int v)
{
    addPrizePoints(CPU_score, v);
}

// The won rows are ordered by value: place v only ever holds diamond v.
void Vell::Get_Card_Player(int v)
{
    if (rules::isCard(v))
        card_daiya_put(User_Get_Label_card[v - 1], v);
}

void Vell::Get_Card_CPU(int v)
{
    if (rules::isCard(v))
        card_daiya_put(CPU_Get_Label_card[v - 1], v);
}
