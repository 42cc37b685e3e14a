// Slip recalculation: what each slip derives before the slip totals take it.

#include <algorithm>
#include <cmath>

#include "companion/forms/slips/slips_employment.h"
#include "companion/forms/slips/slips_investment.h"
#include "companion/forms/slips/slips_other.h"
#include "companion/rules/money.h"

namespace {
using taxrules::isPresentAmount;

// The recipient's part of an amount for a sharing percentage; a slip with no
// percentage entered is the recipient's whole. Each part is rounded to the
// cent here, so the totals add up exactly the shares the slip shows.
double share(double amount, double percent)
{
    return taxrules::roundCents(amount * (isPresentAmount(percent) ? percent : 100.0) / 100.0);
}
}  // namespace

// ---- T4

bool TaxData_Slip_T4::containIndianItem() const
{
    return isPresentAmount(box71IndianExempt.m_value) || isPresentAmount(box88IndianSelfEmployed.m_value);
}

int TaxData_Slip_T4::Calculate01()
{
    // The flags say whether boxes 24 and 26 were given at all.
    box24Flag.m_value = isPresentAmount(box24EiInsurableEarnings.m_value) ? 1 : box24Flag.m_value;
    box26Flag.m_value = isPresentAmount(box26PensionableEarnings.m_value) ? 1 : box26Flag.m_value;
    return 0;
}

bool TaxData_Slip_T4::Validate(unsigned char purpose, std::list<CString>& messages)
{
    Q_UNUSED(purpose);
    const size_t before = messages.size();
    const double slipIncome =
        box14EmploymentIncome.m_value + box66EligibleRetiring.m_value + box67NonEligibleRetiring.m_value;
    if (taxrules::isPositiveAmount(box22IncomeTaxDeducted.m_value - slipIncome) &&
        isPresentAmount(box14EmploymentIncome.m_value))
        messages.push_back(CString("T4 slip: income tax deducted (box 22) is more than the income on the slip."));
    if (Province.m_value < 0 || Province.m_value > 13)
        messages.push_back(CString("T4 slip: the province of employment (box 10) is not valid."));
    return messages.size() != before;
}

// ---- T4RSP and T4RIF

int TaxData_Slip_T4RSP::Calculate01()
{
    box24SpousalFlag.m_value = box24SpousalFlag.m_value ? 1 : 0;
    return 0;
}

int TaxData_Slip_T4RIF::Calculate01()
{
    box26SpousalRrif.m_value = box26SpousalRrif.m_value ? 1 : 0;
    return 0;
}

// ---- T5 and T3: the recipient's share

int TaxData_Slip_T5::Calculate01()
{
    const double pct = SharePercent.m_value;
    const struct { CFloatField* to; const CFloatField* from; } pairs[] = {
        {&shareBox10, &box10ActualOther}, {&shareBox11, &box11TaxableOther}, {&shareBox12, &box12CreditOther},
        {&shareInterestPart1, &box13Interest}, {&shareInterestPart2, &interestPart2},
        {&shareInterestPart3, &interestPart3}, {&shareInterestPart4, &interestPart4},
        {&shareBox14, &box14OtherCanadian}, {&shareBox15, &box15Foreign}, {&shareBox16, &box16ForeignTax},
        {&shareBox17, &box17Royalties}, {&shareBox18, &box18CapitalGainsDividends},
        {&shareBox19, &box19AccruedAnnuity}, {&shareBox24, &box24ActualEligible},
        {&shareBox25, &box25TaxableEligible}, {&shareBox26, &box26CreditEligible},
    };
    for (const auto& p : pairs)
        p.to->m_value = share(p.from->m_value, pct);
    shareInterest.m_value = shareInterestPart1.m_value + shareInterestPart2.m_value + shareInterestPart3.m_value +
                            shareInterestPart4.m_value;
    return 0;
}

int TaxData_Slip_T3::Calculate01()
{
    // Each box as issued and the recipient's share of it (ids b and 2000 + b).
    using Box = CFloatField TaxData_Slip_T3::*;
    static constexpr struct { Box to, from; } kShares[] = {
        {&TaxData_Slip_T3::shareBox21, &TaxData_Slip_T3::box21CapitalGains},
        {&TaxData_Slip_T3::shareBox22, &TaxData_Slip_T3::box22LumpSumPension},
        {&TaxData_Slip_T3::shareBox23, &TaxData_Slip_T3::box23ActualOther},
        {&TaxData_Slip_T3::shareBox24, &TaxData_Slip_T3::box24ForeignBusiness},
        {&TaxData_Slip_T3::shareBox25, &TaxData_Slip_T3::box25ForeignNonBusiness},
        {&TaxData_Slip_T3::shareBox26, &TaxData_Slip_T3::box26OtherIncome},
        {&TaxData_Slip_T3::shareBox30, &TaxData_Slip_T3::box30EligibleGains},
        {&TaxData_Slip_T3::shareBox31, &TaxData_Slip_T3::box31PensionIncome},
        {&TaxData_Slip_T3::shareBox32, &TaxData_Slip_T3::box32TaxableOther},
        {&TaxData_Slip_T3::shareBox33, &TaxData_Slip_T3::box33ForeignBusinessTax},
        {&TaxData_Slip_T3::shareBox34, &TaxData_Slip_T3::box34ForeignNonBusinessTax},
        {&TaxData_Slip_T3::shareBox35, &TaxData_Slip_T3::box35DeathBenefits},
        {&TaxData_Slip_T3::shareBox37, &TaxData_Slip_T3::box37SegregatedLosses},
        {&TaxData_Slip_T3::shareBox38, &TaxData_Slip_T3::box38PartXII2Credit},
        {&TaxData_Slip_T3::shareBox39, &TaxData_Slip_T3::box39CreditOther},
        {&TaxData_Slip_T3::shareBox49, &TaxData_Slip_T3::box49ActualEligible},
        {&TaxData_Slip_T3::shareBox50, &TaxData_Slip_T3::box50TaxableEligible},
        {&TaxData_Slip_T3::shareBox51, &TaxData_Slip_T3::box51CreditEligible},
    };
    const double pct = SharePercent.m_value;
    for (const auto& s : kShares)
        (this->*s.to).m_value = share((this->*s.from).m_value, pct);
    return 0;
}

// ---- T5013 slip

CFloatField& TaxData_Slip_T5013::amount(int n)
{
    CFloatField* const amounts[] = {
        &amount01Box128, &amount02Box129, &amount03Box101, &amount04Box104, &amount05Box107,
        &amount06Box110, &amount07Box113, &amount08Box116, &amount09Box118, &amount10Box135,
        &amount11Box120, &amount12Box132, &amount13Box122, &amount14Box146, &amount15Box151,
        &amount16Box133, &amount17Box159, &amount18Box124, &amount19Box130, &amount20Box126,
        &amount21Box137, &amount22Box171, &amount23Box172, &amount24Box173, &amount25Box210,
    };
    return *amounts[std::min(std::max(n, 1), 25) - 1];
}

// ---- T2202

CFloatField& TaxData_Slip_T2202::partTimeMonths(int session)
{
    return *static_cast<CFloatField*>(findFieldById(100 * std::min(std::max(session, 1), kSessions) + 21));
}

CFloatField& TaxData_Slip_T2202::fullTimeMonths(int session)
{
    return *static_cast<CFloatField*>(findFieldById(100 * std::min(std::max(session, 1), kSessions) + 22));
}

CFloatField& TaxData_Slip_T2202::eligibleFees(int session)
{
    return *static_cast<CFloatField*>(findFieldById(100 * std::min(std::max(session, 1), kSessions) + 23));
}

int TaxData_Slip_T2202::Calculate01()
{
    box24PartTimeTotal.m_value = box25FullTimeTotal.m_value = box26FeesTotal.m_value = 0;
    for (int s = 1; s <= kSessions; ++s) {
        box24PartTimeTotal.m_value += partTimeMonths(s).m_value;
        box25FullTimeTotal.m_value += fullTimeMonths(s).m_value;
        box26FeesTotal.m_value += eligibleFees(s).m_value;
    }
    return 0;
}
