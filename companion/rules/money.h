#pragma once

// Amounts in the tax rules are dollars held in doubles. Every line of a
// return is rounded to the cent as soon as it is computed, the way the
// agency's forms are filled in: half a cent rounds away from zero
// (12.345 -> 12.35, -12.345 -> -12.35).
namespace taxrules {

double roundCents(double amount);

// The amount when it is above zero, otherwise 0 ("if negative, enter 0").
inline double positivePart(double amount) { return amount > 0.0 ? amount : 0.0; }

} // namespace taxrules
