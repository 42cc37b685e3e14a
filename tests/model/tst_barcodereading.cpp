// Reading past the barcode archive of a person record: whatever the archive
// holds, the reader ends on its closing run or reports damage, and never
// reads the field after the archive out of step.
#include <QtTest>

#include "common/scriptedprompter.h"
#include "companion/forms/mydatastream.h"
#include "model/barcodeblock.h"
#include "returnfiletestkit.h"

using namespace returnfiletest;

namespace {

const QByteArray kRun(8, 'b');
constexpr qint32 kNextField = 0x0A0B0C0D;

QByteArray int32(qint32 value)
{
    QByteArray bytes;
    MyDataStream out(&bytes, QIODevice::WriteOnly);
    out << value;
    return bytes;
}

QByteArray entry(const QByteArray& bytes) { return int32(bytes.size()) + bytes; }

// Skips the archive in bytes (everything between the runs) as a record of
// version would; true when it ended on the closing run and the field after
// it reads as it was written.
bool skipsToNextField(const QByteArray& archive, int version, bool* nextFieldRead = nullptr)
{
    QByteArray bytes = archive + kRun + int32(kNextField);
    MyDataStream in(&bytes, QIODevice::ReadOnly);
    const bool skipped = BarcodeBlock::skip(in, version);
    QByteArray run(8, '\0');
    in.readRawData(run.data(), 8);
    qint32 next = 0;
    in >> next;
    const bool readRight = in.status() == QDataStream::Ok && run == kRun && next == kNextField;
    if (nextFieldRead)
        *nextFieldRead = readRight;
    return skipped && readRight;
}

} // namespace

class TestBarcodeReading : public QObject
{
    Q_OBJECT
private slots:
    void archives_data();
    void archives();
    void archiveCutAnywhereIsDamage();
    void overstatedCountInAFileIsLookedPast();
};

void TestBarcodeReading::archives_data()
{
    QTest::addColumn<QByteArray>("archive");
    QTest::addColumn<int>("version");
    QTest::addColumn<bool>("reads");
    const QByteArray t1 = entry("T1 block-EOD");
    QTest::newRow("no barcode") << int32(0) << 66098 << true;
    QTest::newRow("T1 alone") << t1 + int32(0) << 66098 << true;
    QTest::newRow("T1 and two statements") << t1 + int32(2) + entry("S1") + entry("S2") << 66098 << true;
    // Older records: the statements are looked past to the closing run.
    QTest::newRow("66063, statements looked past")
        << t1 + int32(1) + QByteArray(100, 'x') << 66063 << true;
    QTest::newRow("66063, run ends on the last byte looked at")
        << t1 + int32(1) + QByteArray(3092, 'x') << 66063 << true;
    QTest::newRow("66063, run beyond the look-ahead")
        << t1 + int32(1) + QByteArray(3093, 'x') << 66063 << false;
    // A count that disagrees with the entries that follow.
    QTest::newRow("count 2, one entry") << t1 + int32(2) + entry("S1") << 66098 << true;
    QTest::newRow("count 1, two entries") << t1 + int32(1) + entry("S1") + entry("S2") << 66098 << true;
    QTest::newRow("count 3") << t1 + int32(3) + entry("S1") + entry("S2") + entry("S3") << 66098 << true;
    QTest::newRow("count 1, no closing run near")
        << t1 + int32(1) + entry("S1") + QByteArray(3200, 'x') << 66098 << false;
    QTest::newRow("no barcode, then stray bytes") << int32(0) + QByteArray(12, 'x') << 66098 << true;
    // Lengths beyond the bytes left are damage, found before skipping.
    QTest::newRow("T1 length past the end") << int32(5000) + QByteArray("T1") << 66098 << false;
    QTest::newRow("statement length past the end") << t1 + int32(1) + int32(4000) + QByteArray("S") << 66098 << false;
    QTest::newRow("negative statement length") << t1 + int32(1) + int32(-3) << 66098 << false;
}

void TestBarcodeReading::archives()
{
    QFETCH(QByteArray, archive);
    QFETCH(int, version);
    QFETCH(bool, reads);
    bool nextFieldRead = false;
    const bool skipped = skipsToNextField(archive, version, &nextFieldRead);
    QCOMPARE(skipped, reads);
    // Never a read said to be whole that left the next field out of step.
    if (skipped)
        QVERIFY(nextFieldRead);
}

void TestBarcodeReading::archiveCutAnywhereIsDamage()
{
    const QByteArray whole = entry("T1 block-EOD") + int32(2) + entry("S1-EOD") + entry("S2-EOD") + kRun;
    for (int size = 0; size < whole.size(); ++size) {
        QByteArray bytes = whole.left(size);
        MyDataStream in(&bytes, QIODevice::ReadOnly);
        if (BarcodeBlock::skip(in, 66098))
            QFAIL(qPrintable(QStringLiteral("an archive cut at %1 of %2 bytes was read").arg(size).arg(whole.size())));
        QVERIFY(in.status() != QDataStream::Ok);
    }
}

void TestBarcodeReading::overstatedCountInAFileIsLookedPast()
{
    std::unique_ptr<CTaxData_Form> t1(IndividualTaxData::AllocFedFormData(1));
    std::unique_ptr<CTaxData_Form> t4(IndividualTaxData::AllocSlipData(1));
    t1->findField(QStringLiteral("FirstName"))->setText(QStringLiteral("Dee"));
    RawRecord taxpayer;
    taxpayer.forms = {{1, 501, 0, t1.get()}};
    taxpayer.slips = {{1, 502, 0, t4.get()}};
    taxpayer.barcode.t1Archive = QByteArray("T1ARCHIVE-EOD");
    taxpayer.barcode.statements = {QByteArray("S1-EOD")};
    RawRecord spouse;
    spouse.province = 0;
    QByteArray bytes = rawFamilyFile(taxpayer, spouse);
    const int count = bytes.indexOf("T1ARCHIVE-EOD") + 13;
    QCOMPARE(bytes.mid(count, 4), int32(1));
    bytes.replace(count, 4, int32(2));

    ScriptedPrompter prompter;
    int code = -99;
    auto family = readFamily(bytes, code);
    QCOMPARE(code, 0);
    QCOMPARE(QString(family->getTaxpayer()->GetFirstName()), QStringLiteral("Dee"));
    QCOMPARE(family->getTaxpayer()->m_slipList.size(), size_t(1));
    QVERIFY(prompter.records().isEmpty());
}

QTEST_GUILESS_MAIN(TestBarcodeReading)
#include "tst_barcodereading.moc"
