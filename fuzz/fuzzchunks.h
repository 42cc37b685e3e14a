#pragma once

#include <QByteArray>
#include <QList>

#include <cstddef>
#include <cstdint>

// Cuts a fuzzer's input into the pieces a connection would deliver: the
// first byte says how many pieces (1 to 8), the rest is cut at points that
// follow from the bytes themselves, so the fuzzer learns to place them.
inline QList<QByteArray> fuzzChunks(const uint8_t* data, size_t size)
{
    QList<QByteArray> chunks;
    if (size == 0)
        return chunks;
    const int pieces = 1 + data[0] % 8;
    const QByteArray rest(reinterpret_cast<const char*>(data + 1), int(size - 1));
    int at = 0;
    for (int i = 1; i < pieces && at < rest.size(); ++i) {
        const int step = 1 + static_cast<unsigned char>(rest.at(at)) % 64;
        chunks << rest.mid(at, step);
        at += step;
    }
    if (at < rest.size())
        chunks << rest.mid(at);
    return chunks;
}
