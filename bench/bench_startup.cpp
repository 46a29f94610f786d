// SPDX-License-Identifier: MIT
// Start-up time: starts each program given on the command line in turn, many
// times, and measures from the start of the process to the line "first
// paint" on its standard error. Prints the median of each, in milliseconds.
//
//   bench_startup RUNS PROGRAM [PROGRAM...]
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double startOnce(const QString& program)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.setReadChannel(QProcess::StandardError);
    QElapsedTimer clock;
    clock.start();
    process.start(program, {});
    QByteArray seen;
    while (process.waitForReadyRead(10000)) {
        seen += process.readAllStandardError();
        if (seen.contains("first paint"))
            break;
    }
    const double ms = clock.nsecsElapsed() / 1e6;
    process.kill();
    process.waitForFinished();
    return seen.contains("first paint") ? ms : -1;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: bench_startup RUNS PROGRAM [PROGRAM...]\n");
        return 2;
    }
    const int runs = args.at(1).toInt();
    const QStringList programs = args.mid(2);
    std::vector<std::vector<double>> times(programs.size());
    startOnce(programs.first());  // warms the file cache
    for (int run = 0; run < runs; ++run) {
        // Taking turns spreads any disturbance of the machine evenly.
        for (int i = 0; i < programs.size(); ++i) {
            const double ms = startOnce(programs.at(i));
            if (ms < 0) {
                std::fprintf(stderr, "%s never painted\n", qPrintable(programs.at(i)));
                return 1;
            }
            times[i].push_back(ms);
        }
    }
    for (int i = 0; i < programs.size(); ++i)
        std::printf("startup_ms %s %.1f\n", qPrintable(programs.at(i)), median(times[i]));
    return 0;
}
