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

// ---- Dependants: entry e (0..11) holds ids 10(e+1)+1 .. 10(e+1)+9.

CStringField& CWizData_Dependant::firstName(int e) { return fieldAt<CStringField>(*this, entryBase(e, kEntries) + 1); }
CStringField& CWizData_Dependant::lastName(int e) { return fieldAt<CStringField>(*this, entryBase(e, kEntries) + 2); }
CIntField& CWizData_Dependant::code(int e) { return fieldAt<CIntField>(*this, entryBase(e, kEntries) + 3); }
CDateField& CWizData_Dependant::birthDate(int e) { return fieldAt<CDateField>(*this, entryBase(e, kEntries) + 4); }
CFloatField& CWizData_Dependant::amount(int e) { return fieldAt<CFloatField>(*this, entryBase(e, kEntries) + 5); }
CIntField& CWizData_Dependant::secondCode(int e) { return fieldAt<CIntField>(*this, entryBase(e, kEntries) + 6); }
CStringField& CWizData_Dependant::text1(int e) { return fieldAt<CStringField>(*this, entryBase(e, kEntries) + 7); }
CStringField& CWizData_Dependant::text2(int e) { return fieldAt<CStringField>(*this, entryBase(e, kEntries) + 8); }
CIntField& CWizData_Dependant::count(int e) { return fieldAt<CIntField>(*this, entryBase(e, kEntries) + 9); }

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
