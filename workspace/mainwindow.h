#pragma once

#include "agencydata/storedrecordshost.h"
#include "companion/core/cstring.h"
#include "model/featurecontext.h"

#include <QColor>
#include <QMainWindow>

#include <functional>

class ActionShowReturn;
class CFamilyTaxData;
class Form_Return;
class QFileInfo;
class QLabel;
class QMenu;
class ReturnPageInterface;
class TabWndApp;
class Ui_MainWindow;
class ViewIntroduction;

// The program's only top-level window: menus, toolbar and status bar, and a
// page stack that shows either the start page or the page of one open return
// (at most two returns are open at once). The title, the result panel and
// the enabled state of every action follow the current page.
class MainWindow : public QMainWindow, public StoredRecordsHost
{
    Q_OBJECT
public:
    static constexpr int kMaxOpenReturns = 2;
    static constexpr int kMinFontSize = 6;
    static constexpr int kMaxFontSize = 20;
    static constexpr int kDefaultFontSize = 12;

    // The one main window, created on the first call with the application
    // object. Null again once the window is destroyed.
    static MainWindow* getInstance(QWidget* parent = nullptr);
    ~MainWindow() override;

    Ui_MainWindow* widgets() const { return ui; }
    ViewIntroduction* startPage() const { return m_pViewIntro; }

    // True while another return may be opened; otherwise tells the user and
    // returns false.
    bool canOpenMoreReturn();
    int openReturnCount() const { return m_nOpenReturns; }
    // The lowest return number not used by an open page: the number to give
    // the page that is about to be opened.
    int nextReturnNumber() const;
    // Adds a new return page to the stack and the Windows menu and makes it
    // current. The page widget passes to the stack (Qt parent).
    void presentReturnPage(ReturnPageInterface* page);
    // Opens a return in a new page, which takes ownership of data. file is
    // the file it was read from, or null for a return without a file.
    void _presentAReturn(QFileInfo* file, CFamilyTaxData* data);
    // The current page when it is a return page, else null.
    ReturnPageInterface* currentReturnPage() const;
    // Every open return page in the stack's order.
    QList<ReturnPageInterface*> openReturnPages() const;
    // The open page whose file is path (compared as canonical paths), or null.
    ReturnPageInterface* findOpenReturn(const QString& path) const;
    // Makes an open page current.
    void showReturnPage(ReturnPageInterface* page);
    // When path is open in a page: that page is shown, refusal (with %1 the
    // path) is told, and true is returned.
    bool showInsteadIfOpen(const QString& path, const QString& refusal);
    // The Windows-menu entry of an open page, or null.
    ActionShowReturn* showReturnAction(ReturnPageInterface* page) const;
    // A page calls this when its file changes, so that its Windows entry
    // names the new file.
    void refreshReturnEntry(ReturnPageInterface* page);

    void showReturnResultInStatus(const CString& text);
    void syncWndTitleAndStatus();
    // The program's name and the current return's, marked with a leading "*"
    // while the return has unsaved changes.
    void refreshWindowTitle();
    // The stored Auto-fill records (true) or notices of assessment (false)
    // over the current return page, if one is shown.
    void _doTDDorAFR(bool isAFR) override;
    // Fills a context menu of the return tree by its type.
    void setupContextMenu(int type, QMenu* menu);
    // Runs the registered command with that id: a command on the open return
    // after the current page stored its visible form page, and not at all on
    // the start page; the others on the window.
    void runCommand(const QString& id);

    int fontSize() const { return m_iFontSize; }
    // The font size a FontSize setting gives: the number when it lies in
    // 6..20, else 12.
    static int fontSizeFromSetting(const QString& text);

    // The colour chooser of "Background Color ..." (tests replace it). An
    // invalid colour means cancelled.
    using ColorChooser = std::function<QColor()>;
    void setColorChooser(ColorChooser chooser) { m_colorChooser = std::move(chooser); }

    // Return file commands.
    void openReturnFile(const QString& path);
    void importReturnFile(const QString& path);
    // Saves the page's return: under a name the user chooses when saveAs is
    // set or the page has no file yet, else to the page's file. The result
    // is the writer's code (0 written), or kSaveCancelled when no file was
    // chosen or the chosen one cannot be used. The page moves to a chosen
    // file only once the return is written there.
    int doSaveReturn(Form_Return* page, bool saveAs);
    // Asks for the file to save family under, proposing its name in the
    // return folder; path gets the choice with the ".r24" suffix added when
    // it lacks it. False when cancelled.
    bool chooseFileSaveName(CFamilyTaxData* family, QString& path);
    static constexpr int kSaveCancelled = -100;

public slots:
    void actionShowWelcome();
    void actionShowReturn();
    void actionCloseReturn();
    void actionQuit();
    void on_actionLarge_triggered();
    void on_actionSmall_triggered();
    void on_actionMaximize_View_triggered();
    void on_actionBackground_Color_triggered();

    // Return files.
    void actionNewReturn();
    void actionOpenReturn();
    void on_actionImport_Prior_Year_s_Return_triggered();
    void on_actionCouple_Returns_2to1_triggered();
    void on_actionFind_Return_Files_triggered();
    void actionSaveReturn();
    void on_actionSave_Return_As_triggered();

    // Commands on the open return.
    void on_actionRemove_Selected_Slip_triggered();
    void on_actionRemove_Selected_Form_Schedule_triggered();
    void on_actionShare_slip_with_spouse_triggered();
    void on_actionUn_share_slip_with_spouse_triggered();
    void on_actionShare_Form_to_Spouse_triggered();
    void on_actionUn_share_form_with_spouse_triggered();
    void onAdd_a_tax_note();
    void onSlipSummary();
    void on_actionAdd_a_Tax_Form_triggered();
    void on_actionArrange_Order_of_Tax_Forms_triggered();
    void on_actionChange_Tax_Province_triggered();
    void on_actionDe_Couple_Return_1to2_triggered();
    void on_actionOptimize_triggered();
    void on_actionTax_Planning_triggered();
    void on_actionValidate_Return_triggered();
    void on_actionUn_set_Return_for_ReFile_triggered();
    void on_actionInternetFiling_triggered();
    void on_actionFile_T1135_Online_triggered();
    void on_actionSet_Return_for_ReFile_triggered();
    void on_actionGenerate_Print_pdf_Files_triggered();
    void on_actionSubmit_E_Auth_former_T1013_triggered();
    void on_actionSubmit_PAD_Pre_authorized_Debit_triggered();
    void on_actionSend_T183_for_E_Signature_triggered();
    void on_actionSend_E_Auth_for_E_Signature_triggered();

    // Add-slip commands.
    void on_actionAdd_T4_slip_triggered();
    void on_actionAdd_T4A_slip_triggered();
    void on_actionAdd_T4A_P_slip_triggered();
    void on_actionAdd_T4RSP_slip_triggered();
    void on_actionAdd_T4E_slip_triggered();
    void on_actionAdd_T4A_OAS_slip_triggered();
    void on_actionAdd_T4RIF_slip_triggered();
    void on_actionAdd_T5_slip_triggered();
    void on_actionAdd_T3_slip_triggered();
    void on_actionAdd_T5003_slip_triggered();
    void on_actionAdd_T5007_triggered();
    void on_actionAdd_T5013_slip_triggered();
    void on_actionAdd_T4PS_slip_triggered();
    void on_actionAdd_T4A_RCA_slip_triggered();
    void on_actionAdd_T5006_slip_triggered();
    void on_actionAdd_RC62_slip_triggered();
    void on_actionAdd_RC210_slip_triggered();
    void on_actionAdd_Manitoba_shelter_benefit_slip_triggered();
    void on_actionAdd_PRPP_slip_triggered();
    void on_actionAdd_T1204_slip_triggered();
    void on_actionAdd_NR4_slip_triggered();
    void on_actionAdd_T2202_slip_triggered();
    void onAddSlip_T4FHSA();
    void on_actionAdd_T5008_slip_triggered();

    // Commands that need no open return.
    void on_actionPreference_triggered();
    void on_actionAuto_Fill_AFR_triggered();
    void on_actionExpress_NOA_triggered();
    void actionGeneratePrintFiles();
    void on_actionFind_Returns_Not_Filed_Online_triggered();

    // Help and support.
    void on_actionFind_Industry_Code_triggered();
    void on_actionDirect_deposit_form_triggered();
    void onSendReturnFile();
    void on_actionAbout_Brannock_triggered();
    void on_actionUpdate_voDarevivo_triggered();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    MainWindow(TabWndApp* app, QWidget* parent);

    void buildToolBar();
    void applyEdition();
    // Every action of a registered command runs here, by its object name.
    void onCommandTriggered();
    // What a command runs on: the edition, the settings as they are now, and
    // the window as its host and dialog parent.
    FeatureContext commandContext();
    // Runs the common prelude of commands on the open return: the current
    // page when it is a return page, after it stored its visible form page;
    // null (and nothing done) otherwise.
    ReturnPageInterface* preparedReturnPage();
    // Closes the page after it agreed; false when the user kept it open.
    bool closeReturnPage(ReturnPageInterface* page);
    void changeFontSizeBy(int step);
    // Test runs only: saves a picture of the window when asked to.
    void grabForTestIfAsked();

    TabWndApp* m_pApp;
    Ui_MainWindow* ui;
    int m_iFontSize;
    ViewIntroduction* m_pViewIntro = nullptr;
    int m_nOpenReturns;
    QLabel* m_lblStatus1 = nullptr;
    QLabel* m_lblStatus2 = nullptr;
    QLabel* m_lblResult = nullptr;
    QAction* m_actGeneratePrintFiles;
    QList<ActionShowReturn*> m_returnEntries;
    ColorChooser m_colorChooser;

    static MainWindow* instance;
};
