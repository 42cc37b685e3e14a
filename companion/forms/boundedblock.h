#pragma once

#include "companion/core/cstring.h"

#include <QByteArray>
#include <functional>

class MyDataStream;

// A self-delimiting block in a return file: an int32 byte length, then that
// many bytes of payload. A reader takes the whole block or nothing, so a
// payload that reads less than it wrote cannot put the rest of the file out
// of step, and a damaged length cannot make it read past its bound.
namespace BoundedBlock {

// Builds the payload with fill (on a stream of the same format) and writes
// it as one block. False when the outer stream is not in a good state or
// the payload exceeds maxBytes.
bool write(MyDataStream& out, int maxBytes, const std::function<void(MyDataStream&)>& fill);

// Reads one block into payload. False, with the stream's status set, when
// the length is negative or above maxBytes or the stream ends early.
bool read(MyDataStream& in, int maxBytes, QByteArray& payload);

// Text as UTF-8 bytes with an int32 length. Writing cuts the text to
// maxLength UTF-16 code units (never inside a surrogate pair); reading
// fails when the stored text is longer than maxLength code units or the
// bytes are not all there.
void writeText(MyDataStream& out, const CString& text, int maxLength);
bool readText(MyDataStream& in, CString& text, int maxLength);

} // namespace BoundedBlock
