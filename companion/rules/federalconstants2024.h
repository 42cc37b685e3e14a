#pragma once

#include "companion/rules/brackets.h"

#include <vector>

namespace taxrules {

// Every federal figure of the 2024 rules, by role. The table behind
// `federalConstant` holds, for each key, where it is used (a T1 or
// Schedule 1 line, or the program it belongs to) and its value, so a
// new tax year is a new table, not new code.
enum class FedKey {
    // Schedule 1, Part B: tax on taxable income (line 26000)
    Rate1, Bracket2From, Rate2, Bracket3From, Rate3, Bracket4From, Rate4, Bracket5From, Rate5,
    // Non-refundable credits (Schedule 1, Part A)
    CreditRate,                    // 33800
    BasicPersonalAmountMax,        // 30000
    BasicPersonalAmountMin,        // 30000
    BasicPersonalPhaseOutFrom,     // 30000, on net income 23600
    BasicPersonalPhaseOutTo,       // 30000
    AgeAmountMax,                  // 30100
    AgeAmountThreshold,            // 30100, on net income 23600
    AgeAmountReductionRate,        // 30100
    AgeAmountAge,                  // 30100, age at the end of the year
    CanadaEmploymentAmount,        // 31260
    HomeBuyersAmount,              // 31270
    AdoptionMaximumPerChild,       // 31300, for each child adopted
    PensionAmountMax,              // 31400
    DisabilityAmount,              // 31600
    MedicalThresholdRate,          // 33099, of net income
    MedicalThresholdMax,           // 33099
    DonationFirstTier,             // 34900 (Schedule 9)
    DonationLowRate,               // 34900
    DonationMidRate,               // 34900
    DonationTopRate,               // 34900
    DonationTopIncomeFrom,         // 34900, on taxable income 26000
    DonationNetIncomeLimit,        // 34900, share of net income 23600
    // Canada Pension Plan (Schedule 8, T4 boxes 16, 16A, 26)
    CppMaxPensionableEarnings,
    CppBasicExemption,
    CppEmployeeRate,
    CppBaseRate,                   // share of the employee rate credited at 30800
    CppMaxContribution,
    Cpp2Ceiling,
    Cpp2Rate,
    Cpp2MaxContribution,
    // Quebec Pension Plan (same earnings limits as the CPP in 2024)
    QppEmployeeRate,
    QppBaseRate,
    QppMaxContribution,
    // Employment insurance (T4 boxes 18, 24)
    EiMaxInsurableEarnings,
    EiRate,
    EiMaxPremium,
    EiRateQuebec,
    EiMaxPremiumQuebec,
    EiRefundAllAtOrBelow,          // 45000: premiums on insurable earnings this low are all refunded
    // Quebec parental insurance plan (credit line 31205)
    PpipRate,
    PpipMaxInsurableEarnings,
    PpipMaxPremium,
    // Dividends and capital gains
    EligibleDividendGrossUp,       // 12000
    OtherDividendGrossUp,          // 12010
    EligibleDividendCreditRate,    // 40425, of the taxable amount
    OtherDividendCreditRate,       // 40425, of the taxable amount
    CapitalGainsInclusionRate,     // 12700
    // Social benefits repayment (23500 / 42200)
    OasRepaymentThreshold,
    OasRepaymentRate,
    EiRepaymentThreshold,
    EiRepaymentRate,
    // Refundable Quebec abatement (44000), of basic federal tax 42900
    QuebecAbatementRate,
    Count
};

struct FederalConstant {
    FedKey key;
    const char* usedAt; // line number or program
    const char* what;
    double value;
};

// The whole 2024 table, in FedKey order.
const std::vector<FederalConstant>& federalConstants2024();

double federalConstant(FedKey key);

// Federal rate schedule built from the table: 15 % from 0, 20.5 % from
// 55,867, 26 % from 111,733, 29 % from 173,205, 33 % from 246,752.
const BracketTable& federalBrackets2024();

} // namespace taxrules
