// The Auto-fill report of a record: its fixed frame, each block, the slips
// and the remark, what the lists dropped, and agency texts kept as text.
#include <QtTest>

#include "agencydata/records/tddtaxdataoneperson.h"
#include "itemxml.h"
#include "recordfixtures.h"

using namespace itemxml;
using namespace recordfixtures;

namespace {

QString report(const QByteArray& children, const char* sin = "046454286", const char* time = "2025-03-01 10:00")
{
    TDDTaxDataOnePerson record(2024);
    if (parseItem(item(identifier() + children), record) != 0)
        return QStringLiteral("item not read");
    CString html("left over");
    if (record.toHtml(html, sin, time) != 0)
        return QStringLiteral("toHtml failed");
    return html;
}

// Where each text stands in html, -1 for one that is missing: the texts
// stand in this order when every place exceeds the one before.
QList<int> places(const QString& html, const QStringList& texts)
{
    QList<int> at;
    int from = 0;
    for (const QString& text : texts) {
        const int place = html.indexOf(text, from);
        at << place;
        if (place >= 0)
            from = place + text.size();
    }
    return at;
}

// Shows the first text out of place, and the report, when one is.
bool inOrder(const QString& html, const QStringList& texts)
{
    const int missing = places(html, texts).indexOf(-1);
    if (missing < 0)
        return true;
    qWarning("not in order: \"%s\" in\n%s", qUtf8Printable(texts[missing]), qUtf8Printable(html));
    return false;
}

} // namespace

class TestAutoFillReport : public QObject
{
    Q_OBJECT
private slots:
    void emptyRecord()
    {
        const QString html = report(QByteArray());
        QVERIFY(html.startsWith("<body>\n<h3>SIN: 046454286, update time: 2025-03-01 10:00</h3><br>\n"
                                "<h3>Summary</h3>"));
        QVERIFY(html.contains("<ul></ul><br>\n<h3>CarryOver Amounts</h3><br><br><br>\n</body>\n"));
        QVERIFY(html.endsWith("</body>\n"));
        QVERIFY(!html.contains("left over"));
        for (const char* absent : {"<h4>RRSP History, RRSP Limit, HBP/LLP:</h4>\n", "Unfiled Return", "Total records",
                                   "<h3>Tax Slips", "Not kept"})
            QVERIFY2(!html.contains(absent), absent);
    }

    void nullSinAndTimeAreEmpty()
    {
        TDDTaxDataOnePerson record(2024);
        CString html;
        QCOMPARE(record.toHtml(html, nullptr, nullptr), 0);
        QVERIFY(html.startsWith("<body>\n<h3>SIN: , update time: </h3>"));
    }

    void summaryBlocks()
    {
        const QString html = report(fullSummary());
        QVERIFY(inOrder(html, {"<h3>Summary</h3>", "Client may be able to claim disability tax credit: DTC1<br>\n",
                               "Instalment: 1200.00<br>\n", "Canada Training Credit Limit: 500.00<br>\n",
                               "EI Election on self-employment: N<br>\n",
                               "<br>\n<font>Unfiled Return(s) for the Following Tax Year(s):</font><br>\n"
                               "<font>2021 2022 </font><br>\n",
                               "<br>\n<h4>RRSP History, RRSP Limit, HBP/LLP:</h4>\n", "Tax Year: 2023<br>\n",
                               "Total Unclaimed Contribution Amount: 6<br>\n<br>\n<br>\n",
                               "<br>\nHBP Update Time: 2024-02-01<br>\n", "HBP Outstanding Balance: 9000.00<br>\n",
                               "HBP Repayment up-to-date: 3000.00<br>\n", "HBP Remaining Balance: 600.00<br>\n",
                               "HBP Required Repayment: tax year: 2024, required amount: 600.00<br>\n<br>\n",
                               "LLP Update Time: 2024-02-02<br>\n", "LLP Outstanding Balance: 4000.00<br>\n",
                               "LLP Required Repayment: tax year: 2024, required amount: 400.00<br>\n<br>\n",
                               "<br>\nRRSP Update Time: 2024-03-01<br>\n", "RRSP Deduction Limit: 18000.00<br>\n",
                               "RRSP Unused Amount: 250.00<br>\n<br>\n<br>\n<ul>",
                               "<li>- has uncashed cheque(s)<br>\n", "<li>- Manage Online Mail Elected<br>\n",
                               "<li>- Foreign Property Declared<br>\n",
                               "<li>- Electronic Correspondence Preference Indicator = E<br>\n</ul><br>\n"
                               "<h3>CarryOver Amounts</h3><br>"}));
        // "2" is the agency's no, "N" plain no.
        QVERIFY(!html.contains("All future refunds"));
        QVERIFY(!html.contains("Return Mail Elected"));
    }

    void gstHstNoticeNamesTheFilingPage()
    {
        const QString html = report(el("Summary", el("GSTHSTReturnIndicator", "1")));
        QVERIFY(html.contains("<li>- All future refunds will be held until all outstanding returns have been "
                              "filed.This may include, but is not limited to, any outstanding GST/HST returns. For "
                              "information on how to file your business GST/HST returns, visit "
                              "https://www.canada.ca/gst-hst-filing.<br>\n"));
    }

    void hbpPairsInOrder()
    {
        const QString html =
            report(el("Summary", el("HomeBuyerPlan", el("HomeBuyerPlanRequiredRepaymentAmount",
                                                        requiredRepayment("2023", "100") +
                                                            requiredRepayment("2024", "250")))));
        QVERIFY(inOrder(html, {"tax year: 2023, required amount: 100", "tax year: 2024, required amount: 250"}));
        QCOMPARE(html.count("HBP Required Repayment: "), 2);
    }

    // Rows without amounts are left out; the heading stays.
    void emptyRRSPRowsHidden()
    {
        const QString html = report(el("Summary", el("RRSPContributionHistory", rrspRow("2022", "9") +
                                                                                     el("RRSPContribution",
                                                                                        el("TaxYear", "2023")))));
        QVERIFY(html.contains("<h4>RRSP History, RRSP Limit, HBP/LLP:</h4>\n"));
        QVERIFY(html.contains("Tax Year: 2022"));
        QVERIFY(!html.contains("Tax Year: 2023"));
    }

    void remarkWithoutSlips()
    {
        const QString html = report(el("Slips", QByteArray(), "remark=\"No slips for 2024\""));
        QVERIFY(html.contains("<h3>Tax Slips, remarked as No slips for 2024</h3><br>\n</body>\n"));
        QVERIFY(!html.contains("number of slips"));
    }

    void slipsNumberedInOrder()
    {
        const QByteArray t4 = el("T4Slip", el("SlipTaxYear", "2024") + el("EmployerName", "Maple Works") +
                                               el("Amount", "52000.00", "boxNumber=\"14\""));
        const QByteArray t5 = el("T5Slip", el("SlipTaxYear", "2024") + el("Amount", "310.25", "boxNumber=\"13\""));
        const QString html = report(el("Slips", t4 + t5, "remark=\"two\""));
        QVERIFY(inOrder(html, {"<br>\n<h3>Tax Slips, number of slips = 2</h3><br>\n",
                               "<b><font color='red'>1 - ", "Maple Works", "Box 14 - Employment income: 52000.00",
                               "<b><font color='red'>2 - ", "Box 13 - Canadian Interest Amount: 310.25",
                               "<h3>Tax Slips, remarked as two</h3><br>\n</body>\n"}));
    }

    // The sections keep their order whatever the order of the reply.
    void carryOverSectionsInFixedOrder()
    {
        const QByteArray reversed = el(
            "CarryOver",
            el("BusinessInvestmentLossAmounts", el("BusinessInvestmentLossAmount", "4000", "year=\"2016\"")) +
                el("ProvincialTuitionEducationTextBookAmounts",
                   el("T", el("TaxYear", "2022") + el("CarryForwardAvailableAmount", "700"))) +
                el("FederalTuitionEducationTextBookAmounts",
                   el("T", el("TaxYear", "2023") + el("CarryForwardAvailableAmount", "1500"))) +
                el("CapitalGainDeductions", el("D", el("TaxYear", "2017") + el("CapitalGainDeductionAmount", "800"))) +
                el("CapitalGainLosses", el("G", el("TaxYear", "2018") + el("InclusionRate", "50")) +
                                            el("G", el("TaxYear", "2019"))) +
                el("NonCapitalLosses", el("L", el("TaxYear", "2019") + el("CurrentYearNonCapitalLossAmount", "1000"))));
        const QString html = report(reversed);
        QVERIFY(inOrder(
            html, {"<h3>CarryOver Amounts</h3><br>",
                   "<br>\n<h4>Total records: 1 - Non-Capital Loss</h4>\n<p>Tax Year: 2019<br>\n"
                   "Current Year Non-Capital Loss Amount: 1000<br>\n<br>\n</p>",
                   "<br>\n<h4>Total records: 2 - Capital Gain Loss</h4>\n<p>Tax Year: 2018<br>\n"
                   " Inclusion Rate %: 50<br>\n<br>\nTax Year: 2019<br>\n<br>\n</p>",
                   "<h4>Total records: 1 - Capital Gain Deduction</h4>\n<p>Tax Year: 2017<br>\n"
                   "Capital Gain Deduction: 800<br>\n",
                   "<h4>Total records: 1 - Federal Tuition Education Textbook Amounts</h4>\n<font>Tax Year: 2023",
                   "Carryforward Available Amount: 1500<br>\n<br>\n</font>",
                   "<h4>Total records: 1 - Provincial Tuition Education Textbook Amounts</h4>\n"
                   "<font color=\"#000000\">Tax Year: 2022",
                   "<h4>Total records: 1 - Business Investment Loss Amounts</h4>\n<font color=\"#000000\">"
                   "Tax Year: 2016<br>\nLoss Amount: 4000<br>\n<br>\n</font>",
                   "<br><br>\n</body>\n"}));
    }

    // What a list could not keep is said after its section.
    void droppedEntriesAreReported_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("before");
        QByteArray years;
        for (int i = 0; i < 101; ++i)
            years += el("TaxYear", QByteArray::number(1900 + i));
        QTest::newRow("unfiled years") << el("Summary", el("UnfiledReturn", years)) << "1999 </font><br>\n"
                                       << "<p><b>Not kept: 1 of 101 unfiled tax years received; this record keeps "
                                          "at most 100.</b></p>\n"
                                       << "<ul>";
        QByteArray losses;
        for (int i = 0; i < 22; ++i)
            losses += el("BusinessInvestmentLossAmount", "1", "year=\"2016\"");
        QTest::newRow("business investment losses")
            << el("CarryOver", el("BusinessInvestmentLossAmounts", losses))
            << "<h4>Total records: 20 - Business Investment Loss Amounts</h4>"
            << "</font><p><b>Not kept: 2 of 22 business investment losses received; this record keeps at most "
               "20.</b></p>\n"
            << "</body>";
        QByteArray setOffs;
        for (int i = 0; i < 41; ++i)
            setOffs += el("RefundSetoff", el("RefundSetoffProgramCode", "X"));
        QTest::newRow("client data, not shown itself") << el("Client", el("RefundSetOffs", setOffs)) << "</ul><br>\n"
                                                       << "<p><b>Not kept: 1 of 41 refund set-offs received; this "
                                                          "record keeps at most 40.</b></p>\n"
                                                       << "<h3>CarryOver Amounts</h3>";
        QTest::newRow("slips of no known kind") << el("Slips", el("FutureSlip") + el("OtherSlip"))
                                                << "<br><br>\n"
                                                << "<p><b>Not kept: 2 slip(s) of a kind this program does not "
                                                   "read.</b></p>\n"
                                                << "</body>";
    }

    void droppedEntriesAreReported()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QString, after);
        QFETCH(QString, line);
        QFETCH(QString, before);
        const QString html = report(xml);
        QVERIFY2(inOrder(html, {after, line, before}), qPrintable(html));
        QCOMPARE(html.count("Not kept"), 1);
    }

    void twoThousandFortyNineSlips()
    {
        QByteArray slips;
        for (int i = 0; i < 2049; ++i)
            slips += el("T5Slip", el("SlipTaxYear", "2024"));
        const QString html = report(el("Slips", slips));
        QVERIFY(html.contains("<h3>Tax Slips, number of slips = 2048</h3>"));
        QVERIFY(html.contains("<b><font color='red'>2048 - "));
        QVERIFY(!html.contains("<b><font color='red'>2049 - "));
        QVERIFY(html.contains("Not kept: 1 of 2049 tax slips received; this record keeps at most 2048."));
    }

    // Agency texts are escaped, and a "%2" in one is never filled in.
    void agencyTextsStayText_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("expected");
        QTest::newRow("remark") << el("Slips", QByteArray(), "remark=\"%2 &lt;b&gt;\"")
                                << "<h3>Tax Slips, remarked as %2 &lt;b&gt;</h3>";
        QTest::newRow("HBP year with a placeholder")
            << el("Summary", el("HomeBuyerPlan", el("HomeBuyerPlanRequiredRepaymentAmount",
                                                    requiredRepayment("%2&lt;i&gt;", "100"))))
            << "tax year: %2&lt;i&gt;, required amount: 100";
        QTest::newRow("unfiled year") << el("Summary", el("UnfiledReturn", el("TaxYear", "&lt;script&gt;")))
                                      << "<font>&lt;script&gt; </font>";
        QTest::newRow("correspondence") << el("Summary", el("ElectronicCorrespondenceIndicator", "a&amp;b"))
                                        << "Preference Indicator = a&amp;b<br>";
        QTest::newRow("carry-over text") << el("CarryOver", el("NonCapitalLosses",
                                                               el("L", el("TaxYear", "&quot;20&quot;"))))
                                         << "Tax Year: &quot;20&quot;<br>";
    }

    void agencyTextsStayText()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QString, expected);
        const QString html = report(xml);
        QVERIFY2(html.contains(expected), qPrintable(html));
        QVERIFY(!html.contains("<script>"));
        QVERIFY(!html.contains("<i>"));
    }

    void sinAndTimeEscaped()
    {
        const QString html = report(QByteArray(), "<b>046</b>", "%2 & \xe9t\xe9");
        QVERIFY(html.contains("<h3>SIN: &lt;b&gt;046&lt;/b&gt;, update time: %2 &amp; \u00e9t\u00e9</h3>"));
    }
};

QTEST_GUILESS_MAIN(TestAutoFillReport)
#include "tst_autofillreport.moc"
