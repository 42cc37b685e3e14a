#include "model/CCB2016.h"

#include <QtGlobal>
#include <algorithm>

#include "model/BenefitFigures.h"

double CalculateCCB2016(int province, int under6, int from6to17, int disabled, double familyIncome)
{
    Q_UNUSED(province);
    const BenefitFigures& f = benefitFigures();
    const int children = under6 + from6to17;
    if (children <= 0)
        return 0.0; // no child, no disability benefit either

    const int rateIndex = std::min(children, 4) - 1;
    double base = f.ccbPerChildUnder6 * under6 + f.ccbPerChild6To17 * from6to17;
    if (familyIncome > f.ccbFirstThreshold) {
        const double band = f.ccbSecondThreshold - f.ccbFirstThreshold;
        const double first = std::min(familyIncome - f.ccbFirstThreshold, band) * f.ccbFirstRates[rateIndex];
        const double second = familyIncome > f.ccbSecondThreshold
                                  ? (familyIncome - f.ccbSecondThreshold) * f.ccbSecondRates[rateIndex]
                                  : 0.0;
        base -= first + second;
    }
    double benefit = std::max(0.0, base);

    if (disabled > 0) {
        const double rate = disabled == 1 ? f.ccbDisabilityRateOne : f.ccbDisabilityRateMore;
        const double supplement = f.ccbDisabilityPerChild * disabled
                                  - std::max(0.0, familyIncome - f.ccbDisabilityThreshold) * rate;
        benefit += std::max(0.0, supplement);
    }
    return benefit;
}
