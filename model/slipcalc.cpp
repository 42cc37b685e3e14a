// Slip totals: one walk over the person's slips into STRUCT_SLIPDATA_CALCULATION,
// then the forms those totals make necessary.

#include "model/slipcalc.h"

#include <algorithm>
#include <cmath>

#include "companion/forms/slips/slips_employment.h"
#include "companion/forms/slips/slips_investment.h"
#include "companion/forms/slips/slips_other.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/rules/money.h"
#include "model/individualtaxdata.h"
#include "model/slipboxsums.h"

using taxrules::isPositiveAmount;
using taxrules::isPresentAmount;

namespace {

constexpr int kQuebec = 11;
constexpr int kManitoba = 3;

// A field that keeps the largest value is raised only by a clear margin.
void raise(double& held, double value)
{
    if (isPositiveAmount(value - held))
        held = value;
}

void addT3(STRUCT_SLIPDATA_CALCULATION& s, const TaxData_Slip_T3& t)
{
    const double b21 = t.shareBox21.m_value, b24 = t.shareBox24.m_value, b25 = t.shareBox25.m_value,
                 b26 = t.shareBox26.m_value, b30 = t.shareBox30.m_value, b31 = t.shareBox31.m_value;
    s.t3Box21 += b21;
    if (isPresentAmount(b21))
        s.t3HasBox21 = true;
    s.t3Box21LessBox30 += b21 - b30;
    if (t.box21Mark.m_value)
        s.t3Box21Marked += b21;
    s.t3Box24 += b24;
    if (!t.box24Mark.m_value)
        s.t3Box24Unmarked += b24;
    s.t3Box25 += b25;
    if (isPresentAmount(t.shareBox34.m_value))
        s.t3Box25Taxed += b25;
    if (!t.box26Mark1.m_value)
        s.t3Box26Other += std::max(0.0, b26 - b31);
    if (t.box26Mark2.m_value)
        s.t3Box26MarkB += b26;
    if (t.box26Mark3.m_value)
        s.t3Box26MarkC += b26;
    s.t3Box30 += b30;
    s.t3Box31 += b31;
}

void addT4(STRUCT_SLIPDATA_CALCULATION& s, const TaxData_Slip_T4& t)
{
    const double b14 = t.box14EmploymentIncome.m_value, b16 = t.box16CppContributions.m_value,
                 b22 = t.box22IncomeTaxDeducted.m_value, b26 = t.box26PensionableEarnings.m_value,
                 b55 = t.box55PpipPremiums.m_value, b66 = t.box66EligibleRetiring.m_value,
                 b67 = t.box67NonEligibleRetiring.m_value;
    const bool quebec = t.Province.m_value == kQuebec;
    const bool qppSlip = quebec && !isPositiveAmount(b16);
    const bool eiExempt = t.box28EiExempt.m_value != 0;
    const bool cppExempt = t.box28CppQppExempt.m_value != 0;

    if (qppSlip)
        ++s.t4QppCount;
    else
        ++s.t4NonQppCount;
    s.t4Box14 += b14;
    if (!s.hasIndianActIncome && t.containIndianItem())
        s.hasIndianActIncome = true;
    if (eiExempt)
        s.t4Box14EiExempt += b14;
    s.t4Box16 += b16;
    (quebec ? s.t4Box14Quebec : s.t4Box14OutsideQuebec) += b14;
    s.t4Box22 += b22;
    const double insurable = isPresentAmount(t.box24EiInsurableEarnings.m_value) ? t.box24EiInsurableEarnings.m_value
                             : eiExempt                                   ? 0.0
                                                                          : b14;
    s.t4EiInsurable += insurable;
    if (isPositiveAmount(b55))
        s.t4EiInsurableQuebec += insurable;
    switch (t.earningsKind.m_value) {
    case 0:
        s.t4HasPlacementAgency = true;
        s.t4PlacementAgencyEarnings += t.placementAgencyEarnings.m_value;
        break;
    case 1:
        s.t4HasKind1 = true;
        s.t4KindEarnings1 += t.kind1Earnings.m_value;
        break;
    case 2:
        s.t4HasKind2 = true;
        s.t4KindEarnings2 += t.kind2Earnings.m_value;
        break;
    default: break;
    }
    if (t.other1Code.m_value == 0)
        s.t4Other1Code0 += t.other1Box43.m_value;
    else if (t.other1Code.m_value == 1)
        s.t4Other1Code1 += t.other1Box43.m_value;
    s.t4Box55 += b55;
    if (eiExempt)
        s.t4Box55EiExempt += b55;
    s.t4Box26 += b26;
    if (qppSlip) {
        s.t4Box26Qpp += b26;
        if (cppExempt)
            s.t4QppExemptSeen = true;
    } else {
        s.t4Box26Cpp += b26;
        if (cppExempt)
            s.t4CppExemptSeen = true;
    }
    if (!eiExempt)
        s.t4AllEiExempt = false;
    if (quebec && isPositiveAmount(t.other6Box31.m_value))
        s.t4QuebecEarningsWith6 += b14 + b66 + b67;
    s.t4Box66 += b66;
    s.t4Box67 += b67;
    if (t.box85Mark.m_value)
        s.t4Box85Marked += t.box85HealthPremiums.m_value;
    if (isPositiveAmount(b22) && !isPresentAmount(b14))
        s.t4RetiringTaxedNoBox14 += (isPositiveAmount(b66) ? b66 : 0.0) + (isPositiveAmount(b67) ? b67 : 0.0);
    if (t.fishingMark.m_value) {
        s.t4HasFishing = true;
        if (isPositiveAmount(b22))
            s.t4FishingBox14Taxed += b14;
    }
}

void addT5(STRUCT_SLIPDATA_CALCULATION& s, const TaxData_Slip_T5& t, bool age65)
{
    (t.box17Mark.m_value ? s.t5Box17Marked : s.t5Box17Unmarked) += t.shareBox17.m_value;
    (t.box19Mark.m_value || age65 ? s.t5Box19Pension : s.t5Box19Other) += t.shareBox19.m_value;
}

void addT4E(STRUCT_SLIPDATA_CALCULATION& s, const TaxData_Slip_T4E& t)
{
    const double b14 = t.box14TotalBenefits.m_value, b18 = t.box18TaxExempt.m_value;
    if (isPositiveAmount(t.box7RepaymentRate.m_value))
        s.t4eBox7 = t.box7RepaymentRate.m_value;
    const double net = std::max(0.0, b14 - b18);
    s.t4eBox14NetOfBox18 += net;
    if (isPositiveAmount(t.box23QuebecTax.m_value))
        s.t4eBox14NetOfBox18Quebec += net;
    if (isPositiveAmount(t.box7RepaymentRate.m_value))
        s.t4eRepayable += t.box15Regular.m_value;
    s.t4eBox18 += b18;
    if (isPresentAmount(t.other2.m_value))
        s.t4eOther2 += t.other2.m_value;
    else
        s.t4eBox30 += t.box30Repayment.m_value;
    if (isPositiveAmount(t.box22IncomeTaxDeducted.m_value))
        s.t4eBox14Taxed += b14;
    if (t.indianActMark.m_value) {
        s.t4eBox18IndianAct += b18;
        s.hasIndianActIncome = true;
    }
}

void addT4RSP(STRUCT_SLIPDATA_CALCULATION& s, const TaxData_Slip_T4RSP& t)
{
    (t.box16Mark.m_value ? s.t4rspBox16Marked : s.t4rspBox16Unmarked) += t.box16Annuity.m_value;
    if (isPositiveAmount(t.box28OtherIncome.m_value))
        s.t4rspBox28Income += t.box28OtherIncome.m_value;
    else
        s.t4rspBox28Deduction += -t.box28OtherIncome.m_value;
    if (t.box24SpousalFlag.m_value)
        s.t4rspSpousalPlanAmounts +=
            t.box20ExcessRefund.m_value + t.box22Withdrawal.m_value + t.box26Deregistration.m_value;
}

void addT4AP(STRUCT_SLIPDATA_CALCULATION& s, TaxData_Slip_T4AP& t, int age)
{
    t.age.m_value = age;
    const double b14 = t.box14Retirement.m_value, b18 = t.box18Death.m_value, b20 = t.box20Taxable.m_value;
    const bool benefit = isPresentAmount(b14) || isPresentAmount(t.box16Disability.m_value);
    s.t4apBox14 += b14;
    if (isPositiveAmount(b14) && t.box14Mark.m_value)
        s.t4apBox14MarkSeen = true;
    s.t4apBox18 += b18;
    s.t4apBox20LessBox18 += b20 - b18;
    if (benefit) {
        raise(s.t4apMaxBox21, t.box21DisabilityMonths.m_value);
        raise(s.t4apMaxBox23, t.box23RetirementMonths.m_value);
        if (!t.slipMark.m_value) {
            raise(s.t4apMaxBox21Unmarked, t.box21DisabilityMonths.m_value);
            raise(s.t4apMaxBox23Unmarked, t.box23RetirementMonths.m_value);
        }
    }
    if (isPositiveAmount(t.other1.m_value)) {
        s.t4apOther1 += t.other1.m_value;
        s.t4apBox20WithOther1 += b20;
    }
    if (t.indianActMark.m_value) {
        s.t4apBox20IndianAct += b20;
        s.hasIndianActIncome = true;
    }
    if (isPresentAmount(b18) || isPresentAmount(t.box22IncomeTaxDeducted.m_value))
        s.t4apBox18Added += b18;
}

// The taxable part of a scholarship: 500 off for code 0, none for code 1,
// all of it otherwise.
double taxableScholarship(double amount, int code)
{
    if (code == 0)
        return std::max(0.0, amount - 500.0);
    return code == 1 ? 0.0 : amount;
}

void addT4A(STRUCT_SLIPDATA_CALCULATION& s, const TaxData_Slip_T4A& t, bool age65)
{
    const bool pensionTreated = t.pensionMark.m_value || age65;
    const bool indian = t.indianActMark.m_value != 0;
    const double b16 = t.box16Pension.m_value, b22 = t.box22IncomeTaxDeducted.m_value,
                 b24 = t.box24Annuities.m_value, b28 = t.box28OtherIncome.m_value, b105 = t.box105Scholarships.m_value;
    s.t4aBox16 += b16;
    s.t4aBox22 += b22;
    (pensionTreated ? s.t4aBox24Pension : s.t4aBox24Other) += b24;
    if (t.box24Mark.m_value)
        s.t4aBox24Marked += b24;
    if (!t.box28Exclusion.m_value)
        (t.box28Kind.m_value ? s.t4aBox28KindB : s.t4aBox28KindA) += b28;
    s.t4aBox104Net += std::max(0.0, t.box104ResearchGrants.m_value - t.researchExpenses.m_value);
    if (!t.box30Mark.m_value)
        s.t4aBox30Unmarked += t.box30Patronage.m_value;
    if (!t.box32Mark.m_value)
        s.t4aBox32Second += t.box32PastService.m_value;
    if (isPositiveAmount(b22) && (!t.taxMark.m_value || !isPresentAmount(b16))) {
        const double scholarship = isPositiveAmount(b105) ? taxableScholarship(b105, t.box105Code.m_value) : 0.0;
        s.t4aTaxedIncome += t.box18LumpSum.m_value + scholarship + b28 + t.box30Patronage.m_value +
                            t.box40RespAccumulated.m_value + t.box107WageLoss.m_value + t.box127Veterans.m_value +
                            t.box198Crb.m_value + t.box199Crsb.m_value + t.box200Crcb.m_value + t.box202Cesb.m_value +
                            t.box203Provincial.m_value + t.box204Parents.m_value + t.box211Cwlb.m_value;
    }
    if (t.box124Code.m_value == 0)
        s.t4aBox124Code0 += t.box124BoardLodging.m_value;
    else if (t.box124Code.m_value == 1)
        s.t4aBox124Code1 += t.box124BoardLodging.m_value;
    switch (t.box105Code.m_value) {
    case 0: s.t4aBox105Code0 += b105; break;
    case 1: s.t4aBox105Code1 += b105; break;
    default: s.t4aBox105Code2 += b105; break;
    }
    (pensionTreated ? s.t4aBox133Pension : s.t4aBox133Other) += t.box133VariablePension.m_value;
    if (t.box135Mark.m_value)
        s.t4aBox135Marked += t.box135HealthPremiums.m_value;
    (pensionTreated ? s.t4aBox194Pension : s.t4aBox194Other) += t.box194Prpp.m_value;
    if (!indian) {
        s.t4aBox197 += t.box197Cerb.m_value;
        s.t4aBox203 += t.box203Provincial.m_value;
    } else {
        s.t4aBox197And203IndianAct += t.box197Cerb.m_value + t.box203Provincial.m_value;
    }
    if (isPositiveAmount(b16))
        s.pensionTaxDeducted += b22;
}

void addT2202(STRUCT_SLIPDATA_CALCULATION& s, TaxData_Slip_T2202& t)
{
    for (int n = 1; n <= TaxData_Slip_T2202::kSessions; ++n) {
        const double partTime = t.partTimeMonths(n).m_value;
        s.t2202PartTimeMonths += partTime;
        s.t2202FullTimeMonths += t.fullTimeMonths(n).m_value;
        (isPresentAmount(partTime) ? s.t2202FeesWithPartTime : s.t2202FeesOther) += t.eligibleFees(n).m_value;
    }
}

void addT5007(STRUCT_SLIPDATA_CALCULATION& s, const CSlipData_T5007& t)
{
    if (t.indianActMark.m_value) {
        s.t5007Box10IndianAct += t.box10WorkersCompensation.m_value;
        s.hasIndianActIncome = true;
    } else {
        s.t5007Box10 += t.box10WorkersCompensation.m_value;
    }
    if (t.Province.m_value == kManitoba) {
        if (isPositiveAmount(s.t5007ManitobaMinRatio - t.ratioAmount.m_value))
            s.t5007ManitobaMinRatio = t.ratioAmount.m_value;
        if (isPositiveAmount(t.box11SocialAssistance.m_value))
            s.t5007ManitobaBox11 = true;
    }
}

void addT5013(STRUCT_SLIPDATA_CALCULATION& s, TaxData_Slip_T5013& t)
{
    const double share = t.box5Percent.m_value / 100.0;
    double* const shares[] = {
        &s.t5013Share01, &s.t5013Share02, &s.t5013Share03, &s.t5013Share04, &s.t5013Share05, &s.t5013Share06,
        &s.t5013Share07, &s.t5013Share08, &s.t5013Share09, &s.t5013Share10, &s.t5013Share11, &s.t5013Share12,
        &s.t5013Share13, &s.t5013Share14, nullptr, &s.t5013Share16, &s.t5013Share17, &s.t5013Share18,
        &s.t5013Share19, &s.t5013Share20, &s.t5013Share21, &s.t5013Share22, &s.t5013Share23, &s.t5013Share24,
        &s.t5013Share25,
    };
    for (int n = 1; n <= 25; ++n) {
        const double amount = t.amount(n).m_value * share;
        if (n == 15)
            (t.box151Mark.m_value ? s.t5013Share15Marked : s.t5013Share15Unmarked) += amount;
        else
            *shares[n - 1] += amount;
    }
}

void addT4RIF(STRUCT_SLIPDATA_CALCULATION& s, const TaxData_Slip_T4RIF& t, bool age65)
{
    const bool pensionTreated = t.pensionMark.m_value || age65;
    const double b16 = t.box16Taxable.m_value, b24 = t.box24Excess.m_value, b28 = t.box28IncomeTaxDeducted.m_value;
    const bool taxed = isPositiveAmount(b28);
    (pensionTreated ? s.t4rifBox16Pension : s.t4rifBox16Other) += b16;
    if (!pensionTreated && taxed)
        s.t4rifTaxedOther += b16;
    (pensionTreated ? s.t4rifBox20Pension : s.t4rifBox20Other) += t.box20Deregistration.m_value;
    if (isPositiveAmount(b24)) {
        if (t.pensionMark.m_value || (t.secondMark.m_value && age65)) {
            s.t4rifBox24Pension += b24;
        } else {
            s.t4rifBox24Other += b24;
            if (taxed)
                s.t4rifTaxedOther += b24;
        }
    } else {
        s.t4rifBox24Negative += -b24;
    }
    s.t4rifBox28 += b28;
    if (pensionTreated && isPositiveAmount(b16))
        s.pensionTaxDeducted += b28;
}

bool anyPresent(std::initializer_list<double> values)
{
    for (double v : values)
        if (isPresentAmount(v))
            return true;
    return false;
}

bool anyAtLeast(std::initializer_list<double> values)
{
    for (double v : values)
        if (isPositiveAmount(v))
            return true;
    return false;
}

// One slip's boxes into the totals: the plain boxes by the table, then what
// the slip's own rules add.
void addSlip(STRUCT_SLIPDATA_CALCULATION& s, ENUMTYPE_SLIP type, CTaxData_Form& slip, int age, bool age65)
{
    addPlainSlipBoxes(s, type, slip);
    switch (type) {
    case SLIP_T4: addT4(s, static_cast<TaxData_Slip_T4&>(slip)); break;
    case SLIP_T4A: addT4A(s, static_cast<TaxData_Slip_T4A&>(slip), age65); break;
    case SLIP_T4AP: addT4AP(s, static_cast<TaxData_Slip_T4AP&>(slip), age); break;
    case SLIP_T4RSP: addT4RSP(s, static_cast<TaxData_Slip_T4RSP&>(slip)); break;
    case SLIP_T4E: addT4E(s, static_cast<TaxData_Slip_T4E&>(slip)); break;
    case SLIP_T4RIF: addT4RIF(s, static_cast<TaxData_Slip_T4RIF&>(slip), age65); break;
    case SLIP_T5: addT5(s, static_cast<TaxData_Slip_T5&>(slip), age65); break;
    case SLIP_T3: addT3(s, static_cast<TaxData_Slip_T3&>(slip)); break;
    case SLIP_T5007: addT5007(s, static_cast<CSlipData_T5007&>(slip)); break;
    case SLIP_T5013: addT5013(s, static_cast<TaxData_Slip_T5013&>(slip)); break;
    case SLIP_T5006: {
        const auto& t = static_cast<TaxData_Slip_T5006&>(slip);
        s.t5006Net1 += std::max(0.0, t.amount1Box12.m_value - t.amount2Box13.m_value);
        s.t5006Net2 += std::max(0.0, t.amount3Box14.m_value - t.amount4Box15.m_value);
        break;
    }
    case SLIP_T1204: ++s.t1204Count; break;
    case SLIP_NR4: {
        const auto& t = static_cast<TaxData_Slip_NR4&>(slip);
        s.nr4Amount1 += t.amount1Box16.m_value * t.rate.m_value;
        s.nr4Amount2 += t.amount2Box17.m_value * t.rate.m_value;
        s.nr4Amount3 += t.amount3Box26.m_value * t.rate.m_value;
        s.nr4Amount4 += t.amount4Box27.m_value * t.rate.m_value;
        break;
    }
    case SLIP_T2202:
        if (auto* t = qobject_cast<TaxData_Slip_T2202*>(&slip))
            addT2202(s, *t);
        break;
    default: break; // the others add only their plain boxes
    }
}

// Every slip's boxes into the totals, each slip calculated first.
void sumSlips(const std::list<STRUCT_SLIPDATA_ITEM_2004*>& slips, STRUCT_SLIPDATA_CALCULATION& s, int age, bool age65)
{
    for (STRUCT_SLIPDATA_ITEM_2004* item : slips)
        if (item->data)
            item->data->Calculate01();

    for (STRUCT_SLIPDATA_ITEM_2004* item : slips)
        if (item->data)
            addSlip(s, item->type, *item->data, age, age65);

    s.t4aBox105Taxable = std::max(0.0, s.t4aBox105Code0 - 500.0) + s.t4aBox105Code2;
}

// The forms the totals call for, into needed (and, with createForms, into
// the return).
void formsCalledForBySlips(IndividualTaxData& person, const STRUCT_SLIPDATA_CALCULATION& s,
                           std::set<ENUMTYPE_FORM>& needed, bool createForms)
{
    // Only the calculation may add forms; every other caller just learns
    // which forms the slips call for.
    auto need = [&](ENUMTYPE_FORM type) {
        if (createForms)
            person.GetFormData(type, true);
        needed.insert(type);
    };
    const bool hasT4 = person.GetCountOfSlip(1) > 0;
    if (anyPresent({s.t3Box21, s.t3Box30, s.t3Box37})) {
        need(4);
        if (createForms)
            person.GetFormData(FORM_T936, true);
    }
    if (anyPresent({s.t3Box25, s.t3Box32, s.t3Box50}))
        need(210);
    if (anyPresent({s.t3Box33, s.t3Box34}))
        need(35);
    if (hasT4 && anyAtLeast({s.t4Box17, s.t4Box26Qpp}))
        need(148);
    else if (hasT4 && anyAtLeast({s.t4Box16, s.t4Box16A, s.t4Box26Cpp}))
        need(150);
    if (hasT4 && anyAtLeast({s.t4Box18, s.t4Box24, s.t4Box55}))
        need(23);
    if (isPresentAmount(s.t4Box46))
        need(9);
    if (anyPresent({s.t5Interest, s.t5Box11, s.t5Box25, s.t5Box14, s.t5Box15, s.t5Box17Unmarked, s.t5Box19Other}))
        need(210);
    if (isPresentAmount(s.t5Box18))
        need(4);
    if (anyPresent({s.t2202FeesWithPartTime, s.t2202FeesOther, s.t2202PartTimeMonths, s.t2202FullTimeMonths}))
        need(11);
    if (isPresentAmount(s.t5Box16))
        need(35);
    if (anyPresent({s.rc210Box10, s.rc210Box11}))
        need(119);
    if (anyPresent({s.t4rspBox25, s.t4rspBox27}))
        need(7);
    if (isPresentAmount(s.t4aBox40))
        need(17);
    if (isPresentAmount(s.t4aBox46))
        need(9);
    if (isPresentAmount(s.fhsaBox18))
        need(205);
    if (isPresentAmount(s.t5013Share17))
        need(4);
    if (anyPresent({s.t5013Share01, s.t5013Share02, s.t5013Share10, s.t5013Share12, s.t5013Share14,
                    s.t5013Share15Unmarked, s.t5013Share15Marked, s.t5013Share16, s.t5013Share19, s.t5013Share21}))
        need(210);
    if (anyPresent({s.t4psAmount01, s.t4psAmount02, s.t4psAmount03, s.t4psAmount04, s.t4psAmount05, s.t4psAmount06}))
        need(210);
    if (isPresentAmount(s.t4psAmount07))
        need(4);
    if (isPresentAmount(s.t4psAmount12))
        need(35);
    if (s.hasIndianActIncome)
        need(171);}

} // namespace

void IndividualTaxData::PrepareSlipsBeforeCalculate(STRUCT_SLIPDATA_CALCULATION& s, std::set<ENUMTYPE_FORM>& needed,
                                                    bool createForms)
{
    if (m_slipList.empty())
        return;
    const TaxData_T1New* t1 = GetT1();
    // A return without a T1 is taken as a person under 65 of unknown age.
    const int age = t1 ? t1->GetAge() : 0;
    const bool age65 = t1 && t1->IsAgeNotUnder65();
    sumSlips(m_slipList, s, age, age65);
    formsCalledForBySlips(*this, s, needed, createForms);
}
