#pragma once

#include "companion/core/cstring.h"

#include <map>
#include <set>
#include <string>

// The values for a template's "$$(name)" placeholders: placeholder name to
// text. Plain values (map[name] = text, or setText) are XML-escaped when they
// are filled in, so callers never escape them. A value that is already a
// well-formed XML block (built by the caller with its own escaping) is stored
// with setFragment and goes in as it stands.
//
// For an optional placeholder "$$(name0)" the key is the name without the
// trailing "0"; leave the key out to drop the template line that holds it.
class TemplateValueMap : public std::map<std::string, CString>
{
public:
    // A plain text value; replaces a fragment of the same name.
    void setText(const std::string& name, const CString& text)
    {
        (*this)[name] = text;
        m_fragmentNames.erase(name);
    }

    // A ready XML fragment, filled in unescaped.
    void setFragment(const std::string& name, const CString& xml)
    {
        (*this)[name] = xml;
        m_fragmentNames.insert(name);
    }

    bool isFragment(const std::string& name) const { return m_fragmentNames.count(name) != 0; }

    void clear()
    {
        std::map<std::string, CString>::clear();
        m_fragmentNames.clear();
    }

private:
    std::set<std::string> m_fragmentNames;
};
