#pragma once

#include "companion/core/cstring.h"

// The longest start of text whose UTF-8 form takes at most maxBytes bytes,
// never ending inside a character.
CString cutToUtf8Bytes(const CString& text, int maxBytes);
