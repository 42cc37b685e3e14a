// What the return page sends to the e-signature service besides the login:
// a printed PDF for e-delivery, the record of a filing and the download of
// the preparer's client-letter template, against the service's stand-in.
#include <QtTest>

#include "companion/core/qwebclient.h"
#include "fakes/esignfake.h"
#include "returnpagefixture.h"

#include <QCryptographicHash>

namespace {

const QString kEmail = QStringLiteral("agent@exemple.ca");
const QString kPassword = QStringLiteral("mdp-agent");
const QString kTypedSin = QStringLiteral("046 454 286");
const QString kClient = QStringLiteral("client@example.ca");
const QString kNetworkFail = QStringLiteral("Network query failed, check firewall settings.");
const QString kIncompleteSin = QStringLiteral(
    "The taxpayer's S.I.N. is missing or incomplete on the T1, so the document password cannot be set.");

QString sha256Hex(const QByteArray& bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

// msg1 as the service recomputes it.
QString msg1(const QString& func, const QString& form, const QString& id)
{
    return sha256Hex(("T1KW2024" + func + "T1KW2024_" + form + id + "Q7M2X8K4V1R9T3W6Z5H0B2N8").toUtf8());
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The program with the stand-in's account applied and a return whose T1
// names the taxpayer.
struct EsignPage
{
    explicit EsignPage(const EsignFake& fake, const QString& sin = kTypedSin) : window(fake.configLines())
    {
        window.app->m_config.QuillorEmail = kEmail;
        window.app->m_config.QuillorPswd = kPassword;
        window.app->refreshFeatureSettings();
        NewReturnBasicData record = returnpage::singleRecord();
        record.FirstName = "Jean";
        record.LastName = "Tremblay";
        record.sin = sin;
        page = returnpage::present(window, returnpage::newFamily(record));
        if (page)
            page->familyData()->getTaxpayer()->GetT1()->HomePhone.m_value = "613-555-0199";
    }

    WindowFixture window;
    Form_Return* page = nullptr;
};

bool anyGet(const EsignFake& fake)
{
    for (const QJsonObject& record : fake.records())
        if (record.value("method").toString() == "GET")
            return true;
    return false;
}

} // namespace

class TestEsignDelivery : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QString why;
        QVERIFY2(EsignFake::makeCertificates(why), qPrintable(why));
        // A closed connection must not hold a test for a minute.
        QWebClient::setDefaultTimeoutMs(5000);
    }

    // ---- E-delivery ----

    void deliveryOfTheWholeReturn()
    {
        EsignFake fake(QJsonObject{{kEmail, kPassword}});
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        EsignPage p(fake);
        QVERIFY(p.page);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("Jean Tremblay 2024.pdf");
        const QByteArray content = "%PDF-1.4\n% the printed return\n";
        QVERIFY(writeFile(pdf, content));

        p.window.prompter->queueYes(true);
        p.page->_SubmitDocDelivery(0, kClient, kTypedSin, "Jean", pdf);

        const QList<PromptRecord>& shown = p.window.prompter->records();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0].kind, PromptKind::ContinueQuestion);
        QCOMPARE(shown[0].title, "Send Document for E-Delivery through https://" + fake.hostAndPort());
        QCOMPARE(shown[0].texts, QStringList{"An E-Delivery link email will be sent to client@example.ca. Client can "
                                             "download file using 4286 (last 4 digits of the S.I.N.) as password."});
        QCOMPARE(shown[1].texts, QStringList{"Request sent."}); // the stand-in's own words
        QVERIFY(!shown[1].hadParent);

        const QList<QJsonObject> records = fake.records();
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].value("path").toString(), QString("/api/signature-requests"));
        QCOMPARE(records[0].value("authKind").toString(), QString("Basic"));
        QCOMPARE(QByteArray::fromBase64(records[0].value("authValue").toString().toLatin1()),
                 (kEmail + ':' + kPassword).toUtf8());
        const QJsonObject upload = records[0].value("upload").toObject();
        QCOMPARE(upload.value("name").toString(), QString("document_file"));
        QCOMPARE(upload.value("fileName").toString(), QString("Jean Tremblay 2024.pdf"));
        QCOMPARE(upload.value("size").toInt(), content.size());
        QCOMPARE(upload.value("sha256").toString(), sha256Hex(content));
        // The digest below was worked with sha256sum over
        // "T1KW2024DOCDELIT1KW2024_T1GEN046454286Q7M2X8K4V1R9T3W6Z5H0B2N8".
        QCOMPARE(EsignFake::items(records[0]),
                 QStringList({"email=client@example.ca", "password=4286", "licdata=046454286",
                              "expires_in_days=30", "sw=T1KW2024", "func=DOCDELI", "form=T1GEN",
                              "sender_note=This is for Jean (tax year 2024), default password is last 4 digits of SIN",
                              "msg1=f775b4c85661295eba0a16ca9f249709be2a5c9e50ce4ee7da62ab129ad648ec",
                              "login_type=kestrova"}));
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(p.window.window->isEnabled());
    }

    void deliveryFormCodes_data()
    {
        QTest::addColumn<int>("form");
        QTest::addColumn<QString>("code");
        QTest::newRow("T1135 alone") << 101 << "T1135";
        QTest::newRow("T1134 alone") << 177 << "T1134";
        QTest::newRow("T183 alone") << 96 << "T1GEN";
    }
    void deliveryFormCodes()
    {
        QFETCH(int, form);
        QFETCH(QString, code);
        EsignFake fake(QJsonObject{{kEmail, kPassword}});
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        EsignPage p(fake);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("form.pdf");
        QVERIFY(writeFile(pdf, "%PDF-1.4\n"));
        p.window.prompter->queueYes(true);
        p.page->_SubmitDocDelivery(ENUMTYPE_FORM(form), kClient, kTypedSin, "Jean", pdf);

        const QList<QJsonObject> records = fake.records();
        QCOMPARE(records.size(), 1);
        const QStringList items = EsignFake::items(records[0]);
        QVERIFY(items.contains("form=" + code));
        QVERIFY(items.contains("msg1=" + msg1("DOCDELI", code, "046454286")));
        // The stand-in recomputed the same msg1 and took the upload.
        QCOMPARE(p.window.promptTexts().last(), QString("Request sent."));
    }

    void deliveryReplies_data()
    {
        QTest::addColumn<QString>("sin");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<QJsonObject>("reply"); // empty: the stand-in's own
        QTest::addColumn<QStringList>("shown"); // after the question, when asked
        QTest::addColumn<bool>("asked");
        QTest::addColumn<int>("requests"); // 0: nothing sent
        QTest::newRow("service's message")
            << kTypedSin << true << EsignFake::reply(200, R"({"message":"Delivery accepted."})")
            << QStringList{"Delivery accepted."} << true << 1;
        QTest::newRow("empty object")
            << kTypedSin << true << EsignFake::reply(200, "{}") << QStringList{"Invalid result returned.{}"} << true << 1;
        QTest::newRow("no reply") << kTypedSin << true << EsignFake::closed() << QStringList{kNetworkFail} << true << 1;
        QTest::newRow("S.I.N. too short") << "12" << true << QJsonObject() << QStringList{kIncompleteSin} << false << 0;
        QTest::newRow("S.I.N. missing") << "" << true << QJsonObject() << QStringList{kIncompleteSin} << false << 0;
        QTest::newRow("question declined") << kTypedSin << false << QJsonObject() << QStringList() << true << 0;
    }
    void deliveryReplies()
    {
        QFETCH(QString, sin);
        QFETCH(bool, confirm);
        QFETCH(QJsonObject, reply);
        QFETCH(QStringList, shown);
        QFETCH(bool, asked);
        QFETCH(int, requests);
        EsignFake fake(QJsonObject{{kEmail, kPassword}});
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        if (!reply.isEmpty())
            fake.script("/api/signature-requests", QJsonArray{reply});
        EsignPage p(fake, sin);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("return.pdf");
        QVERIFY(writeFile(pdf, "%PDF-1.4\n"));
        p.window.prompter->queueYes(confirm);
        p.page->_SubmitDocDelivery(0, kClient, sin, "Jean", pdf);

        QStringList texts = p.window.promptTexts();
        if (asked) {
            QVERIFY(!texts.isEmpty());
            QCOMPARE(p.window.prompter->records().front().kind, PromptKind::ContinueQuestion);
            texts.removeFirst();
        }
        QCOMPARE(texts, shown);
        // A connection closed before any reply is sent again once by Qt.
        QCOMPARE(fake.records().isEmpty(), requests == 0);
    }

    // The e-signature request kind of the same upload, for the T183 with
    // the signing position.
    void signatureRequestOfTheT183()
    {
        EsignFake fake(QJsonObject{{kEmail, kPassword}});
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        fake.script("/api/signature-requests", QJsonArray{EsignFake::reply(200, R"({"message":"ok","sr_id":77})")});
        EsignPage p(fake);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("t183.pdf");
        QVERIFY(writeFile(pdf, "%PDF-1.4\n"));
        p.window.prompter->queueYes(true);
        QCOMPARE(p.page->_SubmitQuillorFormType(96, true, kClient, kTypedSin, "Jean", pdf), 77);

        const QList<PromptRecord>& shown = p.window.prompter->records();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0].title, "Send Document for E-Signature through https://" + fake.hostAndPort());
        QCOMPARE(shown[0].texts, QStringList{"An E-Signature link email will be sent to client@example.ca. Client can "
                                             "access to sign the file using 4286 (last 4 digits of the S.I.N.) as "
                                             "password."});
        QCOMPARE(shown[1].texts, QStringList{"ok"});
        QCOMPARE(EsignFake::items(fake.records().value(0)),
                 QStringList({"email=client@example.ca", "password=4286", "licdata=046454286",
                              "expires_in_days=30", "date_pos=[{\"page\": 0}]", "sw=T1KW2024", "func=QUILLOR",
                              "form=T183",
                              "sender_note=This is for Jean (tax year 2024), default password is last 4 digits of SIN",
                              "msg1=" + msg1("QUILLOR", "T183", "046454286"), "login_type=kestrova"}));
    }

    // ---- Filing record ----

    void filingRecord_data()
    {
        QTest::addColumn<bool>("reportOn");
        QTest::addColumn<bool>("account");
        QTest::addColumn<int>("form");
        QTest::addColumn<QJsonObject>("reply"); // empty: the stand-in's own
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("code"); // the form code sent; empty: nothing sent
        QTest::addColumn<QStringList>("shown");
        const QStringList none;
        const QJsonObject own;
        QTest::newRow("off, no account") << false << false << 101 << own << 0 << QString() << none;
        QTest::newRow("on, no account")
            << true << false << 101 << own << -1 << QString()
            << QStringList{"Enter Quillor points email/password in preference, they are used for filing report."};
        QTest::newRow("refused T1135") << true << true << 101 << own << 0 << "T1135" << none;
        QTest::newRow("T183") << true << true << 96 << own << 0 << "T183PAD" << none;
        QTest::newRow("T1013") << true << true << 117 << own << 0 << "T1013" << none;
        QTest::newRow("T1") << true << true << 1 << own << 0 << "T1" << none;
        // {"message":" is 12 characters and "} 2: 300 in all.
        const QByteArray longObject = "{\"message\":\"" + QByteArray(300 - 14, 'x') + "\"}";
        QTest::newRow("201 with a long object") << true << true << 101 << EsignFake::reply(201, longObject) << 0
                                                << "T1135" << none;
        QTest::newRow("500 error") << true << true << 101 << EsignFake::reply(500, "error") << -99 << "T1135" << none;
        QTest::newRow("200 html") << true << true << 101 << EsignFake::reply(200, "<html>busy</html>") << -99
                                  << "T1135" << none;
        QTest::newRow("no reply") << true << true << 101 << EsignFake::closed() << -100 << "T1135" << none;
    }
    void filingRecord()
    {
        QFETCH(bool, reportOn);
        QFETCH(bool, account);
        QFETCH(int, form);
        QFETCH(QJsonObject, reply);
        QFETCH(int, result);
        QFETCH(QString, code);
        QFETCH(QStringList, shown);
        EsignFake fake(QJsonObject{{kEmail, kPassword}});
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        if (!reply.isEmpty())
            fake.script("/api/filing", QJsonArray{reply});
        EsignPage p(fake);
        p.window.app->m_config.FilingReport = reportOn;
        if (!account)
            p.window.app->m_config.QuillorPswd.clear();
        p.window.app->refreshFeatureSettings();

        const QString message = QStringLiteral("Déclaration refusée");
        QCOMPARE(p.page->sendFilingRecord(form, false, "", message), result);
        QCOMPARE(p.window.promptTexts(), shown);
        const QList<QJsonObject> records = fake.records();
        QCOMPARE(records.isEmpty(), code.isEmpty());
        if (code.isEmpty())
            return;
        QCOMPARE(records[0].value("authKind").toString(), QString("Basic"));
        // The S.I.N. was typed "046 454 286": its digits are masked, never
        // the typed text, so only the first and the last three are sent.
        QCOMPARE(EsignFake::items(records[0]),
                 QStringList({"licdata=0*****286", "sw=T1KW2024", "func=FLNGRCD", "form=" + code,
                              "msg1=" + msg1("FLNGRCD", code, "0*****286"), "taxpayer_name=Jean Tremblay",
                              "taxpayer_phone=613-555-0199", "login_type=kestrova", "filed_at=",
                              "tax_year_end=2024/12/31", "status=30110", "confirmation_code=",
                              "filing_message=" + message}));

        const QByteArray runLog = readFile(p.window.app->m_strRunLogFile);
        if (result != 0) {
            QVERIFY2(runLog.contains("filing record of form " + code.toUtf8()), runLog.constData());
            QVERIFY(runLog.contains(QByteArray::number(result)));
        }
        for (const char* secret : {"Tremblay", "555-0199", "454", "046454286"})
            QVERIFY2(!runLog.contains(secret), secret);
    }

    // The refused T1135 of the acceptance list, with its digest worked by
    // sha256sum over "T1KW2024FLNGRCDT1KW2024_T11350*****286Q7M2X8K4V1R9T3W6Z5H0B2N8".
    void filingRecordDigestOfARefusedT1135()
    {
        EsignFake fake(QJsonObject{{kEmail, kPassword}});
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        EsignPage p(fake);
        p.window.app->m_config.FilingReport = true;
        p.window.app->refreshFeatureSettings();
        QCOMPARE(p.page->sendFilingRecord(101, false, "", QStringLiteral("Déclaration refusée")), 0);
        const QStringList items = EsignFake::items(fake.records().value(0));
        QVERIFY(items.contains("msg1=6c2c19cc57292c9a2b6a9439bb454b8f73c4b9d7c39357eb942ba13241c73276"));
        QVERIFY(items.contains("status=30110"));
        // The message went as UTF-8 and came back the same.
        QVERIFY(items.contains(QStringLiteral("filing_message=D\u00e9claration refus\u00e9e")));
    }

    // ---- Client letter ----

    void clientLetter_data()
    {
        QTest::addColumn<int>("installed");     // recorded version; -1: nothing installed
        QTest::addColumn<bool>("pdfPresent");   // the installed PDF is on disk
        QTest::addColumn<QString>("templates"); // the reply; %1 the stand-in's address; empty: its own (version 3)
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("version");       // recorded afterwards
        QTest::addColumn<bool>("replaced");     // both files are the service's afterwards
        QTest::addColumn<bool>("fetched");      // some file was asked for
        const QString latest = R"({"success":true,"data":[{"template_version":%2,)"
                               R"("template_pdf_url":"https://%1/files/%3","template_xml_url":"https://%1/files/%4"}]})";
        auto at = [&](int version, const QString& pdf, const QString& xml) {
            return QString(latest).replace("%2", QString::number(version)).replace("%3", pdf).replace("%4", xml);
        };
        QTest::newRow("current") << 3 << true << QString() << 0 << 3 << false << false;
        QTest::newRow("current, PDF deleted") << 3 << false << QString() << 100 << 3 << true << true;
        QTest::newRow("fresh installation")
            << 0 << false << at(1, "t1_clientletter.pdf", "t1_clientletter.xml") << 100 << 1 << true << true;
        QTest::newRow("success false") << 3 << true << R"({"success":false,"data":[{"template_version":9}]})" << 111
                                       << 3 << false << false;
        QTest::newRow("no data") << 3 << true << R"({"success":true,"data":[]})" << 0 << 3 << false << false;
        QTest::newRow("array") << 3 << true << R"([{"success":true}])" << 111 << 3 << false << false;
        QTest::newRow("XML not found")
            << 3 << true << at(4, "t1_clientletter.pdf", "missing.xml") << 106 << 3 << false << true;
        QTest::newRow("PDF is a page") << 3 << true << at(4, "page.html", "t1_clientletter.xml") << 106 << 3 << false
                                       << true;
        QTest::newRow("another host")
            << 3 << true
            << QString(latest).replace("https://%1", "https://localhost:1").replace("%2", "4")
                   .replace("%3", "t1_clientletter.pdf").replace("%4", "t1_clientletter.xml")
            << 106 << 3 << false << false;
    }
    void clientLetter()
    {
        QFETCH(int, installed);
        QFETCH(bool, pdfPresent);
        QFETCH(QString, templates);
        QFETCH(int, result);
        QFETCH(int, version);
        QFETCH(bool, replaced);
        QFETCH(bool, fetched);
        EsignFake fake(QJsonObject{{kEmail, kPassword}});
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        const QByteArray servicePdf = "%PDF-1.4\n% the preparer's letter\n";
        const QByteArray serviceXml = "<?xml version=\"1.0\"?><form name=\"letter\"/>\n";
        QVERIFY(writeFile(fake.filesFolder() + "/t1_clientletter.pdf", servicePdf));
        QVERIFY(writeFile(fake.filesFolder() + "/t1_clientletter.xml", serviceXml));
        QVERIFY(writeFile(fake.filesFolder() + "/page.html", "<html>"));
        if (!templates.isEmpty())
            fake.script("/api/templates/latest",
                        QJsonArray{EsignFake::reply(200, templates.arg(fake.hostAndPort()).toUtf8())});

        EsignPage p(fake);
        QTemporaryDir pdfDir, xmlDir;
        const QString pdfFile = pdfDir.filePath("t1_clientletter_own.pdf");
        const QString xmlFile = xmlDir.filePath("t1_clientletter_own.xml");
        const QByteArray installedPdf = "%PDF-1.4\n% the installed letter\n";
        const QByteArray installedXml = "<?xml version=\"1.0\"?><form name=\"installed\"/>\n";
        if (pdfPresent)
            QVERIFY(writeFile(pdfFile, installedPdf));
        QVERIFY(writeFile(xmlFile, installedXml));
        p.window.app->m_config.CustomizedClientLetter_Ver = installed;
        p.window.app->refreshFeatureSettings();

        QCOMPARE(p.page->fetchCustomizedClientLetter(pdfDir.path(), xmlDir.path()), result);
        QCOMPARE(p.window.app->m_config.CustomizedClientLetter_Ver, version);
        QCOMPARE(anyGet(fake), fetched);
        if (replaced) {
            QCOMPARE(readFile(pdfFile), servicePdf);
            QCOMPARE(readFile(xmlFile), serviceXml);
            int stored = -1;
            p.window.app->m_dbManager.readParameter("CustomizedClientLetter_Ver", stored);
            QCOMPARE(stored, version);
        } else {
            QCOMPARE(readFile(pdfFile), pdfPresent ? installedPdf : QByteArray("<missing>"));
            QCOMPARE(readFile(xmlFile), installedXml);
        }
        // No download is left beside the templates.
        QCOMPARE(QDir(pdfDir.path()).entryList(QDir::Files).size(), pdfPresent || replaced ? 1 : 0);
        QCOMPARE(QDir(xmlDir.path()).entryList(QDir::Files).size(), 1);
        if (result == 106)
            QVERIFY(readFile(p.window.app->m_strRunLogFile).contains("client letter:"));
        QVERIFY(p.window.promptTexts().isEmpty());
    }

    // A template folder that cannot be made or written (here a file stands
    // where the folder should be) is reported like a failed download.
    void clientLetterFolderNotWritable()
    {
        EsignFake fake(QJsonObject{{kEmail, kPassword}});
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        QVERIFY(writeFile(fake.filesFolder() + "/t1_clientletter.pdf", "%PDF-1.4\n"));
        QVERIFY(writeFile(fake.filesFolder() + "/t1_clientletter.xml", "<a/>"));
        EsignPage p(fake);
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("pdf"), "not a folder"));
        p.window.app->m_config.CustomizedClientLetter_Ver = 0;
        p.window.app->refreshFeatureSettings();
        QCOMPARE(p.page->fetchCustomizedClientLetter(dir.filePath("pdf"), dir.path()), 106);
        QCOMPARE(p.window.app->m_config.CustomizedClientLetter_Ver, 0);
        QVERIFY(!anyGet(fake));
        QVERIFY(readFile(p.window.app->m_strRunLogFile).contains("template folder cannot be written"));
    }
};

QTEST_APPLESS_MAIN(TestEsignDelivery)
#include "tst_esigndelivery.moc"
