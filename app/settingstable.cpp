#include "app/settingstable.h"

#include "app/SqliteDBManager.h"

namespace Settings {

namespace {

// One accessor per member, so that the table below stays one line a key.
#define CONFIG(member) [](Target& t) -> Member { return &t.config.member; }

// Rows in the order they are read; the window's place is resolved after the
// read, against the screens.
const std::vector<Row> kRows = {
    {"LeftPaneSize", nullptr, Text, WithPreferences | AtExit, CONFIG(LeftPaneSize), SettingsCheck::isPaneSize},
    {"BKColor", nullptr, Text, AtExit, CONFIG(BKColor), SettingsCheck::isColour},
    {"FontSize", nullptr, Text, AtExit, CONFIG(FontSize), SettingsCheck::isFontSize},
    {"LeftX", nullptr, Number, AtExitWhenPlaced, CONFIG(LeftX), nullptr},
    {"LeftY", nullptr, Number, AtExitWhenPlaced, CONFIG(LeftY), nullptr},
    {"Width", nullptr, Number, AtExitWhenPlaced, CONFIG(Width), nullptr},
    {"Height", nullptr, Number, AtExitWhenPlaced, CONFIG(Height), nullptr},
    {"RetPath", nullptr, Path, WithPreferences, CONFIG(RetPath), nullptr},
    {"RetPdfPath", nullptr, Path, WithPreferences, CONFIG(RetPdfPath), nullptr},
    {"PdfPathSameAsRet", nullptr, Number, WithPreferences, CONFIG(PdfPathSameAsRet), nullptr},
    {"LastOpenPath", nullptr, Path, AtExit, [](Target& t) -> Member { return &t.lastOpenPath; }, nullptr},
    {"LastImportPath", nullptr, Path, AtExit, [](Target& t) -> Member { return &t.lastImportPath; }, nullptr},
    {"BusinessName", nullptr, Text, WithPreferences, CONFIG(BusinessName), nullptr},
    {"BusinessAddr", nullptr, Text, WithPreferences, CONFIG(BusinessAddr), nullptr},
    {"BusinessCity", nullptr, Text, WithPreferences, CONFIG(BusinessCity), nullptr},
    {"BusinessProv", nullptr, Text, WithPreferences, CONFIG(BusinessProv), nullptr},
    {"BusinessPostcode", nullptr, Text, WithPreferences, CONFIG(BusinessPostcode), nullptr},
    {"BusinessPhone", nullptr, Text, WithPreferences, CONFIG(BusinessPhone), nullptr},
    // Debug mode keeps its own filer number and password, so trying things
    // out never overwrites the real ones.
    {"BusinessEFileNum", "BusinessEFileNumDbg", Text, WithPreferences, CONFIG(BusinessEFileNum), nullptr},
    {"BusinessEFilePassword", "BusinessEFilePasswordDbg", Text, WithPreferences, CONFIG(BusinessEFilePassword),
     nullptr},
    {"DiscounterCode", nullptr, Text, WithPreferences, CONFIG(DiscounterCode), nullptr},
    {"PreAssessment", nullptr, Number, WithPreferences, CONFIG(PreAssessment), nullptr},
    {"PostAssessment", nullptr, Number, WithPreferences, CONFIG(PostAssessment), nullptr},
    {"PrntClientLetter", nullptr, Number, WithPreferences, CONFIG(PrntClientLetter), nullptr},
    {"SaveBackup", nullptr, Number, WithPreferences, CONFIG(SaveBackup), nullptr},
    {"ShowRelMsg", nullptr, Text, WithPreferences, CONFIG(ShowRelMsg), nullptr},
    {"FilingReport", nullptr, Flag, WithPreferences, CONFIG(FilingReport), nullptr},
    {"CustomizedClientLetter", nullptr, Flag, WithPreferences, CONFIG(CustomizedClientLetter), nullptr},
    // Written by the client-letter download, not by the program's settings.
    {"CustomizedClientLetter_Ver", nullptr, Number, OnlyRead, CONFIG(CustomizedClientLetter_Ver), nullptr},
    {"QuillorEmail", nullptr, Text, WithPreferences, CONFIG(QuillorEmail), nullptr},
    {"QuillorPswd", nullptr, Text, WithPreferences, CONFIG(QuillorPswd), nullptr},
    {"QLFromEmail", nullptr, Text, WithPreferences, CONFIG(QLFromEmail), nullptr},
};

#undef CONFIG

constexpr int kPath = 1;

} // namespace

const std::vector<Row>& rows() { return kRows; }

const char* keyOf(const Row& row, bool debugMode) { return debugMode && row.debugKey ? row.debugKey : row.key; }

void readAll(CSqliteDBManager& db, Target& target)
{
    for (const Row& row : kRows) {
        const char* key = keyOf(row, target.config.MODEDEBUG);
        const Member member = row.member(target);
        if (auto* const* text = std::get_if<CString*>(&member)) {
            CString stored;
            if (db.readParameter(key, stored, row.kind == Path ? kPath : 0) > 0
                && (!row.isValid || row.isValid(stored)))
                **text = stored.trimmed();
        } else if (auto* const* number = std::get_if<int*>(&member)) {
            db.readParameter(key, **number);
        } else if (auto* const* flag = std::get_if<bool*>(&member)) {
            db.readParameter(key, **flag);
        }
    }
}

void saveAll(CSqliteDBManager& db, Target& target, unsigned when)
{
    for (const Row& row : kRows) {
        if (!(row.when & when))
            continue;
        const char* key = keyOf(row, target.config.MODEDEBUG);
        const Member member = row.member(target);
        if (auto* const* text = std::get_if<CString*>(&member))
            db.saveParameter(key, **text, row.kind == Path ? kPath : 0);
        else if (auto* const* number = std::get_if<int*>(&member))
            db.saveParameter(key, **number);
        else if (auto* const* flag = std::get_if<bool*>(&member))
            db.saveParameter(key, **flag);
    }
}

} // namespace Settings
