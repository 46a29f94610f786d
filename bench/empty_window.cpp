// SPDX-License-Identifier: MIT
// The yardstick for start-up and memory: an empty main window of the game's
// size, shown, and nothing else. Built by the same build as the game, with
// the same flags.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(640, 480);
    window.show();
    return app.exec();
}
