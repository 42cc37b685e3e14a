// The items of one person's return: ids, adoption, lookups, walks, removal,
// and comparison item by item.
#include "model/personitemstore.h"

#include <algorithm>
#include <climits>

#include "companion/forms/catalogue.h"
#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/federal/credits.h"
#include "companion/forms/federal/others.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "model/MultiProvsTaxMgr.h"

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

// Values of b's objects into a's, item by item (same layout).
template <typename Item>
void copyValuesInOrder(std::list<Item*>& a, const std::list<Item*>& b)
{
    auto theirs = b.begin();
    for (Item* item : a)
        item->data->CopyData((*theirs++)->data);
}

// Items of list whose match(item) holds are taken out and handed to release.
template <typename Item, typename Match, typename Release>
void eraseItemsIf(std::list<Item*>& list, Match&& match, Release&& release)
{
    for (auto it = list.begin(); it != list.end();) {
        Item* item = *it;
        if (match(item)) {
            it = list.erase(it);
            release(item);
        } else {
            ++it;
        }
    }
}

} // namespace

// ---- Ids ----

int PersonItemStore::takeItemId(int id)
{
    if (id < 1)
        return GetNextUniqueID();
    // An id given from outside (a file, a copy) is never drawn again later.
    if (id >= m_nextId && id < INT_MAX)
        m_nextId = id + 1;
    return id;
}

// ---- Adopting ----

STRUCT_FORMDATA_ITEM_2004* PersonItemStore::adoptForm(ENUMTYPE_FORM type, int id, int sharedId,
                                                      CTaxData_Form* form, bool addToList)
{
    auto* item = new STRUCT_FORMDATA_ITEM_2004;
    item->type = type;
    item->id = takeItemId(id);
    item->sharedId = sharedId;
    item->data = form;
    if (addToList) {
        m_formList.push_back(item);
        formListChanged();
    }
    return item;
}

STRUCT_SLIPDATA_ITEM_2004* PersonItemStore::adoptSlip(ENUMTYPE_SLIP type, int id, int sharedId, CTaxData_Form* slip)
{
    auto* item = new STRUCT_SLIPDATA_ITEM_2004;
    item->type = type;
    item->id = takeItemId(id);
    item->sharedId = sharedId;
    item->data = slip;
    m_slipList.push_back(item);
    return item;
}

STRUCT_NOTEDATA_ITEM_2004* PersonItemStore::adoptNote(int id, CTaxData_Form* note)
{
    auto* item = new STRUCT_NOTEDATA_ITEM_2004;
    item->id = takeItemId(id);
    item->data = note;
    m_noteList.push_back(item);
    return item;
}

STRUCT_WIZDATA_ITEM_2004* PersonItemStore::adoptWizard(ENUMTYPE_TAXWIZARD type, CTaxData_Form* data)
{
    auto* item = new STRUCT_WIZDATA_ITEM_2004;
    item->type = type;
    item->data = data;
    m_wizList.push_back(item);
    return item;
}

// ---- Lookups ----

const PersonItemStore::FormsOfType PersonItemStore::kNoForms;

void PersonItemStore::drawFormTypeIndex() const
{
    m_formsByType.clear();
    m_typeIndexDrawn = true;
    m_typeIndexReady = true;
    for (STRUCT_FORMDATA_ITEM_2004* item : m_formList) {
        if (item->type < 0 || item->type >= kIndexedTypes) {
            m_typeIndexReady = false;
            return;
        }
        if (size_t(item->type) >= m_formsByType.size())
            m_formsByType.resize(size_t(item->type) + 1);
        FormsOfType& forms = m_formsByType[size_t(item->type)];
        if (forms.count++ == 0)
            forms.first = item;
    }
}

TaxData_T1New* PersonItemStore::GetT1() const
{
    if (const FormsOfType* forms = indexedForms(FORM_T1))
        return forms->count == 1 ? qobject_cast<TaxData_T1New*>(forms->first->data) : nullptr;
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

int PersonItemStore::GetCountOfForm(ENUMTYPE_FORM type) const
{
    if (type == 0)
        return int(m_formList.size());
    if (const FormsOfType* forms = indexedForms(type))
        return forms->count;
    int count = 0;
    for (const STRUCT_FORMDATA_ITEM_2004* item : m_formList)
        if (item->type == type)
            ++count;
    return count;
}

int PersonItemStore::GetCountOfSlip(ENUMTYPE_SLIP type) const
{
    int count = 0;
    for (const STRUCT_SLIPDATA_ITEM_2004* item : m_slipList)
        if (item->type == type)
            ++count;
    return count;
}

void PersonItemStore::GetFormDataList(ENUMTYPE_FORM type, std::list<STRUCT_FORMDATA_ITEM_2004*>& out) const
{
    for (STRUCT_FORMDATA_ITEM_2004* item : m_formList)
        if (item->type == type)
            out.push_back(item);
}

int PersonItemStore::PrepareT2209List(std::list<TaxData_T2209_2036*>& out) const
{
    for (const STRUCT_FORMDATA_ITEM_2004* item : m_formList)
        if (item->type == FORM_T2209)
            if (auto* form = qobject_cast<TaxData_T2209_2036*>(item->data))
                out.push_back(form);
    return 0;
}

STRUCT_FORMDATA_ITEM_2004* PersonItemStore::FindFormItem(const CTaxData_Form* form) const
{
    if (!form)
        return nullptr;
    for (STRUCT_FORMDATA_ITEM_2004* item : m_formList)
        if (item->data == form)
            return item;
    return nullptr;
}

STRUCT_SLIPDATA_ITEM_2004* PersonItemStore::FindSlipItem(const CTaxData_Form* slip) const
{
    if (!slip)
        return nullptr;
    for (STRUCT_SLIPDATA_ITEM_2004* item : m_slipList)
        if (item->data == slip)
            return item;
    return nullptr;
}

int PersonItemStore::GetFormID(const CTaxData_Form* form) const
{
    const STRUCT_FORMDATA_ITEM_2004* item = FindFormItem(form);
    return item ? item->id : 0;
}

int PersonItemStore::GetSharedFormID(const CTaxData_Form* form) const
{
    const STRUCT_FORMDATA_ITEM_2004* item = FindFormItem(form);
    return item ? item->sharedId : 0;
}

int PersonItemStore::GetSlipID(const CTaxData_Form* slip) const
{
    const STRUCT_SLIPDATA_ITEM_2004* item = FindSlipItem(slip);
    return item ? item->id : 0;
}

int PersonItemStore::GetSharedSlipID(const CTaxData_Form* slip) const
{
    const STRUCT_SLIPDATA_ITEM_2004* item = FindSlipItem(slip);
    return item ? item->sharedId : 0;
}

bool PersonItemStore::SetSharedForm(const CTaxData_Form* form, int sharedId)
{
    STRUCT_FORMDATA_ITEM_2004* item = FindFormItem(form);
    if (!item)
        return false;
    item->sharedId = sharedId;
    return true;
}

bool PersonItemStore::SetSharedSlip(const CTaxData_Form* slip, int sharedId)
{
    STRUCT_SLIPDATA_ITEM_2004* item = FindSlipItem(slip);
    if (!item)
        return false;
    item->sharedId = sharedId;
    return true;
}

void PersonItemStore::ClearDanglingSharedIds(const PersonItemStore& other)
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

void PersonItemStore::ClearAllSharedIds()
{
    for (STRUCT_FORMDATA_ITEM_2004* item : m_formList)
        item->sharedId = 0;
    for (STRUCT_SLIPDATA_ITEM_2004* item : m_slipList)
        item->sharedId = 0;
}

bool PersonItemStore::HasSharedComponent() const
{
    for (const STRUCT_SLIPDATA_ITEM_2004* item : m_slipList)
        if (item->data && item->data->IsShared())
            return true;
    return false;
}

int PersonItemStore::GetCountOfSFDForms() const
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

// ---- Walks ----

void PersonItemStore::EnumTaxForms(CEnumTaxFormObj* visitor, void* param)
{
    if (!visitor)
        return;
    visitor->begin(param);
    for (STRUCT_FORMDATA_ITEM_2004* item : m_formList)
        if (!visitor->doWork(item, param))
            break;
    visitor->end(param);
}

void PersonItemStore::EnumTaxSlips(CEnumTaxSlipObj* visitor, void* param)
{
    if (!visitor)
        return;
    visitor->begin(param);
    for (STRUCT_SLIPDATA_ITEM_2004* item : m_slipList)
        if (!visitor->doWork(item, param))
            break;
    visitor->end(param);
}

void PersonItemStore::EnumTaxNotes(CEnumTaxNoteObj* visitor, void* param)
{
    if (!visitor)
        return;
    for (STRUCT_NOTEDATA_ITEM_2004* item : m_noteList)
        if (!visitor->doWork(item, param))
            break;
}

void PersonItemStore::EnumTaxWizards(CEnumTaxWizardObj* visitor, void* param)
{
    if (!visitor)
        return;
    for (STRUCT_WIZDATA_ITEM_2004* item : m_wizList)
        visitor->doWork(item, param);
}

// ---- Order, flags ----

void PersonItemStore::moveFormToFront(ENUMTYPE_FORM type)
{
    const auto found = std::find_if(m_formList.begin(), m_formList.end(),
                                    [type](const STRUCT_FORMDATA_ITEM_2004* item) { return item->type == type; });
    if (found != m_formList.end() && found != m_formList.begin()) {
        m_formList.splice(m_formList.begin(), m_formList, found);
        formListChanged();
    }
}

void PersonItemStore::setCoupledFlag(bool coupled)
{
    for (STRUCT_FORMDATA_ITEM_2004* item : m_formList)
        if (item->data)
            item->data->setCoupledReturn(coupled);
}

// ---- Removing ----

void PersonItemStore::releaseFormObject(CTaxData_Form* form, bool inList)
{
    if (!form)
        return;
    if (!m_host.FreeFormData(form, inList))
        delete form;
}

void PersonItemStore::releaseWizardObject(STRUCT_WIZDATA_ITEM_2004* item)
{
    if (!item->data)
        return;
    if (item->type == TAXWIZARD_PROVINCIAL) {
        // The plug-in that made it frees it; an object it leaves stays with
        // the host, which frees it before the plug-in is unloaded.
        m_host.FreeWizardData();
        return;
    }
    delete item->data;
}

void PersonItemStore::forgetPluginObject(const CTaxData_Form* object)
{
    const auto holdsObject = [object](const auto* item) { return item->data == object; };
    const auto dropItem = [](auto* item) { delete item; };
    eraseItemsIf(m_formList, holdsObject, dropItem);
    formListChanged();
    eraseItemsIf(m_wizList, holdsObject, dropItem);
}

void PersonItemStore::freeAll()
{
    // Each list is detached before its objects go, so that the host's release
    // hook never finds a half-freed item.
    std::list<STRUCT_FORMDATA_ITEM_2004*> forms;
    forms.swap(m_formList);
    formListChanged();
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
}

void PersonItemStore::RemoveSlipData(CTaxData_Form* slip)
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

void PersonItemStore::RemoveNoteData(CTaxData_Form* note)
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

void PersonItemStore::removeFormItem(const CTaxData_Form* form)
{
    for (auto it = m_formList.begin(); it != m_formList.end(); ++it) {
        if ((*it)->data != form)
            continue;
        STRUCT_FORMDATA_ITEM_2004* item = *it;
        m_formList.erase(it);
        formListChanged();
        releaseFormObject(item->data, true);
        delete item;
        return;
    }
}

void PersonItemStore::removeProvincialFormsExcept(ENUMTYPE_PROVINCE keep)
{
    // After a switch of province only the kept province's plug-in is loaded,
    // and a form whose plug-in is gone must not stay behind. The table by
    // type goes before the first release (which may look forms up) and again
    // after the last.
    formListChanged();
    eraseItemsIf(
        m_formList,
        [keep](const STRUCT_FORMDATA_ITEM_2004* item) {
            const int province = getFormProv(item->type);
            return item->data && province > 0 && province != keep;
        },
        [this](STRUCT_FORMDATA_ITEM_2004* item) {
            releaseFormObject(item->data, true);
            delete item;
        });
    formListChanged();
}

// ---- Copy and compare ----

bool PersonItemStore::sameLayout(const PersonItemStore& other) const
{
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

void PersonItemStore::copyValuesFrom(const PersonItemStore& other)
{
    m_nextId = other.m_nextId;
    copyValuesInOrder(m_formList, other.m_formList);
    copyValuesInOrder(m_slipList, other.m_slipList);
    copyValuesInOrder(m_noteList, other.m_noteList);
    copyValuesInOrder(m_wizList, other.m_wizList);
}

bool PersonItemStore::sameItems(const PersonItemStore& other) const
{
    if (m_formList.size() != other.m_formList.size() || m_slipList.size() != other.m_slipList.size()
        || m_noteList.size() != other.m_noteList.size() || m_wizList.size() != other.m_wizList.size())
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
