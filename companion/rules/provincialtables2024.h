#pragma once

#include "companion/rules/brackets.h"
#include "companion/rules/province.h"

namespace taxrules {

// The 2024 rate schedule and basic personal amount of one province or
// territory. Its lowest rate is also the rate of its non-refundable credits.
struct ProvinceTable {
    Province province;
    const char* name;
    BracketTable brackets;
    double basicPersonalAmount;
    // Yukon's basic personal amount is the federal one, with the same
    // reduction at high net income; `basicPersonalAmount` is then unused.
    bool basicPersonalAmountAsFederal;

    double lowestRate() const { return brackets.empty() ? 0.0 : brackets.front().rate; }
};

// The table of a province that levies its tax on the federal return; null
// for Quebec (its tax is on its own return) and for None.
const ProvinceTable* provinceTable2024(Province province);

// Bracket thresholds and rates of a province (empty for Quebec and None),
// for the plug-in's GetIncomeThresholds.
const BracketTable& provincialBrackets2024(Province province);

} // namespace taxrules
