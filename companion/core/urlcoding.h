#pragma once

#include <string>

// Percent-encoding of UTF-8 bytes: the unreserved characters A-Z a-z 0-9
// - . _ ~ are kept, every other byte becomes %XX (upper-case hexadecimal).
std::string urlEncode(const std::string& text);

// The reverse. A '%' not followed by two hexadecimal digits is kept as it
// stands. With plusAsSpace (form bodies and query strings written by browsers)
// '+' becomes a blank; otherwise it is kept.
std::string urlDecode(const std::string& text, bool plusAsSpace = false);
