#include "dialogs/toolcommands.h"

#include "dialogs/returntoolshost.h"

namespace {

std::function<void(FeatureContext&)> onTools(void (*tool)(ReturnToolsHost&, const FeatureContext&))
{
    return [tool](FeatureContext& context) {
        if (ReturnToolsHost* host = context.hostAs<ReturnToolsHost>())
            tool(*host, context);
    };
}

} // namespace

FeatureCommands returnToolCommands()
{
    using namespace MenuRules;
    using Host = ReturnToolsHost;
    using Context = const FeatureContext&;
    return {
        {"actionChange_Tax_Province", "menuvoDarevivo", "Change Tax Province", "", withReturn, always, true, false,
         onTools([](Host& host, Context) { host.taxReturnChangeProvince(); })},
        // The single return that stays has no file: the title must not name the old one.
        {"actionDe_Couple_Return_1to2", "menuvoDarevivo", "De-Couple Return", "", withReturn, always, true, true,
         onTools([](Host& host, Context) { host.deCoupleReturn(); })},
        {"actionTax_Planning", "menuPlanning_Optimize", "Tax Planning", "", withReturn, always, true, false,
         onTools([](Host& host, Context) { host.taxPlanning(); })},
        {"actionOptimize", "menuPlanning_Optimize", "Optimize", "", withReturn, always, true, false,
         onTools([](Host& host, Context) { host.optimizeReturn(); })},
        // The menu's validation offers the warnings and asks nothing first.
        {"actionValidate_Return", "menuFiling_Print", "Validate Return", "", withReturn, always, true, false,
         onTools([](Host& host, Context context) { host.ValidateTaxReturn(context.edition, true, false); })},
    };
}
