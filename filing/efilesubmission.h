#pragma once

#include "filing/direradsubmission.h"

#include "companion/core/cstring.h"

#include <QString>

class CFamilyTaxData;

// One EFILE filing of the current person's return by a tax preparer: the
// preparer's request data, the exchange, the filing log and the filing
// record of an answered filing, and the texts of the result dialog. Unlike
// a DIRERAD filing it asks no terms and shows no after-filing page.
class EfileSubmission
{
public:
    EfileSubmission(CFamilyTaxData* family, DireradSubmissionSettings settings);

    // Why the return cannot be sent as it stands (it has no T183, so the
    // request would lack the preparer's control number and the signing);
    // empty when it can.
    QString refusalBeforeSending() const;

    // Files xml (the electronic return) for name, whose return-status line
    // is status, under efileNumber and password (the preparer's, from the
    // settings). testCase is the tester's test case (test mode only).
    // Returns what the result dialog shows.
    FilingResultReport file(const CString& efileNumber, const CString& password, const QString& testCase,
                            const CString& xml, const CString& name, const CString& status);

    DireradOutcome outcome() const { return m_outcome; }
    // Accepted: the transmission number. Refused: "code=..." with the
    // clue codes of a 184 refusal. Otherwise empty.
    const CString& confirmation() const { return m_confirmation; }
    // Accepted: the agency's message (HTML) with the notice of its
    // verification code after two line ends.
    const CString& agencyMessage() const { return m_agencyMessage; }

private:
    int sendFilingRecord(bool accepted, const QString& confirmation, const QString& message) const;

    CFamilyTaxData* m_family;
    DireradSubmissionSettings m_settings;
    DireradOutcome m_outcome = DireradOutcome::NotSent;
    CString m_confirmation;
    CString m_agencyMessage;
};

// The notice of the agency's verification code (CvIndicator) of an accepted
// return; empty for a code without one (and for a text that is no number).
QString efileVerificationNotice(const QString& cvIndicator);
