// Fuzz target of the callback listener's request framer, in each way a
// listener uses it: no request it hands on is larger than its limit, a
// one-request framer hands on at most one, and nothing crashes or hangs.
#include "companion/core/httprequestframer.h"
#include "fuzzchunks.h"

#include <cstdlib>

namespace {

void frame(const QList<QByteArray>& chunks, bool lineOnly, bool keepHeader)
{
    constexpr int kLimit = 8 * 1024;
    HttpRequestFramer framer(kLimit);
    framer.setRequestLineOnly(lineOnly);
    framer.setKeepArrivedHeader(keepHeader);
    int taken = 0;
    for (const QByteArray& chunk : chunks) {
        if (!framer.append(chunk))
            break;
        QByteArray request;
        while (framer.takeRequest(request)) {
            ++taken;
            if (request.size() > kLimit || request.isEmpty())
                std::abort();
        }
    }
    if (lineOnly && taken > 1)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QList<QByteArray> chunks = fuzzChunks(data, size);
    frame(chunks, false, false);
    frame(chunks, true, false);
    frame(chunks, true, true);
    return 0;
}
