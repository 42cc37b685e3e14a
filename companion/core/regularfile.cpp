#include "companion/core/regularfile.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool openRegularFileForReading(QFile& file, const QString& path)
{
    return openRegularFileForReading(file, QFile::encodeName(path));
}

bool openRegularFileForReading(QFile& file, const QByteArray& nativePath)
{
    // O_NONBLOCK: opening a FIFO without a writer must not wait for one.
    const int fd = ::open(nativePath.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status {};
    const int flags = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || flags < 0
        || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return false;
    }
    file.setFileName(QFile::decodeName(nativePath));
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}
