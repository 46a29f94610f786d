// SPDX-License-Identifier: MIT
#pragma once

#include "core/rules.h"

#include <array>
#include <optional>

class RandomSource;

// One match of the game and the rules that move it on: the deal, the cards
// the two sides hold and play, the judging and scoring of a round, ties, and
// the end. It draws nothing, knows no time and words nothing; the runner
// (core/match_runner.h) calls its operations in the order the game plays
// them. Each operation checks that the match is where it belongs: called out
// of turn, or with a card its side does not hold, it changes nothing and says
// so, so no stray call can score, deal, skip a round or play a card twice.
//
// The match's variables keep the names the game has always given them, as
// read-only accessors. The spades are the computer's side; the clubs are the
// player's, or in the watching mode a second computer hand in their place.
// Each fact is kept once: what each side has played is its one record, and
// the cards a side holds, the clubs marked played and the cards on the table
// are read from it.
class Match
{
public:
    enum class Kind { None, Human, Watching };
    enum class Side { Spades, Clubs };
    enum class Phase {
        // No match: either kind may begin.
        Idle,
        // Begun, before the first round.
        Starting,
        // A round's banner is up: a new round, or a tied one again.
        RoundStarting,
        // The prize is up and the round waits for the hands' cards.
        WaitingForCard,
        // Both cards are played, until the round is judged.
        Revealing,
        // The round went to one side: the next round, or the end, to come.
        Judged,
        // Equal cards: the round is to be played again.
        Tie,
        // The rounds are over and the result lines are up.
        ShowingResult,
        // The result lines are still up over a table set for the next match.
        Resetting,
    };

    struct Judgement {
        rules::Verdict verdict;
        // The prize card of the round, won or left on the table.
        int prize;
    };

    // What the score line shows: the round, both totals, the ties.
    struct Score {
        int round = 0;
        int cpu = 0;
        int user = 0;
        int ties = 0;
    };

    // What one side sees of the table when it chooses its card, as a player
    // sitting there would: nothing of the prizes still to come but which
    // they are, nothing of the other side's hand but what it has not played.
    struct Sight {
        int round = 0;
        // The prize on the table.
        int prize = 0;
        // The cards this side holds, and those the other side holds.
        rules::Cards own = {};
        rules::Cards other = {};
        // The diamonds not yet won or left to nobody, the one on the table
        // among them.
        rules::Cards prizesLeft = {};
        int ownScore = 0;
        int otherScore = 0;
    };

    // Deals from random, which outlives the match.
    explicit Match(RandomSource& random);

    Phase phase() const { return m_phase; }
    Kind kind() const { return m_kind; }
    bool running() const { return m_phase != Phase::Idle; }

    // Prize order: buf_daiya()[i] is the prize turned up when N() == i.
    const rules::Order& buf_daiya() const { return m_state.buf_daiya; }
    // The computer's dealt order: the card it plays when N() == i.
    const rules::Order& buf_spade() const { return m_state.buf_spade; }
    // Rounds decided in this match; 13 once the rounds are over, the last
    // one also when a tie left its prize to nobody.
    int N() const { return m_state.N; }
    // Round number shown: 0 before the first round, 1..13 while playing.
    int Round_count() const { return m_state.Round_count; }
    // 1 after a tied round until the next decided one.
    int tie_flag() const { return m_state.tie_flag; }
    // The clubs played in play order; open_count() entries are in use. A
    // tied club is struck (0), and the club played again takes its entry.
    const std::array<int, 14>& open_button() const { return m_played[int(Side::Clubs)].cards; }
    int open_count() const { return m_played[int(Side::Clubs)].count; }
    // button_count()[v] == v once club v is played.
    std::array<int, 14> button_count() const;
    int CPU_score() const { return m_state.CPU_score; }
    int User_score() const { return m_state.User_score; }
    // The round, both totals, and the tied comparisons of this match, each
    // replay's too (tie_count).
    Score score() const { return {m_state.Round_count, m_state.CPU_score, m_state.User_score, m_state.tie_count}; }
    // The positions drawn by the last deal's prize shuffle.
    const rules::Draw& rand_daiya() const { return m_state.rand_daiya; }

    // The prize of the round on the table, or 0 past the last one.
    int prize() const;
    // The cards of the round played last, or 0 while a tied round waits for
    // them again.
    int spadePlayed() const { return lastPlayed(Side::Spades); }
    int playedCard() const { return lastPlayed(Side::Clubs); }
    // The cards a side holds: its whole suit, less each card in its record.
    rules::Cards held(Side side) const;
    // What the side sees as the round waits for its card.
    Sight sight(Side side) const;
    // All thirteen prizes are decided or left.
    bool roundsOver() const { return m_state.N >= rules::kCards; }
    // A tie in the last round cannot be played again: each side holds only
    // the tied card.
    bool tieCannotBeReplayed() const { return m_phase == Phase::Tie && m_state.N == rules::kCards - 1; }

    // A match of the given kind begins, from the first screen. A match
    // against the computer is dealt first: both orders are rearranged from
    // where the last deal left them, the prizes first; the watching mode
    // plays the prizes in the order the last deal left. False while a match
    // runs.
    bool begin(Kind kind);
    // The next round: its number, and the score line for it. From the start,
    // or after a decided round while prizes are left.
    bool startRound();
    // The prize of the round is turned up, and the hands may choose. Returns
    // the prize, or 0 when no banner is up.
    int openPrize();
    // Both sides' cards for the round on the table, each one its side holds;
    // after a tie the club takes the tied card's place in the record.
    bool play(int spade, int club);
    // Judges the cards played: the higher card takes the prize and its
    // points and the match moves to the next prize; equal cards tie, the tie
    // is counted and flagged, and the round is to be played again.
    std::optional<Judgement> judge();
    // After a tie that can be replayed: both tied cards go back to their
    // sides' hands, the computer keeps its cards in their order, and the same
    // round's banner is up again.
    bool replayTiedRound();
    // After a tie in the last round: that prize goes to nobody and the
    // rounds are over.
    bool leaveLastPrizeUnawarded();
    // The result is up, once the rounds are over.
    bool showResult();
    // The table is set for the next match while the result lines stay up.
    bool endRounds();
    // The result lines are down: the match is over, at the first screen.
    bool finish();
    // Whatever was going on stops; back to the first screen.
    void abandon();

private:
    struct State {
        rules::Order buf_daiya = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
        rules::Order buf_spade = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
        int N = 0;
        int Round_count = 0;
        int tie_flag = 0;
        int CPU_score = 0;
        int User_score = 0;
        int tie_count = 0;
        rules::Draw rand_daiya = {};
        rules::Draw rand_spade = {};
    };

    // A side's record: the cards it has played, in play order.
    struct Played {
        std::array<int, 14> cards = {};
        int count = 0;
    };

    // The deal: six positions 0..12 are drawn for each order and the fifteen
    // pairs of them exchanged in turn; the computer's first card also changes
    // place with the third position drawn for the prizes.
    void Rand_daiya_set();
    void Rand_spade_set();
    void Swap_spade(int i, int j);
    void Shuffle_daiya();
    void Shuffle_spade();
    // No round, no score, no card played; the orders stay as dealt.
    void first_screen();
    int lastPlayed(Side side) const;
    // The points of prize v to one side.
    void Add_Score_Player(int v);
    void Add_Score_CPU(int v);

    RandomSource& m_random;
    State m_state;
    // Each side's books: [int(Side::Spades)] and [int(Side::Clubs)].
    std::array<Played, 2> m_played = {};
    Phase m_phase = Phase::Idle;
    Kind m_kind = Kind::None;
};
