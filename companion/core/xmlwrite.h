#pragma once

#include "companion/core/cstring.h"

// Writers of single XML elements into a text being built. Every value goes
// through convertToXMLString here, once: callers pass the text as the user
// typed it.

// Appends <tag>value</tag>. A width above 0 keeps at most that many
// characters of the value; the cut is made before escaping, so an escaped
// character ("&amp;") is never split and the result stays well-formed.
void writeXMLString(CString& out, const char* tag, const CString& value, int width = 0);
// Appends <tag> or </tag>.
void writeXMLOpenTagString(CString& out, const char* tag);
void writeXMLCloseTagString(CString& out, const char* tag);

// The first width characters of text (all of it for a width of 0 or less),
// never cutting a character that takes two UTF-16 units in half.
CString leftCharacters(const CString& text, int width);
