#include <QtTest>

#include "app/tabwndapp.h"
#include "common/scriptedprompter.h"
#include "common/testhome.h"
#include "companion/core/qwebclient.h"
#include "fakes/fakehttpserver.h"
#include "fakes/testcerts.h"
#include "model/preparerinfo.h"

#include <QIcon>
#include <QMainWindow>
#include <QScreen>
#include <QSqlQuery>

#include <sys/stat.h>
#include <unistd.h>

// The application object in this process, one life per step: start-up with
// a fresh home, the configuration file and the settings table, the values
// saved at exit, and the version check against a loopback web site.
class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void foldersAreTheUsersOnly();
    void ownersOwnModesAreKept();
    void configFileOverridesDefault();
    void testModeSwitchesHostsAndTitle();
    void settingsRowOverridesFile();
    void preparerSettingsReachTheModel();
    void viewSettingsComeBack();
    void malformedViewSettingsFallBack();
    void normalGeometryIsSaved();
    void firstStartFitsTheScreen();
    void testModeKeepsEfileSettingsApart();
    void logPaths_data();
    void logPaths();
    void extraConnectionSeesTheDatabase();
    void recentReturnsThroughTheApplication();
    void messageBoxes();
    void editionIconsAreBuiltIn();
    void testCertificateOnlyInTestMode_data();
    void testCertificateOnlyInTestMode();
    void versionCheck_data();
    void versionCheck();
    void versionCheckDoesNotHoldTheWindow();
    void noVersionCheckInTestMode();

private:
    // Starts the application object (constructor and initApp).
    TabWndApp* start();
    // Ends it as the program does after the event loop.
    void stop();
    void writeConfigFile(const QByteArray& text);
    QString runPath() const;

    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    TabWndApp* m_app = nullptr;
};

static int s_argc = 1;
static char s_arg0[] = "tst_startup";
static char* s_argv[] = {s_arg0, nullptr};

void TestStartup::init()
{
    m_home = std::make_unique<TestHome>();
    QVERIFY(m_home->isValid());
}

void TestStartup::cleanup()
{
    stop();
    m_home.reset();
}

TabWndApp* TestStartup::start()
{
    m_app = TabWndApp::initMainApp(s_argc, s_argv);
    m_prompter = std::make_unique<ScriptedPrompter>();
    const int result = m_app->initApp();
    if (result != 0)
        qWarning("initApp gave %d", result);
    return result == 0 ? m_app : nullptr;
}

void TestStartup::stop()
{
    m_prompter.reset();
    delete m_app;
    m_app = nullptr;
}

QString TestStartup::runPath() const
{
    return m_home->path() + "/Documents/vodarevivo/2024/run";
}

void TestStartup::writeConfigFile(const QByteArray& text)
{
    QDir().mkpath(runPath());
    QFile file(runPath() + "/gr_path.ini");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

void TestStartup::foldersAreTheUsersOnly()
{
    QVERIFY(start());
    const QString doc = m_home->path() + "/Documents/vodarevivo/2024";
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                                            QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    for (const QString& path : {doc, doc + "/run", doc + "/._sys", doc + "/data", doc + "/._sys/mydata2024n.db"}) {
        QVERIFY2(QFileInfo::exists(path), qPrintable(path));
        QVERIFY2(!(QFile::permissions(path) & others), qPrintable(path));
    }
    QCOMPARE(QString(m_app->m_strDBFile), doc + "/._sys/mydata2024n.db");
}

// Start-up takes the group's and others' rights away and nothing more: a
// database or folder the owner made read-only stays read-only.
void TestStartup::ownersOwnModesAreKept()
{
    const QString doc = m_home->path() + "/Documents/vodarevivo/2024";
    const QString db = doc + "/._sys/mydata2024n.db";
    QVERIFY(start());
    stop();
    QVERIFY(::chmod(QFile::encodeName(db).constData(), 0444) == 0);
    QVERIFY(::chmod(QFile::encodeName(doc + "/run").constData(), 0555) == 0);
    QVERIFY(::chmod(QFile::encodeName(doc).constData(), 0751) == 0);
    // Root writes whatever the mode says; anyone else could not start with
    // a read-only database, so that case is left to root.
    if (::geteuid() == 0)
        QVERIFY(start());
    else
        start();
    stop();
    struct stat status {};
    QCOMPARE(::stat(QFile::encodeName(db).constData(), &status), 0);
    QCOMPARE(int(status.st_mode & 07777), 0400);
    QCOMPARE(::stat(QFile::encodeName(doc + "/run").constData(), &status), 0);
    QCOMPARE(int(status.st_mode & 07777), 0500);
    QCOMPARE(::stat(QFile::encodeName(doc).constData(), &status), 0);
    QCOMPARE(int(status.st_mode & 07777), 0700);
    ::chmod(QFile::encodeName(doc + "/run").constData(), 0700);
}

void TestStartup::configFileOverridesDefault()
{
    writeConfigFile("JVMPATH=/opt/jre/lib/server/libjvm.so\nURL_SEND_COMMENT=/c.php\n");
    QVERIFY(start());
    QCOMPARE(QString(m_app->m_config.JVMPATH), QString("/opt/jre/lib/server/libjvm.so"));
    QCOMPARE(QString(m_app->m_config.URL_SEND_COMMENT), QString("/c.php"));
    QCOMPARE(QString(m_app->m_config.URL_SEND_RETURN_FILE), QString("/fileupload.php"));
    QVERIFY(!TabWndApp::s_appTitle.endsWith(" - Testing"));
}

void TestStartup::testModeSwitchesHostsAndTitle()
{
    writeConfigFile("MODEDEBUG=1\nT1013SERVER=127.0.0.1:4443\n");
    QVERIFY(start());
    QCOMPARE(TabWndApp::s_appTitle, QString("voDarevivo 2024 for DirErad - Testing"));
    QCOMPARE(QString(m_app->m_config.DIRERADSERVER), QString("certtest.taxagency.example"));
    QCOMPARE(QString(m_app->m_config.T1013SERVER), QString("127.0.0.1:4443"));
    QCOMPARE(QString(m_app->m_config.tddService(CT1AppConfig::TDDWEBSERVICE_URLPATH_TDD_2)),
             QString("/CertTestDeliveryService"));
    stop();

    // The title is the edition's again in a run without test mode.
    writeConfigFile("MODEDEBUG=0\n");
    QVERIFY(start());
    QCOMPARE(TabWndApp::s_appTitle, QString("voDarevivo 2024 for DirErad"));
    QCOMPARE(QString(m_app->m_config.DIRERADSERVER), QString("apps.taxagency.example"));
}

void TestStartup::settingsRowOverridesFile()
{
    writeConfigFile("LeftPaneSize=320\n");
    QVERIFY(start());
    QCOMPARE(QString(m_app->m_config.LeftPaneSize), QString("320"));
    m_app->m_config.LeftPaneSize = "333";
    stop();

    QVERIFY(start());
    QCOMPARE(QString(m_app->m_config.LeftPaneSize), QString("333"));
}

void TestStartup::preparerSettingsReachTheModel()
{
    QVERIFY(start());
    QVERIFY(m_app->m_dbManager.saveParameter("BusinessName", CString("Lee Tax Services")) > 0);
    m_app->m_dbManager.saveParameter("PreAssessment", 1);
    m_app->readConfigDB();
    QCOMPARE(QString(preparerInfo().BusinessName), QString("Lee Tax Services"));
    QCOMPARE(preparerInfo().PreAssessment, 1);

    // Applying the preferences hands the new values over too.
    m_app->m_config.BusinessCity = "Gander";
    m_app->saveConfigDB();
    QCOMPARE(QString(preparerInfo().BusinessCity), QString("Gander"));
}

void TestStartup::viewSettingsComeBack()
{
    QVERIFY(start());
    QMainWindow window;
    m_app->setMainWidget(&window);
    window.setGeometry(60, 80, 600, 400);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    m_app->m_config.FontSize = "14";
    m_app->m_config.BKColor = "#102030";
    m_app->m_config.LeftPaneSize = "310";
    m_app->m_strLastOpenPath = m_home->path();
    window.close();
    const QRect placed = window.geometry();
    stop();

    QVERIFY(start());
    QRect r;
    m_app->getStartRectPos(r);
    QCOMPARE(r, placed);
    QCOMPARE(QString(m_app->m_config.FontSize), QString("14"));
    QCOMPARE(QString(m_app->m_config.BKColor), QString("#102030"));
    QCOMPARE(QString(m_app->m_config.LeftPaneSize), QString("310"));
    QCOMPARE(QString(m_app->m_strLastOpenPath), m_home->path());
}

void TestStartup::malformedViewSettingsFallBack()
{
    writeConfigFile("LeftPaneSize=290\n");
    QVERIFY(start());
    m_app->m_config.FontSize = "huge";
    m_app->m_config.BKColor = "#fff";
    m_app->m_config.LeftPaneSize = "-40";
    stop();

    QVERIFY(start());
    QCOMPARE(QString(m_app->m_config.FontSize), QString("12"));
    QCOMPARE(QString(m_app->m_config.BKColor), QString("#d0f1ff"));
    QCOMPARE(QString(m_app->m_config.LeftPaneSize), QString("290"));
}

void TestStartup::normalGeometryIsSaved()
{
    QVERIFY(start());
    {
        QMainWindow window;
        m_app->setMainWidget(&window);
        window.setGeometry(40, 70, 500, 300);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect normal = window.geometry();
        window.showMaximized();
        QTRY_VERIFY(window.isMaximized());
        QTRY_VERIFY(window.geometry() != normal);
        window.close();
    } // the window is gone before the exit saves
    QCOMPARE(m_app->getMainWidget(), nullptr);
    stop();

    QVERIFY(start());
    QRect r;
    m_app->getStartRectPos(r);
    QCOMPARE(r.size(), QSize(500, 300));
    QCOMPARE(r.topLeft(), QPoint(40, 70));
}

void TestStartup::firstStartFitsTheScreen()
{
    QVERIFY(start());
    QRect r;
    m_app->getStartRectPos(r);
    QCOMPARE(r.topLeft(), QPoint(20, 60));
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(available.contains(r), qPrintable(QString("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height())));
}

void TestStartup::testModeKeepsEfileSettingsApart()
{
    writeConfigFile("MODEDEBUG=1\n");
    QVERIFY(start());
    m_app->m_config.BusinessEFileNum = "T9999";
    m_app->m_config.BusinessName = "Books & Co";
    QCOMPARE(m_app->saveConfigDB(), 0);
    CString value = "absent";
    QVERIFY(m_app->m_dbManager.readParameter("BusinessEFileNumDbg", value) > 0);
    QCOMPARE(QString(value), QString("T9999"));
    value = "absent";
    QCOMPARE(m_app->m_dbManager.readParameter("BusinessEFileNum", value), 0);
    QCOMPARE(QString(value), QString("absent"));
    stop();

    writeConfigFile("MODEDEBUG=0\n");
    QVERIFY(start());
    QCOMPARE(QString(m_app->m_config.BusinessEFileNum), QString());
    QCOMPARE(QString(m_app->m_config.BusinessName), QString("Books & Co"));
}

void TestStartup::logPaths_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("file");
    QTest::newRow("requests") << 0 << "tddlog.txt";
    QTest::newRow("session") << 1 << "tddlog2.txt";
    QTest::newRow("found files") << 2 << "findfiles.csv";
    QTest::newRow("other kind") << 5 << "";
}

void TestStartup::logPaths()
{
    QFETCH(int, kind);
    QFETCH(QString, file);
    QVERIFY(start());
    CString path;
    m_app->getTDDLogFilePath(path, kind);
    QCOMPARE(QString(path), runPath() + "/" + file);

    CString filing;
    m_app->getFilingLogFilePath(filing, 0);
    QCOMPARE(QString(filing), runPath() + "/netfilelog.txt");
    m_app->getFilingLogFilePath(filing, 1);
    QCOMPARE(QString(filing), runPath() + "/netfileresult.txt");

    // Each line: prefix, time stamp with its trailing blank, message.
    const CString log = runPath() + "/tddlog.txt";
    TabWndApp::WriteLogFile(log, "");
    TabWndApp::WriteLogFile(log, "second\nline");
    TabWndApp::WriteLogFile(log, nullptr);
    QFile f(log);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(f.readAll()).split('\n');
    const QRegularExpression stamp("^Log: \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d (.*)$");
    QCOMPARE(lines.size(), 5); // four lines and the empty rest
    QCOMPARE(stamp.match(lines[0]).captured(1), QString());
    QCOMPARE(stamp.match(lines[1]).captured(1), QString("second"));
    QCOMPARE(lines[2], QString("line"));
    QVERIFY(stamp.match(lines[3]).hasMatch());
}

void TestStartup::extraConnectionSeesTheDatabase()
{
    QVERIFY(start());
    QVERIFY(m_app->m_dbManager.saveParameter("FontSize", CString("15")) != CSqliteDBManager::DbFailed);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "TDD_DB_Connection");
        m_app->openExtraDBHandle(db);
        QVERIFY(db.isOpen());
        QSqlQuery query(db);
        QVERIFY(query.exec("select value from tb_config where name='FontSize' order by id desc"));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toString(), QString("15"));
        query.finish();
        m_app->closeExtraDBHandle(db);
        QVERIFY(!db.isOpen());
    }
    QSqlDatabase::removeDatabase("TDD_DB_Connection");
}

void TestStartup::recentReturnsThroughTheApplication()
{
    QVERIFY(start());
    const QString data = m_home->path() + "/Documents/vodarevivo/2024/data";
    const QString couple = data + "/lee.r24";
    const QString single = data + "/obrien.r24";
    for (const QString& path : {couple, single}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("r24");
    }
    const int id = m_app->saveReturnEntry("Ann Lee", "Bob Lee", couple);
    QVERIFY(id > 0);
    QCOMPARE(m_app->saveReturnEntry("Ann Lee", "Bob Lee", couple), id);
    QVERIFY(m_app->saveReturnEntry("Pat O'Brien", "", single) > 0);

    ReturnFileEntriesModel* model = m_app->loadReturnEntriesIntoModel("O'Brien");
    QCOMPARE(model, &m_app->m_returnEntries);
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(model->data(model->index(0, 0)).toString(), QString("Pat O'Brien"));

    model = m_app->loadReturnEntriesIntoModel(QString());
    QCOMPARE(model->rowCount(), 2);
    const int row = model->getFilePath(0) == couple ? 0 : 1;
    QCOMPARE(model->data(model->index(row, 0)).toString(), QString("Ann Lee & Bob Lee"));
    QCOMPARE(m_app->removeReturnEntry(model->index(row, 0)), CSqliteDBManager::EntryRemoved);
    QVERIFY(!QFile::exists(couple));
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(m_app->loadReturnEntriesIntoModel(QString())->getFilePath(0), single);

    // The next start drops the row of a file that has gone meanwhile.
    QVERIFY(m_app->saveReturnEntry("Kim Roy", "", data + "/roy.r24") > 0);
    QCOMPARE(m_app->loadReturnEntriesIntoModel(QString())->rowCount(), 2);
    stop();
    QVERIFY(start());
    model = m_app->loadReturnEntriesIntoModel(QString());
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(model->getFilePath(0), single);
}

void TestStartup::messageBoxes()
{
    QVERIFY(start());
    QMainWindow window;
    m_app->setMainWidget(&window);

    QCOMPARE(TabWndApp::gAppInformation("Saved.", nullptr), 1);
    m_prompter->queueButton(Prompt::Yes);
    QVERIFY(TabWndApp::gAppQuestion("Go on?", nullptr));
    m_prompter->queueButton(Prompt::No);
    QVERIFY(!TabWndApp::gAppQuestion("Go on?", nullptr));
    m_prompter->queueButton(Prompt::Retry);
    QCOMPARE(TabWndApp::gAppQuestionReturnBtn("Again?", nullptr, Prompt::Retry | Prompt::Cancel),
             int(Prompt::Retry));

    const QList<PromptRecord>& shown = m_prompter->records();
    QCOMPARE(shown.size(), 4);
    for (const PromptRecord& record : shown)
        QCOMPARE(record.title, QString("voDarevivo 2024 for DirErad"));
    QVERIFY(shown[0].hadParent);  // over the main window
    QVERIFY(shown[1].hadParent);
    QVERIFY(!shown[3].hadParent); // the caller's null parent stays null
    QCOMPARE(shown[3].buttons, Prompt::Retry | Prompt::Cancel);
    QVERIFY(!m_prompter->hadUnexpectedAnswer());
}

void TestStartup::editionIconsAreBuiltIn()
{
    QVERIFY(start());
    for (const char* name : {":/res/images/direrad-2024.ico", ":/res/images/efile-2024.ico"}) {
        const QIcon icon(QString::fromLatin1(name));
        QVERIFY2(!icon.isNull() && !icon.pixmap(32, 32).isNull(), name);
    }
}

void TestStartup::testCertificateOnlyInTestMode_data()
{
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<bool>("trusted");
    const QByteArray ca = "TestCAFile=" + TestCerts::caPem().toUtf8() + "\n";
    QTest::newRow("test mode") << "MODEDEBUG=1\n" + ca << true;
    QTest::newRow("production ignores it") << ca << false;
    QTest::newRow("test mode without it") << QByteArray("MODEDEBUG=1\n") << false;
}

void TestStartup::testCertificateOnlyInTestMode()
{
    QFETCH(QByteArray, config);
    QFETCH(bool, trusted);
    writeConfigFile(config);
    QVERIFY(start());
    FakeHttpServer server;
    QVERIFY(server.startTls(TestCerts::serverPem(), TestCerts::serverKey()));
    server.setDefaultReply(FakeReply::text(200, "ok"));
    QWebClient client(server.url("/x"));
    client.setTimeoutMs(5000);
    QString reply;
    const bool answered = client.post(reply);
    QWebClient::clearTrustedCaFiles();
    QCOMPARE(answered, trusted);
    QCOMPARE(reply, trusted ? QString("ok") : QString());
}

void TestStartup::versionCheck_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("told");
    QTest::newRow("newer date") << QByteArray("200 20250110") << 200 << true;
    QTest::newRow("this version") << QByteArray("200 20241213") << 200 << false;
    QTest::newRow("older date") << QByteArray("201 20240101") << 200 << false;
    QTest::newRow("not found") << QByteArray("404 x") << 200 << false;
    QTest::newRow("no number") << QByteArray("hello") << 200 << false;
    QTest::newRow("no word") << QByteArray("200") << 200 << false;
    QTest::newRow("not a date") << QByteArray("200 9") << 200 << false;
    QTest::newRow("nine digits") << QByteArray("200 202501101") << 200 << false;
    QTest::newRow("http error") << QByteArray("200 20250110") << 500 << false;
}

void TestStartup::versionCheck()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, status);
    QFETCH(bool, told);
    QVERIFY(start());
    FakeHttpServer server;
    QVERIFY(server.startTls(TestCerts::serverPem(), TestCerts::serverKey()));
    server.setReply("/phpproj/zelbo/info/kestrovainfo.php",
                    FakeReply::text(status, status == 200 ? reply : QByteArray("oops")));
    QVERIFY(QWebClient::addTrustedCaFile(TestCerts::caPem()));

    m_app->m_config.voDarevivoWebServer = server.hostAndPort();
    QCOMPARE(m_app->checkLatestVersion(), 0);
    QCOMPARE(m_app->checkLatestVersion(), 0); // a second show asks nothing
    m_app->waitForVersionCheck();
    QWebClient::clearTrustedCaFiles();

    QCOMPARE(server.requestCount(), 1);
    const RecordedRequest request = server.lastRequest();
    QCOMPARE(request.method, QByteArray("POST"));
    const QList<QPair<QString, QString>> items = {{"kw1", "QT1N-2024"}, {"kw2", "latest"}};
    QCOMPARE(request.formItems(), items);

    const QList<PromptRecord>& shown = m_prompter->records();
    QCOMPARE(shown.size(), told ? 1 : 0);
    if (told) {
        QCOMPARE(shown[0].texts.join("\n"),
                 QString("There is a new version of voDarevivo 2024. You can go to https://%1 to download/install it again.")
                     .arg(server.hostAndPort()));
        QCOMPARE(shown[0].title, QString("voDarevivo 2024 for DirErad"));
    }
}

void TestStartup::versionCheckDoesNotHoldTheWindow()
{
    QVERIFY(start());
    FakeHttpServer server;
    QVERIFY(server.startTls(TestCerts::serverPem(), TestCerts::serverKey()));
    FakeReply slow = FakeReply::text(200, "200 20250110");
    slow.delayMs = 1500;
    server.setDefaultReply(slow);
    QVERIFY(QWebClient::addTrustedCaFile(TestCerts::caPem()));
    m_app->m_config.voDarevivoWebServer = server.hostAndPort();

    QElapsedTimer clock;
    clock.start();
    QCOMPARE(m_app->checkLatestVersion(), 0);
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(m_prompter->records().isEmpty());
    m_app->waitForVersionCheck();
    QWebClient::clearTrustedCaFiles();
    QCOMPARE(m_prompter->records().size(), 1);
}

void TestStartup::noVersionCheckInTestMode()
{
    writeConfigFile("MODEDEBUG=1\n");
    QVERIFY(start());
    FakeHttpServer server;
    QVERIFY(server.startTls(TestCerts::serverPem(), TestCerts::serverKey()));
    server.setDefaultReply(FakeReply::text(200, "200 20250110"));
    m_app->m_config.voDarevivoWebServer = server.hostAndPort();
    QCOMPARE(m_app->checkLatestVersion(), 0);
    m_app->waitForVersionCheck();
    QTest::qWait(200);
    QCOMPARE(server.requestCount(), 0);
    QVERIFY(m_prompter->records().isEmpty());
}

QTEST_APPLESS_MAIN(TestStartup)
#include "tst_startup.moc"
