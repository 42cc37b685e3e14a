#pragma once

// Ontario's own programs on top of its rate schedule (2024), as data.
namespace taxrules {

// Surtax: 20 % of Ontario tax above 5,554 plus 36 % of Ontario tax above
// 7,108. `ontarioTax` is the tax after non-refundable credits.
double ontarioSurtax(double ontarioTax);

// Ontario tax reduction: twice the basic reduction of 286 plus 529 for each
// dependent child under 19 and each dependant with a disability, less the
// Ontario tax (surtax included), never below 0 and never more than that tax.
// Source: ON428 2024, Part C (the Ontario tax reduction).
double ontarioTaxReduction(double ontarioTaxWithSurtax, int dependants = 0);

// Low-income individuals and families tax (LIFT) credit: the lesser of 875
// and 5.05 % of employment income, less 5 % of the greater of net income
// above 32,500 and family net income above 65,000; never below 0. The
// caller limits it to the Ontario tax it reduces. Source: ontario.ca,
// "Low-Income Workers Tax Credit" (2022 onward), Schedule ON428-A.
double ontarioLiftCredit(double employmentIncome, double netIncome, double familyNetIncome);

// Ontario health premium on taxable income (line 26000): a base amount plus
// a share of the income above the band's start, capped per band.
double ontarioHealthPremium(double taxableIncome);

} // namespace taxrules
