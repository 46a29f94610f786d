// SPDX-License-Identifier: MIT
#pragma once

#include "core/rules.h"

#include <QString>

// Where the game's generated assets lie, relative to its data folder: the
// asset generator writes them there and the window reads them.
namespace assets {

QString cardImagePath(rules::Suit suit, int v);
QString cardBackPath();
// The image of a card drawn for a screen scale: "gazo/D01.png" at 1 stays as
// it is, at 2 it is "gazo/D01@2x.png", at 1.5 "gazo/D01@1.5x.png".
QString scaledImagePath(const QString& path, qreal scale);
QString roundSoundPath(int round);

} // namespace assets
