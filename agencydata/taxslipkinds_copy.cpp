// Copying agency slips into the return's slip objects. Each kind writes its
// boxes into the new, empty slip object the apply made for the same slip
// type; a target of another class (or none) is left alone. Every listed
// amount is written, an absent box as 0, unless its row says otherwise, so
// the new slip holds exactly what the agency sent. Amounts go through the
// field's own rounding (setAmount), as every amount of the return does.
#include "agencydata/records/taxslipkinds.h"

#include "companion/core/numbertext.h"
#include "companion/core/yesnoindicator.h"
#include "companion/forms/catalogue.h"
#include "companion/forms/slips/slips_employment.h"
#include "companion/forms/slips/slips_investment.h"
#include "companion/forms/slips/slips_other.h"
#include "companion/rules/money.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>

namespace {

constexpr int kCopied = 0;
constexpr int kNotCopied = -1;

// A box of the slip's box map into an amount field.
template <class Target>
struct BoxAmount
{
    const char* key;
    CFloatField Target::*field;
};

// A member text of the kind, read as an amount, into an amount field.
template <class Kind, class Target>
struct MemberAmount
{
    std::string Kind::*member;
    CFloatField Target::*field;
};

template <class Target, std::size_t N>
void copyBoxes(const TaxSlip& slip, Target& target, const BoxAmount<Target> (&boxes)[N])
{
    for (const BoxAmount<Target>& box : boxes)
        (target.*box.field).setAmount(slip.getNumberedBoxValue(box.key));
}

template <class Kind, class Target, std::size_t N>
void copyMembers(const Kind& slip, Target& target, const MemberAmount<Kind, Target> (&members)[N])
{
    for (const MemberAmount<Kind, Target>& m : members)
        (target.*m.field).setAmount(myStringToDouble(slip.*m.member));
}

// A yes/no code of the agency as the slip's flag.
int flagOf(const std::string& code)
{
    return yesNoIndicatorIsYes(code) ? 1 : 0;
}

// Boxes 24 and 26 of a T4 carry their own "entered" flag: a box the agency
// left out, sent as nothing or as a negative amount keeps the slip's flag and
// amount as they are.
void copyFlaggedAmount(double value, CIntField& flag, CFloatField& amount)
{
    if (!taxrules::isPositiveAmount(value))
        return;
    flag.m_value = 1;
    amount.setAmount(value);
}

QString tr(const char* text)
{
    return QCoreApplication::translate("TaxSlip", text);
}

} // namespace

int TaxSlipT4::copyToSlipData(CTaxData_Form* target)
{
    using T = TaxData_Slip_T4;
    auto* slip = dynamic_cast<T*>(target);
    if (!slip)
        return kNotCopied;
    static const BoxAmount<T> firstBoxes[] = {
        {"14", &T::box14EmploymentIncome}, {"16", &T::box16CppContributions}, {"17", &T::box17QppContributions},
        {"18", &T::box18EiPremiums},       {"20", &T::box20RppContributions}, {"22", &T::box22IncomeTaxDeducted},
    };
    static const BoxAmount<T> otherBoxes[] = {
        {"30", &T::box30BoardLodging},       {"42", &T::box42Commissions},       {"44", &T::box44UnionDues},
        {"46", &T::box46Donations},          {"52", &T::box52PensionAdjustment}, {"55", &T::box55PpipPremiums},
        {"66", &T::box66EligibleRetiring},   {"67", &T::box67NonEligibleRetiring},
        {"71", &T::box71IndianExempt},       {"87", &T::box87EmergencyVolunteer},
    };
    slip->EmployerName.m_value = CString(m_employerName);
    slip->Province.m_value = getProvinceFromCode(m_province.c_str());
    copyBoxes(*this, *slip, firstBoxes);
    copyFlaggedAmount(getNumberedBoxValue("24"), slip->box24Flag, slip->box24EiInsurableEarnings);
    copyFlaggedAmount(getNumberedBoxValue("26"), slip->box26Flag, slip->box26PensionableEarnings);
    slip->box28CppQppExempt.m_value = flagOf(m_cppQppExemptCode);
    slip->box28EiExempt.m_value = flagOf(m_eiExemptCode);
    copyBoxes(*this, *slip, otherBoxes);
    return kCopied;
}

int TaxSlipT4A::copyToSlipData(CTaxData_Form* target)
{
    using T = TaxData_Slip_T4A;
    auto* slip = dynamic_cast<T*>(target);
    if (!slip)
        return kNotCopied;
    static const BoxAmount<T> boxes[] = {
        {"16", &T::box16Pension},
        {"18", &T::box18LumpSum},
        {"20", &T::box20SelfEmployedCommissions},
        {"22", &T::box22IncomeTaxDeducted},
        {"24", &T::box24Annuities},
        {"28", &T::box28OtherIncome},
        {"30", &T::box30Patronage},
        {"32", &T::box32RppContributions},
        {"34", &T::box34PensionAdjustment},
        {"37", &T::box37InsuredPremiums},
        {"40", &T::box40RespAccumulated},
        {"42", &T::box42RespEducational},
        {"46", &T::box46Donations},
        {"48", &T::box48FeesForServices},
        {"104", &T::box104ResearchGrants},
        {"105", &T::box105Scholarships},
        {"106", &T::box106DeathBenefits},
        {"107", &T::box107WageLoss},
        {"109", &T::box109Unregistered},
        {"118", &T::box118MedicalPremium},
        {"119", &T::box119GroupTermLife},
        {"124", &T::box124BoardLodging},
        {"125", &T::box125DisabilityBenefits},
        {"127", &T::box127Veterans},
        {"128", &T::box128VeteransSplit},
        {"131", &T::box131Rdsp},
        {"135", &T::box135HealthPremiums},
        {"196", &T::box196TaxFreeSavings},
        {"197", &T::box197Cerb},
        {"198", &T::box198Crb},
        {"199", &T::box199Crsb},
        {"200", &T::box200Crcb},
        {"201", &T::box201Repayment},
        {"202", &T::box202Cesb},
        {"203", &T::box203Provincial},
        {"204", &T::box204Parents},
        {"205", &T::box205OlderSeniors},
        {"210", &T::box210Postdoctoral},
        {"211", &T::box211Cwlb},
    };
    slip->PayerName.m_value = CString(m_payerName);
    copyBoxes(*this, *slip, boxes);
    return kCopied;
}

int TaxSlipT4AP::copyToSlipData(CTaxData_Form* target)
{
    using T = TaxData_Slip_T4AP;
    using S = TaxSlipT4AP;
    auto* slip = dynamic_cast<T*>(target);
    if (!slip)
        return kNotCopied;
    // Boxes 21 and 23 are numbers of months; they are kept as the slip's
    // counts.
    static const MemberAmount<S, T> members[] = {
        {&S::m_box14, &T::box14Retirement},       {&S::m_box15, &T::box15Survivor},
        {&S::m_box16, &T::box16Disability},       {&S::m_box17, &T::box17Child},
        {&S::m_box18, &T::box18Death},            {&S::m_box19, &T::box19PostRetirement},
        {&S::m_box20, &T::box20Taxable},          {&S::m_box21, &T::box21DisabilityMonths},
        {&S::m_box22, &T::box22IncomeTaxDeducted}, {&S::m_box23, &T::box23RetirementMonths},
    };
    copyMembers(*this, *slip, members);
    return kCopied;
}

int TaxSlipT4RSP::copyToSlipData(CTaxData_Form* target)
{
    using T = TaxData_Slip_T4RSP;
    using S = TaxSlipT4RSP;
    auto* slip = dynamic_cast<T*>(target);
    if (!slip)
        return kNotCopied;
    static const MemberAmount<S, T> firstMembers[] = {
        {&S::m_box16, &T::box16Annuity},
        {&S::m_box18, &T::box18RefundOfPremiums},
        {&S::m_box20, &T::box20ExcessRefund},
        {&S::m_box22, &T::box22Withdrawal},
    };
    static const MemberAmount<S, T> otherMembers[] = {
        {&S::m_box25, &T::box25Llp},        {&S::m_box26, &T::box26Deregistration},
        {&S::m_box27, &T::box27Hbp},        {&S::m_box28, &T::box28OtherIncome},
        {&S::m_box30, &T::box30IncomeTaxDeducted},
    };
    static const BoxAmount<T> boxes[] = {
        {"34", &T::box34DeemedOnDeath},
        {"37", &T::box37QuebecTax},
    };
    slip->PayerName.m_value = CString(m_payerName);
    copyMembers(*this, *slip, firstMembers);
    slip->box24SpousalFlag.m_value = flagOf(m_box24);
    copyMembers(*this, *slip, otherMembers);
    copyBoxes(*this, *slip, boxes);
    slip->Calculate01();
    return kCopied;
}

int TaxSlipT4E::copyToSlipData(CTaxData_Form* target)
{
    using T = TaxData_Slip_T4E;
    using S = TaxSlipT4E;
    auto* slip = dynamic_cast<T*>(target);
    if (!slip)
        return kNotCopied;
    static const MemberAmount<S, T> members[] = {
        {&S::m_box7, &T::box7RepaymentRate},     {&S::m_box14, &T::box14TotalBenefits},
        {&S::m_box15, &T::box15Regular},         {&S::m_box17, &T::box17SupportMeasures},
        {&S::m_box18, &T::box18TaxExempt},       {&S::m_box20, &T::box20TaxableTuition},
        {&S::m_box21, &T::box21NonTaxableTuition}, {&S::m_box22, &T::box22IncomeTaxDeducted},
        {&S::m_box23, &T::box23QuebecTax},       {&S::m_box30, &T::box30Repayment},
        {&S::m_box33, &T::box33Crf},             {&S::m_box37, &T::box37Parental},
    };
    copyMembers(*this, *slip, members);
    return kCopied;
}

int TaxSlipT4AOAS::copyToSlipData(CTaxData_Form* target)
{
    using T = CSlipData_T4AOAS;
    using S = TaxSlipT4AOAS;
    auto* slip = dynamic_cast<T*>(target);
    if (!slip)
        return kNotCopied;
    static const MemberAmount<S, T> members[] = {
        {&S::m_box18, &T::box18NetPension},     {&S::m_box19, &T::box19GrossPension},
        {&S::m_box20, &T::box20Overpayment},    {&S::m_box21, &T::box21NetSupplements},
        {&S::m_box22, &T::box22IncomeTaxDeducted}, {&S::m_box23, &T::box23QuebecTax},
    };
    copyMembers(*this, *slip, members);
    return kCopied;
}

int TaxSlipT4RIF::copyToSlipData(CTaxData_Form* target)
{
    using T = TaxData_Slip_T4RIF;
    auto* slip = dynamic_cast<T*>(target);
    if (!slip)
        return kNotCopied;
    static const BoxAmount<T> boxes[] = {
        {"16", &T::box16Taxable},         {"18", &T::box18DeemedOnDeath},
        {"20", &T::box20Deregistration},  {"22", &T::box22OtherIncome},
        {"24", &T::box24Excess},          {"28", &T::box28IncomeTaxDeducted},
        {"37", &T::box37QuebecTax},
    };
    slip->PayerName.m_value = CString(m_payerName);
    copyBoxes(*this, *slip, boxes);
    slip->Calculate01();
    return kCopied;
}

int TaxSlipT5::copyToSlipData(CTaxData_Form* target)
{
    using T = TaxData_Slip_T5;
    auto* slip = dynamic_cast<T*>(target);
    if (!slip)
        return kNotCopied;
    static const BoxAmount<T> boxes[] = {
        {"10", &T::box10ActualOther},     {"11", &T::box11TaxableOther},    {"12", &T::box12CreditOther},
        {"13", &T::box13Interest},        {"14", &T::box14OtherCanadian},   {"15", &T::box15Foreign},
        {"16", &T::box16ForeignTax},      {"17", &T::box17Royalties},       {"18", &T::box18CapitalGainsDividends},
        {"24", &T::box24ActualEligible},  {"25", &T::box25TaxableEligible}, {"26", &T::box26CreditEligible},
    };
    slip->PayerName.m_value = CString(m_payerName);
    copyBoxes(*this, *slip, boxes);
    // The currency stays with the amounts, so the slip says what they are in.
    slip->box27Currency.m_value = getNumberedBoxCStrValue("27");
    slip->Calculate01();
    return kCopied;
}

void TaxSlipT5::appendCopyNotes(std::list<CString>& notes) const
{
    const CString currency = getNumberedBoxCStrValue("27");
    if (currency.isEmpty() || currency.compare(QLatin1String("CAD"), Qt::CaseInsensitive) == 0)
        return;
    notes.push_back(tr("The T5 slip from %1 reports its amounts in %2 (box 27). They were copied as they are: "
                       "please convert them to Canadian dollars.")
                        .arg(QString::fromStdString(m_payerName), currency));
}

int TaxSlipT3::copyToSlipData(CTaxData_Form* target)
{
    using T = TaxData_Slip_T3;
    using S = TaxSlipT3;
    auto* slip = dynamic_cast<T*>(target);
    if (!slip)
        return kNotCopied;
    static const MemberAmount<S, T> members[] = {
        {&S::m_box21, &T::box21CapitalGains},      {&S::m_box23, &T::box23ActualOther},
        {&S::m_box25, &T::box25ForeignNonBusiness}, {&S::m_box26, &T::box26OtherIncome},
        {&S::m_box30, &T::box30EligibleGains},     {&S::m_box32, &T::box32TaxableOther},
        {&S::m_box34, &T::box34ForeignNonBusinessTax}, {&S::m_box39, &T::box39CreditOther},
        {&S::m_box49, &T::box49ActualEligible},    {&S::m_box50, &T::box50TaxableEligible},
        {&S::m_box51, &T::box51CreditEligible},
    };
    slip->TrustName.m_value = CString(m_trustName);
    copyMembers(*this, *slip, members);
    slip->Calculate01();
    return kCopied;
}

int TaxSlipT5007::copyToSlipData(CTaxData_Form* target)
{
    using T = CSlipData_T5007;
    using S = TaxSlipT5007;
    auto* slip = dynamic_cast<T*>(target);
    if (!slip)
        return kNotCopied;
    static const MemberAmount<S, T> members[] = {
        {&S::m_box10, &T::box10WorkersCompensation},
        {&S::m_box11, &T::box11SocialAssistance},
    };
    slip->PayerName.m_value = CString(m_payerName);
    copyMembers(*this, *slip, members);
    return kCopied;
}

int TaxSlipT5013::copyToSlipData(CTaxData_Form* target)
{
    using T = TaxData_Slip_T5013;
    auto* slip = dynamic_cast<T*>(target);
    if (!slip)
        return kNotCopied;
    static const BoxAmount<T> boxes[] = {
        {"5", &T::box5Percent},
    };
    slip->PayerName.m_value = CString(m_payerName);
    copyBoxes(*this, *slip, boxes);
    return kCopied;
}

void TaxSlipT5013::appendCopyNotes(std::list<CString>& notes) const
{
    // The slip's totals do not say which lines of the partnership's
    // statement they come from, so the user enters them where they belong.
    QStringList boxes;
    for (const char* key : {"10", "20", "30", "40"}) {
        if (!getNumberedBoxCStrValue(key).isEmpty())
            boxes << QString::fromLatin1(key);
    }
    if (boxes.isEmpty())
        return;
    notes.push_back(tr("The T5013 slip from %1: box(es) %2 were not copied into the return. "
                       "Please enter these amounts yourself.")
                        .arg(QString::fromStdString(m_payerName), boxes.join(QStringLiteral(", "))));
}

int TaxSlipRC62::copyToSlipData(CTaxData_Form* target)
{
    using T = TaxData_Slip_RC62;
    using S = TaxSlipRC62;
    auto* slip = dynamic_cast<T*>(target);
    if (!slip)
        return kNotCopied;
    static const MemberAmount<S, T> members[] = {
        {&S::m_box10, &T::box10Benefit},
        {&S::m_box12, &T::box12Repayment},
    };
    copyMembers(*this, *slip, members);
    return kCopied;
}

int TaxSlipRC210::copyToSlipData(CTaxData_Form* target)
{
    using T = TaxData_Slip_RC210;
    auto* slip = dynamic_cast<T*>(target);
    if (!slip)
        return kNotCopied;
    static const BoxAmount<T> boxes[] = {
        {"10", &T::box10BasicAdvance},
        {"11", &T::box11DisabilityAdvance},
    };
    copyBoxes(*this, *slip, boxes);
    return kCopied;
}

int TaxSlipMBRentalAssistSlip::copyToSlipData(CTaxData_Form* target)
{
    using T = TaxData_Slip_MBShelterAssist;
    using S = TaxSlipMBRentalAssistSlip;
    auto* slip = dynamic_cast<T*>(target);
    if (!slip)
        return kNotCopied;
    static const MemberAmount<S, T> members[] = {
        {&S::m_shelterBenefitAmount, &T::BenefitAmount},
    };
    slip->PayerName.m_value = CString(m_payerName);
    copyMembers(*this, *slip, members);
    return kCopied;
}

int TaxSlipPRPP::copyToSlipData(CTaxData_Form* target)
{
    using T = TaxData_Slip_PRPP;
    using S = TaxSlipPRPP;
    auto* slip = dynamic_cast<T*>(target);
    if (!slip)
        return kNotCopied;
    static const MemberAmount<S, T> members[] = {
        {&S::m_employeeCurrentYearAmount, &T::EmployeeCurrentYear},
        {&S::m_employeePriorYearAmount, &T::EmployeePriorYear},
        {&S::m_employerAmount, &T::Employer},
        {&S::m_employeeCurrentYearExemptAmount, &T::ExemptCurrentYear},
        {&S::m_employeePriorYearExemptAmount, &T::ExemptPriorYear},
    };
    slip->ContractNumber.m_value = CString(m_contractNumber);
    slip->VersionDescription.m_value = CString(m_versionDescription);
    copyMembers(*this, *slip, members);
    return kCopied;
}

int TaxSlipT1204::copyToSlipData(CTaxData_Form* target)
{
    using T = TaxData_Slip_T1204;
    using S = TaxSlipT1204;
    auto* slip = dynamic_cast<T*>(target);
    if (!slip)
        return kNotCopied;
    static const MemberAmount<S, T> members[] = {
        {&S::m_box82, &T::box82Services},
        {&S::m_box84, &T::box84Mixed},
    };
    copyMembers(*this, *slip, members);
    return kCopied;
}

int TaxSlipT2202::copyToSlipData(CTaxData_Form* target)
{
    using T = TaxData_Slip_T2202;
    auto* slip = dynamic_cast<T*>(target);
    if (!slip)
        return kNotCopied;
    struct BoxText
    {
        const char* key;
        CStringField T::*field;
    };
    static const BoxText texts[] = {
        {"10", &T::box10School},  {"11", &T::box11SchoolType}, {"12", &T::box12FlyingClub},
        {"13", &T::box13Program}, {"14", &T::box14Student},    {"15", &T::box15Address},
    };
    struct SessionPeriod
    {
        CStringField T::*from;
        CStringField T::*to;
    };
    static const SessionPeriod periods[kMaxSessions] = {
        {&T::session1From, &T::session1To},
        {&T::session2From, &T::session2To},
        {&T::session3From, &T::session3To},
        {&T::session4From, &T::session4To},
    };
    static_assert(kMaxSessions == T::kSessions, "a slip session for every session the agency sends");
    for (const BoxText& text : texts)
        (slip->*text.field).m_value = getNumberedBoxCStrValue(text.key);
    // Sessions the agency did not send keep what the slip holds.
    const int sessions = std::min(std::max(m_sessionCount, 0), int(kMaxSessions));
    for (int i = 0; i < sessions; ++i) {
        const std::size_t k = std::size_t(i);
        (slip->*periods[i].from).m_value = CString(m_fromPeriod[k]);
        (slip->*periods[i].to).m_value = CString(m_toPeriod[k]);
        slip->partTimeMonths(i + 1).setAmount(myStringToDouble(m_partTimeMonths[k]));
        slip->fullTimeMonths(i + 1).setAmount(myStringToDouble(m_fullTimeMonths[k]));
        slip->eligibleFees(i + 1).setAmount(myStringToDouble(m_eligibleFees[k]));
    }
    return kCopied;
}

int TaxSlipT4FHSA::copyToSlipData(CTaxData_Form* target)
{
    using T = TaxData_Slip_T4FHSA;
    auto* slip = dynamic_cast<T*>(target);
    if (!slip)
        return kNotCopied;
    static const BoxAmount<T> boxes[] = {
        {"18", &T::box18Contributions},         {"20", &T::box20QualifyingWithdrawals},
        {"22", &T::box22TaxableWithdrawals},    {"24", &T::box24BeneficiaryDistribution},
        {"26", &T::box26DeemedOnCessation},     {"28", &T::box28LoanSecurity},
        {"30", &T::box30IncomeTaxDeducted},     {"32", &T::box32RrspTransfers},
        {"34", &T::box34SpousalRrspTransfers},  {"36", &T::box36DesignatedTransferOut},
        {"38", &T::box38DesignatedWithdrawals},
    };
    slip->PayerName.m_value = CString(m_payerName);
    copyBoxes(*this, *slip, boxes);
    return kCopied;
}

// These two have no slip object in the return: an apply reads their members
// directly, so there is nothing to copy.
int TaxSlipT5008::copyToSlipData(CTaxData_Form* /*target*/)
{
    return 0;
}

int TaxSlipRRSPReceipt::copyToSlipData(CTaxData_Form* /*target*/)
{
    return 0;
}
