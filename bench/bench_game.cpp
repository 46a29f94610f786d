// SPDX-License-Identifier: MIT
// Measures the game's own window, built from the same library as the game:
//
//   bench_game timing         one watching match at time scale 1: when each
//                             step ran against its schedule
//   bench_game memory SCALE   peak resident memory over a watching match
//   bench_game idle           CPU time over 10 s of an idle table and 10 s of
//                             a match waiting for the player's card
#include "app/time_scale.h"
#include "app/vell.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLoggingCategory>
#include <QPushButton>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

QElapsedTimer g_clock;
std::vector<double> g_stepTimes;

// The window reports each step it runs on its diagnostic category.
void recordStep(QtMsgType, const QMessageLogContext& context, const QString& message)
{
    if (g_clock.isValid() && qstrcmp(context.category, "vell") == 0 && message.startsWith(QLatin1String("step")))
        g_stepTimes.push_back(g_clock.nsecsElapsed() / 1e6);
}

void waitUntil(const std::function<bool()>& done)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    poll.start(50);
    loop.exec();
}

void pause(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool idle(const Vell& w)
{
    return w.Human_vs_Computer_Action->isEnabled() && w.pendingSteps() == 0;
}

void watchWholeMatch(Vell& w)
{
    w.Computer_vs_Computer_Action->trigger();
    waitUntil([&] { return idle(w); });
}

// The watching match's steps, in milliseconds from the command.
std::vector<double> schedule()
{
    std::vector<double> due;
    for (int round = 1; round <= 13; ++round) {
        const double banner = 1500 + 10700 * (round - 1);
        for (double offset : {0, 3200, 4700, 6200, 7700, 9200})
            due.push_back(banner + offset);
    }
    due.push_back(139100);  // the result lines, due with the last clearing
    due.push_back(140600);  // round 14: the commands' turn
    due.push_back(142600);  // the result lines down, the table reset
    return due;
}

int stepTiming(Vell& w)
{
    QLoggingCategory::setFilterRules(QStringLiteral("vell.debug=true"));
    qInstallMessageHandler(recordStep);
    g_clock.start();
    watchWholeMatch(w);
    qInstallMessageHandler(nullptr);

    const std::vector<double> due = schedule();
    if (g_stepTimes.size() != due.size()) {
        std::fprintf(stderr, "expected %zu steps, saw %zu\n", due.size(), g_stepTimes.size());
        return 1;
    }
    double largest = 0, sum = 0;
    std::printf("round  banner due  banner ran  deviation\n");
    for (std::size_t i = 0; i < due.size(); ++i) {
        const double deviation = g_stepTimes[i] - due[i];
        largest = std::max(largest, std::fabs(deviation));
        sum += std::fabs(deviation);
        if (i % 6 == 0 && i < 78)
            std::printf("%5zu  %10.0f  %10.2f  %+8.2f ms\n", i / 6 + 1, due[i], g_stepTimes[i], deviation);
    }
    std::printf("steps %zu\n", due.size());
    std::printf("largest_deviation_ms %.2f\n", largest);
    std::printf("mean_deviation_ms %.2f\n", sum / due.size());
    std::printf("drift_at_end_ms %+.2f (reset at %.2f ms, due at %.0f ms)\n", g_stepTimes.back() - due.back(),
                g_stepTimes.back(), due.back());
    return 0;
}

long peakRssKib()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

double cpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
         + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

int idleCost(Vell& w)
{
    pause(1000);
    double start = cpuMs();
    pause(10000);
    std::printf("idle_table_cpu_ms %.1f\n", cpuMs() - start);

    w.Human_vs_Computer_Action->trigger();
    waitUntil([&] { return w.Push_button[0]->isEnabled(); });
    pause(1000);
    start = cpuMs();
    pause(10000);
    std::printf("waiting_for_card_cpu_ms %.1f\n", cpuMs() - start);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("VELL_PLAYER_NAME", QByteArray());
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString mode = args.value(1);
    Vell w;
    w.show();
    pause(500);
    if (mode == QLatin1String("timing")) {
        timing::setScale(1.0);
        return stepTiming(w);
    }
    if (mode == QLatin1String("memory")) {
        timing::setScale(args.value(2, QStringLiteral("0.05")).toDouble());
        watchWholeMatch(w);
        std::printf("peak_rss_kib %ld\n", peakRssKib());
        return 0;
    }
    if (mode == QLatin1String("idle"))
        return idleCost(w);
    std::fprintf(stderr, "usage: bench_game timing | memory [SCALE] | idle\n");
    return 2;
}
