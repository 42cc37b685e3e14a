#include "model/requestfields.h"

namespace {

// Each field and its placeholder in each family's templates (nullptr: that
// family's requests do not carry it). A placeholder written "name0" in a
// template is optional and looked up as "name"; a "_needed" marker brings a
// whole block in when it is given.
struct RequestFieldKeys
{
    RequestField field;
    const char* direrad;
    const char* efile;
    const char* formFiling;
};

const RequestFieldKeys kRequestFieldKeys[] = {
    {RequestField::TaxpayerSin, "sin", nullptr, "sin"},
    {RequestField::BirthDate, "bod", nullptr, nullptr},
    {RequestField::FirstTimeFiler, "firsttime", "firsttime", nullptr},
    {RequestField::GivenName, "givenname", "givenname", nullptr},
    {RequestField::SecondName, "secondname", "secondname", nullptr},
    {RequestField::FamilyName, "familyname", "familyname", nullptr},
    {RequestField::AccessCode, "accesscode", nullptr, nullptr},
    {RequestField::Agreement, "agreement", nullptr, nullptr},
    {RequestField::TestCase, "testcaseID", "testcaseID", nullptr},
    {RequestField::OriginatingAddress, "origip", "origip", nullptr},
    {RequestField::EfilerNumber, nullptr, "efilerID", "efilerid"},
    {RequestField::EfilerPassword, nullptr, "efpasd", "password"},
    {RequestField::TaxYear, nullptr, nullptr, "taxyear"},
    {RequestField::SoftwareCode, nullptr, nullptr, "softwarecode"},
    {RequestField::SoftwareRevisionDate, nullptr, nullptr, "revdate"},
    {RequestField::DocumentControlNumber, nullptr, "dcn", nullptr},
    {RequestField::DiscounterRegistration, nullptr, "discounterRegNum", nullptr},
    {RequestField::RepresentativeAuthorized, nullptr, "preparerRepresent", nullptr},
    {RequestField::RepresentativeExpiry, nullptr, "preparerRepresentExpDate", nullptr},
    {RequestField::NoaRetrievalAuthorized, nullptr, "ENOAFlag", nullptr},
    {RequestField::PreAssessmentContact, nullptr, "precntctcode", nullptr},
    {RequestField::PostAssessmentContact, nullptr, "postcntctcode", nullptr},
    {RequestField::T183SignatureBlock, nullptr, "esigned_needed", nullptr},
    {RequestField::T183Signed, nullptr, "esigned", nullptr},
    {RequestField::T183SignedDate, nullptr, "esigndate", nullptr},
    {RequestField::T183SignedTime, nullptr, "esigntime", nullptr},
    {RequestField::RC71SignatureBlock, nullptr, "rc71_needed", nullptr},
    {RequestField::RC71Signed, nullptr, "rc71signed", nullptr},
    {RequestField::RC71SignedDate, nullptr, "rc71signdate", nullptr},
    {RequestField::RC71SignedTime, nullptr, "rc71signtime", nullptr},
};

// Where the EFILE road carried the typed test case in the map.
const char* const kEfileTestCaseTextKey = "testid";

const char* keyIn(const RequestFieldKeys& entry, RequestTemplateFamily family)
{
    switch (family) {
    case RequestTemplateFamily::Direrad:
        return entry.direrad;
    case RequestTemplateFamily::Efile:
        return entry.efile;
    case RequestTemplateFamily::FormFiling:
        return entry.formFiling;
    }
    return nullptr;
}

} // namespace

const char* requestFieldKey(RequestField field, RequestTemplateFamily family)
{
    for (const RequestFieldKeys& entry : kRequestFieldKeys) {
        if (entry.field == field)
            return keyIn(entry, family);
    }
    return nullptr;
}

void putRequestFields(const RequestFieldValues& values, RequestTemplateFamily family, TemplateValueMap& map)
{
    for (const RequestFieldValue& value : values) {
        if (const char* key = requestFieldKey(value.field, family))
            map.setText(key, value.text);
    }
}

QStringList requestFieldKeys(const std::vector<RequestField>& fields, RequestTemplateFamily family)
{
    QStringList keys;
    for (RequestField field : fields) {
        if (const char* key = requestFieldKey(field, family))
            keys << QLatin1String(key);
    }
    return keys;
}

QStringList requestFieldKeys(RequestTemplateFamily family)
{
    QStringList keys;
    for (const RequestFieldKeys& entry : kRequestFieldKeys) {
        if (const char* key = keyIn(entry, family))
            keys << QLatin1String(key);
    }
    return keys;
}

CString& efileTestCaseTextIn(TemplateValueMap& map)
{
    return map[kEfileTestCaseTextKey];
}
