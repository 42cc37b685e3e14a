#include "companion/rules/provincialforeigntax2024.h"

#include "companion/rules/money.h"

#include <algorithm>

namespace taxrules {

// Each 428 takes the credit (from Form T2036) off the tax on the line above
// it, which is therefore the "provincial or territorial tax otherwise
// payable" of the T2036's line 4. On the 2023 and 2024 forms:
//   AB428 line 62 after line 61 (tax after the dividend credit and the
//     additional tax for minimum tax purposes), before the political
//     contributions credit;
//   BC428 line 71 after line 70, before the BC tax reduction;
//   SK428 line 69 after line 68, before the political contributions credit;
//   NL428 line 73 after line 72, before the political contributions credit
//     and the low-income tax reduction of Part D;
//   NS428 line 59, before the low-income tax reduction (line 67 starts from
//     line 60);
//   NB428 line 66, before the New Brunswick low-income tax reduction;
//   PE428 line 89 after line 88, that is after the low-income tax reduction
//     (line 87);
//   ON428 line 82 after line 81, that is after the Ontario tax reduction
//     (line 80) and before the LIFT credit (line 85) and the health premium.
// Manitoba and the territories take nothing off after it that this program
// works out. Sources: the forms' Part C as aclasssoft.com sets them out
// (PRC9P3 AB428, PRC10P3 BC428, PRC8P3 SK428, PRC1P3 NL428, PRC3P2/PRC3P3
// NS428, PRC2P4 PE428, PRC6P3/5006-C ON428) and the line 66 help of NB428
// (support.drtax.ca, nb_428_66); the Taxation Act, 2007 (Ontario) also puts
// the foreign tax credit (s. 21 of the 2008 consolidation) after the Ontario
// tax reduction (s. 20).
ForeignTaxCreditPlace provincialForeignTaxCreditPlace(Province province)
{
    switch (province) {
    case Province::ON:
    case Province::PE: return ForeignTaxCreditPlace::AfterReductions;
    default: return ForeignTaxCreditPlace::BeforeReductions;
    }
}

// Form T2036 (2024): line 1 the non-business income tax paid (T2209 line
// 43100), line 2 the federal non-business credit (T2209 line 3), line 3 =
// line 1 - line 2, line 4 = net foreign non-business income / net income x
// tax otherwise payable, line 5 the lesser of lines 3 and 4, never more than
// that tax. Source: the 2024 T2036 as aclasssoft.com/t3efile/T2036 sets it out.
double provincialForeignTaxCredit(const std::vector<ForeignTaxLeft>& countries, double taxOtherwisePayable)
{
    const double tax = positivePart(taxOtherwisePayable);
    double credit = 0.0;
    for (const ForeignTaxLeft& country : countries) {
        const double left = positivePart(country.taxNotCredited);
        if (!isPositiveAmount(left) || !isPositiveAmount(country.netIncome))
            continue;
        const double limit = roundCents(tax * positivePart(country.foreignIncome) / country.netIncome);
        credit += std::min(left, limit);
    }
    return roundCents(std::min(credit, tax));
}

} // namespace taxrules
