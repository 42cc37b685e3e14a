#pragma once

#include "filing/direradsubmission.h"
#include "filing/formfilingsettings.h"
#include "filing/t1013exchange.h"

#include "companion/core/cstring.h"
#include "companion/core/templatevaluemap.h"
#include "companion/forms/taxtypes.h"

class CFamilyTaxData;

// A message of two lines and an optional web link, as the form filing shows
// it when no result file is worth pointing at.
struct LinkMessage
{
    QString title;
    QString msg1;
    QString msg2;
    QString link; // empty: none
};

// One filing of a T1013 authorisation (form type 117) or a T185
// pre-authorised debit (181) for the current person: the form's request
// data, the exchange, the filing record, the form's filing status, the
// filing log of an accepted form, and what the user is shown afterwards.
class T1013Submission
{
public:
    enum class Outcome {
        NotSent,        // nothing reached the agency (or the request could not be made)
        Accepted,       // the agency confirmed it (a T1013: exactly one form received)
        Refused,        // the agency answered without confirming it
        OutcomeUnknown, // sent, but the answer is missing or unreadable: the agency may have it
    };

    T1013Submission(CFamilyTaxData* family, FormFilingSettings settings);

    // Files body (the form's XML) of type, whose short name is shortName,
    // for the taxpayer of name. values holds the whole request as
    // putFilingRequest puts it (buildFilingRequest for type). The
    // exchange's code: 0 when the agency answered. Without an answer
    // nothing is recorded anywhere.
    int file(ENUMTYPE_FORM type, const QString& shortName, TemplateValueMap& values, CString& body,
             const CString& taxpayerName);

    Outcome outcome() const { return m_outcome; }
    const StructT1013SoapResult& result() const { return m_result; }
    // The single codes joined by commas.
    QString codesText() const;

    // What the user sees: the result dialog (report()) or a message with a
    // link (message()).
    bool showsResultDialog() const { return m_showsReport; }
    const FilingResultReport& report() const { return m_report; }
    const LinkMessage& message() const { return m_message; }

    // The maker's page on the agency's error codes, on the maker's web host.
    static QString errorCodesHelpPage(const QString& makerWebHost);

private:
    void answered(ENUMTYPE_FORM type, const QString& shortName, const CString& taxpayerName);

    CFamilyTaxData* m_family;
    FormFilingSettings m_settings;
    Outcome m_outcome = Outcome::NotSent;
    StructT1013SoapResult m_result;
    bool m_showsReport = false;
    FilingResultReport m_report;
    LinkMessage m_message;
};
