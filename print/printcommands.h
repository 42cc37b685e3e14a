#pragma once

#include "model/featurecommand.h"

// The print and e-signature commands of the Filing/Print menu. They run on a
// return page that is a PrintHost.
FeatureCommands printCommands();
