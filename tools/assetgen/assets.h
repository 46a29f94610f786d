// SPDX-License-Identifier: MIT
#pragma once

#include "core/rules.h"

#include <QDir>
#include <QSizeF>

class QPainter;

// Each writes its files under root at the paths the game reads them from.
bool writeCards(const QDir& root);
bool writeSounds(const QDir& root);

// Writes the application icon as root/hicolor/NxN/apps/<name>.png in the
// usual sizes.
bool writeIcons(const QDir& root, const QString& name);

// Cards are painted in a box of cardSize(); scale the painter for others.
QSizeF cardSize();
void paintFace(QPainter& p, rules::Suit suit, int v);
void paintBack(QPainter& p);
