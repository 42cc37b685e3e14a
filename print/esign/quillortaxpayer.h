#pragma once

#include <QString>

// How the taxpayer's S.I.N. travels to the e-signature service. The T1 keeps
// it as typed ("046 454 286", "046-454-286"); the service and the taxpayer
// know it as its digits alone.
namespace QuillorTaxpayer {

// The S.I.N. with its blanks and dashes removed.
QString normalisedSin(const QString& typed);

// The document password the taxpayer opens a delivered file with: the last
// four digits of the S.I.N.; empty when fewer than four remain, so that no
// document is ever protected by a shorter or empty password.
QString documentPassword(const QString& typed);

// The S.I.N. as the filing record sends it: the normalised number with the
// characters at positions 1 to 5 replaced by "*****" (a nine-digit number
// keeps its first digit and its last three); an empty number stays empty.
QString maskedSin(const QString& typed);

// Told instead of sending when no password can be made.
QString incompleteSinText();

} // namespace QuillorTaxpayer
