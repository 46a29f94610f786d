// SPDX-License-Identifier: MIT
#pragma once

#include <QLocale>
#include <QTextBrowser>

// The rules of the game in a window of their own: a read-only browser on the
// page html/vell_explain.html, loaded once. The main window keeps one
// instance, hidden until "Help" shows it, so the reader finds the page as
// they left it. Without the page the window stays empty.
class Help_explain : public QTextBrowser
{
    Q_OBJECT

public:
    // On a Japanese system the page opens at its Japanese part.
    explicit Help_explain(const QLocale& system = QLocale::system());

    // Loads the page the first time; later calls keep the page and its place.
    // Showing the window calls it: a game in which Help is never opened
    // never reads the page.
    void loadPage();

    // The page and the card images it shows are read like every data file:
    // only regular files of a sensible size, so that a pipe or a device in
    // their place can neither hang the window nor fill the memory. The
    // images are the drawings for the screen's scale, as the table's are.
    QVariant loadResource(int type, const QUrl& name) override;

protected:
    void showEvent(QShowEvent* event) override;
    // Escape closes the window, as it does a dialog.
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_loaded = false;
    bool m_japanese = false;
};
