#include "companion/rules/brackets.h"

#include "companion/rules/money.h"

namespace taxrules {

double taxOnIncome(const BracketTable& brackets, double income)
{
    double tax = 0.0;
    for (std::size_t i = 0; i < brackets.size(); ++i) {
        const double from = brackets[i].from;
        if (income <= from)
            break;
        const bool last = i + 1 == brackets.size();
        const double to = last ? income : brackets[i + 1].from;
        const double top = income < to ? income : to;
        tax += roundCents((top - from) * brackets[i].rate);
    }
    return roundCents(tax);
}

} // namespace taxrules
