#include "model/CCB2016.h"

#include <QtGlobal>
#include <algorithm>
#include <array>

#include "companion/rules/money.h"
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

namespace {

// Completed years at `day`; negative when the child is not yet born.
int ageOn(const QDate& birth, const QDate& day)
{
    if (day < birth)
        return -1;
    int age = day.year() - birth.year();
    if (day.month() < birth.month() || (day.month() == birth.month() && day.day() < birth.day()))
        --age;
    return age;
}

// The first day of each month of the benefit year of a 2024 return, July
// 2025 to June 2026; made once, as every calculation pass asks for them.
const std::array<QDate, 12>& benefitMonthStarts()
{
    static const std::array<QDate, 12> starts = [] {
        std::array<QDate, 12> out;
        for (int m = 0; m < 12; ++m)
            out[size_t(m)] = QDate(2025, 7, 1).addMonths(m);
        return out;
    }();
    return starts;
}

} // namespace

double estimateChildBenefitByMonth(const std::vector<ChildForBenefit>& children, double familyIncome)
{
    // The benefit year of a 2024 return. Source: canada.ca, "Canada child
    // benefit - How much you can get": payments from July 2025 to June 2026
    // on the 2024 adjusted family net income; a child counts for a month
    // when the conditions are met at the beginning of that month.
    double total = 0.0;
    for (const QDate& start : benefitMonthStarts()) {
        int under6 = 0, from6to17 = 0, disabled = 0;
        for (const ChildForBenefit& c : children) {
            if (!c.birth.isValid())
                continue;
            const int age = ageOn(c.birth, start);
            if (age < 0 || age > 17)
                continue;
            if (c.child)
                ++(age < 6 ? under6 : from6to17);
            if (c.disabled)
                ++disabled;
        }
        total += CalculateCCB2016(0, under6, from6to17, disabled, familyIncome) / 12.0;
    }
    return taxrules::roundCents(total);
}
