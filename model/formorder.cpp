#include "model/formorder.h"

#include "model/individualtaxdata.h"

#include <algorithm>

bool isFixedInFormOrder(int formType)
{
    return formType == 93 || formType == 159 || formType == 165;
}

std::vector<STRUCT_FORMDATA_ITEM_2004*> movableForms(const IndividualTaxData& person)
{
    std::vector<STRUCT_FORMDATA_ITEM_2004*> out;
    for (STRUCT_FORMDATA_ITEM_2004* item : person.m_formList)
        if (item && !isFixedInFormOrder(item->type))
            out.push_back(item);
    return out;
}

bool applyFormOrder(IndividualTaxData& person, const std::vector<STRUCT_FORMDATA_ITEM_2004*>& order)
{
    // An order that is not a rearrangement of the same items would lose or
    // duplicate forms.
    std::vector<STRUCT_FORMDATA_ITEM_2004*> current = movableForms(person);
    std::vector<STRUCT_FORMDATA_ITEM_2004*> wanted = order;
    std::sort(current.begin(), current.end());
    std::sort(wanted.begin(), wanted.end());
    if (current != wanted)
        return false;
    size_t i = 0;
    for (STRUCT_FORMDATA_ITEM_2004*& item : person.m_formList)
        if (item && !isFixedInFormOrder(item->type) && i < order.size())
            item = order[i++];
    return true;
}
