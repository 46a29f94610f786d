// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

// Whether bytes hold a complete, plain PCM WAV file: a RIFF/WAVE header,
// a format chunk of 8 to 32 bit PCM, and a data chunk, every size within the
// file. The sound player waits for data a lying header promises, and a load
// that never ends blocks every later sound: such files are not played.
bool isPlayableWave(const QByteArray& bytes);
