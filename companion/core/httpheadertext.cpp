#include "companion/core/httpheadertext.h"

bool isSafeHttpHeaderValue(const QByteArray& value)
{
    for (char c : value) {
        const auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && u != '\t') || u == 0x7f)
            return false;
    }
    return true;
}

bool isHttpToken(const QByteArray& name)
{
    static const QByteArray extra("!#$%&'*+-.^_`|~");
    if (name.isEmpty())
        return false;
    for (char c : name) {
        const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!alnum && !extra.contains(c))
            return false;
    }
    return true;
}
