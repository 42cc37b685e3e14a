// The form filing dialog constructed for a T1013 (form type 117) and a T185
// pre-authorised debit (181), as no command of the program does, against
// the fake agency: what is sent, what the user is shown, and what the form,
// the filing log and the filing record keep for each way a filing ends.
#include <QtTest>

#include "common/filingoutcomerecorder.h"
#include "common/modalsteps.h"
#include "common/scriptedprompter.h"
#include "companion/core/appclock.h"
#include "companion/core/qwebclient.h"
#include "companion/forms/federal/mirroring.h"
#include "fakes/agency/fakeagencyserver.h"
#include "filing/filingoutcome.h"
#include "filing/filingwebclient.h"
#include "filing/ui/DlgFilingResult.h"
#include "filing/ui/cformfilingdlg.h"
#include "model/cfamilytaxdata.h"
#include "model/dialogrecords.h"
#include "model/individualtaxdata.h"
#include "model/preparerinfo.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <memory>

Q_DECLARE_METATYPE(AgencyReply)

using modalsteps::whenModal;

namespace {

const char* const kPassword = "Pw7-secret";
const char* const kStamp = "2025-03-02 14:05:09";

AgencyReply t1013Reply(const QByteArray& count, const QByteArray& codes, const QByteArray& extra = QByteArray())
{
    AgencyReply reply;
    reply.body = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                 "<soapenv:Envelope xmlns:soapenv=\"http://schemas.xmlsoap.org/soap/envelope/\" "
                 "xmlns:trisr=\"http://www.taxagency.example/tris/response\"><soapenv:Body>"
                 "<trisr:Response><trisr:BatchResponse><trisr:BatchResponseDetail><trisr:ReceivedFormsCount>"
               + count
               + "</trisr:ReceivedFormsCount><trisr:ConfirmationNumber>A13-55001</trisr:ConfirmationNumber>"
                 "</trisr:BatchResponseDetail>"
               + codes + "</trisr:BatchResponse></trisr:Response>" + extra + "</soapenv:Body></soapenv:Envelope>";
    return reply;
}

const QByteArray kThreeCodes =
    "<trisr:ResponseCodes><trisr:BatchLevelResponse><trisr:BatchResponseCode><trisr:ResponseCode>B1"
    "</trisr:ResponseCode><trisr:ResponseCode>B2</trisr:ResponseCode></trisr:BatchResponseCode>"
    "</trisr:BatchLevelResponse><trisr:FormLevelResponse><trisr:FormResponseCode><trisr:ResponseCode>F1"
    "</trisr:ResponseCode></trisr:FormResponseCode></trisr:FormLevelResponse></trisr:ResponseCodes>";

// What the user was shown after OK.
struct Shown
{
    QString dialogTitle, okText, heading;
    bool resultShown = false;
    QString resultTitle, overview, details, bottom, link;
};

} // namespace

class TestFormFilingT1013 : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();
    void t1013_data();
    void t1013();
    void t185_data();
    void t185();
    void notAnswered_data();
    void notAnswered();

private:
    void run(ENUMTYPE_FORM type, Shown& shown, bool resultExpected, const QString& screenshot = QString());
    FormFilingSettings settings(bool listening = true);
    TaxData_T1013New* t1013Form() const;
    TaxData_T185* t185Form() const;

    FakeAgencyServer m_agency;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<CFamilyTaxData> m_family;
    CString m_xml;
    FilingOutcomeRecorder m_outcome;
    FormFilingSettings m_settings;
    bool m_succeeded = false;
};

void TestFormFilingT1013::initTestCase()
{
    QVERIFY2(AgencyCerts::available(), "certificates missing: run through ctest (fixture agency_certs)");
    QVERIFY(QWebClient::addTrustedCaFile(AgencyCerts::caPem()));
    QVERIFY2(m_agency.start(), qPrintable(m_agency.errorString()));
    PreparerInfo info = preparerInfo();
    info.EfileSoftwareCode = CString("097");
    setPreparerInfo(info);
    AppClock::setFixed(QDateTime::fromString(kStamp, "yyyy-MM-dd HH:mm:ss"));
}

void TestFormFilingT1013::cleanupTestCase()
{
    AppClock::reset();
}

void TestFormFilingT1013::init()
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
    QVERIFY(m_family->getTaxpayer()->NewFormDataItem(FORM_T1013, 0, true, 0, true));
    QVERIFY(m_family->getTaxpayer()->NewFormDataItem(FORM_T185, 0, true, 0, true));
    m_xml = CString("<form><id>42</id></form>");
    m_settings = settings();
}

void TestFormFilingT1013::cleanup()
{
    FilingWebClient::setDefaultTimeoutSec(FilingWebClient::DefaultTimeoutSec);
    m_family.reset();
    m_prompter.reset();
}

FormFilingSettings TestFormFilingT1013::settings(bool listening)
{
    FormFilingSettings s;
    // Port 1 on the loopback: nothing listens there.
    s.exchange.t1013Host = listening ? m_agency.hostAndPort() : QStringLiteral("127.0.0.1:1");
    s.exchange.direradHost = QStringLiteral("127.0.0.1:1");
    s.exchange.testMode = false;
    s.exchange.resultFilePath = m_dir->filePath("netfileresult.txt");
    s.filingLogPath = m_dir->filePath("netfilelog.txt");
    m_outcome.attachTo(s);
    s.now = [] { return AppClock::now(); };
    s.makerWebHost = QStringLiteral("help.example:8443");
    return s;
}

TaxData_T1013New* TestFormFilingT1013::t1013Form() const
{
    return qobject_cast<TaxData_T1013New*>(m_family->getTaxpayer()->GetFormData(FORM_T1013, false));
}

TaxData_T185* TestFormFilingT1013::t185Form() const
{
    return qobject_cast<TaxData_T185*>(m_family->getTaxpayer()->GetFormData(FORM_T185, false));
}

void TestFormFilingT1013::run(ENUMTYPE_FORM type, Shown& shown, bool resultExpected, const QString& screenshot)
{
    CFormFilingDlg dlg(CString("K1234"), CString(kPassword), type, m_xml, m_family.get(), nullptr, m_settings);
    dlg.SetStringInfo(CString("Jean Tremblay"), CString("123456782"));
    whenModal<CFormFilingDlg>([&shown, screenshot](CFormFilingDlg* d) {
        shown.dialogTitle = d->windowTitle();
        shown.okText = d->ui()->buttonBox->button(QDialogButtonBox::Ok)->text();
        shown.heading = d->ui()->lbl1->text();
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
            shown.link = r->ui()->lblLink->text();
            if (!screenshot.isEmpty())
                r->grab().save(modalsteps::artefactPath("result-" + screenshot));
            r->accept();
        });
    // A dialog left open by a failing step is closed, so the test ends.
    QTimer::singleShot(20000, &dlg, [] {
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
    dlg.exec();
    m_succeeded = dlg.succeeded();
}

void TestFormFilingT1013::t1013_data()
{
    QTest::addColumn<AgencyReply>("reply");
    QTest::addColumn<bool>("succeeded");
    QTest::addColumn<QString>("codes");        // the codes text
    QTest::addColumn<QString>("responseCodes"); // the agency's text
    QTest::newRow("one form") << t1013Reply("1", kThreeCodes) << true << "B1,B2,F1" << "response codes: B1 B2 F1 ";
    QTest::newRow("one form, no codes") << t1013Reply("1", QByteArray()) << true << "" << "response codes: ";
    QTest::newRow("two forms") << t1013Reply("2", kThreeCodes) << false << "B1,B2,F1" << "response codes: B1 B2 F1 ";
    QTest::newRow("no form") << t1013Reply("0", QByteArray()) << false << "" << "response codes: ";
    QTest::newRow("fault without detail")
        << t1013Reply("1", QByteArray(),
                      "<soapenv:Fault><faultcode>soapenv:Client</faultcode><faultstring>Bad efiler</faultstring>"
                      "</soapenv:Fault>")
        << true << "" << "response codes:  Fault code: soapenv:Client details:Bad efiler";
    // The overview is filled in one pass: an agency text holding "%3" stays as it came.
    QTest::newRow("refused, text holding a marker")
        << t1013Reply("2", QByteArray(),
                      "<soapenv:Fault><faultcode>soapenv:Client</faultcode><faultstring>Bad %3 efiler</faultstring>"
                      "</soapenv:Fault>")
        << false << "" << "response codes:  Fault code: soapenv:Client details:Bad %3 efiler";
}

void TestFormFilingT1013::t1013()
{
    QFETCH(AgencyReply, reply);
    QFETCH(bool, succeeded);
    QFETCH(QString, codes);
    QFETCH(QString, responseCodes);
    m_agency.script().setDefault(AgencyEndpoint::T1013, AgencyKind::Any, reply);
    Shown shown;
    run(FORM_T1013, shown, succeeded, QTest::currentDataTag() == QLatin1String("one form") ? "cformfilingdlg-t1013.png" : "");

    QCOMPARE(shown.dialogTitle, QStringLiteral("Submit E-Auth"));
    QCOMPARE(shown.heading, QStringLiteral("Submit E-Authorization (T1013) to Represent a Tax Payer"));
    QCOMPARE(m_succeeded, succeeded);
    // What was sent: the preparer's credentials, the year, the form.
    QCOMPARE(m_agency.recorder().count(AgencyEndpoint::T1013), 1);
    const AgencyRequest sent = m_agency.recorder().last();
    QCOMPARE(sent.elementText("Username"), QStringLiteral("K1234"));
    QCOMPARE(sent.elementText("Password"), QString::fromLatin1(kPassword));
    QCOMPARE(sent.elementText("type"), QStringLiteral("2024"));
    QVERIFY(sent.http.body.contains("<form><id>42</id></form>"));

    QCOMPARE(m_outcome.records.size(), 1);
    QCOMPARE(m_outcome.records.front().form, int(FORM_T1013));
    QCOMPARE(m_outcome.records.front().accepted, succeeded);
    QCOMPARE(m_outcome.records.front().confirmation, QStringLiteral("A13-55001"));
    QCOMPARE(m_outcome.records.front().message, responseCodes);

    TaxData_T1013New* form = t1013Form();
    QVERIFY(form);
    if (succeeded) {
        const QString overview = QStringLiteral("T1013 is submitted successfully. Time: %1").arg(kStamp);
        QCOMPARE(shown.resultTitle, QStringLiteral("T1013 Filing Result"));
        QCOMPARE(shown.overview, overview);
        QCOMPARE(shown.details, overview + "\nThe confirmation number is A13-55001"
                                    + (codes.isEmpty() ? QString() : "\nFiling services return these codes: " + codes));
        QVERIFY(shown.link.contains("netfilelog.txt"));
        QCOMPARE(m_outcome.log.size(), 1);
        QCOMPARE(m_outcome.log.front().name, QStringLiteral("Jean Tremblay"));
        QCOMPARE(m_outcome.log.front().result, overview);
        QCOMPARE(m_outcome.log.front().msg, responseCodes);
        QCOMPARE(form->FilingStatus.m_value, 1);
        QCOMPARE(QString(form->Confirmation.m_value), QStringLiteral("A13-55001"));
        QVERIFY(m_prompter->records().isEmpty());
        return;
    }
    // Refused: the codes in the form, the message with the maker's help page.
    QCOMPARE(form->FilingStatus.m_value, -1);
    QCOMPARE(QString(form->FailureText.m_value), codes);
    QVERIFY(form->Confirmation.m_value.isEmpty());
    QVERIFY(m_outcome.log.isEmpty());
    QCOMPARE(m_prompter->records().size(), 1);
    const PromptRecord& told = m_prompter->records().front();
    QCOMPARE(told.kind, PromptKind::MessageWithLink);
    QCOMPARE(told.title, QStringLiteral("Online Filing Error Occured"));
    QCOMPARE(told.texts, (QStringList{QStringLiteral("T1013 submission failed. The error message is:\n%1\nThe error "
                                                     "codes are [%2].")
                                          .arg(responseCodes, codes),
                                      "To find out what the error code means, follow the link below"}));
    QCOMPARE(told.link,
             QStringLiteral("https://help.example:8443/faq/index.php?action=artikel&cat=6&id=35&artlang=en"));
}

void TestFormFilingT1013::t185_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<bool>("succeeded");
    QTest::addColumn<QString>("confirmation");
    QTest::addColumn<QString>("codes");
    QTest::newRow("confirmation") << "pad-confirmation.xml" << true << "PAD-20250301" << "0";
    // The rejection's codes, the confirmation's number: it went through.
    QTest::newRow("confirmation and rejection") << "pad-both.xml" << true << "PAD-20250301" << "PAD12";
    QTest::newRow("rejection") << "pad-rejection.xml" << false << "" << "PAD12";
}

void TestFormFilingT1013::t185()
{
    QFETCH(QString, fixture);
    QFETCH(bool, succeeded);
    QFETCH(QString, confirmation);
    QFETCH(QString, codes);
    m_agency.script().setDefault(AgencyEndpoint::Pad, AgencyKind::Any, AgencyReply::fixture(fixture));
    Shown shown;
    run(FORM_T185, shown, true, QTest::currentDataTag() == QLatin1String("rejection") ? "cformfilingdlg-t185.png" : "");

    QCOMPARE(shown.dialogTitle, QStringLiteral("EFile Online"));
    QCOMPARE(m_succeeded, succeeded);
    const AgencyRequest sent = m_agency.recorder().last();
    QCOMPARE(sent.http.path(), QByteArray("/ebci/rjpt/epads_ws/services/PadService"));
    QCOMPARE(sent.elementText("TransmitterEfilerNumber"), QStringLiteral("K1234"));
    QCOMPARE(sent.elementText("PasswordIdentifier"), QString::fromLatin1(kPassword));
    QCOMPARE(sent.elementText("SoftwareIdentifier"), QStringLiteral("097P"));
    QCOMPARE(sent.elementText("SoftwareRevisionDate"), QStringLiteral("2024-12-13"));
    QCOMPARE(sent.elementText("TaxpayerSocialInsuranceNumber"), QStringLiteral("123456782"));
    QCOMPARE(m_outcome.records.size(), 1);
    QCOMPARE(m_outcome.records.front().form, int(FORM_T185));
    QCOMPARE(m_outcome.records.front().accepted, succeeded);

    TaxData_T185* form = t185Form();
    QVERIFY(form);
    QCOMPARE(shown.resultTitle, QStringLiteral("T185 Filing Result"));
    if (succeeded) {
        QCOMPARE(shown.overview, QStringLiteral("T185 is submitted successfully. Time: %1").arg(kStamp));
        QVERIFY(shown.details.endsWith("\nThe confirmation number is " + confirmation
                                       + "\nFiling services return these codes: " + codes));
        QCOMPARE(QString(form->FilingNote.m_value),
                 QStringLiteral("You sent a PAD at %1, confirmation number [%2].").arg(kStamp, confirmation));
        QCOMPARE(QString(form->Confirmation.m_value), confirmation);
        QCOMPARE(m_outcome.log.size(), 1);
        return;
    }
    QCOMPARE(shown.overview, QStringLiteral("Online Filing Error Occured"));
    QCOMPARE(shown.details, QStringLiteral("T185 submission failed. The error message is:\nThe bank account could "
                                           "not be verified.\n\nThe error codes are [PAD12]."));
    QCOMPARE(shown.bottom, QStringLiteral("Check filing result file"));
    QVERIFY(shown.link.contains("netfileresult.txt"));
    // A refusal is not kept in the T185.
    QVERIFY(form->FilingNote.m_value.isEmpty());
    QVERIFY(form->Confirmation.m_value.isEmpty());
    QVERIFY(m_outcome.log.isEmpty());
}

void TestFormFilingT1013::notAnswered_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("how"); // 0 nothing listening, 1 no "<?xml" in the reply, 2 closed after sending
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::newRow("T1013, nothing listening") << int(FORM_T1013) << 0 << "Online Filing Failed"
                                              << "T1013 form submission failed. The error code is -10.";
    QTest::newRow("T185, nothing listening") << int(FORM_T185) << 0 << "Online Filing Failed"
                                             << "T185 form submission failed. The error code is -10.";
    QTest::newRow("T1013, no declaration") << int(FORM_T1013) << 1 << "Online Filing Outcome Unknown"
                                           << "T1013 form was sent to CRA, but CRA's answer did not come back or "
                                              "could not be read (code -100), so it is not known whether CRA "
                                              "received it.";
    QTest::newRow("T185, closed after sending")
        << int(FORM_T185) << 2 << "Online Filing Outcome Unknown"
        << QString("T185 form was sent to CRA, but CRA's answer did not come back or could not be read (code %1), so "
                   "it is not known whether CRA received it.")
               .arg(int(FilingOutcomeUnknown));
}

void TestFormFilingT1013::notAnswered()
{
    QFETCH(int, type);
    QFETCH(int, how);
    QFETCH(QString, title);
    QFETCH(QString, text);
    AgencyReply reply = t1013Reply("1", QByteArray());
    if (how == 1)
        reply.body.remove(0, reply.body.indexOf("<soapenv:Envelope"));
    if (how == 2)
        reply = AgencyReply::closeAfterRead();
    m_agency.script().setDefault(AgencyEndpoint::T1013, AgencyKind::Any, reply);
    m_agency.script().setDefault(AgencyEndpoint::Pad, AgencyKind::Any, reply);
    if (how == 0)
        m_settings = settings(false);
    Shown shown;
    run(ENUMTYPE_FORM(type), shown, false);

    QVERIFY(!m_succeeded);
    QCOMPARE(m_prompter->records().size(), 1);
    const PromptRecord& told = m_prompter->records().front();
    QCOMPARE(told.kind, PromptKind::MessageWithLink);
    QCOMPARE(told.title, title);
    QCOMPARE(told.texts.value(0), text);
    QVERIFY(told.link.isEmpty());
    // Nothing recorded: the forms as they were, no log, no filing record.
    QCOMPARE(t1013Form()->FilingStatus.m_value, 0);
    QVERIFY(t1013Form()->FilingTime.m_value.isEmpty());
    QVERIFY(t185Form()->Confirmation.m_value.isEmpty());
    QVERIFY(t185Form()->FilingNote.m_value.isEmpty());
    QVERIFY(m_outcome.log.isEmpty());
    QVERIFY(m_outcome.records.isEmpty());
}

QTEST_MAIN(TestFormFilingT1013)
#include "tst_formfilingt1013.moc"
