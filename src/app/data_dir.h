// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// Where the game reads a data file given by its relative path ("gazo/UB0.png").
QString dataFile(const QString& relativePath);
