#pragma once

#include "companion/rules/province.h"

// Provincial or territorial tax of a return (the 428 form), 2024, for the
// twelve jurisdictions whose tax is on the federal return.
//
// Mapping from the T1:
//   taxableIncome          <- line 26000
//   netIncome              <- line 23600
//   pensionPlanBaseAmount  <- lines 30800 + 31000 (base CPP/QPP contributions)
//   eiPremiums             <- line 31200
namespace taxrules {

struct ProvincialInput {
    double taxableIncome = 0.0;
    double netIncome = 0.0;
    double pensionPlanBaseAmount = 0.0;
    double eiPremiums = 0.0;
};

struct ProvincialResult {
    bool computed = false;            // false for Quebec and for no province: every amount is 0
    double taxOnTaxableIncome = 0.0;  // by the province's rate schedule
    double basicPersonalAmount = 0.0;
    double creditAmounts = 0.0;       // basic personal amount + pension plan + EI
    double creditRate = 0.0;          // the lowest rate of the schedule
    double nonRefundableCredits = 0.0;
    double taxAfterCredits = 0.0;     // never below 0
    double surtax = 0.0;              // Ontario
    double taxReduction = 0.0;        // Ontario or British Columbia
    double healthPremium = 0.0;       // Ontario
    double provincialTax = 0.0;       // T1 line 42800
};

// Quebec residents and people with no province get an all-zero result with
// `computed` false: Quebec tax is on the Quebec return, and non-residents
// are outside these rules.
ProvincialResult computeProvincial(Province province, const ProvincialInput& input);

} // namespace taxrules
