#pragma once

// Employee contributions to the pension plans and employment insurance
// that a year's earnings require (2024). Earnings are the year's totals over
// all slips (T4 box 26 for the pension plans, box 24 for EI); the results
// are what was due, to be compared with what the slips show withheld.
// The CPP figures take the months the person could contribute (from the
// month after the 18th birthday to the month of the 70th birthday or of
// death, less the months of a disability pension): the exemption, the
// earnings ceilings and the maxima are prorated by months / 12.
namespace taxrules {

struct PlanContributions {
    double first = 0.0;  // base and first additional contribution (5.95 % CPP, 6.4 % QPP)
    double second = 0.0; // second additional contribution (CPP2 / QPP2, 4 %)
};

// 5.95 % of pensionable earnings between 3,500 and 68,500 (at most
// 3,867.50), and 4 % of earnings between 68,500 and 73,200 (at most 188).
PlanContributions computeCpp(double pensionableEarnings, double months = 12.0);

// Same for a Quebec resident: 6.4 % (at most 4,160), and QPP2 at 4 %.
PlanContributions computeQpp(double pensionableEarnings, double months = 12.0);

// CPP due on self-employment earnings (both the employee's and the
// employer's share, 11.9 % and 8 %), once employment earnings have used
// their part of the exemption and of the maximum.
PlanContributions computeCppSelfEmployed(double employmentEarnings, double selfEmploymentEarnings,
                                         double months = 12.0);

// Same for a Quebec resident's QPP on self-employment (12.8 % and 8 %).
PlanContributions computeQppSelfEmployed(double employmentEarnings, double selfEmploymentEarnings,
                                         double months = 12.0);

// Part of a first contribution that is the base contribution, credited at
// line 30800 / 31000 (4.95/5.95 for CPP, 5.4/6.4 for QPP). The rest is the
// enhanced part, deducted at line 22215.
double basePensionPart(double firstContribution, bool quebec);

// EI premium due: 1.66 % (Quebec 1.32 %) of insurable earnings up to
// 63,200. Nothing is due when insurable earnings are 2,000 or less, so any
// premium withheld on them is refunded in full.
double computeEi(double insurableEarnings, bool quebec);

// Quebec parental insurance premium due: 0.494 % of earnings up to 94,000.
double computePpip(double insurableEarnings);

} // namespace taxrules
