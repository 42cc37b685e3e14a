// The local callback server of an agency data session: what each request
// line gets back, which token it takes, and that hostile requests neither
// crash it, nor take a token from a header, nor open a second callback.
#include <QtTest>

#include "agencydata/TddHttpServer.h"
#include "agencydata/tddprogress.h"
#include "agencydata/tddsoap.h"
#include "common/testhome.h"
#include "fakes/fakebrowser.h"

#include <QNetworkInterface>
#include <QSignalSpy>
#include <QTcpServer>

namespace {

class RecordingSink : public TddProgressSink
{
public:
    void postMessage(int code, int extra) override
    {
        QMutexLocker lock(&m_mutex);
        m_posts << (extra ? QStringLiteral("%1/%2").arg(code).arg(extra) : QString::number(code));
    }
    void clear()
    {
        QMutexLocker lock(&m_mutex);
        m_posts.clear();
    }
    QString posts() const
    {
        QMutexLocker lock(&m_mutex);
        return m_posts.join(',');
    }

private:
    mutable QMutex m_mutex;
    QStringList m_posts;
};

using Chunks = QList<QByteArray>;

} // namespace

Q_DECLARE_METATYPE(Chunks)

class TestTddSessionServer : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void callbackRequests_data();
    void callbackRequests();
    void expressNoaTakesOnlyItsOwnPath();
    void oneCallbackPerSession();
    void nothingIsTakenBeforeTheLoginWait();
    void slowConnectionDoesNotBlockAGoodOne();
    void nonLoopbackConnectionIsRefused();
    void portInUseIsReported();
    void stopClosesThePortAtOnce();
    void logsUpAndDown();
    void callbacksAreLoggedWithoutTheirTokens();
    void rearmedListenerTakesTheNextCallback();
    void drippingConnectionsAreClosedAndTheCallbackTaken();
    void fullListenerMakesRoomForACallback();

private:
    FakeBrowser::Exchange exchange(const Chunks& chunks);

    std::unique_ptr<TestHome> m_home;
    RecordingSink m_sink;
    TddHttpServer* m_server = nullptr;
};

void TestTddSessionServer::init()
{
    m_home.reset(new TestHome);
    m_sink.clear();
    m_server = TddHttpServer::getInstance(&m_sink);
    m_server->webService().reset();
    m_server->setProgressDlg(&m_sink);
    m_server->webService().setForWhich("2024", TddAutoFill);
    m_server->setLogPath(m_home->filePath("tddlog2.txt"));
    QVERIFY(m_server->startAndListen(0));
    m_server->armCallback();
}

void TestTddSessionServer::cleanup()
{
    m_server->stop();
    m_server->setProgressDlg(nullptr);
    m_server->disconnect();
}

FakeBrowser::Exchange TestTddSessionServer::exchange(const Chunks& chunks)
{
    FakeBrowser browser(nullptr, QString(), QString(), m_server->port(), TddAutoFill);
    browser.send(chunks);
    if (!browser.waitForAll())
        return FakeBrowser::Exchange();
    return browser.exchanges().value(0);
}

void TestTddSessionServer::callbackRequests_data()
{
    QTest::addColumn<Chunks>("request");
    QTest::addColumn<QByteArray>("contentType");
    QTest::addColumn<QByteArray>("body");  // empty: the HTML page
    QTest::addColumn<QString>("posts");
    QTest::addColumn<QString>("tokenA"); // empty: no callback accepted

    const QByteArray greeting = "Hello from voDarevivo 2024";
    QTest::newRow("six characters") << Chunks{"GET /taxdata?t=abcdef HTTP/1.1\r\n\r\n"} << QByteArray("text/html")
                                    << QByteArray() << "25,30,40" << "abcdef";
    QTest::newRow("percent escapes decoded") << Chunks{"GET /taxdata?t=abcd%41%41 HTTP/1.1\r\n\r\n"}
                                             << QByteArray("text/html") << QByteArray() << "25,30,40" << "abcdAA";
    QTest::newRow("upper-case path") << Chunks{"GET /TAXDATA?t=abcdef HTTP/1.1\r\n\r\n"} << QByteArray("text/html")
                                     << QByteArray() << "25,30,40" << "abcdef";
    QTest::newRow("in two writes") << Chunks{"GET /taxdata?t=ab", "cdef HTTP/1.1\r\n\r\n"}
                                   << QByteArray("text/html") << QByteArray() << "25,30,40" << "abcdef";
    QTest::newRow("request line alone") << Chunks{"GET /taxdata?t=abcdef HTTP/1.1\r\n"} << QByteArray("text/html")
                                        << QByteArray() << "25,30,40" << "abcdef";
    QTest::newRow("request line, then headers in another write")
        << Chunks{"GET /taxdata?t=abcdef HTTP/1.1\r\n", "Host: localhost\r\nX: /expnoa?t=zzzzzz\r\n\r\n"}
        << QByteArray("text/html") << QByteArray() << "25,30,40" << "abcdef";
    QTest::newRow("three characters") << Chunks{"GET /taxdata?t=abc HTTP/1.1\r\n\r\n"} << QByteArray("text/plain")
                                      << greeting << "25,30" << "";
    QTest::newRow("logout") << Chunks{"GET /logout HTTP/1.1\r\n\r\n"} << QByteArray("text/plain")
                            << QByteArray("You have logged out of CRA secure session!") << "25" << "";
    QTest::newRow("300-character token")
        << Chunks{"GET /taxdata?t=" + QByteArray(300, 'a') + " HTTP/1.1\r\n\r\n"} << QByteArray("text/plain")
        << greeting << "25,30" << "";
    QTest::newRow("wrong path") << Chunks{"GET /other?t=abcdef HTTP/1.1\r\n\r\n"} << QByteArray("text/plain")
                                << greeting << "25" << "";
    QTest::newRow("other method") << Chunks{"POST /taxdata?t=abcdef HTTP/1.1\r\n\r\n"} << QByteArray("text/plain")
                                  << greeting << "25" << "";
    QTest::newRow("Express NOA path in Auto-fill") << Chunks{"GET /expnoa?t=abcdef HTTP/1.1\r\n\r\n"}
                                                   << QByteArray("text/plain") << greeting << "25" << "";
    QTest::newRow("paths and tokens in headers")
        << Chunks{"GET /favicon.ico HTTP/1.1\r\nReferer: http://x/expnoa?t=abcdef\r\nX-A: /TAXDATA?t=ghijkl\r\n"
                  "X-B: GET /taxdata?t=mnopqr HTTP/1.1\r\n\r\n"}
        << QByteArray("text/plain") << greeting << "25" << "";
    QTest::newRow("token not in parameter t") << Chunks{"GET /taxdata?x=abcdef&tt=abcdef HTTP/1.1\r\n\r\n"}
                                              << QByteArray("text/plain") << greeting << "25,30" << "";
    QTest::newRow("markup in the token") << Chunks{"GET /taxdata?t=abc%3Cdef%3E HTTP/1.1\r\n\r\n"}
                                         << QByteArray("text/plain") << greeting << "25,30" << "";
    // What a browser says of a request a page made: not the agency's redirect.
    QTest::newRow("a page's image")
        << Chunks{"GET /taxdata?t=abcdef HTTP/1.1\r\nHost: 127.0.0.1\r\nSec-Fetch-Site: cross-site\r\n"
                  "Sec-Fetch-Mode: no-cors\r\nSec-Fetch-Dest: image\r\n\r\n"}
        << QByteArray("text/plain") << greeting << "25,30" << "";
    QTest::newRow("an image, names in another case")
        << Chunks{"GET /taxdata?t=abcdef HTTP/1.1\r\nsec-fetch-dest: Image\r\n\r\n"} << QByteArray("text/plain")
        << greeting << "25,30" << "";
    QTest::newRow("a frame") << Chunks{"GET /taxdata?t=abcdef HTTP/1.1\r\nSec-Fetch-Dest: iframe\r\n"
                                       "Sec-Fetch-Mode: navigate\r\n\r\n"}
                             << QByteArray("text/plain") << greeting << "25,30" << "";
    QTest::newRow("a page's fetch") << Chunks{"GET /taxdata?t=abcdef HTTP/1.1\r\nSec-Fetch-Mode: cors\r\n\r\n"}
                                    << QByteArray("text/plain") << greeting << "25,30" << "";
    QTest::newRow("a top-level navigation")
        << Chunks{"GET /taxdata?t=abcdef HTTP/1.1\r\nSec-Fetch-Site: cross-site\r\nSec-Fetch-Mode: navigate\r\n"
                  "Sec-Fetch-Dest: document\r\n\r\n"}
        << QByteArray("text/html") << QByteArray() << "25,30,40" << "abcdef";
}

void TestTddSessionServer::callbackRequests()
{
    QFETCH(Chunks, request);
    QFETCH(QByteArray, contentType);
    QFETCH(QByteArray, body);
    QFETCH(QString, posts);
    QFETCH(QString, tokenA);
    QSignalSpy accepted(m_server, &TddHttpServer::callbackAccepted);

    const FakeBrowser::Exchange got = exchange(request);
    QVERIFY(got.connected);
    QVERIFY2(got.wellFormed(), got.reply.constData());
    QCOMPARE(got.header("Content-Type"), contentType);
    if (body.isEmpty()) {
        QVERIFY(got.body().contains("Now back to voDarevivo Auto-Fill Return or Express Notice of Assessment!"));
        QVERIFY(got.body().startsWith("<!DOCTYPE html>"));
    } else {
        QCOMPARE(got.body(), body);
    }
    // Every line ends with CRLF.
    QVERIFY(got.reply.startsWith("HTTP/1.0 200 OK\r\nContent-Type: " + contentType + "\r\nContent-Length: "));
    QCOMPARE(m_sink.posts(), posts);
    QCOMPARE(accepted.count(), tokenA.isEmpty() ? 0 : 1);
    if (!tokenA.isEmpty()) {
        QCOMPARE(accepted.at(0).at(0).toString(), tokenA);
        QCOMPARE(QString::fromStdString(m_server->webService().tokenA()), tokenA);
        QVERIFY(!m_server->isRunning()); // one callback, then the port closes
    } else {
        QCOMPARE(m_server->webService().tokenA(), std::string());
        QVERIFY(m_server->isRunning());
    }
}

void TestTddSessionServer::expressNoaTakesOnlyItsOwnPath()
{
    m_server->webService().setForWhich("2024", TddExpressNoa);
    QSignalSpy accepted(m_server, &TddHttpServer::callbackAccepted);
    QCOMPARE(exchange({"GET /taxdata?t=abcdef HTTP/1.1\r\n\r\n"}).header("Content-Type"), QByteArray("text/plain"));
    QCOMPARE(exchange({"GET /EXPNOA?t=abcdef HTTP/1.1\r\n\r\n"}).header("Content-Type"), QByteArray("text/plain"));
    QCOMPARE(accepted.count(), 0);
    QCOMPARE(exchange({"GET /expnoa?t=abcdef HTTP/1.1\r\n\r\n"}).header("Content-Type"), QByteArray("text/html"));
    QCOMPARE(accepted.count(), 1);
}

void TestTddSessionServer::oneCallbackPerSession()
{
    QSignalSpy accepted(m_server, &TddHttpServer::callbackAccepted);
    const quint16 port = m_server->port();
    FakeBrowser browser(nullptr, QString(), QString(), port, TddAutoFill);
    browser.send({"GET /taxdata?t=first1 HTTP/1.1\r\n\r\n"});
    QVERIFY(browser.waitForAll());
    browser.send({"GET /taxdata?t=second HTTP/1.1\r\n\r\n"});
    QVERIFY(browser.waitForAll());
    QCOMPARE(accepted.count(), 1);
    QCOMPARE(m_server->webService().tokenA(), std::string("first1"));
    const auto exchanges = browser.exchanges();
    QCOMPARE(exchanges.size(), 2);
    QVERIFY(exchanges.at(0).wellFormed());
    QVERIFY(!exchanges.at(1).connected); // the port is closed
}

void TestTddSessionServer::nothingIsTakenBeforeTheLoginWait()
{
    m_server->disarmCallback();
    QSignalSpy accepted(m_server, &TddHttpServer::callbackAccepted);
    QCOMPARE(exchange({"GET /taxdata?t=abcdef HTTP/1.1\r\n\r\n"}).header("Content-Type"), QByteArray("text/plain"));
    QCOMPARE(accepted.count(), 0);
    QCOMPARE(m_server->webService().tokenA(), std::string());
}

void TestTddSessionServer::slowConnectionDoesNotBlockAGoodOne()
{
    QSignalSpy accepted(m_server, &TddHttpServer::callbackAccepted);
    FakeBrowser browser(nullptr, QString(), QString(), m_server->port(), TddAutoFill);
    browser.openSlowConnection();
    browser.send({"GET /taxdata?t=" + QByteArray(10 * 1024, 'a') + " HTTP/1.1\r\n\r\n"}); // dropped, no reply
    browser.send({"GET /pausing7315 HTTP/1.1\r\n\r\n"});                                  // no reply
    QTest::qWait(300);
    browser.send({"GET /taxdata?t=abcdef HTTP/1.1\r\n\r\n"});
    QTRY_COMPARE_WITH_TIMEOUT(accepted.count(), 1, 5000);
    QCOMPARE(accepted.at(0).at(0).toString(), QStringLiteral("abcdef"));
    QVERIFY(browser.waitForAll(15000));
    int good = 0;
    for (const auto& e : browser.exchanges()) {
        if (e.request.contains("t=abcdef")) {
            QVERIFY(e.wellFormed());
            ++good;
        } else {
            QCOMPARE(e.reply, QByteArray()); // the long line and the stop word get nothing
        }
    }
    QCOMPARE(good, 1);
}

void TestTddSessionServer::nonLoopbackConnectionIsRefused()
{
    QString outside;
    for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
        if (!address.isLoopback() && address.protocol() == QAbstractSocket::IPv4Protocol)
            outside = address.toString();
    }
    if (outside.isEmpty())
        QSKIP("this machine has no address besides loopback");
    QSignalSpy accepted(m_server, &TddHttpServer::callbackAccepted);
    FakeBrowser browser(nullptr, QString(), QString(), m_server->port(), TddAutoFill);
    browser.send({"GET /taxdata?t=abcdef HTTP/1.1\r\n\r\n"}, outside);
    QVERIFY(browser.waitForAll());
    QVERIFY(!browser.exchanges().value(0).connected);
    QCOMPARE(accepted.count(), 0);
}

void TestTddSessionServer::portInUseIsReported()
{
    QTcpServer other;
    QVERIFY(other.listen(QHostAddress::LocalHost, 0));
    QVERIFY(!m_server->startAndListen(other.serverPort()));
    QVERIFY(!m_server->isRunning());
}

void TestTddSessionServer::stopClosesThePortAtOnce()
{
    const quint16 port = m_server->port();
    m_server->stop();
    QVERIFY(!m_server->isRunning());
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    QVERIFY(!socket.waitForConnected(1000));
}

void TestTddSessionServer::logsUpAndDown()
{
    m_server->stop();
    QFile log(m_home->filePath("tddlog2.txt"));
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = log.readAll().split('\n');
    QRegularExpression up("^Log: \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d http server up$");
    QRegularExpression down("^Log: \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d http server down$");
    QVERIFY(up.match(QString::fromUtf8(lines.value(0))).hasMatch());
    QVERIFY(down.match(QString::fromUtf8(lines.value(1))).hasMatch());
}

void TestTddSessionServer::callbacksAreLoggedWithoutTheirTokens()
{
    FakeBrowser browser(nullptr, QString(), QString(), m_server->port(), TddAutoFill);
    browser.send({"GET /taxdata?t=imagetoken1 HTTP/1.1\r\nSec-Fetch-Dest: image\r\n\r\n"});
    QVERIFY(browser.waitForAll());
    browser.send({"GET /taxdata?t=abc HTTP/1.1\r\n\r\n"});
    QVERIFY(browser.waitForAll());
    browser.send({"GET /taxdata?t=goodtoken22 HTTP/1.1\r\n\r\n"});
    QVERIFY(browser.waitForAll());
    QVERIFY(m_server->rearm(0));
    m_server->disarmCallback();
    FakeBrowser again(nullptr, QString(), QString(), m_server->port(), TddAutoFill);
    again.send({"GET /taxdata?t=latetoken33 HTTP/1.1\r\n\r\n"});
    QVERIFY(again.waitForAll());

    QFile file(m_home->filePath("tddlog2.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QStringList lines;
    for (const QByteArray& line : file.readAll().split('\n'))
        lines << QString::fromUtf8(line).section(' ', 3); // without "Log:", the date and the time
    QCOMPARE(lines, (QStringList{"http server up", "callback refused: Sec-Fetch-Dest image",
                                 "callback refused: the token is not acceptable", "callback accepted",
                                 "http server down",
                                 "the data service refused the callback's token: waiting for the next callback",
                                 "http server up", "callback refused: no login is awaited", ""}));
    file.seek(0);
    const QByteArray log = file.readAll();
    for (const char* token : {"imagetoken1", "goodtoken22", "latetoken33", "abc "})
        QVERIFY2(!log.contains(token), token);
}

// After the data service refused a token, the listener takes the next
// callback as it took the first.
void TestTddSessionServer::rearmedListenerTakesTheNextCallback()
{
    QSignalSpy accepted(m_server, &TddHttpServer::callbackAccepted);
    QCOMPARE(exchange({"GET /taxdata?t=planted1 HTTP/1.1\r\n\r\n"}).header("Content-Type"), QByteArray("text/html"));
    QVERIFY(!m_server->isRunning());
    QVERIFY(m_server->rearm(0));
    QVERIFY(m_server->isRunning());
    QCOMPARE(exchange({"GET /taxdata?t=theuser2 HTTP/1.1\r\n\r\n"}).header("Content-Type"), QByteArray("text/html"));
    QCOMPARE(accepted.count(), 2);
    QCOMPARE(accepted.at(1).at(0).toString(), QStringLiteral("theuser2"));
    QCOMPARE(m_server->webService().tokenA(), std::string("theuser2"));
}

namespace {

// Connections that each write one byte of a request line every interval,
// never finishing it.
struct Drippers
{
    Drippers(quint16 port, int count, int intervalMs)
    {
        for (int i = 0; i < count; ++i) {
            auto* socket = new QTcpSocket(&owner);
            socket->connectToHost(QHostAddress::LocalHost, port);
            sockets << socket;
        }
        QObject::connect(&timer, &QTimer::timeout, &owner, [this] {
            for (QTcpSocket* socket : qAsConst(sockets))
                if (socket->state() == QAbstractSocket::ConnectedState)
                    socket->write("G");
        });
        timer.start(intervalMs);
    }
    bool allConnected() const
    {
        for (QTcpSocket* socket : sockets)
            if (socket->state() != QAbstractSocket::ConnectedState)
                return false;
        return true;
    }
    int open() const
    {
        int n = 0;
        for (QTcpSocket* socket : sockets)
            n += socket->state() == QAbstractSocket::UnconnectedState ? 0 : 1;
        return n;
    }
    QObject owner;
    QTimer timer;
    QList<QTcpSocket*> sockets;
};

} // namespace

// 32 neighbours that each drip a byte every 2 s hold no slot past their
// deadline counted from the accept; the callback is taken afterwards.
void TestTddSessionServer::drippingConnectionsAreClosedAndTheCallbackTaken()
{
    QSignalSpy accepted(m_server, &TddHttpServer::callbackAccepted);
    Drippers drippers(m_server->port(), 32, 2000);
    QTRY_VERIFY_WITH_TIMEOUT(drippers.allConnected(), 5000);
    // Dripping resets nothing: all are closed by their ten seconds
    // (generous here, for a busy machine).
    QTRY_COMPARE_WITH_TIMEOUT(drippers.open(), 0, 20000);
    QCOMPARE(exchange({"GET /taxdata?t=abcdef HTTP/1.1\r\n\r\n"}).header("Content-Type"), QByteArray("text/html"));
    QCOMPARE(accepted.count(), 1);
}

// With every slot held by a slow neighbour, the callback still gets in:
// the oldest idle connection makes room.
void TestTddSessionServer::fullListenerMakesRoomForACallback()
{
    QSignalSpy accepted(m_server, &TddHttpServer::callbackAccepted);
    Drippers drippers(m_server->port(), 32, 2000);
    QTRY_VERIFY_WITH_TIMEOUT(drippers.allConnected(), 5000);
    QTest::qWait(200); // every one accepted by the listener
    QCOMPARE(exchange({"GET /taxdata?t=abcdef HTTP/1.1\r\n\r\n"}).header("Content-Type"), QByteArray("text/html"));
    QCOMPARE(accepted.count(), 1);
    // The first to come was the one to go.
    QTRY_COMPARE_WITH_TIMEOUT(drippers.sockets.first()->state(), QAbstractSocket::UnconnectedState, 3000);
}

QTEST_GUILESS_MAIN(TestTddSessionServer)
#include "tst_tddsessionserver.moc"
