#pragma once

#include "model/featurecontext.h"

// The online filing checks of the current person as the filing road runs
// them: each note is shown first (the user should know what a test run
// leaves out), then the first refusal, which stops the filing. True when the
// return may go on. isReFile adds the ReFILE refusals before the others.
bool checkOnlineFilingEligibility(const FeatureContext& context, unsigned char mode, bool isReFile);
