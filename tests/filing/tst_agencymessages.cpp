// The filing result record and the agency's message elements as the HTML
// the result dialog shows.
#include <QtTest>

#include "companion/core/xmlreader.h"
#include "filing/agencymessages.h"
#include "filing/soapfilingresult.h"

namespace {

// The first child element of the parsed document's root.
struct Parsed
{
    explicit Parsed(const QByteArray& xml) { doc.Parse(xml.constData(), nullptr, TIXML_ENCODING_UTF8); }
    TiXmlElement* root() { return doc.RootElement(); }
    TiXmlElement* first() { return root() ? root()->FirstChildElement() : nullptr; }
    TiXmlDocument doc;
};

QByteArray refusal(const QByteArray& inner)
{
    return "<t1rsp:FileReturnResponse xmlns:t1rsp='urn:r'>" + inner + "</t1rsp:FileReturnResponse>";
}

} // namespace

class TestAgencyMessages : public QObject
{
    Q_OBJECT
private slots:
    void freshRecord();
    void resultCodes_data();
    void resultCodes();
    void messageTexts();
    void links_data();
    void links();
    void refusals_data();
    void refusals();
};

void TestAgencyMessages::freshRecord()
{
    SoapFilingResult r(SoapFilingResult::KindTerms);
    QCOMPARE(r.m_nKind, 0);
    QVERIFY(!r.m_bAccepted);
    QCOMPARE(r.m_strResultCode, CString("-100"));
    QVERIFY(!r.m_strTime.isEmpty());
    QVERIFY(r.m_strConfirmation.isEmpty() && r.m_strCodes.isEmpty() && r.m_strCvIndicator.isEmpty()
            && r.m_strMessage.isEmpty());
}

void TestAgencyMessages::resultCodes_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("error184");
    QTest::addColumn<bool>("refusal");
    QTest::newRow("1840") << 1 << "1840" << true << false;
    QTest::newRow("184") << 1 << "184" << true << false;
    QTest::newRow("183") << 1 << "183" << false << true;
    QTest::newRow("18") << 1 << "18" << false << false;
    QTest::newRow("empty") << 1 << "" << false << false;
    QTest::newRow("5801 return") << 1 << "5801" << false << true;
    QTest::newRow("480 return") << 1 << "480" << false << false;
    QTest::newRow("480 T1135") << 101 << "480" << false << true;
    QTest::newRow("183 T1135") << 101 << "183" << false << false;
}

void TestAgencyMessages::resultCodes()
{
    QFETCH(int, kind);
    QFETCH(QString, code);
    SoapFilingResult r(kind);
    r.m_strResultCode = code;
    QFETCH(bool, error184);
    QFETCH(bool, refusal);
    QCOMPARE(r.isError184(), error184);
    QCOMPARE(r.chkResultCode(), refusal);
}

void TestAgencyMessages::messageTexts()
{
    CString out("earlier");
    QCOMPARE(parseEngMsgInMsg(out, nullptr), 0);
    QCOMPARE(out, CString("earlier"));

    Parsed p("<m><t>Your SIN doesn\u2019t match.</t><t/><t>a &lt;b&gt;bold&lt;/b&gt; &amp; more</t></m>");
    QCOMPARE(parseEngMsgInMsg(out, p.first()), 0);
    QCOMPARE(out, CString("Your SIN doesn't match.<br/><br/>a &lt;b&gt;bold&lt;/b&gt; &amp; more<br/>"));
}

void TestAgencyMessages::links_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QString>("html");
    QTest::newRow("one") << QByteArray("<l><t1rsp:Hyperlink><t1rsp:HyperlinkText>Help</t1rsp:HyperlinkText>"
                                       "<t1rsp:HyperlinkTarget>https://a/b</t1rsp:HyperlinkTarget></t1rsp:Hyperlink></l>")
                         << "<br/><a href='https://a/b'>Help</a><br/>";
    QTest::newRow("two, other prefix")
        << QByteArray("<l><ns2:Hyperlink><ns2:HyperlinkText>A</ns2:HyperlinkText><ns2:HyperlinkTarget>http://x/"
                      "</ns2:HyperlinkTarget></ns2:Hyperlink><ns2:Hyperlink><ns2:HyperlinkText>B</ns2:HyperlinkText>"
                      "<ns2:HyperlinkTarget>https://y/</ns2:HyperlinkTarget></ns2:Hyperlink></l>")
        << "<br/><a href='http://x/'>A</a><br/><br/><a href='https://y/'>B</a><br/>";
    QTest::newRow("script target") << QByteArray("<l><H><HyperlinkText>Run</HyperlinkText>"
                                                 "<HyperlinkTarget>javascript:alert(1)</HyperlinkTarget></H></l>")
                                   << "<br/>Run<br/>";
    QTest::newRow("quotes and markup")
        << QByteArray("<l><H><HyperlinkText>&lt;i&gt;Zo\xc3\xab</HyperlinkText>"
                      "<HyperlinkTarget>https://a/'onclick='x</HyperlinkTarget></H></l>")
        << QString::fromUtf8("<br/><a href='https://a/&#39;onclick=&#39;x'>&lt;i&gt;Zo\xc3\xab</a><br/>");
}

void TestAgencyMessages::links()
{
    QFETCH(QByteArray, xml);
    QFETCH(QString, html);
    CString out;
    QCOMPARE(parseLinkedTextInMsg(out, nullptr), 0);
    QVERIFY(out.isEmpty());
    Parsed p(xml);
    QCOMPARE(parseLinkedTextInMsg(out, p.first()), 0);
    QCOMPARE(QString(out), html);
}

void TestAgencyMessages::refusals_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("codes");
    QTest::newRow("rejection beside processing error")
        << refusal("<t1rsp:ProcessingError><t1rsp:ErrorCodeDescription><t1rsp:ErrorCode>9</t1rsp:ErrorCode>"
                   "</t1rsp:ErrorCodeDescription></t1rsp:ProcessingError><t1rsp:Rejection><t1rsp:EnglishMessage>"
                   "<t1rsp:MessageText>No.</t1rsp:MessageText></t1rsp:EnglishMessage></t1rsp:Rejection>")
        << "No.<br/>" << "0";
    QTest::newRow("system error")
        << refusal("<t1rsp:SystemError><t1rsp:EnglishMessage><t1rsp:MessageText>Down</t1rsp:MessageText>"
                   "</t1rsp:EnglishMessage></t1rsp:SystemError>")
        << "Down<br/>" << "0";
    QTest::newRow("processing error code only")
        << refusal("<t1rsp:ProcessingError><t1rsp:ErrorCodeDescription><t1rsp:ErrorCode>12345</t1rsp:ErrorCode>"
                   "</t1rsp:ErrorCodeDescription></t1rsp:ProcessingError>")
        << "kept<br/>Error code: (12345)<br/>" << "012345";
    QTest::newRow("processing error texts")
        << refusal("<t1rsp:ProcessingError><t1rsp:ErrorCodeDescription><t1rsp:ErrorCode>7</t1rsp:ErrorCode>"
                   "<t1rsp:EnglishMessage><t1rsp:MessageText>a</t1rsp:MessageText><t1rsp:MessageText>b&lt;"
                   "</t1rsp:MessageText></t1rsp:EnglishMessage></t1rsp:ErrorCodeDescription></t1rsp:ProcessingError>")
        << "kept<br/>Error code: (7)<br/><br/>Error Message:<br/>a<br/>b&lt;" << "07";
    QTest::newRow("none") << refusal("<t1rsp:Other/>") << "kept" << "0";
}

void TestAgencyMessages::refusals()
{
    QFETCH(QByteArray, xml);
    QFETCH(QString, message);
    QFETCH(QString, codes);
    SoapFilingResult r(SoapFilingResult::KindT1Return);
    r.m_strCodes = CString("0");
    r.m_strMessage = CString("kept");
    Parsed p(xml);
    readRefusal(r, p.root());
    QCOMPARE(QString(r.m_strMessage), message);
    QCOMPARE(QString(r.m_strCodes), codes);
}

QTEST_GUILESS_MAIN(TestAgencyMessages)
#include "tst_agencymessages.moc"
