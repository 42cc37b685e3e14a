#pragma once

#include "companion/rules/provincialcalc.h"
#include "companion/rules/province.h"

#include <optional>

// A simple 2024 T1 return as plain records: what the person enters (or the
// slips carry) in, every computed line out. Amounts are dollars; each
// computed line is rounded to the cent as the forms are.
//
// How a caller fills FederalInput from a T1 and its slips:
//   - Each income field is the total of its line over all slips and forms
//     (employmentIncome = line 10100 = sum of T4 box 14, and so on).
//     Dividends are the ACTUAL amounts (T5 box 24 eligible, box 10 other);
//     the gross-up is computed here. Capital gains and losses are this
//     year's totals from Schedule 3, before the inclusion rate.
//   - Deduction fields are the amounts claimed on their lines, except
//     rrspContributions / rrspDeductionLimit, which give line 20800 as
//     their lesser.
//   - pensionableEarnings / insurableEarnings are the totals of T4 boxes 26
//     and 24 (ppipInsurableEarnings box 56); left empty, employmentIncome
//     (line 10100) is used.
//     pensionPlanWithheld is box 16 (or 17 in Quebec), secondPensionPlanWithheld
//     box 16A (17A), eiWithheld box 18, ppipWithheld box 55.
//   - taxDeducted is line 43700: the income tax boxes of every slip.
//   - The plan (CPP or QPP), the EI rate and the abatement follow the
//     province of residence on December 31.
namespace taxrules {

struct FederalInput {
    Province province = Province::None;
    int ageAtYearEnd = 0; // 2024 less the year of birth

    // Income (lines 10100 to 14600)
    double employmentIncome = 0.0;           // 10100
    double otherEmploymentIncome = 0.0;      // 10400
    double oasPension = 0.0;                 // 11300
    double cppQppBenefits = 0.0;             // 11400
    double otherPensions = 0.0;              // 11500
    double splitPensionIncome = 0.0;         // 11600
    double eiBenefits = 0.0;                 // 11900
    double eiBenefitsRepayable = 0.0;        // part of 11900 subject to the 30 % repayment
    double eligibleDividends = 0.0;          // actual amount
    double otherDividends = 0.0;             // actual amount
    double interest = 0.0;                   // 12100
    double rentalIncome = 0.0;               // 12600 (net, may be negative)
    double capitalGains = 0.0;               // Schedule 3 gains of the year
    double capitalLosses = 0.0;              // Schedule 3 losses of the year
    double rrspIncome = 0.0;                 // 12900
    double otherIncome = 0.0;                // 13000
    double selfEmploymentIncome = 0.0;       // 13500 to 14300, net (may be negative)
    double workersCompensation = 0.0;        // 14400
    double socialAssistance = 0.0;           // 14500
    double netFederalSupplements = 0.0;      // 14600

    // Deductions (lines 20700 to 23200)
    double rppContributions = 0.0;           // 20700
    double rrspContributions = 0.0;          // deductible contributions of the year
    double rrspDeductionLimit = 0.0;         // from the notice of assessment
    double splitPensionDeduction = 0.0;      // 21000
    double unionDues = 0.0;                  // 21200
    double childCareExpenses = 0.0;          // 21400
    double movingExpenses = 0.0;             // 21900
    double supportPaymentsDeductible = 0.0;  // 22000
    double carryingCharges = 0.0;            // 22100
    double otherDeductions = 0.0;            // 23200

    // Taxable income (lines 24400 to 25600)
    double netCapitalLossesOtherYears = 0.0; // 25300, at most line 12700
    double capitalGainsDeduction = 0.0;      // 25400

    // Credits
    bool hasSpouse = false;                  // married or common-law
    double spouseNetIncome = 0.0;
    bool hasEligibleDependant = false;       // only without a spouse
    double dependantNetIncome = 0.0;
    bool disabled = false;                   // approved T2201
    double homeBuyersAmount = 0.0;           // 31270, at most 10,000
    double eligiblePensionIncome = 0.0;      // 31400 base (e.g. RPP annuity; RRIF at 65+)
    double studentLoanInterest = 0.0;        // 31900
    double tuitionAvailable = 0.0;           // Schedule 11: this year's fees plus unused amounts
    double amountsTransferredFromSpouse = 0.0; // 32600, from Schedule 2
    double medicalExpenses = 0.0;            // self, spouse and children under 18
    double donations = 0.0;                  // Schedule 9 gifts of the year

    // Payroll
    std::optional<double> pensionableEarnings; // T4 box 26
    // Months the person could contribute to the pension plan: the CPP from
    // the month after the 18th birthday to the month of the 70th birthday
    // or of death, the QPP from the month after the 18th birthday; left
    // empty, 0 for a CPP contributor over 70 or anyone under 18, else 12.
    std::optional<double> pensionPlanMonths;
    std::optional<double> insurableEarnings;   // T4 box 24
    std::optional<double> ppipInsurableEarnings; // T4 box 56 (Quebec)
    double pensionPlanWithheld = 0.0;
    double secondPensionPlanWithheld = 0.0;
    double eiWithheld = 0.0;
    double ppipWithheld = 0.0;

    // Payments
    double taxDeducted = 0.0;                // 43700
    double instalments = 0.0;                // 47600

    bool quebecResident() const { return province == Province::QC; }
};

struct FederalResult {
    // Total income
    double line10100 = 0, line10400 = 0, line11300 = 0, line11400 = 0, line11500 = 0, line11600 = 0;
    double line11900 = 0;
    double line12000 = 0;  // taxable amount of all dividends
    double line12010 = 0;  // taxable amount of other dividends
    double line12100 = 0, line12600 = 0;
    double line12700 = 0;  // taxable capital gains
    double line12900 = 0, line13000 = 0;
    double line13500 = 0;  // net self-employment, lines 13500 to 14300 together
    double line14400 = 0, line14500 = 0, line14600 = 0, line14700 = 0;
    double line15000 = 0;

    // Net income
    double line20700 = 0, line20800 = 0, line21000 = 0, line21200 = 0, line21400 = 0;
    double line21900 = 0, line22000 = 0, line22100 = 0;
    double line22200 = 0;  // employer share of CPP on self-employment
    double line22215 = 0;  // enhanced CPP/QPP and CPP2/QPP2 contributions
    double line23200 = 0, line23300 = 0, line23400 = 0;
    double line23500 = 0;  // social benefits repayment
    double line23600 = 0;  // net income, never below 0

    // Taxable income
    double line25000 = 0, line25300 = 0, line25400 = 0, line25700 = 0;
    double line26000 = 0;

    // Non-refundable credits (Schedule 1, Part A)
    double line30000 = 0, line30100 = 0, line30300 = 0, line30400 = 0;
    double line30800 = 0;  // base CPP/QPP on employment
    double line31000 = 0;  // base CPP on self-employment
    double line31200 = 0;  // EI premiums
    double line31205 = 0;  // PPIP premiums
    double line31260 = 0, line31270 = 0, line31400 = 0, line31600 = 0, line31900 = 0;
    double line32300 = 0;  // tuition claimed
    double line32600 = 0;
    double line33099 = 0;  // medical expenses above the threshold
    double line33200 = 0;
    double line33500 = 0;
    double line33800 = 0;  // 15 % of line 33500
    double line34900 = 0;  // donation credit
    double line35000 = 0;

    // Federal tax
    double line40400 = 0;  // tax on taxable income
    double line40425 = 0;  // dividend tax credit
    double line42900 = 0;  // basic federal tax, never below 0
    double line42000 = 0;  // net federal tax

    // Balance
    double line42100 = 0;  // CPP on self-employment, both shares
    double line42200 = 0;  // social benefits repayment
    double line42800 = 0;  // provincial tax
    double line43500 = 0;  // total payable
    double line43700 = 0;  // tax deducted
    double line44000 = 0;  // refundable Quebec abatement
    double line44800 = 0;  // CPP overpayment
    double line45000 = 0;  // EI overpayment
    double line47600 = 0;  // instalments
    double line48200 = 0;  // total credits
    double line48400 = 0;  // refund
    double line48500 = 0;  // balance owing

    // Working figures
    double pensionPlanRequired = 0;        // first contribution due on employment
    double secondPensionPlanRequired = 0;  // CPP2 / QPP2 due on employment
    double eiRequired = 0;
    double cppSelfEmployed = 0;            // first contribution on self-employment, both shares
    double cpp2SelfEmployed = 0;
    double eiRepayment = 0;                // parts of line 23500
    double oasRepayment = 0;
    double tuitionCarriedForward = 0;
    double donationsCarriedForward = 0;
    ProvincialResult provincial;
};

// The whole return in the order of the form: income, deductions, taxable
// income, credits, federal tax, provincial tax (by `input.province`),
// payments and balance.
FederalResult computeFederal(const FederalInput& input);

// What the provincial calculation needs from a computed federal return.
ProvincialInput provincialInputFrom(const FederalResult& federal);

} // namespace taxrules
