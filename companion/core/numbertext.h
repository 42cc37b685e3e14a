#pragma once

#include <string>

// Number text to double, strictly: blanks around the number are allowed, then
// an optional sign, digits with an optional decimal point and fraction, and an
// optional exponent. Commas are taken as thousands separators only where they
// stand in proper groups ("1,234.50" is 1234.5, "1,5" is not a number).
// Anything that is not a whole number text (empty, "12abc", "1,5", "nan",
// "inf") gives 0. The decimal point is always '.', whatever the locale.
double myStringToDouble(const std::string& text);

// The value with the given number of decimals (0 to 10; others are clamped),
// '.' as the decimal point, no thousands separators, and no "-0.00". A value
// that is not finite gives 0 in the same form.
std::string myDoubleToString(double value, int decimals = 2);
