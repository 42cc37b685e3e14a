// The figures a coupled return moves between the spouses after each step.
// Every exchange runs in a fixed order (taxpayer, then spouse) and the
// pension-splitting data always come from the pensioner's side, so the
// figures never depend on which spouse is on screen.
#include "model/cfamilytaxdata.h"

#include <algorithm>

#include "companion/forms/federal/credits.h"
#include "companion/forms/federal/minimumtax_split.h"
#include "companion/forms/schedules/taxdata_sch11.h"
#include "companion/forms/schedules/taxdata_sch2.h"
#include "companion/forms/schedules/taxdata_sch6.h"
#include "companion/forms/t1/taxdata_t1new.h"

namespace {

template <typename Form>
Form* formOf(IndividualTaxData* person, ENUMTYPE_FORM type)
{
    return qobject_cast<Form*>(person->GetFormData(type, false));
}

// ---- Step 0 ----

void exchangeIdentity(const TaxData_T1New& from, TaxData_T1New& to)
{
    to.SpouseFirstName.m_value = from.FirstName.m_value;
    to.SpouseLastName.m_value = from.LastName.m_value;
    to.SpouseSIN.m_value = from.SIN.m_value;
    to.SpouseBirthDate.m_value = from.BirthDate.m_value;
    to.SpouseEntryDate.m_value = from.EntryDate.m_value;
}

// The pensioner's part of the joint election goes to the transferee; the
// transferee's own pension income amount goes back to the pensioner.
void shareJointElection(TaxData_T1032_New& pensioner, TaxData_T1032_New& transferee)
{
    transferee.ElectorIndicator.m_value = 1;
    pensioner.ElectorIndicator.m_value = 0;
    for (auto field : {&TaxData_T1032_New::EligiblePension, &TaxData_T1032_New::AnnuityFromRca,
                       &TaxData_T1032_New::JointAmount1, &TaxData_T1032_New::JointAmount2,
                       &TaxData_T1032_New::JointAmount3, &TaxData_T1032_New::line10321SplitAmount,
                       &TaxData_T1032_New::line68040})
        (transferee.*field).m_value = (pensioner.*field).m_value;
    transferee.line10322Election.m_value = pensioner.line10322Election.m_value;
    pensioner.JointAmount4.m_value = transferee.JointAmount4.m_value;
}

void exchangePensionSplit(TaxData_T1032_New& taxpayer, TaxData_T1032_New& spouse)
{
    // The taxpayer's own answer decides first; when it names no role the
    // spouse's does; with neither the forms are left as they are.
    const int mine = taxpayer.ElectorIndicator.m_value;
    const int theirs = spouse.ElectorIndicator.m_value;
    if (mine == 0 || (mine != 1 && theirs == 1))
        shareJointElection(taxpayer, spouse);
    else if (mine == 1 || theirs == 0)
        shareJointElection(spouse, taxpayer);
}

// ---- Step 1 ----

void exchangeSpouseAmounts(IndividualTaxData* from, TaxData_T1New& fromT1, TaxData_T1New& toT1)
{
    toT1.SpouseUCCB.m_value = fromT1.line11700UCCB.m_value;
    toT1.SpouseUCCBRepayment.m_value = fromT1.line21300UCCBRepayment.m_value;
    toT1.SpouseWorkingIncome.m_value =
        fromT1.line10100EmploymentIncome.m_value + fromT1.line10400OtherEmploymentIncome.m_value;
    toT1.SpouseSelfEmploymentIncome.m_value = fromT1.getSelfEmploymentIncomeWithoutLoss();
    toT1.SpouseHasSelfEmployment.m_value = from->HaveSelfBusiness() ? 1 : 0;
}

// The owner's spousal RRSP form: the amount the contributor includes moves
// from the owner's deduction to the contributor's, and the rest of the
// withdrawal is the contributor's income.
void exchangeT2205(IndividualTaxData* owner, TaxData_T1New& ownerT1, TaxData_T1New& otherT1)
{
    auto* t2205 = formOf<CTaxData_T2205>(owner, FORM_T2205);
    if (!t2205)
        return;
    t2205->SpouseName.m_value = CString(otherT1.FirstName.m_value + QLatin1Char(' ') + otherT1.LastName.m_value);
    const double result = t2205->Result.m_value;
    otherT1.T2205Deduction.m_value += result;
    ownerT1.T2205Deduction.m_value -= result;
    if (otherT1.GetAge() < 65)
        otherT1.T2205IncomeUnder65.m_value += t2205->Income.m_value;
    else
        otherT1.T2205Income65Plus.m_value += t2205->Income.m_value;
}

// ---- Step 2 ----

void exchangeIncome(const TaxData_T1New& from, TaxData_T1New& to)
{
    to.SpouseNetIncome.m_value = from.line23600NetIncome.m_value;
    to.SpouseAdjustedNetIncome.m_value =
        from.line23600NetIncome.m_value + from.line21300UCCBRepayment.m_value - from.line11700UCCB.m_value;
    to.SpouseChildCare.m_value = from.line21400ChildCare.m_value;
    to.SpouseSplitIncome.m_value = from.SplitIncome.m_value;
    to.SpouseTaxableIncome.m_value = from.line26000TaxableIncome.m_value;
    to.SpouseMortgageForeclosure.m_value = from.MortgageForeclosure.m_value;
}

// ---- Step 3 ----

// The giver's credit amounts that stay on the giver's return: all but the
// age, caregiver-for-children, pension and disability amounts, which are
// the ones Schedule 2 transfers.
double creditsKeptByGiver(const TaxData_T1New& t1)
{
    double total = 0.0;
    for (const CFloatField* f :
         {&t1.line30000BasicPersonal, &t1.line30300SpouseAmount, &t1.line30400EligibleDependant,
          &t1.line30425CaregiverSpouse, &t1.line30450CaregiverOther, &t1.line30800CppEmployment,
          &t1.line31000CppSelfEmployed, &t1.line31200EiPremiums, &t1.line31205PpipEmployment,
          &t1.line31210PpipSelfEmployed, &t1.line31217EiSelfEmployed, &t1.line31220VolunteerFirefighters,
          &t1.line31240SearchRescue, &t1.line31260CanadaEmployment, &t1.line31270HomeBuyers,
          &t1.line31285HomeAccessibility, &t1.line31300AdoptionExpenses, &t1.line31350DigitalNews,
          &t1.line31900StudentLoanInterest, &t1.line32300Tuition})
        total += f->m_value;
    return total;
}

void transferToSpouse(IndividualTaxData* giver, const TaxData_T1New& giverT1, IndividualTaxData* receiver,
                      const TaxData_T1New& receiverT1)
{
    auto* sch2 = formOf<TaxData_Sch2>(receiver, FORM_SCH2);
    if (!sch2)
        return;
    // A full-year giver's amounts are for a full year; a receiver who lived
    // only part of the year in Canada takes them for that part.
    double factor = 1.0;
    if (!giverT1.shouldProrateAsImmigrant() && receiverT1.shouldProrateAsImmigrant())
        factor = div(receiverT1.DaysInCanada.m_value, receiverT1.DaysInYear.m_value, 0.0);
    sch2->TransferAmount1.m_value = giverT1.line30100AgeAmount.m_value * factor;
    sch2->TransferAmount2.m_value = giverT1.line30500CaregiverChildren.m_value * factor;
    sch2->SpouseAgeAmount.m_value = sch2->TransferAmount1.m_value;
    sch2->SpouseCaregiverChildren.m_value = sch2->TransferAmount2.m_value;
    // These four are the giver's own figures, whatever the days.
    sch2->SpousePensionAmount.m_value = giverT1.line31400PensionIncomeAmount.m_value;
    sch2->SpouseDisabilityAmount.m_value = giverT1.line31600DisabilitySelf.m_value;
    sch2->FurtherAmount1.m_value = giverT1.line23600NetIncome.m_value;
    sch2->FurtherAmount2.m_value = giverT1.line26000TaxableIncome.m_value;
    // Only what the giver does not need against their own taxable income
    // moves: the giver's taxable income beyond the credits that cannot be
    // transferred is kept back.
    sch2->FurtherAmount3.m_value = creditsKeptByGiver(giverT1);
    sch2->line36100AdjustedAmount.m_value =
        std::max(0.0, giverT1.line26000TaxableIncome.m_value - sch2->FurtherAmount3.m_value);
    auto* sch11 = formOf<TaxData_Sch11>(giver, FORM_SCH11);
    // The tuition the giver designated to a spouse (an amount asked without a
    // designation goes to the spouse too); one designated to a parent stays
    // off this return.
    sch2->SpouseTuitionTransfer.m_value =
        sch11 && sch11->TransferTo.m_value != TaxData_Sch11::kTransferToParent ? sch11->TransferredResult.m_value
                                                                               : 0.0;
}

// ---- Step 4 ----

void giveSchedule6SpouseFigures(IndividualTaxData* from, const TaxData_T1New& fromT1, TaxData_Sch6& to)
{
    to.SpouseWorkingIncome.m_value =
        fromT1.line10100EmploymentIncome.m_value + fromT1.line10400OtherEmploymentIncome.m_value;
    to.SpouseNetIncome.m_value =
        fromT1.line23600NetIncome.m_value + fromT1.line21300UCCBRepayment.m_value - fromT1.line11700UCCB.m_value;
    to.SpouseSelfEmployment.m_value = from->CalculatedSelfEmpIncomeForF5532();
}

double taxOf(const TaxData_T1New& t1)
{
    return t1.line42000NetFederalTax.m_value + t1.line42800ProvincialTax.m_value
           + t1.line42100CppSelfEmployedPayable.m_value;
}

void giveSpouseTax(IndividualTaxData* owner, const TaxData_T1New& otherT1)
{
    auto* t1032 = formOf<TaxData_T1032_New>(owner, FORM_T1032);
    // The form's own calculation writes the person's tax into OwnTax for the
    // pensioner and into SpouseTax for the transferee; the other spouse's tax
    // goes into the other column, so the two never overwrite each other.
    if (t1032 && t1032->ElectorIndicator.m_value == 0)
        t1032->SpouseTax.m_value = taxOf(otherT1);
    else if (t1032 && t1032->ElectorIndicator.m_value == 1)
        t1032->OwnTax.m_value = taxOf(otherT1);
}

} // namespace

void CFamilyTaxData::ExchangeCoupledTaxData(IndividualTaxData::EnumCalculateStep step)
{
    if (!IsCoupledReturn() || step >= IndividualTaxData::CalcStepAdjustment)
        return;
    IndividualTaxData* taxpayer = m_pTaxpayer;
    IndividualTaxData* spouse = m_pSpouse;
    TaxData_T1New* taxpayerT1 = taxpayer->GetT1();
    TaxData_T1New* spouseT1 = spouse->GetT1();
    if (!taxpayerT1 || !spouseT1)
        return;

    switch (step) {
    case IndividualTaxData::CalcStepPrepare: {
        exchangeIdentity(*taxpayerT1, *spouseT1);
        exchangeIdentity(*spouseT1, *taxpayerT1);
        auto* mine = formOf<TaxData_T1032_New>(taxpayer, FORM_T1032);
        auto* theirs = formOf<TaxData_T1032_New>(spouse, FORM_T1032);
        if (mine && theirs)
            exchangePensionSplit(*mine, *theirs);
        break;
    }
    case IndividualTaxData::CalcStepSlipsAndIncome: {
        // Step 1 has just filled the pensioner's eligible pension; the
        // transferee needs it before its split is checked in step 4 of this
        // same pass.
        auto* mine = formOf<TaxData_T1032_New>(taxpayer, FORM_T1032);
        auto* theirs = formOf<TaxData_T1032_New>(spouse, FORM_T1032);
        if (mine && theirs)
            exchangePensionSplit(*mine, *theirs);
        exchangeSpouseAmounts(taxpayer, *taxpayerT1, *spouseT1);
        exchangeSpouseAmounts(spouse, *spouseT1, *taxpayerT1);
        taxpayerT1->T2205Deduction.m_value = 0.0;
        spouseT1->T2205Deduction.m_value = 0.0;
        exchangeT2205(taxpayer, *taxpayerT1, *spouseT1);
        exchangeT2205(spouse, *spouseT1, *taxpayerT1);
        break;
    }
    case IndividualTaxData::CalcStepTaxableIncome: {
        exchangeIncome(*taxpayerT1, *spouseT1);
        exchangeIncome(*spouseT1, *taxpayerT1);
        // Each T778 whose claimant answer is not 0 hands its owner's child
        // care deduction to the other spouse's form.
        auto* mine = formOf<TaxData_T778New>(taxpayer, FORM_T778);
        auto* theirs = formOf<TaxData_T778New>(spouse, FORM_T778);
        if (mine && theirs) {
            if (mine->Choice1.m_value != 0)
                theirs->SpouseDeduction.m_value = taxpayerT1->line21400ChildCare.m_value;
            if (theirs->Choice1.m_value != 0)
                mine->SpouseDeduction.m_value = spouseT1->line21400ChildCare.m_value;
        }
        spouse->m_provMgr.ExchangeCoupledInfoAfterCalcTaxableIncome(&taxpayer->m_provMgr);
        taxpayer->m_provMgr.ExchangeCoupledInfoAfterCalcTaxableIncome(&spouse->m_provMgr);
        break;
    }
    case IndividualTaxData::CalcStepSpouseAmounts:
        transferToSpouse(taxpayer, *taxpayerT1, spouse, *spouseT1);
        transferToSpouse(spouse, *spouseT1, taxpayer, *taxpayerT1);
        break;
    case IndividualTaxData::CalcStepFederalTax: {
        spouse->m_provMgr.ExchangeCoupledInfoForProvTax_MainlyS2(&taxpayer->m_provMgr);
        taxpayer->m_provMgr.ExchangeCoupledInfoForProvTax_MainlyS2(&spouse->m_provMgr);
        auto* mine = formOf<TaxData_Sch6>(taxpayer, FORM_SCH6);
        auto* theirs = formOf<TaxData_Sch6>(spouse, FORM_SCH6);
        if (mine && theirs) {
            const int myIndicator = mine->SpouseIndicator.m_value;
            mine->Crosswise1.m_value = theirs->NetIncome.m_value;
            mine->Crosswise2.m_value = theirs->DisabilityResult.m_value;
            mine->Crosswise3.m_value = theirs->BasicResult.m_value;
            theirs->Crosswise1.m_value = mine->NetIncome.m_value;
            theirs->Crosswise2.m_value = mine->DisabilityResult.m_value;
            theirs->Crosswise3.m_value = mine->BasicResult.m_value;
            mine->SpouseIndicator.m_value = theirs->SpouseIndicator.m_value;
            theirs->SpouseIndicator.m_value = myIndicator;
        } else if (mine || theirs) {
            (mine ? mine : theirs)->SpouseIndicator.m_value = 1;
        }
        if (mine)
            giveSchedule6SpouseFigures(spouse, *spouseT1, *mine);
        if (theirs)
            giveSchedule6SpouseFigures(taxpayer, *taxpayerT1, *theirs);
        break;
    }
    case IndividualTaxData::CalcStepCreditsAndBalance:
        // A spouse's tax is whole only once the provincial tax (line 42800) is
        // in, which this step works out: it is passed over only now.
        giveSpouseTax(taxpayer, *spouseT1);
        giveSpouseTax(spouse, *taxpayerT1);
        spouse->m_provMgr.ExchangeCoupledInfoForProvTax_MainlyUnusedLowIncCredit_MXOption(&taxpayer->m_provMgr);
        taxpayer->m_provMgr.ExchangeCoupledInfoForProvTax_MainlyUnusedLowIncCredit_MXOption(&spouse->m_provMgr);
        break;
    default: break;
    }
}
