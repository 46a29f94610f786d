// SPDX-License-Identifier: MIT
#include "wave_file.h"

namespace {

// Little-endian numbers, read byte by byte; callers keep `at` inside the file.
quint16 u16(const QByteArray& b, qsizetype at)
{
    return quint16(uchar(b.at(at)) | uchar(b.at(at + 1)) << 8);
}

quint32 u32(const QByteArray& b, qsizetype at)
{
    return quint32(u16(b, at)) | quint32(u16(b, at + 2)) << 16;
}

std::optional<WaveSound> plainPcmFormat(const QByteArray& b, qsizetype at, quint32 size)
{
    if (size < 16)
        return std::nullopt;
    const quint16 format = u16(b, at);
    const quint16 channels = u16(b, at + 2);
    const quint32 rate = u32(b, at + 4);
    const quint32 byteRate = u32(b, at + 8);
    const quint16 blockAlign = u16(b, at + 12);
    const quint16 bits = u16(b, at + 14);
    if (format != 1 || channels < 1 || channels > 8 || rate < 1000 || rate > 384000
        || (bits != 8 && bits != 16 && bits != 24 && bits != 32) || blockAlign != channels * bits / 8
        || byteRate != rate * blockAlign)
        return std::nullopt;
    return WaveSound{channels, int(rate), bits, {}};
}

} // namespace

std::optional<WaveSound> readWave(const QByteArray& bytes)
{
    const qsizetype total = bytes.size();
    if (total < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;
    if (qsizetype(u32(bytes, 4)) + 8 > total)
        return std::nullopt;
    std::optional<WaveSound> sound;
    for (qsizetype at = 12; at + 8 <= total;) {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 size = u32(bytes, at + 4);
        const qsizetype body = at + 8;
        if (qsizetype(size) > total - body)
            return std::nullopt;
        if (id == "fmt ") {
            sound = plainPcmFormat(bytes, body, size);
            if (!sound)
                return std::nullopt;
        } else if (id == "data") {
            if (!sound)
                return std::nullopt;
            // A frame cut short would shift every channel after it.
            const qsizetype frame = sound->channels * sound->bits / 8;
            sound->samples = bytes.mid(body, size - size % frame);
            if (sound->samples.isEmpty())
                return std::nullopt;
            return sound;
        }
        // Chunks are padded to an even length.
        at = body + size + (size & 1);
    }
    return std::nullopt;
}
