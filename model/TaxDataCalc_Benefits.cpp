// Who may receive the benefits, the provincial benefits, the months of
// contribution to the CPP or the QPP, and the capped T4 earnings the pension
// plan schedules need.
#include "model/individualtaxdata.h"

#include <algorithm>
#include <cmath>

#include "companion/forms/dependantinfostruct.h"
#include "companion/forms/federal/credits.h"
#include "companion/forms/slips/slips_employment.h"
#include "companion/forms/t1/taxdata_t1ksnew.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/rules/money.h"

namespace {

constexpr int kQppProvince = 11;
constexpr int kMonths = 12;

// The last month the person could contribute: the month of death in the
// year, else December.
int endMonth(const TaxData_T1New& t1)
{
    const QDate death = t1.DateOfDeath.m_value;
    return death.isValid() && death.year() == TAX_YEAR ? death.month() : kMonths;
}

// Pensionable earnings of a T4: box 26, or box 14 when the employer left
// box 26 blank (the agency reads a blank box 26 as box 14, as it reads a
// blank box 24 for EI).
double pensionableEarnings(const TaxData_Slip_T4& t4)
{
    return !taxrules::isPresentAmount(t4.box26PensionableEarnings.m_value) ? t4.box14EmploymentIncome.m_value
                                                                         : t4.box26PensionableEarnings.m_value;
}

} // namespace

bool IndividualTaxData::isBenefitEligible(IndividualTaxData* other) const
{
    Q_UNUSED(other);
    const TaxData_T1New* t1 = GetT1();
    if (!t1 || t1->IsDeceasedForEfileReporting() || t1->IsEmmigrant())
        return false;
    if (t1->HasSpouse())
        return true;
    if (m_pDependants
        && (m_pDependants->GetDepChildrenNumberForLine305() > 0
            || m_pDependants->GetDepOtherThanChildrenNumberForLine305() > 0))
        return true;
    const int age = t1->GetAge();
    if (age >= 18)
        return true;
    // Someone who turns 19 before the April payment of the benefit year.
    const QDate birth = t1->BirthDate.m_value;
    return age == 17 && birth.isValid() && birth.month() <= 6;
}

void IndividualTaxData::CalculateOtherBenefits(bool gstCreditComputed, IndividualTaxData* other)
{
    Q_UNUSED(other);
    TaxData_T1New* t1 = GetT1();
    CTaxData_Form* summary = GetFormData(FORM_T1KS, false);
    if (t1 && summary)
        m_provMgr.CalcBenefit(gstCreditComputed, t1, summary);
}

int IndividualTaxData::GetCPPMonths(int retirementMonths, int disabilityMonths) const
{
    Q_UNUSED(retirementMonths);
    const TaxData_T1New* t1 = GetT1();
    if (!t1)
        return 0;
    const int age = t1->GetAge();
    if (age < 18 || age > 70)
        return 0;
    int months = std::min({kMonths - disabilityMonths, kMonths, endMonth(*t1)});
    const int birthMonth = t1->BirthDate.m_value.month();
    if (age == 18)
        months = std::min(months, kMonths - birthMonth); // from the month after the 18th birthday
    else if (age == 70)
        months = std::min(months, birthMonth);           // up to the month of the 70th birthday
    return std::max(months, 0);
}

int IndividualTaxData::GetQPPMonths(int retirementMonths, int disabilityMonths) const
{
    Q_UNUSED(retirementMonths);
    const TaxData_T1New* t1 = GetT1();
    if (!t1)
        return 0;
    const int age = t1->GetAge();
    if (age < 18)
        return 0;
    int months = std::min(kMonths - disabilityMonths, endMonth(*t1));
    if (age == 18)
        months = std::min(months, kMonths - t1->BirthDate.m_value.month());
    // The plan has no upper age, but a count of months is always 0 to 12.
    return std::clamp(months, 0, kMonths);
}

double IndividualTaxData::getF50329(double cap) const
{
    bool elected = false;
    for (const STRUCT_FORMDATA_ITEM_2004* item : m_formList)
        if (item->type == FORM_CPT20)
            if (auto* cpt20 = qobject_cast<const TaxData_CPT20_New*>(item->data))
                elected = taxrules::isPositiveAmount(cpt20->ElectionAmount.m_value);
    double total = 0.0;
    for (const STRUCT_SLIPDATA_ITEM_2004* item : m_slipList) {
        auto* t4 = item->type == SLIP_T4 ? qobject_cast<const TaxData_Slip_T4*>(item->data) : nullptr;
        if (!t4 || t4->Province.m_value != kQppProvince)
            continue;
        if (taxrules::isPositiveAmount(t4->box16CppContributions.m_value))
            total += std::min(cap, 0.0);
        else if (t4->box28CppQppExempt.m_value == 0)
            total += std::min(cap, pensionableEarnings(*t4));
        else
            total += std::min(cap, elected ? t4->box14EmploymentIncome.m_value : 0.0);
    }
    return total;
}

double IndividualTaxData::getF50339(double cap) const
{
    double total = 0.0;
    for (const STRUCT_SLIPDATA_ITEM_2004* item : m_slipList) {
        auto* t4 = item->type == SLIP_T4 ? qobject_cast<const TaxData_Slip_T4*>(item->data) : nullptr;
        if (!t4)
            continue;
        if (t4->Province.m_value != kQppProvince) {
            total += std::min(cap, t4->box28CppQppExempt.m_value == 0 ? pensionableEarnings(*t4) : 0.0);
        } else if (taxrules::isPositiveAmount(t4->box16CppContributions.m_value)
                   && !taxrules::isPresentAmount(t4->box17QppContributions.m_value)) {
            total += pensionableEarnings(*t4);
        }
    }
    return total;
}
