#pragma once

#include "companion/core/cstring.h"
#include "companion/forms/taxtypes.h"
#include "model/featurecontext.h"

// Printing and e-signature of the open return: the print commands of the
// return page, on the model and the context they are given. Until printing
// is built each command tells the user it is not available; the operations
// that answer a caller report failure (-1, false) and make no file.
class PrintService
{
public:
    explicit PrintService(FeatureContext context) : m_context(std::move(context)) {}

    void createPdfFile();
    int createPdf(ENUMTYPE_FORM type, int id);
    void createPrintFiles(bool testPrintFile);
    void submitESignatureForm(int formType);
    void getESignatureFormTime(ENUMTYPE_FORM type);
    int submitDocDelivery(ENUMTYPE_FORM type, const CString& pdfPath);
    int submitESignatureFormType(ENUMTYPE_FORM type);
    bool loginToESignature();
    bool readyToESignature();
    // The client letter fetched (1) or not (0); none can be fetched yet.
    int fetchCustomizedClientLetter();

private:
    FeatureContext m_context;
};
