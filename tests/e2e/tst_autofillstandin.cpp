// Auto-fill as the README has a new user try it: the agency-data stand-in
// started as a program with "fake_agencydata --home HOME", which writes the
// home's configuration; the program started on that home; a return for the
// S.I.N. 046 454 286; Start > Auto-Fill (AFR), New/Update, the terms, the
// S.I.N.; the login link opened in a browser whose "Sign in" hands the
// session back; the record's row viewed and applied. The browser here is a
// plain HTTPS client that fetches the login page as a browser navigates to
// it and follows its "Sign in" link. Pictures in build/artefacts/autofill-standin.
#include <QtTest>

#include "acceptancefamily.h"

#include "agencydata/ui/dlgtddentersin.h"
#include "agencydata/ui/dlgtddmain.h"
#include "common/modalscript.h"
#include "companion/ui/urlopener.h"
#include "filing/ui/DlgFilingTerm.h"
#include "model/individualtaxdata.h"

#include <QDialogButtonBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QTableView>
#include <QWizard>

#include <memory>

using namespace acceptance;

namespace {

const QString kStandInPictures = QStringLiteral("autofill-standin");

// The stand-in, run as the README says; stopped with the test.
class StandIn
{
public:
    bool start(const QString& home)
    {
        m_process.setProgram(QStringLiteral(VR_FAKE_AGENCYDATA));
        m_process.setArguments({"--home", home});
        m_process.start();
        if (!m_process.waitForStarted(10000))
            return false;
        // "port N", then "callback-port N" once it listens.
        while (!m_output.contains("callback-port ")) {
            if (!m_process.waitForReadyRead(10000))
                return false;
            m_output += m_process.readAllStandardOutput();
        }
        return true;
    }
    QString output() const { return QString::fromUtf8(m_output) + QString::fromUtf8(m_process.readAllStandardError()); }
    ~StandIn()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(5000);
    }

private:
    mutable QProcess m_process;
    QByteArray m_output;
};

// The user's browser: it loads the login link as a top-level navigation,
// finds the page's "Sign in" link and follows it, redirects and all, back to
// the program's callback port. It trusts the test CA, as a browser the
// stand-in's README tells the user about would once told to.
class LinkBrowser : public UrlOpener
{
public:
    explicit LinkBrowser(const QString& caFile) : m_previous(UrlOpener::install(this))
    {
        m_ssl = QSslConfiguration::defaultConfiguration();
        m_ssl.setCaCertificates(QSslCertificate::fromPath(caFile));
    }
    ~LinkBrowser() override { UrlOpener::install(m_previous); }

    bool openUrl(const QUrl& url) override
    {
        if (url.isLocalFile())
            return true;
        m_visited << url.toString();
        navigate(url, [this](QNetworkReply* page) {
            const QString html = QString::fromUtf8(page->readAll());
            m_loginPage = html;
            const QRegularExpressionMatch link =
                QRegularExpression(QStringLiteral("<a id=\"signIn\" href=\"([^\"]+)\"")).match(html);
            if (!link.hasMatch()) {
                m_problems << QStringLiteral("no Sign in link on %1").arg(page->url().toString());
                return;
            }
            const QUrl signIn = page->url().resolved(QUrl(link.captured(1).replace(QLatin1String("&amp;"), "&")));
            m_visited << signIn.toString();
            navigate(signIn, [this](QNetworkReply* done) { m_signedIn = done->readAll(); });
        });
        return true;
    }

    QStringList visited() const { return m_visited; }
    QStringList problems() const { return m_problems; }
    QString loginPage() const { return m_loginPage; }

private:
    void navigate(const QUrl& url, std::function<void(QNetworkReply*)> then)
    {
        QNetworkRequest request(url);
        request.setSslConfiguration(m_ssl);
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
        // What a browser sends when the user follows a link to a page.
        request.setRawHeader("Sec-Fetch-Mode", "navigate");
        request.setRawHeader("Sec-Fetch-Dest", "document");
        request.setRawHeader("Sec-Fetch-User", "?1");
        request.setRawHeader("Sec-Fetch-Site", "none");
        QNetworkReply* reply = m_network.get(request);
        QObject::connect(reply, &QNetworkReply::finished, reply, [this, reply, then] {
            if (reply->error() != QNetworkReply::NoError)
                m_problems << QStringLiteral("%1: %2").arg(reply->url().toString(), reply->errorString());
            else
                then(reply);
            reply->deleteLater();
        });
    }

    QNetworkAccessManager m_network;
    QSslConfiguration m_ssl;
    UrlOpener* m_previous;
    QStringList m_visited, m_problems;
    QString m_loginPage;
    QByteArray m_signedIn;
};

QString configValue(const QString& home, const QString& key)
{
    QFile file(home + "/Documents/vodarevivo/2024/run/gr_path.ini");
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n'))
        if (line.section('=', 0, 0) == key)
            return line.section('=', 1);
    return QString();
}

} // namespace

class TestAutoFillStandIn : public QObject
{
    Q_OBJECT
private slots:
    void autoFillFromTheStandIn();
};

void TestAutoFillStandIn::autoFillFromTheStandIn()
{
    StandIn standIn;
    bool started = false;
    QString home;
    WindowFixture f(QByteArray(), 0, {}, [&](const QString& path) {
        home = path;
        started = standIn.start(path);
    });
    QVERIFY2(started, qPrintable(standIn.output()));
    QVERIFY(f.ready);
    // The program reads what the stand-in wrote: the data hosts, the
    // callback port and the test CA, in test mode.
    const QString caFile = configValue(home, "TestCAFile");
    QVERIFY2(QFileInfo::exists(caFile), qPrintable(caFile));
    QCOMPARE(QString(f.app->m_config.TDDCallbackPort), configValue(home, "TDDCallbackPort"));
    LinkBrowser browser(caFile);
    f.window->resize(1200, 820);

    // A return of the S.I.N. the stand-in has a record for.
    NewReturnBasicData record = returnpage::singleRecord();
    record.sin = CString(kAnnSin);
    Form_Return* page = returnpage::present(f, returnpage::newFamily(record));
    QVERIFY(page);
    QVERIFY(page->familyData()->getTaxpayer()->m_slipList.empty());

    QStringList rows;
    QString finishText;
    ModalScript script;
    script.add([&](QWidget* w) {
        auto* dialog = qobject_cast<DlgTDDMain*>(w);
        if (!dialog)
            return false;
        dialog->findChild<QPushButton*>("btnNew")->click();
        QTableView* table = dialog->tableView();
        for (int row = 0; row < table->model()->rowCount(); ++row) {
            rows << table->model()->index(row, 0).data().toString();
            if (table->model()->index(row, 0).data().toString() == kAnnSin)
                table->selectRow(row);
        }
        usersteps::keepPicture(dialog, kStandInPictures, "1-stored-record");
        dialog->findChild<QPushButton*>("btnView")->click();
        dialog->accept();
        return true;
    });
    script.add([](QWidget* w) {
        auto* terms = qobject_cast<DlgFilingTerm*>(w);
        if (!terms)
            return false;
        terms->ui()->fld_bAgree->setChecked(true);
        terms->ui()->buttonBox->button(QDialogButtonBox::Ok)->click();
        return true;
    });
    script.add([](QWidget* w) {
        auto* entry = qobject_cast<DlgTDDEnterSin*>(w);
        if (!entry)
            return false;
        QTest::keyClicks(entry->edit(0), "046 454 286");
        entry->findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Ok)->click();
        return true;
    });
    script.add([&](QWidget* w) {
        auto* wizard = qobject_cast<QWizard*>(w);
        if (!wizard)
            return false;
        while (wizard->currentId() != wizard->pageIds().last())
            wizard->next();
        usersteps::keepPicture(wizard, kStandInPictures, "2-apply");
        finishText = wizard->buttonText(QWizard::FinishButton);
        wizard->button(QWizard::FinishButton)->click();
        return true;
    });
    {
        const ModalGuard guard(90000);
        f.action("actionAuto_Fill_AFR")->trigger();
    }

    QCOMPARE(script.pending(), 0);
    QVERIFY2(browser.problems().isEmpty(), qPrintable(browser.problems().join(" | ")));
    QVERIFY2(browser.loginPage().contains("Sign in"), qPrintable(browser.loginPage()));
    QCOMPARE(browser.visited().size(), 2);
    QCOMPARE(f.promptTexts(), QStringList());
    QCOMPARE(rows, QStringList{kAnnSin});
    QCOMPARE(finishText, QString("Auto-Fill Return"));
    // The stand-in's record is applied: the T4 from Maple Works Inc.
    IndividualTaxData* person = page->familyData()->getTaxpayer();
    QCOMPARE(person->m_slipList.size(), size_t(1));
    QVERIFY(select(page, rowOf(page->folderView(), FROM_SLIP, kSlipT4)));
    QCOMPARE(shownText(page, "EmployerName"), QString("Maple Works Inc."));
    QCOMPARE(shownText(page, "box14EmploymentIncome"), QString("52000.00"));
    QCOMPARE(person->GetT1()->line10100EmploymentIncome.m_value, 52000.0);
    QVERIFY(usersteps::keepPicture(f.window, kStandInPictures, "3-applied-slip"));
}

QTEST_APPLESS_MAIN(TestAutoFillStandIn)
#include "tst_autofillstandin.moc"
