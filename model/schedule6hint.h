#pragma once

#include "companion/forms/taxtypes.h"

// Income bounds of the Schedule 6 hint, one row per province index: minimum
// working income and maximum adjusted net income, single and family, first
// for a person who is disabled, then for one who is not.
struct S6Boundary
{
    double disabledSingleMin, disabledFamilyMin, disabledSingleMax, disabledFamilyMax;
    double singleMin, familyMin, singleMax, familyMax;
};

extern const S6Boundary s_S6BoundaryIncome[PROVINCE_COUNT];

// The row of a province; row 0 (all zero) for an index outside the table.
const S6Boundary& s6BoundaryFor(ENUMTYPE_PROVINCE province);
