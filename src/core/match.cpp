// SPDX-License-Identifier: MIT
#include "match.h"

#include "core/logging.h"
#include "core/random_source.h"

#include <QList>

using rules::Cards;
using rules::isCard;
using rules::isPosition;
using rules::kCards;

namespace {

QDebug operator<<(QDebug debug, Match::Phase phase)
{
    return debug << int(phase);
}

} // namespace

Match::Match(RandomSource& random)
    : m_random(random)
{
}

int Match::prize() const
{
    return isPosition(m_state.N) ? m_state.buf_daiya[m_state.N] : 0;
}

int Match::lastPlayed(Side side) const
{
    const Played& played = m_played[int(side)];
    return played.count >= 1 ? played.cards[played.count - 1] : 0;
}

Cards Match::held(Side side) const
{
    Cards cards;
    cards.fill(true);
    const Played& played = m_played[int(side)];
    for (int i = 0; i < played.count; ++i) {
        if (isCard(played.cards[i]))
            cards[played.cards[i] - 1] = false;
    }
    return cards;
}

std::array<int, 14> Match::button_count() const
{
    std::array<int, 14> marked = {};
    for (int v = 1; v <= kCards; ++v)
        marked[v] = held(Side::Clubs)[v - 1] ? 0 : v;
    return marked;
}

Match::Sight Match::sight(Side side) const
{
    const Side other = side == Side::Spades ? Side::Clubs : Side::Spades;
    Sight sight;
    sight.round = m_state.Round_count;
    sight.prize = prize();
    sight.own = held(side);
    sight.other = held(other);
    // The prizes still to come are known as a set, never in their order.
    for (int i = m_state.N; i < kCards; ++i)
        sight.prizesLeft[m_state.buf_daiya[i] - 1] = true;
    sight.ownScore = side == Side::Spades ? m_state.CPU_score : m_state.User_score;
    sight.otherScore = side == Side::Spades ? m_state.User_score : m_state.CPU_score;
    return sight;
}

bool Match::begin(Kind kind)
{
    if (running() || kind == Kind::None)
        return false;
    if (kind == Kind::Human) {
        Shuffle_daiya();
        Shuffle_spade();
    }
    first_screen();
    m_kind = kind;
    m_phase = Phase::Starting;
    return true;
}

bool Match::startRound()
{
    const bool next = m_phase == Phase::Starting || (m_phase == Phase::Judged && !roundsOver());
    if (!next) {
        qCDebug(lcVell) << "no next round in phase" << m_phase;
        return false;
    }
    ++m_state.Round_count;
    m_phase = Phase::RoundStarting;
    return true;
}

int Match::openPrize()
{
    if (m_phase != Phase::RoundStarting)
        return 0;
    m_phase = Phase::WaitingForCard;
    return prize();
}

bool Match::play(int spade, int club)
{
    if (m_phase != Phase::WaitingForCard || !isCard(spade) || !isCard(club) || !held(Side::Spades)[spade - 1]
        || !held(Side::Clubs)[club - 1]) {
        qCDebug(lcVell) << "play" << club << "against" << spade << "refused in phase" << m_phase;
        return false;
    }
    const int cards[2] = {spade, club};
    for (const Side side : {Side::Spades, Side::Clubs}) {
        Played& played = m_played[int(side)];
        // After a tie the new card takes the tied card's entry.
        if (m_state.tie_flag == 0)
            ++played.count;
        played.cards[played.count - 1] = cards[int(side)];
    }
    m_phase = Phase::Revealing;
    return true;
}

std::optional<Match::Judgement> Match::judge()
{
    if (m_phase != Phase::Revealing)
        return std::nullopt;
    const Judgement judgement{rules::judge(spadePlayed(), playedCard()), prize()};
    switch (judgement.verdict) {
    case rules::Verdict::Tie:
        m_state.tie_flag = 1;
        ++m_state.tie_count;
        m_phase = Phase::Tie;
        return judgement;
    case rules::Verdict::ComputerWins:
        Add_Score_CPU(judgement.prize);
        break;
    case rules::Verdict::PlayerWins:
        Add_Score_Player(judgement.prize);
        break;
    }
    m_state.tie_flag = 0;
    ++m_state.N;
    m_phase = Phase::Judged;
    return judgement;
}

bool Match::replayTiedRound()
{
    if (m_phase != Phase::Tie || tieCannotBeReplayed())
        return false;
    // Both tied cards are struck from the records and so go back to their
    // hands: either may be played again.
    for (Played& played : m_played)
        played.cards[played.count - 1] = 0;
    m_phase = Phase::RoundStarting;
    return true;
}

bool Match::leaveLastPrizeUnawarded()
{
    if (!tieCannotBeReplayed())
        return false;
    m_state.tie_flag = 0;
    m_state.N = kCards;
    m_phase = Phase::Judged;
    return true;
}

bool Match::showResult()
{
    if (m_phase != Phase::Judged || !roundsOver())
        return false;
    m_phase = Phase::ShowingResult;
    return true;
}

bool Match::endRounds()
{
    if (m_phase != Phase::ShowingResult)
        return false;
    first_screen();
    m_phase = Phase::Resetting;
    return true;
}

bool Match::finish()
{
    if (m_phase != Phase::ShowingResult && m_phase != Phase::Resetting)
        return false;
    abandon();
    return true;
}

void Match::abandon()
{
    first_screen();
    m_phase = Phase::Idle;
    m_kind = Kind::None;
}

void Match::Rand_daiya_set()
{
    for (int& position : m_state.rand_daiya)
        position = m_random.below(kCards);
}

void Match::Rand_spade_set()
{
    for (int& position : m_state.rand_spade)
        position = m_random.below(kCards);
}

void Match::Swap_spade(int i, int j)
{
    if (isPosition(i) && isPosition(j))
        std::swap(m_state.buf_spade[i], m_state.buf_spade[j]);
}

void Match::Shuffle_daiya()
{
    Rand_daiya_set();
    rules::shufflePass(m_state.buf_daiya, m_state.rand_daiya);
    qCDebug(lcVell) << "prize order" << QList<int>(m_state.buf_daiya.begin(), m_state.buf_daiya.end());
}

void Match::Shuffle_spade()
{
    Rand_spade_set();
    rules::shufflePass(m_state.buf_spade, m_state.rand_spade);
    Swap_spade(0, m_state.rand_daiya[2]);
    qCDebug(lcVell) << "computer's order" << QList<int>(m_state.buf_spade.begin(), m_state.buf_spade.end());
}

void Match::first_screen()
{
    m_state.Round_count = 0;
    m_state.CPU_score = 0;
    m_state.User_score = 0;
    m_state.tie_count = 0;
    m_state.tie_flag = 0;
    m_state.N = 0;
    m_played = {};
}

void Match::Add_Score_Player(int v)
{
    if (!isCard(v))
        return;
    m_state.User_score += rules::prizePoints(v);
}

void Match::Add_Score_CPU(int v)
{
    if (!isCard(v))
        return;
    m_state.CPU_score += rules::prizePoints(v);
}
