#pragma once

#include <cstddef>
#include <list>
#include <vector>

#include "companion/forms/taxtypes.h"
#include "model/taxdataitems.h"

class CMultiProvsTaxMgr;
class CTaxData_Form;
class TaxData_T1New;
class TaxData_T2209_2036;

// The items of one person's return: the lists of forms, slips, notes and
// interview data, the ids drawn for them, and the lookups and walks over
// them. The store owns every item and the object it points at; an object a
// provincial plug-in made goes back through the host, which frees it in the
// plug-in that made it. Which object a new item gets is the person's
// business: the store only adopts it.
class PersonItemStore
{
public:
    static constexpr int kFirstItemId = 100;

    explicit PersonItemStore(CMultiProvsTaxMgr& host) : m_host(host) {}
    PersonItemStore(const PersonItemStore&) = delete;
    PersonItemStore& operator=(const PersonItemStore&) = delete;

    // ---- Ids ----
    int GetNextUniqueID() { return m_nextId++; }
    // A drawn id for an id below 1, else the given one, which later draws
    // then pass.
    int takeItemId(int id);

    // ---- Adopting objects (the store owns them from here) ----
    // addToList false: an item in no list, which the caller frees.
    STRUCT_FORMDATA_ITEM_2004* adoptForm(ENUMTYPE_FORM type, int id, int sharedId, CTaxData_Form* form,
                                         bool addToList);
    STRUCT_SLIPDATA_ITEM_2004* adoptSlip(ENUMTYPE_SLIP type, int id, int sharedId, CTaxData_Form* slip);
    // Forms, slips and notes take their ids by takeItemId.
    STRUCT_NOTEDATA_ITEM_2004* adoptNote(int id, CTaxData_Form* note);
    STRUCT_WIZDATA_ITEM_2004* adoptWizard(ENUMTYPE_TAXWIZARD type, CTaxData_Form* data);

    // ---- Lookups ----
    bool HasForm(ENUMTYPE_FORM type) const;
    int GetCountOfForm(ENUMTYPE_FORM type) const; // type 0 counts every form
    int GetCountOfSlip(ENUMTYPE_SLIP type) const;
    // The only item of that type; null when there are none or several.
    STRUCT_FORMDATA_ITEM_2004* onlyFormItem(ENUMTYPE_FORM type) const;
    CTaxData_Form* GetFormData(ENUMTYPE_FORM type, int id) const;
    void GetFormDataList(ENUMTYPE_FORM type, std::list<STRUCT_FORMDATA_ITEM_2004*>& out) const;
    CTaxData_Form* findSlip(ENUMTYPE_SLIP type, int id) const;
    CTaxData_Form* findWizard(ENUMTYPE_TAXWIZARD type) const;
    int PrepareT2209List(std::list<TaxData_T2209_2036*>& out) const;
    // The only T1; null when there are none or several.
    TaxData_T1New* GetT1() const;

    STRUCT_FORMDATA_ITEM_2004* FindFormItem(const CTaxData_Form* form) const;
    STRUCT_SLIPDATA_ITEM_2004* FindSlipItem(const CTaxData_Form* slip) const;
    int GetFormID(const CTaxData_Form* form) const;
    int GetSharedFormID(const CTaxData_Form* form) const;
    int GetSlipID(const CTaxData_Form* slip) const;
    int GetSharedSlipID(const CTaxData_Form* slip) const;
    bool SetSharedForm(const CTaxData_Form* form, int sharedId);
    bool SetSharedSlip(const CTaxData_Form* slip, int sharedId);
    // Shared ids that no item of the other store carries any more go to 0.
    void ClearDanglingSharedIds(const PersonItemStore& other);
    void ClearAllSharedIds();
    bool HasSharedComponent() const;
    int GetCountOfSFDForms() const;

    // ---- Walks ----
    void EnumTaxForms(CEnumTaxFormObj* visitor, void* param);
    void EnumTaxSlips(CEnumTaxSlipObj* visitor, void* param);
    void EnumTaxNotes(CEnumTaxNoteObj* visitor, void* param);
    void EnumTaxWizards(CEnumTaxWizardObj* visitor, void* param);

    // ---- Forms by type while a calculation runs ----
    // A calculation looks forms up by type hundreds of times a pass. While
    // it holds the index, the lookups by type (onlyFormItem, HasForm,
    // GetCountOfForm, GetT1) read a table by type, drawn from the form list
    // at the first lookup after a change; every change the store makes to
    // the list drops the table. Outside a calculation the list is walked, as
    // callers may change the public list directly. Holds nest.
    void holdFormTypeIndex() { ++m_typeIndexHolds; }
    void releaseFormTypeIndex()
    {
        if (--m_typeIndexHolds == 0)
            formListChanged();
    }

    // ---- Order, flags ----
    // The first form of the type moves to the front of the form list.
    void moveFormToFront(ENUMTYPE_FORM type);
    void setCoupledFlag(bool coupled);

    // ---- Removing ----
    // Frees every item with its object.
    void freeAll();
    void RemoveSlipData(CTaxData_Form* slip);
    void RemoveNoteData(CTaxData_Form* note);
    // The item holding form leaves the list and goes with its object.
    void removeFormItem(const CTaxData_Form* form);
    // Every provincial form except those of keep.
    void removeProvincialFormsExcept(ENUMTYPE_PROVINCE keep);
    // Frees an object: through the host when a plug-in made it, else by
    // deleting it.
    void releaseFormObject(CTaxData_Form* form, bool inList);
    // The host is about to free an object a plug-in made: every item that
    // holds it goes (the host frees the object).
    void forgetPluginObject(const CTaxData_Form* object);

    // ---- Copy and compare ----
    // Same types, ids and shared ids in the same order, each with an object.
    bool sameLayout(const PersonItemStore& other) const;
    // Values only, item by item; the layouts must be the same.
    void copyValuesFrom(const PersonItemStore& other);
    // The same items (forms by type, and id for multiple-instance types;
    // slips by type and id; notes by id; interview data by type) with equal
    // values.
    bool sameItems(const PersonItemStore& other) const;

    // The lists and the next id, read directly by the person's callers.
    std::list<STRUCT_FORMDATA_ITEM_2004*> m_formList;
    std::list<STRUCT_SLIPDATA_ITEM_2004*> m_slipList;
    std::list<STRUCT_NOTEDATA_ITEM_2004*> m_noteList;
    std::list<STRUCT_WIZDATA_ITEM_2004*> m_wizList;
    int m_nextId = kFirstItemId;

private:
    void releaseWizardObject(STRUCT_WIZDATA_ITEM_2004* item);

    // The forms of one type: the first in list order and how many.
    struct FormsOfType {
        STRUCT_FORMDATA_ITEM_2004* first = nullptr;
        int count = 0;
    };
    static const FormsOfType kNoForms;
    // Types beyond this are never put in the table: a list holding one is
    // walked instead.
    static constexpr int kIndexedTypes = 1024;
    // The table's entry for the type, or null when the list is to be walked
    // (no hold, or a list the table cannot hold).
    const FormsOfType* indexedForms(ENUMTYPE_FORM type) const;
    void drawFormTypeIndex() const;
    // Every change of the form list's items or order calls this.
    void formListChanged() { m_typeIndexDrawn = m_typeIndexReady = false; }

    CMultiProvsTaxMgr& m_host;
    int m_typeIndexHolds = 0;
    // Drawn since the last change; ready when drawn and of use.
    mutable bool m_typeIndexDrawn = false;
    mutable bool m_typeIndexReady = false;
    mutable std::vector<FormsOfType> m_formsByType;
};

// The lookups every calculation step makes over and over are defined here,
// so that the person's forwarding costs nothing in the step loops.

inline const PersonItemStore::FormsOfType* PersonItemStore::indexedForms(ENUMTYPE_FORM type) const
{
    if (!m_typeIndexReady) {
        if (m_typeIndexHolds == 0 || m_typeIndexDrawn)
            return nullptr;
        drawFormTypeIndex();
        if (!m_typeIndexReady)
            return nullptr;
    }
    // A type beyond the table is one no form in the list has.
    return size_t(unsigned(type)) < m_formsByType.size() ? &m_formsByType[size_t(type)] : &kNoForms;
}

inline STRUCT_FORMDATA_ITEM_2004* PersonItemStore::onlyFormItem(ENUMTYPE_FORM type) const
{
    if (const FormsOfType* forms = indexedForms(type))
        return forms->count == 1 ? forms->first : nullptr;
    STRUCT_FORMDATA_ITEM_2004* found = nullptr;
    for (STRUCT_FORMDATA_ITEM_2004* item : m_formList) {
        if (item->type != type)
            continue;
        if (found)
            return nullptr; // several: no single item
        found = item;
    }
    return found;
}

inline bool PersonItemStore::HasForm(ENUMTYPE_FORM type) const
{
    if (const FormsOfType* forms = indexedForms(type))
        return forms->count > 0;
    for (const STRUCT_FORMDATA_ITEM_2004* item : m_formList)
        if (item->type == type)
            return true;
    return false;
}

inline CTaxData_Form* PersonItemStore::GetFormData(ENUMTYPE_FORM type, int id) const
{
    for (const STRUCT_FORMDATA_ITEM_2004* item : m_formList)
        if (item->type == type && item->id == id)
            return item->data;
    return nullptr;
}

inline CTaxData_Form* PersonItemStore::findSlip(ENUMTYPE_SLIP type, int id) const
{
    for (const STRUCT_SLIPDATA_ITEM_2004* item : m_slipList)
        if (item->type == type && item->id == id)
            return item->data;
    return nullptr;
}

inline CTaxData_Form* PersonItemStore::findWizard(ENUMTYPE_TAXWIZARD type) const
{
    for (const STRUCT_WIZDATA_ITEM_2004* item : m_wizList)
        if (item->type == type)
            return item->data;
    return nullptr;
}
