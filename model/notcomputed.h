#pragma once

#include <QHash>
#include <QStringList>

class IndividualTaxData;

// What the return holds that this program does not take into account: one
// short line per item, naming the return's line ("line 42800: the provincial
// tuition amount"), for the result page and the pages the amounts are on.
// A Quebec resident is told that the Quebec return is filed separately.
// Read after a calculation; empty when everything entered is computed.
QStringList notComputedByThisProgram(IndividualTaxData& person);

// The heading the list is shown under.
inline const char* const kNotComputedHeading = "Not computed by this program: ";

// The items of such a list that name a line ("line 42800: ..."), by line
// number; an item naming no line (the Quebec return) is not in it. Two items
// on one line are joined by "; ".
QHash<QString, QString> notComputedByLine(const QStringList& items);
