#pragma once

// Small helpers the calculation steps share: forms by type straight from the
// person's list, the presence test, the province's name.

#include <cmath>

#include "companion/forms/catalogue.h"
#include "companion/rules/money.h"
#include "model/individualtaxdata.h"

namespace calcsteps {

// The only form of the type, or null (also when several exist).
template <typename Form>
Form* formOf(IndividualTaxData& person, ENUMTYPE_FORM type)
{
    return qobject_cast<Form*>(person.GetFormData(type, false));
}

// Every list item of the type in list order, with its object (which may be
// null); no list is copied.
template <typename Fn>
void forEachItem(IndividualTaxData& person, ENUMTYPE_FORM type, Fn&& fn)
{
    for (STRUCT_FORMDATA_ITEM_2004* item : person.m_formList)
        if (item->type == type)
            fn(item->data);
}

// Every form object of the type and class, in list order.
template <typename Form, typename Fn>
void forEachForm(IndividualTaxData& person, ENUMTYPE_FORM type, Fn&& fn)
{
    forEachItem(person, type, [&](CTaxData_Form* data) {
        if (auto* form = qobject_cast<Form*>(data))
            fn(*form);
    });
}

// The name the return shows for a province (empty for an unknown number).
inline CString provinceName(ENUMTYPE_PROVINCE province)
{
    const char* name = getProvName(province);
    return name ? CString(name) : CString();
}

} // namespace calcsteps
