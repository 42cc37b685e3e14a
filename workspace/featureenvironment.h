#pragma once

#include "agencydata/tddservicesettings.h"
#include "agencydata/threadtddsession.h"
#include "filing/direradroad.h"
#include "filing/filingexchangesettings.h"
#include "filing/formfilingsettings.h"
#include "filing/refilesetup.h"
#include "filing/t1135road.h"
#include "model/featurecontext.h"
#include "print/esign/quillorsettings.h"
#include "print/javaenvsettings.h"

class Form_Return;

// The one place where each feature's environment is made: its settings come
// from a settings snapshot (FeatureSettings, the context's or one a test
// makes), its actions from the page it runs for. Only the writing of logs and
// of the database reaches the application object, as services, never as a
// source of settings.

// Each service's settings from a snapshot.
FilingExchangeSettings filingExchangeSettingsFrom(const FeatureSettings& settings);
QuillorSettings quillorSettingsFrom(const FeatureSettings& settings);
JavaVMEnvSettings javaVMEnvSettingsFrom(const FeatureSettings& settings);
// The agency data service: the software code, the keys, hosts and paths of
// the endpoint table, the logging switches, the SOAP time-out and the logs
// in the snapshot's run folder.
TddServiceSettings tddServiceSettingsFrom(const FeatureSettings& settings);
// A session's options: the service settings above, the callback port of the
// edition (or the test-mode port), the login wait, the offline reply file,
// the login script's address and the program's URL opener. The reply
// readers are the caller's to set.
TddSessionOptions tddSessionOptionsFrom(const FeatureSettings& settings, int appPurpose);

// The roads of filing, from the command's context and the page it runs for.
// DIRERAD: settings, filing log, database and the page's checks.
DireradRoadEnvironment direradRoadEnvironment(const FeatureContext& context, Form_Return* page);
// An EFILE submission (the submission dialog in mode 1): the DIRERAD road's
// submission settings, the preparer's EFILE number and password and the
// page's filing record.
DireradSubmissionSettings efileSubmissionSettings(const FeatureContext& context, Form_Return* page);
// A form filed apart from the return: settings, filing log and the page's
// filing record.
FormFilingSettings formFilingSettings(const FeatureContext& context, Form_Return* page);
// The T1135 road: the above and the page's T1135 validation.
T1135RoadEnvironment t1135RoadEnvironment(const FeatureContext& context, Form_Return* page);
// The ReFILE set-up's terms dialog and the page's file, move and refresh.
ReFileEnvironment reFileEnvironment(Form_Return* page);

// What reads the settings at each job or request rather than once per
// command: the application's snapshot as it is now (an empty one without an
// application object), so what the preferences applied counts at once.
const FeatureSettings& currentFeatureSettings();
QuillorSettings currentQuillorSettings();
// Points the one print engine bridge at the current snapshot and the run
// log: the bridge asks at each start attempt and each job.
void installJavaVMEnv();

// One line into the application's run log.
void runLogLine(const QString& line);
// Records a newly installed client letter version in the configuration and
// the settings table (the snapshot follows).
void recordClientLetterVersion(int version);
