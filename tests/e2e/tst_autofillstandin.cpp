// Auto-fill as the README has a new user try it: the agency-data stand-in
// started as a program with "fake_agencydata --home HOME", which writes the
// home's configuration; the program started on that home; a return for the
// S.I.N. 046 454 286; Start > Auto-Fill (AFR), New/Update, the terms, the
// S.I.N.; the login link opened in a browser whose "Sign in" hands the
// session back; the record's row viewed and applied. The browser is, in
// turn, a plain HTTPS client that follows the page's "Sign in" link, and
// headless Chromium, whose click on it the WebDriver protocol makes.
// Pictures in build/artefacts/autofill-standin.
#include <QtTest>

#include "acceptancefamily.h"
#include "common/callbackport.h"

#include "agencydata/ui/dlgtddentersin.h"
#include "agencydata/ui/dlgtddmain.h"
#include "common/modalscript.h"
#include "companion/ui/urlopener.h"
#include "filing/ui/DlgFilingTerm.h"
#include "model/individualtaxdata.h"

#include <QDialogButtonBox>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTcpServer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QTableView>
#include <QWizard>

#include <memory>

using namespace acceptance;

namespace {

const QString kStandInPictures = QStringLiteral("autofill-standin");

// The stand-in, run as the README says; stopped with the test.
class StandIn
{
public:
    bool start(const QString& home)
    {
        m_process.setProgram(QStringLiteral(VR_FAKE_AGENCYDATA));
        m_process.setArguments({"--home", home});
        // From the user's own folder, not the build's.
        m_process.setWorkingDirectory(home);
        m_process.start();
        if (!m_process.waitForStarted(10000))
            return false;
        // "port N", then "callback-port N" once it listens.
        while (!m_output.contains("callback-port ")) {
            if (!m_process.waitForReadyRead(10000))
                return false;
            m_output += m_process.readAllStandardOutput();
        }
        return true;
    }
    QString output() const { return QString::fromUtf8(m_output) + QString::fromUtf8(m_process.readAllStandardError()); }
    ~StandIn()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(5000);
    }

private:
    mutable QProcess m_process;
    QByteArray m_output;
};

// The browser the program opens the login link in, installed for as long as
// it lives; what it visited and what went wrong.
class TestBrowser : public UrlOpener
{
public:
    TestBrowser() : m_previous(UrlOpener::install(this)) {}
    ~TestBrowser() override { UrlOpener::install(m_previous); }
    QStringList visited() const { return m_visited; }
    QStringList problems() const { return m_problems; }
    QString loginPage() const { return m_loginPage; }

protected:
    QStringList m_visited, m_problems;
    QString m_loginPage;

private:
    UrlOpener* m_previous;
};

// A plain HTTPS client as the browser: it loads the login link as a
// top-level navigation, finds the page's "Sign in" link and follows it,
// redirects and all, back to the program's callback port. It trusts the
// test CA.
class LinkBrowser : public TestBrowser
{
public:
    explicit LinkBrowser(const QString& caFile)
    {
        m_ssl = QSslConfiguration::defaultConfiguration();
        m_ssl.setCaCertificates(QSslCertificate::fromPath(caFile));
    }

    bool openUrl(const QUrl& url) override
    {
        if (url.isLocalFile())
            return true;
        m_visited << url.toString();
        navigate(url, [this](QNetworkReply* page) {
            const QString html = QString::fromUtf8(page->readAll());
            m_loginPage = html;
            const QRegularExpressionMatch link =
                QRegularExpression(QStringLiteral("<a id=\"signIn\" href=\"([^\"]+)\"")).match(html);
            if (!link.hasMatch()) {
                m_problems << QStringLiteral("no Sign in link on %1").arg(page->url().toString());
                return;
            }
            const QUrl signIn = page->url().resolved(QUrl(link.captured(1).replace(QLatin1String("&amp;"), "&")));
            m_visited << signIn.toString();
            navigate(signIn, [this](QNetworkReply* done) { m_signedIn = done->readAll(); });
        });
        return true;
    }

private:
    void navigate(const QUrl& url, std::function<void(QNetworkReply*)> then)
    {
        QNetworkRequest request(url);
        request.setSslConfiguration(m_ssl);
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
        // What a browser sends when the user follows a link to a page.
        request.setRawHeader("Sec-Fetch-Mode", "navigate");
        request.setRawHeader("Sec-Fetch-Dest", "document");
        request.setRawHeader("Sec-Fetch-User", "?1");
        request.setRawHeader("Sec-Fetch-Site", "none");
        QNetworkReply* reply = m_network.get(request);
        QObject::connect(reply, &QNetworkReply::finished, reply, [this, reply, then] {
            if (reply->error() != QNetworkReply::NoError)
                m_problems << QStringLiteral("%1: %2").arg(reply->url().toString(), reply->errorString());
            else
                then(reply);
            reply->deleteLater();
        });
    }

    QNetworkAccessManager m_network;
    QSslConfiguration m_ssl;
    QByteArray m_signedIn;
};

// A real browser, headless Chromium driven through chromedriver's WebDriver
// protocol: it opens the login link, and the "Sign in" link is clicked as
// the user clicks it, so the program's link, the stand-in's redirect and the
// program's callback listener meet a real browser's requests and headers.
// The stand-in's certificate is of the test CA, which the session accepts.
class HeadlessChromium : public TestBrowser
{
public:
    bool start()
    {
        const QString driver = QStandardPaths::findExecutable("chromedriver");
        const QString chromium = QStandardPaths::findExecutable("chromium");
        if (driver.isEmpty() || chromium.isEmpty()) {
            m_problems << "chromium or chromedriver missing (scripts/deps installs them)";
            return false;
        }
        m_port = callbackPort();
        m_driver.setProgram(driver);
        m_driver.setArguments({QStringLiteral("--port=%1").arg(m_port)});
        m_driver.setProcessChannelMode(QProcess::MergedChannels);
        m_driver.start();
        QByteArray said;
        while (!said.contains("started successfully")) {
            if (!m_driver.waitForReadyRead(15000)) {
                m_problems << "chromedriver did not start: " + QString::fromUtf8(said);
                return false;
            }
            said += m_driver.readAll();
        }
        const QJsonObject options{{"binary", chromium},
                                  {"args", QJsonArray{"--headless=new", "--no-sandbox", "--disable-gpu",
                                                      "--disable-dev-shm-usage", "--no-first-run"}}};
        const QJsonObject capabilities{
            {"capabilities",
             QJsonObject{{"alwaysMatch", QJsonObject{{"acceptInsecureCerts", true}, {"goog:chromeOptions", options}}}}}};
        const QJsonObject session = waitFor(post("/session", capabilities));
        m_session = session.value("value").toObject().value("sessionId").toString();
        if (m_session.isEmpty())
            m_problems << "no WebDriver session: " + QString::fromUtf8(QJsonDocument(session).toJson());
        return !m_session.isEmpty();
    }

    ~HeadlessChromium() override
    {
        if (!m_session.isEmpty())
            waitFor(send("DELETE", "/session/" + m_session, QJsonObject()));
        m_driver.terminate();
        if (!m_driver.waitForFinished(5000))
            m_driver.kill();
    }

    bool openUrl(const QUrl& url) override
    {
        if (url.isLocalFile())
            return true;
        m_visited << url.toString();
        // The program waits for its callback in its own event loop: each
        // step goes on from the reply of the one before.
        then(post(path("/url"), QJsonObject{{"url", url.toString()}}), [this](const QJsonObject&) {
            then(send("GET", path("/source"), QJsonObject()),
                 [this](const QJsonObject& page) { m_loginPage = page.value("value").toString(); });
            then(send("GET", path("/screenshot"), QJsonObject()), [](const QJsonObject& shot) {
                QFile picture(modalsteps::artefactPath(kStandInPictures + "/chromium/0-login-page.png"));
                QDir().mkpath(QFileInfo(picture).path());
                if (picture.open(QIODevice::WriteOnly))
                    picture.write(QByteArray::fromBase64(shot.value("value").toString().toLatin1()));
            });
            then(post(path("/element"), QJsonObject{{"using", "css selector"}, {"value", "#signIn"}}),
                 [this](const QJsonObject& found) {
                     const QJsonObject element = found.value("value").toObject();
                     const QString id = element.value("element-6066-11e4-a52e-4f735466cecf").toString();
                     if (id.isEmpty()) {
                         m_problems << "no Sign in link: " + QString::fromUtf8(QJsonDocument(found).toJson());
                         return;
                     }
                     m_visited << "Sign in";
                     then(post(path("/element/" + id + "/click"), QJsonObject()), [](const QJsonObject&) {});
                 });
        });
        return true;
    }

private:
    QString path(const QString& tail) const { return "/session/" + m_session + tail; }

    QNetworkReply* send(const QByteArray& verb, const QString& where, const QJsonObject& body)
    {
        QNetworkRequest request(QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(where)));
        request.setHeader(QNetworkRequest::ContentTypeHeader, "application/json");
        request.setTransferTimeout(60000);
        const QByteArray bytes = verb == "GET" ? QByteArray() : QJsonDocument(body).toJson(QJsonDocument::Compact);
        return m_network.sendCustomRequest(request, verb, bytes);
    }
    QNetworkReply* post(const QString& where, const QJsonObject& body) { return send("POST", where, body); }

    void then(QNetworkReply* reply, std::function<void(const QJsonObject&)> next)
    {
        QObject::connect(reply, &QNetworkReply::finished, reply, [this, reply, next] {
            const QJsonObject answer = QJsonDocument::fromJson(reply->readAll()).object();
            if (reply->error() != QNetworkReply::NoError)
                m_problems << reply->url().path() + ": " + QString::fromUtf8(QJsonDocument(answer).toJson());
            else
                next(answer);
            reply->deleteLater();
        });
    }

    QJsonObject waitFor(QNetworkReply* reply)
    {
        QEventLoop loop;
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec();
        const QJsonObject answer = QJsonDocument::fromJson(reply->readAll()).object();
        reply->deleteLater();
        return answer;
    }

    QProcess m_driver;
    QNetworkAccessManager m_network;
    quint16 m_port = 0;
    QString m_session;
};

QString configValue(const QString& home, const QString& key)
{
    QFile file(home + "/Documents/vodarevivo/2024/run/gr_path.ini");
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n'))
        if (line.section('=', 0, 0) == key)
            return line.section('=', 1);
    return QString();
}

} // namespace

class TestAutoFillStandIn : public QObject
{
    Q_OBJECT
private slots:
    void autoFillFromTheStandIn_data();
    void autoFillFromTheStandIn();
};

void TestAutoFillStandIn::autoFillFromTheStandIn_data()
{
    QTest::addColumn<bool>("chromium");
    QTest::newRow("HTTPS client") << false;
    QTest::newRow("headless Chromium") << true;
}

void TestAutoFillStandIn::autoFillFromTheStandIn()
{
    QFETCH(bool, chromium);
    StandIn standIn;
    bool started = false;
    QString home;
    WindowFixture f(QByteArray(), 0, {}, [&](const QString& path) {
        home = path;
        started = standIn.start(path);
    });
    QVERIFY2(started, qPrintable(standIn.output()));
    QVERIFY(f.ready);
    // The program reads what the stand-in wrote: the data hosts, the
    // callback port and the test CA, in test mode.
    const QString caFile = configValue(home, "TestCAFile");
    QVERIFY2(QFileInfo::exists(caFile), qPrintable(caFile));
    QCOMPARE(QString(f.app->m_config.TDDCallbackPort), configValue(home, "TDDCallbackPort"));
    std::unique_ptr<TestBrowser> browser;
    if (chromium) {
        auto real = std::make_unique<HeadlessChromium>();
        const bool up = real->start();
        QVERIFY2(up, qPrintable(real->problems().join(" | ")));
        browser = std::move(real);
    } else {
        browser = std::make_unique<LinkBrowser>(caFile);
    }
    f.window->resize(1200, 820);
    const QString pictures = kStandInPictures + (chromium ? "/chromium" : "/https-client");

    // A return of the S.I.N. the stand-in has a record for.
    NewReturnBasicData record = returnpage::singleRecord();
    record.sin = CString(kAnnSin);
    Form_Return* page = returnpage::present(f, returnpage::newFamily(record));
    QVERIFY(page);
    QVERIFY(page->familyData()->getTaxpayer()->m_slipList.empty());

    QStringList rows;
    QString finishText;
    ModalScript script;
    script.add([&](QWidget* w) {
        auto* dialog = qobject_cast<DlgTDDMain*>(w);
        if (!dialog)
            return false;
        dialog->findChild<QPushButton*>("btnNew")->click();
        QTableView* table = dialog->tableView();
        for (int row = 0; row < table->model()->rowCount(); ++row) {
            rows << table->model()->index(row, 0).data().toString();
            if (table->model()->index(row, 0).data().toString() == kAnnSin)
                table->selectRow(row);
        }
        usersteps::keepPicture(dialog, pictures, "1-stored-record");
        dialog->findChild<QPushButton*>("btnView")->click();
        dialog->accept();
        return true;
    });
    script.add([](QWidget* w) {
        auto* terms = qobject_cast<DlgFilingTerm*>(w);
        if (!terms)
            return false;
        terms->ui()->fld_bAgree->setChecked(true);
        terms->ui()->buttonBox->button(QDialogButtonBox::Ok)->click();
        return true;
    });
    script.add([](QWidget* w) {
        auto* entry = qobject_cast<DlgTDDEnterSin*>(w);
        if (!entry)
            return false;
        QTest::keyClicks(entry->edit(0), "046 454 286");
        entry->findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Ok)->click();
        return true;
    });
    script.add([&](QWidget* w) {
        auto* wizard = qobject_cast<QWizard*>(w);
        if (!wizard)
            return false;
        while (wizard->currentId() != wizard->pageIds().last())
            wizard->next();
        usersteps::keepPicture(wizard, pictures, "2-apply");
        finishText = wizard->buttonText(QWizard::FinishButton);
        wizard->button(QWizard::FinishButton)->click();
        return true;
    });
    {
        const ModalGuard guard(90000);
        f.action("actionAuto_Fill_AFR")->trigger();
    }

    QCOMPARE(script.pending(), 0);
    QVERIFY2(browser->problems().isEmpty(), qPrintable(browser->problems().join(" | ")));
    QVERIFY2(browser->loginPage().contains("Sign in"), qPrintable(browser->loginPage()));
    QCOMPARE(browser->visited().size(), 2);
    QCOMPARE(f.promptTexts(), QStringList());
    QCOMPARE(rows, QStringList{kAnnSin});
    QCOMPARE(finishText, QString("Auto-Fill Return"));
    // The stand-in's record is applied: the T4 from Maple Works Inc.
    IndividualTaxData* person = page->familyData()->getTaxpayer();
    QCOMPARE(person->m_slipList.size(), size_t(1));
    QVERIFY(select(page, rowOf(page->folderView(), FROM_SLIP, kSlipT4)));
    QCOMPARE(shownText(page, "EmployerName"), QString("Maple Works Inc."));
    QCOMPARE(shownText(page, "box14EmploymentIncome"), QString("52000.00"));
    QCOMPARE(person->GetT1()->line10100EmploymentIncome.m_value, 52000.0);
    QVERIFY(usersteps::keepPicture(f.window, pictures, "3-applied-slip"));
}

QTEST_APPLESS_MAIN(TestAutoFillStandIn)
#include "tst_autofillstandin.moc"
