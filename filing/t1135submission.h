#pragma once

#include "filing/direradsubmission.h"
#include "filing/filingresult.h"
#include "filing/formfilingsettings.h"

#include "companion/core/cstring.h"
#include "companion/core/templatevaluemap.h"

class CFamilyTaxData;

// One filing of the current person's T1135 statement after the user agreed
// to the terms: the request data, the exchange, the filing record, the
// statement's filing status, the filing log of an accepted statement, and
// the texts the user is shown afterwards.
class T1135Submission
{
public:
    enum class Outcome {
        NotSent,        // nothing reached the agency (or the request could not be made)
        Accepted,       // the agency gave a confirmation number
        Refused,        // the agency answered without one
        OutcomeUnknown, // sent, but the answer is missing or unreadable: the agency may have it
    };

    T1135Submission(CFamilyTaxData* family, FormFilingSettings settings);

    // Files xml (the statement) for name, the taxpayer's name. values holds
    // what the dialog put in already; the person's request data is added.
    // Accepted or Refused when the agency answered (report() tells how); the
    // exchange's failure when it did not, with its code and cause. Without an
    // answer nothing is recorded anywhere.
    Result<Outcome> file(TemplateValueMap& values, int agreement, int testCaseId, const CString& xml,
                         const CString& name);

    Outcome outcome() const { return m_outcome; }
    const CString& confirmation() const { return m_confirmation; }
    // What the result dialog shows after an answer.
    const FilingResultReport& report() const { return m_report; }
    // What the user is told when no answer came back; the failure's cause
    // goes beside it.
    static QString failureMessage(const FilingFailure& failure);

private:
    CFamilyTaxData* m_family;
    FormFilingSettings m_settings;
    Outcome m_outcome = Outcome::NotSent;
    CString m_confirmation;
    FilingResultReport m_report;
};
