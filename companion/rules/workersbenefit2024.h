#pragma once

// Schedule 6, the Canada workers benefit (2024), in each of its four sets of
// amounts: the general one, and those Quebec, Alberta and Nunavut agreed
// with the federal government for their residents. Each set has a basic
// amount and a disability supplement; each is phased in on working income
// above a floor, up to a maximum, and reduced by a share of adjusted family
// net income above a threshold.
#include "companion/rules/province.h"

namespace taxrules {

// Who the benefit is for. Outside Quebec a family is a person with an
// eligible spouse or an eligible dependant; Quebec's amounts tell the four
// apart.
struct WorkersBenefitHousehold {
    bool eligibleSpouse = false;
    bool eligibleDependant = false;
    bool family() const { return eligibleSpouse || eligibleDependant; }
};

struct WorkersBenefitInput {
    Province province = Province::None;
    WorkersBenefitHousehold household;
    double familyWorkingIncome = 0.0;   // the basic amount's phase-in
    double supplementWorkingIncome = 0.0; // the supplement's phase-in
    double adjustedFamilyNetIncome = 0.0;
    bool disabilitySupplement = false;
    // Both spouses eligible for the disability amount: each reduces the
    // supplement at half the rate.
    bool bothSpousesDisabled = false;
};

struct WorkersBenefit {
    double basic = 0.0;      // before advances
    double supplement = 0.0; // before advances
};

WorkersBenefit canadaWorkersBenefit(const WorkersBenefitInput& in);

// Whether a return may hold a benefit: working income past the floor the
// phase-in starts from (3,000 outside Quebec, Alberta and Nunavut) and
// adjusted family net income below the end point where the amount is nil;
// with the disability supplement, the supplement's floor and end point.
bool workersBenefitMayApply(Province province, WorkersBenefitHousehold household, double workingIncome,
                            double adjustedFamilyNetIncome, bool disabilitySupplement);

// The part of the lower working income of a couple that is left out of
// adjusted family net income (the secondary earner exemption): at most 14,000.
double workersBenefitSecondaryEarnerExemption(double lowerWorkingIncome);

} // namespace taxrules
