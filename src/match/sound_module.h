// SPDX-License-Identifier: MIT
#pragma once

class QObject;
class QString;

// The round sounds play through a module of their own, loaded at the first
// round: the sound libraries then cost nothing while the game starts.
// The module's one function starts playing the WAV file at the given
// absolute path and returns the playing sound, owned by the caller.
using CreateRoundSound = QObject* (*)(const QString& absolutePath);
constexpr const char* kCreateRoundSound = "vellCreateRoundSound";
constexpr const char* kSoundModule = "vell_sound";
