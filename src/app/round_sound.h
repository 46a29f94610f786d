// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QThread;

// Plays the round sounds on a thread of their own. The sound library talks
// to the audio server on the thread that uses it and waits there for its
// answers: a server that has hung, or was stopped, would hold the window
// for half a minute at every round. Here the window only hands over a
// request and goes on at once.
//
// A server that does not answer within kPatienceMs, or the lack of any audio
// device, leaves the game silent for the rest of the run: later requests
// are dropped instead of queueing behind the stalled one.
class RoundSound : public QObject
{
    Q_OBJECT

public:
    static constexpr int kPatienceMs = 200;

    explicit RoundSound(QObject* parent = nullptr);
    // Waits a moment for the sound thread to end, never longer: a thread
    // held by a stalled server is left behind, and the process then ends
    // without waiting for it (see Ending::holdThread).
    ~RoundSound() override;

    // Plays the WAV file at path once; the sound playing before is let go.
    // Returns at once. A file that is missing, not a regular file, too large
    // or not plain PCM WAV is not played.
    void play(const QString& path);

    // True once the game has given up on sound for this run.
    bool isSilent() const;

    // Keeps the audio library's own complaints about a missing or silent
    // audio server off standard error: the game says it once in its own
    // words, or simply plays on silently. Every other message passes.
    static void quietLibraryWarnings();

    struct Shared;

signals:
    // The sound thread has started playing the file at path.
    void started(const QString& path);

private:
    bool stalled() const;
    void startThread();

    std::shared_ptr<Shared> m_shared;
    QThread* m_thread = nullptr;
    QObject* m_worker = nullptr;
};
