#include "fakes/testcerts.h"

#include <QDir>

QString TestCerts::path(const QString& fileName)
{
    // By the source tree's absolute path, which the build gives: __FILE__
    // may be relative to the build folder (the compiler cache makes it so),
    // and a stand-in started from another folder would find no certificate.
    return QDir(QStringLiteral(VR_TEST_CERTS)).filePath(fileName);
}
