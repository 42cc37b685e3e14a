#include "workspace/ui_mainwindow.h"

#include "workspace/menumnemonics.h"

#include <QAction>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>

namespace {

using U = Ui_MainWindow;
using E = Ui_MainWindow::Enable;

// A separator row.
const U::ActionInfo kSeparator = {nullptr, nullptr, nullptr, E::Always};

} // namespace

// Commands that act on the open return are enabled only while a return page
// is current: on the start page they would have nothing to act on. The
// E-Auth, PAD and e-signature submissions are not offered in this version.
const std::vector<U::MenuInfo>& Ui_MainWindow::menus()
{
    static const std::vector<MenuInfo> table = {
        {&U::menuvoDarevivo, "menuvoDarevivo", "Start",
         {
             {&U::actionNew, "actionNew", "New Return", E::Always},
             {&U::actionOpen_File, "actionOpen_File", "Open Return", E::Always},
             {&U::actionImport_Prior_Year_s_Return, "actionImport_Prior_Year_s_Return", "Import Prior Year's Return", E::Always},
             {&U::actionSave_Return, "actionSave_Return", "Save Return", E::WithReturn},
             {&U::actionSave_Return_As, "actionSave_Return_As", "Save Return As", E::WithReturn},
             {&U::actionFind_Return_Files, "actionFind_Return_Files", "Find Return Files", E::Always},
             {&U::actionClose_Return, "actionClose_Return", "Close Return", E::WithReturn},
             kSeparator,
             {&U::actionPreference, "actionPreference", "Preference", E::Always},
             kSeparator,
             {&U::actionSet_Return_for_ReFile, "actionSet_Return_for_ReFile", "Set Return for ReFile", E::WithReturn},
             {&U::actionUn_set_Return_for_ReFile, "actionUn_set_Return_for_ReFile", "Un-set Return for ReFile", E::WithReturn},
             kSeparator,
             {&U::actionAuto_Fill_AFR, "actionAuto_Fill_AFR", "Auto-Fill (AFR)", E::Always},
             {&U::actionExpress_NOA, "actionExpress_NOA", "Express NOA", E::Always},
             kSeparator,
             {&U::actionChange_Tax_Province, "actionChange_Tax_Province", "Change Tax Province", E::WithReturn},
             {&U::actionCouple_Returns_2to1, "actionCouple_Returns_2to1", "Couple Returns (2to1)", E::Always},
             {&U::actionDe_Couple_Return_1to2, "actionDe_Couple_Return_1to2", "De-Couple Return", E::WithReturn},
             kSeparator,
             {&U::actionQuit, "actionQuit", "Quit", E::Always},
         }},
        {&U::menuSlips, "menuSlips", "Slips/Notes",
         {
             {&U::actionRemove_Selected_Slip, "actionRemove_Selected_Slip", "Remove Selected Tax Slip/Note", E::WithReturn},
             kSeparator,
             {&U::actionShare_slip_with_spouse, "actionShare_slip_with_spouse", "Share slip with spouse", E::WithReturn},
             {&U::actionUn_share_slip_with_spouse, "actionUn_share_slip_with_spouse", "Un-share slip with spouse", E::WithReturn},
             kSeparator,
             {&U::actionAdd_a_tax_note, "actionAdd_a_tax_note", "Add a tax note", E::WithReturn},
             {&U::actionSlip_summary, "actionSlip_summary", "Slip Summary", E::WithReturn},
             kSeparator,
             {&U::actionAdd_PRPP_slip, "actionAdd_PRPP_slip", "Add PRPP slip", E::WithReturn},
             {&U::actionAdd_RC62_slip, "actionAdd_RC62_slip", "Add RC62 slip", E::WithReturn},
             {&U::actionAdd_RC210_slip, "actionAdd_RC210_slip", "Add RC210 slip", E::WithReturn},
             {&U::actionAdd_Manitoba_shelter_benefit_slip, "actionAdd_Manitoba_shelter_benefit_slip", "Add Manitoba shelter benefit slip", E::WithReturn},
             kSeparator,
             {&U::actionAdd_T3_slip, "actionAdd_T3_slip", "Add T3 slip", E::WithReturn},
             {&U::actionAdd_T4_slip, "actionAdd_T4_slip", "Add T4 slip", E::WithReturn},
             {&U::actionAdd_T4A_slip, "actionAdd_T4A_slip", "Add T4A slip", E::WithReturn},
             {&U::actionAdd_T4A_OAS_slip, "actionAdd_T4A_OAS_slip", "Add T4A(OAS) slip", E::WithReturn},
             {&U::actionAdd_T4A_P_slip, "actionAdd_T4A_P_slip", "Add T4A(P) slip", E::WithReturn},
             {&U::actionAdd_T4A_RCA_slip, "actionAdd_T4A_RCA_slip", "Add T4A-RCA slip", E::WithReturn},
             {&U::actionAdd_T4E_slip, "actionAdd_T4E_slip", "Add T4E slip", E::WithReturn},
             {&U::actionAdd_T4FHSA_slip, "actionAdd_T4FHSA_slip", "Add T4FHSA slip", E::WithReturn},
             {&U::actionAdd_T4PS_slip, "actionAdd_T4PS_slip", "Add T4PS slip", E::WithReturn},
             {&U::actionAdd_T4RIF_slip, "actionAdd_T4RIF_slip", "Add T4RIF slip", E::WithReturn},
             {&U::actionAdd_T4RSP_slip, "actionAdd_T4RSP_slip", "Add T4RSP slip", E::WithReturn},
             {&U::actionAdd_T5_slip, "actionAdd_T5_slip", "Add T5 slip", E::WithReturn},
             {&U::actionAdd_T1204_slip, "actionAdd_T1204_slip", "Add T1204 slip", E::WithReturn},
             {&U::actionAdd_T2202_slip, "actionAdd_T2202_slip", "Add T2202 slip", E::WithReturn},
             {&U::actionAdd_T5003_slip, "actionAdd_T5003_slip", "Add T5003 slip", E::WithReturn},
             {&U::actionAdd_T5006_slip, "actionAdd_T5006_slip", "Add T5006 slip", E::WithReturn},
             {&U::actionAdd_T5007, "actionAdd_T5007", "Add T5007", E::WithReturn},
             // Only explains where T5008 amounts go; needs no return.
             {&U::actionAdd_T5008_slip, "actionAdd_T5008_slip", "Add T5008 slip", E::Always},
             {&U::actionAdd_T5013_slip, "actionAdd_T5013_slip", "Add T5013 slip", E::WithReturn},
             {&U::actionAdd_NR4_slip, "actionAdd_NR4_slip", "Add NR4 slip", E::WithReturn},
         }},
        {&U::menuForms, "menuForms", "Forms",
         {
             {&U::actionRemove_Selected_Form_Schedule, "actionRemove_Selected_Form_Schedule", "Remove Selected Form/Schedule", E::WithReturn},
             {&U::actionAdd_a_Tax_Form, "actionAdd_a_Tax_Form", "Add a Tax Form ...", E::WithReturn},
             {&U::actionArrange_Order_of_Tax_Forms, "actionArrange_Order_of_Tax_Forms", "Arrange Order of Tax Forms ...", E::WithReturn},
             kSeparator,
             {&U::actionShare_Form_to_Spouse, "actionShare_Form_to_Spouse", "Share form to spouse's return", E::WithReturn},
             {&U::actionUn_share_form_with_spouse, "actionUn_share_form_with_spouse", "Un-share form with spouse's return", E::WithReturn},
         }},
        {&U::menuView, "menuView", "View",
         {
             {&U::actionBackground_Color, "actionBackground_Color", "Background Color ...", E::Always},
             {&U::actionSmall, "actionSmall", "Make Font Smaller", E::Always},
             {&U::actionLarge, "actionLarge", "Make Font Larger", E::Always},
             kSeparator,
             {&U::actionMaximize_View, "actionMaximize_View", "Maximize View", E::WithReturn},
         }},
        {&U::menuWindows, "menuWindows", "Windows",
         {
             {&U::actionWelcome, "actionWelcome", "Welcome", E::Always},
         }},
        {&U::menuPlanning_Optimize, "menuPlanning_Optimize", "Planning/Optimize",
         {
             {&U::actionTax_Planning, "actionTax_Planning", "Tax Planning", E::WithReturn},
             {&U::actionOptimize, "actionOptimize", "Optimize", E::WithReturn},
         }},
        {&U::menuFiling_Print, "menuFiling_Print", "Filing/Print",
         {
             {&U::actionValidate_Return, "actionValidate_Return", "Validate Return", E::WithReturn},
             {&U::actionInternetFiling, "actionInternetFiling", "DirErad to CRA", E::WithReturn},
             {&U::actionFind_Returns_Not_Filed_Online, "actionFind_Returns_Not_Filed_Online", "Find Returns Not-Filed-Online", E::Always},
             {&U::actionGenerate_Print_pdf_Files, "actionGenerate_Print_pdf_Files", "Generate Print (.pdf) Files", E::WithReturn},
             kSeparator,
             {&U::actionSubmit_E_Auth_former_T1013, "actionSubmit_E_Auth_former_T1013", "EFile E-Auth (former T1013)", E::Never},
             {&U::actionSubmit_PAD_Pre_authorized_Debit, "actionSubmit_PAD_Pre_authorized_Debit", "EFile PAD (Pre-authorized Debit)", E::Never},
             {&U::actionFile_T1135_Online, "actionFile_T1135_Online", "File T1135 Online", E::WithReturn},
             kSeparator,
             {&U::actionSend_T183_for_E_Signature, "actionSend_T183_for_E_Signature", "Send T183 for E-Signature", E::Never},
             {&U::actionSend_E_Auth_for_E_Signature, "actionSend_E_Auth_for_E_Signature", "Send E-Auth for E-Signature", E::Never},
         }},
        {&U::menuHelp, "menuHelp", "Help",
         {
             {&U::actionFind_Industry_Code, "actionFind_Industry_Code", "Find Industry Code", E::Always},
             {&U::actionDirect_deposit_form, "actionDirect_deposit_form", "Direct deposit form", E::Always},
             {&U::actionSend_Return_File_to_Brannock, "actionSend_Return_File_to_Brannock", "Send Return File to voDarevivo", E::WithReturn},
             kSeparator,
             {&U::actionAbout_Brannock, "actionAbout_Brannock", "About voDarevivo", E::Always},
             {&U::actionUpdate_voDarevivo, "actionUpdate_voDarevivo", "Update voDarevivo", E::Always},
         }},
    };
    return table;
}

void Ui_MainWindow::setupUi(QMainWindow* mainWindow)
{
    if (mainWindow->objectName().isEmpty())
        mainWindow->setObjectName(QStringLiteral("MainWindow"));
    mainWindow->resize(1270, 673);
    QFont font = mainWindow->font();
    font.setPointSize(10);
    mainWindow->setFont(font);
    mainWindow->setToolButtonStyle(Qt::ToolButtonIconOnly);

    m_enableRules.clear();
    for (const MenuInfo& menu : menus()) {
        for (const ActionInfo& entry : menu.entries) {
            if (!entry.member)
                continue;
            QAction* action = new QAction(mainWindow);
            action->setObjectName(QString::fromLatin1(entry.objectName));
            this->*entry.member = action;
            m_enableRules.emplace_back(action, entry.enable);
        }
    }
    // The keys every desktop program answers to.
    const std::pair<QAction* Ui_MainWindow::*, QKeySequence> shortcuts[] = {
        {&U::actionNew, QKeySequence::New},
        {&U::actionOpen_File, QKeySequence::Open},
        {&U::actionSave_Return, QKeySequence::Save},
        {&U::actionSave_Return_As, QKeySequence(Qt::CTRL + Qt::SHIFT + Qt::Key_S)},
        {&U::actionClose_Return, QKeySequence(Qt::CTRL + Qt::Key_W)},
        {&U::actionQuit, QKeySequence(Qt::CTRL + Qt::Key_Q)},
        {&U::actionAbout_Brannock, QKeySequence(Qt::Key_F1)},
    };
    for (const auto& shortcut : shortcuts)
        (this->*shortcut.first)->setShortcut(shortcut.second);

    centralwidget = new QWidget(mainWindow);
    centralwidget->setObjectName(QStringLiteral("centralwidget"));
    centralwidget->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    horizontalLayout = new QHBoxLayout(centralwidget);
    horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    stackedWidget = new QStackedWidget(centralwidget);
    stackedWidget->setObjectName(QStringLiteral("stackedWidget"));
    stackedWidget->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    page = new QWidget();
    page->setObjectName(QStringLiteral("page"));
    stackedWidget->addWidget(page);
    page_2 = new QWidget();
    page_2->setObjectName(QStringLiteral("page_2"));
    stackedWidget->addWidget(page_2);
    horizontalLayout->addWidget(stackedWidget);
    mainWindow->setCentralWidget(centralwidget);

    menubar = new QMenuBar(mainWindow);
    menubar->setObjectName(QStringLiteral("menubar"));
    menubar->setGeometry(QRect(0, 0, 1270, 24));
    for (const MenuInfo& info : menus()) {
        QMenu* menu = new QMenu(menubar);
        menu->setObjectName(QString::fromLatin1(info.objectName));
        this->*info.member = menu;
    }
    mainWindow->setMenuBar(menubar);
    statusbar = new QStatusBar(mainWindow);
    statusbar->setObjectName(QStringLiteral("statusbar"));
    mainWindow->setStatusBar(statusbar);
    toolBar = new QToolBar(mainWindow);
    toolBar->setObjectName(QStringLiteral("toolBar"));
    mainWindow->addToolBar(Qt::TopToolBarArea, toolBar);

    for (const MenuInfo& info : menus()) {
        QMenu* menu = this->*info.member;
        menubar->addAction(menu->menuAction());
        for (const ActionInfo& entry : info.entries) {
            if (entry.member)
                menu->addAction(this->*entry.member);
            else
                menu->addSeparator();
        }
    }

    retranslateUi(mainWindow);
    QMetaObject::connectSlotsByName(mainWindow);
}

void Ui_MainWindow::retranslateUi(QMainWindow* mainWindow)
{
    mainWindow->setWindowTitle(QCoreApplication::translate("MainWindow", "voDarevivo"));
    // Alt and a letter open a menu, then a letter chooses its entry.
    QString menuLetters;
    for (const MenuInfo& info : menus()) {
        (this->*info.member)->setTitle(withMnemonic(QCoreApplication::translate("MainWindow", info.title), menuLetters));
        QString entryLetters;
        for (const ActionInfo& entry : info.entries) {
            if (entry.member)
                (this->*entry.member)
                    ->setText(withMnemonic(QCoreApplication::translate("MainWindow", entry.text), entryLetters));
        }
    }
    toolBar->setWindowTitle(QCoreApplication::translate("MainWindow", "toolBar"));
}

QAction* Ui_MainWindow::action(const QString& objectName) const
{
    for (const auto& rule : m_enableRules) {
        if (rule.first->objectName() == objectName)
            return rule.first;
    }
    return nullptr;
}
