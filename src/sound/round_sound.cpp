// SPDX-License-Identifier: MIT
#include "sound/round_sound.h"

#include "core/asset_paths.h"
#include "core/data_dir.h"
#include "core/logging.h"
#include "core/wave_file.h"
#include "sound/sound_output.h"

RoundSound::RoundSound(QObject* parent)
    : QObject(parent)
{
}

RoundSound::~RoundSound() = default;

void RoundSound::playRound(int round)
{
    play(dataFile(assets::roundSoundPath(round)));
}

void RoundSound::play(const QString& path)
{
    const auto bytes = readDataFile(path, data_limits::kSound);
    std::optional<WaveSound> sound = bytes ? readWave(*bytes) : std::nullopt;
    if (!sound) {
        qCDebug(lcVell) << "no sound" << path;
        return;
    }
    if (!m_output) {
        m_output = makeSoundOutput();
        connect(m_output.get(), &SoundOutput::answering, this, [this](bool answers) { m_answering = answers; });
        connect(m_output.get(), &SoundOutput::stalled, this, [this] {
            if (!std::exchange(m_stopped, true))
                qCWarning(lcVell, "The audio server does not answer: the game goes on without sound.");
        });
        connect(m_output.get(), &SoundOutput::started, this, [this](const QString& name) {
            if (std::exchange(m_stopped, false))
                qCWarning(lcVell, "The audio server answers again: sound is back.");
            emit started(name);
        });
    }
    m_output->play(path, std::make_shared<const WaveSound>(std::move(*sound)));
}

bool RoundSound::isSilent() const
{
    return m_stopped || !m_answering;
}
