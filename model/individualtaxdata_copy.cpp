// Person return: deep copy, value copy and comparison.
#include "model/individualtaxdata.h"

#include "companion/forms/catalogue.h"
#include "companion/forms/ctaxdata_form.h"

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

bool IndividualTaxData::softCopy(const IndividualTaxData& other)
{
    // Everything is checked before anything changes: a failed soft copy
    // leaves this person exactly as it was.
    if (this == &other)
        return true;
    if (m_province != other.m_province || !m_items.sameLayout(other.m_items))
        return false;
    m_fileVersion = other.m_fileVersion;
    m_items.copyValuesFrom(other.m_items);
    return true;
}

bool IndividualTaxData::operator==(const IndividualTaxData& other) const
{
    return m_province == other.m_province && m_items.sameItems(other.m_items);
}
