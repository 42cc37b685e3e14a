#pragma once

#include "agencydata/tddservicesettings.h"
#include "companion/core/cstring.h"

#include <cstring>
#include <string>

// The signed link to the agency's login page: its HMAC-SHA-256 signature and
// the link itself. Free functions, so the signature can be checked against
// published vectors and a worked example without a session.

// HMAC (RFC 2104) over one of the companion digests (SHA1, SHA256): block of
// 64 bytes, a longer key hashed first. Writes Hash::kHashBytes bytes to out.
template <class Hash>
void hmac(const void* message, unsigned long messageLength, const void* key, unsigned long keyLength,
          unsigned char* out)
{
    const size_t kBlock = 64;
    unsigned char block[kBlock] = {};
    if (keyLength > kBlock) {
        Hash keyHash;
        keyHash.add(key, keyLength);
        keyHash.getHash(block);
    } else if (keyLength > 0) {
        std::memcpy(block, key, keyLength);
    }
    unsigned char pad[kBlock];
    for (size_t i = 0; i < kBlock; ++i)
        pad[i] = block[i] ^ 0x36;
    Hash inner;
    inner.add(pad, kBlock);
    inner.add(message, messageLength);
    unsigned char innerHash[Hash::kHashBytes];
    inner.getHash(innerHash);
    for (size_t i = 0; i < kBlock; ++i)
        pad[i] = block[i] ^ 0x5C;
    Hash outer;
    outer.add(pad, kBlock);
    outer.add(innerHash, sizeof innerHash);
    outer.getHash(out);
}

// The service path the link authorises, before URL-encoding:
// "/gol-ged/awsc/tdd/ws" for Auto-fill, "/gol-ged/awsc/tdd/ws/noa" for
// Express NOA, in test mode as well.
const char* tddAuthServicePath(short forWhich);

// out = urlEncode(Base64(HMAC-SHA-256 with the service key over code +
// urlEncode(login host + login path) + timestamp + auth + lang + tail))).
// auth is the URL-encoded service path; tail is urlEncode(tokenC + tax year).
int constructTDDWebAuthSignedkey(const TddServiceSettings& settings, short forWhich, CString& out,
                                 const CString& timestamp, const std::string& auth, const CString& lang,
                                 const std::string& tail);

// The whole link: "https://" + login host + login path + "?spID=..&timestamp=
// ..&auth=..&key=..&t=..&lang=en&swtaxyear=..", in that order.
CString buildTDDWebAuthUrl(const TddServiceSettings& settings, short forWhich, const CString& taxYear,
                           const std::string& tokenC, qint64 epochSeconds);
