// The return summary (type 93): the client's one-page view, rebuilt at the
// end of every calculation pass from the return, the main schedules and the
// benefit estimates.
#include "model/individualtaxdata.h"

#include <algorithm>
#include <cmath>

#include "companion/core/appclock.h"
#include "companion/forms/dependantinfostruct.h"
#include "companion/forms/federal/mirroring.h"
#include "companion/forms/federal/others.h"
#include "companion/forms/federal/statements.h"
#include "companion/forms/schedules/taxdata_sch11.h"
#include "companion/forms/schedules/taxdata_sch3.h"
#include "companion/forms/schedules/taxdata_sch5.h"
#include "companion/forms/schedules/taxdata_sch7.h"
#include "companion/forms/t1/taxdata_t1ksnew.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/rules/money.h"
#include "model/BenefitFigures.h"
#include "model/CCB2016.h"
#include "model/GSTCredit.h"

namespace {

template <typename Form>
Form* formOf(IndividualTaxData* person, ENUMTYPE_FORM type)
{
    return qobject_cast<Form*>(person->GetFormData(type, false));
}

TaxData_T1KSNew* summaryOf(IndividualTaxData* person) { return formOf<TaxData_T1KSNew>(person, FORM_T1KS); }

// Earned income for next year's RRSP limit.
double earnedIncomeForRrsp(const TaxData_T1New& t1)
{
    return t1.line10100EmploymentIncome.m_value + t1.line10400OtherEmploymentIncome.m_value
           + t1.line11410CppDisabilityBenefits.m_value + t1.line12600NetRental.m_value
           + t1.line12800SupportReceived.m_value + t1.line13500BusinessNet.m_value
           + t1.line13700ProfessionalNet.m_value + t1.line13900CommissionNet.m_value
           + t1.line14100FarmingNet.m_value + t1.line14300FishingNet.m_value - t1.line22000SupportPaid.m_value;
}

// Adjusted net income for the benefits: net income with the child care
// benefit taken out and its repayment put back.
double ownBenefitIncome(const TaxData_T1New& t1)
{
    return t1.line23600NetIncome.m_value + t1.line21300UCCBRepayment.m_value - t1.line11700UCCB.m_value;
}

double spouseBenefitIncome(const TaxData_T1New& t1)
{
    if (!t1.HasSpouse())
        return 0.0;
    return t1.SpouseNetIncome.m_value + t1.SpouseUCCBRepayment.m_value - t1.SpouseUCCB.m_value;
}

void mirrorReturn(const TaxData_T1New& t1, TaxData_T1KSNew& summary)
{
    summary.FirstName.m_value = t1.FirstName.m_value;
    summary.LastName.m_value = t1.LastName.m_value;
    summary.FullName.m_value = t1.ConstructFullName();
    CString address;
    t1.GetFullAddressWithoutPostcode(0, address);
    summary.Address.m_value = address;
    summary.ProvinceText.m_value = t1.ProvinceText.m_value;
    summary.SIN.m_value = t1.SIN.m_value;
    summary.BirthDate.m_value = t1.BirthDate.m_value;
    summary.DateOfDeath.m_value = t1.DateOfDeath.m_value;
    summary.MaritalStatus.m_value = t1.MaritalStatus.m_value;
    summary.SpouseSIN.m_value = t1.SpouseSIN.m_value;
    summary.SpouseName.m_value =
        CString(QString(t1.SpouseFirstName.m_value + QLatin1Char(' ') + t1.SpouseLastName.m_value).trimmed());
    summary.SpouseBirthDate.m_value = t1.SpouseBirthDate.m_value;
    summary.SpouseNetIncome.m_value = t1.SpouseNetIncome.m_value;
    summary.SpouseTaxableIncome.m_value = t1.SpouseTaxableIncome.m_value;
    summary.SpouseSelfEmployed.m_value = t1.SpouseHasSelfEmployment.m_value;
    summary.Year.m_value = CString(QString::number(TAX_YEAR));

    // Every summary line carries the figure of the return line of the same
    // number. A field of the float kind is a CFloatField, so its kind says
    // what a cast would, without asking the run-time type.
    for (CField* field : summary.fieldList()) {
        if (field->kind() != FieldKind::Float || field->id() < 10000)
            continue;
        const CField* source = t1.findFieldById(field->id());
        if (source && source->kind() == FieldKind::Float)
            static_cast<CFloatField*>(field)->m_value = static_cast<const CFloatField*>(source)->m_value;
    }
    summary.line13500.m_value = t1.line13500BusinessNet.m_value + t1.line13700ProfessionalNet.m_value
                                + t1.line13900CommissionNet.m_value + t1.line14100FarmingNet.m_value
                                + t1.line14300FishingNet.m_value;
    summary.line48300.m_value = t1.line48300Balance.m_value;
}

} // namespace

void IndividualTaxData::UpdateT1KS(bool primary, IndividualTaxData* other)
{
    TaxData_T1KSNew* summary = summaryOf(this);
    if (!summary)
        return;

    // The password typed on the summary opens the file; in a coupled return
    // it opens it for both, and the summary on screen decides.
    if (primary) {
        m_readPassword = summary->Password.m_value;
        if (other) {
            other->m_readPassword = summary->Password.m_value;
            if (TaxData_T1KSNew* theirs = summaryOf(other))
                theirs->Password.m_value = summary->Password.m_value;
        }
    }

    TaxData_T1New* t1 = GetT1();
    if (!t1) {
        summary->resetT1Part();
        return;
    }
    summary->Province.m_value = m_province;
    mirrorReturn(*t1, *summary);

    const BenefitFigures& figures = benefitFigures();
    const double earned = earnedIncomeForRrsp(*t1);
    const double limit = earned >= 0.0 ? std::min(figures.rrspRate * earned, figures.rrspLimit) : 0.0;
    summary->RRSPRoom.m_value = std::max(0.0, limit - t1->line20600PensionAdjustment.m_value);

    auto* t1a = formOf<TaxData_T1ANew>(this, FORM_T1A);
    auto* sch3 = formOf<TaxData_Sch3>(this, FORM_SCH3);
    if (t1a)
        summary->CapitalLossCarryForward.m_value = t1a->LossResult.m_value;
    else if (sch3 && !taxrules::isPositiveAmount(sch3->Result.m_value))
        summary->CapitalLossCarryForward.m_value = -sch3->Result.m_value;
    else
        summary->CapitalLossCarryForward.m_value = 0.0;

    // ---- Benefits ----
    const double own = ownBenefitIncome(*t1);
    const double spouseIncome = spouseBenefitIncome(*t1);
    const int choice = summary->GSTApplicantChoice.m_value;
    const int childrenForCredit = m_pDependants ? m_pDependants->GetDepChildrenNumberForLine305() : 0;
    summary->GSTCredit.m_value = 0.0;
    summary->ProvincialBenefit1.m_value = 0.0;
    summary->ProvincialBenefit2.m_value = 0.0;
    bool creditComputed = false;
    if (!t1->HasSpouse()) {
        if (isBenefitEligible(other)) {
            const int dependants = childrenForCredit
                                   + (m_pDependants && m_pDependants->GetDepOtherThanChildrenNumberForLine305() > 0 ? 1 : 0);
            if (choice == 0) {
                summary->GSTCredit.m_value = CalculateGSTCredit(own, false, 0.0, dependants > 0, dependants - 1);
                creditComputed = true;
            }
        }
    } else if (isBenefitEligible(other)) {
        const bool spouseEligible = other ? other->isBenefitEligible(this) : true;
        bool applicant = choice == 0;
        if (spouseEligible) {
            // One applicant per couple. The taxpayer's summary holds the
            // couple's choice (0: the lower income applies); with equal
            // incomes the taxpayer applies under choice 0, the spouse
            // otherwise. Who is on screen never matters.
            const TaxData_T1KSNew* taxpayerSummary =
                other && m_calculation.asSpouse() ? summaryOf(other) : summary;
            const int coupleChoice = taxpayerSummary ? taxpayerSummary->GSTApplicantChoice.m_value : choice;
            const bool iAmTaxpayer = !(other && m_calculation.asSpouse());
            bool lowerApplies;
            if (own < spouseIncome)
                lowerApplies = true;
            else if (own > spouseIncome)
                lowerApplies = false;
            else
                lowerApplies = iAmTaxpayer; // the tie goes to the taxpayer under choice 0
            applicant = coupleChoice == 0 ? lowerApplies : !lowerApplies;
        }
        if (applicant) {
            summary->GSTCredit.m_value = CalculateGSTCredit(own, true, spouseIncome, false, childrenForCredit);
            creditComputed = true;
        }
    }

    // Each child at the age of each month of the benefit year: a child who
    // turns 6 or 18 during it changes rate from that month on.
    std::vector<ChildForBenefit> children;
    if (m_pDependants)
        for (int i = 0; i < m_pDependants->GetCount(); ++i) {
            const DependantInfo* entry = m_pDependants->GetAt(i);
            if (entry && entry->isUsed() && (entry->isChild() || entry->infirm != 0))
                children.push_back({entry->dateOfBirth, entry->isChild(), entry->infirm != 0});
        }
    summary->CCB.m_value = summary->CCBSwitch.m_value == 0 && m_pDependants
                               ? estimateChildBenefitByMonth(children, own + spouseIncome)
                               : 0.0;

    if (t1->isEligibleForCAI() && summary->CAISwitch.m_value != 0) {
        TaxData_Benefit_CAI cai;
        cai.Province.m_value = t1->getMainTaxProvince();
        cai.HasSpouse.m_value = t1->HasSpouse() ? 1 : 0;
        int young = 0;
        if (m_pDependants)
            for (int i = 0; i < m_pDependants->GetCount(); ++i) {
                const DependantInfo* entry = m_pDependants->GetAt(i);
                if (entry && entry->isUsed() && entry->dateOfBirth.isValid()
                    && TAX_YEAR - entry->dateOfBirth.year() < 19)
                    ++young;
            }
        auto* sch5 = formOf<TaxData_Sch5>(this, FORM_SCH5);
        if (!t1->HasSpouse() && sch5 && sch5->DependantCount.m_value > 0)
            --young; // the eligible dependant counts as the second adult
        cai.Dependants.m_value = std::max(0, young);
        cai.RuralIndicator.m_value = m_province == 10 ? 0 : (t1->RuralSupplementAnswer.m_value == 0 ? 1 : 0);
        cai.Age.m_value = t1->GetAge();
        cai.Calculate01();
        summary->CAI.m_value = cai.Result.m_value;
    } else {
        summary->CAI.m_value = 0.0;
    }

    CalculateOtherBenefits(creditComputed, other);

    // ---- Carry-forwards ----
    double moving = 0.0;
    for (const STRUCT_FORMDATA_ITEM_2004* item : m_formList)
        if (item->type == FORM_T1M)
            if (auto* t1m = qobject_cast<const TaxData_T1MNew*>(item->data))
                moving += std::max(0.0, t1m->Available.m_value - t1m->Claimed.m_value);
    summary->MovingCarryForward.m_value = moving;

    auto* sch7 = formOf<TaxData_Sch7>(this, FORM_SCH7);
    summary->UnusedRRSP.m_value = sch7 ? sch7->UnusedCarryForward.m_value : 0.0;
    auto* sch11 = formOf<TaxData_Sch11>(this, FORM_SCH11);
    summary->TuitionCarryForward.m_value = sch11 ? sch11->getF59140() : 0.0;
    summary->DonationCarryForward.m_value = 0.0;
    summary->HbpBalance.m_value = 0.0;
    summary->LlpBalance.m_value = 0.0;

    // The loss carryback's date changes only when the T1A itself is edited,
    // so that recalculating an opened return leaves it as it was saved.
    if (t1a) {
        summary->T1ALoss.m_value = t1a->LossResult.m_value;
        if (m_calculation.change().isForm(FORM_T1A))
            summary->T1ADate.m_value = AppClock::now().date();
    } else {
        summary->T1ALoss.m_value = 0.0;
        summary->T1ADate.m_value = QDate();
    }

    if (auto* t1dd = formOf<CTaxData_T1DD>(this, FORM_T1DD)) {
        summary->DepositBranch.m_value = t1dd->BranchNumber.m_value;
        summary->DepositInstitution.m_value = t1dd->InstitutionNumber.m_value;
        summary->DepositAccount.m_value = t1dd->AccountNumber.m_value;
    } else {
        summary->DepositBranch.m_value = CString();
        summary->DepositInstitution.m_value = CString();
        summary->DepositAccount.m_value = CString();
    }

    m_provMgr.UpdateT1KST2203(summary, nullptr, GetFormData(FORM_SCH5, false), GetFormData(FORM_SCH9, false));
    summary->Calculate01();
}
