// SPDX-License-Identifier: MIT
#pragma once

#include "core/rules.h"

#include <QString>

#include <array>

// One match of the game as data and the rules that change it: the deal, the
// player's plays, the computer's card, the judging and scoring of a round,
// ties, and the end. It draws nothing and knows no time: the window runs
// the match as a chain of timed steps, asks the model at each step and
// shows what it says. The match's variables keep the names the game has
// always given them.
class Match
{
public:
    enum class Phase {
        // No match: either kind may be started.
        Idle,
        // Dealt and greeted, up to the first prize card.
        Starting,
        // A prize is up and the player may play one of the cards left.
        WaitingForCard,
        // From the player's card until the next prize is up, or the last
        // round is over.
        Revealing,
        // From "This is tie" until the player may play again.
        Tie,
        // The watching mode's rounds.
        Watching,
        // The result lines are up over the table as the match left it.
        ShowingResult,
        // The result lines are still up over a table set for the next match.
        Resetting,
    };
    enum class Kind { None, Human, Watching };

    struct Judgement {
        rules::Verdict verdict;
        // The prize card of the round, won or left on the table.
        int prize;
    };

    // Prize order: buf_daiya[i] is the prize turned up when N == i.
    rules::Order buf_daiya = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
    // The computer's order: buf_spade[i] is the card it plays when N == i.
    rules::Order buf_spade = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
    // Rounds decided in this match; 13 once the match's rounds are over,
    // the last one also when a tie left its prize to nobody.
    int N = 0;
    // Round number shown: 0 before the first round, 1..13 while playing.
    int Round_count = 0;
    // 1 after a tied round until the next decided one.
    int tie_flag = 0;
    // The player's played cards in play order; open_count entries are in use.
    std::array<int, 14> open_button = {};
    int open_count = 0;
    // button_count[v] == v once club v is known to be played.
    std::array<int, 14> button_count = {};
    // Copy of the computer's remaining cards while a tie is replayed.
    std::array<int, 14> buf_spade_save = {};
    int CPU_score = 0;
    int User_score = 0;
    // Tied comparisons of this match, each replay's too.
    int tie_count = 0;
    QString Score_text = rules::scoreLine(0, 0, 0, 0);
    QString Result_text1;
    QString Result_text2;
    // The positions drawn by the last deal's two shuffles.
    rules::Draw rand_daiya = {};
    rules::Draw rand_spade = {};

    Phase phase() const { return m_phase; }
    Kind kind() const { return m_kind; }
    bool running() const { return m_phase != Phase::Idle; }

    // The deal: both orders rearranged from where the last deal left them,
    // the prizes first. Six positions 0..12 are drawn for each order, and
    // the fifteen pairs of them exchanged in turn.
    void Rand_daiya_set();
    void Rand_spade_set();
    void Swap_daiya(int i, int j);
    void Swap_spade(int i, int j);
    void Shuffle_daiya();
    // The computer's first card also changes place with the third position
    // drawn for the prizes of the same deal.
    void Shuffle_spade();

    // A match of the given kind begins; false when one is still running.
    bool begin(Kind kind);
    // Back to the first screen's state: no round, no score, no card played.
    // The orders stay as dealt.
    void first_screen();
    // The next round's number.
    void nextRound();
    // The score line for the round shown, kept in Score_text.
    void writeScoreLine(int round);

    // The prize to turn up now, or 0 past the last one.
    int prizeToOpen() const;
    // The player may play.
    void letPlayerPlay();
    // Records the player's club k for this round; after a tie it takes the
    // tied card's entry. False when nothing was recorded.
    bool recordPlay(int k);
    // The player's card of this round, or 0.
    int playedCard() const;
    // The computer's card for this round, or 0 past the last round. Its
    // order is dealt: it plays the next card of it.
    int computerCard() const;

    // Judges the computer's card x against the player's card y for the
    // round's prize: the higher card takes it and its points and the match
    // moves to the next round; equal cards tie: the tie is counted and
    // flagged, and the round is played again for the same prize.
    Judgement judgeRound(int x, int y);
    // The watching mode's twin: the prize of the round shown, N left alone.
    Judgement judgeRoundAuto(int x, int y);
    // The points of prize v to the player's or the computer's total; the
    // score line follows. Anything but a card scores nothing.
    void Add_Score_Player(int v);
    void Add_Score_CPU(int v);

    // A tie in the last round cannot be played again: each side holds only
    // the tied card.
    bool tieCannotBeReplayed() const { return N == rules::kCards - 1; }
    // Keeps the computer's remaining cards while the tied round is replayed.
    void saveComputerCards();
    // Strikes the tied play from the record: its club may be played again.
    void strikeTiedPlay();
    // Ends the match after a tie in the last round: that prize goes to
    // nobody.
    void leaveLastPrizeUnawarded();

    // The clubs the player may play: every one not yet recorded as played.
    // Marks the recorded ones in button_count. Indexed by value - 1.
    std::array<bool, rules::kCards> playableCards();

    // The watching mode's prize and cards for the round shown, or 0 outside it.
    int autoPrize() const;
    int autoSpade() const;
    int autoClub() const;

    // The result lines, the winner's first.
    void showResult();
    // The rounds are over; the result lines stay a while longer.
    void endRounds();
    // The match is over.
    void finish();

private:
    Judgement judge(int x, int y, int prize);

    Phase m_phase = Phase::Idle;
    Kind m_kind = Kind::None;
};
