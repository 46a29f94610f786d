// SPDX-License-Identifier: MIT
#include "help_explain.h"

#include "app/data_dir.h"

#include <QFileInfo>
#include <QUrl>

Help_explain::Help_explain()
    : QTextBrowser(nullptr)
{
    setFixedSize(640, 480);
    setWindowTitle(tr("How to play vell"));
}

void Help_explain::loadPage()
{
    if (m_loaded)
        return;
    m_loaded = true;
    // An absolute file URL lets the page's own links (../gazo/D01.png)
    // resolve wherever the data lies. A missing page is not worth a warning.
    const QFileInfo page(dataFile(QStringLiteral("html/vell_explain.html")));
    if (page.isFile())
        setSource(QUrl::fromLocalFile(page.absoluteFilePath()));
}

void Help_explain::showEvent(QShowEvent* event)
{
    loadPage();
    QTextBrowser::showEvent(event);
}
