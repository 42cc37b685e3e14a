#include "model/optimize_bends.h"

#include <algorithm>
#include <cmath>
#include <list>

#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/rules/federalconstants2024.h"
#include "companion/rules/money.h"
#include "companion/rules/provincialcalc.h"
#include "model/individualtaxdata.h"

namespace {

// Sampling step of the provincial tax, and the least change of slope that
// is a bend (tax figures are rounded to cents, which moves a slope by at
// most 0.02 / step).
constexpr double kSampleStep = 25.0;
constexpr double kSlopeChange = 0.004;

// The bends of the provincial tax as taxable income runs over [from, to],
// the other inputs of the person staying as they are.
void addProvincialBends(IndividualTaxData& person, const TaxData_T1New& t1, double from, double to,
                        std::vector<double>& bends)
{
    const taxrules::Province province = taxrules::provinceFromNumber(person.m_province);
    taxrules::ProvincialInput input;
    input.pensionPlanBaseAmount =
        taxrules::roundCents(t1.line30800CppEmployment.m_value + t1.line31000CppSelfEmployed.m_value);
    input.eiPremiums = t1.line31200EiPremiums.m_value;
    const double netAboveTaxable = t1.line23600NetIncome.m_value - t1.line26000TaxableIncome.m_value;
    auto taxAt = [&](double income) {
        input.taxableIncome = income;
        input.netIncome = income + netAboveTaxable;
        return taxrules::computeProvincial(province, input);
    };
    if (!taxAt(from).computed)
        return;

    std::vector<double> xs, ys;
    for (double x = std::max(0.0, from - 2 * kSampleStep); x <= to + 2 * kSampleStep; x += kSampleStep) {
        xs.push_back(x);
        ys.push_back(taxAt(x).provincialTax);
    }
    const size_t n = xs.size();
    for (size_t i = 1; i + 1 < n; ++i) {
        const double left = (ys[i] - ys[i - 1]) / kSampleStep;
        const double right = (ys[i + 1] - ys[i]) / kSampleStep;
        if (std::fabs(right - left) <= kSlopeChange)
            continue;
        // Where the straight pieces on either side meet (one sample further
        // out on each side, when there is one, to stay off the bend).
        const size_t l = i >= 2 ? i - 2 : i - 1, r = std::min(i + 2, n - 1);
        const double sl = (ys[l + 1] - ys[l]) / kSampleStep, sr = (ys[r] - ys[r - 1]) / kSampleStep;
        double bend = xs[i];
        if (std::fabs(sl - sr) > kSlopeChange) {
            const double meet = (ys[r] - ys[l] + sl * xs[l] - sr * xs[r]) / (sl - sr);
            if (meet > xs[i - 1] && meet < xs[i + 1])
                bend = meet;
        }
        if (bends.empty() || std::fabs(bends.back() - bend) > kSampleStep)
            bends.push_back(taxrules::roundCents(bend));
    }
}

} // namespace

std::vector<double> incomeBends(IndividualTaxData& person, double from, double to)
{
    std::vector<double> bends;
    const TaxData_T1New* t1 = person.GetT1();
    if (!t1)
        return bends;
    std::list<double> thresholds;
    person.GetIncomeThresholds(thresholds);
    bends.assign(thresholds.begin(), thresholds.end());
    bends.push_back(taxrules::federalConstant(taxrules::FedKey::BasicPersonalPhaseOutFrom));
    if (t1->GetAge() >= int(taxrules::federalConstant(taxrules::FedKey::AgeAmountAge)))
        bends.push_back(taxrules::federalConstant(taxrules::FedKey::AgeAmountThreshold));
    addProvincialBends(person, *t1, std::min(from, to), std::max(from, to), bends);
    return bends;
}
