#include <QtTest>

#include "companion/core/qwebclient.h"
#include "fakes/fakehttpserver.h"
#include "fakes/testcerts.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>

class TestWebClient : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void postReturnsAnyHttpReply_data();
    void postReturnsAnyHttpReply();
    void formItemsKeepOrderAndEncoding();
    void authorization_data();
    void authorization();
    void headerInjectionIsRefused();
    void multipartUploadCarriesFileAndItems();
    void multipartWithMissingFileSendsNothing();
    void download_data();
    void download();
    void timeoutWhenServerNeverAnswers();
    void refusedConnectionIsNoReply();
    void oversizedReplyIsRefused();
    void redirects_data();
    void redirects();
    void crossOriginHttpsRedirect_data();
    void crossOriginHttpsRedirect();
    void loginFormNeverFollowsToAnotherOrigin_data();
    void loginFormNeverFollowsToAnotherOrigin();
    void soapPost_data();
    void soapPost();
    void worksFromWorkerThread();
    void tlsTrustComesOnlyFromAddedCa();
    void caFileWithoutCertificateIsRejected();

private:
    static QList<QPair<QString, QString>> items(std::initializer_list<QPair<QString, QString>> list)
    {
        return QList<QPair<QString, QString>>(list);
    }
};

void TestWebClient::init()
{
    QWebClient::clearTrustedCaFiles();
}

void TestWebClient::cleanup()
{
    QWebClient::clearTrustedCaFiles();
}

void TestWebClient::postReturnsAnyHttpReply_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("200 with body") << 200 << QByteArray("200 20250101");
    QTest::newRow("500 keeps body") << 500 << QByteArray("{\"error\":\"broken\"}");
    QTest::newRow("404 empty") << 404 << QByteArray();
    QTest::newRow("400 with body") << 400 << QByteArray("missing field");
    QTest::newRow("401 with body") << 401 << QByteArray("{\"message\":\"Unauthenticated.\"}");
    QTest::newRow("503 with body") << 503 << QByteArray("busy");
    QTest::newRow("utf-8 body") << 200 << QByteArray("Qu\xC3\xA9" "bec");
}

void TestWebClient::postReturnsAnyHttpReply()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    FakeHttpServer server;
    QVERIFY(server.start());
    server.setDefaultReply(FakeReply::text(status, body));

    QWebClient client(server.url("/info/check.php").toUtf8().constData(), false);
    QString reply = "stale";
    QVERIFY2(client.post(reply, nullptr), qPrintable(client.lastError()));
    QCOMPARE(client.lastStatusCode(), status);
    QCOMPARE(reply, QString::fromUtf8(body));
    QVERIFY(client.lastError().isEmpty());
    QCOMPARE(server.requestCount(), 1);
    QCOMPARE(server.lastRequest().method, QByteArray("POST"));
    QCOMPARE(server.lastRequest().path(), QByteArray("/info/check.php"));
}

void TestWebClient::formItemsKeepOrderAndEncoding()
{
    FakeHttpServer server;
    QVERIFY(server.start());
    const auto sent = items({{"kw1", "QT1N-2024"},
                             {"msg", "a+b&c=d 100%"},
                             {"name", QStringLiteral("Québec ✓")},
                             {"empty", ""},
                             {"a", "last"}});
    QWebClient client(server.url("/form"));
    for (const auto& item : sent)
        client.addQueryItem(item.first, item.second);
    QString reply;
    QVERIFY(client.post(reply));

    const RecordedRequest request = server.lastRequest();
    QCOMPARE(request.header("Content-Type"), QByteArray("application/x-www-form-urlencoded"));
    QCOMPARE(request.formItems(), sent);
    // "+" must not reach the server bare, or it would decode as a space.
    QVERIFY(request.body.contains("msg=a%2Bb%26c%3Dd%20100%25"));
    QVERIFY(request.body.startsWith("kw1=QT1N-2024&msg="));
}

void TestWebClient::authorization_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("none") << "none" << QByteArray();
    QTest::newRow("basic") << "basic" << QByteArray("Basic dXNlckBleGFtcGxlLmNvbTpzM2NyZXQ=");
    QTest::newRow("bearer") << "bearer" << QByteArray("Bearer eyJ0b2tlbiI6MX0.abc");
    QTest::newRow("bearer without token") << "empty-token" << QByteArray();
}

void TestWebClient::authorization()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, expected);
    FakeHttpServer server;
    QVERIFY(server.start());
    QWebClient client(server.url("/api/user/login"));
    client.addQueryItem("email", "user@example.com");
    QString reply;
    if (kind == "none")
        QVERIFY(client.post(reply, nullptr));
    else if (kind == "basic")
        QVERIFY(client.post(reply, "dXNlckBleGFtcGxlLmNvbTpzM2NyZXQ="));
    else if (kind == "bearer")
        QVERIFY(client.post(reply, QStringLiteral("eyJ0b2tlbiI6MX0.abc"), QStringLiteral("Bearer")));
    else
        QVERIFY(client.post(reply, QString(), QStringLiteral("Bearer")));
    QCOMPARE(server.lastRequest().header("Authorization"), expected);
}

void TestWebClient::headerInjectionIsRefused()
{
    FakeHttpServer server;
    QVERIFY(server.start());
    QWebClient client(server.url("/api/filing"));
    QString reply;
    QVERIFY(!client.post(reply, QStringLiteral("abc\r\nX-Injected: 1"), QStringLiteral("Bearer")));
    QVERIFY(!client.lastError().isEmpty());
    QTest::qWait(50);
    QCOMPARE(server.requestCount(), 0);
}

void TestWebClient::multipartUploadCarriesFileAndItems()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QByteArray content("%PDF-1.4\n");
    content.append('\0');
    content.append("\r\n--not-a-boundary\r\n\xff\xfe binary tail");
    const QString localPath = dir.filePath("return 2024.pdf");
    {
        QFile file(localPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(content), qint64(content.size()));
    }

    FakeHttpServer server;
    QVERIFY(server.start());
    server.setDefaultReply(FakeReply::json("{\"message\":\"ok\"}"));
    QWebClient client(server.url("/api/signature-requests"), localPath,
                      QStringLiteral("01021530-return \"2024\".pdf"), QStringLiteral("document_file"));
    client.addQueryItem("email", "a@b.ca");
    client.addQueryItem("msg", QStringLiteral("line one\nligne deux é"));
    QString reply;
    QVERIFY2(client.post(reply, "Y3JlZA=="), qPrintable(client.lastError()));
    QCOMPARE(reply, QStringLiteral("{\"message\":\"ok\"}"));

    const RecordedRequest request = server.lastRequest();
    QVERIFY(request.header("Content-Type").startsWith("multipart/form-data"));
    QCOMPARE(request.header("Authorization"), QByteArray("Basic Y3JlZA=="));
    const QList<RecordedRequest::Part> parts = request.parts();
    QCOMPARE(parts.size(), 3);
    QCOMPARE(parts.at(0).name, QByteArray("email"));
    QCOMPARE(parts.at(0).body, QByteArray("a@b.ca"));
    QCOMPARE(parts.at(1).name, QByteArray("msg"));
    QCOMPARE(QString::fromUtf8(parts.at(1).body), QStringLiteral("line one\nligne deux é"));
    QCOMPARE(parts.at(2).name, QByteArray("document_file"));
    QCOMPARE(parts.at(2).fileName, QByteArray("01021530-return %222024%22.pdf"));
    QCOMPARE(parts.at(2).body, content);
}

void TestWebClient::multipartWithMissingFileSendsNothing()
{
    FakeHttpServer server;
    QVERIFY(server.start());
    QWebClient client(server.url("/php/fileupload2.php"), "/nonexistent/folder/x.vdr", "x.vdr", "file");
    QString reply = "stale";
    QVERIFY(!client.post(reply));
    QVERIFY(reply.isEmpty());
    QVERIFY(client.lastError().contains("/nonexistent/folder/x.vdr"));
    QTest::qWait(50);
    QCOMPARE(server.requestCount(), 0);
}

void TestWebClient::download_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("silent");
    QTest::addColumn<bool>("expectOk");
    QTest::newRow("200 replaces file") << 200 << false << true;
    QTest::newRow("404 keeps file") << 404 << false << false;
    QTest::newRow("500 keeps file") << 500 << false << false;
    QTest::newRow("time-out keeps file") << 200 << true << false;
}

void TestWebClient::download()
{
    QFETCH(int, status);
    QFETCH(bool, silent);
    QFETCH(bool, expectOk);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("t1_clientletter_own.pdf");
    const QByteArray oldContent("old letter");
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(oldContent);
    }
    QByteArray newContent(200000, 'x');
    newContent.prepend("%PDF-new");

    FakeHttpServer server;
    QVERIFY(server.start());
    server.setDefaultReply(silent ? FakeReply::silent() : FakeReply::text(status, newContent));
    QWebClient client(server.url("/templates/letter.pdf"));
    // Short only where the time-out is the point: a busy machine may take
    // longer than that to serve the answering rows.
    client.setTimeoutMs(silent ? 300 : 10000);
    QCOMPARE(client.getDownloadFile(path), expectOk);
    QCOMPARE(server.lastRequest().method, QByteArray("GET"));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), expectOk ? newContent : oldContent);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"t1_clientletter_own.pdf"});
}

void TestWebClient::timeoutWhenServerNeverAnswers()
{
    FakeHttpServer server;
    QVERIFY(server.start());
    server.setDefaultReply(FakeReply::silent());
    QWebClient client(server.url("/slow"));
    client.setTimeoutMs(300);
    QCOMPARE(client.timeoutMs(), 300);
    QString reply = "stale";
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!client.post(reply));
    const qint64 elapsed = clock.elapsed();
    QVERIFY2(elapsed >= 250 && elapsed < 3000, qPrintable(QString::number(elapsed)));
    QVERIFY(reply.isEmpty());
    QCOMPARE(client.lastStatusCode(), 0);
    QVERIFY(client.lastError().contains("300"));
    QCOMPARE(server.requestCount(), 1);
}

void TestWebClient::refusedConnectionIsNoReply()
{
    quint16 closedPort = 0;
    {
        FakeHttpServer server;
        QVERIFY(server.start());
        closedPort = server.port();
    }
    QWebClient client(QStringLiteral("http://127.0.0.1:%1/x").arg(closedPort));
    QString reply;
    QVERIFY(!client.post(reply));
    QCOMPARE(client.lastStatusCode(), 0);
    QVERIFY(!client.lastError().isEmpty());

    QWebClient invalid("not a url", false);
    QVERIFY(!invalid.post(reply));
    QWebClient ftp("ftp://127.0.0.1/x", false);
    QVERIFY(!ftp.post(reply));
}

void TestWebClient::oversizedReplyIsRefused()
{
    FakeHttpServer server;
    QVERIFY(server.start());
    server.setDefaultReply(FakeReply::text(200, QByteArray(5000, 'z')));
    QWebClient client(server.url("/big"));
    client.setMaxReplyBytes(1000);
    QString reply;
    QVERIFY(!client.post(reply));
    QVERIFY(reply.isEmpty());
    QVERIFY(client.lastError().contains("1000"));

    client.setMaxReplyBytes(5000);
    QVERIFY(client.post(reply));
    QCOMPARE(reply.size(), 5000);
}

void TestWebClient::redirects_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("expectOk");
    QTest::newRow("same origin followed") << "same" << true;
    QTest::newRow("other plain-http origin refused") << "elsewhere" << false;
    QTest::newRow("endless redirects stop") << "loop" << false;
}

void TestWebClient::redirects()
{
    QFETCH(QString, target);
    QFETCH(bool, expectOk);
    FakeHttpServer server;
    FakeHttpServer elsewhere;
    QVERIFY(server.start());
    QVERIFY(elsewhere.start());
    elsewhere.setDefaultReply(FakeReply::text(200, "elsewhere"));
    server.setReply("/final", FakeReply::text(200, "final"));
    const QString location = target == "same" ? server.url("/final")
                           : target == "elsewhere" ? elsewhere.url("/final")
                                                   : server.url("/start");
    server.setReply("/start", FakeReply::redirect(location.toUtf8()));

    QWebClient client(server.url("/start"));
    client.setTimeoutMs(10000);
    QString reply;
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(client.post(reply), expectOk);
    // Stopped by the redirect rules, not by the time-out.
    QVERIFY(clock.elapsed() < 5000);
    if (expectOk) {
        QCOMPARE(reply, QStringLiteral("final"));
        QCOMPARE(server.lastRequest().path(), QByteArray("/final"));
    } else {
        QVERIFY(!client.lastError().isEmpty());
    }
    QTest::qWait(20);
    QCOMPARE(elsewhere.requestCount(), 0);
}

void TestWebClient::crossOriginHttpsRedirect_data()
{
    QTest::addColumn<bool>("withCredential");
    QTest::newRow("anonymous request follows") << false;
    QTest::newRow("credentials never leave the origin") << true;
}

void TestWebClient::crossOriginHttpsRedirect()
{
    QFETCH(bool, withCredential);
    QVERIFY(QWebClient::addTrustedCaFile(TestCerts::caPem()));
    FakeHttpServer secure;
    QVERIFY(secure.startTls(TestCerts::serverPem(), TestCerts::serverKey()));
    secure.setDefaultReply(FakeReply::text(200, "moved here"));
    FakeHttpServer server;
    QVERIFY(server.start());
    server.setDefaultReply(FakeReply::redirect(secure.url("/new").toUtf8(), 307));

    QWebClient client(server.url("/old"));
    client.setTimeoutMs(5000);
    QString reply;
    const bool ok = withCredential ? client.post(reply, "dTpw") : client.post(reply);
    QCOMPARE(ok, !withCredential);
    QTest::qWait(20);
    QCOMPARE(secure.requestCount(), withCredential ? 0 : 1);
    if (!withCredential)
        QCOMPARE(reply, QStringLiteral("moved here"));
}

void TestWebClient::loginFormNeverFollowsToAnotherOrigin_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("how"); // "form", "soap"
    // 307 and 308 would send the body again, password and all.
    QTest::newRow("307, a login form") << 307 << "form";
    QTest::newRow("308, a login form") << 308 << "form";
    QTest::newRow("302, a login form") << 302 << "form";
    QTest::newRow("307, a SOAP envelope") << 307 << "soap";
}

// A login that posts its password in the form body is redirected by its
// host to another (trusted, https) origin: nothing reaches the other
// origin, and the failure names the target.
void TestWebClient::loginFormNeverFollowsToAnotherOrigin()
{
    QFETCH(int, status);
    QFETCH(QString, how);
    QVERIFY(QWebClient::addTrustedCaFile(TestCerts::caPem()));
    FakeHttpServer other;
    QVERIFY(other.startTls(TestCerts::serverPem(), TestCerts::serverKey()));
    other.setDefaultReply(FakeReply::text(200, R"({"access_token":"stolen"})"));
    FakeHttpServer login;
    QVERIFY(login.startTls(TestCerts::serverPem(), TestCerts::serverKey()));
    const QString target = other.url("/api/user/login");
    login.setDefaultReply(FakeReply::redirect(target.toUtf8(), status));

    QWebClient client(login.url("/api/user/login"));
    client.setTimeoutMs(5000);
    bool ok = true;
    if (how == "form") {
        client.addQueryItem(QStringLiteral("email"), QStringLiteral("a@b.ca"));
        client.addQueryItem(QStringLiteral("password"), QStringLiteral("s3cret-pw"));
        QString reply;
        ok = client.post(reply);
    } else {
        std::string reply;
        ok = client.postSoapXML("<S:Envelope><Password>s3cret-pw</Password></S:Envelope>", "text/xml", nullptr,
                                nullptr, reply);
    }
    QVERIFY(!ok);
    QCOMPARE(client.lastError(), QStringLiteral("Redirect (status %1) to %2 refused").arg(status).arg(target));
    QCOMPARE(login.requestCount(), 1);
    QTest::qWait(50);
    QCOMPARE(other.requestCount(), 0);
}

void TestWebClient::soapPost_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("replyBody");
    QTest::newRow("ok") << 200 << QByteArray("<?xml version=\"1.0\"?><soapenv:Envelope/>");
    QTest::newRow("fault comes with 500") << 500
        << QByteArray("<soapenv:Envelope><soapenv:Body><soapenv:Fault><faultstring>bad</faultstring>"
                      "</soapenv:Fault></soapenv:Body></soapenv:Envelope>");
}

void TestWebClient::soapPost()
{
    QFETCH(int, status);
    QFETCH(QByteArray, replyBody);
    FakeHttpServer server;
    QVERIFY(server.start());
    server.setDefaultReply(FakeReply::xml(replyBody, status));
    const std::string request = "<S:Envelope><S:Body><Sin>046454286</Sin><Name>Émile</Name></S:Body></S:Envelope>";

    QWebClient client(server.url("/ebci/pfno/ws/services/FileReturnService").toUtf8().constData(), false);
    std::string reply = "stale";
    QVERIFY2(client.postSoapXML(request, "text/xml; charset=UTF-8", nullptr, nullptr, reply),
             qPrintable(client.lastError()));
    QCOMPARE(QByteArray::fromStdString(reply), replyBody);
    QCOMPARE(client.lastStatusCode(), status);

    const RecordedRequest seen = server.lastRequest();
    QCOMPARE(seen.method, QByteArray("POST"));
    QCOMPARE(seen.body, QByteArray::fromStdString(request));
    QCOMPARE(seen.header("Content-Type"), QByteArray("text/xml; charset=UTF-8"));
    QCOMPARE(seen.header("SOAPAction"), QByteArray("\"\""));

    QVERIFY(client.postSoapXML(request, nullptr, "urn:submit", "X-Trace: 42", reply));
    QCOMPARE(server.lastRequest().header("SOAPAction"), QByteArray("\"urn:submit\""));
    QCOMPARE(server.lastRequest().header("X-Trace"), QByteArray("42"));
    QCOMPARE(server.lastRequest().header("Content-Type"), QByteArray("text/xml; charset=UTF-8"));

    QVERIFY(!client.postSoapXML(request, nullptr, nullptr, "Bad Header\r\nX: y", reply));
    QVERIFY(reply.empty());
}

void TestWebClient::worksFromWorkerThread()
{
    FakeHttpServer server;
    QVERIFY(server.start());
    server.setDefaultReply(FakeReply::text(200, "from worker"));
    const QString url = server.url("/ebci/awsc/tdd/ws/2024/TaxDataDeliveryService");

    bool ok = false;
    std::string reply;
    QThread* worker = QThread::create([&] {
        QWebClient client(url, false);
        client.setTimeoutMs(5000);
        ok = client.postSoapXML("<x/>", "text/xml; charset=UTF-8", nullptr, nullptr, reply);
    });
    worker->start();
    QTRY_VERIFY_WITH_TIMEOUT(worker->isFinished(), 10000);
    delete worker;
    QVERIFY(ok);
    QCOMPARE(reply, std::string("from worker"));
}

void TestWebClient::tlsTrustComesOnlyFromAddedCa()
{
    FakeHttpServer trusted;
    QVERIFY(trusted.startTls(TestCerts::serverPem(), TestCerts::serverKey()));
    trusted.setDefaultReply(FakeReply::text(200, "secure hello"));
    FakeHttpServer unknown;
    QVERIFY(unknown.startTls(TestCerts::otherServerPem(), TestCerts::otherServerKey()));
    unknown.setDefaultReply(FakeReply::text(200, "should never be read"));

    QString reply;
    {
        QWebClient client(trusted.url("/api/user/login"));
        client.setTimeoutMs(5000);
        QVERIFY(!client.post(reply));
        QCOMPARE(client.lastStatusCode(), 0);
        QVERIFY(!client.lastError().isEmpty());
        QCOMPARE(trusted.requestCount(), 0);
        QTRY_COMPARE(trusted.failedHandshakes(), 1);
    }

    QVERIFY(QWebClient::addTrustedCaFile(TestCerts::caPem()));
    {
        QWebClient client(trusted.url("/api/user/login"));
        client.setTimeoutMs(5000);
        QVERIFY2(client.post(reply), qPrintable(client.lastError()));
        QCOMPARE(reply, QStringLiteral("secure hello"));
        QCOMPARE(trusted.requestCount(), 1);
    }
    {
        QWebClient client(unknown.url("/api/user/login"));
        client.setTimeoutMs(5000);
        QVERIFY(!client.post(reply));
        QVERIFY(reply.isEmpty());
        QCOMPARE(unknown.requestCount(), 0);
        QTRY_COMPARE(unknown.failedHandshakes(), 1);
    }

    // Trust is process-wide and can be withdrawn.
    QWebClient::clearTrustedCaFiles();
    {
        QWebClient client(trusted.url("/again"));
        client.setTimeoutMs(5000);
        QVERIFY(!client.post(reply));
    }
}

void TestWebClient::caFileWithoutCertificateIsRejected()
{
    QTemporaryDir dir;
    const QString junk = dir.filePath("junk.pem");
    QFile file(junk);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("-----BEGIN CERTIFICATE-----\nnot base64 at all\n-----END CERTIFICATE-----\n");
    file.close();
    QVERIFY(!QWebClient::addTrustedCaFile(junk));
    QVERIFY(!QWebClient::addTrustedCaFile(dir.filePath("missing.pem")));
    QVERIFY(!QWebClient::addTrustedCaFile(TestCerts::serverKey()));
}

QTEST_MAIN(TestWebClient)
#include "tst_webclient.moc"
