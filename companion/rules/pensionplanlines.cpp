#include "companion/rules/pensionplanlines.h"

#include "companion/rules/money.h"
#include "companion/rules/payrollcontributions.h"

#include <algorithm>

namespace taxrules {

CppLines cppLines(double pensionableEarnings, double withheldFirst, double withheldSecond,
                  double selfEmploymentEarnings, double months)
{
    CppLines l;
    const PlanContributions required = computeCpp(pensionableEarnings, months);
    l.requiredFirst = required.first;
    l.requiredSecond = required.second;

    const double paidFirst = std::min(positivePart(withheldFirst), required.first);
    const double paidSecond = std::min(positivePart(withheldSecond), required.second);
    l.line30800 = basePensionPart(paidFirst, false);
    double enhanced = roundCents(paidFirst - l.line30800 + paidSecond);
    l.line44800 = roundCents(positivePart(withheldFirst - required.first)
                             + positivePart(withheldSecond - required.second));

    // On self-employment the employer's share and the enhanced part of the
    // employee's share are deducted at 22200 (22215 is for employment
    // only); the base part of the employee's share is credited at 31000.
    if (selfEmploymentEarnings > 0.0) {
        const PlanContributions se = computeCppSelfEmployed(pensionableEarnings, selfEmploymentEarnings, months);
        const double employeeFirst = roundCents(se.first / 2.0);
        const double employeeSecond = roundCents(se.second / 2.0);
        l.line31000 = basePensionPart(employeeFirst, false);
        l.line22200 = roundCents(se.first - employeeFirst + se.second - employeeSecond + employeeFirst - l.line31000 +
                                 employeeSecond);
        l.line42100 = roundCents(se.first + se.second);
    }
    l.line22215 = enhanced;
    return l;
}

CppLines interprovincialPlanLines(double qppEarnings, double cppEarnings, double withheldCpp, double withheldQpp,
                                  double withheldSecond, bool quebecResident, double selfEmploymentEarnings,
                                  double months)
{
    CppLines l;
    const double qpp = positivePart(qppEarnings);
    const double total = qpp + positivePart(cppEarnings);
    // Without earnings the withholding decides which plan it was.
    const double qppShare = total > 0.0 ? qpp / total : (withheldQpp > 0.0 ? 1.0 : 0.0);
    const PlanContributions underQpp = computeQpp(total, months);
    const PlanContributions underCpp = computeCpp(total, months);
    l.requiredFirst = roundCents(underQpp.first * qppShare + underCpp.first * (1.0 - qppShare));
    l.requiredSecond = roundCents(underQpp.second * qppShare + underCpp.second * (1.0 - qppShare));

    const double withheldFirst = positivePart(withheldCpp) + positivePart(withheldQpp);
    const double paidFirst = std::min(withheldFirst, l.requiredFirst);
    const double paidSecond = std::min(positivePart(withheldSecond), l.requiredSecond);
    l.line30800 = roundCents(basePensionPart(paidFirst * qppShare, true)
                             + basePensionPart(paidFirst * (1.0 - qppShare), false));
    l.line22215 = roundCents(paidFirst - l.line30800 + paidSecond);
    if (!quebecResident)
        l.line44800 = roundCents(positivePart(withheldFirst - l.requiredFirst)
                                 + positivePart(positivePart(withheldSecond) - l.requiredSecond));
    if (quebecResident && selfEmploymentEarnings > 0.0) {
        const PlanContributions se = computeQppSelfEmployed(total, selfEmploymentEarnings, months);
        const double employeeFirst = roundCents(se.first / 2.0);
        const double employeeSecond = roundCents(se.second / 2.0);
        l.line31000 = basePensionPart(employeeFirst, true);
        l.line22200 = roundCents(se.first - employeeFirst + se.second - employeeSecond + employeeFirst - l.line31000 +
                                 employeeSecond);
    }
    return l;
}

} // namespace taxrules
