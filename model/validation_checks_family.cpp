// Whole-return checks of one person, first group: the slips, the filing
// settings, the family and the credits claimed on the T1.
#include <QDate>

#include "companion/forms/dependantinfostruct.h"
#include "companion/forms/federal/credits.h"
#include "companion/forms/federal/minimumtax_split.h"
#include "companion/forms/federal/others.h"
#include "companion/forms/schedules/taxdata_sch13_15.h"
#include "companion/forms/schedules/taxdata_sch2.h"
#include "companion/forms/schedules/taxdata_sch5.h"
#include "companion/forms/schedules/taxdata_sch8.h"
#include "companion/forms/slips/slips_employment.h"
#include "companion/forms/slips/slips_investment.h"
#include "companion/rules/federalprograms2024.h"
#include "model/preparerinfo.h"
#include "model/validation_checks.h"

namespace validation {

namespace {

constexpr int kSlipT4 = 1;
constexpr int kSlipT5 = 8;
constexpr int kSlipT3 = 9;
constexpr int kSlipT5013 = 13;
constexpr ENUMTYPE_PROVINCE kQuebec = 11;

// The smallest amount a tax beneficiary may report at field 52080.
constexpr double kBeneficiaryMinimum = 1.50;
// Field 36100 of Schedule 2 cannot exceed this.
constexpr double kSchedule2Line36100Maximum = 57552;
// A Quebec resident may transfer at most this share of the tax deducted on
// T4 slips from employment outside Quebec (line 43800).
constexpr double kQuebecTransferShare = 0.45;
// The Canada training credit is for ages 26 to 65.
constexpr int kTrainingCreditMinAge = 26;
constexpr int kTrainingCreditMaxAge = 65;

EfilerPasswordSource& passwordSource()
{
    static EfilerPasswordSource source = nullptr;
    return source;
}

void checkSlips(PersonCheckContext& c)
{
    bool zeroT3Told = false;
    bool zeroT5Told = false;
    for (const STRUCT_SLIPDATA_ITEM_2004* item : c.person.m_slipList) {
        if (!item->data)
            continue;
        if (item->type == kSlipT3 && !zeroT3Told) {
            if (auto* t3 = qobject_cast<TaxData_Slip_T3*>(item->data); t3 && !taxrules::isPresentAmount(t3->SharePercent.m_value)) {
                c.add("There is a T3 slip which has sharing percentage set to 0. Please correct the sharing "
                      "percentage or remove the T3 slip.");
                zeroT3Told = true;
            }
        }
        if (item->type == kSlipT5 && !zeroT5Told) {
            if (auto* t5 = qobject_cast<TaxData_Slip_T5*>(item->data); t5 && !taxrules::isPresentAmount(t5->SharePercent.m_value)) {
                c.add("There is a T5 slip which has sharing percentage set to 0. Please correct the sharing "
                      "percentage or remove the T5 slip.");
                zeroT5Told = true;
            }
        }
        if (item->type == kSlipT5013) {
            if (auto* t5013 = qobject_cast<TaxData_Slip_T5013*>(item->data);
                t5013 && t5013->PartnershipId.m_value.length() < 9 && t5013->TaxShelterId.m_value.length() < 6)
                c.add("Please complete partnership ID and/or tax shelter ID in T5013 slip.");
        }
    }
}

void checkEfileSettings(PersonCheckContext& c)
{
    if (!isEfilePurpose(c.purpose))
        return;
    if (!c.has(96))
        c.add("Add form T183 - Information Return of Electronic Filing, to the tax return.");
    if (preparerInfo().BusinessEFileNum.trimmed().length() != 5)
        c.add("EFILER ID is missing or invalid in preference settings by menu Start | Preference.");
    if (efilerPassword().trimmed().length() < 7)
        c.add("EFILER password is missing or invalid in preference settings by menu Start | Preference.");
}

void checkResidencyAndBeneficiary(PersonCheckContext& c)
{
    TaxData_T1New& t1 = c.t1;
    if (auto* scheduleD = c.form<TaxData_T1248SchD>(207)) {
        CString text;
        if (scheduleD->ValidateWithT1(c.purpose, text, t1.ForeignMailingAddress.m_value != 0,
                                      t1.ResidencyFlag.m_value, t1.IsImmigrant(), t1.IsEmmigrant()) > 0)
            c.record.messages.push_back(text);
    }
    if (t1.TaxDeceasedBeneficiaryElection.m_value != 0) {
        if (c.person.GetCountOfSlip(kSlipT3) == 0 || !t1.IsDeceased())
            c.add("Tax beneficiary for deceased person requires a T3 slip in the return.");
        if (exceeds(kBeneficiaryMinimum, t1.TaxBeneficiaryAmount.m_value))
            c.add("Tax beneficiary amount (Field 52080) must be at least $1.50.");
    }
    if (c.person.HaveSelfBusiness() && t1.SelfEmploymentProvince.m_value == 0)
        c.add("Self-employment activity is claimed, please enter the province for self-employment on page 1 of "
              "form T1.");
}

void checkPensionPlanSchedules(PersonCheckContext& c)
{
    const bool schedule8 = c.has(150);
    const bool rc381 = c.has(148);
    switch (c.t1.PensionPlanSelector.m_value) {
    case 0:
        if (schedule8)
            c.add("Schedule 8 is not needed, please remove it.");
        if (rc381)
            c.add("Please remove form RC381, it's not needed.");
        break;
    case 2:
        if (schedule8)
            c.add("Schedule 8 is not needed, please remove it.");
        if (!rc381)
            c.add("Please add form RC381 to tax return to calculate CPP/QPP contribution.");
        break;
    case 1:
        if (!schedule8)
            c.add("Please add schedule 8 into tax return to calculate CPP contribution.");
        if (rc381)
            c.add("Please remove form RC381, it's not needed.");
        break;
    default: break;
    }
}

// A spouse whose return is not in this file is known to the agency only by
// what the person's T1 says: the S.I.N. and the net income. In a coupled
// return both come from the spouse's own return, which validates itself.
void checkSpouseFilingApart(PersonCheckContext& c)
{
    const TaxData_T1New& t1 = c.t1;
    if (!t1.HasSpouse() || c.person.IsCoupledReturn())
        return;
    if (t1.SpouseSIN.IsEmptyIfRemoveBlank())
        c.add("T1, Spouse page, Spouse's social insurance number: enter the social insurance number of your spouse "
              "or common-law partner.");
    // Line 23600 is never below zero; a loss is entered as nothing.
    if (taxrules::isNegativeAmount(t1.SpouseNetIncome.m_value))
        c.add("T1, Spouse page, Spouse's net income: enter the net income of your spouse or common-law partner "
              "(line 23600 of their return, 0 when it is negative).");
}

void checkFamilyClaims(PersonCheckContext& c)
{
    TaxData_T1New& t1 = c.t1;
    checkSpouseFilingApart(c);
    int spouseAmount = 0;
    c.person.getFedAmountClaimed(303, spouseAmount);
    if (spouseAmount != 0 && !t1.CanClaimSpouse())
        c.add("Spouse amount can be claimed if the marital status changed during the tax year. Marital status "
              "change is claimed on page 1 of form T1.");
    if (auto* schedule5 = c.form<TaxData_Sch5>(6)) {
        if (schedule5->ClaimEligibleDependant.m_value > 0 && schedule5->LivedApartBox.m_value == 0 &&
            t1.HasSpouse() && t1.MaritalStatusChanged.m_value == 0)
            c.add("Tax payer's was married or living with common-law partner, to claim eligible dependant amount "
                  "on line 30400 on Schedule 5, either (1)Tax payer's marital status changed during the tax "
                  "year. Claim marital status change on page 1 of T1; or (2) Read the checkbox condition on top "
                  "of Schedule 5.");
        const QString sin = schedule5->line55295DependantSIN.m_value.trimmed();
        if (!sin.isEmpty() && sin != QLatin1String("000000000") &&
            (sin.compare(t1.SIN.m_value.trimmed(), Qt::CaseInsensitive) == 0 ||
             sin.compare(t1.SpouseSIN.m_value.trimmed(), Qt::CaseInsensitive) == 0))
            c.add("S.I.N. entered in field 55295 of schedule 5 cannot be identical to tax payer's or the spouse's "
                  "S.I.N.");
    }
    const int childrenInTable =
        c.person.m_pDependants ? c.person.m_pDependants->GetDepChildrenNumberBetweenAges(0, 17) : 0;
    if (childrenInTable < int(t1.line30500ChildCount.m_value))
        c.add("According to dependant information, you entered more children for field 30500.");
}

void checkPensionAndSpouseCredits(PersonCheckContext& c)
{
    TaxData_T1New& t1 = c.t1;
    double limit = t1.line11500OtherPensions.m_value + t1.line11600ElectedSplitPension.m_value +
                   t1.line12900RrspIncome.m_value;
    if (auto* t1032 = c.form<TaxData_T1032_New>(118); t1032 && t1032->ElectorIndicator.m_value == 0)
        limit -= t1032->line68025.m_value;
    // Annuity payments kept apart do not qualify for the pension amount.
    limit -= t1.AnnuityAmount.m_value;
    limit -= t1.line12900HbpPart.m_value + t1.line12900LlpPart.m_value;
    if (exceeds(t1.line31400PensionIncomeAmount.m_value, limit))
        c.add("Field 31400 of T1 is too much according to other entries in tax return.");

    // A parent's line 32400 is claimed only up to what the student could
    // transfer; the user who typed more should learn that the return claims
    // less than the figure on the page.
    const double claimed = taxrules::tuitionTransferredFromChild(
        t1.line32400TuitionFromChild.m_value, t1.ChildTuitionCurrentYear.m_value, t1.ChildTuitionUsed.m_value);
    if (exceeds(t1.line32400TuitionFromChild.m_value, claimed))
        c.record.insertMsg2("Field 32400 of T1 ($%s) is more than the student could transfer: at most $5,000 of the "
                            "student's 2024 tuition amount, less the part the student claimed. The return claims "
                            "$%s.",
                            taxrules::formatAmountGrouped(t1.line32400TuitionFromChild.m_value).c_str(),
                            taxrules::formatAmountGrouped(claimed).c_str());

    if (auto* schedule2 = c.form<TaxData_Sch2>(3)) {
        if (!t1.canClaimSch2())
            c.add("Please remove Schedule 2 because tax payer is not married or living with common-law partner "
                  "or widowed in tax year. You may need to claim a marital status change on page 1 of T1.");
        if (exceeds(schedule2->line36100AdjustedAmount.m_value, kSchedule2Line36100Maximum))
            c.add("Field 36100 of Schedule 2 exceeds maximum amount allowed.");
    }
    if (auto* schedule8 = c.form<TaxData_Sch8_14>(150)) {
        if ((positive(schedule8->line50372.m_value) || positive(schedule8->line50374.m_value)) &&
            !taxrules::isPresentAmount(t1.CppRetirementBenefit.m_value))
            c.add("Remove field 50372 or 50374 in schedule 8 since there is no CPP/QPP retirement benefit "
                  "reported in T4A(P) slip.");
    }
}

void checkEmploymentInsurance(PersonCheckContext& c)
{
    TaxData_T1New& t1 = c.t1;
    auto* schedule13 = c.form<TaxData_Sch13>(139);
    if (positive(t1.line31217EiSelfEmployed.m_value) &&
        (!schedule13 || (!taxrules::isPresentAmount(schedule13->line54493SelfEmployment.m_value) &&
                         !taxrules::isPresentAmount(schedule13->line54494ExemptEarnings.m_value) && !t1.HasSelfEmploymentIncome())))
        c.add("Field 31217 requires an amount in Field 54493, or 54494 of Schedule 13 or a self-employment "
              "income.");
    if (schedule13) {
        if (exceeds(schedule13->line54493SelfEmployment.m_value, t1.line10100EmploymentIncome.m_value))
            c.add("Field 54493 of Schedule 13 cannot be greater than field 10100 of T1.");
        if (taxrules::isPresentAmount(schedule13->line54494ExemptEarnings.m_value)) {
            auto* t90 = c.form<TaxData_T90>(171);
            if (!t90 || exceeds(schedule13->line54494ExemptEarnings.m_value, t90->line10000.m_value))
                c.add("Field 54494 of Schedule 13 cannot be greater than field 10000 of form T90.");
        }
        if (taxrules::isPresentAmount(schedule13->line53550Ppip.m_value)) {
            auto* t2204 = c.form<TaxData_T2204_New>(23);
            if (!t2204 || exceeds(1.00, t2204->EIInsurableEarnings.m_value) || !t1.HasSelfEmploymentIncome2(0))
                c.add("Field 53550 in Schedule 13 requires at least one self-employment form and a T4 tax slip "
                      "showing EI insurable earning.");
        }
    }
    if (taxrules::isPresentAmount(c.totals.t4Box55EiExempt) && (!schedule13 || !taxrules::isPresentAmount(schedule13->line54493SelfEmployment.m_value)))
        c.add("PPIP amount in box 55 of T4 slip requires an amount in field 54493 of Schedule 13.");
}

// Line 43800 moves part of the tax withheld on employment outside Quebec to
// the province; only those slips count.
void checkQuebecTransfer(PersonCheckContext& c)
{
    if (c.person.m_province != kQuebec)
        return;
    double outsideQuebec = 0;
    for (const STRUCT_SLIPDATA_ITEM_2004* item : c.person.m_slipList)
        if (item->type == kSlipT4)
            if (auto* t4 = qobject_cast<TaxData_Slip_T4*>(item->data); t4 && t4->Province.m_value != kQuebec)
                outsideQuebec += t4->box22IncomeTaxDeducted.m_value;
    if (exceeds(c.t1.line43800QuebecTaxTransfer.m_value, kQuebecTransferShare * outsideQuebec))
        c.add("Line 438 on page 4 of T1 cannot exceed 45 percent of the income tax deducted on Non-Quebec T4 "
              "slips.");
}

void checkTrainingFhsaAndChildCare(PersonCheckContext& c)
{
    TaxData_T1New& t1 = c.t1;
    const int age = t1.GetAge();
    if (taxrules::isPresentAmount(t1.line45350TrainingCredit.m_value)) {
        if (age < kTrainingCreditMinAge || age > kTrainingCreditMaxAge)
            c.add("Canada traing credit (Field 45350) cannot be claimed if tax payer's age is not between 26 and "
                  "65.");
        if (c.isNewImmigrant())
            c.add("Canada traing credit (Field 45350) cannot be claimed by a new immigrant tax payer.");
    }
    if (taxrules::isPresentAmount(t1.Sch15Amount.m_value)) {
        if (age < 18 && !t1.HasSpouse())
            c.add("Schedule 15 cannot be claimed if tax payer's age is younger than 18 and doesn't have a spouse.");
        if (age < 18 && t1.HasSpouse() && t1.GetSpouseAge() < 18)
            c.add("Schedule 15 cannot be claimed if tax payer and spouse are both younger than 18.");
        if (c.isNewImmigrant())
            c.add("Schedule 15 cannot be claimed by a new immigrant tax payer.");
    }
    if (auto* t778 = c.form<TaxData_T778New>(13); t778 && t1.HasSpouse() && t778->Choice2.m_value == 0) {
        const double own = t1.line23600NetIncome.m_value;
        const double spouse = t1.SpouseNetIncome.m_value;
        const bool claimsLower = t778->Choice1.m_value == 0;
        if ((claimsLower && exceeds(own, spouse)) || (!claimsLower && exceeds(spouse, own)))
            c.add("The chekbox selection for who has higher net income in form T778 is wrongfully selected.");
    }
}

} // namespace

void setEfilerPasswordSource(EfilerPasswordSource source) { passwordSource() = source; }

CString efilerPassword() { return passwordSource() ? passwordSource()() : CString(); }

bool PersonCheckContext::isNewImmigrant() const
{
    return t1.IsImmigrant() && t1.EntryDate.m_value != QDate(TAX_YEAR, 1, 1);
}

void checkSlipsSettingsFamilyAndCredits(PersonCheckContext& c)
{
    checkSlips(c);
    checkEfileSettings(c);
    checkResidencyAndBeneficiary(c);
    checkPensionPlanSchedules(c);
    checkFamilyClaims(c);
    checkPensionAndSpouseCredits(c);
    checkEmploymentInsurance(c);
    checkQuebecTransfer(c);
    checkTrainingFhsaAndChildCare(c);
}

} // namespace validation
