#pragma once

#include "companion/core/cstring.h"
#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/taxtypes.h"
#include "dialogs/returntoolshost.h"
#include "filing/filinghost.h"
#include "model/featurecontext.h"
#include "print/printhost.h"
#include "workspace/returnpageinterface.h"

#include <QItemSelection>
#include <QHash>
#include <QWidget>

#include <functional>
#include <list>
#include <vector>

class ActionShowReturn;
class BaseTaxPage;
class CFamilyTaxData;
class CField;
class CTaxData_Form;
class FolderView;
class MainWindow;
class QFileInfo;
class ScrollTaxForm;
class TreeItem;
class Ui_Form_Return;

// The page of one open return: the person chooser, the return tree and the
// three result lines on the left; the shown form's description and its
// pages in tabs on the right. The page owns the return and a copy of it as
// it was opened or last saved.
//
// Every edit recalculates the whole return through the model and refreshes
// the pages, the tree, the result lines and the status bar. The page never
// keeps a form across a structural change: the shown object is remembered
// by kind, type and id and looked up again afterwards; when it is gone, the
// tabs go and the T1 is shown.
//
// The bodies are split by concern: form_return.cpp (identity, person, view),
// form_return_tabs.cpp (tabs, recalculation, selection), form_return_events.cpp
// (page events), form_return_items.cpp (item commands), form_return_save.cpp
// (save and close), form_return_tools.cpp (tools), form_return_features.cpp
// (filing, print and e-signature: each a call into its subsystem's service).
class Form_Return : public QWidget,
                    public ReturnPageInterface,
                    public ReturnToolsHost,
                    public FilingHost,
                    public PrintHost
{
    Q_OBJECT
public:
    // The page takes ownership of data. file is the file the return was read
    // from, or null for a return that has no file yet.
    Form_Return(QFileInfo* file, CFamilyTaxData* data, MainWindow* mainWindow, QWidget* parent, int returnNo,
                int fontSize);
    ~Form_Return() override;

    // ---- Identity of the file ----
    void setFilepath(QFileInfo* file);
    void getFilepath(QString& path) const override;
    QString getTitle() const override;
    bool hasFileToSave() const override;
    bool isChanged() override;
    QWidget* pageWidget() override { return this; }
    int returnNumber() const override { return m_iReturnNo; }
    ActionShowReturn* showAction() const;

    // ---- Return and results ----
    CFamilyTaxData* familyData() const { return m_pFamilyData; }
    int getFedStringClaimed(int code, CString& text);
    void refreshReturnStatus(QString& status) override;

    // ---- View ----
    void setFolderViewBKColor(const QString& colour, int pointSize);
    void refreshViewForColorFontSize() override;
    void changeFontSize(int pointSize) override;
    int fontSize() const { return m_iFontSize; }
    void saveLeftPaneSize();
    // Always true. A width of at most 9, or wider than the splitter, becomes
    // the default (or 1 on a splitter of at most 270).
    bool setLeftpaneWidth(int width);
    bool toggleViewMode() override;

    // ---- Form tabs and recalculation ----
    // Shows the object's pages as tabs: 0 for a null object, -1 when it made
    // no page, else the number of pages.
    int showTaxForm(int unused, CTaxData_Form* object);
    // Drops the tabs. The pages are disconnected and their editors silenced
    // before they go, so nothing is written into a form through them.
    void destroyFormTabs();
    // Stores every page of the shown form and recalculates.
    void saveCurFormDataToDoc() override;
    void refreshCurTabDataFromDoc();
    // Rebuilds (true) or relabels (false) the Tax Forms and the Tax Slips
    // branches, keeps the tree's selection on the same item, and checks that
    // the shown object still exists.
    void syncFolderView(bool forms, bool slips);
    // A help page as the only tab, "Quick Help"; always 99.
    int showHtml(const QString& unused, const QString& url);
    // The address of a help page by its file name ("mkst_start.html").
    static QString helpPageUrl(const QString& fileName);
    int onSyncAddrToFormData(ENUMTYPE_FORM unused, CTaxData_Form* target);
    // Goes to a form of the current person, creating it (and the form it
    // needs) when absent, then recalculates.
    void forwardTaxFormThere(ENUMTYPE_FORM type);

    // What the tabs show: the object (null for a help page or nothing), and
    // the kind and type of the object shown (-1 when none).
    CTaxData_Form* currentForm() const { return m_pCurForm; }
    int shownKind() const { return m_shown.valid ? m_shown.kind : -1; }
    int shownType() const { return m_shown.valid ? m_shown.type : -1; }
    int shownId() const { return m_shown.valid ? m_shown.id : -1; }
    // The pages built so far, in tab order: a tab's page is built when the
    // tab is first shown (the first tab at once).
    const std::list<BaseTaxPage*>& pages() const { return m_listPages; }
    // Builds the pages of the tabs not shown yet; every page, in tab order.
    const std::list<BaseTaxPage*>& allPages();
    // Shows the tab that holds the field (building its page when needed),
    // scrolls to the field's editor and gives it the focus. False when the
    // shown object has no such field on its pages.
    bool goToField(const QString& fieldName);
    FolderView* folderView() const;

    // ---- Item commands ----
    void addTaxSlip(int slipType) override;
    void addTaxNote() override;
    void addTaxForm() override;
    void removeSelected() override;
    void shareSelectedForm() override;
    void unshareSelectedForm() override;
    ReturnMenuFacts menuFacts(int itemKind) override;
    void shareSelectedSlip() override;
    void unshareSelectedSlip() override;
    int changeFormsOrder() override;
    void getSlipSummary() override;

    // ---- Save and close ----
    int saveReturnFile(CString& path, bool backup);
    int saveReturnFile(bool backup);
    int _updateLogEntry();
    bool onCloseReturn(CString& path);
    bool onCloseReturn() override;
    // What a command is about to do to a return that holds changes not saved.
    enum class UnsavedOccasion { Close, DeCouple, ChangeProvince };
    // Asks once, with Save, Discard and Cancel, whether to save the return
    // first; Save goes through the window's Save (a return never saved asks
    // for a file name). True when the command may go on: saved, or the user
    // chose Discard. path receives the file written to.
    bool settleUnsavedChanges(UnsavedOccasion occasion, CString& path);

    // ---- Tools ----
    void taxReturnChangeProvince() override;
    void deCoupleReturn() override;
    void optimizeReturn() override;
    void taxPlanning() override;
    int ValidateTaxReturn(unsigned char edition, bool offerWarnings, bool askFirst) override;
    // One form's own validation (only the T1135 has one): the number of
    // messages, shown in "Validation Result"; showPass tells a clean form,
    // askFirst asks before showing the messages.
    int ValidateTaxForm(unsigned char edition, ENUMTYPE_FORM type, bool showPass = false, bool askFirst = false);

    // ---- Filing (form_return_features.cpp: FilingService) ----
    void OnFileCreateElectronFile() override;
    // Files the current person's T1135: 0 when the filing dialog was shown,
    // 111 without a T1135 (or its document), 118 with validation errors.
    int OnFileT1135() override;
    void OnPrepareReFile() override;
    void UnsetReFile() override;
    bool isEligibleForReFile();
    // Records a filing's outcome with the e-signature service (0 sent or
    // switched off, -1 no account, -99 not kept, -100 no reply).
    int sendFilingRecord(int formType, bool accepted, const QString& confirmation, const QString& filingMessage);
    // What the filing dialogs call after each answered filing: the one set
    // here (tests record the calls), else sendFilingRecord.
    using FilingRecordSender = std::function<int(int formType, bool accepted, const QString& confirmation,
                                                 const QString& filingMessage)>;
    void setFilingRecordSender(FilingRecordSender sender) { m_filingRecordSender = std::move(sender); }
    FilingRecordSender filingRecordSender();

    // ---- Print road (form_return_print.cpp) ----
    // Validates, asks for the print options and prints the open return.
    void OnFileCreatePdfFile() override;
    // Saves the return and prints it through the engine (mode 0 client copy,
    // 1 condensed), then offers the PDF for e-delivery. True when a new PDF
    // was written; its path (native separators) goes to pdfPathOut.
    bool CreatePDF(int mode, int category, int formType, int formId, int flags, CString* pdfPathOut);

    // ---- E-signature (form_return_features.cpp) ----
    static void OnCreateJavaXML(bool testPrintFile);
    // Prints the form alone (its first item) and offers it for e-delivery.
    void OnSubmitQuillorForm(int formType) override;
    // Asks the e-signature service about the request of the T183 (96) or
    // the RC71 (53) and tells the user; a completed signature with a
    // readable time marks the T183 signed at that time.
    void OnGetQuillorFormTime(ENUMTYPE_FORM type);
    // Sends a printed PDF to the taxpayer for e-delivery, after asking.
    void _SubmitDocDelivery(ENUMTYPE_FORM form, const QString& toEmail, const CString& sin,
                            const CString& firstName, const CString& pdfPath);
    // Sends a printed form as an e-signature request, after asking; the
    // request id the service gave, or -1. The T183 and the RC71 keep the id
    // for the status query. No command calls it.
    int _SubmitQuillorFormType(ENUMTYPE_FORM form, bool signingPosition, const QString& toEmail,
                               const CString& sin, const CString& firstName, const CString& pdfPath);
    // The e-signature service's login (0, 112 or 99; the token on 0) and its
    // account test, with the account settings as they are now.
    int loginToQuillorCA(QString& token);
    bool readyToQuillorCA();
    // Installs the preparer's newer client-letter template into the two
    // folders (100), or says why not (0, 106, 111, 112, 99).
    int fetchCustomizedClientLetter(CString pdfFolder, const CString& xmlFolder);

    // What the filing, print and e-signature services are given: this
    // page's return, the installed prompter, the clock, saving this return
    // and this page as the parent of their dialogs.
    FeatureContext featureContext();

public slots:
    // What the return announces (model/returnchanges.h), heard once for the
    // page's life: the tree, the shown pages and the result lines follow the
    // return whoever changed it.
    void onReturnItemsChanged(int person, int kind);
    void onReturnCalculated();
    void onReturnFilingStatusChanged(int formType);
    void onReturnPersonSwitched(int person);
    void onFolderViewSelChange(const QItemSelection& selected, const QItemSelection& deselected);
    void onSignalCalc(CTaxData_Form* pData, CField* pField);
    void on_comboBox_currentIndexChanged(int index);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The form or slip selected in the tree when it is of the wanted kind,
    // with its type; null otherwise.
    CTaxData_Form* selectedObjectOfKind(int wantedKind, int& type) const;
    // Before an item is removed: true when it holds nothing typed, or the
    // user confirms its removal (No is the default answer).
    bool confirmRemoval(int kind, int type, const CTaxData_Form& item);
    // What the tabs show, by kind (ENUMTYPE_FROM), type and id (0 for
    // interview data, which is one per type).
    struct ShownKey
    {
        bool valid = false;
        int kind = 0;
        int type = 0;
        int id = 0;
    };

    ShownKey keyOf(const CTaxData_Form* object) const;
    CTaxData_Form* lookUp(const ShownKey& key) const;
    // After a structural change: the shown object is looked up again; its
    // pages are rebuilt when it was replaced, and the T1 is shown when it is
    // gone. True when the tabs still show the same object.
    bool revalidateShownForm();
    // Shows the current person's T1 and selects its row.
    void showT1();
    // Makes the tree's current row the shown object's, without showing it
    // again.
    void selectShownRow();
    // Stores every page into its form; no recalculation.
    void storePages();
    // The page of a tab, built when it is not yet: in the tab's frame, under
    // the page style, showing the shown object's values and bound to the
    // recalculation. Null for a tab without a planned page.
    BaseTaxPage* buildTabPage(int index);
    void onFormTabChanged(int index);
    // The view state's side of a current-person value.
    static int sideOf(int person);
    QString backgroundColour() const;

    QString m_strReturnName;
    Ui_Form_Return* ui;
    CTaxData_Form* m_pCurForm = nullptr;
    bool m_bSwitching = false;
    int m_iFontSize;
    int m_iReturnNo;
    MainWindow* m_pMainWindow;
    CFamilyTaxData* m_pFamilyData;
    CFamilyTaxData* m_pFamilyDataCopy = nullptr;
    // Widens the tree pane to its widest label at the current font size, up
    // to half the page; labels cut even so show whole as tool tips.
    void widenLeftPaneForLabels();
    std::list<BaseTaxPage*> m_listPages;
    // One entry per form tab: the fields its page shows, its frame, and its
    // page once built. Only the tabs shown so far have a page.
    struct FormTab
    {
        CTaxData_Form::PagePlan plan;
        ScrollTaxForm* frame = nullptr;
        BaseTaxPage* page = nullptr;
        // The background colour chosen while the tab had no frame yet.
        QString frameColour;
    };
    // The tab's scrolling frame, made in place of its stand-in when first
    // needed.
    ScrollTaxForm* frameOf(int index);
    std::vector<FormTab> m_formTabs;
    // The lines holding an amount this program does not take into account,
    // with their notes, as of the last recalculation.
    QHash<QString, QString> m_notComputedByLine;
    CString m_strFolder;
    CString m_strFileName;
    ShownKey m_shown;
    FilingRecordSender m_filingRecordSender;
};
