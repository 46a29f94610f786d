// SPDX-License-Identifier: MIT
// The sound module: built apart and loaded when the first round starts.
#include "match/sound_module.h"

#include <QSoundEffect>
#include <QUrl>

extern "C" Q_DECL_EXPORT QObject* vellCreateRoundSound(const QString& absolutePath)
{
    auto* sound = new QSoundEffect;
    sound->setSource(QUrl::fromLocalFile(absolutePath));
    sound->play();
    return sound;
}

// The loader finds the function by name; this keeps its type in step.
[[maybe_unused]] static constexpr CreateRoundSound kCheckedSignature = &vellCreateRoundSound;
