// Each kind's own block of the Auto-fill report: the members its reading
// filled, each under a fixed label. Most blocks stand inside "<h3>"; the T4's
// does not, and the RC210 has none (its boxes come from the labels).
#include "agencydata/records/taxslipkinds.h"

#include "companion/core/htmllines.h"

#include <QString>

#include <algorithm>

namespace {

// One line of a block; a skip of "0" hides a no-code or a zero count.
template <class Slip>
struct HtmlLine
{
    std::string Slip::*member;
    const char* label;
    const char* skip;
};

template <class Slip, std::size_t N>
void writeLines(CString& out, const Slip& slip, const HtmlLine<Slip> (&lines)[N])
{
    for (const HtmlLine<Slip>& line : lines)
        toHtmlOneLineItem(out, slip.*line.member, line.label, line.skip);
}

template <class Slip, std::size_t N>
void writeHeadedLines(CString& out, const Slip& slip, const HtmlLine<Slip> (&lines)[N])
{
    out += QLatin1String("<h3>");
    writeLines(out, slip, lines);
    out += QLatin1String("</h3>");
}

} // namespace

int TaxSlipT4::toHtml(CString& out, int /*n*/) const
{
    using S = TaxSlipT4;
    static const HtmlLine<S> lines[] = {
        {&S::m_employerName, "Employer", ""},
        {&S::m_province, "Box 10 - Province", ""},
        {&S::m_cppQppExemptCode, "Box 28 - CPP/QPP exempt", "0"},
        {&S::m_eiExemptCode, "Box 28 - EI exempt", "0"},
        {&S::m_ppipExemptCode, "Box 28 - PPIP exempt", "0"},
    };
    writeLines(out, *this, lines);
    return 0;
}

int TaxSlipRC210::toHtml(CString& /*out*/, int /*n*/) const
{
    return 0;
}

int TaxSlipT4A::toHtml(CString& out, int /*n*/) const
{
    using S = TaxSlipT4A;
    static const HtmlLine<S> lines[] = {
        {&S::m_payerName, "Payer", ""},
    };
    writeHeadedLines(out, *this, lines);
    return 0;
}

int TaxSlipT5013::toHtml(CString& out, int /*n*/) const
{
    using S = TaxSlipT5013;
    static const HtmlLine<S> lines[] = {
        {&S::m_payerName, "Payer", ""},
    };
    writeHeadedLines(out, *this, lines);
    return 0;
}

int TaxSlipT4RIF::toHtml(CString& out, int /*n*/) const
{
    using S = TaxSlipT4RIF;
    static const HtmlLine<S> lines[] = {
        {&S::m_payerName, "Payer", ""},
    };
    writeHeadedLines(out, *this, lines);
    return 0;
}

int TaxSlipT5::toHtml(CString& out, int /*n*/) const
{
    using S = TaxSlipT5;
    static const HtmlLine<S> lines[] = {
        {&S::m_payerName, "Payer:", ""},
    };
    writeHeadedLines(out, *this, lines);
    return 0;
}

int TaxSlipT4FHSA::toHtml(CString& out, int /*n*/) const
{
    using S = TaxSlipT4FHSA;
    static const HtmlLine<S> lines[] = {
        {&S::m_payerName, "Name", ""},
    };
    writeHeadedLines(out, *this, lines);
    return 0;
}

int TaxSlipT4RSP::toHtml(CString& out, int /*n*/) const
{
    using S = TaxSlipT4RSP;
    static const HtmlLine<S> lines[] = {
        {&S::m_payerName, "Payer:", ""},
        {&S::m_box16, "Box 16 - RRSP Annuity Income Amount", ""},
        {&S::m_box18, "Box 18 - Refund of Premiums", ""},
        {&S::m_box20, "Box 20 - Refund of Excess Contributions", ""},
        {&S::m_box22, "Box 22 - RRSP Withdrawal Amount", ""},
        {&S::m_box24, "Box 24 - RRSP Spouse Contribution", ""},
        {&S::m_box25, "Box 25 - LLP Withdrawl", ""},
        {&S::m_box26, "Box 26 - Amounts Deemed Received on Deregistration", ""},
        {&S::m_box27, "Box 27 - HBP Withdrawl", ""},
        {&S::m_box28, "Box 28 - Other Income or Deductions", ""},
        {&S::m_box30, "Box 30 - Income Tax Deducted", ""},
    };
    writeHeadedLines(out, *this, lines);
    return 0;
}

int TaxSlipRC62::toHtml(CString& out, int /*n*/) const
{
    using S = TaxSlipRC62;
    static const HtmlLine<S> lines[] = {
        {&S::m_box10, "Box 10 - UCCB Payment Amount", ""},
        {&S::m_box12, "Box 12 - UCCB Repayment Amount", ""},
    };
    writeHeadedLines(out, *this, lines);
    return 0;
}

int TaxSlipMBRentalAssistSlip::toHtml(CString& out, int /*n*/) const
{
    using S = TaxSlipMBRentalAssistSlip;
    static const HtmlLine<S> lines[] = {
        {&S::m_payerName, "Payer Name", ""},
        {&S::m_shelterBenefitAmount, "Allowance Amount", ""},
    };
    writeHeadedLines(out, *this, lines);
    return 0;
}

int TaxSlipT1204::toHtml(CString& out, int /*n*/) const
{
    using S = TaxSlipT1204;
    static const HtmlLine<S> lines[] = {
        {&S::m_payerName, "Payer Name", ""},
        {&S::m_box82, "Contract Service Payment", ""},
        {&S::m_box84, "Service and Goods Payment", ""},
    };
    writeHeadedLines(out, *this, lines);
    return 0;
}

int TaxSlipT5007::toHtml(CString& out, int /*n*/) const
{
    using S = TaxSlipT5007;
    static const HtmlLine<S> lines[] = {
        {&S::m_payerName, "Payer", ""},
        {&S::m_box10, "Box 10 - Worker Compensation Benefit Amount", ""},
        {&S::m_box11, "Box 11 - Social Assistance Payments of Provincial or Territorial Supplements", ""},
    };
    writeHeadedLines(out, *this, lines);
    return 0;
}

int TaxSlipPRPP::toHtml(CString& out, int /*n*/) const
{
    using S = TaxSlipPRPP;
    static const HtmlLine<S> lines[] = {
        {&S::m_contractNumber, "Contract Number", ""},
        {&S::m_employeeCurrentYearAmount, "Employee Contributed Current year", ""},
        {&S::m_employeeCurrentYearExemptAmount, "Employee contributed amount from exempt income current year", ""},
        {&S::m_employeePriorYearAmount, "Employee Contributed Prior year", ""},
        {&S::m_employeePriorYearExemptAmount, "Employee contributed amount from exempt income prior year", ""},
        {&S::m_employerAmount, "PRPP employer contributions", ""},
    };
    writeHeadedLines(out, *this, lines);
    return 0;
}

int TaxSlipT4AOAS::toHtml(CString& out, int /*n*/) const
{
    using S = TaxSlipT4AOAS;
    static const HtmlLine<S> lines[] = {
        {&S::m_box18, "Box 18 - Net OAS Payment", ""},
        {&S::m_box19, "Box 19 - Gross OAS Payment", ""},
        {&S::m_box20, "Box 20 - Overpayment Recovered", ""},
        {&S::m_box21, "Box 21 - OAS Net Supplement", ""},
        {&S::m_box22, "Box 22 - Income Tax Deducted", ""},
        {&S::m_box23, "Box 23 - Quebec Income Tax Deducted", ""},
    };
    writeHeadedLines(out, *this, lines);
    return 0;
}

int TaxSlipRRSPReceipt::toHtml(CString& out, int /*n*/) const
{
    using S = TaxSlipRRSPReceipt;
    static const HtmlLine<S> lines[] = {
        {&S::m_receiptIssuerName, "Issuer Name", ""},
        {&S::m_rrspNumber, "RRSP Number", ""},
        {&S::m_rrspContractNumber, "RRSP Contract Number", ""},
        {&S::m_spouseContributionIndicator, "Spouse RRSP Contribution Indicator", "0"},
        {&S::m_priorYearAmount, "Prior Year RRSP Contribution Amount", ""},
        {&S::m_currentYearAmount, "Current Year RRSP Contribution Amount", ""},
    };
    writeHeadedLines(out, *this, lines);
    return 0;
}

int TaxSlipT4AP::toHtml(CString& out, int /*n*/) const
{
    using S = TaxSlipT4AP;
    static const HtmlLine<S> lines[] = {
        {&S::m_box13, "Box 13 - Effective Date", ""},
        {&S::m_box14, "Box 14 - Retirement Benefit Amount", ""},
        {&S::m_box15, "Box 15 - Survivor Benefit Amount", ""},
        {&S::m_box16, "Box 16 - Disability Benefit Amount", ""},
        {&S::m_box17, "Box 17 - Child Benefit Amount", ""},
        {&S::m_box18, "Box 18 - Death Benefit Amount", ""},
        {&S::m_box19, "Box 19 - Post-retirement Benefit Amount", ""},
        {&S::m_box20, "Box 20 - Taxable Benefit Amount", ""},
        {&S::m_box21, "Box 21 - Number of Disability Month", ""},
        {&S::m_box22, "Box 22 - Income Tax Deducted", ""},
        {&S::m_box23, "Box 23 - Number of Retirement Month", ""},
    };
    writeHeadedLines(out, *this, lines);
    return 0;
}

int TaxSlipT3::toHtml(CString& out, int /*n*/) const
{
    using S = TaxSlipT3;
    static const HtmlLine<S> lines[] = {
        {&S::m_trustName, "Trust Name", ""},
        {&S::m_box21, "Box 21 - Post Budget Capital Gain", ""},
        {&S::m_box23, "Box 23 - Actual Amount of Dividends Other Than Eligible Dividend", ""},
        {&S::m_box25, "Box 25 - Foreign Non-Business Income Amount", ""},
        {&S::m_box26, "Box 26 - Other Income", ""},
        {&S::m_box30, "Box 30 - Deductible Capital Gain", ""},
        {&S::m_box32, "Box 32 - Taxable Amount of Dividends Other Than Eligible Dividend", ""},
        {&S::m_box34, "Box 34 - Foreign Non-Business Income Tax Paid", ""},
        {&S::m_box39, "Box 39 - Federal Dividend Tax Credit From Other Than Eligible Dividend", ""},
        {&S::m_box49, "Box 49 - Actual Amount of Dividends Eligible Dividend", ""},
        {&S::m_box50, "Box 50 - Taxable Amount of Dividends Eligible Dividend", ""},
        {&S::m_box51, "Box 51 - Federal Dividend Tax Credit From Eligible Dividend", ""},
    };
    writeHeadedLines(out, *this, lines);
    return 0;
}

int TaxSlipT5008::toHtml(CString& out, int /*n*/) const
{
    using S = TaxSlipT5008;
    static const HtmlLine<S> lines[] = {
        {&S::m_issuerName, "Issuer Name", ""},
        {&S::m_box11, "Box 11 - Recipient Type", ""},
        {&S::m_box13, "Box 13 - Currency Code", ""},
        {&S::m_box15, "Box 15 - Type code of securities", ""},
        {&S::m_box16, "Box 16 - Quantity of securities", ""},
        {&S::m_box17, "Box 17 - Identification of securities", ""},
        {&S::m_box18, "Box 18 - CUSIP/ISIN number", ""},
        {&S::m_box19, "Box 19 - Security Face Value Amount", ""},
        {&S::m_box20, "Box 20 - Security Book Value Amount", ""},
        {&S::m_box21, "Box 21 - Security Settlement Amount", ""},
        {&S::m_box22, "Box 22 - Type code of securities received on settlement", ""},
        {&S::m_box23, "Box 23 - Quantify of securities received on settlement", ""},
    };
    writeHeadedLines(out, *this, lines);
    return 0;
}

int TaxSlipT4E::toHtml(CString& out, int /*n*/) const
{
    using S = TaxSlipT4E;
    static const HtmlLine<S> lines[] = {
        {&S::m_box7, "Box 7 - Repayment Rate (%)", ""},
        {&S::m_box14, "Box 14 - EI Benefit Payment Amount", ""},
        {&S::m_box15, "Box 15 - Regular EI Benefit Payment", ""},
        {&S::m_box17, "Box 17 - EI Support Payment", ""},
        {&S::m_box18, "Box 18 - Tax Exempt EI Amount", ""},
        {&S::m_box20, "Box 20 - Taxable Tuition Assistance Amount", ""},
        {&S::m_box21, "Box 21 - Non-Taxable Tuition Assistance Amount", ""},
        {&S::m_box22, "Box 22 - Income Tax Deducted", ""},
        {&S::m_box23, "Box 23 - Quebec Income Tax Deducted", ""},
        {&S::m_box26, "Box 26 - EI Overpayment Repayment", ""},
        {&S::m_box30, "Box 30 - EI Repayment Amount", ""},
        {&S::m_box33, "Box 33 - Consolidated Revenue Fund Payment Amount", ""},
        {&S::m_box37, "Box 37 - EI maternity and parental benfits payments", ""},
    };
    writeHeadedLines(out, *this, lines);
    return 0;
}

int TaxSlipT2202::toHtml(CString& out, int /*n*/) const
{
    // The school's boxes come from the box map, trimmed.
    static const struct
    {
        const char* key;
        const char* label;
    } boxes[] = {
        {"11", "Box 11 - School Type"},
        {"12", "Box 12 - Flying School or club"},
        {"13", "Box 13 - Name of Program or Course"},
        {"14", "Box 14 - Student Number"},
        {"15", "Box 15 - Filer Account Number"},
        {"24", "Box 24 - Total number of months part-time"},
        {"25", "Box 25 - Total number of months full-time"},
        {"26", "Box 26 - Total eligible tuition fee"},
    };
    out += QLatin1String("<h3>");
    toHtmlOneLineItem(out, m_issuerName, "School Name", "");
    for (const auto& box : boxes)
        toHtmlOneLineItem(out, getNumberedBoxStrValue(box.key), box.label, "");
    const int sessions = std::max(0, std::min(m_sessionCount, kMaxSessions));
    for (int k = 0; k < sessions; ++k) {
        toHtmlNewLine(out);
        out += QStringLiteral("Session: %1<br>\n").arg(k + 1);
        toHtmlOneLineItem(out, m_fromPeriod[k], "Box 19 - From (YYYY-MM)", "");
        toHtmlOneLineItem(out, m_toPeriod[k], "Box 20 - To (YYYY-MM)", "");
        toHtmlOneLineItem(out, m_partTimeMonths[k], "Box 21 - Number of months part-time", "0");
        toHtmlOneLineItem(out, m_fullTimeMonths[k], "Box 22 - Number of months full-time", "0");
        toHtmlOneLineItem(out, m_eligibleFees[k], "Box 23 - Eligible tuition fee", "");
    }
    out += QLatin1String("</h3>");
    return 0;
}
