#include "model/individualtaxdata.h"
#include "model/slipcalc.h"

// Forms the person's slips make necessary. Asking never adds a form: only
// the calculation creates the forms the slips call for.
void IndividualTaxData::collectFormsNeededBySlips(std::set<ENUMTYPE_FORM>& needed)
{
    STRUCT_SLIPDATA_CALCULATION totals;
    PrepareSlipsBeforeCalculate(totals, needed, false);
}
