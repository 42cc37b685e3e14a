// The "DirErad to CRA" command on the real page, against the fake agency:
// what the user sees, what is sent, and what is kept in the return, the
// filing log and the history, for each way a filing can end.
#include <QtTest>

#include "app/BasicEvent.h"
#include "common/modalscript.h"
#include "filingroadsteps.h"
#include "companion/core/appclock.h"
#include "companion/core/qwebclient.h"
#include "companion/forms/fieldchoices.h"
#include "companion/forms/slips/slips_employment.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/ui/styledwidgets.h"
#include "dialogs/dlgvalidationmsgs.h"
#include "e2e/usersteps.h"
#include "fakes/agency/fakeagencyserver.h"
#include "filing/filingwebclient.h"
#include "filing/ui/DlgFilingResult.h"
#include "filing/ui/DlgFilingTerm.h"
#include "filing/ui/direradresultdlg.h"
#include "model/individualtaxdata.h"
#include "workspace/returnpagefixture.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTextBrowser>
#include <QWizard>
#include <QXmlStreamReader>

#include <functional>

using namespace returnpage;

namespace {

// What the submission dialog showed.
struct SubmissionView
{
    QString title, kind, forWhom, okText;
    bool testCaseVisible = false;
};

ModalScript::Step submissionDialog(SubmissionView* view, bool ok, const QString& testCase = QString())
{
    return [=](QWidget* w) {
        auto* dlg = qobject_cast<CDireradResultDlg*>(w);
        if (!dlg)
            return false;
        if (view) {
            view->title = dlg->windowTitle();
            view->kind = dlg->ui()->lblResult->text();
            view->forWhom = dlg->ui()->lblMsg1->text();
            view->okText = button(dlg, QDialogButtonBox::Ok)->text();
            view->testCaseVisible = dlg->ui()->edtTestcase->isVisible();
            const QString folder = QDir(QCoreApplication::applicationDirPath()).absoluteFilePath("../artefacts");
            QDir().mkpath(folder);
            dlg->grab().save(folder + "/cdireradresultdlg.png");
        }
        dlg->ui()->edtTestcase->setText(testCase);
        if (!ok) {
            button(dlg, QDialogButtonBox::Cancel)->click();
            return true;
        }
        button(dlg, QDialogButtonBox::Ok)->click();
        return true;
    };
}

// A wizard: title recorded; choice -1 presses Finish without choosing
// (it must stay open) and then cancels, otherwise the choice's radio
// button and Finish; the after-filing page is just closed.
ModalScript::Step wizard(QString* title, int choice = -2, bool* stayedOpen = nullptr)
{
    return [=](QWidget* w) {
        auto* wiz = qobject_cast<QWizard*>(w);
        if (!wiz)
            return false;
        if (title)
            *title = wiz->windowTitle();
        if (choice == -2) {
            wiz->reject();
        } else if (choice == -1) {
            wiz->button(QWizard::FinishButton)->click();
            if (stayedOpen)
                *stayedOpen = wiz->isVisible();
            wiz->reject();
        } else {
            wiz->findChild<QRadioButton*>(QStringLiteral("fld_signup_%1").arg(choice))->click();
            wiz->button(QWizard::FinishButton)->click();
        }
        return true;
    };
}

// The rows the validation messages dialog lists, all tabs; then closed.
ModalScript::Step validationMessages(QStringList* rows)
{
    return [=](QWidget* w) {
        auto* dlg = qobject_cast<DlgValidationMsgs*>(w);
        if (!dlg)
            return false;
        for (QListWidget* list : dlg->findChildren<QListWidget*>())
            for (int r = 0; r < list->count(); ++r)
                *rows << list->item(r)->text();
        dlg->accept();
        return true;
    };
}

// The texts of every element of that local name, in document order.
QStringList elementTexts(const QByteArray& xml, const QString& localName)
{
    QStringList texts;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == localName)
            texts << reader.readElementText(QXmlStreamReader::IncludeChildElements);
    }
    return texts;
}

// OK on the submission dialog, the terms agreed, the result dialog read
// into result (when given) and, after an acceptance, the after-filing page.
void sendThrough(ModalScript& script, ResultView* result, bool accepted)
{
    script.add(submissionDialog(nullptr, true));
    script.add(termsDialog(true));
    script.add(resultDialog(result));
    if (accepted)
        script.add(wizard(nullptr));
}

using T1Change = std::function<void(TaxData_T1New&)>;

} // namespace

Q_DECLARE_METATYPE(T1Change)

class TestDireradRoad : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void acceptedFiling();
    void firstTimeFilerIsNamedInTheRequest();
    void manitobaCoupleFilesTheAddressTyped();
    void incompleteReturnIsRefusedBeforeAnyRequest_data();
    void incompleteReturnIsRefusedBeforeAnyRequest();
    void cancelRecordsNothing();
    void acceptedReturnIsAskedBeforeFilingAgain();
    void notSentAfterTheTerms();
    void outcomeUnknown_data();
    void outcomeUnknown();
    void pressesDuringTheReplySendOnce();
    void testCaseField_data();
    void testCaseField();
    void onlineMailSignup();
    void multiYearAnswerIsSent();
    void refileWarningWithoutOtherWarnings();
    void filingSeason_data();
    void filingSeason();

private:
    // The window, the fake agency and Jean's return, saved to its file.
    Form_Return* openJean(bool withEmail = true);
    void run(Form_Return* page) { page->OnFileCreateElectronFile(); }
    int taxpayerId();
    QList<int> historyEvents();
    int fileReturnRequests() const { return m_agency->recorder().count(AgencyEndpoint::Direrad, AgencyKind::Return); }
    // The return as its file on disk holds it.
    TaxData_T1New* reloadedT1();

    std::unique_ptr<WindowFixture> m_f;
    std::unique_ptr<FakeAgencyServer> m_agency;
    std::unique_ptr<CFamilyTaxData> m_reloaded;
    QString m_path;
};

void TestDireradRoad::initTestCase()
{
    QVERIFY2(AgencyCerts::available(), "certificates missing: run through ctest (fixture agency_certs)");
}

void TestDireradRoad::cleanupTestCase()
{
    m_f.reset();
}

void TestDireradRoad::init()
{
    // A fresh home and program for every test.
    m_f = std::make_unique<WindowFixture>("DireradSoftwareCode=097\nDireradSoftwareDate=2024-12-13\n");
    QVERIFY(m_f->ready);
    m_agency = std::make_unique<FakeAgencyServer>();
    QVERIFY2(m_agency->start(), qPrintable(m_agency->errorString()));
    QVERIFY(QWebClient::addTrustedCaFile(AgencyCerts::caPem()));
    m_f->app->m_config.DIRERADSERVER = m_agency->hostAndPort();
    m_f->app->m_config.NoWarningMsg = true;
    m_f->app->refreshFeatureSettings();
    FilingWebClient::setDefaultTimeoutSec(3);
    m_agency->script().setDefault(AgencyEndpoint::Direrad, AgencyKind::Terms, AgencyReply::fixture("terms.xml"));
    m_agency->script().setDefault(AgencyEndpoint::Direrad, AgencyKind::Return, AgencyReply::fixture("accepted.xml"));
}

void TestDireradRoad::cleanup()
{
    m_reloaded.reset();
    m_agency.reset();
    m_f.reset();
    QWebClient::clearTrustedCaFiles();
    FilingWebClient::setDefaultTimeoutSec(FilingWebClient::DefaultTimeoutSec);
    AppClock::reset();
}

Form_Return* TestDireradRoad::openJean(bool withEmail)
{
    NewReturnBasicData record = singleRecord();
    record.FirstName = "Jean";
    record.LastName = "Tremblay";
    record.sin = "123456782";
    record.dob = QDate(1975, 6, 15);
    CFamilyTaxData* family = newFamily(record);
    TaxData_T1New* t1 = family->getTaxpayer()->GetT1();
    // What the agency asks of every T1: where to write and the answers.
    t1->AddressLine1.m_value = CString("100 Wellington St");
    t1->City.m_value = CString("Ottawa");
    t1->MailingProvince.m_value = kOntario;
    t1->PostalCode.m_value = CString("K1A 0A6");
    t1->FirstTimeFilerAnswer.m_value = choices::kNo;
    t1->CitizenshipAnswer.m_value = choices::kYes;
    t1->ElectionsCanadaAnswer.m_value = choices::kNo;
    t1->ForeignPropertyAnswer.m_value = choices::kNo;
    if (withEmail)
        t1->Email2.m_value = CString("jean.tremblay@example.com");
    // Instalments with no income: a refund of 250.00.
    t1->InstalmentsPaid.m_value = 250.0;
    family->Calculate(-1, nullptr);
    Form_Return* page = present(*m_f, family);
    m_path = m_f->home.path() + "/Jean_Tremblay.r24";
    QFileInfo info(m_path);
    page->setFilepath(&info);
    page->saveReturnFile(false);
    m_f->prompter->clear();
    return page;
}

int TestDireradRoad::taxpayerId()
{
    return CBasicEvent::findUserID(m_f->app->m_dbManager.db(), CString("123456782"));
}

QList<int> TestDireradRoad::historyEvents()
{
    QList<int> events;
    QSqlQuery q(m_f->app->m_dbManager.db());
    q.prepare("SELECT eventid FROM tb_history WHERE uid = ? ORDER BY eventid");
    q.addBindValue(taxpayerId());
    q.exec();
    while (q.next())
        events << q.value(0).toInt();
    return events;
}

TaxData_T1New* TestDireradRoad::reloadedT1()
{
    int code = 0;
    m_reloaded.reset(CFamilyTaxData::serializeFromFile(CString(m_path), code));
    return m_reloaded ? m_reloaded->getTaxpayer()->GetT1() : nullptr;
}

void TestDireradRoad::acceptedFiling()
{
    Form_Return* page = openJean();
    QVERIFY(page);
    SubmissionView submission;
    ResultView result;
    QString afterTitle;
    bool copyWhileOpen = false;
    const QString copy = m_f->runPath() + "/Jean_Tremblay_2024.ws";
    ModalScript script;
    script.add([&](QWidget* w) {
        copyWhileOpen = QFile::exists(copy);
        return submissionDialog(&submission, true)(w);
    });
    script.add(termsDialog(true));
    script.add(resultDialog(&result));
    script.add(wizard(&afterTitle));
    m_f->prompter->queueButton(Prompt::No); // one year only
    run(page);
    QCOMPARE(script.pending(), 0);

    QCOMPARE(submission.title, QStringLiteral("DirErad Tax Return to CRA"));
    QCOMPARE(submission.kind, QStringLiteral("DirErad (for youself, family member or friend's tax return)"));
    QCOMPARE(submission.forWhom, QStringLiteral("This T1 DirErad filing is only for Jean Tremblay"));
    QCOMPARE(submission.okText, QStringLiteral("DirErad Return"));
    QVERIFY(submission.testCaseVisible);

    QCOMPARE(result.title, QStringLiteral("Direrad Filing Result"));
    QVERIFY2(result.overview.startsWith("Direrad is submitted successfully. The confirmation code is [XK47Q9].\n"
                                        "Result code is [0]\nTime: "),
             qPrintable(result.overview));
    QCOMPARE(result.bottom, QStringLiteral("Check filing log file"));
    QVERIFY(result.link.contains("netfilelog.txt"));
    QVERIFY(result.cause.isEmpty());
    QCOMPARE(afterTitle, QStringLiteral("CRA Online Service"));

    const QByteArray log = readAll(m_f->runPath() + "/netfilelog.txt");
    QVERIFY(log.contains("Name: Jean Tremblay\n"));
    QVERIFY(log.contains("Confirmation: XK47Q9\n"));
    QVERIFY(log.endsWith("Msg: Your return has been received.\r\n\n\n\n"));
    QCOMPARE(historyEvents(), (QList<int>{1018, 1019}));

    TaxData_T1New* t1 = reloadedT1();
    QVERIFY(t1);
    QCOMPARE(t1->FilingStatus.m_value, 1);
    QCOMPARE(QString(t1->FilingResultText.m_value), QStringLiteral("XK47Q9"));
    QVERIFY(copyWhileOpen);
    QVERIFY(!QFile::exists(copy));

    QCOMPARE(m_agency->recorder().count(AgencyEndpoint::Direrad, AgencyKind::Terms), 1);
    QCOMPARE(fileReturnRequests(), 1);
    const AgencyRequest sent = m_agency->recorder().last();
    QVERIFY(sent.hasElement("FileReturnRequest"));
    QCOMPARE(sent.elementText("AgreementIndicator"), QStringLiteral("1"));
    QCOMPARE(sent.elementText("OriginatingIP"), QStringLiteral("0.0.0.0"));
    QCOMPARE(sent.elementText("SoftwareID"), QStringLiteral("097G"));
    QVERIFY(!sent.hasElement("TestCaseIdentifier"));
    // Jean filed before: the return's own name elements stay empty and the
    // request names no one (the agency knows him by his S.I.N.).
    QCOMPARE(elementTexts(sent.http.body, "GivenName"), QStringList{QString()});
    QCOMPARE(elementTexts(sent.http.body, "FamilyName"), QStringList{QString()});
    QCOMPARE(elementTexts(sent.http.body, "AddressStreetText"), QStringList{"100 Wellington St"});
    QCOMPARE(elementTexts(sent.http.body, "AddressPostalCode"), QStringList{"K1A0A6"});
    QCOMPARE(elementTexts(sent.http.body, "CanadianCitizenshipIndicator"), QStringList{"1"});
}

void TestDireradRoad::firstTimeFilerIsNamedInTheRequest()
{
    Form_Return* page = openJean();
    page->familyData()->getTaxpayer()->GetT1()->FirstTimeFilerAnswer.m_value = choices::kYes;
    ModalScript script;
    sendThrough(script, nullptr, true);
    m_f->prompter->queueButton(Prompt::No);
    run(page);
    QCOMPARE(script.pending(), 0);
    QCOMPARE(fileReturnRequests(), 1);
    const QByteArray body = m_agency->recorder().last().http.body;
    // The return's name elements stay empty; the request after it names
    // the person, "X" standing for the second name he has not.
    QCOMPARE(elementTexts(body, "GivenName"), (QStringList{QString(), "Jean"}));
    QCOMPARE(elementTexts(body, "SecondName"), QStringList{"X"});
    QCOMPARE(elementTexts(body, "FamilyName"), (QStringList{QString(), "Tremblay"}));
    QCOMPARE(elementTexts(body, "FirstTimeFilerIndicator"), QStringList{"1"});
}

// A Manitoba couple whose mailing address and answers are typed on the T1
// pages, as a person does: the return sent holds that address, and the
// rural supplement question nobody answered is not sent at all.
void TestDireradRoad::manitobaCoupleFilesTheAddressTyped()
{
    constexpr int kManitoba = 3;
    NewReturnBasicData record = coupledRecord();
    record.FirstName = "Marie";
    record.LastName = "Gagnon";
    record.sin = "046454286";
    record.dob = QDate(1978, 3, 9);
    record.TaxPronv = kManitoba;
    record.FirstNameSpouse = "Paul";
    record.LastNameSpouse = "Gagnon";
    record.sinSpouse = "130692544";
    record.dobSpouse = QDate(1976, 11, 2);
    record.TaxPronvSpouse = kManitoba;
    CFamilyTaxData* family = newFamily(record);
    // Marie works, so only Paul's spouse amount is claimed (on her return).
    auto& t4 = static_cast<TaxData_Slip_T4&>(*family->getTaxpayer()->NewSlipData(1, 0, 0)->data);
    t4.Province.m_value = kManitoba;
    t4.box14EmploymentIncome.m_value = 52000;
    t4.box22IncomeTaxDeducted.m_value = 9000;
    family->Calculate(-1, nullptr);
    Form_Return* page = present(*m_f, family);
    QVERIFY(page);
    QApplication::setActiveWindow(m_f->window);
    const usersteps::ModalGuard guard(60000);
    const usersteps::MailingAddressAndAnswers home{"455 Portage Ave", "Winnipeg", "Manitoba", "r3b 2e9"};
    QVERIFY(usersteps::typeMailingAddressAndAnswers(page, home));
    QVERIFY(usersteps::switchTo(page, CFamilyTaxData::kSpouse));
    QVERIFY(usersteps::typeMailingAddressAndAnswers(page, home));
    QVERIFY(usersteps::switchTo(page, CFamilyTaxData::kTaxpayer));
    QVERIFY(usersteps::keepPicture(m_f->window, "direrad-road", "manitoba-couple-t1"));
    const TaxData_T1New* t1 = page->familyData()->getTaxpayer()->GetT1();
    QCOMPARE(QString(t1->City.m_value), QStringLiteral("Winnipeg"));
    QCOMPARE(t1->RuralSupplementAnswer.m_value, choices::kNotAnswered);

    m_f->prompter->clear();
    ModalScript script;
    script.add(wizard(nullptr, 1)); // the online-mail offer: not now
    sendThrough(script, nullptr, true);
    m_f->prompter->queueButton(Prompt::No);
    run(page);
    QVERIFY2(script.pending() == 0, qPrintable(m_f->promptTexts().join(" | ")));
    QCOMPARE(fileReturnRequests(), 1);
    const QByteArray body = m_agency->recorder().last().http.body;
    // Marie's return: her S.I.N. in the return and in the request around it.
    QCOMPARE(elementTexts(body, "TaxpayerSocialInsuranceNumber"), (QStringList{"046454286", "046454286"}));
    QCOMPARE(elementTexts(body, "AddressStreetText"), QStringList{"455 Portage Ave"});
    QCOMPARE(elementTexts(body, "AddressMunicipalityName"), QStringList{"Winnipeg"});
    QCOMPARE(elementTexts(body, "AddressProvinceCode"), QStringList{"MB"});
    QCOMPARE(elementTexts(body, "AddressPostalCode"), QStringList{"R3B2E9"});
    QCOMPARE(elementTexts(body, "TaxpayerYearEndResidenceProvinceCode"), QStringList{"MB"});
    QCOMPARE(elementTexts(body, "CanadianCitizenshipIndicator"), QStringList{"1"});
    QCOMPARE(elementTexts(body, "ElectionsCanadaAuthorizationIndicator"), QStringList{"01"});
    QCOMPARE(elementTexts(body, "SpouseSocialInsuranceNumber"), QStringList{"130692544"});
    QCOMPARE(elementTexts(body, "CCRRuralSupplementIndicator"), QStringList());
}

void TestDireradRoad::incompleteReturnIsRefusedBeforeAnyRequest_data()
{
    QTest::addColumn<T1Change>("change");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty name") << T1Change([](TaxData_T1New& t) {
        t.FirstName.m_value = CString();
    }) << "T1, Identification page, First name and Last name: enter the person's first and last name.";
    QTest::newRow("no mailing address") << T1Change([](TaxData_T1New& t) {
        t.AddressLine1.m_value = CString();
        t.City.m_value = CString();
        t.PostalCode.m_value = CString();
    }) << "T1, Identification page, Mailing address: enter the street address or P.O. box the agency writes to.";
    QTest::newRow("citizenship unanswered") << T1Change([](TaxData_T1New& t) {
        t.CitizenshipAnswer.m_value = choices::kNotAnswered;
    }) << "T1, Questions and filing page, Canadian citizen: answer Yes or No.";
}

void TestDireradRoad::incompleteReturnIsRefusedBeforeAnyRequest()
{
    QFETCH(T1Change, change);
    QFETCH(QString, message);
    Form_Return* page = openJean();
    change(*page->familyData()->getTaxpayer()->GetT1());
    QStringList rows;
    ModalScript script;
    script.add(validationMessages(&rows));
    run(page);
    QCOMPARE(script.pending(), 0);
    bool listed = false;
    for (const QString& row : rows)
        listed = listed || row.endsWith(" - " + message);
    QVERIFY2(listed, qPrintable(rows.join("\n")));
    QCOMPARE(m_f->promptTexts(), QStringList());
    QCOMPARE(m_agency->recorder().count(), 0);
    QCOMPARE(historyEvents(), QList<int>());
}

void TestDireradRoad::cancelRecordsNothing()
{
    Form_Return* page = openJean();
    const QByteArray before = readAll(m_path);
    QVERIFY(!before.isEmpty());
    ModalScript script;
    script.add(submissionDialog(nullptr, false));
    m_f->prompter->queueButton(Prompt::No);
    run(page);
    QCOMPARE(script.pending(), 0);
    QCOMPARE(m_agency->recorder().count(), 0);
    QCOMPARE(historyEvents(), QList<int>{1018});
    QCOMPARE(readAll(m_path), before);
    QCOMPARE(page->familyData()->getTaxpayer()->GetT1()->FilingStatus.m_value, 0);
}

void TestDireradRoad::acceptedReturnIsAskedBeforeFilingAgain()
{
    Form_Return* page = openJean();
    {
        ModalScript script;
        sendThrough(script, nullptr, true);
        m_f->prompter->queueButton(Prompt::No);
        run(page);
        QCOMPARE(script.pending(), 0);
    }
    QCOMPARE(fileReturnRequests(), 1);

    // Asked; No stops before anything is sent.
    m_f->prompter->clear();
    m_f->prompter->queueButton(Prompt::No);
    run(page);
    QCOMPARE(fileReturnRequests(), 1);
    QVERIFY2(m_f->promptTexts().value(0).contains("already accepted"), qPrintable(m_f->promptTexts().join("|")));
    const QMap<Prompt::StandardButton, QString> words{{Prompt::Yes, "File it again"}, {Prompt::No, "Don't file"}};
    QCOMPARE(m_f->prompter->records().value(0).buttonTexts, words);

    // Yes, and this time the agency refuses: the acceptance stays.
    m_agency->script().setDefault(AgencyEndpoint::Direrad, AgencyKind::Return, AgencyReply::fixture("rejected.xml"));
    ResultView result;
    ModalScript script;
    sendThrough(script, &result, false);
    m_f->prompter->clear();
    m_f->prompter->queueButton(Prompt::Yes);
    m_f->prompter->queueButton(Prompt::No);
    run(page);
    QCOMPARE(script.pending(), 0);
    QCOMPARE(fileReturnRequests(), 2);
    QVERIFY(result.overview.startsWith("Direrad submission is NOT successful!\nResult code is [300]"));
    QVERIFY(result.details.contains("Your return cannot be accepted for online filing."));
    QCOMPARE(result.bottom, QStringLiteral("Check filing result file"));
    const TaxData_T1New* t1 = page->familyData()->getTaxpayer()->GetT1();
    QCOMPARE(t1->FilingStatus.m_value, 1);
    QCOMPARE(QString(t1->FilingResultText.m_value), QStringLiteral("XK47Q9"));
    QCOMPARE(page->saveReturnFile(false), 0);
    TaxData_T1New* reloaded = reloadedT1();
    QVERIFY(reloaded);
    QCOMPARE(reloaded->FilingStatus.m_value, 1);
    QCOMPARE(QString(reloaded->FilingResultText.m_value), QStringLiteral("XK47Q9"));
}

void TestDireradRoad::notSentAfterTheTerms()
{
    Form_Return* page = openJean();
    m_agency->script().setDefault(AgencyEndpoint::Direrad, AgencyKind::Terms,
                                  AgencyReply::fixture("terms.xml").thenStopListening());
    ResultView result;
    ModalScript script;
    sendThrough(script, &result, false);
    m_f->prompter->queueButton(Prompt::No);
    run(page);
    QCOMPARE(script.pending(), 0);
    QCOMPARE(result.overview, QStringLiteral("DirErad Filing Failed"));
    QCOMPARE(result.details,
             QStringLiteral("Msg: cannot connect to CRA server, check firewall and CRA system status; Code: -20."));
    // What the network said stands under the details.
    QCOMPARE(result.cause, QStringLiteral("connection refused by %1").arg(m_agency->hostAndPort()));
    QCOMPARE(fileReturnRequests(), 0);
    QCOMPARE(page->familyData()->getTaxpayer()->GetT1()->FilingStatus.m_value, 0);
    QCOMPARE(historyEvents(), QList<int>{1018});
}

void TestDireradRoad::outcomeUnknown_data()
{
    QTest::addColumn<bool>("slow");
    QTest::newRow("slow reply") << true;
    QTest::newRow("closed after reading") << false;
}

void TestDireradRoad::outcomeUnknown()
{
    QFETCH(bool, slow);
    Form_Return* page = openJean();
    FilingWebClient::setDefaultTimeoutSec(1);
    m_agency->script().setDefault(AgencyEndpoint::Direrad, AgencyKind::Return,
                                  slow ? AgencyReply::fixture("accepted.xml", 200, 2500)
                                       : AgencyReply::closeAfterRead());
    ResultView result;
    ModalScript script;
    sendThrough(script, &result, false);
    m_f->prompter->queueButton(Prompt::No);
    run(page);
    QCOMPARE(script.pending(), 0);
    QCOMPARE(fileReturnRequests(), 1);
    QVERIFY2(result.details.contains("not known whether CRA received the return"), qPrintable(result.details));
    QVERIFY(result.details.contains("check with CRA"));
    QVERIFY(!result.details.contains("unexpected error"));
    QVERIFY(!result.cause.isEmpty());
    QCOMPARE(page->familyData()->getTaxpayer()->GetT1()->FilingStatus.m_value, 0);
    QVERIFY(page->familyData()->getTaxpayer()->GetT1()->FilingFailureText.m_value.isEmpty());
    QCOMPARE(historyEvents(), QList<int>{1018});
}

void TestDireradRoad::pressesDuringTheReplySendOnce()
{
    Form_Return* page = openJean();
    FilingWebClient::setDefaultTimeoutSec(8);
    m_agency->script().setDefault(AgencyEndpoint::Direrad, AgencyKind::Return,
                                  AgencyReply::fixture("accepted.xml", 200, 5000));
    // Two more presses of OK while the return is on its way: the button is
    // disabled, so they come as the button box's signal.
    QPointer<CDireradResultDlg> dialog;
    int extraPresses = 0;
    QTimer presser;
    connect(&presser, &QTimer::timeout, this, [&] {
        if (!dialog || m_agency->recorder().count() < 2 || extraPresses == 2)
            return;
        QVERIFY(!button(dialog, QDialogButtonBox::Ok)->isEnabled());
        ++extraPresses;
        emit dialog->ui()->buttonBox->clicked(button(dialog, QDialogButtonBox::Ok));
    });
    presser.start(100);
    ModalScript script;
    script.add([&](QWidget* w) {
        dialog = qobject_cast<CDireradResultDlg*>(w);
        return dialog && submissionDialog(nullptr, true)(w);
    });
    script.add(termsDialog(true));
    script.add(resultDialog(nullptr));
    script.add(wizard(nullptr));
    m_f->prompter->queueButton(Prompt::No);
    run(page);
    QCOMPARE(script.pending(), 0);
    QCOMPARE(extraPresses, 2);
    QCOMPARE(fileReturnRequests(), 1);
    QCOMPARE(page->familyData()->getTaxpayer()->GetT1()->FilingStatus.m_value, 1);
}

void TestDireradRoad::testCaseField_data()
{
    QTest::addColumn<bool>("testMode");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("sent"); // empty: no element
    QTest::newRow("12") << true << "12" << "12";
    QTest::newRow("empty") << true << "" << "";
    QTest::newRow("abc") << true << "abc" << "";
    QTest::newRow("outside test mode") << false << "12" << "";
}

void TestDireradRoad::testCaseField()
{
    QFETCH(bool, testMode);
    QFETCH(QString, typed);
    QFETCH(QString, sent);
    AppClock::setFixed(QDateTime(QDate(2025, 3, 1), QTime(10, 0)));
    Form_Return* page = openJean();
    m_f->app->m_config.MODEDEBUG = testMode;
    m_f->app->refreshFeatureSettings();
    SubmissionView view;
    ModalScript script;
    script.add(submissionDialog(&view, true, typed));
    script.add(termsDialog(true));
    script.add(resultDialog(nullptr));
    script.add(wizard(nullptr));
    m_f->prompter->queueButton(Prompt::No);
    run(page);
    QCOMPARE(script.pending(), 0);
    QCOMPARE(view.testCaseVisible, testMode);
    QCOMPARE(fileReturnRequests(), 1);
    const AgencyRequest request = m_agency->recorder().last();
    QCOMPARE(request.hasElement("TestCaseIdentifier"), !sent.isEmpty());
    if (!sent.isEmpty())
        QVERIFY(request.http.body.contains("<comm:TestCaseIdentifier>" + sent.toUtf8() + "</comm:TestCaseIdentifier>"));
}

void TestDireradRoad::onlineMailSignup()
{
    Form_Return* page = openJean(false);
    QString title;
    bool stayedOpen = false;
    {
        // Finish without a choice keeps the wizard; Cancel ends the road.
        ModalScript script;
        script.add(wizard(&title, -1, &stayedOpen));
        run(page);
        QCOMPARE(script.pending(), 0);
    }
    QCOMPARE(title, QStringLiteral("Online Email Promotion"));
    QVERIFY(stayedOpen);
    QVERIFY(m_f->promptTexts().isEmpty());

    ModalScript script;
    script.add(wizard(nullptr, 0));
    run(page);
    QCOMPARE(script.pending(), 0);
    QCOMPARE(m_f->promptTexts(),
             QStringList{"Please enter your email on page 1 of T1, Identification area, then do DirErad again."});
    QCOMPARE(m_agency->recorder().count(), 0);
}

void TestDireradRoad::multiYearAnswerIsSent()
{
    Form_Return* page = openJean();
    ModalScript script;
    sendThrough(script, nullptr, true);
    m_f->prompter->queueButton(Prompt::Yes);
    run(page);
    QCOMPARE(script.pending(), 0);
    QCOMPARE(m_agency->recorder().last().elementText("MultipleTaxYearReturnIndicator"), QStringLiteral("1"));
}

void TestDireradRoad::refileWarningWithoutOtherWarnings()
{
    Form_Return* page = openJean();
    TaxData_T1New* t1 = page->familyData()->getTaxpayer()->GetT1();
    t1->FilingStatus.m_value = 1;
    t1->FilingResultText.m_value = CString("XK47Q9");
    QCOMPARE(page->familyData()->prepareForReFile(), 0);
    QVERIFY(t1->ReFileFlag.m_value != 0);
    m_f->prompter->queueYes(false); // the amended-return warning: stop
    run(page);
    QVERIFY2(m_f->promptTexts().join("|").contains("Please note that this is an Amended Return for Re-File purpose."),
             qPrintable(m_f->promptTexts().join("|")));
    QCOMPARE(m_agency->recorder().count(), 0);
}

void TestDireradRoad::filingSeason_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<bool>("validSin");
    QTest::addColumn<QString>("firstPrompt");
    QTest::newRow("day before") << QDate(2025, 2, 23) << true
                                << "CRA DirErad/EFile for new tax season starts on (2025-02-24). Please try again "
                                   "when this day arrives.\nPlease refer the following URL:";
    QTest::newRow("first day, S.I.N. 09") << QDate(2025, 2, 24) << false << "";
}

void TestDireradRoad::filingSeason()
{
    QFETCH(QDate, today);
    QFETCH(bool, validSin);
    QFETCH(QString, firstPrompt);
    AppClock::setFixed(QDateTime(today, QTime(9, 0)));
    Form_Return* page = openJean();
    m_f->app->m_config.MODEDEBUG = false;
    m_f->app->refreshFeatureSettings();
    if (!validSin)
        page->familyData()->getTaxpayer()->GetT1()->SIN.m_value = CString("090000000");
    run(page);
    const QStringList texts = m_f->promptTexts();
    QCOMPARE(texts.size(), 1);
    if (!firstPrompt.isEmpty())
        QCOMPARE(texts.first(), firstPrompt);
    else
        QVERIFY2(!texts.first().contains("tax season"), qPrintable(texts.first()));
    QCOMPARE(m_agency->recorder().count(), 0);
}

QTEST_APPLESS_MAIN(TestDireradRoad)
#include "tst_direradroad.moc"
