#pragma once

// Texts of single barcode items that several records share.

#include <QDate>

#include "companion/core/cstring.h"

namespace barcodefields {

// "yyyyMMdd"; eight '0' for no date.
CString dateText(const QDate& date);
// "MMdd"; four '0' for no date.
CString monthDayText(const QDate& date);
// The agency's two-letter code of a province (1 to 13); empty otherwise.
CString provinceCode(int province);
// The postal code without blanks or dashes, in capitals.
CString rawPostcode(const CString& postcode);
// The digits of a telephone number; a leading 1 of eleven digits dropped.
CString rawPhone(const CString& phone);

// A percentage in hundredths of a percent, rounded to the nearest
// hundredth, "%04d"; "0000" above 99.99 (a whole share has no digits left).
CString percentText(double percent);
// A share in ten-thousandths of a percent, rounded, "%06d"; "000000" above 99.
CString shareText(double share);
// A count above a half, truncated to whole units; empty otherwise.
CString countText(double count);

} // namespace barcodefields
