#include "model/textlimits.h"

CString cutToUtf8Bytes(const CString& text, int maxBytes)
{
    int bytes = 0;
    int end = 0;
    const int length = text.size();
    while (end < length) {
        const uint code = text.at(end).unicode();
        int units = 1;
        int width = 0;
        if (QChar::isHighSurrogate(code) && end + 1 < length && text.at(end + 1).isLowSurrogate()) {
            units = 2;
            width = 4;
        } else if (code < 0x80) {
            width = 1;
        } else if (code < 0x800) {
            width = 2;
        } else {
            width = 3;
        }
        if (bytes + width > maxBytes)
            break;
        bytes += width;
        end += units;
    }
    return CString(text.left(end));
}
