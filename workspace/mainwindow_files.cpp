// Return file commands. Reading, importing, coupling and writing returns
// come with the return model and the open-return page; until then these
// commands check what the window itself can check.
#include "workspace/mainwindow.h"

#include "app/tabwndapp.h"
#include "companion/ui/messages.h"
#include "workspace/returnpageinterface.h"

#include <QDir>
#include <QFile>

void MainWindow::actionNewReturn()
{
    if (!canOpenMoreReturn())
        return;
}

void MainWindow::actionOpenReturn()
{
    if (!canOpenMoreReturn() || !m_pApp)
        return;
    const QString start = !m_pApp->m_strLastOpenPath.IsEmpty() ? QString(m_pApp->m_strLastOpenPath)
                                                                : QString(m_pApp->m_config.RetPath);
    const QString path = chooseOpenFile(this, tr("Open Return File"), start,
                                        tr("*.r24 Return files (*.r24);;All files (*.*)"));
    if (!path.isEmpty())
        openReturnFile(path);
}

void MainWindow::openReturnFile(const QString& path)
{
    // A file already open in a page is shown, not opened a second time: two
    // pages on one file would overwrite each other's changes.
    if (ReturnPageInterface* open = findOpenReturn(path)) {
        showReturnPage(open);
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        TabWndApp::gAppInformation(tr("Open return file failed!"), this);
        return;
    }
}

void MainWindow::on_actionImport_Prior_Year_s_Return_triggered()
{
    if (!canOpenMoreReturn() || !m_pApp)
        return;
    QString start = m_pApp->m_strLastImportPath;
    if (start.isEmpty()) {
        start = m_pApp->m_config.RetPath;
        const QString lastYear = QString(start).replace(QStringLiteral("2024"), QStringLiteral("2023"));
        if (QDir(lastYear).exists())
            start = lastYear;
    }
    const QString path = chooseOpenFile(this, tr("Import Return File"), start,
                                        tr("*.r23 Return files (*.r23);;All files (*.*)"));
    if (!path.isEmpty())
        importReturnFile(path);
}

void MainWindow::importReturnFile(const QString&)
{
}

void MainWindow::on_actionCouple_Returns_2to1_triggered()
{
    if (!canOpenMoreReturn())
        return;
}

void MainWindow::on_actionFind_Return_Files_triggered()
{
    if (m_nOpenReturns >= kMaxOpenReturns) {
        TabWndApp::gAppInformation(tr("Please close a return file to proceed!"), this);
        return;
    }
}

void MainWindow::actionSaveReturn()
{
    preparedReturnPage();
}

void MainWindow::on_actionSave_Return_As_triggered()
{
    preparedReturnPage();
}
