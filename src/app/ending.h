// SPDX-License-Identifier: MIT
// How a run of the program ends, whichever way it is ended.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QPointer>

class QWidget;

// Every way the program ends, ended within a second and without a crash:
// - SIGTERM, SIGINT and SIGHUP end the event loops, a modal box's too; the
//   program then returns 128 + the signal's number, as a shell reports a
//   signal. Should that take more than a second, the process leaves at once.
// - The main window destroyed from outside (its X window gone, which Qt
//   does not notice) ends the run with 1, as a lost display does.
// - Every end goes through the process's exit handlers, Qt's own exit(1)
//   on a lost display included; only an orderly end that still hangs a
//   second after a signal is cut short.
class Ending : public QObject, public QAbstractNativeEventFilter
{
public:
    // Takes the signals from here on; one for the program, made after the
    // application object.
    Ending();

    // Shows the window and runs the event loop until the run ends, which
    // also comes once the window's native window is destroyed from outside.
    // Returns what main returns: the status of the end that came, else the
    // event loop's.
    int run(QWidget& window);

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

private:
    void end(int status);
    bool due() const { return m_status >= 0; }

    QPointer<QWidget> m_window;
    int m_status = -1;
};
