#pragma once

// Estimated GST/HST credit for the benefit year the return leads to.
// withSpouse: the credit of a couple (spouseIncome is the spouse's adjusted
// net income); singleWithDependant: a person without spouse who has a
// qualified dependant, who gets the adult amount for the first dependant and
// children counts the others; otherwise children counts every child.
double CalculateGSTCredit(double income, bool withSpouse, double spouseIncome, bool singleWithDependant,
                          int children);
