// Family return: life cycle, copies, the current person and names.
#include "model/cfamilytaxdata.h"

#include "model/returnchanges.h"

CFamilyTaxData::CFamilyTaxData(ENUM_MultiProvsTaxMgrMode mode)
    : m_mode(mode), m_changes(std::make_unique<ReturnChangeNotifier>())
{
    m_pTaxpayer = new IndividualTaxData(mode, &m_dependants);
    m_pSpouse = new IndividualTaxData(mode, &m_dependants);
}

CFamilyTaxData::~CFamilyTaxData()
{
    FreeData();
    delete m_pTaxpayer;
    delete m_pSpouse;
}

void CFamilyTaxData::FreeData()
{
    m_dependants.FreeData();
    m_pTaxpayer->FreeData();
    m_pSpouse->FreeData();
    m_curIndv = kTaxpayer;
}

CFamilyTaxData& CFamilyTaxData::operator=(const CFamilyTaxData& other)
{
    if (this == &other)
        return *this;
    ReturnChangeGuard change(*m_changes);
    m_changes->noteItemsChanged(0, ReturnChangeNotifier::kAllKinds);
    m_dependants = other.m_dependants;
    *m_pTaxpayer = *other.m_pTaxpayer;
    *m_pSpouse = *other.m_pSpouse;
    // A copy of a coupled family is coupled too: its forms calculate as such.
    m_pTaxpayer->SetCoupledReturn(other.m_pTaxpayer->IsCoupledReturn());
    m_pSpouse->SetCoupledReturn(other.m_pSpouse->IsCoupledReturn());
    m_curIndv = other.m_curIndv;
    return *this;
}

bool CFamilyTaxData::softCopy(const CFamilyTaxData& other)
{
    if (this == &other)
        return true;
    bool soft = true;
    for (auto [mine, theirs] : {std::pair{m_pTaxpayer, other.m_pTaxpayer}, std::pair{m_pSpouse, other.m_pSpouse}}) {
        if (!mine->softCopy(*theirs)) {
            *mine = *theirs;
            soft = false;
        }
        mine->SetCoupledReturn(theirs->IsCoupledReturn());
    }
    m_dependants = other.m_dependants;
    m_curIndv = other.m_curIndv;
    return soft;
}

bool CFamilyTaxData::operator!=(const CFamilyTaxData& other) const
{
    return *m_pTaxpayer != *other.m_pTaxpayer || *m_pSpouse != *other.m_pSpouse
           || m_dependants != other.m_dependants;
}

int CFamilyTaxData::setCurIndv(int index)
{
    if ((index == kTaxpayer || index == kSpouse) && index != m_curIndv) {
        m_curIndv = index;
        m_changes->notePersonSwitched(index);
    }
    return m_curIndv;
}

IndividualTaxData* CFamilyTaxData::getCurIndvTaxData() const
{
    switch (m_curIndv) {
    case kTaxpayer: return m_pTaxpayer;
    case kSpouse: return m_pSpouse;
    default: return nullptr;
    }
}

IndividualTaxData* CFamilyTaxData::getNonCurIndvTaxData() const
{
    switch (m_curIndv) {
    case kTaxpayer: return m_pSpouse;
    case kSpouse: return m_pTaxpayer;
    default: return nullptr;
    }
}

bool CFamilyTaxData::IsCoupledReturn() const { return m_pSpouse->HasForm(FORM_T1); }

void CFamilyTaxData::getFamilyFullName(CString& taxpayer, CString& spouse) const
{
    taxpayer = CString();
    spouse = CString();
    m_pTaxpayer->getFedStringClaimed(17, taxpayer);
    if (IsCoupledReturn())
        m_pSpouse->getFedStringClaimed(17, spouse);
}

QString CFamilyTaxData::GetReturnFileNameWithoutSuffix() const
{
    QString name = m_pTaxpayer->GetReturnFileNameWithoutSuffix();
    if (IsCoupledReturn())
        name += QLatin1Char('_') + m_pSpouse->GetReturnFileNameWithoutSuffix();
    return name;
}

void CFamilyTaxData::GetActiveProvinces(std::list<unsigned int>& provinces) const
{
    const IndividualTaxData* person = m_curIndv == kSpouse ? m_pSpouse : m_pTaxpayer;
    person->m_provMgr.GetActiveProvinces(provinces);
}

int CFamilyTaxData::GetCountOfForm(ENUMTYPE_FORM type) const
{
    const IndividualTaxData* person = getCurIndvTaxData();
    return person ? person->GetCountOfForm(type) : 0;
}
