// The T1135 road whole, without a window: the statement checked and built,
// the questions answered by a script, the terms and the statement sent to the
// fake agency, and what is kept in the statement, the filing log and the
// filing record for each way a filing ends; the cause of a transport failure
// reaches the user's message.
#include <QtTest>

#include "common/featurecontextfixture.h"
#include "companion/core/qwebclient.h"
#include "companion/forms/federal/mirroring.h"
#include "efilefixture.h"
#include "fakes/agency/fakeagencyserver.h"
#include "filing/direradsubmission.h"
#include "filing/filingwebclient.h"
#include "filing/soapfilingresult.h"
#include "filing/t1135road.h"
#include "model/cfamilytaxdata.h"
#include "model/dialogrecords.h"

#include <QTemporaryDir>

Q_DECLARE_METATYPE(AgencyReply)
Q_DECLARE_METATYPE(T1135Road::Stop)

namespace {

const QDateTime kNow(QDate(2025, 3, 2), QTime(14, 5, 9));

// The user as a script: OK or Cancel on the filing dialog, agree or not to
// the terms; what was asked and shown is kept.
class ScriptedQuestions : public T1135Questions
{
public:
    bool pressOk = true;
    bool agree = true;
    QStringList asked;
    QString termsText;
    FilingResultReport shown;
    int sendResult = -1;
    QObject parentStandIn;

    void confirmFiling(const FormFilingRequest& request,
                       const std::function<int(TemplateValueMap&)>& send) override
    {
        asked << QString("filing %1 (%2)").arg(QString(request.name), QString(request.sin));
        if (!pressOk)
            return;
        // The placeholders the dialog starts with.
        TemplateValueMap values;
        values.setText("efilerid", CString());
        values.setText("password", CString());
        m_up = true;
        sendResult = send(values);
        m_up = false;
    }
    bool agreeToTerms(const SoapFilingResult& terms) override
    {
        asked << "terms";
        termsText = terms.m_strMessage;
        return agree;
    }
    void showResult(const FilingResultReport& report) override
    {
        asked << "result";
        shown = report;
    }
    QWidget* promptParent() const override
    {
        return m_up ? reinterpret_cast<QWidget*>(const_cast<QObject*>(&parentStandIn)) : nullptr;
    }

private:
    bool m_up = false;
};

struct FilingRecord
{
    int form = 0;
    bool accepted = false;
    QString confirmation;
};

void addStatement(IndividualTaxData* person)
{
    STRUCT_FORMDATA_ITEM_2004* item = person->NewFormDataItem(FORM_T1135, 0, true, 0, true);
    auto* t1135 = item ? qobject_cast<TaxData_T1135New*>(item->data) : nullptr;
    QVERIFY(t1135);
    t1135->GivenName.m_value = CString("Jean");
    t1135->LastName.m_value = CString("Tremblay");
    t1135->SIN.m_value = CString("123456782");
    t1135->Address.m_value = CString("100 Wellington St");
    t1135->City.m_value = CString("Ottawa");
    t1135->Province.m_value = CString("ON");
    t1135->PostalCode.m_value = CString("K1A 0A6");
    t1135->PeriodStart.m_value = QDate(2024, 1, 1);
    t1135->PeriodEnd.m_value = QDate(2024, 12, 31);
    t1135->FundsHeldAbroad.m_value = 150000.0;
}

TaxData_T1135New* statementOf(CFamilyTaxData& family)
{
    return qobject_cast<TaxData_T1135New*>(family.getCurIndvTaxData()->GetFormData(FORM_T1135, false));
}

} // namespace

class TestT1135Filing : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void endings_data();
    void endings();
    void causeOfATransportFailureIsTold_data();
    void causeOfATransportFailureIsTold();
    void stopsBeforeTheDialog();
    void testCaseAsked();

private:
    // Jean Tremblay's return, single, with his T1135 unless told.
    void makeFamily(bool withStatement = true);
    T1135RoadEnvironment environment();
    int t1135Requests() { return m_agency.recorder().count(AgencyEndpoint::T1135); }

    FakeAgencyServer m_agency;
    QTemporaryDir m_dir;
    std::unique_ptr<CFamilyTaxData> m_family;
    QStringList m_logged;
    QList<FilingRecord> m_records;
    bool m_testMode = false;
    int m_errors = 0;
};

void TestT1135Filing::initTestCase()
{
    QVERIFY2(AgencyCerts::available(), "certificates missing: run through ctest (fixture agency_certs)");
    QVERIFY(QWebClient::addTrustedCaFile(AgencyCerts::caPem()));
    QVERIFY2(m_agency.start(), qPrintable(m_agency.errorString()));
    efilefixture::useSoftwareCodes();
}

void TestT1135Filing::init()
{
    m_agency.script().clear();
    m_agency.recorder().clear();
    m_agency.script().setDefault(AgencyEndpoint::Direrad, AgencyKind::Terms, AgencyReply::fixture("terms.xml"));
    FilingWebClient::setDefaultTimeoutSec(3);
    m_logged.clear();
    m_records.clear();
    m_testMode = false;
    m_errors = 0;
    makeFamily();
}

void TestT1135Filing::cleanup()
{
    if (m_family)
        m_family->FreeData();
    m_family.reset();
    FilingWebClient::setDefaultTimeoutSec(FilingWebClient::DefaultTimeoutSec);
}

void TestT1135Filing::makeFamily(bool withStatement)
{
    if (m_family)
        m_family->FreeData();
    m_family = std::make_unique<CFamilyTaxData>(MULTIPROVS_MODE_RESIDENCE);
    NewReturnBasicData record;
    record.FirstName = CString("Jean");
    record.LastName = CString("Tremblay");
    record.sin = CString("123456782");
    record.dob = QDate(1975, 6, 15);
    record.TaxPronv = efilefixture::kOntario;
    record.MaritalStatus = 5;
    m_family->NewData(&record);
    if (withStatement)
        addStatement(m_family->getTaxpayer());
    m_family->Calculate(-1, nullptr);
}

T1135RoadEnvironment TestT1135Filing::environment()
{
    T1135RoadEnvironment env;
    FormFilingSettings& s = env.filing;
    s.exchange.direradHost = m_agency.hostAndPort();
    s.exchange.testMode = m_testMode;
    s.exchange.resultFilePath = m_dir.filePath("netfileresult.txt");
    s.filingLogPath = m_dir.filePath("netfilelog.txt");
    s.writeFilingLog = [this](const CString& name, const CString& result, const CString& confirmation,
                              const CString&) {
        m_logged << QString("%1|%2|%3").arg(QString(name), QString(result), QString(confirmation));
        return true;
    };
    s.sendFilingRecord = [this](int form, bool accepted, const QString& confirmation, const QString&) {
        m_records << FilingRecord{form, accepted, confirmation};
        return 0;
    };
    env.validateT1135 = [this] { return m_errors; };
    return env;
}

void TestT1135Filing::endings_data()
{
    QTest::addColumn<bool>("pressOk");
    QTest::addColumn<bool>("agree");
    QTest::addColumn<AgencyReply>("reply");
    QTest::addColumn<T1135Road::Stop>("stop");
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<int>("requests");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("confirmation");
    const QString filing = "filing Jean Tremblay (123456782)";
    const AgencyReply accepted = AgencyReply::fixture("t1135-accepted.xml");
    QTest::newRow("accepted") << true << true << accepted << T1135Road::Stop::Accepted
                              << QStringList{filing, "terms", "result"} << 1 << 1 << "T1135-778";
    QTest::newRow("refused") << true << true << AgencyReply::fixture("t1135-refused.xml") << T1135Road::Stop::Refused
                             << QStringList{filing, "terms", "result"} << 1 << 0 << "";
    QTest::newRow("cancelled") << false << true << accepted << T1135Road::Stop::Cancelled << QStringList{filing} << 0
                               << 0 << "";
    QTest::newRow("terms declined") << true << false << accepted << T1135Road::Stop::TermsDeclined
                                    << QStringList{filing, "terms"} << 0 << 0 << "";
    QTest::newRow("outcome unknown") << true << true << AgencyReply::closeAfterRead()
                                     << T1135Road::Stop::OutcomeUnknown << QStringList{filing, "terms"} << 1 << 0 << "";
}

void TestT1135Filing::endings()
{
    QFETCH(bool, pressOk);
    QFETCH(bool, agree);
    QFETCH(AgencyReply, reply);
    QFETCH(T1135Road::Stop, stop);
    QFETCH(QStringList, asked);
    QFETCH(int, requests);
    QFETCH(int, status);
    QFETCH(QString, confirmation);
    m_agency.script().setDefault(AgencyEndpoint::T1135, AgencyKind::Any, reply);
    FeatureContextFixture f;
    f.context.family = m_family.get();
    f.context.now = [] { return kNow; };
    ScriptedQuestions questions;
    questions.pressOk = pressOk;
    questions.agree = agree;
    T1135Road road(f.context, environment(), questions);

    QCOMPARE(road.run(), int(T1135RoadFiled));
    QCOMPARE(road.stop(), stop);
    QCOMPARE(questions.asked, asked);
    QCOMPARE(t1135Requests(), requests);
    QCOMPARE(m_agency.recorder().count(AgencyEndpoint::Direrad, AgencyKind::Terms), pressOk ? 1 : 0);
    TaxData_T1135New* t1135 = statementOf(*m_family);
    QCOMPARE(t1135->FilingStatus.m_value, status);
    QCOMPARE(QString(t1135->Confirmation.m_value), confirmation);
    if (agree && pressOk)
        QVERIFY(!questions.termsText.isEmpty());

    const bool answered = stop == T1135Road::Stop::Accepted || stop == T1135Road::Stop::Refused;
    QCOMPARE(m_records.size(), answered ? 1 : 0);
    if (answered) {
        QCOMPARE(questions.sendResult, 0);
        QCOMPARE(m_records[0].form, int(FORM_T1135));
        QCOMPARE(m_records[0].accepted, stop == T1135Road::Stop::Accepted);
        QCOMPARE(m_records[0].confirmation, confirmation);
        QVERIFY(f.prompter.records().isEmpty());
        // The statement that left is the one built from the return, with
        // the terms agreed.
        const AgencyRequest sent = m_agency.recorder().last();
        QCOMPARE(sent.endpoint, AgencyEndpoint::T1135);
        QCOMPARE(sent.elementText("AgreementIndicator"), QStringLiteral("1"));
        QVERIFY(sent.http.body.contains("<t1135:SoftwareID>097M</t1135:SoftwareID>"));
        QVERIFY(sent.http.body.contains("150000"));
    }
    if (stop == T1135Road::Stop::Accepted) {
        QCOMPARE(questions.shown.overview, QStringLiteral("T1135 is submitted successfully. Time: 2025-03-02 14:05:09"));
        QCOMPARE(questions.shown.path, m_dir.filePath("netfilelog.txt"));
        QCOMPARE(m_logged, QStringList{"Jean Tremblay|" + questions.shown.overview + "|T1135-778"});
    } else {
        QVERIFY(m_logged.isEmpty());
    }
    if (stop == T1135Road::Stop::Refused) {
        QCOMPARE(questions.shown.overview,
                 QStringLiteral("Jean Tremblay submission failed. \nThe error codes are [400T1135E01].\nTime: "
                                "2025-03-02 14:05:09"));
        QCOMPARE(QString(t1135->FailureText.m_value), questions.shown.overview);
        QCOMPARE(questions.shown.path, m_dir.filePath("netfileresult.txt"));
    }
    if (stop == T1135Road::Stop::OutcomeUnknown) {
        QCOMPARE(questions.sendResult, -30);
        QVERIFY(road.failure().outcomeUnknown);
        QCOMPARE(f.prompter.records().size(), 1);
        const PromptRecord& told = f.prompter.records().front();
        QVERIFY(told.texts.join("").startsWith("Error filing T1135, return code = -30."));
        QVERIFY(told.texts.join("").contains("it is not known whether CRA received the statement"));
        QVERIFY(told.hadParent);
        QVERIFY(t1135->FailureText.m_value.isEmpty());
    }
}

void TestT1135Filing::causeOfATransportFailureIsTold_data()
{
    QTest::addColumn<bool>("stopListening");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("cause");
    QTest::addColumn<T1135Road::Stop>("stop");
    // The agency stops listening once it sent the terms: the statement
    // finds nobody.
    QTest::newRow("not sent") << true << -10 << "connection refused by %1" << T1135Road::Stop::NotSent;
    QTest::newRow("closed after reading") << false << -30 << "The TLS/SSL connection has been closed"
                                          << T1135Road::Stop::OutcomeUnknown;
}

void TestT1135Filing::causeOfATransportFailureIsTold()
{
    QFETCH(bool, stopListening);
    QFETCH(int, code);
    QFETCH(QString, cause);
    QFETCH(T1135Road::Stop, stop);
    const QString where = m_agency.hostAndPort();
    if (stopListening)
        m_agency.script().setDefault(AgencyEndpoint::Direrad, AgencyKind::Terms,
                                     AgencyReply::fixture("terms.xml").thenStopListening());
    else
        m_agency.script().setDefault(AgencyEndpoint::T1135, AgencyKind::Any, AgencyReply::closeAfterRead());
    FeatureContextFixture f;
    f.context.family = m_family.get();
    ScriptedQuestions questions;
    T1135Road road(f.context, environment(), questions);
    QCOMPARE(road.run(), int(T1135RoadFiled));
    QCOMPARE(road.stop(), stop);
    QCOMPARE(road.failure().code, code);
    QCOMPARE(questions.sendResult, code);
    QCOMPARE(f.prompter.records().size(), 1);
    const PromptRecord& told = f.prompter.records().front();
    QVERIFY(told.texts.join("").startsWith(QString("Error filing T1135, return code = %1.").arg(code)));
    QCOMPARE(told.informativeText, cause.contains("%1") ? cause.arg(where) : cause);
    QCOMPARE(told.title, gMsgTitle(FeatureContextFixture::kEdition));
    QVERIFY(m_records.isEmpty());
    QVERIFY(m_logged.isEmpty());
    QCOMPARE(statementOf(*m_family)->FilingStatus.m_value, 0);
    if (stopListening)
        m_agency.start(); // listening again for the next test
}

void TestT1135Filing::stopsBeforeTheDialog()
{
    FeatureContextFixture f;
    ScriptedQuestions questions;
    makeFamily(false);
    f.context.family = m_family.get();
    QCOMPARE(T1135Road(f.context, environment(), questions).run(), int(T1135RoadNoStatement));
    QCOMPARE(f.prompter.records().value(0).texts, QStringList{"Please add form T1135 into tax return first!"});

    makeFamily(true);
    f.context.family = m_family.get();
    m_errors = 2;
    f.prompter.clear();
    T1135Road invalid(f.context, environment(), questions);
    QCOMPARE(invalid.run(), int(T1135RoadInvalid));
    QCOMPARE(invalid.stop(), T1135Road::Stop::BeforeTheDialog);
    QVERIFY(f.prompter.records().isEmpty());
    QVERIFY(questions.asked.isEmpty());
    QCOMPARE(m_agency.recorder().count(), 0);
}

// In test mode the tester names the agency's test case, over the dialog.
void TestT1135Filing::testCaseAsked()
{
    m_testMode = true;
    m_agency.script().setDefault(AgencyEndpoint::T1135, AgencyKind::Any, AgencyReply::fixture("t1135-accepted.xml"));
    FeatureContextFixture f;
    f.context.family = m_family.get();
    f.prompter.queueText("7");
    ScriptedQuestions questions;
    T1135Road road(f.context, environment(), questions);
    QCOMPARE(road.run(), int(T1135RoadFiled));
    QCOMPARE(road.stop(), T1135Road::Stop::Accepted);
    const PromptRecord& prompt = f.prompter.records().value(0);
    QCOMPARE(prompt.title, QStringLiteral("test ID"));
    QVERIFY(prompt.hadParent);
    QVERIFY(m_agency.recorder().last().http.body.contains("<comm:TestCaseIdentifier>7</comm:TestCaseIdentifier>"));
}

QTEST_GUILESS_MAIN(TestT1135Filing)
#include "tst_t1135filing.moc"
