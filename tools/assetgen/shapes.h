// SPDX-License-Identifier: MIT
#pragma once

// Shapes and colours shared by the cards and the icon, inside vell_art.
#include "core/rules.h"

#include <QColor>
#include <QPainterPath>
#include <QRectF>

namespace card_art {

QColor inkOf(rules::Suit suit);
QColor edgeColour();

// The suit's symbol filling box; small boxes get a shape tuned for few pixels.
QPainterPath suitPath(rules::Suit suit, const QRectF& box);

} // namespace card_art
