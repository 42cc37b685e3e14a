// The part every agency slip shares: the common reading of a slip element,
// the box look-ups, and the heading and labelled box lines of the report.
#include <QtTest>

#include "agencydata/records/taxslip.h"
#include "companion/forms/catalogue.h"
#include "slipxml.h"

#include <type_traits>

namespace {

// A kind with labels for boxes 5, 14 and 104 and nothing of its own, so the
// shared part can be seen alone.
class LabelledSlip : public TaxSlip
{
public:
    explicit LabelledSlip(int slipType = 1) : TaxSlip(slipType)
    {
        static const BoxLabel labels[] = {{"5", "Five"}, {"14", "Fourteen"}, {"104", "Hundred and four"}};
        addBoxLabels(labels);
    }
    int toHtml(CString&, int) const override { return 0; }
    int copyToSlipData(CTaxData_Form*) override { return 0; }
};

} // namespace

static_assert(!std::is_copy_constructible<TaxSlip>::value, "a slip holds only its own texts");
static_assert(!std::is_copy_assignable<TaxSlip>::value, "a slip holds only its own texts");

class TestTaxSlip : public QObject
{
    Q_OBJECT
private slots:
    void commonReading_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("taxYear");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("issuer");
        QTest::addColumn<QStringList>("boxes"); // key=value, in map order

        QTest::newRow("second box 14 wins")
            << QByteArray("<T><A boxNumber=\"14\">100.00</A><B boxNumber=\"14\">200.00</B></T>") << "" << ""
            << "" << QStringList{"14=200.00"};
        QTest::newRow("prefixed issuer without box number")
            << QByteArray("<T xmlns:ns=\"urn:x\"><ns:IssuerName>Bank A</ns:IssuerName></T>") << "" << ""
            << "Bank A" << QStringList{};
        QTest::newRow("issuer with a box number is a box")
            << QByteArray("<T><IssuerName boxNumber=\"61\">Bank A</IssuerName></T>") << "" << "" << ""
            << QStringList{"61=Bank A"};
        QTest::newRow("last issuer wins")
            << QByteArray("<T><IssuerName>First</IssuerName><OtherIssuerName>Second</OtherIssuerName></T>")
            << "" << "" << "Second" << QStringList{};
        QTest::newRow("tax year and version")
            << QByteArray("<T><ns:SlipTaxYear xmlns:ns=\"u\">2024</ns:SlipTaxYear>"
                          "<SlipVersionDescription>Original</SlipVersionDescription></T>")
            << "2024" << "Original" << "" << QStringList{};
        QTest::newRow("boxed tax year still sets the year")
            << QByteArray("<T><TaxYear>2023</TaxYear><SlipTaxYear boxNumber=\"1\">2024</SlipTaxYear></T>")
            << "2024" << "" << "" << QStringList{"1=2024"};
        QTest::newRow("box without text leaves no entry")
            << QByteArray("<T><A boxNumber=\"14\"/><B boxNumber=\"16\"><C>1</C></B></T>") << "" << "" << ""
            << QStringList{};
        QTest::newRow("keys as received, byte order")
            << QByteArray("<T><A boxNumber=\"5\">5</A><A boxNumber=\"014\">a</A><A boxNumber=\"104\">b</A>"
                          "<A boxNumber=\"14\">c</A></T>")
            << "" << "" << "" << QStringList{"014=a", "104=b", "14=c", "5=5"};
        QTest::newRow("deeper elements are not visited")
            << QByteArray("<T><G><IssuerName>Deep</IssuerName><A boxNumber=\"14\">1</A></G></T>") << "" << ""
            << "" << QStringList{};
        QTest::newRow("no children") << QByteArray("<T/>") << "" << "" << "" << QStringList{};
    }

    void commonReading()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QString, taxYear);
        QFETCH(QString, version);
        QFETCH(QString, issuer);
        QFETCH(QStringList, boxes);
        const auto slip = readSlip<LabelledSlip>(xml);
        QVERIFY(slip);
        QCOMPARE(QString::fromStdString(slip->m_taxYear), taxYear);
        QCOMPARE(QString::fromStdString(slip->m_version), version);
        QCOMPARE(QString::fromStdString(slip->m_issuerName), issuer);
        QStringList read;
        for (const auto& box : slip->m_boxValues)
            read << QString::fromStdString(box.first) + "=" + box.second;
        QCOMPARE(read, boxes);
    }

    void nullElementReadsNothing()
    {
        LabelledSlip slip;
        QCOMPARE(slip.parseXMLDataBasic(nullptr), 0);
        QVERIFY(slip.m_boxValues.empty());
        QVERIFY(slip.m_version.empty());
    }

    void lookUps_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("number");
        QTest::newRow("plain") << "1234.56" << "1234.56" << 1234.56;
        QTest::newRow("blanks") << "  12.50\t" << "12.50" << 12.5;
        // White space the plain number reader does not know: the number
        // must be read from the trimmed text too.
        QTest::newRow("no-break spaces") << QString::fromUtf8("\u00a012.50\u00a0") << "12.50" << 12.5;
        QTest::newRow("form feed, vertical tab") << "\f7\v" << "7" << 7.0;
        QTest::newRow("not a number") << "abc" << "abc" << 0.0;
        QTest::newRow("only blanks") << "   " << "" << 0.0;
    }

    void lookUps()
    {
        QFETCH(QString, stored);
        QFETCH(QString, text);
        QFETCH(double, number);
        LabelledSlip slip;
        slip.m_boxValues["14"] = CString(stored);
        QCOMPARE(QString::fromStdString(slip.getNumberedBoxStrValue("14")), text);
        QCOMPARE(QString(slip.getNumberedBoxCStrValue("14")), text);
        QCOMPARE(slip.getNumberedBoxValue("14"), number);
    }

    void missingBoxReadsEmpty()
    {
        LabelledSlip slip;
        slip.m_boxValues["14"] = CString("5");
        for (const char* key : {"15", "014", " 14", ""}) {
            QVERIFY2(slip.getNumberedBoxStrValue(key).empty(), key);
            QVERIFY2(slip.getNumberedBoxCStrValue(key).isEmpty(), key);
            QCOMPARE(slip.getNumberedBoxValue(key), 0.0);
        }
    }

    void labelledBoxes_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("expected");
        QTest::newRow("key order 104, 14, 5")
            << QByteArray("<T><A boxNumber=\"14\">14.00</A><A boxNumber=\"5\">5.00</A>"
                          "<A boxNumber=\"104\">104.00</A></T>")
            << "Box 104 - Hundred and four: 104.00<br>\nBox 14 - Fourteen: 14.00<br>\nBox 5 - Five: 5.00<br>\n";
        QTest::newRow("only white space gives no line")
            << QByteArray("<T><A boxNumber=\"14\">  \n  </A><A boxNumber=\"5\">5.00</A></T>")
            << "Box 5 - Five: 5.00<br>\n";
        QTest::newRow("unlabelled boxes are not shown")
            << QByteArray("<T><A boxNumber=\"014\">9</A><A boxNumber=\"99\">9</A></T>") << "";
        QTest::newRow("text is escaped")
            << QByteArray("<T><A boxNumber=\"14\">&lt;img src=x&gt;</A></T>")
            << "Box 14 - Fourteen: &lt;img src=x&gt;<br>\n";
    }

    void labelledBoxes()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QString, expected);
        const auto slip = readSlip<LabelledSlip>(xml);
        QVERIFY(slip);
        CString html;
        slip->toHtmlDefault(html);
        QCOMPARE(QString(html), expected);
    }

    void oneLineByKey_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("skip");
        QTest::addColumn<QString>("expected");
        QTest::newRow("written") << " 3 " << "" << "L: 3<br>\n";
        QTest::newRow("skip text") << "0" << "0" << "";
        QTest::newRow("skip ignoring case") << "none" << "NONE" << "";
        QTest::newRow("escaped") << "A&B <Co>" << "" << "L: A&amp;B &lt;Co&gt;<br>\n";
    }

    void oneLineByKey()
    {
        QFETCH(QString, stored);
        QFETCH(QString, skip);
        QFETCH(QString, expected);
        LabelledSlip slip;
        slip.m_boxValues["14"] = CString(stored);
        CString html;
        QCOMPARE(slip.toHtmlOneLineByKey(html, "14", "L", skip.toUtf8().constData()), expected.isEmpty() ? 0 : 1);
        QCOMPARE(QString(html), expected);
        QCOMPARE(slip.toHtmlOneLineByKey(html, "15", "L", ""), 0);
        QCOMPARE(QString(html), expected);
    }

    void heading()
    {
        const auto slip = readSlip<LabelledSlip>("<T><TaxYear>2024</TaxYear></T>");
        QVERIFY(slip);
        CString html;
        slip->toHtmlBasic(html, 1);
        QCOMPARE(QString(html), QString("<b><font color='red'>1 - ") + getSlipName(1) +
                                    "</font></b><br>Tax Year: 2024<br>\n");
    }

    void headingEscapesTheYearAndVersion()
    {
        const auto slip = readSlip<LabelledSlip>(
            "<T><TaxYear>&lt;b&gt;2024</TaxYear><SlipVersionDescription>A&amp;B</SlipVersionDescription></T>");
        QVERIFY(slip);
        CString html;
        slip->toHtmlBasic(html, 12);
        QVERIFY(html.endsWith("</font></b><br>Tax Year: &lt;b&gt;2024<br>\nVersion: A&amp;B<br>\n"));
        QVERIFY(html.startsWith("<b><font color='red'>12 - "));
    }

    // A type the catalogue lacks names nothing, and the heading still forms.
    void unknownTypeHasNoName()
    {
        LabelledSlip slip(999);
        QCOMPARE(QString(slip.getName()), QString());
        QCOMPARE(QString(LabelledSlip(-1).getName()), QString());
        CString html;
        slip.toHtmlBasic(html, 2);
        QCOMPARE(QString(html), QString("<b><font color='red'>2 - </font></b><br>"));
    }

    void nameSuffixIsLeftAsItIs()
    {
        LabelledSlip slip;
        CString suffix("abc");
        slip.getSlipSpecNameSuffix(suffix);
        QCOMPARE(QString(suffix), QString("abc"));
    }
};

QTEST_GUILESS_MAIN(TestTaxSlip)
#include "tst_taxslip.moc"
