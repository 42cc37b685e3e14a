#pragma once

// 2024 federal amounts that follow a rule of their own outside the
// Schedule 1 credit amounts: child care limits (T778), the dependants'
// medical expenses (line 33199), the political contribution credit (line
// 41000) and the refundable medical expense supplement (line 45200). Each
// gives an amount rounded to the cent.
namespace taxrules {

// T778: the yearly limit for the children the expenses were paid for:
// 8,000 for each child under 7 at the end of the year, 5,000 for each child
// aged 7 to 16 (or older and infirm, without the disability amount) and
// 11,000 for each child eligible for the disability amount, whatever the age.
double childCareChildLimit(double childrenUnder7, double children7To16, double childrenDisabled);

// T778 for the lower-income spouse or a single parent: the expenses paid,
// at most the children's limit and two thirds of earned income.
double childCareDeduction(double expensesPaid, double childrenLimit, double earnedIncome);

// Line 33199, one dependant other than a child under 18: expenses above the
// lesser of 3 % of the dependant's net income and 2,759.
double otherDependantMedicalAmount(double expenses, double dependantNetIncome);

// T778, the spouse with the higher net income: for each week the other
// spouse was a full-time student, infirm or confined, and each other month
// of part-time study, a fortieth of each child's yearly limit (200 for a
// child under 7, 125 for a child of 7 to 16, 275 for a child eligible for
// the disability amount).
double childCarePeriodicLimit(double childrenUnder7, double children7To16, double childrenDisabled, double weeks,
                              double months);

// Line 32400, a parent's or grandparent's claim of the tuition amount a
// student transferred: what the student designated, at most what the
// student could transfer, 5,000 of this year's amount (or the amount, when
// less) less what the student used. Without the student's amount (0) the
// designation is taken as it is: it may stand for several students.
double tuitionTransferredFromChild(double designated, double studentCurrentYearAmount, double studentUsed);

// Line 41000: 75 % of the first 400 of federal political contributions
// (line 40900), 50 % of the next 350, 33 1/3 % of the rest; at most 650.
double politicalContributionCredit(double contributions);

// Line 45200: 25 % of the allowable medical expenses (line 33200) and the
// disability supports deduction (line 21500), at most 1,464, less 5 % of the
// family's net income above 32,419. Only for a resident 18 or older whose
// working income is at least 4,275.
double refundableMedicalSupplement(double allowableMedical, double disabilitySupports, double familyNetIncome,
                                   double workingIncome);

} // namespace taxrules

namespace taxrules {

// Lines 30425 and 30450: the Canada caregiver amount for an infirm
// dependant 18 or older, 8,375 less the dependant's net income above 19,666
// (nil at 28,041).
double canadaCaregiverAmount(double dependantNetIncome);

// The caregiver amount added to the spouse or eligible dependant amount
// (lines 30300 and 30400) for an infirm spouse or dependant 18 or older,
// and claimed for each infirm child under 18 (line 30500): 2,616.
double caregiverTopUp();

// Line 31800, one dependant's disability amount transferred: 9,872, with
// the supplement for a child under 18 (5,758 less child care and attendant
// care expenses claimed for the child above 3,375), less what the dependant
// needs to bring their own taxable income down to their basic personal
// amount.
double disabilityAmountTransferable(bool under18, double careExpensesClaimed, double dependantTaxableIncome);

// Line 25500, the residency deduction (T2222): 11.00 a day in a northern
// zone plus 11.00 a day for a dwelling nobody else claims for, half of each
// in an intermediate zone; at most 20 % of net income.
double northernResidencyDeduction(double daysNorthern, double daysNorthernShared, double daysIntermediate,
                                  double daysIntermediateShared, double netIncome);

// T691, minimum tax (2024 rules). Adjusted taxable income adds to taxable
// income the other half of capital gains (all of a gain counts), the
// security options deductions, half of the deductions that are only half
// allowed (employment, moving, child care expenses, carrying charges,
// limited partnership and non-capital losses), and takes out the dividend
// gross-up. Above the 173,205 exemption it is taxed at 20.5 %, less the
// minimum tax credits: half of the non-refundable credits and 80 % of the
// donation credit.
struct MinimumTaxInput {
    double taxableIncome = 0.0;
    double taxableCapitalGains = 0.0;   // the half included at 12700
    double securityOptionsDeductions = 0.0;
    double halfAllowedDeductions = 0.0; // claimed in full on the return
    double dividendGrossUp = 0.0;
    double creditsAtRate = 0.0;         // line 33800
    double donationCredit = 0.0;        // line 34900
};
struct MinimumTax {
    double adjustedTaxableIncome = 0.0;
    double grossMinimumTax = 0.0;
    double minimumTaxCredits = 0.0;
    double minimumTax = 0.0;
};
MinimumTax minimumTax(const MinimumTaxInput& in);

} // namespace taxrules
