#include "companion/core/xmlescape.h"

std::string xmlEscape(const std::string& utf8)
{
    std::string out;
    out.reserve(utf8.size() + utf8.size() / 8);
    for (char c : utf8) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
                break;
            out += c;
        }
    }
    return out;
}

CString convertToXMLString(const CString& text)
{
    return CString(xmlEscape(text.toStdString()));
}
