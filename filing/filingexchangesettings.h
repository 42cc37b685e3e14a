#pragma once

#include <QString>

// What the exchanges with the agency take from the program's configuration:
// the window layer fills it, so the filing services never reach up for it.
struct FilingExchangeSettings
{
    QString direradHost;    // "host[:port]" of the DIRERAD services
    bool testMode = false;  // requests (redacted) and replies are traced into the result file
    QString resultFilePath; // the filing result file

    // The service that takes the terms requests and the T1 returns.
    QString fileReturnServiceUrl() const
    {
        return QStringLiteral("%1%2%3").arg("https://", direradHost, "/ebci/pfno/ws/services/FileReturnService");
    }
    // The service that takes the forms filed on their own (T1135).
    QString fileFormServiceUrl() const
    {
        return QStringLiteral("%1%2%3").arg("https://", direradHost, "/ebci/efes/frrms/ws/services/FileFormService");
    }
};
