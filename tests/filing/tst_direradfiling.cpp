// The DIRERAD road whole, without a window: the return checked and built, the
// submission dialog's OK, the terms and the result answered by a script, the
// terms and the return sent to the fake agency, and what the road keeps in
// the return and the filing history for each way a filing ends. Where the
// network failed, its own words reach what the user is shown.
#include <QtTest>

#include "common/featurecontextfixture.h"
#include "companion/core/qwebclient.h"
#include "companion/forms/fieldchoices.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "efilefixture.h"
#include "fakes/agency/fakeagencyserver.h"
#include "filing/direradsending.h"
#include "filing/filingwebclient.h"
#include "filing/soapfilingresult.h"
#include "model/cfamilytaxdata.h"
#include "model/individualtaxdata.h"

#include <QTemporaryDir>

Q_DECLARE_METATYPE(AgencyReply)
Q_DECLARE_METATYPE(DireradOutcome)

namespace {

const QDateTime kNow(QDate(2025, 3, 2), QTime(14, 5, 9));

// The user as a script: OK on the submission dialog, agree to the terms;
// what was asked and shown is kept.
class ScriptedUser : public DireradRoadDialogs, public DireradSendingQuestions
{
public:
    bool pressOk = true;
    bool agree = true;
    QStringList asked;
    FilingResultReport shown;
    QString sentName;

    int askOnlineMailSignup(QWidget*) override
    {
        asked << "signup";
        return NotNow;
    }
    DireradSubmissionResult submit(const DireradSubmissionRequest& request) override
    {
        asked << "submission";
        sentName = request.name;
        if (!pressOk)
            return DireradSubmissionResult();
        return sendDireradReturn(request, *this);
    }
    bool agreeToTerms(const SoapFilingResult& terms, bool isReFile) override
    {
        asked << QString("terms%1").arg(isReFile ? " (ReFILE)" : "");
        termsText = terms.m_strMessage;
        return agree;
    }
    QString testCaseText() override { return QString(); }
    void showResult(const FilingResultReport& report) override
    {
        asked << "result";
        shown = report;
    }
    void afterAcceptance(bool hasEmail, double) override { asked << QString("after (e-mail %1)").arg(hasEmail); }
    QWidget* promptParent() const override { return nullptr; }

    QString termsText;
};

// How the agency plays a case.
enum class Agency { Answers, StopsAfterTheTerms, Untrusted };

} // namespace

Q_DECLARE_METATYPE(Agency)

class TestDireradFiling : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void endings_data();
    void endings();

private:
    FakeAgencyServer m_agency;
};

void TestDireradFiling::initTestCase()
{
    QVERIFY2(AgencyCerts::available(), "certificates missing: run through ctest (fixture agency_certs)");
    QVERIFY(QWebClient::addTrustedCaFile(AgencyCerts::caPem()));
    QVERIFY2(m_agency.start(), qPrintable(m_agency.errorString()));
}

void TestDireradFiling::init()
{
    m_agency.script().clear();
    m_agency.recorder().clear();
    m_agency.script().setDefault(AgencyEndpoint::Direrad, AgencyKind::Terms, AgencyReply::fixture("terms.xml"));
    FilingWebClient::setDefaultTimeoutSec(3);
}

void TestDireradFiling::cleanup()
{
    FilingWebClient::setDefaultTimeoutSec(FilingWebClient::DefaultTimeoutSec);
    if (!m_agency.isListening())
        QVERIFY(m_agency.start()); // listening again for the next case
}

void TestDireradFiling::endings_data()
{
    QTest::addColumn<Agency>("agency");
    QTest::addColumn<bool>("pressOk");
    QTest::addColumn<AgencyReply>("reply");
    QTest::addColumn<DireradOutcome>("outcome");
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<int>("returnsSent");
    QTest::addColumn<QString>("overview"); // the start of the result's overview; empty: no result shown
    QTest::addColumn<QString>("details");  // found in the result's details
    QTest::addColumn<QString>("cause");    // the start of the cause shown; "%1" for host:port
    QTest::addColumn<QString>("told");     // the start of a message box; empty: none
    QTest::addColumn<QList<int>>("events"); // filing history: 1018 the status, 1019 the result
    // Jean has not signed up for online mail: the sign-up page comes first.
    const QStringList upToTheResult{"signup", "submission", "terms", "result"};
    const AgencyReply accepted = AgencyReply::fixture("accepted.xml");

    QTest::newRow("accepted") << Agency::Answers << true << accepted << DireradOutcome::Accepted
                              << (upToTheResult + QStringList{"after (e-mail 1)"}) << 1
                              << "Direrad is submitted successfully. The confirmation code is [XK47Q9].\nResult code "
                                 "is [0]\nTime: 2025-03-02 14:05:09"
                              << "Your return has been received." << "" << "" << QList<int>{1018, 1019};
    QTest::newRow("refused") << Agency::Answers << true << AgencyReply::fixture("rejected.xml")
                             << DireradOutcome::Refused << upToTheResult << 1
                             << "Direrad submission is NOT successful!\nResult code is [300]"
                             << "Your return cannot be accepted for online filing." << "" << ""
                             << QList<int>{1018};
    // The agency stops listening once it sent the terms: the return finds
    // nobody, and nothing was filed.
    QTest::newRow("not sent: connection refused")
        << Agency::StopsAfterTheTerms << true << accepted << DireradOutcome::NotSent << upToTheResult << 0
        << "DirErad Filing Failed"
        << "Msg: cannot connect to CRA server, check firewall and CRA system status; Code: -20."
        << "connection refused by %1" << "" << QList<int>{1018};
    // A host whose certificate the program does not trust: the terms never
    // come, so the return is not sent either.
    QTest::newRow("not sent: untrusted certificate")
        << Agency::Untrusted << true << accepted << DireradOutcome::NotSent << QStringList{"signup", "submission"} << 0 << ""
        << "" << "certificate not trusted (%1): "
        << "Msg:  read Direrad Term failed or network interruption.\n; Code: -50." << QList<int>{1018};
    // The agency read the return and closed the connection: it may have it.
    QTest::newRow("outcome unknown") << Agency::Answers << true << AgencyReply::closeAfterRead()
                                     << DireradOutcome::OutcomeUnknown << upToTheResult << 1
                                     << "DirErad Filing Outcome Unknown"
                                     << "it is not known whether CRA received the return"
                                     << "The TLS/SSL connection has been closed" << "" << QList<int>{1018};
    QTest::newRow("cancelled") << Agency::Answers << false << accepted << DireradOutcome::NotSent
                               << QStringList{"signup", "submission"} << 0 << "" << "" << "" << "" << QList<int>{1018};
}

void TestDireradFiling::endings()
{
    QFETCH(Agency, agency);
    QFETCH(bool, pressOk);
    QFETCH(AgencyReply, reply);
    QFETCH(DireradOutcome, outcome);
    QFETCH(QStringList, asked);
    QFETCH(int, returnsSent);
    QFETCH(QString, overview);
    QFETCH(QString, details);
    QFETCH(QString, cause);
    QFETCH(QString, told);
    QFETCH(QList<int>, events);

    const FakeAgencyServer::Listener listener =
        agency == Agency::Untrusted ? FakeAgencyServer::Listener::Untrusted : FakeAgencyServer::Listener::Trusted;
    const QString where = m_agency.hostAndPort(listener);
    if (agency == Agency::StopsAfterTheTerms)
        m_agency.script().setDefault(AgencyEndpoint::Direrad, AgencyKind::Terms,
                                     AgencyReply::fixture("terms.xml").thenStopListening());
    m_agency.script().setDefault(AgencyEndpoint::Direrad, AgencyKind::Return, reply);

    CFamilyTaxData family;
    efilefixture::newFilableJean(family);
    QTemporaryDir dir;
    FeatureContextFixture f;
    f.context.family = &family;
    f.context.now = [] { return kNow; };
    QList<int> history;
    QStringList logged;
    DireradRoadEnvironment env;
    env.submission.exchange.direradHost = where;
    env.submission.exchange.resultFilePath = dir.filePath("netfileresult.txt");
    env.submission.filingLogPath = dir.filePath("netfilelog.txt");
    env.submission.writeFilingLog = [&logged](const CString& name, const CString&, const CString& confirmation,
                                              const CString&) {
        logged << QString(name) + "|" + QString(confirmation);
        return true;
    };
    env.runFolder = dir.path();
    env.noWarningMsg = true;
    env.validateReturn = [] { return 0; };
    env.findTaxpayer = [](const CString&, const CString&) { return 7; };
    env.saveHistoryEvent = [&history](int uid, int event, const CString&) {
        if (uid == 7)
            history << event;
        return true;
    };
    ScriptedUser user;
    user.pressOk = pressOk;

    DireradRoad(f.context, env, user).run();

    QCOMPARE(user.asked, asked);
    QCOMPARE(user.sentName, QStringLiteral("Jean Tremblay"));
    QCOMPARE(m_agency.recorder().count(AgencyEndpoint::Direrad, AgencyKind::Return), returnsSent);
    QCOMPARE(history, events);
    if (asked.contains("terms"))
        QVERIFY(!user.termsText.isEmpty());

    // What the user was shown: the result's texts, and its cause.
    if (overview.isEmpty()) {
        QVERIFY(!asked.contains("result"));
    } else {
        QVERIFY2(user.shown.overview.startsWith(overview), qPrintable(user.shown.overview));
        QVERIFY2(user.shown.details.contains(details), qPrintable(user.shown.details));
    }
    if (told.isEmpty()) {
        // Besides the result, only the multi-year question was asked.
        QCOMPARE(f.prompter.records().size(), 1);
        QVERIFY(f.prompter.records().front().texts.join("").contains("DirErad accepts the current year (2024)"));
    } else {
        QCOMPARE(f.prompter.records().size(), 2);
        const PromptRecord& box = f.prompter.records().back();
        QCOMPARE(box.texts.join(""), told);
        QCOMPARE(box.title, gMsgTitle(2));
        QVERIFY2(box.informativeText.startsWith(cause.arg(where)), qPrintable(box.informativeText));
    }
    if (told.isEmpty() && !overview.isEmpty()) {
        if (cause.isEmpty())
            QVERIFY(user.shown.cause.isEmpty());
        else
            QVERIFY2(user.shown.cause.startsWith(cause.contains("%1") ? cause.arg(where) : cause),
                     qPrintable(user.shown.cause));
    }

    // What the road kept: the confirmation of an acceptance, the time of a
    // refusal; nothing when the agency did not answer.
    const TaxData_T1New* t1 = family.getTaxpayer()->GetT1();
    QCOMPARE(t1->FilingStatus.m_value, outcome == DireradOutcome::Accepted ? 1 : 0);
    QCOMPARE(QString(t1->FilingResultText.m_value), outcome == DireradOutcome::Accepted ? "XK47Q9" : "");
    QCOMPARE(!t1->FilingFailureTime.m_value.isEmpty(), outcome == DireradOutcome::Refused);
    QCOMPARE(f.saveAsked, outcome == DireradOutcome::Accepted);
    QCOMPARE(logged, outcome == DireradOutcome::Accepted ? QStringList{"Jean Tremblay|XK47Q9"} : QStringList{});
    if (returnsSent) {
        // The return that left carries the terms agreed to and Jean's
        // postal code from the return.
        const AgencyRequest sent = m_agency.recorder().last();
        QCOMPARE(sent.elementText("AgreementIndicator"), QStringLiteral("1"));
        QVERIFY(sent.http.body.contains("K1A0A6"));
    }
    family.FreeData();
}

QTEST_GUILESS_MAIN(TestDireradFiling)
#include "tst_direradfiling.moc"
