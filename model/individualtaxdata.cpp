// Person return: life cycle, the lookups that may add an item, and the
// coupled flag; the item store does the rest of the item work.
#include "model/individualtaxdata.h"

#include "companion/forms/catalogue.h"
#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/dependantinfostruct.h"
#include "companion/forms/federal/credits.h"
#include "companion/forms/federal/others.h"
#include "companion/forms/t1/taxdata_t1new.h"

IndividualTaxData::IndividualTaxData(ENUM_MultiProvsTaxMgrMode mode, DependantInfoStruct* dependants)
    : m_provMgr(mode, dependants), m_pDependants(dependants)
{
    m_provMgr.setObjectReleaseHook([this](CTaxData_Form* object) { m_items.forgetPluginObject(object); });
}

IndividualTaxData::~IndividualTaxData()
{
    FreeData();
    m_provMgr.setObjectReleaseHook(nullptr);
}

void IndividualTaxData::FreeData()
{
    m_items.freeAll();
    m_provMgr.FreeData();
}

// ---- Lookups that may add an item ----

STRUCT_FORMDATA_ITEM_2004* IndividualTaxData::GetFormDataItem(ENUMTYPE_FORM type, bool create)
{
    STRUCT_FORMDATA_ITEM_2004* found = m_items.onlyFormItem(type);
    if (found || !create)
        return found;
    // Several: no single item, and never a further one.
    if (m_items.HasForm(type))
        return nullptr;
    return NewFormDataItem(type, GetNextUniqueID(), true, 0, true);
}

CTaxData_Form* IndividualTaxData::GetSlipData(ENUMTYPE_SLIP type, int id, bool create)
{
    if (CTaxData_Form* slip = m_items.findSlip(type, id))
        return slip;
    if (!create)
        return nullptr;
    STRUCT_SLIPDATA_ITEM_2004* item = NewSlipData(type, id, 0);
    return item ? item->data : nullptr;
}

CTaxData_Form* IndividualTaxData::GetWizData(ENUMTYPE_TAXWIZARD type, bool create)
{
    if (CTaxData_Form* data = m_items.findWizard(type))
        return data;
    if (!create)
        return nullptr;
    STRUCT_WIZDATA_ITEM_2004* item = NewWizData(type);
    return item ? item->data : nullptr;
}

bool IndividualTaxData::hasS6Dependants() const
{
    return m_pDependants && m_pDependants->GetDepNumberBetweenAges(0, 18) > 0;
}

// ---- Coupled flag ----

void IndividualTaxData::SetCoupledReturn(bool coupled)
{
    m_coupled = coupled;
    m_items.setCoupledFlag(coupled);
}

void setStringValueIfNotEmpty(CString& target, const CString& value)
{
    if (!value.isEmpty())
        target = value;
}

void formDisplayName(bool sharedPrefix, const STRUCT_FORMDATA_ITEM_2004* item, CString& out)
{
    if (!item)
        return;
    if (sharedPrefix && item->sharedId > 0)
        out = CString("S-");
    const CString name(getFormName(item->type));
    CString caption;
    if (IsMultipleForm(item->type) && item->data)
        item->data->GetCaption(caption);
    if (caption.isEmpty()) {
        out += name;
        return;
    }
    CString text;
    text.Format("%s - %s (%d)", name.toUtf8().constData(), caption.toUtf8().constData(), item->id);
    out += text;
}
