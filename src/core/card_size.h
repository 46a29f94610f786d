// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

#include <array>

// One size for every card image and every card place on the table, chosen so
// that five full rows of thirteen cards, the score, message and result lines
// and the card buttons fit the fixed 640 x 480 window.
namespace card_size {
constexpr int kWidth = 38;
constexpr int kHeight = 53;

// The screen scales each card is drawn for, at the same size on screen: an
// image drawn for scale 2 has twice the pixels each way. 1 is the table's
// own size.
constexpr std::array<qreal, 5> kScales = {1, 1.25, 1.5, 2, 3};

// The drawing to use where `needed` times the table's size is wanted: the
// smallest scale no smaller than that, or the largest there is.
constexpr qreal drawnScaleFor(qreal needed)
{
    for (const qreal scale : kScales) {
        if (scale >= needed)
            return scale;
    }
    return kScales.back();
}
} // namespace card_size
