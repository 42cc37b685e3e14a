// The agency's terms reply read into the result record.
#include <QtTest>

#include "filing/direradterms.h"
#include "filing/soapfilingresult.h"

class TestDireradTerms : public QObject
{
    Q_OBJECT
private slots:
    void replies_data();
    void replies();
};

void TestDireradTerms::replies_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("confirmation");
    QTest::addColumn<QString>("codes");
    const QByteArray terms =
        "<soapenv:Envelope xmlns:soapenv='urn:s' xmlns:t1rsp='urn:t'><soapenv:Body>"
        "<t1rsp:TermsAndConditionsResponse><t1rsp:TermsAndConditions><t1rsp:EnglishMessage>"
        "<t1rsp:MessageText>I agree</t1rsp:MessageText><t1rsp:MessageText>Zo\xc3\xab</t1rsp:MessageText>"
        "<t1rsp:Hyperlink><t1rsp:HyperlinkText>Terms</t1rsp:HyperlinkText>"
        "<t1rsp:HyperlinkTarget>https://a/t</t1rsp:HyperlinkTarget></t1rsp:Hyperlink>"
        "</t1rsp:EnglishMessage></t1rsp:TermsAndConditions></t1rsp:TermsAndConditionsResponse>"
        "</soapenv:Body></soapenv:Envelope>";
    // The link element is a sibling of the texts: it is read as one more
    // text line too, since every following sibling counts.
    QTest::newRow("terms") << terms << 0 << true
                           << QString::fromUtf8("I agree\r\nZo\xc3\xab\r\n\r\n") << "Terms" << "https://a/t";
    QByteArray otherPrefix = terms;
    otherPrefix.replace("t1rsp:", "ns2:").replace("soapenv:", "S:");
    QTest::newRow("other prefixes") << otherPrefix << 0 << true
                                    << QString::fromUtf8("I agree\r\nZo\xc3\xab\r\n\r\n") << "Terms" << "https://a/t";
    QTest::newRow("not xml") << QByteArray("<html>busy</html") << -1 << false << "" << ""
                             << "unknown response error";
    QTest::newRow("html") << QByteArray("<html>busy</html>") << -1 << false << "" << "" << "unknown response error";
    QTest::newRow("fault") << QByteArray("<s:Envelope xmlns:s='urn:s'><s:Body><s:Fault><faultstring>x</faultstring>"
                                         "</s:Fault></s:Body></s:Envelope>")
                           << -1 << false << "" << "" << "unknown response error";
    // Refused before the parser, which would descend once per level.
    QTest::newRow("nested 100,000 deep")
        << "<soapenv:Envelope xmlns:soapenv='urn:s'><soapenv:Body>" + QByteArray("<a>").repeated(100000)
               + QByteArray("</a>").repeated(100000) + "</soapenv:Body></soapenv:Envelope>"
        << -1 << false << "Refused a malformed reply: it nests elements more than 256 levels deep." << ""
        << "response error";
}

void TestDireradTerms::replies()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, result);
    QFETCH(bool, accepted);
    QFETCH(QString, message);
    QFETCH(QString, confirmation);
    QFETCH(QString, codes);
    SoapFilingResult r(SoapFilingResult::KindTerms);
    QCOMPARE(parseDireradTermSoapResponseResult(reply.toStdString(), &r), result);
    QCOMPARE(r.m_bAccepted, accepted);
    QCOMPARE(QString(r.m_strMessage), message);
    QCOMPARE(QString(r.m_strConfirmation), confirmation);
    QCOMPARE(QString(r.m_strCodes), codes);
}

QTEST_GUILESS_MAIN(TestDireradTerms)
#include "tst_direradterms.moc"
