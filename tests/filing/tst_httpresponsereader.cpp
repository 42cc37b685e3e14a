#include <QtTest>

#include "filing/httpresponsereader.h"

// The reader of the filing client's responses, fed in pieces as a
// connection delivers them: every framing a server may use, and the
// responses it must refuse rather than guess at.
class TestHttpResponseReader : public QObject
{
    Q_OBJECT
private slots:
    void framing_data();
    void framing();
    void refused_data();
    void refused();
};

void TestHttpResponseReader::framing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("closed"); // the peer closed after the bytes
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");

    QTest::newRow("content length")
        << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello") << false << 200 << QByteArray("hello");
    QTest::newRow("bytes beyond the length are not the body")
        << QByteArray("HTTP/1.1 500 Internal Server Error\r\nContent-Length: 2\r\n\r\nokEXTRA") << false << 500 << QByteArray("ok");
    QTest::newRow("zero length") << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n") << false << 200 << QByteArray();
    QTest::newRow("chunked")
        << QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n4\r\n<a/>\r\n3;x=1\r\n<b>\r\n0\r\n\r\n")
        << false << 200 << QByteArray("<a/><b>");
    QTest::newRow("ended by the close")
        << QByteArray("HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\n\r\n<env/>") << true << 200 << QByteArray("<env/>");
    QTest::newRow("interim answer first")
        << QByteArray("HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\nContent-Length: 3\r\n\r\nabc") << false << 200 << QByteArray("abc");
    QTest::newRow("no content") << QByteArray("HTTP/1.1 204 No Content\r\n\r\n") << false << 204 << QByteArray();
}

void TestHttpResponseReader::framing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, closed);
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    // One byte at a time: no framing may depend on how the bytes arrive.
    HttpResponseReader reader(1024);
    for (char c : bytes)
        QVERIFY(reader.append(QByteArray(1, c)));
    if (closed) {
        QVERIFY(!reader.isComplete());
        reader.endOfStream();
    }
    QVERIFY(reader.isComplete());
    QCOMPARE(reader.status(), status);
    QCOMPARE(reader.body(), body);
}

void TestHttpResponseReader::refused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("closed");
    QTest::newRow("not HTTP") << QByteArray("SSH-2.0-OpenSSH\r\n\r\n") << false;
    QTest::newRow("status out of range") << QByteArray("HTTP/1.1 700 Odd\r\n\r\n") << false;
    QTest::newRow("malformed length") << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 1x\r\n\r\n") << false;
    QTest::newRow("unknown transfer coding") << QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip\r\n\r\n") << false;
    QTest::newRow("body larger than the limit") << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 5000\r\n\r\n") << false;
    QTest::newRow("cut short") << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabc") << true;
    QTest::newRow("closed inside the head") << QByteArray("HTTP/1.1 200 OK\r\nContent-") << true;
    QTest::newRow("bad chunk end") << QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nabc\r\n") << false;
}

void TestHttpResponseReader::refused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, closed);
    HttpResponseReader reader(1024);
    reader.append(bytes);
    if (closed)
        reader.endOfStream();
    QVERIFY(reader.hasFailed());
    QVERIFY(!reader.isComplete());
}

QTEST_GUILESS_MAIN(TestHttpResponseReader)
#include "tst_httpresponsereader.moc"
