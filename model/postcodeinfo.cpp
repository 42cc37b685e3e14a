#include "model/postcodeinfo.h"

#include <QString>

namespace {

struct FirstLetterRow
{
    char letter;
    ENUMTYPE_PROVINCE province;
};

// Canada Post's first letters (province numbers of the province catalogue).
constexpr FirstLetterRow kFirstLetters[] = {
    {'A', 5},  {'B', 6}, {'C', 10}, {'E', 4}, {'G', 11}, {'H', 11}, {'J', 11}, {'K', 9}, {'L', 9},
    {'M', 9},  {'N', 9}, {'P', 9},  {'R', 3}, {'S', 12}, {'T', 1},  {'V', 2},  {'Y', 13},
};
constexpr ENUMTYPE_PROVINCE kNunavut = 8;
constexpr ENUMTYPE_PROVINCE kNorthwestTerritories = 7;

} // namespace

const CPostCodeInfo& CPostCodeInfo::GetInstance()
{
    static const CPostCodeInfo instance;
    return instance;
}

ENUMTYPE_PROVINCE CPostCodeInfo::provinceOf(const char* prefix) const
{
    const QString text = QString::fromUtf8(prefix ? prefix : "").trimmed().toUpper();
    if (text.isEmpty())
        return 0;
    const char first = text.at(0).toLatin1();
    if (first == 'X') {
        // X0A, X0B and X0C are Nunavut.
        if (text.size() >= 3 && text.at(1) == QLatin1Char('0') && text.at(2) >= QLatin1Char('A') &&
            text.at(2) <= QLatin1Char('C'))
            return kNunavut;
        return kNorthwestTerritories;
    }
    for (const FirstLetterRow& row : kFirstLetters)
        if (row.letter == first)
            return row.province;
    return 0;
}

bool CPostCodeInfo::IsPostCodeFromProv(const char* prefix, ENUMTYPE_PROVINCE province) const
{
    const ENUMTYPE_PROVINCE found = provinceOf(prefix);
    return found != 0 && found == province;
}
