#include "companion/rules/provincialcalc.h"

#include "companion/rules/britishcolumbia2024.h"
#include "companion/rules/federalcredits.h"
#include "companion/rules/money.h"
#include "companion/rules/ontario2024.h"
#include "companion/rules/provincialtables2024.h"

#include <algorithm>

namespace taxrules {

ProvincialResult computeProvincial(Province province, const ProvincialInput& input)
{
    ProvincialResult r;
    const ProvinceTable* table = provinceTable2024(province);
    if (!table)
        return r;
    r.computed = true;

    r.taxOnTaxableIncome = taxOnIncome(table->brackets, input.taxableIncome);
    r.basicPersonalAmount = table->basicPersonalAmountAsFederal ? basicPersonalAmount(input.netIncome)
                                                                : table->basicPersonalAmount;
    r.creditAmounts = roundCents(r.basicPersonalAmount + positivePart(input.pensionPlanBaseAmount)
                                 + positivePart(input.eiPremiums));
    r.creditRate = table->lowestRate();
    r.nonRefundableCredits = roundCents(r.creditAmounts * r.creditRate);
    r.taxAfterCredits = roundCents(positivePart(r.taxOnTaxableIncome - r.nonRefundableCredits));

    double tax = r.taxAfterCredits;
    if (province == Province::ON) {
        r.surtax = ontarioSurtax(tax);
        tax = roundCents(tax + r.surtax);
        r.taxReduction = ontarioTaxReduction(tax);
        tax = roundCents(tax - r.taxReduction);
        r.healthPremium = ontarioHealthPremium(input.taxableIncome);
        tax = roundCents(tax + r.healthPremium);
    } else if (province == Province::BC) {
        r.taxReduction = std::min(tax, bcTaxReduction(input.netIncome));
        tax = roundCents(tax - r.taxReduction);
    }
    r.provincialTax = tax;
    return r;
}

} // namespace taxrules
