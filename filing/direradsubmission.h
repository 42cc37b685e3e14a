#pragma once

#include "filing/filingexchangesettings.h"

#include "companion/core/cstring.h"

#include <QDateTime>
#include <QString>

#include <functional>

class CFamilyTaxData;

// What a DIRERAD submission needs of the program: the exchange's settings,
// the filing log and the clock. The window layer fills it.
struct DireradSubmissionSettings
{
    FilingExchangeSettings exchange;
    QString filingLogPath;
    // Appends one record to the filing log; false when it was not written
    // (the writer has told the user and the run log).
    std::function<bool(const CString& name, const CString& result, const CString& confirmation,
                       const CString& msg)>
        writeFilingLog;
    std::function<QDateTime()> now; // empty: the current local time
    // The filing's time stamp: the clock given, else the current local time.
    QDateTime currentTime() const { return now ? now() : QDateTime::currentDateTime(); }
    // Reports a filing to the filing-record service when the user's settings
    // ask for it; its result code (0 when sent or not asked). Empty: none.
    std::function<int(int formType, bool accepted, const QString& confirmation, const QString& message)>
        sendFilingRecord;
    // The preparer's EFILE number and password, from the program's
    // settings: an EFILE request never takes them from the client's return.
    CString efileNumber;
    CString efilePassword;
};

// How a submission ended, as the filing road records it.
enum class DireradOutcome {
    NotSent,        // nothing reached the agency: Cancel, terms, composing, no connection
    Accepted,       // the agency accepted the return
    Refused,        // the agency answered and did not accept it
    OutcomeUnknown, // sent, but the answer is missing or unreadable: the agency may have it
};

// What the result dialog shows after a submission.
struct FilingResultReport
{
    QString title;
    QString overview;
    QString details;
    bool detailsAreHtml = false;
    QString bottom;
    QString path;
    // Why the filing was not answered, in the words of what failed (the
    // network's own for a transport failure), shown apart from the details.
    // Empty when the agency answered.
    QString cause;
};

// A test case number typed by the tester: its decimal value, 0 when it is
// empty or not a number.
int testCaseIdFromText(const QString& text);

// One DIRERAD filing of the current person's return after the user agreed
// to the terms: the request data, the exchange, the filing log of an
// accepted return and the texts of the result dialog.
class DireradSubmission
{
public:
    DireradSubmission(CFamilyTaxData* family, DireradSubmissionSettings settings);

    // Files xml (the electronic return) for name, whose return-status line
    // is status, and returns what the result dialog shows.
    FilingResultReport file(int agreement, int testCaseId, const CString& xml, const CString& name,
                            const CString& status);

    DireradOutcome outcome() const { return m_outcome; }
    const CString& confirmation() const { return m_confirmation; }
    const CString& agencyMessage() const { return m_agencyMessage; }
    // From the request data: the e-mail address sent and the balance
    // (positive owing, negative refund).
    const CString& email() const { return m_email; }
    double balance() const { return m_balance; }

private:

    CFamilyTaxData* m_family;
    DireradSubmissionSettings m_settings;
    DireradOutcome m_outcome = DireradOutcome::NotSent;
    CString m_confirmation;
    CString m_agencyMessage;
    CString m_email;
    double m_balance = 0.0;
};
