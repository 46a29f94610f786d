// SPDX-License-Identifier: MIT
#include "help_explain.h"

#include "dialogs/scaled_image.h"
#include "core/data_dir.h"

#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QTextDocument>
#include <QUrl>

Help_explain::Help_explain(const QLocale& system)
    : QTextBrowser(nullptr)
    , m_japanese(system.language() == QLocale::Japanese)
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
    if (!page.isFile())
        return;
    // The page has an English part, then a Japanese one: it opens at the
    // player's.
    QUrl url = QUrl::fromLocalFile(page.absoluteFilePath());
    if (m_japanese)
        url.setFragment(QStringLiteral("japanese"));
    setSource(url);
}

QVariant Help_explain::loadResource(int type, const QUrl& name)
{
    if (!name.isLocalFile())
        return QTextBrowser::loadResource(type, name);
    // An empty answer would send the document to read the file on its own,
    // unchecked; an empty image or page is what a missing file shows.
    if (type == QTextDocument::ImageResource) {
        // The cards drawn for the screen's scale, as on the table.
        return imageForScale(name.toLocalFile(), devicePixelRatioF(),
                             [](const QString& path) { return readDataFile(path, data_limits::kImage); });
    }
    return readDataFile(name.toLocalFile(), data_limits::kPage).value_or(QByteArray());
}

void Help_explain::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QTextBrowser::keyPressEvent(event);
}

// The page is set once the browser has had its first showing, which would
// otherwise take the view back to the top of the page.
void Help_explain::showEvent(QShowEvent* event)
{
    QTextBrowser::showEvent(event);
    loadPage();
}
