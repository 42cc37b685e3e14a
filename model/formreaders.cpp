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
    case FORM_T2125:
    case FORM_T2125_COMMISSION: return t2125NetIncome(form);
    case FORM_T2042:
        if (auto* t2042 = qobject_cast<const TaxData_T2042New*>(form))
            return t2042->NetResult.m_value;
        return 0.0;
    case FORM_T1163:
        if (auto* t1163 = qobject_cast<const TaxData_T1163New*>(form))
            return t1163->NetResult.m_value;
        return 0.0;
    case FORM_T2121:
        if (auto* t2121 = qobject_cast<const TaxData_T2121New*>(form))
            return t2121->NetResult.m_value;
        return 0.0;
    default: return 0.0;
    }
}
