// One person's calculation: step 0 (preparation), step 6 (adjustment,
// removals, instalments) and the forms the calculation adds and removes by
// itself. PersonCalculation runs the steps.
#include "model/individualtaxdata.h"

#include "companion/forms/federal/mirroring.h"
#include "companion/forms/federal/others.h"
#include "companion/forms/schedules/taxdata_sch5.h"
#include "companion/forms/t1/taxdata_t1ksnew.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "model/preparerinfo.h"

namespace {

template <typename Form>
Form* formOf(IndividualTaxData& person, ENUMTYPE_FORM type)
{
    return qobject_cast<Form*>(person.GetFormData(type, false));
}

} // namespace

CalcDays IndividualTaxData::calcDays() const
{
    CalcDays days;
    const TaxData_T1New* t1 = GetT1();
    if (!t1)
        return days;
    days.daysInYear = GetDaysInYear(TAX_YEAR);
    days.bankruptDays = t1->GetBankruptDaysInTaxYear();
    days.daysInCanada = t1->shouldProrateAsImmigrant()
                            ? DaysInCanadaInTaxYear(TAX_YEAR, t1->EntryDate.m_value, t1->DepartureDate.m_value)
                            : days.daysInYear;
    return days;
}

// ---- Automatic forms ----

int IndividualTaxData::_autoAddOneRelatedForm(ENUMTYPE_FORM type)
{
    const ENUMTYPE_FORM related = m_provMgr.FindRelatedForm1(type);
    if (related == 0)
        return 0;
    const bool hasFederal = HasForm(type);
    const bool hasRelated = HasForm(related);
    if (hasFederal && !hasRelated)
        return GetFormData(related, true) ? 1 : 0;
    if (hasRelated && !hasFederal)
        return GetFormData(type, true) ? 1 : 0;
    return 0;
}

int IndividualTaxData::_autoAddSomeForms()
{
    int created = _autoAddOneRelatedForm(FORM_SCH2) + _autoAddOneRelatedForm(FORM_SCH11);
    // The child care form brings its provincial form, never the reverse.
    if (HasForm(FORM_T778)) {
        const ENUMTYPE_FORM related = m_provMgr.FindRelatedForm1(FORM_T778);
        if (related != 0 && !HasForm(related) && GetFormData(related, true))
            ++created;
    }
    return created;
}

int IndividualTaxData::_autoCreateSch8RC381(int selector)
{
    const ENUMTYPE_FORM type = selector == 1 ? FORM_SCH8 : selector == 2 ? FORM_RC381 : 0;
    if (type == 0 || HasForm(type))
        return 0;
    return GetFormData(type, true) ? 1 : 0;
}

int IndividualTaxData::_autoRemoveSomeForms()
{
    int removed = 0;
    auto removeFirst = [this, &removed](ENUMTYPE_FORM type) {
        for (STRUCT_FORMDATA_ITEM_2004* item : m_formList)
            if (item->type == type) {
                RemoveFormData(item->data, true);
                ++removed;
                return;
            }
    };
    if (HasForm(FORM_SCH14))
        removeFirst(FORM_SCH14);
    if (const TaxData_T1New* t1 = GetT1()) {
        const int selector = t1->PensionPlanSelector.m_value;
        if (selector == 1 && HasForm(FORM_RC381))
            removeFirst(FORM_RC381);
        else if (selector == 2 && HasForm(FORM_SCH8))
            removeFirst(FORM_SCH8);
    }
    return removed;
}

// ---- Step 0 ----

void IndividualTaxData::ExchangeDataBeforeCalc(const CalcChange& changed)
{
    // Schedule 5's first amount is mirrored on the return; an edit of it on
    // Schedule 5 itself (a form, not the slip of the same number) goes to
    // the mirror, which hands it back before Schedule 5 calculates.
    if (!changed.isForm(FORM_SCH5))
        return;
    TaxData_T1New* t1 = GetT1();
    auto* sch5 = formOf<TaxData_Sch5>(*this, FORM_SCH5);
    if (t1 && sch5)
        t1->Sch5Amount1.m_value = sch5->FirstAmount.m_value;
}

void IndividualTaxData::calculateStep0(const CalcChange& changed)
{
    TaxData_T1New* t1 = GetT1();
    if (!t1)
        return; // nothing to prepare without a return
    ExchangeDataBeforeCalc(changed);

    m_provMgr.setTaxFormInfo(t1, GetFormData(FORM_SCH5, false));
    m_provMgr.ExchangeDataBeforeCalc(changed.isInterviewData(), changed.typeForPlugins(), t1);

    auto* scheduleD = formOf<TaxData_T1248SchD>(*this, FORM_T1248_SCHD);
    t1->FactualResident.m_value = scheduleD && scheduleD->isFactualResident() ? 1 : 0;

    // Step 1 rebuilds these from the spousal RRSP form.
    t1->T2205Deduction.m_value = 0.0;
    t1->T2205IncomeUnder65.m_value = 0.0;
    t1->T2205Income65Plus.m_value = 0.0;
    t1->CalcState1.m_value = -1;
    t1->CalcState2.m_value = 2;

    if (t1->PreparerInfoFlag.m_value == 0)
        CopyTaxPreparerInfo();

    const PreparerInfo& preparer = preparerInfo();
    if (auto* t183 = formOf<TaxData_T183New>(*this, FORM_T183)) {
        t183->ReFile.m_value = t1->ReFileFlag.m_value != 0 ? 1 : 0;
        t183->Email.m_value = t1->Email.m_value;
        t183->PreparerName.m_value = preparer.BusinessName;
        if (!preparer.BusinessEFileNum.isEmpty() && t183->EFileNumber.IsEmptyIfRemoveBlank())
            t183->EFileNumber.m_value = preparer.BusinessEFileNum;
        // The preparer's password never lives in a client's file.
        t183->EFilePassword.m_value = CString();
        t183->SoftwareCode.m_value = preparer.EfileSoftwareCode;
    }
    if (auto* t185 = formOf<TaxData_T185>(*this, FORM_T185)) {
        t185->PreparerName.m_value = preparer.BusinessName;
        t185->EFileNumber.m_value = preparer.BusinessEFileNum;
        t185->EFilePassword.m_value = CString();
        t185->SoftwareCode.m_value = preparer.EfileSoftwareCode;
    }
    if (auto* t1013 = formOf<TaxData_T1013New>(*this, FORM_T1013)) {
        t1013->SoftwareCode.m_value = CString(preparer.EfileSoftwareCode + QStringLiteral("H"));
        t1013->FirstName.m_value = t1->FirstName.m_value;
        t1013->LastName.m_value = t1->LastName.m_value;
        t1013->SIN.m_value = t1->SIN.m_value;
        t1013->Phone.m_value = t1->HomePhone.m_value;
        t1013->Calculate01();
    }
    if (auto* t1dd = formOf<CTaxData_T1DD>(*this, FORM_T1DD)) {
        t1->DepositBranch.m_value = t1dd->BranchNumber.m_value;
        t1->DepositInstitution.m_value = t1dd->InstitutionNumber.m_value;
        t1->DepositAccount.m_value = t1dd->AccountNumber.m_value;
    } else {
        t1->DepositBranch.m_value = CString();
        t1->DepositInstitution.m_value = CString();
        t1->DepositAccount.m_value = CString();
    }
}

// ---- Step 6 ----

int IndividualTaxData::calculateStep6()
{
    CalculateAdjustment();
    const int removed = _autoRemoveSomeForms();

    TaxData_T1New* t1 = GetT1();
    auto* summary = formOf<TaxData_T1KSNew>(*this, FORM_T1KS);
    auto* instalments = formOf<TaxData_InstalmentCalc>(*this, FORM_INSTALMENT_CALC);
    if (!instalments) {
        if (summary) {
            summary->InstalmentAmount1.m_value = 0.0;
            summary->InstalmentAmount2.m_value = 0.0;
            summary->InstalmentAmount3.m_value = 0.0;
            summary->InstalmentAmount4.m_value = 0.0;
        }
        return removed;
    }
    double provincialTax = 0.0;
    double provincialCredits = 0.0;
    m_provMgr.getProvAmountClaimed(63855, provincialTax);
    m_provMgr.getProvAmountClaimed(63856, provincialCredits);
    instalments->ProvincialAmount1.m_value = provincialTax;
    instalments->ProvincialAmount2.m_value = provincialCredits;
    if (t1 && summary)
        instalments->Calculate(*t1, *summary);
    return removed;
}
