#pragma once

#include <vector>

namespace taxrules {

// One band of a progressive rate schedule: `rate` applies to the part of
// taxable income above `from` and up to the next band's `from`. A table
// starts at 0 and is sorted by `from`.
struct TaxBracket {
    double from;
    double rate;
};

using BracketTable = std::vector<TaxBracket>;

// Tax on `income` by the table. Each full band below the income is rounded
// to the cent on its own, as the agency's rate charts carry the tax on each
// threshold as a cent amount, then the part in the top band is rounded and
// added. Income at or below 0 gives 0.
double taxOnIncome(const BracketTable& brackets, double income);

} // namespace taxrules
