// SPDX-License-Identifier: MIT
// The yardstick for start-up and memory: the smallest Qt Widgets program,
// one window with one label. It says "first paint" on standard error when
// the label is first painted; given a number of seconds, it stays that long
// afterwards and then reports its peak resident memory in KiB.
#include <QApplication>
#include <QLabel>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>

namespace {

class Label : public QLabel
{
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QLabel::paintEvent(event);
        if (!m_painted) {
            m_painted = true;
            std::fputs("first paint\n", stderr);
            std::fflush(stderr);
        }
    }

private:
    bool m_painted = false;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    Label label(QStringLiteral("Vell"));
    label.resize(640, 480);
    label.show();
    if (argc > 1) {
        QTimer::singleShot(int(QByteArray(argv[1]).toDouble() * 1000), &app, [] {
            rusage usage{};
            getrusage(RUSAGE_SELF, &usage);
            std::printf("peak_rss_kib %ld\n", usage.ru_maxrss);
            QCoreApplication::quit();
        });
    }
    return app.exec();
}
