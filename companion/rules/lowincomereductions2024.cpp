#include "companion/rules/lowincomereductions2024.h"

#include "companion/rules/money.h"

#include <algorithm>

namespace taxrules {

namespace {

struct ReductionRow {
    Province province;
    double personal;          // basic reduction
    double ageSelf;           // 65 or older
    double spouse;            // a spouse on December 31
    double ageSpouse;         // the spouse 65 or older
    double eligibleDependant; // the amount for an eligible dependant claimed
    double perChild;          // each dependent child, not the eligible dependant
    double baseAmount;        // adjusted family income free of the reduction
    double familyBaseAmount;  // the same with a spouse or eligible dependant (0: as baseAmount)
    double rate;              // of the family income above the base amount
    bool passesToSpouse;
};

// Sources, 2024 forms:
//  NS428 Part C (lines 67 to 79): 300 basic, 300 for a spouse or an eligible
//    dependant (together at most 600), 165 for each dependent child born in
//    2006 or later not claimed as the eligible dependant, less 5 % of
//    adjusted family income above 15,000.
//  NB428 Part C (lines 76 to 90): 781 basic, 781 for a spouse, 781 for an
//    eligible dependant (at most 1,562), less 3 % of adjusted family income
//    above the base amount; the unused part may pass to the spouse. The base
//    amount is 2023's 20,385 indexed by New Brunswick's 2024 factor of
//    4.7 % (the factor that took the reductions from 746 to 781): 21,343.
//  NL428 Part C (lines 94 to 103): 974 basic, 544 for a spouse or an
//    eligible dependant (at most 1,518), less 16 % of adjusted family income
//    above 23,390, or 39,551 with a spouse or dependant reduction;
//    gov.nl.ca confirms the end of the partial reduction at 29,478 and
//    49,039 for 2024. The unused part may pass to the spouse.
//  PE428 Part C (lines 74 to 87): 350 basic, 250 more at 65, 350 for a
//    spouse, 250 more for a spouse of 65, 350 for an eligible dependant, 300
//    for each dependent child born in 2006 or later, less 5 % of adjusted
//    family income above 21,500 (the 2024 threshold of the Prince Edward
//    Island budget, as the tax alerts on it report).
const ReductionRow kRows[] = {
    {Province::NS, 300.0, 0.0, 300.0, 0.0, 300.0, 165.0, 15000.0, 0.0, 0.05, false},
    {Province::NB, 781.0, 0.0, 781.0, 0.0, 781.0, 0.0, 21343.0, 0.0, 0.03, true},
    {Province::NL, 974.0, 0.0, 544.0, 0.0, 544.0, 0.0, 23390.0, 39551.0, 0.16, true},
    {Province::PE, 350.0, 250.0, 350.0, 250.0, 350.0, 300.0, 21500.0, 0.0, 0.05, true},
};

const ReductionRow* rowFor(Province province)
{
    for (const ReductionRow& row : kRows)
        if (row.province == province)
            return &row;
    return nullptr;
}

// Schedule MB428-A, unchanged since 2015 (the 2024 schedule's amounts:
// eachtax.com's "Manitoba Family Tax Benefit Schedule MB428-A", the 2015
// 5007-A text on canada.ca; line 9's rule, "If you have a spouse or
// common-law partner, only the spouse or common-law partner with the higher
// net income can claim this amount", from the 2024 MB428-A line 9 help of
// support.drtax.ca).
constexpr double kMbBasic = 2065.0;
constexpr double kMbDisability = 2752.0;
constexpr double kMbChild = 2752.0;
constexpr double kMbIncomeRate = 0.09;

} // namespace

bool hasLowIncomeReduction(Province province)
{
    return rowFor(province) != nullptr;
}

bool lowIncomeReductionPassesToSpouse(Province province)
{
    const ReductionRow* row = rowFor(province);
    return row && row->passesToSpouse;
}

double lowIncomeReduction2024(Province province, const LowIncomeFamily& family)
{
    const ReductionRow* row = rowFor(province);
    if (!row)
        return 0.0;
    // A spouse and an eligible dependant exclude each other: the eligible
    // dependant amount is only for a person with no spouse.
    const bool dependant = family.claimsEligibleDependant && !family.hasSpouse;
    double amount = row->personal + (family.age65 ? row->ageSelf : 0.0);
    if (family.hasSpouse)
        amount += row->spouse + (family.spouseAge65 ? row->ageSpouse : 0.0);
    else if (dependant)
        amount += row->eligibleDependant;
    const int children =
        std::max(0, family.dependentChildren - (dependant && family.eligibleDependantIsChild ? 1 : 0));
    amount += row->perChild * children;

    const bool familyBase = row->familyBaseAmount > 0.0 && (family.hasSpouse || dependant);
    const double base = familyBase ? row->familyBaseAmount : row->baseAmount;
    const double clawback = roundCents(positivePart(family.familyIncome - base) * row->rate);
    return roundCents(positivePart(amount - clawback));
}

double manitobaFamilyTaxBenefit(const LowIncomeFamily& family)
{
    // Lines 2 and 3: 2,065 for the spouse or for the eligible dependant,
    // only where the MB428 claims that amount (lines 58120 and 58160).
    const bool dependant = family.claimsEligibleDependant && !family.hasSpouse && !family.claimsSpouseAmount;
    double amount = kMbBasic;
    if (family.claimsSpouseAmount || dependant)
        amount += kMbBasic;
    if (family.age65)
        amount += kMbBasic;
    if (family.disabilitySelf)
        amount += kMbDisability;
    amount += kMbDisability * std::max(0, family.dependantsWithDisability);
    // Line 9: the children under 19 (counted only on the return that claims
    // them), leaving out the one claimed as eligible dependant on line 3.
    amount += kMbChild
              * std::max(0, family.dependentChildren - (dependant && family.eligibleDependantIsChild ? 1 : 0));
    const double clawback = roundCents(positivePart(family.netIncome) * kMbIncomeRate);
    return roundCents(positivePart(amount - clawback));
}

} // namespace taxrules
