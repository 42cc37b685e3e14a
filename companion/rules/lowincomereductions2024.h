#pragma once

#include "companion/rules/province.h"

// The 2024 low-income tax reductions of Nova Scotia, New Brunswick,
// Newfoundland and Labrador and Prince Edward Island (Part C of their 428
// forms), and Manitoba's family tax benefit (Schedule MB428-A). Each is a
// family amount: a couple claims the reduction once, on one return.
namespace taxrules {

struct LowIncomeFamily {
    // Adjusted family income: the claimant's net income plus the spouse's.
    double familyIncome = 0.0;
    double netIncome = 0.0;        // the claimant's own (Manitoba)
    bool hasSpouse = false;        // a spouse or common-law partner on December 31
    bool claimsSpouseAmount = false;
    bool claimsEligibleDependant = false;
    bool age65 = false;
    bool spouseAge65 = false;
    bool disabilitySelf = false;
    int dependentChildren = 0;     // 18 or younger at the end of the year
    // The eligible dependant claimed is one of those children (a child claimed
    // as eligible dependant is not counted again as a child).
    bool eligibleDependantIsChild = true;
    int dependantsWithDisability = 0;
};

// Whether the province has a low-income tax reduction on its 428 (Manitoba's
// family tax benefit is a credit amount, see below).
bool hasLowIncomeReduction(Province province);

// Whether the part of the reduction the claimant's tax does not use passes to
// a spouse in the same province (New Brunswick, Newfoundland and Labrador,
// Prince Edward Island; Nova Scotia's form has no such line).
bool lowIncomeReductionPassesToSpouse(Province province);

// The reduction before it is limited to the tax it reduces: the personal,
// spouse or dependant and child amounts, less the province's rate of the
// adjusted family income above its base amount; never below 0. Nil for a
// province without one.
double lowIncomeReduction2024(Province province, const LowIncomeFamily& family);

// Manitoba's family tax benefit (Schedule MB428-A, line 12): the basic,
// spouse or dependant, age, disability and child amounts less 9 % of net
// income; never below 0. It is a credit amount (MB428 line 61470) taken at
// Manitoba's lowest rate. `claimsSpouseAmount` and `claimsEligibleDependant`
// say whether the MB428 claims an amount on lines 58120 and 58160; the
// children are those of the return that claims them for the family.
double manitobaFamilyTaxBenefit(const LowIncomeFamily& family);

} // namespace taxrules
