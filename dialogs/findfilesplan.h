#pragma once

#include <QString>
#include <QStringList>

// What the return file search looks for and where, and what a found file is
// used for. Kept apart from the dialog so that the rules read as tables.
namespace findfiles {

// The year buttons of the search, by their ids.
enum YearChoice { LastYear = 0, CurrentYear = 1, PriorYears = 2 };

// The suffixes searched for a year button, in search order; empty for an
// unknown id.
QStringList suffixesForYear(int yearChoice);

// The folders walked, in order: the data folders of earlier editions and the
// year folders of the documents folder first, so that what they hold is
// listed first, then the whole home folder and the folder that holds the
// application's data folder. Built from the standard locations at each call.
QStringList searchFolders();

// What opening a found file does: this year's returns open in a page, last
// year's are imported into this year, and older ones are refused: the import
// reads last year's layout only and would misread them.
enum class FoundFileUse { Open, Import, TooOld };
FoundFileUse useOfFoundFile(const QString& path);

} // namespace findfiles
