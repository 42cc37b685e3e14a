#pragma once

#include <QString>

#include "companion/forms/taxtypes.h"

// What the plug-in loader needs to know of a province, from the province
// catalogue (Global_Provs_Info): whether the program supports it, the base
// name of its plug-in library (empty: no plug-in) and its name for messages.
// Answers safely for any number.
bool isProvinceSupportedForPlugin(ENUMTYPE_PROVINCE province);
QString provincePluginBaseName(ENUMTYPE_PROVINCE province);
QString provinceDisplayName(ENUMTYPE_PROVINCE province);
