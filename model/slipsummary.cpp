// The slip summary: a short HTML check list of the current person's slips.

#include <QTextStream>
#include <set>
#include <utility>

#include "companion/core/htmltable.h"
#include "companion/rules/money.h"
#include "model/individualtaxdata.h"
#include "model/slipcalc.h"

namespace {

struct SummaryRow
{
    const char* label;
    double amount;
};

void buildTable(CString& html, std::initializer_list<SummaryRow> rows)
{
    html.clear();
    toHtmlTableStart(html);
    toHtmlOneTableRow(html, CString("Amounts"), CString("Totalled into"), CString());
    for (const SummaryRow& row : rows)
        // Whole dollars: the summary is a check list, not a statement.
        toHtmlOneTableRow(html, CString(taxrules::formatAmount(row.amount, 0)), CString(row.label), CString());
    toHtmlTableEnd(html);
}

} // namespace

int STRUCT_SLIPDATA_CALCULATION::getSlipSummary_T3(CString& html) const
{
    double totalIncome = t3Box26Other + t3Box22;
    if (taxrules::isPositiveAmount(t3Box35 - 10000.0))
        totalIncome += t3Box35 - 10000.0;
    totalIncome += t3Box31;
    buildTable(html, {{"Actual non-eligible dividend", t3Box23},
                      {"Taxable non-eligible dividend", t3Box32},
                      {"Tax credit of non-eligible dividend", t3Box39},
                      {"Total Income", totalIncome},
                      {"Actual eligible dividend", t3Box49},
                      {"Taxable eligible dividend", t3Box50},
                      {"Tax credit of eligible dividend", t3Box51}});
    return 0;
}

int STRUCT_SLIPDATA_CALCULATION::getSlipSummary_T4(CString& html) const
{
    buildTable(html, {{"Total Income", t4Box14},
                      {"CPP Payment", t4Box16},
                      {"QPP Payment", t4Box17},
                      {"EI Payment", t4Box18},
                      {"Income Tax Withheld", t4Box22}});
    return 0;
}

int STRUCT_SLIPDATA_CALCULATION::getSlipSummary_T4A(CString& html) const
{
    buildTable(html, {{"Field 10400", t4aBox107 + t4aBox104Net + t4aBox118 + t4aBox119 + t4aOther14 +
                                          t4aBox210},
                      {"Field 11500", t4aBox16 + t4aBox24Pension + t4aBox133Pension + t4aBox194Pension + t4aBox127}});
    return 0;
}

int STRUCT_SLIPDATA_CALCULATION::getSlipSummary_T5(CString& html) const
{
    buildTable(html, {{"Actual non-eligible dividend", t5Box10},
                      {"Taxable non-eligible dividend", t5Box11},
                      {"Tax credit of non-eligible dividend", t5Box12},
                      {"Interest income", t5Interest},
                      {"Actual eligible dividend", t5Box24},
                      {"Taxable eligible dividend", t5Box25},
                      {"Tax credit of eligible dividend", t5Box26}});
    return 0;
}

int IndividualTaxData::getSlipSummary(QTextStream& out)
{
    out << "*this summary is only for purpose of return preparation check, not accurate/full*<br><br>\n";
    out << "<b>There are totally " << int(m_slipList.size()) << " tax slip(s)</b><br><br>\n";

    // Looking at the summary never changes the return: no form is created.
    STRUCT_SLIPDATA_CALCULATION totals;
    std::set<ENUMTYPE_FORM> needed;
    PrepareSlipsBeforeCalculate(totals, needed, false);

    using TableFn = int (STRUCT_SLIPDATA_CALCULATION::*)(CString&) const;
    struct Group
    {
        ENUMTYPE_SLIP type;
        const char* heading;
        const char* afterCount;
        TableFn table;
    };
    static const Group groups[] = {
        {9, "<br><br>T3 tax slip: ", " <br>", &STRUCT_SLIPDATA_CALCULATION::getSlipSummary_T3},
        {1, "<br><br>T4 tax slip: ", " <br>\n", &STRUCT_SLIPDATA_CALCULATION::getSlipSummary_T4},
        {2, "<br><br>T4A tax slip: ", " <br>", &STRUCT_SLIPDATA_CALCULATION::getSlipSummary_T4A},
        {8, "<br><br>T5 tax slip: ", " <br>\n", &STRUCT_SLIPDATA_CALCULATION::getSlipSummary_T5},
    };
    for (const Group& group : groups) {
        const int count = GetCountOfSlip(group.type);
        if (count < 1)
            continue;
        CString html;
        (totals.*group.table)(html);
        out << group.heading << count << group.afterCount << html;
    }
    return 0;
}
