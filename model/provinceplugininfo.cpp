#include "model/provinceplugininfo.h"

namespace {

// Province rows as the province catalogue gives them: name and plug-in
// library base name, index = province number.
// TODO(catalogue): read Global_Provs_Info once the catalogue is in the tree.
struct ProvinceRow
{
    const char* name;
    const char* libName;
    bool supported;
};

constexpr int kProvinceRows = 14;
const ProvinceRow kProvinces[kProvinceRows] = {
    {"", "", false},
    {"Alberta", "provtax_ab", true},
    {"British Columbia", "provtax_bc", true},
    {"Manitoba", "provtax_mb", true},
    {"New Brunswick", "provtax_nb", true},
    {"Newfoundland and Labrador", "provtax_nl", true},
    {"Nova Scotia", "provtax_ns", true},
    {"Northwest Territories", "provtax_nt", true},
    {"Nunavut", "provtax_nu", true},
    {"Ontario", "provtax_on", true},
    {"Prince Edward Island", "provtax_pe", true},
    {"Quebec", "provtax_qc", true},
    {"Saskatchewan", "provtax_sk", true},
    {"Yukon", "provtax_yt", true},
};

const ProvinceRow* row(ENUMTYPE_PROVINCE province)
{
    if (province < 0 || province >= kProvinceRows)
        return nullptr;
    return &kProvinces[province];
}

} // namespace

bool isProvinceSupportedForPlugin(ENUMTYPE_PROVINCE province)
{
    const ProvinceRow* r = row(province);
    return r && r->supported;
}

QString provincePluginBaseName(ENUMTYPE_PROVINCE province)
{
    const ProvinceRow* r = row(province);
    return r ? QString::fromLatin1(r->libName) : QString();
}

QString provinceDisplayName(ENUMTYPE_PROVINCE province)
{
    const ProvinceRow* r = row(province);
    if (!r || !*r->name)
        return QStringLiteral("province %1").arg(province);
    return QString::fromUtf8(r->name);
}
