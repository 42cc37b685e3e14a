#pragma once

#include "companion/core/cstring.h"
#include "companion/forms/taxtypes.h"
#include "model/featurecontext.h"

// The e-signature status query of the open return's forms, on the model and
// the context it is given. Until it is built it tells the user it is not
// available.
class PrintService
{
public:
    explicit PrintService(FeatureContext context) : m_context(std::move(context)) {}

    void getESignatureFormTime(ENUMTYPE_FORM type);

private:
    FeatureContext m_context;
};
