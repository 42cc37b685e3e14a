// ReFILE of an amended return: preparing it (a copy of the return summary is
// kept to compare against), the refusals before it is filed, and the survey
// of the amounts an amended return filed online may not change.
#include "model/individualtaxdata.h"

#include "companion/forms/t1/taxdata_t1ksnew.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/rules/money.h"
#include "model/refilecompare.h"

#include <cmath>

namespace {

constexpr int kStatusAmended = 2;

// The return summary's amounts that an online amendment may not change: the
// pension split (lines 11600 and 21000) and the losses of other years (lines
// 25200 and 25300), each by its field number.
struct ProtectedAmount
{
    int fieldNumber;
    CFloatField TaxData_T1KSNew::*line;
};

const ProtectedAmount kProtectedAmounts[] = {
    {116, &TaxData_T1KSNew::line11600},
    {210, &TaxData_T1KSNew::line21000},
    {252, &TaxData_T1KSNew::line25200},
    {253, &TaxData_T1KSNew::line25300},
};

TaxData_T1KSNew* summaryOf(IndividualTaxData& person, ENUMTYPE_FORM type, bool create)
{
    return qobject_cast<TaxData_T1KSNew*>(person.GetFormData(type, create));
}

ReFileCompareMap compareProtectedAmounts(const TaxData_T1KSNew& current, const TaxData_T1KSNew& kept)
{
    ReFileCompareMap differing;
    for (const ProtectedAmount& amount : kProtectedAmounts) {
        const double now = (current.*amount.line).m_value;
        const double then = (kept.*amount.line).m_value;
        if (std::fabs(now - then) >= taxrules::kAbsentBelow)
            differing[amount.fieldNumber] = {now, then};
    }
    return differing;
}

} // namespace

bool foundFieldNumberInReFileCompareMap(const ReFileCompareMap& map, const int* fields, int count)
{
    for (int i = 0; i < count; ++i)
        if (map.count(fields[i]))
            return true;
    return false;
}

int IndividualTaxData::prepareForReFile()
{
    TaxData_T1New* t1 = GetT1();
    const TaxData_T1KSNew* summary = summaryOf(*this, FORM_T1KS, false);
    // Without a summary there is nothing to keep: no copy form is added, so a
    // failed preparation leaves the return as it was.
    if (!t1 || !summary)
        return -1;
    TaxData_T1KSNew* kept = summaryOf(*this, FORM_T1KS_REFILE, true);
    if (!kept)
        return -1;
    *kept = *summary;
    t1->ReFileFlag.m_value = 1;
    updateFilingStatus(FORM_T1, kStatusAmended, CString());
    return 0;
}

int IndividualTaxData::IsEligibleForReFile(unsigned char mode, std::list<CString>& messages)
{
    const TaxData_T1New* t1 = GetT1();
    if (!t1)
        return int(messages.size());
    const bool efile = (mode & 1) != 0;
    if (t1->IsBankrupt() || t1->IsPostBankrupt())
        messages.push_back(CString("Re-File cannot change a return with regard to bankruptcy."));
    else if ((t1->EntryDate.IsValid() && !efile) || t1->DepartureDate.IsValid())
        messages.push_back(CString("Re-File is not allowed for tax return of an immigrant or emigrant in the tax year."));
    return int(messages.size());
}

int IndividualTaxData::DoSurveyBeforeReFile(std::list<CString>& messages)
{
    const TaxData_T1KSNew* kept = summaryOf(*this, FORM_T1KS_REFILE, false);
    const TaxData_T1KSNew* current = summaryOf(*this, FORM_T1KS, false);
    if (!kept || !current) {
        messages.push_back(CString("Re-File data return file doesn't function properly, please send return file to "
                                   "mykestrova support for help."));
        return int(messages.size());
    }
    static const int kProtectedFields[] = {116, 210, 252, 253};
    const ReFileCompareMap differing = compareProtectedAmounts(*current, *kept);
    if (foundFieldNumberInReFileCompareMap(differing, kProtectedFields, int(std::size(kProtectedFields))))
        messages.push_back(CString("Re-File cannot change pension-split amount (Field 11600/21000), or non-capital "
                                   "loss/capital loss (Field 25200/25300) amount."));
    return int(messages.size());
}
