#pragma once

#include "companion/core/cstring.h"

// Results of writing and reading a return file. The family level gives 0 on
// success; a person record gives its file version on success (always at
// least 0x10000), so every code below is told apart from a version.
enum ReturnFileLoadCode : int {
    RFL_SUCCESS = 0,
    RFL_TAXPAYER_NO_PROVINCE = -1, // the taxpayer's record has no province
    RFL_UNKNOWN_FORM = -3,         // a form type that no factory knows
    RFL_UNKNOWN_SLIP = -4,         // a slip type that no factory knows
    RFL_NOTE_NOT_MADE = -5,        // a note item that was not made
    RFL_FILE_NOT_OPENED = 107,     // the file cannot be opened
    RFL_DAMAGED_OR_NEWER = 111,    // damaged, truncated or written by a later version
    RFL_PASSWORD_REFUSED = 112,    // wrong password, or the prompt was cancelled
    RFL_PROVINCE_OUT_OF_RANGE = 119,
    // A record holds forms but its province's plug-in cannot be loaded (or it
    // has no province): opening it would lose every form, so it is refused.
    RFL_PROVINCE_PLUGIN_MISSING = 120,
    // Writing: the file could not be written completely; an earlier file
    // with that name is left as it was.
    RFL_WRITE_FAILED = 121,
    // Writing: the family lost forms when it was read, so writing it would
    // destroy the return on disk; nothing is written.
    RFL_FORMS_LOST_ON_READING = 122,
    // Writing: the spouse's return holds forms but no province; a record
    // like that cannot be read back, so nothing is written.
    RFL_SPOUSE_NO_PROVINCE = 123,
};

// A person record's result is a success when it is a file version.
inline bool isPersonRecordVersion(int result) { return result >= 0x10000; }

// Texts the person record shows itself (information boxes titled
// returnFileMessageTitle()).
QString returnFileMessageTitle();
QString damagedReturnFileText();
QString laterVersionReturnFileText();
QString missingPluginReturnFileText(int province);

// The text for a code that a caller (the workspace, a batch run) reports
// after a failed open or save; empty for success.
QString returnFileLoadMessage(int code);

// Shows one of the texts above through the program's prompter; no window
// is opened when a quiet or scripted prompter is installed.
void showReturnFileMessage(const QString& text);
