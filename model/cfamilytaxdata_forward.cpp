// Family return: operations that act on the current person.
#include "model/cfamilytaxdata.h"

#include "companion/forms/federal/mirroring.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "model/returnchanges.h"

bool CFamilyTaxData::HasForm(ENUMTYPE_FORM type) const
{
    const IndividualTaxData* person = getCurIndvTaxData();
    return person && person->HasForm(type);
}

CTaxData_Form* CFamilyTaxData::GetFormData(ENUMTYPE_FORM type, bool create)
{
    IndividualTaxData* person = getCurIndvTaxData();
    return person ? person->GetFormData(type, create) : nullptr;
}

STRUCT_FORMDATA_ITEM_2004* CFamilyTaxData::GetFormDataItem(ENUMTYPE_FORM type, bool create)
{
    IndividualTaxData* person = getCurIndvTaxData();
    return person ? person->GetFormDataItem(type, create) : nullptr;
}

STRUCT_FORMDATA_ITEM_2004* CFamilyTaxData::NewFormDataItem(ENUMTYPE_FORM type, int id, bool addToList,
                                                           int sharedId, bool init)
{
    IndividualTaxData* person = getCurIndvTaxData();
    if (!person)
        return nullptr;
    ReturnChangeGuard change(*m_changes);
    STRUCT_FORMDATA_ITEM_2004* item = person->NewFormDataItem(type, id, addToList, sharedId, init);
    if (item && addToList)
        m_changes->noteItemsChanged(m_curIndv, FROM_FORM);
    // Pension splitting is elected by both spouses on their own T1032.
    if (type == FORM_T1032 && IsCoupledReturn())
        if (IndividualTaxData* other = getNonCurIndvTaxData()) {
            other->GetFormDataItem(FORM_T1032, true);
            m_changes->noteItemsChanged(m_curIndv == kTaxpayer ? kSpouse : kTaxpayer, FROM_FORM);
        }
    return item;
}

STRUCT_SLIPDATA_ITEM_2004* CFamilyTaxData::NewSlipData(ENUMTYPE_SLIP type, int id, int sharedId)
{
    IndividualTaxData* person = getCurIndvTaxData();
    STRUCT_SLIPDATA_ITEM_2004* item = person ? person->NewSlipData(type, id, sharedId) : nullptr;
    if (item)
        m_changes->noteItemsChanged(m_curIndv, FROM_SLIP);
    return item;
}

STRUCT_NOTEDATA_ITEM_2004* CFamilyTaxData::NewNoteData(int id)
{
    IndividualTaxData* person = getCurIndvTaxData();
    STRUCT_NOTEDATA_ITEM_2004* item = person ? person->NewNoteData(id) : nullptr;
    if (item)
        m_changes->noteItemsChanged(m_curIndv, FROM_NOTE);
    return item;
}

void CFamilyTaxData::RemoveNoteData(CTaxData_Form* note)
{
    if (IndividualTaxData* person = getCurIndvTaxData()) {
        person->RemoveNoteData(note);
        m_changes->noteItemsChanged(m_curIndv, FROM_NOTE);
    }
}

void CFamilyTaxData::RemoveSlipData(CTaxData_Form* slip)
{
    ReturnChangeGuard change(*m_changes);
    if (IndividualTaxData* person = getCurIndvTaxData()) {
        person->RemoveSlipData(slip);
        m_changes->noteItemsChanged(m_curIndv, FROM_SLIP);
    }
    // The spouse's copy of a shared slip stays, as an item of its own.
    clearLinksToRemovedItems();
}

void CFamilyTaxData::RemoveFormData(CTaxData_Form* form, bool)
{
    ReturnChangeGuard change(*m_changes);
    IndividualTaxData* person = getCurIndvTaxData();
    // Schedule 6 is added by the calculation when the return has room for the
    // workers benefit; once the user removes it, it stays out of this return.
    if (person && form && form->getType() == FORM_SCH6)
        if (TaxData_T1New* t1 = person->GetT1())
            t1->Schedule6Removed.m_value = 1;
    if (person) {
        person->RemoveFormData(form, true);
        m_changes->noteItemsChanged(m_curIndv, FROM_FORM);
    }
    // The spouse's copy of a shared form stays, as an item of its own.
    clearLinksToRemovedItems();
}

ENUMTYPE_FORM CFamilyTaxData::FindExtraFormToBeAdded(ENUMTYPE_FORM type)
{
    IndividualTaxData* person = getCurIndvTaxData();
    return person ? person->FindExtraFormToBeAdded(type) : 0;
}

CString CFamilyTaxData::GetReturnStatusString(int style) const
{
    const IndividualTaxData* person = getCurIndvTaxData();
    return person ? person->GetReturnStatusString(style) : CString("No tax return is opened.");
}

bool CFamilyTaxData::getFedStringClaimed(int code, CString& text) const
{
    const IndividualTaxData* person = getCurIndvTaxData();
    return person && person->getFedStringClaimed(code, text);
}

bool CFamilyTaxData::getFedAmountClaimed(int code, double& value) const
{
    const IndividualTaxData* person = getCurIndvTaxData();
    return person && person->getFedAmountClaimed(code, value);
}

bool CFamilyTaxData::getFedAmountClaimed(int code, int& value) const
{
    const IndividualTaxData* person = getCurIndvTaxData();
    return person && person->getFedAmountClaimed(code, value);
}

bool CFamilyTaxData::setFedAmount(int code, int flag, double amount)
{
    IndividualTaxData* person = getCurIndvTaxData();
    return person && person->setFedAmount(code, flag, amount);
}

bool CFamilyTaxData::setFedString(int code, const CString& text)
{
    CStringField* field = nullptr;
    if (code == 10002) {
        if (auto* t183 = dynamic_cast<TaxData_T183New*>(GetFormData(FORM_T183, false)))
            field = &t183->ESignRequestId;
    } else if (code == 10005) {
        if (auto* rc71 = dynamic_cast<CTaxData_RC71*>(GetFormData(FORM_RC71, false)))
            field = &rc71->ESignRequestId;
    }
    if (!field)
        return false;
    field->m_value = text;
    m_changes->noteFilingStatusChanged(code == 10002 ? FORM_T183 : FORM_RC71);
    return true;
}

CString CFamilyTaxData::GetDireradNameWithoutSuffix() const
{
    const IndividualTaxData* person = getCurIndvTaxData();
    return person ? person->GetDireradNameWithoutSuffix() : CString();
}

void CFamilyTaxData::updateFilingStatus(ENUMTYPE_FORM type, int result, const CString& text)
{
    if (IndividualTaxData* person = getCurIndvTaxData()) {
        person->updateFilingStatus(type, result, text);
        m_changes->noteFilingStatusChanged(type);
    }
}

void CFamilyTaxData::UnsetReFile()
{
    if (IndividualTaxData* person = getCurIndvTaxData()) {
        person->UnsetReFile();
        m_changes->noteFilingStatusChanged(FORM_T1);
    }
}
