#pragma once

// The 2024 federal non-refundable credit amounts that follow a rule of
// their own (Schedule 1, Part A; Schedule 9). Each gives an amount to enter
// on its line, rounded to the cent; the 15 % credit rate is applied to the
// sum of the amounts at line 33800.
namespace taxrules {

// Line 30000: 15,705 up to a net income (line 23600) of 173,205, falling in
// a straight line to 14,156 at 246,752 and above.
double basicPersonalAmount(double netIncome);

// Line 30100 for a person 65 or older at the end of the year: 8,790 less
// 15 % of net income above 44,325, never below 0.
double ageAmount(double netIncome);

// Lines 30300 / 30400: the claimant's own basic personal amount (line 30000)
// less the spouse's or dependant's net income, never below 0.
double spouseOrDependantAmount(double claimantBasicPersonalAmount, double dependantNetIncome);

// Line 31260: the lesser of 1,433 and employment income (lines 10100 + 10400).
double canadaEmploymentAmount(double employmentIncome);

// Line 31400: the lesser of 2,000 and the eligible pension income.
double pensionIncomeAmount(double eligiblePensionIncome);

// Schedule 11: tuition must be claimed as far as it brings taxable income
// (line 26000) down to the credit amounts already claimed; the rest of the
// available amount carries forward.
struct TuitionClaim {
    double claimed = 0.0;        // line 32300
    double carriedForward = 0.0;
};
TuitionClaim tuitionClaim(double tuitionAvailable, double taxableIncome, double creditAmountsBeforeTuition);

// Line 33099 threshold: the lesser of 3 % of net income and 2,759.
double medicalThreshold(double netIncome);

// Line 33099: medical expenses above the threshold, never below 0.
double medicalExpenseAmount(double medicalExpenses, double netIncome);

// Schedule 9: gifts that may be claimed this year, at most 75 % of net
// income (the rest carries forward).
double allowableDonations(double donations, double netIncome);

// Line 34900: 15 % of the first 200 of allowable gifts; 33 % of the rest up
// to the part of taxable income (line 26000) above 246,752; 29 % of what
// remains.
double donationCredit(double allowableDonations, double taxableIncome);

// Line 40425: 15.0198 % of the taxable amount of eligible dividends plus
// 9.0301 % of the taxable amount of other dividends (line 12010).
double dividendTaxCredit(double taxableEligibleDividends, double taxableOtherDividends);

} // namespace taxrules
