// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QWidget;

// The greeting's and the farewell's box: an information box over the
// window, with OK only, its text with the player's name for %1, shown as
// it is (never read as markup) and fitted to the screen. Returns once the
// player has answered it.
void showNamedBox(QWidget* window, const QString& title, const QString& text, const QString& name);
