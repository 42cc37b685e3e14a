#pragma once

#include "model/featurecommand.h"

// The return tools: change of province and de-coupling on the Start menu,
// tax planning and optimisation, and the validation of the Filing/Print menu.
// They run on a return page that is a ReturnToolsHost.
FeatureCommands returnToolCommands();
