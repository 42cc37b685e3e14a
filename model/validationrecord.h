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
};

enum : int {
    VALIDATE_SOURCE_SLIP = 1,
    VALIDATE_SOURCE_FORM = 2,
    VALIDATE_SOURCE_PERSON = 4,
    VALIDATE_SOURCE_SPOUSES = 5,
};
