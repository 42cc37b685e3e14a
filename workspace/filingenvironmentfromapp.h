#pragma once

#include "filing/direradroad.h"
#include "filing/filingexchangesettings.h"

class Form_Return;

// The filing services' settings as the application holds them now: hosts,
// test mode and the files of the run folder.
FilingExchangeSettings filingExchangeSettingsFromApp();

// What the DIRERAD road needs of the application and of the page it runs
// for: settings, filing log, database and the page's refresh and checks.
DireradRoadEnvironment direradRoadEnvironmentFromApp(Form_Return* page);
