#pragma once

#include "companion/core/cstring.h"

#include <map>
#include <string>

// Base of the program's configuration: a derived class registers its text
// and flag members under their key names, then readConfigFile() assigns
// every registered key found in a "key=value" file.
//
// File syntax: one "key=value" per line; lines starting with '#' or ';' are
// comments; blank lines are skipped; CRLF endings are accepted; blanks around
// key and value are trimmed; the value runs to the end of the line and may
// itself contain '='. Keys are matched case-sensitively. Unknown keys are
// ignored and keys that do not appear leave their members as they were.
class CAppConfig
{
public:
    CAppConfig();
    virtual ~CAppConfig();

    // Largest file read; anything longer is refused as not a configuration.
    static constexpr qint64 kMaxFileBytes = 1024 * 1024;
    // Longest line taken; longer lines are skipped whole.
    static constexpr int kMaxLineBytes = 8 * 1024;

    // Reads the file at the UTF-8 path. Flag keys take 1/true/yes/on as
    // true and 0/false/no/off as false (any case); any other value leaves
    // the flag. Returns false when the file cannot be read or is larger than
    // kMaxFileBytes (no member changed then). afterReadConfigFile() runs in
    // both cases, so derived rules always see a settled configuration.
    bool readConfigFile(const char* path);

    // Assigns text to member only when member is still empty.
    static void setStringValIfNotSet(CString& member, const char* text);

    // Hook for derived classes, run at the end of readConfigFile().
    virtual void afterReadConfigFile();

protected:
    std::map<std::string, CString*> m_mapStringKeys; // key text -> text member
    std::map<std::string, bool*> m_mapBoolKeys;      // key text -> flag member
    int m_appType = 0; // the edition the program runs as (1 or 2 select the second software code)

private:
    void applyLine(const std::string& line);
    CAppConfig(const CAppConfig&) = delete;
    CAppConfig& operator=(const CAppConfig&) = delete;
};
