#pragma once

#include "model/featuresettings.h"

class CT1AppConfig;
class QString;

// The settings snapshot of a configuration, with the files of the given run
// folder (the filing log and result file). The application makes its own
// snapshot with it (TabWndApp::refreshFeatureSettings); tests make one from a
// configuration read the program's way.
FeatureSettings featureSettingsFromConfig(const CT1AppConfig& config, const QString& runFolder);
