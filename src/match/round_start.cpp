// SPDX-License-Identifier: MIT
// The opening of every round and of every replay after a tie: the banner,
// the score line with the round's number, and the round's sound.
#include "app/vell.h"

#include "app/data_dir.h"
#include "app/logging.h"
#include "app/wave_file.h"
#include "match/sound_module.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLibrary>

namespace {

// Loads the sound module once, at the first round; without it the game is
// silent.
CreateRoundSound roundSoundFactory()
{
    static const CreateRoundSound create = []() -> CreateRoundSound {
        for (const QString& folder : moduleFolders()) {
            QLibrary module(QDir(folder).filePath(QLatin1String(kSoundModule)));
            if (auto function = reinterpret_cast<CreateRoundSound>(module.resolve(kCreateRoundSound)))
                return function;
        }
        qCDebug(lcVell) << "no sound module in" << moduleFolders();
        return nullptr;
    }();
    return create;
}

} // namespace

// Set, never cleared, so that every change reaches a screen reader.
void Vell::showMessage(const QString& text)
{
    Message_Label->setText(text);
}

void Vell::showScoreLine(int round)
{
    Score_text = rules::scoreLine(round, CPU_score, User_score, tie_count);
    Score_Label->setText(Score_text);
}

void Vell::Round_start(int round)
{
    if (!rules::isCard(round))
        return;
    showMessage(rules::bannerText(round));
    showScoreLine(round);
    playRoundSound(round);
}

void Vell::playRoundSound(int round)
{
    // One sound at a time: without an audio service a sound never reports
    // that it has finished, so the previous one is let go here.
    m_roundSound.reset();
    const QString path = dataFile(rules::roundSoundPath(round));
    const auto bytes = readDataFile(path, data_limits::kSound);
    if (!bytes || !isPlayableWave(*bytes)) {
        qCDebug(lcVell) << "no sound" << path;
        return;
    }
    if (const CreateRoundSound create = roundSoundFactory()) {
        m_roundSound.reset(create(QFileInfo(path).absoluteFilePath()));
        m_roundSound->setParent(this);
        m_roundSound->setObjectName(QStringLiteral("round sound"));
    }
}
