#include "companion/core/filemodes.h"

#include <QFile>
#include <QFileDevice>
#include <QString>

#include <sys/stat.h>

bool keepToOwner(QFileDevice& file)
{
    return file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

bool withholdFromOthers(const QString& path)
{
    const QByteArray local = QFile::encodeName(path);
    struct stat status {};
    if (::stat(local.constData(), &status) != 0)
        return false;
    const mode_t mode = status.st_mode & 07777;
    const mode_t narrowed = mode & ~mode_t(S_IRWXG | S_IRWXO);
    return narrowed == mode || ::chmod(local.constData(), narrowed) == 0;
}
