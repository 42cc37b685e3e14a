#pragma once

#include "filing/direradroad.h"
#include "filing/filingexchangesettings.h"

class Form_Return;

// The filing services' settings as the application holds them now: hosts,
// test mode and the files of the run folder.
FilingExchangeSettings filingExchangeSettingsFromApp();

// What an EFILE submission (the submission dialog in mode 1) needs: the
// DIRERAD road's submission settings, the preparer's EFILE number and
// password from the settings, and the page's filing record.
DireradSubmissionSettings efileSubmissionSettingsFromApp(Form_Return* page);

// What the DIRERAD road needs of the application and of the page it runs
// for: settings, filing log, database and the page's refresh and checks.
DireradRoadEnvironment direradRoadEnvironmentFromApp(Form_Return* page);
