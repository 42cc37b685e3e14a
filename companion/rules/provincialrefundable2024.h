#pragma once

// The 2024 provincial refundable credits worked out on the return (line
// 47900, through the province's 479 form).
namespace taxrules {

// Ontario seniors' public transit tax credit (ON479 line 63100): 15 % of
// the eligible transit costs, at most 3,000 of them, for a person 65 or
// older at the start of the year (born in 1958 or earlier).
double ontarioSeniorsTransitCredit(bool sixtyFiveAtStartOfYear, double transitCosts);

// British Columbia renter's tax credit (BC479 line 60576): 400, less 2 % of
// adjusted family net income above 63,000 (nil from 83,000), for rent paid
// on a home in the province for at least six months of the year. A couple
// claims it once.
double bcRenterCredit(double familyNetIncome, double rentPaid, int monthsRented);

// British Columbia home renovation tax credit for seniors and persons with
// disabilities (BC479 line 60480, from Schedule BC(S12)): 10 % of the
// eligible renovation expenses, at most 10,000 of them, for a resident who
// on December 31 is 65 or older, eligible for the disability amount, or a
// family member living with such a person. The expenses are those this
// return claims (others sharing the home claim the rest of the 10,000).
double bcHomeRenovationCredit(bool eligible, double renovationExpenses);

// New Brunswick seniors' home renovation tax credit (Schedule NB(S12),
// line 60360, on line 47900): the same 10 % of at most 10,000 of eligible
// expenses, for a resident who on December 31 is 65 or older or lives with
// a family member who is.
double nbSeniorsHomeRenovationCredit(bool eligible, double renovationExpenses);

// Newfoundland and Labrador physical activity tax credit (NL479 line 62000):
// 17.4 % of the family's eligible physical activity fees that this return
// claims, at most 2,000 of them for the family.
double nlPhysicalActivityCredit(double expenses);

// Ontario seniors care at home tax credit (ON479 line 63095): 25 % of the
// allowable medical expenses of the ON428 (line 58769), at most 1,500, less
// 5 % of family net income above 35,000; for a claimant 70 or older at the
// end of the year, or whose spouse is, with family net income under 65,000.
double ontarioSeniorsCareAtHomeCredit(bool seventy, double allowableMedical, double familyNetIncome);

// Ontario childcare access and relief from expenses (CARE) tax credit
// (ON479-A, ON479 line 63050): the child care expenses deduction claimed
// (line 21400) at a rate set by adjusted family income: 75 % up to 20,000,
// less 2 points for each 2,500 or part of it above 20,000 (59 % at 40,000),
// for each 5,000 or part above 40,000 (51 % at 60,000) and for each 3,600
// or part above 60,000 up to 150,000; nil above 150,000.
double ontarioCareCreditRate(double adjustedFamilyIncome);
double ontarioCareCredit(double adjustedFamilyIncome, double childCareDeduction);

// Manitoba personal tax credit (MB479 lines 7 to 19): 195 for the claimant,
// 195 for a spouse or common-law partner or an eligible dependant, 113 for
// each of the claimant and spouse 65 or older, 113 for each disability
// amount, 62 for each disabled dependant 18 or older and 26 for each
// dependent child, less 1 % of family income. A couple claims it once.
struct ManitobaPersonalCreditFamily {
    bool spouseOrEligibleDependant = false;
    bool age65 = false;
    bool spouseAge65 = false;
    int disabilityClaims = 0;
    int disabledDependants = 0;
    int dependentChildren = 0;
    double familyIncome = 0.0;
};
double manitobaPersonalTaxCredit(const ManitobaPersonalCreditFamily& family);

// Nunavut cost of living tax credit (NU479 lines 1 to 14): 2 % of adjusted
// net income, at most 1,500, and for a single parent 2 % of the adjusted
// net income above 60,000, at most 255.12.
double nunavutCostOfLivingCredit(double adjustedNetIncome, bool singleParent);

// Northwest Territories cost of living tax credit (NT479): the basic credit
// for self on adjusted net income (2.6 % up to 12,000, then 1.25 % to
// 48,000, then 1 % to 66,000: at most 942); the supplement, claimed once by
// a couple, 350 for the claimant and 350 for a spouse less both basic
// credits; the two together at most 942.
double northwestTerritoriesBasicCostOfLivingCredit(double adjustedNetIncome);
double northwestTerritoriesCostOfLivingCredit(double adjustedNetIncome, bool claimsSupplement, bool hasSpouse,
                                              double spouseAdjustedNetIncome);

} // namespace taxrules
