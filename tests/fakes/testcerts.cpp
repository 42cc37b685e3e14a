#include "fakes/testcerts.h"

#include <QDir>
#include <QFileInfo>

QString TestCerts::path(const QString& fileName)
{
    // The build compiles this file by its absolute path, so the certificates
    // are found in the source tree wherever the build folder is.
    const QString here = QFileInfo(QString::fromUtf8(__FILE__)).absolutePath();
    return QDir(here).filePath(QStringLiteral("certs/") + fileName);
}
