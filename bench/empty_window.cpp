// SPDX-License-Identifier: MIT
// The yardstick for start-up and memory: an empty main window of the game's
// size, shown, and nothing else. Built by the same build as the game, with
// the same flags. Two more builds of it tell the parts of the game's
// start-up apart: with VELL_BENCH_SOUND it also links the sound library
// the game links (and touches it, so that the link is kept); with
// VELL_BENCH_TEXT as well, it shows the game's menu bar and one line of its
// bold text, which is what it costs to show any text at all.
#include <QApplication>
#include <QMainWindow>
#ifdef VELL_BENCH_SOUND
#include <pulse/version.h>
#endif
#ifdef VELL_BENCH_TEXT
#include <QFont>
#include <QLabel>
#include <QMenuBar>
#endif

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
#ifdef VELL_BENCH_SOUND
    window.setObjectName(QString::fromLatin1(pa_get_library_version()));
#endif
#ifdef VELL_BENCH_TEXT
    for (const char* title : {"&Game", "&Options", "&Help"})
        window.menuBar()->addMenu(QString::fromLatin1(title));
    auto* line = new QLabel(QStringLiteral("Round:0,Score:CPU=0,User=0,tie=0"), &window);
    QFont font = line->font();
    font.setPointSize(16);
    font.setBold(true);
    line->setFont(font);
    line->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    window.setCentralWidget(line);
#endif
    window.resize(640, 480);
    window.show();
    return app.exec();
}
