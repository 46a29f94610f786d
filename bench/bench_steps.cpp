// SPDX-License-Identifier: MIT
// One whole watching match at time scale 1, in the game's own window built
// from the game's window library, on whatever platform Qt is given (the
// benchmarks use an X server). Every step is taken as the step clock reports
// it, with the time it was due and the time it ran. Nothing else wakes the
// program: one single-shot timer starts the match a second after the window
// is shown, and the match's last step ends the run.
//
// With VELL_BENCH_HEARTBEAT_MS=N, a timer also ticks every N ms and the
// longest gap between its ticks, beyond N, is printed on standard error as
// "longest_stall_ms X": how long the window could not answer. It wakes the
// program, so the timing figures leave it off.
//
// Prints one line per step:
//   step INDEX NAME SCHEDULE_MS DUE_MS RAN_MS LATENESS_MS DRIFT_MS
// with times counted from the command. SCHEDULE_MS is when the step is due
// by the watching mode's timetable, DRIFT_MS is DUE_MS - SCHEDULE_MS and
// LATENESS_MS is RAN_MS - DUE_MS.
#include "app/program.h"
#include "app/vell.h"
#include "core/match_runner.h"
#include "core/schedule.h"
#include "core/step_clock.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <vector>

namespace {

constexpr int kSettleMs = 1000;
constexpr qint64 kNsPerMs = 1'000'000;

// When each step of a watching match without ties is due, in ms from the
// command, by the game's schedule: each round's banner, its steps after it,
// and at the end the result lines, due with the last clearing, the end of
// the rounds and the result lines down.
std::vector<double> schedule()
{
    const chains::Schedule& c = chains::kWatchingMatch;
    std::vector<double> due;
    double at = c.firstRound.delayMs;
    for (int round = 1; round <= 13; ++round) {
        due.push_back(at);
        for (const chains::Step& step : {c.prize, c.play, c.reveal, c.judge, c.clear})
            due.push_back(at += step.delayMs);
        at += c.nextRound.delayMs;
    }
    const double judged = due.back() - c.clear.delayMs;
    due.push_back(judged + chains::kResult.delayMs);
    due.push_back(due[due.size() - 2] + c.endOfRounds.delayMs);
    due.push_back(judged + chains::kResult.delayMs + chains::kFirstScreen.delayMs);
    return due;
}

struct Step {
    QString name;
    qint64 dueNs;
    qint64 ranNs;
};

} // namespace

// The game as the program sets it up (app/program.h), with no greeting.
int main(int argc, char* argv[])
{
    qputenv("VELL_PLAYER_NAME", QByteArray());
    std::vector<Step> steps;
    qint64 commandNs = 0;
    int result = 0;
    {
        Program program(argc, argv);
        StepClock& clock = program.clock();
        Vell& window = program.window();
        QObject::connect(&clock, &StepClock::stepRan, &window,
                         [&](const QString& name, qint64 dueNs, qint64 ranNs) {
                             steps.push_back({name, dueNs, ranNs});
                             // This step resets the table: once it has run, the match is over.
                             if (name == QLatin1String("Return_First_Screen_timer"))
                                 QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
                         });
        QElapsedTimer heartbeatClock;
        qint64 lastBeatNs = 0;
        qint64 longestStallNs = 0;
        QTimer heartbeat;
        const int beatMs = qEnvironmentVariableIntValue("VELL_BENCH_HEARTBEAT_MS");
        if (beatMs > 0) {
            heartbeat.setTimerType(Qt::PreciseTimer);
            QObject::connect(&heartbeat, &QTimer::timeout, &window, [&] {
                const qint64 now = heartbeatClock.nsecsElapsed();
                longestStallNs = qMax(longestStallNs, now - lastBeatNs - beatMs * kNsPerMs);
                lastBeatNs = now;
            });
            heartbeatClock.start();
            heartbeat.start(beatMs);
        }
        QTimer::singleShot(kSettleMs, &window, [&] {
            commandNs = clock.nowNs();
            window.findChild<QAction*>(QStringLiteral("Computer_vs_Computer_Action"))->trigger();
        });
        program.run();
        if (beatMs > 0)
            std::fprintf(stderr, "longest_stall_ms %.3f\n", double(longestStallNs) / kNsPerMs);
        if (program.runner().match().running()) {
            std::fprintf(stderr, "the match had not ended\n");
            result = 1;
        }
    }

    const std::vector<double> due = schedule();
    if (steps.size() != due.size()) {
        std::fprintf(stderr, "expected %zu steps, saw %zu (a tie changes the timetable)\n", due.size(), steps.size());
        result = 1;
    }
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Step& s = steps[i];
        const double dueMs = double(s.dueNs - commandNs) / kNsPerMs;
        const double ranMs = double(s.ranNs - commandNs) / kNsPerMs;
        const double scheduled = i < due.size() ? due[i] : -1;
        std::printf("step %zu %s %.0f %.3f %.3f %.3f %.3f\n", i + 1, qPrintable(s.name), scheduled, dueMs, ranMs,
                    ranMs - dueMs, dueMs - scheduled);
    }
    return result;
}
