#include "filing/filingcommands.h"

#include "companion/core/folders.h"
#include "filing/filinghost.h"

#include <QCoreApplication>

namespace {

// The filing logs and the result file live in the run folder: a filing that
// could not write them must not start.
bool runFolderReady(const FeatureContext& context)
{
    if (makeFolderExists(context.settings.runFolder))
        return true;
    context.tellInformation(
        QCoreApplication::translate("MainWindow",
                                    "DirErad/EFile cannot be created and saved into the folder, please check firewall "
                                    "and anti-virus software settings to unblock voDarevivo."),
        context.dialogParent);
    return false;
}

// A road that files through the run folder, on the page's filing host.
std::function<void(FeatureContext&)> filing(void (*road)(FilingHost&))
{
    return [road](FeatureContext& context) {
        FilingHost* host = context.hostAs<FilingHost>();
        if (host && runFolderReady(context))
            road(*host);
    };
}

// The EFILE forms of this version are not offered; their rows stay disabled
// and run nothing past the window's prelude.
void nothing(FeatureContext&) {}

} // namespace

FeatureCommands filingCommands()
{
    using namespace MenuRules;
    return {
        {"actionSet_Return_for_ReFile", "menuvoDarevivo", "Set Return for ReFile", "", withReturn, always, true, true,
         filing([](FilingHost& host) { host.OnPrepareReFile(); })},
        {"actionUn_set_Return_for_ReFile", "menuvoDarevivo", "Un-set Return for ReFile", "", withReturn, always, true,
         false,
         [](FeatureContext& context) {
             if (FilingHost* host = context.hostAs<FilingHost>())
                 host->UnsetReFile();
         }},
        {"actionInternetFiling", "menuFiling_Print", "DirErad to CRA", "", withReturn, always, true, false,
         filing([](FilingHost& host) { host.OnFileCreateElectronFile(); })},
        {"actionSubmit_E_Auth_former_T1013", "menuFiling_Print", "EFile E-Auth (former T1013)", "", never, always,
         true, false, nothing},
        {"actionSubmit_PAD_Pre_authorized_Debit", "menuFiling_Print", "EFile PAD (Pre-authorized Debit)", "", never,
         always, true, false, nothing},
        {"actionFile_T1135_Online", "menuFiling_Print", "File T1135 Online", "", withReturn, always, true, false,
         filing([](FilingHost& host) { host.OnFileT1135(); })},
    };
}
