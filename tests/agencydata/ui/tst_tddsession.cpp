// A whole agency data session on the real progress dialog: the fake agency
// data service answers the requests, the fake browser checks the login link
// and comes back to the callback port, and a test reader stands in for the
// reply parser and counts what it stores.
#include <QtTest>

#include "agencydata/TddHttpServer.h"
#include "agencydata/tddprogress.h"
#include "agencydata/tddsoap.h"
#include "agencydata/tddtestsettings.h"
#include "agencydata/threadtddsession.h"
#include "agencydata/ui/dlgtddprogresswait.h"
#include "agencydata/ui/tddurlopener.h"
#include "common/callbackport.h"
#include "common/scriptedprompter.h"
#include "common/testhome.h"
#include "companion/core/qwebclient.h"
#include "companion/ui/urlopener.h"
#include "fakes/agencydataserver.h"
#include "fakes/fakebrowser.h"
#include "fakes/testcerts.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTcpServer>

#include <atomic>
#include <memory>

using Reply = FakeAgencyDataServer::Reply;
using Mode = FakeBrowser::Mode;

namespace {

const char* const kTestKey = "Zc2WmQ7vRx4LpN9kTb6HsJ3dYf8GuA5e";

QByteArray items(int n)
{
    QByteArray out;
    for (int i = 0; i < n; ++i)
        out += "<IndividualIncomeTaxDataItem><IndividualTaxpayerIdentifier>id" + QByteArray::number(i) +
               "</IndividualTaxpayerIdentifier></IndividualIncomeTaxDataItem>";
    return out;
}

// Stands in for the reply parser: one stored row per data item.
class RowStore
{
public:
    TddWebService::ReplyParser reader()
    {
        return [this](FILE*, const std::string& reply) {
            if (m_throw)
                throw std::runtime_error("unreadable");
            const QByteArray text = QByteArray::fromStdString(reply);
            int stored = 0;
            for (int at = text.indexOf("<IndividualIncomeTaxDataItem>"); at >= 0;
                 at = text.indexOf("<IndividualIncomeTaxDataItem>", at + 1)) {
                QMutexLocker lock(&m_mutex);
                ++m_rows;
                ++stored;
            }
            return stored;
        };
    }
    int rows() const
    {
        QMutexLocker lock(&m_mutex);
        return m_rows;
    }
    void throwOnRead() { m_throw = true; }

private:
    mutable QMutex m_mutex;
    int m_rows = 0;
    std::atomic<bool> m_throw{false};
};

class BrowserOpener : public UrlOpener
{
public:
    explicit BrowserOpener(FakeBrowser* browser) : m_browser(browser), m_previous(UrlOpener::install(this)) {}
    ~BrowserOpener() override { UrlOpener::install(m_previous); }
    bool openUrl(const QUrl& url) override { return m_browser->open(url); }

private:
    FakeBrowser* m_browser;
    UrlOpener* m_previous;
};

struct Rig
{
    explicit Rig(short kind = TddAutoFill)
        : kind(kind), port(callbackPort()),
          browser(&fake, kTestKey, QStringLiteral("/ebci/awsc/tdd/certtest/auth/start"), port, kind),
          opener(&browser)
    {
        started = fake.start();
        fake.setReadyItems(items(3), items(3));
        options.service = tddTestSettings(fake.hostAndPort(), home.path());
        options.callbackPort = port;
        options.opener = tddDesktopLinkOpener();
        options.autoFillParser = store.reader();
        options.noaParser = store.reader();
        options.craJsUrl = "https://" + fake.hostAndPort() + "/ebci/awsc/tdd/certtest/pub/js/cra.js";
    }

    int dataRequests() const
    {
        int n = 0;
        for (const auto& r : fake.requests())
            n += r.stage ? 0 : 1;
        return n;
    }

    // What the session wrote to its log, for the message of a failed check.
    QByteArray sessionLog() const
    {
        QFile log(options.service.sessionLogPath);
        return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray("(no log)");
    }

    std::unique_ptr<DlgTDDProgressWait> dialog(int closeDelayMs = 200)
    {
        std::unique_ptr<DlgTDDProgressWait> dlg(new DlgTDDProgressWait(kind, sins));
        dlg->setSessionOptions(options);
        dlg->setCloseDelayMs(closeDelayMs);
        return dlg;
    }

    short kind;
    TestHome home;
    ScriptedPrompter prompter;
    FakeAgencyDataServer fake;
    bool started = false;
    quint16 port;
    RowStore store;
    FakeBrowser browser;
    BrowserOpener opener;
    TddSessionOptions options;
    std::list<std::string> sins{"046454286", "130692544"};
};

QString labelText(DlgTDDProgressWait& dlg)
{
    auto* label = dlg.findChild<QLabel*>(QStringLiteral("lblStatus"));
    return label ? label->text() : QString();
}

void saveArtefact(QWidget& widget, const QString& name)
{
    const QString folder = QStringLiteral(VR_TESTS_SOURCE_DIR "/../build/artefacts");
    QDir().mkpath(folder);
    widget.grab().save(QDir(folder).filePath(name));
}

} // namespace

class TestTddSession : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(QWebClient::addTrustedCaFile(TestCerts::caPem())); }
    void cleanupTestCase() { QWebClient::clearTrustedCaFiles(); }

    void layoutAndTitles();
    void threeRecordsAreSaved();
    void stageRefusalEndsWithTheErrorText();
    void hostileCallbacks_data();
    void hostileCallbacks();
    void plantedTokenCostsTheUserNothing();
    void failingOpenerEndsWithAnErrorAndShowsTheLink();
    void cancelDuringTheSecondPoll();
    void loginWaitEnds();
    void portInUseEndsTheSession();
    void offlineModeParsesTheFile_data();
    void offlineModeParsesTheFile();
};

void TestTddSession::layoutAndTitles()
{
    std::list<std::string> sins;
    DlgTDDProgressWait autoFill(1, sins);
    DlgTDDProgressWait noa(2, sins);
    QCOMPARE(autoFill.windowTitle(), QStringLiteral("Auto-Fill Return Progress"));
    QCOMPARE(noa.windowTitle(), QStringLiteral("Express NOA Progress"));
    QCOMPARE(autoFill.size(), QSize(622, 281));
    QCOMPARE(autoFill.findChild<QLabel*>("lblDetail")->text(),
             QStringLiteral("Please log in to CRA portal to authorize this Auto-Fill operation; or click Cancel button"));
    QCOMPARE(labelText(autoFill), QStringLiteral("Start querying server ..."));
    auto* buttons = autoFill.findChild<QDialogButtonBox*>("buttonBox");
    QCOMPARE(buttons->standardButtons(), QDialogButtonBox::StandardButtons(QDialogButtonBox::Cancel));
}

void TestTddSession::threeRecordsAreSaved()
{
    Rig rig;
    QVERIFY(rig.started);
    rig.fake.enqueueStage(Reply::StageAccepted);
    rig.fake.enqueueData(Reply::Ready);
    auto dlg = rig.dialog(3000);
    QSignalSpy finished(dlg.get(), &QDialog::finished);
    dlg->show();

    const QString saved = QStringLiteral("3 record(s) saved into tax data locally (1003).");
    QTRY_COMPARE_WITH_TIMEOUT(labelText(*dlg), saved, 15000);
    QElapsedTimer sinceSaved;
    sinceSaved.start();
    saveArtefact(*dlg, QStringLiteral("tdd-progress-saved.png"));
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 10000);
    // The next tick or two end the session, then three seconds keep the text up.
    QVERIFY2(sinceSaved.elapsed() >= 2500 && sinceSaved.elapsed() <= 6000,
             qPrintable(QString::number(sinceSaved.elapsed())));
    QCOMPARE(finished.at(0).at(0).toInt(), int(QDialog::Accepted));
    QCOMPARE(rig.store.rows(), 3);
    QCOMPARE(dlg->savedCount(), 3);
    QCOMPARE(rig.browser.linkProblems(), QStringList());
    QCOMPARE(rig.dataRequests(), 1);
    QVERIFY(!dlg->session()->workersRunning());
    QVERIFY(!dlg->session()->server()->isRunning());
}

void TestTddSession::stageRefusalEndsWithTheErrorText()
{
    Rig rig;
    QVERIFY(rig.started);
    rig.fake.enqueueStage(Reply::StageRefused);
    auto dlg = rig.dialog(3000);
    QSignalSpy finished(dlg.get(), &QDialog::finished);
    dlg->show();
    QTRY_COMPARE_WITH_TIMEOUT(labelText(*dlg), QStringLiteral("initial web service handshake failed, code = 100"),
                              10000);
    QTRY_COMPARE_WITH_TIMEOUT(labelText(*dlg),
                              QStringLiteral("Error happened in auto-fill, please try again later."), 3000);
    QCOMPARE(finished.count(), 0); // the text stays up for a while
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 5000);
    QCOMPARE(finished.at(0).at(0).toInt(), int(QDialog::Rejected));
    QCOMPARE(rig.store.rows(), 0);
    QCOMPARE(dlg->savedCount(), 0);
    QCOMPARE(rig.browser.openedLinks().size(), 0);
    QCOMPARE(rig.dataRequests(), 0);
}

void TestTddSession::hostileCallbacks_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QList<QByteArray>>("hostileFirst");
    QTest::addColumn<bool>("second");
    QTest::addColumn<bool>("slow");

    const QList<QByteArray> none;
    QTest::newRow("redirect before the opener returns") << int(Mode::EarlyRedirect) << none << false << false;
    QTest::newRow("redirect in two writes") << int(Mode::SplitRedirect) << none << false << false;
    QTest::newRow("a connection that never finishes") << int(Mode::Redirect) << none << false << true;
    QTest::newRow("300-character token")
        << int(Mode::Redirect) << QList<QByteArray>{"GET /taxdata?t=" + QByteArray(300, 'x') + " HTTP/1.1\r\n\r\n"}
        << false << false;
    QTest::newRow("10 KB line") << int(Mode::Redirect)
                                << QList<QByteArray>{"GET /taxdata?t=" + QByteArray(10 * 1024, 'x') + " HTTP/1.1\r\n\r\n"}
                                << false << false;
    QTest::newRow("paths in headers")
        << int(Mode::Redirect)
        << QList<QByteArray>{"GET / HTTP/1.1\r\nX-A: /expnoa?t=header1\r\nX-B: /TAXDATA?t=header2\r\n\r\n"} << false
        << false;
    QTest::newRow("wrong path") << int(Mode::Redirect) << QList<QByteArray>{"GET /taxdatax?t=wrong1 HTTP/1.1\r\n\r\n"}
                                << false << false;
    QTest::newRow("stop word") << int(Mode::Redirect) << QList<QByteArray>{"GET /pausing7315 HTTP/1.1\r\n\r\n"}
                               << false << false;
    QTest::newRow("second callback") << int(Mode::Redirect) << none << true << false;
}

void TestTddSession::hostileCallbacks()
{
    QFETCH(int, mode);
    QFETCH(QList<QByteArray>, hostileFirst);
    QFETCH(bool, second);
    QFETCH(bool, slow);
    Rig rig;
    QVERIFY(rig.started);
    rig.fake.enqueueStage(Reply::StageAccepted);
    rig.fake.enqueueData(Reply::Ready);
    rig.fake.enqueueData(Reply::Ready); // there for a second poll, which must not come
    rig.browser.setMode(Mode(mode));
    rig.browser.setHostileFirst(hostileFirst);
    rig.browser.setSecondCallback(second);
    auto dlg = rig.dialog();
    QSignalSpy finished(dlg.get(), &QDialog::finished);
    dlg->show();
    if (slow) {
        QTRY_VERIFY_WITH_TIMEOUT(dlg->session()->server()->isRunning(), 5000);
        rig.browser.openSlowConnection();
    }
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 15000);
    const QByteArray ended = "the dialog ended on \"" + labelText(*dlg).toUtf8() + "\"; the session's log:\n"
                             + rig.sessionLog();
    QVERIFY2(finished.at(0).at(0).toInt() == int(QDialog::Accepted), ended.constData());
    QCOMPARE(rig.browser.linkProblems(), QStringList());
    QCOMPARE(rig.store.rows(), 3);
    QCOMPARE(rig.dataRequests(), 1);
    QCOMPARE(QString::fromStdString(dlg->session()->webService().tokenA()), rig.browser.lastTokenA());
    QVERIFY(rig.browser.waitForAll());
    int redirects = 0;
    for (const auto& e : rig.browser.exchanges()) {
        if (e.request == rig.browser.redirectFor(rig.browser.lastTokenA())) {
            QVERIFY(e.wellFormed());
            QCOMPARE(e.header("Content-Type"), QByteArray("text/html"));
            ++redirects;
        }
        if (e.request.contains("second0token"))
            QVERIFY(!e.connected); // the port closed after the first callback
    }
    QCOMPARE(redirects, 1);
    QVERIFY(!dlg->session()->workersRunning());
}

// Another page in the browser asks for the callback's address as an image
// (refused), then another local process sends a well-formed callback with a
// token of its own (taken, then refused by the data service): the session
// waits on, and the user's real redirect completes it.
void TestTddSession::plantedTokenCostsTheUserNothing()
{
    Rig rig;
    QVERIFY(rig.started);
    rig.fake.enqueueStage(Reply::StageAccepted);
    rig.fake.enqueueData(Reply::Ready);
    rig.browser.setMode(Mode::NoRedirect);
    auto dlg = rig.dialog();
    QSignalSpy finished(dlg.get(), &QDialog::finished);
    dlg->show();
    // The link is open, so the session waits for its callback.
    QTRY_VERIFY_WITH_TIMEOUT(!rig.browser.lastTokenA().isEmpty(), 10000);
    const QString real = rig.browser.lastTokenA();

    rig.browser.send({"GET /taxdata?t=" + real.toUtf8() + " HTTP/1.1\r\nSec-Fetch-Site: cross-site\r\n"
                      "Sec-Fetch-Mode: no-cors\r\nSec-Fetch-Dest: image\r\n\r\n"});
    QVERIFY(rig.browser.waitForAll());
    QCOMPARE(rig.browser.exchanges().value(0).header("Content-Type"), QByteArray("text/plain"));
    QCOMPARE(rig.dataRequests(), 0);

    rig.browser.send({"GET /taxdata?t=planted0token HTTP/1.1\r\n\r\n"});
    QVERIFY(rig.browser.waitForAll());
    QCOMPARE(rig.browser.exchanges().value(1).header("Content-Type"), QByteArray("text/html"));
    // The data service refuses the planted token; the listener is back.
    QTRY_VERIFY_WITH_TIMEOUT(rig.dataRequests() == 1 && dlg->session()->server()->isRunning(), 10000);
    QCOMPARE(finished.count(), 0);
    QCOMPARE(rig.fake.requests().last().refusal.isEmpty(), false);

    rig.browser.send({rig.browser.redirectFor(real)});
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 15000);
    QCOMPARE(finished.at(0).at(0).toInt(), int(QDialog::Accepted));
    QCOMPARE(rig.store.rows(), 3);
    QCOMPARE(rig.dataRequests(), 2);
    QCOMPARE(QString::fromStdString(dlg->session()->webService().tokenA()), real);
    QCOMPARE(rig.browser.linkProblems(), QStringList());

    QFile file(rig.options.service.sessionLogPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray log = file.readAll();
    QVERIFY2(log.count("callback refused: Sec-Fetch-Mode no-cors\n") == 1, log.constData());
    QCOMPARE(log.count("callback accepted\n"), 2);
    QCOMPARE(log.count("the data service refused the callback's token: waiting for the next callback\n"), 1);
    QVERIFY(!log.contains("planted0token"));
    QVERIFY(!log.contains(real.toUtf8()));
}

void TestTddSession::failingOpenerEndsWithAnErrorAndShowsTheLink()
{
    Rig rig;
    QVERIFY(rig.started);
    rig.fake.enqueueStage(Reply::StageAccepted);
    rig.browser.setMode(Mode::OpenerFails);
    auto dlg = rig.dialog();
    QSignalSpy finished(dlg.get(), &QDialog::finished);
    dlg->show();
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 10000);
    QCOMPARE(finished.at(0).at(0).toInt(), int(QDialog::Rejected));
    QCOMPARE(rig.browser.openedLinks().size(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(rig.prompter.records().size(), 1, 3000);
    QCOMPARE(rig.prompter.records().at(0).link, rig.browser.openedLinks().at(0).toString());
    QCOMPARE(rig.dataRequests(), 0);
    QVERIFY(!dlg->session()->server()->isRunning());
}

void TestTddSession::cancelDuringTheSecondPoll()
{
    Rig rig;
    QVERIFY(rig.started);
    rig.fake.setLateDelayMs(4000);
    rig.fake.enqueueStage(Reply::StageAccepted);
    rig.fake.enqueueData(Reply::NotReady);
    rig.fake.enqueueData(Reply::Late);
    rig.fake.enqueueData(Reply::Ready);
    rig.options.service.timeoutMs = 10000;
    auto dlg = rig.dialog();
    QSignalSpy finished(dlg.get(), &QDialog::finished);
    dlg->show();
    QTRY_COMPARE_WITH_TIMEOUT(rig.dataRequests(), 2, 15000);
    QTest::qWait(300);
    QElapsedTimer cancelling;
    cancelling.start();
    dlg->findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Cancel)->click();
    QCOMPARE(finished.count(), 1);
    QVERIFY2(cancelling.elapsed() < 1500, qPrintable(QString::number(cancelling.elapsed())));
    QVERIFY(!dlg->session()->workersRunning());

    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, rig.port);
    QVERIFY(!socket.waitForConnected(1000));

    // The late reply would have come by now; nothing is stored or asked.
    QTest::qWait(4500);
    QCOMPARE(rig.store.rows(), 0);
    QCOMPARE(rig.dataRequests(), 2);
    QCOMPARE(dlg->savedCount(), 0);
    dlg.reset();
}

void TestTddSession::loginWaitEnds()
{
    Rig rig;
    QVERIFY(rig.started);
    rig.fake.enqueueStage(Reply::StageAccepted);
    rig.browser.setMode(Mode::NoRedirect);
    rig.options.loginWaitSeconds = 1;
    auto dlg = rig.dialog();
    QSignalSpy finished(dlg.get(), &QDialog::finished);
    dlg->show();
    QTRY_COMPARE_WITH_TIMEOUT(dlg->statusText(), QStringLiteral("some error occured, code = %1").arg(TddExtra::LoginTimedOut),
                              10000);
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 5000);
    QCOMPARE(finished.at(0).at(0).toInt(), int(QDialog::Rejected));
    QCOMPARE(rig.browser.linkProblems(), QStringList());
    QCOMPARE(rig.dataRequests(), 0);
}

void TestTddSession::portInUseEndsTheSession()
{
    Rig rig;
    QVERIFY(rig.started);
    QTcpServer other;
    QVERIFY(other.listen(QHostAddress::LocalHost, rig.port));
    auto dlg = rig.dialog();
    QSignalSpy finished(dlg.get(), &QDialog::finished);
    dlg->show();
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 5000);
    QCOMPARE(finished.at(0).at(0).toInt(), int(QDialog::Rejected));
    QCOMPARE(rig.fake.requestCount(), 0);
    QCOMPARE(rig.browser.openedLinks().size(), 0);
}

void TestTddSession::offlineModeParsesTheFile_data()
{
    QTest::addColumn<bool>("readerThrows");
    QTest::newRow("records") << false;
    QTest::newRow("reader throws") << true;
}

void TestTddSession::offlineModeParsesTheFile()
{
    QFETCH(bool, readerThrows);
    Rig rig;
    QVERIFY(rig.started);
    const QString file = rig.home.filePath("reply.xml");
    {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("<TaxData>" + items(3) + "</TaxData>");
    }
    if (readerThrows)
        rig.store.throwOnRead();
    rig.options.dataFile = file;
    auto dlg = rig.dialog();
    QSignalSpy finished(dlg.get(), &QDialog::finished);
    dlg->show();
    QCOMPARE(rig.store.rows(), readerThrows ? 0 : 3); // parsed while the dialog was shown
    QCOMPARE(dlg->savedCount(), readerThrows ? 0 : 3);
    if (readerThrows) {
        QCOMPARE(dlg->statusText(), QStringLiteral("some error occured, code = %1").arg(TddExtra::ParseFailed));
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 5000);
    } else {
        QTest::qWait(1500);
        QCOMPARE(finished.count(), 0); // stays until the user closes it
        dlg->close();
        QCOMPARE(finished.count(), 1);
    }
    QCOMPARE(rig.fake.requestCount(), 0);
    QCOMPARE(rig.browser.openedLinks().size(), 0);
    QVERIFY(!TddHttpServer::getInstance(nullptr)->isRunning());
}

QTEST_MAIN(TestTddSession)
#include "tst_tddsession.moc"
