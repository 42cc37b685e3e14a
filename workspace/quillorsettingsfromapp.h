#pragma once

#include "print/esign/quillorsettings.h"

// The e-signature service's host and account as the application holds them
// now: read at each request, so what the preferences applied counts at once.
QuillorSettings quillorSettingsFromApp();
