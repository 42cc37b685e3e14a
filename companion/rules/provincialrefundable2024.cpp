#include "companion/rules/provincialrefundable2024.h"

#include "companion/rules/money.h"

#include <algorithm>

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

} // namespace

double ontarioSeniorsTransitCredit(bool sixtyFiveAtStartOfYear, double transitCosts)
{
    if (!sixtyFiveAtStartOfYear)
        return 0.0;
    return roundCents(std::min(kTransitCostsMaximum, positivePart(transitCosts)) * kTransitRate);
}

double bcRenterCredit(double familyNetIncome, double rentPaid, int monthsRented)
{
    if (!isPositiveAmount(rentPaid) || monthsRented < kRenterMonthsRequired)
        return 0.0;
    const double reduction = roundCents(positivePart(familyNetIncome - kRenterThreshold) * kRenterReductionRate);
    return roundCents(positivePart(kRenterMaximum - reduction));
}

} // namespace taxrules
