// SPDX-License-Identifier: MIT
// The ends of a run: signals, a window destroyed from outside, the event loop.
#include "app/ending.h"

#include "core/logging.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QWidget>

#include <xcb/xcb.h>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kEndingSignals[] = {SIGTERM, SIGINT, SIGHUP};
// What the orderly end after a signal may take.
constexpr unsigned kGraceSeconds = 1;

// The signal handler's only way to the event loop.
int g_signalPipe[2] = {-1, -1};
volatile std::sig_atomic_t g_signal = 0;

void takeSignal(int signo)
{
    if (g_signal != 0)
        return;
    const int savedErrno = errno;
    g_signal = signo;
    alarm(kGraceSeconds);
    const char byte = 0;
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[1], &byte, 1);
    errno = savedErrno;
}

void graceOver(int)
{
    _exit(128 + g_signal);
}

} // namespace

Ending::Ending()
{
    if (::pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) == 0) {
        auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, [this] {
            char byte;
            while (::read(g_signalPipe[0], &byte, 1) > 0) {
            }
            end(128 + g_signal);
        });
        struct sigaction action {};
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        action.sa_handler = graceOver;
        sigaction(SIGALRM, &action, nullptr);
        action.sa_handler = takeSignal;
        for (const int signo : kEndingSignals) {
            struct sigaction before {};
            // A signal the program was started to ignore (nohup) stays ignored.
            if (sigaction(signo, nullptr, &before) == 0 && before.sa_handler != SIG_IGN)
                sigaction(signo, &action, nullptr);
        }
    }
    QCoreApplication::instance()->installNativeEventFilter(this);
}

int Ending::run(QWidget& window)
{
    m_window = &window;
    // A signal may have come while the greeting was shown.
    if (!due()) {
        window.show();
        const int result = QCoreApplication::exec();
        if (!due())
            return result;
    }
    return m_status;
}

bool Ending::nativeEventFilter(const QByteArray& type, void* message, qintptr*)
{
    if (due() || !m_window || type != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_DESTROY_NOTIFY)
        return false;
    // When Qt destroys the window itself, the widget has let go of its id
    // before the news comes back.
    const auto* destroyed = static_cast<const xcb_destroy_notify_event_t*>(message);
    if (destroyed->window != 0 && WId(destroyed->window) == m_window->internalWinId()) {
        qCWarning(lcVell, "The window was destroyed from outside: the game ends.");
        end(1);
    }
    return false;
}

void Ending::end(int status)
{
    if (due())
        return;
    m_status = status;
    QCoreApplication::exit(status);
}
