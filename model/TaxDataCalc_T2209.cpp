// Foreign tax credit: the person's T2209 forms (one per country) at three
// points of the calculation.
#include "model/individualtaxdata.h"

#include <algorithm>
#include <cmath>

#include "companion/forms/federal/credits.h"
#include "companion/forms/federal/minimumtax_split.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/rules/money.h"

namespace {

// The deductions between net income and taxable income.
double deductionsToTaxableIncome(const TaxData_T1New& t1)
{
    double total = 0.0;
    for (const CFloatField* line :
         {&t1.line24400ForcesPoliceDeduction, &t1.line24900SecurityOptions, &t1.line25000OtherPaymentsDeduction,
          &t1.line25100PartnershipLosses, &t1.line25200NonCapitalLosses, &t1.line25300NetCapitalLosses,
          &t1.line25400CapitalGainsDeduction, &t1.line25500NorthernResidents, &t1.line25600AdditionalDeductions})
        total += line->m_value;
    return total;
}

} // namespace

int IndividualTaxData::CalculateT2209Adjust15Percent()
{
    TaxData_T1New* t1 = GetT1();
    if (!t1)
        return 0;
    std::list<TaxData_T2209_2036*> forms;
    PrepareT2209List(forms);
    t1->Total15Percent.m_value = 0.0;
    for (const TaxData_T2209_2036* t2209 : forms)
        t1->Total15Percent.m_value += t2209->Adjust15Percent.m_value;
    return 0;
}

int IndividualTaxData::CalculateT2209FedPart()
{
    TaxData_T1New* t1 = GetT1();
    if (!t1)
        return 0;
    std::list<TaxData_T2209_2036*> forms;
    PrepareT2209List(forms);
    auto* t1206 = qobject_cast<TaxData_T1206New*>(GetFormData(FORM_T1206, false));
    auto* t691 = qobject_cast<TaxData_T691New*>(GetFormData(FORM_T691, false));

    // Tax available for the credit, and what is left of it after the split
    // income tax and the investment tax credit.
    const double available = t1->line42900BasicFederalTax.m_value + t1->line41800SpecialTaxes.m_value;
    const double afterDeductions =
        available - t1->line40424TaxOnSplitIncome.m_value - t1->line41200InvestmentTaxCredit.m_value;
    for (TaxData_T2209_2036* t2209 : forms) {
        if (t2209->OverrideNetIncome.m_value == 0) {
            const double deductions = deductionsToTaxableIncome(*t1);
            t2209->NetIncomeDeductions.m_value = deductions;
            t2209->NetIncome.m_value =
                t1->line23600NetIncome.m_value + (t1206 ? t1206->SplitIncome.m_value : 0.0) - deductions;
        }
        t2209->TaxAvailable.m_value = std::max(0.0, available);
        t2209->TaxAfterDeductions.m_value = std::max(0.0, afterDeductions);
        t2209->Calculate01();
    }

    t1->line40500ForeignTaxCredit.setAmount(0.0);
    t1->FtcTotal1.m_value = 0.0;
    t1->FtcTotal2.m_value = 0.0;
    t1->FtcTotal3.m_value = 0.0;
    t1->FtcTotal4.m_value = 0.0;
    if (t691) {
        t691->ForeignTaxCredit1.m_value = 0.0;
        t691->ForeignTaxCredit2.m_value = 0.0;
    }
    double credits = 0.0;
    for (const TaxData_T2209_2036* t2209 : forms) {
        // The minimum tax form takes the credits of every country.
        if (t691) {
            t691->ForeignTaxCredit1.m_value += t2209->Result1.m_value;
            t691->ForeignTaxCredit2.m_value += t2209->Result2.m_value;
        }
        credits += t2209->Credit.m_value;
        t1->FtcTotal1.m_value += t2209->Result1.m_value;
        t1->FtcTotal2.m_value += roundHalfAwayFromZero(t2209->Result2.m_value);
        t1->FtcTotal3.m_value += t2209->Result3.m_value;
        t1->FtcTotal4.m_value += roundHalfAwayFromZero(t2209->Result4.m_value);
    }
    t1->line40500ForeignTaxCredit.setAmount(std::min(credits, t1->line42900BasicFederalTax.m_value));
    return 0;
}

int IndividualTaxData::CalculateT2209FromFedToProv()
{
    std::list<TaxData_T2209_2036*> forms;
    PrepareT2209List(forms);
    auto* t691 = qobject_cast<TaxData_T691New*>(GetFormData(FORM_T691, false));
    const bool minimumTax = t691 && taxrules::isPresentAmount(t691->MinimumTax.m_value);
    for (TaxData_T2209_2036* t2209 : forms) {
        // The province credits the foreign tax the federal credit left.
        t2209->ProvincialIncome.m_value = t2209->ForeignNonBusinessIncome.m_value;
        t2209->ProvincialTax.m_value = std::max(
            0.0, t2209->ForeignTaxPaid.m_value - t2209->Adjust15Percent.m_value - t2209->Result1.m_value);
        t2209->Result4.m_value = t2209->NetIncome.m_value;
        t2209->Result3.m_value = minimumTax ? t691->MinimumTax.m_value : t2209->TaxAvailable.m_value;
    }
    return 0;
}
