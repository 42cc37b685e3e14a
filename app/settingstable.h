#pragma once

#include <variant>
#include <vector>

#include "app/t1appconfig.h"

class CSqliteDBManager;

// The rows of the settings table ("tb_config") the program reads at start-up
// and writes back: each key once, with the member it fills, how it is
// stored and when it is written. Reading, the preferences' save and the save
// at exit all walk this one list, so a key cannot be read under one name and
// written under another.
namespace Settings {

// Where the values live: the configuration, and the two folders the
// application remembers outside it.
struct Target {
    CT1AppConfig& config;
    CString& lastOpenPath;
    CString& lastImportPath;
};

using Member = std::variant<CString*, int*, bool*>;

enum Kind {
    Text,
    Path, // stored with the platform's separators
    Number,
    Flag,
};

// When a row is written; a row written at no time is only read.
enum When : unsigned {
    OnlyRead = 0,
    WithPreferences = 1, // when the user applies the preferences
    AtExit = 2,          // when the program closes
    AtExitWhenPlaced = 4, // at exit, and only when the main window's place is known
};

struct Row {
    const char* key;
    const char* debugKey; // the key in debug mode, or null for the same key
    Kind kind;
    unsigned when;
    Member (*member)(Target&);
    bool (*isValid)(const QString&); // a stored text failing it is ignored; null: any text
};

const std::vector<Row>& rows();

// The key a row uses in this mode.
const char* keyOf(const Row& row, bool debugMode);

// Reads every row into its member; a missing row leaves the member as it is.
void readAll(CSqliteDBManager& db, Target& target);

// Writes every row whose `when` has any of the given bits.
void saveAll(CSqliteDBManager& db, Target& target, unsigned when);

} // namespace Settings
