#pragma once

#include <QString>

// What the user reads when a S.I.N. they typed fails CheckSIN: whose number it
// is ("taxpayer's", "spouse's") and the checker's explanation. The number
// itself is never repeated. The new-return wizard and the return's pages say
// the same words.
QString sinNotValidMessage(const QString& whose, const char* problem);
