#pragma once

#include <string>

// The S.I.N. with its blanks and dashes removed ("046 454 286" and
// "046-454-286" give "046454286"); every other character is kept.
std::string normaliseSIN(const char* sin);

// Checks a Canadian Social Insurance Number: after blanks and dashes are
// removed (normaliseSIN) it must be exactly nine digits whose check digit
// (the ninth) fits the Luhn rule, and not all zeros. The number is only
// checked for form, not for being issued: a first digit of 0 (as in the
// agency's published example) or 8 is accepted. When message is not null it
// receives a short English explanation of a failure ("" on success); the
// text is static. Never logs the number.
bool CheckSIN(const char* sin, const char** message = nullptr);
