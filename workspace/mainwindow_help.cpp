// Commands that need no open return: preferences, agency data, help and
// support. The window keeps the commands and what it does around them.
#include "workspace/mainwindow.h"
#include "workspace/form_return.h"

#include "app/mywaitcursor.h"
#include "app/tabwndapp.h"
#include "companion/core/appclock.h"
#include "companion/core/messages.h"
#include "companion/ui/dlgmsgwithlink.h"
#include "companion/ui/urlopener.h"
#include "workspace/notfiledreport.h"
#include "workspace/preferencedlg.h"

#include <QCoreApplication>
#include <QSaveFile>
#include <QUrl>

namespace {

QString editionTitle()
{
    return gMsgTitle(TabWndApp::s_appPurpose);
}

// The release date as the About box writes it, from its digits.
QString releaseDateText()
{
    const QString digits = QStringLiteral("20241213");
    return digits.left(4) + QLatin1Char('-') + digits.mid(4, 2) + QLatin1Char('-') + digits.mid(6, 2);
}

} // namespace

void MainWindow::on_actionPreference_triggered()
{
    PreferenceDlg dialog(this);
    dialog.exec();
}

void MainWindow::actionGeneratePrintFiles()
{
    const bool testFile = TabWndApp::gAppQuestion(tr("Creat test data file?"), this);
    Form_Return::OnCreateJavaXML(testFile);
}

void MainWindow::on_actionFind_Returns_Not_Filed_Online_triggered()
{
    const QString runFolder = m_pApp ? QString(m_pApp->m_strRunPath) : QString();
    const QString path = notFiledReportPath(runFolder, AppClock::now());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        TabWndApp::gAppInformation(tr("cannot create report file ") + path, nullptr);
        return;
    }
    NotFiledReport report;
    {
        MyWaitCursor wait;
        // Every recorded file, whatever the start page's filter shows; the
        // window keeps painting between files.
        report = scanReturnsNotFiled(m_pApp ? m_pApp->allReturnFilePaths() : QStringList(), [] {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
    }
    file.write(report.text.toUtf8());
    if (!file.commit()) {
        TabWndApp::gAppInformation(tr("cannot create report file ") + path, nullptr);
        return;
    }
    UrlOpener::open(QUrl::fromLocalFile(path));
}

void MainWindow::on_actionAdd_T5008_slip_triggered()
{
    DlgMsgWithLink::showMessage(
        this, tr("T5008 Tax Slip Information"), tr("T5008 tax slip is NOT used directly in tax return."),
        tr("Capital gain is calculated from Schedule 3, you need to enter T5008 data into schedule 3.\nRead the "
           "following FAQ link:"),
        QStringLiteral("https://%1/faq/index.php?action=artikel&cat=8&id=48&artlang=en&highlight=t5008")
            .arg(m_pApp ? m_pApp->m_config.voDarevivoWebServer : QString()));
}

void MainWindow::on_actionFind_Industry_Code_triggered()
{
    DlgMsgWithLink::showMessage(this, tr("Find Industry Code"), tr("Industry code is a 6-digit code."),
                                tr("Find a industry code from the following web link:"),
                                QStringLiteral("https://www.statcan.gc.ca/en/subjects/standard/naics/2022/v1/index"));
}

void MainWindow::on_actionDirect_deposit_form_triggered()
{
    DlgMsgWithLink::showMessage(this, tr("Direct Deposit Form"), tr("Canada direct deposit enrolment form"),
                                tr("Please print a direct deposit from the following web link:"),
                                QStringLiteral("https://www.canada.ca/en/revenue-agency/services/forms-publications/"
                                               "forms/1-ef.html"));
}

void MainWindow::on_actionAbout_Brannock_triggered()
{
    DlgMsgWithLink::showMessage(this, tr("About ") + editionTitle(),
                                tr("This software is released on %1.\n").arg(releaseDateText()), QString(),
                                QString());
}

void MainWindow::on_actionUpdate_voDarevivo_triggered()
{
    const bool direrad = (TabWndApp::s_appPurpose & 2) != 0;
    DlgMsgWithLink::showMessage(
        this, tr("Update ") + editionTitle(),
        tr("Today's anti-virus software favours software update by re-install. To update, install this program "
           "again: a new installation keeps your existing return files."),
        tr("You can download %1 from the following link").arg(editionTitle()),
        QStringLiteral("https://%1%2")
            .arg(m_pApp ? m_pApp->m_config.voDarevivoWebServer : QString(),
                 direrad ? QStringLiteral("/download24-in.html") : QStringLiteral("/download24-do.html")));
}
