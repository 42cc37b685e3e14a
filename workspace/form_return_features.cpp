// The open return's filing, print and e-signature commands. Each is a call
// into the service of its subsystem, which works on the model through the
// context this page gives it.
#include "workspace/form_return.h"

#include "app/mywaitcursor.h"

#include "app/tabwndapp.h"
#include "filing/filingservice.h"
#include "model/returnfileloadcode.h"
#include "print/esign/quillorclient.h"
#include "print/printservice.h"
#include "print/ui/esign/windowbusyindicator.h"
#include "workspace/quillorsettingsfromapp.h"

bool Form_Return::m_bClientLetterFetched = false;

namespace {

// The context of a command that has no page (the print files of the whole
// program): its dialogs go over the main window.
FeatureContext programContext()
{
    FeatureContext context;
    context.edition = TabWndApp::s_appPurpose;
    context.dialogParent = TabWndApp::getMainWidget();
    return context;
}

} // namespace

FeatureContext Form_Return::featureContext()
{
    FeatureContext context;
    context.family = m_pFamilyData;
    context.edition = TabWndApp::s_appPurpose;
    context.dialogParent = this;
    context.saveReturn = [this] { return saveReturnFile(false) == RFL_SUCCESS; };
    return context;
}

void Form_Return::OnFileCreateElectronFile()
{
    FilingService(featureContext()).createElectronicFile();
}

void Form_Return::OnFileT1135()
{
    FilingService(featureContext()).fileT1135();
}

void Form_Return::OnPrepareReFile()
{
    FilingService(featureContext()).prepareReFile();
}

void Form_Return::UnsetReFile()
{
    FilingService(featureContext()).unsetReFile();
}

bool Form_Return::isEligibleForReFile()
{
    return FilingService(featureContext()).isEligibleForReFile();
}

int Form_Return::sendFilingRecord(int filingKind, const CString& confirmation)
{
    return FilingService(featureContext()).sendFilingRecord(filingKind, confirmation);
}

void Form_Return::OnFileCreatePdfFile()
{
    PrintService(featureContext()).createPdfFile();
}

int Form_Return::CreatePDF(ENUMTYPE_FORM type, int id)
{
    return PrintService(featureContext()).createPdf(type, id);
}

void Form_Return::OnCreateJavaXML(bool testPrintFile)
{
    MyWaitCursor wait;
    // The test return is the application's own; the export of the type
    // tables belongs to the print service.
    if (testPrintFile)
        TabWndApp::createTestPrintFile();
    else
        PrintService(programContext()).createPrintFiles(false);
}

void Form_Return::OnSubmitQuillorForm(int formType)
{
    PrintService(featureContext()).submitESignatureForm(formType);
}

void Form_Return::OnGetQuillorFormTime(ENUMTYPE_FORM type)
{
    PrintService(featureContext()).getESignatureFormTime(type);
}

int Form_Return::_SubmitDocDelivery(ENUMTYPE_FORM type, const CString& pdfPath)
{
    return PrintService(featureContext()).submitDocDelivery(type, pdfPath);
}

int Form_Return::_SubmitQuillorFormType(ENUMTYPE_FORM type)
{
    return PrintService(featureContext()).submitESignatureFormType(type);
}

int Form_Return::loginToQuillorCA(QString& token)
{
    WindowBusyIndicator busy(this);
    return QuillorClient(featureContext(), quillorSettingsFromApp, &busy).loginToQuillorCA(token);
}

bool Form_Return::readyToQuillorCA()
{
    return QuillorClient(featureContext(), quillorSettingsFromApp).readyToQuillorCA();
}

int Form_Return::fetchCustomizedClientLetter()
{
    return PrintService(featureContext()).fetchCustomizedClientLetter();
}
