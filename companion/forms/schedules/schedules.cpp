// Calculations of the federal schedules. Each works out what its own lines
// add up to; Schedules 3, 5, 8, 9 and 11 take their 2024 rates, limits and
// phase-outs from the tax rules (companion/rules).

#include <QDataStream>
#include <algorithm>
#include <cmath>

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
#include "companion/rules/money.h"
#include "companion/rules/pensionplanlines.h"

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
    const double transferable = total({&SpouseAgeAmount, &SpouseCaregiverChildren, &SpousePensionAmount,
                                       &SpouseDisabilityAmount, &SpouseTuitionTransfer});
    line32600Total.m_value = CanClaimFlag.m_value ? std::max(0.0, transferable - line36100AdjustedAmount.m_value) : 0.0;
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
            a.Cost != b.Cost || a.Outlays != b.Outlays)
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
    m_equity = std::move(rows);
    return true;
}

// ---- Schedule 5

int TaxData_Sch5::Calculate01()
{
    // Both amounts are the claimant's own basic personal amount less the
    // other person's net income; a person with a spouse claims no eligible
    // dependant.
    const double ownBasicAmount = taxrules::basicPersonalAmount(NetIncome.m_value);
    SpouseAmountResult.m_value = ClaimSpouseAmount.m_value && CanClaimSpouse.m_value
                                     ? taxrules::spouseOrDependantAmount(ownBasicAmount, SpouseNetIncome.m_value)
                                     : 0.0;
    EligibleDependantResult.m_value = ClaimEligibleDependant.m_value && !HasSpouse.m_value
                                          ? taxrules::spouseOrDependantAmount(ownBasicAmount, DependantNetIncome.m_value)
                                          : 0.0;
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

int TaxData_Sch6::Calculate01()
{
    // Benefit amounts come with the yearly arithmetic; the advances already
    // paid are never refunded twice.
    BasicResult.m_value = std::max(0.0, BasicResult.m_value - AdvanceBasic.m_value);
    DisabilityResult.m_value = std::max(0.0, DisabilityResult.m_value - AdvanceDisability.m_value);
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
                                                        SecondAdditional.m_value, F50339Input.m_value);
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
    // (50339) against what the slips withheld for each plan. Contributions
    // on self-employment are worked out on the Quebec return, not here.
    const taxrules::CppLines lines = taxrules::interprovincialPlanLines(
        F50329Input.m_value, F50339Input.m_value, SlipContributions.m_value, QppSlipContributions.m_value,
        SecondAdditional.m_value, getMainTaxProvince() == PROV_QC);
    EmploymentBase.m_value = lines.line30800;
    BaseContribution.m_value = 0;
    EnhancedDeduction.m_value = 0;
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

double TaxData_Sch11::getF59140() const { return CarryForwardNext.m_value; }

int TaxData_Sch11::Calculate01()
{
    line32000CurrentYear.m_value = EligibleFees.m_value;
    // Claimed as far as it brings the income of the rate test (taxable
    // income) down to the credits claimed before tuition.
    const taxrules::TuitionClaim claim = taxrules::tuitionClaim(
        FedTuitionCarryForward.m_value + line32000CurrentYear.m_value, RateTestIncome.m_value, CreditsBase.m_value);
    Result.m_value = claim.claimed;
    TransferableAmount.m_value = std::max(0.0, std::min(line32000CurrentYear.m_value, 5000.0) - Result.m_value);
    CarryForwardNext.m_value = std::max(0.0, claim.carriedForward - line32700Transferred.m_value);
    line45350TrainingCredit.m_value = std::min(TrainingCreditLimit.m_value, line32000CurrentYear.m_value / 2);
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
    TotalEarnings.m_value = line54493SelfEmployment.m_value + line54494ExemptEarnings.m_value;
    // The premium rate and maximum come with the yearly arithmetic.
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
