#pragma once

#include <QStringList>

class CFamilyTaxData;

// Before a change of province: the names of the provincial forms the change
// would delete (forms of another province than the new one, of each person
// that moves) that hold something the user entered. Empty when nothing
// entered would be lost.
QStringList provincialFormsWithEntries(const CFamilyTaxData& family, int newProvince, bool both);
