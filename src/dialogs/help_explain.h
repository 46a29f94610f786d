// SPDX-License-Identifier: MIT
#pragma once

#include <QTextBrowser>

// The rules of the game in a window of their own: a read-only browser on the
// page html/vell_explain.html, loaded once when the window is made. The main
// window keeps one instance, hidden until "Help" shows it, so the reader finds
// the page as they left it. Without the page the window stays empty.
class Help_explain : public QTextBrowser
{
    Q_OBJECT

public:
    Help_explain();
};
