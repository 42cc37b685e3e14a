#pragma once

#include "companion/core/cstring.h"

#include <map>
#include <string>

// The agency's list of refund set-off programs, as the program ships it:
// Latin-1 CSV, a header row, then one row per program and telephone, with
// the program's abbreviation in the second field and its telephone in the
// last. The table maps each abbreviation, trimmed, to the telephone text of
// its first row, kept as it stands (the agency pads it with blanks).
using SetOffCodeTable = std::map<std::string, CString>;

// The table from the file's bytes; false (and an empty table) when the text
// is not CSV.
bool readSetOffCodeTable(const std::string& latin1Csv, SetOffCodeTable& table);

// The table from a file or a ":/" resource; false (and an empty table) when
// it cannot be read or split.
bool loadSetOffCodeTable(const CString& path, SetOffCodeTable& table);

// How a code is looked up: blanks around it do not count.
std::string setOffCodeKey(const std::string& code);
