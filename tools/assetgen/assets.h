// SPDX-License-Identifier: MIT
#pragma once

#include <QDir>

// Each writes its files under root at the paths the game reads them from.
bool writeCards(const QDir& root);
bool writeSounds(const QDir& root);
