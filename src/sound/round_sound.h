// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>

#include <memory>

class SoundOutput;

// The round sounds as the window asks for them. Each file is read and
// checked here, and its samples are what the audio server receives (see
// sound_output.h); the window never waits for the server. When a server
// that answered stops answering, the player is told once that the game
// goes on without sound, and once more when a sound plays again.
class RoundSound : public QObject
{
    Q_OBJECT

public:
    explicit RoundSound(QObject* parent = nullptr);
    ~RoundSound() override;

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
