#pragma once

// What the window knows, when it shows its menus, of the page that is current
// and of the item selected in its return tree: the facts a command's rules
// look at to say whether it is enabled or offered.
struct ReturnMenuFacts {
    bool returnShown = false;   // a return page is current (not the start page)
    bool coupled = false;
    int province = 0;           // the current person's province of residence
    bool itemSharable = false;  // the selected slip's or form's type may be shared
    bool itemShared = false;    // the selected slip or form is shared with the spouse
};
