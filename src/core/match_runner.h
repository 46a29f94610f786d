// SPDX-License-Identifier: MIT
#pragma once

#include "core/hands.h"
#include "core/match.h"

#include <QObject>

#include <array>
#include <optional>

class RandomSource;
class StepClock;
struct Settings;

namespace chains {
struct Step;
struct Schedule;
} // namespace chains

// Plays a match of either kind as a chain of timed steps on the step clock,
// from the command that starts it to the table set for the next one. Each
// step moves the match on and tells the view what happened, in numbers and
// verdicts, through the signals below; the view puts it into pictures and
// words, and turns the player's clicks into play(). A match against the
// computer and the watching mode are the same round, played by other hands
// and with other delays. The steps carry the names the game has always given
// them, and the clock reports them by those names.
class MatchRunner : public QObject
{
    Q_OBJECT

public:
    // A card going on the table or back into its hand: the card, the place
    // of its hand's row it leaves or comes back to, and whether its face
    // shows: a card the player chose is seen as it is played, one a
    // computer chose lies face down until it is turned up.
    struct Card {
        int card = 0;
        int place = 0;
        bool faceUp = false;
    };

    // Deals from random and reads the computer's level from settings when a
    // match begins; all three outlive the runner.
    MatchRunner(StepClock& clock, RandomSource& random, const Settings& settings, QObject* parent = nullptr);
    ~MatchRunner() override;

    const Match& match() const { return m_match; }

    // Starts a match of the given kind; false, changing nothing, while one
    // runs.
    bool start(Match::Kind kind);
    // The player's card for the round, for the hand that waits for the
    // player; false, changing nothing, when none waits or the card is not
    // one that hand holds.
    bool play(int card);
    // The table is left: the steps still pending are let go, and the match
    // goes back to the first screen.
    void abandon();

signals:
    // A match has begun; the match commands wait until it has ended.
    void matchStarted(Match::Kind kind);
    void matchEnded();
    // The first screen: every card back in its hand, nothing on the table,
    // nothing won.
    void tableReset();
    void scoreChanged(const Match::Score& score);
    // The message line is emptied.
    void messageCleared();
    // A round opens, or opens again after a tie: its banner, its sound.
    void roundStarted(int round);
    // The round's prize is turned up; the last one empties the pile.
    void prizeTurnedUp(int prize, bool pileEmpty);
    // The hands are asked for their cards for this prize.
    void prizeOffered(int round, int prize);
    // The cards the player may choose from for the hand that waits for the
    // player's choice, or none once it is made.
    void cardsPlayable(const rules::Cards& playable);
    // Both cards leave their hands for the table.
    void cardsPlayed(const MatchRunner::Card& spade, const MatchRunner::Card& club);
    // The cards still face down are turned up; 0 for one already up.
    void cardsRevealed(int spade, int club);
    // The round is judged, with both totals after it. A decided round's
    // prize leaves the table for the winner's row; a tie leaves it up.
    void roundJudged(rules::Verdict verdict, int prize, int cpuScore, int userScore);
    // Equal cards do not count.
    void noCount();
    // The tied cards go back into their hands.
    void tiedCardsReturned(const MatchRunner::Card& spade, const MatchRunner::Card& club);
    void playedCardsCleared();
    // A tie in the last round: its prize leaves the table for nobody.
    void prizeLeftUnawarded(int prize);
    // The result of the match: both totals, the winner's first.
    void resultShown(int cpuScore, int userScore);
    void resultHidden();

private:
    using Run = void (MatchRunner::*)();
    // A hand's card for the round on the table, and whether the player
    // chose it.
    struct Choice {
        std::optional<int> card;
        bool byPlayer = false;
    };

    void arm(const chains::Step& step, Run run);
    void announceRound();
    void askHands();
    bool playCards();
    MatchRunner::Card onTable(Match::Side side, int card) const;

    // The steps, in the order a match runs them.
    void clearGameStart();
    void startRound();
    void turnUpPrize();
    void playChosenCards();
    void reveal();
    void judge();
    void clearTable();
    void showNoCount();
    void returnTiedCards();
    void offerTiedPrize();
    void showResult();
    void endRounds();
    void finish();

    StepClock& m_clock;
    const Settings& m_settings;
    Match m_match;
    Hands m_hands;
    std::array<Choice, 2> m_choices;
    const chains::Schedule* m_schedule = nullptr;
};
