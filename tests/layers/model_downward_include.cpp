// Model code that uses what it may: itself, the forms, the core and the
// rules, and the agency-data records.
#include "agencydata/records/tddtaxdataoneperson.h"
#include "companion/core/prompter.h"
#include "companion/forms/ctaxdata_form.h"
#include "companion/rules/money.h"
#include "model/cfamilytaxdata.h"

int layerCheckDownward()
{
    return sizeof(CFamilyTaxData) > 0 ? 1 : 0;
}
