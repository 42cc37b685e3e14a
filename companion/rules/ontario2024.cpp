#include "companion/rules/ontario2024.h"

#include "companion/rules/money.h"

#include <algorithm>
#include <limits>

namespace taxrules {

namespace {

struct SurtaxTier {
    double above;
    double rate;
};

const SurtaxTier kSurtax[] = {
    {5554.0, 0.20},
    {7108.0, 0.36},
};

constexpr double kBasicReduction = 286.0;
constexpr double kReductionPerDependant = 529.0;

constexpr double kLiftMaximum = 875.0;
constexpr double kLiftEmploymentRate = 0.0505;
constexpr double kLiftReductionRate = 0.05;
constexpr double kLiftIndividualThreshold = 32500.0;
constexpr double kLiftFamilyThreshold = 65000.0;

// Income above `from` (and at most `to`) pays min(cap, base + rate * (income - from)).
struct PremiumBand {
    double from;
    double to;
    double base;
    double rate;
    double cap;
};

const PremiumBand kHealthPremium[] = {
    {0.0, 20000.0, 0.0, 0.0, 0.0},
    {20000.0, 36000.0, 0.0, 0.06, 300.0},
    {36000.0, 48000.0, 300.0, 0.06, 450.0},
    {48000.0, 72000.0, 450.0, 0.25, 600.0},
    {72000.0, 200000.0, 600.0, 0.25, 750.0},
    {200000.0, std::numeric_limits<double>::infinity(), 750.0, 0.25, 900.0},
};

} // namespace

double ontarioSurtax(double ontarioTax)
{
    double surtax = 0.0;
    for (const SurtaxTier& tier : kSurtax)
        surtax += roundCents(positivePart(ontarioTax - tier.above) * tier.rate);
    return roundCents(surtax);
}

double ontarioTaxReduction(double ontarioTaxWithSurtax, int dependants)
{
    const double tax = positivePart(ontarioTaxWithSurtax);
    const double personal = kBasicReduction + kReductionPerDependant * std::max(0, dependants);
    const double reduction = positivePart(2.0 * personal - tax);
    return roundCents(std::min(reduction, tax));
}

double ontarioLiftCredit(double employmentIncome, double netIncome, double familyNetIncome)
{
    const double maximum = std::min(kLiftMaximum, roundCents(positivePart(employmentIncome) * kLiftEmploymentRate));
    const double over = std::max(positivePart(netIncome - kLiftIndividualThreshold),
                                 positivePart(familyNetIncome - kLiftFamilyThreshold));
    return roundCents(positivePart(maximum - roundCents(over * kLiftReductionRate)));
}

double ontarioHealthPremium(double taxableIncome)
{
    for (const PremiumBand& band : kHealthPremium) {
        if (taxableIncome <= band.to)
            return roundCents(std::min(band.cap, band.base + band.rate * positivePart(taxableIncome - band.from)));
    }
    return 0.0;
}

} // namespace taxrules
