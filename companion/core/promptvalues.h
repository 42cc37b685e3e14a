#pragma once

#include <QFlags>

// The buttons and icons a prompt offers, as the prompter speaks of them. The
// layers below the widgets ask questions without seeing the widget library:
// these are the prompter's own values. They keep the numbers of the standard
// message box's buttons and icons, so the window prompter hands them on as
// they are (companion/ui/widgetprompter.cpp checks that at compile time).
namespace Prompt
{
enum StandardButton : unsigned int
{
    NoButton = 0x00000000,
    Ok = 0x00000400,
    Save = 0x00000800,
    SaveAll = 0x00001000,
    Open = 0x00002000,
    Yes = 0x00004000,
    YesToAll = 0x00008000,
    No = 0x00010000,
    NoToAll = 0x00020000,
    Abort = 0x00040000,
    Retry = 0x00080000,
    Ignore = 0x00100000,
    Close = 0x00200000,
    Cancel = 0x00400000,
    Discard = 0x00800000,
    Help = 0x01000000,
    Apply = 0x02000000,
    Reset = 0x04000000,
    RestoreDefaults = 0x08000000,
    FirstButton = Ok,
    LastButton = RestoreDefaults,
};
Q_DECLARE_FLAGS(StandardButtons, StandardButton)

enum Icon
{
    NoIcon = 0,
    Information = 1,
    Warning = 2,
    Critical = 3,
    Question = 4,
};
// How a prompt ended, with a dialog's numbers (rejected 0, accepted 1).
enum DialogCode
{
    Rejected = 0,
    Accepted = 1,
};
} // namespace Prompt

Q_DECLARE_OPERATORS_FOR_FLAGS(Prompt::StandardButtons)
