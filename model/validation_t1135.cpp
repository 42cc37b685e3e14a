// The T1135 statement is filed on its own, apart from the return: it is
// validated alone before it is sent.
#include "companion/forms/federal/mirroring.h"
#include "model/cfamilytaxdata.h"
#include "model/individualtaxdata.h"
#include "model/validationrecord.h"

#include <memory>

int IndividualTaxData::ValidateT1135(unsigned char edition, std::list<_STRUCT_FORM_VALIDATE_INFO*>& records)
{
    auto* t1135 = qobject_cast<TaxData_T1135New*>(GetFormData(FORM_T1135, false));
    if (!t1135)
        return 0;
    auto record = std::make_unique<_STRUCT_FORM_VALIDATE_INFO>();
    const int result = t1135->Validate(edition, record->messages) ? 1 : 0;
    if (!record->messages.empty()) {
        record->source = VALIDATE_SOURCE_FORM;
        record->itemType = FORM_T1135;
        records.push_back(record.release());
    }
    return result;
}

int CFamilyTaxData::ValidateT1135(unsigned char edition, std::list<_STRUCT_FORM_VALIDATE_INFO*>& out)
{
    IndividualTaxData* person = getCurIndvTaxData();
    return person ? person->ValidateT1135(edition, out) : 0;
}
