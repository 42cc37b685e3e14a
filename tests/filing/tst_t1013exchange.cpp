// The T1013 and pre-authorised debit exchanges against the fake agency: the
// codes, counts and confirmation read from each reply, the cut of the SOAP
// envelope out of what came back, failures, and the trace in the result
// file. Where the compiler has it, this test runs under the address
// sanitiser: a cut that read past the reply would stop it.
#include <QtTest>

#include "companion/core/qwebclient.h"
#include "fakes/agency/fakeagencyserver.h"
#include "filing/filingexchangesettings.h"
#include "filing/filingwebclient.h"
#include "filing/soapenvelopecut.h"
#include "filing/t1013exchange.h"

#include <QTemporaryDir>

#include <memory>

Q_DECLARE_METATYPE(AgencyReply)

namespace {

const char* const kPassword = "Pw7-secret";

AgencyReply t1013Reply(const QByteArray& batchResponse, const QByteArray& extraBody = QByteArray())
{
    AgencyReply reply;
    reply.body = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                 "<soapenv:Envelope xmlns:soapenv=\"http://schemas.xmlsoap.org/soap/envelope/\" "
                 "xmlns:trisr=\"http://www.taxagency.example/tris/response\"><soapenv:Body>"
                 "<trisr:Response><trisr:BatchResponse>"
               + batchResponse + "</trisr:BatchResponse></trisr:Response>" + extraBody
               + "</soapenv:Body></soapenv:Envelope>";
    return reply;
}

AgencyReply fault(const QByteArray& inner)
{
    AgencyReply reply;
    reply.status = 500;
    reply.body = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                 "<soapenv:Envelope xmlns:soapenv=\"http://schemas.xmlsoap.org/soap/envelope/\"><soapenv:Body>"
                 "<soapenv:Fault><faultcode>soapenv:Server</faultcode><faultstring>Busy</faultstring>"
               + inner + "</soapenv:Fault></soapenv:Body></soapenv:Envelope>";
    return reply;
}

const QByteArray kThreeCodes =
    "<trisr:BatchResponseDetail><trisr:ReceivedFormsCount>1</trisr:ReceivedFormsCount>"
    "<trisr:ConfirmationNumber>A13-55003</trisr:ConfirmationNumber></trisr:BatchResponseDetail>"
    "<trisr:ResponseCodes><trisr:BatchLevelResponse><trisr:BatchResponseCode><trisr:ResponseCode>B1</trisr:ResponseCode>"
    "<trisr:ResponseCode>B2</trisr:ResponseCode></trisr:BatchResponseCode></trisr:BatchLevelResponse>"
    "<trisr:FormLevelResponse><trisr:FormResponseCode><trisr:ResponseCode>F1</trisr:ResponseCode>"
    "</trisr:FormResponseCode></trisr:FormLevelResponse></trisr:ResponseCodes>";

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The bytes of text alone in a block of their own, without the terminating
// zero a QByteArray keeps: a read past them is a read past the block.
struct ExactBytes
{
    std::unique_ptr<char[]> bytes;
    QByteArray view;
    explicit ExactBytes(const QByteArray& text) : bytes(new char[size_t(text.size())])
    {
        memcpy(bytes.get(), text.constData(), size_t(text.size()));
        view = QByteArray::fromRawData(bytes.get(), text.size());
    }
};

} // namespace

class TestT1013Exchange : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void t1013Replies_data();
    void t1013Replies();
    void padReplies_data();
    void padReplies();
    void envelopeCut_data();
    void envelopeCut();
    void unreadableReplies_data();
    void unreadableReplies();
    void failures_data();
    void failures();
    void testModeTraceBlanksThePassword_data();
    void testModeTraceBlanksThePassword();
    void traceOutsideTestMode();

private:
    FilingExchangeSettings settings(bool testMode, bool listening = true) const;
    int file(bool isT1013, StructT1013SoapResult& out, bool testMode = false, bool listening = true);

    FakeAgencyServer m_agency;
    QTemporaryDir m_dir;
};

void TestT1013Exchange::initTestCase()
{
    QVERIFY2(AgencyCerts::available(), "certificates missing: run through ctest (fixture agency_certs)");
    QVERIFY(QWebClient::addTrustedCaFile(AgencyCerts::caPem()));
    QVERIFY2(m_agency.start(), qPrintable(m_agency.errorString()));
}

void TestT1013Exchange::init()
{
    m_agency.script().clear();
    m_agency.recorder().clear();
    FilingWebClient::setDefaultTimeoutSec(5);
}

void TestT1013Exchange::cleanup()
{
    FilingWebClient::setDefaultTimeoutSec(FilingWebClient::DefaultTimeoutSec);
}

FilingExchangeSettings TestT1013Exchange::settings(bool testMode, bool listening) const
{
    FilingExchangeSettings s;
    // Port 1 on the loopback: nothing listens there.
    s.t1013Host = listening ? m_agency.hostAndPort() : QStringLiteral("127.0.0.1:1");
    s.testMode = testMode;
    s.resultFilePath = m_dir.filePath(testMode ? "netfileresult.ws" : "netfileresult.txt");
    return s;
}

int TestT1013Exchange::file(bool isT1013, StructT1013SoapResult& out, bool testMode, bool listening)
{
    TemplateValueMap values;
    values.setText("efilerid", "K1234");
    values.setText("password", kPassword);
    CString body;
    if (isT1013) {
        values.setText("taxyear", "2024");
        body = CString("<t1013>form</t1013>");
    } else {
        values.setText("softwarecode", "097P");
        values.setText("revdate", "2024-12-13");
        values.setText("sin", "123456782");
        body = CString("<padrq:AccountNumber>1234567</padrq:AccountNumber>");
    }
    return T1013orT183PadSOAP_request(isT1013, values, body, &out, settings(testMode, listening));
}

void TestT1013Exchange::t1013Replies_data()
{
    QTest::addColumn<AgencyReply>("reply");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("confirmation");
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<QString>("text");
    QTest::newRow("one form") << AgencyReply::fixture("t1013-count1.xml") << 1 << "A13-55001" << QStringList{"0000"}
                              << "response codes: 0000 ";
    QTest::newRow("two forms") << AgencyReply::fixture("t1013-count2.xml") << 2 << "A13-55002"
                               << QStringList{"1001", "1002"} << "response codes: 1001 1002 ";
    QTest::newRow("batch and form codes") << t1013Reply(kThreeCodes) << 1 << "A13-55003"
                                          << QStringList{"B1", "B2", "F1"} << "response codes: B1 B2 F1 ";
    QTest::newRow("rejected batch")
        << t1013Reply("<trisr:RejectedBatchForms><trisr:BatchLevelError><trisr:BatchErrorCode>"
                      "<trisr:ErrorCode>E7</trisr:ErrorCode><trisr:Other>E8</trisr:Other></trisr:BatchErrorCode>"
                      "</trisr:BatchLevelError></trisr:RejectedBatchForms>")
        << 0 << "" << QStringList{"E7", "E8"} << "response codes: E7 E8 ";
    QTest::newRow("fault without detail") << fault(QByteArray()) << 0 << "" << QStringList()
                                          << "response codes:  Fault code: soapenv:Server details:Busy";
    QTest::newRow("fault with a description")
        << fault("<Detail><SystemSoapFaultType><description><englishMessageText>Try later</englishMessageText>"
                 "</description></SystemSoapFaultType></Detail>")
        << 0 << "" << QStringList() << "response codes:  Fault code: soapenv:Server details:Busy description:Try later";
}

void TestT1013Exchange::t1013Replies()
{
    QFETCH(AgencyReply, reply);
    m_agency.script().setDefault(AgencyEndpoint::T1013, AgencyKind::Any, reply);
    StructT1013SoapResult out;
    QCOMPARE(file(true, out), 0);
    QTEST(out.m_nReceivedFormsCount, "count");
    QTEST(QString(out.m_strConfirmation), "confirmation");
    QTEST(QStringList(out.m_codes.begin(), out.m_codes.end()), "codes");
    QTEST(QString(out.m_strResponseCodes), "text");
    QCOMPARE(m_agency.recorder().count(AgencyEndpoint::T1013), 1);
    QCOMPARE(m_agency.recorder().last().http.path(), QByteArray("/ebci/tdws/esub/services/TRISWebService"));
    QCOMPARE(m_agency.recorder().last().elementText("Password"), QString::fromLatin1(kPassword));
}

void TestT1013Exchange::padReplies_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("confirmation");
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<QString>("text");
    QTest::newRow("confirmation") << "pad-confirmation.xml" << "PAD-20250301" << QStringList{"0"}
                                  << "The pre-authorized debit agreement has been set up.\n";
    // The rejection's codes, the confirmation's number.
    QTest::newRow("confirmation and rejection") << "pad-both.xml" << "PAD-20250301" << QStringList{"PAD12"}
                                                << "The bank account could not be verified.\n";
    QTest::newRow("rejection") << "pad-rejection.xml" << "" << QStringList{"PAD12"}
                               << "The bank account could not be verified.\n";
    QTest::newRow("fault") << "fault-busy.xml" << "" << QStringList() << "Server busy";
}

void TestT1013Exchange::padReplies()
{
    QFETCH(QString, fixture);
    m_agency.script().setDefault(AgencyEndpoint::Pad, AgencyKind::Any, AgencyReply::fixture(fixture));
    StructT1013SoapResult out;
    QCOMPARE(file(false, out), 0);
    QCOMPARE(out.m_nReceivedFormsCount, 0);
    QTEST(QString(out.m_strConfirmation), "confirmation");
    QTEST(QStringList(out.m_codes.begin(), out.m_codes.end()), "codes");
    QTEST(QString(out.m_strResponseCodes), "text");
    const AgencyRequest sent = m_agency.recorder().last();
    QCOMPARE(sent.http.path(), QByteArray("/ebci/rjpt/epads_ws/services/PadService"));
    QCOMPARE(sent.elementText("PasswordIdentifier"), QString::fromLatin1(kPassword));
    QCOMPARE(sent.elementText("SoftwareIdentifier"), QStringLiteral("097P"));
}

void TestT1013Exchange::envelopeCut_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QByteArray>("envelope");
    QTest::newRow("text around it") << QByteArray("HTTP junk <?xml version=\"1.0\"?><soapenv:Envelope/></soapenv:Envelope> tail")
                                    << true << QByteArray("<?xml version=\"1.0\"?><soapenv:Envelope/></soapenv:Envelope>");
    QTest::newRow("another prefix") << QByteArray("<?xml version=\"1.0\"?><s:Envelope></s:Envelope >x") << true
                                    << QByteArray("<?xml version=\"1.0\"?><s:Envelope></s:Envelope >");
    QTest::newRow("no declaration") << QByteArray("<soapenv:Envelope></soapenv:Envelope>") << false << QByteArray();
    QTest::newRow("no end") << QByteArray("<?xml version=\"1.0\"?><soapenv:Envelope><soapenv:Body>") << false
                            << QByteArray();
    QTest::newRow("end before the declaration") << QByteArray("</soapenv:Envelope><?xml") << false << QByteArray();
    QTest::newRow("declaration at the very end") << QByteArray("<?xml") << false << QByteArray();
    QTest::newRow("cut off end tag") << QByteArray("<?xml?></soapenv:Envelope") << false << QByteArray();
    QTest::newRow("empty") << QByteArray() << false << QByteArray();
}

void TestT1013Exchange::envelopeCut()
{
    QFETCH(QByteArray, reply);
    QFETCH(bool, found);
    const ExactBytes exact(reply);
    QByteArray envelope;
    QCOMPARE(cutSoapEnvelope(exact.view, envelope), found);
    QTEST(envelope, "envelope");
}

void TestT1013Exchange::unreadableReplies_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("no declaration") << QByteArray("<soapenv:Envelope xmlns:soapenv=\"http://schemas.xmlsoap.org/soap/"
                                                  "envelope/\"><soapenv:Body/></soapenv:Envelope>");
    QTest::newRow("no end") << QByteArray("<?xml version=\"1.0\"?><soapenv:Envelope xmlns:soapenv=\"http://schemas."
                                          "xmlsoap.org/soap/envelope/\"><soapenv:Body/>");
    QTest::newRow("not well-formed") << QByteArray("<?xml version=\"1.0\"?><a><b></a></soapenv:Envelope>");
}

void TestT1013Exchange::unreadableReplies()
{
    QFETCH(QByteArray, body);
    AgencyReply reply;
    reply.body = body;
    m_agency.script().setDefault(AgencyEndpoint::T1013, AgencyKind::Any, reply);
    StructT1013SoapResult out;
    QCOMPARE(file(true, out), -100);
    QCOMPARE(QString(out.m_strResponseCodes), QStringLiteral("response parse failed."));
    QVERIFY(out.m_codes.empty());
    QVERIFY(out.m_strConfirmation.isEmpty());
    QVERIFY(isT1013OutcomeUnknown(-100));
    const QByteArray trace = readAll(settings(false).resultFilePath);
    QVERIFY(trace.endsWith("cannot parse returned response.\nresponse parse failed.\n\n"));
}

void TestT1013Exchange::failures_data()
{
    QTest::addColumn<int>("how"); // 0 nothing listening, 1 closed after reading, 2 request not composed
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("requests");
    QTest::newRow("nothing listening") << 0 << -10 << "web service failed." << 0;
    QTest::newRow("closed after reading") << 1 << int(FilingOutcomeUnknown)
                                          << "sent, but no reply came back: the outcome is unknown." << 1;
    QTest::newRow("not composed") << 2 << -1 << "request creation failed." << 0;
}

void TestT1013Exchange::failures()
{
    QFETCH(int, how);
    QFETCH(int, result);
    QFETCH(QString, text);
    QFETCH(int, requests);
    m_agency.script().setDefault(AgencyEndpoint::T1013, AgencyKind::Any, AgencyReply::closeAfterRead());
    StructT1013SoapResult out;
    int got = 0;
    if (how == 2) {
        // Without the efiler number the head cannot be filled.
        TemplateValueMap values;
        CString body("<t1013/>");
        got = T1013orT183PadSOAP_request(true, values, body, &out, settings(false));
    } else {
        got = file(true, out, false, how != 0);
    }
    QCOMPARE(got, result);
    QCOMPARE(QString(out.m_strResponseCodes), text);
    QCOMPARE(isT1013OutcomeUnknown(got), how == 1);
    QCOMPARE(m_agency.recorder().count(), requests);
    const QByteArray trace = readAll(settings(false).resultFilePath);
    // Every failure ends the trace with its sentence; one that sent nothing
    // stops right after it.
    QVERIFY2(trace.endsWith(text.toUtf8() + (how == 2 ? "\n" : "\n\n")), trace.right(60).constData());
}

void TestT1013Exchange::testModeTraceBlanksThePassword_data()
{
    QTest::addColumn<bool>("isT1013");
    QTest::addColumn<QByteArray>("blanked");
    QTest::newRow("T1013") << true << QByteArray("<wsse:Password></wsse:Password>");
    QTest::newRow("debit") << false << QByteArray("<padrq:PasswordIdentifier></padrq:PasswordIdentifier>");
}

void TestT1013Exchange::testModeTraceBlanksThePassword()
{
    QFETCH(bool, isT1013);
    QFETCH(QByteArray, blanked);
    m_agency.script().setDefault(AgencyEndpoint::T1013, AgencyKind::Any, AgencyReply::fixture("t1013-count1.xml"));
    m_agency.script().setDefault(AgencyEndpoint::Pad, AgencyKind::Any, AgencyReply::fixture("pad-confirmation.xml"));
    StructT1013SoapResult out;
    QCOMPARE(file(isT1013, out, true), 0);
    QVERIFY(!out.m_strConfirmation.isEmpty());
    QVERIFY(m_agency.recorder().last().http.body.contains(kPassword));

    const QByteArray trace = readAll(settings(true).resultFilePath);
    QVERIFY(trace.contains(blanked));
    QVERIFY(!trace.contains(kPassword));
    QVERIFY(!trace.contains("123456782"));
    // The request alone: not the reply.
    QVERIFY(!trace.contains(out.m_strConfirmation.toUtf8()));
}

void TestT1013Exchange::traceOutsideTestMode()
{
    m_agency.script().setDefault(AgencyEndpoint::T1013, AgencyKind::Any, AgencyReply::fixture("t1013-count1.xml"));
    StructT1013SoapResult out;
    QCOMPARE(file(true, out), 0);
    const QByteArray trace = readAll(settings(false).resultFilePath);
    QVERIFY(trace.startsWith("\n\n"));
    QVERIFY(!trace.contains("Password"));
    QVERIFY(trace.contains("xml=>\n<?xml"));
    QVERIFY(trace.endsWith("</soapenv:Envelope>response codes: 0000 \n\n"));
}

QTEST_GUILESS_MAIN(TestT1013Exchange)
#include "tst_t1013exchange.moc"
