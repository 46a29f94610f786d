// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>

#include <memory>

class SoundOutput;

// What the window asks of the round sounds: round k's, as its banner goes
// up. The program hands the window a RoundSound; the tests hand it one that
// only listens.
class RoundSounds
{
public:
    virtual ~RoundSounds() = default;
    virtual void playRound(int round) = 0;
};

// The round sounds from the game's data. Each file is read and checked here,
// and its samples are what the audio server receives (see sound_output.h);
// the window never waits for the server. When a server that answered stops
// answering, the player is told once that the game goes on without sound,
// and once more when a sound plays again.
class RoundSound : public QObject, public RoundSounds
{
    Q_OBJECT

public:
    explicit RoundSound(QObject* parent = nullptr);
    ~RoundSound() override;

    // wave/K.wav.
    void playRound(int round) override;

    // Plays the WAV file at path once; the sound playing before is let go.
    // Returns at once. A file that is missing, not a regular file, too large
    // or not plain PCM WAV is not played.
    void play(const QString& path);

    // True while the game has no sound: no server answered the last time
    // one was asked, or the one in use stopped answering.
    bool isSilent() const;

signals:
    // The audio server has started playing the file at path.
    void started(const QString& path);

private:
    // Made with the first sound: a window that plays no match connects to
    // no server.
    std::unique_ptr<SoundOutput> m_output;
    bool m_answering = false;
    bool m_stopped = false;
};
