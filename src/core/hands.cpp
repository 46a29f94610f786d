// SPDX-License-Identifier: MIT
#include "hands.h"

#include "core/autoplay_tables.h"

int Hand::place(const Match&, int card) const
{
    return card;
}

int PlayerHand::choose(const Match&)
{
    return 0;
}

int DealtOrderHand::choose(const Match& match)
{
    return match.N() < rules::kCards ? match.buf_spade()[match.N()] : 0;
}

int DealtOrderHand::place(const Match& match, int) const
{
    return match.N() + 1;
}

FixedOrderHand::FixedOrderHand(const rules::Order& order)
    : m_order(order)
{
}

int FixedOrderHand::choose(const Match& match)
{
    const int round = match.Round_count();
    return round >= 1 && round <= rules::kCards ? m_order[round - 1] : 0;
}

namespace {

// A level that plays otherwise is a hand of its own, chosen here.
std::unique_ptr<Hand> computerHand(int level)
{
    Q_UNUSED(level);
    return std::make_unique<DealtOrderHand>();
}

} // namespace

Hands makeHands(Match::Kind kind, int level)
{
    if (kind == Match::Kind::Watching)
        return {std::make_unique<FixedOrderHand>(buf_auto_spade), std::make_unique<FixedOrderHand>(buf_auto_club)};
    return {computerHand(level), std::make_unique<PlayerHand>()};
}
