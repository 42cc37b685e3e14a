// Return file commands: new and opened returns go into a page of their own.
// Importing and coupling are in mainwindow_combine.cpp, saving in
// mainwindow_save.cpp.
#include "workspace/mainwindow.h"

#include "app/mywaitcursor.h"
#include "app/tabwndapp.h"
#include "companion/core/messages.h"
#include "companion/core/regularfile.h"
#include "companion/core/savecopies.h"
#include "dialogs/datanewreturnbasic.h"
#include "dialogs/dlgfindfiles.h"
#include "dialogs/newreturnwizard.h"
#include "model/cfamilytaxdata.h"
#include "model/returnfileloadcode.h"
#include "workspace/form_return.h"
#include "workspace/returnpageinterface.h"
#include "workspace/ui_mainwindow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStackedWidget>
#include <QStatusBar>

#include <memory>

namespace {

void discard(CFamilyTaxData* family)
{
    if (family) {
        family->FreeData();
        delete family;
    }
}

} // namespace

void MainWindow::_presentAReturn(QFileInfo* file, CFamilyTaxData* data)
{
    if (!data)
        return;
    auto* page = new Form_Return(file, data, this, ui->stackedWidget, nextReturnNumber(), m_iFontSize);
    presentReturnPage(page);
}

void MainWindow::actionNewReturn()
{
    if (!canOpenMoreReturn())
        return;
    startNewReturn(this, [this](const DataNewReturnBasic& record) {
        MyWaitCursor wait;
        auto* family = new CFamilyTaxData(MULTIPROVS_MODE_RESIDENCE);
        family->NewData(&record);
        family->Calculate(-1, nullptr);
        _presentAReturn(nullptr, family);
        return true;
    });
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
    QFile file;
    if (!openRegularFileForReading(file, path)) {
        TabWndApp::gAppInformation(tr("Open return file failed!"), this);
        return;
    }
    file.close();
    // Copies left by a save of this return that was killed hold all its data.
    removeLeftoverSaveCopies(path);

    int code = 99;
    CFamilyTaxData* family = nullptr;
    {
        MyWaitCursor wait;
        family = CFamilyTaxData::serializeFromFile(path, code);
    }
    if (!family || code != RFL_SUCCESS) {
        discard(family);
        const QString text = returnFileLoadMessage(code == RFL_SUCCESS ? int(RFL_FILE_NOT_OPENED) : code);
        TabWndApp::gAppInformation(text, this);
        return;
    }

    QFileInfo info(path);
    if (m_pApp)
        m_pApp->m_strLastOpenPath = info.canonicalPath();
    {
        MyWaitCursor wait;
        family->Calculate(-1, nullptr);
        _presentAReturn(&info, family);
    }
    statusBar()->showMessage(tr("File read successfully"));
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

void MainWindow::on_actionFind_Return_Files_triggered()
{
    if (m_nOpenReturns >= kMaxOpenReturns) {
        TabWndApp::gAppInformation(tr("Please close a return file to proceed!"), this);
        return;
    }
    CString listPath;
    if (m_pApp)
        m_pApp->getTDDLogFilePath(listPath, 2);
    FoundFileOpener opener;
    opener.openReturnFile = [this](const QString& path) { openReturnFile(path); };
    opener.importReturnFile = [this](const QString& path) { importReturnFile(path); };
    opener.edition = TabWndApp::s_appPurpose;
    DlgFindFiles dialog(tr("Find Return Files"), QString(listPath), opener, this);
    dialog.exec();
}
