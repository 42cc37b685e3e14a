// The "File T1135 Online" command on the real page, against the fake
// agency: the checks before the form filing dialog, what the dialog shows,
// what is sent, and what is kept in the T1135, the filing log and the
// filing record for each way a filing can end.
#include <QtTest>

#include "common/filingoutcomerecorder.h"
#include "common/modalscript.h"
#include "common/modalsteps.h"
#include "companion/core/appclock.h"
#include "companion/core/qwebclient.h"
#include "companion/forms/federal/mirroring.h"
#include "dialogs/dlgvalidationmsgs.h"
#include "fakes/agency/fakeagencyserver.h"
#include "filing/filingwebclient.h"
#include "filing/ui/cformfilingdlg.h"
#include "filingroadsteps.h"
#include "model/individualtaxdata.h"
#include "workspace/returnpagefixture.h"
#include "workspace/ui_mainwindow.h"

#include <QComboBox>
#include <QListWidget>
#include <QTabWidget>

using namespace returnpage;

namespace {

const char* const kSpouseSin = "130692544";

// What the form filing dialog showed.
struct FilingDialogView
{
    QString title, heading, forWhom, okText, lbl3, lbl4;
    bool cancelIsDefault = false;
};

void readFilingDialog(CFormFilingDlg* dlg, FilingDialogView* view)
{
    if (!view)
        return;
    view->title = dlg->windowTitle();
    view->heading = dlg->ui()->lbl1->text();
    view->forWhom = dlg->ui()->lbl2->text();
    view->lbl3 = dlg->ui()->lbl3->text();
    view->lbl4 = dlg->ui()->lbl4->text();
    view->okText = button(dlg, QDialogButtonBox::Ok)->text();
    view->cancelIsDefault = button(dlg, QDialogButtonBox::Cancel)->isDefault();
}

// The form filing dialog read into view (when given), then OK or Cancel.
ModalScript::Step filingDialog(FilingDialogView* view, bool ok)
{
    return [=](QWidget* w) {
        auto* dlg = qobject_cast<CFormFilingDlg*>(w);
        if (!dlg)
            return false;
        readFilingDialog(dlg, view);
        button(dlg, ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
        return true;
    };
}

// OK on the filing dialog, the terms agreed and the result dialog read.
void sendThrough(ModalScript& script, ResultView* result)
{
    script.add(filingDialog(nullptr, true));
    script.add(termsDialog(true));
    script.add(resultDialog(result));
}

void addStatement(IndividualTaxData* person, const char* first, const char* last, const char* sin)
{
    STRUCT_FORMDATA_ITEM_2004* item = person->NewFormDataItem(FORM_T1135, 0, true, 0, true);
    auto* t1135 = item ? qobject_cast<TaxData_T1135New*>(item->data) : nullptr;
    QVERIFY(t1135);
    t1135->GivenName.m_value = CString(first);
    t1135->LastName.m_value = CString(last);
    t1135->SIN.m_value = CString(sin);
    t1135->Address.m_value = CString("100 Wellington St");
    t1135->City.m_value = CString("Ottawa");
    t1135->Province.m_value = CString("ON");
    t1135->PostalCode.m_value = CString("K1A 0A6");
    t1135->PeriodStart.m_value = QDate(2024, 1, 1);
    t1135->PeriodEnd.m_value = QDate(2024, 12, 31);
    t1135->FundsHeldAbroad.m_value = 150000.0;
}

// The text between the first open and close tags of a qualified name.
QByteArray inside(const QByteArray& body, const QByteArray& qualifiedName)
{
    const QByteArray open = "<" + qualifiedName + ">";
    const int from = body.indexOf(open);
    const int to = body.indexOf("</" + qualifiedName + ">", from);
    return from < 0 || to < 0 ? QByteArray() : body.mid(from + open.size(), to - from - open.size());
}

} // namespace

class TestT1135Road : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void withoutStatement();
    void statementWithErrors();
    void dialogNamesThePerson_data();
    void dialogNamesThePerson();
    void accepted();
    void refused_data();
    void refused();
    void declinedTerms();
    void notSentAfterTheTerms();
    void outcomeUnknown();
    void testCasePrompt_data();
    void testCasePrompt();
    void pressesDuringTheReplySendOnce();
    void windowActionFilesTheStatement();

private:
    // The window, the fake agency and Jean's return with a T1135 (or
    // without), saved to its file; coupled adds Marie with her own T1135.
    Form_Return* openJean(bool withStatement = true, bool coupled = false);
    TaxData_T1135New* statement(Form_Return* page) const;
    int t1135Requests() const { return m_agency->recorder().count(AgencyEndpoint::T1135); }
    QByteArray filingLog() const { return readAll(m_f->runPath() + "/netfilelog.txt"); }

    std::unique_ptr<WindowFixture> m_f;
    std::unique_ptr<FakeAgencyServer> m_agency;
    FilingOutcomeRecorder m_outcome;
};

void TestT1135Road::initTestCase()
{
    QVERIFY2(AgencyCerts::available(), "certificates missing: run through ctest (fixture agency_certs)");
}

void TestT1135Road::init()
{
    m_f = std::make_unique<WindowFixture>("DireradSoftwareCode=097\nDireradSoftwareDate=2024-12-13\n");
    QVERIFY(m_f->ready);
    m_agency = std::make_unique<FakeAgencyServer>();
    QVERIFY2(m_agency->start(), qPrintable(m_agency->errorString()));
    QVERIFY(QWebClient::addTrustedCaFile(AgencyCerts::caPem()));
    m_f->app->m_config.DIRERADSERVER = m_agency->hostAndPort();
    m_f->app->refreshFeatureSettings();
    FilingWebClient::setDefaultTimeoutSec(3);
    m_agency->script().setDefault(AgencyEndpoint::Direrad, AgencyKind::Terms, AgencyReply::fixture("terms.xml"));
    m_agency->script().setDefault(AgencyEndpoint::T1135, AgencyKind::Any, AgencyReply::fixture("t1135-accepted.xml"));
    m_outcome.clear();
}

void TestT1135Road::cleanup()
{
    m_agency.reset();
    m_f.reset();
    QWebClient::clearTrustedCaFiles();
    FilingWebClient::setDefaultTimeoutSec(FilingWebClient::DefaultTimeoutSec);
    AppClock::reset();
}

Form_Return* TestT1135Road::openJean(bool withStatement, bool coupled)
{
    NewReturnBasicData record = coupled ? coupledRecord() : singleRecord();
    record.FirstName = "Jean";
    record.LastName = "Tremblay";
    record.sin = "123456782";
    record.dob = QDate(1975, 6, 15);
    if (coupled) {
        record.FirstNameSpouse = "Marie";
        record.LastNameSpouse = "Tremblay";
        record.sinSpouse = kSpouseSin;
        record.dobSpouse = QDate(1977, 3, 9);
    }
    CFamilyTaxData* family = newFamily(record);
    if (withStatement)
        addStatement(family->getTaxpayer(), "Jean", "Tremblay", "123456782");
    if (coupled)
        addStatement(family->getSpouse(), "Marie", "Tremblay", kSpouseSin);
    family->Calculate(-1, nullptr);
    Form_Return* page = present(*m_f, family);
    if (!page)
        return nullptr;
    const QString path = m_f->home.path() + "/Jean_Tremblay.r24";
    QFileInfo info(path);
    page->setFilepath(&info);
    page->saveReturnFile(false);
    page->setFilingRecordSender(m_outcome.recordSender());
    m_f->prompter->clear();
    return page;
}

TaxData_T1135New* TestT1135Road::statement(Form_Return* page) const
{
    IndividualTaxData* person = page->familyData()->getCurIndvTaxData();
    return qobject_cast<TaxData_T1135New*>(person->GetFormData(FORM_T1135, false));
}

void TestT1135Road::withoutStatement()
{
    Form_Return* page = openJean(false);
    QVERIFY(page);
    bool dialogShown = false;
    ModalScript script;
    script.add([&](QWidget* w) {
        dialogShown = true;
        w->close();
        return true;
    });
    QCOMPARE(page->OnFileT1135(), 111);
    QVERIFY(!dialogShown);
    QCOMPARE(m_f->promptTexts(), QStringList{"Please add form T1135 into tax return first!"});
    QCOMPARE(m_agency->recorder().count(), 0);
}

void TestT1135Road::statementWithErrors()
{
    Form_Return* page = openJean();
    QVERIFY(page);
    statement(page)->SIN.m_value = CString("123456789");
    QStringList tabs;
    QStringList rows;
    ModalScript script;
    script.add([&](QWidget* w) {
        auto* dlg = qobject_cast<DlgValidationMsgs*>(w);
        if (!dlg)
            return false;
        auto* tabWidget = dlg->findChild<QTabWidget*>("tabPeople");
        for (int i = 0; tabWidget && i < tabWidget->count(); ++i) {
            tabs << tabWidget->tabText(i);
            if (auto* list = tabWidget->widget(i)->findChild<QListWidget*>())
                for (int r = 0; r < list->count(); ++r)
                    rows << list->item(r)->text();
        }
        dlg->accept();
        return true;
    });
    QCOMPARE(page->OnFileT1135(), 118);
    QCOMPARE(script.pending(), 0);
    QCOMPARE(tabs, QStringList{"T1135"});
    QVERIFY2(rows.join("|").contains("Form T1135: the social insurance number is not valid."),
             qPrintable(rows.join("|")));
    // Shown at once: no question before the messages, and nothing sent.
    QVERIFY(m_f->promptTexts().isEmpty());
    QCOMPARE(m_agency->recorder().count(), 0);
}

void TestT1135Road::dialogNamesThePerson_data()
{
    QTest::addColumn<bool>("spouse");
    QTest::addColumn<QString>("forWhom");
    QTest::newRow("taxpayer") << false << " This filing is for <b>Jean Tremblay (123456782)</b>";
    QTest::newRow("spouse") << true << QString(" This filing is for <b>Marie Tremblay (%1)</b>").arg(kSpouseSin);
}

void TestT1135Road::dialogNamesThePerson()
{
    QFETCH(bool, spouse);
    QFETCH(QString, forWhom);
    Form_Return* page = openJean(true, spouse);
    QVERIFY(page);
    if (spouse) {
        auto* chooser = page->findChild<QComboBox*>("comboBox");
        QVERIFY(chooser);
        chooser->setCurrentIndex(chooser->findData(CFamilyTaxData::kSpouse));
        QCOMPARE(page->familyData()->getCurIndv(), int(CFamilyTaxData::kSpouse));
    }
    FilingDialogView view;
    bool closedByEnter = false;
    int dialogResult = -1;
    ModalScript script;
    script.add([&](QWidget* w) {
        auto* dlg = qobject_cast<CFormFilingDlg*>(w);
        if (!dlg)
            return false;
        readFilingDialog(dlg, &view);
        if (!spouse)
            dlg->grab().save(modalsteps::artefactPath("cformfilingdlg.png"));
        // Enter as the dialog opens, where the user's focus is.
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus && dlg->isAncestorOf(focus) ? focus : dlg, Qt::Key_Return);
        closedByEnter = !dlg->isVisible();
        dialogResult = dlg->result();
        if (!closedByEnter)
            dlg->done(QDialog::Rejected);
        return true;
    });
    QCOMPARE(page->OnFileT1135(), 0);
    QCOMPARE(script.pending(), 0);
    QCOMPARE(view.title, QStringLiteral("Submit T1135"));
    QCOMPARE(view.okText, QStringLiteral("Submit T1135"));
    QCOMPARE(view.heading, QStringLiteral("Submit T1135 to CRA"));
    QCOMPARE(view.forWhom, forWhom);
    QVERIFY(view.lbl3.isEmpty());
    QVERIFY(view.lbl4.startsWith("Make sure the program can access Internet to submit the filing."));
    QVERIFY(view.cancelIsDefault);
    QVERIFY(closedByEnter);
    QCOMPARE(dialogResult, int(QDialog::Rejected));
    // Enter pressed Cancel: no terms, no prompt, no request.
    QCOMPARE(m_agency->recorder().count(), 0);
    QVERIFY2(m_f->promptTexts().isEmpty(), qPrintable(m_f->promptTexts().join("|")));
    QVERIFY(m_outcome.records.isEmpty());
    QCOMPARE(statement(page)->FilingStatus.m_value, 0);
}

void TestT1135Road::accepted()
{
    AppClock::setFixed(QDateTime(QDate(2025, 3, 2), QTime(14, 5, 9)));
    Form_Return* page = openJean();
    QVERIFY(page);
    ResultView result;
    ModalScript script;
    sendThrough(script, &result);
    QCOMPARE(page->OnFileT1135(), 0);
    QCOMPARE(script.pending(), 0);

    QCOMPARE(result.title, QStringLiteral("T1135 Web Service Result"));
    QCOMPARE(result.overview, QStringLiteral("T1135 is submitted successfully. Time: 2025-03-02 14:05:09"));
    QVERIFY(result.details.contains("Your T1135 statement has been received."));
    QVERIFY2(result.link.contains("netfilelog.txt"), qPrintable(result.link));

    TaxData_T1135New* t1135 = statement(page);
    QCOMPARE(t1135->FilingStatus.m_value, 1);
    QCOMPARE(QString(t1135->Confirmation.m_value), QStringLiteral("T1135-778"));
    const QByteArray log = filingLog();
    QVERIFY2(log.contains("Name: Jean Tremblay\n"), log.constData());
    QVERIFY(log.contains("Result: T1135 is submitted successfully. Time: "));
    QVERIFY(log.contains("Confirmation: T1135-778\n"));

    QCOMPARE(m_agency->recorder().count(AgencyEndpoint::Direrad, AgencyKind::Terms), 1);
    QCOMPARE(t1135Requests(), 1);
    const AgencyRequest sent = m_agency->recorder().last();
    QCOMPARE(sent.endpoint, AgencyEndpoint::T1135);
    QVERIFY2(inside(sent.http.body, "t1rq:TaxReturnForm").contains("<t1135:SoftwareID>097M</t1135:SoftwareID>"),
             sent.http.body.constData());
    QCOMPARE(sent.elementText("AgreementIndicator"), QStringLiteral("1"));
    // The test-case prompt was cancelled (the prompter's cautious answer).
    QVERIFY(!sent.hasElement("TestCaseIdentifier"));

    QCOMPARE(m_outcome.records.size(), 1);
    QCOMPARE(m_outcome.records[0].form, 101);
    QVERIFY(m_outcome.records[0].accepted);
    QCOMPARE(m_outcome.records[0].confirmation, QStringLiteral("T1135-778"));
    QVERIFY(m_outcome.records[0].message.contains("Your T1135 statement has been received."));
}

void TestT1135Road::refused_data()
{
    QTest::addColumn<bool>("acceptedBefore");
    QTest::addColumn<QString>("lastName");
    QTest::newRow("first filing") << false << "Tremblay";
    QTest::newRow("accepted before") << true << "Tremblay";
    // The overview is filled in one pass: a "%2" in the name stays as typed.
    QTest::newRow("name holding %2") << false << "Tremblay%2";
}

void TestT1135Road::refused()
{
    QFETCH(bool, acceptedBefore);
    QFETCH(QString, lastName);
    Form_Return* page = openJean();
    QVERIFY(page);
    page->familyData()->getTaxpayer()->GetT1()->LastName.m_value = CString(lastName);
    if (acceptedBefore) {
        statement(page)->FilingStatus.m_value = 1;
        statement(page)->Confirmation.m_value = CString("T1135-700");
    }
    m_agency->script().setDefault(AgencyEndpoint::T1135, AgencyKind::Any, AgencyReply::fixture("t1135-refused.xml"));
    ResultView result;
    ModalScript script;
    sendThrough(script, &result);
    QCOMPARE(page->OnFileT1135(), 0);
    QCOMPARE(script.pending(), 0);

    QVERIFY2(result.overview.startsWith("Jean " + lastName + " submission failed. \nThe error codes are [400T1135E01]."
                                                               "\nTime: "),
             qPrintable(result.overview));
    QVERIFY2(result.link.contains("netfileresult.ws"), qPrintable(result.link));
    QVERIFY(result.details.contains("The reporting period is not valid."));

    TaxData_T1135New* t1135 = statement(page);
    QCOMPARE(t1135->FilingStatus.m_value, acceptedBefore ? 1 : 0);
    QCOMPARE(QString(t1135->Confirmation.m_value), acceptedBefore ? QStringLiteral("T1135-700") : QString());
    QCOMPARE(QString(t1135->FailureText.m_value), result.overview);
    QVERIFY(!filingLog().contains("T1135"));
    QCOMPARE(m_outcome.records.size(), 1);
    QCOMPARE(m_outcome.records[0].form, 101);
    QVERIFY(!m_outcome.records[0].accepted);
    QVERIFY(m_outcome.records[0].confirmation.isEmpty());
}

void TestT1135Road::declinedTerms()
{
    Form_Return* page = openJean();
    QVERIFY(page);
    ModalScript script;
    script.add(filingDialog(nullptr, true));
    script.add(termsDialog(false));
    QCOMPARE(page->OnFileT1135(), 0);
    QCOMPARE(script.pending(), 0);
    QCOMPARE(m_agency->recorder().count(AgencyEndpoint::Direrad, AgencyKind::Terms), 1);
    QCOMPARE(t1135Requests(), 0);
    QCOMPARE(statement(page)->FilingStatus.m_value, 0);
    QVERIFY(m_outcome.records.isEmpty());
}

void TestT1135Road::notSentAfterTheTerms()
{
    Form_Return* page = openJean();
    QVERIFY(page);
    statement(page)->FilingStatus.m_value = 1;
    statement(page)->Confirmation.m_value = CString("T1135-700");
    m_agency->script().setDefault(AgencyEndpoint::Direrad, AgencyKind::Terms,
                                  AgencyReply::fixture("terms.xml").thenStopListening());
    ModalScript script;
    script.add(filingDialog(nullptr, true));
    script.add(termsDialog(true));
    QCOMPARE(page->OnFileT1135(), 0);
    QCOMPARE(script.pending(), 0);
    QVERIFY2(m_f->promptTexts().contains("Error filing T1135, return code = -10."),
             qPrintable(m_f->promptTexts().join("|")));
    QCOMPARE(t1135Requests(), 0);
    TaxData_T1135New* t1135 = statement(page);
    QCOMPARE(t1135->FilingStatus.m_value, 1);
    QCOMPARE(QString(t1135->Confirmation.m_value), QStringLiteral("T1135-700"));
    QVERIFY(t1135->FailureText.m_value.isEmpty());
    QVERIFY(m_outcome.records.isEmpty());
    QVERIFY(filingLog().isEmpty());
}

void TestT1135Road::outcomeUnknown()
{
    Form_Return* page = openJean();
    QVERIFY(page);
    m_agency->script().setDefault(AgencyEndpoint::T1135, AgencyKind::Any, AgencyReply::closeAfterRead());
    ModalScript script;
    script.add(filingDialog(nullptr, true));
    script.add(termsDialog(true));
    QCOMPARE(page->OnFileT1135(), 0);
    QCOMPARE(script.pending(), 0);
    QCOMPARE(t1135Requests(), 1);
    const QString told = m_f->promptTexts().join("|");
    QVERIFY2(told.contains("Error filing T1135, return code = -30."), qPrintable(told));
    QVERIFY(told.contains("it is not known whether CRA received the statement"));
    QVERIFY(told.contains("check with CRA"));
    TaxData_T1135New* t1135 = statement(page);
    QCOMPARE(t1135->FilingStatus.m_value, 0);
    QVERIFY(t1135->FailureText.m_value.isEmpty());
    QVERIFY(m_outcome.records.isEmpty());
    QVERIFY(filingLog().isEmpty());
}

void TestT1135Road::testCasePrompt_data()
{
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("typed");
    QTest::newRow("7") << true << "7";
    QTest::newRow("cancelled") << false << "";
}

void TestT1135Road::testCasePrompt()
{
    QFETCH(bool, answer);
    QFETCH(QString, typed);
    Form_Return* page = openJean();
    QVERIFY(page);
    if (answer)
        m_f->prompter->queueText(typed);
    else
        m_f->prompter->queueCancel();
    ModalScript script;
    sendThrough(script, nullptr);
    QCOMPARE(page->OnFileT1135(), 0);
    QCOMPARE(script.pending(), 0);
    const PromptRecord& prompt = m_f->prompter->records().value(0);
    QCOMPARE(prompt.kind, PromptKind::TextInput);
    QCOMPARE(prompt.title, QStringLiteral("test ID"));
    QCOMPARE(prompt.texts, QStringList{"Enter testcase ID:"});
    QVERIFY(prompt.hadParent);
    QCOMPARE(t1135Requests(), 1);
    const AgencyRequest sent = m_agency->recorder().last();
    QCOMPARE(sent.hasElement("TestCaseIdentifier"), answer);
    if (answer)
        QVERIFY(sent.http.body.contains("<comm:TestCaseIdentifier>7</comm:TestCaseIdentifier>"));
}

void TestT1135Road::pressesDuringTheReplySendOnce()
{
    Form_Return* page = openJean();
    QVERIFY(page);
    FilingWebClient::setDefaultTimeoutSec(8);
    m_agency->script().setDefault(AgencyEndpoint::T1135, AgencyKind::Any,
                                  AgencyReply::fixture("t1135-accepted.xml", 200, 3000));
    // Two more presses of OK, and one of Cancel, while the statement is on
    // its way: the buttons are disabled, so they come as the box's signals.
    QPointer<CFormFilingDlg> dialog;
    int extraPresses = 0;
    bool buttonsDisabled = true;
    bool openAfterCancel = false;
    QTimer presser;
    connect(&presser, &QTimer::timeout, this, [&] {
        if (!dialog || t1135Requests() < 1 || extraPresses == 3)
            return;
        buttonsDisabled = buttonsDisabled && !button(dialog, QDialogButtonBox::Ok)->isEnabled()
                          && !button(dialog, QDialogButtonBox::Cancel)->isEnabled();
        ++extraPresses;
        if (extraPresses == 3) {
            emit dialog->ui()->buttonBox->rejected();
            openAfterCancel = dialog->isVisible();
        } else
            emit dialog->ui()->buttonBox->accepted();
    });
    presser.start(100);
    ModalScript script;
    script.add([&](QWidget* w) {
        dialog = qobject_cast<CFormFilingDlg*>(w);
        return dialog && filingDialog(nullptr, true)(w);
    });
    script.add(termsDialog(true));
    script.add(resultDialog(nullptr));
    QCOMPARE(page->OnFileT1135(), 0);
    QCOMPARE(script.pending(), 0);
    QCOMPARE(extraPresses, 3);
    QVERIFY(buttonsDisabled);
    QVERIFY(openAfterCancel);
    QCOMPARE(t1135Requests(), 1);
    QCOMPARE(m_agency->recorder().count(AgencyEndpoint::Direrad, AgencyKind::Terms), 1);
    QCOMPARE(statement(page)->FilingStatus.m_value, 1);
    QCOMPARE(m_outcome.records.size(), 1);
}

void TestT1135Road::windowActionFilesTheStatement()
{
    Form_Return* page = openJean();
    QVERIFY(page);
    ModalScript script;
    sendThrough(script, nullptr);
    m_f->action("actionFile_T1135_Online")->trigger();
    QCOMPARE(script.pending(), 0);
    QCOMPARE(t1135Requests(), 1);
    QCOMPARE(statement(page)->FilingStatus.m_value, 1);
}

QTEST_APPLESS_MAIN(TestT1135Road)
#include "tst_t1135road.moc"
