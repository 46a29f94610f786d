// SPDX-License-Identifier: MIT
#include "dialogs/placement.h"

#include <QScreen>
#include <QWidget>

namespace placement {

QRect centred(const QSize& size, const QRect& over, const QRect& area)
{
    QRect placed(QPoint(), size);
    placed.moveCenter(over.center());
    if (area.isValid()) {
        placed.moveLeft(qMax(area.left(), qMin(placed.left(), area.right() + 1 - placed.width())));
        placed.moveTop(qMax(area.top(), qMin(placed.top(), area.bottom() + 1 - placed.height())));
    }
    return placed;
}

void centreOnScreen(QWidget& table)
{
    if (const QScreen* screen = table.screen())
        table.setGeometry(centred(table.size(), screen->availableGeometry(), screen->availableGeometry()));
}

void bringForward(QWidget& window, const QWidget& table)
{
    // A window Qt was never told where to go is placed by the window
    // manager, anywhere, each time it is shown; once moved it keeps its
    // place, the one the player gave it too. Its frame is taken to be as
    // wide as the table's.
    if (!window.testAttribute(Qt::WA_Moved)) {
        const QRect over = table.frameGeometry();
        const QSize frame = window.size() + over.size() - table.size();
        const QRect area = table.screen() ? table.screen()->availableGeometry() : over;
        window.move(centred(frame, over, area).topLeft());
    }
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace placement
