// SPDX-License-Identifier: MIT
#pragma once

// The drawing of the cards and of the application icon, shared by the
// generator and its tests. Every image is drawn at its own pixel size, not
// scaled from another one.
#include "core/card_size.h"
#include "core/rules.h"

#include <QDir>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <vector>

class QPainter;

namespace card_art {

// The screen scales the game's cards are drawn for; 1 is the table's own size.
constexpr std::array<qreal, 5> kScales = card_size::kScales;

// Pixel size of a card image drawn at `scale`: the table's card size, rounded.
QSize cardPixelSize(qreal scale);


// Where a face puts its parts, in pixels of the image drawn at a scale.
struct FaceLayout {
    QRect rank; // the rank in the top left corner
    QRect suit; // the suit symbol under it
    // Each pip of a number card; the one large pip of an ace; the picture
    // panel of a jack, queen or king.
    std::vector<QRect> body;

    QRect index() const { return rank | suit; }
};
FaceLayout faceLayout(rules::Suit suit, int v, qreal scale);

// Paints a face or the back in the box (0, 0, cardPixelSize(scale)).
void paintFace(QPainter& p, rules::Suit suit, int v, qreal scale);
void paintBack(QPainter& p, qreal scale);

QImage renderFace(rules::Suit suit, int v, qreal scale);
QImage renderBack(qreal scale);
// A card with only its edge and white ground, to tell ink from paper.
QImage renderBlank(qreal scale);

// Writes every face and the back at every scale under root, at the paths
// the game reads them from.
bool writeCards(const QDir& root);

// The application icon. Small sizes get their own plain drawing, two cards
// with one big pip each; the fan of three real faces needs more pixels.
constexpr std::array<int, 8> kIconSizes = {16, 22, 24, 32, 48, 64, 128, 256};
constexpr int kSmallestDetailedIcon = 48;
QImage renderSmallIcon(int size);
QImage renderDetailedIcon(int size);
QImage renderIcon(int size);

// Writes root/hicolor/NxN/apps/<name>.png for every icon size.
bool writeIcons(const QDir& root, const QString& name);

} // namespace card_art
