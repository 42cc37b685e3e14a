// Saving the open return to its file, the recent-return row and closing.
#include "workspace/form_return.h"

#include "app/BasicEvent.h"
#include "app/mywaitcursor.h"
#include "app/tabwndapp.h"
#include "companion/core/messages.h"
#include "companion/core/sincheck.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "model/cfamilytaxdata.h"
#include "model/individualtaxdata.h"
#include "model/returnfileloadcode.h"
#include "workspace/folderview.h"
#include "workspace/mainwindow.h"
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

namespace {

// The question of each occasion: for a return saved before, and for one
// that has no file yet.
struct UnsavedQuestion
{
    Form_Return::UnsavedOccasion occasion;
    const char* saved;
    const char* neverSaved;
};

constexpr UnsavedQuestion kUnsavedQuestions[] = {
    {Form_Return::UnsavedOccasion::Close,
     QT_TRANSLATE_NOOP("Form_Return", "This return has changes that are not saved.\n\n"
                                      "Do you want to save them before closing?"),
     QT_TRANSLATE_NOOP("Form_Return", "This return has never been saved.\n\n"
                                      "Do you want to save it before closing?")},
    {Form_Return::UnsavedOccasion::DeCouple,
     QT_TRANSLATE_NOOP("Form_Return", "This coupled return has changes that are not saved. De-coupling makes "
                                      "a new single return, and the coupled return file keeps what was last "
                                      "saved.\n\nDo you want to save the coupled return first?"),
     QT_TRANSLATE_NOOP("Form_Return", "This coupled return has never been saved. De-coupling makes a new single "
                                      "return, and the spouse's part would be gone.\n\nDo you want to save the "
                                      "coupled return first?")},
    {Form_Return::UnsavedOccasion::ChangeProvince,
     QT_TRANSLATE_NOOP("Form_Return", "This return has changes that are not saved.\n\nDo you want to save it "
                                      "as it is before the province is changed?"),
     QT_TRANSLATE_NOOP("Form_Return", "This return has never been saved.\n\nDo you want to save it as it is "
                                      "before the province is changed?")},
};

} // namespace

bool Form_Return::settleUnsavedChanges(UnsavedOccasion occasion, CString& path)
{
    const bool neverSaved = !hasFileToSave();
    QString text;
    for (const UnsavedQuestion& question : kUnsavedQuestions)
        if (question.occasion == occasion)
            text = tr(neverSaved ? question.neverSaved : question.saved);
    const Prompt::StandardButton answer =
        promptQuestion(this, gMsgTitle(TabWndApp::s_appPurpose), text,
                       Prompt::Save | Prompt::Discard | Prompt::Cancel, Prompt::Save);
    if (answer == Prompt::Discard)
        return true;
    if (answer != Prompt::Save)
        return false;
    // The window's Save: the same recalculation, file choice and status
    // line as the menu command. A failed or cancelled save keeps the return.
    const int code = m_pMainWindow ? m_pMainWindow->doSaveReturn(this, false)
                                   : (neverSaved ? RFL_WRITE_FAILED : saveReturnFile(path, true));
    if (code != RFL_SUCCESS)
        return false;
    QString written;
    getFilepath(written);
    path = written;
    return true;
}

bool Form_Return::onCloseReturn(CString& path)
{
    // A return that was never saved has nothing on disk: closing it is asked
    // about even when nothing changed since the new-return wizard made it.
    if (hasFileToSave() && !isChanged()) {
        destroyFormTabs();
        return true;
    }
    if (!settleUnsavedChanges(UnsavedOccasion::Close, path))
        return false;
    destroyFormTabs();
    return true;
}
