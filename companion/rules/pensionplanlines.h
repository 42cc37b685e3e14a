#pragma once

// The T1 and Schedule 8 lines that the CPP contributions of a year give a
// resident of a province other than Quebec (2024): what was both withheld
// and due is credited or deducted, what was withheld beyond it comes back,
// and self-employment pays both shares.
namespace taxrules {

struct CppLines {
    double line30800 = 0.0; // base contributions through employment (credit)
    double line31000 = 0.0; // base part of the employee share on self-employment (credit)
    double line22200 = 0.0; // employer share and enhanced employee share on self-employment (deduction)
    double line22215 = 0.0; // enhanced and second contributions (deduction)
    double line42100 = 0.0; // contributions payable on self-employment, both shares
    double line44800 = 0.0; // overpayment
    double requiredFirst = 0.0;  // first contribution due on employment
    double requiredSecond = 0.0; // CPP2 due on employment
};

// `pensionableEarnings` is T4 box 26 over all slips, `withheldFirst` box 16,
// `withheldSecond` box 16A, `selfEmploymentEarnings` the net self-employment
// income (ignored when not above 0).
// `months` are the months the person could contribute (12 for a whole year).
CppLines cppLines(double pensionableEarnings, double withheldFirst, double withheldSecond,
                  double selfEmploymentEarnings, double months = 12.0);

// Employment earnings under the QPP (a Quebec employer) and under the CPP
// in one year, or a Quebec resident's QPP (RC381): what the total earnings
// require is shared between the plans by their earnings; the base part of
// each plan's share is credited at 30800 (4.95/5.95 CPP, 5.4/6.4 QPP) and
// the rest, with the second contributions, deducted at 22215. An
// overpayment comes back at 44800, except to a Quebec resident, who claims
// it on the Quebec return. A Quebec resident's QPP on self-employment
// (both shares, after the employment earnings) is paid with the Quebec
// return; the federal return deducts the employer's share and the enhanced
// part of the employee's share (22200) and credits its base part (31000),
// with nothing payable at 42100.
CppLines interprovincialPlanLines(double qppEarnings, double cppEarnings, double withheldCpp, double withheldQpp,
                                  double withheldSecond, bool quebecResident, double selfEmploymentEarnings = 0.0,
                                  double months = 12.0);

} // namespace taxrules
