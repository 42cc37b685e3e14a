#include "model/BenefitFigures.h"

namespace {

// July 2025 to June 2026.
constexpr BenefitFigures kJuly2025ToJune2026{
    7997.0,  // per child under 6
    6748.0,  // per child aged 6 to 17
    37487.0,
    81222.0,
    {0.07, 0.135, 0.19, 0.23},
    {0.032, 0.057, 0.08, 0.095},
    3411.0,  // child disability benefit
    81222.0,
    0.032,
    0.057,

    349.0,   // per adult
    184.0,   // per child
    184.0,   // single supplement
    11337.0,
    0.02,
    45521.0,
    0.05,

    0.18,
    32490.0,
};

} // namespace

const BenefitFigures& benefitFigures() { return kJuly2025ToJune2026; }
