// SPDX-License-Identifier: MIT
// The end of a match of either kind: the two result lines, the winner's
// first, for 3500 ms; then the first screen again.
#include "app/vell.h"

#include <QLabel>

void Vell::Open_show_result_timer()
{
    m_match.showResult();
    Result_Label1->setEnabled(true);
    Result_Label1->show();
    Result_Label2->show();
    Result_Label2->setEnabled(true);
    Result_Label1->setText(m_match.Result_text1);
    Result_Label2->setText(m_match.Result_text2);
    announce(rules::resultSpeech(m_match.CPU_score, m_match.User_score));
    after(3500, &Vell::Return_First_Screen_timer);
}

void Vell::Return_First_Screen_timer()
{
    // The lines go first: the match commands come back only once they are down.
    Result_Label1->hide();
    Result_Label2->hide();
    m_match.finish();
    first_screen();
}
