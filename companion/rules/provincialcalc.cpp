#include "companion/rules/provincialcalc.h"

#include "companion/rules/britishcolumbia2024.h"
#include "companion/rules/federalcredits.h"
#include "companion/rules/lowincomereductions2024.h"
#include "companion/rules/money.h"
#include "companion/rules/ontario2024.h"
#include "companion/rules/provincialcredits2024.h"
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
    missing(in.age65 && province == Province::SK, false, "senior supplementary amount");
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
    const double studentLoans = credits.studentLoanInterest ? positivePart(in.studentLoanInterest) : 0.0;
    missing(isPositiveAmount(in.studentLoanInterest), credits.studentLoanInterest, "interest paid on student loans");
    const double employment = credits.canadaEmploymentAmount ? positivePart(in.canadaEmploymentAmount) : 0.0;
    r.dependentChildAmount = roundCents(credits.dependentChildAmount.value_or(0.0) * std::max(0, in.dependentChildren));
    if (province == Province::MB)
        r.familyTaxBenefit = manitobaFamilyTaxBenefit(lowIncomeFamily(in));

    r.creditAmounts = roundCents(r.basicPersonalAmount + r.ageAmount + r.spouseAmount + r.eligibleDependantAmount
                                 + positivePart(in.pensionPlanBaseAmount) + positivePart(in.eiPremiums)
                                 + employment + r.pensionAmount + r.disabilityAmount + studentLoans
                                 + r.medicalAmount + r.dependentChildAmount + r.familyTaxBenefit);
    r.creditRate = table.lowestRate();

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
        r.lowIncomeCredit = std::min(tax, ontarioLiftCredit(input.employmentIncome, input.netIncome,
                                                            input.familyNetIncome));
        tax = roundCents(tax - r.lowIncomeCredit);
        r.healthPremium = ontarioHealthPremium(input.taxableIncome);
        tax = roundCents(tax + r.healthPremium);
    } else if (province == Province::BC) {
        r.taxReduction = std::min(tax, bcTaxReduction(input.netIncome));
        tax = roundCents(tax - r.taxReduction);
    }
    tax = applyLowIncomeReduction(province, input, tax, r);
    r.provincialTax = tax;
    return r;
}

} // namespace taxrules
