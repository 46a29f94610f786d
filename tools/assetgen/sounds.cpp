// SPDX-License-Identifier: MIT
#include "assets.h"

#include "core/asset_paths.h"

#include <QFile>
#include <QtEndian>

#include <cmath>

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

void putLE16(QByteArray& out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void putLE32(QByteArray& out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

// A plain 16-bit mono PCM RIFF file.
QByteArray wavFile(const QVector<qint16>& samples)
{
    const quint32 dataBytes = quint32(samples.size()) * 2;
    QByteArray out;
    out.append("RIFF");
    putLE32(out, 36 + dataBytes);
    out.append("WAVEfmt ");
    putLE32(out, 16);
    putLE16(out, 1);          // PCM
    putLE16(out, 1);          // mono
    putLE32(out, kRate);
    putLE32(out, kRate * 2);  // bytes per second
    putLE16(out, 2);          // bytes per frame
    putLE16(out, 16);
    out.append("data");
    putLE32(out, dataBytes);
    for (qint16 s : samples)
        putLE16(out, quint16(s));
    return out;
}

// Round k rises one step of a major scale from C5; two short notes, the
// second a fifth above, with a soft attack and decay so nothing clicks.
QVector<qint16> roundChime(int round)
{
    static constexpr int kMajor[] = {0, 2, 4, 5, 7, 9, 11};
    const int step = round - 1;
    const int semitone = 12 * (step / 7) + kMajor[step % 7];
    const double base = 523.25 * std::pow(2.0, semitone / 12.0);
    const double notes[] = {base, base * 1.5};
    const int noteLength = kRate * 16 / 100;
    QVector<qint16> samples;
    for (double frequency : notes) {
        for (int i = 0; i < noteLength; ++i) {
            const double t = double(i) / kRate;
            const double attack = std::min(1.0, t / 0.008);
            const double decay = std::exp(-t * 9.0);
            const double wave = std::sin(2 * kPi * frequency * t) + 0.3 * std::sin(4 * kPi * frequency * t);
            samples.append(qint16(std::lround(9000.0 * attack * decay * wave)));
        }
    }
    return samples;
}

} // namespace

bool writeSounds(const QDir& root)
{
    bool ok = true;
    for (int round = 1; round <= rules::kCards; ++round) {
        QFile file(root.filePath(assets::roundSoundPath(round)));
        ok = file.open(QIODevice::WriteOnly) && file.write(wavFile(roundChime(round))) > 0 && ok;
    }
    return ok;
}
