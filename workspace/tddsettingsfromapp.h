#pragma once

#include "agencydata/tddservicesettings.h"

class CT1AppConfig;
class QString;

// The agency data service's settings from the program's configuration: the
// software code, the keys, hosts and paths of the endpoint table, the
// logging switches, the SOAP time-out, and the logs in the run folder.
TddServiceSettings tddSettingsFromConfig(const CT1AppConfig& config, const QString& runFolder);
// The same from the application as it is now.
TddServiceSettings tddSettingsFromApp();
