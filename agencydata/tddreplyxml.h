#pragma once

#include <string>

class TiXmlDocument;
class TiXmlElement;

// The texts a data reply's parse stores, built from the parsed tree rather
// than cut out of the reply's characters: the agency may choose any
// namespace prefix (or none), write an empty item as one self-closing tag,
// or carry an item's name inside a text, and a cut by character position
// would then store another taxpayer's data or broken XML.

// The element alone as a well-formed document: every namespace declaration
// in scope on its ancestors (the nearest one for each prefix) is copied onto
// it, so its prefixed names still resolve when the text is read back alone.
std::string printElementWithNamespaces(const TiXmlElement* element);

// The whole document with item the only node left inside its parent, printed.
// item must belong to document. "" when it does not.
std::string printDocumentWithOnlyChild(const TiXmlDocument& document, const TiXmlElement* item);
