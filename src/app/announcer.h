// SPDX-License-Identifier: MIT
// The screen reader's voice: the window's one notification.
#pragma once

#include <QLabel>

class QStatusBar;

// Tells a screen reader what happens on the table. Readers such as Orca speak
// what happens to the focused control and to notifications, and pass over
// changes of other labels: so each event of a match is also announced here,
// as a notification. It lives in a status bar, which spares the reader's
// "notification" before every line, and both stay hidden: nothing of it is
// on screen.
class Announcer : public QLabel
{
    Q_OBJECT

public:
    // Makes a hidden status bar in window to hold the announcer.
    explicit Announcer(QWidget* window);

    // Spoken at once, after whatever is still being spoken.
    void announce(const QString& text);

private:
    QStatusBar* m_bar;
};
