#include "model/formreaders.h"

#include "companion/forms/federal/statements.h"

double t2125NetIncome(const CTaxData_Form* form)
{
    const auto* t2125 = qobject_cast<const TaxData_T2125_New*>(form);
    if (!t2125)
        return 0.0;
    return t2125->PartnershipIndicator.m_value != 0 ? t2125->PartnershipNet1.m_value : t2125->NetResult.m_value;
}

double selfEmploymentStatementNet(int type, const CTaxData_Form* form)
{
    switch (type) {
    case 125:
    case 131: return t2125NetIncome(form);
    case 21:
        if (auto* t2042 = qobject_cast<const TaxData_T2042New*>(form))
            return t2042->NetResult.m_value;
        return 0.0;
    case 15:
        if (auto* t1163 = qobject_cast<const TaxData_T1163New*>(form))
            return t1163->NetResult.m_value;
        return 0.0;
    case 51:
        if (auto* t2121 = qobject_cast<const TaxData_T2121New*>(form))
            return t2121->NetResult.m_value;
        return 0.0;
    default: return 0.0;
    }
}
