#pragma once

#include <list>

#include "companion/core/cstring.h"

// One validation record: where the messages come from (1 a slip, 2 a form,
// 4 the whole-return checks of one person, 5 the checks between spouses),
// the slip or form type for sources 1 and 2 (0 otherwise), and the messages.
// Records appended to a caller's list belong to that caller.
struct _STRUCT_FORM_VALIDATE_INFO
{
    int source = 0;
    int itemType = 0;
    std::list<CString> messages;

    // Appends the text as it stands (UTF-8).
    void insertMsg(const char* text);
    // Appends format with its one "%s" filled by arg (printf style, UTF-8).
    void insertMsg1(const char* format, const char* arg);
    // The same with two "%s" places filled in order.
    void insertMsg2(const char* format, const char* arg1, const char* arg2);
    // Keeps the first of each text: several checks may reach the same
    // conclusion, and the user should read it once.
    void removeDuplicateMessages();
};

enum : int {
    VALIDATE_SOURCE_SLIP = 1,
    VALIDATE_SOURCE_FORM = 2,
    VALIDATE_SOURCE_PERSON = 4,
    VALIDATE_SOURCE_SPOUSES = 5,
};

// The purpose byte's edition bits: EFILE (the preparer files for clients)
// and DIRERAD (the person files alone).
constexpr unsigned char kPurposeEfile = 1;
constexpr unsigned char kPurposeDirerad = 2;
inline bool isEfilePurpose(unsigned char purpose) { return (purpose & kPurposeEfile) != 0; }
inline bool isDireradPurpose(unsigned char purpose) { return (purpose & kPurposeDirerad) != 0; }
