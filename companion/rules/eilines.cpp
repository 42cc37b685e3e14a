#include "companion/rules/eilines.h"

#include "companion/rules/federalconstants2024.h"
#include "companion/rules/money.h"

#include <algorithm>

namespace taxrules {

EiLines eiLines(double insurableEarnings, double quebecEarnings, double withheld, bool quebecResident)
{
    EiLines l;
    const double insurable = positivePart(insurableEarnings);
    if (insurable > federalConstant(FedKey::EiRefundAllAtOrBelow)) {
        const double capped = std::min(insurable, federalConstant(FedKey::EiMaxInsurableEarnings));
        const double quebecPart = quebecResident ? capped : std::min(positivePart(quebecEarnings), capped);
        const double due = quebecPart * federalConstant(FedKey::EiRateQuebec)
                           + (capped - quebecPart) * federalConstant(FedKey::EiRate);
        const double maximum = quebecResident ? federalConstant(FedKey::EiMaxPremiumQuebec)
                                              : federalConstant(FedKey::EiMaxPremium);
        l.required = std::min(roundCents(due), maximum);
    }
    l.line31200 = std::min(positivePart(withheld), l.required);
    l.line45000 = roundCents(positivePart(withheld - l.required));
    return l;
}

} // namespace taxrules
