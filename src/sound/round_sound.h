// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class QThread;

// Plays the round sounds on a thread of their own. The sound library talks
// to the audio server on the thread that uses it and waits there for its
// answers: a server that has hung, or was stopped, would hold the window
// for half a minute at every round. Here the window only hands over a
// request and goes on at once.
//
// A thread that does not beat within kPatienceMs is held by the server:
// the player is told once that sound has stopped, and requests are dropped
// instead of queueing behind the held one. A thread held inside the sound
// library, which may never let it go, is left to the server and a new one
// takes the next request. Each thread first asks the server itself whether
// it answers (the library connects once per process and never again, so it
// is not used before a server answers); the first sound played through
// after a stop tells the player that sound is back. Without a server, every
// request asks again, so a server started later is used from the next
// sound on.
class RoundSound : public QObject
{
    Q_OBJECT

public:
    static constexpr int kPatienceMs = 200;

    explicit RoundSound(QObject* parent = nullptr);
    // Waits a moment for the sound threads to end, never longer: a thread
    // held by the server is left behind, and the process then ends without
    // waiting for it (see Ending::holdThread).
    ~RoundSound() override;

    // Plays the WAV file at path once; the sound playing before is let go.
    // Returns at once. A file that is missing, not a regular file, too large
    // or not plain PCM WAV is not played.
    void play(const QString& path);

    // True while the game has no sound: the server does not answer, or none
    // answered the last time one was asked.
    bool isSilent() const;

    // Keeps the audio library's own complaints about a missing, silent or
    // stopped audio server off standard error: the game says it once in its
    // own words, or simply plays on silently. Every other message passes.
    static void quietLibraryWarnings();

    struct Shared;

signals:
    // The sound thread has started playing the file at path.
    void started(const QString& path);
    // A sound has played to its end.
    void playedThrough();

private:
    bool stalled() const;
    void startThread();
    void leaveThreadBehind();

    // Of the thread taking requests now.
    std::shared_ptr<Shared> m_shared;
    QObject* m_worker = nullptr;
    // Every thread not yet ended, the one taking requests last.
    std::vector<QThread*> m_threads;
    bool m_stopped = false;
};
