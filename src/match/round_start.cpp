// SPDX-License-Identifier: MIT
// The opening of every round and of every replay after a tie: the banner,
// the score line with the round's number, and the round's sound.
#include "app/vell.h"

#include "app/round_sound.h"
#include "core/data_dir.h"

#include <QLabel>

// Set, never cleared, so that every change reaches a screen reader.
void Vell::showMessage(const QString& text)
{
    Message_Label->setText(text);
}

void Vell::showScoreLine(int round)
{
    m_match.writeScoreLine(round);
    Score_Label->setText(m_match.Score_text);
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
    m_roundSound->play(dataFile(rules::roundSoundPath(round)));
}
