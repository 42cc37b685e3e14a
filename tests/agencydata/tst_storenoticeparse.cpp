#include "agencydata/NOATaxDataOnePerson.h"

#include <QtTest>

#include <memory>
#include <tinyxml.h>

namespace {

// The item element of a parsed text; the document lives with the test.
TiXmlElement* itemOf(TiXmlDocument& document, const char* xml)
{
    document.Parse(xml, nullptr, TIXML_ENCODING_UTF8);
    return document.Error() ? nullptr : document.RootElement();
}

// The text as TinyXML reads it, printed back without layout: two texts that
// read as the same tree give the same result.
QByteArray asTree(const std::string& xml)
{
    TiXmlDocument document;
    document.Parse(xml.c_str(), nullptr, TIXML_ENCODING_UTF8);
    if (document.Error())
        return "<not well-formed>";
    TiXmlPrinter printer;
    printer.SetStreamPrinting();
    document.Accept(&printer);
    return QByteArray::fromStdString(printer.Str());
}

NOATaxDataOnePerson newRecord()
{
    return NOATaxDataOnePerson("/res/noa", "/tmp/noa1", 2024);
}

} // namespace

class TestStoreNoticeParse : public QObject
{
    Q_OBJECT
private slots:
    void englishSummaryIsTaken_data();
    void englishSummaryIsTaken();
    void itemWithoutIdentifierFillsNothing();
    void identifierAloneGivesEmptySummaryAndNoNotice();

    void accountNumberIsMasked_data();
    void accountNumberIsMasked();
    void everyAccountNumberIsMasked();
    void noticeWithoutAccountNumberIsUnchanged_data();
    void noticeWithoutAccountNumberIsUnchanged();
    void maskedSinKeepsTheLastFourDigits();
};

void TestStoreNoticeParse::englishSummaryIsTaken_data()
{
    QTest::addColumn<QByteArray>("children");
    QTest::addColumn<QString>("summary");
    QTest::addColumn<bool>("notice");
    QTest::newRow("French then English")
        << QByteArray("<AssessmentSummaryText xml:lang=\"fr\">Cotisation telle que produite</AssessmentSummaryText>"
                      "<AssessmentSummaryText xml:lang=\"en\">Assessed as filed</AssessmentSummaryText>")
        << "Assessed as filed" << false;
    QTest::newRow("English then French")
        << QByteArray("<AssessmentSummaryText xml:lang=\"en\">Assessed as filed</AssessmentSummaryText>"
                      "<AssessmentSummaryText xml:lang=\"fr\">Cotisation telle que produite</AssessmentSummaryText>")
        << "Assessed as filed" << false;
    QTest::newRow("EN in capitals")
        << QByteArray("<ns2:AssessmentSummaryText xml:lang=\"EN\">Reassessed</ns2:AssessmentSummaryText>")
        << "Reassessed" << false;
    QTest::newRow("other element in English does not count")
        << QByteArray("<AssessmentSummaryText xml:lang=\"en\">Assessed as filed</AssessmentSummaryText>"
                      "<AssessmentNote xml:lang=\"en\">Not a summary</AssessmentNote>")
        << "Assessed as filed" << false;
    QTest::newRow("summary without language")
        << QByteArray("<AssessmentSummaryText>Assessed as filed</AssessmentSummaryText>") << "" << false;
    QTest::newRow("empty notice element")
        << QByteArray("<AssessmentSummaryText xml:lang=\"en\">Assessed as filed</AssessmentSummaryText><T1Notice/>")
        << "Assessed as filed" << true;
}

void TestStoreNoticeParse::englishSummaryIsTaken()
{
    QFETCH(QByteArray, children);
    QFETCH(QString, summary);
    QFETCH(bool, notice);
    const QByteArray xml = "<NoticeOfAssessmentItem><IndividualTaxpayerIdentifier>abc</IndividualTaxpayerIdentifier>"
                           + children + "</NoticeOfAssessmentItem>";
    TiXmlDocument document;
    NOATaxDataOnePerson record = newRecord();
    QCOMPARE(record.parseXMLData(itemOf(document, xml.constData())), 0);
    QCOMPARE(QString::fromStdString(record.summaryText), summary);
    QCOMPARE(record.notice.present, notice);
    QCOMPARE(record.identifier, std::string("abc"));
}

void TestStoreNoticeParse::itemWithoutIdentifierFillsNothing()
{
    TiXmlDocument document;
    NOATaxDataOnePerson record = newRecord();
    QCOMPARE(record.parseXMLData(itemOf(document, "<NoticeOfAssessmentItem><AssessmentSummaryText xml:lang=\"en\">"
                                                 "Assessed</AssessmentSummaryText><T1Notice/>"
                                                 "</NoticeOfAssessmentItem>")),
             -1);
    QVERIFY(record.summaryText.empty());
    QVERIFY(!record.notice.present);
}

void TestStoreNoticeParse::identifierAloneGivesEmptySummaryAndNoNotice()
{
    TiXmlDocument document;
    NOATaxDataOnePerson record = newRecord();
    QCOMPARE(record.parseXMLData(itemOf(document, "<a:NoticeOfAssessmentItem><a:IndividualTaxpayerIdentifier>id"
                                                 "</a:IndividualTaxpayerIdentifier></a:NoticeOfAssessmentItem>")),
             0);
    QCOMPARE(record.identifier, std::string("id"));
    QVERIFY(record.summaryText.empty());
    QVERIFY(!record.notice.present);
}

void TestStoreNoticeParse::accountNumberIsMasked_data()
{
    QTest::addColumn<QByteArray>("prefix");
    QTest::newRow("three letters") << QByteArray("ns2:");
    QTest::newRow("four letters") << QByteArray("noa1:");
    QTest::newRow("none") << QByteArray();
}

void TestStoreNoticeParse::accountNumberIsMasked()
{
    QFETCH(QByteArray, prefix);
    const QByteArray p = prefix;
    const QByteArray before =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<" + p + "NoticeOfAssessmentData xmlns:ns2=\"urn:a\" "
        "xmlns:noa1=\"urn:b\">\n  <" + p + "Name>Ann &amp; Lee</" + p + "Name>\n  <" + p + "T1Notice>\n    <" + p
        + "MaskedAccountNumber>XXXXX4286</" + p + "MaskedAccountNumber>\n    <" + p + "Balance sign=\"-\">12.50</"
        + p + "Balance>\n  </" + p + "T1Notice>\n</" + p + "NoticeOfAssessmentData>\n";
    QByteArray expected = before;
    expected.replace("XXXXX4286", "xxxxx4286");

    std::string xml = before.toStdString();
    QVERIFY(NOATaxDataOnePerson::maskAccountNumbers(xml, "xxxxx4286"));

    QCOMPARE(asTree(xml), asTree(expected.toStdString()));
    QVERIFY(asTree(xml) != asTree(before.toStdString()));
    QVERIFY(QByteArray::fromStdString(xml).contains(p + "MaskedAccountNumber>xxxxx4286</" + p
                                                    + "MaskedAccountNumber>"));
}

void TestStoreNoticeParse::everyAccountNumberIsMasked()
{
    std::string xml = "<Notice><MaskedAccountNumber>1</MaskedAccountNumber><Part><x:MaskedAccountNumber>"
                      "<Inner>2</Inner></x:MaskedAccountNumber></Part><MaskedAccountNumber/></Notice>";
    QVERIFY(NOATaxDataOnePerson::maskAccountNumbers(xml, "xxxxx4286"));
    QCOMPARE(asTree(xml),
             asTree("<Notice><MaskedAccountNumber>xxxxx4286</MaskedAccountNumber><Part><x:MaskedAccountNumber>"
                    "xxxxx4286</x:MaskedAccountNumber></Part><MaskedAccountNumber>xxxxx4286</MaskedAccountNumber>"
                    "</Notice>"));
}

void TestStoreNoticeParse::noticeWithoutAccountNumberIsUnchanged_data()
{
    QTest::addColumn<QByteArray>("notice");
    QTest::newRow("no account number")
        << QByteArray("<?xml version=\"1.0\"?>\n<Notice  a='1'>\n\t<Name>Ann</Name>\n</Notice>\n");
    QTest::newRow("the name only in text") << QByteArray("<Notice><Note>MaskedAccountNumber</Note></Notice>");
    QTest::newRow("not well-formed") << QByteArray("<Notice><MaskedAccountNumber>1</Notice>");
}

void TestStoreNoticeParse::noticeWithoutAccountNumberIsUnchanged()
{
    QFETCH(QByteArray, notice);
    std::string xml = notice.toStdString();
    QVERIFY(!NOATaxDataOnePerson::maskAccountNumbers(xml, "xxxxx4286"));
    QCOMPARE(QByteArray::fromStdString(xml), notice);
}

void TestStoreNoticeParse::maskedSinKeepsTheLastFourDigits()
{
    QCOMPARE(NOATaxDataOnePerson::maskSIN("046454286"), std::string("xxxxx4286"));
    QCOMPARE(NOATaxDataOnePerson::maskSIN("100064286"), std::string("xxxxx4286"));
    QCOMPARE(NOATaxDataOnePerson::maskSIN("123"), std::string("xxxxx"));
}

QTEST_GUILESS_MAIN(TestStoreNoticeParse)
#include "tst_storenoticeparse.moc"
