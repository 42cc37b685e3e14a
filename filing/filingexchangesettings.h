#pragma once

#include <QString>

// What the exchanges with the agency take from the program's configuration:
// the window layer fills it, so the filing services never reach up for it.
struct FilingExchangeSettings
{
    QString direradHost;    // "host[:port]" of the DIRERAD services
    bool testMode = false;  // replies are traced into the result file
    QString resultFilePath; // the filing result file
};
