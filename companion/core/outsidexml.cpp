#include "companion/core/outsidexml.h"

#include <cstring>

namespace {

OutsideXmlCheck refused(const QString& why)
{
    OutsideXmlCheck check;
    check.accepted = false;
    check.message = QStringLiteral("Refused a malformed reply: %1").arg(why);
    return check;
}

OutsideXmlCheck tooLarge(std::size_t maxBytes)
{
    return refused(QStringLiteral("it is larger than %1 bytes.").arg(static_cast<qulonglong>(maxBytes)));
}

bool startsWith(const char* at, const char* end, const char* literal)
{
    const std::size_t length = std::strlen(literal);
    return static_cast<std::size_t>(end - at) >= length && std::memcmp(at, literal, length) == 0;
}

// The position just after the first occurrence of literal at or after from;
// end when there is none (the parser reports the unclosed construct).
const char* after(const char* from, const char* end, const char* literal)
{
    const std::size_t length = std::strlen(literal);
    for (const char* at = from; at + length <= end; ++at) {
        at = static_cast<const char*>(std::memchr(at, literal[0], static_cast<std::size_t>(end - at)));
        if (!at || at + length > end)
            return end;
        if (std::memcmp(at, literal, length) == 0)
            return at + length;
    }
    return end;
}

// The position of the '>' that closes a tag or declaration starting at from,
// stepping over quoted values (and, for a declaration, its bracketed internal
// subset); end when there is none.
const char* tagEnd(const char* from, const char* end)
{
    char quote = 0;
    int brackets = 0;
    for (const char* at = from; at < end; ++at) {
        const char c = *at;
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '[') {
            ++brackets;
        } else if (c == ']') {
            if (brackets > 0)
                --brackets;
        } else if (c == '>' && brackets == 0) {
            return at;
        }
    }
    return end;
}

} // namespace

OutsideXmlCheck checkOutsideXml(const char* text, std::size_t size, std::size_t maxBytes, int maxDepth)
{
    if (size > maxBytes)
        return tooLarge(maxBytes);
    const char* const end = text + size;
    int depth = 0;
    const char* at = text;
    while (at < end) {
        at = static_cast<const char*>(std::memchr(at, '<', static_cast<std::size_t>(end - at)));
        if (!at)
            break;
        if (startsWith(at, end, "<!--")) {
            at = after(at + 4, end, "-->");
        } else if (startsWith(at, end, "<![CDATA[")) {
            at = after(at + 9, end, "]]>");
        } else if (startsWith(at, end, "<?")) {
            at = after(at + 2, end, "?>");
        } else if (startsWith(at, end, "<!")) {
            at = tagEnd(at + 2, end);
        } else if (startsWith(at, end, "</")) {
            if (depth > 0)
                --depth;
            at = tagEnd(at + 2, end);
        } else {
            const char* close = tagEnd(at + 1, end);
            // "<name/>" opens and closes at once; anything else opens a level
            // (counting an odd tag as a level only ever refuses more).
            if (close == end || close[-1] != '/') {
                if (++depth > maxDepth)
                    return refused(
                        QStringLiteral("it nests elements more than %1 levels deep.").arg(maxDepth));
            }
            at = close;
        }
    }
    return {};
}

OutsideXmlCheck checkOutsideXml(const std::string& text, std::size_t maxBytes)
{
    return checkOutsideXml(text.data(), text.size(), maxBytes);
}

OutsideXmlCheck checkOutsideJson(const char* text, std::size_t size, std::size_t maxBytes, int maxDepth)
{
    if (size > maxBytes)
        return tooLarge(maxBytes);
    int depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < size; ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > maxDepth)
                return refused(
                    QStringLiteral("it nests arrays and objects more than %1 levels deep.").arg(maxDepth));
        } else if ((c == ']' || c == '}') && depth > 0) {
            --depth;
        }
    }
    return {};
}

bool parseOutsideXml(TiXmlDocument& doc, const char* text, std::size_t size, TiXmlEncoding encoding,
                     QString* message)
{
    const OutsideXmlCheck check = checkOutsideXml(text, size);
    if (!check.accepted) {
        doc.Clear();
        if (message)
            *message = check.message;
        return false;
    }
    doc.Parse(text, nullptr, encoding);
    return true;
}

bool parseOutsideXml(TiXmlDocument& doc, const std::string& text, TiXmlEncoding encoding, QString* message)
{
    return parseOutsideXml(doc, text.c_str(), text.size(), encoding, message);
}
