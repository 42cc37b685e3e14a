#include "model/schedule6hint.h"

namespace {
constexpr S6Boundary kCommon{1150, 1150, 19750, 28783, 3000, 3000, 16667, 25700};
} // namespace

const S6Boundary s_S6BoundaryIncome[PROVINCE_COUNT] = {
    {0, 0, 0, 0, 0, 0, 0, 0},                                  // none
    {910, 910, 20817, 28183, 2760, 2760, 17733, 25100},        // Alberta
    {2295, 2295, 21294, 29264, 4750, 4750, 18265, 26235},      // British Columbia
    kCommon,                                                   // Manitoba
    kCommon,                                                   // New Brunswick
    kCommon,                                                   // Newfoundland and Labrador
    kCommon,                                                   // Nova Scotia
    kCommon,                                                   // Northwest Territories
    {4800, 4800, 36433, 41933, 6000, 6000, 34500, 40000},      // Nunavut
    kCommon,                                                   // Ontario
    kCommon,                                                   // Prince Edward Island
    kCommon,                                                   // Quebec
    kCommon,                                                   // Saskatchewan
    kCommon,                                                   // Yukon
};

const S6Boundary& s6BoundaryFor(ENUMTYPE_PROVINCE province)
{
    if (province < 0 || province >= PROVINCE_COUNT)
        return s_S6BoundaryIncome[0];
    return s_S6BoundaryIncome[province];
}
