// The DIRERAD return and T1135 exchanges against the fake agency: what each
// reply and each transport failure leaves in the record, the result and the
// result file.
#include <QtTest>

#include "companion/core/qwebclient.h"
#include "efilefixture.h"
#include "fakes/agency/fakeagencyserver.h"
#include "filing/direradreturn.h"
#include "filing/filingexchangesettings.h"
#include "filing/filingwebclient.h"
#include "filing/soapfilingresult.h"
#include "filing/t1135exchange.h"

#include <QTemporaryDir>

Q_DECLARE_METATYPE(AgencyReply)

using namespace efilefixture;

namespace {

const QByteArray kResponseHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
    "<soapenv:Envelope xmlns:soapenv=\"http://schemas.xmlsoap.org/soap/envelope/\" "
    "xmlns:t1rsp=\"http://www.taxagency.example/xmlns/t1rsp/response/1-0-0\"><soapenv:Body>"
    "<t1rsp:DireradReturnResponse><ResultCode>300</ResultCode><t1rsp:FileReturnResponse>";
const QByteArray kResponseTail = "</t1rsp:FileReturnResponse></t1rsp:DireradReturnResponse></soapenv:Body>"
                                 "</soapenv:Envelope>";

AgencyReply refusal(const QByteArray& inner)
{
    AgencyReply reply;
    reply.body = kResponseHead + inner + kResponseTail;
    return reply;
}

QByteArray rejection(const QByteArray& text, const QByteArray& linkText = QByteArray())
{
    QByteArray link;
    if (!linkText.isEmpty())
        link = "<t1rsp:Hyperlink><t1rsp:HyperlinkText>" + linkText
             + "</t1rsp:HyperlinkText><t1rsp:HyperlinkTarget>https://www.taxagency.example/sin?a=1&amp;b=2"
               "</t1rsp:HyperlinkTarget></t1rsp:Hyperlink>";
    return "<t1rsp:Rejection><t1rsp:EnglishMessage><t1rsp:MessageText>" + text + "</t1rsp:MessageText>" + link
         + "</t1rsp:EnglishMessage></t1rsp:Rejection>";
}

// A statement as the T1135 generator ends it, with the elements the
// redactor must cut.
const char* const kStatement =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<t1135:ForeignIncomeVerificationStatement xmlns:t1135=\"http://www.taxagency.example/xmlns/t1135\">"
    "<t1135:IndividualSocialInsuranceNumber>123456782</t1135:IndividualSocialInsuranceNumber>"
    "<t1135:FundsHeldOutsideCanadaAmount>150000</t1135:FundsHeldOutsideCanadaAmount>"
    "</t1135:ForeignIncomeVerificationStatement>\r\n";

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestDireradExchange : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void returnReplies_data();
    void returnReplies();
    void returnOutcomes_data();
    void returnOutcomes();
    void testModeTraceIsRedacted();
    void deeplyNestedReplyIsRefusedAndFilingGoesOn();
    void requestNotComposed();
    void t1135_data();
    void t1135();
    void t1135TestModeTraceHoldsOnlyTheRequest();

private:
    FilingExchangeSettings settings(bool testMode, bool listening = true) const;
    int fileJean(SoapFilingResult& r, bool testMode = true, bool listening = true);

    FakeAgencyServer m_agency;
    QTemporaryDir m_dir;
};

void TestDireradExchange::initTestCase()
{
    QVERIFY2(AgencyCerts::available(), "certificates missing: run through ctest (fixture agency_certs)");
    QVERIFY(QWebClient::addTrustedCaFile(AgencyCerts::caPem()));
    QVERIFY2(m_agency.start(), qPrintable(m_agency.errorString()));
}

void TestDireradExchange::init()
{
    m_agency.script().clear();
    m_agency.recorder().clear();
    FilingWebClient::setDefaultTimeoutSec(5);
}

void TestDireradExchange::cleanup()
{
    FilingWebClient::setDefaultTimeoutSec(FilingWebClient::DefaultTimeoutSec);
}

FilingExchangeSettings TestDireradExchange::settings(bool testMode, bool listening) const
{
    FilingExchangeSettings s;
    // Port 1 on the loopback: nothing listens there.
    s.direradHost = listening ? m_agency.hostAndPort() : QStringLiteral("127.0.0.1:1");
    s.testMode = testMode;
    s.resultFilePath = m_dir.filePath(testMode ? "netfileresult.ws" : "netfileresult.txt");
    return s;
}

int TestDireradExchange::fileJean(SoapFilingResult& r, bool testMode, bool listening)
{
    Taxpayer jean;
    jean.t1().DireradAccessCode.m_value = CString("AB12CD34");
    TemplateValueMap values;
    CString email;
    double balance = 0.0;
    jean.person.getDireradDataInfo(values, 1, email, balance, 0);
    const std::string xml = static_cast<QString>(jean.document(kDirerad)).toStdString();
    return DireradSOAP_request2(values, xml, &r, settings(testMode, listening));
}

void TestDireradExchange::returnReplies_data()
{
    QTest::addColumn<AgencyReply>("reply");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("confirmation");
    QTest::addColumn<QString>("codes");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("html");

    QTest::newRow("accepted, two texts")
        << AgencyReply::fixture("accepted-two-texts.xml") << true << "XK47Q9" << "0"
        << QString::fromUtf8("Your return has been received.\r\n"
                             "We\xE2\x80\x99ll send your notice to Am\xC3\xA9lie C\xC3\xB4t\xC3\xA9, "
                             "Trois-Rivi\xC3\xA8res.\r\n")
        << false;
    QTest::newRow("accepted under another prefix")
        << AgencyReply::fixture("accepted-ns2.xml") << true << "XK47Q9" << "0"
        << "Your return has been received.\r\n" << false;
    QTest::newRow("fault on 500") << AgencyReply::fixture("fault-busy.xml", 500) << false << "" << ""
                                  << "Server busy" << false;
    QTest::newRow("neither response nor fault")
        << AgencyReply::fixture("other-shape.xml") << false << "" << "" << "Error: no T1 return response and Fault"
        << false;
    QTest::newRow("rejection with a link")
        << refusal(rejection("Your SIN doesn\xE2\x80\x99t match.", "Help &amp; &lt;more&gt;")) << false << "" << "300"
        // The link element follows the text, so it counts as a (blank) text line too.
        << "Your SIN doesn't match.<br/><br/><br/><a href='https://www.taxagency.example/sin?a=1&amp;b=2'>"
           "Help &amp; &lt;more&gt;</a><br/>"
        << true;
    QTest::newRow("rejection beside a processing error")
        << refusal(rejection("Refused.")
                   + "<t1rsp:ProcessingError><t1rsp:ErrorCodeDescription><t1rsp:ErrorCode>777</t1rsp:ErrorCode>"
                     "</t1rsp:ErrorCodeDescription></t1rsp:ProcessingError>")
        << false << "" << "300" << "Refused.<br/>" << true;
    QTest::newRow("processing error")
        << AgencyReply::fixture("processing-error.xml") << false << "" << "40012345"
        << "Your return could not be processed.<br/><br/>Error code: (12345)<br/><br/>Error Message:<br/>"
           "The birth date does not match our records."
        << true;
    QTest::newRow("markup in a message") << refusal(rejection("Call &lt;b&gt;now&lt;/b&gt;")) << false << "" << "300"
                                         << "Call &lt;b&gt;now&lt;/b&gt;<br/>" << true;
}

void TestDireradExchange::returnReplies()
{
    QFETCH(AgencyReply, reply);
    m_agency.script().setDefault(AgencyEndpoint::Direrad, AgencyKind::Any, reply);
    SoapFilingResult r(SoapFilingResult::KindT1Return);
    QCOMPARE(fileJean(r), 0);

    QTEST(r.m_bAccepted, "accepted");
    QTEST(QString(r.m_strConfirmation), "confirmation");
    QTEST(QString(r.m_strCodes), "codes");
    QTEST(QString(r.m_strMessage), "message");
    QTEST(r.m_bMessageIsHtml, "html");
    QCOMPARE(m_agency.recorder().count(), 1);
    // The message and an empty line end the trace.
    QVERIFY(readAll(settings(true).resultFilePath).endsWith(r.m_strMessage.toUtf8() + "\n\n"));
}

void TestDireradExchange::returnOutcomes_data()
{
    QTest::addColumn<int>("how"); // 0 nothing listening, 1 slow reply, 2 closed after reading, 3 not XML
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("requests");
    QTest::newRow("nothing listening") << 0 << -20 << 0;
    QTest::newRow("slow reply") << 1 << int(FilingOutcomeUnknown) << 1;
    QTest::newRow("closed after reading") << 2 << int(FilingOutcomeUnknown) << 1;
    QTest::newRow("not XML") << 3 << int(FilingReplyNotXml) << 1;
}

void TestDireradExchange::returnOutcomes()
{
    QFETCH(int, how);
    QFETCH(int, result);
    QFETCH(int, requests);
    FilingWebClient::setDefaultTimeoutSec(1);
    const AgencyReply replies[] = {AgencyReply::fixture("accepted.xml"), AgencyReply::fixture("accepted.xml", 200, 3000),
                                   AgencyReply::closeAfterRead(), AgencyReply::fixture("empty.txt")};
    m_agency.script().setDefault(AgencyEndpoint::Direrad, AgencyKind::Any, replies[how]);

    SoapFilingResult r(SoapFilingResult::KindT1Return);
    QCOMPARE(fileJean(r, true, how != 0), result);
    QVERIFY(!r.m_bAccepted);
    QVERIFY(r.m_strConfirmation.isEmpty());
    QVERIFY(isFilingOutcomeUnknown(result) == (how != 0));
    QCOMPARE(m_agency.recorder().count(), requests);
    const QByteArray trace = readAll(settings(true).resultFilePath);
    if (how == 0)
        QVERIFY(trace.contains(" Online filing failed.\n"));
    if (how == 3) {
        QCOMPARE(QString(r.m_strCodes), QStringLiteral("response error"));
        QVERIFY(trace.endsWith("response error\n\n"));
    }
}

// A reply nested 100,000 levels deep from a trusted host would overflow the
// parser's stack on the window's thread; it is refused unparsed, the user
// reads why, and the next filing reads its reply as ever.
void TestDireradExchange::deeplyNestedReplyIsRefusedAndFilingGoesOn()
{
    AgencyReply deep;
    deep.body = kResponseHead + QByteArray("<x>").repeated(100000) + QByteArray("</x>").repeated(100000)
              + kResponseTail;
    m_agency.script().setDefault(AgencyEndpoint::Direrad, AgencyKind::Any, deep);
    SoapFilingResult r(SoapFilingResult::KindT1Return);
    QCOMPARE(fileJean(r), int(FilingReplyNotXml));
    QVERIFY(!r.m_bAccepted);
    QCOMPARE(QString(r.m_strCodes), QStringLiteral("response error"));
    QCOMPARE(QString(r.m_strMessage),
             QStringLiteral("Refused a malformed reply: it nests elements more than 256 levels deep."));
    QVERIFY(readAll(settings(true).resultFilePath).contains("Refused a malformed reply"));

    m_agency.script().setDefault(AgencyEndpoint::Direrad, AgencyKind::Any, AgencyReply::fixture("accepted.xml"));
    SoapFilingResult next(SoapFilingResult::KindT1Return);
    QCOMPARE(fileJean(next), 0);
    QVERIFY(next.m_bAccepted);
    QCOMPARE(QString(next.m_strConfirmation), QStringLiteral("XK47Q9"));
}

void TestDireradExchange::testModeTraceIsRedacted()
{
    m_agency.script().setDefault(AgencyEndpoint::Direrad, AgencyKind::Any, AgencyReply::fixture("accepted.xml"));
    SoapFilingResult r(SoapFilingResult::KindT1Return);
    QCOMPARE(fileJean(r), 0);
    QVERIFY(r.m_bAccepted);

    // What was sent holds the secrets...
    const AgencyRequest sent = m_agency.recorder().last();
    QCOMPARE(sent.elementText("DireradAccessCode"), QStringLiteral("AB12CD34"));
    QVERIFY(sent.http.body.contains("123456782"));
    // ...the file in the run folder does not.
    QVERIFY(settings(true).resultFilePath.endsWith("/netfileresult.ws"));
    const QByteArray trace = readAll(settings(true).resultFilePath);
    QVERIFY(trace.contains("FileReturnRequest"));
    QVERIFY(trace.contains("DireradAccessCode"));
    QVERIFY(!trace.contains("AB12CD34"));
    QVERIFY(!trace.contains("123456782"));
    QVERIFY(trace.contains("SocialInsuranceNumber>782<"));
    QVERIFY(trace.contains("XK47Q9"));

    // Outside test mode neither the request nor the reply is traced.
    SoapFilingResult quiet(SoapFilingResult::KindT1Return);
    QCOMPARE(fileJean(quiet, false), 0);
    const QByteArray plain = readAll(settings(false).resultFilePath);
    QVERIFY(!plain.contains("FileReturnRequest"));
    QVERIFY(plain.endsWith("Your return has been received.\r\n\n\n"));
}

void TestDireradExchange::requestNotComposed()
{
    SoapFilingResult r(SoapFilingResult::KindT1Return);
    TemplateValueMap values;
    QCOMPARE(DireradSOAP_request2(values, "<t1:Other/>", &r, settings(true)), -10);
    QCOMPARE(QString(r.m_strCodes), QStringLiteral(" cannot assemble Direrad request.\n"));
    QCOMPARE(readAll(settings(true).resultFilePath), QByteArray(" cannot assemble Direrad request.\n"));
    QCOMPARE(m_agency.recorder().count(), 0);
}

void TestDireradExchange::t1135_data()
{
    QTest::addColumn<QString>("fixture"); // empty: nothing listening
    QTest::addColumn<bool>("whole");      // the statement's end tag is there
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("accepted");
    QTest::addColumn<QString>("confirmation");
    QTest::addColumn<QString>("codes");
    QTest::addColumn<QByteArray>("traceEnd");
    QTest::newRow("accepted") << "t1135-accepted.xml" << true << 0 << 1 << "T1135-778" << "0"
                              << QByteArray("Your T1135 statement has been received.\r\n\n\n");
    QTest::newRow("refused") << "t1135-refused.xml" << true << 0 << 0 << "" << "400T1135E01"
                             << QByteArray("The reporting period is not valid.\n\n");
    QTest::newRow("statement cut short") << "t1135-accepted.xml" << false << -1 << 0 << "" << ""
                                         << QByteArray("T1135 request creation failed.\n");
    QTest::newRow("nothing listening") << "" << true << -10 << 0 << "" << ""
                                       << QByteArray("T1135 web service failed.\n");
}

void TestDireradExchange::t1135()
{
    QFETCH(QString, fixture);
    QFETCH(bool, whole);
    QFETCH(int, result);
    QFETCH(QByteArray, traceEnd);
    if (!fixture.isEmpty())
        m_agency.script().setDefault(AgencyEndpoint::T1135, AgencyKind::Any, AgencyReply::fixture(fixture));
    Taxpayer jean;
    TemplateValueMap values;
    CString email;
    double balance = 0.0;
    jean.person.getDireradDataInfo(values, 1, email, balance, 0);
    std::string statement(kStatement);
    if (!whole)
        statement.resize(statement.find("</t1135:ForeignIncomeVerificationStatement>"));

    StructT1135SoapResult out;
    const FilingExchangeSettings s = settings(false, !fixture.isEmpty());
    QCOMPARE(T1135SOAP_request(values, statement, &out, s), result);
    QTEST(out.m_nAccepted, "accepted");
    QTEST(QString(out.m_strConfirmation), "confirmation");
    QTEST(QString(out.m_strCodes), "codes");
    QVERIFY2(readAll(s.resultFilePath).endsWith(traceEnd), readAll(s.resultFilePath).right(80).constData());
    QCOMPARE(m_agency.recorder().count(AgencyEndpoint::T1135), result == 0 ? 1 : 0);
}

void TestDireradExchange::t1135TestModeTraceHoldsOnlyTheRequest()
{
    m_agency.script().setDefault(AgencyEndpoint::T1135, AgencyKind::Any, AgencyReply::fixture("t1135-accepted.xml"));
    Taxpayer jean;
    TemplateValueMap values;
    CString email;
    double balance = 0.0;
    jean.person.getDireradDataInfo(values, 1, email, balance, 0);
    StructT1135SoapResult out;
    QCOMPARE(T1135SOAP_request(values, kStatement, &out, settings(true)), 0);
    QCOMPARE(out.m_nAccepted, 1);

    const QByteArray trace = readAll(settings(true).resultFilePath);
    QVERIFY(trace.startsWith("<?xml"));
    QVERIFY(trace.contains("ForeignIncomeVerificationStatement"));
    QVERIFY(trace.contains("SocialInsuranceNumber>782<"));
    QVERIFY(!trace.contains("123456782"));
    QVERIFY(!trace.contains("T1135-778"));
}

QTEST_GUILESS_MAIN(TestDireradExchange)
#include "tst_direradexchange.moc"
