// Commands on the open return: each runs on the current return page, after
// the page has stored what was typed on its visible form page.
#include "workspace/mainwindow.h"

#include "app/tabwndapp.h"
#include "companion/core/folders.h"
#include "companion/forms/taxtypes.h"
#include "workspace/folderview.h"
#include "workspace/returnpageinterface.h"
#include "workspace/ui_mainwindow.h"

#include <QHash>
#include <QMenu>
#include <QStackedWidget>

namespace {

// Slip type numbers of the add-slip commands.
enum SlipType : int {
    SlipT4 = 1, SlipT4A = 2, SlipT4A_P = 3, SlipT4RSP = 4, SlipT4E = 5, SlipT4A_OAS = 6, SlipT4RIF = 7,
    SlipT5 = 8, SlipT3 = 9, SlipT5003 = 10, SlipT5007 = 11, SlipT5013 = 13, SlipT4PS = 14,
    SlipT4A_RCA = 15, SlipT5006 = 16, SlipRC62 = 17, SlipRC210 = 18, SlipManitobaShelter = 21,
    SlipPRPP = 22, SlipT1204 = 23, SlipNR4 = 24, SlipT2202 = 25, SlipT4FHSA = 26,
};

// Form numbers sent for e-signature.
const int kFormT183 = 96;
const int kFormEAuth = 117;

} // namespace

ReturnPageInterface* MainWindow::preparedReturnPage()
{
    if (m_nOpenReturns < 1)
        return nullptr;
    ReturnPageInterface* page = currentReturnPage();
    if (!page)
        return nullptr;
    page->saveCurFormDataToDoc();
    return page;
}

void MainWindow::addSlip(int slipType)
{
    if (ReturnPageInterface* page = preparedReturnPage())
        page->addTaxSlip(slipType);
}

void MainWindow::on_actionRemove_Selected_Slip_triggered()
{
    if (ReturnPageInterface* page = preparedReturnPage())
        page->removeSelected();
}

void MainWindow::on_actionRemove_Selected_Form_Schedule_triggered()
{
    if (ReturnPageInterface* page = preparedReturnPage())
        page->removeSelected();
}

void MainWindow::on_actionShare_slip_with_spouse_triggered()
{
    if (ReturnPageInterface* page = preparedReturnPage())
        page->shareSelectedSlip();
}

void MainWindow::on_actionUn_share_slip_with_spouse_triggered()
{
    if (ReturnPageInterface* page = preparedReturnPage())
        page->unshareSelectedSlip();
}

void MainWindow::on_actionShare_Form_to_Spouse_triggered()
{
    if (ReturnPageInterface* page = preparedReturnPage())
        page->shareSelectedForm();
}

void MainWindow::on_actionUn_share_form_with_spouse_triggered()
{
    if (ReturnPageInterface* page = preparedReturnPage())
        page->unshareSelectedForm();
}

void MainWindow::onAdd_a_tax_note()
{
    if (ReturnPageInterface* page = preparedReturnPage())
        page->addTaxNote();
}

void MainWindow::onSlipSummary()
{
    if (ReturnPageInterface* page = preparedReturnPage())
        page->getSlipSummary();
}

void MainWindow::on_actionAdd_a_Tax_Form_triggered()
{
    if (ReturnPageInterface* page = preparedReturnPage())
        page->addTaxForm();
}

void MainWindow::on_actionArrange_Order_of_Tax_Forms_triggered()
{
    if (ReturnPageInterface* page = preparedReturnPage())
        page->changeFormsOrder();
}

void MainWindow::on_actionChange_Tax_Province_triggered()
{
    if (ReturnPageInterface* page = preparedReturnPage())
        page->taxReturnChangeProvince();
}

void MainWindow::on_actionDe_Couple_Return_1to2_triggered()
{
    if (ReturnPageInterface* page = preparedReturnPage()) {
        page->deCoupleReturn();
        // The page has no file any more: the title must not name the old one.
        syncWndTitleAndStatus();
    }
}

void MainWindow::on_actionOptimize_triggered()
{
    if (ReturnPageInterface* page = preparedReturnPage())
        page->optimizeReturn();
}

void MainWindow::on_actionTax_Planning_triggered()
{
    if (ReturnPageInterface* page = preparedReturnPage())
        page->taxPlanning();
}

void MainWindow::on_actionValidate_Return_triggered()
{
    if (ReturnPageInterface* page = preparedReturnPage())
        page->ValidateTaxReturn(TabWndApp::s_appPurpose, true, false);
}

void MainWindow::on_actionUn_set_Return_for_ReFile_triggered()
{
    if (ReturnPageInterface* page = preparedReturnPage())
        page->UnsetReFile();
}

namespace {

// The filing logs and result files live in the run folder.
bool runFolderReady(TabWndApp* app)
{
    if (app && makeFolderExists(app->m_strRunPath))
        return true;
    TabWndApp::gAppInformation(
        QObject::tr("DirErad/EFile cannot be created and saved into the folder, please check firewall and "
                    "anti-virus software settings to unblock voDarevivo."),
        nullptr);
    return false;
}

} // namespace

void MainWindow::on_actionInternetFiling_triggered()
{
    ReturnPageInterface* page = preparedReturnPage();
    if (page && runFolderReady(m_pApp))
        page->OnFileCreateElectronFile();
}

void MainWindow::on_actionFile_T1135_Online_triggered()
{
    ReturnPageInterface* page = preparedReturnPage();
    if (page && runFolderReady(m_pApp))
        page->OnFileT1135();
}

void MainWindow::on_actionSet_Return_for_ReFile_triggered()
{
    ReturnPageInterface* page = preparedReturnPage();
    if (page && runFolderReady(m_pApp)) {
        page->OnPrepareReFile();
        syncWndTitleAndStatus();
    }
}

void MainWindow::on_actionGenerate_Print_pdf_Files_triggered()
{
    ReturnPageInterface* page = preparedReturnPage();
    if (!page)
        return;
    if (!m_pApp || !makeFolderExists(m_pApp->m_config.RetPdfPath)) {
        TabWndApp::gAppInformation(
            tr("voDarevivo cannot open or create the file folder for printable tax form (.pdf) file."), this);
        return;
    }
    page->OnFileCreatePdfFile();
}

// The E-Auth and PAD submissions are not offered (their actions stay
// disabled); the slots only keep the common prelude.
void MainWindow::on_actionSubmit_E_Auth_former_T1013_triggered()
{
    preparedReturnPage();
}

void MainWindow::on_actionSubmit_PAD_Pre_authorized_Debit_triggered()
{
    preparedReturnPage();
}

void MainWindow::on_actionSend_T183_for_E_Signature_triggered()
{
    if (ReturnPageInterface* page = preparedReturnPage())
        page->OnSubmitQuillorForm(kFormT183);
}

void MainWindow::on_actionSend_E_Auth_for_E_Signature_triggered()
{
    if (ReturnPageInterface* page = preparedReturnPage())
        page->OnSubmitQuillorForm(kFormEAuth);
}

void MainWindow::on_actionAdd_T4_slip_triggered() { addSlip(SlipT4); }
void MainWindow::on_actionAdd_T4A_slip_triggered() { addSlip(SlipT4A); }
void MainWindow::on_actionAdd_T4A_P_slip_triggered() { addSlip(SlipT4A_P); }
void MainWindow::on_actionAdd_T4RSP_slip_triggered() { addSlip(SlipT4RSP); }
void MainWindow::on_actionAdd_T4E_slip_triggered() { addSlip(SlipT4E); }
void MainWindow::on_actionAdd_T4A_OAS_slip_triggered() { addSlip(SlipT4A_OAS); }
void MainWindow::on_actionAdd_T4RIF_slip_triggered() { addSlip(SlipT4RIF); }
void MainWindow::on_actionAdd_T5_slip_triggered() { addSlip(SlipT5); }
void MainWindow::on_actionAdd_T3_slip_triggered() { addSlip(SlipT3); }
void MainWindow::on_actionAdd_T5003_slip_triggered() { addSlip(SlipT5003); }
void MainWindow::on_actionAdd_T5007_triggered() { addSlip(SlipT5007); }
void MainWindow::on_actionAdd_T5013_slip_triggered() { addSlip(SlipT5013); }
void MainWindow::on_actionAdd_T4PS_slip_triggered() { addSlip(SlipT4PS); }
void MainWindow::on_actionAdd_T4A_RCA_slip_triggered() { addSlip(SlipT4A_RCA); }
void MainWindow::on_actionAdd_T5006_slip_triggered() { addSlip(SlipT5006); }
void MainWindow::on_actionAdd_RC62_slip_triggered() { addSlip(SlipRC62); }
void MainWindow::on_actionAdd_RC210_slip_triggered() { addSlip(SlipRC210); }
void MainWindow::on_actionAdd_Manitoba_shelter_benefit_slip_triggered() { addSlip(SlipManitobaShelter); }
void MainWindow::on_actionAdd_PRPP_slip_triggered() { addSlip(SlipPRPP); }
void MainWindow::on_actionAdd_T1204_slip_triggered() { addSlip(SlipT1204); }
void MainWindow::on_actionAdd_NR4_slip_triggered() { addSlip(SlipNR4); }
void MainWindow::on_actionAdd_T2202_slip_triggered() { addSlip(SlipT2202); }
void MainWindow::onAddSlip_T4FHSA() { addSlip(SlipT4FHSA); }

void MainWindow::setupContextMenu(int type, QMenu* menu)
{
    if (!menu)
        return;
    QList<QAction*> actions;
    switch (type) {
    case 0: // the Tax Slips branch
        actions = {ui->actionAdd_T3_slip,      ui->actionAdd_T4_slip,      ui->actionAdd_T4A_slip,
                   ui->actionAdd_T4A_P_slip,   ui->actionAdd_T4A_OAS_slip, ui->actionAdd_T4A_RCA_slip,
                   ui->actionAdd_T4E_slip,     ui->actionAdd_T4FHSA_slip,  ui->actionAdd_T4PS_slip,
                   ui->actionAdd_T4RIF_slip,   ui->actionAdd_T4RSP_slip,   ui->actionAdd_T5_slip,
                   ui->actionAdd_T5003_slip,   ui->actionAdd_T5006_slip,   ui->actionAdd_T5007,
                   ui->actionAdd_T5008_slip,   ui->actionAdd_T5013_slip,   ui->actionAdd_RC62_slip,
                   ui->actionAdd_RC210_slip,   ui->actionAdd_NR4_slip,     ui->actionAdd_PRPP_slip,
                   ui->actionAdd_T1204_slip,   ui->actionAdd_T2202_slip,   ui->actionAdd_Manitoba_shelter_benefit_slip};
        break;
    case 1: // a slip
        actions = {ui->actionRemove_Selected_Slip, ui->actionShare_slip_with_spouse,
                   ui->actionUn_share_slip_with_spouse};
        break;
    case 10: // the Tax Forms branch
        actions = {ui->actionAdd_a_Tax_Form};
        break;
    case 11: // a form
        actions = {ui->actionRemove_Selected_Form_Schedule, ui->actionShare_Form_to_Spouse,
                   ui->actionUn_share_form_with_spouse};
        break;
    case 20: // the Tax Notes branch
        actions = {ui->actionAdd_a_tax_note};
        break;
    case 21: // a note
        actions = {ui->actionRemove_Selected_Slip};
        break;
    default:
        break;
    }
    menu->addActions(offeredActions(type, actions));
}

QList<QAction*> MainWindow::offeredActions(int menuType, const QList<QAction*>& actions) const
{
    ReturnPageInterface* page = currentReturnPage();
    if (!page)
        return actions;
    const bool slipMenu = menuType == FolderView::MenuSlip || menuType == FolderView::MenuSlips;
    const ReturnMenuFacts facts = page->menuFacts(slipMenu ? FROM_SLIP : FROM_FORM);
    const QList<QAction*> shareActions = {ui->actionShare_slip_with_spouse, ui->actionShare_Form_to_Spouse};
    const QList<QAction*> unshareActions = {ui->actionUn_share_slip_with_spouse, ui->actionUn_share_form_with_spouse};
    // Slips that only residents of one province receive.
    const QHash<QAction*, int> provinceOnly = {{ui->actionAdd_Manitoba_shelter_benefit_slip, PROV_MB}};
    QList<QAction*> offered;
    for (QAction* action : actions) {
        if (shareActions.contains(action) && !(facts.coupled && facts.itemSharable && !facts.itemShared))
            continue;
        if (unshareActions.contains(action) && !(facts.coupled && facts.itemShared))
            continue;
        const int onlyIn = provinceOnly.value(action, 0);
        if (onlyIn != 0 && onlyIn != facts.province)
            continue;
        offered << action;
    }
    return offered;
}
