#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

class CDateField;
class CStringField;
class QWidget;

// Checks of the new-return wizard's person entries that need the user to
// know what is wrong: each tells the user (through the prompter) and returns
// false to keep the wizard on the page.
namespace NewReturnChecks {

// Title of the wizard and of its messages.
inline const char* const kTitle = "Create a new tax return";

// Every entry named in missing is filled in: otherwise the user is told which
// ones are missing (Next never does nothing without a word).
bool nothingMissing(QWidget* page, const QStringList& missing);
// A province the program can prepare returns for.
bool provinceSupported(QWidget* page, int province);
// A marital status chosen (0 to 5).
bool maritalStatusChosen(QWidget* page, int status);
// Empty (to be entered later) or a valid S.I.N. whose is "taxpayer's" or "spouse's".
bool sinAcceptable(QWidget* page, const CStringField& sin, const QString& whose);
// The spouse's S.I.N. is not the taxpayer's own.
bool sinsDiffer(QWidget* page, const CStringField& own, const CStringField& spouse);
// A date of birth set by the user, not after the tax year. The date the wizard starts from is
// accepted only when the user confirms it; the confirmed date is kept in
// confirmed so that coming back to the page does not ask again.
bool birthDateAccepted(QWidget* page, const CDateField& dob, const QString& whose, QDate& confirmed);

} // namespace NewReturnChecks
