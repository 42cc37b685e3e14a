#pragma once

#include "filing/filingexchangesettings.h"

#include "companion/core/cstring.h"

#include <QDateTime>
#include <QString>

#include <functional>

// What the filing of one form apart from the return (T1135, T1013, T185)
// needs of the program: the exchanges' settings, the filing log, the
// filing-record service and the clock. The window layer fills it.
struct FormFilingSettings
{
    FilingExchangeSettings exchange;
    QString filingLogPath;
    // Appends one record to the filing log; false when it was not written.
    std::function<bool(const CString& name, const CString& result, const CString& confirmation,
                       const CString& msg)>
        writeFilingLog;
    // Records an answered filing with the filing-record service: form type,
    // accepted, confirmation and the agency's message. Its result is not
    // looked at: the filing with the agency stands whatever it says.
    std::function<int(int formType, bool accepted, const QString& confirmation, const QString& message)>
        sendFilingRecord;
    std::function<QDateTime()> now; // empty: the current local time
    // The maker's web host (configuration voDarevivoWebServer), whose help
    // page on the agency's error codes a refused T1013 points to.
    QString makerWebHost;
    unsigned char edition = 2;      // titles the message boxes

    // The filing's time stamp: the clock given, else the current local time.
    QDateTime currentTime() const { return now ? now() : QDateTime::currentDateTime(); }
};
