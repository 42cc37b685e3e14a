#pragma once

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
