// Calculations of the federal schedules. Each works out what its own lines
// add up to; Schedules 3, 5, 8, 9 and 11 take their 2024 rates, limits and
// phase-outs from the tax rules (companion/rules).

#include <QDataStream>
#include <algorithm>
#include <cmath>

#include "companion/forms/fieldchoices.h"
#include "companion/forms/schedules/taxdata_sch11.h"
#include "companion/forms/schedules/taxdata_sch12.h"
#include "companion/forms/schedules/taxdata_sch13_15.h"
#include "companion/forms/schedules/taxdata_sch2.h"
#include "companion/forms/schedules/taxdata_sch3.h"
#include "companion/forms/schedules/taxdata_sch5.h"
#include "companion/forms/schedules/taxdata_sch6.h"
#include "companion/forms/schedules/taxdata_sch7.h"
#include "companion/forms/schedules/taxdata_sch8.h"
#include "companion/forms/schedules/taxdata_sch9.h"
#include "companion/rules/federalconstants2024.h"
#include "companion/rules/federalcredits.h"
#include "companion/rules/federalprograms2024.h"
#include "companion/rules/money.h"
#include "companion/rules/pensionplanlines.h"
#include "companion/rules/workersbenefit2024.h"

namespace {
double total(std::initializer_list<const CFloatField*> fields)
{
    double sum = 0;
    for (const CFloatField* f : fields)
        sum += f->m_value;
    return sum;
}
}  // namespace

// ---- Schedule 2

int TaxData_Sch2::Calculate01()
{
    // The spouse's age, caregiver, pension and disability amounts move as
    // far as the spouse does not need them; the tuition amount the spouse
    // designated was already worked out on the spouse's Schedule 11 and
    // moves whole.
    const double transferable =
        total({&SpouseAgeAmount, &SpouseCaregiverChildren, &SpousePensionAmount, &SpouseDisabilityAmount});
    line32600Total.m_value =
        CanClaimFlag.m_value ? taxrules::roundCents(std::max(0.0, transferable - line36100AdjustedAmount.m_value) +
                                                    std::max(0.0, SpouseTuitionTransfer.m_value))
                             : 0.0;
    return 0;
}

// ---- Schedule 3

void TaxData_Sch3::CalculateBeforeLine193()
{
    double equityGain = 0;
    for (const Sch3EquityEntry& row : m_equity)
        equityGain += row.Proceeds - row.Cost - row.Outlays;
    line13200SharesGain.m_value = std::max(0.0, equityGain);
    line13200SharesLoss.m_value = std::min(0.0, equityGain);
    line19200CapitalGainsOrLoss.m_value =
        total({&line10700QSBCSGain, &line11000FarmFishingGain, &line12400FarmFishingMortgage, &line13200SharesGain,
               &line13200SharesLoss, &line13800RealEstateGain, &line15300BondsGain, &line15500OtherGain,
               &line15800PersonalUseGain, &line16100ListedPersonalGain, &line17400SlipGains, &SlipFedAmount,
               &T2091Sum, &T1170Amount1, &T1170Amount2, &T1170Amount3, &T1Amount, &T2017Reserve}) -
        line17600CapitalGainsReserves.m_value - line17800LossesFromSlips.m_value;
}

void TaxData_Sch3::CalculateTaxableCapGain()
{
    // The inclusion rate of the year; a net loss stays negative here (it is
    // carried to other years, and the T1 takes no negative gain).
    const double rate = taxrules::federalConstant(taxrules::FedKey::CapitalGainsInclusionRate);
    line19700TaxableGain.m_value = taxrules::roundCents(line19200CapitalGainsOrLoss.m_value * rate);
    Result.m_value = line19700TaxableGain.m_value;
    Result2.m_value = taxrules::roundCents(
        (line10700QSBCSGain.m_value + line11000FarmFishingGain.m_value + line12400FarmFishingMortgage.m_value) * rate);
}

void TaxData_Sch3::CalculateCapGainReduction()
{
    // Gains on donated securities and ecological gifts are not taxed.
    const double rate = taxrules::federalConstant(taxrules::FedKey::CapitalGainsInclusionRate);
    Result3.m_value =
        taxrules::roundCents((T1170Amount1.m_value + T1170Amount2.m_value + T1170Amount3.m_value) * rate);
    Result.m_value = taxrules::roundCents(line19700TaxableGain.m_value - Result3.m_value);
}

int TaxData_Sch3::Calculate01()
{
    CalculateBeforeLine193();
    CalculateTaxableCapGain();
    CalculateCapGainReduction();
    MortgageForeclosure.m_value = getMortgageForClosureAndConditionSale();
    return 0;
}

double TaxData_Sch3::getMortgageForClosureAndConditionSale() const
{
    return line12400FarmFishingMortgage.m_value + line15500OtherGain.m_value;
}

int TaxData_Sch3::getF17906LifeEvents(CString& text) const
{
    Q_UNUSED(text);
    return line17906LifeEvent.m_value;
}

void TaxData_Sch3::AllocateMoreEquityEntries(int n)
{
    n = std::min(n, kMaxEquityRows);
    if (n > int(m_equity.size()))
        m_equity.resize(size_t(n));
    EquityEntryCount.m_value = int(m_equity.size());
}

int TaxData_Sch3::removeAutoFilledEquityEntries()
{
    const auto firstDropped = std::remove_if(m_equity.begin(), m_equity.end(),
                                             [](const Sch3EquityEntry& row) { return row.AutoFilled; });
    const int dropped = int(m_equity.end() - firstDropped);
    m_equity.erase(firstDropped, m_equity.end());
    EquityEntryCount.m_value = int(m_equity.size());
    EquityEntryCountAmount.m_value = std::max(0.0, EquityEntryCountAmount.m_value - dropped);
    return dropped;
}

void TaxData_Sch3::CopyData(const CTaxData_Form* from)
{
    CTaxData_Form::CopyData(from);
    if (auto* src = dynamic_cast<const TaxData_Sch3*>(from))
        m_equity = src->m_equity;
}

bool TaxData_Sch3::CompareData(const CTaxData_Form* other) const
{
    auto* o = dynamic_cast<const TaxData_Sch3*>(other);
    if (!o || CTaxData_Form::CompareData(other) || o->m_equity.size() != m_equity.size())
        return true;
    for (size_t i = 0; i < m_equity.size(); ++i) {
        const Sch3EquityEntry& a = m_equity[i];
        const Sch3EquityEntry& b = o->m_equity[i];
        if (a.Quantity != b.Quantity || a.Identification != b.Identification || a.Proceeds != b.Proceeds ||
            a.Cost != b.Cost || a.Outlays != b.Outlays || a.AutoFilled != b.AutoFilled)
            return true;
    }
    return false;
}

bool TaxData_Sch3::writeExtraData(QDataStream& out) const
{
    if (m_equity.empty())
        return false;
    out << qint32(m_equity.size());
    for (const Sch3EquityEntry& row : m_equity)
        out << row.Quantity << QString(row.Identification) << row.Proceeds << row.Cost << row.Outlays;
    // The rows Auto-fill made follow the rows, as their numbers: a reader
    // that knows no marks stops before them, and a schedule without such
    // rows is written as before.
    std::vector<qint32> marked;
    for (size_t i = 0; i < m_equity.size(); ++i)
        if (m_equity[i].AutoFilled)
            marked.push_back(qint32(i));
    if (!marked.empty()) {
        out << qint32(marked.size());
        for (qint32 row : marked)
            out << row;
    }
    return true;
}

bool TaxData_Sch3::readExtraData(QDataStream& in, quint16)
{
    qint32 n = 0;
    in >> n;
    if (in.status() != QDataStream::Ok || n < 0 || n > kMaxEquityRows)
        return false;
    std::vector<Sch3EquityEntry> rows(static_cast<size_t>(n));
    for (Sch3EquityEntry& row : rows) {
        QString id;
        in >> row.Quantity >> id >> row.Proceeds >> row.Cost >> row.Outlays;
        if (in.status() != QDataStream::Ok)
            return false;
        row.Identification = CString(id);
    }
    if (!in.atEnd()) {
        qint32 marks = 0;
        in >> marks;
        if (in.status() != QDataStream::Ok || marks < 0 || marks > n)
            return false;
        for (qint32 i = 0; i < marks; ++i) {
            qint32 row = -1;
            in >> row;
            if (in.status() != QDataStream::Ok || row < 0 || row >= n)
                return false;
            rows[size_t(row)].AutoFilled = true;
        }
    }
    m_equity = std::move(rows);
    return true;
}

// ---- Schedule 5

int TaxData_Sch5::Calculate01()
{
    // Both amounts are the claimant's own basic personal amount less the
    // other person's net income; a person with a spouse claims no eligible
    // dependant. For an infirm spouse, or an infirm eligible dependant 18 or
    // older, the caregiver amount raises the base by 2,616, and the Canada
    // caregiver amount (30425) adds what 8,375 less the net income above
    // 19,666 is beyond that.
    const double ownBasicAmount = taxrules::basicPersonalAmount(NetIncome.m_value);
    const double topUp = taxrules::caregiverTopUp();
    const bool spouseClaimed = ClaimSpouseAmount.m_value && CanClaimSpouse.m_value;
    const bool spouseInfirm = spouseClaimed && SpouseInfirm.m_value;
    SpouseAmountResult.m_value =
        spouseClaimed ? taxrules::spouseOrDependantAmount(ownBasicAmount + (spouseInfirm ? topUp : 0.0),
                                                          SpouseNetIncome.m_value)
                      : 0.0;
    const bool dependantClaimed = ClaimEligibleDependant.m_value && !HasSpouse.m_value;
    const QDate birth = DependantBirthDate.m_value;
    const bool adult = birth.isValid() && TAX_YEAR - birth.year() >= 18;
    const bool dependantInfirm = dependantClaimed && DependantInfirm.m_value && adult;
    EligibleDependantResult.m_value =
        dependantClaimed ? taxrules::spouseOrDependantAmount(ownBasicAmount + (dependantInfirm ? topUp : 0.0),
                                                             DependantNetIncome.m_value)
                         : 0.0;
    double caregiver = 0;
    if (spouseInfirm)
        caregiver = taxrules::canadaCaregiverAmount(SpouseNetIncome.m_value) - SpouseAmountResult.m_value;
    else if (dependantInfirm)
        caregiver = taxrules::canadaCaregiverAmount(DependantNetIncome.m_value) - EligibleDependantResult.m_value;
    CaregiverSpouseResult.m_value = taxrules::roundCents(std::max(0.0, caregiver));
    return 0;
}

// ---- Schedule 6

void TaxData_Sch6::setACWBAmounts(double basicAdvance, double disabilityAdvance)
{
    AdvanceBasic.m_value = basicAdvance;
    AdvanceDisability.m_value = disabilityAdvance;
}

bool TaxData_Sch6::isInDirerad() const
{
    return taxrules::isPresentAmount(BasicResult.m_value) || taxrules::isPresentAmount(DisabilityResult.m_value) ||
           taxrules::isPresentAmount(AdvanceBasic.m_value) || taxrules::isPresentAmount(AdvanceDisability.m_value);
}

bool TaxData_Sch6::isFamily() const
{
    return NoSpouseFlag.m_value == 0 || EligibilityIndicator.m_value != 0 || HasChildren.m_value != 0;
}

int TaxData_Sch6::Calculate01()
{
    const bool family = isFamily();
    const bool spouse = NoSpouseFlag.m_value == 0;
    // Full-time students of more than 13 weeks without an eligible dependant,
    // people confined for 90 days or more, and people under 19 living alone
    // have no benefit.
    const bool student = Question1.m_value == choices::kYes && !(EligibilityIndicator.m_value || HasChildren.m_value);
    const bool eligible = !student && Question2.m_value != choices::kYes && (Age.m_value >= 19 || family);

    const bool includeExempt = line38105IncludeExempt.m_value == 0;
    const double exempt = includeExempt ? Amount10.m_value + Amount11.m_value : 0.0;
    const double working = std::max(0.0, WorkingIncome.m_value + Amount7.m_value + exempt);
    const double spouseWorking =
        spouse ? std::max(0.0, SpouseWorkingIncome.m_value + std::max(0.0, SpouseSelfEmployment.m_value)) : 0.0;
    // Adjusted family net income leaves out the lower working income of a
    // couple up to 14,000.
    const double ownNet = NetIncome.m_value - Amount5.m_value + Amount6.m_value + exempt;
    FamilyNetIncome.m_value = taxrules::roundCents(
        ownNet + (spouse ? SpouseNetIncome.m_value -
                               taxrules::workersBenefitSecondaryEarnerExemption(std::min(working, spouseWorking))
                         : 0.0));

    const bool disabled = Disabled.m_value != 0;
    const bool spouseDisabled = spouse && taxrules::isPresentAmount(Crosswise2.m_value);
    // Both spouses with the disability amount: each takes the supplement on
    // their own working income.
    const double supplementWorking = disabled && spouseDisabled ? working : working + spouseWorking;
    // Quebec, Alberta and Nunavut residents take their province's own
    // amounts.
    taxrules::WorkersBenefitInput in;
    in.province = taxrules::provinceFromNumber(Province.m_value);
    in.household.eligibleSpouse = spouse;
    in.household.eligibleDependant = EligibilityIndicator.m_value != 0 || HasChildren.m_value != 0;
    in.familyWorkingIncome = working + spouseWorking;
    in.supplementWorkingIncome = supplementWorking;
    in.adjustedFamilyNetIncome = FamilyNetIncome.m_value;
    in.disabilitySupplement = disabled;
    in.bothSpousesDisabled = disabled && spouseDisabled;
    const taxrules::WorkersBenefit benefit = eligible ? taxrules::canadaWorkersBenefit(in) : taxrules::WorkersBenefit{};
    // One spouse claims the basic amount for the couple (it is the same
    // either way): the one with the higher working income.
    const bool claimsBasic = !spouse || taxrules::isPositiveAmount(working - spouseWorking) ||
                             (!taxrules::isPresentAmount(working - spouseWorking) && SpouseIndicator.m_value != 0);
    BasicEntitlement.m_value = claimsBasic ? benefit.basic : 0.0;
    SupplementEntitlement.m_value = benefit.supplement;

    // Advances (RC210) are netted against the whole benefit; what they
    // exceed it by is repaid.
    const double advances = std::max(0.0, AdvanceBasic.m_value) + std::max(0.0, AdvanceDisability.m_value);
    const double entitlement = BasicEntitlement.m_value + SupplementEntitlement.m_value;
    BasicResult.m_value = taxrules::roundCents(std::max(0.0, entitlement - advances));
    DisabilityResult.m_value =
        taxrules::roundCents(std::max(0.0, SupplementEntitlement.m_value - std::max(0.0, AdvanceDisability.m_value)));
    Repayment.m_value = taxrules::roundCents(std::max(0.0, advances - entitlement));
    return 0;
}

// ---- Schedule 7

int TaxData_Sch7::Calculate01()
{
    line24500Repayments.m_value =
        total({&UnusedRRSPContributions, &OwnPriorYearContributions, &SpousalPriorYearContributions,
               &OwnCurrentYearContributions, &SpousalCurrentYearContributions, &PrppCurrentYear, &PrppPriorYear});
    const double deductible =
        std::max(0.0, line24500Repayments.m_value - line24600HbpRepayment.m_value - line24620LlpRepayment.m_value -
                          line24640TransferIn.m_value);
    Limit.m_value = RRSPDeductionLimit.m_value;
    Result.m_value = std::min(deductible, std::max(0.0, RRSPDeductionLimit.m_value));
    UnusedCarryForward.m_value = deductible - Result.m_value;
    return 0;
}

// ---- Pension plan schedules

namespace {
void pensionAmounts(const CPensionPlanSchedule& s, double& base, double& enhanced, double& payable)
{
    base = s.EmploymentBase.m_value + s.BaseContribution.m_value;
    enhanced = s.EnhancedDeduction.m_value + s.EmploymentEnhanced.m_value;
    payable = s.Payable.m_value;
}
}  // namespace

void TaxData_Sch8_14::mockCPPQPPMonthIfNeeded(int months)
{
    if (!taxrules::isPositiveAmount(MonthCount.m_value))
        MonthCount.m_value = months;
}
void TaxData_Sch8_14::getCPPRelatedAmounts(double& base, double& enhanced, double& payable) const
{
    pensionAmounts(*this, base, enhanced, payable);
}
double TaxData_Sch8_14::getBill51AmountK() const { return ElectionChoice.m_value == 1 ? ElectionAmount.m_value : 0.0; }
double TaxData_Sch8_14::getEmpUnderDeduction() const { return std::max(0.0, Payable.m_value); }
int TaxData_Sch8_14::Calculate01()
{
    // Contributions due on the year's pensionable earnings (50329) and
    // self-employment (50339), against what the slips withheld (box 16 and
    // 16A): credits, deductions, the amount payable and the overpayment.
    const taxrules::CppLines lines = taxrules::cppLines(F50329Input.m_value, SlipContributions.m_value,
                                                        SecondAdditional.m_value, F50339Input.m_value,
                                                        ContributoryMonths.m_value);
    EmploymentBase.m_value = lines.line30800;
    BaseContribution.m_value = lines.line31000;
    EnhancedDeduction.m_value = lines.line22200;
    EmploymentEnhanced.m_value = lines.line22215;
    Payable.m_value = lines.line42100;
    Overpayment.m_value = lines.line44800;
    return 0;
}

void TaxData_RC381::mockCPPQPPMonthIfNeeded(int months)
{
    if (!taxrules::isPositiveAmount(MonthCount.m_value))
        MonthCount.m_value = months;
}
void TaxData_RC381::getCPPRelatedAmounts(double& base, double& enhanced, double& payable) const
{
    pensionAmounts(*this, base, enhanced, payable);
}
double TaxData_RC381::getUnderDeduction() const { return std::max(0.0, Payable.m_value); }
bool TaxData_RC381::isCPT30AnswerNeeded() const { return EmploymentIncomePresent.m_value != 0 && ElectionFlag.m_value != 0; }
bool TaxData_RC381::isField372Allowed() const { return ElectionFlag.m_value != 0; }
bool TaxData_RC381::isField374Allowed() const { return ElectionFlag.m_value != 0; }
int TaxData_RC381::Calculate01()
{
    // Earnings under the QPP (50329) and under the CPP outside Quebec
    // (50339) against what the slips withheld for each plan; a Quebec
    // resident's QPP on self-employment is paid with the Quebec return and
    // only deducted and credited here.
    const taxrules::CppLines lines = taxrules::interprovincialPlanLines(
        F50329Input.m_value, F50339Input.m_value, SlipContributions.m_value, QppSlipContributions.m_value,
        SecondAdditional.m_value, getMainTaxProvince() == PROV_QC, SelfEmploymentEarnings.m_value,
        ContributoryMonths.m_value);
    EmploymentBase.m_value = lines.line30800;
    BaseContribution.m_value = lines.line31000;
    EnhancedDeduction.m_value = lines.line22200;
    EmploymentEnhanced.m_value = lines.line22215;
    Payable.m_value = 0;
    Overpayment.m_value = lines.line44800;
    return 0;
}

// ---- Schedule 9

int TaxData_Sch9::Calculate01()
{
    // A share passed to the spouse can at most cancel the person's own gifts.
    const double gifts = std::max(0.0, total({&InterviewDonations1, &InterviewDonations2, &SlipDonations1,
                                              &SlipDonations2, &OtherDonations, &CoupleDonationShare}));
    // Gifts of capital property raise the limit by their own amount; the
    // limit of net income does not bind in the year of death.
    const double capitalGifts = line33700CapitalGainsGifts.m_value + line33900DepreciableGifts.m_value;
    line34000AllowableDonations.m_value =
        Deceased.m_value ? taxrules::roundCents(gifts + capitalGifts)
                         : taxrules::roundCents(taxrules::allowableDonations(gifts, NetIncome.m_value) + capitalGifts);
    Result.m_value = taxrules::donationCredit(line34000AllowableDonations.m_value, TaxableIncome.m_value);
    return 0;
}

// ---- Schedule 11

namespace {
// Schedule 11: the most of the year's tuition amount a student may transfer.
constexpr double kTuitionTransferMaximum = 5000.0;
}  // namespace

double TaxData_Sch11::getF59140() const { return CarryForwardNext.m_value; }

int TaxData_Sch11::Calculate01()
{
    // The Canada training credit takes half the year's fees up to the
    // person's limit; the fees it covers are not claimed again as tuition.
    // What the slips show and what is typed for fees and months not on a slip.
    const double fees = std::max(0.0, EligibleFees.m_value) + std::max(0.0, SlipFees.m_value);
    TotalPartTimeMonths.m_value = std::max(0.0, PartTimeMonths.m_value) + std::max(0.0, SlipPartTimeMonths.m_value);
    TotalFullTimeMonths.m_value = std::max(0.0, FullTimeMonths.m_value) + std::max(0.0, SlipFullTimeMonths.m_value);
    line45350TrainingCredit.m_value =
        taxrules::roundCents(std::min(std::max(0.0, TrainingCreditLimit.m_value), fees / 2));
    line32000CurrentYear.m_value = taxrules::roundCents(fees - line45350TrainingCredit.m_value);
    // Claimed as far as it brings the income of the rate test (taxable
    // income) down to the credits claimed before tuition.
    const taxrules::TuitionClaim claim = taxrules::tuitionClaim(
        FedTuitionCarryForward.m_value + line32000CurrentYear.m_value, RateTestIncome.m_value, CreditsBase.m_value);
    Result.m_value = claim.claimed;
    // What the student needs comes from the amounts carried forward first;
    // of this year's amount, at most 5,000 less what the student used may go
    // to a spouse, a parent or a grandparent.
    const double usedThisYear =
        std::max(0.0, Result.m_value - std::max(0.0, FedTuitionCarryForward.m_value));
    TransferableAmount.m_value = taxrules::roundCents(
        std::max(0.0, std::min(line32000CurrentYear.m_value, kTuitionTransferMaximum) - usedThisYear));
    const bool designated = TransferTo.m_value == kTransferToSpouse || TransferTo.m_value == kTransferToParent;
    const double asked = std::max(0.0, line32700Transferred.m_value);
    TransferredResult.m_value =
        designated && !taxrules::isPositiveAmount(asked) ? TransferableAmount.m_value : std::min(asked, TransferableAmount.m_value);
    CarryForwardNext.m_value = taxrules::roundCents(std::max(0.0, claim.carriedForward - TransferredResult.m_value));
    return 0;
}

// ---- Schedule 12

int TaxData_Sch12_2016::Calculate01()
{
    // Home accessibility expenses are claimed up to 20,000.
    Result.m_value = std::min(std::max(0.0, ExpensesPaid.m_value), 20000.0);
    return 0;
}

int TaxData_Sch12_MultigHomeReno::Calculate01()
{
    // The credit rate on qualifying expenses of up to 50,000.
    Result.m_value = std::min(std::max(0.0, ExpensesPaid.m_value), 50000.0)
                     * taxrules::federalConstant(taxrules::FedKey::CreditRate);
    return 0;
}

// ---- Schedules 13 and 15

double TaxData_Sch13::getResult() const { return Result.m_value; }

int TaxData_Sch13::Calculate01()
{
    // For someone who opted in: the self-employment earnings entered at
    // 54493 (or, left blank, the net self-employment income of the return)
    // with the exempt earnings, up to what the year's maximum insurable
    // earnings leave after the employment earnings, at the employee rate
    // (Quebec's where the province runs its own parental plan).
    const double earnings =
        (taxrules::isPresentAmount(line54493SelfEmployment.m_value) ? line54493SelfEmployment.m_value : TotalEarnings.m_value) +
        line54494ExemptEarnings.m_value;
    const double room = std::max(0.0, taxrules::federalConstant(taxrules::FedKey::EiMaxInsurableEarnings) -
                                          std::max(0.0, EmploymentInsurable.m_value));
    InsurableEarnings.m_value = taxrules::roundCents(std::min(std::max(0.0, earnings), room));
    const double rate = taxrules::federalConstant(getMainTaxProvince() == PROV_QC ? taxrules::FedKey::EiRateQuebec
                                                                                  : taxrules::FedKey::EiRate);
    Result.m_value = taxrules::roundCents(InsurableEarnings.m_value * rate);
    return 0;
}

int TaxData_Sch15::Calculate01()
{
    // Deductible up to the participation room.
    Result.m_value = std::min(Contributions.m_value + UnusedFromLastYear.m_value - F68930.m_value,
                              std::max(0.0, ParticipationRoom.m_value));
    Result.m_value = std::max(0.0, Result.m_value);
    return 0;
}
