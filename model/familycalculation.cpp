#include "model/cfamilytaxdata.h"

namespace {

// The calculation steps of the whole family, run in order for each person.
// None is in place yet, so a recalculation changes nothing and adds or
// removes no form.
int runFamilyCalculationSteps(CFamilyTaxData& family, int kind, CTaxData_Form* changed)
{
    Q_UNUSED(family);
    Q_UNUSED(kind);
    Q_UNUSED(changed);
    return 0;
}

} // namespace

int CFamilyTaxData::Calculate(int kind, CTaxData_Form* changed)
{
    return runFamilyCalculationSteps(*this, kind, changed);
}
