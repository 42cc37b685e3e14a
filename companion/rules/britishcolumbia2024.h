#pragma once

// British Columbia's tax reduction (2024).
namespace taxrules {

// 547 less 3.56 % of net income (line 23600) above 24,338, never below 0.
// The caller limits it to the BC tax it reduces.
double bcTaxReduction(double netIncome);

} // namespace taxrules
