// SPDX-License-Identifier: MIT
#pragma once

#include "core/match.h"
#include "core/rules.h"

#include <array>
#include <memory>
#include <optional>

// A hand that plays one side of a match. Each round, once the match waits
// for the cards, the runner asks both hands for theirs, showing each only
// what a player at the table would see (Match::Sight): the spades, always
// the computer's, and the clubs, the player's in a match against the
// computer and a second computer hand in the watching mode. A hand answers
// with a card it holds, or with nothing when the player is to choose it.
class Hand
{
public:
    virtual ~Hand() = default;
    virtual std::optional<int> choose(const Match::Sight& sight) = 0;
    // The place of the hand's row that a card it holds leaves, or comes back
    // to: by default the card's own, as a row laid out by value.
    virtual int place(const Match::Sight& sight, int card) const;
};

// The player's clubs: the card is the one the player clicks.
class PlayerHand final : public Hand
{
public:
    std::optional<int> choose(const Match::Sight& sight) override;
};

// The computer's spades as dealt: it plays the first card of its order that
// it still holds, so a tied card comes again first. Its row lies face down,
// emptied from the left.
class DealtOrderHand final : public Hand
{
public:
    explicit DealtOrderHand(const rules::Order& order);
    std::optional<int> choose(const Match::Sight& sight) override;
    int place(const Match::Sight& sight, int card) const override;

private:
    rules::Order m_order;
};

// The watching mode's hands: round r plays order[r - 1].
class FixedOrderHand final : public Hand
{
public:
    explicit FixedOrderHand(const rules::Order& order);
    std::optional<int> choose(const Match::Sight& sight) override;

private:
    rules::Order m_order;
};

// The two hands of a match, by side: [int(Match::Side::Spades)] and
// [int(Match::Side::Clubs)].
using Hands = std::array<std::unique_ptr<Hand>, 2>;

// The hands of a match of the given kind, the computer's at its level and
// with the order it was dealt. A stronger computer is one more Hand and one
// line here.
Hands makeHands(Match::Kind kind, int level, const rules::Order& dealtSpades);
