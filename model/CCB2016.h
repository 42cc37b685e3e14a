#pragma once

#include <QDate>
#include <vector>

// Estimated Canada child benefit for the benefit year the return leads to:
// under6 children aged 0 to 5, from6to17 children aged 6 to 17, disabled
// infirm dependants under 18, and the family's adjusted net income. The
// province is accepted for the callers' sake and not used.
double CalculateCCB2016(int province, int under6, int from6to17, int disabled, double familyIncome);

// One child of the estimate: the birth date, whether the child is counted
// for the benefit itself (a child of the family) and whether for the child
// disability benefit (infirm).
struct ChildForBenefit
{
    QDate birth;
    bool child = true;
    bool disabled = false;
};

// The estimate over the benefit year, July 2025 to June 2026, month by
// month: each month pays a twelfth of the yearly amount for the children
// the family has at the beginning of that month, at the rate of their age
// then (under 6; 6 to 17; none from 18). A child who turns 6 during the
// year is paid the lower rate from the month after the birthday, or from
// the birthday's month when it falls on the first.
double estimateChildBenefitByMonth(const std::vector<ChildForBenefit>& children, double familyIncome);
