// The fixed-width barcode items, the free-format text that follows a
// record, and the items of a statement record filled from its values.
#include <QtTest>

#include "companion/forms/mydatastream.h"
#include "filing/barcodefreeformat.h"
#include "filing/barcodeitems.h"
#include "filing/barcodestatements.h"

namespace {

struct ThreeItems : List_FixedBarcodeItem
{
    FixedBarcodeItem a{this, 9, nullptr};
    FixedBarcodeItem b{this, 4, "xy"};
    FixedBarcodeItem c{this, 3, nullptr};
};

STRUCT_DIRERAD_TIA_FIELD_TYPE entry(int kind, double amount, int number = 0, const char* text = "")
{
    STRUCT_DIRERAD_TIA_FIELD_TYPE e;
    e.kind = kind;
    e.amount = amount;
    e.number = number;
    qstrncpy(e.text, text, sizeof e.text);
    return e;
}

QByteArray freeText(const DireradFreeFormatMap& data)
{
    CMemoryBlock block;
    ConvertFreeDataMapToMemoryBlock(data, block);
    return block.bytes();
}

QByteArray itemText(const SFDBarcodeFixedData& record, int number) { return record.item(number).text(); }

} // namespace

class TestBarcodeItems : public QObject
{
    Q_OBJECT
private slots:
    void itemsKeepTheirWidth_data();
    void itemsKeepTheirWidth();
    void recordIsTheSumOfItsWidths();
    void memoryBlockWritesAnArchiveEntry();
    void freeFormatItems_data();
    void freeFormatItems();
    void freeFormatJoinsInLineOrder();
    void everyCentValueRoundTrips();
    void statementItems_data();
    void statementItems();
};

void TestBarcodeItems::itemsKeepTheirWidth_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("left pad 0") << 9 << "left0" << "123" << QByteArray("000000123");
    QTest::newRow("empty, right pad blank") << 9 << "rightspace" << "" << QByteArray(9, ' ');
    QTest::newRow("right pad 0") << 9 << "right0" << "12345" << QByteArray("123450000");
    QTest::newRow("too long, cut on the right") << 4 << "set" << "ABCDEFGHIJ" << QByteArray("ABCD");
    QTest::newRow("too long, left padded, cut on the right") << 4 << "left0" << "ABCDEFGHIJ" << QByteArray("ABCD");
    QTest::newRow("shorter value set") << 6 << "set" << "AB" << QByteArray("AB    ");
    QTest::newRow("all chars") << 5 << "all0" << "" << QByteArray("00000");
    // One byte per character: the width holds whatever the text.
    QTest::newRow("Latin-1 letter") << 4 << "rightspace" << QString::fromUtf8("Zoë") << QByteArray("Zo\xEB ");
    QTest::newRow("character outside Latin-1") << 4 << "rightspace" << QString::fromUtf8("a€b") << QByteArray("a?b ");
    QTest::newRow("character outside the basic plane")
        << 3 << "rightspace" << QString::fromUtf8("a\xF0\x9F\x98\x80") << QByteArray("a? ");
}

void TestBarcodeItems::itemsKeepTheirWidth()
{
    QFETCH(int, width);
    QFETCH(QString, how);
    QFETCH(QString, value);
    QFETCH(QByteArray, expected);
    FixedBarcodeItem item(nullptr, width, "zzzzzzzzzzzz");
    if (how == "left0")
        item.SetValueLeftPadding(CString(value), '0');
    else if (how == "right0")
        item.SetValueRightPadding(CString(value), '0');
    else if (how == "rightspace")
        item.SetValueRightPadding(CString(value), ' ');
    else if (how == "all0")
        item.SetAllCharsTo('0');
    else
        item.SetValue(CString(value));
    QCOMPARE(item.text(), expected);
    QCOMPARE(item.text().size(), width);
}

void TestBarcodeItems::recordIsTheSumOfItsWidths()
{
    ThreeItems record;
    QCOMPARE(record.totalWidth(), 16);
    record.a.SetValueLeftPadding(static_cast<const char*>(nullptr), '0');
    record.c.SetValue("a much longer value");
    CMemoryBlock block;
    record.OutputToMemoryBlock(block);
    QCOMPARE(block.bytes(), QByteArray("000000000xy  a m"));

    QCOMPARE(SFDBarcodeFixedData().totalWidth(), SFDBarcodeFixedData::kLength);
    QCOMPARE(SFDBarcodeFixedData().itemCount(), 33);
}

void TestBarcodeItems::memoryBlockWritesAnArchiveEntry()
{
    CMemoryBlock block;
    block.Append("ab");
    block.Append("c\0d", 3);
    block.Append(static_cast<const char*>(nullptr));
    QByteArray bytes;
    {
        MyDataStream out(&bytes, QIODevice::WriteOnly);
        QVERIFY(block.WriteToT1BarcodeArchive(out));
    }
    QCOMPARE(bytes, QByteArray("\x05\x00\x00\x00" "abc\0d", 9));
    block.Init();
    QCOMPARE(block.size(), 0);
}

void TestBarcodeItems::freeFormatItems_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("amount");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("cents") << 10100 << 2 << 1250.5 << 0 << "" << QByteArray("10100125050");
    QTest::newRow("cents, negative") << 10100 << 2 << -12.5 << 0 << "" << QByteArray("10100&1250");
    // 19.99 * 100 is 1998.999... in binary; the cent is not lost.
    QTest::newRow("cents, rounded") << 10100 << 2 << 19.99 << 0 << "" << QByteArray("101001999");
    QTest::newRow("cents, below half a cent negative") << 10100 << 2 << -0.004 << 0 << "" << QByteArray("101000");
    QTest::newRow("whole dollars, truncated") << 12000 << 1 << 1234.99 << 0 << "" << QByteArray("120001234");
    QTest::newRow("whole dollars, negative") << 12000 << 1 << -7.9 << 0 << "" << QByteArray("12000&7");
    QTest::newRow("integer") << 9915 << 3 << 0.0 << 1 << "" << QByteArray("99151");
    QTest::newRow("text") << 5000 << 4 << 0.0 << 0 << "ABC" << QByteArray("5000ABC");
    // A "-" inside a text would read as the start of the next item.
    QTest::newRow("text with dashes") << 5000 << 4 << 0.0 << 0 << "A-B-EOD" << QByteArray("5000A B EOD");
}

void TestBarcodeItems::freeFormatItems()
{
    QFETCH(int, line);
    QFETCH(int, kind);
    QFETCH(double, amount);
    QFETCH(int, number);
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);
    DireradFreeFormatMap data;
    data[line] = entry(kind, amount, number, text.toUtf8().constData());
    QCOMPARE(freeText(data), expected);
}

void TestBarcodeItems::freeFormatJoinsInLineOrder()
{
    DireradFreeFormatMap data;
    QCOMPARE(freeText(data), QByteArray());
    data[30000] = entry(3, 0, 2);
    data[10100] = entry(2, 10);
    data[20000] = entry(9, 5); // a kind the barcode has no form for
    data[5] = entry(0, 5);
    data[12000] = entry(1, 3.5);
    // The unknown kinds go with their separators: no "--".
    QCOMPARE(freeText(data), QByteArray("101001000-120003-300002"));
}

void TestBarcodeItems::everyCentValueRoundTrips()
{
    // Each of the 10,000 cent values of a dollar comes out as its own cents.
    for (int cents = 0; cents < 10000; ++cents) {
        DireradFreeFormatMap data;
        data[1] = entry(2, cents / 100.0);
        const QByteArray expected = "1" + QByteArray::number(cents);
        if (freeText(data) != expected)
            QFAIL(qPrintable(QStringLiteral("%1 gave %2").arg(cents / 100.0).arg(QString(freeText(data)))));
    }
}

void TestBarcodeItems::statementItems_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("item");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("percentage 100") << "percent" << 100.0 << 14 << QByteArray("0000");
    QTest::newRow("percentage 62.5") << "percent" << 62.5 << 14 << QByteArray("6250");
    QTest::newRow("percentage 99.99") << "percent" << 99.99 << 14 << QByteArray("9999");
    QTest::newRow("percentage 0.57") << "percent" << 0.57 << 14 << QByteArray("0057");
    QTest::newRow("share 100") << "share" << 100.0 << 25 << QByteArray("000000");
    QTest::newRow("share 50") << "share" << 50.0 << 25 << QByteArray("500000");
    QTest::newRow("share 99") << "share" << 99.0 << 25 << QByteArray("990000");
    QTest::newRow("share 0.57") << "share" << 0.57 << 25 << QByteArray("005700");
    QTest::newRow("number 12345") << "number" << 12345.0 << 13 << QByteArray("123450000");
    QTest::newRow("first count 0.4") << "count1" << 0.4 << 18 << QByteArray("    ");
    QTest::newRow("first count 3.7") << "count1" << 3.7 << 18 << QByteArray("3   ");
    QTest::newRow("second count 0.4") << "count2" << 0.4 << 21 << QByteArray("   ");
    QTest::newRow("second count 12") << "count2" << 12.0 << 21 << QByteArray(" 12");
}

void TestBarcodeItems::statementItems()
{
    QFETCH(QString, field);
    QFETCH(double, value);
    QFETCH(int, item);
    QFETCH(QByteArray, expected);
    SfdStatementValues values;
    if (field == "percent")
        values.percent = value;
    else if (field == "share")
        values.shares[0].share = value;
    else if (field == "number")
        values.number9 = CString(QByteArray::number(qint64(value)).constData());
    else if (field == "count1")
        values.count1 = value;
    else
        values.count2 = value;
    SFDBarcodeFixedData record;
    fillStatementRecord(values, record);
    QCOMPARE(itemText(record, item), expected);
    CMemoryBlock block;
    record.OutputToMemoryBlock(block);
    QCOMPARE(block.size(), SFDBarcodeFixedData::kLength);
}

QTEST_GUILESS_MAIN(TestBarcodeItems)
#include "tst_barcodeitems.moc"
