// SPDX-License-Identifier: MIT
#pragma once

#include "core/wave_file.h"

#include <QObject>
#include <QString>

#include <memory>

// Where the round sounds go: the desktop's audio server. Each platform's
// sound is one file that defines makeSoundOutput (pulse_output.cpp; a build
// without it gets silent_output.cpp). An output plays on a worker of its
// own, never keeps the caller waiting, and says what became of a sound
// through its signals, which it may emit from that worker.
class SoundOutput : public QObject
{
    Q_OBJECT

public:
    // How long the audio server may take to answer before it is let go.
    static constexpr int kPatienceMs = 200;

    // Plays sound once, named name, letting go of the one playing before;
    // returns at once.
    virtual void play(const QString& name, std::shared_ptr<const WaveSound> sound) = 0;

signals:
    // The server took the sound and plays it.
    void started(const QString& name);
    // Whether a server answers, as found on the last try.
    void answering(bool answers);
    // The server in use stopped answering, or went away.
    void stalled();
};

std::unique_ptr<SoundOutput> makeSoundOutput();
