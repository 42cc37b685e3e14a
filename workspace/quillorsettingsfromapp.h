#pragma once

#include "print/esign/quillorsettings.h"

// The e-signature service's host and account as the application holds them
// now: read at each request, so what the preferences applied counts at once.
QuillorSettings quillorSettingsFromApp();

// One line into the application's run log.
void quillorRunLogToApp(const QString& line);

// The installed client-letter version as the application holds it, and its
// recording in the setting and the settings table.
int clientLetterVersionFromApp();
void recordClientLetterVersionInApp(int version);
