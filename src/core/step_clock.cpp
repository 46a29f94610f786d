// SPDX-License-Identifier: MIT
#include "step_clock.h"

#include "core/time_scale.h"

#include <algorithm>
#include <utility>

namespace {

constexpr qint64 kMs = 1'000'000;
// A wait longer than this is cut short and finished with a short one.
constexpr qint64 kLongWaitNs = 20 * kMs;
// After a long stall (a suspended machine, a debugger) a chain goes on from
// the moment it woke instead of hurrying through the steps it missed.
constexpr qint64 kMaxCatchUpNs = 250 * kMs;

} // namespace

PreciseTime::PreciseTime()
{
    m_clock.start();
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { timeout(); });
}

qint64 PreciseTime::nowNs() const
{
    return m_clock.nsecsElapsed();
}

void PreciseTime::wakeAt(qint64 dueNs, std::function<void()> wake)
{
    m_dueNs = dueNs;
    m_wake = std::move(wake);
    if (m_wake)
        startTimer();
    else
        m_timer.stop();
}

void PreciseTime::startTimer()
{
    const qint64 remaining = qMax<qint64>(0, m_dueNs - nowNs());
    // The kernel may end a wait late by up to a thousandth of its length:
    // stop short by twice that and a millisecond, and finish with a short
    // wait. A short wait ends when its whole milliseconds are over, never
    // before.
    const qint64 ms = remaining > kLongWaitNs ? (remaining - remaining / 500 - kMs) / kMs : (remaining + kMs - 1) / kMs;
    m_timer.start(int(ms));
}

void PreciseTime::timeout()
{
    if (nowNs() < m_dueNs) {
        startTimer();
        return;
    }
    if (auto wake = std::exchange(m_wake, {}))
        wake();
}

void ManualTime::wakeAt(qint64 dueNs, std::function<void()> wake)
{
    m_dueNs = dueNs;
    m_wake = std::move(wake);
}

void ManualTime::advance(qint64 ms)
{
    const qint64 target = m_nowNs + ms * kMs;
    while (m_wake && m_dueNs <= target)
        runNext();
    m_nowNs = target;
}

bool ManualTime::runNext()
{
    if (!m_wake)
        return false;
    m_nowNs = qMax(m_nowNs, m_dueNs);
    std::exchange(m_wake, {})();
    return true;
}

StepClock::StepClock(TimeSource* time, QObject* parent)
    : QObject(parent)
    , m_ownTime(time ? nullptr : std::make_unique<PreciseTime>())
    , m_time(time ? time : m_ownTime.get())
{
}

StepClock::~StepClock()
{
    m_time->wakeAt(0, {});
}

bool StepClock::setScale(double scale)
{
    if (!timing::isUsableScale(scale))
        return false;
    m_scale = scale;
    return true;
}

void StepClock::after(int delayMs, const char* name, Action action)
{
    const int chain = m_inStep ? m_stepChain : m_chain;
    // A step of a cancelled chain arms nothing more.
    if (chain != m_chain)
        return;
    const qint64 scaledNs = qRound64(delayMs * m_scale * kMs);
    const qint64 fromNs = m_inStep ? m_stepDueNs : m_time->nowNs();
    m_pending.push_back({fromNs + scaledNs, m_armed++, chain, name, std::move(action)});
    // A running step's successors are looked at once it returns.
    if (!m_inStep)
        wakeForNext();
}

void StepClock::startChain()
{
    cancelChain();
    // The running step, if any, goes on in the new chain.
    m_stepChain = m_chain;
}

void StepClock::cancelChain()
{
    ++m_chain;
    m_pending.clear();
    wakeForNext();
}

void StepClock::runDueSteps()
{
    const bool outerInStep = m_inStep;
    const qint64 outerDueNs = m_stepDueNs;
    const int outerChain = m_stepChain;
    for (;;) {
        const qint64 nowNs = m_time->nowNs();
        const auto next =
            std::min_element(m_pending.begin(), m_pending.end(), [](const ArmedStep& a, const ArmedStep& b) {
                return a.dueNs != b.dueNs ? a.dueNs < b.dueNs : a.order < b.order;
            });
        if (next == m_pending.end() || next->dueNs > nowNs)
            break;
        ArmedStep step = std::move(*next);
        m_pending.erase(next);
        m_inStep = true;
        m_stepDueNs = nowNs - step.dueNs > kMaxCatchUpNs ? nowNs : step.dueNs;
        m_stepChain = step.chain;
        m_lastStep = QLatin1String(step.name);
        emit stepRan(m_lastStep, step.dueNs, nowNs);
        step.action();
    }
    m_inStep = outerInStep;
    m_stepDueNs = outerDueNs;
    m_stepChain = outerChain;
    wakeForNext();
}

void StepClock::wakeForNext()
{
    if (m_pending.empty()) {
        m_time->wakeAt(0, {});
        return;
    }
    const auto next = std::min_element(m_pending.begin(), m_pending.end(),
                                       [](const ArmedStep& a, const ArmedStep& b) { return a.dueNs < b.dueNs; });
    m_time->wakeAt(next->dueNs, [this] { runDueSteps(); });
}
