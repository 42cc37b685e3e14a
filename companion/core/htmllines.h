#pragma once

#include "companion/core/cstring.h"

#include <string>

// The lines of the HTML reports made from the agency's data. Values come from
// outside and are escaped; labels are the program's own and go in as written.

// Appends "label: value<br>\n". Writes nothing when the value is empty or
// blank, or when it equals skip ignoring case and blanks around it (so a
// skip of "0" hides a no-code or a zero count). 1 when a line was written.
int toHtmlOneLineItem(CString& html, const std::string& value, const char* label, const char* skip);

// Appends a line break.
void toHtmlNewLine(CString& html);
