#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QString>

// The provincial plug-ins a test may steer through the side file that
// VODAREVIVO_PROVINCE_TESTFILE names: the test build of every province. The
// shipped plug-ins in lib/plugins ignore that file; a test that uses it
// loads these (CMultiProvsTaxMgr::setPluginFolder).
// Tests that set it up before their application object exists find the
// program's folder from the running executable.
inline QString steerablePluginFolder()
{
    const QString bin = QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                                     : QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    return QDir::cleanPath(bin + QStringLiteral("/../lib/testplugins/steerable"));
}
