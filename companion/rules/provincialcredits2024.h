#pragma once

#include "companion/rules/province.h"

#include <optional>

// The 2024 non-refundable credit amounts of each province's 428 form (Part B),
// beside the basic personal amount of provincialtables2024.h. Each is
// multiplied by the province's lowest rate, except donations and dividends,
// which have rates of their own.
//
// An amount left empty is one this build does not work out for that
// province: the calculation leaves it out, and the plug-in tells the user
// whenever the return holds an amount that would feed it (README lists them).
namespace taxrules {

struct ProvincialCreditTable {
    Province province;
    // Age amount (65 or older on December 31): the maximum, less 15 % of net
    // income above the threshold.
    std::optional<double> ageAmount;
    double ageThreshold = 0.0;
    // Spouse or common-law partner amount and the amount for an eligible
    // dependant: the maximum, less the other person's net income above
    // `spouseIncomeAllowed` (0 where the whole income counts).
    std::optional<double> spouseAmount;
    double spouseIncomeAllowed = 0.0;
    // An amount for each dependent child under 19 at the end of the year
    // (Saskatchewan).
    std::optional<double> dependentChildAmount;
    // Prince Edward Island's and Nova Scotia's amount for young children
    // (line 58230): this
    // much for each month a child under 6 on the first day of the month
    // lived with the claimant; a couple claims it on the return with the
    // lower net income.
    std::optional<double> youngChildMonthly;
    // Nova Scotia's: no month of a child claimed as eligible dependant.
    bool youngChildNotEligibleDependant = false;
    // Nunavut's amount for young children (line 58230): this much for each
    // child less than six years of age at the end of the year, claimed by
    // the spouse with the lower net income.
    std::optional<double> youngChildYearly;
    // Saskatchewan's senior supplementary amount (line 58220), claimed in
    // full at 65 or older whatever the income.
    std::optional<double> seniorSupplementaryAmount;
    // Pension income amount: eligible pension income up to this maximum.
    std::optional<double> pensionMaximum;
    // Disability amount for self (18 or older).
    std::optional<double> disabilityAmount;
    // The supplement to the disability amount of a person under 18 at the
    // end of the year (transferred with a child's disability amount).
    std::optional<double> disabilitySupplement;
    // Caregiver amount (line 58185) for each infirm dependant 18 or older
    // other than one claimed as eligible dependant: the maximum less the
    // dependant's net income above the threshold.
    std::optional<double> caregiverAmount;
    double caregiverThreshold = 0.0;
    // The forms with two amounts for an infirm dependant 18 or older: the
    // amount for infirm dependants (line 58200), and the caregiver amount
    // (line 58400) in its place for one who lived with the claimant. Each
    // is its maximum less the dependant's net income above its threshold.
    std::optional<double> infirmDependantAmount;
    double infirmDependantThreshold = 0.0;
    std::optional<double> inHomeCaregiverAmount;
    double inHomeCaregiverThreshold = 0.0;
    // The province has no amount for infirm children under 18 (the federal
    // line 30500 has no provincial counterpart).
    bool noInfirmChildrenAmount = false;
    // Adoption expenses (line 58330): at most this much for each child.
    std::optional<double> adoptionMaximum;
    // Medical expenses above the lesser of 3 % of net income and this cap.
    std::optional<double> medicalCap;
    // Donations: the first 200 at `donationFirstRate`, the rest at
    // `donationRestRate`, except the part of the rest matched by taxable
    // income above `donationTopFrom`, at `donationTopRate` (British Columbia).
    std::optional<double> donationFirstRate;
    std::optional<double> donationRestRate;
    std::optional<double> donationTopRate;
    double donationTopFrom = 0.0;
    // Dividend tax credit, as a share of the taxable (grossed-up) amount.
    std::optional<double> eligibleDividendRate;
    std::optional<double> otherDividendRate;
    // The province credits the interest paid on student loans (line 31900).
    bool studentLoanInterest = false;
    // The province has a Canada employment amount (the federal line 31260).
    bool canadaEmploymentAmount = false;
    // The province's form copies the federal volunteer firefighters' amount
    // (line 31220) on its line 58315, and the search and rescue volunteers'
    // amount (line 31240) on its line 58316.
    bool volunteerFirefightersAsFederal = false;
    bool searchRescueAsFederal = false;
    // The age, spouse, eligible dependant, pension income, disability,
    // caregiver and adoption amounts are the federal ones as claimed on the
    // return (Yukon); the optional amounts above are then unused for them.
    bool amountsAsFederal = false;
    // The provincial Schedule 11. The unused amounts of earlier years are
    // claimed in every province; a 2024 tuition amount (the federal
    // Schedule 11's fees less the Canada training credit) only where
    // `tuitionCurrentYear` is true. False: the province ended it, and only
    // its carry-forward is left. Empty: not confirmed for 2024 (a return
    // with 2024 fees or months is told so).
    std::optional<bool> tuitionCurrentYear;
    // The education (and textbook) amount for each month of full-time or
    // part-time study, where the province still gives one: 0 where it ended
    // it, empty where its 2024 figure is not confirmed.
    std::optional<double> educationFullTimeMonthly;
    std::optional<double> educationPartTimeMonthly;
};

// The credit table of a province that levies its tax on the federal return;
// null for Quebec and None.
const ProvincialCreditTable* provincialCredits2024(Province province);

// Age amount: maximum less 15 % of net income above the threshold, not below 0.
double provincialAgeAmount(const ProvincialCreditTable& table, double netIncome);

// Spouse or eligible dependant amount for the other person's net income.
double provincialSpouseAmount(const ProvincialCreditTable& table, double otherNetIncome);

// Medical expenses above the lesser of 3 % of net income and the cap.
double provincialMedicalAmount(const ProvincialCreditTable& table, double expenses, double netIncome);

// The caregiver amount for one infirm dependant 18 or older (line 58185).
double provincialCaregiverAmount(const ProvincialCreditTable& table, double dependantNetIncome);

// The amount for one infirm dependant 18 or older on a form with lines
// 58200 and 58400: the caregiver amount (58400) when the dependant lived
// with the claimant, otherwise the amount for infirm dependants (58200).
// Needs both figures of the table.
double provincialInfirmDependantAmount(const ProvincialCreditTable& table, double dependantNetIncome);
double provincialInHomeCaregiverAmount(const ProvincialCreditTable& table, double dependantNetIncome);

// One dependant's disability amount transferred (line 58480): the amount,
// with the supplement for a child under 18, less what the dependant needs
// to bring their own taxable income down to `dependantBasicAmount`. Child
// care and attendant care expenses are taken as not claimed for the child,
// as on the federal side. Needs `disabilityAmount` (and, under 18,
// `disabilitySupplement`).
double provincialDisabilityTransfer(const ProvincialCreditTable& table, bool under18, double dependantTaxableIncome,
                                    double dependantBasicAmount);

// Donation credit on allowable donations (already limited to 75 % of net
// income on the federal Schedule 9).
double provincialDonationCredit(const ProvincialCreditTable& table, double donations, double taxableIncome);

// Nova Scotia's additional basic personal amount: 3,000 for taxable income
// up to 25,000, less 6 % of taxable income above 25,000 (nil at 75,000).
double novaScotiaAdditionalPersonalAmount(double taxableIncome);

// Nova Scotia's supplement to the spouse and eligible dependant amounts:
// 3,000 less the other person's net income and less 6 % of the claimant's
// taxable income above 25,000, not below 0.
double novaScotiaAdditionalDependantAmount(double taxableIncome, double otherNetIncome);

// Nova Scotia's age amount supplement (65 or older): 1,465 for taxable
// income up to 25,000, less 2.93 % of taxable income above it (nil at 75,000).
double novaScotiaAgeSupplement(double taxableIncome);

// Nova Scotia's age tax credit: 1,000 off Nova Scotia tax for a person 65
// or older at the end of the year whose taxable income is less than 24,000
// (nil otherwise); the form limits it to the tax it reduces.
double novaScotiaAgeTaxCredit(bool age65, double taxableIncome);

// The income the provincial Schedule 11 sets the tuition amounts against:
// taxable income up to the top of the lowest bracket, above it the tax on
// taxable income divided by the lowest rate (so that the amounts claimed
// are those the tax needs).
double provincialTuitionRateTestIncome(double taxableIncome, double taxOnTaxableIncome,
                                       double firstBracketTop, double lowestRate);

} // namespace taxrules
