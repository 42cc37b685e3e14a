#include "companion/forms/t1/taxdata_t1ksnew.h"
#include "companion/rules/money.h"

#include <cmath>

void TaxData_T1KSNew::resetT1Part()
{
    // Everything but the password and the user's three benefit choices.
    for (CField* field : fieldList())
        if (field != &Password && field != &GSTApplicantChoice && field != &CCBSwitch && field != &CAISwitch)
            field->reset();
}

int TaxData_T1KSNew::Calculate01()
{
    RefundIndicator.m_value = !taxrules::isPositiveAmount(line48300.m_value) ? 1 : 0;
    AverageTaxRate.m_value = taxrules::isPresentAmount(line15000.m_value)
                                 ? (line42000.m_value + line42800.m_value) / line15000.m_value * 100
                                 : 0.0;
    return 0;
}
