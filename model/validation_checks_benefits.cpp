// Whole-return checks of one person, third group: tax-exempt income, the
// Canada workers benefit, RRSP and its HBP and LLP repayments, the election
// to pay CPP, reserves, the farm fuel credit, a bankrupt person's limits,
// pension splitting and split income.
#include <QDate>

#include "companion/core/sincheck.h"
#include "companion/forms/federal/credits.h"
#include "companion/forms/federal/minimumtax_split.h"
#include "companion/forms/federal/statements.h"
#include "companion/forms/fieldchoices.h"
#include "companion/forms/schedules/taxdata_sch11.h"
#include "companion/forms/schedules/taxdata_sch3.h"
#include "companion/forms/schedules/taxdata_sch6.h"
#include "companion/forms/schedules/taxdata_sch7.h"
#include "companion/forms/schedules/taxdata_sch8.h"
#include "model/validation_checks.h"

namespace validation {

namespace {

// RRSP contributions end with the year the person turns 71.
constexpr int kLastRrspAge = 71;
// The workers benefit needs the person alive on July 1 of the year.
const QDate kWorkersBenefitLastDeathDate(TAX_YEAR, 7, 1);

void checkExemptIncomeAndWorkersBenefit(PersonCheckContext& c)
{
    TaxData_T1New& t1 = c.t1;
    auto* t90 = c.form<TaxData_T90>(171);
    if (!t90 && (t1.TaxExemptIncomeAnswer.m_value != 0 || positive(t1.TaxExemptIncome.m_value)))
        c.record.insertMsg2("Please add form [%s] into return to %s.", "T90", "report tax-exempted income");

    auto* s6 = c.form<TaxData_Sch6>(119);
    if (!s6)
        return;
    // Under 19 the benefit needs one of the first two answers to be the first choice.
    if (t1.GetAge() < 19 && s6->Question1.m_value != choices::kYes && s6->Question2.m_value != choices::kYes)
        c.add("Schedule 6 can not be claimed because you were under age 19 in the tax year.");
    if (c.isNewImmigrant())
        c.add("Please remove Schedule 6 for CWB because the tax payer is an immigrant in tax year.");
    // 0 include tax-exempt income, 1 do not, anything else (read unsigned) not answered.
    const unsigned includeExempt = unsigned(s6->line38105IncludeExempt.m_value);
    const bool exemptEntered = taxrules::isPresentAmount(t1.line10105EmergencyVolunteerExempt.m_value) ||
                               t1.TaxExemptIncomeAnswer.m_value != 0 ||
                               taxrules::isPresentAmount(s6->line38107ExemptEmployment.m_value) ||
                               taxrules::isPresentAmount(s6->line38109ExemptBusiness.m_value);
    if (includeExempt >= 2 && exemptEntered)
        c.add("Please answer, in field 38105 of Schedule 6, whether you want to include tax-exempt income into "
              "calculation.");
    if (includeExempt == 0 && !taxrules::isPresentAmount(t1.line10105EmergencyVolunteerExempt.m_value) &&
        !(t90 && (taxrules::isPresentAmount(t90->line10000.m_value) || taxrules::isPresentAmount(t90->line10026.m_value))) &&
        !taxrules::isPresentAmount(s6->line38107ExemptEmployment.m_value) && !taxrules::isPresentAmount(s6->line38109ExemptBusiness.m_value))
        c.add("Field 38105 in schedule 6 requires at least an amount in field 10105/10000/10026/38107/38109.");
    if (t1.IsDeceased() && t1.DateOfDeath.m_value < kWorkersBenefitLastDeathDate)
        c.add("Working Income Tax Benefit cannot be claimed because tax payer died before July 1st in the tax "
              "year. Remove form Schedule 6.");
}

void checkRrsp(PersonCheckContext& c)
{
    TaxData_T1New& t1 = c.t1;
    auto* s7 = c.form<TaxData_Sch7>(7);
    if (s7) {
        const double transferLimit = t1.line11500OtherPensions.m_value + t1.line12900RrspIncome.m_value +
                                     std::max(0.0, t1.line13000OtherIncome.m_value);
        if (positive(s7->line24640TransferIn.m_value) && exceeds(s7->line24640TransferIn.m_value, transferLimit))
            c.add("Field 24640 in Schedule 7 cannot be greater than the total of fields 11500, 12900 and 13000 of "
                  "T1.");
        const bool ownContribution =
            positive(s7->OwnPriorYearContributions.m_value) || positive(s7->OwnCurrentYearContributions.m_value);
        const bool spousalContribution = positive(s7->SpousalPriorYearContributions.m_value) ||
                                         positive(s7->SpousalCurrentYearContributions.m_value);
        if (t1.GetAge() > kLastRrspAge && ownContribution)
            c.add("Tax payer who aged over 71 in the tax year can NOT have a RRSP contribution.");
        if (!t1.HasSpouse() && spousalContribution)
            c.add("You entered spouse RRSP amount, however, your marital status is not married or common-law.");
        if (t1.GetSpouseAge() > kLastRrspAge && spousalContribution)
            c.add("Tax payer who aged over 71 in the tax year can NOT have a RRSP contribution.");
    }
    // The repayments last year's assessment asks for, as entered with last
    // year's amounts.
    const double hbpRepaid = t1.line12900HbpPart.m_value + (s7 ? s7->line24600HbpRepayment.m_value : 0.0);
    if (positive(t1.HBPRequiredRepayment.m_value) && exceeds(t1.HBPRequiredRepayment.m_value, hbpRepaid))
        c.add("RRSP HBP repayment doesn't meet the minimum requirement according to last year assessment.");
    const double llpRepaid = t1.line12900LlpPart.m_value + (s7 ? s7->line24620LlpRepayment.m_value : 0.0);
    if (positive(t1.LLPRequiredRepayment.m_value) && exceeds(t1.LLPRequiredRepayment.m_value, llpRepaid))
        c.add("RRSP LLP repayment doesn't meet the minimum requirement according to last year assessment.");
}

// An election on CPT20 that the plan's schedule shows nothing to pay for.
bool electionWithoutContribution(const CPensionPlanSchedule& schedule, double underDeduction)
{
    if (schedule.ElectionFlag.m_value != 0) {
        const int choice = schedule.ElectionChoice.m_value;
        if (choice == 0 || choice == 3 || (choice == 1 && !taxrules::isPresentAmount(schedule.ElectionAmount.m_value)))
            return true;
    }
    return !taxrules::isPositiveAmount(underDeduction);
}

void checkElectionAndExemptPlans(PersonCheckContext& c)
{
    TaxData_T1New& t1 = c.t1;
    auto* cpt20 = c.form<TaxData_CPT20_New>(57);
    if (cpt20 && cpt20->hadElectedF399IncomeToPayCPP()) {
        bool tell = false;
        if (t1.PensionPlanSelector.m_value == 1) {
            if (auto* s8 = c.form<TaxData_Sch8_14>(150))
                tell = electionWithoutContribution(*s8, s8->getEmpUnderDeduction());
        } else if (t1.PensionPlanSelector.m_value == 2) {
            if (auto* rc381 = c.form<TaxData_RC381>(148))
                tell = electionWithoutContribution(*rc381, rc381->getUnderDeduction());
        }
        if (tell)
            c.record.insertMsg1("Please remove %s.", "form CPT20");
    }
    if (auto* rc383 = c.form<TaxData_RC383>(149)) {
        const double total = rc383->line58750.m_value + rc383->line58810.m_value;
        auto* t90 = c.form<TaxData_T90>(171);
        if (positive(total) && (!t90 || exceeds(total, t90->line10000.m_value)))
            c.add("The total of Field 58750 and 58810 from RC383 cannot be greater than the field 10000 of form "
                  "T90.");
    }
}

void checkReservesAndFarmCredit(PersonCheckContext& c)
{
    if (auto* t2017 = c.form<TaxData_T2017New>(37)) {
        auto* s3 = c.form<TaxData_Sch3>(4);
        if (exceeds(t2017->line66844.m_value, t2017->line66843.m_value) &&
            (!s3 || !taxrules::isPresentAmount(s3->line11000FarmFishingGain.m_value)))
            c.record.insertMsg1("There should be an amount in %s.",
                                "field 11000 of schedule 3 since field 66844 is greater than field 66843");
        if (exceeds(t2017->line66850.m_value, t2017->line66883.m_value)) {
            if (!s3 || !taxrules::isPresentAmount(s3->line10700QSBCSGain.m_value))
                c.record.insertMsg1("There should be an amount in %s.",
                                    "field 10700 of schedule 3 since field 66850 is greater than field 66883 in "
                                    "form T2017");
            if (taxrules::isPresentAmount(t2017->line66883.m_value) && !taxrules::isPresentAmount(t2017->line66905.m_value))
                c.record.insertMsg1("There should be an amount in %s.", "field 66905 of form T2017");
        }
    }
    if (c.has(193) && !c.person.HaveFarmIncome())
        c.add("Form T2043 needs farming income in the return, otherwise, remove form T2043.");
}

void checkBankruptcy(PersonCheckContext& c)
{
    TaxData_T1New& t1 = c.t1;
    if (t1.IsBankrupt() || t1.IsPostBankrupt()) {
        if (auto* s11 = c.form<TaxData_Sch11>(11)) {
            const double months = t1.GetBankruptMonthsInTaxYear();
            // Months are whole: no tolerance here. The months typed and those
            // of the T2202 slips count, as the schedule adds them.
            if (s11->PartTimeMonths.m_value + s11->SlipPartTimeMonths.m_value > months ||
                s11->FullTimeMonths.m_value + s11->SlipFullTimeMonths.m_value > months)
                c.add("Number of months in form Schedule 11 can NOT be more than the pre-bankrupt months in the tax "
                      "year.");
        }
        if (auto* t2222 = c.form<CTaxData_T2222>(49)) {
            const int days = t1.GetBankruptDaysInTaxYear();
            for (const CFloatField* count : {&t2222->DaysZoneA, &t2222->DaysZoneB, &t2222->DaysZoneAShared,
                                             &t2222->DaysZoneBShared})
                if (days < int(count->m_value)) {
                    c.add("Number of days in form T2222 can NOT be greater than the pre-bankrupt days in the tax "
                          "year.");
                    break;
                }
        }
    }
    if (!t1.IsBankrupt())
        return;
    if (positive(t1.line12900HbpPart.m_value) || positive(t1.line12900LlpPart.m_value))
        c.add("Pre-bankrupt tax return cannot claim HBP repayment or LLP repayment amount at field 12900 on page 2 "
              "of T1.");
    if (c.has(119))
        c.add("Pre-bankrupt tax return cannot claim Working Income Tax Benefit. Please remove tax form Schedule 6.");
    if (auto* s7 = c.form<TaxData_Sch7>(7);
        s7 && (positive(s7->line24600HbpRepayment.m_value) || positive(s7->line24620LlpRepayment.m_value)))
        c.add("Pre-bankrupt tax return cannot claim HBP repayment at field 24600 or LLP repayment at field 24620 in "
              "Schedule 7.");
}

bool spouseSinMissing(const CString& sin)
{
    const QString trimmed = sin.trimmed();
    return trimmed.isEmpty() || trimmed.compare(QLatin1String("000000000"), Qt::CaseInsensitive) == 0 ||
           !CheckSIN(trimmed.toUtf8().constData());
}

void checkPensionSplitAndSplitIncome(PersonCheckContext& c)
{
    TaxData_T1New& t1 = c.t1;
    if (auto* t1032 = c.form<TaxData_T1032_New>(118)) {
        if (!t1.canClaimT1032())
            c.record.insertMsg1("Please remove %s.",
                                "T1032 of Split Pension Income, or confirm a separation with spouse for less than "
                                "90 days in the tax year on page 1 of T1");
        if (spouseSinMissing(t1.SpouseSIN.m_value))
            c.add("Please enter spouse social insurance number on page 1 of T1 as required by form T1032.");
        if (t1032->ElectorIndicator.m_value == 0) {
            if (!taxrules::isPresentAmount(t1032->line68025.m_value) &&
                exceeds(t1032->line68026.m_value, t1.line13000OtherIncome.m_value))
                c.add("Field 68026 of form T1032 cannot be greater than field 13000 of T1.");
            if (exceeds(t1032->line68040.m_value - t1032->line68050.m_value, t1.line43700TaxDeducted.m_value))
                c.add("Field 43700 of T1 cannot be less than Field 68040 minus Field 68050 of form T1032.");
        }
    }
    if (auto* t1206 = c.form<TaxData_T1206New>(29)) {
        if (taxrules::isPresentAmount(t1206->line68330.m_value) &&
            exceeds(t1206->line68330.m_value, t1.line12000TaxableDividends.m_value))
            c.add("Field 68330 in form T1206 can NOT be greater than field 12000 of T1.");
        if (taxrules::isPresentAmount(t1206->line68340.m_value) &&
            exceeds(t1206->line68340.m_value, t1.line12010OtherThanEligibleDividends.m_value))
            c.add("Field 68340 in form T1206 can NOT be greater than field 12010 of T1.");
        if (exceeds(t1206->line68360.m_value, t1.line23200OtherDeductions.m_value))
            c.add("Field 68360 of form T1206 cannot be greater than field 23200 of T1.");
    }
}

} // namespace

void checkBenefitsRrspAndReserves(PersonCheckContext& c)
{
    checkExemptIncomeAndWorkersBenefit(c);
    checkRrsp(c);
    checkElectionAndExemptPlans(c);
    checkReservesAndFarmCredit(c);
    checkBankruptcy(c);
    checkPensionSplitAndSplitIncome(c);
}

} // namespace validation
