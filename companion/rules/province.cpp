#include "companion/rules/province.h"

#include <cctype>

namespace taxrules {

namespace {
const char* const kCodes[] = {"", "AB", "BC", "MB", "NB", "NL", "NS", "NT",
                              "NU", "ON", "PE", "QC", "SK", "YT"};
constexpr int kLast = 13;
}

Province provinceFromNumber(int number)
{
    if (number < 1 || number > kLast)
        return Province::None;
    return static_cast<Province>(number);
}

Province provinceFromCode(const std::string& code)
{
    if (code.size() != 2)
        return Province::None;
    std::string upper;
    for (char c : code)
        upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (int i = 1; i <= kLast; ++i)
        if (upper == kCodes[i])
            return static_cast<Province>(i);
    return Province::None;
}

const char* provinceCode(Province province)
{
    const int n = static_cast<int>(province);
    return (n >= 1 && n <= kLast) ? kCodes[n] : "";
}

} // namespace taxrules
