#pragma once

#include "companion/core/cstring.h"

// Small HTML tables for reports: start, three-cell rows, end. Cell texts are
// escaped, so any text may be passed.
void toHtmlTableStart(CString& html);
void toHtmlOneTableRow(CString& html, const CString& first, const CString& second, const CString& third);
void toHtmlTableEnd(CString& html);
