// Steps 1 and 2 of one person's calculation: slips, interview data and
// statements into the return, then total income down to taxable income.
// Forms are reached by type through the person's list and their fields
// directly; nothing here looks a value up by name.
#include "model/individualtaxdata.h"
#include "model/personcalculation.h"

#include <cmath>

#include "companion/forms/catalogue.h"
#include "companion/forms/dependantinfostruct.h"
#include "companion/forms/federal/credits.h"
#include "companion/forms/federal/minimumtax_split.h"
#include "companion/forms/federal/others.h"
#include "companion/forms/federal/statements.h"
#include "companion/forms/schedules/taxdata_sch11.h"
#include "companion/forms/schedules/taxdata_sch13_15.h"
#include "companion/forms/schedules/taxdata_sch3.h"
#include "companion/forms/schedules/taxdata_sch6.h"
#include "companion/forms/schedules/taxdata_sch7.h"
#include "companion/forms/schedules/taxdata_sch8.h"
#include "companion/forms/schedules/taxdata_sch9.h"
#include "companion/forms/slips/slips_employment.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "model/calcsteps_common.h"
#include "model/childcarechildren.h"
#include "companion/rules/federalconstants2024.h"
#include "companion/rules/federalprograms2024.h"
#include "companion/rules/money.h"
#include "model/slipcalc.h"

using namespace calcsteps;

namespace {

// The death-benefit exemption is one per person, shared by T4A box 106 and
// T3 box 35.
constexpr double kDeathBenefitExemption = 10000.0;
constexpr double kRestrictedFarmThreshold = 2500.0;
constexpr double kRestrictedFarmFloor = -32500.0;
constexpr double kRestrictedFarmMaximumLoss = -17500.0;

// Income the user enters on the T1 because no slip reports it (tips, casual
// earnings, interest paid without a T5, other income) joins the slip totals
// of its line; so does the person's part of the couple's shareable interest.
void addIncomeNotOnSlips(TaxData_T1New& t1)
{
    t1.line10100EmploymentIncome.addAmount(t1.line10100NotOnSlip.m_value);
    t1.line10400OtherEmploymentIncome.addAmount(t1.line10400NotOnSlip.m_value);
    t1.line12100InterestIncome.addAmount(t1.line12100NotOnSlip.m_value + t1.line12100CoupleInterestShare.m_value);
    t1.line13000OtherIncome.addAmount(t1.line13000NotOnSlip.m_value);
    t1.line13000Description.m_value = t1.line13000NotOnSlipDescription.m_value;
}

// Slip totals into the return's lines (step 1, item 8, without the form decisions).
void slipTotalsIntoReturn(const STRUCT_SLIPDATA_CALCULATION& s, TaxData_T1New& t1, IndividualTaxData& person)
{
    t1.line10100EmploymentIncome.setAmount(s.t4Box14);
    t1.line10120Commissions.setAmount(s.t4Box42);
    t1.line10105EmergencyVolunteerExempt.setAmount(s.t4Box87);
    // The T4A boxes go to the lines the agency's T4A instructions name:
    // wage-loss plans, research grants, medical and group life premiums,
    // wage earner protection and postdoctoral fellowships are other
    // employment income.
    t1.line10400OtherEmploymentIncome.setAmount(s.t4aBox107 + s.t4aBox104Net + s.t4aBox118 + s.t4aBox119 +
                                                s.t4aOther14 + s.t4aBox210);
    t1.line11300OldAgeSecurity.setAmount(s.oasBox18);
    t1.OASRepaymentBase.m_value = s.oasBox18;
    t1.line11400CppQppBenefits.setAmount(s.t4apBox20LessBox18);
    t1.line11410CppDisabilityBenefits.setAmount(s.t4apBox16);
    t1.CppRetirementBenefit.m_value = s.t4apBox14;
    // Veterans' benefits (T4A box 127) are reported with the other pensions.
    t1.line11500OtherPensions.setAmount(s.t4aBox16 + s.t4aBox24Pension + s.t4aBox133Pension + s.t4aBox194Pension +
                                        s.t4rifBox16Pension + s.t4rifBox20Pension + s.t4rifBox24Pension + s.t3Box31 +
                                        s.t5Box19Pension + s.t4aBox127);
    t1.line11900EmploymentInsurance.setAmount(s.t4eBox14NetOfBox18);
    t1.EIRepaymentBase.m_value = s.t4eRepayable;
    t1.line11905MaternityParental.setAmount(s.t4eBox37);
    t1.line12100InterestIncome.setAmount(s.t5Interest + s.t5Box15 + s.t3Box25 + s.t5013Share01 + s.t5013Share10 +
                                         s.t5013Share14 + s.t5Box17Unmarked + s.t5Box19Other);
    t1.line12500RdspIncome.setAmount(s.t4aBox131);
    // Home Buyers' Plan (box 27) and Lifelong Learning Plan (box 25)
    // withdrawals are not income: they are repaid over the years that follow
    // (Schedule 7), so they stay out of line 12900 and are only kept apart.
    t1.line12900RrspIncome.setAmount(s.t4rspBox18 + s.t4rspBox20 + s.t4rspBox22 + s.t4rspBox26 + s.t4rspBox28Income +
                                     s.t4rspBox34 + s.t4rifBox16Other + s.t4rifBox18 + s.t4rifBox20Other +
                                     s.t4rifBox24Other);
    t1.line12900HbpPart.setAmount(s.t4rspBox27);
    t1.line12900LlpPart.setAmount(s.t4rspBox25);
    t1.line12905FhsaIncome.setAmount(s.fhsaBox22 + s.fhsaBox26 + s.fhsaBox28);
    t1.line13010Scholarships.setAmount(s.t4aBox105Taxable);
    t1.line14400WorkersCompensation.setAmount(s.t5007Box10);
    t1.line14500SocialAssistance.setAmount(s.t5007Box11);
    t1.line14600NetFederalSupplements.setAmount(s.oasBox21);
    // Other income: lump sums, retiring allowances, RESP accumulated income
    // and educational assistance payments (boxes 40, 42, 122), loan benefits
    // (117), disability benefits out of a pension plan (125), apprenticeship
    // grants (130),
    // the other lump sums and plan payments, and the pandemic and other
    // federal and provincial benefits of boxes 197 to 211.
    t1.line13000OtherIncome.setAmount(
        s.t4aBox18 + s.t4aBox28KindA + s.t4aBox28KindB + s.t4aBox40 + s.t4aBox42 + s.t4aBox109 + s.t4aBox24Other +
        s.t4aBox133Other + s.t4aBox194Other + s.t4aBox30Unmarked + s.t4aOther1 + s.t4aOther2 + s.t4aOther3 +
        s.t4aOther4 + s.t4aOther5 + s.t4aOther6 + s.t4aOther8 + s.t4aOther9 + s.t4aOther10 + s.t4aOther12 +
        s.t4aOther13 +
        s.t4aBox125 + s.t4aBox197 + s.t4aBox198 + s.t4aBox199 + s.t4aBox200 + s.t4aBox202 + s.t4aBox203 +
        s.t4aBox204 + s.t4aBox205 + s.t4aBox211 + s.t3Box22 + s.t3Box26Other + s.t4arcaAmount1);
    addIncomeNotOnSlips(t1);
    t1.line20700RppDeduction.setAmount(s.t4Box20 + s.t4aBox32Second);
    t1.line20600PensionAdjustment.setAmount(s.t4Box52 + s.t4aBox34);
    t1.line20810PrppEmployer.setAmount(s.prppEmployer);
    t1.line21200UnionDues.setAmount(s.t4Box44);
    t1.line23210Covid19Repayment.setAmount(s.t4aBox201);
    t1.line24400ForcesPoliceDeduction.setAmount(s.t4Other1Code0 + s.t4Other1Code1);
    // The deductions of boxes 39 and 41; box 53 (deferred security option
    // benefits) is a memo of benefits already in box 14, not a deduction.
    t1.line24900SecurityOptions.setAmount(s.t4Other4 + s.t4Box41);
    t1.line25000OtherPaymentsDeduction.setAmount(s.t5007Box10 + s.t5007Box11 + s.oasBox21);
    t1.line31200EiPremiums.setAmount(s.t4Box18);
    t1.line31205PpipEmployment.setAmount(s.t4Box55);
    t1.line43700TaxDeducted.setAmount(s.t4Box22 + s.t4aBox22 + s.t4apBox22 + s.t4rspBox30 + s.t4eBox22 + s.oasBox22 +
                                      s.t4rifBox28 + s.fhsaBox30);
    t1.line45600TrustTaxCredit.setAmount(s.t3Box38);
    t1.line21300UCCBRepayment.setAmount(s.rc62Box12);
    t1.line11700UCCB.setAmount(s.rc62Box10);
    t1.TaxExemptIncome.m_value = s.t4Box71 + s.t4Box88 + s.t4apBox20IndianAct + s.t4eBox18IndianAct +
                                 s.t5007Box10IndianAct + s.t4aBox197And203IndianAct;
    t1.FishingT4Flag.m_value = s.t4HasFishing ? 1 : 0;

    // The death benefits of T4A and T3 slips together are exempt up to one
    // 10,000 per person.
    const double deathBenefits = s.t4aBox106 + s.t3Box35;
    if (taxrules::isPositiveAmount(deathBenefits - kDeathBenefitExemption))
        t1.UnclassifiedSlipIncome.m_value += deathBenefits - kDeathBenefitExemption;
    t1.line13000OtherIncome.addAmount(t1.UnclassifiedSlipIncome.m_value);

    if (auto* sch3 = formOf<TaxData_Sch3>(person, FORM_SCH3))
        sch3->SlipFedAmount.m_value = s.t3Box21 + s.t5Box18 + s.t5013Share15Unmarked + s.t5013Share15Marked +
                                      s.t4psAmount07;
    if (auto* sch9 = formOf<TaxData_Sch9>(person, FORM_SCH9)) {
        sch9->SlipDonations1.m_value = s.t4Box46;
        sch9->SlipDonations2.m_value = s.t4aBox46;
    }
    if (auto* ws = formOf<TaxData_WS_D1>(person, FORM_WS_D1)) {
        ws->EligibleActual.m_value = s.t5Box24 + s.t3Box49 + s.t4psAmount01 + s.t5013Share12;
        ws->EligibleTaxable.m_value = s.t5Box25 + s.t3Box50 + s.t4psAmount02 + s.t5013Share16;
        ws->EligibleCredit.m_value = s.t5Box26 + s.t3Box51 + s.t4psAmount03;
        ws->OtherActual.m_value = s.t5Box10 + s.t3Box23 + s.t4psAmount04 + s.t5013Share02;
        ws->OtherTaxable.m_value = s.t5Box11 + s.t3Box32 + s.t4psAmount05 + s.t5013Share19;
        ws->OtherCredit.m_value = s.t5Box12 + s.t3Box39 + s.t4psAmount06 + s.t5013Share21;
        ws->Interest.m_value = t1.line12100InterestIncome.m_value;
    }
    if (auto* t2209 = formOf<TaxData_T2209_2036>(person, FORM_T2209)) {
        t2209->ForeignNonBusinessIncome.m_value = s.t5Box15 + s.t3Box25;
        t2209->ForeignTaxPaid.m_value = s.t5Box16 + s.t3Box34 + s.t4psAmount12;
        t2209->SlipBusinessIncome.m_value = s.t3Box24;
        t2209->SlipBusinessTaxPaid.m_value = s.t3Box33;
    }
    if (auto* t936 = formOf<TaxData_T936New>(person, FORM_T936))
        t936->line68150.m_value = s.t3Box21;
    t1.support68150.m_value = s.t3Box21;
}

void clearStatementAmounts(TaxData_T1New& t1)
{
    for (CFloatField* f :
         {&t1.line13499BusinessGross, &t1.line13500BusinessNet, &t1.line13699ProfessionalGross,
          &t1.line13700ProfessionalNet, &t1.line13899CommissionGross, &t1.line13900CommissionNet,
          &t1.line14099FarmingGross, &t1.line14100FarmingNet, &t1.line14299FishingGross, &t1.line14300FishingNet,
          &t1.line12600NetRental, &t1.RentalCount, &t1.BusinessCount, &t1.ProfessionalCount, &t1.FarmingCount,
          &t1.CommissionCount, &t1.FishingCount, &t1.line12200PartnershipIncome, &t1.PartnershipAmount1,
          &t1.PartnershipAmount2, &t1.OwnBusinessAmount, &t1.StatementTotal1, &t1.StatementTotal2,
          &t1.StatementTotal3, &t1.SelfEmploymentOther1, &t1.SelfEmploymentOther2})
        f->m_value = 0;
    t1.PartnershipFlag.m_value = 0;
}

// Partnerships (T5013 forms): counts, activity blocks and totals.
void addPartnerships(IndividualTaxData& person, TaxData_T1New& t1, double& farmingNet)
{
    forEachForm<CTaxData_T5013>(person, 38, [&](CTaxData_T5013& f) {
        f.Province.m_value = person.m_province;
        f.SIN.m_value = t1.SIN.m_value;
        f.Calculate01();
        t1.RentalCount.m_value += f.HaveRentalIncome();
        t1.BusinessCount.m_value += f.HaveBusinessIncome();
        t1.ProfessionalCount.m_value += f.HaveProfessionalIncome();
        t1.FarmingCount.m_value += f.HaveFarmIncome();
        t1.CommissionCount.m_value += f.HaveCommissionIncome();
        t1.FishingCount.m_value += f.HaveFishIncome();
        const struct { CIntField* kind; CFloatField* homeUse; CFloatField* cca; } blocks[] = {
            {&f.Kind1, &f.HomeUse1, &f.CCA1}, {&f.Kind2, &f.HomeUse2, &f.CCA2},
            {&f.Kind3, &f.HomeUse3, &f.CCA3}, {&f.Kind4, &f.HomeUse4, &f.CCA4}};
        for (const auto& b : blocks)
            if (b.kind->m_value != -1) {
                t1.StatementTotal1.m_value += b.homeUse->m_value;
                t1.StatementTotal2.m_value += b.cca->m_value;
            }
        t1.line12600NetRental.addAmount(f.RentalNet.m_value);
        t1.line13499BusinessGross.addAmount(f.BusinessGross.m_value);
        t1.line13500BusinessNet.addAmount(f.BusinessNet.m_value);
        t1.line13699ProfessionalGross.addAmount(f.ProfessionalGross.m_value);
        t1.line13700ProfessionalNet.addAmount(f.ProfessionalNet.m_value);
        t1.line13899CommissionGross.addAmount(f.CommissionGross.m_value);
        t1.line13900CommissionNet.addAmount(f.CommissionNet.m_value);
        t1.line14099FarmingGross.addAmount(f.FarmingGross.m_value);
        farmingNet += f.FarmingNet.m_value;
        t1.line14299FishingGross.addAmount(f.FishingGross.m_value);
        t1.line14300FishingNet.addAmount(f.FishingNet.m_value);
        // The user's own description of line 13000 stays.
        if (t1.line13000NotOnSlipDescription.m_value.trimmed().isEmpty())
            t1.line13000Description.m_value = CString("Partnership Income/Loss from T5013 slip");
    });
}

void addBusinessStatement(TaxData_T2125_New& f, TaxData_T1New& t1)
{
    const bool commission = f.getType() == FORM_T2125_COMMISSION;
    const int kind = commission ? -2 : f.IncomeKind.m_value;
    double net = f.NetResult.m_value;
    if (f.PartnershipIndicator.m_value) {
        const bool second = f.PartnershipVariant.m_value != 0;
        net = second ? f.PartnershipNet2.m_value : f.PartnershipNet1.m_value;
        t1.PartnershipFlag.m_value = 1;
        (second ? t1.PartnershipAmount2 : t1.PartnershipAmount1).m_value += net;
        f.PartnerName.m_value = t1.ConstructFullName();
    } else {
        f.PartnerName.m_value = CString();
    }
    if (commission) {
        t1.line13899CommissionGross.addAmount(f.GrossIncome.m_value);
        t1.line13900CommissionNet.addAmount(net);
    } else if (kind == 0) {
        t1.line13499BusinessGross.addAmount(f.GrossIncome.m_value);
        t1.line13500BusinessNet.addAmount(net);
    } else if (kind == 1) {
        t1.line13699ProfessionalGross.addAmount(f.GrossIncome.m_value);
        t1.line13700ProfessionalNet.addAmount(net);
    }
    // Any other kind adds nothing here; validation tells the user.
    if (f.OwnIndicator.m_value)
        t1.OwnBusinessAmount.m_value += net;
    if (commission || kind == 0) {
        t1.StatementTotal1.m_value += f.Result1.m_value;
        t1.StatementTotal2.m_value += f.Result2.m_value;
        t1.StatementTotal3.m_value += f.Result3.m_value;
    } else if (kind == 1) {
        t1.StatementTotal1.m_value += f.Result1.m_value;
        t1.StatementTotal2.m_value += f.Result2.m_value;
    }
}

// Restricted farm losses: beyond 2,500 only half the loss is allowed, and
// never more than 17,500 in all. Whether farming is the chief source of
// income is the user's answer and stays as given: a small loss now (say,
// before every expense is entered) must not undo it for the next one.
double allowedFarmingNet(double farmingNet, bool restricted)
{
    if (!taxrules::isNegativeAmount(farmingNet - (-kRestrictedFarmThreshold)) || !restricted)
        return farmingNet;
    if (farmingNet > kRestrictedFarmFloor)
        return -(kRestrictedFarmThreshold + (-farmingNet - kRestrictedFarmThreshold) / 2.0);
    return kRestrictedFarmMaximumLoss;
}

// Line 12599 is the gross of the rental statements, as the other gross
// lines are their statements' gross.
void grossRentalFromStatements(IndividualTaxData& person, TaxData_T1New& t1)
{
    double gross = 0;
    forEachForm<TaxData_T776New>(person, FORM_T776, [&](TaxData_T776New& f) { gross += f.GrossResult.m_value; });
    forEachForm<CTaxData_T5013>(person, 38, [&](CTaxData_T5013& f) {
        if (f.HaveRentalIncome())
            gross += f.RentalGross.m_value;
    });
    t1.line12599GrossRental.setAmount(gross);
}

void addStatements(IndividualTaxData& person, TaxData_T1New& t1, double farmingNet)
{
    const CString fullName = person.GetFirstName() + CString(" ") + person.GetLastName();
    auto identify = [&](CStatementForm& f) {
        f.Name.m_value = fullName;
        f.SIN.m_value = t1.SIN.m_value;
    };

    // Rental: each statement sees the net rental income of this pass so far.
    forEachItem(person, 12, [&](CTaxData_Form* form) {
        t1.RentalCount.m_value += 1;
        auto* f = qobject_cast<TaxData_T776New*>(form);
        if (!f)
            return;
        identify(*f);
        f->RunningTotal.m_value = t1.line12600NetRental.m_value;
        f->Calculate01();
        t1.line12600NetRental.addAmount(f->NetResult.m_value);
        t1.StatementTotal2.m_value += f->line9936CCA.m_value;
    });
    forEachItem(person, 15, [&](CTaxData_Form* form) {
        t1.FarmingCount.m_value += 1;
        auto* f = qobject_cast<TaxData_T1163New*>(form);
        if (!f)
            return;
        f->FirstName.m_value = person.GetFirstName();
        f->LastName.m_value = person.GetLastName();
        f->SIN.m_value = t1.SIN.m_value;
        f->Calculate01();
        t1.line14099FarmingGross.addAmount(f->GrossResult.m_value);
        farmingNet += f->NetResult.m_value;
    });
    forEachItem(person, 21, [&](CTaxData_Form* form) {
        t1.FarmingCount.m_value += 1;
        auto* f = qobject_cast<TaxData_T2042New*>(form);
        if (!f)
            return;
        identify(*f);
        f->Identification.m_value = t1.SIN.m_value;
        f->Calculate01();
        t1.line14099FarmingGross.addAmount(f->GrossResult.m_value);
        farmingNet += f->NetResult.m_value;
    });
    t1.line14100FarmingNet.setAmount(allowedFarmingNet(farmingNet, t1.RestrictedFarmFlag.m_value != 0));
    t1.line54950FarmingLoss.setAmount(farmingNet < 0 ? -farmingNet : 0.0);

    forEachItem(person, 51, [&](CTaxData_Form* form) {
        t1.FishingCount.m_value += 1;
        auto* f = qobject_cast<TaxData_T2121New*>(form);
        if (!f)
            return;
        identify(*f);
        f->Calculate01();
        t1.line14299FishingGross.addAmount(f->GrossResult.m_value);
        t1.line14300FishingNet.addAmount(f->NetResult.m_value);
    });
    for (ENUMTYPE_FORM type : {ENUMTYPE_FORM(131), ENUMTYPE_FORM(125)}) {
        forEachItem(person, type, [&](CTaxData_Form* form) {
            (type == FORM_T2125_COMMISSION ? t1.CommissionCount : t1.BusinessCount).m_value += 1;
            auto* f = qobject_cast<TaxData_T2125_New*>(form);
            if (!f)
                return;
            identify(*f);
            f->Identification.m_value = t1.SIN.m_value;
            f->Calculate01();
            addBusinessStatement(*f, t1);
        });
    }
}

// Principal residences: the running sum of their gains; Schedule 3 is
// created as soon as a gain appears.
double addPrincipalResidences(IndividualTaxData& person, const TaxData_T1New& t1)
{
    double sum = 0;
    for (ENUMTYPE_FORM type : {ENUMTYPE_FORM(147), ENUMTYPE_FORM(160)})
        forEachForm<TaxData_T2091>(person, type, [&](TaxData_T2091& f) {
            f.Name.m_value = t1.ConstructFullName();
            f.SIN.m_value = t1.SIN.m_value;
            f.Calculate01();
            sum += f.Gain.m_value;
            if (taxrules::isPresentAmount(sum) && !person.HasForm(FORM_SCH3))
                person.GetFormData(FORM_SCH3, true);
        });
    return sum;
}

void calculateCapitalGains(IndividualTaxData& person, TaxData_T1New& t1, double t2091Sum)
{
    auto* sch3 = formOf<TaxData_Sch3>(person, FORM_SCH3);
    if (!sch3) {
        t1.line12700TaxableCapitalGains.setAmount(t1.CapitalGainAmount.m_value + t1.line12700CoupleGainShare.m_value);
        t1.CapitalGainReduction.m_value = 0;
        t1.CapitalGainsDeductionBase.m_value = 0;
        t1.MortgageForeclosure.m_value = 0;
        return;
    }
    sch3->DeceasedFlag.m_value = t1.IsDeceased() ? 1 : 0;
    sch3->T2091Sum.m_value = t2091Sum;
    const auto* t1170 = formOf<TaxData_T1170>(person, FORM_T1170);
    auto pair = [](CFloatField& amount, CFloatField& base, const CFloatField* a, const CFloatField* b) {
        base.m_value = b ? b->m_value : 0.0;
        amount.m_value = (a && taxrules::isPositiveAmount(base.m_value)) ? a->m_value : 0.0;
    };
    pair(sch3->T1170Amount1, sch3->T1170Base1, t1170 ? &t1170->Amount1 : nullptr, t1170 ? &t1170->Base1 : nullptr);
    pair(sch3->T1170Amount2, sch3->T1170Base2, t1170 ? &t1170->Amount2 : nullptr, t1170 ? &t1170->Base2 : nullptr);
    pair(sch3->T1170Amount3, sch3->T1170Base3, t1170 ? &t1170->Amount3 : nullptr, t1170 ? &t1170->Base3 : nullptr);
    sch3->T1Amount.m_value = t1.T1170Amount.m_value;
    const auto* t2017 = formOf<TaxData_T2017New>(person, FORM_T2017);
    sch3->T2017Reserve.m_value = t2017 ? t2017->Reserves.m_value : 0.0;
    sch3->CalculateBeforeLine193();
    sch3->CalculateTaxableCapGain();
    sch3->CalculateCapGainReduction();
    const double gains = sch3->Result.m_value + t1.CapitalGainAmount.m_value + t1.line12700CoupleGainShare.m_value;
    t1.line12700TaxableCapitalGains.setAmount((!taxrules::isPositiveAmount(gains) && !t1.IsDeceased()) ? 0.0 : gains);
    t1.CapitalGainsDeductionBase.m_value = sch3->Result2.m_value;
    t1.CapitalGainReduction.m_value = sch3->Result3.m_value;
    t1.MortgageForeclosure.m_value = sch3->getMortgageForClosureAndConditionSale();
}

// The dependants' medical table: a child of the person under 18 at the end
// of the year joins the person's own expenses (line 33099, one threshold on
// the person's net income); every other dependant is allowed what is above
// the threshold of the dependant's own net income (line 33199).
void dependantsMedical(const DependantInfoStruct* dependants, TaxData_T1New& t1)
{
    double children = 0, others = 0;
    for (int d = 0; d < TaxData_T1New::kDependants; ++d) {
        double expenses = 0;
        for (int a = 0; a < TaxData_T1New::kDependantMedicalAmounts; ++a)
            expenses += std::max(0.0, t1.dependantMedical(d, a).m_value);
        if (!taxrules::isPresentAmount(expenses))
            continue;
        const DependantInfo* info = dependants ? dependants->GetAt(d) : nullptr;
        const int age = info ? info->ageAtYearEnd() : -1;
        if (info && info->relationship == DEP_REL_CHILD && age >= 0 && age < 18)
            children += expenses;
        else
            others += taxrules::otherDependantMedicalAmount(expenses, info ? info->netIncome : 0.0);
    }
    t1.MedicalChildren.m_value = taxrules::roundCents(children);
    t1.line33199MedicalOtherDependants.m_value =
        taxrules::roundCents(others + std::max(0.0, t1.line33199NotInTable.m_value));
}

} // namespace

int PersonCalculation::step1(const CalcChange& changed)
{
    TaxData_T1New* t1 = m_person.GetT1();
    if (!t1)
        return 0;
    // 1. Computed values start again from nothing; user entries stay.
    resetComputedValues();
    // 2.
    t1->ProvinceText.m_value = provinceName(m_person.m_province);
    // 3. The slip totals; the calculation is the one caller that adds the
    // forms the slips call for. Whichever part of this step adds T90,
    // Schedule 8 or RC381, the step reports it, so the caller knows the
    // form set changed.
    const bool hadT90 = m_person.HasForm(FORM_T90), hadSch8 = m_person.HasForm(FORM_SCH8), hadRc381 = m_person.HasForm(FORM_RC381);
    m_passSlipTotals = STRUCT_SLIPDATA_CALCULATION();
    std::set<ENUMTYPE_FORM> needed;
    m_person.PrepareSlipsBeforeCalculate(m_passSlipTotals, needed, true);
    m_hasPassSlipTotals = true;
    const STRUCT_SLIPDATA_CALCULATION& s = m_passSlipTotals;
    // 4.
    clearSlipAmountsOnForms();
    // 5.
    if (!t1->CanClaimSpouse() && !t1->canClaimSch2() && !t1->canClaimT1032())
        t1->clearSpouseInfo();
    // 6.
    dependantCountsIntoReturn(t1);
    // 7.
    if (auto* sch6 = formOf<TaxData_Sch6>(m_person, FORM_SCH6))
        sch6->setACWBAmounts(s.rc210Box10, s.rc210Box11);
    // 8.
    slipTotalsIntoReturn(s, *t1, m_person);
    tuitionSlipsIntoSchedule11(s);
    indianActIncome(t1, s);
    pensionPlanSchedules(t1, s);
    registeredPlanForms(s);
    pensionAndAnnuityAmounts(t1, s);
    // 9, 10.
    m_person._calculateT1032_step1();
    readChangedInterviewData(changed);
    // 11.
    t1->CalculateLine213ByWorkSheet();
    clearStatementAmounts(*t1);
    // 12 to 14.
    const double t2091Sum = statementsIntoIncome(t1);
    // 15, 16.
    capitalGainsIntoIncome(t1, t2091Sum);
    // 18. Dividends.
    dividendsIntoIncome(t1);
    // 19. Spousal plan withdrawals.
    spousalPlanWithdrawals(t1);
    dependantsMedical(m_person.m_pDependants, *t1);
    // 20.
    t1->SelfEmploymentProvince.m_value = m_person.HaveSelfBusiness() ? t1->getMainTaxProvince() : 0;
    return int(!hadT90 && m_person.HasForm(FORM_T90)) + int(!hadSch8 && m_person.HasForm(FORM_SCH8)) + int(!hadRc381 && m_person.HasForm(FORM_RC381));
}

void PersonCalculation::resetComputedValues()
{
    for (STRUCT_FORMDATA_ITEM_2004* item : m_person.m_formList)
        if (item->data) {
            item->data->ResetData();
            item->data->setMainTaxProvince(m_person.m_province);
        }
    for (STRUCT_SLIPDATA_ITEM_2004* item : m_person.m_slipList)
        if (item->data)
            item->data->ResetData();
    for (STRUCT_NOTEDATA_ITEM_2004* item : m_person.m_noteList)
        if (item->data)
            item->data->RefreshData();
}

// The T2202 slips' eligible fees and months reach Schedule 11 as any slip
// reaches its line; the schedule adds what is typed on it.
void PersonCalculation::tuitionSlipsIntoSchedule11(const STRUCT_SLIPDATA_CALCULATION& s)
{
    if (auto* sch11 = formOf<TaxData_Sch11>(m_person, FORM_SCH11)) {
        sch11->SlipFees.setAmount(s.t2202FeesWithPartTime + s.t2202FeesOther);
        sch11->SlipPartTimeMonths.m_value = s.t2202PartTimeMonths;
        sch11->SlipFullTimeMonths.m_value = s.t2202FullTimeMonths;
    }
}

void PersonCalculation::clearSlipAmountsOnForms()
{
    if (auto* ws = formOf<TaxData_WS_D1>(m_person, FORM_WS_D1))
        ws->resetDivDetailsAmounts();
    if (auto* t2222 = formOf<CTaxData_T2222>(m_person, FORM_T2222))
        t2222->SlipAmount1.m_value = t2222->SlipAmount2.m_value = 0;
    if (auto* t2209 = formOf<TaxData_T2209_2036>(m_person, FORM_T2209))
        t2209->ForeignNonBusinessIncome.m_value = t2209->ForeignTaxPaid.m_value = t2209->ProvincialIncome.m_value =
            t2209->ProvincialTax.m_value = 0;
}

void PersonCalculation::dependantCountsIntoReturn(TaxData_T1New* t1)
{
    t1->UnclassifiedSlipIncome.m_value = 0;
    if (m_person.m_pDependants) {
        t1->InfirmDependants18Plus.m_value = m_person.m_pDependants->GetInfirmDependantsNumberNotUnderAge(18);
        t1->ChildrenUnder19.m_value = m_person.m_pDependants->GetDepChildrenNumberBetweenAges(0, 18);
        t1->InfirmDependantsAll.m_value = m_person.m_pDependants->GetInfirmDependantsNumberNotUnderAge(-1);
    }
}

void PersonCalculation::indianActIncome(TaxData_T1New* t1, const STRUCT_SLIPDATA_CALCULATION& s)
{
    t1->TaxExemptIncomeAnswer.m_value = s.hasIndianActIncome ? 1 : 0;
    auto* t90 = formOf<TaxData_T90>(m_person, FORM_T90);
    if (!t90 && (taxrules::isPositiveAmount(s.t4Box71) || s.hasIndianActIncome))
        t90 = static_cast<TaxData_T90*>(m_person.GetFormData(FORM_T90, true));
    if (t90) {
        t90->Total.m_value = s.t4Box71;
        t90->Flag.m_value = (taxrules::isPositiveAmount(s.t4Box71) || s.hasIndianActIncome) ? 1 : 0;
        t90->m_bRemovalLocked = t90->Flag.m_value != 0;
        t90->PensionExempt.m_value = s.t4apBox20IndianAct;
    }
}

void PersonCalculation::pensionPlanSchedules(TaxData_T1New* t1, const STRUCT_SLIPDATA_CALCULATION& s)
{
    int selector = 0;
    if (taxrules::isPositiveAmount(s.t4Box26Qpp) || taxrules::isPositiveAmount(s.t4Box17))
        selector = 2;
    else if (taxrules::isPositiveAmount(s.t4Box26Cpp) || taxrules::isPositiveAmount(s.t4Box16))
        selector = 1;
    t1->PensionPlanSelector.m_value = selector;
    m_person._autoCreateSch8RC381(selector);
    const int placement = (s.t4HasPlacementAgency || s.t4HasKind1 || s.t4HasKind2) ? 1 : 0;
    const int employment = taxrules::isPresentAmount(t1->line10100EmploymentIncome.m_value) ? 1 : 0;
    if (auto* rc381 = formOf<TaxData_RC381>(m_person, FORM_RC381)) {
        rc381->EmploymentIncomePresent.m_value = employment;
        rc381->SlipContributions.m_value = s.t4Box16;
        rc381->ExemptSeen.m_value = (s.t4CppExemptSeen ? 1 : 0) | (s.t4QppExemptSeen ? 0x100 : 0);
        rc381->NonQppSlipCount.m_value = s.t4NonQppCount;
        rc381->QppSlipContributions.m_value = s.t4Box17;
        rc381->SlipCountDifference.m_value = s.getT4Count() - s.getNonQPPT4Count();
        rc381->PlacementAgency.m_value = placement;
    }
    if (auto* sch8 = formOf<TaxData_Sch8_14>(m_person, FORM_SCH8)) {
        sch8->ExemptSeen.m_value = s.t4CppExemptSeen ? 1 : 0;
        sch8->NonQppSlipCount.m_value = s.t4NonQppCount;
        sch8->EmploymentIncomePresent.m_value = employment;
        sch8->SlipContributions.m_value = s.t4Box16;
        sch8->SlipCountDifference.m_value = s.getT4Count() - s.getNonQPPT4Count();
        sch8->SecondAdditional.m_value = s.t4Box16A;
        sch8->PlacementAgency.m_value = placement;
    }
    if (auto* cpt20 = formOf<TaxData_CPT20_New>(m_person, FORM_CPT20)) {
        cpt20->clearEntry();
        int n = 0;
        for (STRUCT_SLIPDATA_ITEM_2004* item : m_person.m_slipList) {
            if (item->type != SLIP_T4 || !item->data)
                continue;
            if (++n > 6)
                break; // further T4s are reported by validation
            const auto& t4 = static_cast<const TaxData_Slip_T4&>(*item->data);
            const double earnings = !taxrules::isPresentAmount(t4.box26PensionableEarnings.m_value)
                                        ? t4.box14EmploymentIncome.m_value
                                        : t4.box26PensionableEarnings.m_value;
            cpt20->setEntryN(n, earnings, t4.box16CppContributions.m_value, t4.box17QppContributions.m_value);
        }
    }
}

void PersonCalculation::registeredPlanForms(const STRUCT_SLIPDATA_CALCULATION& s)
{
    if (taxrules::isPositiveAmount(s.prppEmployeeCurrentYear) || taxrules::isPositiveAmount(s.prppEmployeePriorYear))
        m_person.GetFormData(FORM_SCH7, true);
    if (auto* sch7 = formOf<TaxData_Sch7>(m_person, FORM_SCH7)) {
        sch7->PrppCurrentYear.m_value = s.prppEmployeeCurrentYear;
        sch7->PrppPriorYear.m_value = s.prppEmployeePriorYear;
    }
    if (taxrules::isPositiveAmount(s.prppExemptIncomeCurrentYear) || taxrules::isPositiveAmount(s.prppExemptIncomePriorYear))
        m_person.GetFormData(FORM_RC383, true);
    if (auto* rc383 = formOf<TaxData_RC383>(m_person, FORM_RC383)) {
        rc383->Income.m_value = std::max({rc383->Income.m_value, s.t4Box71, s.t4Box88});
        rc383->PriorYear.m_value = s.prppExemptIncomePriorYear;
        rc383->CurrentYear.m_value = s.prppExemptIncomeCurrentYear;
        rc383->Calculate01();
    }
}

void PersonCalculation::pensionAndAnnuityAmounts(TaxData_T1New* t1, const STRUCT_SLIPDATA_CALCULATION& s)
{
    t1->PensionAmount.m_value = s.t4rspBox16Marked;
    t1->AnnuityTotal.m_value = s.t4rspBox16Marked + s.t4rspBox16Unmarked;
    if (t1->GetAge() > 64) {
        t1->PensionAmount.m_value += s.t4rspBox16Unmarked;
        t1->AnnuityAmount.m_value = 0;
    } else {
        t1->AnnuityAmount.m_value = s.t4rspBox16Unmarked;
    }
    if (auto* t1032 = formOf<TaxData_T1032_New>(m_person, FORM_T1032);
        t1032 && t1->GetAge() > 64 && t1032->ElectorIndicator.m_value == 0)
        t1032->AnnuityFromRca.m_value = s.t4arcaAmount4;
    // The pensioner's tax deducted on the pension: the election moves the
    // same share of it as of the pension.
    if (auto* t1032 = formOf<TaxData_T1032_New>(m_person, FORM_T1032); t1032 && t1032->ElectorIndicator.m_value == 0)
        t1032->line68040.m_value = s.pensionTaxDeducted;
    // Annuities that count as pension go with the pensions; the rest is
    // plan income. The pension income amount takes every eligible pension.
    t1->line11500OtherPensions.addAmount(t1->PensionAmount.m_value);
    t1->line12900RrspIncome.addAmount(t1->AnnuityAmount.m_value);
    t1->PensionAmount.m_value += s.t4aBox16 + s.t4aBox24Pension + s.t4aBox133Pension + s.t4aBox194Pension +
                                 s.t4rifBox16Pension + s.t4rifBox20Pension + s.t4rifBox24Pension + s.t3Box31 +
                                 s.t5Box19Pension;
}

void PersonCalculation::readChangedInterviewData(const CalcChange& changed)
{
    if (changed.isInterviewData()) {
        for (STRUCT_WIZDATA_ITEM_2004* item : m_person.m_wizList)
            if (item->data)
                item->data->RefreshData();
        m_person.ReadDataFromWizards(changed.type);
    }
}

double PersonCalculation::statementsIntoIncome(TaxData_T1New* t1)
{
    double farmingNet = 0;
    addPartnerships(m_person, *t1, farmingNet);
    auto* t1212 = formOf<TaxData_T1212New>(m_person, FORM_T1212);
    if (t1212)
        t1212->Calculate01();
    t1->T1212Amount.m_value = t1212 ? t1212->Result.m_value / 2.0 : 0.0;
    auto* t2043 = formOf<TaxData_T2043>(m_person, FORM_T2043);
    if (t2043)
        t2043->Calculate01();
    t1->T2043Amount.m_value = t2043 ? t2043->Result.m_value : 0.0;
    t1->line47556FuelChargeFarmers.setAmount(t1->T2043Amount.m_value);
    addStatements(m_person, *t1, farmingNet);
    grossRentalFromStatements(m_person, *t1);
    // Self-employment alone calls for the plan schedule of the province:
    // contributions are due on it whether or not a slip shows any.
    if (t1->PensionPlanSelector.m_value == 0 && taxrules::isPositiveAmount(t1->getSelfEmploymentIncomeForCPP()))
        m_person._autoCreateSch8RC381(m_person.m_province == 11 ? 2 : 1);
    return addPrincipalResidences(m_person, *t1);
}

void PersonCalculation::capitalGainsIntoIncome(TaxData_T1New* t1, double t2091Sum)
{
    if (auto* t2017 = formOf<TaxData_T2017New>(m_person, FORM_T2017))
        t2017->Calculate01();
    auto* t1170 = formOf<TaxData_T1170>(m_person, FORM_T1170);
    if (t1170)
        t1170->Calculate01();
    t1->T1170Amount.m_value = t1170 ? t1170->Result.m_value : 0.0;
    calculateCapitalGains(m_person, *t1, t2091Sum);
}

void PersonCalculation::dividendsIntoIncome(TaxData_T1New* t1)
{
    if (auto* ws = formOf<TaxData_WS_D1>(m_person, FORM_WS_D1)) {
        ws->Calculate01();
        t1->line12010OtherThanEligibleDividends.setAmount(ws->getF12010());
        t1->line12000TaxableDividends.setAmount(ws->getF12000());
        t1->line12100InterestIncome.setAmount(ws->line12100.m_value);
        t1->line40425DividendTaxCredit.setAmount(ws->line40425.m_value);
    } else {
        t1->line12010OtherThanEligibleDividends.setAmount(0);
        t1->line12000TaxableDividends.setAmount(t1->DividendAmount.m_value);
    }
}

void PersonCalculation::spousalPlanWithdrawals(TaxData_T1New* t1)
{
    if (auto* t2205 = formOf<CTaxData_T2205>(m_person, FORM_T2205)) {
        t2205->Year.m_value = CString("2024");
        t2205->Name.m_value = t1->ConstructFullName();
        t2205->SIN.m_value = t1->SIN.m_value;
        t2205->Calculate01();
        t1->T2205Deduction.m_value = -t2205->Result.m_value;
        (t1->GetAge() < 65 ? t1->T2205IncomeUnder65 : t1->T2205Income65Plus).m_value += t2205->Income.m_value;
    }
}

int PersonCalculation::step2()
{
    TaxData_T1New* t1 = m_person.GetT1();
    if (!t1)
        return 0;
    // 1. The totals of step 1 in this pass, else fresh ones; this step adds no form.
    if (!m_hasPassSlipTotals) {
        m_passSlipTotals = STRUCT_SLIPDATA_CALCULATION();
        std::set<ENUMTYPE_FORM> needed;
        m_person.PrepareSlipsBeforeCalculate(m_passSlipTotals, needed, false);
    }
    m_hasPassSlipTotals = false;
    const STRUCT_SLIPDATA_CALCULATION& s = m_passSlipTotals;
    t1->CalculateTotalIncome(true);
    // Spousal plan attribution (T2205): a positive figure is the
    // contributor's income at 12900, a negative one the annuitant's deduction
    // at 23200 (added below with the other deductions).
    t1->line12900RrspIncome.addAmount(std::max(0.0, t1->T2205Deduction.m_value));
    t1->CalculateTotalIncome(true);
    // 2. RRSP and FHSA.
    rrspAndFhsaDeductions(t1, s);
    // 3. Disability supports.
    disabilitySupportsDeduction(t1);
    // 4. Moving expenses.
    movingExpensesDeduction(t1);
    // 5. Exploration expenses.
    explorationExpensesDeduction(t1);
    t1->line23200OtherDeductions.setAmount(s.t4Other7 + s.t4psAmount09 + t1->line23200NotOnSlip.m_value +
                                           std::max(0.0, -t1->T2205Deduction.m_value));
    // 6. Employment expenses.
    employmentExpensesDeduction(t1, s);
    // 7. Clergy residence.
    clergyResidenceDeduction(t1);
    // 8 to 16. Self-employment, employment insurance and the pension plan.
    pensionPlanAndInsurance(t1, s);
    // 17, 18. Northern residents' slip amounts, foreign tax above 15%.
    m_person.CalculateT2209Adjust15Percent();
    // 19. Split income.
    splitIncomeFromT1206(t1);
    // 20. Foreign and refunded plans.
    foreignPlanDeductions(t1);
    // 21 to 23.
    netIncomeWithChildCare(t1);
    // 24 to 28.
    taxableIncomeDeductions(t1);
    return 0;
}

void PersonCalculation::rrspAndFhsaDeductions(TaxData_T1New* t1, const STRUCT_SLIPDATA_CALCULATION& s)
{
    if (auto* sch7 = formOf<TaxData_Sch7>(m_person, FORM_SCH7)) {
        sch7->Input.m_value = t1->line10100EmploymentIncome.m_value;
        sch7->Calculate01();
        t1->line20800RrspDeduction.setAmount(sch7->Result.m_value);
    } else {
        t1->line20800RrspDeduction.setAmount(0);
    }
    if (auto* sch15 = formOf<TaxData_Sch15>(m_person, FORM_SCH15)) {
        sch15->Age.m_value = t1->GetAge();
        sch15->Contributions.m_value = s.fhsaBox18;
        sch15->Calculate01();
        t1->line20805FhsaDeduction.setAmount(sch15->Result.m_value);
    } else {
        t1->line20805FhsaDeduction.setAmount(0);
    }
}

void PersonCalculation::disabilitySupportsDeduction(TaxData_T1New* t1)
{
    if (auto* t929 = formOf<TaxData_T929New>(m_person, FORM_T929)) {
        double income = t1->line10100EmploymentIncome.m_value + t1->line10400OtherEmploymentIncome.m_value;
        for (const CFloatField* net : {&t1->line13500BusinessNet, &t1->line13700ProfessionalNet,
                                       &t1->line13900CommissionNet, &t1->line14100FarmingNet,
                                       &t1->line14300FishingNet, &t1->SelfEmploymentOther1, &t1->SelfEmploymentOther2})
            if (taxrules::isPositiveAmount(net->m_value))
                income += net->m_value;
        t929->Income.m_value = income;
        t929->Calculate01();
        t1->line21500DisabilitySupports.setAmount(t929->Result.m_value);
    } else {
        t1->line21500DisabilitySupports.setAmount(0);
    }
}

void PersonCalculation::movingExpensesDeduction(TaxData_T1New* t1)
{
    double moving = t1->line21900BaseAmount.m_value;
    forEachForm<TaxData_T1MNew>(m_person, 102, [&](TaxData_T1MNew& f) {
        f.Year.m_value = CString("2024");
        f.LastName.m_value = t1->LastName.m_value;
        f.FirstName.m_value = t1->FirstName.m_value;
        f.SIN.m_value = t1->SIN.m_value;
        f.Calculate01();
        moving += f.Claimed.m_value;
    });
    t1->line21900MovingExpenses.setAmount(moving);
}

void PersonCalculation::explorationExpensesDeduction(TaxData_T1New* t1)
{
    auto* t2038 = formOf<TaxData_T2038New>(m_person, FORM_T2038);
    if (auto* t1229 = formOf<CTaxData_T1229>(m_person, FORM_T1229)) {
        t1229->Calculate01();
        t1->line22400ExplorationExpenses.setAmount(t1229->Result.m_value);
        if (t2038) {
            t2038->T1229Amount1.m_value = t1229->Result2.m_value;
            t2038->T1229Amount2.m_value = t1229->Result3.m_value;
        }
        t1->support67860.m_value = t1229->Result4.m_value;
    } else {
        t1->line22400ExplorationExpenses.setAmount(0);
        if (t2038)
            t2038->T1229Amount1.m_value = t2038->T1229Amount2.m_value = 0;
        t1->support67860.m_value = 0;
    }
}

void PersonCalculation::employmentExpensesDeduction(TaxData_T1New* t1, const STRUCT_SLIPDATA_CALCULATION& s)
{
    double expenses = 0;
    forEachForm<TaxData_T777New>(m_person, 59, [&](TaxData_T777New& f) {
        f.EmploymentIncome.m_value = s.t4Box14;
        f.Calculate01();
        expenses += f.Result.m_value;
    });
    forEachForm<TaxData_TL2_New>(m_person, 92, [&](TaxData_TL2_New& f) {
        f.FirstName.m_value = t1->FirstName.m_value;
        f.LastName.m_value = t1->LastName.m_value;
        f.SIN.m_value = t1->SIN.m_value;
        f.Calculate01();
        expenses += f.Result.m_value;
    });
    auto* rc359 = formOf<TaxData_RC359>(m_person, FORM_RC359);
    if (rc359) {
        rc359->Province.m_value = m_person.m_province;
        rc359->Calculate01();
        expenses += rc359->ResultExpenses.m_value;
    }
    // Special taxes: the profit-sharing plan tax here, the additional tax on
    // RESP payments (T1172) joins it in step 4.
    t1->line41800SpecialTaxes.setAmount(rc359 ? rc359->ResultTax.m_value : 0.0);
    t1->line22900EmploymentExpenses.setAmount(expenses);
}

void PersonCalculation::clergyResidenceDeduction(TaxData_T1New* t1)
{
    if (auto* t1223 = formOf<CTaxData_T1223>(m_person, FORM_T1223)) {
        t1223->LastName.m_value = t1->LastName.m_value;
        t1223->FirstName.m_value = t1->FirstName.m_value;
        t1223->Year.m_value = CString("2024");
        t1223->SIN.m_value = t1->SIN.m_value;
        CString address;
        t1->GetFullAddressWithoutPostcode(0, address);
        t1223->Address.m_value = address;
        t1223->Calculate01();
        t1->line23100ClergyResidence.setAmount(t1223->Result.m_value);
    } else {
        t1->line23100ClergyResidence.setAmount(0);
    }
}

void PersonCalculation::pensionPlanAndInsurance(TaxData_T1New* t1, const STRUCT_SLIPDATA_CALCULATION& s)
{
    const double selfEmployment = t1->getSelfEmploymentIncomeForCPP();
    selfEmployedEiPremiums(t1, s);
    auto* sch8 = formOf<TaxData_Sch8_14>(m_person, FORM_SCH8);
    auto* rc381 = formOf<TaxData_RC381>(m_person, FORM_RC381);
    const int selector = pensionPlanSchedulesCalculated(t1, s, selfEmployment, sch8, rc381);
    // Employment insurance premiums and their overpayment (T2204).
    eiPremiumsAndOverpayment(t1, s);
    pensionPlanLinesIntoReturn(t1, selector, sch8, rc381);
}

void PersonCalculation::selfEmployedEiPremiums(TaxData_T1New* t1, const STRUCT_SLIPDATA_CALCULATION& s)
{
    if (auto* sch13 = formOf<TaxData_Sch13>(m_person, FORM_SCH13)) {
        sch13->TotalEarnings.m_value = t1->line13500BusinessNet.m_value + t1->line13700ProfessionalNet.m_value +
                                       t1->line13900CommissionNet.m_value + t1->line14100FarmingNet.m_value +
                                       t1->line14300FishingNet.m_value + t1->SelfEmploymentOther1.m_value;
        sch13->EmploymentInsurable.m_value = s.t4EiInsurable;
        sch13->Calculate01();
        t1->line31217EiSelfEmployed.setAmount(t1->line42120EiSelfEmployedPayable.m_value = sch13->getResult());
    } else {
        t1->line31217EiSelfEmployed.setAmount(t1->line42120EiSelfEmployedPayable.m_value = 0);
    }
}

int PersonCalculation::pensionPlanSchedulesCalculated(TaxData_T1New* t1, const STRUCT_SLIPDATA_CALCULATION& s,
                                                      double selfEmployment, TaxData_Sch8_14* sch8,
                                                      TaxData_RC381* rc381)
{
    auto* cpt20 = formOf<TaxData_CPT20_New>(m_person, FORM_CPT20);
    if (cpt20) {
        cpt20->Name.m_value = t1->ConstructFullName();
        cpt20->SIN.m_value = t1->SIN.m_value;
        cpt20->Province.m_value = sch8 ? sch8->Province.m_value : rc381 ? rc381->Province.m_value : -100;
        cpt20->Amount.m_value = sch8 ? sch8->ProvinceAmount.m_value : rc381 ? rc381->ProvinceAmount.m_value : 0.0;
        cpt20->Calculate01();
    }
    const int m1 = int(s.t4apMaxBox23Unmarked);
    const int m2 = int(s.t4apMaxBox21Unmarked);
    int cpp = m_person.GetCPPMonths(m1, m2);
    const int qpp = m_person.GetQPPMonths(m1, m2);
    t1->CppMonths.m_value = cpp;
    if ((t1->HasSelfEmploymentIncome() || (cpt20 && cpt20->hadElectedIncomeToPayCPP())) &&
        t1->PensionPlanSelector.m_value != 2) {
        if (m_person.m_province == 11 && qpp > 0)
            t1->PensionPlanSelector.m_value = 2;
        else if (cpp >= 1 && m_person.m_province != 11)
            t1->PensionPlanSelector.m_value = 1;
    }
    const int selector = t1->PensionPlanSelector.m_value;
    if (rc381) {
        rc381->MonthCount.m_value = qpp;
        rc381->mockCPPQPPMonthIfNeeded(qpp);
        if (selector == 2)
            cpp = int(rc381->MonthCount.m_value);
    }
    if (sch8) {
        sch8->MonthCount.m_value = cpp;
        sch8->mockCPPQPPMonthIfNeeded(cpp);
        if (selector == 1)
            cpp = int(sch8->MonthCount.m_value);
    }
    t1->CppMonths.m_value = cpp;
    for (CFloatField* f : {&t1->CppPensionableEarnings, &t1->CppBaseContributions, &t1->CppEnhancedContributions,
                           &t1->CppSecondContributions, &t1->CppSelfEmployedBase, &t1->CppSelfEmployedEnhanced})
        f->m_value = 0;
    // Each slip's pensionable earnings count up to the ceiling of the
    // second contributions.
    const double pensionableCap = taxrules::federalConstant(taxrules::FedKey::Cpp2Ceiling);
    if (rc381) {
        rc381->F50329Input.m_value = m_person.getF50329(pensionableCap);
        rc381->F50339Input.m_value = m_person.getF50339(pensionableCap);
        rc381->SecondAdditional.m_value = s.t4Box16A + s.t4Box17A;
        rc381->SelfEmploymentEarnings.m_value = selfEmployment;
        rc381->ContributoryMonths.m_value = qpp;
        rc381->Calculate01();
    }
    if (sch8) {
        // Schedule 8 takes the earnings outside the QPP province as its
        // pensionable earnings, beside the net self-employment income.
        sch8->F50329Input.m_value = m_person.getF50339(pensionableCap);
        sch8->F50339Input.m_value = selfEmployment;
        sch8->ContributoryMonths.m_value = cpp;
        sch8->Calculate01();
    }
    return selector;
}

void PersonCalculation::eiPremiumsAndOverpayment(TaxData_T1New* t1, const STRUCT_SLIPDATA_CALCULATION& s)
{
    if (auto* t2204 = formOf<TaxData_T2204_New>(m_person, FORM_T2204)) {
        t2204->Indicator.m_value = m_person.m_province == 11 ? 1 : 0;
        t2204->EIInsurableEarnings.m_value = s.t4EiInsurable;
        t2204->QuebecInsurableEarnings.m_value = s.t4EiInsurableQuebec;
        t2204->PremiumsDeducted.m_value = s.t4Box18;
        t2204->Calculate01();
        t1->line31200EiPremiums.setAmount(t2204->PremiumsCredited.m_value);
        t1->line45000EiOverpayment.setAmount(t2204->Result.m_value);
    } else {
        t1->line31200EiPremiums.setAmount(s.t4Box18);
        t1->line45000EiOverpayment.setAmount(0);
    }
}

void PersonCalculation::pensionPlanLinesIntoReturn(TaxData_T1New* t1, int selector, TaxData_Sch8_14* sch8,
                                                   TaxData_RC381* rc381)
{
    // The plan schedule the selector names gives the T1 its contribution
    // lines; without one they are 0, so nothing survives from an earlier
    // calculation.
    CPensionPlanSchedule* plan = selector == 2 ? static_cast<CPensionPlanSchedule*>(rc381)
                                 : selector == 1 ? static_cast<CPensionPlanSchedule*>(sch8)
                                                 : nullptr;
    double base = 0, enhanced = 0, payable = 0;
    if (plan) {
        if (selector == 2)
            rc381->getCPPRelatedAmounts(base, enhanced, payable);
        else
            sch8->getCPPRelatedAmounts(base, enhanced, payable);
    }
    t1->CppSelfEmployedBase.m_value = base;
    t1->CppSelfEmployedEnhanced.m_value = enhanced;
    t1->line30800CppEmployment.setAmount(plan ? plan->EmploymentBase.m_value : 0.0);
    t1->line31000CppSelfEmployed.setAmount(plan ? plan->BaseContribution.m_value : 0.0);
    t1->line22200CppSelfEmployed.setAmount(plan ? plan->EnhancedDeduction.m_value : 0.0);
    t1->line22215CppEnhancedEmployment.setAmount(plan ? plan->EmploymentEnhanced.m_value : 0.0);
    t1->line42100CppSelfEmployedPayable.setAmount(payable);
    t1->line44800CppOverpayment.setAmount(plan ? plan->Overpayment.m_value : 0.0);
    if (t1->IsBankrupt())
        t1->CppSelfEmployedBase.m_value = t1->CppSelfEmployedEnhanced.m_value = 0;
}

void PersonCalculation::splitIncomeFromT1206(TaxData_T1New* t1)
{
    if (auto* t1206 = formOf<TaxData_T1206New>(m_person, FORM_T1206)) {
        t1206->T1Amount.m_value = t1->line23600NetIncome.m_value;
        t1206->CalculateTOSI();
        t1->SplitIncome.m_value = t1206->SplitIncome.m_value;
        t1->SplitIncomeFlag.m_value = taxrules::isPresentAmount(t1206->SplitIncome.m_value) ? 1 : 0;
        // Split income is taxed on form T1206 at the top rate; the same
        // income is deducted here so the brackets do not tax it again.
        t1->line23200OtherDeductions.addAmount(std::max(0.0, t1206->SplitIncome.m_value));
    } else {
        t1->SplitIncome.m_value = 0;
        t1->SplitIncomeFlag.m_value = 0;
    }
}

void PersonCalculation::foreignPlanDeductions(TaxData_T1New* t1)
{
    if (auto* t746 = formOf<TaxData_T746New>(m_person, FORM_T746)) {
        t746->Calculate01();
        t1->line23200OtherDeductions.addAmount(t746->Result.m_value);
    }
    // Contributions to foreign and United States plans are deducted with
    // the registered pension plan contributions.
    if (auto* rc269 = formOf<TaxData_RC269>(m_person, FORM_RC269)) {
        rc269->Calculate01();
        t1->line20700RppDeduction.addAmount(rc269->Result.m_value);
    }
    if (auto* rc267 = formOf<TaxData_RC267New>(m_person, FORM_RC267)) {
        rc267->Calculate01();
        t1->line20700RppDeduction.addAmount(rc267->Result.m_value);
    }
    if (auto* rc268 = formOf<TaxData_RC268New>(m_person, FORM_RC268)) {
        rc268->Calculate01();
        t1->line20700RppDeduction.addAmount(rc268->Result.m_value);
    }
}

void PersonCalculation::netIncomeWithChildCare(TaxData_T1New* t1)
{
    t1->CalculateNetIncomeBeforeCCT();
    if (auto* t778 = formOf<TaxData_T778New>(m_person, FORM_T778)) {
        t778->NetIncome.m_value = t1->line15000TotalIncome.m_value - t1->line23300TotalDeductions.m_value;
        t778->EarnedIncome.m_value = m_person.CalculatedEarnedIncomeForT778();
        countChildrenForChildCare(m_person.m_pDependants, *t778);
        t778->HasSpouse.m_value = t1->HasSpouse() ? 1 : 0;
        t778->SpouseNetIncome.m_value = t1->SpouseNetIncome.m_value;
        t778->Calculate01();
        t1->line21400ChildCare.setAmount(t778->Result.m_value);
        t1->CalculateNetIncomeBeforeCCT();
    } else {
        t1->line21400ChildCare.setAmount(0);
    }
    // The T1 works out the repayment of EI and OAS benefits; the dividend
    // worksheet, when present, does the same from the same figures. Without
    // the worksheet the T1's own figure stands.
    t1->CalculateNetIncomeBeforeF23500();
    if (auto* ws = formOf<TaxData_WS_D1>(m_person, FORM_WS_D1)) {
        ws->CalculateF23500(t1->line23400NetIncomeBeforeAdjustments.m_value, t1->OASRepaymentBase.m_value,
                            std::min(t1->EIRepaymentBase.m_value, t1->line11900EmploymentInsurance.m_value));
        t1->line23500SocialBenefitsRepayment.setAmount(ws->getF23500());
    }
    t1->line42200SocialBenefitsRepayment.setAmount(t1->line23500SocialBenefitsRepayment.m_value);
    t1->CalculateNetIncomeAfterCCT();
}

void PersonCalculation::taxableIncomeDeductions(TaxData_T1New* t1)
{
    if (auto* t936 = formOf<TaxData_T936New>(m_person, FORM_T936)) {
        t936->line68080.m_value = t1->line22100CarryingCharges.m_value;
        t936->line68100.m_value = t1->line12600NetRental.m_value < 0 ? -t1->line12600NetRental.m_value : 0.0;
        t936->line68140.m_value = t1->line12100InterestIncome.m_value + t1->line12000TaxableDividends.m_value;
        t936->Calculate01();
    }
    if (auto* t657 = formOf<TaxData_T657New>(m_person, FORM_T657)) {
        t657->EligibleGains.m_value = t1->CapitalGainsDeductionBase.m_value;
        t657->Calculate01();
        t1->line25400CapitalGainsDeduction.setAmount(t657->Result.m_value);
    } else {
        t1->line25400CapitalGainsDeduction.setAmount(0);
    }
    if (auto* t2222 = formOf<CTaxData_T2222>(m_person, FORM_T2222)) {
        t2222->NetIncome.m_value = t1->line23600NetIncome.m_value;
        t2222->Calculate01();
        t1->line25500NorthernResidents.setAmount(t2222->Result.m_value);
    } else {
        t1->line25500NorthernResidents.setAmount(0);
    }
    t1->CalculateTaxableIncome();
}
