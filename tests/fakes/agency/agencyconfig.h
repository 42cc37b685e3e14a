#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Points the program at the fake agency: the lines of "gr_path.ini" in the
// run folder of a test's fresh home, with test mode on, every filing host at
// 127.0.0.1:PORT (the program builds "https://%1%2%3" from host, path and
// nothing, so a port rides along with the host), the test CA as TestCAFile
// (trusted in test mode only), a short SOAP time-out and the software code
// and date set explicitly rather than left to the program's defaults.
namespace AgencyConfig {

struct Options
{
    int soapTimeoutSec = 3;
    QString softwareCode = QStringLiteral("097");
    QString softwareDate = QStringLiteral("2024-12-13");
    QStringList extraLines; // more "key=value" lines
};

// home + "/Documents/vodarevivo/2024/run", where the program reads the file.
QString runFolder(const QString& home);
QByteArray text(const QString& hostAndPort, const QString& caFile, const Options& options = Options());
// Writes the file (making the run folder); its path, or empty on failure.
QString write(const QString& home, const QString& hostAndPort, const QString& caFile,
              const Options& options = Options());

} // namespace AgencyConfig
