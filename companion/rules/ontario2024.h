#pragma once

// Ontario's own programs on top of its rate schedule (2024), as data.
namespace taxrules {

// Surtax: 20 % of Ontario tax above 5,554 plus 36 % of Ontario tax above
// 7,108. `ontarioTax` is the tax after non-refundable credits.
double ontarioSurtax(double ontarioTax);

// Ontario tax reduction: twice the basic reduction of 286, less the Ontario
// tax (surtax included), never below 0 and never more than that tax.
// The additional reduction for dependent children and dependants with a
// disability is not computed.
double ontarioTaxReduction(double ontarioTaxWithSurtax);

// Ontario health premium on taxable income (line 26000): a base amount plus
// a share of the income above the band's start, capped per band.
double ontarioHealthPremium(double taxableIncome);

} // namespace taxrules
