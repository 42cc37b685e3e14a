// Whole agency-data sessions started from the main window's "Auto-Fill (AFR)"
// and "Express NOA" commands, as the user goes through them: the stored
// records dialog, New/Update, the terms, the S.I.N., the session against the
// fake agency data service with the fake browser coming back to the callback
// port, the notices rendered by the fake rendering service, the records
// stored in the application's database, then View (and Finish) on the row.
#include <QtTest>

#include "agencydata/ui/dlgtddentersin.h"
#include "agencydata/ui/dlgtddmain.h"
#include "agencydata/ui/tdddataentry.h"
#include "common/callbackport.h"
#include "common/modalsteps.h"
#include "companion/core/digest.h"
#include "companion/core/qwebclient.h"
#include "companion/ui/styledwidgets.h"
#include "companion/ui/urlopener.h"
#include "fakes/agencydataserver.h"
#include "fakes/fakebrowser.h"
#include "fakes/noarenderfake.h"
#include "fakes/testcerts.h"
#include "filing/ui/DlgFilingTerm.h"
#include "workspace/returnpagefixture.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTableView>
#include <QTcpServer>
#include <QWizard>

#include <memory>

using Reply = FakeAgencyDataServer::Reply;
using modalsteps::whenModal;

namespace {

const char* const kTestKey = "Zc2WmQ7vRx4LpN9kTb6HsJ3dYf8GuA5e";
const char* const kLoginPath = "/ebci/awsc/tdd/certtest/auth/start";
const QString kOurs = QStringLiteral("046454286");
const QString kNoRecord =
    QStringLiteral("No record is found at the CRA system for the S.I.N. entered and the tax year 2024.");

// The agency names a taxpayer by the SHA-256 of the nine digits.
QByteArray identifierOf(const QString& sin)
{
    return QByteArray::fromStdString(SHA256()(sin.toStdString()));
}

QByteArray autoFillItem(const QString& sin)
{
    return "<IndividualIncomeTaxDataItem><IndividualTaxpayerIdentifier>" + identifierOf(sin)
           + "</IndividualTaxpayerIdentifier><Slips><T4Slip><SlipTaxYear>2024</SlipTaxYear>"
             "<EmployerName>ACME</EmployerName><Amount boxNumber=\"14\">41000.00</Amount></T4Slip></Slips>"
             "</IndividualIncomeTaxDataItem>";
}

// Without a notice the agency's English summary is empty as well: the item
// carries no message at all.
QByteArray noticeItem(const QString& sin, bool withNotice)
{
    return "<NoticeOfAssessmentItem><IndividualTaxpayerIdentifier>" + identifierOf(sin)
           + "</IndividualTaxpayerIdentifier><AssessmentSummaryText xml:lang=\"en\">"
           + (withNotice ? "Assessed" : "") + "</AssessmentSummaryText>"
           + (withNotice ? QByteArray("<T1Notice><MaskedAccountNumber>XXXXX4286</MaskedAccountNumber>"
                                      "<NetIncome>41000.00</NetIncome></T1Notice>")
                         : QByteArray())
           + "</NoticeOfAssessmentItem>";
}

// The program's URL opener: the agency's login link goes to the fake
// browser, a local page is recorded as the viewer would get it.
class RoutingOpener : public UrlOpener
{
public:
    explicit RoutingOpener(FakeBrowser* browser) : m_browser(browser), m_previous(UrlOpener::install(this)) {}
    ~RoutingOpener() override { UrlOpener::install(m_previous); }
    bool openUrl(const QUrl& url) override
    {
        if (url.isLocalFile()) {
            pages << url;
            return true;
        }
        return m_browser->open(url);
    }
    QList<QUrl> pages;

private:
    FakeBrowser* m_browser;
    UrlOpener* m_previous;
};

// The program with a return of our taxpayer presented, then the fakes,
// which need the application, and the program pointed at them as the test
// mode's configuration keys point it. kind: 1 Auto-fill, 2 Express NOA.
struct AgencyWindow
{
    explicit AgencyWindow(short kind) : window("DireradSoftwareCode=095\n"), port(callbackPort())
    {
        agency = std::make_unique<FakeAgencyDataServer>();
        started = agency->start() && render.start() && QWebClient::addTrustedCaFile(TestCerts::caPem());
        browser = std::make_unique<FakeBrowser>(agency.get(), kTestKey, QString::fromLatin1(kLoginPath), port, kind);
        opener = std::make_unique<RoutingOpener>(browser.get());
        CT1AppConfig& config = window.app->m_config;
        config.TDDServiceHostOverride = agency->hostAndPort();
        config.TDDLoginHostOverride = agency->hostAndPort();
        config.TDDCallbackPort = QString::number(port);
        config.NOARenderHost = render.hostAndPort();
        config.finalize();
        window.app->refreshFeatureSettings();
        NewReturnBasicData record = returnpage::singleRecord();
        record.sin = kOurs;
        page = returnpage::present(window, returnpage::newFamily(record));
    }
    ~AgencyWindow()
    {
        opener.reset();
        browser.reset();
        agency.reset();
        QWebClient::clearTrustedCaFiles();
    }

    QStringList shown() const { return window.promptTexts(); }

    WindowFixture window;
    quint16 port;
    std::unique_ptr<FakeAgencyDataServer> agency;
    NoaRenderFake render;
    bool started = false;
    std::unique_ptr<FakeBrowser> browser;
    std::unique_ptr<RoutingOpener> opener;
    Form_Return* page = nullptr;
};

// The terms accepted, and the S.I.N. typed, when their dialogs show.
void agreeAndEnter(const QString& sin)
{
    whenModal<DlgFilingTerm>([](DlgFilingTerm* terms) {
        terms->ui()->fld_bAgree->setChecked(true);
        terms->ui()->buttonBox->button(QDialogButtonBox::Ok)->click();
    });
    whenModal<DlgTDDEnterSin>([sin](DlgTDDEnterSin* entry) {
        entry->edit(0)->setText(sin);
        entry->accept();
    });
}

QStringList rowsOf(const DlgTDDMain* dialog)
{
    QStringList rows;
    const QAbstractItemModel* model = dialog->tableView()->model();
    for (int row = 0; row < model->rowCount(); ++row)
        rows << model->index(row, 0).data().toString() + " " + model->index(row, 2).data().toString();
    return rows;
}

void selectSin(DlgTDDMain* dialog, const QString& sin)
{
    QTableView* table = dialog->tableView();
    for (int row = 0; row < table->model()->rowCount(); ++row)
        if (table->model()->index(row, 0).data().toString() == sin)
            table->selectRow(row);
}

// Goes to the wizard's last page and presses Finish.
void finishWizard(QString* finishText = nullptr, int* pages = nullptr)
{
    whenModal<QWizard>([finishText, pages](QWizard* wizard) {
        if (pages)
            *pages = wizard->pageIds().size();
        while (wizard->currentId() != wizard->pageIds().last())
            wizard->next();
        if (finishText)
            *finishText = wizard->buttonText(QWizard::FinishButton);
        wizard->accept();
    });
}

int autoFilledSlips(Form_Return* page)
{
    int n = 0;
    for (const STRUCT_SLIPDATA_ITEM_2004* item : page->familyData()->getTaxpayer()->m_slipList)
        n += item->data->isAutoFilled() ? 1 : 0;
    return n;
}

} // namespace

class TestTddWindow : public QObject
{
    Q_OBJECT
private slots:
    // Auto-fill from the window: one not-ready poll, then the data; the row
    // is stored and listed; View and Finish fill the return; a second apply
    // asks first and leaves one set of slips.
    void autoFillSessionFillsTheReturn()
    {
        AgencyWindow w(1);
        QVERIFY(w.started);
        QVERIFY(w.page);
        w.agency->setReadyItems(autoFillItem(kOurs), QByteArray());
        w.agency->enqueueStage(Reply::StageAccepted);
        w.agency->enqueueData(Reply::NotReady);
        w.agency->enqueueData(Reply::Ready);
        const QString statusBefore = returnpage::statusText(w.window);

        QStringList rowsBefore, rowsAfter;
        QString finishText;
        int pages = 0;
        QStringList shownAfterSession, slipRowsAfterFirst;
        int slipsAfterFirst = -1;
        whenModal<DlgTDDMain>([&](DlgTDDMain* dialog) {
            rowsBefore = rowsOf(dialog);
            agreeAndEnter("046 454 286");
            dialog->on_btnNew_clicked();
            rowsAfter = rowsOf(dialog);
            shownAfterSession = w.shown();

            selectSin(dialog, kOurs);
            finishWizard(&finishText, &pages);
            dialog->on_btnView_clicked();
            slipsAfterFirst = autoFilledSlips(w.page);
            slipRowsAfterFirst = returnpage::rowLabels(w.page->folderView()->slipsItem());

            w.window.prompter->clear();
            w.window.prompter->queueYes(true); // replace the earlier Auto-Fill
            finishWizard();
            dialog->on_btnView_clicked();
            dialog->accept();
        });
        modalsteps::closeModalLater(60000);
        w.window.action("actionAuto_Fill_AFR")->trigger();

        QCOMPARE(rowsBefore, QStringList());
        QCOMPARE(rowsAfter, QStringList{kOurs + " 2024"});
        QCOMPARE(shownAfterSession, QStringList());
        QCOMPARE(w.browser->linkProblems(), QStringList());
        int dataRequests = 0;
        for (const auto& request : w.agency->requests())
            dataRequests += request.stage ? 0 : 1;
        QCOMPARE(dataRequests, 2); // the not-ready poll, then the data

        QCOMPARE(pages, 3);
        QCOMPARE(finishText, QString("Auto-Fill Return"));
        QCOMPARE(slipsAfterFirst, 1);
        QVERIFY2(slipRowsAfterFirst.size() == 1 && slipRowsAfterFirst.first().endsWith(" by Auto-Fill"),
                 qPrintable(slipRowsAfterFirst.join(" | ")));
        QCOMPARE(w.page->familyData()->getTaxpayer()->GetT1()->line15000TotalIncome.m_value, 41000.0);
        const QString statusAfter = returnpage::statusText(w.window);
        QVERIFY2(statusAfter != statusBefore && statusAfter.contains("41,000.00"), qPrintable(statusAfter));

        // The second apply asked before replacing, and left one set.
        QVERIFY2(w.window.prompter->records().size() >= 1
                     && w.window.prompter->records().first().texts.join(' ').contains("already holds tax data"),
                 qPrintable(w.shown().join(" | ")));
        QCOMPARE(autoFilledSlips(w.page), 1);
        QCOMPARE(int(w.page->familyData()->getTaxpayer()->m_slipList.size()), 1);
        QCOMPARE(w.page->familyData()->getTaxpayer()->GetT1()->line15000TotalIncome.m_value, 41000.0);
    }

    // A session whose reply holds nothing for the S.I.N. asked: the user is
    // told so, and the table stays as it was.
    void sessionStoringNothingSaysSo()
    {
        AgencyWindow w(1);
        QVERIFY(w.started);
        w.agency->setReadyItems(autoFillItem("130692544"), QByteArray()); // another taxpayer's
        w.agency->enqueueStage(Reply::StageAccepted);
        w.agency->enqueueData(Reply::Ready);

        QStringList rowsBefore, rowsAfter;
        whenModal<DlgTDDMain>([&](DlgTDDMain* dialog) {
            rowsBefore = rowsOf(dialog);
            agreeAndEnter(kOurs);
            dialog->on_btnNew_clicked();
            rowsAfter = rowsOf(dialog);
            dialog->accept();
        });
        modalsteps::closeModalLater(60000);
        w.window.action("actionAuto_Fill_AFR")->trigger();

        QCOMPARE(w.shown(), QStringList{kNoRecord});
        QCOMPARE(rowsAfter, rowsBefore);
        QCOMPARE(w.browser->linkProblems(), QStringList());
        QCOMPARE(autoFilledSlips(w.page), 0);
    }

    // Express NOA with a notice: its rendered page is stored, and View hands
    // the page to the viewer as a local file.
    void noticeSessionStoresAPageViewOpens()
    {
        AgencyWindow w(2);
        QVERIFY(w.started);
        w.agency->setReadyItems(QByteArray(), noticeItem(kOurs, true));
        w.agency->enqueueStage(Reply::StageAccepted);
        w.agency->enqueueData(Reply::Ready);

        QStringList rowsAfter;
        whenModal<DlgTDDMain>([&](DlgTDDMain* dialog) {
            agreeAndEnter(kOurs);
            dialog->on_btnNew_clicked();
            rowsAfter = rowsOf(dialog);
            selectSin(dialog, kOurs);
            dialog->on_btnView_clicked();
            dialog->accept();
        });
        modalsteps::closeModalLater(60000);
        w.window.action("actionExpress_NOA")->trigger();

        QCOMPARE(rowsAfter.size(), 1);
        QVERIFY(rowsAfter.first().startsWith(kOurs + " "));
        QCOMPARE(w.render.posts().size(), 1);
        QCOMPARE(w.opener->pages.size(), 1);
        const QString page = w.opener->pages.first().toLocalFile();
        QVERIFY2(QFileInfo(page).isFile(), qPrintable(page));
        QFile file(page);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), NoaRenderFake::defaultPage());
        QVERIFY2(!w.shown().join(' ').contains(kNoRecord), qPrintable(w.shown().join(" | ")));
    }

    // Express NOA without a notice: the session ends with the agency's word
    // that there is no message for the taxpayer, and View shows it again.
    void noticeSessionWithoutNoticeSaysSo()
    {
        AgencyWindow w(2);
        QVERIFY(w.started);
        w.agency->setReadyItems(QByteArray(), noticeItem(kOurs, false));
        w.agency->enqueueStage(Reply::StageAccepted);
        w.agency->enqueueData(Reply::Ready);

        QStringList shownAfterSession;
        whenModal<DlgTDDMain>([&](DlgTDDMain* dialog) {
            agreeAndEnter(kOurs);
            dialog->on_btnNew_clicked();
            shownAfterSession = w.shown();
            selectSin(dialog, kOurs);
            dialog->on_btnView_clicked();
            dialog->accept();
        });
        modalsteps::closeModalLater(60000);
        w.window.action("actionExpress_NOA")->trigger();

        const QString message = QStringLiteral("For tax payer (S.I.N. 046454286), no message presents.");
        QCOMPARE(shownAfterSession, QStringList{message});
        // The stored message keeps only the S.I.N.'s last four digits.
        QCOMPARE(w.shown(),
                 QStringList({message, QStringLiteral("For tax payer (S.I.N. xxxxx4286), no message presents.")}));
        QVERIFY(w.opener->pages.isEmpty());
        QCOMPARE(w.render.posts().size(), 0);
    }
};

QTEST_APPLESS_MAIN(TestTddWindow)
#include "tst_tddwindow.moc"
