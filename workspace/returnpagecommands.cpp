// The items of the open return, run on the current return page.
#include "workspace/windowcommands.h"

#include "workspace/mainwindow.h"
#include "workspace/returnpageinterface.h"

namespace {

// Slip type numbers of the add-slip commands.
enum SlipType : int {
    SlipT4 = 1, SlipT4A = 2, SlipT4A_P = 3, SlipT4RSP = 4, SlipT4E = 5, SlipT4A_OAS = 6, SlipT4RIF = 7,
    SlipT5 = 8, SlipT3 = 9, SlipT5003 = 10, SlipT5007 = 11, SlipT5013 = 13, SlipT4PS = 14,
    SlipT4A_RCA = 15, SlipT5006 = 16, SlipRC62 = 17, SlipRC210 = 18, SlipManitobaShelter = 21,
    SlipPRPP = 22, SlipT1204 = 23, SlipNR4 = 24, SlipT2202 = 25, SlipT4FHSA = 26,
};

std::function<void(FeatureContext&)> onPage(void (*item)(ReturnPageInterface&))
{
    return [item](FeatureContext& context) {
        if (auto* page = context.hostAs<ReturnPageInterface>())
            item(*page);
    };
}

std::function<void(FeatureContext&)> addSlip(int slipType)
{
    return [slipType](FeatureContext& context) {
        if (auto* page = context.hostAs<ReturnPageInterface>())
            page->addTaxSlip(slipType);
    };
}

// The add-slip rows: id, text, slip type, and the rule that offers the row
// in the Tax Slips branch's menu.
struct SlipRow
{
    const char* id;
    const char* text;
    int type;
    MenuRule offered;
};

const SlipRow kSlipRows[] = {
    {"actionAdd_PRPP_slip", "Add PRPP slip", SlipPRPP, MenuRules::always},
    {"actionAdd_RC62_slip", "Add RC62 slip", SlipRC62, MenuRules::always},
    {"actionAdd_RC210_slip", "Add RC210 slip", SlipRC210, MenuRules::always},
    // Only residents of Manitoba receive it.
    {"actionAdd_Manitoba_shelter_benefit_slip", "Add Manitoba shelter benefit slip", SlipManitobaShelter,
     MenuRules::inManitoba},
    {"actionAdd_T3_slip", "Add T3 slip", SlipT3, MenuRules::always},
    {"actionAdd_T4_slip", "Add T4 slip", SlipT4, MenuRules::always},
    {"actionAdd_T4A_slip", "Add T4A slip", SlipT4A, MenuRules::always},
    {"actionAdd_T4A_OAS_slip", "Add T4A(OAS) slip", SlipT4A_OAS, MenuRules::always},
    {"actionAdd_T4A_P_slip", "Add T4A(P) slip", SlipT4A_P, MenuRules::always},
    {"actionAdd_T4A_RCA_slip", "Add T4A-RCA slip", SlipT4A_RCA, MenuRules::always},
    {"actionAdd_T4E_slip", "Add T4E slip", SlipT4E, MenuRules::always},
    {"actionAdd_T4FHSA_slip", "Add T4FHSA slip", SlipT4FHSA, MenuRules::always},
    {"actionAdd_T4PS_slip", "Add T4PS slip", SlipT4PS, MenuRules::always},
    {"actionAdd_T4RIF_slip", "Add T4RIF slip", SlipT4RIF, MenuRules::always},
    {"actionAdd_T4RSP_slip", "Add T4RSP slip", SlipT4RSP, MenuRules::always},
    {"actionAdd_T5_slip", "Add T5 slip", SlipT5, MenuRules::always},
    {"actionAdd_T1204_slip", "Add T1204 slip", SlipT1204, MenuRules::always},
    {"actionAdd_T2202_slip", "Add T2202 slip", SlipT2202, MenuRules::always},
    {"actionAdd_T5003_slip", "Add T5003 slip", SlipT5003, MenuRules::always},
    {"actionAdd_T5006_slip", "Add T5006 slip", SlipT5006, MenuRules::always},
    {"actionAdd_T5007", "Add T5007", SlipT5007, MenuRules::always},
    {"actionAdd_T5013_slip", "Add T5013 slip", SlipT5013, MenuRules::always},
    {"actionAdd_NR4_slip", "Add NR4 slip", SlipNR4, MenuRules::always},
};

} // namespace

FeatureCommands returnPageCommands()
{
    using namespace MenuRules;
    using Page = ReturnPageInterface;
    FeatureCommands rows = {
        {"actionRemove_Selected_Slip", "menuSlips", "Remove Selected Tax Slip/Note", "", withReturn, always, true,
         false, onPage([](Page& page) { page.removeSelected(); })},
        {"actionShare_slip_with_spouse", "menuSlips", "Share slip with spouse", "", withReturn, shareable, true, false,
         onPage([](Page& page) { page.shareSelectedSlip(); })},
        {"actionUn_share_slip_with_spouse", "menuSlips", "Un-share slip with spouse", "", withReturn, unshareable,
         true, false, onPage([](Page& page) { page.unshareSelectedSlip(); })},
        {"actionAdd_a_tax_note", "menuSlips", "Add a tax note", "", withReturn, always, true, false,
         onPage([](Page& page) { page.addTaxNote(); })},
        {"actionSlip_summary", "menuSlips", "Slip Summary", "", withReturn, always, true, false,
         onPage([](Page& page) { page.getSlipSummary(); })},
        // Only explains where T5008 amounts go; needs no return.
        {"actionAdd_T5008_slip", "menuSlips", "Add T5008 slip", "", always, always, false, false,
         [](FeatureContext& context) {
             if (auto* window = qobject_cast<MainWindow*>(context.dialogParent))
                 window->on_actionAdd_T5008_slip_triggered();
         }},
        {"actionRemove_Selected_Form_Schedule", "menuForms", "Remove Selected Form/Schedule", "", withReturn, always,
         true, false, onPage([](Page& page) { page.removeSelected(); })},
        {"actionAdd_a_Tax_Form", "menuForms", "Add a Tax Form ...", "", withReturn, always, true, false,
         onPage([](Page& page) { page.addTaxForm(); })},
        {"actionArrange_Order_of_Tax_Forms", "menuForms", "Arrange Order of Tax Forms ...", "", withReturn, always,
         true, false, onPage([](Page& page) { page.changeFormsOrder(); })},
        {"actionShare_Form_to_Spouse", "menuForms", "Share form to spouse's return", "", withReturn, shareable, true,
         false, onPage([](Page& page) { page.shareSelectedForm(); })},
        {"actionUn_share_form_with_spouse", "menuForms", "Un-share form with spouse's return", "", withReturn,
         unshareable, true, false, onPage([](Page& page) { page.unshareSelectedForm(); })},
    };
    for (const SlipRow& slip : kSlipRows)
        rows.push_back({slip.id, "menuSlips", slip.text, "", withReturn, slip.offered, true, false, addSlip(slip.type)});
    return rows;
}
