// The Auto-fill report: the record as the HTML page the user reads before
// applying it. Every text the agency sent is escaped (the labelled-line
// writer escapes its values; the texts written here directly are escaped
// here), and texts with two values are filled in one pass, so a "%2" inside
// an agency text stays as it was sent.
#include "agencydata/records/tddtaxdataoneperson.h"

#include "agencydata/recordlists.h"
#include "companion/core/htmllines.h"

namespace {

// The government's web site, in front of the page on filing GST/HST returns.
constexpr const char* kGovernmentWebSite = "https://www.canada.ca";

QString escaped(const std::string& text)
{
    return QString::fromStdString(text).toHtmlEscaped();
}

QString latin1Escaped(const char* text)
{
    return QString::fromLatin1(text ? text : "").toHtmlEscaped();
}

template <class Entry>
struct Item
{
    const char* label;
    std::string Entry::*member;
    const char* skip;
};

template <class Entry, std::size_t N>
void writeItems(CString& html, const Entry& entry, const Item<Entry> (&items)[N])
{
    for (const Item<Entry>& item : items)
        toHtmlOneLineItem(html, entry.*item.member, item.label, item.skip);
}

// A line saying what a list could not keep; nothing when it kept everything.
void writeDropped(CString& html, const TDDTaxDataOnePerson& record, RecordList list)
{
    const RecordListInfo& info = recordListInfo(list);
    const ListCounts counts = info.counts(record);
    if (counts.dropped <= 0)
        return;
    html += QStringLiteral("<p><b>Not kept: %1 of %2 %3 received; this record keeps at most %4.</b></p>\n")
                .arg(QString::number(counts.dropped), QString::number(counts.kept + counts.dropped),
                     QString::fromUtf8(info.what), QString::number(counts.capacity));
}

const Item<_SummaryStruct> kSummaryItems[] = {
    {"Client may be able to claim disability tax credit", &_SummaryStruct::disabilityEligibilityCode, ""},
    {"Instalment", &_SummaryStruct::instalmentAmount, "0.0"},
    {"Canada Training Credit Limit", &_SummaryStruct::trainingCreditLimit, ""},
    {"EI Election on self-employment", &_SummaryStruct::eiElectionForSelfEmployment, ""},
};

const Item<StructRRSPHistory> kRRSPHistoryItems[] = {
    {"Tax Year", &StructRRSPHistory::taxYear, ""},
    {"Undeducted Contribution Amount", &StructRRSPHistory::undeductedContributions, ""},
    {"Current Year Contribution Amount", &StructRRSPHistory::currentYearContributions, ""},
    {"Total Contribution Amount", &StructRRSPHistory::totalAvailableContributions, ""},
    {"Repayment to HBP/LLP Amount", &StructRRSPHistory::repaymentToHBPorLLP, ""},
    {"Contribution Deducted Amount", &StructRRSPHistory::contributionsDeducted, ""},
    {"Total Unclaimed Contribution Amount", &StructRRSPHistory::totalUnclaimedContributions, ""},
};

using RequiredRepayments = BoundedList<StructRequiredRepayment, _SummaryStruct::kMaxRequiredRepayments>;

struct PlanBlock
{
    std::string _SummaryStruct::*updateDate;
    Item<_SummaryStruct> items[4];
    const char* repaymentLabel;
    RequiredRepayments _SummaryStruct::*repayments;
    RecordList list;
};

const PlanBlock kPlanBlocks[] = {
    {&_SummaryStruct::hbpUpdateDate,
     {{"HBP Update Time", &_SummaryStruct::hbpUpdateDate, ""},
      {"HBP Outstanding Balance", &_SummaryStruct::hbpOutstandingBalance, ""},
      {"HBP Repayment up-to-date", &_SummaryStruct::hbpRepaymentToDate, "0.0"},
      {"HBP Remaining Balance", &_SummaryStruct::hbpRequiredRepaymentRemaining, "0.0"}},
     "HBP Required Repayment",
     &_SummaryStruct::hbpRequiredRepayments,
     RecordList::HBPRequiredRepayments},
    {&_SummaryStruct::llpUpdateDate,
     {{"LLP Update Time", &_SummaryStruct::llpUpdateDate, ""},
      {"LLP Outstanding Balance", &_SummaryStruct::llpRepayableBalance, "0.0"},
      {"LLP Repayment up-to-date", &_SummaryStruct::llpRepaymentToDate, "0.0"},
      {"LLP Remaining Balance", &_SummaryStruct::llpRequiredRepaymentRemaining, "0.0"}},
     "LLP Required Repayment",
     &_SummaryStruct::llpRequiredRepayments,
     RecordList::LLPRequiredRepayments},
};

const Item<_SummaryStruct> kRRSPItems[] = {
    {"RRSP Update Time", &_SummaryStruct::rrspUpdateDate, ""},
    {"RRSP Deduction Limit", &_SummaryStruct::rrspDeductionLimit, ""},
    {"RRSP Unused Amount", &_SummaryStruct::rrspUnusedContributions, ""},
};

struct Notice
{
    bool _SummaryStruct::*flag;
    const char* text;
};

QString gstHstNotice()
{
    return QStringLiteral("<li>- All future refunds will be held until all outstanding returns have been filed."
                          "This may include, but is not limited to, any outstanding GST/HST returns. For "
                          "information on how to file your business GST/HST returns, visit ") +
           QLatin1String(kGovernmentWebSite) + QStringLiteral("/gst-hst-filing.");
}

const Notice kNotices[] = {
    {&_SummaryStruct::uncashedCheque, "<li>- has uncashed cheque(s)"},
    {&_SummaryStruct::gstHstReturnOutstanding, nullptr}, // gstHstNotice()
    {&_SummaryStruct::managesOnlineMail, "<li>- Manage Online Mail Elected"},
    {&_SummaryStruct::returnedMail, "<li>- Return Mail Elected"},
    {&_SummaryStruct::foreignPropertyDeclared, "<li>- Foreign Property Declared"},
};

// Client data is not shown in the report; what its lists could not keep is.
const RecordList kClientLists[] = {RecordList::RefundSetOffs, RecordList::Reassessments,
                                   RecordList::ReassessmentInProgressYears, RecordList::ClientUnfiledYears};

template <class Entry, int Capacity, std::size_t N>
void writeCarryOverSection(CString& html, const TDDTaxDataOnePerson& record, RecordList list,
                           const BoundedList<std::unique_ptr<Entry>, Capacity>& entries, const char* heading,
                           const char* opening, const char* closing, const Item<Entry> (&items)[N])
{
    if (!entries.empty()) {
        toHtmlNewLine(html);
        html += QString::fromUtf8(heading).arg(entries.count());
        html += QLatin1String(opening);
        for (const auto& entry : entries) {
            writeItems(html, *entry, items);
            toHtmlNewLine(html);
        }
        html += QLatin1String(closing);
    }
    writeDropped(html, record, list);
}

const Item<StructNonCapitalLoss> kNonCapitalLossItems[] = {
    {"Tax Year", &StructNonCapitalLoss::taxYear, ""},
    {"Current Year Non-Capital Loss Amount", &StructNonCapitalLoss::currentYearLoss, ""},
    {"Prior Year Non-Capital Loss Amount", &StructNonCapitalLoss::priorYearLoss, ""},
    {"Subsequent Year Non-Capital Loss Amount", &StructNonCapitalLoss::subsequentYearLoss, ""},
};

const Item<StructCapitalGainLoss> kCapitalGainLossItems[] = {
    {"Tax Year", &StructCapitalGainLoss::taxYear, ""},
    {" Inclusion Rate %", &StructCapitalGainLoss::inclusionRate, ""},
    {" Taxable Capital Gain Amount", &StructCapitalGainLoss::taxableCapitalGain, ""},
    {"Unapplied Net Loss Amount", &StructCapitalGainLoss::unappliedNetLoss, ""},
    {"Prior Year Net Loss Amount", &StructCapitalGainLoss::priorYearNetLoss, ""},
    {"Subsequent Year Net Loss Amount", &StructCapitalGainLoss::subsequentYearNetLoss, ""},
};

const Item<StructCapitalGainDeduction> kCapitalGainDeductionItems[] = {
    {"Tax Year", &StructCapitalGainDeduction::taxYear, ""},
    {"Capital Gain Deduction", &StructCapitalGainDeduction::deduction, ""},
    {"Net Capital Gain Loss", &StructCapitalGainDeduction::netCapitalGainLoss, ""},
    {"Net Farm Property Disposition", &StructCapitalGainDeduction::netFarmPropertyDisposition, ""},
    {"Net Small Business Share Disposition", &StructCapitalGainDeduction::netSmallBusinessShareDisposition, ""},
};

const Item<StructTuitionCarryForward> kTuitionItems[] = {
    {"Tax Year", &StructTuitionCarryForward::taxYear, ""},
    {"Carryforward Available Amount", &StructTuitionCarryForward::carryForwardAvailable, ""},
};

const Item<StructBusinessInvestmentLoss> kBusinessInvestmentLossItems[] = {
    {"Tax Year", &StructBusinessInvestmentLoss::taxYear, ""},
    {"Loss Amount", &StructBusinessInvestmentLoss::lossAmount, ""},
};

void writeSummary(CString& html, const TDDTaxDataOnePerson& record)
{
    const _SummaryStruct& summary = record.summary;
    html += QLatin1String("<h3>Summary</h3>");
    writeItems(html, summary, kSummaryItems);

    if (!summary.unfiledTaxYears.empty()) {
        toHtmlNewLine(html);
        html += QLatin1String("<font>Unfiled Return(s) for the Following Tax Year(s):</font><br>\n");
        html += QLatin1String("<font>");
        for (const std::string& year : summary.unfiledTaxYears)
            html += escaped(year) + QLatin1Char(' ');
        html += QLatin1String("</font>");
        toHtmlNewLine(html);
    }
    writeDropped(html, record, RecordList::UnfiledYears);

    if (!summary.rrspHistory.empty()) {
        toHtmlNewLine(html);
        html += QLatin1String("<h4>RRSP History, RRSP Limit, HBP/LLP:</h4>\n");
        for (const StructRRSPHistory& row : summary.rrspHistory) {
            if (row.isEmpty())
                continue;
            writeItems(html, row, kRRSPHistoryItems);
            toHtmlNewLine(html);
        }
        toHtmlNewLine(html);
    }
    writeDropped(html, record, RecordList::RRSPHistory);
}

void writePlans(CString& html, const TDDTaxDataOnePerson& record)
{
    const _SummaryStruct& summary = record.summary;
    for (const PlanBlock& plan : kPlanBlocks) {
        const bool updated = !(summary.*plan.updateDate).empty();
        if (updated)
            toHtmlNewLine(html);
        writeItems(html, summary, plan.items);
        for (const StructRequiredRepayment& pair : summary.*plan.repayments) {
            // One pass: a "%2" in the year stays text.
            const QString value = QStringLiteral("tax year: %1, required amount: %2")
                                      .arg(QString::fromStdString(pair.year), QString::fromStdString(pair.amount));
            toHtmlOneLineItem(html, value.toStdString(), plan.repaymentLabel, "");
        }
        writeDropped(html, record, plan.list);
        if (updated)
            toHtmlNewLine(html);
    }

    const bool rrspUpdated = !summary.rrspUpdateDate.empty();
    if (rrspUpdated)
        toHtmlNewLine(html);
    writeItems(html, summary, kRRSPItems);
    if (rrspUpdated) {
        toHtmlNewLine(html);
        toHtmlNewLine(html);
    }
}

void writeNotices(CString& html, const TDDTaxDataOnePerson& record)
{
    const _SummaryStruct& summary = record.summary;
    html += QLatin1String("<ul>");
    for (const Notice& notice : kNotices) {
        if (!(summary.*notice.flag))
            continue;
        html += notice.text ? QString::fromUtf8(notice.text) : gstHstNotice();
        toHtmlNewLine(html);
    }
    if (!summary.electronicCorrespondencePreference.empty()) {
        html += QLatin1String("<li>- Electronic Correspondence Preference Indicator = ") +
                escaped(summary.electronicCorrespondencePreference);
        toHtmlNewLine(html);
    }
    html += QLatin1String("</ul>");
    toHtmlNewLine(html);
    for (RecordList list : kClientLists)
        writeDropped(html, record, list);
}

void writeCarryOver(CString& html, const TDDTaxDataOnePerson& record)
{
    const StructCarryOver& carryOver = record.carryOver;
    html += QLatin1String("<h3>CarryOver Amounts</h3><br>");
    writeCarryOverSection(html, record, RecordList::NonCapitalLosses, carryOver.nonCapitalLosses,
                          "<h4>Total records: %1 - Non-Capital Loss</h4>\n", "<p>", "</p>", kNonCapitalLossItems);
    writeCarryOverSection(html, record, RecordList::CapitalGainLosses, carryOver.capitalGainLosses,
                          "<h4>Total records: %1 - Capital Gain Loss</h4>\n", "<p>", "</p>", kCapitalGainLossItems);
    writeCarryOverSection(html, record, RecordList::CapitalGainDeductions, carryOver.capitalGainDeductions,
                          "<h4>Total records: %1 - Capital Gain Deduction</h4>\n", "<p>", "</p>",
                          kCapitalGainDeductionItems);
    writeCarryOverSection(html, record, RecordList::FederalTuition, carryOver.federalTuition,
                          "<h4>Total records: %1 - Federal Tuition Education Textbook Amounts</h4>\n", "<font>",
                          "</font>", kTuitionItems);
    writeCarryOverSection(html, record, RecordList::ProvincialTuition, carryOver.provincialTuition,
                          "<h4>Total records: %1 - Provincial Tuition Education Textbook Amounts</h4>\n",
                          "<font color=\"#000000\">", "</font>", kTuitionItems);
    writeCarryOverSection(html, record, RecordList::BusinessInvestmentLosses, carryOver.businessInvestmentLosses,
                          "<h4>Total records: %1 - Business Investment Loss Amounts</h4>\n",
                          "<font color=\"#000000\">", "</font>", kBusinessInvestmentLossItems);
}

void writeSlips(CString& html, const TDDTaxDataOnePerson& record)
{
    if (!record.slips.empty()) {
        html += QStringLiteral("<h3>Tax Slips, number of slips = %1</h3><br>\n").arg(record.slipCount());
        int number = 0;
        for (const std::unique_ptr<TaxSlip>& slip : record.slips) {
            ++number;
            slip->toHtmlBasic(html, number);
            slip->toHtml(html, number);
            slip->toHtmlDefault(html);
            toHtmlNewLine(html);
        }
    }
    writeDropped(html, record, RecordList::Slips);
    if (record.unknownSlipElements > 0)
        html += QStringLiteral("<p><b>Not kept: %1 slip(s) of a kind this program does not read.</b></p>\n")
                    .arg(record.unknownSlipElements);
}

} // namespace

int TDDTaxDataOnePerson::toHtml(CString& html, const char* sin, const char* time) const
{
    html = CString(QStringLiteral("<body>\n"));
    html += QStringLiteral("<h3>SIN: %1, update time: %2</h3>").arg(latin1Escaped(sin), latin1Escaped(time));
    toHtmlNewLine(html);

    writeSummary(html, *this);
    writePlans(html, *this);
    writeNotices(html, *this);
    writeCarryOver(html, *this);

    html += QLatin1String("<br>");
    toHtmlNewLine(html);

    writeSlips(html, *this);
    if (!remark.empty())
        html += QStringLiteral("<h3>Tax Slips, remarked as %1</h3><br>\n").arg(escaped(remark));
    html += QLatin1String("</body>\n");
    return 0;
}
