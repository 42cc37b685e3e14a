#pragma once

// The fields a filing request carries besides the filed document, by
// meaning, and the one table that names each field's placeholder in the
// request templates. Records (model/returnrequestfacts.h for the person's
// return, filing/filingrequest.h for the preparer's credentials) say which
// fields they give and with what text; only this table knows what a
// template calls them.

#include "companion/core/cstring.h"
#include "companion/core/templatevaluemap.h"

#include <QStringList>

#include <vector>

// The request templates come in three families that name the same fields
// differently or not at all: the DIRERAD return's (also the T1135
// statement's), the EFILE return's and the form filings' (T1013 and the T183
// pre-authorised debit).
enum class RequestTemplateFamily {
    Efile,
    FormFiling,
    Direrad,
};

enum class RequestField {
    // The person
    TaxpayerSin,
    BirthDate,
    FirstTimeFiler,
    GivenName,
    SecondName,
    FamilyName,
    AccessCode,
    // The filing
    Agreement,
    TestCase,
    OriginatingAddress,
    // The preparer's credentials and the form filings' own values
    EfilerNumber,
    EfilerPassword,
    TaxYear,
    SoftwareCode,
    SoftwareRevisionDate,
    // The client's authorisation on the T183 and the RC71
    DocumentControlNumber,
    DiscounterRegistration,
    RepresentativeAuthorized,
    RepresentativeExpiry,
    NoaRetrievalAuthorized,
    PreAssessmentContact,
    PostAssessmentContact,
    // Electronic signatures: each block is in the request only with its marker
    T183SignatureBlock,
    T183Signed,
    T183SignedDate,
    T183SignedTime,
    RC71SignatureBlock,
    RC71Signed,
    RC71SignedDate,
    RC71SignedTime,
};

struct RequestFieldValue
{
    RequestField field;
    CString text; // plain text: the filler escapes it once
};
using RequestFieldValues = std::vector<RequestFieldValue>;

// The key of field in family's templates, or nullptr when that family's
// requests do not carry it.
const char* requestFieldKey(RequestField field, RequestTemplateFamily family);

// Puts each value that family's templates carry under its key (replacing
// what the key held); values of fields the family does not carry are left out.
void putRequestFields(const RequestFieldValues& values, RequestTemplateFamily family, TemplateValueMap& map);

// The keys of fields in family's templates, in the order given.
QStringList requestFieldKeys(const std::vector<RequestField>& fields, RequestTemplateFamily family);

// The keys of every field the table gives family.
QStringList requestFieldKeys(RequestTemplateFamily family);

// The EFILE road once carried the test case typed by the user inside the
// value map; the map form of the EFILE request data still reads it there
// (adding the key, empty, when it is absent).
CString& efileTestCaseTextIn(TemplateValueMap& map);
