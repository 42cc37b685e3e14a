#include "companion/rules/britishcolumbia2024.h"

#include "companion/rules/money.h"

namespace taxrules {

namespace {
constexpr double kReduction = 547.0;
constexpr double kThreshold = 24338.0;
constexpr double kRate = 0.0356;
}

double bcTaxReduction(double netIncome)
{
    const double fallOff = roundCents(positivePart(netIncome - kThreshold) * kRate);
    return roundCents(positivePart(kReduction - fallOff));
}

} // namespace taxrules
