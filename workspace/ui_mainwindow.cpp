#include "workspace/ui_mainwindow.h"

#include "workspace/commandregistry.h"
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

using U = Ui_MainWindow;

// Where the window places the commands, by id, in today's order (a null id
// is a separator). What each does, its text and when it is enabled are the
// command's own (CommandRegistry); a command no list names goes at the end
// of its menu.
const std::vector<U::MenuInfo>& Ui_MainWindow::menus()
{
    static const std::vector<MenuInfo> table = {
        {&U::menuvoDarevivo, "menuvoDarevivo", "Start",
         {
             "actionNew",
             "actionOpen_File",
             "actionImport_Prior_Year_s_Return",
             "actionSave_Return",
             "actionSave_Return_As",
             "actionFind_Return_Files",
             "actionClose_Return",
             nullptr,
             "actionPreference",
             nullptr,
             "actionSet_Return_for_ReFile",
             "actionUn_set_Return_for_ReFile",
             nullptr,
             "actionAuto_Fill_AFR",
             "actionExpress_NOA",
             nullptr,
             "actionChange_Tax_Province",
             "actionCouple_Returns_2to1",
             "actionDe_Couple_Return_1to2",
             nullptr,
             "actionQuit",
         }},
        {&U::menuSlips, "menuSlips", "Slips/Notes",
         {
             "actionRemove_Selected_Slip",
             nullptr,
             "actionShare_slip_with_spouse",
             "actionUn_share_slip_with_spouse",
             nullptr,
             "actionAdd_a_tax_note",
             "actionSlip_summary",
             nullptr,
             "actionAdd_PRPP_slip",
             "actionAdd_RC62_slip",
             "actionAdd_RC210_slip",
             "actionAdd_Manitoba_shelter_benefit_slip",
             nullptr,
             "actionAdd_T3_slip",
             "actionAdd_T4_slip",
             "actionAdd_T4A_slip",
             "actionAdd_T4A_OAS_slip",
             "actionAdd_T4A_P_slip",
             "actionAdd_T4A_RCA_slip",
             "actionAdd_T4E_slip",
             "actionAdd_T4FHSA_slip",
             "actionAdd_T4PS_slip",
             "actionAdd_T4RIF_slip",
             "actionAdd_T4RSP_slip",
             "actionAdd_T5_slip",
             "actionAdd_T1204_slip",
             "actionAdd_T2202_slip",
             "actionAdd_T5003_slip",
             "actionAdd_T5006_slip",
             "actionAdd_T5007",
             "actionAdd_T5008_slip",
             "actionAdd_T5013_slip",
             "actionAdd_NR4_slip",
         }},
        {&U::menuForms, "menuForms", "Forms",
         {
             "actionRemove_Selected_Form_Schedule",
             "actionAdd_a_Tax_Form",
             "actionArrange_Order_of_Tax_Forms",
             nullptr,
             "actionShare_Form_to_Spouse",
             "actionUn_share_form_with_spouse",
         }},
        {&U::menuView, "menuView", "View",
         {
             "actionBackground_Color",
             "actionSmall",
             "actionLarge",
             nullptr,
             "actionMaximize_View",
         }},
        {&U::menuWindows, "menuWindows", "Windows",
         {
             "actionWelcome",
         }},
        {&U::menuPlanning_Optimize, "menuPlanning_Optimize", "Planning/Optimize",
         {
             "actionTax_Planning",
             "actionOptimize",
         }},
        {&U::menuFiling_Print, "menuFiling_Print", "Filing/Print",
         {
             "actionValidate_Return",
             "actionInternetFiling",
             "actionFind_Returns_Not_Filed_Online",
             "actionGenerate_Print_pdf_Files",
             nullptr,
             "actionSubmit_E_Auth_former_T1013",
             "actionSubmit_PAD_Pre_authorized_Debit",
             "actionFile_T1135_Online",
             nullptr,
             "actionSend_T183_for_E_Signature",
             "actionSend_E_Auth_for_E_Signature",
         }},
        {&U::menuHelp, "menuHelp", "Help",
         {
             "actionFind_Industry_Code",
             "actionDirect_deposit_form",
             "actionSend_Return_File_to_Brannock",
             nullptr,
             "actionAbout_Brannock",
             "actionUpdate_voDarevivo",
         }},
    };
    return table;
}

namespace {

// The actions the window's code names, by their commands' ids.
const std::pair<QAction* Ui_MainWindow::*, const char*> kMembers[] = {
    {&U::actionNew, "actionNew"},
    {&U::actionOpen_File, "actionOpen_File"},
    {&U::actionImport_Prior_Year_s_Return, "actionImport_Prior_Year_s_Return"},
    {&U::actionSave_Return, "actionSave_Return"},
    {&U::actionSave_Return_As, "actionSave_Return_As"},
    {&U::actionFind_Return_Files, "actionFind_Return_Files"},
    {&U::actionClose_Return, "actionClose_Return"},
    {&U::actionPreference, "actionPreference"},
    {&U::actionSet_Return_for_ReFile, "actionSet_Return_for_ReFile"},
    {&U::actionUn_set_Return_for_ReFile, "actionUn_set_Return_for_ReFile"},
    {&U::actionAuto_Fill_AFR, "actionAuto_Fill_AFR"},
    {&U::actionExpress_NOA, "actionExpress_NOA"},
    {&U::actionChange_Tax_Province, "actionChange_Tax_Province"},
    {&U::actionCouple_Returns_2to1, "actionCouple_Returns_2to1"},
    {&U::actionDe_Couple_Return_1to2, "actionDe_Couple_Return_1to2"},
    {&U::actionQuit, "actionQuit"},
    {&U::actionRemove_Selected_Slip, "actionRemove_Selected_Slip"},
    {&U::actionShare_slip_with_spouse, "actionShare_slip_with_spouse"},
    {&U::actionUn_share_slip_with_spouse, "actionUn_share_slip_with_spouse"},
    {&U::actionAdd_a_tax_note, "actionAdd_a_tax_note"},
    {&U::actionSlip_summary, "actionSlip_summary"},
    {&U::actionAdd_PRPP_slip, "actionAdd_PRPP_slip"},
    {&U::actionAdd_RC62_slip, "actionAdd_RC62_slip"},
    {&U::actionAdd_RC210_slip, "actionAdd_RC210_slip"},
    {&U::actionAdd_Manitoba_shelter_benefit_slip, "actionAdd_Manitoba_shelter_benefit_slip"},
    {&U::actionAdd_T3_slip, "actionAdd_T3_slip"},
    {&U::actionAdd_T4_slip, "actionAdd_T4_slip"},
    {&U::actionAdd_T4A_slip, "actionAdd_T4A_slip"},
    {&U::actionAdd_T4A_OAS_slip, "actionAdd_T4A_OAS_slip"},
    {&U::actionAdd_T4A_P_slip, "actionAdd_T4A_P_slip"},
    {&U::actionAdd_T4A_RCA_slip, "actionAdd_T4A_RCA_slip"},
    {&U::actionAdd_T4E_slip, "actionAdd_T4E_slip"},
    {&U::actionAdd_T4FHSA_slip, "actionAdd_T4FHSA_slip"},
    {&U::actionAdd_T4PS_slip, "actionAdd_T4PS_slip"},
    {&U::actionAdd_T4RIF_slip, "actionAdd_T4RIF_slip"},
    {&U::actionAdd_T4RSP_slip, "actionAdd_T4RSP_slip"},
    {&U::actionAdd_T5_slip, "actionAdd_T5_slip"},
    {&U::actionAdd_T1204_slip, "actionAdd_T1204_slip"},
    {&U::actionAdd_T2202_slip, "actionAdd_T2202_slip"},
    {&U::actionAdd_T5003_slip, "actionAdd_T5003_slip"},
    {&U::actionAdd_T5006_slip, "actionAdd_T5006_slip"},
    {&U::actionAdd_T5007, "actionAdd_T5007"},
    {&U::actionAdd_T5008_slip, "actionAdd_T5008_slip"},
    {&U::actionAdd_T5013_slip, "actionAdd_T5013_slip"},
    {&U::actionAdd_NR4_slip, "actionAdd_NR4_slip"},
    {&U::actionRemove_Selected_Form_Schedule, "actionRemove_Selected_Form_Schedule"},
    {&U::actionAdd_a_Tax_Form, "actionAdd_a_Tax_Form"},
    {&U::actionArrange_Order_of_Tax_Forms, "actionArrange_Order_of_Tax_Forms"},
    {&U::actionShare_Form_to_Spouse, "actionShare_Form_to_Spouse"},
    {&U::actionUn_share_form_with_spouse, "actionUn_share_form_with_spouse"},
    {&U::actionBackground_Color, "actionBackground_Color"},
    {&U::actionSmall, "actionSmall"},
    {&U::actionLarge, "actionLarge"},
    {&U::actionMaximize_View, "actionMaximize_View"},
    {&U::actionWelcome, "actionWelcome"},
    {&U::actionTax_Planning, "actionTax_Planning"},
    {&U::actionOptimize, "actionOptimize"},
    {&U::actionValidate_Return, "actionValidate_Return"},
    {&U::actionInternetFiling, "actionInternetFiling"},
    {&U::actionFind_Returns_Not_Filed_Online, "actionFind_Returns_Not_Filed_Online"},
    {&U::actionGenerate_Print_pdf_Files, "actionGenerate_Print_pdf_Files"},
    {&U::actionSubmit_E_Auth_former_T1013, "actionSubmit_E_Auth_former_T1013"},
    {&U::actionSubmit_PAD_Pre_authorized_Debit, "actionSubmit_PAD_Pre_authorized_Debit"},
    {&U::actionFile_T1135_Online, "actionFile_T1135_Online"},
    {&U::actionSend_T183_for_E_Signature, "actionSend_T183_for_E_Signature"},
    {&U::actionSend_E_Auth_for_E_Signature, "actionSend_E_Auth_for_E_Signature"},
    {&U::actionFind_Industry_Code, "actionFind_Industry_Code"},
    {&U::actionDirect_deposit_form, "actionDirect_deposit_form"},
    {&U::actionSend_Return_File_to_Brannock, "actionSend_Return_File_to_Brannock"},
    {&U::actionAbout_Brannock, "actionAbout_Brannock"},
    {&U::actionUpdate_voDarevivo, "actionUpdate_voDarevivo"},
};

} // namespace

namespace {

// Commands the window places itself, only where the configuration asks.
bool placedAtRunTime(const QString& id)
{
    return id == QLatin1String("actionGeneratePrintFiles");
}

} // namespace

QAction* Ui_MainWindow::makeAction(const FeatureCommand& command, QObject* parent)
{
    QAction* action = new QAction(parent);
    action->setObjectName(QString::fromLatin1(command.id));
    if (command.shortcut && *command.shortcut)
        action->setShortcut(QKeySequence(QString::fromLatin1(command.shortcut), QKeySequence::PortableText));
    m_enableRules.emplace_back(action, command.enabled);
    return action;
}

void Ui_MainWindow::setupUi(QMainWindow* mainWindow, const CommandRegistry* commands)
{
    m_registry = commands ? commands : &CommandRegistry::program();
    if (mainWindow->objectName().isEmpty())
        mainWindow->setObjectName(QStringLiteral("MainWindow"));
    mainWindow->resize(1270, 673);
    QFont font = mainWindow->font();
    font.setPointSize(10);
    mainWindow->setFont(font);
    mainWindow->setToolButtonStyle(Qt::ToolButtonIconOnly);

    const CommandRegistry& registry = *m_registry;
    m_enableRules.clear();
    // Each menu's rows: its placed commands in order (null: a separator),
    // then the commands of that menu that no list places.
    std::vector<std::vector<QAction*>> rows;
    for (const MenuInfo& menu : menus()) {
        rows.emplace_back();
        for (const char* id : menu.ids) {
            const FeatureCommand* command = id ? registry.find(QString::fromLatin1(id)) : nullptr;
            rows.back().push_back(command ? makeAction(*command, mainWindow) : nullptr);
        }
    }
    for (const FeatureCommand& command : registry.commands()) {
        const QString id = QString::fromLatin1(command.id);
        if (action(id) || placedAtRunTime(id))
            continue;
        for (std::size_t i = 0; i < menus().size(); ++i) {
            if (QLatin1String(menus()[i].objectName) == QLatin1String(command.menu))
                rows[i].push_back(makeAction(command, mainWindow));
        }
    }
    for (const auto& member : kMembers)
        this->*member.first = action(QString::fromLatin1(member.second));

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

    for (std::size_t i = 0; i < menus().size(); ++i) {
        QMenu* menu = this->*menus()[i].member;
        menubar->addAction(menu->menuAction());
        for (QAction* row : rows[i]) {
            if (row)
                menu->addAction(row);
            else
                menu->addSeparator();
        }
    }

    retranslateUi(mainWindow);
}

void Ui_MainWindow::retranslateUi(QMainWindow* mainWindow)
{
    mainWindow->setWindowTitle(QCoreApplication::translate("MainWindow", "voDarevivo"));
    const CommandRegistry& registry = m_registry ? *m_registry : CommandRegistry::program();
    // Alt and a letter open a menu, then a letter chooses its entry.
    QString menuLetters;
    for (const MenuInfo& info : menus()) {
        QMenu* menu = this->*info.member;
        menu->setTitle(withMnemonic(QCoreApplication::translate("MainWindow", info.title), menuLetters));
        QString entryLetters;
        for (QAction* entry : menu->actions()) {
            if (const FeatureCommand* command = registry.find(entry->objectName()))
                entry->setText(withMnemonic(QCoreApplication::translate("MainWindow", command->text), entryLetters));
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
