// The settings of a shipped plug-in: always the shipped defaults. A shipped
// plug-in reads no side file and no environment variable, so nothing outside
// the program can change its tax or its filing eligibility.
#include "provincialtestconfig.h"

ProvincialTestConfig ProvincialTestConfig::load(int)
{
    return ProvincialTestConfig();
}
