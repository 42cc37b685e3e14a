#pragma once

#include "companion/core/cstring.h"

// Text forms of the current time. All of them read AppClock, never the
// system clock directly.

// Forms of GetCurTime.
enum CurTimeMode {
    CurTimeLocal = 0,    // "yyyy-MM-dd HH:mm:ss", local time
    CurTimeCompact = 1,  // "yyyyMMddHHmmss", local time
    CurTimeDate = 2,     // "yyyy-MM-dd", local date
};

// The current local time in the given form (an unknown mode gives mode 0).
CString GetCurTime(int mode = CurTimeLocal);

// The current local time as "yyyy-MM-dd HH:mm:ss" (the time-stamp form).
CString getCurTimeStr();

// With forSecurityHeader true: the current UTC time as a WS-Security
// wsu:Created element takes it, "yyyy-MM-ddTHH:mm:ss.zzzZ".
// With false: the local time as "yyyy-MM-dd HH:mm:ss", a form that sorts in
// time order as text (used for database time stamps).
void getXMLDateTimeString(bool forSecurityHeader, CString& out);
CString getXMLDateTimeString(bool forSecurityHeader);
