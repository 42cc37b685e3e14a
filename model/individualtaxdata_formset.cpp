// Person return: the forms every return holds, tied forms, province change.
#include "model/individualtaxdata.h"

#include "companion/forms/catalogue.h"
#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/schedules/taxdata_sch5.h"
#include "companion/forms/t1/taxdata_t1new.h"

namespace {

// The edition whose mandatory forms decide which forms may not go.
constexpr unsigned char kBuildEdition = EDITION_DIRERAD;

// Provincial companions of Schedule 11 and Schedule 2, by province index
// (0 none; Quebec has none).
constexpr ENUMTYPE_FORM kProvincialSch11[PROVINCE_COUNT] = {0, 48, 44, 91, 95, 65, 73, 69, 77, 27, 80, 0, 83, 111};
constexpr ENUMTYPE_FORM kProvincialSch2[PROVINCE_COUNT] = {0, 47, 43, 90, 94, 64, 72, 68, 76, 26, 79, 0, 82, 110};

ENUMTYPE_FORM provincialCompanion(const ENUMTYPE_FORM (&table)[PROVINCE_COUNT], ENUMTYPE_PROVINCE province)
{
    return province >= 0 && province < PROVINCE_COUNT ? table[province] : 0;
}

} // namespace

void IndividualTaxData::MakeSureSomeFormsExist(unsigned char purpose, ENUMTYPE_PROVINCE province)
{
    CTaxData_Form* summary = GetFormData(FORM_T1KS, true);
    GetFormData(FORM_T1, true);

    TaxData_T1New* t1 = GetT1();
    if (t1 && t1->ReFileFlag.m_value != 0 && !HasForm(FORM_T1KS_REFILE)) {
        // The summary as it stood before the amendment.
        if (CTaxData_Form* snapshot = GetFormData(FORM_T1KS_REFILE, true); snapshot && summary)
            snapshot->CopyData(summary);
    }
    if (purpose & EDITION_EFILE) {
        GetFormData(FORM_T183, true);
        GetFormData(FORM_INSTALMENT_CALC, true);
    }
    // The slips are summed once for every candidate: adding forms changes
    // neither the slips nor the age they are summed with.
    std::set<ENUMTYPE_FORM> neededBySlips;
    bool slipsSummed = false;
    auto needed = [&](ENUMTYPE_FORM type) {
        if (!slipsSummed) {
            collectFormsNeededBySlips(neededBySlips);
            slipsSummed = true;
        }
        return isFormNeeded(type, neededBySlips, slipsSummed);
    };
    for (int i = 0; i < Federal_Forms_Num; ++i)
        if (needed(Federal_Forms_Info[i].type))
            GetFormData(Federal_Forms_Info[i].type, true);
    if (const STRUCT_PROVINCE_FORMS* provincial = getProvinceForms(province))
        for (int i = 0; i < provincial->count; ++i)
            if (needed(provincial->forms[i].type))
                GetFormData(provincial->forms[i].type, true);
}

bool IndividualTaxData::IsFormNeeded(ENUMTYPE_FORM type)
{
    std::set<ENUMTYPE_FORM> neededBySlips;
    return isFormNeeded(type, neededBySlips, false);
}

bool IndividualTaxData::isFormNeeded(ENUMTYPE_FORM type, std::set<ENUMTYPE_FORM>& neededBySlips, bool slipsSummed)
{
    const bool mandatory = IsFormMandatory(kBuildEdition, m_provMgr.getMainProvince(), type);
    const TaxData_T1New* t1 = GetT1();
    if (type == FORM_T1KS_REFILE && t1 && t1->ReFileFlag.m_value != 0)
        return true;
    if (mandatory)
        return true;
    if (!slipsSummed)
        collectFormsNeededBySlips(neededBySlips);
    if (!neededBySlips.count(type))
        return false;
    return type != FORM_T2209 || GetCountOfForm(FORM_T2209) < 2;
}

ENUMTYPE_FORM IndividualTaxData::FindExtraFormToBeAdded(ENUMTYPE_FORM type) { return m_provMgr.FindRelatedForm1(type); }

CTaxData_Form* IndividualTaxData::_FindExtraFormToBeRemoved(CTaxData_Form* form)
{
    if (!form)
        return nullptr;
    const ENUMTYPE_FORM related = m_provMgr.FindRelatedForm1(form->getType());
    return related > 0 ? GetFormData(related, false) : nullptr;
}

void IndividualTaxData::RemoveFormData(CTaxData_Form* form, bool withItem)
{
    if (!form)
        return;
    if (!withItem) {
        m_items.releaseFormObject(form, false);
        return;
    }
    CTaxData_Form* tied = _FindExtraFormToBeRemoved(form);
    for (CTaxData_Form* target : {form, tied == form ? nullptr : tied})
        if (target)
            m_items.removeFormItem(target);
}

void IndividualTaxData::createFlaggedProvinceForms(ENUMTYPE_PROVINCE province)
{
    const STRUCT_PROVINCE_FORMS* provincial = getProvinceForms(province);
    if (!provincial)
        return;
    for (int i = 0; i < provincial->count; ++i)
        if (provincial->forms[i].create && !HasForm(provincial->forms[i].type))
            GetFormData(provincial->forms[i].type, true);
}

void IndividualTaxData::ChangeProvince(ENUMTYPE_PROVINCE from, ENUMTYPE_PROVINCE to)
{
    // Staying in the same province keeps the provincial forms as they are.
    if (from == to && m_province == to)
        return;
    m_province = to;
    m_items.removeProvincialFormsExcept(to);
    m_provMgr.setMainProvince(to);
    m_provMgr.getProvMgr(to, true);
    createFlaggedProvinceForms(to);
    // The provincial interview data went with the old plug-in.
    if (const STRUCT_TAXWIZARD_INFO* row = getTaxWizardInfo(TAXWIZARD_PROVINCIAL); row && row->create)
        GetWizData(TAXWIZARD_PROVINCIAL, true);
    if (TaxData_T1New* t1 = GetT1()) {
        t1->ProvinceText.m_value = CString(getProvName(to));
        t1->ProvinceOfResidence.m_value = to;
    }
}

void IndividualTaxData::SetTaxReturnDefaultValues()
{
    TaxData_T1New* t1 = GetT1();
    if (!t1)
        return;
    if (t1->CanClaimSpouse()) {
        if (auto* sch5 = qobject_cast<TaxData_Sch5*>(GetFormData(FORM_SCH5, true)))
            sch5->ClaimSpouseAmount.m_value = 1;
    } else {
        t1->line30300SpouseAmount.setAmount(0.0);
    }
}

bool IndividualTaxData::IsNonrefundableCreditAllUsed()
{
    const TaxData_T1New* t1 = GetT1();
    return t1 && t1->IsNonRefTaxCreditAllUsed() && m_provMgr.IsNonRefTaxCreditAllUsed();
}

void IndividualTaxData::GetS11FormData()
{
    GetFormData(FORM_SCH11, true);
    if (const ENUMTYPE_FORM provincial = provincialCompanion(kProvincialSch11, m_province))
        GetFormData(provincial, true);
}

void IndividualTaxData::GetS2FormData()
{
    GetFormData(FORM_SCH2, true);
    if (const ENUMTYPE_FORM provincial = provincialCompanion(kProvincialSch2, m_province))
        GetFormData(provincial, true);
}

void IndividualTaxData::NewData(ENUMTYPE_PROVINCE province, const CString& first, const CString& last,
                                const CString& sin, QDate dob, ENUMTYPE_MARITAL_STATUS marital,
                                const CString& spouseFirst, const CString& spouseLast, const CString& spouseSin,
                                QDate spouseDob, bool coupled)
{
    m_fileVersion = kFileVersion;
    m_province = province;
    m_coupled = coupled;
    m_provMgr.setMainProvince(province);
    m_provMgr.getProvMgr(province, true);
    MakeSureSomeFormsExist(EDITION_DIRERAD, province);

    if (TaxData_T1New* t1 = GetT1()) {
        t1->BirthDate.m_value = dob;
        t1->LastName.m_value = last;
        t1->FirstName.m_value = first;
        t1->ProvinceText.m_value = CString(getProvName(province));
        t1->ProvinceOfResidence.m_value = province;
        t1->SIN.m_value = sin;
        t1->MaritalStatus.m_value = marital;
        if (unsigned(marital) < 2) {
            t1->SpouseSIN.m_value = spouseSin;
            t1->SpouseFirstName.m_value = spouseFirst;
            t1->SpouseLastName.m_value = spouseLast;
            t1->SpouseBirthDate.m_value = spouseDob;
        }
    }
    for (ENUMTYPE_TAXWIZARD type = TAXWIZARD_GENERAL; type <= TAXWIZARD_LAST; ++type)
        if (const STRUCT_TAXWIZARD_INFO* row = getTaxWizardInfo(type))
            GetWizData(type, row->create);
    SetTaxReturnDefaultValues();
    m_provMgr.SetTaxReturnDefaultValues(GetT1(), GetFormData(FORM_SCH5, false));
}
