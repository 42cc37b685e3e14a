// The submission dialog in its EFILE mode (mode 1), constructed as a tax
// preparer's caller would, against the fake agency: what the preparer sees,
// what is sent and under which credentials, what the filing log and the
// filing record receive, and what the dialog leaves for its caller.
#include <QtTest>

#include "common/modalsteps.h"
#include "common/filingoutcomerecorder.h"
#include "common/scriptedprompter.h"
#include "companion/core/qwebclient.h"
#include "companion/forms/federal/mirroring.h"
#include "fakes/agency/fakeagencyserver.h"
#include "filing/GenerateElectronicFile.h"
#include "filing/efilesubmission.h"
#include "filing/filingoutcome.h"
#include "filing/filingwebclient.h"
#include "filing/ui/DlgFilingResult.h"
#include "filing/ui/direradresultdlg.h"
#include "model/cfamilytaxdata.h"
#include "model/dialogrecords.h"
#include "model/individualtaxdata.h"
#include "model/preparerinfo.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <memory>

Q_DECLARE_METATYPE(AgencyReply)

using modalsteps::whenModal;

namespace {

const char* const kPassword = "Pw7-secret";
const char* const kNotice2139 =
    "(E) 2139 - The CRA is performing pre-assessment verification on this return. Supporting documentation may or "
    "may not be requested. Please do not submit any documentation unless you are asked to do so.";
const char* const kNotice24 =
    "(E) 24 - The CRA may perform a verification of this taxpayer's return. If so, the processing may be delayed and "
    "supporting documentation may be requested. Please do not submit any documentation unless you are asked to do "
    "so.";

AgencyReply envelope(const QByteArray& inner)
{
    AgencyReply reply;
    reply.body = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                 "<soapenv:Envelope xmlns:soapenv=\"http://schemas.xmlsoap.org/soap/envelope/\" "
                 "xmlns:t1rsp=\"http://www.taxagency.example/xmlns/t1rsp/response/1-0-0\" "
                 "xmlns:t1ersp=\"http://www.taxagency.example/xmlns/t1ersp/efileresponse/1-0-0\"><soapenv:Body>"
               + inner + "</soapenv:Body></soapenv:Envelope>";
    return reply;
}

AgencyReply acceptedReply(const QByteArray& cvIndicator)
{
    return envelope("<t1ersp:EfileReturnResponse><ResultCode>0</ResultCode><TransmissionNumber>EF2024-0001"
                    "</TransmissionNumber><t1ersp:CvIndicator>"
                    + cvIndicator
                    + "</t1ersp:CvIndicator><t1rsp:FileReturnResponse><t1rsp:Confirmation><t1rsp:EnglishMessage>"
                      "<t1rsp:MessageText>The return has been accepted.</t1rsp:MessageText></t1rsp:EnglishMessage>"
                      "</t1rsp:Confirmation></t1rsp:FileReturnResponse></t1ersp:EfileReturnResponse>");
}

AgencyReply refusedReply(const QByteArray& resultCode, const QByteArray& errorCode)
{
    return envelope("<t1ersp:EfileReturnResponse><ResultCode>" + resultCode
                    + "</ResultCode><t1rsp:FileReturnResponse><t1rsp:Rejection><t1rsp:EnglishMessage>"
                      "<t1rsp:MessageText>The return has been rejected.</t1rsp:MessageText></t1rsp:EnglishMessage>"
                      "</t1rsp:Rejection><t1rsp:ProcessingError><t1rsp:ErrorCodeDescription><t1rsp:ErrorCode>"
                    + errorCode
                    + "</t1rsp:ErrorCode></t1rsp:ErrorCodeDescription></t1rsp:ProcessingError>"
                      "</t1rsp:FileReturnResponse></t1ersp:EfileReturnResponse>");
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What the submission dialog and the result dialog showed.
struct Shown
{
    QString title, kind, okText, forWhom;
    int ended = -1; // what exec() returned
    bool resultShown = false;
    QString resultTitle, overview, details, bottom;
};

} // namespace

class TestEfileSubmission : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void withoutEfilerNumberNothingIsSent_data();
    void withoutEfilerNumberNothingIsSent();
    void accepted_data();
    void accepted();
    void refused_data();
    void refused();
    void notAnswered_data();
    void notAnswered();
    void withoutT183NothingIsSent();

private:
    // Runs the dialog in mode 1 to its end: OK pressed, the result dialog
    // (if expected) read and closed.
    std::unique_ptr<CDireradResultDlg> run(Shown& shown, bool resultExpected, const QString& screenshot = QString());
    DireradSubmissionSettings settings(bool listening = true);

    FakeAgencyServer m_agency;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<CFamilyTaxData> m_family;
    CString m_xml;
    FilingOutcomeRecorder m_outcome;
    DireradSubmissionSettings m_settings;
};

void TestEfileSubmission::initTestCase()
{
    QVERIFY2(AgencyCerts::available(), "certificates missing: run through ctest (fixture agency_certs)");
    QVERIFY(QWebClient::addTrustedCaFile(AgencyCerts::caPem()));
    QVERIFY2(m_agency.start(), qPrintable(m_agency.errorString()));
    PreparerInfo info = preparerInfo();
    info.EfileSoftwareCode = CString("E42");
    info.EfileSoftwareDate = CString("2024-12-14");
    setPreparerInfo(info);
}

void TestEfileSubmission::init()
{
    m_agency.script().clear();
    m_agency.recorder().clear();
    FilingWebClient::setDefaultTimeoutSec(5);
    m_dir = std::make_unique<QTemporaryDir>();
    m_prompter = std::make_unique<ScriptedPrompter>();
    m_outcome.clear();

    m_family = std::make_unique<CFamilyTaxData>();
    NewReturnBasicData data;
    data.FirstName = CString("Jean");
    data.LastName = CString("Tremblay");
    data.sin = CString("123456782");
    data.dob = QDate(1975, 6, 15);
    data.TaxPronv = 9;
    data.MaritalStatus = 5;
    m_family->NewData(&data);
    STRUCT_FORMDATA_ITEM_2004* item = m_family->getTaxpayer()->NewFormDataItem(FORM_T183, 0, true, 0, true);
    QVERIFY(item);
    // What a client's return may hold of a preparer's credentials is never sent.
    auto* t183 = qobject_cast<TaxData_T183New*>(item->data);
    t183->EFileNumber.m_value = CString("R9999");
    t183->EFilePassword.m_value = CString("from-the-return");
    m_xml.clear();
    CString problem;
    QCOMPARE(CreateElectronicFile(*m_family, m_xml, 1, &problem), 0);
    m_settings = settings();
}

void TestEfileSubmission::cleanup()
{
    FilingWebClient::setDefaultTimeoutSec(FilingWebClient::DefaultTimeoutSec);
    m_family.reset();
    m_prompter.reset();
}

DireradSubmissionSettings TestEfileSubmission::settings(bool listening)
{
    DireradSubmissionSettings s;
    // Port 1 on the loopback: nothing listens there.
    s.exchange.efileHost = listening ? m_agency.hostAndPort() : QStringLiteral("127.0.0.1:1");
    s.exchange.direradHost = QStringLiteral("127.0.0.1:1");
    s.exchange.testMode = true;
    s.exchange.resultFilePath = m_dir->filePath("netfileresult.ws");
    s.filingLogPath = m_dir->filePath("netfilelog.txt");
    m_outcome.attachTo(s);
    s.efileNumber = CString("K1234");
    s.efilePassword = CString(kPassword);
    return s;
}

std::unique_ptr<CDireradResultDlg> TestEfileSubmission::run(Shown& shown, bool resultExpected,
                                                             const QString& screenshot)
{
    auto dlg = std::make_unique<CDireradResultDlg>(1, m_family.get(), 0, m_xml, nullptr, m_settings);
    dlg->SetStringInfo(CString("[Total Income]=0.00 [Net Income]=0.00 [Taxable Income]=0.00 [Refund]=0.00"),
                       CString("Jean Tremblay"));
    whenModal<CDireradResultDlg>([&shown, screenshot](CDireradResultDlg* d) {
        shown.title = d->windowTitle();
        shown.kind = d->ui()->lblResult->text();
        shown.forWhom = d->ui()->lblMsg1->text();
        shown.okText = d->ui()->buttonBox->button(QDialogButtonBox::Ok)->text();
        if (!screenshot.isEmpty())
            d->grab().save(modalsteps::artefactPath(screenshot));
        d->ui()->buttonBox->button(QDialogButtonBox::Ok)->click();
    });
    // A step left waiting would answer the next test's dialog.
    if (resultExpected)
        whenModal<DlgFilingResult>([&shown, screenshot](DlgFilingResult* r) {
        shown.resultShown = true;
        shown.resultTitle = r->windowTitle();
        shown.overview = r->ui()->lblOverview->text();
        shown.details = r->ui()->pteDetails->toPlainText();
        shown.bottom = r->ui()->lblBottom->text();
        if (!screenshot.isEmpty())
            r->grab().save(modalsteps::artefactPath("result-" + screenshot));
        r->accept();
    });
    // A dialog left open by a failing step is closed, so the test ends; the
    // timer goes with the dialog.
    QTimer::singleShot(20000, dlg.get(), [] {
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
    shown.ended = dlg->exec();
    return dlg;
}

void TestEfileSubmission::withoutEfilerNumberNothingIsSent_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("password");
    QTest::newRow("no number") << "" << kPassword;
    QTest::newRow("no password") << "K1234" << "";
}

void TestEfileSubmission::withoutEfilerNumberNothingIsSent()
{
    QFETCH(QString, number);
    QFETCH(QString, password);
    m_settings.efileNumber = CString(number);
    m_settings.efilePassword = CString(password);
    m_agency.script().setDefault(AgencyEndpoint::Efile, AgencyKind::Any, acceptedReply("2139"));
    Shown shown;
    auto dlg = run(shown, false, number.isEmpty() ? QStringLiteral("cdireradresultdlg-efile.png") : QString());

    QCOMPARE(shown.title, QStringLiteral("EFile Tax Return to CRA"));
    QCOMPARE(shown.okText, QStringLiteral("EFile Return"));
    QCOMPARE(shown.kind, QStringLiteral("EFile (by Tax Professional)"));
    QCOMPARE(shown.forWhom, QStringLiteral("This T1 EFile filing is only for Jean Tremblay"));
    QCOMPARE(m_prompter->records().size(), 1);
    QCOMPARE(m_prompter->records().front().texts,
             QStringList{"Please enter EFiler ID/password and RepID into preference from menu Start | Preference."});
    QVERIFY(!shown.resultShown);
    QCOMPARE(m_agency.recorder().count(), 0);
    QVERIFY(!dlg->m_bSucceeded);
    QVERIFY(m_outcome.records.isEmpty());
}

void TestEfileSubmission::accepted_data()
{
    QTest::addColumn<QByteArray>("cv");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<int>("recordResult"); // what the filing record answered
    QTest::newRow("2139") << QByteArray("2139") << QString::fromLatin1(kNotice2139) << 0;
    QTest::newRow("24") << QByteArray("24") << QString::fromLatin1(kNotice24) << 0;
    QTest::newRow("not a number") << QByteArray("abc") << QString() << 0;
    QTest::newRow("none, record failed") << QByteArray() << QString() << -1;
}

void TestEfileSubmission::accepted()
{
    QFETCH(QByteArray, cv);
    QFETCH(QString, notice);
    QFETCH(int, recordResult);
    m_outcome.recordResult = recordResult;
    m_agency.script().setDefault(AgencyEndpoint::Efile, AgencyKind::Any, acceptedReply(cv));
    Shown shown;
    auto dlg = run(shown, true, cv == "2139" ? QStringLiteral("efile-accepted.png") : QString());

    const QString message = QStringLiteral("The return has been accepted.");
    const QString withNotice = notice.isEmpty() ? message : message + "\n\n" + notice;
    QCOMPARE(shown.ended, 0);
    QVERIFY(dlg->m_bSucceeded);
    QCOMPARE(dlg->m_outcome, DireradOutcome::Accepted);
    QCOMPARE(QString(dlg->m_strConfirmation), QStringLiteral("EF2024-0001"));
    QCOMPARE(QString(dlg->m_strAgencyMessage), withNotice);

    QCOMPARE(shown.resultTitle, QStringLiteral("Efile Filing Result"));
    QVERIFY2(shown.overview.startsWith("Efile is submitted successfully. Result code is [0]. The confirmation number "
                                       "is [EF2024-0001].\n"),
             qPrintable(shown.overview));
    QCOMPARE(shown.details, withNotice);
    QCOMPARE(shown.bottom, QStringLiteral("Check filing log file (%1)").arg(recordResult));

    // The filing log has the agency's message as it came; the caller and
    // the filing record have the notice too.
    QCOMPARE(m_outcome.log.size(), 1);
    QCOMPARE(m_outcome.log.front().name, QStringLiteral("Jean Tremblay"));
    QCOMPARE(m_outcome.log.front().confirmation, QStringLiteral("EF2024-0001"));
    QCOMPARE(m_outcome.log.front().msg, message);
    QCOMPARE(m_outcome.records.size(), 1);
    QCOMPARE(m_outcome.records.front().form, 1);
    QVERIFY(m_outcome.records.front().accepted);
    QCOMPARE(m_outcome.records.front().confirmation, QStringLiteral("EF2024-0001"));
    QCOMPARE(m_outcome.records.front().message, withNotice);

    // One request, to the EFILE service, under the preparer's credentials
    // from the settings.
    QCOMPARE(m_agency.recorder().count(), 1);
    const AgencyRequest sent = m_agency.recorder().last();
    QCOMPARE(sent.http.path(), QByteArray("/ebci/pfeo/ws/services/FileReturnService"));
    QCOMPARE(sent.elementText("TransmitterEfilerNumber"), QStringLiteral("K1234"));
    QCOMPARE(sent.http.body.count(QByteArray("<ef:PasswordID>") + kPassword + "</ef:PasswordID>"), 2);
    QVERIFY(!sent.http.body.contains("from-the-return"));
    QVERIFY(!sent.http.body.contains("R9999"));
    // Test mode: the result file holds the request, its passwords blanked, and no reply.
    const QByteArray trace = readAll(m_settings.exchange.resultFilePath);
    QCOMPARE(trace.count("<ef:PasswordID></ef:PasswordID>"), 2);
    QVERIFY(!trace.contains(kPassword));
    QVERIFY(!trace.contains("EF2024-0001"));
}

void TestEfileSubmission::refused_data()
{
    QTest::addColumn<QByteArray>("resultCode");
    QTest::addColumn<QString>("confirmation");
    QTest::addColumn<QString>("codesLine");
    QTest::newRow("184 family") << QByteArray("1840") << "code=1840, clue=12345"
                                << "EFile result code is [1840], Error clue codes are [12345]. ";
    QTest::newRow("other code") << QByteArray("300") << "code=300" << "EFile result code is [300]. ";
    // The overview is filled in one pass: a code holding "%4" stays as it came.
    QTest::newRow("code holding a marker") << QByteArray("300%4") << "code=300%4" << "EFile result code is [300%4]. ";
}

void TestEfileSubmission::refused()
{
    QFETCH(QByteArray, resultCode);
    QFETCH(QString, confirmation);
    QFETCH(QString, codesLine);
    m_agency.script().setDefault(AgencyEndpoint::Efile, AgencyKind::Any, refusedReply(resultCode, "12345"));
    Shown shown;
    auto dlg = run(shown, true);

    QVERIFY(!dlg->m_bSucceeded);
    QCOMPARE(dlg->m_outcome, DireradOutcome::Refused);
    QCOMPARE(QString(dlg->m_strConfirmation), confirmation);
    QVERIFY(dlg->m_strAgencyMessage.isEmpty());
    const QString head = QStringLiteral("Efile submission for [Jean Tremblay] failed. Document Control Number is [K1234");
    QVERIFY2(shown.overview.startsWith(head), qPrintable(shown.overview));
    QVERIFY2(shown.overview.contains("].\n" + codesLine), qPrintable(shown.overview));
    QCOMPARE(shown.resultTitle, QStringLiteral("Efile Filing Result"));
    QCOMPARE(shown.bottom, QStringLiteral("Check filing log file (0)"));
    QVERIFY(!shown.details.isEmpty());
    // Refused: recorded as such, nothing in the filing log.
    QVERIFY(m_outcome.log.isEmpty());
    QCOMPARE(m_outcome.records.size(), 1);
    QVERIFY(!m_outcome.records.front().accepted);
    QCOMPARE(m_outcome.records.front().confirmation, confirmation);
    QCOMPARE(m_outcome.records.front().message, shown.overview);
}

void TestEfileSubmission::notAnswered_data()
{
    QTest::addColumn<AgencyReply>("reply"); // empty body and status 0: nothing listening
    QTest::addColumn<QString>("overview");
    QTest::addColumn<QString>("details");
    QTest::addColumn<int>("outcome");
    AgencyReply nothing;
    nothing.status = 0;
    QTest::newRow("nothing listening") << nothing << "EFile Filing Failed"
                                       << "Msg: efile failed, check firewall and write file access; Code: 106."
                                       << int(DireradOutcome::NotSent);
    QTest::newRow("fault") << AgencyReply::fixture("fault-bare.xml", 500) << "EFile Filing Failed"
                           << "Msg: efile failed, check firewall and write file access; Code: 190."
                           << int(DireradOutcome::NotSent);
    QTest::newRow("not XML") << AgencyReply::fixture("empty.txt") << "EFile Filing Outcome Unknown" << "Code: 113."
                             << int(DireradOutcome::OutcomeUnknown);
    QTest::newRow("another shape") << AgencyReply::fixture("other-shape.xml") << "EFile Filing Outcome Unknown"
                                   << "Code: 111." << int(DireradOutcome::OutcomeUnknown);
    QTest::newRow("closed after sending") << AgencyReply::closeAfterRead() << "EFile Filing Outcome Unknown"
                                          << QString("Code: %1.").arg(FilingOutcomeUnknown)
                                          << int(DireradOutcome::OutcomeUnknown);
}

void TestEfileSubmission::notAnswered()
{
    QFETCH(AgencyReply, reply);
    QFETCH(QString, overview);
    QFETCH(QString, details);
    QFETCH(int, outcome);
    if (reply.status == 0)
        m_settings = settings(false);
    else
        m_agency.script().setDefault(AgencyEndpoint::Efile, AgencyKind::Any, reply);
    Shown shown;
    auto dlg = run(shown, true);

    QCOMPARE(int(dlg->m_outcome), outcome);
    QVERIFY(!dlg->m_bSucceeded);
    QVERIFY(dlg->m_strConfirmation.isEmpty());
    QVERIFY(dlg->m_strAgencyMessage.isEmpty());
    QCOMPARE(shown.overview, overview);
    QVERIFY2(shown.details.endsWith(details), qPrintable(shown.details));
    QCOMPARE(shown.bottom, QStringLiteral("Check filing result file"));
    // Nothing recorded: no log, no filing record.
    QVERIFY(m_outcome.log.isEmpty());
    QVERIFY(m_outcome.records.isEmpty());
}

void TestEfileSubmission::withoutT183NothingIsSent()
{
    IndividualTaxData* person = m_family->getTaxpayer();
    person->RemoveFormData(person->GetFormData(FORM_T183, false), true);
    QVERIFY(!m_family->HasForm(FORM_T183));
    m_agency.script().setDefault(AgencyEndpoint::Efile, AgencyKind::Any, acceptedReply("2139"));
    Shown shown;
    auto dlg = run(shown, false);

    QCOMPARE(m_agency.recorder().count(), 0);
    QVERIFY(!shown.resultShown);
    QCOMPARE(m_prompter->records().size(), 1);
    QVERIFY(m_prompter->records().front().texts.join(' ').contains("no T183 form"));
    QVERIFY(!dlg->m_bSucceeded);
    QVERIFY(m_outcome.records.isEmpty());
}

QTEST_MAIN(TestEfileSubmission)
#include "tst_efilesubmission.moc"
