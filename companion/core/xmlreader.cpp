#include "companion/core/xmlreader.h"

#include "companion/core/numbertext.h"

#include <QByteArray>

#include <cstring>
#include <map>
#include <string>

namespace {

bool hasLocalName(const TiXmlElement* element, const char* name)
{
    if (!name)
        return true;
    return std::strcmp(xmlLocalName(element->Value()), xmlLocalName(name)) == 0;
}

TiXmlElement* firstChild(const TiXmlNode* node, const char* name)
{
    if (!node)
        return nullptr;
    for (const TiXmlElement* child = node->FirstChildElement(); child; child = child->NextSiblingElement()) {
        if (hasLocalName(child, name))
            return const_cast<TiXmlElement*>(child);
    }
    return nullptr;
}

TiXmlElement* nextSibling(const TiXmlNode* node, const char* name)
{
    if (!node)
        return nullptr;
    for (const TiXmlElement* sibling = node->NextSiblingElement(); sibling; sibling = sibling->NextSiblingElement()) {
        if (hasLocalName(sibling, name))
            return const_cast<TiXmlElement*>(sibling);
    }
    return nullptr;
}

const char* nonNull(const char* text)
{
    return text ? text : "";
}

} // namespace

const char* xmlLocalName(const char* qualifiedName)
{
    if (!qualifiedName)
        return "";
    const char* colon = std::strrchr(qualifiedName, ':');
    return colon ? colon + 1 : qualifiedName;
}

MyTiXmlHandle MyTiXmlHandle::FirstChildElement() const
{
    return MyTiXmlHandle(firstChild(m_node, nullptr));
}

MyTiXmlHandle MyTiXmlHandle::FirstChildElement(const char* name) const
{
    return MyTiXmlHandle(name ? firstChild(m_node, name) : nullptr);
}

MyTiXmlHandle MyTiXmlHandle::FirstChildElement(const char* name, const char* /*prefix*/) const
{
    return FirstChildElement(name);
}

MyTiXmlHandle MyTiXmlHandle::NextSiblingElement() const
{
    return MyTiXmlHandle(nextSibling(m_node, nullptr));
}

MyTiXmlHandle MyTiXmlHandle::NextSiblingElement(const char* name) const
{
    return MyTiXmlHandle(name ? nextSibling(m_node, name) : nullptr);
}

const char* MyTiXmlHandle::Text() const
{
    const TiXmlElement* element = ToElement();
    return element ? nonNull(element->GetText()) : "";
}

const char* getElementSubEleStringText(const TiXmlElement* element, const char* name)
{
    if (!element || !name)
        return "";
    const TiXmlElement* child = firstChild(element, name);
    return child ? nonNull(child->GetText()) : "";
}

int getElementSubEleStringAsInt(const TiXmlElement* element, const char* name, int defaultValue)
{
    const double value = getElementSubEleStringAsDouble(element, name, defaultValue);
    // Out-of-range values cannot be an int count or code; treat them as absent.
    if (value > 2147483647.0 || value < -2147483648.0)
        return defaultValue;
    return int(value);
}

double getElementSubEleStringAsDouble(const TiXmlElement* element, const char* name, double defaultValue)
{
    const std::string text = QByteArray(getElementSubEleStringText(element, name)).trimmed().toStdString();
    return text.empty() ? defaultValue : myStringToDouble(text);
}

bool getElementSubEleStringAsBool(const TiXmlElement* element, const char* name, bool defaultValue)
{
    static const std::map<std::string, bool> words = {
        {"true", true}, {"1", true}, {"y", true}, {"yes", true},
        {"false", false}, {"0", false}, {"n", false}, {"no", false},
    };
    const std::string text = QByteArray(getElementSubEleStringText(element, name)).trimmed().toLower().toStdString();
    const auto it = words.find(text);
    return it == words.end() ? defaultValue : it->second;
}

const char* getElementSubEleStringAttribute(const TiXmlElement* element, const char* name, const char* attribute)
{
    if (!element || !name || !attribute)
        return "";
    const TiXmlElement* child = firstChild(element, name);
    return child ? nonNull(child->Attribute(attribute)) : "";
}
