#pragma once

#include "companion/core/cstring.h"

#include <QList>
#include <QString>
#include <functional>

// What a filing wrote to its filing log and sent as its filing record, kept
// for a test to compare. `attachTo` makes it the log writer and record
// sender of a filing's settings; `recordSender` serves a page's seam.
class FilingOutcomeRecorder
{
public:
    struct LogLine
    {
        QString name, result, confirmation, msg;
    };
    struct Record
    {
        int form = 0;
        bool accepted = false;
        QString confirmation, message;
    };

    QList<LogLine> log;
    QList<Record> records;
    // What the record sender answers (0: the service kept the record).
    int recordResult = 0;

    void clear()
    {
        log.clear();
        records.clear();
        recordResult = 0;
    }

    std::function<int(int, bool, const QString&, const QString&)> recordSender()
    {
        return [this](int form, bool accepted, const QString& confirmation, const QString& message) {
            records << Record{form, accepted, confirmation, message};
            return recordResult;
        };
    }

    template <class Settings>
    void attachTo(Settings& settings)
    {
        settings.writeFilingLog = [this](const CString& name, const CString& result, const CString& confirmation,
                                         const CString& msg) {
            log << LogLine{name, result, confirmation, msg};
            return true;
        };
        settings.sendFilingRecord = recordSender();
    }
};
