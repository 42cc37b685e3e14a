#pragma once

#include "companion/forms/taxtypes.h"

// Which province a Canadian postal code belongs to, by its first three
// characters (the forward sortation area). The first letter settles it
// everywhere but in the north, where X0A to X0C are Nunavut and the other X
// areas the Northwest Territories.
class CPostCodeInfo
{
public:
    static const CPostCodeInfo& GetInstance();
    // True when the prefix (up to three characters, UTF-8, any case) belongs
    // to the province; an empty or foreign prefix belongs to none.
    bool IsPostCodeFromProv(const char* prefix, ENUMTYPE_PROVINCE province) const;
    // The province of a prefix, 0 when it is not a Canadian postal code.
    ENUMTYPE_PROVINCE provinceOf(const char* prefix) const;
};
