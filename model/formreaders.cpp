#include "model/formreaders.h"

#include "companion/forms/federal/statements.h"

double t2125NetIncome(const CTaxData_Form* form)
{
    const auto* t2125 = qobject_cast<const TaxData_T2125_New*>(form);
    if (!t2125)
        return 0.0;
    return t2125->PartnershipIndicator.m_value != 0 ? t2125->PartnershipNet1.m_value : t2125->NetResult.m_value;
}
