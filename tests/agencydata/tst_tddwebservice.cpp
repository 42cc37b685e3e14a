// The agency data web service against the loopback fake of the agency's data
// services: stage, login link, polling, the codes each end posts, and logs.
// Steps run on a worker thread, as in a session, while this thread serves
// the hand-over of the link to the user-interface thread.
#include <QtTest>

#include "agencydata/TddWebService.h"
#include "agencydata/tddprogress.h"
#include "agencydata/tddsoap.h"
#include "common/scriptedprompter.h"
#include "common/testhome.h"
#include "companion/core/qwebclient.h"
#include "fakes/agencydataserver.h"
#include "fakes/testcerts.h"
#include "tddtestsettings.h"

#include <functional>
#include <memory>

using Reply = FakeAgencyDataServer::Reply;
using Replies = QList<FakeAgencyDataServer::Reply>;
Q_DECLARE_METATYPE(Replies)

namespace {

const char* const kTestMacKey = "wX8cN3pRz5LmT9kVq2HbY7sJd4GfA6Eu";

// Records every code posted, from whichever thread.
class RecordingSink : public TddProgressSink
{
public:
    void postMessage(int code, int extra) override
    {
        QMutexLocker lock(&m_mutex);
        m_posts << (extra ? QStringLiteral("%1/%2").arg(code).arg(extra) : QString::number(code));
    }
    // "5,10,1000/100"
    QString posts() const
    {
        QMutexLocker lock(&m_mutex);
        return m_posts.join(',');
    }
    void clear()
    {
        QMutexLocker lock(&m_mutex);
        m_posts.clear();
    }

private:
    mutable QMutex m_mutex;
    QStringList m_posts;
};

// Runs a step on a worker thread and serves this thread's events meanwhile.
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

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Session
{
    explicit Session(short kind = TddAutoFill)
    {
        started = fake.start();
        settings = tddTestSettings(fake.hostAndPort(), home.path());
        service.setSettings(settings);
        service.setForWhich("2024", kind);
        service.setSins({"046454286", "130692544"});
        service.setProgressDlg(&sink);
        service.setLinkOpener([this](const QUrl& url) {
            opened << url;
            openedOnMainThread << (QThread::currentThread() == qApp->thread());
            return openSucceeds;
        });
    }

    void useSettings(const std::function<void(TddServiceSettings&)>& change)
    {
        change(settings);
        service.setSettings(settings);
    }

    // A stage the fake accepts and the login the fake would complete:
    // tokenA accepted, and the codes so far forgotten.
    bool stageAndLogin()
    {
        fake.enqueueStage(Reply::StageAccepted);
        if (runOnWorker([this] { return service.wsGetTokenC(); }) != 0)
            return false;
        const QString tokenA = fake.tokenAFor(QString::fromStdString(service.tokenC()));
        if (tokenA.isEmpty() || service.webReturnSetTokenA(tokenA.toUtf8().constData()) != 0)
            return false;
        sink.clear();
        return true;
    }

    QStringList refusals() const
    {
        QStringList out;
        for (const auto& r : fake.requests())
            out << r.refusal;
        return out;
    }

    TestHome home;
    FakeAgencyDataServer fake;
    bool started = false;
    TddServiceSettings settings;
    RecordingSink sink;
    TddWebService service;
    QList<QUrl> opened;
    QList<bool> openedOnMainThread;
    bool openSucceeds = true;
};

} // namespace

class TestTddWebService : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(QWebClient::addTrustedCaFile(TestCerts::caPem())); }
    void cleanupTestCase() { QWebClient::clearTrustedCaFiles(); }

    void stage_data()
    {
        QTest::addColumn<int>("reply");
        QTest::addColumn<QString>("posts");
        QTest::addColumn<int>("result");
        QTest::newRow("accepted") << int(Reply::StageAccepted) << "5,10,15" << 0;
        QTest::newRow("other envelope prefix") << int(Reply::OtherPrefix) << "5,10,15" << 0;
        QTest::newRow("ReturnCode 1") << int(Reply::StageRefused) << "5,10,1000/100" << 100;
        QTest::newRow("fault") << int(Reply::Fault) << "5,10,1000/100" << 100;
        QTest::newRow("HTTP 500") << int(Reply::Http500) << "5,10,1000/100" << 100;
        QTest::newRow("malformed") << int(Reply::Malformed) << "5,10,1000/100" << 100;
        QTest::newRow("no tokenC") << int(Reply::StageNoToken) << "5,10,1000/100" << 100;
        QTest::newRow("reset") << int(Reply::Reset) << "5,1000/-20" << -20;
        QTest::newRow("later than the time-out") << int(Reply::Late) << "5,1000/-20" << -20;
    }

    void stage()
    {
        QFETCH(int, reply);
        QFETCH(QString, posts);
        QFETCH(int, result);
        Session s;
        QVERIFY(s.started);
        s.useSettings([](TddServiceSettings& t) { t.timeoutMs = 1000; });
        s.fake.setLateDelayMs(3000);
        s.fake.enqueueStage(Reply(reply));
        // A dropped connection is tried once more with a new request: the
        // row's reset drops that one too.
        if (Reply(reply) == Reply::Reset)
            s.fake.enqueueStage(Reply::Reset);
        QCOMPARE(runOnWorker([&] { return s.service.wsGetTokenC(); }), result);
        QCOMPARE(s.sink.posts(), posts);
        QCOMPARE(s.refusals().value(0), QString());
        const std::string tokenC = s.service.tokenC();
        QCOMPARE(!tokenC.empty(), result == 0);
        if (result == 0)
            QVERIFY(!s.fake.tokenAFor(QString::fromStdString(tokenC)).isEmpty());
    }

    // The service refuses a nonce it has seen. A stage request whose
    // connection closed before any reply goes again as a new request, with
    // its own nonce and time, never as the same bytes.
    void droppedStageGoesAgainWithANewNonce()
    {
        Session s;
        QVERIFY(s.started);
        s.fake.enqueueStage(Reply::Reset);
        s.fake.enqueueStage(Reply::StageAccepted);
        QCOMPARE(runOnWorker([&] { return s.service.wsGetTokenC(); }), 0);
        QCOMPARE(s.sink.posts(), QStringLiteral("5,10,15"));
        const QList<FakeAgencyDataServer::Request> seen = s.fake.requests();
        QCOMPARE(seen.size(), 2);
        QVERIFY(!seen[0].nonceBase64.isEmpty());
        QVERIFY(seen[0].nonceBase64 != seen[1].nonceBase64);
        QCOMPARE(s.refusals(), (QStringList{QString(), QString()}));
        QVERIFY(!s.service.tokenC().empty());
    }

    void stageGoesToTheTestModePath_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("path");
        QTest::newRow("Auto-fill") << int(TddAutoFill) << QByteArray("/ebci/awsc/tdd/ws/2024/CertTestDeliveryService");
        QTest::newRow("Express NOA") << int(TddExpressNoa) << QByteArray("/ebci/awsc/tdd/ws/2024/CertTestNOAService");
    }

    void stageGoesToTheTestModePath()
    {
        QFETCH(int, kind);
        QFETCH(QByteArray, path);
        Session s{short(kind)};
        QVERIFY(s.started);
        s.fake.enqueueStage(Reply::StageAccepted);
        QCOMPARE(runOnWorker([&] { return s.service.wsGetTokenC(); }), 0);
        QCOMPARE(s.fake.requests().value(0).http.path(), path);
        QCOMPARE(s.fake.requests().value(0).username, kind == TddAutoFill ? QString("095N") : QString("095U"));
    }

    // Each request has a nonce of its own, and the fake checks every digest.
    void consecutiveRequestsCarryFreshNonces()
    {
        Session s;
        QVERIFY(s.started);
        s.fake.enqueueStage(Reply::StageAccepted);
        s.fake.enqueueStage(Reply::StageAccepted);
        QCOMPARE(runOnWorker([&] { return s.service.wsGetTokenC(); }), 0);
        QCOMPARE(runOnWorker([&] { return s.service.wsGetTokenC(); }), 0);
        const auto requests = s.fake.requests();
        QCOMPARE(requests.size(), 2);
        QCOMPARE(s.refusals(), QStringList({QString(), QString()}));
        QVERIFY(requests[0].nonceBase64 != requests[1].nonceBase64);
    }

    // The fake refuses what the agency would: the digest made with another key.
    void fakeRefusesAWrongDigest()
    {
        Session s;
        QVERIFY(s.started);
        s.useSettings([](TddServiceSettings& t) { t.afrKey = QString::fromLatin1(kTestMacKey); });
        s.fake.enqueueStage(Reply::StageAccepted);
        QCOMPARE(runOnWorker([&] { return s.service.wsGetTokenC(); }), 100);
        QCOMPARE(s.refusals(), QStringList({"Password digest does not match"}));
        QCOMPARE(s.sink.posts(), QStringLiteral("5,10,1000/100"));
    }

    void stageWithoutAProgressSinkSendsNothing()
    {
        Session s;
        QVERIFY(s.started);
        s.service.setProgressDlg(nullptr);
        QCOMPARE(runOnWorker([&] { return s.service.wsGetTokenC(); }), -5);
        QCOMPARE(s.fake.requestCount(), 0);
    }

    void linkIsOpenedOnTheUserInterfaceThread()
    {
        Session s;
        QVERIFY(s.started);
        s.fake.enqueueStage(Reply::StageAccepted);
        QCOMPARE(runOnWorker([&] { return s.service.wsGetTokenC(); }), 0);
        QCOMPARE(runOnWorker([&] { return s.service.visitTDDWebAuthUrl(); }), 0);
        QCOMPARE(s.sink.posts(), QStringLiteral("5,10,15,20"));
        QCOMPARE(s.opened.size(), 1);
        QCOMPARE(s.openedOnMainThread, QList<bool>({true}));
        const QString link = s.service.loginUrl();
        QCOMPARE(s.opened[0].toString(QUrl::FullyEncoded), link);
        QVERIFY(link.startsWith("https://" + s.fake.hostAndPort() + "/ebci/awsc/tdd/certtest/auth/start?spID=095N&"));
        QCOMPARE(QUrlQuery(s.opened[0]).queryItemValue("t"), QString::fromStdString(s.service.tokenC()));
    }

    void linkTheDesktopDidNotOpenIsShown()
    {
        ScriptedPrompter prompter;
        Session s;
        QVERIFY(s.started);
        s.openSucceeds = false;
        s.fake.enqueueStage(Reply::StageAccepted);
        QCOMPARE(runOnWorker([&] { return s.service.wsGetTokenC(); }), 0);
        QCOMPARE(runOnWorker([&] { return s.service.visitTDDWebAuthUrl(); }), 99);
        QCOMPARE(s.sink.posts(), QStringLiteral("5,10,15,20,1000/-42"));
        QTRY_COMPARE(prompter.records().size(), 1);
        QCOMPARE(prompter.records()[0].kind, PromptKind::MessageWithLink);
        QCOMPARE(prompter.records()[0].link, QString(s.service.loginUrl()));
    }

    void noLinkWithoutTokenC()
    {
        Session s;
        QVERIFY(s.started);
        QCOMPARE(runOnWorker([&] { return s.service.visitTDDWebAuthUrl(); }), 99);
        QCOMPARE(s.sink.posts(), QStringLiteral("1000/-41"));
        QVERIFY(s.opened.isEmpty());
    }

    void polling_data()
    {
        QTest::addColumn<Replies>("replies");
        QTest::addColumn<QString>("posts");
        QTest::newRow("ready at once") << Replies{Reply::Ready} << "50,55,80,81,85,90,99/1002";
        QTest::newRow("ready at the third")
            << Replies{Reply::NotReady, Reply::NotReadyShortToken, Reply::Ready}
            << "50,55,56,60,65,66,70,75,80,81,85,90,99/1002";
        QTest::newRow("never ready") << Replies{Reply::NotReady, Reply::NotReady, Reply::NotReady}
                                     << "50,55,56,60,65,66,70,75,76,1000/-35";
        QTest::newRow("ReturnCode 30") << Replies{Reply::ReturnCode30} << "50,55,1000/30";
        QTest::newRow("ReturnCode 10") << Replies{Reply::ReturnCode10} << "50,55,1000/-34";
        QTest::newRow("empty ReturnCode") << Replies{Reply::EmptyReturnCode} << "50,55,1000/-38";
        QTest::newRow("fault") << Replies{Reply::Fault} << "50,55,1000/-37";
        QTest::newRow("malformed") << Replies{Reply::Malformed} << "50,55,1000/-36";
        QTest::newRow("reset") << Replies{Reply::NotReady, Reply::Reset, Reply::Reset} << "50,55,56,60,1000/-32";
        QTest::newRow("reset, then ready") << Replies{Reply::NotReady, Reply::Reset, Reply::Ready}
                                           << "50,55,56,60,65,80,81,85,90,99/1002";
    }

    void polling()
    {
        QFETCH(Replies, replies);
        QFETCH(QString, posts);
        Session s;
        QVERIFY(s.started);
        QVERIFY(s.stageAndLogin());
        // The reader of another part of the program stands in here: it posts
        // its codes and stores two records.
        s.service.setReplyParser(TddAutoFill, [&](FILE*, const std::string& reply) {
            for (int code : {80, 81, 85, 90})
                s.service.postProgressMessage(code, 0);
            return reply.find("IndividualIncomeTaxDataItem") != std::string::npos ? 2 : -5;
        });
        for (Reply r : replies)
            s.fake.enqueueData(r);
        runOnWorker([&] { return s.service.wsGetDataAtLast(); });
        QCOMPARE(s.sink.posts(), posts);
        // Every poll passed the fake's checks: a fresh nonce, an issued token;
        // no request was ever repeated after a dropped connection.
        for (const QString& refusal : s.refusals())
            QVERIFY2(refusal.isEmpty(), qPrintable(refusal));
        QCOMPARE(s.service.savedCount(), posts.endsWith("99/1002") ? 2 : 0);
    }

    // Express NOA polls its own service and hands the notices to its own reader.
    void expressNoaPolling()
    {
        Session s{TddExpressNoa};
        QVERIFY(s.started);
        QVERIFY(s.stageAndLogin());
        std::string read;
        s.service.setReplyParser(TddAutoFill, [](FILE*, const std::string&) { return -1; });
        s.service.setReplyParser(TddExpressNoa, [&](FILE*, const std::string& reply) {
            read = reply;
            return 1;
        });
        s.fake.enqueueData(Reply::NotReady);
        s.fake.enqueueData(Reply::Ready);
        runOnWorker([&] { return s.service.wsGetDataAtLast(); });
        QCOMPARE(s.sink.posts(), QStringLiteral("50,55,56,60,65,99/1001"));
        QVERIFY(read.find("NoticeOfAssessmentItem") != std::string::npos);
        for (const auto& r : s.fake.requests()) {
            QCOMPARE(r.http.path(), QByteArray("/ebci/awsc/tdd/ws/2024/CertTestNOAService"));
            QCOMPARE(r.refusal, QString());
            QCOMPARE(r.username, QStringLiteral("095U"));
        }
    }

    void shortTokenIsLoggedAndUsed()
    {
        Session s;
        QVERIFY(s.started);
        QVERIFY(s.stageAndLogin());
        s.service.setReplyParser(TddAutoFill, [](FILE*, const std::string&) { return 1; });
        s.fake.enqueueData(Reply::NotReadyShortToken);
        s.fake.enqueueData(Reply::Ready);
        runOnWorker([&] { return s.service.wsGetDataAtLast(); });
        QCOMPARE(s.sink.posts(), QStringLiteral("50,55,56,60,65,99/1001"));
        QVERIFY(readFile(s.settings.sessionLogPath).contains("token is short\n"));
    }

    void readyWithoutAReaderOrRefusedByIt_data()
    {
        QTest::addColumn<bool>("withReader");
        QTest::addColumn<QString>("posts");
        QTest::newRow("no reader") << false << "50,55,1000/-39";
        QTest::newRow("reader refuses") << true << "50,55,1000/-40";
    }

    void readyWithoutAReaderOrRefusedByIt()
    {
        QFETCH(bool, withReader);
        QFETCH(QString, posts);
        Session s;
        QVERIFY(s.started);
        QVERIFY(s.stageAndLogin());
        if (withReader)
            s.service.setReplyParser(TddAutoFill, [](FILE*, const std::string&) { return -5; });
        s.fake.enqueueData(Reply::Ready);
        runOnWorker([&] { return s.service.wsGetDataAtLast(); });
        QCOMPARE(s.sink.posts(), posts);
    }

    void refusedCallbackTokensStartNoPolling_data()
    {
        QTest::addColumn<QString>("token");
        QTest::newRow("short") << "abc";
        QTest::newRow("markup") << "abcdef%3C%2FTokenIdentifier%3E";
        QTest::newRow("empty") << "";
    }

    void refusedCallbackTokensStartNoPolling()
    {
        QFETCH(QString, token);
        Session s;
        QVERIFY(s.started);
        QCOMPARE(s.service.webReturnSetTokenA(token.toUtf8().constData()), 1);
        QCOMPARE(s.service.tokenA(), std::string());
        runOnWorker([&] { return s.service.wsGetDataAtLast(); });
        QCOMPARE(s.sink.posts(), QStringLiteral("1000/-44"));
        QCOMPARE(s.fake.requestCount(), 0);
    }

    void stopEndsThePollingQuietly()
    {
        Session s;
        QVERIFY(s.started);
        QVERIFY(s.stageAndLogin());
        s.useSettings([](TddServiceSettings& t) { t.pollPauseMs = 60000; });
        s.fake.enqueueData(Reply::NotReady);
        QElapsedTimer clock;
        clock.start();
        std::unique_ptr<QThread> worker(QThread::create([&] { s.service.wsGetDataAtLast(); }));
        worker->start();
        QTRY_COMPARE(s.sink.posts(), QStringLiteral("50,55"));
        s.service.requestStop();
        QVERIFY(worker->wait(5000));
        QCOMPARE(s.sink.posts(), QStringLiteral("50,55"));
        QCOMPARE(s.fake.requestCount(), 2);
    }

    // FullLog without test mode: responses go to the request log, requests
    // do not; with test mode too, requests go with their S.I.N.s masked. No
    // log ever holds the key, and only the owner can read them.
    void logs_data()
    {
        QTest::addColumn<bool>("modeDebug");
        QTest::newRow("FullLog") << false;
        QTest::newRow("FullLog and MODEDEBUG") << true;
    }

    void logs()
    {
        QFETCH(bool, modeDebug);
        Session s;
        QVERIFY(s.started);
        s.useSettings([&](TddServiceSettings& t) {
            t.fullLog = true;
            t.modeDebug = modeDebug;
        });
        QVERIFY(s.stageAndLogin());
        s.fake.enqueueData(Reply::NotReadyShortToken);
        s.fake.enqueueData(Reply::ReturnCode30);
        runOnWorker([&] { return s.service.wsGetDataAtLast(); });

        const QByteArray requestLog = readFile(s.settings.requestLogPath);
        QVERIFY(requestLog.contains("StageTDDDireradResponse"));
        QVERIFY(requestLog.contains("GetTDDDireradResponse"));
        QCOMPARE(requestLog.contains("UsernameToken"), modeDebug);
        QCOMPARE(requestLog.contains("<Sin>xxxxx4286</Sin>"), modeDebug);
        QVERIFY(!requestLog.contains("046454286"));
        for (const QString& path : {s.settings.requestLogPath, s.settings.sessionLogPath}) {
            const QByteArray text = readFile(path);
            QVERIFY2(!text.isEmpty(), qPrintable(path));
            QVERIFY(!text.contains(s.settings.afrKey.toUtf8()));
            QVERIFY(!text.contains(kTestMacKey));
            const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther |
                                              QFile::WriteOther;
            QCOMPARE(QFile::permissions(path) & others, QFile::Permissions());
        }
    }
};

QTEST_GUILESS_MAIN(TestTddWebService)
#include "tst_tddwebservice.moc"
