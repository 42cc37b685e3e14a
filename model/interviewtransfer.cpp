// Interview answers into the forms, and the forms' values back into the
// interview data after a calculation.

#include <cmath>

#include "companion/forms/dependantinfostruct.h"
#include "companion/forms/federal/credits.h"
#include "companion/forms/schedules/taxdata_sch11.h"
#include "companion/forms/schedules/taxdata_sch7.h"
#include "companion/forms/schedules/taxdata_sch9.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/forms/wizard/interviewdata.h"
#include "companion/rules/money.h"
#include "model/individualtaxdata.h"
#include "model/interviewtransfer.h"
#include "model/textlimits.h"

using taxrules::isPresentAmount;

namespace {

constexpr int kProvincialTuitionCode = 11001;
// The dependant table keeps each name in a field of 80 bytes with its end mark.
constexpr int kDependantNameBytes = 79;

template <typename T>
T* formOf(IndividualTaxData& person, ENUMTYPE_FORM type, bool create)
{
    return qobject_cast<T*>(person.GetFormData(type, create));
}

void readGeneral(IndividualTaxData& person, const TaxData_Wizard_General& w)
{
    TaxData_T1New* t1 = person.GetT1();
    TaxData_Sch9* sch9 = formOf<TaxData_Sch9>(person, FORM_SCH9, false);
    if (t1) {
        t1->Language.m_value = w.Language.m_value;
        t1->CitizenshipAnswer.m_value = w.CitizenshipAnswer.m_value;
        t1->ElectionsCanadaAnswer.m_value = w.ElectionsCanadaAnswer.m_value;
        t1->EmigrantFormsAnswer.m_value = w.EmigrantFormsAnswer.m_value;
        t1->ForeignPropertyAnswer.m_value = w.ForeignPropertyAnswer.m_value;
        t1->line40900PoliticalContributions.setAmount(w.PoliticalContributions.m_value);
        t1->InstalmentsPaid.m_value = w.InstalmentsPaid.m_value;
    }
    if (isPresentAmount(w.Donations1.m_value) || isPresentAmount(w.Donations2.m_value) || sch9) {
        sch9 = formOf<TaxData_Sch9>(person, FORM_SCH9, true);
        if (sch9) {
            sch9->InterviewDonations1.m_value = w.Donations1.m_value;
            sch9->InterviewDonations2.m_value = w.Donations2.m_value;
        }
    }
    if (t1) {
        t1->line31350DigitalNews.setAmount(w.DigitalNews.m_value);
        t1->FirstTimeFilerAnswer.m_value = w.FirstTimeFilerAnswer.m_value;
        t1->Disabled.m_value = w.DisabilityAnswer.m_value;
    }
}

void readLastYear(IndividualTaxData& person, const TaxData_LastYearAmounts& w)
{
    TaxData_T1New* t1 = person.GetT1();
    if (!t1)
        return;
    t1->NetCapitalLossCarryForward.m_value = w.NetCapitalLossCarryForward.m_value;
    t1->MinimumTaxCarryForward.m_value = w.MinimumTaxCarryForward.m_value;
    t1->UnusedRRSPContributions.m_value = w.UnusedRRSPContributions.m_value;
    t1->RRSPDeductionLimit.m_value = w.RRSPDeductionLimit.m_value;
    t1->HBPRequiredRepayment.m_value = w.HBPRequiredRepayment.m_value;
    t1->LLPRequiredRepayment.m_value = w.LLPRequiredRepayment.m_value;
    if (auto* sch7 = formOf<TaxData_Sch7>(person, FORM_SCH7, false)) {
        sch7->UnusedRRSPContributions.m_value = t1->UnusedRRSPContributions.m_value;
        sch7->RRSPDeductionLimit.m_value = t1->RRSPDeductionLimit.m_value;
    }
    t1->FedTuitionCarryForward.m_value = w.FedTuitionCarryForward.m_value;
    t1->ProvTuitionCarryForward.m_value = w.ProvTuitionCarryForward.m_value;
    if (auto* sch11 = formOf<TaxData_Sch11>(person, FORM_SCH11, false))
        sch11->FedTuitionCarryForward.m_value = t1->FedTuitionCarryForward.m_value;
    person.m_provMgr.setProvAmountClaimed(kProvincialTuitionCode, t1->ProvTuitionCarryForward.m_value);
    t1->T1212CarryForward.m_value = w.T1212CarryForward.m_value;
    if (auto* t1212 = formOf<TaxData_T1212New>(person, FORM_T1212, false))
        t1212->FirstAmount.m_value = t1->T1212CarryForward.m_value;
}

void readDependants(DependantInfoStruct& table, const CWizData_Dependant& w)
{
    auto& wiz = const_cast<CWizData_Dependant&>(w); // the entry accessors are not const
    const int entries = std::min(table.GetCount(), int(CWizData_Dependant::kEntries));
    for (int i = 0; i < entries; ++i) {
        DependantInfo* d = table.GetAt(i);
        if (!d)
            continue;
        d->firstName = cutToUtf8Bytes(wiz.firstName(i).m_value, kDependantNameBytes);
        d->lastName = cutToUtf8Bytes(wiz.lastName(i).m_value, kDependantNameBytes);
        d->relationship = wiz.code(i).m_value;
        d->dateOfBirth = wiz.birthDate(i).m_value;
        d->netIncome = wiz.amount(i).m_value;
        d->infirm = wiz.secondCode(i).m_value;
        d->sin = wiz.text1(i).m_value;
        d->note = wiz.text2(i).m_value;
        d->count = double(wiz.count(i).m_value);
    }
}

void readMedical(TaxData_T1New& t1, CWizData_MedExp& w)
{
    t1.MedicalPeriodAnswer.m_value = w.OwnPeriodAnswer.m_value;
    t1.MedicalOwn1.m_value = w.Own1.m_value;
    t1.MedicalOwn2.m_value = w.Own2.m_value;
    t1.MedicalOwn3.m_value = w.Own3.m_value;
    t1.MedicalOwn5.m_value = w.Own5.m_value;
    t1.MedicalOwn6.m_value = w.Own6.m_value;
    // The spouse's entries are the user's: they are carried whether or not
    // the spouse amounts may be claimed this time.
    t1.MedicalSpouse1.m_value = w.Spouse1.m_value;
    t1.MedicalSpouse2.m_value = w.Spouse2.m_value;
    t1.MedicalSpouse3.m_value = w.Spouse3.m_value;
    t1.MedicalSpouse5.m_value = w.Spouse5.m_value;
    t1.MedicalSpouse6.m_value = w.Spouse6.m_value;
    for (int d = 0; d < CWizData_MedExp::kDependants; ++d)
        for (int a = 0; a < TaxData_T1New::kDependantMedicalAmounts; ++a)
            t1.dependantMedical(d, a).m_value = w.dependantAmount(d, a).m_value;
}

// The page's total: what was entered in its four contribution lines.
double contributionTotal(const TaxData_RRSPContrib& w)
{
    return w.OwnPriorYearContributions.m_value + w.SpousalPriorYearContributions.m_value +
           w.OwnCurrentYearContributions.m_value + w.SpousalCurrentYearContributions.m_value;
}

void readRrsp(IndividualTaxData& person, TaxData_RRSPContrib& w)
{
    w.ContributionTotal.setAmount(contributionTotal(w));
    auto* sch7 = formOf<TaxData_Sch7>(person, FORM_SCH7, false);
    // Any contribution entered makes the schedule that claims it.
    if (isPresentAmount(w.ContributionTotal.m_value) || isPresentAmount(w.UnusedRRSPContributions.m_value)) {
        if (!sch7)
            sch7 = formOf<TaxData_Sch7>(person, FORM_SCH7, true);
    }
    if (!sch7)
        return;
    sch7->OwnPriorYearContributions.m_value = w.OwnPriorYearContributions.m_value;
    sch7->SpousalPriorYearContributions.m_value = w.SpousalPriorYearContributions.m_value;
    sch7->OwnCurrentYearContributions.m_value = w.OwnCurrentYearContributions.m_value;
    sch7->SpousalCurrentYearContributions.m_value = w.SpousalCurrentYearContributions.m_value;
    sch7->UnusedRRSPContributions.m_value = w.UnusedRRSPContributions.m_value;
    if (isPresentAmount(w.RRSPDeductionLimit.m_value))
        sch7->RRSPDeductionLimit.m_value = w.RRSPDeductionLimit.m_value;
}

} // namespace

void InterviewTransfer::readFromWizards(int kind)
{
    if (kind == 6) {
        m_person.m_provMgr.ReadDataFromWizards();
        return;
    }
    if (kind < 1 || kind > 5)
        return;
    CTaxData_Form* data = m_person.GetWizData(kind, false);
    if (!data)
        return;
    DependantInfoStruct* dependants = m_person.m_pDependants;
    switch (kind) {
    case TAXWIZARD_GENERAL:
        if (auto* w = qobject_cast<TaxData_Wizard_General*>(data))
            readGeneral(m_person, *w);
        break;
    case TAXWIZARD_LASTYEAR:
        if (auto* w = qobject_cast<TaxData_LastYearAmounts*>(data))
            readLastYear(m_person, *w);
        break;
    case TAXWIZARD_DEPENDANT:
        if (auto* w = qobject_cast<CWizData_Dependant*>(data); w && dependants)
            readDependants(*dependants, *w);
        break;
    case TAXWIZARD_MEDEXP:
        if (auto* w = qobject_cast<CWizData_MedExp*>(data); w && dependants && m_person.GetT1())
            readMedical(*m_person.GetT1(), *w);
        break;
    case TAXWIZARD_RRSP:
        if (auto* w = qobject_cast<TaxData_RRSPContrib*>(data))
            readRrsp(m_person, *w);
        break;
    }
}

void InterviewTransfer::writeToWizards()
{
    // Always in this order: the provincial part comes between the medical
    // and the general answers.
    TaxData_T1New* t1 = m_person.GetT1();
    writeDependants();
    writeMedical(t1);
    m_person.m_provMgr.WriteDataToWizards();
    writeGeneral(t1);
    writeLastYear(t1);
    writeRrsp();
}

void InterviewTransfer::writeDependants()
{
    DependantInfoStruct* dependants = m_person.m_pDependants;
    if (auto* w = qobject_cast<CWizData_Dependant*>(m_person.GetWizData(TAXWIZARD_DEPENDANT, false)); w && dependants) {
        const int entries = std::min(dependants->GetCount(), int(CWizData_Dependant::kEntries));
        for (int i = 0; i < entries; ++i) {
            const DependantInfo* d = dependants->GetAt(i);
            if (!d)
                continue;
            w->firstName(i).m_value = d->firstName;
            w->lastName(i).m_value = d->lastName;
            w->code(i).m_value = d->relationship;
            w->birthDate(i).m_value = d->dateOfBirth;
            w->amount(i).m_value = d->netIncome;
            w->secondCode(i).m_value = d->infirm;
            w->text1(i).m_value = d->sin;
            w->text2(i).m_value = d->note;
            w->count(i).m_value = int(std::trunc(d->count));
        }
    }
}

void InterviewTransfer::writeMedical(TaxData_T1New* t1)
{
    DependantInfoStruct* dependants = m_person.m_pDependants;
    if (auto* w = qobject_cast<CWizData_MedExp*>(m_person.GetWizData(TAXWIZARD_MEDEXP, false)); w && dependants && t1) {
        w->OwnFirstName.m_value = m_person.GetFirstName();
        w->OwnLastName.m_value = m_person.GetLastName();
        w->OwnBirthDate.m_value = m_person.GetDOB();
        w->SpouseFirstName.m_value = m_person.GetSpouseFirstName();
        w->SpouseLastName.m_value = m_person.GetSpouseLastName();
        w->SpouseBirthDate.m_value = m_person.GetSpouseDOB();
        w->OwnPeriodAnswer.m_value = t1->MedicalPeriodAnswer.m_value;
        w->Own1.m_value = t1->MedicalOwn1.m_value;
        w->Own2.m_value = t1->MedicalOwn2.m_value;
        w->Own3.m_value = t1->MedicalOwn3.m_value;
        w->Own4.m_value = t1->MedicalOwn4.m_value;
        w->Own5.m_value = t1->MedicalOwn5.m_value;
        w->Own6.m_value = t1->MedicalOwn6.m_value;
        // The user's spouse entries stay as entered even while the spouse
        // amounts cannot be claimed; the calculation leaves them out then.
        w->Spouse1.m_value = t1->MedicalSpouse1.m_value;
        w->Spouse2.m_value = t1->MedicalSpouse2.m_value;
        w->Spouse3.m_value = t1->MedicalSpouse3.m_value;
        w->Spouse4.m_value = 0;
        w->Spouse5.m_value = t1->MedicalSpouse5.m_value;
        w->Spouse6.m_value = t1->MedicalSpouse6.m_value;
        const int entries = std::min(dependants->GetCount(), int(CWizData_MedExp::kDependants));
        for (int i = 0; i < entries; ++i) {
            const DependantInfo* d = dependants->GetAt(i);
            if (!d)
                continue;
            w->dependantFirstName(i).m_value = d->firstName;
            w->dependantLastName(i).m_value = d->lastName;
            w->dependantBirthDate(i).m_value = d->dateOfBirth;
            w->dependantCode(i).m_value = d->relationship;
            for (int a = 0; a < TaxData_T1New::kDependantMedicalAmounts; ++a)
                w->dependantAmount(i, a).m_value = t1->dependantMedical(i, a).m_value;
        }
    }
}

void InterviewTransfer::writeGeneral(const TaxData_T1New* t1)
{
    if (auto* w = qobject_cast<TaxData_Wizard_General*>(m_person.GetWizData(TAXWIZARD_GENERAL, false)); w && t1) {
        w->Language.m_value = t1->Language.m_value;
        w->CitizenshipAnswer.m_value = t1->CitizenshipAnswer.m_value;
        w->ElectionsCanadaAnswer.m_value = t1->ElectionsCanadaAnswer.m_value;
        w->EmigrantFormsAnswer.m_value = t1->EmigrantFormsAnswer.m_value;
        w->ForeignPropertyAnswer.m_value = t1->ForeignPropertyAnswer.m_value;
        w->PoliticalContributions.m_value = t1->line40900PoliticalContributions.m_value;
        w->DigitalNews.m_value = t1->line31350DigitalNews.m_value;
        w->InstalmentsPaid.m_value = t1->InstalmentsPaid.m_value;
        w->FirstTimeFilerAnswer.m_value = t1->FirstTimeFilerAnswer.m_value;
        w->DisabilityAnswer.m_value = t1->Disabled.m_value;
        const auto* sch9 = qobject_cast<TaxData_Sch9*>(m_person.GetFormData(FORM_SCH9, false));
        w->Donations1.m_value = sch9 ? sch9->InterviewDonations1.m_value : 0.0;
        w->Donations2.m_value = sch9 ? sch9->InterviewDonations2.m_value : 0.0;
    }
}

void InterviewTransfer::writeLastYear(TaxData_T1New* t1)
{
    if (auto* w = qobject_cast<TaxData_LastYearAmounts*>(m_person.GetWizData(TAXWIZARD_LASTYEAR, false)); w && t1) {
        w->NetCapitalLossCarryForward.m_value = t1->NetCapitalLossCarryForward.m_value;
        w->MinimumTaxCarryForward.m_value = t1->MinimumTaxCarryForward.m_value;
        if (const auto* sch7 = qobject_cast<TaxData_Sch7*>(m_person.GetFormData(FORM_SCH7, false))) {
            t1->UnusedRRSPContributions.m_value = sch7->UnusedRRSPContributions.m_value;
            t1->RRSPDeductionLimit.m_value = sch7->RRSPDeductionLimit.m_value;
        }
        w->UnusedRRSPContributions.m_value = t1->UnusedRRSPContributions.m_value;
        w->RRSPDeductionLimit.m_value = t1->RRSPDeductionLimit.m_value;
        w->HBPRequiredRepayment.m_value = t1->HBPRequiredRepayment.m_value;
        w->LLPRequiredRepayment.m_value = t1->LLPRequiredRepayment.m_value;
        if (const auto* sch11 = qobject_cast<TaxData_Sch11*>(m_person.GetFormData(FORM_SCH11, false)))
            t1->FedTuitionCarryForward.m_value = sch11->FedTuitionCarryForward.m_value;
        w->FedTuitionCarryForward.m_value = t1->FedTuitionCarryForward.m_value;
        double provincial = 0;
        if (m_person.m_provMgr.getProvAmountClaimed(kProvincialTuitionCode, provincial) != 0)
            t1->ProvTuitionCarryForward.m_value = provincial;
        w->ProvTuitionCarryForward.m_value = t1->ProvTuitionCarryForward.m_value;
        if (const auto* t1212 = qobject_cast<TaxData_T1212New*>(m_person.GetFormData(FORM_T1212, false)))
            t1->T1212CarryForward.m_value = t1212->FirstAmount.m_value;
        w->T1212CarryForward.m_value = t1->T1212CarryForward.m_value;
    }
}

void InterviewTransfer::writeRrsp()
{
    if (auto* w = qobject_cast<TaxData_RRSPContrib*>(m_person.GetWizData(TAXWIZARD_RRSP, false))) {
        if (const auto* sch7 = qobject_cast<TaxData_Sch7*>(m_person.GetFormData(FORM_SCH7, false))) {
            w->OwnPriorYearContributions.m_value = sch7->OwnPriorYearContributions.m_value;
            w->SpousalPriorYearContributions.m_value = sch7->SpousalPriorYearContributions.m_value;
            w->OwnCurrentYearContributions.m_value = sch7->OwnCurrentYearContributions.m_value;
            w->SpousalCurrentYearContributions.m_value = sch7->SpousalCurrentYearContributions.m_value;
            w->UnusedRRSPContributions.m_value = sch7->UnusedRRSPContributions.m_value;
            w->RRSPDeductionLimit.m_value = sch7->RRSPDeductionLimit.m_value;
        }
        w->ContributionTotal.setAmount(contributionTotal(*w));
    }
}
