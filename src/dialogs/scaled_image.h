// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>
#include <optional>

// The bytes of the file at a path, or nothing when it cannot be read.
using ImageReader = std::function<std::optional<QByteArray>(const QString& path)>;

// A card image at the path given ("gazo/D01.png"), drawn for the screen's
// scale so that it is as sharp as the text beside it: the drawing for that
// scale or for the next larger one, its device pixel ratio set. Without it
// the 1x image, to be enlarged; a missing or unreadable 1x image gives a
// null image, and the game goes on without it.
QImage imageForScale(const QString& path, qreal screenScale, const ImageReader& read);
