// Save Return and Save Return As: choosing the file, writing the return
// through its page, and what the window shows afterwards.
#include "workspace/mainwindow.h"

#include "app/mywaitcursor.h"
#include "app/tabwndapp.h"
#include "companion/core/messages.h"
#include "model/cfamilytaxdata.h"
#include "model/returnfileloadcode.h"
#include "workspace/form_return.h"

#include <QDir>
#include <QFileInfo>
#include <QStatusBar>

namespace {

const char kReturnSuffix[] = "r24";

bool hasReturnSuffix(const QString& path)
{
    return QFileInfo(path).suffix().compare(QLatin1String(kReturnSuffix), Qt::CaseInsensitive) == 0;
}

} // namespace

void MainWindow::actionSaveReturn()
{
    if (auto* page = dynamic_cast<Form_Return*>(preparedReturnPage()))
        doSaveReturn(page, false);
}

void MainWindow::on_actionSave_Return_As_triggered()
{
    if (auto* page = dynamic_cast<Form_Return*>(preparedReturnPage()))
        doSaveReturn(page, true);
}

bool MainWindow::chooseFileSaveName(CFamilyTaxData* family, QString& path)
{
    path.clear();
    if (!family)
        return false;
    QString folder = m_pApp ? QString(m_pApp->m_config.RetPath) : QString();
    const QString separator = m_pApp && !m_pApp->m_strSeparator.isEmpty() ? m_pApp->m_strSeparator
                                                                          : QString(QDir::separator());
    const QString proposed =
        folder + separator + family->GetReturnFileNameWithoutSuffix() + QLatin1Char('.') + QLatin1String(kReturnSuffix);
    QString chosen = chooseSaveFile(this, tr("Save Return File"), proposed, tr("Return file (*.r24)"));
    if (chosen.isEmpty())
        return false;
    if (!hasReturnSuffix(chosen)) {
        // Without the suffix the file would be hidden from the Open command.
        // The chooser confirmed the name as typed, not this one, so an
        // existing file under it is not replaced without asking.
        chosen += QLatin1Char('.') + QLatin1String(kReturnSuffix);
        if (QFileInfo::exists(chosen) &&
            !TabWndApp::gAppQuestion(tr("%1 already exists.\nDo you want to replace it?").arg(chosen), this))
            return false;
    }
    path = chosen;
    return true;
}

int MainWindow::doSaveReturn(Form_Return* page, bool saveAs)
{
    if (!page || !page->familyData())
        return kSaveCancelled;

    const bool choose = saveAs || !page->hasFileToSave();
    QString previousPath;
    page->getFilepath(previousPath);
    QString chosen;
    if (choose) {
        if (!chooseFileSaveName(page->familyData(), chosen))
            return kSaveCancelled;
        // Two pages on one file would overwrite each other's changes.
        ReturnPageInterface* holder = findOpenReturn(chosen);
        if (holder && holder != static_cast<ReturnPageInterface*>(page)) {
            TabWndApp::gAppInformation(
                tr("%1 is open in %2. Please close it there first, or save under another name.")
                    .arg(chosen, tr("Return %1").arg(holder->returnNumber())),
                this);
            return kSaveCancelled;
        }
        QFileInfo target(chosen);
        page->setFilepath(&target);
    }

    int code = RFL_WRITE_FAILED;
    {
        MyWaitCursor wait;
        // A full recalculation may add or drop automatic forms: the page
        // refreshes its tree and tabs with it.
        page->onSignalCalc(nullptr, nullptr);
        CString written;
        code = page->saveReturnFile(written, true);
    }

    if (code == RFL_SUCCESS) {
        if (choose && m_pApp)
            m_pApp->m_strLastOpenPath = QFileInfo(chosen).canonicalPath();
        statusBar()->showMessage(tr("File saved"));
    } else {
        // The page has already said why. It stays on the file it had, so a
        // later Save does not go to a file that was never written.
        if (choose) {
            if (previousPath.isEmpty()) {
                page->setFilepath(nullptr);
            } else {
                QFileInfo previous(previousPath);
                page->setFilepath(&previous);
            }
        }
        statusBar()->showMessage(tr("File save failed"));
    }
    syncWndTitleAndStatus();
    return code;
}
