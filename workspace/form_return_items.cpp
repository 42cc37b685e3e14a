// Commands on the items of the open return: add a slip or a note, remove
// the selected item, share and un-share with the spouse. Forms are added and
// arranged in form_return_forms.cpp.
#include "workspace/form_return.h"

#include "app/tabwndapp.h"
#include "companion/core/messages.h"
#include "companion/forms/catalogue.h"
#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/fields.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "model/cfamilytaxdata.h"
#include "model/individualtaxdata.h"
#include "model/itemremoval.h"
#include "workspace/folderview.h"
#include "workspace/treeitem.h"
#include "workspace/ui_form_return.h"

namespace {

QString couplesOnlyText()
{
    return QObject::tr("Sharing tax form/slip can only be done in a coupled return file.");
}

QString sharedText()
{
    return QObject::tr("Tax form/slip is shared to spouse's return, make sure shared tax forms are claimed properly.");
}

} // namespace

void Form_Return::addTaxSlip(int slipType)
{
    if (!m_pFamilyData)
        return;
    STRUCT_SLIPDATA_ITEM_2004* item = m_pFamilyData->NewSlipData(slipType, 0, 0);
    if (!item)
        return;
    const int id = item->id;
    // A new slip's province (of employment) starts at the person's own.
    const IndividualTaxData* person = m_pFamilyData->getCurIndvTaxData();
    auto* province = item->data ? dynamic_cast<CIntField*>(item->data->findField(QStringLiteral("Province"))) : nullptr;
    if (province && person && province->m_value == 0)
        province->m_value = person->m_province;
    // A slip may make forms necessary: the return is recalculated at once,
    // so that the tree and the results never lag behind.
    onSignalCalc(nullptr, nullptr);
    const bool wasSwitching = m_bSwitching;
    m_bSwitching = true;
    ui->treeFolderView->SyncFromSlipData();
    m_bSwitching = wasSwitching;
    ui->treeFolderView->ShowItem(FROM_SLIP, id);
}

void Form_Return::addTaxNote()
{
    IndividualTaxData* person = m_pFamilyData ? m_pFamilyData->getCurIndvTaxData() : nullptr;
    if (!person)
        return;
    // Each note gets its own id, so that the tree and the view state can
    // tell notes apart.
    STRUCT_NOTEDATA_ITEM_2004* item = m_pFamilyData->NewNoteData(person->GetNextUniqueID());
    if (!item)
        return;
    const int id = item->id;
    const bool wasSwitching = m_bSwitching;
    m_bSwitching = true;
    ui->treeFolderView->SyncFromNoteData();
    m_bSwitching = wasSwitching;
    ui->treeFolderView->ShowItem(FROM_NOTE, id);
}

void Form_Return::removeSelected()
{
    if (!m_pFamilyData)
        return;
    FolderView* tree = ui->treeFolderView;
    int kind = 0, type = 0, id = 0;
    TreeItem* row = tree->getSelectedData(kind, type, id);
    if (kind == FolderView::kKindNone || !row)
        return;
    CTaxData_Form* object = kind == FolderView::kKindResult ? nullptr : tree->dataObject(row);
    IndividualTaxData* person = m_pFamilyData->getCurIndvTaxData();

    bool removed = false;
    // An item that holds entries goes only when the user says so: one
    // click in the tree must not throw away a filled slip or schedule.
    if (object && !confirmRemoval(kind, type, *object))
        return;
    if (kind == FROM_FORM && object && person) {
        if (person->IsFormNeeded(type) || object->m_bRemovalLocked) {
            TabWndApp::gAppInformation(
                tr("This tax form can NOT be removed, because it's mandatory or necessary for other tax slips/forms."),
                this);
            return;
        }
        if (m_pFamilyData->IsTaxFormSharedWithSpouse(object)) {
            if (!TabWndApp::gAppQuestion(tr("The tax form is shared with spouse's tax return. Do you want to "
                                            "un-share it and continue removing the tax form?"),
                                         this))
                return;
            m_pFamilyData->UnShareTaxFormWithSpouse(object);
        }
    } else if (kind == FROM_SLIP && object) {
        if (m_pFamilyData->IsTaxSlipSharedWithSpouse(object)) {
            if (!TabWndApp::gAppQuestion(tr("The tax slip is shared with spouse's tax return. Do you want to "
                                            "un-share it and continue removing the tax slip?"),
                                         nullptr))
                return;
            m_pFamilyData->UnShareTaxSlipWithSpouse(object);
        }
    }

    if (object && (kind == FROM_FORM || kind == FROM_SLIP || kind == FROM_NOTE)) {
        // The row goes without showing whatever row the tree moves to.
        const bool wasSwitching = m_bSwitching;
        m_bSwitching = true;
        removed = tree->removeSelected();
        m_bSwitching = wasSwitching;
        if (removed) {
            // The pages are let go before their object is freed.
            destroyFormTabs();
            if (kind == FROM_FORM)
                m_pFamilyData->RemoveFormData(object, true);
            else if (kind == FROM_SLIP)
                m_pFamilyData->RemoveSlipData(object);
            else
                m_pFamilyData->RemoveNoteData(object);
        }
    }

    const int changed = m_pFamilyData->Calculate(-1, nullptr);
    if (kind == FROM_NOTE) {
        const bool wasSwitching = m_bSwitching;
        m_bSwitching = true;
        tree->SyncFromNoteData();
        m_bSwitching = wasSwitching;
    }
    // The shown object is looked up again here: when it was the one removed,
    // the T1 is shown.
    syncFolderView(changed != 0 || kind == FROM_FORM, kind == FROM_SLIP);
    QString status;
    refreshReturnStatus(status);
}

bool Form_Return::confirmRemoval(int kind, int type, const CTaxData_Form& item)
{
    if (kind == FROM_FORM) {
        // A form the return needs is refused below, whatever it holds.
        IndividualTaxData* person = m_pFamilyData->getCurIndvTaxData();
        if (!person || person->IsFormNeeded(type) || item.m_bRemovalLocked)
            return true;
    }
    const QString question = removalQuestion(kind, type, item);
    if (question.isEmpty())
        return true;
    return promptQuestion(this, gMsgTitle(TabWndApp::s_appPurpose), question, Prompt::Yes | Prompt::No, Prompt::No)
           == Prompt::Yes;
}

CTaxData_Form* Form_Return::selectedObjectOfKind(int wantedKind, int& type) const
{
    int kind = 0, id = 0;
    TreeItem* row = ui->treeFolderView->getSelectedData(kind, type, id);
    return kind == wantedKind ? ui->treeFolderView->dataObject(row) : nullptr;
}

void Form_Return::shareSelectedForm()
{
    if (!m_pFamilyData)
        return;
    if (!m_pFamilyData->IsCoupledReturn()) {
        TabWndApp::gAppInformation(couplesOnlyText(), nullptr);
        return;
    }
    int type = 0;
    CTaxData_Form* form = selectedObjectOfKind(FROM_FORM, type);
    if (!form)
        return;
    if (!IsFormSharable(type) || m_pFamilyData->IsTaxFormSharedWithSpouse(form)) {
        TabWndApp::gAppInformation(tr("This tax form cannot be shared."), nullptr);
        return;
    }
    m_pFamilyData->ShareTaxFormWithSpouse(form, 0);
    m_pFamilyData->Calculate(FROM_FORM, form);
    syncFolderView(true, false);
    QString status;
    refreshReturnStatus(status);
    TabWndApp::gAppInformation(sharedText(), this);
}

void Form_Return::unshareSelectedForm()
{
    if (!m_pFamilyData || !m_pFamilyData->IsCoupledReturn())
        return;
    int type = 0;
    CTaxData_Form* form = selectedObjectOfKind(FROM_FORM, type);
    if (!form)
        return;
    m_pFamilyData->UnShareTaxFormWithSpouse(form);
    m_pFamilyData->Calculate(FROM_FORM, form);
    syncFolderView(false, false);
    QString status;
    refreshReturnStatus(status);
    TabWndApp::gAppInformation(tr("Tax form is unshared from spouse's return."), nullptr);
}

ReturnMenuFacts Form_Return::menuFacts(int itemKind)
{
    ReturnMenuFacts facts;
    if (!m_pFamilyData)
        return facts;
    facts.coupled = m_pFamilyData->IsCoupledReturn();
    if (IndividualTaxData* person = m_pFamilyData->getCurIndvTaxData())
        if (TaxData_T1New* t1 = person->GetT1())
            facts.province = t1->getMainTaxProvince();
    int type = 0;
    if (CTaxData_Form* item = selectedObjectOfKind(itemKind, type)) {
        const bool slip = itemKind == FROM_SLIP;
        facts.itemSharable = slip ? IsSlipSharable(type) : IsFormSharable(type);
        facts.itemShared = slip ? m_pFamilyData->IsTaxSlipSharedWithSpouse(item)
                                : m_pFamilyData->IsTaxFormSharedWithSpouse(item);
    }
    return facts;
}

void Form_Return::shareSelectedSlip()
{
    if (!m_pFamilyData)
        return;
    if (!m_pFamilyData->IsCoupledReturn()) {
        TabWndApp::gAppInformation(couplesOnlyText(), nullptr);
        return;
    }
    int type = 0;
    CTaxData_Form* slip = selectedObjectOfKind(FROM_SLIP, type);
    if (!slip)
        return;
    if (!IsSlipSharable(type) || m_pFamilyData->IsTaxSlipSharedWithSpouse(slip)) {
        TabWndApp::gAppInformation(tr("This tax slip cannot be shared."), nullptr);
        return;
    }
    m_pFamilyData->ShareTaxSlipWithSpouse(slip, 0);
    const int changed = m_pFamilyData->Calculate(FROM_SLIP, slip);
    syncFolderView(changed != 0, true);
    QString status;
    refreshReturnStatus(status);
    TabWndApp::gAppInformation(sharedText(), nullptr);
}

void Form_Return::unshareSelectedSlip()
{
    if (!m_pFamilyData)
        return;
    if (!m_pFamilyData->IsCoupledReturn()) {
        TabWndApp::gAppInformation(couplesOnlyText(), nullptr);
        return;
    }
    int type = 0;
    CTaxData_Form* slip = selectedObjectOfKind(FROM_SLIP, type);
    if (!slip)
        return;
    m_pFamilyData->UnShareTaxSlipWithSpouse(slip);
    m_pFamilyData->Calculate(FROM_SLIP, slip);
    syncFolderView(false, true);
    QString status;
    refreshReturnStatus(status);
    TabWndApp::gAppInformation(tr("Tax slip is unshared from spouse's return."), nullptr);
}
