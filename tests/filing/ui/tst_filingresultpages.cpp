// The filing result dialog, the submission dialog's texts, the after-filing
// page and the online-mail sign-up page, each on its own.
#include <QtTest>

#include "companion/ui/wizardbase.h"
#include "filing/ui/DlgFilingResult.h"
#include "filing/ui/direradresultdlg.h"
#include "filing/ui/ppgafterdirerad.h"
#include "filing/ui/ppgsignupemail.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QUrl>

namespace {

QString artefacts()
{
    const QString folder = QDir(QCoreApplication::applicationDirPath()).absoluteFilePath("../artefacts");
    QDir().mkpath(folder);
    return folder;
}

QString hrefOf(const QString& anchor)
{
    const QRegularExpressionMatch m = QRegularExpression("href=\"([^\"]*)\"").match(anchor);
    return m.captured(1);
}

} // namespace

class TestFilingResultPages : public QObject
{
    Q_OBJECT
private slots:
    void resultLinkIsTheLocalFile();
    void plainDetailsKeepTheirLines();
    void htmlDetailsAreShownAsHtml();
    void causeStandsUnderTheDetails();
    void afterFilingLines_data();
    void afterFilingLines();
    void signupNeedsAChoice();
};

void TestFilingResultPages::resultLinkIsTheLocalFile()
{
    DlgFilingResult dlg("Direrad Filing Result", nullptr);
    const QString path = "/home/jean/Documents/vodarevivo/2024/run/netfilelog.txt";
    dlg.setMsg("Direrad is submitted successfully.", "Your return has been received.\r\n", "Check filing log file",
               path);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Direrad Filing Result"));
    QCOMPARE(dlg.ui()->lblLink->text().contains(">" + path + "</a>"), true);
    const QString href = hrefOf(dlg.ui()->lblLink->text());
    QVERIFY2(!href.contains("////"), qPrintable(href));
    QCOMPARE(QUrl(href).toLocalFile(), path);
    QCOMPARE(dlg.ui()->lblBottom->text(), QStringLiteral("Check filing log file"));
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QVERIFY(dlg.grab().save(artefacts() + "/dlgfilingresult.png"));
}

void TestFilingResultPages::plainDetailsKeepTheirLines()
{
    DlgFilingResult dlg("Direrad Filing Result", nullptr);
    dlg.setMsg("overview", "a\r\nb <b>c</b>", "bottom", "/tmp/x.txt");
    QCOMPARE(dlg.ui()->pteDetails->toPlainText(), QStringLiteral("a\nb <b>c</b>"));
    // Text shown as text: no markup from the message reached the overview either.
    dlg.setMsg("<i>overview</i>", "", "", "/tmp/x.txt");
    QCOMPARE(dlg.ui()->lblOverview->textFormat(), Qt::PlainText);
}

void TestFilingResultPages::htmlDetailsAreShownAsHtml()
{
    DlgFilingResult dlg("Direrad Filing Result", nullptr);
    dlg.setMsg("overview", "Refused.<br/><br/><a href='https://a/b'>Help</a><br/>", "bottom", "/tmp/x.txt", true);
    QCOMPARE(dlg.ui()->pteDetails->toPlainText(), QStringLiteral("Refused.\n\nHelp\n"));
    QVERIFY(dlg.ui()->pteDetails->toHtml().contains("href=\"https://a/b\""));
}

// A filing that was not answered shows what failed in its own words, as
// text, in a paragraph under the details; an answered one shows none.
void TestFilingResultPages::causeStandsUnderTheDetails()
{
    DlgFilingResult dlg("Direrad Filing Result", nullptr);
    dlg.setMsg("DirErad Filing Failed",
               "Msg: cannot connect to CRA server, check firewall and CRA system status; Code: -20.",
               "Check filing result file", "/tmp/netfileresult.txt");
    dlg.setCause("connection refused by <b>127.0.0.1:8443</b>");
    QCOMPARE(dlg.ui()->lblCause->text(), QStringLiteral("connection refused by <b>127.0.0.1:8443</b>"));
    QCOMPARE(dlg.ui()->lblCause->textFormat(), Qt::PlainText);
    QCOMPARE(dlg.ui()->pteDetails->toPlainText(),
             QStringLiteral("Msg: cannot connect to CRA server, check firewall and CRA system status; Code: -20."));
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QVERIFY(dlg.ui()->lblCause->isVisible());
    QVERIFY(dlg.ui()->lblCause->geometry().top() >= dlg.ui()->pteDetails->geometry().bottom());
    QVERIFY(dlg.grab().save(artefacts() + "/dlgfilingresult-cause.png"));
    dlg.setCause(QString());
    QVERIFY(!dlg.ui()->lblCause->isVisible());
}

void TestFilingResultPages::afterFilingLines_data()
{
    QTest::addColumn<bool>("email");
    QTest::addColumn<double>("balance");
    QTest::addColumn<bool>("offered");
    QTest::addColumn<QStringList>("links"); // the visible link texts, in order
    QTest::newRow("0.01 without e-mail") << false << 0.01 << false << QStringList();
    QTest::newRow("-0.01 without e-mail") << false << -0.01 << false << QStringList();
    QTest::newRow("0.02 without e-mail") << false << 0.02 << true << QStringList{"Pay Now", "Arrange to pay"};
    QTest::newRow("-0.02 without e-mail") << false << -0.02 << true << QStringList{"Direct Deposit"};
    QTest::newRow("refund of 100") << false << -100.0 << true << QStringList{"Direct Deposit"};
    QTest::newRow("owing 50 with e-mail") << true << 50.0 << true
                                          << QStringList{"My Account", "Pay Now", "Arrange to pay"};
    QTest::newRow("0 with e-mail") << true << 0.0 << true << QStringList{"My Account"};
}

void TestFilingResultPages::afterFilingLines()
{
    QFETCH(bool, email);
    QFETCH(double, balance);
    QFETCH(bool, offered);
    QFETCH(QStringList, links);

    // The page is offered only when it has something to say.
    bool shown = false;
    QTimer::singleShot(0, [&] {
        if (auto* wizard = qobject_cast<QWizard*>(QApplication::activeModalWidget())) {
            shown = wizard->windowTitle() == QLatin1String("CRA Online Service");
            wizard->reject();
        }
    });
    runAfterDireradPage(email, balance, nullptr);
    QCOMPARE(shown, offered);
    if (!offered)
        return;

    WizardBase wizard(nullptr, "CRA Online Service");
    auto* page = new PpgAfterDirerad_tab1(email, balance, &wizard);
    wizard.addPage(page);
    wizard.initUI(770, 540);
    wizard.show();
    QVERIFY(QTest::qWaitForWindowExposed(&wizard));
    QStringList visible;
    for (const char* name : {"line1_myaccount", "line2_DirDeposit", "line3_PayNow", "line3_Pay"}) {
        auto* label = page->findChild<QLabel*>(name);
        if (!label->isVisible())
            continue;
        QCOMPARE(label->textFormat(), Qt::RichText);
        QVERIFY(hrefOf(label->text()).startsWith("https://www.canada.ca/en/revenue-agency/"));
        QTextDocument doc;
        doc.setHtml(label->text());
        visible << doc.toPlainText();
    }
    QCOMPARE(visible, links);
    if (links.size() == 3)
        QVERIFY(wizard.grab().save(artefacts() + "/ppgafterdirerad.png"));
    QVERIFY(page->validatePage());
}

void TestFilingResultPages::signupNeedsAChoice()
{
    DataPpgSignupEmail record;
    WizardBase wizard(nullptr, "Online Email Promotion");
    auto* page = new PpgSignupEmail_tab1(&record, &wizard);
    wizard.addPage(page);
    wizard.initUI(670, 540);
    wizard.show();
    QVERIFY(QTest::qWaitForWindowExposed(&wizard));
    QCOMPARE(record.fld_signup.m_value, -1);
    QVERIFY(!page->validatePage());
    page->findChild<QRadioButton*>("fld_signup_1")->click();
    QVERIFY(page->validatePage());
    QCOMPARE(record.fld_signup.m_value, 1);
    page->findChild<QRadioButton*>("fld_signup_0")->click();
    QVERIFY(page->validatePage());
    QCOMPARE(record.fld_signup.m_value, 0);
    QVERIFY(wizard.grab().save(artefacts() + "/ppgsignupemail.png"));
}

QTEST_MAIN(TestFilingResultPages)
#include "tst_filingresultpages.moc"
