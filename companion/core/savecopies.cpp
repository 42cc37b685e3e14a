#include "companion/core/savecopies.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Taken while the program loads, before any save can start.
const QDateTime s_sessionStart = QDateTime::currentDateTimeUtc();

bool isOwnRegularFile(const QString& path)
{
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISREG(status.st_mode)
           && status.st_uid == ::geteuid();
}

} // namespace

QDateTime sessionStartTime() { return s_sessionStart; }

int removeLeftoverSaveCopies(const QString& path)
{
    const QFileInfo file(path);
    const QDir folder = file.absoluteDir();
    const QRegularExpression copyName(
        QStringLiteral("\\A%1\\.[A-Za-z0-9]{6}\\z").arg(QRegularExpression::escape(file.fileName())));
    int removed = 0;
    const QStringList candidates =
        folder.entryList({file.fileName() + QStringLiteral(".??????")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : candidates) {
        if (!copyName.match(name).hasMatch())
            continue;
        const QString copy = folder.filePath(name);
        const QFileInfo info(copy);
        if (!isOwnRegularFile(copy) || info.lastModified().toUTC() >= s_sessionStart)
            continue;
        if (QFile::remove(copy))
            ++removed;
    }
    return removed;
}

bool syncFolderOf(const QString& path)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}
