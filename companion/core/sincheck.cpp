#include "companion/core/sincheck.h"

namespace {

bool fail(const char** message, const char* text)
{
    if (message)
        *message = text;
    return false;
}

} // namespace

std::string normaliseSIN(const char* sin)
{
    std::string out;
    if (!sin)
        return out;
    for (const char* p = sin; *p; ++p) {
        if (*p != ' ' && *p != '-' && *p != '\t')
            out += *p;
    }
    return out;
}

bool CheckSIN(const char* sin, const char** message)
{
    if (message)
        *message = "";
    const std::string digits = normaliseSIN(sin);
    if (digits.empty())
        return fail(message, "The S.I.N. is empty.");
    for (char c : digits) {
        if (c < '0' || c > '9')
            return fail(message, "The S.I.N. may contain only digits.");
    }
    if (digits.size() != 9)
        return fail(message, "The S.I.N. must have 9 digits.");
    if (digits == "000000000")
        return fail(message, "The S.I.N. cannot be all zeros.");

    // Luhn: double every second digit from the left (positions 2, 4, 6, 8),
    // add the digits of each product; the sum with the check digit ends in 0.
    int sum = 0;
    for (size_t i = 0; i < digits.size(); ++i) {
        int d = digits[i] - '0';
        if (i % 2 == 1) {
            d *= 2;
            if (d > 9)
                d -= 9;
        }
        sum += d;
    }
    if (sum % 10 != 0)
        return fail(message, "The S.I.N. check digit is not correct.");
    return true;
}
