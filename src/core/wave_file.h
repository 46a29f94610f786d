// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

#include <optional>

// A sound as a plain PCM WAV file holds it: interleaved little-endian
// frames of `channels` samples of `bits` bits each, whole frames only.
struct WaveSound {
    int channels = 0;
    int rate = 0;
    int bits = 0;
    QByteArray samples;
};

// The sound in bytes when they hold a complete, plain PCM WAV file: a
// RIFF/WAVE header, a format chunk of 8 to 32 bit PCM, and a data chunk of
// at least one frame, every size within the file. Nothing otherwise: a
// lying header would have the audio server wait for samples that never come.
std::optional<WaveSound> readWave(const QByteArray& bytes);
