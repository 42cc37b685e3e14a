// What the agency needs of a T1 before it takes the return, electronically
// or on paper: who the person is, where to write, and the answers it asks of
// everyone. Each message says on which page and line the user puts it right.
// What it asks about a spouse who files apart is the person's whole-return
// check (model/validation_checks_family.cpp): only there is it known whether
// the spouse's own return is in the file.
#include "companion/forms/t1/taxdata_t1new.h"

#include <QRegularExpression>

#include "companion/core/sincheck.h"
#include "companion/forms/fieldchoices.h"

namespace {

bool answered(const CIntField& question)
{
    return question.m_value == choices::kYes || question.m_value == choices::kNo;
}

bool blank(const CStringField& field) { return field.IsEmptyIfRemoveBlank(); }

// The Canadian form A9A 9A9; the blank in the middle may be left out and
// letters may be typed in either case.
bool isCanadianPostalCode(const CStringField& field)
{
    static const QRegularExpression form(QStringLiteral("^[A-Za-z][0-9][A-Za-z][0-9][A-Za-z][0-9]$"));
    return form.match(QString(field.RemoveBlanks())).hasMatch();
}

bool hasCanadianAddress(const TaxData_T1New& t1)
{
    return t1.ForeignMailingAddress.m_value == 0;
}

struct T1Check
{
    bool (*fails)(const TaxData_T1New& t1);
    const char* message;
};

// In the order of the pages, so the messages read as the user walks them.
const T1Check kChecks[] = {
    {[](const TaxData_T1New& t) { return blank(t.FirstName) || blank(t.LastName); },
     "T1, Identification page, First name and Last name: enter the person's first and last name."},
    {[](const TaxData_T1New& t) { return !CheckSIN(t.SIN.m_value.toUtf8().constData()); },
     "T1: the social insurance number is not valid."},
    {[](const TaxData_T1New& t) { return !t.BirthDate.IsValid(); },
     "T1, Identification page, Date of birth: enter the date of birth."},
    // A first return names the person in the filing request; one filed
    // before is known by the S.I.N. Unanswered, neither can be said.
    {[](const TaxData_T1New& t) { return !answered(t.FirstTimeFilerAnswer); },
     "T1, Identification page, First return filed with the agency: answer Yes or No."},
    {[](const TaxData_T1New& t) { return blank(t.AddressLine1) && blank(t.RuralRoute); },
     "T1, Identification page, Mailing address: enter the street address or P.O. box the agency writes to."},
    {[](const TaxData_T1New& t) { return blank(t.City); },
     "T1, Identification page, City: enter the city of the mailing address."},
    {[](const TaxData_T1New& t) {
         return hasCanadianAddress(t) && (t.MailingProvince.m_value < 1 || t.MailingProvince.m_value > 13);
     },
     "T1, Identification page, Province or territory: choose the province or territory of the mailing address."},
    {[](const TaxData_T1New& t) { return hasCanadianAddress(t) && !isCanadianPostalCode(t.PostalCode); },
     "T1, Identification page, Postal code: enter the postal code of the mailing address in the form A9A 9A9."},
    {[](const TaxData_T1New& t) { return !hasCanadianAddress(t) && blank(t.Country); },
     "T1, Identification page, Country: enter the country of the mailing address outside Canada."},
    {[](const TaxData_T1New& t) { return t.ProvinceOfResidence.m_value < 1 || t.ProvinceOfResidence.m_value > 13; },
     "T1, Identification page, Province of residence on December 31: choose the province or territory where "
     "you lived on December 31."},
    {[](const TaxData_T1New& t) { return !answered(t.CitizenshipAnswer); },
     "T1, Questions and filing page, Canadian citizen: answer Yes or No."},
    // The agency asks about Elections Canada only of a citizen.
    {[](const TaxData_T1New& t) {
         return t.CitizenshipAnswer.m_value == choices::kYes && !answered(t.ElectionsCanadaAnswer);
     },
     "T1, Questions and filing page, Authorize Elections Canada: answer Yes or No."},
    {[](const TaxData_T1New& t) { return !answered(t.ForeignPropertyAnswer); },
     "T1, Questions and filing page, Foreign property cost more than CAN$100,000: answer Yes or No (form T1135 "
     "when Yes)."},
    {[](const TaxData_T1New& t) {
         return t.HasSpouse() && !blank(t.SpouseSIN) && !CheckSIN(t.SpouseSIN.m_value.toUtf8().constData());
     },
     "T1: the social insurance number of your spouse or common-law partner is not valid."},
};

} // namespace

bool TaxData_T1New::Validate(unsigned char purpose, std::list<CString>& messages)
{
    Q_UNUSED(purpose);
    const size_t before = messages.size();
    for (const T1Check& check : kChecks)
        if (check.fails(*this))
            messages.push_back(CString(check.message));
    return messages.size() != before;
}
