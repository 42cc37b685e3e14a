#pragma once

#include <QString>

#include <tinyxml.h>

#include <cstddef>
#include <string>

// Every XML text that comes from outside the program (a service's reply, a
// downloaded layout, a stored copy of a reply) passes this guard before a
// parser sees it. The tree parser descends once per level of nesting, so a
// reply nested a few tens of thousands deep would overflow the thread's
// stack; a linear scan that only counts levels refuses such a text first.

// Deeper than any reply or layout the program reads (the agency's deepest
// replies stay below 20 levels).
constexpr int kOutsideXmlMaxDepth = 256;
// The largest reply any of the program's clients accepts.
constexpr std::size_t kOutsideXmlMaxBytes = 64u * 1024u * 1024u;

struct OutsideXmlCheck
{
    bool accepted = true;
    // Empty when accepted; otherwise a sentence that starts with
    // "Refused a malformed reply" and says why.
    QString message;
};

// Scans the text once, without recursion. Refuses a text larger than
// maxBytes or with more than maxDepth levels of elements open at once.
// Comments, CDATA sections, processing instructions, declarations and
// quoted attribute values are stepped over, so a '<' inside them is not
// counted. Whether the text is well-formed is left to the parser.
OutsideXmlCheck checkOutsideXml(const char* text, std::size_t size, std::size_t maxBytes = kOutsideXmlMaxBytes,
                                int maxDepth = kOutsideXmlMaxDepth);
OutsideXmlCheck checkOutsideXml(const std::string& text, std::size_t maxBytes = kOutsideXmlMaxBytes);

// The same scan over JSON: arrays and objects open at once count as levels.
OutsideXmlCheck checkOutsideJson(const char* text, std::size_t size, std::size_t maxBytes = kOutsideXmlMaxBytes,
                                 int maxDepth = kOutsideXmlMaxDepth);

// Checks the text and only then parses it into doc (TIXML_USE_STL's
// TiXmlDocument). False, with doc left empty and *message set, when the guard
// refused the text; otherwise true after Parse (the caller still tests
// doc.Error()). The text must end with a NUL at text[size] (std::string,
// QByteArray).
bool parseOutsideXml(TiXmlDocument& doc, const char* text, std::size_t size, TiXmlEncoding encoding,
                     QString* message = nullptr);
bool parseOutsideXml(TiXmlDocument& doc, const std::string& text, TiXmlEncoding encoding, QString* message = nullptr);
