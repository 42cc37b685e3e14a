#pragma once

#include "model/featurecontext.h"
#include "model/returnmenufacts.h"

#include <functional>
#include <vector>

// A rule over what the window knows of the current page and selected item.
using MenuRule = bool (*)(const ReturnMenuFacts&);

namespace MenuRules {
bool always(const ReturnMenuFacts&);
bool withReturn(const ReturnMenuFacts&);
bool never(const ReturnMenuFacts&);
// A couple's item that may be shared and is not yet.
bool shareable(const ReturnMenuFacts& facts);
// A couple's item that is shared.
bool unshareable(const ReturnMenuFacts& facts);
// A person living in Manitoba (slips only that province issues).
bool inManitoba(const ReturnMenuFacts& facts);
} // namespace MenuRules

// One command of the program as its feature publishes it. The window makes
// one action of it, places it by id in its menu and runs it through one slot:
// a feature adds a command by adding a row to its own table, and the window
// layer needs no member, slot or virtual for it.
struct FeatureCommand
{
    const char* id;             // the action's object name, by which the window places it
    const char* menu;           // the object name of the menu it belongs in
    const char* text;           // the menu text (translated in the context "MainWindow")
    const char* shortcut = "";  // portable key text ("Ctrl+W"); empty: none
    MenuRule enabled = MenuRules::always; // in the menu bar and toolbar
    MenuRule offered = MenuRules::always; // in the return tree's context menus
    // Runs on the current return page only: the window stores what was typed
    // on the page's visible form first, and does nothing on the start page.
    bool onReturn = false;
    // The window's title and status are refreshed after it ran (the command
    // may move the return to another file or fill it from outside).
    bool retitles = false;
    std::function<void(FeatureContext&)> run;
};

using FeatureCommands = std::vector<FeatureCommand>;
