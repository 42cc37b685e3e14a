#include "companion/rules/provincialcalc.h"

#include "companion/rules/britishcolumbia2024.h"
#include "companion/rules/federalcredits.h"
#include "companion/rules/lowincomereductions2024.h"
#include "companion/rules/money.h"
#include "companion/rules/ontario2024.h"
#include "companion/rules/provincialcredits2024.h"
#include "companion/rules/provincialpolitical2024.h"
#include "companion/rules/provincialtables2024.h"

#include <algorithm>

namespace taxrules {

namespace {

// The family a low-income reduction or Manitoba's family tax benefit is
// worked out for. The children and dependants with a disability count only
// on the return that claims the family's amounts.
LowIncomeFamily lowIncomeFamily(const ProvincialInput& in)
{
    LowIncomeFamily family;
    family.familyIncome = std::max(in.familyNetIncome, in.netIncome);
    family.netIncome = in.netIncome;
    family.hasSpouse = in.hasSpouse;
    family.claimsSpouseAmount = in.claimsSpouse;
    family.claimsEligibleDependant = in.claimsEligibleDependant;
    family.age65 = in.age65;
    family.spouseAge65 = in.spouseAge65;
    family.disabilitySelf = in.disabilitySelf;
    family.dependentChildren = in.claimsFamilyAmounts ? in.dependentChildren : 0;
    family.eligibleDependantIsChild = in.eligibleDependantIsChild;
    family.dependantsWithDisability = in.claimsFamilyAmounts ? in.dependantsWithDisability : 0;
    return family;
}

// Part C's low-income reduction: the claimant's return takes it up to its
// tax and leaves the rest for the spouse where the province allows; the
// other spouse's return takes only what the claimant left unused.
double applyLowIncomeReduction(Province province, const ProvincialInput& in, double tax, ProvincialResult& r)
{
    if (!hasLowIncomeReduction(province))
        return tax;
    if (in.claimsFamilyAmounts) {
        const double reduction = lowIncomeReduction2024(province, lowIncomeFamily(in));
        r.lowIncomeReduction = std::min(tax, reduction);
        if (in.hasSpouse && lowIncomeReductionPassesToSpouse(province))
            r.unusedReductionForSpouse = roundCents(positivePart(reduction - tax));
    } else if (lowIncomeReductionPassesToSpouse(province)) {
        r.lowIncomeReduction = std::min(tax, positivePart(in.spouseUnusedReduction));
    }
    return roundCents(tax - r.lowIncomeReduction);
}

// The provincial foreign tax credit (T2036) on the tax the form has
// reached: the foreign tax the federal credit left, up to this tax's share
// of the foreign income. Under the federal minimum tax the T2036 starts from
// the minimum tax form's figures (and Manitoba gives no credit at all),
// which this program does not work out: the credit is then named, not taken.
double applyForeignTaxCredit(const ProvincialInput& in, double tax, ProvincialResult& r)
{
    bool taxLeft = false;
    for (const ForeignTaxLeft& country : in.foreignTax)
        taxLeft = taxLeft || isPositiveAmount(country.taxNotCredited);
    if (!taxLeft)
        return tax;
    if (in.minimumTax) {
        r.notComputed.emplace_back("foreign tax credit (Form T2036) when the minimum tax applies");
        return tax;
    }
    r.taxOtherwisePayable = tax;
    r.foreignTaxCredit = provincialForeignTaxCredit(in.foreignTax, tax);
    return roundCents(tax - r.foreignTaxCredit);
}

// A dependant's basic personal amount, which their own taxable income uses
// before any disability amount is left to transfer.
double dependantBasicAmount(Province province, const ProvinceTable& table, double dependantIncome)
{
    double amount =
        table.basicPersonalAmountAsFederal ? basicPersonalAmount(dependantIncome) : table.basicPersonalAmount;
    if (province == Province::NS)
        amount += novaScotiaAdditionalPersonalAmount(dependantIncome);
    return roundCents(amount);
}

// The amounts of the dependant table: each dependant's disability amount
// they cannot use themselves (line 58480) and the medical expenses paid for
// dependants other than children under 18 (line 58729), each above the
// province's threshold on the dependant's own net income. A territory whose
// amounts are the federal ones takes line 31800 as it stands.
void dependantAmounts(Province province, const ProvinceTable& table, const ProvincialCreditTable& credits,
                      const ProvincialInput& in, ProvincialResult& r)
{
    bool disabilityLeftOut = false;
    bool otherMedical = false;
    bool caregiverLeftOut = false;
    for (const ProvincialDependant& d : in.dependants) {
        // A territory whose amounts are the federal ones copies the
        // caregiver lines below instead.
        if (d.caregiver && !credits.amountsAsFederal) {
            if (credits.caregiverAmount)
                r.caregiverAmount += provincialCaregiverAmount(credits, d.netIncome);
            else if (credits.infirmDependantAmount && credits.inHomeCaregiverAmount) {
                // One of the two lines for each dependant, never both.
                if (in.infirmDependantsLivedWithClaimant)
                    r.inHomeCaregiverAmount += provincialInHomeCaregiverAmount(credits, d.netIncome);
                else
                    r.infirmDependantAmount += provincialInfirmDependantAmount(credits, d.netIncome);
            } else
                caregiverLeftOut = true;
        }
        if (d.transfersDisability && !credits.amountsAsFederal) {
            if (credits.disabilityAmount && (!d.under18 || credits.disabilitySupplement))
                r.disabilityTransferred += provincialDisabilityTransfer(
                    credits, d.under18, d.netIncome, dependantBasicAmount(province, table, d.netIncome));
            else
                disabilityLeftOut = true;
        }
        if (isPresentAmount(d.otherMedicalExpenses)) {
            otherMedical = true;
            r.otherDependantsMedical += provincialMedicalAmount(credits, d.otherMedicalExpenses, d.netIncome);
        }
    }
    if (credits.amountsAsFederal)
        r.disabilityTransferred = positivePart(in.federalDisabilityTransferred);
    r.disabilityTransferred = roundCents(r.disabilityTransferred);
    r.otherDependantsMedical = roundCents(r.otherDependantsMedical);
    // Yukon's form copies the Canada caregiver amounts of the return: for
    // the spouse or an eligible dependant, for other infirm dependants 18
    // or older and for infirm children under 18.
    if (credits.amountsAsFederal) {
        r.copiedCaregiverSpouse = positivePart(in.federalCaregiverSpouse);
        r.copiedCaregiverOther = positivePart(in.federalCaregiverOther);
        r.copiedCaregiverChildren = positivePart(in.federalCaregiverChildren);
        r.caregiverAmount = r.copiedCaregiverSpouse + r.copiedCaregiverOther + r.copiedCaregiverChildren;
    }
    r.caregiverAmount = roundCents(r.caregiverAmount);
    r.infirmDependantAmount = roundCents(r.infirmDependantAmount);
    r.inHomeCaregiverAmount = roundCents(r.inHomeCaregiverAmount);
    // The provinces left without figures are those of the forms with two
    // amounts for an infirm dependant 18 or older whose 2024 figures are not
    // in the table: line 58200, and line 58400 instead of it for one who
    // lived with the claimant. The message names both.
    if (caregiverLeftOut)
        r.notComputed.emplace_back("amount for infirm dependants 18 or older (line 58200, or the caregiver amount "
                                   "of line 58400 for one who lived with you; line 30450 of the return)");
    if (in.federalInfirmChildren && !credits.noInfirmChildrenAmount && !credits.amountsAsFederal)
        r.notComputed.emplace_back("caregiver amount for infirm children (line 30500)");
    if (isPresentAmount(in.federalCaregiverSpouse) && !credits.amountsAsFederal)
        r.notComputed.emplace_back("caregiver amount for a spouse or eligible dependant (line 30425)");
    // Adoption expenses, each child's up to the province's maximum.
    bool adoption = false;
    for (double expenses : in.adoptionExpenses) {
        adoption = adoption || isPresentAmount(expenses);
        if (credits.adoptionMaximum)
            r.adoptionAmount += std::min(*credits.adoptionMaximum, positivePart(expenses));
    }
    // Yukon's form copies the return's line 31300 as it stands.
    if (credits.amountsAsFederal)
        r.adoptionAmount = positivePart(in.federalAdoptionAmount);
    r.adoptionAmount = roundCents(r.adoptionAmount);
    if (adoption && !credits.adoptionMaximum && !credits.amountsAsFederal)
        r.notComputed.emplace_back("adoption expenses (line 31300)");
    if (disabilityLeftOut || (in.disabilityNotInTable && !credits.amountsAsFederal))
        r.notComputed.emplace_back("disability amount transferred from a dependant (line 31800)");
    if ((otherMedical && !credits.medicalCap) || in.otherMedicalNotInTable)
        r.notComputed.emplace_back("medical expenses for other dependants (line 33199)");
}

constexpr double kMonthsInYear = 12.0;

// The provincial Schedule 11 (line 58560). The amounts are set against the
// rate-test income less the credits of lines 58040 to 58480 (every amount
// before the student loan interest): first the unused amounts of earlier
// years, then this year's. What is left is carried forward. A transfer of
// this year's amount to a spouse or parent is not worked out: the
// provincial maximum transferable is not in the tables. The amount claimed
// counts among the amounts the return keeps before its spouse's Schedule 2
// takes what its age, pension and disability amounts leave unused (the
// provincial Schedule 2 adds the Schedule 11's claim to them).
void tuitionAmounts(const ProvinceTable& table, const ProvincialCreditTable& credits, const ProvincialInput& in,
                    double studentLoans, ProvincialResult& r)
{
    // One claim a month, twelve at most: a month of full-time study is not
    // counted again as part-time.
    const double fullTimeMonths = std::min(kMonthsInYear, positivePart(in.fullTimeMonths));
    const double partTimeMonths = std::min(kMonthsInYear - fullTimeMonths, positivePart(in.partTimeMonths));
    const bool fees = isPositiveAmount(in.tuitionFees);
    const bool fullTime = isPositiveAmount(fullTimeMonths);
    const bool partTime = isPositiveAmount(partTimeMonths);
    double current = 0.0;
    if (credits.tuitionCurrentYear.value_or(false)) {
        current = positivePart(in.tuitionFees);
        if (fullTime && credits.educationFullTimeMonthly)
            current += roundCents(*credits.educationFullTimeMonthly * fullTimeMonths);
        if (partTime && credits.educationPartTimeMonthly)
            current += roundCents(*credits.educationPartTimeMonthly * partTimeMonths);
        if ((fullTime && !credits.educationFullTimeMonthly) || (partTime && !credits.educationPartTimeMonthly))
            r.notComputed.emplace_back("education amount for the months of study (provincial Schedule 11)");
    } else if (!credits.tuitionCurrentYear && (fees || fullTime || partTime)) {
        r.notComputed.emplace_back("tuition and education amounts for 2024 (line 32300)");
    }
    r.tuitionCurrentYear = roundCents(current);
    const double carried = roundCents(positivePart(in.tuitionCarryForward));
    const double firstBracketTop = table.brackets.size() > 1 ? table.brackets[1].from : in.taxableIncome;
    r.tuitionRateTestIncome = provincialTuitionRateTestIncome(in.taxableIncome, r.taxOnTaxableIncome,
                                                              firstBracketTop, table.lowestRate());
    r.creditsBeforeTuition = roundCents(r.creditAmounts - studentLoans - r.medicalAmount - r.otherDependantsMedical
                                        - r.spouseTransfer - r.familyTaxBenefit);
    const double room = roundCents(positivePart(r.tuitionRateTestIncome - r.creditsBeforeTuition));
    r.tuitionCarryForwardClaimed = std::min(carried, room);
    r.tuitionCurrentYearClaimed = std::min(r.tuitionCurrentYear, roundCents(room - r.tuitionCarryForwardClaimed));
    r.tuitionClaimed = roundCents(r.tuitionCarryForwardClaimed + r.tuitionCurrentYearClaimed);
    r.tuitionCarriedForward = roundCents(carried + r.tuitionCurrentYear - r.tuitionClaimed);
    if (in.tuitionTransferDesignated && isPositiveAmount(r.tuitionCurrentYear - r.tuitionCurrentYearClaimed))
        r.notComputed.emplace_back("tuition amount transferred to a spouse or parent (provincial Schedule 11)");
    r.creditAmounts = roundCents(r.creditAmounts + r.tuitionClaimed);
}

// Part B of the 428: the credit amounts at the lowest rate, the donation and
// dividend credits at their own rates. A credit the province's table has no
// figure for is named in `notComputed` when the return holds an amount for it.
void nonRefundableCredits(Province province, const ProvinceTable& table, const ProvincialInput& in,
                          ProvincialResult& r)
{
    static const ProvincialCreditTable kNone{};
    const ProvincialCreditTable* found = provincialCredits2024(province);
    const ProvincialCreditTable& credits = found ? *found : kNone;
    auto missing = [&r](bool present, bool computed, const char* what) {
        if (present && !computed)
            r.notComputed.emplace_back(what);
    };

    r.basicPersonalAmount = table.basicPersonalAmountAsFederal ? basicPersonalAmount(in.netIncome)
                                                               : table.basicPersonalAmount;
    if (province == Province::NS) {
        r.additionalPersonalAmount = novaScotiaAdditionalPersonalAmount(in.taxableIncome);
        r.basicPersonalAmount = roundCents(r.basicPersonalAmount + r.additionalPersonalAmount);
    }
    // Nova Scotia's supplements are added to the amounts they go with.
    const bool ns = province == Province::NS;
    if (in.age65) {
        r.ageAmount = provincialAgeAmount(credits, in.netIncome);
        if (ns)
            r.ageAmount = roundCents(r.ageAmount + novaScotiaAgeSupplement(in.taxableIncome));
    }
    missing(in.age65, credits.ageAmount.has_value() || credits.amountsAsFederal, "age amount");
    if (in.age65 && credits.seniorSupplementaryAmount)
        r.seniorSupplementaryAmount = *credits.seniorSupplementaryAmount;
    if (in.claimsSpouse) {
        r.spouseAmount = provincialSpouseAmount(credits, in.spouseNetIncome);
        if (ns)
            r.spouseAmount = roundCents(r.spouseAmount
                                        + novaScotiaAdditionalDependantAmount(in.taxableIncome, in.spouseNetIncome));
    }
    missing(in.claimsSpouse, credits.spouseAmount.has_value() || credits.amountsAsFederal,
            "spouse or common-law partner amount");
    if (in.claimsEligibleDependant && !in.claimsSpouse) {
        r.eligibleDependantAmount = provincialSpouseAmount(credits, in.dependantNetIncome);
        if (ns)
            r.eligibleDependantAmount = roundCents(
                r.eligibleDependantAmount + novaScotiaAdditionalDependantAmount(in.taxableIncome, in.dependantNetIncome));
    }
    missing(in.claimsEligibleDependant, credits.spouseAmount.has_value() || credits.amountsAsFederal,
            "amount for an eligible dependant");
    if (credits.pensionMaximum)
        r.pensionAmount = roundCents(std::min(*credits.pensionMaximum, positivePart(in.pensionIncomeAmount)));
    missing(isPositiveAmount(in.pensionIncomeAmount), credits.pensionMaximum.has_value() || credits.amountsAsFederal,
            "pension income amount");
    if (in.disabilitySelf && credits.disabilityAmount)
        r.disabilityAmount = *credits.disabilityAmount;
    missing(in.disabilitySelf, credits.disabilityAmount.has_value() || credits.amountsAsFederal, "disability amount");
    if (credits.amountsAsFederal) {
        // The territory's form copies these lines from the return.
        r.ageAmount = positivePart(in.federalAgeAmount);
        r.spouseAmount = positivePart(in.federalSpouseAmount);
        r.eligibleDependantAmount = positivePart(in.federalEligibleDependantAmount);
        r.pensionAmount = positivePart(in.pensionIncomeAmount);
        r.disabilityAmount = positivePart(in.federalDisabilityAmount);
    }
    r.medicalAmount = provincialMedicalAmount(credits, in.medicalExpenses, in.netIncome);
    missing(isPositiveAmount(in.medicalExpenses), credits.medicalCap.has_value(), "medical expenses");
    dependantAmounts(province, table, credits, in, r);
    // The provincial Schedule 2: what the spouse's age, pension and
    // disability amounts leave unused, worked by this province's rules on
    // the spouse's return. A spouse outside the file, or taxed by another
    // province, leaves it to be worked by hand.
    if (in.claimsSpouseTransfer && in.spouseTransferable)
        r.spouseTransfer = roundCents(positivePart(*in.spouseTransferable));
    missing(in.claimsSpouseTransfer && !in.spouseTransferable && isPresentAmount(in.federalSpouseTransfer), false,
            "amounts transferred from the spouse (line 32600)");
    missing(in.claimsSpouseTransfer && in.spouseTransferable && isPresentAmount(in.spouseTuitionTransfer), false,
            "tuition amount transferred from the spouse (line 32600)");
    const double studentLoans = credits.studentLoanInterest ? positivePart(in.studentLoanInterest) : 0.0;
    missing(isPositiveAmount(in.studentLoanInterest), credits.studentLoanInterest, "interest paid on student loans");
    const double employment = credits.canadaEmploymentAmount ? positivePart(in.canadaEmploymentAmount) : 0.0;
    // A couple whose two returns are in the file claims the child amount
    // once, on the return that claims the family's amounts (the higher net
    // income, which has the tax to use it); each return holds the family's
    // children, so the other claims none.
    const bool childrenOnSpouseReturn = in.spouseReturnSameProvince && !in.claimsFamilyAmounts;
    r.dependentChildAmount = childrenOnSpouseReturn ? 0.0
                                                    : roundCents(credits.dependentChildAmount.value_or(0.0)
                                                                 * std::max(0, in.dependentChildren));
    if (credits.volunteerFirefightersAsFederal)
        r.volunteerFirefighters = roundCents(positivePart(in.federalVolunteerFirefighters));
    if (credits.searchRescueAsFederal)
        r.searchRescue = roundCents(positivePart(in.federalSearchRescue));
    if (in.claimsYoungChildren) {
        if (credits.youngChildMonthly) {
            const int months = credits.youngChildNotEligibleDependant && in.claimsEligibleDependant
                                   ? in.youngChildMonthsNotEligibleDependant
                                   : in.youngChildMonths;
            r.youngChildrenAmount = roundCents(*credits.youngChildMonthly * std::max(0, months));
        }
        else if (credits.youngChildYearly)
            r.youngChildrenAmount = roundCents(*credits.youngChildYearly * std::max(0, in.youngChildren));
    }
    // Nunavut lets the higher-income spouse take what the other's return
    // cannot use; that transfer is not worked out here.
    missing(credits.youngChildYearly.has_value() && !in.claimsYoungChildren && in.youngChildren > 0, false,
            "amount for young children the spouse cannot use (line 58230)");
    if (province == Province::MB) {
        // Schedule MB428-A's spouse and eligible dependant lines go with a
        // claim on lines 58120 and 58160 of the MB428 itself: a spouse whose
        // income leaves no spouse amount brings no 2,065 either.
        LowIncomeFamily family = lowIncomeFamily(in);
        family.claimsSpouseAmount = isPositiveAmount(r.spouseAmount);
        family.claimsEligibleDependant = isPositiveAmount(r.eligibleDependantAmount);
        r.familyTaxBenefit = manitobaFamilyTaxBenefit(family);
    }

    r.creditAmounts = roundCents(r.basicPersonalAmount + r.ageAmount + r.seniorSupplementaryAmount + r.spouseAmount
                                 + r.eligibleDependantAmount
                                 + positivePart(in.pensionPlanBaseAmount) + positivePart(in.eiPremiums)
                                 + employment + r.pensionAmount + r.disabilityAmount + studentLoans
                                 + r.medicalAmount + r.dependentChildAmount + r.youngChildrenAmount
                                 + r.volunteerFirefighters + r.searchRescue
                                 + r.familyTaxBenefit
                                 + r.otherDependantsMedical + r.disabilityTransferred + r.spouseTransfer
                                 + r.caregiverAmount + r.adoptionAmount + r.infirmDependantAmount
                                 + r.inHomeCaregiverAmount);
    tuitionAmounts(table, credits, in, studentLoans, r);
    r.creditRate = table.lowestRate();
    // The spouse's Schedule 2 takes this return's age, pension and
    // disability amounts as far as its taxable income does not need them
    // after the other amounts it keeps (medical expenses and the amounts it
    // received itself are claimed after the transfer and stay out).
    const double transferable = r.ageAmount + r.seniorSupplementaryAmount + r.pensionAmount + r.disabilityAmount;
    const double kept = r.creditAmounts - transferable - r.medicalAmount - r.otherDependantsMedical
                        - r.disabilityTransferred - r.spouseTransfer;
    r.transferableToSpouse = roundCents(positivePart(transferable - positivePart(in.taxableIncome - kept)));

    r.donationCredit = provincialDonationCredit(credits, in.donations, in.taxableIncome);
    missing(isPositiveAmount(in.donations), credits.donationFirstRate.has_value(), "donations and gifts");
    r.nonRefundableCredits = roundCents(roundCents(r.creditAmounts * r.creditRate) + r.donationCredit);

    const double eligible = positivePart(in.eligibleDividends);
    const double other = positivePart(in.otherDividends);
    r.dividendCredit = roundCents(roundCents(eligible * credits.eligibleDividendRate.value_or(0.0))
                                  + roundCents(other * credits.otherDividendRate.value_or(0.0)));
    missing(isPositiveAmount(eligible), credits.eligibleDividendRate.has_value(), "dividend tax credit (eligible dividends)");
    missing(isPositiveAmount(other), credits.otherDividendRate.has_value(),
            "dividend tax credit (other than eligible dividends)");
}

} // namespace

ProvincialResult computeProvincial(Province province, const ProvincialInput& input)
{
    ProvincialResult r;
    const ProvinceTable* table = provinceTable2024(province);
    if (!table)
        return r;
    r.computed = true;

    r.taxOnTaxableIncome = taxOnIncome(table->brackets, input.taxableIncome);
    nonRefundableCredits(province, *table, input, r);
    // Every 428 adds its share of the federal minimum tax when the federal
    // minimum tax applies; the 2024 shares are not in the tables.
    if (input.minimumTax)
        r.notComputed.emplace_back("additional tax for minimum tax purposes");
    // The dividend credit comes off the tax after the other credits, and
    // cannot make it negative either.
    const double afterCredits = positivePart(r.taxOnTaxableIncome - r.nonRefundableCredits);
    r.taxAfterCredits = roundCents(positivePart(afterCredits - r.dividendCredit));

    double tax = r.taxAfterCredits;
    if (province == Province::ON) {
        r.surtax = ontarioSurtax(tax);
        tax = roundCents(tax + r.surtax);
        r.taxReduction = ontarioTaxReduction(tax, input.dependentChildren + input.dependantsWithDisability);
        tax = roundCents(tax - r.taxReduction);
    }
    // Each form takes the foreign tax credit off at its own place: before
    // or after its reductions (provincialforeigntax2024.cpp).
    const ForeignTaxCreditPlace creditPlace = provincialForeignTaxCreditPlace(province);
    if (creditPlace == ForeignTaxCreditPlace::BeforeReductions)
        tax = applyForeignTaxCredit(input, tax, r);
    if (province == Province::BC) {
        r.taxReduction = std::min(tax, bcTaxReduction(input.netIncome));
        tax = roundCents(tax - r.taxReduction);
    }
    tax = applyLowIncomeReduction(province, input, tax, r);
    if (creditPlace == ForeignTaxCreditPlace::AfterReductions)
        tax = applyForeignTaxCredit(input, tax, r);
    // The political contribution credit comes off what the other credits
    // and reductions leave; a form that takes it a step earlier comes to
    // the same tax, each step taking at most what is left.
    if (!politicalContributionCreditIsRefundable(province)) {
        r.politicalContributionCredit =
            std::min(tax, provincialPoliticalContributionCredit(province, input.politicalContributions));
        tax = roundCents(tax - r.politicalContributionCredit);
    }
    if (province == Province::ON) {
        r.lowIncomeCredit = std::min(tax, ontarioLiftCredit(input.employmentIncome, input.netIncome,
                                                            input.familyNetIncome));
        tax = roundCents(tax - r.lowIncomeCredit);
        r.healthPremium = ontarioHealthPremium(input.taxableIncome);
        tax = roundCents(tax + r.healthPremium);
    }
    // Nova Scotia's age tax credit is the last line of its form, after
    // every other reduction and credit.
    if (province == Province::NS) {
        r.ageTaxCredit = std::min(tax, novaScotiaAgeTaxCredit(input.age65, input.taxableIncome));
        tax = roundCents(tax - r.ageTaxCredit);
    }
    r.provincialTax = tax;
    return r;
}

} // namespace taxrules
