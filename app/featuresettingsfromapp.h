#pragma once

#include "model/featuresettings.h"

class TabWndApp;

// The settings a feature reads, as the application holds them now; empty
// values without an application object.
FeatureSettings featureSettingsFromApp(const TabWndApp* app);
