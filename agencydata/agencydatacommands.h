#pragma once

#include "model/featurecommand.h"

// Auto-fill and Express NOA on the Start menu: the stored records of the
// agency's data, run in a window that is a StoredRecordsHost.
FeatureCommands agencyDataCommands();
