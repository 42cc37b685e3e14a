// Person return: deep copy, value copy and comparison.
#include "model/individualtaxdata.h"

#include "companion/forms/catalogue.h"
#include "companion/forms/ctaxdata_form.h"

namespace {

template <typename Item>
bool sameTypesAndIds(const std::list<Item*>& a, const std::list<Item*>& b)
{
    if (a.size() != b.size())
        return false;
    auto other = b.begin();
    for (const Item* item : a) {
        const Item* theirs = *other++;
        if (item->type != theirs->type || item->id != theirs->id || item->sharedId != theirs->sharedId)
            return false;
        if (!item->data || !theirs->data)
            return false;
    }
    return true;
}

bool valuesDiffer(const CTaxData_Form* a, const CTaxData_Form* b)
{
    if (!a || !b)
        return a != b;
    return a->CompareData(b);
}

} // namespace

IndividualTaxData& IndividualTaxData::operator=(const IndividualTaxData& other)
{
    if (this == &other)
        return *this;
    FreeData();
    m_fileVersion = other.m_fileVersion;
    m_province = other.m_province;
    m_nextId = other.m_nextId;
    m_provMgr.setMainProvince(m_province);
    m_provMgr.getProvMgr(m_province, true);
    copyItemsFrom(other);
    return *this;
}

void IndividualTaxData::copyItemsFrom(const IndividualTaxData& other)
{
    for (const STRUCT_FORMDATA_ITEM_2004* source : other.m_formList) {
        STRUCT_FORMDATA_ITEM_2004* item = NewFormDataItem(source->type, source->id, true, source->sharedId, true);
        if (item && source->data)
            item->data->CopyData(source->data);
    }
    for (const STRUCT_SLIPDATA_ITEM_2004* source : other.m_slipList) {
        STRUCT_SLIPDATA_ITEM_2004* item = NewSlipData(source->type, source->id, source->sharedId);
        if (item && source->data)
            item->data->CopyData(source->data);
    }
    for (const STRUCT_NOTEDATA_ITEM_2004* source : other.m_noteList) {
        STRUCT_NOTEDATA_ITEM_2004* item = NewNoteData(source->id);
        if (item && source->data)
            item->data->CopyData(source->data);
    }
    for (const STRUCT_WIZDATA_ITEM_2004* source : other.m_wizList) {
        STRUCT_WIZDATA_ITEM_2004* item = NewWizData(source->type);
        if (item && source->data)
            item->data->CopyData(source->data);
    }
}

bool IndividualTaxData::sameItemLayout(const IndividualTaxData& other) const
{
    if (m_province != other.m_province)
        return false;
    if (!sameTypesAndIds(m_formList, other.m_formList) || !sameTypesAndIds(m_slipList, other.m_slipList))
        return false;
    if (m_noteList.size() != other.m_noteList.size() || m_wizList.size() != other.m_wizList.size())
        return false;
    auto note = other.m_noteList.begin();
    for (const STRUCT_NOTEDATA_ITEM_2004* item : m_noteList) {
        const STRUCT_NOTEDATA_ITEM_2004* theirs = *note++;
        if (item->id != theirs->id || !item->data || !theirs->data)
            return false;
    }
    auto wizard = other.m_wizList.begin();
    for (const STRUCT_WIZDATA_ITEM_2004* item : m_wizList) {
        const STRUCT_WIZDATA_ITEM_2004* theirs = *wizard++;
        if (item->type != theirs->type || !item->data || !theirs->data)
            return false;
    }
    return true;
}

bool IndividualTaxData::softCopy(const IndividualTaxData& other)
{
    // Everything is checked before anything changes: a failed soft copy
    // leaves this person exactly as it was.
    if (this == &other)
        return true;
    if (!sameItemLayout(other))
        return false;
    m_fileVersion = other.m_fileVersion;
    m_nextId = other.m_nextId;
    auto form = other.m_formList.begin();
    for (STRUCT_FORMDATA_ITEM_2004* item : m_formList)
        item->data->CopyData((*form++)->data);
    auto slip = other.m_slipList.begin();
    for (STRUCT_SLIPDATA_ITEM_2004* item : m_slipList)
        item->data->CopyData((*slip++)->data);
    auto note = other.m_noteList.begin();
    for (STRUCT_NOTEDATA_ITEM_2004* item : m_noteList)
        item->data->CopyData((*note++)->data);
    auto wizard = other.m_wizList.begin();
    for (STRUCT_WIZDATA_ITEM_2004* item : m_wizList)
        item->data->CopyData((*wizard++)->data);
    return true;
}

bool IndividualTaxData::operator==(const IndividualTaxData& other) const
{
    if (m_province != other.m_province || m_formList.size() != other.m_formList.size()
        || m_slipList.size() != other.m_slipList.size() || m_noteList.size() != other.m_noteList.size()
        || m_wizList.size() != other.m_wizList.size())
        return false;

    for (const STRUCT_FORMDATA_ITEM_2004* theirs : other.m_formList) {
        const bool byId = IsMultipleForm(theirs->type);
        const STRUCT_FORMDATA_ITEM_2004* mine = nullptr;
        for (const STRUCT_FORMDATA_ITEM_2004* item : m_formList) {
            if (item->type == theirs->type && (!byId || item->id == theirs->id)) {
                mine = item;
                break;
            }
        }
        if (!mine || mine->sharedId != theirs->sharedId || valuesDiffer(mine->data, theirs->data))
            return false;
    }
    for (const STRUCT_SLIPDATA_ITEM_2004* theirs : other.m_slipList) {
        const STRUCT_SLIPDATA_ITEM_2004* mine = nullptr;
        for (const STRUCT_SLIPDATA_ITEM_2004* item : m_slipList) {
            if (item->type == theirs->type && item->id == theirs->id) {
                mine = item;
                break;
            }
        }
        if (!mine || mine->sharedId != theirs->sharedId || valuesDiffer(mine->data, theirs->data))
            return false;
    }
    for (const STRUCT_NOTEDATA_ITEM_2004* theirs : other.m_noteList) {
        const STRUCT_NOTEDATA_ITEM_2004* mine = nullptr;
        for (const STRUCT_NOTEDATA_ITEM_2004* item : m_noteList) {
            if (item->id == theirs->id) {
                mine = item;
                break;
            }
        }
        if (!mine || valuesDiffer(mine->data, theirs->data))
            return false;
    }
    // Interview data counts as well: answers edited there are changes to save.
    for (const STRUCT_WIZDATA_ITEM_2004* theirs : other.m_wizList) {
        const STRUCT_WIZDATA_ITEM_2004* mine = nullptr;
        for (const STRUCT_WIZDATA_ITEM_2004* item : m_wizList) {
            if (item->type == theirs->type) {
                mine = item;
                break;
            }
        }
        if (!mine || valuesDiffer(mine->data, theirs->data))
            return false;
    }
    return true;
}
