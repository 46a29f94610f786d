// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

// The game reads its data (gazo/, wave/, html/, Vell_ja.qm) by relative
// path. A file found in the working directory is used from there, as the
// game has always done; otherwise it comes from the data folder installed
// beside the program, found relative to the executable so that a moved
// installation still works.

// Where to read the data file given by its relative path ("gazo/UB0.png").
// When no folder holds it, the relative path itself, which then fails to load.
QString dataFile(const QString& relativePath);

// The folders tried after the working directory, nearest first.
QStringList installedDataFolders();

// The folders where the program's loadable modules lie.
QStringList moduleFolders();
