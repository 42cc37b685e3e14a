#include "agencydata/slipchildren.h"

#include <tinyxml.h>

#include <cstring>

std::vector<SlipChild> slipChildren(TiXmlElement* slipElement)
{
    std::vector<SlipChild> children;
    if (!slipElement)
        return children;
    for (TiXmlElement* child = slipElement->FirstChildElement(); child; child = child->NextSiblingElement()) {
        // An element without text of its own (empty, or holding only
        // elements) is not a value of the slip.
        const char* text = child->GetText();
        if (!text)
            continue;
        children.push_back({child->Value(), text, child->Attribute("boxNumber")});
    }
    return children;
}

bool nameEndsWith(const char* name, const char* ending)
{
    if (!name || !ending)
        return false;
    const std::size_t nameLength = std::strlen(name);
    const std::size_t endingLength = std::strlen(ending);
    return endingLength <= nameLength && std::strcmp(name + nameLength - endingLength, ending) == 0;
}
