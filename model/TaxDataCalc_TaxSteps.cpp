// Steps 3 to 5 of one person's calculation: the amounts that depend on the
// days of the year and on the spouse, federal tax with minimum tax and split
// income, provincial tax around the spouses' exchange, credits, the balance
// and the forms that mirror the return.
#include "model/individualtaxdata.h"
#include "model/personcalculation.h"

#include "companion/forms/federal/credits.h"
#include "companion/forms/federal/minimumtax_split.h"
#include "companion/forms/federal/mirroring.h"
#include "companion/forms/federal/others.h"
#include "companion/forms/schedules/taxdata_sch11.h"
#include "companion/forms/schedules/taxdata_sch12.h"
#include "companion/forms/schedules/taxdata_sch2.h"
#include "companion/forms/schedules/taxdata_sch3.h"
#include "companion/forms/schedules/taxdata_sch5.h"
#include "companion/forms/schedules/taxdata_sch6.h"
#include "companion/forms/schedules/taxdata_sch9.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/forms/dependantinfostruct.h"
#include "companion/rules/federalprograms2024.h"
#include "companion/rules/federalconstants2024.h"
#include "companion/rules/money.h"
#include "companion/rules/province.h"
#include "companion/rules/workersbenefit2024.h"
#include "companion/forms/fieldchoices.h"
#include "model/calcsteps_common.h"
#include "model/preparerinfo.h"

using namespace calcsteps;

namespace {

constexpr int kQuebec = 11;
constexpr int kProvinceKeepingCredits = 13;
using taxrules::FedKey;
using taxrules::federalConstant;

double creditsBeforeTuition(const TaxData_T1New& t1)
{
    double total = 0;
    for (const CFloatField* f :
         {&t1.line30000BasicPersonal, &t1.line30100AgeAmount, &t1.line30300SpouseAmount,
          &t1.line30400EligibleDependant, &t1.line30425CaregiverSpouse, &t1.line30450CaregiverOther,
          &t1.line30500CaregiverChildren, &t1.line30800CppEmployment, &t1.line31000CppSelfEmployed,
          &t1.line31200EiPremiums, &t1.line31205PpipEmployment, &t1.line31210PpipSelfEmployed,
          &t1.line31217EiSelfEmployed, &t1.line31220VolunteerFirefighters, &t1.line31240SearchRescue,
          &t1.line31260CanadaEmployment, &t1.line31270HomeBuyers, &t1.line31285HomeAccessibility,
          &t1.line31300AdoptionExpenses, &t1.line31350DigitalNews, &t1.line31400PensionIncomeAmount,
          &t1.line31600DisabilitySelf})
        total += f->m_value;
    return total;
}

void fillMirrorIdentity(CMirrorForm& f, const TaxData_T1New& t1)
{
    f.FirstName.m_value = t1.FirstName.m_value;
    f.LastName.m_value = t1.LastName.m_value;
    f.SIN.m_value = t1.SIN.m_value;
    f.Address.m_value = t1.AddressLine1.m_value;
    f.City.m_value = t1.City.m_value;
    f.PostalCode.m_value = t1.PostalCode.m_value;
}

void splitIncomeOrLoss(double value, CFloatField& income, CFloatField& loss)
{
    income.m_value = value > 0 ? value : 0.0;
    loss.m_value = value > 0 ? 0.0 : -value;
}

// Basic federal tax as it would be without minimum tax of earlier years:
// tax on taxable income and split income less the credits.
double regularTaxBeforeCarryover(const TaxData_T1New& t1)
{
    return taxrules::roundCents(std::max(
        0.0, t1.line40400FederalTaxOnIncome.m_value + t1.line40424TaxOnSplitIncome.m_value -
                 t1.line35000NonRefundableCredits.m_value - t1.line40425DividendTaxCredit.m_value));
}

// What minimum tax starts from, taken from the return: the deductions it
// allows only in half are claimed in full on the return; the gross-up of
// dividends (38 % on eligible, 15 % on other dividends) is no income for it.
taxrules::MinimumTaxInput minimumTaxInput(const TaxData_T1New& t1, const TaxData_Sch3* sch3)
{
    taxrules::MinimumTaxInput in;
    in.taxableIncome = t1.line26000TaxableIncome.m_value;
    in.taxableCapitalGains = sch3 ? std::max(0.0, sch3->Result.m_value) : std::max(0.0, t1.line12700TaxableCapitalGains.m_value);
    in.securityOptionsDeductions = t1.line24900SecurityOptions.m_value;
    in.halfAllowedDeductions = t1.line22900EmploymentExpenses.m_value + t1.line21900MovingExpenses.m_value +
                               t1.line21400ChildCare.m_value + t1.line22100CarryingCharges.m_value +
                               t1.line25100PartnershipLosses.m_value + t1.line25200NonCapitalLosses.m_value;
    const double eligible = t1.line12000TaxableDividends.m_value - t1.line12010OtherThanEligibleDividends.m_value;
    in.dividendGrossUp = std::max(0.0, eligible) * 0.38 / 1.38 +
                         std::max(0.0, t1.line12010OtherThanEligibleDividends.m_value) * 0.15 / 1.15;
    in.creditsAtRate = t1.line33800CreditsAtRate.m_value;
    in.donationCredit = t1.line34900Donations.m_value;
    return in;
}

// The dependant table's infirm dependants: each one 18 or older gives the
// Canada caregiver amount on their own net income (30450); infirm children
// under 18 are counted for 30500; the disability amount of those eligible
// for it goes to 31800 as far as they cannot use it themselves.
struct CaregiverAmounts {
    double adults = 0.0;
    double children = 0.0;
    double disabilityTransferred = 0.0; // line 31800
};

CaregiverAmounts caregiverAmounts(const DependantInfoStruct* dependants, const TaxData_Sch5* sch5)
{
    // The dependant claimed as eligible dependant on Schedule 5 has the
    // caregiver amount there (30425), not again here.
    const QString claimed = sch5 && sch5->ClaimEligibleDependant.m_value
                                ? QString(sch5->DependantName.m_value).simplified().toCaseFolded()
                                : QString();
    CaregiverAmounts amounts;
    for (int d = 0; dependants && d < dependants->GetCount(); ++d) {
        const DependantInfo* info = dependants->GetAt(d);
        if (!info || !info->infirm || info->relationship == DEP_REL_NONE)
            continue;
        const int age = info->ageAtYearEnd();
        // The disability amount the dependant cannot use moves to line 31800,
        // whoever claims the caregiver amounts for the dependant.
        if (info->infirm == DependantInfo::kInfirmWithDisabilityAmount)
            amounts.disabilityTransferred +=
                taxrules::disabilityAmountTransferable(age >= 0 && age < 18, 0.0, info->netIncome);
        if (!claimed.isEmpty() &&
            QString(info->firstName + CString(" ") + info->lastName).simplified().toCaseFolded() == claimed)
            continue;
        if (age >= 18)
            amounts.adults += taxrules::canadaCaregiverAmount(info->netIncome);
        else if (age >= 0 && info->isChild())
            amounts.children += 1;
    }
    amounts.adults = taxrules::roundCents(amounts.adults);
    return amounts;
}

// Line 45200 for a resident of the whole year, 18 or older at its end: the
// working income is employment income less its deductions (never below 0)
// plus self-employment profits; the family's net income adds the spouse's.
double refundableMedicalSupplement(const TaxData_T1New& t1)
{
    if (t1.GetAge() < 18 || t1.shouldProrateAsImmigrant())
        return 0.0;
    const double employment = std::max(
        0.0, t1.line10100EmploymentIncome.m_value + t1.line10400OtherEmploymentIncome.m_value -
                 t1.line20700RppDeduction.m_value - t1.line21200UnionDues.m_value -
                 t1.line22900EmploymentExpenses.m_value - t1.line23100ClergyResidence.m_value);
    const double working =
        employment + t1.getSelfEmploymentIncomeWithoutLoss() + std::max(0.0, t1.F5532MedSupp.m_value);
    const double family = t1.line23600NetIncome.m_value + (t1.HasSpouse() ? t1.SpouseNetIncome.m_value : 0.0);
    return taxrules::refundableMedicalSupplement(t1.line33200AllowableMedical.m_value,
                                                 t1.line21500DisabilitySupports.m_value, family, working);
}

} // namespace

int PersonCalculation::step3()
{
    TaxData_T1New* t1 = m_person.GetT1();
    if (!t1)
        return 0;
    // 1. The day counts, kept on the return for the forms and the spouse.
    const CalcDays days = m_person.calcDays();
    t1->DaysInCanada.m_value = days.daysInCanada;
    t1->BankruptDays.m_value = days.bankruptDays;
    t1->DaysInYear.m_value = days.daysInYear;
    t1->ProrationDays.m_value = std::min(days.daysInCanada, days.bankruptDays);
    // 2. Spouse and eligible dependant amounts.
    spouseAndDependantAmounts(t1, days);
    // 3. Tuition. The rate test looks at this pass's taxable income, never
    // at what an earlier calculation left in the schedule.
    tuitionAmount(t1);
    // 4. Home accessibility.
    homeAccessibilityAmount(t1);
    // 5. Amounts transferred from the spouse.
    spouseTransferInputs(t1);
    return 0;
}

void PersonCalculation::spouseAndDependantAmounts(TaxData_T1New* t1, const CalcDays& days)
{
    if (auto* sch5 = formOf<TaxData_Sch5>(m_person, FORM_SCH5)) {
        sch5->DaysInCanada.m_value = days.daysInCanada;
        sch5->ProrationDays.m_value = t1->ProrationDays.m_value;
        sch5->BankruptDays.m_value = days.bankruptDays;
        sch5->DaysInYear.m_value = days.daysInYear;
        sch5->NetIncome.m_value = t1->line23600NetIncome.m_value;
        sch5->MaritalChange.m_value = t1->HasMaritalChange() ? 1 : 0;
        sch5->MirroredAmount.m_value = t1->Sch5Amount1.m_value;
        sch5->HasSpouse.m_value = t1->HasSpouse() ? 1 : 0;
        sch5->CanClaimSpouse.m_value = t1->CanClaimSpouse() ? 1 : 0;
        sch5->SpouseNetIncome.m_value = t1->getSpouseNetIncForSpouseCredit(true);
        sch5->Calculate01();
        t1->line30300SpouseAmount.setAmount(sch5->SpouseAmountResult.m_value);
        t1->line30400EligibleDependant.setAmount(sch5->EligibleDependantResult.m_value);
        t1->line30425CaregiverSpouse.setAmount(sch5->CaregiverSpouseResult.m_value);
    } else {
        t1->line30300SpouseAmount.setAmount(0);
        t1->line30400EligibleDependant.setAmount(0);
        t1->line30425CaregiverSpouse.setAmount(0);
    }
    // Caregiver amounts for the infirm dependants of the dependant table.
    const CaregiverAmounts caregivers = caregiverAmounts(m_person.m_pDependants, formOf<TaxData_Sch5>(m_person, FORM_SCH5));
    t1->line30450CaregiverOther.setAmount(caregivers.adults);
    if (auto* sch5 = formOf<TaxData_Sch5>(m_person, FORM_SCH5))
        sch5->CaregiverResult.m_value = caregivers.adults;
    t1->line31800DisabilityTransferred.setAmount(caregivers.disabilityTransferred +
                                                std::max(0.0, t1->line31800NotInTable.m_value));
    t1->line30500CaregiverChildren.m_value = taxrules::roundCents(
        std::max(caregivers.children, std::max(0.0, t1->line30500ChildCount.m_value)) * taxrules::caregiverTopUp());
}

void PersonCalculation::tuitionAmount(TaxData_T1New* t1)
{
    if (auto* sch11 = formOf<TaxData_Sch11>(m_person, FORM_SCH11)) {
        // The tax on this pass's taxable income: the line itself is cleared
        // with the other computed lines and only filled again in step 4.
        t1->CalculateFedTax1stStep();
        const double t = t1->line40400FederalTaxOnIncome.m_value;
        sch11->TField.m_value = t;
        const double taxable = t1->line26000TaxableIncome.m_value;
        sch11->RateTestIncome.m_value = taxrules::isPositiveAmount(taxable - federalConstant(FedKey::Bracket2From))
                                            ? t / federalConstant(FedKey::Rate1)
                                            : taxable;
        if (auto* t1206 = formOf<TaxData_T1206New>(m_person, FORM_T1206))
            sch11->RateTestIncome.m_value += t1206->SplitIncome.m_value;
        sch11->CreditsBase.m_value = creditsBeforeTuition(*t1);
        sch11->Calculate01();
        t1->line32300Tuition.setAmount(sch11->Result.m_value);
        t1->Sch11Result2.m_value = sch11->CarryForwardNext.m_value;
        t1->line45350TrainingCredit.m_value = sch11->line45350TrainingCredit.m_value;
    } else {
        t1->line32300Tuition.setAmount(0);
        t1->line45350TrainingCredit.setAmount(0);
    }
}

void PersonCalculation::homeAccessibilityAmount(TaxData_T1New* t1)
{
    auto* sch12 = formOf<TaxData_Sch12_2016>(m_person, FORM_SCH12_2016);
    if (sch12)
        sch12->Calculate01();
    t1->line31285HomeAccessibility.setAmount(sch12 ? sch12->Result.m_value : 0.0);
}

void PersonCalculation::spouseTransferInputs(TaxData_T1New* t1)
{
    if (auto* sch2 = formOf<TaxData_Sch2>(m_person, FORM_SCH2)) {
        sch2->SpouseAmount.m_value =
            t1->m_taxStairs.CalcAlgoForSpouseF260S2(t1->SpouseTaxableIncome.m_value, sch2->WorkingValue.m_value);
        sch2->SpouseAge65Flag.m_value = t1->IsSpouseAgeNotUnder65() ? 1 : 0;
        sch2->SpouseAge18Flag.m_value = t1->IsSpouseAgeNotUnder18() ? 1 : 0;
        sch2->CanClaimFlag.m_value = t1->canClaimSch2() ? 1 : 0;
    }
}

int PersonCalculation::step4()
{
    TaxData_T1New* t1 = m_person.GetT1();
    if (!t1)
        return 0;
    const CalcDays days = m_person.calcDays();
    // 1. Schedule 2, prorated by the days before a bankruptcy.
    spouseTransferAmount(t1, days);
    // 2. Donations.
    donationsCredit(t1);
    // 3, 4. Federal tax. The T1's mirror of Schedule 5's first amount is
    // refreshed only when Schedule 5 itself was edited (step 0).
    TaxData_T1206New* t1206 = federalTaxOnIncome(t1);
    // 5. Minimum tax and the federal credits below basic federal tax. A
    // return whose income could bear minimum tax, or that has minimum tax of
    // earlier years to recover, gets form T691.
    TaxData_T691New* t691 = minimumTaxAndFederalCredits(t1, t1206);
    // 6.
    t1->MinimumTaxPayable.m_value = t691 ? t691->MinimumTax.m_value : 0.0;
    t1->CalculateField417(t691 && taxrules::isPositiveAmount(t691->MinimumTax.m_value));
    // 7. Tax on split income.
    taxOnSplitIncome(t1, t1206, t691);
    // 8. Additional tax on education payments.
    educationPaymentsTax(t1);
    // 9, 10. Net federal tax, then provincial tax before the exchange.
    netFederalAndProvincialTax(t1, t1206, t691);
    // 11 to 13. Working income for the workers benefit; the step reports
    // the Schedule 6 it adds, so the caller knows the form set changed.
    return workingIncomeForWorkersBenefit(t1);
}

void PersonCalculation::spouseTransferAmount(TaxData_T1New* t1, const CalcDays& days)
{
    if (auto* sch2 = formOf<TaxData_Sch2>(m_person, FORM_SCH2)) {
        const bool spouse65 = t1->canClaimSch2() ? sch2->SpouseAge65Flag.m_value != 0 : false;
        sch2->DaysInYear.m_value = days.daysInYear;
        sch2->DaysInCanada.m_value = days.daysInCanada;
        sch2->SpouseAgeAmount.m_value =
            TaxData_T1New::CalculateAgeAmount(spouse65, t1->getSpouseNetIncForSpouseCredit(false), days.daysInYear,
                                              days.daysInYear, federalConstant(FedKey::AgeAmountMax),
                                              federalConstant(FedKey::AgeAmountThreshold),
                                              federalConstant(FedKey::AgeAmountReductionRate));
        if (t1->canNotOverwriteSpouseAgeAmount())
            sch2->ClaimIndicator.m_value = 0;
        sch2->Calculate01();
        t1->line32600TransferFromSpouse.setAmount(
            days.daysInYear > 0 ? sch2->line32600Total.m_value * days.bankruptDays / days.daysInYear : 0.0);
    } else {
        t1->line32600TransferFromSpouse.setAmount(0);
    }
}

void PersonCalculation::donationsCredit(TaxData_T1New* t1)
{
    if (auto* sch9 = formOf<TaxData_Sch9>(m_person, FORM_SCH9)) {
        sch9->NetIncome.m_value = t1->line23600NetIncome.m_value;
        sch9->Deceased.m_value = t1->IsDeceased() ? 1 : 0;
        sch9->TaxableIncome.m_value = t1->line26000TaxableIncome.m_value;
        sch9->Calculate01();
        t1->line34900Donations.setAmount(sch9->Result.m_value);
    } else {
        t1->line34900Donations.setAmount(0);
    }
}

TaxData_T1206New* PersonCalculation::federalTaxOnIncome(TaxData_T1New* t1)
{
    t1->CalculateLine314ByWorkSheet();
    m_person._calculateT1032_step2();
    t1->CalculateField350AndField410_414();
    t1->CalculateFedTax1stStep();
    // The tax on split income is worked out here, before basic federal tax
    // takes it in (its figures were cleared with the other computed lines).
    auto* t1206 = formOf<TaxData_T1206New>(m_person, FORM_T1206);
    if (t1206)
        t1206->CalculateFederal();
    t1->line40424TaxOnSplitIncome.setAmount(t1206 ? t1206->Result.m_value : 0.0);
    t1->CalculateField404();
    if (auto* t1212 = formOf<TaxData_T1212New>(m_person, FORM_T1212))
        t1->T1212Amount.m_value += t1212->Result.m_value / 2.0;
    return t1206;
}

TaxData_T691New* PersonCalculation::minimumTaxAndFederalCredits(TaxData_T1New* t1, TaxData_T1206New* t1206)
{
    auto* t691 = formOf<TaxData_T691New>(m_person, FORM_T691);
    if (!t691 &&
        (taxrules::isPositiveAmount(taxrules::minimumTax(minimumTaxInput(*t1, formOf<TaxData_Sch3>(m_person, FORM_SCH3))).minimumTax) ||
         taxrules::isPositiveAmount(t1->MinimumTaxCarryForward.m_value)))
        t691 = static_cast<TaxData_T691New*>(m_person.GetFormData(FORM_T691, true));
    auto* t2038 = formOf<TaxData_T2038New>(m_person, FORM_T2038);
    auto investmentCredit = [&]() {
        if (!t2038)
            return;
        t2038->CalculateToLineC();
        t1->line41200InvestmentTaxCredit.setAmount(t2038->LineC.m_value);
        t2038->CalculateToLineD();
    };
    if (!t691) {
        t1->line40427MinimumTaxCarryover.setAmount(0);
        const double basic = t1->CalculateField429AndNonResiSurTax();
        t1->line42900Copy.setAmount(basic);
        t1->CalculateLine440ByWorkSheet();
        m_person.CalculateT2209FedPart();
        m_person.m_provMgr.CalcLoggingCredit(t1);
        t1->CalculateField406();
        investmentCredit();
    } else {
        auto* sch3 = formOf<TaxData_Sch3>(m_person, FORM_SCH3);
        auto* t1170 = formOf<TaxData_T1170>(m_person, FORM_T1170);
        t691->NetIncome.m_value = t1->line23600NetIncome.m_value;
        t691->TaxableIncome.m_value = t1->line26000TaxableIncome.m_value;
        t691->CapitalGains.m_value = sch3 ? sch3->Result.m_value : 0.0;
        t691->GiftGains.m_value = t1170 ? t1170->Result.m_value : 0.0;
        t691->SplitIncome.m_value = t1206 ? t1206->SplitIncome.m_value : 0.0;
        t691->Dividends.m_value = t1->line12000TaxableDividends.m_value;
        t691->CarryingCharges.m_value = t1->line22100CarryingCharges.m_value;
        t691->Credits.m_value = t1->line35000NonRefundableCredits.m_value;
        t691->BasicFederalTax.m_value = t1->line42900BasicFederalTax.m_value;
        const taxrules::MinimumTaxInput in = minimumTaxInput(*t1, sch3);
        t691->SecurityOptions.m_value = in.securityOptionsDeductions;
        t691->HalfAllowedDeductions.setAmount(in.halfAllowedDeductions - t1->line22100CarryingCharges.m_value);
        t691->DividendGrossUp.setAmount(in.dividendGrossUp);
        t691->CreditsAtRate.m_value = in.creditsAtRate;
        t691->DonationCredit.m_value = in.donationCredit;
        t691->RegularTax.m_value = regularTaxBeforeCarryover(*t1);
        t691->CarryForwardAvailable.m_value = t1->MinimumTaxCarryForward.m_value;
        t691->CalculateToLine65andMinitaxCarryOverAndLine102();
        t1->line40427MinimumTaxCarryover.setAmount(t691->CarryOver.m_value);
        const double basic = t1->CalculateField429AndNonResiSurTax();
        t1->line42900Copy.setAmount((m_person.m_province == kQuebec && taxrules::isPositiveAmount(t691->MinimumTax.m_value))
                                        ? t691->Province11Result.m_value
                                        : basic);
        t1->CalculateLine440ByWorkSheet();
        m_person.CalculateT2209FedPart();
        m_person.m_provMgr.CalcLoggingCredit(t1);
        t1->CalculateField406();
        investmentCredit();
        t691->ForeignTaxCredit1.m_value = t1->FtcTotal1.m_value;
        t691->ForeignTaxCredit2.m_value = t1->FtcTotal2.m_value;
        t691->InvestmentCredit.m_value = t1->line41200InvestmentTaxCredit.m_value;
        t691->PoliticalCredit.m_value = t1->line41000PoliticalCredit.m_value;
        t691->CalculateToLine95();
        t691->CalculateToEnd();
        if (t2038) {
            t2038->CalculateToEnd(taxrules::isPositiveAmount(t691->MinimumTax.m_value));
            t1->line41200InvestmentTaxCredit.setAmount(t2038->Result1.m_value);
            t1->line45400InvestmentTaxRefund.setAmount(t2038->Result2.m_value);
        }
    }
    return t691;
}

void PersonCalculation::taxOnSplitIncome(TaxData_T1New* t1, TaxData_T1206New* t1206, TaxData_T691New* t691)
{
    if (t1206) {
        t1206->T1Amount.m_value = t1->line26000TaxableIncome.m_value;
        t1206->CalculateFederal();
        t1->SplitIncomeFlag.m_value = 1;
        t1->T1206Amount.m_value = t1206->Result.m_value;
        if (t691) {
            t691->SplitIncome.m_value = t1206->SplitIncome.m_value;
            t691->Indicator2.m_value = 1;
            t691->CalculateToEnd();
        }
    } else {
        t1->SplitIncomeFlag.m_value = 0;
        t1->T1206Amount.m_value = 0;
    }
}

void PersonCalculation::educationPaymentsTax(TaxData_T1New* t1)
{
    if (auto* t1172 = formOf<TaxData_T1172New>(m_person, FORM_T1172)) {
        t1172->Province.m_value = m_person.m_province;
        t1172->FirstName.m_value = t1->FirstName.m_value;
        t1172->LastName.m_value = t1->LastName.m_value;
        CString address;
        t1->GetFullAddressWithoutPostcode(0, address);
        t1172->Address.m_value = address;
        t1172->SIN.m_value = t1->SIN.m_value;
        t1172->Calculate01();
        const double extra = t1172->Indicator2.m_value   ? t1172->Result3.m_value
                             : t1172->Indicator1.m_value ? t1172->Result2.m_value
                                                          : t1172->Result1.m_value;
        t1->T1172Amount.m_value = extra;
    } else {
        t1->T1172Amount.m_value = 0;
    }
    t1->line41800SpecialTaxes.addAmount(t1->T1172Amount.m_value);
}

void PersonCalculation::netFederalAndProvincialTax(TaxData_T1New* t1, TaxData_T1206New* t1206, TaxData_T691New* t691)
{
    t1->CalculateFedTax();
    CMultiProvsTaxMgr::T2209List t2209List;
    m_person.PrepareT2209List(t2209List);
    m_person.m_provMgr.CalcProvTax_BeforeExchData(t1, m_person.GetFormData(FORM_SCH2, false), m_person.GetFormData(FORM_SCH3, false), m_person.GetFormData(FORM_WS_D1, false),
                                         m_person.GetFormData(FORM_SCH5, false), m_person.GetFormData(FORM_SCH9, false), m_person.GetFormData(FORM_SCH11, false),
                                         t1206, t2209List, t691, m_person.GetFormData(FORM_T1219, false));
}

// Whether the return's own figures leave room for a workers benefit: working
// income past the floor the benefit starts from and adjusted family net
// income below the point where it ends, as Schedule 6 would count them.
bool PersonCalculation::workersBenefitMayApply(const TaxData_T1New& t1) const
{
    const double working = t1.line10100EmploymentIncome.m_value + t1.line10400OtherEmploymentIncome.m_value +
                           std::max(0.0, t1.F5532Amount.m_value) + std::max(0.0, t1.line13010Scholarships.m_value);
    double familyNet = t1.line23600NetIncome.m_value - t1.line11700UCCB.m_value - t1.line12500RdspIncome.m_value +
                       t1.line21300UCCBRepayment.m_value;
    taxrules::WorkersBenefitHousehold household;
    household.eligibleSpouse = t1.HasSpouse();
    household.eligibleDependant = t1.ChildrenUnder19.m_value >= 1;
    if (household.eligibleSpouse)
        familyNet += t1.SpouseNetIncome.m_value -
                     taxrules::workersBenefitSecondaryEarnerExemption(
                         std::min(working, std::max(0.0, t1.SpouseWorkingIncome.m_value)));
    // The person's own working income: of a couple, the one who works
    // claims; a spouse without working income gets no schedule of their own.
    return taxrules::workersBenefitMayApply(taxrules::provinceFromNumber(m_person.m_province), household, working,
                                            familyNet, t1.IsDisabled());
}

int PersonCalculation::workingIncomeForWorkersBenefit(TaxData_T1New* t1)
{
    t1->F5532Amount.m_value = m_person.CalculatedSelfEmpIncomeForF5532();
    t1->F5532MedSupp.m_value = m_person.CalcF5532ForSch6OrRefMedSupp(t1->F5532Amount.m_value);
    auto* sch6 = formOf<TaxData_Sch6>(m_person, FORM_SCH6);
    // The benefit is found without being asked for, as the forms the slips
    // call for are added: a return with room for it gets Schedule 6, with
    // the eligibility answers a resident worker gives (not a full-time
    // student for more than 13 weeks, not confined for 90 days) shown for
    // the user to change; more than three months of full-time study on
    // Schedule 11 answer the first question yes. A Schedule 6 the user
    // removed stays removed.
    int added = 0;
    if (!sch6 && t1->Schedule6Removed.m_value == 0 && workersBenefitMayApply(*t1)) {
        sch6 = qobject_cast<TaxData_Sch6*>(m_person.GetFormData(FORM_SCH6, true));
        if (sch6) {
            const auto* sch11 = formOf<TaxData_Sch11>(m_person, FORM_SCH11);
            const bool fullTimeStudent = sch11 && taxrules::isPositiveAmount(sch11->TotalFullTimeMonths.m_value - 3);
            sch6->Question1.m_value = fullTimeStudent ? choices::kYes : choices::kNo;
            sch6->Question2.m_value = choices::kNo;
            added = 1;
        }
    }
    if (sch6) {
        sch6->Province.m_value = m_person.m_province;
        sch6->NoSpouseFlag.m_value = t1->HasSpouse() ? 0 : 1;
        sch6->WorkingIncome.m_value = t1->line10100EmploymentIncome.m_value + t1->line10400OtherEmploymentIncome.m_value +
                                      std::max(0.0, t1->F5532Amount.m_value);
        sch6->SelfEmploymentIncome.m_value = t1->F5532Amount.m_value;
        sch6->NetIncome.m_value = t1->line23600NetIncome.m_value;
        sch6->Amount5.m_value = t1->line11700UCCB.m_value + t1->line12500RdspIncome.m_value;
        sch6->Amount6.m_value = t1->line21300UCCBRepayment.m_value;
        sch6->Amount7.m_value = t1->line13010Scholarships.m_value;
        sch6->Amount9.m_value = t1->line23600NetIncome.m_value;
        sch6->Amount10.m_value = 0;
        sch6->Amount11.m_value = 0;
        sch6->Age.m_value = t1->GetAge();
        sch6->Disabled.m_value = t1->IsDisabled() ? 1 : 0;
        sch6->HasChildren.m_value = t1->ChildrenUnder19.m_value >= 1 ? 1 : 0;
        // The spouse's figures as the return holds them; in a coupled return
        // the exchange that follows puts the spouse's own in their place.
        sch6->SpouseWorkingIncome.m_value = t1->SpouseWorkingIncome.m_value;
        sch6->SpouseNetIncome.m_value = t1->SpouseNetIncome.m_value;
    }
    if (auto* t90 = formOf<TaxData_T90>(m_person, FORM_T90)) {
        t1->TaxExemptIncomeAnswer.m_value = 1;
        t90->Calculate01();
        if (sch6) {
            sch6->Amount10.m_value = t90->Result1.m_value;
            sch6->Amount11.m_value = t90->Result2.m_value;
        }
    }
    return added;
}

int PersonCalculation::step5(bool isSpouse)
{
    TaxData_T1New* t1 = m_person.GetT1();
    if (!t1)
        return 0;
    // 1. Provincial tax after the exchange.
    CMultiProvsTaxMgr::T2209List t2209List;
    provincialTaxAfterExchange(t1, t2209List);
    // 2. Provincial forms the plug-in wraps.
    provincialWrappedForms(t1);
    // 3. Provincial credits.
    provincialCredits(t1, t2209List);
    // 4. Canada workers benefit.
    workersBenefit(t1);
    // 5. Multigenerational renovation and the GST/HST rebate.
    renovationAndGstRebate(t1);
    // 6 to 8. Total payable, pension splitting, the balance.
    payableAndBalance(t1);
    // 9. Loss carry-back.
    lossCarryBack(t1);
    // 10 to 17. Forms that mirror the return.
    mirrorFormsFromReturn(t1);
    // 18. Back into the interview data.
    backIntoInterviewData(isSpouse);
    return 0;
}

void PersonCalculation::provincialTaxAfterExchange(TaxData_T1New* t1, CMultiProvsTaxMgr::T2209List& t2209List)
{
    m_person.CalculateT2209FromFedToProv();
    m_person.PrepareT2209List(t2209List);
    m_person.m_provMgr.CalcProvTax_AfterExchData(t1, m_person.GetFormData(FORM_T2203, false), m_person.GetFormData(FORM_SCH2, false), m_person.GetFormData(FORM_SCH3, false),
                                        m_person.GetFormData(FORM_SCH9, false), m_person.GetFormData(FORM_T1206, false), t2209List,
                                        m_person.GetFormData(FORM_T691, false), m_person.GetFormData(FORM_T1219, false), m_person.GetFormData(FORM_T2017, false));
    t1->line42800ProvincialTax.setAmount(t1->ProvincialTaxTotal.m_value);
}

void PersonCalculation::provincialWrappedForms(TaxData_T1New* t1)
{
    for (ENUMTYPE_FORM type : {ENUMTYPE_FORM(174), ENUMTYPE_FORM(173)}) {
        CTaxData_Form* form = m_person.GetFormData(type, false);
        if (!form)
            continue;
        if (auto* t225 = qobject_cast<TaxData_T225*>(form))
            t225->Age.m_value = t1->GetAge();
        else if (auto* t224 = qobject_cast<TaxData_T224*>(form))
            t224->Age.m_value = t1->GetAge();
        m_person.m_provMgr.beforeCalcFormData(type, form);
        form->Calculate01();
        m_person.m_provMgr.afterCalcFormData(type, form);
    }
}

void PersonCalculation::provincialCredits(TaxData_T1New* t1, CMultiProvsTaxMgr::T2209List& t2209List)
{
    if (m_person.m_province != kProvinceKeepingCredits) {
        t1->ProvincialCredit1.m_value = 0;
        t1->ProvincialCredit2.m_value = 0;
    }
    m_person.m_provMgr.CalcProvCredit(t1, nullptr, m_person.GetFormData(FORM_SCH5, false), t2209List);
    t1->line47900ProvincialCredits.setAmount(t1->ProvincialCreditTotal.m_value);
}

void PersonCalculation::workersBenefit(TaxData_T1New* t1)
{
    if (auto* sch6 = formOf<TaxData_Sch6>(m_person, FORM_SCH6)) {
        sch6->Province.m_value = t1->getMainTaxProvince();
        if (auto* sch11 = formOf<TaxData_Sch11>(m_person, FORM_SCH11);
            sch11 && sch6->EligibilityIndicator.m_value && taxrules::isPositiveAmount(sch11->TotalFullTimeMonths.m_value - 3))
            sch6->Question1.m_value = 0;
        sch6->Calculate01();
        t1->line45300WorkersBenefit.setAmount(sch6->BasicResult.m_value);
        t1->Sch6Result2.m_value = sch6->DisabilityResult.m_value;
        t1->line41500WorkersBenefitRepayment.m_value = sch6->Repayment.m_value;
    } else {
        t1->line45300WorkersBenefit.setAmount(0);
        t1->Sch6Result2.m_value = 0;
        t1->line41500WorkersBenefitRepayment.m_value = 0;
    }
}

void PersonCalculation::renovationAndGstRebate(TaxData_T1New* t1)
{
    auto* reno = formOf<TaxData_Sch12_MultigHomeReno>(m_person, FORM_SCH12_MULTIGEN);
    if (reno)
        reno->Calculate01();
    t1->line45355MultigenerationalReno.setAmount(reno ? reno->Result.m_value : 0.0);
    if (auto* gst = formOf<CTaxData_GST370>(m_person, FORM_GST370)) {
        gst->LastName.m_value = t1->LastName.m_value;
        gst->FirstName.m_value = t1->FirstName.m_value;
        gst->SIN.m_value = t1->SIN.m_value;
        gst->Year.m_value = CString("2024");
        gst->Calculate01();
        t1->line45700GstRebate.setAmount(gst->Result.m_value);
    } else {
        t1->line45700GstRebate.setAmount(0);
    }
    // The refundable medical expense supplement, on the medical expenses
    // and disability supports the return claims.
    t1->line45200MedicalSupplement.m_value = refundableMedicalSupplement(*t1);
}

void PersonCalculation::payableAndBalance(TaxData_T1New* t1)
{
    t1->CalculateBeforeLine437(true);
    // The tax deducted on a split pension follows the split: the pensioner
    // gives it up, the transferee claims it (T1032).
    t1->line43700TaxDeducted.addAmount(t1->PensionTransfer.m_value);
    if (auto* t1032 = formOf<TaxData_T1032_New>(m_person, FORM_T1032)) {
        const double ownTax = t1->line42000NetFederalTax.m_value + t1->line42800ProvincialTax.m_value +
                              t1->line42100CppSelfEmployedPayable.m_value;
        (t1032->ElectorIndicator.m_value == 0 ? t1032->OwnTax : t1032->SpouseTax).m_value = ownTax;
        t1032->CalculateIncomeTaxAfterAdjustment();
    }
    t1->CalculateBalance(true);
}

void PersonCalculation::lossCarryBack(TaxData_T1New* t1)
{
    if (auto* t1a = formOf<TaxData_T1ANew>(m_person, FORM_T1A)) {
        fillMirrorIdentity(*t1a, *t1);
        t1a->Name.m_value = t1->ConstructFullName();
        const double employment = t1->line10100EmploymentIncome.m_value + t1->line10400OtherEmploymentIncome.m_value -
                                  t1->line20700RppDeduction.m_value - t1->line21200UnionDues.m_value -
                                  t1->line22900EmploymentExpenses.m_value - t1->line23100ClergyResidence.m_value;
        splitIncomeOrLoss(employment, t1a->EmploymentIncome, t1a->EmploymentLoss);
        splitIncomeOrLoss(t1->line12100InterestIncome.m_value + t1->line12000TaxableDividends.m_value,
                          t1a->InvestmentIncome, t1a->InvestmentLoss);
        splitIncomeOrLoss(t1->line12600NetRental.m_value, t1a->RentalIncome, t1a->RentalLoss);
        splitIncomeOrLoss(t1->line13500BusinessNet.m_value + t1->line13700ProfessionalNet.m_value +
                              t1->line13900CommissionNet.m_value + t1->line14300FishingNet.m_value,
                          t1a->BusinessIncome, t1a->BusinessLoss);
        splitIncomeOrLoss(t1->line14100FarmingNet.m_value, t1a->FarmingIncome, t1a->FarmingLoss);
        const auto* sch3 = formOf<TaxData_Sch3>(m_person, FORM_SCH3);
        t1a->CapitalLoss.m_value = (sch3 && !taxrules::isPositiveAmount(sch3->Result.m_value)) ? -sch3->Result.m_value : 0.0;
        t1a->Calculate01();
    }
}

void PersonCalculation::mirrorFormsFromReturn(TaxData_T1New* t1)
{
    if (auto* t5004 = formOf<TaxData_T5004>(m_person, FORM_T5004)) {
        t5004->Name.m_value = t1->ConstructFullName();
        t5004->Calculate01();
    }
    const bool hasDirectDeposit = m_person.HasForm(FORM_T1DD);
    if (auto* dd = formOf<CTaxData_T1DD>(m_person, FORM_T1DD)) {
        fillMirrorIdentity(*dd, *t1);
        if (dd->Indicator.m_value == 0)
            dd->Province.m_value = provinceName(m_person.m_province);
        dd->Calculate01();
    }
    if (auto* t183 = formOf<TaxData_T183New>(m_person, FORM_T183)) {
        fillMirrorIdentity(*t183, *t1);
        if (t183->Indicator.m_value == 0)
            t183->Province.m_value = provinceName(m_person.m_province);
        t183->Email.m_value = t1->Email.m_value;
        t183->TotalIncome.m_value = t1->line15000TotalIncome.m_value;
        t183->TaxableIncome.m_value = t1->line26000TaxableIncome.m_value;
        t183->TaxDeducted.m_value = t1->line43700TaxDeducted.m_value;
        t183->Refund.m_value = t1->line48400Refund.m_value;
        t183->BalanceOwing.m_value = t1->line48500BalanceOwing.m_value;
        t183->Calculate01();
        // The deposit flag follows the direct-deposit form: removing the
        // form clears it.
        t183->DirectDeposit.m_value = hasDirectDeposit ? 1 : 0;
    }
    if (auto* t185 = formOf<TaxData_T185>(m_person, FORM_T185)) {
        fillMirrorIdentity(*t185, *t1);
        if (t185->Indicator.m_value == 0)
            t185->Amount.m_value = t1->line48500BalanceOwing.m_value;
        t185->Calculate01();
    }
    const PreparerInfo& settings = preparerInfo();
    if (auto* rc71 = formOf<CTaxData_RC71>(m_person, FORM_RC71)) {
        const CString& discounter = settings.DiscounterCode;
        if (!discounter.isEmpty())
            rc71->DiscounterCode.m_value = discounter;
        fillMirrorIdentity(*rc71, *t1);
        rc71->FullName.m_value = t1->ConstructFullName();
        rc71->Refund.m_value = t1->line48400Refund.m_value;
        rc71->Calculate01();
    }
    if (auto* adj = formOf<CTaxData_T1ADJ>(m_person, FORM_T1ADJ)) {
        const CString& efile = settings.BusinessEFileNum;
        if (!efile.isEmpty())
            adj->EFileNumber.m_value = efile;
        adj->Year.m_value = CString("2024");
        adj->Name.m_value = t1->LastName.m_value + CString(", ") + t1->FirstName.m_value;
        adj->SIN.m_value = t1->SIN.m_value;
        adj->Calculate01();
    }
    if (auto* t1135 = formOf<TaxData_T1135New>(m_person, FORM_T1135)) {
        t1135->Indicator.m_value = 0;
        if (t1135->isIndividual())
            t1135->Name.m_value = t1->ConstructFullName();
        t1135->LastName.m_value = t1->LastName.m_value;
        t1135->SIN.m_value = t1->SIN.m_value;
        t1135->Calculate01();
        t1135->OverwriteFlag.m_value = t1->OverwriteStatus.m_value;
    }
    if (auto* t1153 = formOf<CTaxData_T1153>(m_person, FORM_T1153)) {
        t1153->Name.m_value = t1->ConstructFullName();
        t1153->SIN.m_value = t1->SIN.m_value;
        t1153->Text1.m_value = t1->AddressLine1.m_value;
        t1153->Text2.m_value = t1->HomePhone.m_value;
        t1153->Amount.m_value = t1->line48400Refund.m_value;
        if (t1->MailingOutsideIndicator.m_value == 0)
            t1153->ProvinceText.m_value = provinceName(m_person.m_province);
    }
}

void PersonCalculation::backIntoInterviewData(bool isSpouse)
{
    m_person.WriteDataToWizards(isSpouse);
    for (STRUCT_WIZDATA_ITEM_2004* item : m_person.m_wizList)
        if (item->data)
            item->data->RefreshData();
}
