#include "agencydata/tddreplyxml.h"

#include <tinyxml.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

bool isNamespaceDeclaration(const char* name)
{
    return std::strcmp(name, "xmlns") == 0 || std::strncmp(name, "xmlns:", 6) == 0;
}

std::string print(const TiXmlNode& node)
{
    TiXmlPrinter printer;
    // Stream printing adds no indentation, so texts keep their exact content.
    printer.SetStreamPrinting();
    node.Accept(&printer);
    return printer.Str();
}

// The positions of node among its parent's children, from the document down.
std::vector<int> pathFromDocument(const TiXmlNode* node)
{
    std::vector<int> path;
    for (const TiXmlNode* at = node; at && at->Parent(); at = at->Parent()) {
        int index = 0;
        for (const TiXmlNode* before = at->PreviousSibling(); before; before = before->PreviousSibling())
            ++index;
        path.insert(path.begin(), index);
    }
    return path;
}

TiXmlNode* followPath(TiXmlNode* from, const std::vector<int>& path)
{
    TiXmlNode* at = from;
    for (int index : path) {
        TiXmlNode* child = at ? at->FirstChild() : nullptr;
        for (int i = 0; child && i < index; ++i)
            child = child->NextSibling();
        at = child;
    }
    return at;
}

} // namespace

std::string printElementWithNamespaces(const TiXmlElement* element)
{
    if (!element)
        return std::string();
    std::unique_ptr<TiXmlNode> copy(element->Clone());
    TiXmlElement* out = copy->ToElement();
    for (const TiXmlNode* up = element->Parent(); up; up = up->Parent()) {
        const TiXmlElement* ancestor = up->ToElement();
        if (!ancestor)
            continue;
        for (const TiXmlAttribute* a = ancestor->FirstAttribute(); a; a = a->Next()) {
            // A declaration already on the copy is nearer and wins.
            if (isNamespaceDeclaration(a->Name()) && !out->Attribute(a->Name()))
                out->SetAttribute(a->Name(), a->Value());
        }
    }
    return print(*out);
}

std::string printDocumentWithOnlyChild(const TiXmlDocument& document, const TiXmlElement* item)
{
    if (!item || !item->Parent() || item->GetDocument() != &document)
        return std::string();
    const std::vector<int> path = pathFromDocument(item);
    TiXmlDocument copy(document);
    TiXmlNode* kept = followPath(&copy, path);
    if (!kept || !kept->Parent())
        return std::string();
    TiXmlNode* parent = kept->Parent();
    for (TiXmlNode* child = parent->FirstChild(); child;) {
        TiXmlNode* next = child->NextSibling();
        if (child != kept)
            parent->RemoveChild(child);
        child = next;
    }
    return print(copy);
}
