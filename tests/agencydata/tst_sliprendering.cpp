// Each slip's part of the Auto-fill report: the heading, the kind's own
// block and the labelled boxes, written as the report writes them.
#include <QtTest>

#include "agencydata/records/taxslipkinds.h"
#include "companion/forms/catalogue.h"
#include "slipxml.h"

#include <functional>

using RenderBlock = std::function<QString(const QByteArray&)>;
Q_DECLARE_METATYPE(RenderBlock)

namespace {

QByteArray element(const char* slipName, const QByteArray& children)
{
    return QByteArray("<ns2:") + slipName + " xmlns:ns2=\"urn:agency\">" + children + "</ns2:" + slipName + ">";
}

QByteArray box(const char* key, const char* text, const char* name = "ns2:Amount")
{
    return QByteArray("<") + name + " boxNumber=\"" + key + "\">" + text + "</" + name + ">";
}

QByteArray named(const char* name, const char* text)
{
    return QByteArray("<ns2:") + name + ">" + text + "</ns2:" + name + ">";
}

QByteArray session(const char* from, const char* partTime, const char* fullTime)
{
    return "<ns2:TuitionSessionPeriod>" + named("FromPeriod", from) + named("ToPeriod", "2024-12") +
           named("PartTimeMonthCount", partTime) + named("FullTimeMonthCount", fullTime) +
           named("TuitionSessionEligibleFeesAmount", "1500.00") + "</ns2:TuitionSessionPeriod>";
}

QByteArray t2202(const QByteArray& sessions)
{
    return element("T2202Slip", named("SlipTaxYear", "2024") + named("IssuerName", "Lakeshore College") +
                                    box("11", "1", "ns2:SchoolTypeCode") + box("26", " 4500.00 ", "ns2:TotalFees") +
                                    "<ns2:TuitionSessionPeriods>" + sessions + "</ns2:TuitionSessionPeriods>");
}

template <class Slip>
RenderBlock blockOf()
{
    return [](const QByteArray& xml) {
        const auto slip = readSlip<Slip>(xml);
        return slip ? renderBlock(*slip) : QString("not well-formed");
    };
}

QString heading(int n, int slipType)
{
    return QString("<b><font color='red'>%1 - %2</font></b><br>").arg(QString::number(n), getSlipName(slipType));
}

} // namespace

class TestSlipRendering : public QObject
{
    Q_OBJECT
private slots:
    // The T4's block stands without "<h3>", right after the year and
    // version; its labelled boxes follow in key order.
    void t4()
    {
        const auto slip = readSlip<TaxSlipT4>(element(
            "T4Slip", named("SlipTaxYear", "2024") + named("SlipVersionDescription", "Original") +
                          named("EmployerName", "A&amp;B &lt;Co&gt;") + box("10", "ON", "ns2:ProvinceCode") +
                          box("28", "1", "ns2:CPPQPPExemptCode") +
                          box("28", "0", "ns2:EmploymentInsurancePremiumExemptCode") +
                          box("28", "2", "ns2:ProvincialParentalInsurancePlanExemptCode") +
                          box("22", "8000.00") + box("14", "&lt;img src=x&gt;") + box("014", "9.99") +
                          box("16", "3000.00")));
        QVERIFY(slip);
        QCOMPARE(renderSlip(*slip, 1), heading(1, 1) +
                                           "Tax Year: 2024<br>\n"
                                           "Version: Original<br>\n"
                                           "Employer: A&amp;B &lt;Co&gt;<br>\n"
                                           "Box 10 - Province: ON<br>\n"
                                           "Box 28 - CPP/QPP exempt: 1<br>\n"
                                           "Box 28 - PPIP exempt: 2<br>\n"
                                           "Box 14 - Employment income: &lt;img src=x&gt;<br>\n"
                                           "Box 16 - CPP Contribution: 3000.00<br>\n"
                                           "Box 22 - Income Tax Deducted: 8000.00<br>\n"
                                           "<br>\n");
    }

    // Nothing between the RC210's heading and its two labelled boxes.
    void rc210()
    {
        const auto slip = readSlip<TaxSlipRC210>(element(
            "RC210Slip", named("SlipTaxYear", "2024") + box("11", "350.00") + box("10", "1200.00")));
        QVERIFY(slip);
        QCOMPARE(renderBlock(*slip), QString());
        QCOMPARE(renderSlip(*slip, 3), heading(3, 18) +
                                           "Tax Year: 2024<br>\n"
                                           "Box 10 - Basic ACWB benefit Amount: 1200.00<br>\n"
                                           "Box 11 - ACWB disability benefit Amount: 350.00<br>\n"
                                           "<br>\n");
    }

    void headingOfSlipOne()
    {
        TaxSlipT5 slip;
        CString html;
        slip.toHtmlBasic(html, 1);
        QCOMPARE(QString(html), "<b><font color='red'>1 - " + QString(getSlipName(8)) + "</font></b><br>");
    }

    // The two kinds the return keeps no slip for are named as themselves,
    // not as the catalogue's slips of their numbers.
    void kindsWithoutReturnSlipAreNamedAsThemselves()
    {
        CString html;
        TaxSlipT5008().toHtmlBasic(html, 1);
        QCOMPARE(QString(html), QString("<b><font color='red'>1 - T5008 Statement of Securities Transactions"
                                        "</font></b><br>"));
        html.clear();
        TaxSlipRRSPReceipt().toHtmlBasic(html, 2);
        QCOMPARE(QString(html), QString("<b><font color='red'>2 - RRSP Contribution Receipt</font></b><br>"));
    }

    void t2202ThreeSessions()
    {
        const auto slip = readSlip<TaxSlipT2202>(
            t2202(session("2024-01", "0", "4") + session("2024-05", "3", "0") + session("2024-09", "0", "0")));
        QVERIFY(slip);
        const QString lines = "Box 20 - To (YYYY-MM): 2024-12<br>\n";
        const QString fees = "Box 23 - Eligible tuition fee: 1500.00<br>\n";
        QCOMPARE(renderBlock(*slip), "<h3>"
                                     "School Name: Lakeshore College<br>\n"
                                     "Box 11 - School Type: 1<br>\n"
                                     "Box 26 - Total eligible tuition fee: 4500.00<br>\n"
                                     "<br>\nSession: 1<br>\n"
                                     "Box 19 - From (YYYY-MM): 2024-01<br>\n" +
                                         lines + "Box 22 - Number of months full-time: 4<br>\n" + fees +
                                         "<br>\nSession: 2<br>\n"
                                         "Box 19 - From (YYYY-MM): 2024-05<br>\n" +
                                         lines + "Box 21 - Number of months part-time: 3<br>\n" + fees +
                                         "<br>\nSession: 3<br>\n"
                                         "Box 19 - From (YYYY-MM): 2024-09<br>\n" +
                                         lines + fees + "</h3>");
    }

    void t2202WithoutSessions()
    {
        const auto slip = readSlip<TaxSlipT2202>(t2202(""));
        QVERIFY(slip);
        QCOMPARE(renderBlock(*slip), QString("<h3>"
                                             "School Name: Lakeshore College<br>\n"
                                             "Box 11 - School Type: 1<br>\n"
                                             "Box 26 - Total eligible tuition fee: 4500.00<br>\n"
                                             "</h3>"));
    }

    // Blocks of the other kinds: "<h3>" around the lines, a line for each
    // member with a text, none for a yes/no code of "0".
    void blocks_data()
    {
        QTest::addColumn<RenderBlock>("render");
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("expected");

        QTest::newRow("T4A payer escaped")
            << blockOf<TaxSlipT4A>() << element("T4ASlip", named("PayerName", "A&amp;B &lt;Co&gt;"))
            << "<h3>Payer: A&amp;B &lt;Co&gt;<br>\n</h3>";
        QTest::newRow("T5 payer only")
            << blockOf<TaxSlipT5>() << element("T5Slip", named("PayerName", "Bank") + box("13", "12.00"))
            << "<h3>Payer:: Bank<br>\n</h3>";
        QTest::newRow("T5013 payer") << blockOf<TaxSlipT5013>()
                                     << element("T5013Slip", named("PayerName", "LP") + named("IssuerName", "X"))
                                     << "<h3>Payer: LP<br>\n</h3>";
        QTest::newRow("T4RIF payer") << blockOf<TaxSlipT4RIF>() << element("T4RIFSlip", named("PayerName", "Fund"))
                                     << "<h3>Payer: Fund<br>\n</h3>";
        QTest::newRow("T4FHSA name") << blockOf<TaxSlipT4FHSA>()
                                     << element("T4FHSASlip", named("IssuerPayerName", "Credit Union"))
                                     << "<h3>Name: Credit Union<br>\n</h3>";
        QTest::newRow("empty T4A still has its enclosure")
            << blockOf<TaxSlipT4A>() << element("T4ASlip", "") << "<h3></h3>";
        QTest::newRow("T4RSP")
            << blockOf<TaxSlipT4RSP>()
            << element("T4RSPSlip", named("PayerName", "Trust") + box("25", "500.00") + box("16", "100.00") +
                                        box("34", "9.00"))
            << "<h3>Payer:: Trust<br>\n"
               "Box 16 - RRSP Annuity Income Amount: 100.00<br>\n"
               "Box 25 - LLP Withdrawl: 500.00<br>\n</h3>";
        QTest::newRow("RC62") << blockOf<TaxSlipRC62>() << element("RC62Slip", box("12", "30.00") + box("10", "60.00"))
                              << "<h3>Box 10 - UCCB Payment Amount: 60.00<br>\n"
                                 "Box 12 - UCCB Repayment Amount: 30.00<br>\n</h3>";
        QTest::newRow("shelter") << blockOf<TaxSlipMBRentalAssistSlip>()
                                 << element("ManitobaRentAssistSlip",
                                            named("PayerName", "MB") + named("ManitobaShelterBenefitAmount", "480"))
                                 << "<h3>Payer Name: MB<br>\nAllowance Amount: 480<br>\n</h3>";
        QTest::newRow("T1204") << blockOf<TaxSlipT1204>()
                               << element("T1204Slip", named("PayerName", "PW") + box("84", "2") + box("82", "1"))
                               << "<h3>Payer Name: PW<br>\nContract Service Payment: 1<br>\n"
                                  "Service and Goods Payment: 2<br>\n</h3>";
        QTest::newRow("T5007") << blockOf<TaxSlipT5007>() << element("T5007Slip", box("11", "75.00"))
                               << "<h3>Box 11 - Social Assistance Payments of Provincial or Territorial Supplements: "
                                  "75.00<br>\n</h3>";
        QTest::newRow("T4AOAS") << blockOf<TaxSlipT4AOAS>() << element("T4AOASSlip", box("23", "5"))
                                << "<h3>Box 23 - Quebec Income Tax Deducted: 5<br>\n</h3>";
        QTest::newRow("T4AP") << blockOf<TaxSlipT4AP>() << element("T4APSlip", box("21", "3") + box("13", "2024-03"))
                              << "<h3>Box 13 - Effective Date: 2024-03<br>\n"
                                 "Box 21 - Number of Disability Month: 3<br>\n</h3>";
        QTest::newRow("T4E") << blockOf<TaxSlipT4E>() << element("T4ESlip", box("37", "10") + box("7", "30"))
                             << "<h3>Box 7 - Repayment Rate (%): 30<br>\n"
                                "Box 37 - EI maternity and parental benfits payments: 10<br>\n</h3>";
        QTest::newRow("T3") << blockOf<TaxSlipT3>() << element("T3Slip", named("TrustName", "T") + box("51", "1"))
                            << "<h3>Trust Name: T<br>\n"
                               "Box 51 - Federal Dividend Tax Credit From Eligible Dividend: 1<br>\n</h3>";
        QTest::newRow("T5008 begins with the issuer")
            << blockOf<TaxSlipT5008>()
            << element("T5008Slip", named("IssuerName", "Broker") + box("23", "10") + box("13", "USD"))
            << "<h3>Issuer Name: Broker<br>\nBox 13 - Currency Code: USD<br>\n"
               "Box 23 - Quantify of securities received on settlement: 10<br>\n</h3>";
        QTest::newRow("receipt begins with its own issuer")
            << blockOf<TaxSlipRRSPReceipt>()
            << element("RRSPContributionReceiptSlip",
                       box("1", "Bank B", "ns2:IssuerName") + named("RRSPSpouseContributionIndicator", "1") +
                           named("CurrentYearRRSPContributionAmount", "700.00"))
            << "<h3>Issuer Name: Bank B<br>\nSpouse RRSP Contribution Indicator: 1<br>\n"
               "Current Year RRSP Contribution Amount: 700.00<br>\n</h3>";
        QTest::newRow("receipt spouse code 0 gives no line")
            << blockOf<TaxSlipRRSPReceipt>()
            << element("RRSPContributionReceiptSlip", named("RRSPSpouseContributionIndicator", "0"))
            << "<h3></h3>";
        QTest::newRow("PRPP order")
            << blockOf<TaxSlipPRPP>()
            << element("PRPPSlip", named("EmployerPooledRegisteredPensionPlanContributionAmount", "5") +
                                       named("PooledRegisteredPensionPlanContractNumber", "K1"))
            << "<h3>Contract Number: K1<br>\nPRPP employer contributions: 5<br>\n</h3>";
        QTest::newRow("T4 exempt codes of 0 give no line")
            << blockOf<TaxSlipT4>()
            << element("T4Slip", box("28", "0", "ns2:CPPQPPExemptCode") +
                                     box("28", "0", "ns2:EmploymentInsurancePremiumExemptCode") +
                                     box("28", "0", "ns2:ProvincialParentalInsurancePlanExemptCode"))
            << "";
    }

    void blocks()
    {
        QFETCH(RenderBlock, render);
        QFETCH(QByteArray, xml);
        QFETCH(QString, expected);
        QCOMPARE(render(xml), expected);
    }

    // Boxes shown from the labels follow the block, in key order.
    void t5BoxesFollowTheBlock()
    {
        const auto slip = readSlip<TaxSlipT5>(element(
            "T5Slip", named("PayerName", "Bank") + box("27", "USD") + box("13", "12.00") + box("10", "1.00")));
        QVERIFY(slip);
        QCOMPARE(renderSlip(*slip, 2), heading(2, 8) +
                                           "<h3>Payer:: Bank<br>\n</h3>"
                                           "Box 10 - Actual Amount of Dividends Other Than Eligible Dividends: "
                                           "1.00<br>\n"
                                           "Box 13 - Canadian Interest Amount: 12.00<br>\n"
                                           "Box 27 - Currency: USD<br>\n"
                                           "<br>\n");
    }
};

QTEST_GUILESS_MAIN(TestSlipRendering)
#include "tst_sliprendering.moc"
