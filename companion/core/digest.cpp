#include "companion/core/digest.h"

#include <QByteArray>
#include <QCryptographicHash>

#include <cstring>

namespace {

void addChunked(QCryptographicHash& hash, const void* data, size_t length)
{
    // addData takes an int length; feed very large buffers in pieces.
    const char* bytes = static_cast<const char*>(data);
    const size_t chunk = 1u << 30;
    while (bytes && length > 0) {
        const size_t now = length < chunk ? length : chunk;
        hash.addData(bytes, int(now));
        bytes += now;
        length -= now;
    }
}

void copyRaw(const QByteArray& digest, unsigned char* out, size_t size)
{
    if (out && size_t(digest.size()) == size)
        std::memcpy(out, digest.constData(), size);
}

std::string hexOf(const QByteArray& digest)
{
    return digest.toHex().toStdString();
}

std::string hexDigestOf(QCryptographicHash::Algorithm algorithm, const std::string& bytes)
{
    QCryptographicHash hash(algorithm);
    addChunked(hash, bytes.data(), bytes.size());
    return hexOf(hash.result());
}

} // namespace

SHA1::SHA1() : m_hash(new QCryptographicHash(QCryptographicHash::Sha1)) {}
SHA1::~SHA1() = default;
void SHA1::add(const void* data, size_t length) { addChunked(*m_hash, data, length); }
void SHA1::getHash(unsigned char* out) const { copyRaw(m_hash->result(), out, kHashBytes); }
std::string SHA1::getHash() const { return hexOf(m_hash->result()); }
void SHA1::reset() { m_hash->reset(); }
std::string SHA1::operator()(const std::string& bytes) const
{
    return hexDigestOf(QCryptographicHash::Sha1, bytes);
}

SHA256::SHA256() : m_hash(new QCryptographicHash(QCryptographicHash::Sha256)) {}
SHA256::~SHA256() = default;
void SHA256::add(const void* data, size_t length) { addChunked(*m_hash, data, length); }
void SHA256::getHash(unsigned char* out) const { copyRaw(m_hash->result(), out, kHashBytes); }
std::string SHA256::getHash() const { return hexOf(m_hash->result()); }
void SHA256::reset() { m_hash->reset(); }
std::string SHA256::operator()(const std::string& bytes) const
{
    return hexDigestOf(QCryptographicHash::Sha256, bytes);
}
