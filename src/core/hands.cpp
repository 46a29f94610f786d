// SPDX-License-Identifier: MIT
#include "hands.h"

#include "core/autoplay_tables.h"

#include <algorithm>

namespace {

// The first card of order that the hand still holds.
std::optional<int> firstHeld(const rules::Order& order, const rules::Cards& held)
{
    const auto card = std::find_if(order.begin(), order.end(), [&held](int v) { return held[v - 1]; });
    return card == order.end() ? std::nullopt : std::optional<int>(*card);
}

} // namespace

int Hand::place(const Match::Sight&, int card) const
{
    return card;
}

std::optional<int> PlayerHand::choose(const Match::Sight&)
{
    return std::nullopt;
}

DealtOrderHand::DealtOrderHand(const rules::Order& order)
    : m_order(order)
{
}

std::optional<int> DealtOrderHand::choose(const Match::Sight& sight)
{
    return firstHeld(m_order, sight.own);
}

// One place for each card played for good, from the left.
int DealtOrderHand::place(const Match::Sight& sight, int) const
{
    return rules::kCards - int(std::count(sight.own.begin(), sight.own.end(), true)) + 1;
}

FixedOrderHand::FixedOrderHand(const rules::Order& order)
    : m_order(order)
{
}

std::optional<int> FixedOrderHand::choose(const Match::Sight& sight)
{
    const int round = sight.round;
    if (round >= 1 && round <= rules::kCards && sight.own[m_order[round - 1] - 1])
        return m_order[round - 1];
    return firstHeld(m_order, sight.own);
}

namespace {

// A level that plays otherwise is a hand of its own, chosen here.
std::unique_ptr<Hand> computerHand([[maybe_unused]] int level, const rules::Order& dealt)
{
    return std::make_unique<DealtOrderHand>(dealt);
}

} // namespace

Hands makeHands(Match::Kind kind, int level, const rules::Order& dealtSpades)
{
    if (kind == Match::Kind::Watching)
        return {std::make_unique<FixedOrderHand>(buf_auto_spade), std::make_unique<FixedOrderHand>(buf_auto_club)};
    return {computerHand(level, dealtSpades), std::make_unique<PlayerHand>()};
}
