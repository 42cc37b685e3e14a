// Forms that work out one deduction, credit or tax. Each adds up its own
// lines; the 2024 rates and limits come with the yearly arithmetic.

#include "companion/forms/federal/credits.h"

#include <algorithm>
#include <cmath>

#include "companion/rules/eilines.h"
#include "companion/rules/federalprograms2024.h"
#include "companion/rules/money.h"

int TaxData_T2204_New::Calculate01()
{
    // Premiums due on the year's insurable earnings against what the slips
    // withheld: the lesser is the credit, the excess comes back.
    const taxrules::EiLines lines = taxrules::eiLines(EIInsurableEarnings.m_value, QuebecInsurableEarnings.m_value,
                                                      PremiumsDeducted.m_value, Indicator.m_value != 0);
    PremiumsRequired.m_value = lines.required;
    PremiumsCredited.m_value = lines.line31200;
    Result.m_value = lines.line45000;
    return 0;
}

int TaxData_T929New::Calculate01()
{
    const double net = std::max(0.0, Expenses.m_value - Reimbursed.m_value);
    Result.m_value = std::min(net, std::max(0.0, Income.m_value));
    return 0;
}

int TaxData_T1212New::Calculate01()
{
    Result.m_value = std::max(0.0, FirstAmount.m_value + DeferredThisYear.m_value - line65210.m_value);
    return 0;
}

int TaxData_T2043::Calculate01()
{
    Result.m_value = std::max(0.0, FarmingExpenses.m_value) * std::max(0.0, PaymentRate.m_value);
    return 0;
}

int TaxData_T1170::Calculate01()
{
    Result.m_value = Amount1.m_value + Amount2.m_value + Amount3.m_value;
    return 0;
}

int TaxData_T746New::Calculate01()
{
    Result.m_value = std::min(std::max(0.0, RefundReceived.m_value), std::max(0.0, UnusedContributions.m_value));
    return 0;
}

// The contributions the employee made to the plan are deducted as made;
// the agency checks them against the plan's limits on assessment.
int TaxData_RC267New::Calculate01()
{
    Result.m_value = std::max(0.0, Contributions.m_value);
    return 0;
}

int TaxData_RC268New::Calculate01()
{
    Result.m_value = std::max(0.0, Contributions.m_value);
    return 0;
}

int TaxData_RC269::Calculate01()
{
    Result.m_value = std::max(0.0, Contributions.m_value);
    return 0;
}

int CTaxData_T1229::Calculate01()
{
    Result.m_value = ExplorationExpenses.m_value + DevelopmentExpenses.m_value;
    Result2.m_value = ExplorationExpenses.m_value;
    Result3.m_value = FlowThroughCredit.m_value;
    Result4.m_value = 0;
    return 0;
}

int CTaxData_T1223::Calculate01()
{
    // At most the housing benefit included in income.
    Result.m_value = std::min(std::max(0.0, HousingBenefit.m_value), std::max(0.0, FairRentalValue.m_value));
    return 0;
}

int CTaxData_GST370::Calculate01()
{
    // The rebate is the tax fraction of the eligible expenses: 5/105 for
    // GST; for HST the rate of the province (13% in Ontario, 15% in the
    // Atlantic provinces).
    const int province = getMainTaxProvince();
    const bool atlantic = province == 4 || province == 5 || province == 6 || province == 10;
    const double hstRate = province == 9 ? 0.13 : atlantic ? 0.15 : 0.0;
    Result.m_value = ExpensesWithGst.m_value * 5 / 105 + ExpensesWithHst.m_value * hstRate / (1 + hstRate);
    return 0;
}

int TaxData_T5004::Calculate01() { return 0; }

int TaxData_T657New::Calculate01()
{
    Result.m_value = std::max(0.0, EligibleGains.m_value - CumulativeNetLoss.m_value);
    return 0;
}

int CTaxData_T2222::Calculate01()
{
    // The two deductions: residency by the days lived in each zone, and the
    // taxable travel benefits received for trips from the zone.
    ResidencyResult.m_value = taxrules::northernResidencyDeduction(
        DaysZoneA.m_value, DaysZoneAShared.m_value, DaysZoneB.m_value, DaysZoneBShared.m_value, NetIncome.m_value);
    TravelResult.m_value = taxrules::roundCents(std::max(0.0, TravelBenefits.m_value + SlipAmount2.m_value));
    Result.m_value = taxrules::roundCents(ResidencyResult.m_value + TravelResult.m_value);
    return 0;
}

int TaxData_T90::Calculate01()
{
    Result1.m_value = line10000.m_value;
    Result2.m_value = line10000.m_value + line10026.m_value;
    return 0;
}

int TaxData_RC383::Calculate01()
{
    line58750.m_value = std::min(std::max(0.0, Income.m_value), PriorYear.m_value + CurrentYear.m_value);
    line58810.m_value = std::max(0.0, PriorYear.m_value + CurrentYear.m_value - line58750.m_value);
    return 0;
}

void TaxData_CPT20_New::clearEntry()
{
    for (int n = 1; n <= 6; ++n)
        setEntryN(n, 0, 0, 0);
}

void TaxData_CPT20_New::setEntryN(int n, double earnings, double cpp, double qpp)
{
    if (n < 1 || n > 6)
        return;
    static_cast<CFloatField*>(findFieldById(10 * n))->m_value = earnings;
    static_cast<CFloatField*>(findFieldById(10 * n + 1))->m_value = cpp;
    static_cast<CFloatField*>(findFieldById(10 * n + 2))->m_value = qpp;
}

bool TaxData_CPT20_New::hadElectedIncomeToPayCPP() const { return taxrules::isPresentAmount(ElectionAmount.m_value); }
bool TaxData_CPT20_New::hadElectedF399IncomeToPayCPP() const { return taxrules::isPresentAmount(F399Income.m_value); }

int TaxData_T2209_2036::Calculate01()
{
    TaxAvailable.m_value = std::max(0.0, TaxAvailable.m_value);
    TaxAfterDeductions.m_value = std::max(0.0, TaxAfterDeductions.m_value);
    // The credit is the foreign tax paid, limited to the Canadian tax on that
    // income (tax available x foreign income / net income).
    double limit = 0;
    if (taxrules::isPositiveAmount(NetIncome.m_value))
        limit = TaxAvailable.m_value * std::max(0.0, ForeignNonBusinessIncome.m_value) / NetIncome.m_value;
    Result1.m_value = taxrules::roundCents(std::min(std::max(0.0, ForeignTaxPaid.m_value - Adjust15Percent.m_value), limit));
    // The business credit: the business income tax paid, at most the
    // Canadian tax on that income and what the non-business credit left.
    const double business = std::max(0.0, ForeignBusinessIncome.m_value + SlipBusinessIncome.m_value);
    const double businessTax = std::max(0.0, ForeignBusinessTaxPaid.m_value + SlipBusinessTaxPaid.m_value);
    // Without foreign business income or tax the business credit is left as
    // it stands (the calculation clears it with the other computed figures).
    if (taxrules::isPositiveAmount(business) || taxrules::isPositiveAmount(businessTax)) {
        const double businessLimit =
            taxrules::isPositiveAmount(NetIncome.m_value) ? TaxAvailable.m_value * std::min(1.0, business / NetIncome.m_value) : 0.0;
        Result2.m_value = taxrules::roundCents(
            std::min({businessTax, businessLimit, std::max(0.0, TaxAvailable.m_value - Result1.m_value)}));
    }
    Credit.m_value = Result1.m_value + Result2.m_value;
    return 0;
}

int TaxData_T936New::Calculate01()
{
    Result.m_value = line68080.m_value + line68100.m_value + line68110.m_value - line68140.m_value;
    return 0;
}

int TaxData_T778New::Calculate01()
{
    // The lower-income spouse (or a parent without a spouse) claims, up to
    // the children's limits and two thirds of earned income. The spouse with
    // the higher net income claims only for a reason the form names (the
    // other spouse studied, was infirm, confined or separated), and then only
    // what the lower-income spouse could not.
    const double limit = taxrules::childCareChildLimit(ChildrenUnder7.m_value + DependantsUnder7.m_value,
                                                       ChildrenOther.m_value + DependantsOther.m_value,
                                                       ChildrenDisabled.m_value + DependantsDisabled.m_value);
    const double claim = taxrules::childCareDeduction(OwnAmount.m_value, limit, EarnedIncome.m_value);
    const bool higherIncomeSpouse = HasSpouse.m_value && taxrules::isPositiveAmount(NetIncome.m_value - SpouseNetIncome.m_value);
    // A student, infirm or confined spouse lets the other claim only for
    // the weeks (months of part-time study) it lasted; spouses who lived
    // apart leave the whole claim.
    const bool periodic = Choice2.m_value >= 1 && Choice2.m_value <= 3;
    HigherIncomeLimit.m_value =
        higherIncomeSpouse && periodic
            ? taxrules::childCarePeriodicLimit(ChildrenUnder7.m_value + DependantsUnder7.m_value,
                                               ChildrenOther.m_value + DependantsOther.m_value,
                                               ChildrenDisabled.m_value + DependantsDisabled.m_value,
                                               WeeksFullTime.m_value, MonthsPartTime.m_value)
            : 0.0;
    if (!higherIncomeSpouse)
        Result.m_value = claim;
    else if (!Choice2.m_value)
        Result.m_value = 0.0;
    else
        Result.m_value = taxrules::roundCents(taxrules::positivePart(
            (periodic ? std::min(claim, HigherIncomeLimit.m_value) : claim) - SpouseDeduction.m_value));
    return 0;
}

int TaxData_T1172New::Calculate01()
{
    const double payments = std::max(0.0, line68270.m_value - line68280.m_value - RrspDeducted.m_value);
    // 20% additional tax (12% for Quebec, where the province levies the rest).
    Result1.m_value = !Indicator1.m_value && !Indicator2.m_value ? payments * 0.20 : 0.0;
    Result2.m_value = Indicator1.m_value ? payments * 0.12 : 0.0;
    Result3.m_value = Indicator2.m_value ? payments * 0.20 : 0.0;
    return 0;
}
