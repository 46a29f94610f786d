// SPDX-License-Identifier: MIT
// Deciding a round once both cards lie face up: the verdict, the prize to
// the higher card, its points, and the next step of the chain.
#include "app/vell.h"

#include <QLabel>

void Vell::showJudgement(const Match::Judgement& judgement)
{
    announce(rules::verdictSpeech(judgement.verdict, m_match.CPU_score, m_match.User_score));
    if (judgement.verdict == rules::Verdict::Tie) {
        // The tie is counted on the score line.
        Score_Label->setText(m_match.Score_text);
        showMessage(QStringLiteral("This is tie"));
        return;
    }
    const bool computerWins = judgement.verdict == rules::Verdict::ComputerWins;
    showMessage(computerWins ? QStringLiteral("You Lose") : QStringLiteral("You Win"));
    clearCard(Daiya_Label_open);
    Score_Label->setText(m_match.Score_text);
    if (computerWins)
        Get_Card_CPU(judgement.prize);
    else
        Get_Card_Player(judgement.prize);
}

void Vell::Judge_round(int x, int y)
{
    if (m_match.prizeToOpen() == 0)
        return;
    const Match::Judgement judgement = m_match.judgeRound(x, y);
    showJudgement(judgement);
    if (judgement.verdict == rules::Verdict::Tie)
        after(1500, &Vell::tie_no_count_timer);
    else
        after(1500, &Vell::Open_card_timer3);
}

// The watching mode's twin: the prize of the round shown, N left alone.
void Vell::Judge_round_auto(int x, int y)
{
    if (m_match.Round_count < 1 || m_match.Round_count > rules::kCards)
        return;
    const Match::Judgement judgement = m_match.judgeRoundAuto(x, y);
    showJudgement(judgement);
    if (judgement.verdict == rules::Verdict::Tie)
        after(1500, &Vell::tie_no_count_timer);
    else
        after(1500, &Vell::watchmode_timer);
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
