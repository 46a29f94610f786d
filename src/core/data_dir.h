// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The game reads its data (gazo/, wave/, html/, Vell_ja.qm) by relative
// path. A file found in the working directory is used from there, as the
// game has always done; otherwise it comes from the data folder installed
// beside the program, found relative to the executable so that a moved
// installation still works.

// Where to read the data file given by its relative path ("gazo/UB0.png").
// Only a regular file counts (links followed): a directory, a pipe or a
// device in its place is passed over like a missing file. When no folder
// holds it, the relative path itself, which then fails to load.
QString dataFile(const QString& relativePath);

// The folders tried after the working directory, nearest first.
QStringList installedDataFolders();

// The largest file of each kind the game reads: far above what it ships, far
// below what would hurt.
namespace data_limits {
constexpr qint64 kImage = 4 << 20;
constexpr qint64 kSound = 4 << 20;
constexpr qint64 kPage = 1 << 20;
constexpr qint64 kTranslation = 4 << 20;
} // namespace data_limits

// The whole content of the file at path when it is a regular file (links
// followed) of at most maxBytes; nothing otherwise. A pipe or a device in a
// file's place is never waited on and never read: the file is opened without
// blocking and checked before a byte is read, and no more than maxBytes + 1
// bytes are ever read.
std::optional<QByteArray> readDataFile(const QString& path, qint64 maxBytes);
