#include "companion/core/oslibname.h"

QString osLibFilename(const QString& baseName)
{
#if defined(Q_OS_WIN)
    return baseName + QStringLiteral(".dll");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("lib") + baseName + QStringLiteral(".dylib");
#else
    return QStringLiteral("lib") + baseName + QStringLiteral(".so");
#endif
}

void getOSLibFilename(const QString& baseName, QString& fileName)
{
    fileName = osLibFilename(baseName);
}
