#pragma once

#include <string>

namespace taxrules {

// Provinces and territories by the numbers of the province catalogue
// (PROV_* of companion/forms/taxtypes.h: alphabetical by postal code, 0 for
// none; Quebec is 11). A test checks the two stay equal.
enum class Province {
    None = 0,
    AB = 1,
    BC = 2,
    MB = 3,
    NB = 4,
    NL = 5,
    NS = 6,
    NT = 7,
    NU = 8,
    ON = 9,
    PE = 10,
    QC = 11,
    SK = 12,
    YT = 13,
};

// The catalogue number as a province; None for anything outside 1..13.
Province provinceFromNumber(int number);

// Two-letter postal code ("ON", case-insensitive) as a province; None when unknown.
Province provinceFromCode(const std::string& code);

// Two-letter code of a province, "" for None.
const char* provinceCode(Province province);

} // namespace taxrules
