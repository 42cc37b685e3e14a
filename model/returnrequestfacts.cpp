#include "model/returnrequestfacts.h"

namespace {

CString xmlDate(const QDate& date)
{
    return date.isValid() ? CString(date.toString(QStringLiteral("yyyy-MM-dd"))) : CString();
}

CString number(int value) { return CString(QString::number(value)); }

CString flag(bool on) { return CString(on ? "1" : "0"); }

// The agency wants some name in a name line it asks for.
CString nameOrX(const CString& name) { return name.isEmpty() ? CString("X") : name; }

void addFirstTimeFiler(RequestFieldValues& out, const std::optional<FirstTimeFilerNames>& names)
{
    out.push_back({RequestField::FirstTimeFiler, flag(names.has_value())});
    if (!names)
        return;
    out.push_back({RequestField::GivenName, nameOrX(names->given)});
    out.push_back({RequestField::SecondName, nameOrX(names->second)});
    out.push_back({RequestField::FamilyName, names->family});
}

// An unsigned form sends its indicator alone; a signed one its date and
// time as well (empty when the form's time could not be read).
void addSigning(RequestFieldValues& out, const ElectronicSigning& signing, RequestField block, RequestField isSigned,
                RequestField date, RequestField time)
{
    out.push_back({block, CString(" ")});
    out.push_back({isSigned, flag(signing.isSigned)});
    if (!signing.isSigned)
        return;
    const bool known = signing.time.isValid();
    out.push_back({date, known ? CString(signing.time.date().toString(QStringLiteral("yyyy-MM-dd"))) : CString()});
    out.push_back({time, known ? CString(signing.time.time().toString(QStringLiteral("hh:mm:ss"))) : CString()});
}

} // namespace

RequestFieldValues requestFieldsOf(const DireradReturnFacts& facts)
{
    RequestFieldValues out;
    out.push_back({RequestField::TaxpayerSin, facts.sin});
    out.push_back({RequestField::BirthDate, xmlDate(facts.birthDate)});
    out.push_back({RequestField::Agreement, number(facts.agreement)});
    addFirstTimeFiler(out, facts.firstTimeFiler);
    if (!facts.firstTimeFiler && !facts.accessCode.isEmpty())
        out.push_back({RequestField::AccessCode, facts.accessCode});
    if (facts.testCase > 0)
        out.push_back({RequestField::TestCase, number(facts.testCase)});
    return out;
}

RequestFieldValues requestFieldsOf(const EfileReturnFacts& facts)
{
    RequestFieldValues out;
    out.push_back({RequestField::EfilerNumber, facts.efilerNumber});
    out.push_back({RequestField::EfilerPassword, facts.efilerPassword});
    if (facts.authorisation)
        out.push_back({RequestField::DocumentControlNumber, facts.authorisation->documentControlNumber});
    if (facts.testCase > 0)
        out.push_back({RequestField::TestCase, number(facts.testCase)});
    addFirstTimeFiler(out, facts.firstTimeFiler);
    if (facts.discounterRegistration)
        out.push_back({RequestField::DiscounterRegistration, *facts.discounterRegistration});
    if (const auto& t183 = facts.authorisation) {
        if (t183->representative) {
            out.push_back({RequestField::RepresentativeAuthorized, CString("1")});
            if (t183->representativeExpiry.isValid())
                out.push_back({RequestField::RepresentativeExpiry, xmlDate(t183->representativeExpiry)});
        }
        out.push_back({RequestField::NoaRetrievalAuthorized, flag(t183->noaRetrieval)});
        out.push_back({RequestField::PreAssessmentContact, number(t183->preAssessmentContactCode)});
        out.push_back({RequestField::PostAssessmentContact, number(t183->postAssessmentContactCode)});
    }
    if (facts.t183Signing)
        addSigning(out, *facts.t183Signing, RequestField::T183SignatureBlock, RequestField::T183Signed,
                   RequestField::T183SignedDate, RequestField::T183SignedTime);
    if (facts.rc71Signing)
        addSigning(out, *facts.rc71Signing, RequestField::RC71SignatureBlock, RequestField::RC71Signed,
                   RequestField::RC71SignedDate, RequestField::RC71SignedTime);
    return out;
}

QDateTime readSigningTime(const CString& text)
{
    QDateTime time = QDateTime::fromString(text.trimmed(), Qt::ISODate);
    if (!time.isValid())
        time = QDateTime::fromString(text.trimmed(), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    return time;
}
