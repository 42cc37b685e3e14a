#include "fakes/agency/agencyconfig.h"

#include <QDir>
#include <QSaveFile>

QString AgencyConfig::runFolder(const QString& home)
{
    return QDir(home).filePath(QStringLiteral("Documents/vodarevivo/2024/run"));
}

QByteArray AgencyConfig::text(const QString& hostAndPort, const QString& caFile, const Options& options)
{
    QStringList lines{
        QStringLiteral("MODEDEBUG=1"),
        QStringLiteral("DIRERADSERVER=%1").arg(hostAndPort),
        QStringLiteral("EOLSERVER=%1").arg(hostAndPort),
        QStringLiteral("T1013SERVER=%1").arg(hostAndPort),
        QStringLiteral("TestCAFile=%1").arg(caFile),
        QStringLiteral("SoapTimeoutSec=%1").arg(options.soapTimeoutSec),
        QStringLiteral("DireradSoftwareCode=%1").arg(options.softwareCode),
        QStringLiteral("DireradSoftwareDate=%1").arg(options.softwareDate),
    };
    lines += options.extraLines;
    return lines.join(QLatin1Char('\n')).toUtf8() + '\n';
}

QString AgencyConfig::write(const QString& home, const QString& hostAndPort, const QString& caFile,
                            const Options& options)
{
    const QString folder = runFolder(home);
    if (!QDir().mkpath(folder))
        return QString();
    const QString path = QDir(folder).filePath(QStringLiteral("gr_path.ini"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(text(hostAndPort, caFile, options));
    return file.commit() ? path : QString();
}
