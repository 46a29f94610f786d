// SPDX-License-Identifier: MIT
// The round sounds through the desktop's audio server, PulseAudio or
// PipeWire's PulseAudio server, with libpulse's asynchronous API.
//
// One worker thread runs a libpulse main loop of its own and owns every
// libpulse object. The window hands it the latest sound and wakes it through
// an event counter the loop watches; it never waits for the worker. The
// worker connects once and keeps the connection; each sound is a playback
// stream fed from the checked samples as the server asks for them. Whatever the worker asks the server (to
// connect, to open a stream, how far a sound has played) must be answered
// within the patience, or the server is let go: the connection is closed,
// the sound with it, and the next sound connects again, so a server that
// comes back, or only starts later, is used from then on.
#include "sound/sound_output.h"

#include "core/logging.h"

#include <pulse/channelmap.h>
#include <pulse/context.h>
#include <pulse/mainloop.h>
#include <pulse/proplist.h>
#include <pulse/rtclock.h>
#include <pulse/stream.h>
#include <pulse/timeval.h>

#include <pthread.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace {

constexpr pa_usec_t kPatienceUs = pa_usec_t(SoundOutput::kPatienceMs) * 1000;

// Names the game on the desktop's volume control; short game sounds are
// event sounds there.
pa_proplist* describeGame()
{
    pa_proplist* props = pa_proplist_new();
    pa_proplist_sets(props, PA_PROP_APPLICATION_NAME, "Vell");
    pa_proplist_sets(props, PA_PROP_APPLICATION_ID, VELL_APP_ID);
    pa_proplist_sets(props, PA_PROP_APPLICATION_ICON_NAME, VELL_APP_ID);
    pa_proplist_sets(props, PA_PROP_MEDIA_ROLE, "event");
    return props;
}

pa_sample_format_t sampleFormat(int bits)
{
    switch (bits) {
    case 8:
        return PA_SAMPLE_U8;
    case 16:
        return PA_SAMPLE_S16LE;
    case 24:
        return PA_SAMPLE_S24LE;
    case 32:
        return PA_SAMPLE_S32LE;
    }
    return PA_SAMPLE_INVALID;
}

struct Request {
    QString name;
    std::shared_ptr<const WaveSound> sound;
    pa_usec_t askedAt = 0;
};

class PulseOutput final : public SoundOutput
{
public:
    PulseOutput() = default;
    ~PulseOutput() override;

    void play(const QString& name, std::shared_ptr<const WaveSound> sound) override;
    // Ends the worker; it lets go of the server on its way out.
    void stop();

private:
    // Tells the worker that a request, or the end, has come.
    void wake();

    // The rest runs on the worker.
    void takeRequest();
    void connectToServer();
    void startStream();
    void dropStream();
    void dropServer();
    void giveUp();
    // The server said something; or the worker asks it something and starts
    // to count the patience.
    void heard() { m_since = pa_rtclock_now(); }
    void ask();
    bool owesAnswer() const;
    void lookLater();

    static void onWake(pa_mainloop_api* api, pa_io_event* event, int fd, pa_io_event_flags_t flags, void* self);
    static void onContextState(pa_context* context, void* self);
    static void onStreamState(pa_stream* stream, void* self);
    static void onWritable(pa_stream* stream, size_t bytes, void* self);
    static void onDrained(pa_stream* stream, int success, void* self);
    static void onProgress(pa_stream* stream, int success, void* self);
    static void onLook(pa_mainloop_api* api, pa_time_event* event, const struct timeval* tv, void* self);

    // Shared with the window's thread. The loop and the counter are made
    // before the worker starts and freed after it ends.
    pa_mainloop* m_loop = nullptr;
    int m_wake = -1;
    std::thread m_worker;
    std::atomic<bool> m_quit{false};
    std::mutex m_mutex;
    std::optional<Request> m_request;

    // The worker's own.
    pa_context* m_context = nullptr;
    pa_time_event* m_look = nullptr;
    pa_stream* m_stream = nullptr;
    std::optional<Request> m_next;
    Request m_playing;
    qsizetype m_written = 0;
    bool m_drainAsked = false;
    bool m_progressAsked = false;
    bool m_ready = false;
    pa_usec_t m_since = 0;
};

// Qt's exit(1) on a lost display runs the exit handlers while a worker may
// be busy with the objects they tear down: each running worker is ended
// first, by a handler registered after those of the libraries in use.
std::mutex g_runningMutex;
std::vector<PulseOutput*> g_running;

void endWorkersAtExit()
{
    const std::lock_guard<std::mutex> lock(g_runningMutex);
    for (PulseOutput* output : g_running)
        output->stop();
}

PulseOutput::~PulseOutput()
{
    {
        const std::lock_guard<std::mutex> lock(g_runningMutex);
        g_running.erase(std::remove(g_running.begin(), g_running.end(), this), g_running.end());
    }
    stop();
    if (m_loop)
        pa_mainloop_free(m_loop);
    if (m_wake >= 0)
        ::close(m_wake);
}

void PulseOutput::stop()
{
    if (!m_worker.joinable())
        return;
    m_quit = true;
    wake();
    m_worker.join();
}

void PulseOutput::wake()
{
    eventfd_write(m_wake, 1);
}

void PulseOutput::play(const QString& name, std::shared_ptr<const WaveSound> sound)
{
    if (!m_worker.joinable()) {
        if (m_quit || (!m_loop && !(m_loop = pa_mainloop_new())))
            return;
        if (m_wake < 0 && (m_wake = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) < 0)
            return;
        pa_mainloop_api* api = pa_mainloop_get_api(m_loop);
        api->io_new(api, m_wake, PA_IO_EVENT_INPUT, onWake, this);
        {
            const std::lock_guard<std::mutex> lock(g_runningMutex);
            static const bool registered = std::atexit(endWorkersAtExit) == 0;
            if (registered)
                g_running.push_back(this);
        }
        m_worker = std::thread([this] {
            pthread_setname_np(pthread_self(), "round sounds");
            pa_mainloop_run(m_loop, nullptr);
            dropServer();
        });
    }
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_request = Request{name, std::move(sound), pa_rtclock_now()};
    }
    wake();
}

void PulseOutput::onWake(pa_mainloop_api*, pa_io_event*, int fd, pa_io_event_flags_t, void* self)
{
    auto* out = static_cast<PulseOutput*>(self);
    eventfd_t count;
    eventfd_read(fd, &count);
    if (out->m_quit)
        pa_mainloop_quit(out->m_loop, 0);
    else
        out->takeRequest();
}

// The latest request only: one not taken yet is replaced, and the sound
// playing is let go.
void PulseOutput::takeRequest()
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_request)
            return;
        m_next = std::move(m_request);
        m_request.reset();
    }
    dropStream();
    if (!m_context)
        connectToServer();
    else if (m_ready)
        startStream();
    // Else the connection is on its way; the sound goes out once it is ready.
}

void PulseOutput::connectToServer()
{
    ask();
    pa_proplist* props = describeGame();
    m_context = pa_context_new_with_proplist(pa_mainloop_get_api(m_loop), "Vell", props);
    pa_proplist_free(props);
    if (!m_context) {
        m_next.reset();
        emit answering(false);
        return;
    }
    m_ready = false;
    pa_context_set_state_callback(m_context, onContextState, this);
    m_look = pa_context_rttime_new(m_context, PA_USEC_INVALID, onLook, this);
    // No server is started for the game: it plays where one runs.
    pa_context* context = m_context;
    if (pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
        if (m_context == context) {
            dropServer();
            m_next.reset();
            emit answering(false);
        }
        return;
    }
    lookLater();
}

void PulseOutput::onContextState(pa_context* context, void* self)
{
    auto* out = static_cast<PulseOutput*>(self);
    switch (pa_context_get_state(context)) {
    case PA_CONTEXT_READY:
        qCDebug(lcVell) << "audio server connected";
        out->heard();
        out->m_ready = true;
        emit out->answering(true);
        if (out->m_next)
            out->startStream();
        else
            out->lookLater();
        break;
    case PA_CONTEXT_FAILED:
    case PA_CONTEXT_TERMINATED: {
        // Refused at once means no server runs; one that answered and went
        // away has stopped the sound.
        const bool lost = out->m_ready;
        out->dropServer();
        out->m_next.reset();
        emit out->answering(false);
        if (lost)
            emit out->stalled();
        break;
    }
    default:
        break;
    }
}

void PulseOutput::startStream()
{
    Request request = std::move(*m_next);
    m_next.reset();
    // A sound held back by a slow server would come late: it is dropped.
    if (const pa_usec_t waited = pa_rtclock_now() - request.askedAt; waited > kPatienceUs) {
        qCDebug(lcVell) << "sound dropped, late by" << waited / 1000 << "ms:" << request.name;
        return lookLater();
    }
    const WaveSound& sound = *request.sound;
    const pa_sample_spec format{sampleFormat(sound.bits), uint32_t(sound.rate), uint8_t(sound.channels)};
    pa_channel_map map;
    pa_channel_map_init_extend(&map, unsigned(sound.channels), PA_CHANNEL_MAP_WAVEEX);
    pa_proplist* props = describeGame();
    const QByteArray name = request.name.section(QLatin1Char('/'), -1).toUtf8();
    pa_proplist_sets(props, PA_PROP_MEDIA_NAME, name.constData());
    ask();
    if (pa_sample_spec_valid(&format))
        m_stream = pa_stream_new_with_proplist(m_context, name.constData(), &format, &map, props);
    pa_proplist_free(props);
    if (!m_stream)
        return lookLater();
    m_playing = std::move(request);
    m_written = 0;
    m_drainAsked = false;
    m_progressAsked = false;
    pa_stream_set_state_callback(m_stream, onStreamState, this);
    pa_stream_set_write_callback(m_stream, onWritable, this);
    if (pa_stream_connect_playback(m_stream, nullptr, nullptr, PA_STREAM_NOFLAGS, nullptr, nullptr) < 0)
        dropStream();
    lookLater();
}

void PulseOutput::onStreamState(pa_stream* stream, void* self)
{
    auto* out = static_cast<PulseOutput*>(self);
    if (stream != out->m_stream)
        return;
    switch (pa_stream_get_state(stream)) {
    case PA_STREAM_READY:
        out->heard();
        emit out->started(out->m_playing.name);
        break;
    case PA_STREAM_FAILED:
    case PA_STREAM_TERMINATED:
        // Refused by the server (no sink, say): this sound is not played.
        qCDebug(lcVell) << "sound refused by the audio server:" << out->m_playing.name;
        out->dropStream();
        out->lookLater();
        break;
    default:
        break;
    }
}

// The server asks for more: as much as it asks, until the sound is all
// written; then it is asked to say when the last of it has played.
void PulseOutput::onWritable(pa_stream* stream, size_t bytes, void* self)
{
    auto* out = static_cast<PulseOutput*>(self);
    if (stream != out->m_stream)
        return;
    out->heard();
    const QByteArray& samples = out->m_playing.sound->samples;
    const size_t part = std::min(bytes, size_t(samples.size() - out->m_written));
    if (part > 0 && pa_stream_write(stream, samples.constData() + out->m_written, part, nullptr, 0, PA_SEEK_RELATIVE) == 0)
        out->m_written += qsizetype(part);
    if (out->m_written == samples.size() && !out->m_drainAsked) {
        if (pa_operation* drain = pa_stream_drain(stream, onDrained, out)) {
            out->m_drainAsked = true;
            pa_operation_unref(drain);
        }
    }
}

void PulseOutput::onDrained(pa_stream* stream, int, void* self)
{
    auto* out = static_cast<PulseOutput*>(self);
    if (stream != out->m_stream)
        return;
    out->heard();
    out->dropStream();
    out->lookLater();
}

void PulseOutput::onProgress(pa_stream* stream, int, void* self)
{
    auto* out = static_cast<PulseOutput*>(self);
    if (stream != out->m_stream)
        return;
    out->heard();
    out->m_progressAsked = false;
}

// Called before the question is put.
void PulseOutput::ask()
{
    if (!owesAnswer())
        heard();
}

// Connecting, opening a stream, or asked how far a sound has played.
bool PulseOutput::owesAnswer() const
{
    return (m_context && !m_ready) || (m_stream && pa_stream_get_state(m_stream) != PA_STREAM_READY)
        || m_progressAsked;
}

// The worker looks in on the server when an answer falls due, and when a
// sound has played a while without a word from it; otherwise nothing wakes
// the worker.
void PulseOutput::lookLater()
{
    if (!m_look)
        return;
    pa_usec_t at = PA_USEC_INVALID;
    if (owesAnswer())
        at = m_since + kPatienceUs;
    else if (m_stream)
        at = m_since + kPatienceUs / 2;
    pa_context_rttime_restart(m_context, m_look, at);
}

void PulseOutput::onLook(pa_mainloop_api*, pa_time_event*, const struct timeval*, void* self)
{
    auto* out = static_cast<PulseOutput*>(self);
    const pa_usec_t quiet = pa_rtclock_now() - out->m_since;
    if (out->owesAnswer()) {
        if (quiet >= kPatienceUs)
            return out->giveUp();
    } else if (out->m_stream && quiet >= kPatienceUs / 2) {
        // A server that still runs answers at once how far the sound has come.
        if (pa_operation* progress = pa_stream_update_timing_info(out->m_stream, onProgress, out)) {
            out->ask();
            out->m_progressAsked = true;
            pa_operation_unref(progress);
        }
    }
    out->lookLater();
}

void PulseOutput::giveUp()
{
    qCDebug(lcVell) << "audio server let go: no answer for" << (pa_rtclock_now() - m_since) / 1000 << "ms while"
                    << (!m_ready ? "connecting" : m_progressAsked ? "asking how far a sound has played" : "opening a stream");
    dropServer();
    m_next.reset();
    emit answering(false);
    emit stalled();
}

void PulseOutput::dropStream()
{
    if (!m_stream)
        return;
    pa_stream_set_state_callback(m_stream, nullptr, nullptr);
    pa_stream_set_write_callback(m_stream, nullptr, nullptr);
    if (PA_STREAM_IS_GOOD(pa_stream_get_state(m_stream)))
        pa_stream_disconnect(m_stream);
    pa_stream_unref(m_stream);
    m_stream = nullptr;
    m_playing = {};
    m_progressAsked = false;
}

void PulseOutput::dropServer()
{
    dropStream();
    if (m_look) {
        pa_mainloop_get_api(m_loop)->time_free(m_look);
        m_look = nullptr;
    }
    if (m_context) {
        pa_context_set_state_callback(m_context, nullptr, nullptr);
        pa_context_disconnect(m_context);
        pa_context_unref(m_context);
        m_context = nullptr;
    }
    m_ready = false;
}

} // namespace

std::unique_ptr<SoundOutput> makeSoundOutput()
{
    return std::make_unique<PulseOutput>();
}
