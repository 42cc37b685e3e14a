#pragma once

#include <string>

// Amounts in the tax rules are dollars held in doubles, and every amount the
// program stores is a whole number of cents. This header is the one owner of
// that rule: the rounding, the text of an amount and the test of whether an
// amount is there at all. Pages, summaries, status lines and every exported
// file go through these, so an amount reads the same cent everywhere.
namespace taxrules {

// To the given number of decimals (0 to 6; others are clamped), half a unit
// away from zero, the way the agency's forms are filled in: 0 gives whole
// dollars, 2 cents (below).
double roundAmount(double amount, int decimals);

// To the cent, half a cent away from zero (1.005 -> 1.01, 2.675 -> 2.68,
// -0.005 -> -0.01). Products such as 1.005 * 100 land a hair below the half
// in binary; the rounding allows for that at every magnitude. Never gives -0;
// a value that is not finite gives 0. Most amounts a calculation rounds are
// empty: zero (either sign) gives +0 here without a call into the library.
inline double roundCents(double amount)
{
    return amount == 0.0 ? 0.0 : roundAmount(amount, 2);
}

// The text of an amount: rounded with roundAmount, then '.' as the decimal
// point, no thousands separators, never "-0.00", whatever the locale.
// formatAmount(1.005) is "1.01", formatAmount(1234.5, 0) is "1235".
std::string formatAmount(double amount, int decimals = 2);

// The same text with ',' between groups of three digits of the whole part,
// for amounts a person reads on screen: formatAmountGrouped(1234567.5) is
// "1,234,567.50". Files and exchanges keep formatAmount's plain form.
std::string formatAmountGrouped(double amount, int decimals = 2);

// Amounts smaller than a cent in magnitude count as absent: a line holding
// less is treated as blank by every test of "is there an amount".
constexpr double kAbsentBelow = 0.009;

// There is an amount, of either sign.
inline bool isPresentAmount(double amount) { return amount >= kAbsentBelow || amount <= -kAbsentBelow; }
// There is an amount above zero ("more than" for a difference a - b).
inline bool isPositiveAmount(double amount) { return amount >= kAbsentBelow; }
// There is an amount below zero.
inline bool isNegativeAmount(double amount) { return amount <= -kAbsentBelow; }

// The amount when it is above zero, otherwise 0 ("if negative, enter 0").
inline double positivePart(double amount) { return amount > 0.0 ? amount : 0.0; }

} // namespace taxrules
