#include "companion/rules/provincialrefundable2024.h"

#include "companion/rules/money.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace taxrules {

namespace {

// ontario.ca "Ontario seniors' public transit tax credit" and the ON479
// line 63100: 15 % of at most 3,000 (a credit of at most 450), no income test.
constexpr double kTransitRate = 0.15;
constexpr double kTransitCostsMaximum = 3000.0;

// gov.bc.ca "B.C. renter's tax credit", 2024 tax year: 400 up to 63,000 of
// adjusted income, reduced by 2 % above it (nil at 83,000); at least six
// one-month periods of rent in the year (BC479 line 60575).
constexpr double kRenterMaximum = 400.0;
constexpr double kRenterThreshold = 63000.0;
constexpr double kRenterReductionRate = 0.02;
constexpr int kRenterMonthsRequired = 6;

// gov.bc.ca (housingaction.gov.bc.ca, "Home Renovation Tax Credit"): "The
// maximum amount of the credit is $1,000 per tax year and is calculated as
// 10% of the qualifying renovation expense up to a maximum of $10,000 in
// expenses", a refundable credit; Schedule BC(S12) takes the expenses less
// government assistance, "(maximum $10,000)", less the part other eligible
// individuals claim, to line 60480 of the BC479 (the 2023 schedule as
// eachtax.com and aclasssoft.com lay it out; the amounts have not changed
// since the credit began in 2012).
constexpr double kRenovationRate = 0.10;
constexpr double kRenovationExpensesMaximum = 10000.0;

// New Brunswick's, since 2015 (gnb.ca, "New Brunswick Seniors' Home
// Renovation Tax Credit": "calculated as 10 per cent of the eligible
// expenses you claim", "up to $10,000 worth of eligible home improvements";
// the agency's 2024 help as support.drtax.ca gives it: "You can claim
// whichever is less: $10,000 [or] the amount of eligible expenses", for a
// senior "65 years of age or older, or ... living with ... a family member
// who is a senior"; Schedule NB(S12) line 5 is line 60360).
constexpr double kNbRenovationRate = 0.10;
constexpr double kNbRenovationExpensesMaximum = 10000.0;

// The NL479 of 2023 and later ("Line 1 minus line 2 (maximum $2,000)",
// "Physical activity expenses 62000", "Applicable rate x 17.4%", the 2023
// form as aclasssoft.com lays it out); the agency's 2024 help as
// support.drtax.ca gives it: "up to $2,000 per family for the fees paid in
// 2024"; taxtips.ca: 17.4 % "(8.7% prior to 2023)", set by the Act, not
// tied to the lowest rate.
constexpr double kNlPhysicalActivityRate = 0.174;
constexpr double kNlPhysicalActivityMaximum = 2000.0;

// ontario.ca, "Ontario Seniors Care at Home Tax Credit": "up to 25% of
// claimable medical expenses up to $6,000, for a maximum credit of $1,500.
// This amount is reduced by 5% of family net income over $35,000 and fully
// phased out by at most $65,000", at 70 or older (or a spouse who is); the
// 2024 ON479 line 63095 (the medical expenses of line 58769 of the ON428;
// "If the total of your family's net income ... is more than $65,000, enter
// "0""), its 2024 help as support.drtax.ca gives it.
constexpr double kCareAtHomeRate = 0.25;
constexpr double kCareAtHomeMaximum = 1500.0;
constexpr double kCareAtHomeThreshold = 35000.0;
constexpr double kCareAtHomeReductionRate = 0.05;
constexpr double kCareAtHomeIncomeLimit = 65000.0;

// Ontario Taxation Act, 2007, s. 103.0.2, as the CARE rate chart of
// taxtips.ca ("Ontario Childcare Access and Relief from Expenses (CARE)
// Credit") sets it out; no income test beyond 150,000 and no top-up after
// 2021.
struct CareBand {
    double from;      // adjusted family income above this
    double to;        // up to this
    double startRate; // the rate at `from`
    double step;      // 2 points less for each step or part of one above `from`
};
const CareBand kCareBands[] = {
    {20000.0, 40000.0, 0.75, 2500.0},
    {40000.0, 60000.0, 0.59, 5000.0},
    {60000.0, 150000.0, 0.51, 3600.0},
};
constexpr double kCareTopRate = 0.75;
constexpr double kCareStepRate = 0.02;
constexpr double kCareIncomeLimit = 150000.0;

// taxtips.ca, "Manitoba Refundable Personal Tax Credit" (revised September
// 2024; the amounts are not indexed), and the 2024 MB479 ("Age credit for
// self (if you were born in 1959 or earlier) Claim $113"; family income
// times 1 % on line 18).
constexpr double kMbBasicCredit = 195.0;
constexpr double kMbAgeCredit = 113.0;
constexpr double kMbDisabilityCredit = 113.0;
constexpr double kMbDisabledDependantCredit = 62.0;
constexpr double kMbChildCredit = 26.0;
constexpr double kMbIncomeShare = 0.01;

// The 2024 NU479 (eachtax.com's layout of the 2024 form, the 2023 form of
// aclasssoft.com for the rates): "Basic credit (maximum $1,500)" at 2 % of
// adjusted net income; the single parents' supplement at 2 % above 60,000,
// "(maximum $255.12)".
constexpr double kNuCostOfLivingRate = 0.02;
constexpr double kNuCostOfLivingMaximum = 1500.0;
constexpr double kNuSupplementThreshold = 60000.0;
constexpr double kNuSupplementMaximum = 255.12;

// The NT479 (aclasssoft.com's 2023 form, the same lines on the 2024 form as
// icalculator.info sets it out, and on every form since 2009): the basic
// credit for self by bands of adjusted net income (2.6 %, 1.25 % and 1 %),
// "(maximum $942)"; "Basic supplement for self" 350, and 350 more with a
// spouse; "Add lines 6 and 13 (maximum $942)".
struct CostOfLivingBand {
    double from;
    double rate;
};
const CostOfLivingBand kNtBands[] = {{0.0, 0.026}, {12000.0, 0.0125}, {48000.0, 0.01}, {66000.0, 0.0}};
constexpr double kNtMaximum = 942.0;
constexpr double kNtSupplement = 350.0;

} // namespace

double northwestTerritoriesBasicCostOfLivingCredit(double adjustedNetIncome)
{
    const double income = positivePart(adjustedNetIncome);
    double credit = 0.0;
    for (std::size_t i = 0; i + 1 < std::size(kNtBands); ++i) {
        const double top = std::min(income, kNtBands[i + 1].from);
        if (top > kNtBands[i].from)
            credit += roundCents((top - kNtBands[i].from) * kNtBands[i].rate);
    }
    return roundCents(std::min(credit, kNtMaximum));
}

double northwestTerritoriesCostOfLivingCredit(double adjustedNetIncome, bool claimsSupplement, bool hasSpouse,
                                              double spouseAdjustedNetIncome)
{
    const double basic = northwestTerritoriesBasicCostOfLivingCredit(adjustedNetIncome);
    double supplement = 0.0;
    if (claimsSupplement) {
        const double spouseBasic =
            hasSpouse ? northwestTerritoriesBasicCostOfLivingCredit(spouseAdjustedNetIncome) : 0.0;
        supplement = positivePart(kNtSupplement * (hasSpouse ? 2.0 : 1.0) - basic - spouseBasic);
    }
    return roundCents(std::min(kNtMaximum, basic + supplement));
}

double nunavutCostOfLivingCredit(double adjustedNetIncome, bool singleParent)
{
    const double income = positivePart(adjustedNetIncome);
    double credit = std::min(kNuCostOfLivingMaximum, roundCents(income * kNuCostOfLivingRate));
    if (singleParent)
        credit += std::min(kNuSupplementMaximum,
                           roundCents(positivePart(income - kNuSupplementThreshold) * kNuCostOfLivingRate));
    return roundCents(credit);
}

double manitobaPersonalTaxCredit(const ManitobaPersonalCreditFamily& f)
{
    double credits = kMbBasicCredit;
    if (f.spouseOrEligibleDependant)
        credits += kMbBasicCredit;
    if (f.age65)
        credits += kMbAgeCredit;
    if (f.spouseAge65)
        credits += kMbAgeCredit;
    credits += kMbDisabilityCredit * std::max(0, f.disabilityClaims);
    credits += kMbDisabledDependantCredit * std::max(0, f.disabledDependants);
    credits += kMbChildCredit * std::max(0, f.dependentChildren);
    const double reduction = roundCents(positivePart(f.familyIncome) * kMbIncomeShare);
    return roundCents(positivePart(credits - reduction));
}

double ontarioSeniorsTransitCredit(bool sixtyFiveAtStartOfYear, double transitCosts)
{
    if (!sixtyFiveAtStartOfYear)
        return 0.0;
    return roundCents(std::min(kTransitCostsMaximum, positivePart(transitCosts)) * kTransitRate);
}

double ontarioCareCreditRate(double adjustedFamilyIncome)
{
    if (adjustedFamilyIncome > kCareIncomeLimit)
        return 0.0;
    for (const CareBand& band : kCareBands) {
        if (adjustedFamilyIncome > band.from && adjustedFamilyIncome <= band.to) {
            const double steps = std::ceil((adjustedFamilyIncome - band.from) / band.step);
            return band.startRate - kCareStepRate * steps;
        }
    }
    return kCareTopRate;
}

double ontarioCareCredit(double adjustedFamilyIncome, double childCareDeduction)
{
    return roundCents(positivePart(childCareDeduction) * ontarioCareCreditRate(adjustedFamilyIncome));
}

double bcHomeRenovationCredit(bool eligible, double renovationExpenses)
{
    if (!eligible)
        return 0.0;
    return roundCents(std::min(kRenovationExpensesMaximum, positivePart(renovationExpenses)) * kRenovationRate);
}

double nbSeniorsHomeRenovationCredit(bool eligible, double renovationExpenses)
{
    if (!eligible)
        return 0.0;
    return roundCents(std::min(kNbRenovationExpensesMaximum, positivePart(renovationExpenses)) * kNbRenovationRate);
}

double nlPhysicalActivityCredit(double expenses)
{
    return roundCents(std::min(kNlPhysicalActivityMaximum, positivePart(expenses)) * kNlPhysicalActivityRate);
}

double ontarioSeniorsCareAtHomeCredit(bool seventy, double allowableMedical, double familyNetIncome)
{
    if (!seventy || familyNetIncome > kCareAtHomeIncomeLimit)
        return 0.0;
    const double credit = std::min(kCareAtHomeMaximum, roundCents(positivePart(allowableMedical) * kCareAtHomeRate));
    const double reduction = roundCents(positivePart(familyNetIncome - kCareAtHomeThreshold) * kCareAtHomeReductionRate);
    return roundCents(positivePart(credit - reduction));
}

double bcRenterCredit(double familyNetIncome, double rentPaid, int monthsRented)
{
    if (!isPositiveAmount(rentPaid) || monthsRented < kRenterMonthsRequired)
        return 0.0;
    const double reduction = roundCents(positivePart(familyNetIncome - kRenterThreshold) * kRenterReductionRate);
    return roundCents(positivePart(kRenterMaximum - reduction));
}

} // namespace taxrules
