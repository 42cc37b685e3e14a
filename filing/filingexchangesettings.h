#pragma once

#include <QString>

// What the exchanges with the agency take from the program's configuration:
// the window layer fills it, so the filing services never reach up for it.
struct FilingExchangeSettings
{
    QString direradHost;    // "host[:port]" of the DIRERAD services
    QString efileHost;      // "host[:port]" of the EFILE service
    QString t1013Host;      // "host[:port]" of the T1013 and pre-authorised debit services
    bool testMode = false;  // requests (redacted) and replies are traced into the result file
    QString resultFilePath; // the filing result file

    // Whether the DIRERAD host names a real server. The program's defaults
    // are names under ".example", which by design never resolve: filing to
    // one would only fail with a name-resolution error the user cannot act
    // on, so the road says what to configure instead.
    bool direradHostConfigured() const
    {
        const QString name = direradHost.section(QLatin1Char(':'), 0, 0).trimmed().toLower();
        return !name.isEmpty() && name != QLatin1String("example") && !name.endsWith(QLatin1String(".example"));
    }

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
    // The service that takes a preparer's T1 returns (EFILE).
    QString efileReturnServiceUrl() const
    {
        return QStringLiteral("%1%2%3").arg("https://", efileHost, "/ebci/pfeo/ws/services/FileReturnService");
    }
    // The service that takes the T1013 authorisation of a representative.
    QString t1013ServiceUrl() const
    {
        return QStringLiteral("%1%2%3").arg("https://", t1013Host, "/ebci/tdws/esub/services/TRISWebService");
    }
    // The service that takes the T185 pre-authorised debit agreement.
    QString padServiceUrl() const
    {
        return QStringLiteral("%1%2%3").arg("https://", t1013Host, "/ebci/rjpt/epads_ws/services/PadService");
    }
};
