#pragma once

#include "companion/core/cstring.h"
#include "companion/forms/taxtypes.h"
#include "model/featurecontext.h"

// Electronic filing of the open return: the filing commands of the return
// page, on the model and the context they are given. Until filing is built
// each command tells the user it is not available and files nothing.
class FilingService
{
public:
    explicit FilingService(FeatureContext context) : m_context(std::move(context)) {}

    void createElectronicFile();
    void fileT1135();
    void prepareReFile();
    void unsetReFile();
    // No return can be set for ReFile yet.
    bool isEligibleForReFile() const;
    // Checks one form for filing; 0 (nothing found) while no check exists.
    int validateTaxForm(unsigned char edition, ENUMTYPE_FORM type);

private:
    FeatureContext m_context;
};
