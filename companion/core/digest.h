#pragma once

#include <cstddef>
#include <memory>
#include <string>

class QCryptographicHash;

// Incremental message digests. add() may be called any number of times;
// getHash() gives the digest of everything added so far and does not end the
// computation (more data may follow); reset() starts again.
class SHA1
{
public:
    static constexpr size_t kHashBytes = 20;

    SHA1();
    ~SHA1();
    SHA1(const SHA1&) = delete;
    SHA1& operator=(const SHA1&) = delete;

    void add(const void* data, size_t length);
    // Writes the raw digest (kHashBytes bytes) to out.
    void getHash(unsigned char* out) const;
    // The digest as 40 lower-case hexadecimal digits.
    std::string getHash() const;
    void reset();
    // The digest of bytes alone, as hexadecimal digits; the running state is untouched.
    std::string operator()(const std::string& bytes) const;

private:
    std::unique_ptr<QCryptographicHash> m_hash;
};

class SHA256
{
public:
    static constexpr size_t kHashBytes = 32;

    SHA256();
    ~SHA256();
    SHA256(const SHA256&) = delete;
    SHA256& operator=(const SHA256&) = delete;

    void add(const void* data, size_t length);
    // Writes the raw digest (kHashBytes bytes) to out.
    void getHash(unsigned char* out) const;
    // The digest as 64 lower-case hexadecimal digits.
    std::string getHash() const;
    void reset();
    // The digest of bytes alone, as hexadecimal digits; the running state is untouched.
    std::string operator()(const std::string& bytes) const;

private:
    std::unique_ptr<QCryptographicHash> m_hash;
};
