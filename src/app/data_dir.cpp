// SPDX-License-Identifier: MIT
#include "data_dir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
// Set by the build from the install layout, for instance "../share/vell".
constexpr const char* kDataFromProgram = VELL_DATA_FROM_BINARY;
} // namespace

QStringList installedDataFolders()
{
    if (!QCoreApplication::instance())
        return {};
    const QDir programFolder(QCoreApplication::applicationDirPath());
    // The installed layout first, then the build's runtime folder, which
    // keeps the data right beside the program.
    return {QDir::cleanPath(programFolder.filePath(QLatin1String(kDataFromProgram))), programFolder.path()};
}

QString dataFile(const QString& relativePath)
{
    if (QFileInfo::exists(relativePath))
        return relativePath;
    for (const QString& folder : installedDataFolders()) {
        const QString candidate = QDir(folder).filePath(relativePath);
        if (QFileInfo::exists(candidate))
            return candidate;
    }
    return relativePath;
}
