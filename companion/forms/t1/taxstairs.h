#pragma once

#include "companion/rules/brackets.h"

// A jurisdiction's rate schedule as the return's forms use it; the rates
// and thresholds come from the year's rules table.
struct STRUCT_TAX_STAIRS_JURISDICTION
{
    const taxrules::BracketTable& brackets;

    // Tax on a taxable income.
    double taxOn(double taxableIncome) const { return taxrules::taxOnIncome(brackets, taxableIncome); }
    // Lowest rate (the credit rate).
    double lowestRate() const { return brackets.empty() ? 0.0 : brackets.front().rate; }
    // Income thresholds where a higher rate starts.
    std::vector<double> thresholds() const;
    // The part of the spouse's credits (workingValue) that the spouse's own
    // tax on spouseTaxableIncome does not need, and so may be transferred.
    double CalcAlgoForSpouseF260S2(double spouseTaxableIncome, double workingValue) const;

    // The federal schedule of 2024.
    static const STRUCT_TAX_STAIRS_JURISDICTION& federal2024();
};
