// The EFILE exchange against the fake agency: what each reply and each
// transport failure leaves in the record, the result and the result file,
// and that no password reaches the file.
#include <QtTest>

#include "companion/core/qwebclient.h"
#include "efilefixture.h"
#include "fakes/agency/fakeagencyserver.h"
#include "companion/forms/federal/mirroring.h"
#include "filing/efileexchange.h"
#include "filing/filingexchangesettings.h"
#include "filing/filingwebclient.h"
#include "filing/soapfilingresult.h"
#include "model/validationsettings.h"

#include <QTemporaryDir>

Q_DECLARE_METATYPE(AgencyReply)

using namespace efilefixture;

namespace {

const char* const kPassword = "Pw7-secret";

CString preparerPassword()
{
    return CString(kPassword);
}

AgencyReply body(const QByteArray& inner)
{
    AgencyReply reply;
    reply.body = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                 "<soapenv:Envelope xmlns:soapenv=\"http://schemas.xmlsoap.org/soap/envelope/\" "
                 "xmlns:t1rsp=\"http://www.taxagency.example/xmlns/t1rsp/response/1-0-0\" "
                 "xmlns:t1ersp=\"http://www.taxagency.example/xmlns/t1ersp/efileresponse/1-0-0\"><soapenv:Body>"
               + inner + "</soapenv:Body></soapenv:Envelope>";
    return reply;
}

AgencyReply efileResponse(const QByteArray& resultCode, const QByteArray& fileReturn)
{
    return body("<t1ersp:EfileReturnResponse><ResultCode>" + resultCode + "</ResultCode><t1rsp:FileReturnResponse>"
                + fileReturn + "</t1rsp:FileReturnResponse></t1ersp:EfileReturnResponse>");
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestEfileExchange : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void replies_data();
    void replies();
    void transport_data();
    void transport();
    void testModeTraceBlanksBothPasswords();
    void traceOutsideTestMode();
    void withoutT183NothingIsSent();

private:
    FilingExchangeSettings settings(bool testMode, bool listening = true) const;
    int fileJean(SoapFilingResult& r, bool testMode = true, bool listening = true, bool withT183 = true);

    FakeAgencyServer m_agency;
    QTemporaryDir m_dir;
};

void TestEfileExchange::initTestCase()
{
    QVERIFY2(AgencyCerts::available(), "certificates missing: run through ctest (fixture agency_certs)");
    QVERIFY(QWebClient::addTrustedCaFile(AgencyCerts::caPem()));
    QVERIFY2(m_agency.start(), qPrintable(m_agency.errorString()));
    PreparerInfo info = preparerInfo();
    info.BusinessEFileNum = CString("K1234");
    setPreparerInfo(info);
    validation::setEfilerPasswordSource(preparerPassword);
}

void TestEfileExchange::init()
{
    m_agency.script().clear();
    m_agency.recorder().clear();
    FilingWebClient::setDefaultTimeoutSec(5);
}

void TestEfileExchange::cleanup()
{
    FilingWebClient::setDefaultTimeoutSec(FilingWebClient::DefaultTimeoutSec);
}

FilingExchangeSettings TestEfileExchange::settings(bool testMode, bool listening) const
{
    FilingExchangeSettings s;
    // Port 1 on the loopback: nothing listens there. The DIRERAD host is
    // another one, so a request sent there would not be answered.
    s.efileHost = listening ? m_agency.hostAndPort() : QStringLiteral("127.0.0.1:1");
    s.direradHost = QStringLiteral("127.0.0.1:1");
    s.testMode = testMode;
    s.resultFilePath = m_dir.filePath(testMode ? "netfileresult.ws" : "netfileresult.txt");
    return s;
}

int TestEfileExchange::fileJean(SoapFilingResult& r, bool testMode, bool listening, bool withT183)
{
    Taxpayer jean;
    if (withT183 && !jean.add<TaxData_T183New>(FORM_T183))
        return -1000; // no T183 could be made: no result of the exchange
    TemplateValueMap values;
    jean.person.getEfileDataInfo(values, FORM_T1);
    const std::string xml = static_cast<QString>(jean.document(kEfile)).toStdString();
    return EOLSOAP_request(values, xml, &r, settings(testMode, listening));
}

void TestEfileExchange::replies_data()
{
    QTest::addColumn<AgencyReply>("reply");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("resultCode");
    QTest::addColumn<QString>("confirmation");
    QTest::addColumn<QString>("cv");
    QTest::addColumn<QString>("codes");
    QTest::addColumn<QString>("message");

    QTest::newRow("accepted") << AgencyReply::fixture("efile-accepted-2139.xml") << 0 << true << "0"
                              << "EF2024-0001" << "2139" << ""
                              << "The return has been accepted.<br/><a href='https://www.taxagency.example/efile/"
                                 "after.html'>After you file</a><br/>";
    QTest::newRow("accepted, markup escaped")
        << efileResponse("0", "<t1rsp:Confirmation><t1rsp:EnglishMessage><t1rsp:MessageText>Filed &lt;b&gt;ok"
                              "&lt;/b&gt;</t1rsp:MessageText><t1rsp:MessageText>second</t1rsp:MessageText>"
                              "</t1rsp:EnglishMessage></t1rsp:Confirmation>")
        << 0 << true << "0" << "" << "" << "" << "Filed &lt;b&gt;ok&lt;/b&gt;";
    // A 184 refusal is told from its processing error: the clue code.
    QTest::newRow("refused, 184") << AgencyReply::fixture("efile-refused-184.xml") << 0 << false << "18402" << ""
                                  << "" << "1840215"
                                  << "<br/>Error code: (1840215)<br/><br/>Error Message:<br/>"
                                     "Clue: the spouse's net income is missing.";
    QTest::newRow("refused, other code")
        << efileResponse("300", "<t1rsp:Rejection><t1rsp:EnglishMessage><t1rsp:MessageText>Refused."
                                "</t1rsp:MessageText></t1rsp:EnglishMessage></t1rsp:Rejection>")
        << 0 << false << "300" << "" << "" << "" << "Refused.<br/>";
    QTest::newRow("older service not operational")
        << AgencyReply::fixture("efile-eol-132.xml") << 0 << false << "132" << "" << "" << ""
        << "132 means EFile system is not operational at this time.";
    QTest::newRow("form filing response")
        << body("<FrrmsEfileReturnResponse><ResultCode>500</ResultCode><t1rsp:FileReturnResponse><t1rsp:Rejection>"
                "<t1rsp:EnglishMessage><t1rsp:MessageText>Wrong service.</t1rsp:MessageText></t1rsp:EnglishMessage>"
                "</t1rsp:Rejection></t1rsp:FileReturnResponse></FrrmsEfileReturnResponse>")
        << 0 << false << "500" << "" << "" << "" << "Wrong service.";
    QTest::newRow("fault with a text") << AgencyReply::fixture("fault-busy.xml", 500) << 190 << false << "-100" << ""
                                       << "" << "" << "Server busy";
    QTest::newRow("fault without a text") << AgencyReply::fixture("fault-bare.xml", 500) << 190 << false << "-100"
                                          << "" << "" << "" << "XML fault error, no details.";
    QTest::newRow("another shape") << AgencyReply::fixture("other-shape.xml") << 111 << false << "-1" << "" << ""
                                   << "" << "Efile error, no response, nor fault error";
    QTest::newRow("not XML") << AgencyReply::fixture("empty.txt") << 113 << false << "-1" << "" << ""
                             << "response error" << "";
}

void TestEfileExchange::replies()
{
    QFETCH(AgencyReply, reply);
    QFETCH(int, result);
    m_agency.script().setDefault(AgencyEndpoint::Efile, AgencyKind::Any, reply);
    SoapFilingResult r(SoapFilingResult::KindT1Return);
    QCOMPARE(fileJean(r, false), result);

    QTEST(r.m_bAccepted, "accepted");
    QTEST(QString(r.m_strResultCode), "resultCode");
    QTEST(QString(r.m_strConfirmation), "confirmation");
    QTEST(QString(r.m_strCvIndicator), "cv");
    QTEST(QString(r.m_strCodes), "codes");
    QTEST(QString(r.m_strMessage), "message");
    QCOMPARE(m_agency.recorder().count(AgencyEndpoint::Efile), 1);
    QCOMPARE(m_agency.recorder().last().http.path(), QByteArray("/ebci/pfeo/ws/services/FileReturnService"));
    // A reply that is read ends the trace with its message; one that is not
    // XML leaves the time line alone.
    const QByteArray trace = readAll(settings(false).resultFilePath);
    if (result == 113)
        QCOMPARE(trace.count('\n'), 1);
    else
        QVERIFY2(trace.endsWith(r.m_strMessage.toUtf8() + "\n"), trace.constData());
    QVERIFY(!trace.contains("EfileReturnResponse"));
}

void TestEfileExchange::transport_data()
{
    QTest::addColumn<int>("how"); // 0 nothing listening, 1 slow reply, 2 closed after reading
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("requests");
    QTest::addColumn<QByteArray>("traced");
    QTest::newRow("nothing listening") << 0 << 106 << 0 << QByteArray("EFile web service failed.\n");
    QTest::newRow("slow reply") << 1 << int(FilingOutcomeUnknown) << 1
                                << QByteArray("EFile sent, but no reply came back: the outcome is unknown.\n");
    QTest::newRow("closed after reading") << 2 << int(FilingOutcomeUnknown) << 1
                                          << QByteArray("EFile sent, but no reply came back: the outcome is unknown.\n");
}

void TestEfileExchange::transport()
{
    QFETCH(int, how);
    QFETCH(int, result);
    QFETCH(int, requests);
    QFETCH(QByteArray, traced);
    FilingWebClient::setDefaultTimeoutSec(1);
    const AgencyReply replies[] = {AgencyReply::fixture("efile-accepted-2139.xml"),
                                   AgencyReply::fixture("efile-accepted-2139.xml", 200, 3000),
                                   AgencyReply::closeAfterRead()};
    m_agency.script().setDefault(AgencyEndpoint::Efile, AgencyKind::Any, replies[how]);

    SoapFilingResult r(SoapFilingResult::KindT1Return);
    QCOMPARE(fileJean(r, false, how != 0), result);
    QVERIFY(!r.m_bAccepted);
    QVERIFY(r.m_strConfirmation.isEmpty());
    // Only what went out may have reached the agency.
    QCOMPARE(isEfileOutcomeUnknown(result), how != 0);
    QCOMPARE(m_agency.recorder().count(), requests);
    QVERIFY(readAll(settings(false).resultFilePath).contains(traced));
}

void TestEfileExchange::testModeTraceBlanksBothPasswords()
{
    m_agency.script().setDefault(AgencyEndpoint::Efile, AgencyKind::Any, AgencyReply::fixture("efile-accepted-2139.xml"));
    SoapFilingResult r(SoapFilingResult::KindT1Return);
    QCOMPARE(fileJean(r, true), 0);
    QVERIFY(r.m_bAccepted);

    // What was sent holds the password, twice...
    const AgencyRequest sent = m_agency.recorder().last();
    QCOMPARE(sent.http.body.count(QByteArray("<ef:PasswordID>") + kPassword + "</ef:PasswordID>"), 2);
    QCOMPARE(sent.elementText("TransmitterEfilerNumber"), QStringLiteral("K1234"));
    // ...the file in the run folder holds the request with both blanked, and no reply.
    const QByteArray trace = readAll(settings(true).resultFilePath);
    QVERIFY(trace.startsWith("<?xml"));
    QVERIFY(trace.contains("<t1rq:EfileReturnRequest"));
    QCOMPARE(trace.count("<ef:PasswordID></ef:PasswordID>"), 2);
    QVERIFY(!trace.contains(kPassword));
    QVERIFY(!trace.contains("123456782"));
    QVERIFY(!trace.contains("EF2024-0001"));
    QVERIFY(!trace.contains("The return has been accepted."));
}

void TestEfileExchange::traceOutsideTestMode()
{
    m_agency.script().setDefault(AgencyEndpoint::Efile, AgencyKind::Any, AgencyReply::fixture("efile-eol-132.xml"));
    SoapFilingResult r(SoapFilingResult::KindT1Return);
    QCOMPARE(fileJean(r, false), 0);
    // The time line, then the message: neither the request nor the reply.
    const QList<QByteArray> lines = readAll(settings(false).resultFilePath).split('\n');
    QCOMPARE(lines.size(), 3);
    QVERIFY(QDateTime::fromString(QString::fromUtf8(lines[0]), "yyyy-MM-dd HH:mm:ss").isValid());
    QCOMPARE(lines[1], QByteArray("132 means EFile system is not operational at this time."));
    QVERIFY(lines[2].isEmpty());
}

void TestEfileExchange::withoutT183NothingIsSent()
{
    SoapFilingResult r(SoapFilingResult::KindT1Return);
    QCOMPARE(fileJean(r, true, true, false), 104);
    QCOMPARE(m_agency.recorder().count(), 0);
    QVERIFY(readAll(settings(true).resultFilePath).startsWith("Efile request creation failed.\n"));
}

QTEST_GUILESS_MAIN(TestEfileExchange)
#include "tst_efileexchange.moc"
