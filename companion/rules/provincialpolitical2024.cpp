#include "companion/rules/provincialpolitical2024.h"

#include "companion/rules/money.h"

#include <algorithm>

namespace taxrules {

namespace {

// One band of contributions and the share of it credited.
struct Band {
    double upTo; // contributions up to this amount (cumulative)
    double rate;
};

struct PoliticalCredit {
    Province province;
    Band bands[3];
    double maximum;
    bool refundable;
};

constexpr double kThird = 1.0 / 3.0;

// taxtips.ca, "Provincial/Territorial Political Contribution Tax Credit
// Rates and Maximums", its 2024 table: 75 % on the first band, 50 % on the
// second and 33 1/3 % on the third, up to the maximum; the Northwest
// Territories and Nunavut 100 % on the first 100 and 50 % to 900 (at most
// 500); Nova Scotia 75 % up to 750. Ontario's 2024 bands are those of the
// 2024 Ontario worksheet (487, 1,622 and 3,691, as eachtax.com lays out the
// 2024 form), its maximum the top of the second band as every year (1,552
// in 2023, 1,622 in 2024); its credit and Nunavut's are refundable, claimed
// on the 479.
// Alberta's figures are also Elections Alberta's ("Tax Credits": 75 % up to
// 200, 50 % of the next 900, 33.3 % of the next 1,200, at most 1,000).
const PoliticalCredit kCredits[] = {
    {Province::AB, {{200.0, 0.75}, {1100.0, 0.50}, {2300.0, kThird}}, 1000.0, false},
    {Province::BC, {{100.0, 0.75}, {550.0, 0.50}, {1150.0, kThird}}, 500.0, false},
    {Province::MB, {{400.0, 0.75}, {750.0, 0.50}, {2325.0, kThird}}, 1000.0, false},
    {Province::NB, {{200.0, 0.75}, {550.0, 0.50}, {1075.0, kThird}}, 500.0, false},
    {Province::NL, {{100.0, 0.75}, {550.0, 0.50}, {1150.0, kThird}}, 500.0, false},
    {Province::NS, {{1000.0, 0.75}, {1000.0, 0.0}, {1000.0, 0.0}}, 750.0, false},
    {Province::NT, {{100.0, 1.0}, {900.0, 0.50}, {900.0, 0.0}}, 500.0, false},
    {Province::NU, {{100.0, 1.0}, {900.0, 0.50}, {900.0, 0.0}}, 500.0, true},
    {Province::ON, {{487.0, 0.75}, {1622.0, 0.50}, {3691.0, kThird}}, 1622.0, true},
    {Province::PE, {{100.0, 0.75}, {550.0, 0.50}, {1150.0, kThird}}, 500.0, false},
    {Province::SK, {{400.0, 0.75}, {750.0, 0.50}, {1275.0, kThird}}, 650.0, false},
    {Province::YT, {{400.0, 0.75}, {750.0, 0.50}, {1275.0, kThird}}, 650.0, false},
};

const PoliticalCredit* creditOf(Province province)
{
    for (const PoliticalCredit& c : kCredits)
        if (c.province == province)
            return &c;
    return nullptr;
}

} // namespace

double provincialPoliticalContributionCredit(Province province, double contributions)
{
    const PoliticalCredit* credit = creditOf(province);
    if (!credit || !isPositiveAmount(contributions))
        return 0.0;
    double total = 0.0;
    double from = 0.0;
    for (const Band& band : credit->bands) {
        const double inBand = std::min(contributions, band.upTo) - from;
        if (inBand > 0.0)
            total += roundCents(inBand * band.rate);
        from = std::max(from, band.upTo);
    }
    return roundCents(std::min(total, credit->maximum));
}

bool politicalContributionCreditIsRefundable(Province province)
{
    const PoliticalCredit* credit = creditOf(province);
    return credit && credit->refundable;
}

} // namespace taxrules
