// SPDX-License-Identifier: MIT
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

// Where the step clock takes its time from. The program uses PreciseTime;
// the tests use ManualTime, which stands still until they move it.
class TimeSource
{
public:
    virtual ~TimeSource() = default;
    // Nanoseconds since a fixed moment.
    virtual qint64 nowNs() const = 0;
    // Calls wake once, at dueNs or as soon as possible after it. A new call
    // replaces the one before; an empty wake cancels it.
    virtual void wakeAt(qint64 dueNs, std::function<void()> wake) = 0;
};

// The monotonic clock and one precise timer.
//
// The kernel lets a long wait end late by a thousandth of its length (3 ms
// on a 3 s wait), so a long wait is cut short and finished with a short one.
class PreciseTime final : public TimeSource
{
public:
    PreciseTime();
    qint64 nowNs() const override;
    void wakeAt(qint64 dueNs, std::function<void()> wake) override;

private:
    void startTimer();
    void timeout();

    QElapsedTimer m_clock;
    QTimer m_timer;
    qint64 m_dueNs = 0;
    std::function<void()> m_wake;
};

// Time that moves only when told to: a whole match runs in a moment, and
// every step runs exactly when it is due.
class ManualTime final : public TimeSource
{
public:
    qint64 nowNs() const override { return m_nowNs; }
    void wakeAt(qint64 dueNs, std::function<void()> wake) override;

    qint64 nowMs() const { return m_nowNs / 1'000'000; }
    // Moves time on by ms milliseconds, running each wake on the way at its
    // own time.
    void advance(qint64 ms);
    // Moves time to the next wake and runs it; false when there is none.
    bool runNext();
    bool hasWake() const { return bool(m_wake); }

private:
    qint64 m_nowNs = 0;
    qint64 m_dueNs = 0;
    std::function<void()> m_wake;
};

// Runs the steps of the game's chains: each step does its part and arms the
// next one some milliseconds later. A delay is multiplied by the clock's time
// scale and counted from the moment the arming step was due, not from when it
// ran, so that neither a late timer nor a slow step adds up over a match.
// Steps due at the same moment run in the order they were armed.
//
// Every step belongs to a chain. Cancelling the chain lets go of its pending
// steps, and a step of it that is running arms nothing more; starting a new
// chain does the same, and what is armed from then on, by the running step
// too, belongs to the new one. Each step that runs is reported with stepRan.
class StepClock : public QObject
{
    Q_OBJECT

public:
    using Action = std::function<void()>;

    // Without a time source, the clock keeps a PreciseTime of its own.
    explicit StepClock(TimeSource* time = nullptr, QObject* parent = nullptr);
    ~StepClock() override;

    // Every delay is multiplied by this: 1 in play, smaller to play faster.
    // A scale that is not greater than 0 and at most 10 is refused.
    bool setScale(double scale);
    double scale() const { return m_scale; }

    // Arms a step delayMs after the running step was due, or after now when
    // no step is running. name is what the report calls it.
    void after(int delayMs, const char* name, Action action);
    // A new chain: lets go of whatever was pending; what is armed from now
    // on, also by the step that is running, is the only chain.
    void startChain();
    // Lets go of every pending step; the step that is running, if any, can
    // arm nothing more.
    void cancelChain();

    int pending() const { return int(m_pending.size()); }
    qint64 nowNs() const { return m_time->nowNs(); }
    // The name of the step that ran last, or empty.
    QString lastStep() const { return m_lastStep; }

signals:
    // A step is about to run: its name, when it was due and when it runs,
    // in nanoseconds of the clock's time source.
    void stepRan(const QString& name, qint64 dueNs, qint64 ranNs);

private:
    struct ArmedStep {
        qint64 dueNs;
        quint64 order;
        int chain;
        const char* name;
        Action action;
    };

    void runDueSteps();
    void wakeForNext();

    std::unique_ptr<TimeSource> m_ownTime;
    TimeSource* m_time;
    std::vector<ArmedStep> m_pending;
    double m_scale = 1.0;
    quint64 m_armed = 0;
    int m_chain = 0;
    bool m_inStep = false;
    qint64 m_stepDueNs = 0;
    int m_stepChain = 0;
    QString m_lastStep;
};
