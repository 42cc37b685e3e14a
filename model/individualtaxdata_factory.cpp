// Person return: items made by type number, and the start values of new forms.
#include "model/individualtaxdata.h"

#include "companion/core/appclock.h"
#include "companion/forms/catalogue.h"
#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/federal/mirroring.h"
#include "companion/forms/federal/statements.h"
#include "companion/forms/formfactory.h"
#include "companion/forms/schedules/taxdata_sch5.h"
#include "companion/forms/schedules/taxdata_sch6.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "model/preparerinfo.h"


namespace {

// Form types no return may hold, whatever could make them.
bool isRefusedFormType(ENUMTYPE_FORM type) { return type == FORM_RESERVED_177 || type == FORM_RESERVED_178; }

CString fullNameOf(const TaxData_T1New& t1)
{
    return CString(t1.FirstName.m_value + QLatin1Char(' ') + t1.LastName.m_value);
}

CString joinNonEmpty(std::initializer_list<CString> parts, const char* separator)
{
    QStringList kept;
    for (const CString& part : parts)
        if (!part.isEmpty())
            kept << part;
    return CString(kept.join(QString::fromUtf8(separator)));
}

} // namespace

CTaxData_Form* IndividualTaxData::AllocFedFormData(ENUMTYPE_FORM type)
{
    if (getFormProv(type) != 0)
        return nullptr; // provincial or unknown: only a plug-in makes it
    return CFormFactory::AllocFedFormData(type);
}

CTaxData_Form* IndividualTaxData::AllocSlipData(ENUMTYPE_SLIP type) { return CFormFactory::AllocSlipData(type); }

CTaxData_Form* IndividualTaxData::AllocNoteData() { return CFormFactory::AllocNoteData(); }

STRUCT_FORMDATA_ITEM_2004* IndividualTaxData::NewFormDataItem(ENUMTYPE_FORM type, int id, bool addToList,
                                                              int sharedId, bool init)
{
    if (isRefusedFormType(type))
        return nullptr;
    CTaxData_Form* form = AllocFedFormData(type);
    if (!form)
        form = m_provMgr.NewFormData(type, addToList);
    if (!form)
        return nullptr;

    form->setCoupledReturn(m_coupled);
    if (IsFormDependantRelated(type))
        form->SetDependantInfo(m_pDependants);

    STRUCT_FORMDATA_ITEM_2004* item = m_items.adoptForm(type, id, sharedId, form, addToList);
    if (init)
        InitNewFormData(form);
    return item;
}

STRUCT_SLIPDATA_ITEM_2004* IndividualTaxData::NewSlipData(ENUMTYPE_SLIP type, int id, int sharedId)
{
    CTaxData_Form* slip = AllocSlipData(type);
    if (!slip)
        return nullptr;
    return m_items.adoptSlip(type, id, sharedId, slip);
}

STRUCT_NOTEDATA_ITEM_2004* IndividualTaxData::NewNoteData(int id)
{
    CTaxData_Form* note = AllocNoteData();
    if (!note)
        return nullptr;
    return m_items.adoptNote(id, note);
}

STRUCT_WIZDATA_ITEM_2004* IndividualTaxData::NewWizData(ENUMTYPE_TAXWIZARD type)
{
    CTaxData_Form* data = nullptr;
    if (type == TAXWIZARD_PROVINCIAL)
        data = m_provMgr.NewWizardData();
    else if (type >= TAXWIZARD_GENERAL && type < TAXWIZARD_PROVINCIAL)
        data = CFormFactory::NewWizData(type);
    if (!data)
        return nullptr;
    data->setCoupledReturn(m_coupled);
    return m_items.adoptWizard(type, data);
}

void IndividualTaxData::InitNewFormData(CTaxData_Form* form)
{
    TaxData_T1New* t1 = GetT1();
    if (!form || !t1 || form->getType() > FORM_T2125_COMMISSION)
        return;
    const PreparerInfo& preparer = preparerInfo();

    switch (form->getType()) {
    case FORM_T1:
        CopyTaxPreparerInfo();
        t1->ReturnPreparationCode.m_value = 0;
        break;
    case FORM_SCH5:
        if (auto* sch5 = qobject_cast<TaxData_Sch5*>(form))
            if (t1->CanClaimSpouse())
                sch5->ClaimSpouseAmount.m_value = 1;
        break;
    case FORM_SCH7:
    case FORM_SCH11:
    case FORM_T1212:
        ReadDataFromWizards(2);
        break;
    case FORM_T776:
    case FORM_T2042:
    case FORM_T2121:
    case FORM_T2125:
    case FORM_T2125_COMMISSION:
        if (auto* statement = dynamic_cast<CStatementForm*>(form)) {
            statement->Name.m_value = fullNameOf(*t1);
            statement->SIN.m_value = t1->SIN.m_value;
        }
        if (auto* t2125 = qobject_cast<TaxData_T2125_New*>(form); t2125 && form->getType() == FORM_T2125_COMMISSION)
            t2125->IncomeKind.m_value = 0;
        break;
    case FORM_T1163:
        if (auto* t1163 = qobject_cast<TaxData_T1163New*>(form)) {
            t1163->FirstName.m_value = t1->FirstName.m_value;
            t1163->LastName.m_value = t1->LastName.m_value;
            t1163->SIN.m_value = t1->SIN.m_value;
        }
        break;
    case FORM_RC71:
        if (auto* rc71 = qobject_cast<CTaxData_RC71*>(form)) {
            rc71->PreparerName.m_value = preparer.BusinessName;
            rc71->DiscounterCode.m_value = preparer.DiscounterCode;
            rc71->PreparerAddress.m_value = joinNonEmpty(
                {preparer.BusinessAddr, preparer.BusinessCity, preparer.BusinessProv, preparer.BusinessPostcode}, ", ");
            rc71->PreparerPhone.m_value = preparer.BusinessPhone;
        }
        break;
    case FORM_TL2:
        if (auto* tl2 = qobject_cast<TaxData_TL2_New*>(form))
            tl2->SIN.m_value = t1->SIN.m_value;
        break;
    case FORM_T183:
        if (auto* t183 = qobject_cast<TaxData_T183New*>(form)) {
            t183->PreparerName.m_value = preparer.BusinessName;
            if (!preparer.BusinessEFileNum.isEmpty())
                t183->EFileNumber.m_value = preparer.BusinessEFileNum;
            t183->PreAssessmentContact.m_value = preparer.PreAssessment;
            t183->PostAssessmentContact.m_value = preparer.PostAssessment;
            t183->SignedDate.m_value = QDate();
        }
        break;
    case FORM_T1153:
        if (auto* t1153 = qobject_cast<CTaxData_T1153*>(form)) {
            t1153->BusinessName.m_value = preparer.BusinessName;
            t1153->DiscounterCode.m_value = preparer.DiscounterCode;
            t1153->BusinessAddr.m_value = preparer.BusinessAddr;
            t1153->BusinessEFileNum.m_value = preparer.BusinessEFileNum;
            t1153->BusinessCity.m_value = preparer.BusinessCity;
            t1153->BusinessProv.m_value = preparer.BusinessProv;
            t1153->BusinessPostcode.m_value = preparer.BusinessPostcode;
        }
        break;
    case FORM_T1135:
        if (auto* t1135 = qobject_cast<TaxData_T1135New*>(form)) {
            CString given, initial;
            GetFirstName(given, initial);
            t1135->GivenName.m_value = given;
            t1135->Initial.m_value = initial;
            t1135->LastName.m_value = t1->LastName.m_value;
            t1135->SIN.m_value = t1->SIN.m_value;
            t1135->Name.m_value = fullNameOf(*t1);
            t1135->Address.m_value = t1->AddressLine1.m_value;
            t1135->City.m_value = t1->City.m_value;
            t1135->PostalCode.m_value = t1->PostalCode.m_value;
            // A foreign mailing address has no Canadian province to copy.
            if (t1->ForeignMailingAddress.m_value == 0)
                t1135->Province.m_value = CString(getProvCode(t1->MailingProvince.m_value));
            t1135->Country.m_value = CString("CAN");
            t1135->PeriodStart.m_value = QDate(TAX_YEAR, 1, 1);
        }
        break;
    case FORM_T1ADJ:
        if (auto* t1adj = qobject_cast<CTaxData_T1ADJ*>(form))
            t1adj->Date.m_value = AppClock::now().date();
        break;
    case FORM_T1013:
        if (auto* t1013 = qobject_cast<TaxData_T1013New*>(form)) {
            t1013->Date.m_value = AppClock::now().date();
            CString phone;
            getFedStringClaimed(19, phone);
            t1013->Phone.m_value = phone;
        }
        break;
    case FORM_SCH6:
        if (auto* sch6 = qobject_cast<TaxData_Sch6*>(form))
            sch6->NoSpouseFlag.m_value = t1->CanClaimSpouse() ? 0 : 1;
        break;
    default:
        break;
    }
}

void IndividualTaxData::CreateTestPrintFile()
{
    m_markerWord = 1;
    // Federal forms from the factory; the provincial ones (below) through the
    // host, so that the plug-in that made them frees them before its library goes.
    for (ENUMTYPE_FORM type = 1; type <= FORMTYPE_LAST; ++type) {
        if (IsFormExpired(type, 0) || isRefusedFormType(type) || getFormProv(type) != 0)
            continue;
        if (CTaxData_Form* form = AllocFedFormData(type)) {
            form->InitPrintTestData();
            m_items.adoptForm(type, 0, 0, form, true);
        }
    }
    // The provincial forms of the one province the file is labelled with (the
    // person's, else the first supported one): a return holds one province's
    // forms, and only that province's plug-in makes them again when the file
    // is read, so another province's forms would not come back.
    for (ENUMTYPE_PROVINCE province = 1; m_province == 0 && province < PROVINCE_COUNT; ++province)
        if (IsProvinceSupported(province))
            m_province = province;
    const ENUMTYPE_PROVINCE ownProvince = m_provMgr.getMainProvince();
    m_provMgr.setMainProvince(m_province);
    if (m_provMgr.getProvMgr(m_province, false)) {
        for (ENUMTYPE_FORM type = 1; type <= FORMTYPE_LAST; ++type) {
            if (getFormProv(type) != m_province || IsFormExpired(type, 0) || isRefusedFormType(type))
                continue;
            if (CTaxData_Form* form = m_provMgr.NewFormData(type, true)) {
                form->InitPrintTestData();
                m_items.adoptForm(type, 0, 0, form, true);
            }
        }
    }
    m_provMgr.setMainProvince(ownProvince);
}
