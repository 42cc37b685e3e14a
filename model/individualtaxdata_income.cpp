// Person return: what kinds of income the forms report, and the Schedule 6 hint.
#include "model/individualtaxdata.h"

#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/federal/others.h"
#include "companion/forms/federal/statements.h"
#include "companion/forms/schedules/taxdata_sch5.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/rules/money.h"
#include "model/formreaders.h"
#include "model/schedule6hint.h"

namespace {


template <typename Predicate>
bool anyT5013(const std::list<STRUCT_FORMDATA_ITEM_2004*>& forms, Predicate reports)
{
    for (const STRUCT_FORMDATA_ITEM_2004* item : forms)
        if (item->type == FORM_T5013)
            if (auto* t5013 = qobject_cast<const CTaxData_T5013*>(item->data); t5013 && reports(*t5013))
                return true;
    return false;
}

bool holdsT2125OfKind(const std::list<STRUCT_FORMDATA_ITEM_2004*>& forms, int kind)
{
    for (const STRUCT_FORMDATA_ITEM_2004* item : forms)
        if (item->type == FORM_T2125)
            if (auto* t2125 = qobject_cast<const TaxData_T2125_New*>(item->data);
                t2125 && t2125->IncomeKind.m_value == kind)
                return true;
    return false;
}

} // namespace

bool IndividualTaxData::HaveRentalIncome() const
{
    return HasForm(FORM_T776) || anyT5013(m_formList, [](const CTaxData_T5013& f) { return f.HaveRentalIncome(); });
}

bool IndividualTaxData::HaveBusinessIncome() const
{
    return holdsT2125OfKind(m_formList, 0)
           || anyT5013(m_formList, [](const CTaxData_T5013& f) { return f.HaveBusinessIncome(); });
}

bool IndividualTaxData::HaveProfessionalIncome() const
{
    return holdsT2125OfKind(m_formList, 1)
           || anyT5013(m_formList, [](const CTaxData_T5013& f) { return f.HaveProfessionalIncome(); });
}

bool IndividualTaxData::HaveCommissionIncome() const
{
    return HasForm(FORM_T2125_COMMISSION) || anyT5013(m_formList, [](const CTaxData_T5013& f) { return f.HaveCommissionIncome(); });
}

bool IndividualTaxData::HaveFishIncome() const
{
    return HasForm(FORM_T2121) || anyT5013(m_formList, [](const CTaxData_T5013& f) { return f.HaveFishIncome(); });
}

bool IndividualTaxData::HaveFarmIncome() const
{
    return HasForm(FORM_T2042) || HasForm(FORM_T1163) || HasForm(FORM_T1273)
           || anyT5013(m_formList, [](const CTaxData_T5013& f) { return f.HaveFarmIncome(); });
}

bool IndividualTaxData::HaveSelfBusiness() const
{
    static const ENUMTYPE_FORM kSelfBusinessTypes[] = {FORM_T1163, FORM_T2032,  FORM_T2042,
                                                       FORM_T2124, FORM_T2124_COMMISSION, FORM_T2121,
                                                       FORM_T1273, FORM_T2125,  FORM_T2125_COMMISSION};
    int count = 0;
    for (const STRUCT_FORMDATA_ITEM_2004* item : m_formList) {
        for (ENUMTYPE_FORM type : kSelfBusinessTypes)
            if (item->type == type)
                ++count;
        if (item->type == FORM_T5013)
            if (auto* t5013 = qobject_cast<const CTaxData_T5013*>(item->data))
                count += t5013->GetCountOfSFDForms(false);
    }
    return count > 0;
}

double IndividualTaxData::CalculatedSelfEmpIncomeForF5532() const
{
    double total = 0.0;
    for (const STRUCT_FORMDATA_ITEM_2004* item : m_formList) {
        if (item->type == FORM_T5013) {
            if (auto* t5013 = qobject_cast<const CTaxData_T5013*>(item->data))
                total += t5013->GetTotalNonLossNetIncome();
            continue;
        }
        const double net = selfEmploymentStatementNet(item->type, item->data);
        if (taxrules::isPositiveAmount(net))
            total += net; // losses are left out
    }
    return total;
}

bool IndividualTaxData::isSpouseRelated() const
{
    if (HasForm(FORM_T1032))
        return true;
    const TaxData_T1New* t1 = GetT1();
    if (!t1)
        return false;
    if (t1->HasSpouse())
        return true;
    for (const STRUCT_FORMDATA_ITEM_2004* item : m_formList)
        if (item->type == FORM_SCH5)
            if (auto* sch5 = qobject_cast<const TaxData_Sch5*>(item->data))
                return t1->CanClaimSpouse() && sch5->ClaimSpouseAmount.m_value != 0;
    return false;
}

double IndividualTaxData::WorkingIncomeForS6() const
{
    const TaxData_T1New* t1 = GetT1();
    if (!t1)
        return 0.0;
    return t1->line10100EmploymentIncome.m_value + t1->line10400OtherEmploymentIncome.m_value
           + CalculatedSelfEmpIncomeForF5532();
}

double IndividualTaxData::AdjustedNetIncomeForS6() const
{
    const TaxData_T1New* t1 = GetT1();
    if (!t1)
        return 0.0;
    // Net income with the child care benefit and disability savings income
    // taken out and the benefit's repayment added back.
    return t1->line23600NetIncome.m_value + t1->line21300UCCBRepayment.m_value - t1->line11700UCCB.m_value
           - t1->line12500RdspIncome.m_value;
}

bool IndividualTaxData::MaySchedule6Needed() const
{
    const TaxData_T1New* t1 = GetT1();
    if (!t1 || t1->GetAge() < 19 || t1->IsImmigrant())
        return false;
    const S6Boundary& row = s6BoundaryFor(m_province);
    const bool disabled = IsDisabled();
    const double singleMin = disabled ? row.disabledSingleMin : row.singleMin;
    const double familyMin = disabled ? row.disabledFamilyMin : row.familyMin;
    const double singleMax = disabled ? row.disabledSingleMax : row.singleMax;
    const double familyMax = disabled ? row.disabledFamilyMax : row.familyMax;
    const double adjusted = AdjustedNetIncomeForS6();

    const int marital = t1->MaritalStatus.m_value;
    if (marital == 0 || marital == 1) {
        const double spouseAdjusted =
            t1->SpouseNetIncome.m_value + t1->SpouseUCCBRepayment.m_value - t1->SpouseUCCB.m_value;
        return adjusted + spouseAdjusted <= familyMax;
    }
    if (marital == 2)
        return adjusted <= familyMax;
    const bool family = hasS6Dependants();
    const double minimum = family ? familyMin : singleMin;
    const double maximum = family ? familyMax : singleMax;
    return !(minimum > WorkingIncomeForS6() || adjusted > maximum);
}
