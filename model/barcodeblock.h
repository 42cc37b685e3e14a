#pragma once

#include <QByteArray>
#include <QList>
#include <functional>

class IndividualTaxData;
class MyDataStream;

// The barcode block of a person record: the archive of the T1's barcode
// records and up to two blocks of statement-form records. The records
// themselves are built by the electronic-filing code, which installs a
// builder; without one (or when the builder declines) a person is not
// barcode-eligible and the block is the single int32 0.
struct BarcodeBlock
{
    static constexpr int kMaxArchiveBytes = 1 << 20;
    static constexpr int kMaxStatementBlocks = 2;
    // Older records are followed by a closing run that a reader finds by
    // looking ahead at most this far.
    static constexpr int kOldRecordLookAhead = 3100;
    // Person records from this version on carry the statement blocks whole.
    static constexpr int kWholeBlocksVersion = 66064;

    QByteArray t1Archive;
    QList<QByteArray> statements;

    // Fills block for person; false when the person is not barcode-eligible.
    using Builder = std::function<bool(const IndividualTaxData& person, BarcodeBlock& block)>;
    static void setBuilder(Builder builder);
    static bool build(const IndividualTaxData& person, BarcodeBlock& block);

    // Writes the block (eligible is false for the no-barcode form). False
    // when the stream failed or a part is too large to be read back.
    static bool write(MyDataStream& out, const BarcodeBlock* eligible);
    // Reads and discards a block of a record of the given file version and
    // leaves the stream on the closing run of eight 'b' bytes; false (with
    // the stream's status set) when it is damaged or truncated. No length is
    // trusted beyond the bytes left, and a block whose count disagrees with
    // its entries is looked past to the closing run within the look-ahead.
    static bool skip(MyDataStream& in, int fileVersion);
};
