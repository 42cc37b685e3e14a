#include "companion/rules/money.h"

#include <cmath>

namespace taxrules {

double roundCents(double amount)
{
    if (!std::isfinite(amount))
        return 0.0;
    // A product such as 1.005 * 100 lands on 100.49999...; the nudge of a
    // hundred-thousandth of a cent puts true half cents back on the half so
    // std::round (half away from zero) sees them as the forms do.
    const double cents = amount * 100.0;
    const double nudged = cents + (cents >= 0.0 ? 1e-5 : -1e-5);
    const double rounded = std::round(nudged) / 100.0;
    return rounded == 0.0 ? 0.0 : rounded; // no -0.00
}

} // namespace taxrules
