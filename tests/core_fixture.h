// SPDX-License-Identifier: MIT
// Shared by every test of a match: the deal the tests play, the game's
// timing step by step as its schedule gives it, what the runner and the
// clock say, and a match runner on a clock the test moves by hand.
#pragma once

#include "core/match_runner.h"
#include "core/random_source.h"
#include "core/schedule.h"
#include "core/settings.h"
#include "core/step_clock.h"

#include <QDir>
#include <QElapsedTimer>
#include <QList>
#include <QMetaMethod>
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

// The cards a side holds, ascending.
inline QList<int> heldCards(const Match& m, Match::Side side)
{
    QList<int> cards;
    for (int v = 1; v <= rules::kCards; ++v) {
        if (m.held(side)[v - 1])
            cards << v;
    }
    return cards;
}

// Runs a test in another working folder, and comes back however it ends.
class WorkingFolder
{
public:
    explicit WorkingFolder(const QString& path)
        : m_previous(QDir::currentPath())
    {
        moved = QDir::setCurrent(path);
    }
    ~WorkingFolder() { QDir::setCurrent(m_previous); }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

    bool moved = false;

private:
    QString m_previous;
};

// The game's timing as the game's schedule (core/schedule.h) gives it, laid
// out step by step: each step with its delay after the entry before it, in
// the order they run. "command" and "click" are the player's.
namespace schedule {

struct Step {
    QByteArray name;
    qint64 delayMs;
};
using Steps = QList<Step>;

inline Step step(const chains::Step& s)
{
    return {s.name, s.delayMs};
}

// A run of steps, each after the one before.
inline Steps chain(std::initializer_list<chains::Step> run)
{
    Steps s;
    for (const chains::Step& each : run)
        s.append(step(each));
    return s;
}

// After the last verdict: the table cleared and the result shown, both armed
// by it and, one as long after it as the other, in that order; the end of
// the rounds after the clearing; the result lines down after their time.
inline Steps endOfMatch(const chains::Schedule& c)
{
    const qint64 clear = c.clear.delayMs;
    const qint64 result = chains::kResult.delayMs;
    const qint64 endOfRounds = clear + c.endOfRounds.delayMs;
    return {step(c.clear), {chains::kResult.name, result - clear}, {c.endOfRounds.name, endOfRounds - result},
            {chains::kFirstScreen.name, result + chains::kFirstScreen.delayMs - endOfRounds}};
}

inline const chains::Schedule& kHuman = chains::kHumanMatch;
// A match against the computer, from the command to the first prize.
inline const Steps kStart = Steps{{"command", 0}} + chain({kHuman.gameStartCleared, kHuman.firstRound, kHuman.firstPrize});
// A decided round that is not the last, from the player's card to the next prize.
inline const Steps kRound = Steps{{"click", 0}} + chain({kHuman.reveal, kHuman.judge, kHuman.clear, kHuman.nextRound, kHuman.prize});
// A tied round, from the player's card until the prize is offered again.
inline const Steps kTie = Steps{{"click", 0}}
    + chain({kHuman.reveal, kHuman.judge, chains::kNoCount, chains::kTiedCards, chains::kTiedPrize});
// The last round decided, to the first screen.
inline const Steps kLastRound = Steps{{"click", 0}} + chain({kHuman.reveal, kHuman.judge}) + endOfMatch(kHuman);
// A tie in the last round, which cannot be replayed: the end comes as the
// tied cards leave.
inline const Steps kLastRoundTie = Steps{{"click", 0}}
    + chain({kHuman.reveal, kHuman.judge, chains::kNoCount, chains::kTiedCards}) + endOfMatch(kHuman);

// A whole watching match.
inline Steps watchingMatch()
{
    const chains::Schedule& c = chains::kWatchingMatch;
    Steps s = Steps{{"command", 0}} + chain({c.firstRound});
    for (int round = 1; round < rules::kCards; ++round)
        s += chain({c.prize, c.play, c.reveal, c.judge, c.clear, c.nextRound});
    return s + chain({c.prize, c.play, c.reveal, c.judge}) + endOfMatch(c);
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

// A step the clock ran: when it was due and when it ran, in milliseconds of
// the clock's time.
struct RanStep {
    QString name;
    qint64 dueMs;
    qint64 ranMs;
};

// Every step a clock runs, in order.
class StepLog : public QList<RanStep>
{
public:
    explicit StepLog(StepClock& clock)
    {
        QObject::connect(&clock, &StepClock::stepRan, &clock, [this](const QString& name, qint64 dueNs, qint64 ranNs) {
            append({name, dueNs / 1'000'000, ranNs / 1'000'000});
        });
    }

    QStringList names() const
    {
        QStringList list;
        for (const RanStep& step : *this)
            list << step.name;
        return list;
    }
};

// Every signal a runner sends, a line each: the step it came from (or what
// the test did, its cause), the signal's name and its arguments, as
// "Start_game_timer2 roundStarted 1". The signals are found through the
// runner's meta-object, so that no list of them is kept here; note() adds
// lines of the test's own.
class SignalLog : public QObject
{
public:
    SignalLog(const MatchRunner& runner, StepClock& clock)
    {
        const QMetaObject& runnerMeta = MatchRunner::staticMetaObject;
        for (int i = runnerMeta.methodOffset(); i < runnerMeta.methodCount(); ++i) {
            if (runnerMeta.method(i).methodType() == QMetaMethod::Signal) {
                m_signals.append(runnerMeta.method(i));
                QMetaObject::connect(&runner, i, this, QObject::staticMetaObject.methodCount() + int(m_signals.size()) - 1);
            }
        }
        QObject::connect(&clock, &StepClock::stepRan, this, [this](const QString& name) { cause = name; });
    }

    void note(const QString& what) { lines << cause + QLatin1Char(' ') + what; }

    QStringList lines;
    // Set by the test to what it does, "click" say; each step sets it to its
    // own name.
    QString cause = QStringLiteral("command");

    int qt_metacall(QMetaObject::Call call, int id, void** arguments) override
    {
        id = QObject::qt_metacall(call, id, arguments);
        if (id < 0 || call != QMetaObject::InvokeMetaMethod)
            return id;
        if (id < m_signals.size()) {
            const QMetaMethod& signal = m_signals[id];
            QStringList parts{QString::fromLatin1(signal.name())};
            for (int p = 0; p < signal.parameterCount(); ++p)
                parts << argument(signal.parameterTypeName(p), arguments[p + 1]);
            note(parts.join(QLatin1Char(' ')));
        }
        return id - int(m_signals.size());
    }

private:
    static QString argument(const QByteArray& type, const void* value)
    {
        if (type == "int")
            return QString::number(*static_cast<const int*>(value));
        if (type == "bool")
            return *static_cast<const bool*>(value) ? QStringLiteral("true") : QStringLiteral("false");
        if (type == "Match::Kind")
            return QStringList{"none", "human", "watching"}.value(int(*static_cast<const Match::Kind*>(value)));
        if (type == "rules::Verdict")
            return QStringList{"spades win", "clubs win", "tie"}.value(int(*static_cast<const rules::Verdict*>(value)));
        if (type == "rules::Cards") {
            const auto& cards = *static_cast<const rules::Cards*>(value);
            return QString::number(std::count(cards.begin(), cards.end(), true));
        }
        if (type == "Match::Score") {
            const auto& score = *static_cast<const Match::Score*>(value);
            return QStringLiteral("%1 %2:%3 tie %4").arg(score.round).arg(score.cpu).arg(score.user).arg(score.ties);
        }
        if (type == "MatchRunner::Card") {
            const auto& card = *static_cast<const MatchRunner::Card*>(value);
            return QStringLiteral("%1@%2 %3").arg(card.card).arg(card.place).arg(card.faceUp ? "up" : "down");
        }
        return QStringLiteral("<%1>").arg(QLatin1String(type));
    }

    QList<QMetaMethod> m_signals;
};

// The runner on a manual clock at time scale 1: nothing happens until the
// test moves time on, and then every step runs exactly when due.
class Game
{
public:
    explicit Game(const QList<int>& draws = kDraws)
        : random(draws)
    {
    }
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    ManualTime time;
    StepClock clock{&time};
    Draws random;
    Settings settings;
    MatchRunner runner{clock, random, settings};
    StepLog steps{clock};

    const Match& match() const { return runner.match(); }
    Match::Phase phase() const { return runner.match().phase(); }

    // Where the game stands, for failure messages.
    QString where() const
    {
        const QString last = steps.isEmpty() ? QStringLiteral("before any step")
                                             : QStringLiteral("after %1 at %2 ms").arg(steps.last().name).arg(steps.last().dueMs);
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
