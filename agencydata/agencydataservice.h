#pragma once

#include "model/featurecontext.h"

// Agency data (Auto-fill and Express NOA): the window's commands, on the
// model and the context they are given. Until the agency's services are
// built each command tells the user it is not available.
class AgencyDataService
{
public:
    explicit AgencyDataService(FeatureContext context) : m_context(std::move(context)) {}

    void autoFill();
    void expressNoa();

private:
    FeatureContext m_context;
};
