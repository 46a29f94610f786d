// SPDX-License-Identifier: MIT
// The step clock: when the steps of a chain run, in what order, what a
// cancelled chain leaves behind, and how close the program's precise timers
// come to the schedule.
#include "core/step_clock.h"
#include "core_fixture.h"

#include <QEventLoop>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>

namespace {

constexpr qint64 kMs = 1'000'000;

// Delivers every wake a fixed time late, as a busy machine would.
class LateTime final : public TimeSource
{
public:
    explicit LateTime(qint64 lateMs)
        : m_lateNs(lateMs * kMs)
    {
    }
    qint64 nowNs() const override { return m_nowNs; }
    void wakeAt(qint64 dueNs, std::function<void()> wake) override
    {
        m_dueNs = dueNs;
        m_wake = std::move(wake);
    }
    bool runNext()
    {
        if (!m_wake)
            return false;
        m_nowNs = qMax(m_nowNs, m_dueNs + m_lateNs);
        std::exchange(m_wake, {})();
        return true;
    }

private:
    qint64 m_lateNs;
    qint64 m_nowNs = 0;
    qint64 m_dueNs = 0;
    std::function<void()> m_wake;
};

} // namespace

class ClockTest : public QObject
{
    Q_OBJECT


private slots:
    void aChainRunsOnItsSchedule()
    {
        ManualTime time;
        StepClock clock(&time);
        const fixture::StepLog ran(clock);
        // a --1500--> b --3000--> c
        clock.after(1500, "a", [&] { clock.after(3000, "b", [&] { clock.after(0, "c", [] {}); }); });
        QCOMPARE(clock.pending(), 1);
        time.advance(1499);
        QVERIFY(ran.isEmpty());
        time.advance(1);
        QCOMPARE(ran.names(), QStringList{"a"});
        time.advance(10000);
        QCOMPARE(ran.names(), (QStringList{"a", "b", "c"}));
        QCOMPARE(ran[0].dueMs, 1500);
        QCOMPARE(ran[1].dueMs, 4500);
        QCOMPARE(ran[2].dueMs, 4500);
        for (const fixture::RanStep& r : ran)
            QCOMPARE(r.ranMs, r.dueMs);
        QCOMPARE(clock.pending(), 0);
        QCOMPARE(clock.lastStep(), QStringLiteral("c"));
        QVERIFY(!time.hasWake());
    }

    void lateStepsDoNotDelayTheNextOnes()
    {
        LateTime time(7);
        StepClock clock(&time);
        const fixture::StepLog ran(clock);
        std::function<void()> again = [&] {
            if (ran.size() < 10)
                clock.after(1000, "tick", again);
        };
        clock.after(1000, "tick", again);
        while (time.runNext()) {
        }
        QCOMPARE(ran.size(), 10);
        // Each step ran 7 ms late, and yet each was due 1000 ms after the
        // one before was due: no drift.
        for (int i = 0; i < ran.size(); ++i) {
            QCOMPARE(ran[i].dueMs, 1000 * (i + 1));
            QCOMPARE(ran[i].ranMs, ran[i].dueMs + 7);
        }
    }

    void afterALongStallTheChainGoesOnFromNow()
    {
        LateTime time(2000);
        StepClock clock(&time);
        const fixture::StepLog ran(clock);
        clock.after(1000, "first", [&] { clock.after(500, "second", [] {}); });
        while (time.runNext()) {
        }
        QCOMPARE(ran.size(), 2);
        QCOMPARE(ran[0].ranMs, 3000);
        // Counted from when the stalled step ran, not from when it was due:
        // the chain does not hurry through what it missed.
        QCOMPARE(ran[1].dueMs, 3500);
    }

    void stepsDueTogetherRunInTheOrderArmed()
    {
        ManualTime time;
        StepClock clock(&time);
        const fixture::StepLog ran(clock);
        clock.after(100, "setter", [&] {
            clock.after(1500, "third", [] {});
            clock.after(1500, "fourth", [] {});
        });
        clock.after(1600, "later", [] {});
        clock.after(1600, "latest", [] {});
        clock.after(50, "first", [] {});
        time.advance(5000);
        // The last four are all due at 1600 ms: "later" and "latest" were
        // armed first.
        QCOMPARE(ran.names(), (QStringList{"first", "setter", "later", "latest", "third", "fourth"}));
        QCOMPARE(ran[2].dueMs, 1600);
        QCOMPARE(ran[5].dueMs, 1600);
    }

    void theTimeScaleMultipliesEveryDelay()
    {
        ManualTime time;
        StepClock clock(&time);
        const fixture::StepLog ran(clock);
        QVERIFY(clock.setScale(0.01));
        QVERIFY(!clock.setScale(0));
        QCOMPARE(clock.scale(), 0.01);
        clock.after(3000, "a", [&] { clock.after(1500, "b", [] {}); });
        time.advance(30);
        QCOMPARE(ran.names(), QStringList{"a"});
        time.advance(15);
        QCOMPARE(ran.names(), (QStringList{"a", "b"}));
        QCOMPARE(ran[1].dueMs, 45);
    }

    void aCancelledChainLeavesNothing()
    {
        ManualTime time;
        StepClock clock(&time);
        const fixture::StepLog ran(clock);
        clock.startChain();
        clock.after(1000, "kept from the old chain", [] {});
        clock.startChain();
        QCOMPARE(clock.pending(), 0);
        clock.after(1000, "a", [&] {
            // The chain is cancelled while its step runs: what the step
            // arms afterwards is let go too.
            clock.cancelChain();
            clock.after(10, "armed by a cancelled step", [] {});
        });
        clock.after(2000, "b", [] {});
        QCOMPARE(clock.pending(), 2);
        time.advance(10000);
        QCOMPARE(ran.names(), QStringList{"a"});
        QCOMPARE(clock.pending(), 0);
        QVERIFY(!time.hasWake());
        // A new chain runs as usual.
        clock.after(100, "c", [] {});
        time.advance(100);
        QCOMPARE(ran.names(), (QStringList{"a", "c"}));

        // A step that starts a new chain goes on in it: what it arms runs.
        clock.after(100, "restarts", [&] {
            clock.startChain();
            clock.after(10, "armed in the new chain", [] {});
        });
        clock.after(200, "of the old chain", [] {});
        time.advance(1000);
        QCOMPARE(ran.names(), (QStringList{"a", "c", "restarts", "armed in the new chain"}));
    }

    // The program's own timers, on the real clock: one small chain with the
    // game's delays at a small time scale, and a long wait at full scale.
    void preciseTimersKeepTime()
    {
        StepClock clock;
        const fixture::StepLog ran(clock);
        QEventLoop loop;
        clock.setScale(0.03);
        QList<int> delays;
        for (const fixture::schedule::Step& s : fixture::schedule::kStart + fixture::schedule::kRound + fixture::schedule::kTie) {
            if (s.delayMs > 0)
                delays << int(s.delayMs);
        }
        int next = 0;
        std::function<void()> step = [&] {
            if (next < delays.size())
                clock.after(delays[next++], "step", step);
            else
                loop.quit();
        };
        step();
        loop.exec();
        // A wait long enough for the kernel's slack to show (0.6 ms here).
        clock.setScale(1.0);
        clock.after(600, "long", [&] { loop.quit(); });
        loop.exec();

        QCOMPARE(ran.size(), delays.size() + 1);
        QList<qint64> lateness;
        for (const fixture::RanStep& r : ran) {
            QVERIFY2(r.ranMs >= r.dueMs, "a step ran before it was due");
            lateness << r.ranMs - r.dueMs;
        }
        std::sort(lateness.begin(), lateness.end());
        const QString seen = QStringLiteral("lateness in ms: %1").arg([&] {
            QStringList l;
            for (qint64 ms : lateness)
                l << QString::number(ms);
            return l.join(QLatin1Char(' '));
        }());
        // A busy machine, or the machine's own host, may hold one step up; a
        // fault of the clock's shows in more than one.
        QVERIFY2(lateness[lateness.size() / 2] <= 2, qPrintable(seen));
        QVERIFY2(lateness[lateness.size() - 2] <= 10, qPrintable(seen));
    }
};

QTEST_GUILESS_MAIN(ClockTest)
#include "tst_clock.moc"
