#pragma once

#include "filing/direradroad.h"
#include "filing/filingexchangesettings.h"
#include "filing/formfilingsettings.h"
#include "filing/refilesetup.h"
#include "filing/t1135road.h"

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

// What the filing of a form apart from the return needs of the application
// and of the page: settings, filing log and the page's filing record.
FormFilingSettings formFilingSettingsFromApp(Form_Return* page);

// The T1135 road's settings and the page's refresh and T1135 validation.
T1135RoadEnvironment t1135RoadEnvironmentFromApp(Form_Return* page);

// The ReFILE set-up's terms dialog and the page's file, move and refresh.
ReFileEnvironment reFileEnvironmentFromApp(Form_Return* page);
