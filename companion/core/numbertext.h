#pragma once

#include <string>

#include <QLocale>
#include <QString>

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

// An amount as a person types it, strictly. Accepted: blanks around, an
// optional sign, an optional dollar sign (before the number, or after it as
// French writing puts it), digits with the locale's thousands separator in
// proper groups of three, and the locale's decimal separator with a fraction.
// When the locale's own reading fails, the plain form ("1,234.50") is tried,
// so a text the program wrote itself always reads back. Letters, exponents,
// misplaced separators and anything else make the text refused (false, value
// untouched); nothing is stripped. An empty text is a blank amount: true and 0.
// Thus "1,5" is refused where ',' groups thousands and is 1.5 where it is the
// decimal separator; it is never 15.
bool parseAmountText(const QString& text, double* value, const QLocale& locale = QLocale());
