#include "model/provinceplugininfo.h"

#include "companion/forms/catalogue.h"

bool isProvinceSupportedForPlugin(ENUMTYPE_PROVINCE province)
{
    return IsProvinceSupported(province);
}

QString provincePluginBaseName(ENUMTYPE_PROVINCE province)
{
    const STRUCT_PROVINCE_INFO* info = getProvInfo(province);
    return info && info->libName ? QString::fromUtf8(info->libName) : QString();
}

QString provinceDisplayName(ENUMTYPE_PROVINCE province)
{
    const char* name = getProvName(province);
    if (!name || !*name)
        return QStringLiteral("province %1").arg(province);
    return QString::fromUtf8(name);
}
