#pragma once

#include "print/javaenvsettings.h"

class CT1AppConfig;

// The print engine bridge's view of the configuration: the values it reads
// at each start attempt and at each job.
JavaVMEnvSettings javaVMEnvSettingsFrom(const CT1AppConfig& config);

// Points the one bridge at the application's configuration and run log. The
// values are read when the bridge asks, so a change the preferences applied
// (RetPdfPath) counts at the next print.
void installJavaVMEnvFromApp();
