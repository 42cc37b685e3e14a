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

    void submitESignatureForm(int formType);
    void getESignatureFormTime(ENUMTYPE_FORM type);
    int submitESignatureFormType(ENUMTYPE_FORM type);

private:
    FeatureContext m_context;
};
