#pragma once

#include "companion/rules/province.h"
#include "companion/rules/provincialforeigntax2024.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// Provincial or territorial tax of a return (the 428 form), 2024, for the
// twelve jurisdictions whose tax is on the federal return.
//
// Mapping from the T1 and its schedules:
//   taxableIncome          <- line 26000
//   netIncome              <- line 23600
//   pensionPlanBaseAmount  <- lines 30800 + 31000 (base CPP/QPP contributions)
//   eiPremiums             <- lines 31200 + 31217
//   age65                  <- 65 or older on December 31 (date of birth)
//   claimsSpouse, spouseNetIncome          <- Schedule 5 (the spouse amount claimed)
//   claimsEligibleDependant, dependantNetIncome <- Schedule 5 (the eligible dependant)
//   pensionIncomeAmount    <- line 31400 (eligible pension income up to 2,000)
//   disabilitySelf         <- line 31600 claimed
//   studentLoanInterest    <- line 31900
//   canadaEmploymentAmount <- line 31260
//   medicalExpenses        <- the expenses of line 33099 before the federal threshold
//   donations              <- Schedule 9, allowable donations and cultural gifts
//   eligibleDividends, otherDividends <- lines 12000 - 12010 and 12010
//   employmentIncome       <- lines 10100 + 10400 (Ontario's LIFT credit)
//   familyNetIncome        <- net income plus the spouse's
//   dependentChildren, dependantsWithDisability <- the dependant table (Ontario's reduction)
//   eligibleDependantIsChild <- the dependant of Schedule 5 is a child of the table
//                             counted among the children under 19
//   hasSpouse, spouseAge65 <- the T1's marital status and the spouse's date of birth
//   claimsFamilyAmounts    <- whether this return claims the family's low-income
//                             reduction (a couple claims it once)
//   spouseUnusedReduction  <- what the spouse's reduction left unused (same province)
//   dependants             <- the dependant table with the T1's medical expenses
//                             of each dependant (lines 58480 and 58729)
//   claimsSpouseTransfer   <- the federal Schedule 2 may be claimed (a spouse on
//                             December 31) and line 32600 holds an amount
//   spouseTransferable     <- the spouse's unused age, pension and disability
//                             amounts by this province's rules (provincial
//                             Schedule 2), known when the spouse's return is in
//                             the file and taxed by the same province
//   spouseTuitionTransfer  <- the tuition the spouse designated (federal Schedule 2)
//   foreignTax             <- each T2209: foreign tax paid less its 15 % adjustment
//                             and the federal non-business credit, the net foreign
//                             non-business income and the T2209's net income
//   minimumTax             <- the T1's minimum tax from Form T691 holds an amount
//   federalCaregiverSpouse, federalCaregiverOther, federalCaregiverChildren,
//   federalAdoptionAmount  <- lines 30425, 30450, 30500 and 31300 (Yukon copies them)
//   youngChildMonths, youngChildren <- the children's dates of birth in the dependant table
//   claimsYoungChildren    <- no spouse, or the return that does not claim the
//                             family's low-income reduction (the lower net income)
//   tuitionCarryForward    <- the provincial Schedule 11's unused amounts of earlier years
//   tuitionFees, fullTimeMonths, partTimeMonths, tuitionTransferDesignated
//                          <- the federal Schedule 11 (fees less the training credit)
namespace taxrules {

// A dependant of the dependant table, as the province's form takes them.
struct ProvincialDependant {
    bool under18 = false;
    double netIncome = 0.0;
    bool transfersDisability = false;   // eligible for the disability amount
    bool caregiver = false;             // infirm, 18 or older, not claimed as eligible dependant
    double otherMedicalExpenses = 0.0;  // paid for a dependant other than a child under 18
};

struct ProvincialInput {
    double taxableIncome = 0.0;
    double netIncome = 0.0;
    double pensionPlanBaseAmount = 0.0;
    double eiPremiums = 0.0;
    bool age65 = false;
    bool claimsSpouse = false;
    double spouseNetIncome = 0.0;
    bool claimsEligibleDependant = false;
    double dependantNetIncome = 0.0;
    double pensionIncomeAmount = 0.0;
    bool disabilitySelf = false;
    double studentLoanInterest = 0.0;
    double canadaEmploymentAmount = 0.0;
    double medicalExpenses = 0.0;
    double donations = 0.0;
    double eligibleDividends = 0.0;
    double otherDividends = 0.0;
    double employmentIncome = 0.0;
    double familyNetIncome = 0.0;
    int dependentChildren = 0;
    // The eligible dependant is one of `dependentChildren` (unknown: taken as
    // one of them).
    bool eligibleDependantIsChild = true;
    int dependantsWithDisability = 0;
    bool hasSpouse = false;
    bool spouseAge65 = false;
    bool claimsFamilyAmounts = true;
    // The spouse's return is worked out in the same file by this province's
    // rules (a couple then claims Saskatchewan's child amount once).
    bool spouseReturnSameProvince = false;
    double spouseUnusedReduction = 0.0;
    std::vector<ProvincialDependant> dependants;
    // Allowable medical expenses for other dependants typed without the
    // dependant table (already net of the federal threshold).
    bool otherMedicalNotInTable = false;
    // A disability amount transferred from a dependant outside the table
    // (typed as the federal amount).
    bool disabilityNotInTable = false;
    bool claimsSpouseTransfer = false;
    std::optional<double> spouseTransferable;
    double spouseTuitionTransfer = 0.0;
    double federalSpouseTransfer = 0.0; // line 32600
    std::array<double, 6> adoptionExpenses{}; // for each child adopted (line 31300)
    bool federalInfirmChildren = false;   // line 30500 holds an amount
    // The infirm dependants 18 or older claimed for lived with the claimant
    // (the caregiver amount of line 58400 instead of line 58200, on the
    // forms that have both); the province's interview data answers it.
    bool infirmDependantsLivedWithClaimant = false;
    // Contributions to the province's own political parties and candidates
    // (the interview data); a credit off the 428's tax except where it is
    // refundable (Ontario, Nunavut: the 479).
    double politicalContributions = 0.0;
    // The federal amounts claimed (lines 30100, 30300, 30400, 31600), for a
    // territory whose amounts are the federal ones.
    double federalAgeAmount = 0.0;
    double federalSpouseAmount = 0.0;
    double federalEligibleDependantAmount = 0.0;
    double federalDisabilityAmount = 0.0;
    double federalDisabilityTransferred = 0.0; // line 31800
    // What each country's T2209 leaves to the provincial foreign tax credit
    // (T2036), and whether the federal minimum tax applies (the T2036 then
    // starts from the minimum tax form's figures).
    std::vector<ForeignTaxLeft> foreignTax;
    bool minimumTax = false;
    // The federal Canada caregiver amounts claimed (lines 30425, 30450 and
    // 30500), for a territory whose amounts are the federal ones.
    double federalCaregiverSpouse = 0.0;
    double federalCaregiverOther = 0.0;
    double federalCaregiverChildren = 0.0;
    double federalAdoptionAmount = 0.0; // line 31300, for the same territory
    // The federal volunteer firefighters' and search and rescue volunteers'
    // amounts (lines 31220 and 31240), which some forms copy.
    double federalVolunteerFirefighters = 0.0;
    double federalSearchRescue = 0.0;
    // The provincial Schedule 11: the province's unused tuition amounts of
    // earlier years (from the notice of assessment), this year's tuition as
    // the federal Schedule 11 has it (fees less the Canada training credit),
    // its months of full-time and part-time study, and whether the student
    // designated this year's unused amount to a spouse or parent.
    // Prince Edward Island's amount for young children: the months of the
    // year, added over the children of the dependant table, in which a child
    // was less than six years of age on the first day of the month, and
    // whether this return may claim them (no spouse, or the spouse's net
    // income is at least this return's).
    int youngChildMonths = 0;
    // The same months without those of the child claimed as eligible
    // dependant (Nova Scotia's count).
    int youngChildMonthsNotEligibleDependant = 0;
    // Nunavut's: the children of the table less than six at the end of the year.
    int youngChildren = 0;
    bool claimsYoungChildren = true;
    double tuitionCarryForward = 0.0;
    double tuitionFees = 0.0;
    double fullTimeMonths = 0.0;
    double partTimeMonths = 0.0;
    bool tuitionTransferDesignated = false;
};

struct ProvincialResult {
    bool computed = false;            // false for Quebec and for no province: every amount is 0
    double taxOnTaxableIncome = 0.0;  // by the province's rate schedule
    double basicPersonalAmount = 0.0; // Nova Scotia's includes its additional amount
    double additionalPersonalAmount = 0.0; // Nova Scotia
    double ageAmount = 0.0;
    double seniorSupplementaryAmount = 0.0; // Saskatchewan, line 58220
    double spouseAmount = 0.0;
    double eligibleDependantAmount = 0.0;
    double pensionAmount = 0.0;
    double disabilityAmount = 0.0;
    double medicalAmount = 0.0;
    double otherDependantsMedical = 0.0; // line 58729
    double disabilityTransferred = 0.0;  // line 58480
    double spouseTransfer = 0.0;         // line 58640, the provincial Schedule 2
    double caregiverAmount = 0.0;        // ON 58185, BC 58175; Yukon's copy of 30425, 30450, 30500
    double adoptionAmount = 0.0;         // line 58330
    double infirmDependantAmount = 0.0;  // line 58200, on the forms that have 58200 and 58400
    double inHomeCaregiverAmount = 0.0;  // line 58400, for infirm dependants who lived with the claimant
    double dependentChildAmount = 0.0; // Saskatchewan
    double volunteerFirefighters = 0.0; // line 58315, where the form copies line 31220
    double searchRescue = 0.0;          // line 58316, where the form copies line 31240
    double youngChildrenAmount = 0.0;  // Prince Edward Island and Nunavut, line 58230
    double creditAmounts = 0.0;       // every amount above plus pension plan, EI, student loans
    // What this return's age, pension and disability amounts leave unused
    // against its own taxable income, for the spouse's provincial Schedule 2.
    double transferableToSpouse = 0.0;
    double creditRate = 0.0;          // the lowest rate of the schedule
    double donationCredit = 0.0;
    double dividendCredit = 0.0;
    double nonRefundableCredits = 0.0; // credit amounts at the rate, plus donations
    double taxAfterCredits = 0.0;     // never below 0
    double surtax = 0.0;              // Ontario
    double taxReduction = 0.0;        // Ontario or British Columbia
    double lowIncomeCredit = 0.0;     // Ontario's LIFT credit
    double familyTaxBenefit = 0.0;    // Manitoba (a credit amount, in creditAmounts)
    double lowIncomeReduction = 0.0;  // NS, NB, NL, PE: the part used on this return
    double unusedReductionForSpouse = 0.0; // NB, NL, PE: what this return leaves unused
    double ageTaxCredit = 0.0;        // Nova Scotia, the last credit before line 42800
    double healthPremium = 0.0;       // Ontario
    double provincialTax = 0.0;       // T1 line 42800
    // The credits the return has an amount for that this province's
    // calculation does not work out (their amounts are left out of the tax).
    std::vector<std::string> notComputed;
    // The provincial foreign tax credit (T2036) and the tax it was worked
    // on: the 428's tax on the line above the credit.
    double taxOtherwisePayable = 0.0;
    double foreignTaxCredit = 0.0;
    // The political contribution tax credit taken off the 428's tax.
    double politicalContributionCredit = 0.0;
    // Yukon's copies of the return's lines 30425, 30450 and 30500 (its
    // lines 58170, 58180 and 58189), which make up its `caregiverAmount`.
    double copiedCaregiverSpouse = 0.0;
    double copiedCaregiverOther = 0.0;
    double copiedCaregiverChildren = 0.0;
    // The provincial Schedule 11; what it claims is line 58560
    // (`tuitionClaimed`, in creditAmounts).
    double tuitionCurrentYear = 0.0;         // this year's tuition and education amounts
    double tuitionRateTestIncome = 0.0;      // taxable income, or the tax over the lowest rate
    double creditsBeforeTuition = 0.0;       // lines 58040 to 58480
    double tuitionCarryForwardClaimed = 0.0; // of the unused amounts of earlier years
    double tuitionCurrentYearClaimed = 0.0;
    double tuitionClaimed = 0.0;             // line 58560
    double tuitionCarriedForward = 0.0;      // left for a later year
};

// Quebec residents and people with no province get an all-zero result with
// `computed` false: Quebec tax is on the Quebec return, and non-residents
// are outside these rules.
ProvincialResult computeProvincial(Province province, const ProvincialInput& input);

} // namespace taxrules
