// Fuzz target of the filing client's HTTP reply reader: whatever the bytes
// and however they are cut, the reader ends complete or failed, never past
// its limit, and never crashes, hangs or leaks.
#include "filing/httpresponsereader.h"
#include "fuzzchunks.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    constexpr qint64 kLimit = 64 * 1024;
    HttpResponseReader reader(kLimit);
    for (const QByteArray& chunk : fuzzChunks(data, size)) {
        if (!reader.append(chunk))
            break;
    }
    if (!reader.hasFailed() && !reader.isComplete())
        reader.endOfStream();
    if (reader.isComplete()) {
        if (reader.body().size() > kLimit || reader.status() < 100 || reader.status() > 999)
            std::abort();
        reader.header("Content-Type");
    }
    return 0;
}
