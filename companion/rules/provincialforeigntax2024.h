#pragma once

#include "companion/rules/province.h"

#include <vector>

// The provincial or territorial foreign tax credit (Form T2036), 2024, for
// the twelve jurisdictions whose tax is on the federal return.
namespace taxrules {

// What one country's federal foreign tax credit form (T2209) leaves for the
// province: the T2036 is worked country by country when tax was paid to more
// than one.
struct ForeignTaxLeft {
    // T2036 line 3: the non-business income tax paid to the country (after
    // what was deducted from income for it) less the federal non-business
    // credit for that country.
    double taxNotCredited = 0.0;
    // Net foreign non-business income, and net income as the T2209 adjusts
    // it (plus split income, less the deductions down to taxable income).
    double foreignIncome = 0.0;
    double netIncome = 0.0;
};

// Where the province's 428 takes the credit off its tax.
enum class ForeignTaxCreditPlace {
    // Right after the additional tax for minimum tax purposes, before any
    // tax reduction or low-income reduction of the form.
    BeforeReductions,
    // After the form's tax reductions (Ontario's tax reduction, Prince Edward
    // Island's low-income tax reduction), before Ontario's LIFT credit.
    AfterReductions,
};
ForeignTaxCreditPlace provincialForeignTaxCreditPlace(Province province);

// T2036 lines 3 to 5 for every country: the lesser of the tax the federal
// credit did not use and foreign income / net income of the tax otherwise
// payable (the 428's tax on the line above the credit), summed over the
// countries and never more than that tax.
double provincialForeignTaxCredit(const std::vector<ForeignTaxLeft>& countries, double taxOtherwisePayable);

} // namespace taxrules
