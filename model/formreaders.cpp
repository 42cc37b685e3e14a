#include "model/formreaders.h"

#include <algorithm>

#include "companion/forms/federal/others.h"
#include "companion/forms/federal/statements.h"

int t5013StatementCount(const CTaxData_T5013& form)
{
    const CIntField* const kinds[] = {&form.Kind1, &form.Kind2, &form.Kind3, &form.Kind4};
    const CIntField* const statements[] = {&form.Sfd1, &form.Sfd2, &form.Sfd3, &form.Sfd4};
    int count = 0;
    for (int i = 0; i < 4; ++i)
        if (kinds[i]->m_value >= 0 && statements[i]->m_value != 0)
            ++count;
    return count;
}

double t5013NonLossNetIncome(const CTaxData_T5013& form)
{
    double total = 0.0;
    for (const CFloatField* net : {&form.BusinessNet, &form.ProfessionalNet, &form.CommissionNet,
                                   &form.FarmingNet, &form.FishingNet})
        total += std::max(0.0, net->m_value);
    return total;
}

double t2125NetIncome(const CTaxData_Form* form)
{
    const auto* t2125 = qobject_cast<const TaxData_T2125_New*>(form);
    if (!t2125)
        return 0.0;
    return t2125->PartnershipIndicator.m_value != 0 ? t2125->PartnershipNet1.m_value : t2125->NetResult.m_value;
}
