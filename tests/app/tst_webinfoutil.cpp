#include <QtTest>

#include "app/cwebinfoutil.h"
#include "companion/core/qwebclient.h"
#include "fakes/fakehttpserver.h"
#include "fakes/testcerts.h"

// The information page's client: the reply "<status> <word>" read into a
// status and a word, and the word handed out only for statuses 199 to 201.
class TestWebInfoUtil : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void parseReply_data();
    void parseReply();
    void query_data();
    void query();
    void noServerGivesMinusOne();
};

void TestWebInfoUtil::initTestCase()
{
    QVERIFY(QWebClient::addTrustedCaFile(TestCerts::caPem()));
}

void TestWebInfoUtil::cleanupTestCase()
{
    QWebClient::clearTrustedCaFiles();
}

void TestWebInfoUtil::parseReply_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("word");
    QTest::newRow("date") << "200 20250110" << 200 << "20250110";
    QTest::newRow("blanks around") << "  201   abc def" << 201 << "abc";
    QTest::newRow("no word") << "200" << 200 << "";
    QTest::newRow("other status") << "404 x" << 404 << "x";
    QTest::newRow("no number") << "hello" << -1 << "";
    QTest::newRow("empty") << "" << -1 << "";
    QTest::newRow("number too long") << "99999999999 x" << -1 << "";
    QTest::newRow("long word is cut") << "200 " + QString(300, 'w') << 200 << QString(255, 'w');
}

void TestWebInfoUtil::parseReply()
{
    QFETCH(QString, reply);
    QFETCH(int, status);
    QFETCH(QString, word);
    QString parsed = "unset";
    QCOMPARE(CWebInfoUtil::parseReply(reply, parsed), status);
    QCOMPARE(parsed, word);
}

void TestWebInfoUtil::query_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::newRow("199 gives the word") << QByteArray("199 a") << 199 << "a";
    QTest::newRow("201 gives the word") << QByteArray("201 20250110") << 201 << "20250110";
    QTest::newRow("200 without word empties") << QByteArray("200") << 200 << "";
    QTest::newRow("202 keeps out") << QByteArray("202 b") << 202 << "kept";
    QTest::newRow("404 keeps out") << QByteArray("404 x") << 404 << "kept";
    QTest::newRow("no number") << QByteArray("hello") << -1 << "kept";
}

void TestWebInfoUtil::query()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, status);
    QFETCH(QString, out);
    FakeHttpServer server;
    QVERIFY(server.startTls(TestCerts::serverPem(), TestCerts::serverKey()));
    server.setReply(CWebInfoUtil::kInfoPath, FakeReply::text(200, reply));

    CString word = "kept";
    QCOMPARE(CWebInfoUtil(server.hostAndPort()).getInfoByTwoKeyWords("QT1N-2024", "latest", word), status);
    QCOMPARE(QString(word), out);
    QCOMPARE(server.requestCount(), 1);
    const QList<QPair<QString, QString>> items = {{"kw1", "QT1N-2024"}, {"kw2", "latest"}};
    QCOMPARE(server.lastRequest().formItems(), items);
}

void TestWebInfoUtil::noServerGivesMinusOne()
{
    // A port nothing listens on: no reply at all.
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost));
    const QString host = QStringLiteral("127.0.0.1:%1").arg(probe.serverPort());
    probe.close();
    CString word = "kept";
    QCOMPARE(CWebInfoUtil(host).getInfoByTwoKeyWords("QT1N-2024", "latest", word), -1);
    QCOMPARE(QString(word), QString("kept"));
}

QTEST_GUILESS_MAIN(TestWebInfoUtil)
#include "tst_webinfoutil.moc"
