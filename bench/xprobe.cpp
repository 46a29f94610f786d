// SPDX-License-Identifier: MIT
// Watches a program's windows reach an X server. It starts PROGRAM and
// measures, with the DAMAGE extension, from just before the exec to the first
// pixels the X server receives for the program's first top-level window after
// that window is mapped: the moment a player could first see it. It also
// says when that window was created.
//
//   bench_xprobe [--answer-box] [--then COMMAND] -- PROGRAM [ARG...]
//
//   --answer-box   the first window is a message box: once it has its first
//                  pixels and the keyboard focus, press Return on it (XTEST)
//                  and measure also to the first pixels of the next top-level
//                  window mapped, the main window
//   --then COMMAND once the last window measured has its first pixels, run
//                  COMMAND with /bin/sh, with PROBE_PID and PROBE_WINDOW (the
//                  program's process id and that window's id) in its
//                  environment; meanwhile keep watching the window's pixels.
//                  Afterwards report the program's peak resident memory.
//
// Prints "key value" lines on standard output; times in milliseconds. The
// program is ended with SIGTERM when the probe is done, and killed when the
// probe fails.
#include <xcb/damage.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

extern char** environ;

namespace {

// Only a program that shows nothing takes this long: no pixel can be missed.
constexpr int kGiveUpMs = 10'000;
constexpr int kRepressMs = 1000;
constexpr xcb_keysym_t kReturnKeysym = 0xff0d;

double nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// The program, and the command run alongside it, while they run.
pid_t g_program = 0;
pid_t g_helper = 0;

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "bench_xprobe: %s\n", what);
    for (const pid_t pid : {g_program, g_helper}) {
        if (pid > 0 && kill(pid, SIGKILL) == 0)
            waitpid(pid, nullptr, 0);
    }
    std::exit(1);
}

struct Window {
    bool mapped = false;
    int mapOrder = 0;
    double createdMs = -1;
    double lastPixelsMs = -1;
};

class Probe
{
public:
    Probe()
    {
        m_conn = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(m_conn))
            fail("cannot connect to the X server (is DISPLAY set?)");
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_conn)).data->root;

        const xcb_query_extension_reply_t* damage = xcb_get_extension_data(m_conn, &xcb_damage_id);
        if (!damage || !damage->present)
            fail("the X server has no DAMAGE extension");
        m_damageNotify = damage->first_event + XCB_DAMAGE_NOTIFY;
        // The extension answers only clients that said which version they speak.
        free(xcb_damage_query_version_reply(m_conn, xcb_damage_query_version(m_conn, 1, 1), nullptr));

        // Every window created or mapped on the screen is reported to us.
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_conn, m_root, XCB_CW_EVENT_MASK, &mask);
        sync();
    }

    ~Probe() { xcb_disconnect(m_conn); }

    // Starts the program; the clock starts just before its exec.
    void start(char** argv)
    {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        // The probe's standard output carries its figures only.
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        m_startMs = nowMs();
        if (posix_spawnp(&m_pid, argv[0], &actions, nullptr, argv, environ) != 0)
            fail("cannot start the program");
        g_program = m_pid;
        posix_spawn_file_actions_destroy(&actions);
    }

    // Waits for the first pixels of the next top-level window to be mapped
    // (the mapOrder-th); returns its id and sets atMs to when they arrived.
    xcb_window_t waitForFirstPixels(int mapOrder, double& atMs)
    {
        const xcb_window_t window = firstPixelsWithin(mapOrder, atMs, kGiveUpMs);
        if (window == XCB_NONE)
            fail("no window of the program showed pixels");
        return window;
    }

    double createdMs(xcb_window_t window) { return m_windows[window].createdMs; }

    // The same, giving up after withinMs with XCB_NONE.
    xcb_window_t firstPixelsWithin(int mapOrder, double& atMs, int withinMs)
    {
        const double giveUp = nowMs() + withinMs;
        for (;;) {
            for (auto& [id, w] : m_windows) {
                if (w.mapOrder == mapOrder && w.lastPixelsMs >= 0) {
                    atMs = w.lastPixelsMs;
                    return id;
                }
            }
            if (!processEvents(int(giveUp - nowMs())))
                return XCB_NONE;
        }
    }

    // Presses and releases Return once the window has the keyboard focus;
    // with waitMs 0, only if it has it now.
    void pressReturnOn(xcb_window_t window, int waitMs = kGiveUpMs)
    {
        const double giveUp = nowMs() + waitMs;
        while (focus() != window) {
            if (waitMs == 0)
                return;
            if (nowMs() > giveUp)
                fail("the box never had the keyboard focus");
            processEvents(1);
        }
        const xcb_keycode_t key = keycodeOf(kReturnKeysym);
        xcb_test_fake_input(m_conn, XCB_KEY_PRESS, key, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_test_fake_input(m_conn, XCB_KEY_RELEASE, key, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
        xcb_flush(m_conn);
    }

    // Runs command while the window's pixels keep being watched; returns
    // when it has ended.
    void runAlongside(const char* command, xcb_window_t window, double& lastPixelsMs)
    {
        setenv("PROBE_PID", std::to_string(m_pid).c_str(), 1);
        setenv("PROBE_WINDOW", std::to_string(window).c_str(), 1);
        const char* shArgs[] = {"sh", "-c", command, nullptr};
        pid_t helper = 0;
        if (posix_spawn(&helper, "/bin/sh", nullptr, nullptr, const_cast<char**>(shArgs), environ) != 0)
            fail("cannot run the command");
        g_helper = helper;
        const double since = nowMs();
        const int helperFd = int(syscall(SYS_pidfd_open, helper, 0));
        if (helperFd < 0)
            fail("pidfd_open failed");
        for (;;) {
            pollfd fds[2] = {{xcb_get_file_descriptor(m_conn), POLLIN, 0}, {helperFd, POLLIN, 0}};
            drainEvents();
            if (poll(fds, 2, -1) < 0 && errno != EINTR)
                fail("poll failed");
            if (fds[1].revents)
                break;
        }
        drainEvents();
        close(helperFd);
        int status = 0;
        waitpid(helper, &status, 0);
        g_helper = 0;
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            fail("the command failed");
        lastPixelsMs = m_windows[window].lastPixelsMs - since;
    }

    // The program's peak and present resident memory, from the kernel.
    void memory(long& hwmKib, long& rssKib) const
    {
        std::ifstream status("/proc/" + std::to_string(m_pid) + "/status");
        std::string key;
        hwmKib = rssKib = -1;
        while (status >> key) {
            if (key == "VmHWM:")
                status >> hwmKib;
            else if (key == "VmRSS:")
                status >> rssKib;
        }
    }

    void stop()
    {
        if (m_pid <= 0)
            return;
        kill(m_pid, SIGTERM);
        for (int i = 0; i < 200; ++i) {
            if (waitpid(m_pid, nullptr, WNOHANG) == m_pid) {
                m_pid = g_program = 0;
                return;
            }
            usleep(10'000);
        }
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
        m_pid = 0;
        g_program = 0;
    }

    double startMs() const { return m_startMs; }

private:
    void sync() { free(xcb_get_input_focus_reply(m_conn, xcb_get_input_focus(m_conn), nullptr)); }

    xcb_window_t focus()
    {
        xcb_get_input_focus_reply_t* reply = xcb_get_input_focus_reply(m_conn, xcb_get_input_focus(m_conn), nullptr);
        const xcb_window_t window = reply ? reply->focus : XCB_NONE;
        free(reply);
        return window;
    }

    xcb_keycode_t keycodeOf(xcb_keysym_t keysym)
    {
        const xcb_setup_t* setup = xcb_get_setup(m_conn);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        xcb_get_keyboard_mapping_reply_t* map = xcb_get_keyboard_mapping_reply(
            m_conn, xcb_get_keyboard_mapping(m_conn, setup->min_keycode, uint8_t(count)), nullptr);
        if (!map)
            fail("no keyboard mapping");
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map);
        xcb_keycode_t found = 0;
        for (int i = 0; i < count * map->keysyms_per_keycode && !found; ++i) {
            if (syms[i] == keysym)
                found = xcb_keycode_t(setup->min_keycode + i / map->keysyms_per_keycode);
        }
        free(map);
        if (!found)
            fail("no key for Return");
        return found;
    }

    // Waits up to timeoutMs for events and handles them; false on time-out
    // or when the program has ended.
    bool processEvents(int timeoutMs)
    {
        if (drainEvents())
            return true;
        if (m_pid > 0 && waitpid(m_pid, nullptr, WNOHANG) == m_pid) {
            m_pid = g_program = 0;
            fail("the program ended");
        }
        pollfd fd{xcb_get_file_descriptor(m_conn), POLLIN, 0};
        if (timeoutMs <= 0 || poll(&fd, 1, timeoutMs) <= 0)
            return false;
        drainEvents();
        return true;
    }

    // Handles every event already received; true if there was any.
    bool drainEvents()
    {
        bool any = false;
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_conn)) {
            any = true;
            const double at = nowMs();
            handle(event, at);
            free(event);
        }
        if (xcb_connection_has_error(m_conn))
            fail("lost the X server");
        return any;
    }

    // The server sends events in the order things happened to it: a window's
    // damage that comes after its MapNotify happened while it was mapped,
    // however late the probe reads either. Every drawing is reported, so
    // none is taken for another, and nothing needs clearing in time.
    void handle(xcb_generic_event_t* event, double at)
    {
        const uint8_t type = event->response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) {
            const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
            if (created->parent != m_root || created->override_redirect)
                return;
            // Watched from its creation, so that no pixel can come before.
            Window& w = m_windows[created->window];
            w.createdMs = at;
            xcb_damage_create(m_conn, xcb_generate_id(m_conn), created->window, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
            xcb_flush(m_conn);
        } else if (type == XCB_MAP_NOTIFY) {
            const auto it = m_windows.find(reinterpret_cast<xcb_map_notify_event_t*>(event)->window);
            if (it != m_windows.end() && !it->second.mapped) {
                it->second.mapped = true;
                it->second.mapOrder = ++m_mapped;
            }
        } else if (type == XCB_DESTROY_NOTIFY) {
            // Its damage object went with it.
            m_windows.erase(reinterpret_cast<xcb_destroy_notify_event_t*>(event)->window);
        } else if (type == m_damageNotify) {
            const auto it = m_windows.find(reinterpret_cast<xcb_damage_notify_event_t*>(event)->drawable);
            // Drawn before the window was mapped, it never reached the screen.
            if (it != m_windows.end() && it->second.mapped)
                it->second.lastPixelsMs = at;
        }
    }

    xcb_connection_t* m_conn = nullptr;
    xcb_window_t m_root = 0;
    uint8_t m_damageNotify = 0;
    std::map<xcb_window_t, Window> m_windows;
    int m_mapped = 0;
    pid_t m_pid = 0;
    double m_startMs = 0;
};

} // namespace

int main(int argc, char* argv[])
{
    bool answerBox = false;
    const char* then = nullptr;
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (std::strcmp(argv[i], "--answer-box") == 0)
            answerBox = true;
        else if (std::strcmp(argv[i], "--then") == 0 && i + 1 < argc)
            then = argv[++i];
        else
            i = argc;
    }
    if (i + 1 >= argc) {
        std::fprintf(stderr, "usage: bench_xprobe [--answer-box] [--then COMMAND] -- PROGRAM [ARG...]\n");
        return 2;
    }
    signal(SIGPIPE, SIG_IGN);

    Probe probe;
    probe.start(argv + i + 1);
    double atMs = 0;
    xcb_window_t window = probe.waitForFirstPixels(1, atMs);
    std::printf("window_created_ms %.2f\n", probe.createdMs(window) - probe.startMs());
    std::printf("first_pixels_ms %.2f\n", atMs - probe.startMs());
    if (answerBox) {
        // A key that reaches the box before its buttons are ready is lost:
        // press again while no second window shows.
        const xcb_window_t box = window;
        for (int tries = 1;; ++tries) {
            probe.pressReturnOn(box, tries == 1 ? kGiveUpMs : 0);
            window = probe.firstPixelsWithin(2, atMs, kRepressMs);
            if (window != XCB_NONE)
                break;
            if (tries * kRepressMs > kGiveUpMs)
                fail("the box was never answered");
        }
        std::printf("main_first_pixels_ms %.2f\n", atMs - probe.startMs());
    }
    if (then) {
        double lastPixelsMs = 0;
        probe.runAlongside(then, window, lastPixelsMs);
        long hwm = 0, rss = 0;
        probe.memory(hwm, rss);
        std::printf("last_pixels_after_ms %.0f\n", lastPixelsMs);
        std::printf("vm_hwm_kib %ld\n", hwm);
        std::printf("vm_rss_kib %ld\n", rss);
    }
    std::fflush(stdout);
    probe.stop();
    return 0;
}
