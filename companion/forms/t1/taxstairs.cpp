#include "companion/forms/t1/taxstairs.h"

#include <algorithm>

#include "companion/rules/federalconstants2024.h"

std::vector<double> STRUCT_TAX_STAIRS_JURISDICTION::thresholds() const
{
    std::vector<double> result;
    for (const taxrules::TaxBracket& bracket : brackets)
        if (bracket.from > 0)
            result.push_back(bracket.from);
    return result;
}

double STRUCT_TAX_STAIRS_JURISDICTION::CalcAlgoForSpouseF260S2(double spouseTaxableIncome, double workingValue) const
{
    const double rate = lowestRate();
    if (rate <= 0)
        return 0;
    // Credits the spouse needs to bring their own tax to zero.
    const double needed = taxOn(std::max(0.0, spouseTaxableIncome)) / rate;
    return std::max(0.0, workingValue - needed);
}

const STRUCT_TAX_STAIRS_JURISDICTION& STRUCT_TAX_STAIRS_JURISDICTION::federal2024()
{
    static const STRUCT_TAX_STAIRS_JURISDICTION stairs{taxrules::federalBrackets2024()};
    return stairs;
}
