#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

// Dates as people type them into a date field: the ISO form "2020-05-01",
// the same without separators "20200501", and the short numeric order of
// the locale with a four-digit year ("05/01/2020" in the United States,
// "01/05/2020" in Britain). Two-digit years are not taken: "05/01/20" could
// be any century.
namespace typeddate {

// The locale's short numeric form with a four-digit year, as a QDate format
// ("MM/dd/yyyy"): the order of day, month and year of the locale's short
// date form, and its separator when it has one of "/", "-", "." or " ",
// else "/".
QString localeFormat(const QLocale& locale = QLocale());

// What a date field shows when it is empty, telling the forms it takes:
// "YYYY-MM-DD or MM/DD/YYYY".
QString placeholder(const QLocale& locale = QLocale());

// The date the text stands for, or an invalid date when it is none of the
// forms above or not a day of the calendar ("2020-02-30"). Spaces around
// the text are ignored.
QDate parse(const QString& text, const QLocale& locale = QLocale());

} // namespace typeddate
