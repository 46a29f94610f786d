// SPDX-License-Identifier: MIT
#include "data_dir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {
// Set by the build from the install layout, for instance "../share/vell"
// and "../lib/vell".
constexpr const char* kDataFromProgram = VELL_DATA_FROM_BINARY;
constexpr const char* kModulesFromProgram = VELL_MODULES_FROM_BINARY;

QString besideProgram(const char* relative)
{
    return QDir::cleanPath(QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(relative)));
}
} // namespace

QStringList installedDataFolders()
{
    if (!QCoreApplication::instance())
        return {};
    // The installed layout first, then the build's runtime folder, which
    // keeps the data right beside the program.
    return {besideProgram(kDataFromProgram), QCoreApplication::applicationDirPath()};
}

QStringList moduleFolders()
{
    if (!QCoreApplication::instance())
        return {};
    // The build keeps its programs and its modules in the same relation.
    QStringList folders{besideProgram(kModulesFromProgram), besideProgram("../lib/vell")};
    folders.removeDuplicates();
    return folders;
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
