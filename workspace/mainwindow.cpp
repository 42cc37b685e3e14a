#include "workspace/mainwindow.h"

#include "app/tabwndapp.h"
#include "workspace/actionshowreturn.h"
#include "workspace/commandregistry.h"
#include "workspace/returnpageinterface.h"
#include "workspace/ui_mainwindow.h"
#include "workspace/viewintroduction.h"

#include <QCloseEvent>
#include <QColorDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>

#include <set>

MainWindow* MainWindow::instance = nullptr;

namespace {

const char kReleaseDate[] = "2024-12-13";

struct ToolButtonInfo
{
    QAction* Ui_MainWindow::*action;
    const char* icon;
    const char* iconText;
    bool separatorAfter;
};

const ToolButtonInfo kToolBar[] = {
    {&Ui_MainWindow::actionNew, ":/res/images/icon_blank.ico", "&New", false},
    {&Ui_MainWindow::actionOpen_File, ":/res/images/icon_book.ico", "&Open", false},
    {&Ui_MainWindow::actionImport_Prior_Year_s_Return, ":/res/images/import_120157.ico", "&Import", false},
    {&Ui_MainWindow::actionFind_Return_Files, ":/res/images/icon_find.png", "&Find Return", false},
    {&Ui_MainWindow::actionSave_Return, ":/res/images/icon_disk.ico", "&Save", false},
    {&Ui_MainWindow::actionClose_Return, ":/res/images/icon_close.ico", "&Close", false},
    {&Ui_MainWindow::actionMaximize_View, ":/res/images/icon_view.ico", "&Toggle", false},
    {&Ui_MainWindow::actionOptimize, ":/res/images/bulb.png", "&Optimize", true},
    {&Ui_MainWindow::actionAdd_a_Tax_Form, ":/res/images/icon_table.ico", "+&Form", false},
    {&Ui_MainWindow::actionValidate_Return, ":/res/images/icon_validate.ico", "&Validate", false},
    {&Ui_MainWindow::actionInternetFiling, ":/res/images/icon_atom.ico", "DirErad Return", false},
    {&Ui_MainWindow::actionGenerate_Print_pdf_Files, ":/res/images/icon_printer.ico", "Generate &Print", true},
    {&Ui_MainWindow::actionPreference, ":/res/images/icon_setting.ico", "&Preference", false},
    {&Ui_MainWindow::actionAbout_Brannock, ":/res/images/info.png", "&About", false},
};

bool isEfileEdition()
{
    return TabWndApp::s_appPurpose == 1;
}

} // namespace

MainWindow* MainWindow::getInstance(QWidget* parent)
{
    if (!instance)
        instance = new MainWindow(TabWndApp::getMainApp(), parent);
    return instance;
}

MainWindow::MainWindow(TabWndApp* app, QWidget* parent)
    : QMainWindow(parent),
      m_pApp(app),
      ui(new Ui_MainWindow),
      m_iFontSize(kDefaultFontSize),
      m_nOpenReturns(0),
      m_actGeneratePrintFiles(nullptr)
{
    ui->setupUi(this);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    buildToolBar();

    const FeatureCommand* genPrint = CommandRegistry::program().find(QStringLiteral("actionGeneratePrintFiles"));
    if (genPrint && m_pApp && m_pApp->m_config.EnableGenPrint) {
        m_actGeneratePrintFiles = ui->makeAction(*genPrint, this);
        m_actGeneratePrintFiles->setText(tr(genPrint->text));
        ui->menuHelp->addAction(m_actGeneratePrintFiles);
    }
    // One slot runs every command, by the id its action carries.
    for (const auto& rule : ui->enableRules())
        connect(rule.first, &QAction::triggered, this, &MainWindow::onCommandTriggered);

    m_pViewIntro = new ViewIntroduction(m_pApp, this, ui->stackedWidget);
    ui->stackedWidget->addWidget(m_pViewIntro);
    ui->stackedWidget->setCurrentWidget(m_pViewIntro);

    const auto makePanel = [this]() {
        QLabel* label = new QLabel(this);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        return label;
    };
    m_lblStatus1 = makePanel();
    m_lblStatus1->setObjectName(QStringLiteral("lblStatus1"));
    m_lblStatus2 = makePanel();
    m_lblStatus2->setObjectName(QStringLiteral("lblStatus2"));
    m_lblResult = makePanel();
    m_lblResult->setObjectName(QStringLiteral("lblResult"));
    statusBar()->addPermanentWidget(m_lblStatus1, 1);
    statusBar()->addPermanentWidget(m_lblStatus2, 1);
    statusBar()->addPermanentWidget(m_lblResult, 2);

    if (m_pApp)
        m_iFontSize = fontSizeFromSetting(m_pApp->m_config.FontSize);
    applyEdition();
    m_colorChooser = []() { return QColorDialog::getColor(); };
    syncWndTitleAndStatus();
}

MainWindow::~MainWindow()
{
    // The return pages go first, while this window is still whole: an
    // editor that has the focus with an unfinished edit must neither finish
    // it into a return nor refresh the status bar of a window half-way
    // through its destruction (a page that goes silences its editors).
    for (ReturnPageInterface* page : openReturnPages())
        delete page->pageWidget();
    ui->stackedWidget->close();
    delete m_pViewIntro;
    m_pViewIntro = nullptr;
    delete ui;
    // Nobody may reach a window that is gone.
    if (instance == this)
        instance = nullptr;
}

void MainWindow::buildToolBar()
{
    for (const ToolButtonInfo& button : kToolBar) {
        QAction* action = ui->*button.action;
        action->setIcon(QIcon(QString::fromLatin1(button.icon)));
        action->setIconText(tr(button.iconText));
        ui->toolBar->addAction(action);
        if (button.separatorAfter)
            ui->toolBar->addSeparator();
    }
    if (isEfileEdition())
        ui->actionInternetFiling->setIconText(tr("EFile Return"));
}

void MainWindow::applyEdition()
{
    if (isEfileEdition()) {
        ui->actionInternetFiling->setText(tr("EFile to CRA"));
    } else {
        ui->menuFiling_Print->removeAction(ui->actionSubmit_E_Auth_former_T1013);
        ui->menuFiling_Print->removeAction(ui->actionSubmit_PAD_Pre_authorized_Debit);
    }
}

int MainWindow::fontSizeFromSetting(const QString& text)
{
    bool ok = false;
    const int size = text.trimmed().toInt(&ok, 10);
    return ok && size >= kMinFontSize && size <= kMaxFontSize ? size : kDefaultFontSize;
}

bool MainWindow::canOpenMoreReturn()
{
    if (m_nOpenReturns < kMaxOpenReturns)
        return true;
    TabWndApp::gAppInformation(
        tr("Maximum number of returns are opened already. Please click 'Close' button on top to close a return first!"),
        this);
    return false;
}

int MainWindow::nextReturnNumber() const
{
    std::set<int> used;
    for (ReturnPageInterface* page : openReturnPages())
        used.insert(page->returnNumber());
    int number = 1;
    while (used.count(number))
        ++number;
    return number;
}

ReturnPageInterface* MainWindow::currentReturnPage() const
{
    return dynamic_cast<ReturnPageInterface*>(ui->stackedWidget->currentWidget());
}

QList<ReturnPageInterface*> MainWindow::openReturnPages() const
{
    QList<ReturnPageInterface*> pages;
    for (int i = 0; i < ui->stackedWidget->count(); ++i) {
        if (auto* page = dynamic_cast<ReturnPageInterface*>(ui->stackedWidget->widget(i)))
            pages << page;
    }
    return pages;
}

ReturnPageInterface* MainWindow::findOpenReturn(const QString& path) const
{
    const QFileInfo wanted(path);
    const QString wantedPath = wanted.exists() ? wanted.canonicalFilePath() : wanted.absoluteFilePath();
    if (wantedPath.isEmpty())
        return nullptr;
    for (ReturnPageInterface* page : openReturnPages()) {
        QString pagePath;
        page->getFilepath(pagePath);
        if (pagePath.isEmpty() || !page->hasFileToSave())
            continue;
        const QFileInfo info(pagePath);
        const QString open = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
        if (open == wantedPath)
            return page;
    }
    return nullptr;
}

ActionShowReturn* MainWindow::showReturnAction(ReturnPageInterface* page) const
{
    for (ActionShowReturn* entry : m_returnEntries) {
        if (entry->page() == page)
            return entry;
    }
    return nullptr;
}

void MainWindow::presentReturnPage(ReturnPageInterface* page)
{
    ++m_nOpenReturns;
    ui->stackedWidget->addWidget(page->pageWidget());
    ui->stackedWidget->setCurrentWidget(page->pageWidget());

    auto* entry = new ActionShowReturn(page, ActionShowReturn::entryText(page->returnNumber(), page->getTitle()), this);
    m_returnEntries << entry;
    ui->menuWindows->addAction(entry);
    connect(entry, &QAction::triggered, this, &MainWindow::actionShowReturn);
    syncWndTitleAndStatus();
}

void MainWindow::refreshReturnEntry(ReturnPageInterface* page)
{
    if (ActionShowReturn* entry = showReturnAction(page))
        entry->setText(ActionShowReturn::entryText(page->returnNumber(), page->getTitle()));
}

void MainWindow::showReturnPage(ReturnPageInterface* page)
{
    if (!page || ui->stackedWidget->indexOf(page->pageWidget()) < 0)
        return;
    ui->stackedWidget->setCurrentWidget(page->pageWidget());
    syncWndTitleAndStatus();
}

void MainWindow::showReturnResultInStatus(const CString& text)
{
    m_lblResult->setText(text);
    // Every recalculation passes here: the title follows the edit at once.
    refreshWindowTitle();
}

void MainWindow::refreshWindowTitle()
{
    ReturnPageInterface* page = currentReturnPage();
    if (!page) {
        setWindowTitle(TabWndApp::s_appTitle + QStringLiteral(" - Release date: ") + QLatin1String(kReleaseDate));
        return;
    }
    // A leading "*" marks a return with changes that are not saved yet.
    setWindowTitle((page->isChanged() ? QStringLiteral("*") : QString()) + TabWndApp::s_appTitle
                   + QStringLiteral(" - ") + page->getTitle());
}

void MainWindow::syncWndTitleAndStatus()
{
    ReturnPageInterface* page = currentReturnPage();
    if (page) {
        QString status;
        page->refreshReturnStatus(status);
        showReturnResultInStatus(status);
        refreshReturnEntry(page);
    } else {
        m_lblResult->clear();
    }
    refreshWindowTitle();
    ReturnMenuFacts facts;
    facts.returnShown = page != nullptr;
    for (const auto& rule : ui->enableRules())
        rule.first->setEnabled(rule.second(facts));
}

void MainWindow::actionShowWelcome()
{
    ui->stackedWidget->setCurrentWidget(m_pViewIntro);
    syncWndTitleAndStatus();
}

void MainWindow::actionShowReturn()
{
    auto* entry = dynamic_cast<ActionShowReturn*>(sender());
    if (entry)
        showReturnPage(entry->page());
}

bool MainWindow::closeReturnPage(ReturnPageInterface* page)
{
    page->saveCurFormDataToDoc();
    if (!page->onCloseReturn())
        return false;
    QWidget* widget = page->pageWidget();
    ui->stackedWidget->removeWidget(widget);
    if (ActionShowReturn* entry = showReturnAction(page)) {
        m_returnEntries.removeOne(entry);
        ui->menuWindows->removeAction(entry);
        entry->deleteLater();
    }
    widget->deleteLater();
    --m_nOpenReturns;
    syncWndTitleAndStatus();
    return true;
}

void MainWindow::actionCloseReturn()
{
    if (m_nOpenReturns < 1)
        return;
    if (ReturnPageInterface* page = currentReturnPage())
        closeReturnPage(page);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Every changed return is shown and asked about in turn; a return that
    // the user saves or discards closes, and Cancel keeps the program
    // running with the rest still open. A return that was never saved has
    // nothing on disk: it is asked about even when unchanged since it was
    // made, or what the new-return wizard took in would be lost unasked.
    for (ReturnPageInterface* page : openReturnPages()) {
        page->saveCurFormDataToDoc();
        if (!page->isChanged() && page->hasFileToSave())
            continue;
        showReturnPage(page);
        if (!closeReturnPage(page)) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

void MainWindow::actionQuit()
{
    // Through the window's close, so that no changed return is lost.
    close();
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_pApp)
        m_pApp->checkLatestVersion();
    grabForTestIfAsked();
}

void MainWindow::changeFontSizeBy(int step)
{
    const int size = qBound(kMinFontSize, m_iFontSize + step, kMaxFontSize);
    if (size == m_iFontSize)
        return;
    m_iFontSize = size;
    if (m_pApp)
        m_pApp->m_config.FontSize = QString::number(m_iFontSize);
    if (ReturnPageInterface* page = currentReturnPage()) {
        // The page is rebuilt: what was typed on it must be in the return first.
        page->saveCurFormDataToDoc();
        page->changeFontSize(m_iFontSize);
    }
}

void MainWindow::on_actionLarge_triggered()
{
    changeFontSizeBy(2);
}

void MainWindow::on_actionSmall_triggered()
{
    changeFontSizeBy(-2);
}

void MainWindow::on_actionMaximize_View_triggered()
{
    ReturnPageInterface* page = preparedReturnPage();
    if (!page)
        return;
    ui->actionMaximize_View->setText(page->toggleViewMode() ? tr("Maximize View") : tr("Restore View"));
}

void MainWindow::on_actionBackground_Color_triggered()
{
    const QColor colour = m_colorChooser ? m_colorChooser() : QColor();
    if (!colour.isValid())
        return;
    if (m_pApp)
        m_pApp->m_config.BKColor = colour.name();
    if (ReturnPageInterface* page = currentReturnPage()) {
        page->saveCurFormDataToDoc();
        page->refreshViewForColorFontSize();
    }
}
