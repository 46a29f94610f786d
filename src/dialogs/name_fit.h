// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QFontMetrics;

// A player's name as the game's boxes show it: whole, wrapped at word
// boundaries where it is long. Only a name that could not fit in the room
// given (a word wider than the room, or more lines than it has) is shortened,
// in the middle, to one line.
QString fittedName(const QString& name, const QFontMetrics& metrics, int width, int lines);
