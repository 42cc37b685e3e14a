#include "companion/rules/socialbenefits.h"

#include "companion/rules/federalconstants2024.h"
#include "companion/rules/money.h"

#include <algorithm>

namespace taxrules {

SocialBenefitsRepayment socialBenefitsRepayment(double netIncomeBeforeAdjustments,
                                                double oasPension,
                                                double repayableEiBenefits)
{
    SocialBenefitsRepayment r;
    const double eiExcess = positivePart(netIncomeBeforeAdjustments
                                         - federalConstant(FedKey::EiRepaymentThreshold));
    r.employmentInsurance = roundCents(std::min(positivePart(repayableEiBenefits), eiExcess)
                                       * federalConstant(FedKey::EiRepaymentRate));

    const double oasExcess = positivePart(netIncomeBeforeAdjustments - r.employmentInsurance
                                          - federalConstant(FedKey::OasRepaymentThreshold));
    r.oldAgeSecurity = std::min(positivePart(oasPension),
                                roundCents(oasExcess * federalConstant(FedKey::OasRepaymentRate)));
    r.total = roundCents(r.employmentInsurance + r.oldAgeSecurity);
    return r;
}

} // namespace taxrules
