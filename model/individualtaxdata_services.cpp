// Person operations whose work belongs to the agency-data, filing and import
// code, over the plain records the model shares with them. Until that code
// is built each one changes nothing and says so through its result; none
// pretends to have done its work.
#include "model/individualtaxdata.h"

#include "agencydata/records/dataafr.h"
#include "agencydata/records/tddtaxdataoneperson.h"

int IndividualTaxData::AutoFillReturn(TDDTaxDataOnePerson& person, DataAFR* options)
{
    Q_UNUSED(person)
    Q_UNUSED(options)
    // Nothing of the record is applied yet: the return stays as it was.
    return kAutoFillNotApplied;
}

void IndividualTaxData::getDireradDataInfo(TemplateValueMap& values, int agreement, CString& email,
                                           double& balance, int testCaseId)
{
    Q_UNUSED(values)
    Q_UNUSED(agreement)
    Q_UNUSED(testCaseId)
    // No electronic return is built yet: no values, no address, no balance.
    email = CString();
    balance = 0.0;
}

void IndividualTaxData::getEfileDataInfo(TemplateValueMap& values, ENUMTYPE_FORM form)
{
    Q_UNUSED(values)
    Q_UNUSED(form)
    // No electronic return is built yet: the values stay as given.
}

