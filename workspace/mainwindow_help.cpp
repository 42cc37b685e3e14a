// Commands that need no open return: preferences, agency data, help and
// support. Their dialogs come with the dialog, agency-data and print
// subsystems; the window keeps the commands and what it does around them.
#include "workspace/mainwindow.h"

#include "app/tabwndapp.h"

void MainWindow::on_actionPreference_triggered()
{
}

void MainWindow::on_actionAuto_Fill_AFR_triggered()
{
    syncWndTitleAndStatus();
}

void MainWindow::on_actionExpress_NOA_triggered()
{
}

void MainWindow::actionGeneratePrintFiles()
{
    TabWndApp::gAppQuestion(tr("Creat test data file?"), this);
}

void MainWindow::on_actionFind_Returns_Not_Filed_Online_triggered()
{
}

void MainWindow::on_actionAdd_T5008_slip_triggered()
{
}

void MainWindow::on_actionFind_Industry_Code_triggered()
{
}

void MainWindow::on_actionDirect_deposit_form_triggered()
{
}

void MainWindow::onSendReturnFile()
{
    preparedReturnPage();
}

void MainWindow::on_actionAbout_Brannock_triggered()
{
}

void MainWindow::on_actionUpdate_voDarevivo_triggered()
{
}
