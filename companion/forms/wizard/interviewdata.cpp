#include "companion/forms/wizard/interviewdata.h"

#include <algorithm>

namespace {
template <class F>
F& fieldAt(const CTaxData_Form& owner, int id)
{
    return *static_cast<F*>(owner.findFieldById(id));
}
int entryBase(int entry, int count) { return 10 * (std::min(std::max(entry, 0), count - 1) + 1); }
}  // namespace

// ---- Medical expenses: dependant block d (0..11) holds ids 100+10(d+1) .. +8.

CStringField& CWizData_MedExp::dependantFirstName(int d)
{
    return fieldAt<CStringField>(*this, 100 + entryBase(d, kDependants));
}
CStringField& CWizData_MedExp::dependantLastName(int d)
{
    return fieldAt<CStringField>(*this, 100 + entryBase(d, kDependants) + 1);
}
CDateField& CWizData_MedExp::dependantBirthDate(int d)
{
    return fieldAt<CDateField>(*this, 100 + entryBase(d, kDependants) + 2);
}
CIntField& CWizData_MedExp::dependantCode(int d) { return fieldAt<CIntField>(*this, 100 + entryBase(d, kDependants) + 3); }
