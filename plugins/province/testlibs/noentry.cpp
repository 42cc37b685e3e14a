// A library that states the right interface version but makes no manager:
// the loader must unload it and report the province unavailable.
#include "companion/forms/provincialtaxmanager.h"

extern "C" Q_DECL_EXPORT int ProvincialTaxManagerVersion()
{
    return PROVINCIAL_TAX_MANAGER_VERSION;
}
