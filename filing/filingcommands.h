#pragma once

#include "model/featurecommand.h"

// The filing commands: ReFILE set-up and reset on the Start menu, the return's
// and the T1135's electronic filing and the EFILE forms not offered in this
// version on the Filing/Print menu. They run on a return page that is a
// FilingHost.
FeatureCommands filingCommands();
