#include "model/GSTCredit.h"

#include <algorithm>

#include "model/BenefitFigures.h"

double CalculateGSTCredit(double income, bool withSpouse, double spouseIncome, bool singleWithDependant,
                          int children)
{
    const BenefitFigures& f = benefitFigures();
    double base = 0.0;
    double supplement = 0.0;
    if (withSpouse) {
        base = 2 * f.gstPerAdult + f.gstPerChild * children;
    } else {
        if (singleWithDependant) {
            children = std::max(children, 0);
            base = 2 * f.gstPerAdult + f.gstPerChild * children;
        } else {
            base = f.gstPerAdult;
        }
        // A single parent gets the whole supplement, whatever the income.
        if (singleWithDependant || children > 0)
            supplement = f.gstSingleSupplement;
        else if (income >= f.gstSupplementStart)
            supplement = std::min(f.gstSingleSupplement, f.gstSupplementRate * (income - f.gstSupplementStart));
    }
    double credit = base + supplement;
    const double excess = income + spouseIncome - f.gstReductionStart;
    if (excess >= 0.0)
        credit -= f.gstReductionRate * excess;
    return std::max(0.0, credit);
}
