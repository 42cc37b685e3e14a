#pragma once

#include "model/featurecommand.h"

// The window's own commands: return files, preferences, the View and Windows
// menus, the report of returns not filed online, help and support. Each runs
// a slot of the main window, which is the context's dialog parent.
FeatureCommands windowCommands();

// The items of the open return: remove, share
// and unshare the selected item, notes, the slip summary, forms and their
// order, and one row per slip kind. They run on the current return page.
FeatureCommands returnPageCommands();
