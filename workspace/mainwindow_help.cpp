// Commands that need no open return: preferences, agency data, help and
// support. Their dialogs come with the dialog, agency-data and print
// subsystems; the window keeps the commands and what it does around them.
// Until a command's dialog is there, it says so rather than doing nothing.
#include "workspace/mainwindow.h"
#include "workspace/form_return.h"

#include "agencydata/agencydataservice.h"
#include "app/tabwndapp.h"
#include "workspace/featurenotavailable.h"
#include "workspace/preferencedlg.h"

namespace {

// The window's agency-data commands work on no particular page yet: their
// boxes go over the window.
FeatureContext agencyDataContext(QWidget* window)
{
    FeatureContext context;
    context.edition = TabWndApp::s_appPurpose;
    context.dialogParent = window;
    return context;
}

} // namespace

void MainWindow::on_actionPreference_triggered()
{
    PreferenceDlg dialog(this);
    dialog.exec();
}

void MainWindow::on_actionAuto_Fill_AFR_triggered()
{
    syncWndTitleAndStatus();
    AgencyDataService(agencyDataContext(this)).autoFill();
}

void MainWindow::on_actionExpress_NOA_triggered()
{
    AgencyDataService(agencyDataContext(this)).expressNoa();
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

void MainWindow::on_actionAbout_Brannock_triggered()
{
    tellFeatureNotAvailable(this, tr("About this program"));
}

void MainWindow::on_actionUpdate_voDarevivo_triggered()
{
    tellFeatureNotAvailable(this, tr("Help on updating this program"));
}
