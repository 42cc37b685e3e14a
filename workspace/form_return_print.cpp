// The print road: from the open return to a checked PDF, offered for
// e-delivery. The rules that need no window are the print subsystem's
// (print/printroad.h); the page sequences them with its own dialogs.
#include "workspace/form_return.h"

#include "app/tabwndapp.h"
#include "companion/core/folders.h"
#include "companion/core/messages.h"
#include "companion/forms/catalogue.h"
#include "dialogs/dlgprintoption_info.h"
#include "model/cfamilytaxdata.h"
#include "model/returnfileloadcode.h"
#include "print/JavaEnvs.h"
#include "print/esign/quillorclientletter.h"
#include "print/printroad.h"
#include "print/ui/esign/dlgquillorafterprint.h"
#include "workspace/featureenvironment.h"
#include "workspace/folderview.h"
#include "workspace/ui_form_return.h"

#include <QApplication>
#include <QDir>
#include <QUrl>

namespace {

// T1 texts of the current person.
constexpr int kSinCode = 1;
constexpr int kFirstNameCode = 11;
constexpr int kEmailCode = 15;
constexpr int kSecondEmailCode = 16;

// The wait cursor for as long as the engine works.
struct PrintWaitCursor
{
    PrintWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~PrintWaitCursor() { QApplication::restoreOverrideCursor(); }
    PrintWaitCursor(const PrintWaitCursor&) = delete;
    PrintWaitCursor& operator=(const PrintWaitCursor&) = delete;
};

} // namespace

void Form_Return::OnFileCreatePdfFile()
{
    TabWndApp* app = TabWndApp::getMainApp();
    if (!app || !m_pFamilyData)
        return;
    const FeatureSettings settings = currentFeatureSettings();

    if (ValidateTaxReturn(TabWndApp::s_appPurpose, false, true) > 0
        && !TabWndApp::gAppQuestion(
            tr("Do you still want to generate the printable file? Click 'Yes' button to continue print."),
            TabWndApp::getMainWidget()))
        return;

    DlgPrintOption_Info options(this, settings.print.clientLetterByDefault ? 1 : 0);
    if (options.exec() != QDialog::Accepted)
        return;

    if (DlgPrintOption_Info::m_iPrintOption == PrintRoad::ModeCondensed) {
        CreatePDF(PrintRoad::ModeCondensed, 0, 0, 0, 0, nullptr);
        return;
    }

    // The preparer's own client letter is looked for once per run, even
    // when that look failed.
    if (settings.esign.customizedClientLetter && !app->m_config.m_bClientLetterFetched) {
        if (fetchCustomizedClientLetter(settings.print.templateFolder, settings.print.layoutFolder)
            == QuillorClientLetter::Deployed)
            TabWndApp::gAppInformation(tr("Customized client letter is deployed!"), this);
        app->m_config.m_bClientLetterFetched = true;
    }

    const int flags = PrintRoad::printFlags(DlgPrintOption_Info::m_iPrintClientLetter,
                                            DlgPrintOption_Info::m_iPrintReceipt,
                                            DlgPrintOption_Info::m_iPrintFullSIN);
    PrintRoad::Selection selection;
    if (DlgPrintOption_Info::m_iPrintCurForm != 0) {
        int category = 0, type = 0, id = 0;
        ui->treeFolderView->getSelectedData(category, type, id);
        selection = PrintRoad::selectionOfTreeItem(category, type, id);
    }
    if (settings.print.tellSelection)
        TabWndApp::gAppInformation(QStringLiteral("print category - %3 formtype %1 formid %2")
                                       .arg(selection.formType)
                                       .arg(selection.formId)
                                       .arg(selection.category),
                                   this);
    CString pdfPath;
    CreatePDF(PrintRoad::ModeClientCopy, selection.category, selection.formType, selection.formId, flags, &pdfPath);
}

bool Form_Return::CreatePDF(int mode, int category, int formType, int formId, int flags, CString* pdfPathOut)
{
    TabWndApp* app = TabWndApp::getMainApp();
    if (!app || !m_pFamilyData)
        return false;
    QWidget* mainWidget = TabWndApp::getMainWidget();

    JavaVMEnv* engine = JavaVMEnv::getInstance();
    int code = 0;
    {
        PrintWaitCursor wait;
        code = engine->Init();
    }
    if (code != 0) {
        TabWndApp::gAppInformation(PrintRoad::environmentErrorText(code), mainWidget);
        return false;
    }
    if (!hasFileToSave()) {
        TabWndApp::gAppInformation(tr("Please save tax return to a tax return file first by menu Start | Save or "
                                      "Start | Save As."),
                                   mainWidget);
        return false;
    }
    // The engine prints the file on disk: a return that could not be saved
    // would print as it was last saved. The save has told the user why.
    CString returnFile;
    if (saveReturnFile(returnFile, true) != RFL_SUCCESS)
        return false;

    CString firstName;
    getFedStringClaimed(kFirstNameCode, firstName);
    const FeatureSettings settings = currentFeatureSettings();
    const QString folder = PrintRoad::outputFolder(settings.pdfFolder, settings.print.pdfBesideReturn, returnFile);
    if (!makeFolderExists(folder)) {
        promptInformation(nullptr, QStringLiteral("voDarevivo 2020"),
                          tr("voDarevivo cannot open or create the file folder for printable tax form (.pdf) file."));
        return false;
    }
    // The engine only learns at its last step that it cannot write, and then
    // blames an open PDF: the folder is tried first, and the user told why.
    if (!PrintRoad::canWriteInFolder(folder)) {
        TabWndApp::gAppInformation(PrintRoad::folderNotWritableText(folder), this);
        return false;
    }

    // The preferences' preparer block goes on the T1's last page and the invoice.
    const FeatureSettings::Preparer& preparer = settings.preparer;
    PrintRoad::writePreparerFile(settings.print.templateFolder,
                                 {preparer.firm, preparer.address, preparer.city, preparer.province, preparer.postcode,
                                  preparer.phone, settings.filing.efileNumber});

    const bool spouse = m_pFamilyData->getCurIndv() != CFamilyTaxData::kTaxpayer;
    const QByteArray outputFolder = folder.toUtf8();
    QString jobFile;
    getFilepath(jobFile);
    CString jobPath = jobFile;
    CString pdf;
    const QDateTime jobStart = QDateTime::currentDateTime();
    {
        PrintWaitCursor wait;
        code = engine->doJob(jobPath, spouse, mode, category, mode == PrintRoad::ModeClientCopy ? formId : 0, flags,
                             outputFolder.constData(), pdf);
    }
    if (code != 0) {
        TabWndApp::gAppInformation(PrintRoad::jobErrorText(code), this);
        return false;
    }
    // A PDF left by an earlier print under the same name is not this job's.
    if (!PrintRoad::isNewPdf(pdf, jobStart)) {
        TabWndApp::gAppInformation(
            tr("PDF file is created with zero content, usually it means anti-virus software blocks file generation."),
            mainWidget);
        return false;
    }
    if (pdfPathOut)
        *pdfPathOut = QDir::toNativeSeparators(pdf);

    CString sin, email;
    getFedStringClaimed(kSinCode, sin);
    getFedStringClaimed(kEmailCode, email);
    if (email.isEmpty())
        getFedStringClaimed(kSecondEmailCode, email);
    DlgQuillorAfterPrint offer(DlgQuillorAfterPrint::Delivery, QUrl::fromLocalFile(pdf), email, this);
    offer.setWindowTitle(tr("Generate Printable Return File"));
    qInfo("jenv pdf: %d", formType);
    if (offer.exec() == QDialog::Accepted)
        _SubmitDocDelivery(ENUMTYPE_FORM(formType), offer.m_strToEmail, sin, firstName, pdf);
    return true;
}

void Form_Return::OnSubmitQuillorForm(int formType)
{
    if (!m_pFamilyData)
        return;
    const STRUCT_FORMDATA_ITEM_2004* item = m_pFamilyData->GetFormDataItem(ENUMTYPE_FORM(formType), false);
    if (!item) {
        TabWndApp::gAppInformation(tr("Form[%1] is not in the tax return.")
                                       .arg(QString::fromUtf8(getFormCode(ENUMTYPE_FORM(formType)))),
                                   nullptr);
        return;
    }
    CString pdfPath;
    CreatePDF(PrintRoad::ModeClientCopy, 0, formType, item->id, 0, &pdfPath);
}
