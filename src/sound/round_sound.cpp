// SPDX-License-Identifier: MIT
#include "app/round_sound.h"

#include "app/ending.h"
#include "core/data_dir.h"
#include "core/logging.h"
#include "core/wave_file.h"

#include <QAudioDevice>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <pulse/context.h>
#include <pulse/mainloop.h>

#include <pthread.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <optional>

namespace {

// While it works, the sound thread beats this often; a beat missing for
// RoundSound::kPatienceMs means it is held by the audio server.
constexpr int kBeatMs = 50;
// A sound is over by then even if it never says so.
constexpr qint64 kLongestSoundMs = 5000;
// How long a server may take to answer a new client.
constexpr int kAnswerMs = 1000;

// Set once a sound has played through: by then the sound library has
// registered every exit handler of its own.
std::atomic<bool> g_libraryInitialised{false};

qint64 nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Whether an audio server takes a client within withinMs, asked the way the
// sound library asks.
bool audioServerAnswers(int withinMs)
{
    pa_mainloop* loop = pa_mainloop_new();
    pa_context* context = pa_context_new(pa_mainloop_get_api(loop), "Vell");
    bool answered = false;
    if (context && pa_context_connect(context, nullptr, PA_CONTEXT_NOFLAGS, nullptr) >= 0) {
        const qint64 giveUp = nowMs() + withinMs;
        for (;;) {
            const pa_context_state_t state = pa_context_get_state(context);
            answered = state == PA_CONTEXT_READY;
            const qint64 left = giveUp - nowMs();
            if (answered || !PA_CONTEXT_IS_GOOD(state) || left <= 0)
                break;
            if (pa_mainloop_prepare(loop, int(left * 1000)) < 0 || pa_mainloop_poll(loop) < 0
                || pa_mainloop_dispatch(loop) < 0)
                break;
        }
        pa_context_disconnect(context);
    }
    if (context)
        pa_context_unref(context);
    pa_mainloop_free(loop);
    return answered;
}

// The library's exit handlers must run after ours: registered again after
// each of its first uses, ours is the latest.
void afterFirstUse()
{
    if (!g_libraryInitialised)
        Ending::putFirst();
}

} // namespace

// What the window and one sound thread share. It outlives the window's
// RoundSound when the thread is left behind.
struct RoundSound::Shared {
    // From a request until its sound is over; meanwhile heartbeat must stay fresh.
    std::atomic<bool> busy{false};
    std::atomic<qint64> heartbeat{0};
    std::atomic<bool> wakePosted{false};
    // Asking whether a server answers: back within kAnswerMs.
    std::atomic<bool> asking{false};
    std::atomic<bool> noServer{false};
    std::mutex mutex;
    // Guarded by mutex: the latest request and when it was made, and the
    // window's end of things.
    QString next;
    qint64 nextAt = 0;
    RoundSound* owner = nullptr;
};

namespace {

// Lives on a sound thread and owns every object of the sound library there.
class SoundWorker : public QObject
{
public:
    explicit SoundWorker(std::shared_ptr<RoundSound::Shared> shared)
        : m_shared(std::move(shared))
    {
        m_heartbeat.setInterval(kBeatMs);
        connect(&m_heartbeat, &QTimer::timeout, this, [this] {
            const bool held = nowMs() - m_lastBeat > RoundSound::kPatienceMs;
            beat();
            // What the server held back would come late: it is let go.
            if (held || nowMs() - m_playingSince > kLongestSoundMs) {
                m_effect.reset();
                finish();
            }
        });
    }

    // Deleted as its thread ends, once every object of the library is gone.
    ~SoundWorker() override
    {
        m_effect.reset();
        Ending::releaseThread();
    }

    // Takes the latest request; earlier ones that were never taken are dropped.
    void wake()
    {
        m_shared->wakePosted = false;
        QString path;
        qint64 askedAt = 0;
        {
            const std::lock_guard<std::mutex> lock(m_shared->mutex);
            path.swap(m_shared->next);
            askedAt = m_shared->nextAt;
        }
        if (path.isEmpty())
            return;
        beat();
        m_heartbeat.start();
        m_playingSince = nowMs();
        // One sound at a time: the one before is let go.
        m_effect.reset();
        if (!m_device && !findDevice()) {
            finish();
            return;
        }
        const auto bytes = readDataFile(path, data_limits::kSound);
        if (!bytes || !isPlayableWave(*bytes)) {
            qCDebug(lcVell) << "no sound" << path;
            finish();
            return;
        }
        if (nowMs() - askedAt > RoundSound::kPatienceMs) {
            qCDebug(lcVell) << "too late for" << path;
            finish();
            return;
        }
        m_effect = std::make_unique<QSoundEffect>(*m_device);
        connect(m_effect.get(), &QSoundEffect::playingChanged, this, [this] {
            if (m_effect && !m_effect->isPlaying()) {
                tellOwner([](RoundSound* owner) { emit owner->playedThrough(); });
                afterFirstUse();
                g_libraryInitialised = true;
                finish();
            }
        });
        connect(m_effect.get(), &QSoundEffect::statusChanged, this, [this] {
            if (m_effect && m_effect->status() == QSoundEffect::Error)
                finish();
        });
        m_effect->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
        m_effect->play();
        afterFirstUse();
        tellOwner([path](RoundSound* owner) { emit owner->started(path); });
    }

private:
    void beat()
    {
        m_lastBeat = nowMs();
        m_shared->heartbeat = m_lastBeat;
    }

    void finish()
    {
        m_heartbeat.stop();
        m_shared->busy = false;
    }

    // The sound library's first question to the server is the one a hung
    // server leaves unanswered, for good if the server was not there yet.
    bool findDevice()
    {
        m_shared->asking = true;
        const bool answered = audioServerAnswers(kAnswerMs);
        m_shared->asking = false;
        m_shared->noServer = !answered;
        beat();
        if (!answered) {
            qCDebug(lcVell) << "no audio server answers: the game is silent for now";
            return false;
        }
        // Once in use, the library keeps threads of its own busy with the
        // server, and its exit handlers would tear the connection down under
        // them: from here on the process never runs those handlers.
        static std::once_flag libraryInUse;
        std::call_once(libraryInUse, [] { Ending::holdThread(); });
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        afterFirstUse();
        beat();
        if (device.isNull()) {
            qCDebug(lcVell) << "no audio device: the game is silent for now";
            return false;
        }
        m_device = device;
        return true;
    }

    template <typename Call>
    void tellOwner(Call call)
    {
        const std::lock_guard<std::mutex> lock(m_shared->mutex);
        if (RoundSound* owner = m_shared->owner)
            QMetaObject::invokeMethod(owner, [owner, call] { call(owner); }, Qt::QueuedConnection);
    }

    std::shared_ptr<RoundSound::Shared> m_shared;
    QTimer m_heartbeat{this};
    qint64 m_lastBeat = 0;
    qint64 m_playingSince = 0;
    std::optional<QAudioDevice> m_device;
    std::unique_ptr<QSoundEffect> m_effect;
};

} // namespace

RoundSound::RoundSound(QObject* parent)
    : QObject(parent)
{
    connect(this, &RoundSound::playedThrough, this, [this] {
        if (m_stopped) {
            m_stopped = false;
            qCWarning(lcVell, "The audio server answers again: sound is back.");
        }
    });
}

RoundSound::~RoundSound()
{
    if (m_shared) {
        const std::lock_guard<std::mutex> lock(m_shared->mutex);
        m_shared->owner = nullptr;
    }
    for (QThread* thread : m_threads)
        thread->quit();
    const QDeadlineTimer patience(kPatienceMs);
    for (QThread* thread : m_threads) {
        if (thread->wait(patience)) {
            delete thread;
            continue;
        }
        // Kept to the end of the process: held by the audio server, the
        // thread may yet end on its own, and its object must outlive it.
        static auto* const leftBehind = new std::vector<QThread*>;
        leftBehind->push_back(thread);
        qCDebug(lcVell) << "sound thread left behind, held by the audio server";
    }
}

void RoundSound::startThread()
{
    m_shared = std::make_shared<Shared>();
    m_shared->owner = this;
    auto* thread = new QThread;
    thread->setObjectName(QStringLiteral("round sounds"));
    auto* worker = new SoundWorker(m_shared);
    worker->moveToThread(thread);
    // Deleted on its own thread as that thread ends.
    connect(thread, &QThread::finished, worker, &QObject::deleteLater);
    m_worker = worker;
    m_threads.push_back(thread);
    Ending::holdThread();
    thread->start();
}

void RoundSound::leaveThreadBehind()
{
    {
        const std::lock_guard<std::mutex> lock(m_shared->mutex);
        m_shared->owner = nullptr;
    }
    // It ends once the server lets it go, if ever.
    m_threads.back()->quit();
    const auto ended = std::remove_if(m_threads.begin(), m_threads.end(), [](QThread* thread) {
        if (!thread->isFinished())
            return false;
        delete thread;
        return true;
    });
    m_threads.erase(ended, m_threads.end());
    startThread();
}

bool RoundSound::stalled() const
{
    return m_shared->busy && nowMs() - m_shared->heartbeat > kPatienceMs;
}

bool RoundSound::isSilent() const
{
    return m_stopped || (m_shared && m_shared->noServer);
}

void RoundSound::play(const QString& path)
{
    if (!m_shared) {
        startThread();
    } else if (stalled()) {
        if (!m_stopped) {
            m_stopped = true;
            qCWarning(lcVell, "The audio server does not answer: the game goes on without sound.");
        }
        // A thread asking the server is back soon; one held inside the
        // library may never be.
        if (m_shared->asking)
            return;
        leaveThreadBehind();
    }
    // The wait in the thread's queue counts against the server's patience
    // too. Busy before the request is out: a thread that takes it at once
    // and finds it unplayable must be able to say it is done.
    m_shared->heartbeat = nowMs();
    m_shared->busy = true;
    {
        const std::lock_guard<std::mutex> lock(m_shared->mutex);
        m_shared->next = path;
        m_shared->nextAt = nowMs();
    }
    if (!m_shared->wakePosted.exchange(true)) {
        auto* worker = static_cast<SoundWorker*>(m_worker);
        QMetaObject::invokeMethod(worker, [worker] { worker->wake(); }, Qt::QueuedConnection);
    }
}

namespace {

QtMessageHandler g_nextHandler = nullptr;

// The sound threads, and the threads of the PulseAudio client library.
bool onAudioThread()
{
    char name[16] = {};
    pthread_getname_np(pthread_self(), name, sizeof name);
    return qstrcmp(name, "round sounds") == 0 || qstrcmp(name, "threaded-ml") == 0
        || qstrncmp(name, "QSampleCache", 12) == 0;
}

bool isAudioLibraryNoise(const QString& message)
{
    // The library quotes some of its lines, and not others.
    QStringView text(message);
    if (text.startsWith(QLatin1Char('"')))
        text = text.mid(1);
    for (const char* start : {"PulseAudioService:", "No audio device detected", "Stream error:", "QAudioSink:",
                              "QSoundEffect"}) {
        if (text.startsWith(QLatin1String(start)))
            return true;
    }
    return false;
}

void dropAudioLibraryNoise(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    const bool fromTheGame = qstrcmp(context.category, lcVell().categoryName()) == 0;
    if (type == QtWarningMsg && !fromTheGame && (onAudioThread() || isAudioLibraryNoise(message)))
        return;
    g_nextHandler(type, context, message);
}

} // namespace

void RoundSound::quietLibraryWarnings()
{
    if (!g_nextHandler)
        g_nextHandler = qInstallMessageHandler(dropAudioLibraryNoise);
}
