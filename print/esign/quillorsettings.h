#pragma once

#include <QString>

#include <functional>

// The account and host of the e-signature service as the client needs them
// for one request. The window reads them from the application's settings at
// each request, so a change applied in the preferences takes effect at once.
struct QuillorSettings
{
    QString server;   // host, optionally ":port"; placed after "https://"
    QString email;    // account e-mail
    QString password; // account password as typed
    QString appTitle; // the application's title, sent with the account check
    bool filingReport = false; // each filing is also recorded with the service
};

using QuillorSettingsSource = std::function<QuillorSettings()>;

// Writes one line to the program's run log (never a name, telephone or S.I.N.).
using QuillorRunLog = std::function<void(const QString& line)>;
