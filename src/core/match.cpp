// SPDX-License-Identifier: MIT
#include "match.h"

#include "core/autoplay_tables.h"
#include "core/logging.h"

#include <QList>

#include <cstdlib>

using rules::isCard;
using rules::kCards;

namespace {

void drawPositions(rules::Draw& draw)
{
    for (int& position : draw)
        position = std::rand() % kCards;
}

bool isPosition(int i)
{
    return i >= 0 && i < kCards;
}

} // namespace

void Match::Rand_daiya_set()
{
    drawPositions(rand_daiya);
}

void Match::Rand_spade_set()
{
    drawPositions(rand_spade);
}

void Match::Swap_daiya(int i, int j)
{
    if (isPosition(i) && isPosition(j))
        std::swap(buf_daiya[i], buf_daiya[j]);
}

void Match::Swap_spade(int i, int j)
{
    if (isPosition(i) && isPosition(j))
        std::swap(buf_spade[i], buf_spade[j]);
}

void Match::Shuffle_daiya()
{
    Rand_daiya_set();
    rules::shufflePass(buf_daiya, rand_daiya);
    qCDebug(lcVell) << "prize order" << QList<int>(buf_daiya.begin(), buf_daiya.end());
}

void Match::Shuffle_spade()
{
    Rand_spade_set();
    rules::shufflePass(buf_spade, rand_spade);
    Swap_spade(0, rand_daiya[2]);
    qCDebug(lcVell) << "computer's order" << QList<int>(buf_spade.begin(), buf_spade.end());
}

bool Match::begin(Kind kind)
{
    if (running() || kind == Kind::None)
        return false;
    m_kind = kind;
    m_phase = kind == Kind::Human ? Phase::Starting : Phase::Watching;
    return true;
}

void Match::first_screen()
{
    Round_count = 0;
    CPU_score = 0;
    User_score = 0;
    tie_count = 0;
    open_count = 0;
    writeScoreLine(Round_count);
    buf_spade_save.fill(0);
    tie_flag = 0;
    N = 0;
    open_button.fill(0);
    button_count.fill(0);
}

void Match::nextRound()
{
    ++Round_count;
}

void Match::writeScoreLine(int round)
{
    Score_text = rules::scoreLine(round, CPU_score, User_score, tie_count);
}

int Match::prizeToOpen() const
{
    return isPosition(N) ? buf_daiya[N] : 0;
}

void Match::letPlayerPlay()
{
    m_phase = Phase::WaitingForCard;
}

bool Match::recordPlay(int k)
{
    if (m_phase != Phase::WaitingForCard || !isCard(k))
        return false;
    // After a tie the new card takes the tied card's entry.
    const int count = tie_flag == 0 ? open_count + 1 : open_count;
    if (count < 1 || count > kCards)
        return false;
    open_count = count;
    open_button[open_count - 1] = k;
    m_phase = Phase::Revealing;
    return true;
}

int Match::playedCard() const
{
    return open_count >= 1 && open_count <= kCards ? open_button[open_count - 1] : 0;
}

int Match::computerCard() const
{
    return isPosition(N) ? buf_spade[N] : 0;
}

Match::Judgement Match::judge(int x, int y, int prize)
{
    const rules::Verdict verdict = rules::judge(x, y);
    if (verdict == rules::Verdict::Tie) {
        tie_flag = 1;
        ++tie_count;
        if (m_phase != Phase::Watching)
            m_phase = Phase::Tie;
        writeScoreLine(Round_count);
    } else if (verdict == rules::Verdict::ComputerWins) {
        tie_flag = 0;
        Add_Score_CPU(prize);
    } else {
        tie_flag = 0;
        Add_Score_Player(prize);
    }
    return {verdict, prize};
}

void Match::Add_Score_Player(int v)
{
    if (!isCard(v))
        return;
    User_score += rules::prizePoints(v);
    writeScoreLine(Round_count);
}

void Match::Add_Score_CPU(int v)
{
    if (!isCard(v))
        return;
    CPU_score += rules::prizePoints(v);
    writeScoreLine(Round_count);
}

Match::Judgement Match::judgeRound(int x, int y)
{
    const Judgement judgement = judge(x, y, prizeToOpen());
    if (judgement.verdict != rules::Verdict::Tie)
        ++N;
    return judgement;
}

Match::Judgement Match::judgeRoundAuto(int x, int y)
{
    return judge(x, y, autoPrize());
}

void Match::saveComputerCards()
{
    for (int i = qMax(N, 0); i < kCards; ++i)
        buf_spade_save[i] = buf_spade[i];
}

void Match::strikeTiedPlay()
{
    if (open_count >= 1 && open_count <= kCards)
        open_button[open_count - 1] = 0;
}

void Match::leaveLastPrizeUnawarded()
{
    tie_flag = 0;
    N = kCards;
    m_phase = Phase::Revealing;
}

std::array<bool, rules::kCards> Match::playableCards()
{
    for (int i = 0; i < open_count && i < int(open_button.size()); ++i) {
        const int v = open_button[i];
        if (isCard(v))
            button_count[v] = v;
    }
    std::array<bool, kCards> playable{};
    for (int v = 1; v <= kCards; ++v)
        playable[v - 1] = button_count[v] == 0;
    return playable;
}

int Match::autoPrize() const
{
    return Round_count >= 1 && Round_count <= kCards ? buf_daiya[Round_count - 1] : 0;
}

int Match::autoSpade() const
{
    return Round_count >= 1 && Round_count <= kCards ? buf_auto_spade[Round_count - 1] : 0;
}

int Match::autoClub() const
{
    return Round_count >= 1 && Round_count <= kCards ? buf_auto_club[Round_count - 1] : 0;
}

void Match::showResult()
{
    const rules::ResultLines lines = rules::resultLines(CPU_score, User_score);
    Result_text1 = lines.first;
    Result_text2 = lines.second;
    m_phase = Phase::ShowingResult;
}

void Match::endRounds()
{
    m_phase = Phase::Resetting;
}

void Match::finish()
{
    m_phase = Phase::Idle;
    m_kind = Kind::None;
}
