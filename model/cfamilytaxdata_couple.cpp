// Family return: coupling, province change, items shared between spouses,
// and the set-up of a new return.
#include "model/cfamilytaxdata.h"

#include <utility>

#include "companion/forms/catalogue.h"
#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "model/dialogrecords.h"

namespace {

bool isSpouseStatus(int marital) { return marital == 0 || marital == 1; }

bool sameDependant(const DependantInfo& a, const DependantInfo& b)
{
    return a.firstName.trimmed().compare(b.firstName.trimmed(), Qt::CaseInsensitive) == 0
           && a.lastName.trimmed().compare(b.lastName.trimmed(), Qt::CaseInsensitive) == 0
           && a.dateOfBirth == b.dateOfBirth;
}

STRUCT_FORMDATA_ITEM_2004* formItemWithId(IndividualTaxData& person, ENUMTYPE_FORM type, int id)
{
    for (STRUCT_FORMDATA_ITEM_2004* item : person.m_formList)
        if (item->type == type && item->id == id)
            return item;
    return nullptr;
}

STRUCT_SLIPDATA_ITEM_2004* slipItemWithId(IndividualTaxData& person, ENUMTYPE_SLIP type, int id)
{
    for (STRUCT_SLIPDATA_ITEM_2004* item : person.m_slipList)
        if (item->type == type && item->id == id)
            return item;
    return nullptr;
}

// Optional forms of the new-return wizard. A pair stands for a federal
// schedule with its provincial companion.
constexpr ENUMTYPE_FORM kSch11Pair = -11;
constexpr ENUMTYPE_FORM kSch2Pair = -2;

struct OptionalForm
{
    bool NewReturnBasicData::*flag;
    ENUMTYPE_FORM type;
};

const OptionalForm kTaxpayerOptions[] = {
    {&NewReturnBasicData::bSch3, 4},        {&NewReturnBasicData::bSch4, 210},
    {&NewReturnBasicData::bSch6, 119},      {&NewReturnBasicData::bSch7, 7},
    {&NewReturnBasicData::bSch9, 9},        {&NewReturnBasicData::bSch11, kSch11Pair},
    {&NewReturnBasicData::bSch15, 205},     {&NewReturnBasicData::bT776, 12},
    {&NewReturnBasicData::bT2125, 125},     {&NewReturnBasicData::bT1DD, 52},
};

// Of the wizard's choices the spouse gets these; Schedule 2 always (a
// coupled return has a spouse) in its place in the order.
const OptionalForm kSpouseOptions[] = {
    {&NewReturnBasicData::bSch7, 7},
    {&NewReturnBasicData::bT776, 12},
    {&NewReturnBasicData::bSch11, kSch11Pair},
    {nullptr, kSch2Pair},
    {&NewReturnBasicData::bSch6, 119},
};

void createOptionalForm(IndividualTaxData& person, ENUMTYPE_FORM type)
{
    if (type == kSch11Pair)
        person.GetS11FormData();
    else if (type == kSch2Pair)
        person.GetS2FormData();
    else
        person.GetFormData(type, true);
}

} // namespace

void CFamilyTaxData::mergeDependantsFrom(const DependantInfoStruct& other)
{
    m_dependants.AllocData(kDependantSlots);
    for (int i = 0; i < other.GetCount(); ++i) {
        const DependantInfo* theirs = other.GetAt(i);
        if (!theirs || !theirs->isUsed())
            continue;
        bool known = false;
        int freeSlot = -1;
        for (int j = 0; j < m_dependants.GetCount(); ++j) {
            const DependantInfo* mine = m_dependants.GetAt(j);
            if (mine->isUsed() && sameDependant(*mine, *theirs))
                known = true;
            if (!mine->isUsed() && freeSlot < 0)
                freeSlot = j;
        }
        if (!known && freeSlot >= 0)
            *m_dependants.GetAt(freeSlot) = *theirs;
    }
}

bool CFamilyTaxData::CoupleTaxReturn(CFamilyTaxData* other)
{
    if (!other || other == this)
        return true;
    m_pSpouse->FreeData();
    *m_pSpouse = *other->m_pTaxpayer;
    mergeDependantsFrom(other->m_dependants);
    m_pTaxpayer->SetCoupledReturn(true);
    m_pSpouse->SetCoupledReturn(true);

    const int taxpayerStatus = m_pTaxpayer->GetMaritalStatus();
    const int spouseStatus = m_pSpouse->GetMaritalStatus();
    if (isSpouseStatus(taxpayerStatus)) {
        m_pSpouse->SetMaritalStatus(taxpayerStatus);
    } else if (isSpouseStatus(spouseStatus)) {
        m_pTaxpayer->SetMaritalStatus(spouseStatus);
    } else {
        m_pTaxpayer->SetMaritalStatus(0);
        m_pSpouse->SetMaritalStatus(0);
    }
    // Links were made with former spouses. Ids start at 100 in every
    // return, so such a link may well name an item of the new partner that
    // it never was linked to: none survives the coupling.
    m_pTaxpayer->ClearAllSharedIds();
    m_pSpouse->ClearAllSharedIds();
    return true;
}

void CFamilyTaxData::DecoupleReturn(bool keepSpouse)
{
    if (keepSpouse)
        std::swap(m_pTaxpayer, m_pSpouse); // both persons already use the family's table
    m_pSpouse->FreeData();
    m_pSpouse->m_province = 0;
    // The partner of every link is gone.
    m_pTaxpayer->ClearAllSharedIds();
    m_pTaxpayer->SetCoupledReturn(false);
    m_pSpouse->SetCoupledReturn(false);
    m_curIndv = kTaxpayer;
}

void CFamilyTaxData::ChangeProvince(ENUMTYPE_PROVINCE from, ENUMTYPE_PROVINCE to, int both)
{
    Q_UNUSED(from); // each person leaves the province it is actually in
    if (both != 0 && IsCoupledReturn()) {
        m_pTaxpayer->ChangeProvince(m_pTaxpayer->m_province, to);
        m_pSpouse->ChangeProvince(m_pSpouse->m_province, to);
        clearLinksToRemovedItems();
        return;
    }
    if (IndividualTaxData* person = getCurIndvTaxData())
        person->ChangeProvince(person->m_province, to);
    clearLinksToRemovedItems();
}

void CFamilyTaxData::clearLinksToRemovedItems()
{
    m_pTaxpayer->ClearDanglingSharedIds(*m_pSpouse);
    m_pSpouse->ClearDanglingSharedIds(*m_pTaxpayer);
}

bool CFamilyTaxData::IsTaxFormSharedWithSpouse(const CTaxData_Form* form) const
{
    const IndividualTaxData* person = getCurIndvTaxData();
    return IsCoupledReturn() && person && person->GetSharedFormID(form) > 0;
}

bool CFamilyTaxData::IsTaxSlipSharedWithSpouse(const CTaxData_Form* slip) const
{
    const IndividualTaxData* person = getCurIndvTaxData();
    return IsCoupledReturn() && person && person->GetSharedSlipID(slip) > 0;
}

bool CFamilyTaxData::ShareTaxFormWithSpouse(CTaxData_Form* form, int existingId)
{
    IndividualTaxData* source = getCurIndvTaxData();
    IndividualTaxData* target = getNonCurIndvTaxData();
    if (!source || !target || !IsCoupledReturn())
        return false;
    STRUCT_FORMDATA_ITEM_2004* item = source->FindFormItem(form);
    if (!item || item->id < 1 || !IsFormSharable(item->type))
        return false;

    STRUCT_FORMDATA_ITEM_2004* partner = nullptr;
    if (IsSFDForm(item->type)) {
        if (existingId != 0) {
            partner = formItemWithId(*target, item->type, existingId);
            if (!partner)
                return false;
            partner->sharedId = item->id;
        } else {
            partner = target->NewFormDataItem(item->type, target->GetNextUniqueID(), true, item->id, true);
            if (!partner)
                return false;
            partner->data->CopyData(form);
        }
    } else {
        // A spouse holding the type twice has no single form to link to.
        partner = target->GetFormDataItem(item->type, true);
        if (!partner)
            return false;
        partner->sharedId = item->id;
    }
    item->sharedId = partner->id;
    // A link either item had before now names an item that no longer names
    // it back.
    clearLinksToRemovedItems();
    return true;
}

bool CFamilyTaxData::ShareTaxSlipWithSpouse(CTaxData_Form* slip, int existingId)
{
    IndividualTaxData* source = getCurIndvTaxData();
    IndividualTaxData* target = getNonCurIndvTaxData();
    if (!source || !target || !IsCoupledReturn())
        return false;
    STRUCT_SLIPDATA_ITEM_2004* item = source->FindSlipItem(slip);
    if (!item || item->id < 1 || !IsSlipSharable(item->type))
        return false;

    STRUCT_SLIPDATA_ITEM_2004* partner = nullptr;
    if (existingId != 0) {
        partner = slipItemWithId(*target, item->type, existingId);
        if (!partner)
            return false;
        partner->sharedId = item->id;
    } else {
        partner = target->NewSlipData(item->type, target->GetNextUniqueID(), item->id);
        if (!partner)
            return false;
        partner->data->CopyData(slip);
    }
    item->sharedId = partner->id;
    // A link either item had before now names an item that no longer names
    // it back.
    clearLinksToRemovedItems();
    return true;
}

void CFamilyTaxData::UnShareTaxFormWithSpouse(CTaxData_Form* form)
{
    IndividualTaxData* source = getCurIndvTaxData();
    IndividualTaxData* target = getNonCurIndvTaxData();
    STRUCT_FORMDATA_ITEM_2004* item = source ? source->FindFormItem(form) : nullptr;
    if (!item)
        return;
    if (target && item->sharedId > 0)
        if (STRUCT_FORMDATA_ITEM_2004* partner = formItemWithId(*target, item->type, item->sharedId))
            partner->sharedId = 0;
    item->sharedId = 0;
}

void CFamilyTaxData::UnShareTaxSlipWithSpouse(CTaxData_Form* slip)
{
    IndividualTaxData* source = getCurIndvTaxData();
    IndividualTaxData* target = getNonCurIndvTaxData();
    STRUCT_SLIPDATA_ITEM_2004* item = source ? source->FindSlipItem(slip) : nullptr;
    if (!item)
        return;
    if (target && item->sharedId > 0)
        if (STRUCT_SLIPDATA_ITEM_2004* partner = slipItemWithId(*target, item->type, item->sharedId))
            partner->sharedId = 0;
    item->sharedId = 0;
}

bool CFamilyTaxData::SyncMailingAddrToSpouseReturn()
{
    IndividualTaxData* current = getCurIndvTaxData();
    IndividualTaxData* other = getNonCurIndvTaxData();
    if (!IsCoupledReturn() || !current || !other)
        return false;
    TaxData_T1New* currentT1 = current->GetT1();
    TaxData_T1New* otherT1 = other->GetT1();
    if (!currentT1 || !otherT1)
        return false;
    otherT1->SyncWithSpouseMailingAddr(*currentT1);
    return true;
}

int CFamilyTaxData::CopyTaxPreparerInfo()
{
    for (IndividualTaxData* person : {getCurIndvTaxData(), getNonCurIndvTaxData()})
        if (person)
            person->CopyTaxPreparerInfo();
    return 0;
}

void CFamilyTaxData::CreateTestPrintFile()
{
    m_pTaxpayer->CreateTestPrintFile();
    m_pSpouse->m_markerWord = 1;
}

void CFamilyTaxData::NewData(const NewReturnBasicData* record)
{
    if (!record)
        return;
    const bool hasSpouse = unsigned(record->MaritalStatus) < 2;
    const bool coupled = hasSpouse && record->Coupled;

    m_pTaxpayer->NewData(record->TaxPronv, record->FirstName, record->LastName, record->sin, record->dob,
                         record->MaritalStatus, record->FirstNameSpouse, record->LastNameSpouse, record->sinSpouse,
                         record->dobSpouse, coupled);
    for (const OptionalForm& option : kTaxpayerOptions)
        if (record->*option.flag)
            createOptionalForm(*m_pTaxpayer, option.type);
    if (hasSpouse)
        m_pTaxpayer->GetS2FormData();

    if (coupled) {
        m_pSpouse->NewData(record->TaxPronvSpouse, record->FirstNameSpouse, record->LastNameSpouse,
                           record->sinSpouse, record->dobSpouse, record->MaritalStatus, record->FirstName,
                           record->LastName, record->sin, record->dob, true);
        for (const OptionalForm& option : kSpouseOptions)
            if (!option.flag || record->*option.flag)
                createOptionalForm(*m_pSpouse, option.type);
    }
    m_dependants.AllocData(kDependantSlots);
    Calculate(-1, nullptr);
}
