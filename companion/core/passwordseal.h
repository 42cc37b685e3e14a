#pragma once

#include <QString>

// A password kept as a salted, slow hash, so that a file that must hold it
// (to ask for it later) does not give it away to whoever reads the file.
//
// A sealed password is one text, self-describing so that the salt and the
// cost travel with it:
//     "$pbkdf2-sha256$<iterations>$<salt, base64>$<key, base64>"
// PBKDF2 with HMAC-SHA-256, a 16-byte random salt and a 32-byte key.
namespace PasswordSeal {

constexpr int kIterations = 100000;

// A new seal of password, with a fresh salt.
QString seal(const QString& password);

// True when text is a well-formed seal (and not a password kept in clear).
bool isSeal(const QString& text);

// True when entered is the password the seal was made from (case counts).
bool matches(const QString& seal, const QString& entered);

} // namespace PasswordSeal
