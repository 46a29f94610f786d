// SPDX-License-Identifier: MIT
#include "app/round_sound.h"

#include "app/ending.h"
#include "core/data_dir.h"
#include "core/logging.h"
#include "core/wave_file.h"

#include <QAudioDevice>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QThread>
#include <QTimer>
#include <QUrl>

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

// Set once a sound has played through: by then the sound library has
// registered every exit handler of its own.
std::atomic<bool> g_libraryInitialised{false};

qint64 nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// The library's exit handlers must run after ours: registered again after
// each of its first uses, ours is the latest.
void afterFirstUse()
{
    if (!g_libraryInitialised)
        Ending::putFirst();
}

} // namespace

// What the window and the sound thread share. It outlives the window's
// RoundSound when a stalled thread is left behind.
struct RoundSound::Shared {
    std::atomic<bool> silent{false};
    // From a request until its sound is over; meanwhile heartbeat must stay fresh.
    std::atomic<bool> busy{false};
    std::atomic<qint64> heartbeat{0};
    std::atomic<bool> wakePosted{false};
    std::mutex mutex;
    // Guarded by mutex: the latest request, and the window's end of things.
    QString next;
    RoundSound* owner = nullptr;
};

namespace {

// Lives on the sound thread and owns every object of the sound library.
class SoundWorker : public QObject
{
public:
    explicit SoundWorker(std::shared_ptr<RoundSound::Shared> shared)
        : m_shared(std::move(shared))
    {
        m_heartbeat.setInterval(kBeatMs);
        connect(&m_heartbeat, &QTimer::timeout, this, [this] {
            beat();
            if (nowMs() - m_playingSince > kLongestSoundMs)
                finish();
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
        {
            const std::lock_guard<std::mutex> lock(m_shared->mutex);
            path.swap(m_shared->next);
        }
        if (path.isEmpty() || m_shared->silent)
            return;
        m_shared->busy = true;
        beat();
        m_heartbeat.start();
        m_playingSince = nowMs();
        // One sound at a time: the one before is let go.
        m_effect.reset();
        if (!m_device) {
            // The first question to the audio server, and the one a hung
            // server leaves unanswered.
            m_device = QMediaDevices::defaultAudioOutput();
            afterFirstUse();
            beat();
            if (m_device->isNull()) {
                qCDebug(lcVell) << "no audio device: the game is silent";
                m_shared->silent = true;
                finish();
                return;
            }
        }
        const auto bytes = readDataFile(path, data_limits::kSound);
        if (!bytes || !isPlayableWave(*bytes)) {
            qCDebug(lcVell) << "no sound" << path;
            finish();
            return;
        }
        m_effect = std::make_unique<QSoundEffect>(*m_device);
        connect(m_effect.get(), &QSoundEffect::playingChanged, this, [this] {
            if (m_effect && !m_effect->isPlaying()) {
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
        announce(path);
    }

private:
    void beat() { m_shared->heartbeat = nowMs(); }

    void finish()
    {
        m_heartbeat.stop();
        m_shared->busy = false;
    }

    void announce(const QString& path)
    {
        const std::lock_guard<std::mutex> lock(m_shared->mutex);
        if (RoundSound* owner = m_shared->owner) {
            QMetaObject::invokeMethod(
                owner, [owner, path] { emit owner->started(path); }, Qt::QueuedConnection);
        }
    }

    std::shared_ptr<RoundSound::Shared> m_shared;
    QTimer m_heartbeat{this};
    qint64 m_playingSince = 0;
    std::optional<QAudioDevice> m_device;
    std::unique_ptr<QSoundEffect> m_effect;
};

} // namespace

RoundSound::RoundSound(QObject* parent)
    : QObject(parent)
    , m_shared(std::make_shared<Shared>())
{
    m_shared->owner = this;
}

RoundSound::~RoundSound()
{
    {
        const std::lock_guard<std::mutex> lock(m_shared->mutex);
        m_shared->owner = nullptr;
    }
    m_shared->silent = true;
    if (!m_thread)
        return;
    m_thread->quit();
    if (m_thread->wait(QDeadlineTimer(kPatienceMs))) {
        delete m_thread;
        return;
    }
    // Held by the audio server: the thread and its worker are left to the
    // end of the process, which no longer waits for them.
    qCDebug(lcVell) << "sound thread left behind, held by the audio server";
}

void RoundSound::startThread()
{
    m_thread = new QThread;
    m_thread->setObjectName(QStringLiteral("round sounds"));
    auto* worker = new SoundWorker(m_shared);
    worker->moveToThread(m_thread);
    // Deleted on its own thread as that thread ends.
    connect(m_thread, &QThread::finished, worker, &QObject::deleteLater);
    m_worker = worker;
    Ending::holdThread();
    m_thread->start();
}

bool RoundSound::stalled() const
{
    return m_shared->busy && nowMs() - m_shared->heartbeat > kPatienceMs;
}

bool RoundSound::isSilent() const
{
    return m_shared->silent;
}

namespace {

QtMessageHandler g_nextHandler = nullptr;

void dropAudioLibraryNoise(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg
        && (message.startsWith(QLatin1String("PulseAudioService:")) || message == QLatin1String("No audio device detected")))
        return;
    g_nextHandler(type, context, message);
}

} // namespace

void RoundSound::quietLibraryWarnings()
{
    if (!g_nextHandler)
        g_nextHandler = qInstallMessageHandler(dropAudioLibraryNoise);
}

void RoundSound::play(const QString& path)
{
    if (m_shared->silent)
        return;
    if (stalled()) {
        m_shared->silent = true;
        qCWarning(lcVell, "The audio server does not answer: the game goes on without sound.");
        return;
    }
    if (!m_thread)
        startThread();
    // The wait in the thread's queue counts against the server's patience
    // too. Busy before the request is out: a thread that takes it at once
    // and finds it unplayable must be able to say it is done.
    m_shared->heartbeat = nowMs();
    m_shared->busy = true;
    {
        const std::lock_guard<std::mutex> lock(m_shared->mutex);
        m_shared->next = path;
    }
    if (!m_shared->wakePosted.exchange(true)) {
        auto* worker = static_cast<SoundWorker*>(m_worker);
        QMetaObject::invokeMethod(worker, [worker] { worker->wake(); }, Qt::QueuedConnection);
    }
}
