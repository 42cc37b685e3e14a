#include "workspace/windowcommands.h"

#include "workspace/mainwindow.h"

namespace {

using Slot = void (MainWindow::*)();

// A command the window carries out itself, on the window that runs it.
std::function<void(FeatureContext&)> onWindow(Slot slot)
{
    return [slot](FeatureContext& context) {
        if (auto* window = qobject_cast<MainWindow*>(context.dialogParent))
            (window->*slot)();
    };
}

} // namespace

FeatureCommands windowCommands()
{
    using namespace MenuRules;
    using W = MainWindow;
    return {
        {"actionNew", "menuvoDarevivo", "New Return", "Ctrl+N", always, always, false, false,
         onWindow(&W::actionNewReturn)},
        {"actionOpen_File", "menuvoDarevivo", "Open Return", "Ctrl+O", always, always, false, false,
         onWindow(&W::actionOpenReturn)},
        {"actionImport_Prior_Year_s_Return", "menuvoDarevivo", "Import Prior Year's Return", "", always, always, false,
         false, onWindow(&W::on_actionImport_Prior_Year_s_Return_triggered)},
        {"actionSave_Return", "menuvoDarevivo", "Save Return", "Ctrl+S", withReturn, always, false, false,
         onWindow(&W::actionSaveReturn)},
        {"actionSave_Return_As", "menuvoDarevivo", "Save Return As", "Ctrl+Shift+S", withReturn, always, false, false,
         onWindow(&W::on_actionSave_Return_As_triggered)},
        {"actionFind_Return_Files", "menuvoDarevivo", "Find Return Files", "", always, always, false, false,
         onWindow(&W::on_actionFind_Return_Files_triggered)},
        {"actionClose_Return", "menuvoDarevivo", "Close Return", "Ctrl+W", withReturn, always, false, false,
         onWindow(&W::actionCloseReturn)},
        {"actionPreference", "menuvoDarevivo", "Preference", "", always, always, false, false,
         onWindow(&W::on_actionPreference_triggered)},
        {"actionCouple_Returns_2to1", "menuvoDarevivo", "Couple Returns (2to1)", "", always, always, false, false,
         onWindow(&W::on_actionCouple_Returns_2to1_triggered)},
        {"actionQuit", "menuvoDarevivo", "Quit", "Ctrl+Q", always, always, false, false, onWindow(&W::actionQuit)},
        {"actionBackground_Color", "menuView", "Background Color ...", "", always, always, false, false,
         onWindow(&W::on_actionBackground_Color_triggered)},
        {"actionSmall", "menuView", "Make Font Smaller", "", always, always, false, false,
         onWindow(&W::on_actionSmall_triggered)},
        {"actionLarge", "menuView", "Make Font Larger", "", always, always, false, false,
         onWindow(&W::on_actionLarge_triggered)},
        {"actionMaximize_View", "menuView", "Maximize View", "", withReturn, always, false, false,
         onWindow(&W::on_actionMaximize_View_triggered)},
        {"actionWelcome", "menuWindows", "Welcome", "", always, always, false, false,
         onWindow(&W::actionShowWelcome)},
        {"actionFind_Returns_Not_Filed_Online", "menuFiling_Print", "Find Returns Not-Filed-Online", "", always,
         always, false, false, onWindow(&W::on_actionFind_Returns_Not_Filed_Online_triggered)},
        {"actionFind_Industry_Code", "menuHelp", "Find Industry Code", "", always, always, false, false,
         onWindow(&W::on_actionFind_Industry_Code_triggered)},
        {"actionDirect_deposit_form", "menuHelp", "Direct deposit form", "", always, always, false, false,
         onWindow(&W::on_actionDirect_deposit_form_triggered)},
        {"actionSend_Return_File_to_Brannock", "menuHelp", "Send Return File to voDarevivo", "", withReturn, always,
         false, false, onWindow(&W::onSendReturnFile)},
        {"actionAbout_Brannock", "menuHelp", "About voDarevivo", "F1", always, always, false, false,
         onWindow(&W::on_actionAbout_Brannock_triggered)},
        {"actionUpdate_voDarevivo", "menuHelp", "Update voDarevivo", "", always, always, false, false,
         onWindow(&W::on_actionUpdate_voDarevivo_triggered)},
        // Placed by the window only where the configuration asks for it.
        {"actionGeneratePrintFiles", "menuHelp", "Generate Print Files", "", always, always, false, false,
         onWindow(&W::actionGeneratePrintFiles)},
    };
}
