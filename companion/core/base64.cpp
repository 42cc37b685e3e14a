#include "companion/core/base64.h"

namespace {
const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
}

int Base64encode(char* out, const char* in, int length)
{
    if (!out)
        return 0;
    int written = 0;
    if (in && length > 0) {
        const unsigned char* bytes = reinterpret_cast<const unsigned char*>(in);
        int i = 0;
        for (; i + 2 < length; i += 3) {
            const unsigned v = (unsigned(bytes[i]) << 16) | (unsigned(bytes[i + 1]) << 8) | bytes[i + 2];
            out[written++] = kAlphabet[(v >> 18) & 63];
            out[written++] = kAlphabet[(v >> 12) & 63];
            out[written++] = kAlphabet[(v >> 6) & 63];
            out[written++] = kAlphabet[v & 63];
        }
        const int rest = length - i;
        if (rest > 0) {
            const unsigned v = (unsigned(bytes[i]) << 16) | (rest == 2 ? unsigned(bytes[i + 1]) << 8 : 0u);
            out[written++] = kAlphabet[(v >> 18) & 63];
            out[written++] = kAlphabet[(v >> 12) & 63];
            out[written++] = rest == 2 ? kAlphabet[(v >> 6) & 63] : '=';
            out[written++] = '=';
        }
    }
    out[written] = '\0';
    return written;
}

std::string Base64encode(const std::string& bytes)
{
    if (bytes.size() > size_t(0x7fffffff / 4 * 3 - 3))
        return std::string(); // beyond what one int-sized buffer can hold
    const int length = int(bytes.size());
    std::string out(size_t(Base64encodedSize(length)), '\0');
    const int written = Base64encode(&out[0], bytes.data(), length);
    out.resize(size_t(written));
    return out;
}

std::string Base64encode(const QByteArray& bytes)
{
    return Base64encode(std::string(bytes.constData(), size_t(bytes.size())));
}
