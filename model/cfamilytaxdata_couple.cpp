// Family return: coupling, province change, items shared between spouses,
// and the set-up of a new return.
#include "model/cfamilytaxdata.h"
#include "model/returnchanges.h"

#include <utility>

#include "companion/core/sincheck.h"
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

// Sharing by item kind: which items of a kind may be shared, and whether the
// spouse's side of the link is a copy of the item or the spouse's own one
// form of the type.
struct ShareRule {
    bool (*sharable)(int type);
    bool (*spouseGetsCopy)(int type);
};

bool always(int) { return true; }

// Where the items of a kind live in a person and how one is made.
template <typename Item>
struct ItemKind;

template <>
struct ItemKind<STRUCT_FORMDATA_ITEM_2004> {
    // Statement forms are copied (each spouse reports a share of the same
    // business); any other sharable form links to the spouse's own.
    static constexpr ShareRule rule{IsFormSharable, IsSFDForm};
    static std::list<STRUCT_FORMDATA_ITEM_2004*>& list(IndividualTaxData& p) { return p.m_formList; }
    static STRUCT_FORMDATA_ITEM_2004* find(IndividualTaxData& p, const CTaxData_Form* data)
    {
        return p.FindFormItem(data);
    }
    static STRUCT_FORMDATA_ITEM_2004* newCopy(IndividualTaxData& p, int type, int sharedId)
    {
        return p.NewFormDataItem(type, p.GetNextUniqueID(), true, sharedId, true);
    }
    // A spouse holding the type twice has no single form to link to.
    static STRUCT_FORMDATA_ITEM_2004* spouseOwn(IndividualTaxData& p, int type) { return p.GetFormDataItem(type, true); }
};

template <>
struct ItemKind<STRUCT_SLIPDATA_ITEM_2004> {
    // A joint slip is always copied: each spouse keeps a slip of their own.
    static constexpr ShareRule rule{IsSlipSharable, always};
    static std::list<STRUCT_SLIPDATA_ITEM_2004*>& list(IndividualTaxData& p) { return p.m_slipList; }
    static STRUCT_SLIPDATA_ITEM_2004* find(IndividualTaxData& p, const CTaxData_Form* data)
    {
        return p.FindSlipItem(data);
    }
    static STRUCT_SLIPDATA_ITEM_2004* newCopy(IndividualTaxData& p, int type, int sharedId)
    {
        return p.NewSlipData(type, p.GetNextUniqueID(), sharedId);
    }
    static STRUCT_SLIPDATA_ITEM_2004* spouseOwn(IndividualTaxData&, int) { return nullptr; }
};

template <typename Item>
Item* itemWithId(IndividualTaxData& person, int type, int id)
{
    for (Item* item : ItemKind<Item>::list(person))
        if (item->type == type && item->id == id)
            return item;
    return nullptr;
}

// Links the source's item of `data` with an item of the target: the
// target's item `existingId`, or a new copy, or the target's own form of the
// type. The caller clears links the new one replaced.
template <typename Item>
bool linkWithSpouse(IndividualTaxData& source, IndividualTaxData& target, CTaxData_Form* data, int existingId)
{
    using Kind = ItemKind<Item>;
    Item* item = Kind::find(source, data);
    if (!item || item->id < 1 || !Kind::rule.sharable(item->type))
        return false;
    Item* partner = nullptr;
    if (Kind::rule.spouseGetsCopy(item->type)) {
        if (existingId != 0) {
            partner = itemWithId<Item>(target, item->type, existingId);
            if (!partner)
                return false;
            partner->sharedId = item->id;
        } else {
            partner = Kind::newCopy(target, item->type, item->id);
            if (!partner)
                return false;
            partner->data->CopyData(data);
        }
    } else {
        partner = Kind::spouseOwn(target, item->type);
        if (!partner)
            return false;
        partner->sharedId = item->id;
    }
    item->sharedId = partner->id;
    return true;
}

template <typename Item>
void unlinkFromSpouse(IndividualTaxData* source, IndividualTaxData* target, CTaxData_Form* data)
{
    Item* item = source ? ItemKind<Item>::find(*source, data) : nullptr;
    if (!item)
        return;
    if (target && item->sharedId > 0)
        if (Item* partner = itemWithId<Item>(*target, item->type, item->sharedId))
            partner->sharedId = 0;
    item->sharedId = 0;
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
    {&NewReturnBasicData::bSch3, FORM_SCH3},     {&NewReturnBasicData::bSch4, FORM_WS_D1},
    {&NewReturnBasicData::bSch6, FORM_SCH6},     {&NewReturnBasicData::bSch7, FORM_SCH7},
    {&NewReturnBasicData::bSch9, FORM_SCH9},     {&NewReturnBasicData::bSch11, kSch11Pair},
    {&NewReturnBasicData::bSch15, FORM_SCH15},   {&NewReturnBasicData::bT776, FORM_T776},
    {&NewReturnBasicData::bT2125, FORM_T2125},   {&NewReturnBasicData::bT1DD, FORM_T1DD},
};

// Of the wizard's choices the spouse gets these; Schedule 2 always (a
// coupled return has a spouse) in its place in the order.
const OptionalForm kSpouseOptions[] = {
    {&NewReturnBasicData::bSch7, FORM_SCH7},
    {&NewReturnBasicData::bT776, FORM_T776},
    {&NewReturnBasicData::bSch11, kSch11Pair},
    {nullptr, kSch2Pair},
    {&NewReturnBasicData::bSch6, FORM_SCH6},
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
    ReturnChangeGuard change(*m_changes);
    m_changes->noteItemsChanged(0, ReturnChangeNotifier::kAllKinds);
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
    ReturnChangeGuard change(*m_changes);
    m_changes->noteItemsChanged(0, ReturnChangeNotifier::kAllKinds);
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
    ReturnChangeGuard change(*m_changes);
    m_changes->noteItemsChanged(0, FROM_FORM);
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
    return shareWithSpouse(form, existingId, FROM_FORM);
}

bool CFamilyTaxData::ShareTaxSlipWithSpouse(CTaxData_Form* slip, int existingId)
{
    return shareWithSpouse(slip, existingId, FROM_SLIP);
}

bool CFamilyTaxData::shareWithSpouse(CTaxData_Form* data, int existingId, ENUMTYPE_FROM kind)
{
    IndividualTaxData* source = getCurIndvTaxData();
    IndividualTaxData* target = getNonCurIndvTaxData();
    if (!source || !target || !IsCoupledReturn())
        return false;
    const bool linked = kind == FROM_FORM ? linkWithSpouse<STRUCT_FORMDATA_ITEM_2004>(*source, *target, data, existingId)
                                          : linkWithSpouse<STRUCT_SLIPDATA_ITEM_2004>(*source, *target, data, existingId);
    if (!linked)
        return false;
    // A link either item had before now names an item that no longer names
    // it back.
    clearLinksToRemovedItems();
    return true;
}

void CFamilyTaxData::UnShareTaxFormWithSpouse(CTaxData_Form* form)
{
    unlinkFromSpouse<STRUCT_FORMDATA_ITEM_2004>(getCurIndvTaxData(), getNonCurIndvTaxData(), form);
}

void CFamilyTaxData::UnShareTaxSlipWithSpouse(CTaxData_Form* slip)
{
    unlinkFromSpouse<STRUCT_SLIPDATA_ITEM_2004>(getCurIndvTaxData(), getNonCurIndvTaxData(), slip);
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

namespace {

// A S.I.N. is kept as its nine digits, as the T1 page keeps one typed there:
// the wizard accepts "046 454 286", and the electronic return and the
// agency's services must never get the blanks.
CString storedSin(const CString& typed)
{
    return CString(QString::fromStdString(normaliseSIN(QString(typed).trimmed().toUtf8().constData())));
}

} // namespace

void CFamilyTaxData::NewData(const NewReturnBasicData* record)
{
    if (!record)
        return;
    const bool hasSpouse = unsigned(record->MaritalStatus) < 2;
    const bool coupled = hasSpouse && record->Coupled;
    const CString sin = storedSin(record->sin);
    const CString sinSpouse = storedSin(record->sinSpouse);

    m_pTaxpayer->NewData(record->TaxPronv, record->FirstName, record->LastName, sin, record->dob,
                         record->MaritalStatus, record->FirstNameSpouse, record->LastNameSpouse, sinSpouse,
                         record->dobSpouse, coupled);
    for (const OptionalForm& option : kTaxpayerOptions)
        if (record->*option.flag)
            createOptionalForm(*m_pTaxpayer, option.type);
    if (hasSpouse)
        m_pTaxpayer->GetS2FormData();

    if (coupled) {
        m_pSpouse->NewData(record->TaxPronvSpouse, record->FirstNameSpouse, record->LastNameSpouse, sinSpouse,
                           record->dobSpouse, record->MaritalStatus, record->FirstName, record->LastName, sin,
                           record->dob, true);
        for (const OptionalForm& option : kSpouseOptions)
            if (!option.flag || record->*option.flag)
                createOptionalForm(*m_pSpouse, option.type);
    }
    m_dependants.AllocData(kDependantSlots);
    Calculate(-1, nullptr);
}
