// Commands run through one slot: each action carries its command's id, and
// the command comes from the feature that published it (CommandRegistry).
// The named slots below stay as one-line calls of the same command.
#include "workspace/mainwindow.h"

#include "app/tabwndapp.h"
#include "companion/forms/taxtypes.h"
#include "workspace/commandregistry.h"
#include "workspace/featureenvironment.h"
#include "workspace/folderview.h"
#include "workspace/returnpageinterface.h"
#include "workspace/ui_mainwindow.h"

#include <QMenu>
#include <QStackedWidget>

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

FeatureContext MainWindow::commandContext()
{
    FeatureContext context;
    context.edition = TabWndApp::s_appPurpose;
    context.settings = currentFeatureSettings();
    context.dialogParent = this;
    context.host = this;
    return context;
}

void MainWindow::onCommandTriggered()
{
    if (auto* action = qobject_cast<QAction*>(sender()))
        runCommand(action->objectName());
}

void MainWindow::runCommand(const QString& id)
{
    const FeatureCommand* command = CommandRegistry::program().find(id);
    if (!command || !command->run)
        return;
    FeatureContext context = commandContext();
    if (command->onReturn) {
        ReturnPageInterface* page = preparedReturnPage();
        if (!page)
            return;
        context.host = page->pageWidget();
    }
    command->run(context);
    if (command->retitles)
        syncWndTitleAndStatus();
}

void MainWindow::on_actionRemove_Selected_Slip_triggered() { runCommand(QStringLiteral("actionRemove_Selected_Slip")); }
void MainWindow::on_actionRemove_Selected_Form_Schedule_triggered() { runCommand(QStringLiteral("actionRemove_Selected_Form_Schedule")); }
void MainWindow::on_actionShare_slip_with_spouse_triggered() { runCommand(QStringLiteral("actionShare_slip_with_spouse")); }
void MainWindow::on_actionUn_share_slip_with_spouse_triggered() { runCommand(QStringLiteral("actionUn_share_slip_with_spouse")); }
void MainWindow::on_actionShare_Form_to_Spouse_triggered() { runCommand(QStringLiteral("actionShare_Form_to_Spouse")); }
void MainWindow::on_actionUn_share_form_with_spouse_triggered() { runCommand(QStringLiteral("actionUn_share_form_with_spouse")); }
void MainWindow::onAdd_a_tax_note() { runCommand(QStringLiteral("actionAdd_a_tax_note")); }
void MainWindow::onSlipSummary() { runCommand(QStringLiteral("actionSlip_summary")); }
void MainWindow::on_actionAdd_a_Tax_Form_triggered() { runCommand(QStringLiteral("actionAdd_a_Tax_Form")); }
void MainWindow::on_actionArrange_Order_of_Tax_Forms_triggered() { runCommand(QStringLiteral("actionArrange_Order_of_Tax_Forms")); }
void MainWindow::on_actionChange_Tax_Province_triggered() { runCommand(QStringLiteral("actionChange_Tax_Province")); }
void MainWindow::on_actionDe_Couple_Return_1to2_triggered() { runCommand(QStringLiteral("actionDe_Couple_Return_1to2")); }
void MainWindow::on_actionOptimize_triggered() { runCommand(QStringLiteral("actionOptimize")); }
void MainWindow::on_actionTax_Planning_triggered() { runCommand(QStringLiteral("actionTax_Planning")); }
void MainWindow::on_actionValidate_Return_triggered() { runCommand(QStringLiteral("actionValidate_Return")); }
void MainWindow::on_actionUn_set_Return_for_ReFile_triggered() { runCommand(QStringLiteral("actionUn_set_Return_for_ReFile")); }
void MainWindow::on_actionInternetFiling_triggered() { runCommand(QStringLiteral("actionInternetFiling")); }
void MainWindow::on_actionFile_T1135_Online_triggered() { runCommand(QStringLiteral("actionFile_T1135_Online")); }
void MainWindow::on_actionSet_Return_for_ReFile_triggered() { runCommand(QStringLiteral("actionSet_Return_for_ReFile")); }
void MainWindow::on_actionGenerate_Print_pdf_Files_triggered() { runCommand(QStringLiteral("actionGenerate_Print_pdf_Files")); }
void MainWindow::on_actionSubmit_E_Auth_former_T1013_triggered() { runCommand(QStringLiteral("actionSubmit_E_Auth_former_T1013")); }
void MainWindow::on_actionSubmit_PAD_Pre_authorized_Debit_triggered() { runCommand(QStringLiteral("actionSubmit_PAD_Pre_authorized_Debit")); }
void MainWindow::on_actionSend_T183_for_E_Signature_triggered() { runCommand(QStringLiteral("actionSend_T183_for_E_Signature")); }
void MainWindow::on_actionSend_E_Auth_for_E_Signature_triggered() { runCommand(QStringLiteral("actionSend_E_Auth_for_E_Signature")); }
void MainWindow::on_actionAuto_Fill_AFR_triggered() { runCommand(QStringLiteral("actionAuto_Fill_AFR")); }
void MainWindow::on_actionExpress_NOA_triggered() { runCommand(QStringLiteral("actionExpress_NOA")); }

void MainWindow::on_actionAdd_T4_slip_triggered() { runCommand(QStringLiteral("actionAdd_T4_slip")); }
void MainWindow::on_actionAdd_T4A_slip_triggered() { runCommand(QStringLiteral("actionAdd_T4A_slip")); }
void MainWindow::on_actionAdd_T4A_P_slip_triggered() { runCommand(QStringLiteral("actionAdd_T4A_P_slip")); }
void MainWindow::on_actionAdd_T4RSP_slip_triggered() { runCommand(QStringLiteral("actionAdd_T4RSP_slip")); }
void MainWindow::on_actionAdd_T4E_slip_triggered() { runCommand(QStringLiteral("actionAdd_T4E_slip")); }
void MainWindow::on_actionAdd_T4A_OAS_slip_triggered() { runCommand(QStringLiteral("actionAdd_T4A_OAS_slip")); }
void MainWindow::on_actionAdd_T4RIF_slip_triggered() { runCommand(QStringLiteral("actionAdd_T4RIF_slip")); }
void MainWindow::on_actionAdd_T5_slip_triggered() { runCommand(QStringLiteral("actionAdd_T5_slip")); }
void MainWindow::on_actionAdd_T3_slip_triggered() { runCommand(QStringLiteral("actionAdd_T3_slip")); }
void MainWindow::on_actionAdd_T5003_slip_triggered() { runCommand(QStringLiteral("actionAdd_T5003_slip")); }
void MainWindow::on_actionAdd_T5007_triggered() { runCommand(QStringLiteral("actionAdd_T5007")); }
void MainWindow::on_actionAdd_T5013_slip_triggered() { runCommand(QStringLiteral("actionAdd_T5013_slip")); }
void MainWindow::on_actionAdd_T4PS_slip_triggered() { runCommand(QStringLiteral("actionAdd_T4PS_slip")); }
void MainWindow::on_actionAdd_T4A_RCA_slip_triggered() { runCommand(QStringLiteral("actionAdd_T4A_RCA_slip")); }
void MainWindow::on_actionAdd_T5006_slip_triggered() { runCommand(QStringLiteral("actionAdd_T5006_slip")); }
void MainWindow::on_actionAdd_RC62_slip_triggered() { runCommand(QStringLiteral("actionAdd_RC62_slip")); }
void MainWindow::on_actionAdd_RC210_slip_triggered() { runCommand(QStringLiteral("actionAdd_RC210_slip")); }
void MainWindow::on_actionAdd_Manitoba_shelter_benefit_slip_triggered() { runCommand(QStringLiteral("actionAdd_Manitoba_shelter_benefit_slip")); }
void MainWindow::on_actionAdd_PRPP_slip_triggered() { runCommand(QStringLiteral("actionAdd_PRPP_slip")); }
void MainWindow::on_actionAdd_T1204_slip_triggered() { runCommand(QStringLiteral("actionAdd_T1204_slip")); }
void MainWindow::on_actionAdd_NR4_slip_triggered() { runCommand(QStringLiteral("actionAdd_NR4_slip")); }
void MainWindow::on_actionAdd_T2202_slip_triggered() { runCommand(QStringLiteral("actionAdd_T2202_slip")); }
void MainWindow::onAddSlip_T4FHSA() { runCommand(QStringLiteral("actionAdd_T4FHSA_slip")); }

namespace {

// The commands of each context menu of the return tree, by the menu's type.
struct ContextMenuRows
{
    int type;
    std::vector<const char*> ids;
};

const ContextMenuRows kContextMenus[] = {
    {FolderView::MenuSlips,
     {"actionAdd_T3_slip", "actionAdd_T4_slip", "actionAdd_T4A_slip", "actionAdd_T4A_P_slip",
      "actionAdd_T4A_OAS_slip", "actionAdd_T4A_RCA_slip", "actionAdd_T4E_slip", "actionAdd_T4FHSA_slip",
      "actionAdd_T4PS_slip", "actionAdd_T4RIF_slip", "actionAdd_T4RSP_slip", "actionAdd_T5_slip",
      "actionAdd_T5003_slip", "actionAdd_T5006_slip", "actionAdd_T5007", "actionAdd_T5008_slip",
      "actionAdd_T5013_slip", "actionAdd_RC62_slip", "actionAdd_RC210_slip", "actionAdd_NR4_slip",
      "actionAdd_PRPP_slip", "actionAdd_T1204_slip", "actionAdd_T2202_slip",
      "actionAdd_Manitoba_shelter_benefit_slip"}},
    {FolderView::MenuSlip,
     {"actionRemove_Selected_Slip", "actionShare_slip_with_spouse", "actionUn_share_slip_with_spouse"}},
    {FolderView::MenuForms, {"actionAdd_a_Tax_Form"}},
    {FolderView::MenuForm,
     {"actionRemove_Selected_Form_Schedule", "actionShare_Form_to_Spouse", "actionUn_share_form_with_spouse"}},
    {FolderView::MenuNotes, {"actionAdd_a_tax_note"}},
    {FolderView::MenuNote, {"actionRemove_Selected_Slip"}},
};

} // namespace

// A context menu offers the commands of its type that apply to the selected
// item and the current person (no sharing outside a couple, no other
// province's slips); with no return page current, all of them.
void MainWindow::setupContextMenu(int type, QMenu* menu)
{
    if (!menu)
        return;
    ReturnPageInterface* page = currentReturnPage();
    ReturnMenuFacts facts;
    if (page) {
        const bool slipMenu = type == FolderView::MenuSlip || type == FolderView::MenuSlips;
        facts = page->menuFacts(slipMenu ? FROM_SLIP : FROM_FORM);
        facts.returnShown = true;
    }
    const CommandRegistry& registry = CommandRegistry::program();
    for (const ContextMenuRows& rows : kContextMenus) {
        if (rows.type != type)
            continue;
        for (const char* id : rows.ids) {
            const FeatureCommand* command = registry.find(QString::fromLatin1(id));
            QAction* action = ui->action(QString::fromLatin1(id));
            if (command && action && (!page || command->offered(facts)))
                menu->addAction(action);
        }
    }
}
