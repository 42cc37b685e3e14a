#pragma once

#include "companion/core/cstring.h"
#include "companion/forms/taxtypes.h"
#include "model/featurecontext.h"

#include <functional>

class DireradRoadDialogs;
class T1135Questions;
struct DireradRoadEnvironment;
struct ReFileEnvironment;
struct T1135RoadEnvironment;

// Electronic filing of the open return: the filing commands of the return
// page, on the model and the context they are given.
class FilingService
{
public:
    explicit FilingService(FeatureContext context) : m_context(std::move(context)) {}

    // The DIRERAD filing of the current person. Without the road's
    // environment and windows (useDireradRoad) it is not available.
    void createElectronicFile();
    void useDireradRoad(const DireradRoadEnvironment* environment, DireradRoadDialogs* dialogs);
    // The T1135 filing of the current person (T1135RoadResult).
    int fileT1135(const T1135RoadEnvironment& environment, T1135Questions& questions);
    // Sets the open return for ReFile on a copy of its file.
    void prepareReFile(const ReFileEnvironment& environment);
    // Takes the ReFile mark off the open return (which announces it).
    void unsetReFile();
    // Whether the open return may be refiled; when not, the first reason is
    // shown over the page.
    bool isEligibleForReFile();

private:
    FeatureContext m_context;
    const DireradRoadEnvironment* m_direradEnvironment = nullptr;
    DireradRoadDialogs* m_direradDialogs = nullptr;
};
