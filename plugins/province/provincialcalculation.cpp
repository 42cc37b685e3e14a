#include "provincialcalculation.h"

#include "companion/forms/provincialt1amounts.h"
#include "companion/rules/money.h"
#include "companion/rules/provincialtables2024.h"

using namespace ProvincialT1Amounts;

taxrules::ProvincialResult computeProvincialFromT1(ENUMTYPE_PROVINCE province, const CTaxData_Form* t1)
{
    // The T1 has settled these lines by the time the provincial steps run;
    // they are what the provincial form carries over from the federal one.
    taxrules::ProvincialInput in;
    in.taxableIncome = lineAmount(t1, kTaxableIncomeField);
    in.netIncome = lineAmount(t1, kNetIncomeField);
    in.pensionPlanBaseAmount = taxrules::roundCents(lineAmount(t1, kBasePensionEmploymentField)
                                                    + lineAmount(t1, kBasePensionSelfEmployedField));
    in.eiPremiums = lineAmount(t1, kEiPremiumsField);
    return taxrules::computeProvincial(taxrules::provinceFromNumber(province), in);
}

std::list<double> provincialThresholds(ENUMTYPE_PROVINCE province)
{
    std::list<double> thresholds;
    for (const taxrules::TaxBracket& band : taxrules::provincialBrackets2024(taxrules::provinceFromNumber(province)))
        if (band.from > 0.0)
            thresholds.push_back(band.from);
    return thresholds;
}
