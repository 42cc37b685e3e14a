#include <QtTest>

#include "companion/core/qwebclient.h"
#include "fakes/agency/fakeagencyserver.h"
#include "filing/filingwebclient.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>

Q_DECLARE_METATYPE(SoapPostOutcome)

// The client of the agency's filing services against the fake agency on
// this machine: what counts as a reply, what was surely not sent, and what
// may have reached the agency without an answer coming back.
class TestFilingWebClient : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void replyComesBackWithStatusAndBody_data();
    void replyComesBackWithStatusAndBody();
    void refusedConnectionsAreNotSent_data();
    void refusedConnectionsAreNotSent();
    void failedConnectionsSayWhatFailed_data();
    void failedConnectionsSayWhatFailed();
    void slowReplyIsOutcomeUnknownAfterTheTimeOut();
    void brokenConnectionIsOutcomeUnknown_data();
    void brokenConnectionIsOutcomeUnknown();
    void errorPageWithoutSoapIsOutcomeUnknown_data();
    void errorPageWithoutSoapIsOutcomeUnknown();
    void recordedBodyIsThePostedBytes();
    void scriptedRepliesComeBackInOrder();
    void postSoapXMLReportsOnlyRepliesAsTrue();

private:
    SoapPostResult post(AgencyEndpoint endpoint, const QByteArray& body,
                        FakeAgencyServer::Listener listener = FakeAgencyServer::Listener::Trusted);

    std::unique_ptr<FakeAgencyServer> m_agency;
};

namespace {

const QByteArray kReturnRequest =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<soapenv:Envelope xmlns:soapenv=\"http://schemas.xmlsoap.org/soap/envelope/\">"
    "<soapenv:Body><t1rq:FileReturnRequest xmlns:t1rq=\"http://www.taxagency.example/xmlns/t1rq/request/1-0-0\">"
    "<tp:TaxYear xmlns:tp=\"http://www.taxagency.example/xmlns/tp/2025/1-0-0\">2024</tp:TaxYear>"
    "</t1rq:FileReturnRequest></soapenv:Body></soapenv:Envelope>\r\n";

const QByteArray kTermsRequest =
    "<soapenv:Envelope xmlns=\"http://www.taxagency.example/xmlns/t1rq/request/1-0-0\" "
    "xmlns:t1rq=\"http://www.taxagency.example/xmlns/t1rq/request/1-0-0\" "
    "xmlns:soapenv=\"http://schemas.xmlsoap.org/soap/envelope/\">\r\n"
    "<soapenv:Body><t1rq:TermsAndConditionsRequest/></soapenv:Body></soapenv:Envelope>\r\n";

const QByteArray kSoapType = "text/xml; charset=UTF-8";

// A server on this machine that is not the agency's: one that speaks plain
// HTTP on the port the program expects HTTPS on, or one that takes the
// connection and never says a word. It keeps what it was sent.
class OddServer : public QTcpServer
{
public:
    explicit OddServer(bool plainHttp) : m_plainHttp(plainHttp)
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                socket->setParent(this);
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    received += socket->readAll();
                    if (m_plainHttp) {
                        socket->write("HTTP/1.1 400 Bad Request\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
                        socket->disconnectFromHost();
                    }
                });
            }
        });
    }
    QString url() const
    {
        return QStringLiteral("https://127.0.0.1:%1/ebci/pfno/ws/services/FileReturnService").arg(serverPort());
    }
    QByteArray received;

private:
    bool m_plainHttp;
};

// Long enough for any re-sending client to have tried again.
void settle()
{
    QTest::qWait(300);
}

} // namespace

void TestFilingWebClient::initTestCase()
{
    QVERIFY2(AgencyCerts::available(), "certificates missing: run through ctest (fixture agency_certs)");
    QVERIFY(QWebClient::addTrustedCaFile(AgencyCerts::caPem()));
    QVERIFY(!AgencyFixtures::read("accepted.xml").isEmpty());
}

void TestFilingWebClient::init()
{
    m_agency = std::make_unique<FakeAgencyServer>();
    QVERIFY2(m_agency->start(), qPrintable(m_agency->errorString()));
    FilingWebClient::setDefaultTimeoutSec(5);
}

void TestFilingWebClient::cleanup()
{
    m_agency.reset();
    FilingWebClient::setDefaultTimeoutSec(FilingWebClient::DefaultTimeoutSec);
}

void TestFilingWebClient::cleanupTestCase()
{
    QWebClient::clearTrustedCaFiles();
}

SoapPostResult TestFilingWebClient::post(AgencyEndpoint endpoint, const QByteArray& body,
                                         FakeAgencyServer::Listener listener)
{
    FilingWebClient client(m_agency->url(endpoint, listener), false);
    return client.post(body, kSoapType);
}

void TestFilingWebClient::replyComesBackWithStatusAndBody_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<int>("status");
    QTest::newRow("accepted on 200") << "accepted.xml" << 200;
    QTest::newRow("SOAP fault on 500") << "fault-busy.xml" << 500;
    QTest::newRow("SOAP fault without faultstring on 500") << "fault-bare.xml" << 500;
    QTest::newRow("HTML on 200 is still a reply") << "busy.html" << 200;
    QTest::newRow("empty body on 200") << "empty.txt" << 200;
}

void TestFilingWebClient::replyComesBackWithStatusAndBody()
{
    QFETCH(QString, fixture);
    QFETCH(int, status);
    m_agency->script().enqueue(AgencyEndpoint::Direrad, AgencyKind::Return, AgencyReply::fixture(fixture, status));

    const SoapPostResult r = post(AgencyEndpoint::Direrad, kReturnRequest);
    QCOMPARE(r.outcome, SoapPostOutcome::Reply);
    QCOMPARE(r.status, status);
    QCOMPARE(r.body, AgencyFixtures::read(fixture));
    QVERIFY(r.error.isEmpty());
    QCOMPARE(m_agency->recorder().count(), 1);
}

void TestFilingWebClient::refusedConnectionsAreNotSent_data()
{
    QTest::addColumn<int>("listener");
    QTest::addColumn<bool>("stopFirst");
    QTest::newRow("stopped listener") << int(FakeAgencyServer::Listener::Trusted) << true;
    QTest::newRow("certificate from an untrusted CA") << int(FakeAgencyServer::Listener::Untrusted) << false;
    QTest::newRow("certificate for another host") << int(FakeAgencyServer::Listener::OtherHost) << false;
}

void TestFilingWebClient::refusedConnectionsAreNotSent()
{
    QFETCH(int, listener);
    QFETCH(bool, stopFirst);
    const auto which = FakeAgencyServer::Listener(listener);
    m_agency->script().setDefault(AgencyEndpoint::Direrad, AgencyKind::Any, AgencyReply::fixture("accepted.xml"));
    if (stopFirst) {
        m_agency->stopListening(which);
        QVERIFY(!m_agency->isListening(which));
    }

    const SoapPostResult r = post(AgencyEndpoint::Direrad, kReturnRequest, which);
    QCOMPARE(r.outcome, SoapPostOutcome::NotSent);
    QCOMPARE(r.status, 0);
    QVERIFY(r.body.isEmpty());
    QVERIFY(!r.error.isEmpty());
    settle();
    QCOMPARE(m_agency->recorder().count(), 0);
}

void TestFilingWebClient::failedConnectionsSayWhatFailed_data()
{
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("expected"); // the start of the error, "%1" for host:port
    QTest::newRow("untrusted certificate") << "untrusted" << "certificate not trusted (%1): ";
    QTest::newRow("refused connection") << "stopped" << "connection refused by %1";
    QTest::newRow("plain-HTTP server") << "plain" << "secure connection failed: %1 did not complete the TLS handshake";
    QTest::newRow("silent server") << "silent" << "no answer within 1 s from %1";
}

// What failed before the request could leave is told as what it was, never
// as a malformed reply, and the request counts as not sent.
void TestFilingWebClient::failedConnectionsSayWhatFailed()
{
    QFETCH(QString, server);
    QFETCH(QString, expected);
    m_agency->script().setDefault(AgencyEndpoint::Direrad, AgencyKind::Any, AgencyReply::fixture("accepted.xml"));
    OddServer odd(server == "plain");
    QString url;
    if (server == "untrusted") {
        url = m_agency->url(AgencyEndpoint::Direrad, FakeAgencyServer::Listener::Untrusted);
    } else if (server == "stopped") {
        url = m_agency->url(AgencyEndpoint::Direrad);
        m_agency->stopListening();
    } else {
        QVERIFY(odd.listen(QHostAddress::LocalHost));
        url = odd.url();
    }
    const QUrl parsed(url);
    const QString where = QStringLiteral("%1:%2").arg(parsed.host()).arg(parsed.port());

    FilingWebClient client(url, false);
    client.setTimeoutMs(1000);
    const SoapPostResult r = client.post(kReturnRequest, kSoapType);
    QCOMPARE(r.outcome, SoapPostOutcome::NotSent);
    QVERIFY2(r.error.startsWith(expected.arg(where)), qPrintable(r.error));
    QVERIFY2(!r.error.contains("Malformed"), qPrintable(r.error));
    settle();
    QCOMPARE(m_agency->recorder().count(), 0);
    // The other servers saw at most the start of a handshake, never the return.
    QVERIFY(!odd.received.contains("FileReturnRequest"));
}

void TestFilingWebClient::slowReplyIsOutcomeUnknownAfterTheTimeOut()
{
    // The time-out comes from the setting (whole seconds) through the
    // default every new client takes.
    FilingWebClient::setDefaultTimeoutSec(2);
    const int timeoutMs = 2000;
    m_agency->script().enqueue(AgencyEndpoint::Direrad, AgencyKind::Return,
                               AgencyReply::fixture("accepted.xml", 200, timeoutMs + 2500));

    FilingWebClient client(m_agency->url(AgencyEndpoint::Direrad), false);
    QCOMPARE(client.timeoutMs(), timeoutMs);
    QElapsedTimer clock;
    clock.start();
    const SoapPostResult r = client.post(kReturnRequest, kSoapType);
    const qint64 elapsed = clock.elapsed();

    QCOMPARE(r.outcome, SoapPostOutcome::OutcomeUnknown);
    QVERIFY2(elapsed >= timeoutMs - 50, qPrintable(QString::number(elapsed)));
    QVERIFY2(elapsed <= timeoutMs + 1000, qPrintable(QString::number(elapsed)));
    QCOMPARE(m_agency->recorder().count(), 1);
    // Still one after the fake answered the abandoned connection.
    QTest::qWait(3000);
    QCOMPARE(m_agency->recorder().count(), 1);
}

void TestFilingWebClient::brokenConnectionIsOutcomeUnknown_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("recorded");
    // The whole request arrived, then the server closed without a word.
    QTest::newRow("closed after reading") << int(AgencyReply::Action::CloseAfterRead) << 1;
    // Closed as the request line arrived: the client had written it all.
    QTest::newRow("closed at once") << int(AgencyReply::Action::CloseAtOnce) << 0;
}

void TestFilingWebClient::brokenConnectionIsOutcomeUnknown()
{
    QFETCH(int, action);
    QFETCH(int, recorded);
    AgencyReply reply;
    reply.action = AgencyReply::Action(action);
    m_agency->script().enqueue(AgencyEndpoint::Direrad, AgencyKind::Any, reply);
    // A second attempt would find this reply and be recorded.
    m_agency->script().setDefault(AgencyEndpoint::Direrad, AgencyKind::Any, AgencyReply::fixture("accepted.xml"));

    const SoapPostResult r = post(AgencyEndpoint::Direrad, kReturnRequest);
    QCOMPARE(r.outcome, SoapPostOutcome::OutcomeUnknown);
    QVERIFY(!r.error.isEmpty());
    settle();
    QCOMPARE(m_agency->recorder().count(), recorded);
}

void TestFilingWebClient::errorPageWithoutSoapIsOutcomeUnknown_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<int>("status");
    QTest::newRow("HTML busy page on 503") << "busy.html" << 503;
    QTest::newRow("empty body on 500") << "empty.txt" << 500;
    QTest::newRow("XML of another shape on 500") << "other-shape.xml" << 500;
}

void TestFilingWebClient::errorPageWithoutSoapIsOutcomeUnknown()
{
    QFETCH(QString, fixture);
    QFETCH(int, status);
    m_agency->script().enqueue(AgencyEndpoint::Direrad, AgencyKind::Return, AgencyReply::fixture(fixture, status));

    const SoapPostResult r = post(AgencyEndpoint::Direrad, kReturnRequest);
    QCOMPARE(r.outcome, SoapPostOutcome::OutcomeUnknown);
    QCOMPARE(r.status, status);
    QCOMPARE(r.body, AgencyFixtures::read(fixture)); // kept for the log
    QCOMPARE(m_agency->recorder().count(), 1);
}

void TestFilingWebClient::recordedBodyIsThePostedBytes()
{
    m_agency->script().enqueue(AgencyEndpoint::T1135, AgencyKind::Any, AgencyReply::fixture("t1135-accepted.xml"));
    // Bytes as composed, line ends and non-ASCII text included.
    QByteArray body = kReturnRequest;
    body.replace("2024", "2024</tp:TaxYear><comm:GivenName>Amélie’s</comm:GivenName><tp:TaxYear>2024");

    FilingWebClient client(m_agency->url(AgencyEndpoint::T1135), false);
    std::string reply;
    QVERIFY(client.postSoapXML(body.toStdString(), "text/xml; charset=UTF-8", nullptr, nullptr, reply));
    QCOMPARE(QByteArray::fromStdString(reply), AgencyFixtures::read("t1135-accepted.xml"));

    QCOMPARE(m_agency->recorder().count(), 1);
    const AgencyRequest sent = m_agency->recorder().last();
    QCOMPARE(sent.http.method, QByteArray("POST"));
    QCOMPARE(sent.http.path(), QByteArray("/ebci/efes/frrms/ws/services/FileFormService"));
    QCOMPARE(sent.http.version, QByteArray("HTTP/1.1"));
    QCOMPARE(sent.http.header("Content-Type"), QByteArray("text/xml; charset=UTF-8"));
    QCOMPARE(sent.http.header("Content-Length"), QByteArray::number(body.size()));
    QCOMPARE(sent.http.header("Host"), m_agency->hostAndPort().toLatin1());
    QCOMPARE(sent.http.body, body);
    QCOMPARE(sent.endpoint, AgencyEndpoint::T1135);
}

void TestFilingWebClient::scriptedRepliesComeBackInOrder()
{
    AgencyScript& script = m_agency->script();
    script.enqueue(AgencyEndpoint::Direrad, AgencyKind::Return, AgencyReply::fixture("rejected.xml"));
    script.enqueue(AgencyEndpoint::Direrad, AgencyKind::Return, AgencyReply::fixture("accepted.xml"));
    script.enqueue(AgencyEndpoint::Direrad, AgencyKind::Terms, AgencyReply::fixture("terms.xml"));

    // The terms request is answered from its own queue though the return
    // replies were scripted first.
    const SoapPostResult terms = post(AgencyEndpoint::Direrad, kTermsRequest);
    const SoapPostResult first = post(AgencyEndpoint::Direrad, kReturnRequest);
    const SoapPostResult second = post(AgencyEndpoint::Direrad, kReturnRequest);
    QCOMPARE(terms.body, AgencyFixtures::read("terms.xml"));
    QCOMPARE(first.body, AgencyFixtures::read("rejected.xml"));
    QCOMPARE(second.body, AgencyFixtures::read("accepted.xml"));

    const AgencyRecorder& recorder = m_agency->recorder();
    QCOMPARE(recorder.count(AgencyEndpoint::Direrad), 3);
    QCOMPARE(recorder.count(AgencyEndpoint::Direrad, AgencyKind::Terms), 1);
    QCOMPARE(recorder.count(AgencyEndpoint::Direrad, AgencyKind::Return), 2);
    QCOMPARE(recorder.at(1).elementText("TaxYear"), QString("2024"));
}

void TestFilingWebClient::postSoapXMLReportsOnlyRepliesAsTrue()
{
    m_agency->script().enqueue(AgencyEndpoint::Efile, AgencyKind::Any, AgencyReply::fixture("fault-busy.xml", 500));
    m_agency->script().enqueue(AgencyEndpoint::Efile, AgencyKind::Any, AgencyReply::fixture("busy.html", 503));

    FilingWebClient client(m_agency->url(AgencyEndpoint::Efile), false);
    std::string reply;
    QVERIFY(client.postSoapXML(kReturnRequest.toStdString(), nullptr, nullptr, nullptr, reply));
    QCOMPARE(client.lastResult().status, 500);
    QVERIFY(QByteArray::fromStdString(reply).contains("<faultstring>Server busy</faultstring>"));

    QVERIFY(!client.postSoapXML(kReturnRequest.toStdString(), nullptr, nullptr, nullptr, reply));
    QCOMPARE(client.lastResult().outcome, SoapPostOutcome::OutcomeUnknown);
    // The default content type is the services' own.
    QCOMPARE(m_agency->recorder().last().http.header("Content-Type"), kSoapType);

    // Whatever the flag, plain http is never used.
    FilingWebClient plain(QStringLiteral("http://%1/ebci/pfeo/ws/services/FileReturnService").arg(m_agency->hostAndPort()), true);
    QVERIFY(!plain.postSoapXML(kReturnRequest.toStdString(), nullptr, nullptr, nullptr, reply));
    QCOMPARE(plain.lastResult().outcome, SoapPostOutcome::NotSent);
    settle();
    QCOMPARE(m_agency->recorder().count(), 2);
}

QTEST_GUILESS_MAIN(TestFilingWebClient)
#include "tst_filingwebclient.moc"
