#pragma once

#include "model/featurecommand.h"

#include <QString>
#include <vector>

class CommandRegistry;
class QAction;
class QHBoxLayout;
class QMainWindow;
class QMenu;
class QMenuBar;
class QObject;
class QStackedWidget;
class QStatusBar;
class QToolBar;
class QWidget;

// The main window's layout built in code: the actions of the registered
// commands, the eight menus, the page stack, the status bar and the (still
// empty) toolbar. The main window fills
// the toolbar, sets the enabled states and the edition's texts.
class Ui_MainWindow
{
public:
    // One menu: its member, object name and title, and the ids of the
    // commands it shows, in order (a null id is a separator).
    struct MenuInfo
    {
        QMenu* Ui_MainWindow::*member;
        const char* objectName;
        const char* title;
        std::vector<const char*> ids;
    };

    // Every menu in menu-bar order.
    static const std::vector<MenuInfo>& menus();

    // Builds the layout with the commands of registry (the program's when
    // null), which must outlive this object.
    void setupUi(QMainWindow* mainWindow, const CommandRegistry* registry = nullptr);
    void retranslateUi(QMainWindow* mainWindow);

    // The action with that object name, or null.
    QAction* action(const QString& objectName) const;
    // The action of a command, with its id, shortcut and enable rule; its
    // text comes with retranslateUi.
    QAction* makeAction(const FeatureCommand& command, QObject* parent);
    // Actions with their enable rule, in creation order.
    const std::vector<std::pair<QAction*, MenuRule>>& enableRules() const { return m_enableRules; }

    // Start
    QAction* actionNew = nullptr;
    QAction* actionOpen_File = nullptr;
    QAction* actionImport_Prior_Year_s_Return = nullptr;
    QAction* actionSave_Return = nullptr;
    QAction* actionSave_Return_As = nullptr;
    QAction* actionFind_Return_Files = nullptr;
    QAction* actionClose_Return = nullptr;
    QAction* actionPreference = nullptr;
    QAction* actionSet_Return_for_ReFile = nullptr;
    QAction* actionUn_set_Return_for_ReFile = nullptr;
    QAction* actionAuto_Fill_AFR = nullptr;
    QAction* actionExpress_NOA = nullptr;
    QAction* actionChange_Tax_Province = nullptr;
    QAction* actionCouple_Returns_2to1 = nullptr;
    QAction* actionDe_Couple_Return_1to2 = nullptr;
    QAction* actionQuit = nullptr;
    // Slips/Notes
    QAction* actionRemove_Selected_Slip = nullptr;
    QAction* actionShare_slip_with_spouse = nullptr;
    QAction* actionUn_share_slip_with_spouse = nullptr;
    QAction* actionAdd_a_tax_note = nullptr;
    QAction* actionSlip_summary = nullptr;
    QAction* actionAdd_PRPP_slip = nullptr;
    QAction* actionAdd_RC62_slip = nullptr;
    QAction* actionAdd_RC210_slip = nullptr;
    QAction* actionAdd_Manitoba_shelter_benefit_slip = nullptr;
    QAction* actionAdd_T3_slip = nullptr;
    QAction* actionAdd_T4_slip = nullptr;
    QAction* actionAdd_T4A_slip = nullptr;
    QAction* actionAdd_T4A_OAS_slip = nullptr;
    QAction* actionAdd_T4A_P_slip = nullptr;
    QAction* actionAdd_T4A_RCA_slip = nullptr;
    QAction* actionAdd_T4E_slip = nullptr;
    QAction* actionAdd_T4FHSA_slip = nullptr;
    QAction* actionAdd_T4PS_slip = nullptr;
    QAction* actionAdd_T4RIF_slip = nullptr;
    QAction* actionAdd_T4RSP_slip = nullptr;
    QAction* actionAdd_T5_slip = nullptr;
    QAction* actionAdd_T1204_slip = nullptr;
    QAction* actionAdd_T2202_slip = nullptr;
    QAction* actionAdd_T5003_slip = nullptr;
    QAction* actionAdd_T5006_slip = nullptr;
    QAction* actionAdd_T5007 = nullptr;
    QAction* actionAdd_T5008_slip = nullptr;
    QAction* actionAdd_T5013_slip = nullptr;
    QAction* actionAdd_NR4_slip = nullptr;
    // Forms
    QAction* actionRemove_Selected_Form_Schedule = nullptr;
    QAction* actionAdd_a_Tax_Form = nullptr;
    QAction* actionArrange_Order_of_Tax_Forms = nullptr;
    QAction* actionShare_Form_to_Spouse = nullptr;
    QAction* actionUn_share_form_with_spouse = nullptr;
    // View
    QAction* actionBackground_Color = nullptr;
    QAction* actionSmall = nullptr;
    QAction* actionLarge = nullptr;
    QAction* actionMaximize_View = nullptr;
    // Windows
    QAction* actionWelcome = nullptr;
    // Planning/Optimize
    QAction* actionTax_Planning = nullptr;
    QAction* actionOptimize = nullptr;
    // Filing/Print
    QAction* actionValidate_Return = nullptr;
    QAction* actionInternetFiling = nullptr;
    QAction* actionFind_Returns_Not_Filed_Online = nullptr;
    QAction* actionGenerate_Print_pdf_Files = nullptr;
    QAction* actionSubmit_E_Auth_former_T1013 = nullptr;
    QAction* actionSubmit_PAD_Pre_authorized_Debit = nullptr;
    QAction* actionFile_T1135_Online = nullptr;
    QAction* actionSend_T183_for_E_Signature = nullptr;
    QAction* actionSend_E_Auth_for_E_Signature = nullptr;
    // Help
    QAction* actionFind_Industry_Code = nullptr;
    QAction* actionDirect_deposit_form = nullptr;
    QAction* actionSend_Return_File_to_Brannock = nullptr;
    QAction* actionAbout_Brannock = nullptr;
    QAction* actionUpdate_voDarevivo = nullptr;

    QWidget* centralwidget = nullptr;
    QHBoxLayout* horizontalLayout = nullptr;
    QStackedWidget* stackedWidget = nullptr;
    QWidget* page = nullptr;
    QWidget* page_2 = nullptr;
    QMenuBar* menubar = nullptr;
    QMenu* menuvoDarevivo = nullptr;
    QMenu* menuSlips = nullptr;
    QMenu* menuForms = nullptr;
    QMenu* menuView = nullptr;
    QMenu* menuWindows = nullptr;
    QMenu* menuPlanning_Optimize = nullptr;
    QMenu* menuFiling_Print = nullptr;
    QMenu* menuHelp = nullptr;
    QStatusBar* statusbar = nullptr;
    QToolBar* toolBar = nullptr;

private:
    std::vector<std::pair<QAction*, MenuRule>> m_enableRules;
    const CommandRegistry* m_registry = nullptr;
};
