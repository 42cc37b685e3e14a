#include "companion/rules/pensionplanlines.h"

#include "companion/rules/money.h"
#include "companion/rules/payrollcontributions.h"

#include <algorithm>

namespace taxrules {

CppLines cppLines(double pensionableEarnings, double withheldFirst, double withheldSecond,
                  double selfEmploymentEarnings)
{
    CppLines l;
    const PlanContributions required = computeCpp(pensionableEarnings);
    l.requiredFirst = required.first;
    l.requiredSecond = required.second;

    const double paidFirst = std::min(positivePart(withheldFirst), required.first);
    const double paidSecond = std::min(positivePart(withheldSecond), required.second);
    l.line30800 = basePensionPart(paidFirst, false);
    double enhanced = roundCents(paidFirst - l.line30800 + paidSecond);
    l.line44800 = roundCents(positivePart(withheldFirst - required.first)
                             + positivePart(withheldSecond - required.second));

    // The employer's share is deducted at 22200; of the employee's share the
    // base part is credited at 31000 and the rest deducted with 22215.
    if (selfEmploymentEarnings > 0.0) {
        const PlanContributions se = computeCppSelfEmployed(pensionableEarnings, selfEmploymentEarnings);
        const double employeeFirst = roundCents(se.first / 2.0);
        const double employeeSecond = roundCents(se.second / 2.0);
        l.line22200 = roundCents(se.first - employeeFirst + se.second - employeeSecond);
        l.line31000 = basePensionPart(employeeFirst, false);
        enhanced = roundCents(enhanced + employeeFirst - l.line31000 + employeeSecond);
        l.line42100 = roundCents(se.first + se.second);
    }
    l.line22215 = enhanced;
    return l;
}

} // namespace taxrules
