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

const QByteArray& closingRun()
{
    static const QByteArray run(8, 'b');
    return run;
}

// The bytes a length may still claim: a length past the end of the file is
// damage, found before anything is skipped.
qint64 bytesLeft(MyDataStream& in)
{
    QIODevice* device = in.device();
    if (!device || device->isSequential())
        return BarcodeBlock::kMaxArchiveBytes;
    return device->bytesAvailable();
}

// Skips one part of the given length, bounded by the largest part and by
// the bytes left.
bool skipPart(MyDataStream& in, qint32 length)
{
    if (length < 0 || length > BarcodeBlock::kMaxArchiveBytes || length > bytesLeft(in))
        return failed(in, QDataStream::ReadCorruptData);
    if (in.skipRawData(length) != length)
        return failed(in, QDataStream::ReadPastEnd);
    return in.status() == QDataStream::Ok;
}

bool atClosingRun(MyDataStream& in)
{
    QIODevice* device = in.device();
    return device && device->peek(closingRun().size()) == closingRun();
}

// Places the stream on the first run of eight 'b' bytes within the
// look-ahead, so that the caller's closing run lines up; the run may end on
// the last byte looked at. Damage when there is none.
bool skipToClosingRun(MyDataStream& in)
{
    QIODevice* device = in.device();
    if (!device)
        return failed(in, QDataStream::ReadCorruptData);
    const QByteArray ahead = device->peek(BarcodeBlock::kOldRecordLookAhead);
    const int at = ahead.indexOf(closingRun());
    if (at < 0)
        return failed(in, QDataStream::ReadCorruptData);
    return in.skipRawData(at) == at;
}

// What the block said it holds has been read: the closing run must follow.
// A block whose counts disagree with its entries is looked past as far as
// an older record would be; beyond that the record is damaged.
bool endOfBlock(MyDataStream& in)
{
    if (in.status() != QDataStream::Ok)
        return false;
    return atClosingRun(in) || skipToClosingRun(in);
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
        return endOfBlock(in);
    if (!skipPart(in, length))
        return false;
    qint32 count = 0;
    in >> count;
    if (in.status() != QDataStream::Ok)
        return false;
    if (count < 1)
        return endOfBlock(in);
    if (fileVersion < kWholeBlocksVersion || count > kMaxStatementBlocks)
        return skipToClosingRun(in);
    for (qint32 i = 0; i < count; ++i) {
        // A count larger than the entries written: no entry starts with the
        // closing run (its length would be far beyond any block).
        if (atClosingRun(in))
            break;
        qint32 partLength = 0;
        in >> partLength;
        if (in.status() != QDataStream::Ok || !skipPart(in, partLength))
            return false;
    }
    return endOfBlock(in);
}
