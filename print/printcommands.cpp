#include "print/printcommands.h"

#include "companion/core/folders.h"
#include "print/printhost.h"

#include <QCoreApplication>

namespace {

// Form numbers sent for e-signature.
const int kFormT183 = 96;
const int kFormEAuth = 117;

void printReturn(FeatureContext& context)
{
    PrintHost* host = context.hostAs<PrintHost>();
    if (!host)
        return;
    // The engine writes into the PDF folder: without it nothing can print.
    if (!makeFolderExists(context.settings.pdfFolder)) {
        context.tellInformation(
            QCoreApplication::translate(
                "MainWindow", "voDarevivo cannot open or create the file folder for printable tax form (.pdf) file."),
            context.dialogParent);
        return;
    }
    host->OnFileCreatePdfFile();
}

std::function<void(FeatureContext&)> signatureRequest(int formType)
{
    return [formType](FeatureContext& context) {
        if (PrintHost* host = context.hostAs<PrintHost>())
            host->OnSubmitQuillorForm(formType);
    };
}

} // namespace

FeatureCommands printCommands()
{
    using namespace MenuRules;
    return {
        {"actionGenerate_Print_pdf_Files", "menuFiling_Print", "Generate Print (.pdf) Files", "", withReturn, always,
         true, false, printReturn},
        // Not offered in this version: shown, never enabled.
        {"actionSend_T183_for_E_Signature", "menuFiling_Print", "Send T183 for E-Signature", "", never, always, true,
         false, signatureRequest(kFormT183)},
        {"actionSend_E_Auth_for_E_Signature", "menuFiling_Print", "Send E-Auth for E-Signature", "", never, always,
         true, false, signatureRequest(kFormEAuth)},
    };
}
