#include "companion/rules/federalprograms2024.h"

#include <algorithm>

#include "companion/rules/federalconstants2024.h"
#include "companion/rules/federalcredits.h"
#include "companion/rules/money.h"

namespace taxrules {

namespace {

// T778 (2024): limits per child.
// Source: canada.ca, "Line 21400 - Child care expenses" (8,000 / 5,000 / 11,000).
constexpr double kChildCareUnder7 = 8000.0;
constexpr double kChildCare7To16 = 5000.0;
constexpr double kChildCareDisabled = 11000.0;
constexpr double kChildCareEarnedIncomeShare = 2.0 / 3.0;
// The periodic amount of the spouse with the higher net income: the yearly
// limit over 40 (Income Tax Act, s. 63(3), "periodic child care expense
// amount"; canada.ca, T778 Part C and Income Tax Folio S1-F3-C1, "Child
// Care Expense Deduction", 1.43): 200, 125 and 275 a week or month.
constexpr double kChildCarePeriods = 40.0;

// Line 41000 (2024). Source: canada.ca, "Line 41000 - Federal political
// contribution tax credit": 75 % of the first 400, 50 % of the next 350,
// 33 1/3 % of the amount over 750, at most 650.
constexpr double kPoliticalTier1 = 400.0;
constexpr double kPoliticalTier2 = 750.0;
constexpr double kPoliticalMaximum = 650.0;

// Line 45200 (2024). Source: canada.ca, "Line 45200 - Refundable medical
// expense supplement" and the 2024 federal worksheet: 25 %, at most 1,464,
// less 5 % of adjusted family net income above 32,419; working income of
// at least 4,275.
constexpr double kMedSuppRate = 0.25;
constexpr double kMedSuppMaximum = 1464.0;
constexpr double kMedSuppThreshold = 32419.0;
constexpr double kMedSuppReduction = 0.05;
constexpr double kMedSuppMinimumWorkingIncome = 4275.0;

// Line 32400 (2024). Source: canada.ca, "Line 32400 - Tuition amount
// transferred from a child or grandchild": each student may transfer at
// most 5,000 less the amount they needed to reduce their own tax, and never
// amounts carried forward from earlier years.
constexpr double kTuitionTransferMaximum = 5000.0;

// T2222 (2024). Source: canada.ca, "Line 25500 - How to calculate the
// residency deduction": 11.00 basic and 11.00 additional a day in zone A,
// 5.50 and 5.50 in zone B; at most 20 % of net income.
constexpr double kNorthernBasicPerDay = 11.0;
constexpr double kNorthernAdditionalPerDay = 11.0;
constexpr double kIntermediateShare = 0.5;
constexpr double kNorthernIncomeLimit = 0.20;

// Canada caregiver amounts (2024). Source: canada.ca, "Line 30450 - Canada
// caregiver amount for other infirm dependants age 18 or older" and "Line
// 30500 - Canada caregiver amount for infirm children under 18", the 2023
// figures (7,999 / 18,783 / 2,499) indexed by 4.7 % for 2024: 8,375,
// reduced above 19,666 of the dependant's net income, and 2,616.
constexpr double kCaregiverMaximum = 8375.0;
constexpr double kCaregiverThreshold = 19666.0;
constexpr double kCaregiverTopUp = 2616.0;

// T691 (2024). Source: canada.ca, "Alternative minimum tax" (2024 and later
// tax years): 20.5 % rate, exemption 173,205 (the start of the fourth
// bracket), 100 % of capital gains and of employee stock option benefits,
// 50 % of certain deductions disallowed, 50 % of most non-refundable
// credits; the donation credit at 80 % as enacted in June 2024.
constexpr double kMinimumTaxRate = 0.205;
constexpr double kMinimumTaxExemption = 173205.0;
constexpr double kMinimumTaxCreditShare = 0.5;
constexpr double kMinimumTaxDonationShare = 0.8;

// Line 31800 (2024). Source: canada.ca, "Line 31600 - Disability amount
// for self": 9,872, and the supplement of up to 5,758 for a person under
// 18, reduced by child care and attendant care expenses above 3,375.
constexpr double kDisabilitySupplement = 5758.0;
constexpr double kDisabilitySupplementThreshold = 3375.0;

} // namespace

double disabilityAmountTransferable(bool under18, double careExpensesClaimed, double dependantTaxableIncome)
{
    const double supplement =
        under18 ? positivePart(kDisabilitySupplement -
                               positivePart(careExpensesClaimed - kDisabilitySupplementThreshold))
                : 0.0;
    const double amount = federalConstant(FedKey::DisabilityAmount) + supplement;
    const double needed = positivePart(dependantTaxableIncome - basicPersonalAmount(dependantTaxableIncome));
    return roundCents(positivePart(amount - needed));
}

MinimumTax minimumTax(const MinimumTaxInput& in)
{
    MinimumTax t;
    t.adjustedTaxableIncome = roundCents(positivePart(
        in.taxableIncome + positivePart(in.taxableCapitalGains) + positivePart(in.securityOptionsDeductions) +
        positivePart(in.halfAllowedDeductions) / 2 - positivePart(in.dividendGrossUp)));
    t.grossMinimumTax = roundCents(positivePart(t.adjustedTaxableIncome - kMinimumTaxExemption) * kMinimumTaxRate);
    t.minimumTaxCredits = roundCents(positivePart(in.creditsAtRate) * kMinimumTaxCreditShare +
                                     positivePart(in.donationCredit) * kMinimumTaxDonationShare);
    t.minimumTax = roundCents(positivePart(t.grossMinimumTax - t.minimumTaxCredits));
    return t;
}

double canadaCaregiverAmount(double dependantNetIncome)
{
    return roundCents(std::clamp(kCaregiverMaximum + kCaregiverThreshold - positivePart(dependantNetIncome), 0.0,
                                 kCaregiverMaximum));
}

double caregiverTopUp() { return kCaregiverTopUp; }

double northernResidencyDeduction(double daysNorthern, double daysNorthernShared, double daysIntermediate,
                                  double daysIntermediateShared, double netIncome)
{
    const double full = kNorthernBasicPerDay + kNorthernAdditionalPerDay;
    const double amount = positivePart(daysNorthern) * full + positivePart(daysNorthernShared) * kNorthernBasicPerDay +
                          kIntermediateShare * (positivePart(daysIntermediate) * full +
                                                positivePart(daysIntermediateShared) * kNorthernBasicPerDay);
    return roundCents(std::min(amount, positivePart(netIncome) * kNorthernIncomeLimit));
}

double childCareChildLimit(double childrenUnder7, double children7To16, double childrenDisabled)
{
    return roundCents(positivePart(childrenUnder7) * kChildCareUnder7 + positivePart(children7To16) * kChildCare7To16 +
                      positivePart(childrenDisabled) * kChildCareDisabled);
}

double childCarePeriodicLimit(double childrenUnder7, double children7To16, double childrenDisabled, double weeks,
                              double months)
{
    const double perPeriod = childCareChildLimit(childrenUnder7, children7To16, childrenDisabled) / kChildCarePeriods;
    return roundCents(perPeriod * (positivePart(weeks) + positivePart(months)));
}

double childCareDeduction(double expensesPaid, double childrenLimit, double earnedIncome)
{
    return roundCents(std::min({positivePart(expensesPaid), positivePart(childrenLimit),
                                positivePart(earnedIncome) * kChildCareEarnedIncomeShare}));
}

double otherDependantMedicalAmount(double expenses, double dependantNetIncome)
{
    return medicalExpenseAmount(positivePart(expenses), positivePart(dependantNetIncome));
}

double tuitionTransferredFromChild(double designated, double studentCurrentYearAmount, double studentUsed)
{
    if (!isPresentAmount(studentCurrentYearAmount))
        return roundCents(positivePart(designated));
    const double transferable =
        positivePart(std::min(positivePart(studentCurrentYearAmount), kTuitionTransferMaximum) - positivePart(studentUsed));
    return roundCents(std::min(positivePart(designated), transferable));
}

double politicalContributionCredit(double contributions)
{
    const double c = positivePart(contributions);
    const double credit = std::min(c, kPoliticalTier1) * 0.75 +
                          std::clamp(c - kPoliticalTier1, 0.0, kPoliticalTier2 - kPoliticalTier1) * 0.50 +
                          positivePart(c - kPoliticalTier2) / 3.0;
    return roundCents(std::min(credit, kPoliticalMaximum));
}

double refundableMedicalSupplement(double allowableMedical, double disabilitySupports, double familyNetIncome,
                                   double workingIncome)
{
    if (workingIncome < kMedSuppMinimumWorkingIncome)
        return 0.0;
    const double base =
        std::min(kMedSuppMaximum, (positivePart(allowableMedical) + positivePart(disabilitySupports)) * kMedSuppRate);
    return roundCents(positivePart(base - positivePart(familyNetIncome - kMedSuppThreshold) * kMedSuppReduction));
}

} // namespace taxrules
