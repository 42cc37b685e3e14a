#pragma once

#include "agencydata/TddWebService.h"

// The login link goes to the program's one URL opener (the desktop's
// browser, or whatever a test installed); the service calls it on the
// user-interface thread.
TddWebService::LinkOpener tddDesktopLinkOpener();
