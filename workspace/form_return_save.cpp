// Saving the open return to its file, the recent-return row and closing.
#include "workspace/form_return.h"

#include "app/BasicEvent.h"
#include "app/mywaitcursor.h"
#include "app/tabwndapp.h"
#include "companion/core/sincheck.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "model/cfamilytaxdata.h"
#include "model/individualtaxdata.h"
#include "model/returnfileloadcode.h"
#include "workspace/folderview.h"
#include "workspace/returnbackup.h"
#include "workspace/ui_form_return.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>

int Form_Return::saveReturnFile(bool backup)
{
    CString path;
    return saveReturnFile(path, backup);
}

int Form_Return::saveReturnFile(CString& path, bool backup)
{
    if (!m_pFamilyData)
        return RFL_WRITE_FAILED;
    MyWaitCursor wait;
    int kind = 0, type = 0, id = 0;
    ui->treeFolderView->getSelectedData(kind, type, id);
    m_pFamilyData->settings().setCurrentForm(sideOf(m_pFamilyData->getCurIndv()), kind, id);

    QString target;
    getFilepath(target);
    path = target;
    if (target.isEmpty())
        return RFL_WRITE_FAILED;

    const TabWndApp* app = TabWndApp::getMainApp();
    if (backup && app && app->m_config.SaveBackup != 0 && QFileInfo::exists(target))
        backUpReturnFile(target);

    QString error;
    const int code = m_pFamilyData->saveToFile(path, TabWndApp::s_appPurpose, &error);
    if (code == RFL_SUCCESS) {
        // A full copy: after a save that follows added or removed items the
        // return counts as unchanged again.
        *m_pFamilyDataCopy = *m_pFamilyData;
        _updateLogEntry();
    } else {
        TabWndApp::gAppInformation(tr("The return could not be saved to %1.\n%2").arg(QString(path), error), this);
    }
    saveLeftPaneSize();
    return code;
}

int Form_Return::_updateLogEntry()
{
    if (!m_pFamilyData || !hasFileToSave())
        return 99;
    TabWndApp* app = TabWndApp::getMainApp();
    if (!app)
        return 0;
    CString taxpayer, spouse;
    m_pFamilyData->getFamilyFullName(taxpayer, spouse);
    QString path;
    getFilepath(path);
    app->m_dbManager.updateOrInsertHistoryItem(taxpayer, spouse, path);
    // The start page finds a return by S.I.N. through the taxpayer rows:
    // each save records the return's people under the names the list shows.
    const std::pair<IndividualTaxData*, const CString*> people[] = {
        {m_pFamilyData->getTaxpayer(), &taxpayer}, {m_pFamilyData->IsCoupledReturn() ? m_pFamilyData->getSpouse() : nullptr, &spouse}};
    for (const auto& person : people) {
        const TaxData_T1New* t1 = person.first ? person.first->GetT1() : nullptr;
        if (t1 && !person.second->trimmed().isEmpty() && CheckSIN(t1->SIN.m_value.toUtf8().constData()))
            CBasicEvent::findUserIDAndUpdateUser(app->m_dbManager.db(), t1->SIN.m_value, *person.second, CString(),
                                                 CString());
    }
    return 0;
}

bool Form_Return::onCloseReturn()
{
    CString path;
    return onCloseReturn(path);
}

bool Form_Return::onCloseReturn(CString& path)
{
    if (hasFileToSave()) {
        if (!isChanged()) {
            destroyFormTabs();
            return true;
        }
        const int answer = TabWndApp::gAppQuestionReturnBtn(
            tr("Do you want to save changed data to return file before closing?\n\n'Yes' to save it, 'No' to "
               "discard changes, or 'Cancel' closing"),
            this, Prompt::Yes | Prompt::No | Prompt::Cancel);
        if (answer == Prompt::Yes) {
            // A failed write keeps the page open with the user's data.
            if (saveReturnFile(path, true) != RFL_SUCCESS)
                return false;
        } else if (answer != Prompt::No) {
            return false;
        }
        destroyFormTabs();
        return true;
    }
    if (!TabWndApp::gAppQuestion(
            tr("You haven't save this return file, confirm 'Yes' to discard this return file?"), nullptr))
        return false;
    destroyFormTabs();
    return true;
}
