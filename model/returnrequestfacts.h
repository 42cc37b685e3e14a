#pragma once

// What a person's filing request carries about the return, by meaning:
// built in one function each from the return (IndividualTaxData's
// direradReturnFacts and efileReturnFacts), and turned into the request's
// field values here. Which placeholder each field fills is the key table's
// (model/requestfields.h).

#include "companion/core/cstring.h"
#include "model/requestfields.h"

#include <QDate>
#include <QDateTime>

#include <optional>

// The names a first-time filer sends, as they stand in the return
// (trimmed); the request sends "X" for an empty given or second name.
struct FirstTimeFilerNames
{
    CString given;
    CString second;
    CString family;
};

// The DIRERAD return (and the T1135 statement filed the same way).
struct DireradReturnFacts
{
    CString sin;
    QDate birthDate;
    int agreement = 0; // the terms dialog's result
    // Present for a first-time filer; absent for a person who filed before.
    std::optional<FirstTimeFilerNames> firstTimeFiler;
    // The access code of a person who filed before; empty when none was given.
    CString accessCode;
    int testCase = 0; // the agency's test case; 0: none

    // Not sent: what the after-filing page offers the person.
    CString email;
    double balance = 0.0;
};

// A form signed electronically, and when (time invalid when unsigned, or
// when the form's time could not be read).
struct ElectronicSigning
{
    bool isSigned = false;
    QDateTime time;
};

// What the client's T183 authorises the preparer to do.
struct PreparerAuthorisation
{
    CString documentControlNumber;
    bool representative = false;
    QDate representativeExpiry; // invalid: no expiry given, or not a representative
    bool noaRetrieval = false;
    // The agency's contact codes (the form's choice + 2).
    int preAssessmentContactCode = 0;
    int postAssessmentContactCode = 0;
};

// The EFILE return.
struct EfileReturnFacts
{
    CString efilerNumber;   // the preparer's EFILE number as the preferences hold it
    CString efilerPassword; // the preparer's EFILE password
    int testCase = 0;       // only in test mode; 0: none
    std::optional<FirstTimeFilerNames> firstTimeFiler;
    // The RC71's discounter registration; absent without an RC71.
    std::optional<CString> discounterRegistration;
    // Absent without a T183: the request then lacks its control number and
    // is never composed.
    std::optional<PreparerAuthorisation> authorisation;
    // The signatures go with the return's own filing only, and need a T183.
    std::optional<ElectronicSigning> t183Signing;
    std::optional<ElectronicSigning> rc71Signing; // also needs an RC71
};

// The request's field values of each record.
RequestFieldValues requestFieldsOf(const DireradReturnFacts& facts);
RequestFieldValues requestFieldsOf(const EfileReturnFacts& facts);

// A signing time as the T183 and RC71 keep it (ISO or "yyyy-MM-dd hh:mm:ss").
QDateTime readSigningTime(const CString& text);
