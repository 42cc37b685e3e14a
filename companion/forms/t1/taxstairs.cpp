#include "companion/forms/t1/taxstairs.h"

#include <algorithm>

double STRUCT_TAX_STAIRS_JURISDICTION::taxOn(double taxableIncome) const
{
    double tax = 0;
    double lower = 0;
    for (const Stair& stair : stairs) {
        if (taxableIncome <= lower)
            break;
        const bool last = stair.upTo <= 0;
        const double top = last ? taxableIncome : std::min(taxableIncome, stair.upTo);
        tax += (top - lower) * stair.rate;
        if (last)
            break;
        lower = stair.upTo;
    }
    return tax;
}

double STRUCT_TAX_STAIRS_JURISDICTION::lowestRate() const
{
    return stairs.empty() ? 0.0 : stairs.front().rate;
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
    static const STRUCT_TAX_STAIRS_JURISDICTION stairs{{
        {55867, 0.15},
        {111733, 0.205},
        {173205, 0.26},
        {246752, 0.29},
        {0, 0.33},
    }};
    return stairs;
}
