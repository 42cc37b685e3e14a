#pragma once

#include <vector>

// A jurisdiction's tax brackets: each stair taxes the income up to its upper
// bound at its rate; the last stair has no upper bound.
struct STRUCT_TAX_STAIRS_JURISDICTION
{
    struct Stair
    {
        double upTo;  // upper bound of the bracket; <= 0 on the last stair
        double rate;
    };
    std::vector<Stair> stairs;

    // Tax on a taxable income.
    double taxOn(double taxableIncome) const;
    // Lowest rate (the credit rate).
    double lowestRate() const;
    // The part of the spouse's credits (workingValue) that the spouse's own
    // tax on spouseTaxableIncome does not need, and so may be transferred.
    double CalcAlgoForSpouseF260S2(double spouseTaxableIncome, double workingValue) const;

    // The federal brackets of 2024.
    static const STRUCT_TAX_STAIRS_JURISDICTION& federal2024();
};
