#include "model/individualtaxdata.h"

// Forms the person's slips make necessary. The slip totals decide them; until
// they do, no slip requires a form and only the mandatory forms are kept.
void IndividualTaxData::collectFormsNeededBySlips(std::set<ENUMTYPE_FORM>& needed)
{
    Q_UNUSED(needed);
}
