#include "companion/core/xmlwrite.h"

#include "companion/core/xmlescape.h"

CString leftCharacters(const CString& text, int width)
{
    if (width <= 0 || text.size() <= width)
        return text;
    int cut = width;
    if (text.at(cut - 1).isHighSurrogate())
        --cut;
    return CString(text.left(cut));
}

void writeXMLOpenTagString(CString& out, const char* tag)
{
    out += QLatin1Char('<');
    out += QLatin1String(tag);
    out += QLatin1Char('>');
}

void writeXMLCloseTagString(CString& out, const char* tag)
{
    out += QLatin1String("</");
    out += QLatin1String(tag);
    out += QLatin1Char('>');
}

void writeXMLString(CString& out, const char* tag, const CString& value, int width)
{
    writeXMLOpenTagString(out, tag);
    out += convertToXMLString(leftCharacters(value, width));
    writeXMLCloseTagString(out, tag);
}
