// The agency data service as the program sets it up: the configuration's
// endpoint table, test-mode hosts from "gr_path.ini", the program's URL
// opener, against the loopback fake of the agency's data services.
#include <QtTest>

#include "agencydata/TddWebService.h"
#include "agencydata/tddprogress.h"
#include "agencydata/ui/tddurlopener.h"
#include "app/t1appconfig.h"
#include "common/capturingurlopener.h"
#include "common/testhome.h"
#include "companion/core/qwebclient.h"
#include "fakes/agencydataserver.h"
#include "fakes/testcerts.h"
#include "app/featuresettingsfromconfig.h"
#include "workspace/featureenvironment.h"

#include <memory>

namespace {

class CountingSink : public TddProgressSink
{
public:
    void postMessage(int code, int) override { last = code; }
    std::atomic<int> last{0};
};

bool loadConfig(CT1AppConfig& config, const QString& folder, const QByteArray& text)
{
    const QString path = QDir(folder).filePath(QStringLiteral("gr_path.ini"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        return false;
    file.close();
    const bool read = config.readConfigFile(path.toUtf8().constData());
    config.finalize();
    return read;
}

int runOnWorker(const std::function<int()>& step)
{
    int result = 0;
    std::unique_ptr<QThread> worker(QThread::create([&] { result = step(); }));
    worker->start();
    while (!worker->isFinished())
        QTest::qWait(5);
    worker->wait();
    return result;
}

} // namespace

class TestTddSettings : public QObject
{
    Q_OBJECT
private slots:
    void testModeTalksToTheHostsOfTheFile()
    {
        TestHome home;
        FakeAgencyDataServer fake;
        QVERIFY(fake.start());
        QVERIFY(QWebClient::addTrustedCaFile(TestCerts::caPem()));
        CT1AppConfig config;
        const QByteArray host = fake.hostAndPort().toUtf8();
        QVERIFY(loadConfig(config, home.path(),
                           "MODEDEBUG=1\nDireradSoftwareCode=095\nTDDWebServiceHost=" + host +
                               "\nTDDWebServerHost=" + host + "\n"));
        const TddServiceSettings settings = tddServiceSettingsFrom(featureSettingsFromConfig(config, home.path()));
        QCOMPARE(settings.requestLogPath, QDir(home.path()).filePath("tddlog.txt"));

        CapturingUrlOpener opener;
        CountingSink sink;
        TddWebService service;
        service.setSettings(settings);
        service.setForWhich("2024", 1);
        service.setSins({"046454286"});
        service.setProgressDlg(&sink);
        service.setLinkOpener(tddDesktopLinkOpener());
        fake.enqueueStage(FakeAgencyDataServer::Reply::StageAccepted);
        QCOMPARE(runOnWorker([&] { return service.wsGetTokenC(); }), 0);
        QCOMPARE(fake.requests().value(0).http.path(), QByteArray("/ebci/awsc/tdd/ws/2024/CertTestDeliveryService"));
        QCOMPARE(fake.requests().value(0).refusal, QString());

        QCOMPARE(runOnWorker([&] { return service.visitTDDWebAuthUrl(); }), 0);
        QCOMPARE(sink.last.load(), int(TddCode::LinkOpening));
        QCOMPARE(opener.urls.size(), 1);
        QVERIFY(opener.urls[0].toString().startsWith("https://" + host + "/ebci/awsc/tdd/certtest/auth/start?spID=095N&"));
        QWebClient::clearTrustedCaFiles();
    }

    // The callback port of the edition, another in test mode only; the
    // login wait shortened in test mode only.
    void sessionPortAndLoginWait_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("purpose");
        QTest::addColumn<int>("port");
        QTest::addColumn<int>("wait");
        QTest::newRow("DIRERAD edition") << QByteArray() << 2 << 46248 << 600;
        QTest::newRow("EFILE edition") << QByteArray() << 1 << 46249 << 600;
        QTest::newRow("test mode") << QByteArray("MODEDEBUG=1\nTDDCallbackPort=50123\nTDDLoginWaitSeconds=5\n") << 2
                                   << 50123 << 5;
        QTest::newRow("keys outside test mode") << QByteArray("TDDCallbackPort=50123\nTDDLoginWaitSeconds=5\n") << 2
                                                << 46248 << 600;
        QTest::newRow("out of range") << QByteArray("MODEDEBUG=1\nTDDCallbackPort=70000\nTDDLoginWaitSeconds=0\n")
                                      << 2 << 46248 << 600;
    }

    void sessionPortAndLoginWait()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, purpose);
        QFETCH(int, port);
        QFETCH(int, wait);
        TestHome home;
        CT1AppConfig config;
        QVERIFY(loadConfig(config, home.path(), file + "TDDDataFile=/tmp/reply.xml\n"));
        const TddSessionOptions options = tddSessionOptionsFrom(featureSettingsFromConfig(config, home.path()), purpose);
        QCOMPARE(options.callbackPort, port);
        QCOMPARE(options.loginWaitSeconds, wait);
        QCOMPARE(options.dataFile, QStringLiteral("/tmp/reply.xml"));
        QVERIFY(options.craJsUrl.endsWith(QStringLiteral("/pub/js/cra.js")));
        QVERIFY(bool(options.opener));
    }

    // Outside test mode the hosts of the file are ignored.
    void productionKeepsItsOwnHosts()
    {
        TestHome home;
        CT1AppConfig config;
        QVERIFY(loadConfig(config, home.path(), "TDDWebServiceHost=127.0.0.1:1\nTDDWebServerHost=127.0.0.1:1\n"));
        const TddServiceSettings settings = tddServiceSettingsFrom(featureSettingsFromConfig(config, home.path()));
        QVERIFY(settings.serviceHost != "127.0.0.1:1");
        QVERIFY(settings.loginHost != "127.0.0.1:1");
        QCOMPARE(settings.tddServicePath, QStringLiteral("/TaxDataDeliveryService"));
        QCOMPARE(settings.loginPath, QStringLiteral("/gol-ged/awsc/tdd/auth/start"));
        QCOMPARE(settings.afrKey, QStringLiteral("Rt6YpL2mXc9VbN4kZq7HsW3dJf8GuA5e"));
        QCOMPARE(settings.noaRenderHost, QStringLiteral("www.vodarevivo.example"));
    }

    // Notices are rendered on the host the file names.
    void noticeRenderingHostComesFromTheFile()
    {
        TestHome home;
        CT1AppConfig config;
        QVERIFY(loadConfig(config, home.path(), "MODEDEBUG=1\nNOARenderHost=127.0.0.1:8444\n"));
        QCOMPARE(tddServiceSettingsFrom(featureSettingsFromConfig(config, home.path())).noaRenderHost, QStringLiteral("127.0.0.1:8444"));
    }
};

QTEST_MAIN(TestTddSettings)
#include "tst_tddsettings.moc"
