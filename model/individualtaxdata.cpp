// Person return: life cycle, lookups, walks, removal and the coupled flag.
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
    m_provMgr.setObjectReleaseHook([this](CTaxData_Form* object) { forgetPluginObject(object); });
}

IndividualTaxData::~IndividualTaxData()
{
    FreeData();
    m_provMgr.setObjectReleaseHook(nullptr);
}

void IndividualTaxData::releaseFormObject(CTaxData_Form* form, bool inList)
{
    if (!form)
        return;
    if (!m_provMgr.FreeFormData(form, inList))
        delete form;
}

void IndividualTaxData::releaseWizardObject(STRUCT_WIZDATA_ITEM_2004* item)
{
    if (!item->data)
        return;
    if (item->type == TAXWIZARD_PROVINCIAL) {
        // The plug-in that made it frees it; an object it leaves stays with
        // the host, which frees it before the plug-in is unloaded.
        m_provMgr.FreeWizardData();
        return;
    }
    delete item->data;
}

void IndividualTaxData::forgetPluginObject(CTaxData_Form* object)
{
    for (auto it = m_formList.begin(); it != m_formList.end();) {
        if ((*it)->data == object) {
            delete *it;
            it = m_formList.erase(it);
        } else {
            ++it;
        }
    }
    for (auto it = m_wizList.begin(); it != m_wizList.end();) {
        if ((*it)->data == object) {
            delete *it;
            it = m_wizList.erase(it);
        } else {
            ++it;
        }
    }
}

void IndividualTaxData::FreeData()
{
    // Each list is detached before its objects go, so that the host's release
    // hook never finds a half-freed item.
    std::list<STRUCT_FORMDATA_ITEM_2004*> forms;
    forms.swap(m_formList);
    for (STRUCT_FORMDATA_ITEM_2004* item : forms) {
        releaseFormObject(item->data, true);
        delete item;
    }
    std::list<STRUCT_NOTEDATA_ITEM_2004*> notes;
    notes.swap(m_noteList);
    for (STRUCT_NOTEDATA_ITEM_2004* item : notes) {
        delete item->data;
        delete item;
    }
    std::list<STRUCT_SLIPDATA_ITEM_2004*> slips;
    slips.swap(m_slipList);
    for (STRUCT_SLIPDATA_ITEM_2004* item : slips) {
        delete item->data;
        delete item;
    }
    std::list<STRUCT_WIZDATA_ITEM_2004*> wizards;
    wizards.swap(m_wizList);
    for (STRUCT_WIZDATA_ITEM_2004* item : wizards) {
        releaseWizardObject(item);
        delete item;
    }
    m_provMgr.FreeData();
}

// ---- Lookups ----

TaxData_T1New* IndividualTaxData::GetT1() const
{
    const STRUCT_FORMDATA_ITEM_2004* found = nullptr;
    for (const STRUCT_FORMDATA_ITEM_2004* item : m_formList) {
        if (item->type != FORM_T1)
            continue;
        if (found)
            return nullptr; // two T1 forms: none is "the" T1
        found = item;
    }
    return found ? qobject_cast<TaxData_T1New*>(found->data) : nullptr;
}

bool IndividualTaxData::HasForm(ENUMTYPE_FORM type) const
{
    for (const STRUCT_FORMDATA_ITEM_2004* item : m_formList)
        if (item->type == type)
            return true;
    return false;
}

int IndividualTaxData::GetCountOfForm(ENUMTYPE_FORM type) const
{
    if (type == 0)
        return int(m_formList.size());
    int count = 0;
    for (const STRUCT_FORMDATA_ITEM_2004* item : m_formList)
        if (item->type == type)
            ++count;
    return count;
}

int IndividualTaxData::GetCountOfSlip(ENUMTYPE_SLIP type) const
{
    int count = 0;
    for (const STRUCT_SLIPDATA_ITEM_2004* item : m_slipList)
        if (item->type == type)
            ++count;
    return count;
}

STRUCT_FORMDATA_ITEM_2004* IndividualTaxData::GetFormDataItem(ENUMTYPE_FORM type, bool create)
{
    STRUCT_FORMDATA_ITEM_2004* found = nullptr;
    for (STRUCT_FORMDATA_ITEM_2004* item : m_formList) {
        if (item->type != type)
            continue;
        if (found)
            return nullptr; // several: no single item, and never a further one
        found = item;
    }
    if (found || !create)
        return found;
    return NewFormDataItem(type, GetNextUniqueID(), true, 0, true);
}

CTaxData_Form* IndividualTaxData::GetFormData(ENUMTYPE_FORM type, bool create)
{
    STRUCT_FORMDATA_ITEM_2004* item = GetFormDataItem(type, create);
    return item ? item->data : nullptr;
}

CTaxData_Form* IndividualTaxData::GetFormData(ENUMTYPE_FORM type, int id) const
{
    for (const STRUCT_FORMDATA_ITEM_2004* item : m_formList)
        if (item->type == type && item->id == id)
            return item->data;
    return nullptr;
}

void IndividualTaxData::GetFormDataList(ENUMTYPE_FORM type, std::list<STRUCT_FORMDATA_ITEM_2004*>& out) const
{
    for (STRUCT_FORMDATA_ITEM_2004* item : m_formList)
        if (item->type == type)
            out.push_back(item);
}

CTaxData_Form* IndividualTaxData::GetSlipData(ENUMTYPE_SLIP type, int id, bool create)
{
    for (STRUCT_SLIPDATA_ITEM_2004* item : m_slipList)
        if (item->type == type && item->id == id)
            return item->data;
    if (!create)
        return nullptr;
    STRUCT_SLIPDATA_ITEM_2004* item = NewSlipData(type, id, 0);
    return item ? item->data : nullptr;
}

CTaxData_Form* IndividualTaxData::GetWizData(ENUMTYPE_TAXWIZARD type, bool create)
{
    for (STRUCT_WIZDATA_ITEM_2004* item : m_wizList)
        if (item->type == type)
            return item->data;
    if (!create)
        return nullptr;
    STRUCT_WIZDATA_ITEM_2004* item = NewWizData(type);
    return item ? item->data : nullptr;
}

int IndividualTaxData::PrepareT2209List(std::list<TaxData_T2209_2036*>& out) const
{
    for (const STRUCT_FORMDATA_ITEM_2004* item : m_formList)
        if (item->type == FORM_T2209)
            if (auto* form = qobject_cast<TaxData_T2209_2036*>(item->data))
                out.push_back(form);
    return 0;
}

STRUCT_FORMDATA_ITEM_2004* IndividualTaxData::FindFormItem(const CTaxData_Form* form) const
{
    if (!form)
        return nullptr;
    for (STRUCT_FORMDATA_ITEM_2004* item : m_formList)
        if (item->data == form)
            return item;
    return nullptr;
}

STRUCT_SLIPDATA_ITEM_2004* IndividualTaxData::FindSlipItem(const CTaxData_Form* slip) const
{
    if (!slip)
        return nullptr;
    for (STRUCT_SLIPDATA_ITEM_2004* item : m_slipList)
        if (item->data == slip)
            return item;
    return nullptr;
}

int IndividualTaxData::GetFormID(const CTaxData_Form* form) const
{
    const STRUCT_FORMDATA_ITEM_2004* item = FindFormItem(form);
    return item ? item->id : 0;
}

int IndividualTaxData::GetSharedFormID(const CTaxData_Form* form) const
{
    const STRUCT_FORMDATA_ITEM_2004* item = FindFormItem(form);
    return item ? item->sharedId : 0;
}

int IndividualTaxData::GetSlipID(const CTaxData_Form* slip) const
{
    const STRUCT_SLIPDATA_ITEM_2004* item = FindSlipItem(slip);
    return item ? item->id : 0;
}

int IndividualTaxData::GetSharedSlipID(const CTaxData_Form* slip) const
{
    const STRUCT_SLIPDATA_ITEM_2004* item = FindSlipItem(slip);
    return item ? item->sharedId : 0;
}

bool IndividualTaxData::SetSharedForm(const CTaxData_Form* form, int sharedId)
{
    STRUCT_FORMDATA_ITEM_2004* item = FindFormItem(form);
    if (!item)
        return false;
    item->sharedId = sharedId;
    return true;
}

bool IndividualTaxData::SetSharedSlip(const CTaxData_Form* slip, int sharedId)
{
    STRUCT_SLIPDATA_ITEM_2004* item = FindSlipItem(slip);
    if (!item)
        return false;
    item->sharedId = sharedId;
    return true;
}

void IndividualTaxData::ClearDanglingSharedIds(const IndividualTaxData& other)
{
    for (STRUCT_FORMDATA_ITEM_2004* item : m_formList) {
        if (item->sharedId <= 0)
            continue;
        const CTaxData_Form* partner = other.GetFormData(item->type, item->sharedId);
        if (!partner || other.GetSharedFormID(partner) != item->id)
            item->sharedId = 0;
    }
    for (STRUCT_SLIPDATA_ITEM_2004* item : m_slipList) {
        if (item->sharedId <= 0)
            continue;
        bool linked = false;
        for (const STRUCT_SLIPDATA_ITEM_2004* theirs : other.m_slipList)
            if (theirs->type == item->type && theirs->id == item->sharedId && theirs->sharedId == item->id)
                linked = true;
        if (!linked)
            item->sharedId = 0;
    }
}

void IndividualTaxData::ClearAllSharedIds()
{
    for (STRUCT_FORMDATA_ITEM_2004* item : m_formList)
        item->sharedId = 0;
    for (STRUCT_SLIPDATA_ITEM_2004* item : m_slipList)
        item->sharedId = 0;
}

bool IndividualTaxData::HasSharedComponent() const
{
    for (const STRUCT_SLIPDATA_ITEM_2004* item : m_slipList)
        if (item->data && item->data->IsShared())
            return true;
    return false;
}

int IndividualTaxData::GetCountOfSFDForms() const
{
    int count = 0;
    for (const STRUCT_FORMDATA_ITEM_2004* item : m_formList) {
        if (item->type == FORM_T5013) {
            if (auto* t5013 = qobject_cast<const CTaxData_T5013*>(item->data))
                count += t5013->GetCountOfSFDForms(true);
        } else if (item->type == FORM_T1273) {
            count += 2;
        } else if (IsSFDForm(item->type)) {
            ++count;
        }
    }
    return count;
}

bool IndividualTaxData::hasS6Dependants() const
{
    return m_pDependants && m_pDependants->GetDepNumberBetweenAges(0, 18) > 0;
}

// ---- Walks ----

void IndividualTaxData::EnumTaxForms(CEnumTaxFormObj* visitor, void* param)
{
    if (!visitor)
        return;
    visitor->begin(param);
    for (STRUCT_FORMDATA_ITEM_2004* item : m_formList)
        if (!visitor->doWork(item, param))
            break;
    visitor->end(param);
}

void IndividualTaxData::EnumTaxSlips(CEnumTaxSlipObj* visitor, void* param)
{
    if (!visitor)
        return;
    visitor->begin(param);
    for (STRUCT_SLIPDATA_ITEM_2004* item : m_slipList)
        if (!visitor->doWork(item, param))
            break;
    visitor->end(param);
}

void IndividualTaxData::EnumTaxNotes(CEnumTaxNoteObj* visitor, void* param)
{
    if (!visitor)
        return;
    for (STRUCT_NOTEDATA_ITEM_2004* item : m_noteList)
        if (!visitor->doWork(item, param))
            break;
}

void IndividualTaxData::EnumTaxWizards(CEnumTaxWizardObj* visitor, void* param)
{
    if (!visitor)
        return;
    for (STRUCT_WIZDATA_ITEM_2004* item : m_wizList)
        visitor->doWork(item, param);
}

// ---- Removing items ----

void IndividualTaxData::RemoveSlipData(CTaxData_Form* slip)
{
    for (auto it = m_slipList.begin(); it != m_slipList.end(); ++it) {
        if ((*it)->data == slip && slip) {
            STRUCT_SLIPDATA_ITEM_2004* item = *it;
            m_slipList.erase(it);
            delete item->data;
            delete item;
            return;
        }
    }
}

void IndividualTaxData::RemoveNoteData(CTaxData_Form* note)
{
    for (auto it = m_noteList.begin(); it != m_noteList.end(); ++it) {
        if ((*it)->data == note && note) {
            STRUCT_NOTEDATA_ITEM_2004* item = *it;
            m_noteList.erase(it);
            delete item->data;
            delete item;
            return;
        }
    }
}

// ---- Coupled flag ----

void IndividualTaxData::SetCoupledReturn(bool coupled)
{
    m_coupled = coupled;
    for (STRUCT_FORMDATA_ITEM_2004* item : m_formList)
        if (item->data)
            item->data->setCoupledReturn(coupled);
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
