#include <QtTest>

#include "app/tabwndapp.h"
#include "app/t1appconfig.h"
#include "common/scriptedprompter.h"
#include "common/testhome.h"
#include "companion/core/qwebclient.h"
#include "fakes/agency/agencyconfig.h"
#include "fakes/agency/fakeagencyserver.h"
#include "filing/filingwebclient.h"

Q_DECLARE_METATYPE(SoapPostOutcome)

// The program started on a fresh home whose "gr_path.ini" the fake agency's
// helper wrote: its filing hosts, test mode, title, time-out and software
// code come from there, and its posts reach the fake over TLS trusted
// through TestCAFile, in test mode only.
class TestPointAtFake : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void helperFilePointsTheProgramAtTheFake();
    void testCaIsTrustedOnlyInTestMode_data();
    void testCaIsTrustedOnlyInTestMode();
    void soapTimeoutSetting_data();
    void soapTimeoutSetting();

private:
    // Reads the configuration as the program does at start-up.
    bool initialise();

    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<FakeAgencyServer> m_agency;
    TabWndApp* m_app = nullptr;
};

static int s_argc = 1;
static char s_arg0[] = "tst_pointatfake";
static char* s_argv[] = {s_arg0, nullptr};

void TestPointAtFake::init()
{
    QVERIFY2(AgencyCerts::available(), "certificates missing: run through ctest (fixture agency_certs)");
    m_home = std::make_unique<TestHome>();
    QVERIFY(m_home->isValid());
    // The application object first: the fake's thread needs it, and the
    // configuration it reads at initialisation needs the fake's port.
    m_app = TabWndApp::initMainApp(s_argc, s_argv);
    m_prompter = std::make_unique<ScriptedPrompter>();
    m_agency = std::make_unique<FakeAgencyServer>();
    QVERIFY2(m_agency->start(), qPrintable(m_agency->errorString()));
}

void TestPointAtFake::cleanup()
{
    m_agency.reset();
    m_prompter.reset();
    delete m_app;
    m_app = nullptr;
    QWebClient::clearTrustedCaFiles();
    m_home.reset();
}

bool TestPointAtFake::initialise()
{
    return m_app->initApp() == 0;
}

void TestPointAtFake::helperFilePointsTheProgramAtTheFake()
{
    const QString file = AgencyConfig::write(m_home->path(), m_agency->hostAndPort(), AgencyCerts::caPem());
    QVERIFY(!file.isEmpty());
    QVERIFY(initialise());

    const CT1AppConfig& config = m_app->m_config;
    const QString hostAndPort = QStringLiteral("127.0.0.1:%1").arg(m_agency->port());
    QCOMPARE(QString(config.DIRERADSERVER), hostAndPort);
    QCOMPARE(QString(config.EOLSERVER), hostAndPort);
    QCOMPARE(QString(config.T1013SERVER), hostAndPort);
    QVERIFY(config.MODEDEBUG);
    QVERIFY2(TabWndApp::s_appTitle.endsWith(" - Testing"), qPrintable(TabWndApp::s_appTitle));
    QCOMPARE(config.soapTimeoutSec(), 3);
    QCOMPARE(QString(config.DireradSoftwareCode), QString("097"));
    QCOMPARE(QString(config.DireradSoftwareDate), QString("2024-12-13"));

    // The address as the exchanges build it, "https://%1%2%3".
    m_agency->script().enqueue(AgencyEndpoint::Direrad, AgencyKind::Terms, AgencyReply::fixture("terms.xml"));
    const QString url = QStringLiteral("https://%1%2%3")
                            .arg(config.DIRERADSERVER, QStringLiteral("/ebci/pfno/ws/services/FileReturnService"), QString());
    FilingWebClient client(url, false);
    const SoapPostResult r = client.post("<soapenv:Envelope><soapenv:Body><t1rq:TermsAndConditionsRequest/>"
                                         "</soapenv:Body></soapenv:Envelope>",
                                         "text/xml; charset=UTF-8");
    QCOMPARE(r.outcome, SoapPostOutcome::Reply);
    QCOMPARE(r.body, AgencyFixtures::read("terms.xml"));
    QCOMPARE(m_agency->recorder().count(AgencyEndpoint::Direrad, AgencyKind::Terms), 1);
}

void TestPointAtFake::testCaIsTrustedOnlyInTestMode_data()
{
    QTest::addColumn<QStringList>("extraLines");
    QTest::addColumn<SoapPostOutcome>("outcome");
    QTest::newRow("test mode") << QStringList() << SoapPostOutcome::Reply;
    QTest::newRow("test mode off later in the file") << QStringList{"MODEDEBUG=0"} << SoapPostOutcome::NotSent;
}

void TestPointAtFake::testCaIsTrustedOnlyInTestMode()
{
    QFETCH(QStringList, extraLines);
    QFETCH(SoapPostOutcome, outcome);
    AgencyConfig::Options options;
    options.extraLines = extraLines;
    QVERIFY(!AgencyConfig::write(m_home->path(), m_agency->hostAndPort(), AgencyCerts::caPem(), options).isEmpty());
    QVERIFY(initialise());
    m_agency->script().setDefault(AgencyEndpoint::T1013, AgencyKind::Any, AgencyReply::fixture("t1013-count1.xml"));

    FilingWebClient client(QStringLiteral("https://%1/ebci/tdws/esub/services/TRISWebService").arg(m_app->m_config.T1013SERVER));
    client.setTimeoutMs(5000);
    QCOMPARE(client.post("<soapenv:Envelope/>", "text/xml; charset=UTF-8").outcome, outcome);
    QCOMPARE(m_agency->recorder().count(), outcome == SoapPostOutcome::Reply ? 1 : 0);
}

void TestPointAtFake::soapTimeoutSetting_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("seconds");
    QTest::newRow("absent") << QByteArray() << 60;
    QTest::newRow("set") << QByteArray("SoapTimeoutSec=7") << 7;
    QTest::newRow("blanks around") << QByteArray("SoapTimeoutSec= 12 ") << 12;
    QTest::newRow("largest") << QByteArray("SoapTimeoutSec=600") << 600;
    QTest::newRow("zero") << QByteArray("SoapTimeoutSec=0") << 60;
    QTest::newRow("too long") << QByteArray("SoapTimeoutSec=601") << 60;
    QTest::newRow("negative") << QByteArray("SoapTimeoutSec=-5") << 60;
    QTest::newRow("not a number") << QByteArray("SoapTimeoutSec=soon") << 60;
}

void TestPointAtFake::soapTimeoutSetting()
{
    QFETCH(QByteArray, line);
    QFETCH(int, seconds);
    const QString path = m_home->filePath("gr_path.ini");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(line + '\n');
    file.close();
    CT1AppConfig config;
    QVERIFY(config.readConfigFile(path.toUtf8().constData()));
    QCOMPARE(config.soapTimeoutSec(), seconds);
}

QTEST_APPLESS_MAIN(TestPointAtFake)
#include "tst_pointatfake.moc"
