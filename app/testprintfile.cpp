// The test print file: a generated return holding every form, for trying the
// print engine.
#include "app/tabwndapp.h"

#include "companion/forms/catalogue.h"
#include "model/cfamilytaxdata.h"
#include "model/returnfileloadcode.h"

#include <QDir>
#include <QStandardPaths>

#include <memory>

QString TabWndApp::testPrintFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QStringLiteral("/testprint.r24");
}

int TabWndApp::createTestPrintFile()
{
    const QString path = testPrintFilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());

    auto family = std::make_unique<CFamilyTaxData>(MULTIPROVS_MODE_RESIDENCE);
    // Labelled with the first supported province (a return without one is
    // written only up to its first record), with that province's forms.
    family->CreateTestPrintFile();

    QString reason;
    const int code = family->saveToFile(CString(path), s_appPurpose, &reason);
    if (code != RFL_SUCCESS)
        gAppInformation(QStringLiteral("The test print file %1 could not be written: %2").arg(path, reason), nullptr);
    return code;
}
