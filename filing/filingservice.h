#pragma once

#include "companion/core/cstring.h"
#include "companion/forms/taxtypes.h"
#include "model/featurecontext.h"

class DireradRoadDialogs;
struct DireradRoadEnvironment;

// Electronic filing of the open return: the filing commands of the return
// page, on the model and the context they are given. A command that is not
// built yet tells the user it is not available and files nothing.
class FilingService
{
public:
    explicit FilingService(FeatureContext context) : m_context(std::move(context)) {}

    // The DIRERAD filing of the current person. Without the road's
    // environment and windows (useDireradRoad) it is not available.
    void createElectronicFile();
    void useDireradRoad(const DireradRoadEnvironment* environment, DireradRoadDialogs* dialogs);
    void fileT1135();
    void prepareReFile();
    void unsetReFile();
    // No return can be set for ReFile yet.
    bool isEligibleForReFile() const;
    // Checks one form for filing; 0 (nothing found) while no check exists.
    int validateTaxForm(unsigned char edition, ENUMTYPE_FORM type);

private:
    FeatureContext m_context;
    const DireradRoadEnvironment* m_direradEnvironment = nullptr;
    DireradRoadDialogs* m_direradDialogs = nullptr;
};
