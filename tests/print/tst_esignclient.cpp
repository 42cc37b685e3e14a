// The e-signature service's client against its stand-in on loopback HTTPS,
// with TLS verification on: the request signature, the Basic credential,
// the account test, the login and the account check of the preferences.
#include <QtTest>

#include "common/featurecontextfixture.h"
#include "companion/core/jsonutil.h"
#include "companion/core/qwebclient.h"
#include "fakes/esignfake.h"
#include "print/esign/quilloraccountcheck.h"
#include "print/esign/quillorclient.h"

namespace {

const QString kEmail = QStringLiteral("préparateur@exemple.ca");
const QString kPassword = QStringLiteral("motdepasse");
const QString kTitle = QStringLiteral("voDarevivo T1 2024 - Testing");
const QString kLoginFailed =
    QStringLiteral("Cannot login into Quillor, please check Quillor email/password setting in preference");
const QString kNotConfigured =
    QStringLiteral("Enter Quillor points email/password in preference, they are used for Quillor purpose.");
const QString kNetworkProblem = QStringLiteral("Check account points failed, maybe network problem!");

// Everything the process logged while the tests ran: no secret may be in it.
QStringList g_logged;
QtMessageHandler g_previousHandler = nullptr;

void keepMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    g_logged << message;
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}

QuillorSettings settingsOf(const EsignFake& fake, const QString& email, const QString& password)
{
    return QuillorSettings{fake.hostAndPort(), email, password, kTitle};
}

QString onlyText(const ScriptedPrompter& prompter)
{
    return prompter.records().size() == 1 ? prompter.records().front().texts.join('\n') : QStringLiteral("<%1 prompts>").arg(prompter.records().size());
}

} // namespace

class TestEsignClient : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        g_previousHandler = qInstallMessageHandler(keepMessage);
        QString why;
        QVERIFY2(EsignFake::makeCertificates(why), qPrintable(why));
        QVERIFY(QWebClient::addTrustedCaFile(EsignFake::caFile()));
        // A closed or unanswered request must not hold the suite for a minute.
        QWebClient::setDefaultTimeoutMs(5000);
    }

    void cleanupTestCase()
    {
        qInstallMessageHandler(g_previousHandler);
        // Secrets used by these tests: passwords, a credential, tokens, a S.I.N.
        const QStringList secrets{kPassword, QStringLiteral("cHLDqXBhcmF0ZXVyQGV4ZW1wbGUuY2E6bW90ZGVwYXNzZQ=="),
                                  QStringLiteral("tok-1"), QStringLiteral("046454286"), QStringLiteral("s3cret-pw")};
        for (const QString& line : qAsConst(g_logged))
            for (const QString& secret : secrets)
                QVERIFY2(!line.contains(secret), qPrintable(QStringLiteral("logged: ") + line));
    }

    void requestSignature_data()
    {
        QTest::addColumn<QString>("func");
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("digest");
        // Digests worked with sha256sum over the text's bytes.
        QTest::newRow("e-delivery of a whole return")
            << "DOCDELI" << "T1GEN" << "046454286"
            << "T1KW2024DOCDELIT1KW2024_T1GEN046454286Q7M2X8K4V1R9T3W6Z5H0B2N8"
            << "f775b4c85661295eba0a16ca9f249709be2a5c9e50ce4ee7da62ab129ad648ec";
        QTest::newRow("filing record, masked S.I.N.")
            << "FLNGRCD" << "T1135" << "0*****286"
            << "T1KW2024FLNGRCDT1KW2024_T11350*****286Q7M2X8K4V1R9T3W6Z5H0B2N8"
            << "6c2c19cc57292c9a2b6a9439bb454b8f73c4b9d7c39357eb942ba13241c73276";
    }
    void requestSignature()
    {
        QFETCH(QString, func);
        QFETCH(QString, form);
        QFETCH(QString, id);
        CString text = "left over";
        QuillorClient::_formDocServiceMsg1(func.toUtf8().constData(), form, id, text);
        QTEST(QString(text), "text");
        QTEST(QuillorClient::msg1Digest(text), "digest");
    }

    void urlsAndFixedValues()
    {
        QCOMPARE(QuillorClient::url("127.0.0.1:4443", "/api/user/login"), QString("https://127.0.0.1:4443/api/user/login"));
        QCOMPARE(QString(s_msg_network_fail), QString("Network query failed, check firewall settings."));
        QCOMPARE(QString(s_msg_invalid_result), QString("Invalid result returned."));
        QCOMPARE(QString(QuillorClient::kSoftwareCode), QString("T1KW2024"));
        QCOMPARE(QString(QuillorClient::kLoginType), QString("kestrova"));
        QCOMPARE(QString(QuillorClient::kTaxYear), QString("2024"));
    }

    void invalidResultShowsTheStartOfTheReply()
    {
        QCOMPARE(QuillorClient::invalidResultText("{}"), QString("Invalid result returned.{}"));
        const QString longReply = "<html>" + QString(300, 'x') + "</html>";
        const QString shown = QuillorClient::invalidResultText(longReply);
        QCOMPARE(shown, "Invalid result returned." + longReply.left(200));
    }

    // The credential goes whole, whatever its length, and covers every
    // UTF-8 byte of the e-mail, the colon and the password.
    void basicCredentialIsSentWhole_data()
    {
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("expected"); // empty: only the length is known
        QTest::addColumn<int>("length");
        QTest::newRow("accented e-mail") << kEmail << kPassword
                                         << "cHLDqXBhcmF0ZXVyQGV4ZW1wbGUuY2E6bW90ZGVwYXNzZQ==" << 48;
        // "a@b.ca:" is 7 bytes; 188 more make 195 bytes: 4 * 65 = 260 characters.
        QTest::newRow("195 bytes") << "a@b.ca" << QString(188, 'p') << QString() << 260;
        // 7 + 293 = 300 bytes: 4 * 100 = 400 characters, past the old 264-byte buffer.
        QTest::newRow("300 bytes") << "a@b.ca" << QString(293, 'p') << QString() << 400;
    }
    void basicCredentialIsSentWhole()
    {
        QFETCH(QString, email);
        QFETCH(QString, password);
        QFETCH(QString, expected);
        QFETCH(int, length);
        EsignFake fake;
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        FeatureContextFixture f;
        QuillorClient client(f.context, [&] { return settingsOf(fake, email, password); });
        QWebClient web(client.url("/api/filing"), false);
        const QuillorReply reply = client.post(web, QuillorClient::Auth::Basic);
        QVERIFY(reply.arrived);

        const QList<QJsonObject> records = fake.records();
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].value("authKind").toString(), QString("Basic"));
        const QString sent = records[0].value("authValue").toString();
        QCOMPARE(sent.size(), length);
        if (!expected.isEmpty())
            QCOMPARE(sent, expected);
        QCOMPARE(QString::fromUtf8(QByteArray::fromBase64(sent.toLatin1())), email + ':' + password);
    }

    void bearerTokenIsSentWithItsScheme()
    {
        EsignFake fake;
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        FeatureContextFixture f;
        QuillorClient client(f.context, [&] { return settingsOf(fake, kEmail, kPassword); });
        QWebClient web(client.url("/api/signature-requests/42"), false);
        client.post(web, QuillorClient::Auth::Bearer, "tok-7");
        QCOMPARE(fake.records().size(), 1);
        QCOMPARE(fake.records()[0].value("authKind").toString(), QString("Bearer"));
        QCOMPARE(fake.records()[0].value("authValue").toString(), QString("tok-7"));
        QCOMPARE(fake.records()[0].value("path").toString(), QString("/api/signature-requests/42"));
    }

    // The stand-in takes an upload only with the items in order and a msg1
    // that it can recompute, and records what arrived.
    void serviceChecksUploads_data()
    {
        QTest::addColumn<QString>("msg1Id");
        QTest::addColumn<int>("status");
        QTest::newRow("signed with the S.I.N. sent") << "046454286" << 200;
        QTest::newRow("signed with another S.I.N.") << "046454287" << 400;
    }
    void serviceChecksUploads()
    {
        QFETCH(QString, msg1Id);
        QFETCH(int, status);
        EsignFake fake(QJsonObject{{kEmail, kPassword}});
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        QTemporaryDir dir;
        const QString pdf = dir.filePath("return.pdf");
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QByteArray content = "%PDF-1.4 test document";
        file.write(content);
        file.close();

        FeatureContextFixture f;
        QuillorClient client(f.context, [&] { return settingsOf(fake, kEmail, kPassword); });
        QWebClient web(client.url("/api/signature-requests"), pdf, "return.pdf", "document_file");
        CString text;
        QuillorClient::_formDocServiceMsg1("DOCDELI", "T1GEN", msg1Id, text);
        const QList<QPair<QString, QString>> items{
            {"email", "client@exemple.ca"}, {"password", "4286"}, {"licdata", "046454286"},
            {"expires_in_days", "30"}, {"sw", QuillorClient::kSoftwareCode}, {"func", "DOCDELI"},
            {"form", "T1GEN"}, {"sender_note", "note"}, {"msg1", QuillorClient::msg1Digest(text)},
            {"login_type", QuillorClient::kLoginType}};
        for (const auto& item : items)
            web.addQueryItem(item.first, item.second);
        const QuillorReply reply = client.post(web, QuillorClient::Auth::Basic);
        QVERIFY(reply.arrived);
        QCOMPARE(reply.status, status);
        QCOMPARE(reply.isSuccess(), status == 200);

        const QList<QJsonObject> records = fake.records();
        QCOMPARE(records.size(), 1);
        QCOMPARE(EsignFake::items(records[0]).size(), items.size());
        const QJsonObject upload = records[0].value("upload").toObject();
        QCOMPARE(upload.value("name").toString(), QString("document_file"));
        QCOMPARE(upload.value("fileName").toString(), QString("return.pdf"));
        QCOMPARE(upload.value("size").toInt(), content.size());
        QCOMPARE(upload.value("sha256").toString(),
                 QString::fromLatin1(QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex()));
    }

    // The template's addresses point at the service itself, over https.
    void templatesAndDownloads()
    {
        EsignFake fake(QJsonObject{{kEmail, kPassword}});
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        QFile served(QDir(fake.filesFolder()).filePath("t1_clientletter.pdf"));
        QVERIFY(served.open(QIODevice::WriteOnly));
        served.write("%PDF-1.4 letter");
        served.close();

        FeatureContextFixture f;
        QuillorClient client(f.context, [&] { return settingsOf(fake, kEmail, kPassword); });
        QString token;
        QCOMPARE(client.loginToQuillorCA(token), int(QuillorClient::LoginOk));
        QWebClient web(client.url("/api/templates/latest"), false);
        web.addQueryItem("software_name", QuillorClient::kProductCode);
        web.addQueryItem("software_version", QuillorClient::kTaxYear);
        web.addQueryItem("type", "client_letter");
        web.addQueryItem("version_info_only", "0");
        const QuillorReply reply = client.post(web, QuillorClient::Auth::Bearer, token);
        QVERIFY(reply.isSuccess());
        JsonUtil json;
        QCOMPARE(json.parseString(reply.body), 0);
        QVERIFY(json.getBoolParam("success"));
        const QJsonObject latest = json.getSubArray("data").at(0).toObject();
        const QString pdfUrl = latest.value("template_pdf_url").toString();
        QCOMPARE(pdfUrl, QString("https://%1/files/t1_clientletter.pdf").arg(fake.hostAndPort()));

        QTemporaryDir dir;
        QWebClient download(pdfUrl, false);
        QVERIFY(download.getDownloadFile(dir.filePath("letter.pdf")));
        QWebClient missing(latest.value("template_xml_url").toString(), false);
        QVERIFY(!missing.getDownloadFile(dir.filePath("letter.xml")));
        QCOMPARE(fake.records().last().value("method").toString(), QString("GET"));

        // Without a valid token the service refuses.
        QWebClient refused(client.url("/api/templates/latest"), false);
        QCOMPARE(client.post(refused, QuillorClient::Auth::Bearer, "tok-x").status, 401);
    }

    void accountNotConfigured()
    {
        EsignFake fake;
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        FeatureContextFixture f;
        QuillorClient client(f.context, [&] { return settingsOf(fake, QString(), QString()); });
        QVERIFY(!client.readyToQuillorCA());
        QCOMPARE(onlyText(f.prompter), kNotConfigured);
        QVERIFY(f.prompter.records().front().hadParent); // over the return page

        f.prompter.clear();
        QString token = "keep";
        QCOMPARE(client.loginToQuillorCA(token), int(QuillorClient::LoginNotConfigured));
        QCOMPARE(onlyText(f.prompter), kNotConfigured); // no second message
        QCOMPARE(token, QString("keep"));
        QVERIFY(fake.records().isEmpty());
    }

    void loginSendsTheAccountAndReturnsTheToken_data()
    {
        QTest::addColumn<QString>("password");
        QTest::newRow("password") << kPassword;
        QTest::newRow("blanks count as set") << "   ";
    }
    void loginSendsTheAccountAndReturnsTheToken()
    {
        QFETCH(QString, password);
        EsignFake fake(QJsonObject{{kEmail, password}});
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        FeatureContextFixture f;
        QuillorClient client(f.context, [&] { return settingsOf(fake, kEmail, password); });
        QString token;
        QCOMPARE(client.loginToQuillorCA(token), int(QuillorClient::LoginOk));
        QCOMPARE(token, QString("tok-1"));
        QVERIFY(f.prompter.records().isEmpty());

        const QList<QJsonObject> records = fake.records();
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].value("method").toString(), QString("POST"));
        QCOMPARE(records[0].value("path").toString(), QString("/api/user/login"));
        QCOMPARE(records[0].value("authKind").toString(), QString("none"));
        QCOMPARE(EsignFake::items(records[0]), QStringList({"email=" + kEmail, "password=" + password}));
    }

    void loginFailures_data()
    {
        QTest::addColumn<QJsonObject>("reply");
        QTest::newRow("error object") << EsignFake::reply(200, R"({"error":"x"})");
        QTest::newRow("HTML") << EsignFake::reply(200, "<html>busy</html>");
        QTest::newRow("empty") << EsignFake::reply(200, "");
        QTest::newRow("401 carrying a token") << EsignFake::reply(401, R"({"access_token":"tok-99"})");
        QTest::newRow("500 carrying a token") << EsignFake::reply(500, R"({"access_token":"tok-99"})");
        QTest::newRow("empty token") << EsignFake::reply(200, R"({"access_token":""})");
        QTest::newRow("no reply") << EsignFake::closed();
    }
    void loginFailures()
    {
        QFETCH(QJsonObject, reply);
        EsignFake fake(QJsonObject{{kEmail, kPassword}});
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        fake.script("/api/user/login", QJsonArray{reply});
        FeatureContextFixture f;
        QuillorClient client(f.context, [&] { return settingsOf(fake, kEmail, kPassword); });
        QString token = "keep";
        QCOMPARE(client.loginToQuillorCA(token), int(QuillorClient::LoginFailed));
        QCOMPARE(token, QString("keep"));
        QCOMPARE(onlyText(f.prompter), kLoginFailed);
        QVERIFY(!f.prompter.records().front().hadParent); // over the main window
        // One login; the transport may resend once on a fresh connection
        // when the first closed without a reply.
        QVERIFY(!fake.records().isEmpty());
        for (const QJsonObject& record : fake.records())
            QCOMPARE(record.value("path").toString(), QString("/api/user/login"));
        if (!reply.contains("close"))
            QCOMPARE(fake.records().size(), 1);
    }

    // A reply nested 100,000 deep is refused before the JSON reader sees
    // it; the user reads why, and the next login reads its reply as ever.
    void deeplyNestedLoginReplyIsRefusedAndTheNextLoginWorks()
    {
        EsignFake fake(QJsonObject{{kEmail, kPassword}});
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        const QByteArray deep = "{\"access_token\":" + QByteArray("[").repeated(100000)
                              + QByteArray("]").repeated(100000) + "}";
        fake.script("/api/user/login", QJsonArray{EsignFake::reply(200, deep)});
        FeatureContextFixture f;
        QuillorClient client(f.context, [&] { return settingsOf(fake, kEmail, kPassword); });
        QString token = "keep";
        QCOMPARE(client.loginToQuillorCA(token), int(QuillorClient::LoginFailed));
        QCOMPARE(token, QString("keep"));
        QCOMPARE(onlyText(f.prompter),
                 kLoginFailed + "\nRefused a malformed reply: it nests arrays and objects more than 256 levels deep.");

        QCOMPARE(client.loginToQuillorCA(token), int(QuillorClient::LoginOk));
        QVERIFY(!token.isEmpty() && token != "keep");
    }

    void loginToAServerOfAnUnknownCaFails()
    {
        EsignFake fake(QJsonObject{{kEmail, kPassword}}, EsignFake::Issuer::UnknownCa);
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        FeatureContextFixture f;
        QuillorClient client(f.context, [&] { return settingsOf(fake, kEmail, kPassword); });
        QString token = "keep";
        QCOMPARE(client.loginToQuillorCA(token), int(QuillorClient::LoginFailed));
        QCOMPARE(token, QString("keep"));
        QCOMPARE(onlyText(f.prompter), kLoginFailed);
        QVERIFY(fake.records().isEmpty()); // the handshake failed: nothing was sent
    }

    void settingsAreReadAtEachRequest()
    {
        EsignFake fake(QJsonObject{{kEmail, "s3cret-pw"}});
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        FeatureContextFixture f;
        QString password = kPassword;
        QuillorClient client(f.context, [&] { return settingsOf(fake, kEmail, password); });
        QString token;
        QCOMPARE(client.loginToQuillorCA(token), int(QuillorClient::LoginFailed));
        password = "s3cret-pw";
        QCOMPARE(client.loginToQuillorCA(token), int(QuillorClient::LoginOk));
        QCOMPARE(EsignFake::items(fake.records().last()).last(), QString("password=s3cret-pw"));
    }

    void accountCheck_data()
    {
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QJsonObject>("reply"); // empty: the service's own answer
        QTest::addColumn<QString>("message");   // %1: the host
        QTest::addColumn<int>("requests");
        QTest::newRow("empty password") << kEmail << QString() << QJsonObject()
                                        << "Please enter valid email address and password for user points." << 0;
        QTest::newRow("empty e-mail") << QString() << kPassword << QJsonObject()
                                      << "Please enter valid email address and password for user points." << 0;
        QTest::newRow("malformed e-mail") << "not-an-address" << kPassword << QJsonObject()
                                          << "Please enter valid email address and password for user points." << 0;
        QTest::newRow("no points") << kEmail << kPassword << EsignFake::reply(200, R"({"points":0})")
                                   << "Your account has 0 points available. [%1]" << 1;
        QTest::newRow("refused login") << kEmail << kPassword
                                       << EsignFake::reply(200, R"({"points":-3,"subscriptionStatus":"expired"})")
                                       << "Login to Quillor failed, code=-3!\nStatus: expired" << 1;
        QTest::newRow("subscription only") << kEmail << kPassword
                                           << EsignFake::reply(200, R"({"subscription":"2025-12-31"})")
                                           << "\nActive subscription ends 2025-12-31." << 1;
        QTest::newRow("all three") << kEmail << kPassword
                                   << EsignFake::reply(200, R"({"points":12,"subscription":"2025-12-31","subscriptionStatus":"active"})")
                                   << "Your account has 12 points available. [%1]\nActive subscription ends 2025-12-31.\nStatus: active" << 1;
        QTest::newRow("empty object") << kEmail << kPassword << EsignFake::reply(200, "{}") << kNetworkProblem << 1;
        QTest::newRow("error status") << kEmail << kPassword << EsignFake::reply(500, R"({"points":5})")
                                      << kNetworkProblem << 1;
        QTest::newRow("closed socket") << kEmail << kPassword << EsignFake::closed() << kNetworkProblem << 1;
        QTest::newRow("service's own answer") << kEmail << kPassword << QJsonObject()
                                              << "Your account has 10 points available. [%1]" << 1;
    }
    void accountCheck()
    {
        QFETCH(QString, email);
        QFETCH(QString, password);
        QFETCH(QJsonObject, reply);
        QFETCH(QString, message);
        QFETCH(int, requests);
        EsignFake fake(QJsonObject{{kEmail, kPassword}});
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        if (!reply.isEmpty())
            fake.script("/api/user/verify", QJsonArray{reply});
        FeatureContextFixture f;
        // The saved account is another one: the check uses what is typed.
        QuillorAccountCheck check(QuillorClient(f.context, [&] { return settingsOf(fake, "saved@exemple.ca", "saved"); }));
        QCOMPARE(check.check(email, password), requests == 1);
        QCOMPARE(onlyText(f.prompter), message.contains("%1") ? message.arg(fake.hostAndPort()) : message);
        QVERIFY(!f.prompter.records().front().hadParent);

        const QList<QJsonObject> records = fake.records();
        // A request closed without a reply may be sent again by the transport.
        if (reply.contains("close"))
            QVERIFY(!records.isEmpty());
        else
            QCOMPARE(records.size(), requests);
        QCOMPARE(check.checksMade(), requests);
        if (requests) {
            QCOMPARE(records[0].value("path").toString(), QString("/api/user/verify"));
            QCOMPARE(records[0].value("authKind").toString(), QString("none"));
            QCOMPARE(EsignFake::items(records[0]),
                     QStringList({"email=" + email, "password=" + password, "msg=testing", "formname=E-Auth",
                                  "sfwrver=" + kTitle}));
        }
    }

    void accountCheckIsLimitedToThree()
    {
        EsignFake fake(QJsonObject{{kEmail, kPassword}});
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        FeatureContextFixture f;
        QuillorAccountCheck check(QuillorClient(f.context, [&] { return settingsOf(fake, kEmail, kPassword); }));
        // A refused input does not count.
        QVERIFY(!check.check(kEmail, QString()));
        for (int i = 0; i < 3; ++i)
            QVERIFY(check.check(kEmail, kPassword));
        f.prompter.clear();
        QVERIFY(!check.check(kEmail, kPassword));
        QCOMPARE(onlyText(f.prompter),
                 QString("Account check is limited to three times each time Preference is opened."));
        QCOMPARE(fake.records().size(), 3);
        QCOMPARE(check.checksMade(), 3);
    }
};

QTEST_GUILESS_MAIN(TestEsignClient)
#include "tst_esignclient.moc"
