// SPDX-License-Identifier: MIT
// Shared by every test of a match: the deal the tests play, the game's
// timing as its rules give it (written once, here), and a match runner on a
// clock the test moves by hand.
#pragma once

#include "core/match_runner.h"
#include "core/random_source.h"
#include "core/settings.h"
#include "core/step_clock.h"

#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QTest>

#include <algorithm>
#include <functional>

namespace fixture {

// Draws the given positions in turn, then 0 for ever: a deal of six equal
// positions exchanges nothing.
class Draws final : public RandomSource
{
public:
    Draws(QList<int> draws)
        : m_draws(std::move(draws))
    {
    }
    int below(int bound) override { return m_next < m_draws.size() ? m_draws[m_next++] % bound : 0; }

private:
    QList<int> m_draws;
    qsizetype m_next = 0;
};

// The first deal of most tests: these twelve draws turn the cards in order
// into kPrizes and kSpades.
const QList<int> kDraws = {6, 0, 12, 4, 9, 2, 7, 1, 11, 3, 12, 5};
constexpr rules::Order kPrizes = {10, 2, 7, 4, 13, 6, 3, 8, 9, 1, 11, 12, 5};
constexpr rules::Order kSpades = {2, 13, 3, 12, 5, 8, 7, 6, 9, 10, 11, 4, 1};
// A deal that leaves both orders as they are: 1 to 13.
const QList<int> kInOrder = {};
// Clubs for kSpades that tie round 2 once (13 against 13) and win 61 to 40.
const QList<int> kPlaysWithATie = {6, 13, 1, 4, 13, 2, 9, 3, 7, 12, 5, 10, 8, 11};

inline bool isPermutation(rules::Order order)
{
    std::sort(order.begin(), order.end());
    return order == rules::Order{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
}

inline QList<int> allCards()
{
    return {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
}

// The game's timing: each step with its delay after the entry before it,
// as the rules of the game give them. "command" and "click" are the
// player's.
namespace schedule {

struct Step {
    QByteArray name;
    qint64 delayMs;
};
using Steps = QList<Step>;

// A match against the computer, from the command to the first prize.
const Steps kStart = {{"command", 0}, {"Start_game_timer", 1500}, {"Start_game_timer2", 1500}, {"Start_game_timer3", 3000}};
// A decided round that is not the last, from the player's card to the next prize.
const Steps kRound = {{"click", 0},           {"Open_card_timer", 3000},  {"Open_card_timer2", 1500},
                      {"Open_card_timer3", 1500}, {"Open_card_timer4", 1500}, {"Open_card_timer5", 3000}};
// A tied round, from the player's card until the prize is offered again.
const Steps kTie = {{"click", 0},          {"Open_card_timer", 3000},     {"Open_card_timer2", 1500},
                    {"tie_no_count_timer", 1500}, {"tie_no_count_timer2", 1500}, {"tie_no_count_timer3", 1500}};
// The last round decided, to the first screen: the table is cleared and the
// result shown at one moment, in that order; the end of the rounds takes the
// next round's place.
const Steps kLastRound = {{"click", 0},
                          {"Open_card_timer", 3000},
                          {"Open_card_timer2", 1500},
                          {"Open_card_timer3", 1500},
                          {"Open_show_result_timer", 0},
                          {"End_game_auto_timer", 1500},
                          {"Return_First_Screen_timer", 2000}};
// A tie in the last round, which cannot be replayed.
const Steps kLastRoundTie = {{"click", 0},
                             {"Open_card_timer", 3000},
                             {"Open_card_timer2", 1500},
                             {"tie_no_count_timer", 1500},
                             {"tie_no_count_timer2", 1500},
                             {"Open_card_timer3", 1500},
                             {"Open_show_result_timer", 0},
                             {"End_game_auto_timer", 1500},
                             {"Return_First_Screen_timer", 2000}};

// A whole watching match, 10700 ms a round.
inline Steps watchingMatch()
{
    Steps s = {{"command", 0}, {"watchmode_timer2", 1500}};
    for (int round = 1; round <= rules::kCards; ++round) {
        s += Steps{{"watchmode_timer3", 3200}, {"watchmode_timer4", 1500}, {"watchmode_timer5", 1500},
              {"watchmode_timer6", 1500}, {"watchmode_timer", 1500}};
        if (round < rules::kCards)
            s += Steps{{"watchmode_timer2", 1500}};
    }
    return s += Steps{{"Open_show_result_timer", 0}, {"End_game_auto_timer", 1500}, {"Return_First_Screen_timer", 2000}};
}

inline qint64 duration(const Steps& steps)
{
    qint64 ms = 0;
    for (const Step& step : steps)
        ms += step.delayMs;
    return ms;
}

// A match against the computer as played with these clubs, one a click.
inline Steps humanMatch(const rules::Order& spades, const QList<int>& clubs)
{
    Steps s = kStart;
    int round = 0;
    for (int i = 0; i < clubs.size(); ++i) {
        const bool tie = clubs[i] == spades[round];
        s += round == rules::kCards - 1 ? (tie ? kLastRoundTie : kLastRound) : (tie ? kTie : kRound);
        round += tie ? 0 : 1;
    }
    return s;
}

} // namespace schedule

// The match as a line: what a call that is refused must leave as it was.
inline QString matchState(const Match& m)
{
    const Match::Score score = m.score();
    QStringList s{QString::number(int(m.phase())), QString::number(int(m.kind()))};
    for (int v : {score.round, score.cpu, score.user, score.ties, m.N(), m.tie_flag(), m.open_count(), m.spadePlayed()})
        s << QString::number(v);
    for (const rules::Cards& held : {m.held(Match::Side::Spades), m.held(Match::Side::Clubs)}) {
        QString cards;
        for (bool card : held)
            cards += card ? QLatin1Char('x') : QLatin1Char('-');
        s << cards;
    }
    for (const auto& row : {m.buf_daiya(), m.buf_spade()}) {
        for (int v : row)
            s << QString::number(v);
    }
    for (int v : m.open_button())
        s << QString::number(v);
    return s.join(QLatin1Char(' '));
}

// A step the clock ran, and when, in milliseconds of game time.
struct RanStep {
    QString name;
    qint64 atMs;
};

// The runner on a manual clock at time scale 1: nothing happens until the
// test moves time on, and then every step runs exactly when due.
class Game
{
public:
    explicit Game(const QList<int>& draws = kDraws)
        : random(draws)
    {
        QObject::connect(&clock, &StepClock::stepRan, &clock, [this](const QString& name, qint64 dueNs, qint64) {
            steps.append({name, dueNs / 1'000'000});
        });
    }
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    ManualTime time;
    StepClock clock{&time};
    Draws random;
    Settings settings;
    MatchRunner runner{clock, random, settings};
    QList<RanStep> steps;

    const Match& match() const { return runner.match(); }
    Match::Phase phase() const { return runner.match().phase(); }

    // Where the game stands, for failure messages.
    QString where() const
    {
        const QString last = steps.isEmpty() ? QStringLiteral("before any step")
                                             : QStringLiteral("after %1 at %2 ms").arg(steps.last().name).arg(steps.last().atMs);
        return QStringLiteral("round %1, %2").arg(match().Round_count()).arg(last);
    }

    // Called after each moment at which runUntil ran steps.
    std::function<void()> afterEachMoment;
    // The longest the steps of one moment took to run, in real time: what a
    // player would see as a step coming late.
    qint64 longestMomentMs = 0;

    // Runs the pending steps one by one until done() holds; false when no
    // step is left to run or the game has gone on longer than any match.
    bool runUntil(const std::function<bool()>& done)
    {
        const qint64 limit = time.nowMs() + 200000;
        QElapsedTimer took;
        while (!done()) {
            took.start();
            if (time.nowMs() > limit || !time.runNext())
                return false;
            longestMomentMs = qMax(longestMomentMs, took.elapsed());
            if (afterEachMoment)
                afterEachMoment();
        }
        return true;
    }
    bool waitForPlay() { return runUntil([this] { return phase() == Match::Phase::WaitingForCard; }); }
    // Until no match runs and no step is left.
    bool runOut() { return runUntil([this] { return !match().running() && clock.pending() == 0; }); }
};

} // namespace fixture
