// SPDX-License-Identifier: MIT
// The opening of every round and of every replay after a tie: the banner,
// the score line with the round's number, and the round's sound.
#include "app/vell.h"

#include "app/data_dir.h"
#include "match/round_sound.h"

#include <QLabel>

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
    m_roundSound->play(dataFile(rules::roundSoundPath(round)));
}
