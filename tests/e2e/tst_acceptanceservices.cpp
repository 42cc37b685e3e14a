// The agency's services on the real window, one family from start to end:
// Auto-fill for both spouses against the fake agency data service, one
// record applied to the open return and recalculated; the return filed by
// DirErad against the fake agency, its status and confirmation kept through
// a save and a reopen; then a T1135 added and filed on its own road. Every
// step looks at what the window shows, and keeps a picture of it in
// build/artefacts/acceptance-services.
#include <QtTest>

#include "acceptancefamily.h"
#include "common/callbackport.h"

#include "agencydata/ui/dlgtddentersin.h"
#include "agencydata/ui/dlgtddmain.h"
#include "common/modalscript.h"
#include "companion/core/digest.h"
#include "companion/core/qwebclient.h"
#include "companion/forms/federal/mirroring.h"
#include "companion/ui/urlopener.h"
#include "fakes/agency/fakeagencyserver.h"
#include "fakes/agencydataserver.h"
#include "fakes/fakebrowser.h"
#include "fakes/testcerts.h"
#include "filing/filingwebclient.h"
#include "filing/ui/DlgFilingResult.h"
#include "filing/ui/DlgFilingTerm.h"
#include "filing/ui/cformfilingdlg.h"
#include "filing/ui/direradresultdlg.h"
#include "model/individualtaxdata.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTableView>
#include <QTcpServer>
#include <QTextBrowser>
#include <QWizard>

#include <memory>

using namespace acceptance;
using Reply = FakeAgencyDataServer::Reply;

namespace {

const QString kLoginPath = QStringLiteral("/ebci/awsc/tdd/certtest/auth/start");

// The agency names a taxpayer by the SHA-256 of the nine digits.
QByteArray identifierOf(const QString& sin)
{
    return QByteArray::fromStdString(SHA256()(sin.toStdString()));
}

// A taxpayer's record as the agency sends it: the RRSP deduction limit and one T4.
QByteArray t4Item(const QString& sin, const QByteArray& rrspLimit, const QByteArray& employer,
                  const QByteArray& income, const QByteArray& cpp, const QByteArray& ei,
                  const QByteArray& taxDeducted)
{
    return "<IndividualIncomeTaxDataItem><IndividualTaxpayerIdentifier>" + identifierOf(sin)
           + "</IndividualTaxpayerIdentifier><Summary><RegisteredRetirementSavingsPlan updateDate=\"2025-02-20\">"
             "<DeductionLimitAmount>"
           + rrspLimit
           + "</DeductionLimitAmount><UnusedContributionAmount>0.00</UnusedContributionAmount>"
             "</RegisteredRetirementSavingsPlan></Summary><Slips><T4Slip><SlipTaxYear>2024</SlipTaxYear>"
             "<EmployerName>"
           + employer + "</EmployerName><Amount boxNumber=\"10\">ON</Amount><Amount boxNumber=\"14\">" + income
           + "</Amount><Amount boxNumber=\"16\">" + cpp + "</Amount><Amount boxNumber=\"18\">" + ei
           + "</Amount><Amount boxNumber=\"22\">" + taxDeducted
           + "</Amount></T4Slip></Slips></IndividualIncomeTaxDataItem>";
}

// The program's URL opener: the agency's login link goes to the fake
// browser, which comes back to the program's callback port.
class BrowserOpener : public UrlOpener
{
public:
    explicit BrowserOpener(FakeBrowser* browser) : m_browser(browser), m_previous(UrlOpener::install(this)) {}
    ~BrowserOpener() override { UrlOpener::install(m_previous); }
    bool openUrl(const QUrl& url) override { return url.isLocalFile() || m_browser->open(url); }

private:
    FakeBrowser* m_browser;
    UrlOpener* m_previous;
};

QStringList rowsOf(const DlgTDDMain* dialog)
{
    QStringList rows;
    const QAbstractItemModel* model = dialog->tableView()->model();
    for (int row = 0; row < model->rowCount(); ++row)
        rows << model->index(row, 0).data().toString() + " " + model->index(row, 2).data().toString();
    return rows;
}

QPushButton* buttonNamed(QWidget* w, const char* name)
{
    return w->findChild<QPushButton*>(QString::fromLatin1(name));
}

QPushButton* boxButton(QWidget* w, QDialogButtonBox::StandardButton which)
{
    auto* box = w->findChild<QDialogButtonBox*>("buttonBox");
    return box ? box->button(which) : nullptr;
}

// The agency's terms, read, pictured and agreed to.
ModalScript::Step agreeToTerms(const QString& picture, QString* shownTerms)
{
    return [=](QWidget* w) {
        auto* dlg = qobject_cast<DlgFilingTerm*>(w);
        if (!dlg)
            return false;
        if (auto* text = dlg->findChild<QTextBrowser*>())
            *shownTerms = text->toPlainText();
        keepPicture(dlg, picture);
        dlg->ui()->fld_bAgree->setChecked(true);
        dlg->ui()->buttonBox->button(QDialogButtonBox::Ok)->click();
        return true;
    };
}

// What the result dialog of a filing showed.
struct ResultView
{
    QString title, overview, details;
};

ModalScript::Step readResult(const QString& picture, ResultView* view)
{
    return [=](QWidget* w) {
        auto* dlg = qobject_cast<DlgFilingResult*>(w);
        if (!dlg)
            return false;
        view->title = dlg->windowTitle();
        view->overview = dlg->ui()->lblOverview->text();
        view->details = dlg->ui()->pteDetails->toPlainText();
        keepPicture(dlg, picture);
        dlg->ui()->buttonBox->button(QDialogButtonBox::Ok)->click();
        return true;
    };
}

// Shows the tab that holds the field's editor and scrolls to it, as a
// person does to read it.
bool bringForward(Form_Return* page, const QString& field)
{
    QWidget* editor = editorOf(page, field);
    if (!editor)
        return false;
    bringToFront(page, editor);
    QApplication::processEvents();
    for (QWidget* up = editor->parentWidget(); up; up = up->parentWidget())
        if (auto* scroll = qobject_cast<QScrollArea*>(up)) {
            scroll->ensureWidgetVisible(editor);
            break;
        }
    QApplication::processEvents();
    return editor->isVisible();
}

} // namespace

class TestAcceptanceServices : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();

    void autoFillForBothSpousesFillsTheReturn();
    void direradFilingKeptAfterReopen();
    void t1135FiledOnItsOwnRoad();

private:
    std::unique_ptr<WindowFixture> m_f;
    std::unique_ptr<FakeAgencyDataServer> m_dataService;
    std::unique_ptr<FakeBrowser> m_browser;
    std::unique_ptr<BrowserOpener> m_opener;
    std::unique_ptr<FakeAgencyServer> m_agency;
    Form_Return* m_page = nullptr;
    QString m_path;
};

void TestAcceptanceServices::initTestCase()
{
    QVERIFY2(AgencyCerts::available(), "certificates missing: run through ctest (fixture agency_certs)");
    // The certification-test software code both of the agency's fakes know.
    m_f = std::make_unique<WindowFixture>("DireradSoftwareCode=095\nDireradSoftwareDate=2024-12-13\n");
    QVERIFY(m_f->ready);

    const quint16 callbackPort = ::callbackPort();
    m_dataService = std::make_unique<FakeAgencyDataServer>();
    QVERIFY(m_dataService->start());
    QVERIFY(QWebClient::addTrustedCaFile(TestCerts::caPem()));
    m_browser = std::make_unique<FakeBrowser>(m_dataService.get(), QString::fromLatin1(FakeAgencyDataServer::kTestKey),
                                              kLoginPath, callbackPort, 1);
    m_opener = std::make_unique<BrowserOpener>(m_browser.get());
    m_agency = std::make_unique<FakeAgencyServer>();
    QVERIFY2(m_agency->start(), qPrintable(m_agency->errorString()));
    QVERIFY(QWebClient::addTrustedCaFile(AgencyCerts::caPem()));
    FilingWebClient::setDefaultTimeoutSec(5);
    m_agency->script().setDefault(AgencyEndpoint::Direrad, AgencyKind::Terms, AgencyReply::fixture("terms.xml"));
    m_agency->script().setDefault(AgencyEndpoint::Direrad, AgencyKind::Return, AgencyReply::fixture("accepted.xml"));
    m_agency->script().setDefault(AgencyEndpoint::T1135, AgencyKind::Any, AgencyReply::fixture("t1135-accepted.xml"));

    // The test mode's keys that point the program at the fakes.
    CT1AppConfig& config = m_f->app->m_config;
    config.TDDServiceHostOverride = m_dataService->hostAndPort();
    config.TDDLoginHostOverride = m_dataService->hostAndPort();
    config.TDDCallbackPort = QString::number(callbackPort);
    config.DIRERADSERVER = m_agency->hostAndPort();
    config.finalize();
    m_f->app->refreshFeatureSettings();

    QString why;
    m_page = presentLeeFamily(*m_f, why);
    QVERIFY2(m_page, qPrintable(why));
    m_path = m_f->home.path() + "/Ann_Lee.r24";
    QVERIFY2(saveAs(*m_f, m_page, m_path), qPrintable(m_f->promptTexts().join(" | ")));
    QVERIFY(keepPicture(m_f->window, "4-0-family"));
}

void TestAcceptanceServices::cleanupTestCase()
{
    m_opener.reset();
    m_browser.reset();
    m_dataService.reset();
    m_agency.reset();
    m_f.reset();
    QWebClient::clearTrustedCaFiles();
    FilingWebClient::setDefaultTimeoutSec(FilingWebClient::DefaultTimeoutSec);
}

// Ann's and Bob's records come from one session; Ann's is applied to the
// open return. Worked by hand from the slip (2024 rates: canada.ca "CPP
// contribution rates, maximums and exemptions" and "EI premium rates", the
// 2024 T1 and Form ON428, Ontario's "Ontario Tax Reduction"):
// - total income = box 14 = 52,000.00; box 16 = (52,000 - 3,500) x 5.95 %
//   = 2,885.75, of which the first additional part, 1 % of 48,500 = 485.00,
//   is deducted on line 22215: net and taxable income 51,515.00. Box 16 and
//   box 18 (52,000 x 1.66 % = 863.20) are what is owed: no overpayment.
// - federal: 15 % x 51,515 = 7,727.25; credits (15,705 basic + 15,705 spouse,
//   Bob having no income, + 2,400.75 base CPP + 863.20 EI + 1,433 Canada
//   employment) = 36,106.95 x 15 % = 5,416.04; net federal tax 2,311.21.
// - Ontario: 51,446 x 5.05 % = 2,598.02 + 69 x 9.15 % = 6.31 -> 2,604.33;
//   credits (12,399 + 10,528 spouse + 2,400.75 + 863.20) = 26,190.95 x
//   5.05 % = 1,322.64 -> 1,281.69; no surtax; the tax reduction (Ann has the
//   higher income; one child under 19): 2 x (286 + 529) - 1,281.69 = 348.31
//   -> 933.38; health premium at 51,515: 450 + 25 % of 3,515, at most 600 ->
//   600; LIFT: 875 less 5 % of (51,515 - 32,500) = 950.75 -> 0. Ontario tax
//   1,533.38.
// - payable 2,311.21 + 1,533.38 = 3,844.59; deducted 7,400.00: refund 3,555.41.
void TestAcceptanceServices::autoFillForBothSpousesFillsTheReturn()
{
    QVERIFY(m_page);
    QVERIFY(switchTo(m_page, CFamilyTaxData::kTaxpayer));
    m_dataService->setReadyItems(
        t4Item(kAnnSin, "9360.00", "Maple Works Inc.", "52000.00", "2885.75", "863.20", "7400.00")
            + t4Item(kBobSin, "10980.00", "Lakeshore Transit", "61000.00", "3421.25", "1012.60", "9300.00"),
        QByteArray());
    m_dataService->enqueueStage(Reply::StageAccepted);
    m_dataService->enqueueData(Reply::Ready);
    const QString statusBefore = statusText(*m_f);
    QVERIFY2(statusBefore.startsWith("[Total Income]=0.00"), qPrintable(statusBefore));
    m_f->prompter->clear();

    QStringList rowsBefore, rowsAfter, sinsAsked;
    QString terms, finishText;
    QStringList wizardPages;
    ModalScript script;
    script.add([&](QWidget* w) {
        auto* dialog = qobject_cast<DlgTDDMain*>(w);
        if (!dialog)
            return false;
        rowsBefore = rowsOf(dialog);
        buttonNamed(dialog, "btnNew")->click();
        rowsAfter = rowsOf(dialog);
        keepPicture(dialog, "4-2-stored-records");
        // Ann's row, then View: the wizard that applies it.
        QTableView* table = dialog->tableView();
        for (int row = 0; row < table->model()->rowCount(); ++row)
            if (table->model()->index(row, 0).data().toString() == kAnnSin)
                table->selectRow(row);
        buttonNamed(dialog, "btnView")->click();
        dialog->accept();
        return true;
    });
    script.add(agreeToTerms("4-1-autofill-terms", &terms));
    script.add([&](QWidget* w) {
        auto* entry = qobject_cast<DlgTDDEnterSin*>(w);
        if (!entry)
            return false;
        QTest::keyClicks(entry->edit(0), "046 454 286");
        QTest::keyClicks(entry->edit(1), "130 692 544");
        sinsAsked << entry->edit(0)->text() << entry->edit(1)->text();
        keepPicture(entry, "4-1-autofill-sins");
        boxButton(entry, QDialogButtonBox::Ok)->click();
        return true;
    });
    script.add([&](QWidget* w) {
        auto* wizard = qobject_cast<QWizard*>(w);
        if (!wizard)
            return false;
        int n = 0;
        while (true) {
            wizardPages << wizard->currentPage()->title();
            keepPicture(wizard, QStringLiteral("4-3-apply-page%1").arg(++n));
            if (wizard->currentId() == wizard->pageIds().last())
                break;
            wizard->next();
        }
        finishText = wizard->buttonText(QWizard::FinishButton);
        wizard->button(QWizard::FinishButton)->click();
        return true;
    });
    {
        const ModalGuard guard(90000);
        m_f->action("actionAuto_Fill_AFR")->trigger();
    }

    QCOMPARE(script.pending(), 0);
    QCOMPARE(m_f->promptTexts(), QStringList());
    QVERIFY2(!terms.trimmed().isEmpty(), "the terms were not shown");
    QCOMPARE(rowsBefore, QStringList());
    // The session asked for both S.I.N.s at once; both records are stored.
    int stages = 0;
    for (const FakeAgencyDataServer::Request& request : m_dataService->requests()) {
        QVERIFY2(request.refusal.isEmpty(), qPrintable(request.refusal));
        if (request.stage) {
            ++stages;
            QVERIFY(request.http.body.contains(kAnnSin.toUtf8()));
            QVERIFY(request.http.body.contains(kBobSin.toUtf8()));
        }
    }
    QCOMPARE(stages, 1);
    QCOMPARE(m_browser->linkProblems(), QStringList());
    rowsAfter.sort();
    QCOMPARE(rowsAfter, (QStringList{kAnnSin + " 2024", kBobSin + " 2024"}));
    QCOMPARE(finishText, QString("Auto-Fill Return"));

    // Ann's slip is in her tree, marked as Auto-Fill's, with the agency's figures.
    const QStringList slips = slipRows(m_page);
    QVERIFY2(slips.size() == 1 && slips.first().endsWith(" by Auto-Fill"), qPrintable(slips.join(" | ")));
    // The pane is narrower than the row: the mark is read in the row's tool tip.
    TreeItem* slipRow = rowOf(m_page->folderView(), FROM_SLIP, kSlipT4);
    QVERIFY(slipRow);
    QCOMPARE(slipRow->toolTip(0), slips.first());
    QVERIFY(select(m_page, slipRow));
    QCOMPARE(shownText(m_page, "EmployerName"), QString("Maple Works Inc."));
    QVERIFY(keepPicture(m_f->window, "4-4-autofilled-slip"));
    TaxData_T1New* t1 = m_page->familyData()->getTaxpayer()->GetT1();
    QCOMPARE(t1->line10100EmploymentIncome.m_value, 52000.0);
    QCOMPARE(t1->line43700TaxDeducted.m_value, 7400.0);
    // Bob's record is stored, not applied.
    QVERIFY(m_page->familyData()->getSpouse()->m_slipList.empty());

    // Recalculated: the status bar says what the slip says.
    const QString status = statusText(*m_f);
    QCOMPARE(status,
             QString("[Total Income]=52,000.00 [Net Income]=51,515.00 [Taxable Income]=51,515.00 [Refund]=3,555.41"));
    QVERIFY(m_page->isChanged());
    QVERIFY(showForm(m_page, FORM_T1));
    QVERIFY(bringForward(m_page, "line43700TaxDeducted"));
    QVERIFY(keepPicture(m_f->window, "4-5-recalculated-t1"));
}

void TestAcceptanceServices::direradFilingKeptAfterReopen()
{
    QVERIFY(m_page);
    QVERIFY(switchTo(m_page, CFamilyTaxData::kTaxpayer));
    // The return filed is the one Auto-fill completed.
    QVERIFY2(slipRows(m_page).size() == 1, "the Auto-fill step did not fill the return");
    QVERIFY(saveAs(*m_f, m_page, m_path));
    m_f->prompter->clear();

    QString signupTitle, submissionTitle, forWhom, terms, afterTitle;
    ResultView result;
    ModalScript script;
    // The online-mail offer: Ann has signed up already.
    script.add([&](QWidget* w) {
        auto* wizard = qobject_cast<QWizard*>(w);
        if (!wizard)
            return false;
        signupTitle = wizard->windowTitle();
        keepPicture(wizard, "5-0-online-mail");
        wizard->findChild<QRadioButton*>("fld_signup_1")->click();
        wizard->button(QWizard::FinishButton)->click();
        return true;
    });
    script.add([&](QWidget* w) {
        auto* dlg = qobject_cast<CDireradResultDlg*>(w);
        if (!dlg)
            return false;
        submissionTitle = dlg->windowTitle();
        forWhom = dlg->ui()->lblMsg1->text();
        keepPicture(dlg, "5-1-direrad-submission");
        boxButton(dlg, QDialogButtonBox::Ok)->click();
        return true;
    });
    script.add(agreeToTerms("5-2-direrad-terms", &terms));
    script.add(readResult("5-3-direrad-result", &result));
    script.add([&](QWidget* w) {
        auto* wizard = qobject_cast<QWizard*>(w);
        if (!wizard)
            return false;
        afterTitle = wizard->windowTitle();
        keepPicture(wizard, "5-4-after-filing");
        wizard->reject();
        return true;
    });
    m_f->prompter->queueButton(Prompt::No); // this year's return only
    // The confirmations before a filing, each read and accepted: residency,
    // no access code, Bob without income, the RC210 and FHSA reminders, and
    // no HBP or LLP repayment (the RRSP schedule came with the agency's
    // record). Nothing about the child care benefit that ended in 2016.
    for (int i = 0; i < 6; ++i)
        m_f->prompter->queueYes(true);
    {
        const ModalGuard guard(60000);
        m_f->action("actionInternetFiling")->trigger();
    }

    QVERIFY2(script.pending() == 0, qPrintable(m_f->promptTexts().join(" | ")));
    const QStringList asked = m_f->promptTexts();
    QCOMPARE(asked.size(), 7);
    QVERIFY2(asked[0].contains("Click 'No' button if you only file this year's return."), qPrintable(asked[0]));
    QVERIFY2(asked[1].startsWith("Please confirm tax residency of the tax payer."), qPrintable(asked[1]));
    QVERIFY2(asked[3].startsWith("Please confirm that there is no income reported from your spouse"),
             qPrintable(asked[3]));
    QVERIFY2(asked[6].startsWith("Please confirm that there is no requirement for HBP or LLP repayment."),
             qPrintable(asked[6]));
    QVERIFY2(!asked.join(' ').contains("Universal Child Care"), qPrintable(asked.join(" | ")));
    QCOMPARE(m_f->prompter->pendingAnswers(), 0);
    QVERIFY(!m_f->prompter->hadUnexpectedAnswer());
    QCOMPARE(signupTitle, QString("Online Email Promotion"));
    QCOMPARE(submissionTitle, QString("DirErad Tax Return to CRA"));
    QCOMPARE(forWhom, QString("This T1 DirErad filing is only for Ann Lee"));
    QVERIFY2(!terms.trimmed().isEmpty(), "the terms were not shown");
    QCOMPARE(result.title, QString("Direrad Filing Result"));
    QVERIFY2(result.overview.startsWith("Direrad is submitted successfully. The confirmation code is [XK47Q9]."),
             qPrintable(result.overview));
    QCOMPARE(afterTitle, QString("CRA Online Service"));
    QCOMPARE(m_agency->recorder().count(AgencyEndpoint::Direrad, AgencyKind::Return), 1);
    const AgencyRequest sent = m_agency->recorder().last();
    // The S.I.N. typed with blanks in the wizard goes as its nine digits.
    QVERIFY(sent.http.body.contains("<tp:TaxpayerSocialInsuranceNumber>046454286</tp:TaxpayerSocialInsuranceNumber>"));

    // Saved, closed and opened again: the T1 shows the filing.
    QVERIFY(saveAs(*m_f, m_page, m_path));
    m_page = closeAndReopen(*m_f, m_path);
    QVERIFY2(m_page, qPrintable(m_f->promptTexts().join(" | ")));
    QVERIFY(switchTo(m_page, CFamilyTaxData::kTaxpayer));
    QVERIFY(showForm(m_page, FORM_T1));
    QVERIFY(bringForward(m_page, "FilingResultText"));
    QCOMPARE(shownValue(m_page, "FilingStatus"), QString("Filed"));
    QCOMPARE(shownText(m_page, "FilingResultText"), QString("XK47Q9"));
    QVERIFY(keepPicture(m_f->window, "5-5-reopened-filed"));
    // The rest of the return came back with it.
    QCOMPARE(slipRows(m_page).size(), 1);
    QVERIFY2(statusText(*m_f).startsWith("[Total Income]=52,000.00 [Net Income]=51,515.00"),
             qPrintable(statusText(*m_f)));
}

// Ann's T1135, added from "Add a Tax Form ..." and filled on its page, goes
// through the form filing dialog; the statement keeps the confirmation.
void TestAcceptanceServices::t1135FiledOnItsOwnRoad()
{
    QVERIFY(m_page);
    QVERIFY(switchTo(m_page, CFamilyTaxData::kTaxpayer));
    m_f->prompter->clear();
    {
        const ModalGuard guard(20000);
        addFormFromList(m_f->action("actionAdd_a_Tax_Form"), "T1135", FORM_T1135);
    }
    // The new form has its row in the tree; the user opens it from there.
    QVERIFY(showForm(m_page, FORM_T1135));
    QCOMPARE(m_page->shownType(), int(FORM_T1135));
    QVERIFY(typeInto(m_page, "GivenName", "Ann"));
    QVERIFY(typeInto(m_page, "LastName", "Lee"));
    QVERIFY(typeInto(m_page, "SIN", "046 454 286"));
    QVERIFY(typeInto(m_page, "Address", "100 Queen St W"));
    QVERIFY(typeInto(m_page, "City", "Toronto"));
    QVERIFY(typeInto(m_page, "Province", "ON"));
    QVERIFY(typeInto(m_page, "PostalCode", "M5H 2N2"));
    QVERIFY(setDate(m_page, "PeriodStart", QDate(2024, 1, 1)));
    QVERIFY(setDate(m_page, "PeriodEnd", QDate(2024, 12, 31)));
    QVERIFY(typeInto(m_page, "FundsHeldAbroad", "150000"));
    QVERIFY(keepPicture(m_f->window, "5-7-t1135-page"));
    QVERIFY(saveAs(*m_f, m_page, m_path));

    QString heading, forWhom, terms;
    ResultView result;
    ModalScript script;
    script.add([&](QWidget* w) {
        auto* dlg = qobject_cast<CFormFilingDlg*>(w);
        if (!dlg)
            return false;
        heading = dlg->ui()->lbl1->text();
        forWhom = dlg->ui()->lbl2->text();
        keepPicture(dlg, "5-8-t1135-filing");
        boxButton(dlg, QDialogButtonBox::Ok)->click();
        return true;
    });
    script.add(agreeToTerms("5-9-t1135-terms", &terms));
    script.add(readResult("5-10-t1135-result", &result));
    m_f->prompter->clear();
    m_f->prompter->queueCancel();
    {
        const ModalGuard guard(60000);
        m_f->action("actionFile_T1135_Online")->trigger();
    }

    QCOMPARE(script.pending(), 0);
    // Test mode asks for a certification case; none is run here.
    QCOMPARE(m_f->promptTexts(), QStringList{"Enter testcase ID:"});
    QCOMPARE(m_f->prompter->pendingAnswers(), 0);
    QCOMPARE(forWhom.trimmed(), QString("This filing is for <b>Ann Lee (046454286)</b>"));
    QCOMPARE(m_agency->recorder().count(AgencyEndpoint::T1135), 1);
    QVERIFY2(m_agency->recorder().last().http.body.contains("150000"), "the statement's amount was not sent");
    auto* t1135 = qobject_cast<TaxData_T1135New*>(m_page->familyData()->getTaxpayer()->GetFormData(FORM_T1135, false));
    QVERIFY(t1135);
    QCOMPARE(t1135->FilingStatus.m_value, 1);
    // The result tells the acceptance and the agency's words; the
    // confirmation number is kept in the statement.
    QVERIFY2(result.overview.startsWith("T1135 is submitted successfully. Time: "), qPrintable(result.overview));
    QCOMPARE(result.details.trimmed(), QString("Your T1135 statement has been received."));
    QCOMPARE(QString(t1135->Confirmation.m_value), QString("T1135-778"));

    // Kept through a save and a reopen, and shown on the statement's page.
    const QString confirmation = t1135->Confirmation.m_value;
    QVERIFY(saveAs(*m_f, m_page, m_path));
    m_page = closeAndReopen(*m_f, m_path);
    QVERIFY(m_page);
    QVERIFY(showForm(m_page, FORM_T1135));
    QVERIFY(bringForward(m_page, "Confirmation"));
    QCOMPARE(shownValue(m_page, "FilingStatus"), QString("Filed"));
    QCOMPARE(shownText(m_page, "Confirmation"), confirmation);
    QVERIFY(keepPicture(m_f->window, "5-11-t1135-reopened"));
}

QTEST_APPLESS_MAIN(TestAcceptanceServices)
#include "tst_acceptanceservices.moc"
