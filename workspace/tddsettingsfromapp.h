#pragma once

#include "agencydata/tddservicesettings.h"
#include "agencydata/threadtddsession.h"

class CT1AppConfig;
class QString;

// The agency data service's settings from the program's configuration: the
// software code, the keys, hosts and paths of the endpoint table, the
// logging switches, the SOAP time-out, and the logs in the run folder.
TddServiceSettings tddSettingsFromConfig(const CT1AppConfig& config, const QString& runFolder);
// The same from the application as it is now.
TddServiceSettings tddSettingsFromApp();

// A session's options: the service settings above, the callback port of the
// edition (or the test-mode port), the login wait, the offline reply file,
// the login script's address and the program's URL opener. The reply
// readers are the caller's to set.
TddSessionOptions tddSessionOptionsFromConfig(const CT1AppConfig& config, const QString& runFolder,
                                              int appPurpose);
