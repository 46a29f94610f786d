// SPDX-License-Identifier: MIT
#pragma once

#include "core/match.h"
#include "core/rules.h"

#include <memory>

// A hand that plays one side of a match. Each round the runner asks both
// hands for their cards: the spades, always the computer's, and the clubs,
// the player's in a match against the computer and a second computer hand in
// the watching mode.
class Hand
{
public:
    virtual ~Hand() = default;
    // The card this hand plays in the round on the table, one it still
    // holds; 0 when the card is the player's to choose.
    virtual int choose(const Match& match) = 0;
    // The place of the hand's row that the card leaves: by default the
    // card's own, as a row laid out by value.
    virtual int place(const Match& match, int card) const;
    // The player holds this hand: the round waits for the player's card,
    // which the player sees as it is played.
    virtual bool isPlayer() const { return false; }
};

// The player's clubs: the card is the one the player clicks.
class PlayerHand final : public Hand
{
public:
    int choose(const Match& match) override;
    bool isPlayer() const override { return true; }
};

// The computer's spades as dealt: it plays the next card of its order. Its
// row lies face down, emptied from the left.
class DealtOrderHand final : public Hand
{
public:
    int choose(const Match& match) override;
    int place(const Match& match, int card) const override;
};

// The watching mode's hands: round r plays order[r - 1].
class FixedOrderHand final : public Hand
{
public:
    explicit FixedOrderHand(const rules::Order& order);
    int choose(const Match& match) override;

private:
    rules::Order m_order;
};

struct Hands {
    std::unique_ptr<Hand> spades;
    std::unique_ptr<Hand> clubs;
};

// The hands of a match of the given kind, the computer's at its level.
Hands makeHands(Match::Kind kind, int level);
