#include "fakes/agency/agencycerts.h"

#include <QDir>
#include <QFileInfo>

QString AgencyCerts::dir()
{
    return qEnvironmentVariable("VR_AGENCY_CERTS");
}

QString AgencyCerts::path(const QString& fileName)
{
    return QDir(dir()).filePath(fileName);
}

bool AgencyCerts::available()
{
    if (dir().isEmpty())
        return false;
    const char* const files[] = {"ca.pem", "server.pem", "server.key", "wrong-host.pem",
                                 "wrong-host.key", "other-server.pem", "other-server.key"};
    for (const char* f : files) {
        if (!QFileInfo::exists(path(QString::fromLatin1(f))))
            return false;
    }
    return true;
}
