#include "companion/rules/payrollcontributions.h"

#include "companion/rules/federalconstants2024.h"
#include "companion/rules/money.h"

#include <algorithm>

namespace taxrules {

namespace {

double fed(FedKey key) { return federalConstant(key); }

// `rate` on the part of `earnings` between `floor` and `ceiling`, at most `maximum`.
double contributionOnBand(double earnings, double floor, double ceiling, double rate, double maximum)
{
    const double band = positivePart(std::min(earnings, ceiling) - floor);
    return std::min(roundCents(band * rate), maximum);
}

// The share of the year's exemption, ceilings and maxima for `months`.
double yearShare(double months) { return std::clamp(months, 0.0, 12.0) / 12.0; }

PlanContributions computePlan(double earnings, double rate, double maximum, double months = 12.0)
{
    const double share = yearShare(months);
    PlanContributions c;
    c.first = contributionOnBand(earnings, fed(FedKey::CppBasicExemption) * share,
                                 fed(FedKey::CppMaxPensionableEarnings) * share, rate, roundCents(maximum * share));
    c.second = contributionOnBand(earnings, fed(FedKey::CppMaxPensionableEarnings) * share,
                                  fed(FedKey::Cpp2Ceiling) * share, fed(FedKey::Cpp2Rate),
                                  roundCents(fed(FedKey::Cpp2MaxContribution) * share));
    return c;
}

} // namespace

PlanContributions computeCpp(double pensionableEarnings, double months)
{
    return computePlan(pensionableEarnings, fed(FedKey::CppEmployeeRate), fed(FedKey::CppMaxContribution), months);
}

PlanContributions computeQpp(double pensionableEarnings, double months)
{
    return computePlan(pensionableEarnings, fed(FedKey::QppEmployeeRate), fed(FedKey::QppMaxContribution), months);
}

namespace {

// Both shares (employee's and employer's) on the combined earnings, less
// both shares of what the employment earnings required: employment uses
// the exemption and the ceilings first.
PlanContributions computeSelfEmployed(double employmentEarnings, double selfEmploymentEarnings, double months,
                                      bool quebec)
{
    const double share = yearShare(months);
    const double employment = positivePart(employmentEarnings);
    const double combined = employment + positivePart(selfEmploymentEarnings);
    const double exemption = fed(FedKey::CppBasicExemption) * share;
    const double ympe = fed(FedKey::CppMaxPensionableEarnings) * share;
    const double yampe = fed(FedKey::Cpp2Ceiling) * share;
    const double rate = 2.0 * fed(quebec ? FedKey::QppEmployeeRate : FedKey::CppEmployeeRate);
    const double maximum = 2.0 * fed(quebec ? FedKey::QppMaxContribution : FedKey::CppMaxContribution);
    const double rate2 = 2.0 * fed(FedKey::Cpp2Rate);

    const PlanContributions onEmployment = quebec ? computePlan(employment, fed(FedKey::QppEmployeeRate),
                                                                fed(FedKey::QppMaxContribution), months)
                                                  : computeCpp(employment, months);
    PlanContributions c;
    c.first = positivePart(contributionOnBand(combined, exemption, ympe, rate, roundCents(maximum * share)) -
                           2.0 * onEmployment.first);
    c.second = positivePart(
        contributionOnBand(combined, ympe, yampe, rate2, roundCents(2.0 * fed(FedKey::Cpp2MaxContribution) * share)) -
        2.0 * onEmployment.second);
    c.first = roundCents(c.first);
    c.second = roundCents(c.second);
    return c;
}

} // namespace

PlanContributions computeCppSelfEmployed(double employmentEarnings, double selfEmploymentEarnings, double months)
{
    return computeSelfEmployed(employmentEarnings, selfEmploymentEarnings, months, false);
}

PlanContributions computeQppSelfEmployed(double employmentEarnings, double selfEmploymentEarnings, double months)
{
    return computeSelfEmployed(employmentEarnings, selfEmploymentEarnings, months, true);
}

double basePensionPart(double firstContribution, bool quebec)
{
    const double base = quebec ? fed(FedKey::QppBaseRate) : fed(FedKey::CppBaseRate);
    const double full = quebec ? fed(FedKey::QppEmployeeRate) : fed(FedKey::CppEmployeeRate);
    return roundCents(firstContribution * base / full);
}

double computeEi(double insurableEarnings, bool quebec)
{
    if (insurableEarnings <= fed(FedKey::EiRefundAllAtOrBelow))
        return 0.0;
    const double rate = quebec ? fed(FedKey::EiRateQuebec) : fed(FedKey::EiRate);
    const double maximum = quebec ? fed(FedKey::EiMaxPremiumQuebec) : fed(FedKey::EiMaxPremium);
    return contributionOnBand(insurableEarnings, 0.0, fed(FedKey::EiMaxInsurableEarnings), rate, maximum);
}

double computePpip(double insurableEarnings)
{
    return contributionOnBand(insurableEarnings, 0.0, fed(FedKey::PpipMaxInsurableEarnings),
                              fed(FedKey::PpipRate), fed(FedKey::PpipMaxPremium));
}

} // namespace taxrules
