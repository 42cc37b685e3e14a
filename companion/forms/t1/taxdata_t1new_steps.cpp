// The T1's line steps, called by the calculation driver in a fixed order.
// Each maps the lines it reads to the 2024 rules (companion/rules), calls
// them and writes its own lines back. Every line a step owns is ASSIGNED
// from the lines before it, never accumulated, so the driver can run the
// whole sequence again and get the same figures.
//
// Lines other forms fill (Schedule 3 at 12700, the dividend worksheet at
// 12000/12010, Schedule 7 at 20800, Schedule 8 at 22200/22215/30800/31000/
// 42100/44800, Schedule 5 at 30300/30400, Schedule 11 at 32300, Schedule 9
// at 34900, the provincial plug-in's totals) are read here as they stand.

#include "companion/forms/t1/taxdata_t1new.h"

#include <algorithm>
#include <initializer_list>

#include "companion/forms/taxtypes.h"
#include "companion/rules/brackets.h"
#include "companion/rules/federalconstants2024.h"
#include "companion/rules/federalcredits.h"
#include "companion/rules/federalprograms2024.h"
#include "companion/rules/money.h"
#include "companion/rules/socialbenefits.h"

using taxrules::FedKey;
using taxrules::positivePart;
using taxrules::roundCents;

namespace {

double sumOf(std::initializer_list<const CFloatField*> fields)
{
    double total = 0;
    for (const CFloatField* f : fields)
        total += f->m_value;
    return total;
}

double cents(double amount, bool round) { return round ? roundCents(amount) : amount; }

double fed(FedKey key) { return taxrules::federalConstant(key); }

}  // namespace

void TaxData_T1New::CalculateLine213ByWorkSheet()
{
    // Repayments are entered as amounts; a negative entry means nothing.
    line21300UCCBRepayment.m_value = positivePart(line21300UCCBRepayment.m_value);
}

void TaxData_T1New::CalculateTotalIncome(bool round)
{
    line14700NonTaxableAdded.m_value =
        cents(sumOf({&line14400WorkersCompensation, &line14500SocialAssistance, &line14600NetFederalSupplements}),
              round);
    // Line 12000 is the taxable amount of all dividends; 12010 is the part of
    // it that is other than eligible, so it is not added again.
    line15000TotalIncome.m_value = cents(
        sumOf({&line10100EmploymentIncome, &line10400OtherEmploymentIncome, &line11300OldAgeSecurity,
               &line11400CppQppBenefits, &line11500OtherPensions, &line11600ElectedSplitPension, &line11700UCCB,
               &line11900EmploymentInsurance, &line12000TaxableDividends, &line12100InterestIncome,
               &line12200PartnershipIncome, &line12500RdspIncome, &line12600NetRental, &line12700TaxableCapitalGains,
               &line12800SupportReceived, &line12900RrspIncome, &line12905FhsaIncome, &line13000OtherIncome,
               &line13010Scholarships, &line13500BusinessNet, &line13700ProfessionalNet, &line13900CommissionNet,
               &line14100FarmingNet, &line14300FishingNet, &line14700NonTaxableAdded}),
        round);
}

void TaxData_T1New::CalculateNetIncomeBeforeCCT()
{
    line23300TotalDeductions.m_value = roundCents(
        sumOf({&line20700RppDeduction, &line20800RrspDeduction, &line20805FhsaDeduction, &line20810PrppEmployer,
               &line21000SplitPensionDeduction, &line21200UnionDues, &line21300UCCBRepayment, &line21400ChildCare,
               &line21500DisabilitySupports, &line21700BusinessInvestmentLoss, &line21900MovingExpenses,
               &line22000SupportPaid, &line22100CarryingCharges, &line22200CppSelfEmployed,
               &line22215CppEnhancedEmployment, &line22400ExplorationExpenses, &line22900EmploymentExpenses,
               &line23100ClergyResidence, &line23200OtherDeductions, &line23210Covid19Repayment}));
}

void TaxData_T1New::CalculateNetIncomeBeforeF23500()
{
    line23400NetIncomeBeforeAdjustments.m_value =
        roundCents(positivePart(line15000TotalIncome.m_value - line23300TotalDeductions.m_value));
    // The social benefits repayment: EI benefits the T4E marks as repayable
    // (gathered from the slips), then the OAS pension. The dividend
    // worksheet, when the return has one, works out the same figure.
    line23500SocialBenefitsRepayment.m_value =
        taxrules::socialBenefitsRepayment(line23400NetIncomeBeforeAdjustments.m_value, line11300OldAgeSecurity.m_value,
                                          std::min(positivePart(EIRepaymentBase.m_value),
                                                   positivePart(line11900EmploymentInsurance.m_value)))
            .total;
}

void TaxData_T1New::CalculateNetIncomeAfterCCT()
{
    line23600NetIncome.m_value =
        roundCents(positivePart(line23400NetIncomeBeforeAdjustments.m_value - line23500SocialBenefitsRepayment.m_value));
}

void TaxData_T1New::CalculateTaxableIncome()
{
    // Workers' compensation, social assistance and net federal supplements
    // are income at 14700 and deducted again here.
    line25000OtherPaymentsDeduction.m_value = line14700NonTaxableAdded.m_value;
    // Losses of other years only offset this year's taxable capital gains.
    line25300NetCapitalLosses.m_value = roundCents(
        std::min(positivePart(NetCapitalLossCarryForward.m_value), positivePart(line12700TaxableCapitalGains.m_value)));
    line25700TotalTaxableDeductions.m_value = roundCents(
        sumOf({&line24400ForcesPoliceDeduction, &line24900SecurityOptions, &line25000OtherPaymentsDeduction,
               &line25100PartnershipLosses, &line25200NonCapitalLosses, &line25300NetCapitalLosses,
               &line25400CapitalGainsDeduction, &line25500NorthernResidents, &line25600AdditionalDeductions}));
    line26000TaxableIncome.m_value =
        roundCents(positivePart(line23600NetIncome.m_value - line25700TotalTaxableDeductions.m_value));

    // The credit amounts that follow from net income are settled here, so
    // that the schedules worked out before the federal tax (Schedule 11's
    // credits before tuition, Schedule 2) see this pass's figures.
    calculateCreditAmounts();
}

void TaxData_T1New::calculateCreditAmounts()
{
    const double netIncome = line23600NetIncome.m_value;
    line30000BasicPersonal.m_value = taxrules::basicPersonalAmount(netIncome);
    line30100AgeAmount.m_value = GetAge() >= fed(FedKey::AgeAmountAge) ? taxrules::ageAmount(netIncome) : 0.0;
    line31260CanadaEmployment.m_value =
        taxrules::canadaEmploymentAmount(line10100EmploymentIncome.m_value + line10400OtherEmploymentIncome.m_value);
    line31270HomeBuyers.m_value =
        roundCents(std::min(positivePart(line31270HomeBuyers.m_value), fed(FedKey::HomeBuyersAmount)));
    line31600DisabilitySelf.m_value = IsDisabled() ? fed(FedKey::DisabilityAmount) : 0.0;
    // Settled with the other amounts here, so that the credits Schedule 11
    // and the spouse's Schedule 2 add up before the federal tax include it.
    // Each child's expenses count up to the year's maximum: a larger amount
    // typed for one child must not raise the credit past what the law allows.
    double adoption = 0.0;
    for (const CFloatField* child : {&line31300Adoption1, &line31300Adoption2, &line31300Adoption3,
                                     &line31300Adoption4, &line31300Adoption5, &line31300Adoption6})
        adoption += std::min(positivePart(child->m_value), fed(FedKey::AdoptionMaximumPerChild));
    line31300AdoptionExpenses.m_value = roundCents(adoption);
    TuitionFromChildClaimed.m_value = taxrules::tuitionTransferredFromChild(
        line32400TuitionFromChild.m_value, ChildTuitionCurrentYear.m_value, ChildTuitionUsed.m_value);
    CalculateLine314ByWorkSheet();

    // Medical expenses of the person, the spouse and the children under 18
    // over one threshold; those of other dependants (33199) are worked out
    // dependant by dependant from the table before the credits.
    double medical = positivePart(MedicalChildren.m_value);
    for (const CFloatField* f : {&MedicalOwn1, &MedicalOwn2, &MedicalOwn3, &MedicalOwn4, &MedicalOwn5, &MedicalOwn6,
                                 &MedicalSpouse1, &MedicalSpouse2, &MedicalSpouse3, &MedicalSpouse4, &MedicalSpouse5,
                                 &MedicalSpouse6})
        medical += positivePart(f->m_value);
    line33099MedicalExpenses.m_value = taxrules::medicalExpenseAmount(medical, netIncome);
    line33200AllowableMedical.m_value =
        roundCents(line33099MedicalExpenses.m_value + positivePart(line33199MedicalOtherDependants.m_value));
    // Settled here with the other amounts, so that minimum tax, which takes
    // the credit before line 41600 is worked out, sees this pass's figure.
    line41000PoliticalCredit.m_value = taxrules::politicalContributionCredit(line40900PoliticalContributions.m_value);
}

void TaxData_T1New::CalculateLine314ByWorkSheet()
{
    line31400PensionIncomeAmount.m_value =
        taxrules::pensionIncomeAmount(PensionAmount.m_value + line11600ElectedSplitPension.m_value);
}

void TaxData_T1New::CalculateField350AndField410_414()
{
    calculateCreditAmounts();
    line33500TotalCreditAmounts.m_value = roundCents(
        sumOf({&line30000BasicPersonal, &line30100AgeAmount, &line30300SpouseAmount, &line30400EligibleDependant,
               &line30425CaregiverSpouse, &line30450CaregiverOther, &line30500CaregiverChildren,
               &line30800CppEmployment, &line31000CppSelfEmployed, &line31200EiPremiums, &line31205PpipEmployment,
               &line31210PpipSelfEmployed, &line31217EiSelfEmployed, &line31220VolunteerFirefighters,
               &line31240SearchRescue, &line31260CanadaEmployment, &line31270HomeBuyers, &line31285HomeAccessibility,
               &line31300AdoptionExpenses, &line31350DigitalNews, &line31400PensionIncomeAmount,
               &line31600DisabilitySelf, &line31800DisabilityTransferred, &line31900StudentLoanInterest,
               &line32300Tuition, &TuitionFromChildClaimed, &line32600TransferFromSpouse,
               &line33200AllowableMedical}));
    line33800CreditsAtRate.m_value = roundCents(line33500TotalCreditAmounts.m_value * fed(FedKey::CreditRate));
    line35000NonRefundableCredits.m_value = roundCents(line33800CreditsAtRate.m_value + line34900Donations.m_value);
}

void TaxData_T1New::CalculateFedTax1stStep()
{
    line40400FederalTaxOnIncome.m_value =
        taxrules::taxOnIncome(taxrules::federalBrackets2024(), line26000TaxableIncome.m_value);
}

void TaxData_T1New::CalculateField404()
{
    line40425DividendTaxCredit.m_value = taxrules::dividendTaxCredit(
        line12000TaxableDividends.m_value - line12010OtherThanEligibleDividends.m_value,
        line12010OtherThanEligibleDividends.m_value);
    line42900BasicFederalTax.m_value = roundCents(
        positivePart(line40400FederalTaxOnIncome.m_value + line40424TaxOnSplitIncome.m_value -
                     line35000NonRefundableCredits.m_value - line40425DividendTaxCredit.m_value -
                     line40427MinimumTaxCarryover.m_value));
}

double TaxData_T1New::CalculateField429AndNonResiSurTax()
{
    // The non-residents' surtax is not computed: a resident keeps the basic
    // federal tax as it is.
    line42900Copy.m_value = line42900BasicFederalTax.m_value;
    return line42900BasicFederalTax.m_value;
}

void TaxData_T1New::CalculateLine440ByWorkSheet()
{
    // Quebec residents get the abatement as a refundable credit; net federal
    // tax (42000) stays whole.
    line44000QuebecAbatement.m_value =
        getMainTaxProvince() == PROV_QC
            ? roundCents(line42900BasicFederalTax.m_value * fed(FedKey::QuebecAbatementRate))
            : 0.0;
}

void TaxData_T1New::CalculateField406()
{
    line40600FederalTax.m_value =
        roundCents(positivePart(line42900BasicFederalTax.m_value - line40500ForeignTaxCredit.m_value));
}

void TaxData_T1New::CalculateField417(bool minimumTaxApplies)
{
    line41600FederalTaxAfterCredits.m_value =
        roundCents(positivePart(line40600FederalTax.m_value - line41000PoliticalCredit.m_value -
                                line41200InvestmentTaxCredit.m_value - line41400LabourSponsoredCredit.m_value));
    // With minimum tax (T691) the federal tax is the greater of the regular
    // tax and minimum tax.
    line41700FederalTaxPayable.m_value =
        minimumTaxApplies ? std::max(line41600FederalTaxAfterCredits.m_value, roundCents(MinimumTaxPayable.m_value))
                          : line41600FederalTaxAfterCredits.m_value;
}

void TaxData_T1New::CalculateFedTax()
{
    line42000NetFederalTax.m_value = roundCents(line41700FederalTaxPayable.m_value + line41800SpecialTaxes.m_value);
}

void TaxData_T1New::CalculateBeforeLine437(bool round)
{
    // Provincial tax is what the provincial plug-in assigned for this pass.
    line42800ProvincialTax.m_value = ProvincialTaxTotal.m_value;
    line42200SocialBenefitsRepayment.m_value = line23500SocialBenefitsRepayment.m_value;
    line43500TotalPayable.m_value =
        cents(sumOf({&line42000NetFederalTax, &line41500WorkersBenefitRepayment, &line42100CppSelfEmployedPayable,
                     &line42120EiSelfEmployedPayable, &line42200SocialBenefitsRepayment, &line42800ProvincialTax}),
              round);
}

void TaxData_T1New::CalculateBalance(bool round)
{
    line47900ProvincialCredits.m_value = ProvincialCreditTotal.m_value;
    line48200TotalCredits.m_value =
        cents(sumOf({&line43700TaxDeducted, &line43800QuebecTaxTransfer, &line44000QuebecAbatement,
                     &line44100FirstNationsAbatement, &line44800CppOverpayment, &line45000EiOverpayment,
                     &line45200MedicalSupplement, &line45300WorkersBenefit, &line45350TrainingCredit,
                     &line45355MultigenerationalReno, &line45400InvestmentTaxRefund, &line45600TrustTaxCredit,
                     &line45700GstRebate, &line46900EducatorSupplies, &line47555JournalismCredit,
                     &line47556FuelChargeFarmers, &InstalmentsPaid, &line47900ProvincialCredits}),
              round);
    // Positive: a balance owing; negative: a refund.
    line48300Balance.m_value = cents(line43500TotalPayable.m_value - line48200TotalCredits.m_value, round);
    line48400Refund.m_value = positivePart(-line48300Balance.m_value);
    line48500BalanceOwing.m_value = positivePart(line48300Balance.m_value);
}
