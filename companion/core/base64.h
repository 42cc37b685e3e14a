#pragma once

#include <QByteArray>
#include <string>

// Standard Base64 (RFC 4648 alphabet, '=' padding, no line breaks).

// The size of the out buffer Base64encode needs for length input bytes,
// the terminating zero included: 4 * ((length + 2) / 3) + 1.
constexpr int Base64encodedSize(int length)
{
    return length <= 0 ? 1 : 4 * ((length + 2) / 3) + 1;
}

// Encodes length bytes of in into out and zero-terminates it. out must hold
// Base64encodedSize(length) bytes. Returns the number of characters written
// (without the zero). A negative length or null in encodes nothing.
int Base64encode(char* out, const char* in, int length);

// Safe forms that size their own result.
std::string Base64encode(const std::string& bytes);
std::string Base64encode(const QByteArray& bytes);
