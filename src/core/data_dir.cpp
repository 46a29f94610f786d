// SPDX-License-Identifier: MIT
#include "data_dir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Set by the build from the install layout, for instance "../share/vell".
constexpr const char* kDataFromProgram = VELL_DATA_FROM_BINARY;

QString besideProgram(const char* relative)
{
    return QDir::cleanPath(QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(relative)));
}

class FileDescriptor
{
public:
    explicit FileDescriptor(int fd)
        : m_fd(fd)
    {
    }
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

QStringList installedDataFolders()
{
    if (!QCoreApplication::instance())
        return {};
    // The installed layout first, then the build's runtime folder, which
    // keeps the data right beside the program.
    return {besideProgram(kDataFromProgram), QCoreApplication::applicationDirPath()};
}

QString dataFile(const QString& relativePath)
{
    if (QFileInfo(relativePath).isFile())
        return relativePath;
    for (const QString& folder : installedDataFolders()) {
        const QString candidate = QDir(folder).filePath(relativePath);
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return relativePath;
}

std::optional<QByteArray> readDataFile(const QString& path, qint64 maxBytes)
{
    // Opening a pipe without a writer would wait for one; O_NONBLOCK makes
    // the open return at once, and the check below then refuses the pipe.
    const FileDescriptor file(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.get() < 0)
        return std::nullopt;
    struct stat status = {};
    if (::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > maxBytes)
        return std::nullopt;
    // The file may still grow while it is read: read at most one byte more
    // than allowed, which is enough to tell.
    QByteArray bytes(qsizetype(status.st_size) + 1, Qt::Uninitialized);
    qsizetype total = 0;
    while (total < bytes.size()) {
        const ssize_t got = ::read(file.get(), bytes.data() + total, size_t(bytes.size() - total));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        total += got;
        if (total > maxBytes)
            return std::nullopt;
        if (total == bytes.size() && total <= maxBytes)
            bytes.resize(qMin<qsizetype>(maxBytes + 1, bytes.size() * 2));
    }
    bytes.truncate(total);
    return bytes;
}
