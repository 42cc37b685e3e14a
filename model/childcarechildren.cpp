#include "model/childcarechildren.h"

#include "companion/forms/dependantinfostruct.h"
#include "companion/forms/federal/credits.h"

void countChildrenForChildCare(const DependantInfoStruct* dependants, TaxData_T778New& t778)
{
    t778.DependantsUnder7.m_value = 0;
    t778.DependantsOther.m_value = 0;
    t778.DependantsDisabled.m_value = 0;
    if (!dependants)
        return;
    // The form's three groups: children eligible for the disability amount
    // (any age); otherwise those born in 2018 or later (6 or under at the end
    // of 2024); otherwise those born 2008 to 2017 (7 to 16), or older and
    // dependent because of an impairment.
    int disabled = 0, under7 = 0, others = 0;
    for (int i = 0; i < dependants->GetCount(); ++i) {
        const DependantInfo* d = dependants->GetAt(i);
        if (!d || !d->isChild())
            continue;
        const int age = d->ageAtYearEnd();
        if (d->infirm == DependantInfo::kInfirmWithDisabilityAmount)
            ++disabled;
        else if (age >= 0 && age <= 6)
            ++under7;
        else if ((age >= 7 && age <= 16) || (age > 16 && d->infirm != 0))
            ++others;
    }
    t778.DependantsUnder7.m_value = under7;
    t778.DependantsOther.m_value = others;
    t778.DependantsDisabled.m_value = disabled;
}
