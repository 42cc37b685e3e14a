#pragma once

#include "agencydata/tddservicesettings.h"

#include <QDir>
#include <QString>

// Settings of a session against a loopback fake, with the certification-test
// values of the endpoint table, logs in folder and short waits.
inline TddServiceSettings tddTestSettings(const QString& hostAndPort, const QString& folder)
{
    TddServiceSettings s;
    s.softwareCode = QStringLiteral("095");
    s.afrKey = s.noaKey = QStringLiteral("Zc2WmQ7vRx4LpN9kTb6HsJ3dYf8GuA5e");
    s.afrMacKey = s.noaMacKey = QStringLiteral("wX8cN3pRz5LmT9kVq2HbY7sJd4GfA6Eu");
    s.serviceHost = s.loginHost = hostAndPort;
    s.dataDeliveryPath = QStringLiteral("/ebci/awsc/tdd/ws/");
    s.tddServicePath = QStringLiteral("/CertTestDeliveryService");
    s.noaServicePath = QStringLiteral("/CertTestNOAService");
    s.loginPath = QStringLiteral("/ebci/awsc/tdd/certtest/auth/start");
    s.modeDebug = true;
    s.fullLog = false;
    s.requestLogPath = QDir(folder).filePath(QStringLiteral("tddlog.txt"));
    s.sessionLogPath = QDir(folder).filePath(QStringLiteral("tddlog2.txt"));
    s.timeoutMs = 5000;
    s.pollPauseMs = 20;
    return s;
}
