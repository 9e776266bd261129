#include "RegularFileTarget.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

RegularFileTarget::State RegularFileTarget::Check(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat entry = {};
    if (::lstat(native.constData(), &entry) != 0)
        return errno == ENOENT || errno == ENOTDIR ? State::Missing : State::Other;
    // stat() follows the whole chain of links; a dangling link fails here.
    if (S_ISLNK(entry.st_mode) && ::stat(native.constData(), &entry) != 0)
        return State::Other;
    return S_ISREG(entry.st_mode) ? State::Regular : State::Other;
}

std::optional<QByteArray> RegularFileTarget::Read(const QString &path, qint64 maxSize)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
    struct stat entry = {};
    if (::fstat(fd, &entry) != 0 || !S_ISREG(entry.st_mode) || entry.st_size > maxSize)
        return std::nullopt;
    QByteArray contents = file.read(maxSize + 1);
    if (file.error() != QFileDevice::NoError || contents.size() > maxSize)
        return std::nullopt;
    return contents;
}
