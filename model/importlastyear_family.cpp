// Import of last year's return: the family, and the couple option.
#include "model/cfamilytaxdata.h"

#include "companion/forms/t1/taxdata_t1new.h"

namespace {

constexpr ENUMTYPE_MARITAL_STATUS kMarried = 0;
constexpr ENUMTYPE_MARITAL_STATUS kCommonLaw = 1;

} // namespace

void CFamilyTaxData::Build2003DataTo2004(STRUCT_IMPORT_LASTYEAR_PARAM* param)
{
    if (!param)
        return;
    m_pTaxpayer->Build2003DataTo2004(param);
    const bool wasCoupled = IsCoupledReturn();

    if (!param->bMakeCoupled) {
        if (wasCoupled)
            m_pSpouse->Build2003DataTo2004(param);
        clearLinksToRemovedItems();
        return;
    }

    // A couple living common-law stays common-law: only a person not yet
    // in a couple is taken to be married.
    const bool commonLaw = m_pTaxpayer->GetMaritalStatus() == kCommonLaw
                           || (wasCoupled && m_pSpouse->GetMaritalStatus() == kCommonLaw);
    const ENUMTYPE_MARITAL_STATUS status = commonLaw ? kCommonLaw : kMarried;
    m_pTaxpayer->SetMaritalStatus(status);
    m_pTaxpayer->SetCoupledReturn(true);
    if (wasCoupled) {
        m_pSpouse->Build2003DataTo2004(param);
        m_pSpouse->SetMaritalStatus(status);
    } else {
        // The spouse's return is built from the spouse section of the
        // taxpayer's T1, and names the taxpayer as its spouse.
        m_pSpouse->FreeData();
        m_pSpouse->NewData(m_pTaxpayer->m_province, m_pTaxpayer->GetSpouseFirstName(),
                           m_pTaxpayer->GetSpouseLastName(), m_pTaxpayer->GetSpouseSIN(), m_pTaxpayer->GetSpouseDOB(),
                           status, m_pTaxpayer->GetFirstName(), m_pTaxpayer->GetLastName(), m_pTaxpayer->GetSIN(),
                           m_pTaxpayer->GetDOB(), true);
    }
    m_pSpouse->SetCoupledReturn(true);
    clearLinksToRemovedItems();
}
