#include "companion/rules/money.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace taxrules {

namespace {

constexpr double kPowersOfTen[] = {1.0, 10.0, 100.0, 1000.0, 10000.0, 100000.0, 1000000.0};

int clampDecimals(int decimals)
{
    return std::min(std::max(decimals, 0), 6);
}

// Beyond this many units a double holds only whole numbers: nothing to round.
constexpr double kWholeOnlyAbove = 4503599627370496.0; // 2^52

// std::round for |x| below 2^52 + 1, without the library call: the cut
// toward zero is exact there, so is the fraction it leaves, and a fraction
// of half or more goes one further out. A zero comes back as +0, which
// the callers make of any zero anyway.
double halfAwayFromZero(double x)
{
    const double cut = double(std::int64_t(x));
    const double fraction = x - cut;
    if (fraction >= 0.5)
        return cut + 1.0;
    if (fraction <= -0.5)
        return cut - 1.0;
    return cut;
}

} // namespace

double roundAmount(double amount, int decimals)
{
    // Most money fields are empty: zero (either sign) rounds to +0 at once.
    if (amount == 0.0)
        return 0.0;
    if (!std::isfinite(amount))
        return 0.0;
    const double scale = kPowersOfTen[clampDecimals(decimals)];
    const double units = amount * scale;
    if (std::fabs(units) >= kWholeOnlyAbove)
        return amount;
    // Most amounts a calculation stores are whole units already (a stored
    // amount is rounded on every pass): such an amount is its own rounding,
    // since the nudge below never reaches half a unit. The test is exact: the
    // product is a whole number and gives back the very same amount.
    const double whole = double(std::int64_t(units));
    if (whole == units && whole / scale == amount)
        return amount;
    // The amount and the product each carry up to half a unit in the last
    // place of error, so a true half (1.005, 9227.315) may arrive about one
    // unit in the last place below it. The nudge covers four of them at any
    // magnitude (and never less than a hundred-thousandth of a unit): far
    // below anything a real calculation leaves short of a half, and well
    // under a tenth of a unit (beyond a trillion dollars, where a double
    // barely holds cents, it stops at a twentieth).
    constexpr double kFourLastPlaces = 4.0 * 2.220446049250313e-16; // 4 x 2^-52, relative
    const double tolerance = std::max(1e-5, std::min(std::fabs(units) * kFourLastPlaces, 0.05));
    const double nudged = units + (units >= 0.0 ? tolerance : -tolerance);
    const double rounded = halfAwayFromZero(nudged) / scale;
    return rounded == 0.0 ? 0.0 : rounded; // no -0
}

std::string formatAmount(double amount, int decimals)
{
    decimals = clampDecimals(decimals);
    const double scale = kPowersOfTen[decimals];
    const double units = std::round(roundAmount(amount, decimals) * scale);
    if (std::fabs(units) >= 9.0e18) {
        // Out of any integer's reach (and of any tax return's): print the
        // whole part as the double has it ("%.0f" has no decimal point to
        // depend on the locale).
        char text[400];
        std::snprintf(text, sizeof text, "%.0f", amount);
        return text;
    }
    const bool negative = units < 0.0;
    const std::uint64_t magnitude = static_cast<std::uint64_t>(std::llround(std::fabs(units)));
    std::string digits = std::to_string(magnitude);
    if (decimals > 0) {
        if (digits.size() <= size_t(decimals))
            digits.insert(0, size_t(decimals) + 1 - digits.size(), '0');
        digits.insert(digits.size() - size_t(decimals), 1, '.');
    }
    // The rounding never gives -0, so a minus sign always has digits behind it.
    return negative ? "-" + digits : digits;
}

std::string formatAmountGrouped(double amount, int decimals)
{
    std::string text = formatAmount(amount, decimals);
    const size_t start = text.compare(0, 1, "-") == 0 ? 1 : 0;
    size_t end = text.find('.');
    if (end == std::string::npos)
        end = text.size();
    // Only a plain number of digits is grouped (not an out-of-reach value
    // printed by "%.0f" with an exponent or the like).
    for (size_t i = start; i < end; ++i)
        if (text[i] < '0' || text[i] > '9')
            return text;
    for (size_t at = end; at > start + 3; at -= 3)
        text.insert(at - 3, 1, ',');
    return text;
}

} // namespace taxrules
