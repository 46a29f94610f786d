// SPDX-License-Identifier: MIT
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where the game's windows come up, so that the player finds them: the table
// centred on its screen, and the settings and the rules over the table.
namespace placement {

// A rectangle of this size centred over `over`, kept within `area` as far
// as it fits.
QRect centred(const QSize& size, const QRect& over, const QRect& area = QRect());

// Centres the table on its screen before it is first shown, so that the
// greeting, which comes before it, can be centred where it will appear. The
// window manager puts its frame around it.
void centreOnScreen(QWidget& table);

// Brings one of the game's own windows to the player: shown, out of the
// taskbar if it was minimised, above the other windows and with the focus;
// the first time centred over the table, later where the player left it.
void bringForward(QWidget& window, const QWidget& table);

} // namespace placement
