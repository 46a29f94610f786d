// SPDX-License-Identifier: MIT
#pragma once

#include <QDir>

// Writes the round sounds under root at the paths the game reads them from.
bool writeSounds(const QDir& root);
