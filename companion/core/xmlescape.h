#pragma once

#include "companion/core/cstring.h"

#include <string>

// Text made safe for XML or HTML element content and attribute values:
// & < > " ' become &amp; &lt; &gt; &quot; &apos;. Control characters other
// than tab, line feed and carriage return (not allowed in XML 1.0) are dropped.
std::string xmlEscape(const std::string& utf8);
CString convertToXMLString(const CString& text);
