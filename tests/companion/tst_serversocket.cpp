#include <QtTest>

#include "companion/core/qserversocket.h"

#include <QPointer>
#include <QTcpSocket>

using Chunks = QList<QByteArray>;

class TestServerSocket : public QObject
{
    Q_OBJECT
private slots:
    void listensOnLoopbackOnly();
    void oneSignalPerCompleteRequest_data();
    void oneSignalPerCompleteRequest();
    void requestLineOnly_data();
    void requestLineOnly();
    void requestLineWithTheHeaderThatCame_data();
    void requestLineWithTheHeaderThatCame();
    void oneRequestConnectionsHaveADeadlineFromTheAccept();
    void receiverRepliesOnTheSocket();
    void badRequestsAreDropped_data();
    void badRequestsAreDropped();
    void stalledRequestIsDropped();
    void closeStopsListening();
    void busyPortIsReported();
    void receiverMayDeleteTheServer();

private:
    // Connects to the server, writes the chunks with pauses between them so
    // that they arrive as separate reads.
    static bool sendChunks(QTcpSocket& client, quint16 port, const Chunks& chunks)
    {
        client.connectToHost(QHostAddress::LocalHost, port);
        if (!client.waitForConnected(3000))
            return false;
        for (const QByteArray& chunk : chunks) {
            client.write(chunk);
            client.flush();
            QTest::qWait(30);
        }
        return true;
    }
};

void TestServerSocket::listensOnLoopbackOnly()
{
    QServerSocket server(0, nullptr);
    QVERIFY2(server.isListening(), qPrintable(server.errorString()));
    QVERIFY(server.serverPort() != 0);
    QCOMPARE(server.serverAddress(), QHostAddress(QHostAddress::LocalHost));
    QCOMPARE(server.serverAddress().toString(), QStringLiteral("127.0.0.1"));
}

void TestServerSocket::oneSignalPerCompleteRequest_data()
{
    QTest::addColumn<Chunks>("chunks");
    QTest::addColumn<Chunks>("expected");

    const QByteArray get = "GET /taxdata?t=abcdef HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
    const QByteArray post = "POST /cb HTTP/1.1\r\nContent-Length: 11\r\n\r\nhello world";
    QTest::newRow("whole in one write") << Chunks{get} << Chunks{get};
    QTest::newRow("split over three writes")
        << Chunks{get.left(7), get.mid(7, 30), get.mid(37)} << Chunks{get};
    QTest::newRow("blank line split") << Chunks{get.left(get.size() - 2), get.right(2)} << Chunks{get};
    QTest::newRow("body arrives later")
        << Chunks{post.left(post.size() - 11), "hello", " world"} << Chunks{post};
    QTest::newRow("two requests in one write") << Chunks{get + post} << Chunks{get, post};
    QTest::newRow("second request split")
        << Chunks{get + post.left(10), post.mid(10)} << Chunks{get, post};
    const QByteArray bareLf = "GET /logout HTTP/1.0\nHost: x\n\n";
    QTest::newRow("bare line feeds") << Chunks{bareLf} << Chunks{bareLf};
    const QByteArray caps = "POST /x HTTP/1.1\r\ncontent-LENGTH: 3\r\n\r\nabc";
    QTest::newRow("header name case") << Chunks{caps} << Chunks{caps};
}

void TestServerSocket::oneSignalPerCompleteRequest()
{
    QFETCH(Chunks, chunks);
    QFETCH(Chunks, expected);
    QServerSocket server(0, nullptr);
    QVERIFY(server.isListening());
    Chunks received;
    QList<QThread*> threads;
    connect(&server, &QServerSocket::dataReceived, this, [&](QTcpSocket*, QByteArray data) {
        received.append(data);
        threads.append(QThread::currentThread());
    });

    QTcpSocket client;
    QVERIFY(sendChunks(client, server.serverPort(), chunks));
    QTRY_COMPARE(received.size(), expected.size());
    QTest::qWait(50);
    QCOMPARE(received, expected);
    for (QThread* thread : threads)
        QCOMPARE(thread, server.thread());
}

void TestServerSocket::requestLineOnly_data()
{
    QTest::addColumn<Chunks>("chunks");
    QTest::addColumn<Chunks>("expected");
    const QByteArray line = "GET /taxdata?t=abcdef HTTP/1.1\r\n";
    QTest::newRow("line and headers") << Chunks{line + "Host: x\r\n\r\n"} << Chunks{line};
    QTest::newRow("line alone") << Chunks{line} << Chunks{line};
    QTest::newRow("line split") << Chunks{line.left(10), line.mid(10)} << Chunks{line};
    QTest::newRow("only the first of two") << Chunks{line + "\r\n" + line} << Chunks{line};
    QTest::newRow("line over the limit") << Chunks{"GET /" + QByteArray(300, 'a') + " HTTP/1.1\r\n"} << Chunks{};
}

void TestServerSocket::requestLineOnly()
{
    QFETCH(Chunks, chunks);
    QFETCH(Chunks, expected);
    QServerSocket server(0, nullptr);
    server.setMaxRequestBytes(256);
    server.setRequestLineOnly(true);
    Chunks received;
    connect(&server, &QServerSocket::dataReceived, this, [&](QTcpSocket*, QByteArray data) { received.append(data); });
    QTcpSocket client;
    QVERIFY(sendChunks(client, server.serverPort(), chunks));
    QTest::qWait(200);
    QCOMPARE(received, expected);
}

void TestServerSocket::requestLineWithTheHeaderThatCame_data()
{
    QTest::addColumn<Chunks>("chunks");
    QTest::addColumn<Chunks>("expected");
    const QByteArray line = "GET /taxdata?t=abcdef HTTP/1.1\r\n";
    const QByteArray header = "Host: x\r\nSec-Fetch-Dest: image\r\n\r\n";
    QTest::newRow("line and header in one write") << Chunks{line + header} << Chunks{line + header};
    QTest::newRow("nothing after the header's end") << Chunks{line + header + "GET /x HTTP/1.1\r\n\r\n"}
                                                    << Chunks{line + header};
    QTest::newRow("a header that comes later is not waited for") << Chunks{line, header} << Chunks{line};
    QTest::newRow("line alone") << Chunks{line} << Chunks{line};
    QTest::newRow("a header past the limit is left out")
        << Chunks{line + "X: " + QByteArray(300, 'a') + "\r\n\r\n"} << Chunks{line};
}

void TestServerSocket::requestLineWithTheHeaderThatCame()
{
    QFETCH(Chunks, chunks);
    QFETCH(Chunks, expected);
    QServerSocket server(0, nullptr);
    server.setMaxRequestBytes(256);
    server.setRequestLineOnly(true);
    server.setKeepArrivedHeader(true);
    Chunks received;
    connect(&server, &QServerSocket::dataReceived, this, [&](QTcpSocket*, QByteArray data) { received.append(data); });
    QTcpSocket client;
    QVERIFY(sendChunks(client, server.serverPort(), chunks));
    QTest::qWait(200);
    QCOMPARE(received, expected);
}

// A client that writes a byte now and then never completes its request
// line: its connection ends at the deadline counted from the accept.
void TestServerSocket::oneRequestConnectionsHaveADeadlineFromTheAccept()
{
    QServerSocket server(0, nullptr);
    server.setRequestLineOnly(true);
    server.setRequestTimeoutMs(600);
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, server.serverPort());
    QVERIFY(client.waitForConnected(3000));
    QTimer drip;
    connect(&drip, &QTimer::timeout, &client, [&] { client.write("G"); });
    drip.start(150);
    // Each byte would have put off an idle time-out for ever.
    QTRY_COMPARE_WITH_TIMEOUT(client.state(), QAbstractSocket::UnconnectedState, 5000);
}

void TestServerSocket::receiverRepliesOnTheSocket()
{
    QServerSocket server(0, nullptr);
    connect(&server, &QServerSocket::dataReceived, this, [](QTcpSocket* socket, QByteArray data) {
        const QByteArray body = data.startsWith("GET /one") ? "first" : "second";
        socket->write("HTTP/1.0 200 OK\nContent-Type: text/plain\n");
        socket->write("Content-Length: " + QByteArray::number(body.size()) + "\n\n");
        socket->write(body);
        socket->flush();
    });

    QTcpSocket client;
    QVERIFY(sendChunks(client, server.serverPort(), {"GET /one HTTP/1.1\r\n\r\n"}));
    QByteArray reply;
    QTRY_VERIFY((reply += client.readAll()).endsWith("first"));
    QVERIFY(reply.startsWith("HTTP/1.0 200 OK\n"));
    QVERIFY(reply.contains("Content-Length: 5\n\n"));

    // The connection stays usable for a further request.
    reply.clear();
    client.write("GET /two HTTP/1.1\r\n\r\n");
    QTRY_VERIFY((reply += client.readAll()).endsWith("second"));
    QCOMPARE(client.state(), QAbstractSocket::ConnectedState);
}

void TestServerSocket::badRequestsAreDropped_data()
{
    QTest::addColumn<Chunks>("chunks");
    const QByteArray filler(700, 'a');
    QTest::newRow("header over the limit")
        << Chunks{"GET / HTTP/1.1\r\nX-Pad: " + filler, filler, filler};
    QTest::newRow("declared body over the limit")
        << Chunks{"POST / HTTP/1.1\r\nContent-Length: 5000\r\n\r\n", "abc"};
    QTest::newRow("body over the limit in pieces")
        << Chunks{"POST / HTTP/1.1\r\nContent-Length: 1900\r\n\r\n", filler, filler};
    QTest::newRow("chunked body") << Chunks{"POST / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n0\r\n\r\n"};
    QTest::newRow("bad length") << Chunks{"POST / HTTP/1.1\r\nContent-Length: 3x\r\n\r\nabc"};
    QTest::newRow("negative length") << Chunks{"POST / HTTP/1.1\r\nContent-Length: -1\r\n\r\n"};
    QTest::newRow("conflicting lengths")
        << Chunks{"POST / HTTP/1.1\r\nContent-Length: 3\r\nContent-Length: 4\r\n\r\nabcd"};
}

void TestServerSocket::badRequestsAreDropped()
{
    QFETCH(Chunks, chunks);
    QServerSocket server(0, nullptr);
    server.setMaxRequestBytes(1024);
    QCOMPARE(server.maxRequestBytes(), 1024);
    int emitted = 0;
    connect(&server, &QServerSocket::dataReceived, this, [&] { ++emitted; });

    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, server.serverPort());
    QVERIFY(client.waitForConnected(3000));
    for (const QByteArray& chunk : chunks) {
        if (client.state() != QAbstractSocket::ConnectedState)
            break;
        client.write(chunk);
        client.flush();
        QTest::qWait(30);
    }
    QTRY_COMPARE(client.state(), QAbstractSocket::UnconnectedState);
    QCOMPARE(emitted, 0);

    // The server itself carries on.
    QTcpSocket next;
    QVERIFY(sendChunks(next, server.serverPort(), {"GET /ok HTTP/1.1\r\n\r\n"}));
    QTRY_COMPARE(emitted, 1);
}

void TestServerSocket::stalledRequestIsDropped()
{
    QServerSocket server(0, nullptr);
    server.setRequestTimeoutMs(200);
    QCOMPARE(server.requestTimeoutMs(), 200);
    int emitted = 0;
    connect(&server, &QServerSocket::dataReceived, this, [&] { ++emitted; });

    QTcpSocket client;
    QVERIFY(sendChunks(client, server.serverPort(), {"GET /taxdata?t=abc"}));
    QElapsedTimer clock;
    clock.start();
    QTRY_COMPARE_WITH_TIMEOUT(client.state(), QAbstractSocket::UnconnectedState, 3000);
    QVERIFY(clock.elapsed() < 2000);
    QCOMPARE(emitted, 0);
}

void TestServerSocket::closeStopsListening()
{
    QServerSocket server(0, nullptr);
    const quint16 port = server.serverPort();
    QVERIFY(server.isListening());
    server.close();
    QVERIFY(!server.isListening());

    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, port);
    QVERIFY(!client.waitForConnected(1000));
    QCOMPARE(client.error(), QAbstractSocket::ConnectionRefusedError);
}

void TestServerSocket::busyPortIsReported()
{
    QServerSocket first(0, nullptr);
    QVERIFY(first.isListening());
    QServerSocket second(first.serverPort(), nullptr);
    QVERIFY(!second.isListening());
    QVERIFY(!second.errorString().isEmpty());

    QServerSocket outOfRange(70000, nullptr);
    QVERIFY(!outOfRange.isListening());
}

void TestServerSocket::receiverMayDeleteTheServer()
{
    QPointer<QServerSocket> server = new QServerSocket(0, nullptr);
    int emitted = 0;
    connect(server.data(), &QServerSocket::dataReceived, this, [&](QTcpSocket* socket, QByteArray) {
        ++emitted;
        socket->write("HTTP/1.0 200 OK\n\n");
        socket->flush();
        delete server.data();
    });
    QTcpSocket client;
    // Two requests in one write: the second must not reach a deleted server.
    QVERIFY(sendChunks(client, server->serverPort(),
                       {"GET /a HTTP/1.1\r\n\r\nGET /b HTTP/1.1\r\n\r\n"}));
    QTRY_VERIFY(server.isNull());
    QTest::qWait(50);
    QCOMPARE(emitted, 1);
}

QTEST_MAIN(TestServerSocket)
#include "tst_serversocket.moc"
