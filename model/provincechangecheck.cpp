#include "model/provincechangecheck.h"

#include "companion/forms/catalogue.h"
#include "companion/forms/cfield.h"
#include "companion/forms/ctaxdata_form.h"
#include "model/cfamilytaxdata.h"

namespace {

// Something typed: a field the user edits that is not blank.
bool holdsEntries(const CTaxData_Form& form)
{
    for (const CField* field : form.fieldList())
        if (field && !field->isReadOnly() && !field->isHidden() && !field->isBlank())
            return true;
    return false;
}

void collect(const IndividualTaxData* person, int newProvince, QStringList& out)
{
    if (!person)
        return;
    for (const STRUCT_FORMDATA_ITEM_2004* item : person->m_formList) {
        const int province = getFormProv(item->type);
        if (item->data && province > 0 && province != newProvince && holdsEntries(*item->data))
            out << QString::fromUtf8(getFormName(item->type));
    }
}

} // namespace

QStringList provincialFormsWithEntries(const CFamilyTaxData& family, int newProvince, bool both)
{
    QStringList out;
    if (both && family.IsCoupledReturn()) {
        collect(family.getTaxpayer(), newProvince, out);
        collect(family.getSpouse(), newProvince, out);
    } else {
        collect(family.getCurIndvTaxData(), newProvince, out);
    }
    out.removeDuplicates();
    return out;
}
