// Commands that need no open return: preferences, agency data, help and
// support. The window keeps the commands and what it does around them.
// Until a command's dialog is there, it says so rather than doing nothing.
#include "workspace/mainwindow.h"
#include "workspace/form_return.h"

#include "app/tabwndapp.h"
#include "workspace/featurenotavailable.h"
#include "workspace/preferencedlg.h"

void MainWindow::on_actionPreference_triggered()
{
    PreferenceDlg dialog(this);
    dialog.exec();
}

void MainWindow::on_actionAuto_Fill_AFR_triggered()
{
    _doTDDorAFR(true);
    syncWndTitleAndStatus();
}

void MainWindow::on_actionExpress_NOA_triggered()
{
    _doTDDorAFR(false);
}

void MainWindow::actionGeneratePrintFiles()
{
    const bool testFile = TabWndApp::gAppQuestion(tr("Creat test data file?"), this);
    Form_Return::OnCreateJavaXML(testFile);
}

void MainWindow::on_actionFind_Returns_Not_Filed_Online_triggered()
{
    tellFeatureNotAvailable(this, tr("The report of returns not filed online"));
}

void MainWindow::on_actionAdd_T5008_slip_triggered()
{
    tellFeatureNotAvailable(this, tr("Help on T5008 slips"));
}

void MainWindow::on_actionFind_Industry_Code_triggered()
{
    tellFeatureNotAvailable(this, tr("Help on industry codes"));
}

void MainWindow::on_actionDirect_deposit_form_triggered()
{
    tellFeatureNotAvailable(this, tr("The direct deposit form link"));
}

void MainWindow::onSendReturnFile()
{
    if (preparedReturnPage())
        tellFeatureNotAvailable(this, tr("Sending a return file"));
}

void MainWindow::on_actionAbout_Brannock_triggered()
{
    tellFeatureNotAvailable(this, tr("About this program"));
}

void MainWindow::on_actionUpdate_voDarevivo_triggered()
{
    tellFeatureNotAvailable(this, tr("Help on updating this program"));
}
