#pragma once

// The figures of the benefit estimates shown on the return summary. A return
// for a tax year estimates the benefit year that starts in July of the year
// after it (a 2024 return: July 2025 to June 2026), so these are that
// year's figures. A later tax year replaces this table only; the formulas
// that use it stay.
struct BenefitFigures
{
    // Canada child benefit.
    double ccbPerChildUnder6;
    double ccbPerChild6To17;
    double ccbFirstThreshold;   // the reduction starts above this family income
    double ccbSecondThreshold;  // the steeper reduction starts above this one
    // Reduction rates below and above the second threshold, by the number of
    // children: 1, 2, 3, 4 or more.
    double ccbFirstRates[4];
    double ccbSecondRates[4];
    // Child disability benefit, per child, and the income above which it is
    // phased out (by the first rate for one child, the second for more).
    double ccbDisabilityPerChild;
    double ccbDisabilityThreshold;
    double ccbDisabilityRateOne;
    double ccbDisabilityRateMore;

    // GST/HST credit.
    double gstPerAdult;
    double gstPerChild;
    double gstSingleSupplement;
    double gstSupplementStart;  // phased in above this income ...
    double gstSupplementRate;   // ... at this rate
    double gstReductionStart;   // reduced above this family income ...
    double gstReductionRate;    // ... at this rate

    // The RRSP deduction limit of the next year: 18 % of earned income, at
    // most this.
    double rrspRate;
    double rrspLimit;
};

// The table of the benefit year a 2024 return estimates.
const BenefitFigures& benefitFigures();
