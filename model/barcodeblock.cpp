#include "model/barcodeblock.h"

#include "companion/forms/mydatastream.h"

#include <QIODevice>

namespace {

BarcodeBlock::Builder& installedBuilder()
{
    static BarcodeBlock::Builder builder;
    return builder;
}

bool failed(MyDataStream& in, QDataStream::Status status)
{
    if (in.status() == QDataStream::Ok)
        in.setStatus(status);
    return false;
}

bool writePart(MyDataStream& out, const QByteArray& bytes)
{
    if (bytes.size() > BarcodeBlock::kMaxArchiveBytes)
        return false;
    out << qint32(bytes.size());
    return out.writeRawData(bytes.constData(), bytes.size()) == bytes.size();
}

// Reads an int32 length bounded by the largest part and skips that many bytes.
bool skipPart(MyDataStream& in, qint32 length)
{
    if (length < 0 || length > BarcodeBlock::kMaxArchiveBytes)
        return failed(in, QDataStream::ReadCorruptData);
    if (in.skipRawData(length) != length)
        return failed(in, QDataStream::ReadPastEnd);
    return in.status() == QDataStream::Ok;
}

// Older records: the stream goes to the first run of eight 'b' bytes within
// the look-ahead, so that the caller's closing run lines up.
bool skipToClosingRun(MyDataStream& in)
{
    QIODevice* device = in.device();
    if (!device)
        return failed(in, QDataStream::ReadCorruptData);
    const QByteArray ahead = device->peek(BarcodeBlock::kOldRecordLookAhead);
    const int at = ahead.indexOf(QByteArray(8, 'b'));
    if (at < 0)
        return failed(in, QDataStream::ReadCorruptData);
    return in.skipRawData(at) == at;
}

} // namespace

void BarcodeBlock::setBuilder(Builder builder) { installedBuilder() = std::move(builder); }

bool BarcodeBlock::build(const IndividualTaxData& person, BarcodeBlock& block)
{
    const Builder& builder = installedBuilder();
    return builder && builder(person, block);
}

bool BarcodeBlock::write(MyDataStream& out, const BarcodeBlock* eligible)
{
    if (!eligible || eligible->t1Archive.isEmpty()) {
        out << qint32(0);
        return out.status() == QDataStream::Ok;
    }
    if (!writePart(out, eligible->t1Archive))
        return false;
    const int count = eligible->statements.size();
    if (count >= 1 && count <= kMaxStatementBlocks) {
        out << qint32(count);
        for (const QByteArray& statement : eligible->statements)
            if (!writePart(out, statement))
                return false;
    } else {
        out << qint32(0);
    }
    return out.status() == QDataStream::Ok;
}

bool BarcodeBlock::skip(MyDataStream& in, int fileVersion)
{
    qint32 length = 0;
    in >> length;
    if (in.status() != QDataStream::Ok)
        return false;
    if (length < 1)
        return true;
    if (!skipPart(in, length))
        return false;
    qint32 count = 0;
    in >> count;
    if (in.status() != QDataStream::Ok)
        return false;
    if (count < 1)
        return true;
    if (fileVersion < kWholeBlocksVersion)
        return skipToClosingRun(in);
    if (count > kMaxStatementBlocks)
        return failed(in, QDataStream::ReadCorruptData);
    for (qint32 i = 0; i < count; ++i) {
        qint32 partLength = 0;
        in >> partLength;
        if (in.status() != QDataStream::Ok || !skipPart(in, partLength))
            return false;
    }
    return true;
}
