#pragma once

#include <tinyxml.h>

// Null-safe reading of TinyXML documents whose element names may carry any
// namespace prefix. Elements are matched by their LOCAL name: "soapenv:Body",
// "ns2:Body" and "Body" all match "Body", and a name asked for with a prefix
// ("soapenv:Body") is matched by its local part too, because services are
// free to choose their prefixes. Matching is case-sensitive.

// The part of a qualified name after its last ':' (the whole name without one).
const char* xmlLocalName(const char* qualifiedName);

// A handle that may hold no node; every step from an empty handle gives an
// empty handle, so a chain of lookups needs one null test at the end.
class MyTiXmlHandle
{
public:
    explicit MyTiXmlHandle(TiXmlNode* node) : m_node(node) {}

    // The first child element of any name.
    MyTiXmlHandle FirstChildElement() const;
    // The first child element with this local name.
    MyTiXmlHandle FirstChildElement(const char* name) const;
    // The same; the prefix documents what the sender is expected to use and
    // is not required to match.
    MyTiXmlHandle FirstChildElement(const char* name, const char* prefix) const;
    // The next sibling element of any name / with this local name.
    MyTiXmlHandle NextSiblingElement() const;
    MyTiXmlHandle NextSiblingElement(const char* name) const;

    TiXmlNode* ToNode() const { return m_node; }
    TiXmlElement* ToElement() const { return m_node ? m_node->ToElement() : nullptr; }
    // The element's own text, "" when there is none.
    const char* Text() const;

private:
    TiXmlNode* m_node;
};

// The text of element's first child element of this local name; "" (never
// null) when element is null, the child is missing or has no text. The
// pointer lives as long as the document.
const char* getElementSubEleStringText(const TiXmlElement* element, const char* name);

// The child's text as a number; defaultValue when the child is missing or
// its text is empty. A text that is not a number gives 0, as myStringToDouble.
int getElementSubEleStringAsInt(const TiXmlElement* element, const char* name, int defaultValue = 0);
double getElementSubEleStringAsDouble(const TiXmlElement* element, const char* name, double defaultValue = 0.0);

// The child's text as a flag: "true", "1", "Y", "yes" are true, "false", "0",
// "N", "no" false (any case, blanks ignored); anything else gives defaultValue.
bool getElementSubEleStringAsBool(const TiXmlElement* element, const char* name, bool defaultValue = false);

// The attribute of the child element; "" (never null) when any part is missing.
const char* getElementSubEleStringAttribute(const TiXmlElement* element, const char* name, const char* attribute);
