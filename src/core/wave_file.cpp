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

bool isPlainPcmFormat(const QByteArray& b, qsizetype at, quint32 size)
{
    if (size < 16)
        return false;
    const quint16 format = u16(b, at);
    const quint16 channels = u16(b, at + 2);
    const quint32 rate = u32(b, at + 4);
    const quint32 byteRate = u32(b, at + 8);
    const quint16 blockAlign = u16(b, at + 12);
    const quint16 bits = u16(b, at + 14);
    return format == 1 && channels >= 1 && channels <= 8 && rate >= 1000 && rate <= 384000
        && (bits == 8 || bits == 16 || bits == 24 || bits == 32) && blockAlign == channels * bits / 8
        && byteRate == rate * blockAlign;
}

} // namespace

bool isPlayableWave(const QByteArray& bytes)
{
    const qsizetype total = bytes.size();
    if (total < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return false;
    if (qsizetype(u32(bytes, 4)) + 8 > total)
        return false;
    bool format = false;
    for (qsizetype at = 12; at + 8 <= total;) {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 size = u32(bytes, at + 4);
        const qsizetype body = at + 8;
        if (qsizetype(size) > total - body)
            return false;
        if (id == "fmt ") {
            if (!isPlainPcmFormat(bytes, body, size))
                return false;
            format = true;
        } else if (id == "data") {
            return format && size > 0;
        }
        // Chunks are padded to an even length.
        at = body + size + (size & 1);
    }
    return false;
}
