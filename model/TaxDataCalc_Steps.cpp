// Steps 1 to 5 of one person's calculation. These bodies run the return's
// own line steps in their order, so that a return produces figures; the
// slip totals, statements, schedules and mirroring forms of each step join
// them with the income and tax steps.
#include "model/individualtaxdata.h"

#include "companion/forms/federal/credits.h"
#include "companion/forms/federal/minimumtax_split.h"
#include "companion/forms/schedules/taxdata_sch2.h"
#include "companion/forms/t1/taxdata_t1new.h"

namespace {

constexpr ENUMTYPE_FORM kSchedule2 = 3;
constexpr ENUMTYPE_FORM kT1032 = 118;

} // namespace

int IndividualTaxData::CalculateStep1(const CalcChange& changed)
{
    Q_UNUSED(changed);
    TaxData_T1New* t1 = GetT1();
    if (!t1)
        return 0;
    // Computed values start again from nothing; user entries stay.
    for (STRUCT_FORMDATA_ITEM_2004* item : m_formList)
        if (item->data) {
            item->data->ResetData();
            item->data->setMainTaxProvince(m_province);
        }
    _calculateT1032_step1();
    return _autoCreateSch8RC381(t1->PensionPlanSelector.m_value);
}

int IndividualTaxData::CalculateStep2()
{
    TaxData_T1New* t1 = GetT1();
    if (!t1)
        return 0;
    t1->CalculateLine213ByWorkSheet();
    t1->CalculateTotalIncome(true);
    CalculateT2209Adjust15Percent();
    t1->CalculateNetIncomeBeforeCCT();
    t1->CalculateNetIncomeBeforeF23500();
    t1->CalculateNetIncomeAfterCCT();
    t1->CalculateTaxableIncome();
    return 0;
}

int IndividualTaxData::CalculateStep3()
{
    TaxData_T1New* t1 = GetT1();
    if (!t1)
        return 0;
    // The day counts are kept on the return for the forms and for the
    // spouse's transfers (the coupled exchange prorates by them).
    const CalcDays days = calcDays();
    t1->DaysInCanada.m_value = days.daysInCanada;
    t1->BankruptDays.m_value = days.bankruptDays;
    t1->DaysInYear.m_value = days.daysInYear;
    t1->ProrationDays.m_value = std::min(days.daysInCanada, days.bankruptDays);
    if (auto* sch2 = qobject_cast<TaxData_Sch2*>(GetFormData(kSchedule2, false))) {
        sch2->DaysInYear.m_value = days.daysInYear;
        sch2->DaysInCanada.m_value = days.daysInCanada;
        sch2->CanClaimFlag.m_value = t1->canClaimSch2() ? 1 : 0;
    }
    return 0;
}

int IndividualTaxData::CalculateStep4()
{
    TaxData_T1New* t1 = GetT1();
    if (!t1)
        return 0;
    const CalcDays days = calcDays();
    if (auto* sch2 = qobject_cast<TaxData_Sch2*>(GetFormData(kSchedule2, false))) {
        sch2->Calculate01();
        t1->line32600TransferFromSpouse.m_value =
            days.daysInYear > 0 ? sch2->line32600Total.m_value * days.bankruptDays / days.daysInYear : 0.0;
    } else {
        t1->line32600TransferFromSpouse.m_value = 0.0;
    }
    t1->CalculateLine314ByWorkSheet();
    _calculateT1032_step2();
    t1->CalculateField350AndField410_414();
    t1->CalculateFedTax1stStep();
    t1->CalculateField404();
    t1->CalculateField429AndNonResiSurTax();
    t1->CalculateLine440ByWorkSheet();
    CalculateT2209FedPart();
    m_provMgr.CalcLoggingCredit(t1);
    t1->CalculateField406();
    t1->CalculateField417(false);
    t1->CalculateFedTax();

    CMultiProvsTaxMgr::T2209List t2209List;
    PrepareT2209List(t2209List);
    m_provMgr.CalcProvTax_BeforeExchData(t1, GetFormData(kSchedule2, false), GetFormData(4, false),
                                         GetFormData(210, false), GetFormData(6, false), GetFormData(9, false),
                                         GetFormData(11, false), GetFormData(29, false), t2209List,
                                         GetFormData(31, false), GetFormData(89, false));
    t1->F5532Amount.m_value = CalculatedSelfEmpIncomeForF5532();
    t1->F5532MedSupp.m_value = CalcF5532ForSch6OrRefMedSupp(t1->F5532Amount.m_value);
    return 0;
}

int IndividualTaxData::CalculateStep5(bool isSpouse)
{
    Q_UNUSED(isSpouse); // handed to the interview-data transfer with the full step
    TaxData_T1New* t1 = GetT1();
    if (!t1)
        return 0;
    CalculateT2209FromFedToProv();
    CMultiProvsTaxMgr::T2209List t2209List;
    PrepareT2209List(t2209List);
    m_provMgr.CalcProvTax_AfterExchData(t1, GetFormData(156, false), GetFormData(kSchedule2, false),
                                        GetFormData(4, false), GetFormData(9, false), GetFormData(29, false),
                                        t2209List, GetFormData(31, false), GetFormData(89, false),
                                        GetFormData(37, false));
    t1->line42800ProvincialTax.m_value = t1->ProvincialTaxTotal.m_value;
    if (m_province != 13) {
        t1->ProvincialCredit1.m_value = 0.0;
        t1->ProvincialCredit2.m_value = 0.0;
    }
    m_provMgr.CalcProvCredit(t1, nullptr, GetFormData(6, false), t2209List);
    t1->line47900ProvincialCredits.m_value = t1->ProvincialCreditTotal.m_value;
    t1->CalculateBeforeLine437(true);
    if (auto* t1032 = qobject_cast<TaxData_T1032_New*>(GetFormData(kT1032, false))) {
        // The person's own tax goes to the field of its side of the split.
        const double ownTax = t1->line42000NetFederalTax.m_value + t1->line42800ProvincialTax.m_value
                              + t1->line42100CppSelfEmployedPayable.m_value;
        if (t1032->ElectorIndicator.m_value == 0 || t1032->ElectorIndicator.m_value == 1)
            t1032->OwnTax.m_value = ownTax;
        t1032->CalculateIncomeTaxAfterAdjustment();
    }
    t1->CalculateBalance(true);
    return 0;
}
