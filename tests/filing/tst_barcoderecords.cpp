// The T1 barcode record and the statement blocks, built for the fixture
// taxpayer Jean Tremblay.
#include <QtTest>

#include "companion/forms/federal/others.h"
#include "companion/forms/federal/statements.h"
#include "efilefixture.h"
#include "filing/barcodearchive.h"
#include "filing/barcodefreeformat.h"
#include "filing/barcodestatements.h"
#include "filing/barcodet1record.h"
#include "filing/direradfreeformat.h"

using namespace efilefixture;

namespace {

QByteArray t1Record(const IndividualTaxData& person)
{
    T1ReturnBarcodeFixedData record(CString("097"), CString());
    FillT1BarcodeFixedData(person, record);
    CMemoryBlock block;
    record.OutputToMemoryBlock(block);
    return block.bytes();
}

// Item n (from 1) of a T1 record's text, by the record's own widths.
QByteArray t1Item(const QByteArray& record, int n)
{
    const T1ReturnBarcodeFixedData layout(CString("097"), CString());
    int at = 0;
    for (int i = 1; i < n; ++i)
        at += layout.item(i).width();
    return record.mid(at, layout.item(n).width());
}

QByteArray statementItem(const QByteArray& block, int n)
{
    const SFDBarcodeFixedData layout;
    int at = 0;
    for (int i = 1; i < n; ++i)
        at += layout.item(i).width();
    return block.mid(at, layout.item(n).width());
}

using Setup = std::function<void(Taxpayer&)>;

} // namespace

Q_DECLARE_METATYPE(Setup)

class TestBarcodeRecords : public QObject
{
    Q_OBJECT
private slots:
    void t1RecordIsAlways485Bytes();
    void t1Items_data();
    void t1Items();
    void withoutSpouseRelationSpouseItemsStayEmpty();
    void t1BlockIsRecordLinesAndEnd();
    void fillingLeavesTheReturnAsItWas();
    void everyStatementBlockIs564Bytes();
    void t2125FormCodes_data();
    void t2125FormCodes();
    void t2121HasNoAddress();
    void t5013StatementsByKind();
    void statementBlocksAreNumberedInArchiveOrder();
};

void TestBarcodeRecords::t1RecordIsAlways485Bytes()
{
    Taxpayer jean;
    QCOMPARE(T1ReturnBarcodeFixedData(CString("097"), CString()).itemCount(), 50);
    QCOMPARE(t1Record(jean.person).size(), T1ReturnBarcodeFixedData::kLength);
    jean.t1().FirstName.m_value = CString::fromUtf8("Zoë");
    jean.t1().City.m_value = CString(QString(200, QChar(0x20AC)));
    const QByteArray record = t1Record(jean.person);
    QCOMPARE(record.size(), 485);
    QCOMPARE(t1Item(record, 11), QByteArray("Zo\xEB") + QByteArray(27, ' '));
    QCOMPARE(t1Item(record, 15), QByteArray(50, '?'));
    // Fixed items where the agency expects them.
    QCOMPARE(record.left(6), QByteArray("012024"));
    QCOMPARE(record.mid(14, 9), QByteArray("123456782"));
    QCOMPARE(record.mid(405, 4), QByteArray("097G"));
    QCOMPARE(record.mid(446, 8), QByteArray("20241213"));
    QCOMPARE(record.mid(470, 8), QByteArray("   00000"));
}

void TestBarcodeRecords::t1Items_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<int>("item");
    QTest::addColumn<QByteArray>("expected");
    auto spouse = [](double income) {
        return Setup([income](Taxpayer& t) {
            t.t1().MaritalStatus.m_value = 0;
            t.t1().SpouseNetIncome.m_value = income;
        });
    };
    // Whole dollars, truncated: 1234.99 is 1234.
    QTest::newRow("spouse net income") << spouse(1234.99) << 23 << QByteArray("000001234");
    auto bankrupt = [](double income) {
        return Setup([income](Taxpayer& t) {
            t.t1().BankruptcyDate.m_value = QDate(2024, 5, 1);
            t.t1().PostBankruptcyNetIncome.m_value = income;
        });
    };
    QTest::newRow("bankrupt, income 0") << bankrupt(0) << 29 << QByteArray("000000001");
    QTest::newRow("bankrupt, income 0.4") << bankrupt(0.4) << 29 << QByteArray("000000001");
    QTest::newRow("bankrupt, income -3.6") << bankrupt(-3.6) << 29 << QByteArray("-00000004");
    QTest::newRow("bankrupt, income 1234.5") << bankrupt(1234.5) << 29 << QByteArray("000001235");
    QTest::newRow("bankrupt flag") << bankrupt(10) << 28 << QByteArray("1");
    QTest::newRow("address with rural route") << Setup([](Taxpayer& t) {
        t.t1().AddressLine1.m_value = CString("12 Main St  ");
        t.t1().AddressLine2.m_value = CString();
        t.t1().RuralRoute.m_value = CString("5");
    }) << 14 << (QByteArray("12 Main St RR 5") + QByteArray(45, ' '));
    QTest::newRow("address with second line") << Setup([](Taxpayer& t) {
        t.t1().AddressLine1.m_value = CString("12 Main St ");
        t.t1().AddressLine2.m_value = CString("Apt 4");
    }) << 14 << (QByteArray("12 Main St Apt 4") + QByteArray(44, ' '));
    QTest::newRow("no address") << Setup([](Taxpayer& t) {
        t.t1().AddressLine1.m_value = CString();
        t.t1().AddressLine2.m_value = CString();
        t.t1().RuralRoute.m_value = CString();
    }) << 14 << QByteArray(60, ' ');
    QTest::newRow("mailing province") << Setup([](Taxpayer&) {}) << 16 << QByteArray("ON");
    QTest::newRow("foreign address") << Setup([](Taxpayer& t) { t.t1().ForeignMailingAddress.m_value = 1; }) << 16
                                     << QByteArray("  ");
    QTest::newRow("postal code") << Setup([](Taxpayer&) {}) << 17 << QByteArray("K1A0A6");
    QTest::newRow("birth date") << Setup([](Taxpayer&) {}) << 5 << QByteArray("19750615");
    QTest::newRow("province") << Setup([](Taxpayer&) {}) << 6 << QByteArray("ON");
    QTest::newRow("telephone") << Setup([](Taxpayer& t) { t.t1().HomePhone.m_value = CString("1 (613) 555-0199"); })
                               << 21 << QByteArray("6135550199");
    QTest::newRow("no telephone") << Setup([](Taxpayer& t) { t.t1().HomePhone.m_value = CString(); }) << 21
                                  << QByteArray(10, '0');
    QTest::newRow("date of death") << Setup([](Taxpayer& t) { t.t1().DateOfDeath.m_value = QDate(2024, 3, 9); })
                                   << 27 << QByteArray("20240309");
    QTest::newRow("citizen") << Setup([](Taxpayer& t) { t.t1().CitizenshipAnswer.m_value = 1; }) << 37
                             << QByteArray("2");
}

void TestBarcodeRecords::t1Items()
{
    QFETCH(Setup, setup);
    QFETCH(int, item);
    QFETCH(QByteArray, expected);
    Taxpayer jean;
    setup(jean);
    const QByteArray record = t1Record(jean.person);
    QCOMPARE(record.size(), 485);
    QCOMPARE(t1Item(record, item), expected);
}

void TestBarcodeRecords::withoutSpouseRelationSpouseItemsStayEmpty()
{
    Taxpayer jean;
    TaxData_T1New& t1 = jean.t1();
    t1.SpouseSIN.m_value = CString("130 692 544");
    t1.SpouseFirstName.m_value = CString("Marie");
    QVERIFY(!jean.person.isSpouseRelated());
    QByteArray record = t1Record(jean.person);
    QCOMPARE(t1Item(record, 9), QByteArray("000000000"));
    QCOMPARE(t1Item(record, 10), QByteArray("    "));

    t1.MaritalStatus.m_value = 0;
    QVERIFY(jean.person.isSpouseRelated());
    record = t1Record(jean.person);
    QCOMPARE(t1Item(record, 9), QByteArray("130692544"));
    QCOMPARE(t1Item(record, 10), QByteArray("Mari"));
}

void TestBarcodeRecords::t1BlockIsRecordLinesAndEnd()
{
    Taxpayer jean;
    CMemoryBlock block;
    GenerateT1Barcode(jean.person, block);
    DireradFreeFormatMap data;
    DireradGenObjParamStru param;
    param.outputKind = DireradGenObjParamStru::OutputFreeFormatOnly;
    param.data = &data;
    WriteDireradFreeFormatData(jean.person, kDirerad, param);
    CMemoryBlock lines;
    ConvertFreeDataMapToMemoryBlock(data, lines);
    QVERIFY(block.bytes().startsWith(t1Record(jean.person)));
    QCOMPARE(block.bytes().mid(485), lines.bytes() + "-EOD");
    // Jean has no income: his one line is the no-income indicator, joined
    // to the record without a separator.
    QCOMPARE(block.bytes().mid(485), QByteArray("99151-EOD"));
}

void TestBarcodeRecords::fillingLeavesTheReturnAsItWas()
{
    Taxpayer jean;
    jean.t1().MaritalStatus.m_value = 0;
    jean.t1().SpouseSIN.m_value = CString("123 456 782");
    const QByteArray record = t1Record(jean.person);
    QCOMPARE(t1Item(record, 9), QByteArray("123456782"));
    QCOMPARE(QString(jean.t1().SpouseSIN.m_value), QStringLiteral("123 456 782"));
}

void TestBarcodeRecords::everyStatementBlockIs564Bytes()
{
    Taxpayer jean;
    auto* t2125 = jean.add<TaxData_T2125_New>(FORM_T2125);
    t2125->Name.m_value = CString(QString(80, QChar(0x00E9)));
    t2125->BusinessDescription.m_value = CString(QString(300, QLatin1Char('x')));
    auto* t776 = jean.add<TaxData_T776New>(FORM_T776);
    auto* t2042 = jean.add<TaxData_T2042New>(FORM_T2042);
    auto* t2121 = jean.add<TaxData_T2121New>(FORM_T2121);
    auto* t777 = jean.add<TaxData_T777New>(FORM_T777);
    auto* tl2 = jean.add<TaxData_TL2_New>(FORM_TL2);
    auto* t2091 = jean.add<TaxData_T2091>(FORM_T2091);
    t776->line8141GrossRents.m_value = 1200;
    QList<QByteArray> blocks;
    auto take = [&blocks](const CMemoryBlock& block) { blocks << block.bytes(); };
    CMemoryBlock b;
    GenerateT2125Barcode(FORM_T2125, *t2125, b, 1); take(b); b.Init();
    GenerateT776Barcode(*t776, b, 2); take(b); b.Init();
    GenerateT2042Barcode(*t2042, b, 3); take(b); b.Init();
    GenerateT2121Barcode(*t2121, b, 4); take(b); b.Init();
    GenerateT777Barcode(jean.person, *t777, b, 5); take(b); b.Init();
    GenerateTL2Barcode(jean.person, *tl2, b, 6); take(b); b.Init();
    GenerateT2091Barcode(jean.person, *t2091, b, 7); take(b);
    const QByteArray codes[] = {"02", "01", "05", "04", "07", "08", "11"};
    for (int i = 0; i < blocks.size(); ++i) {
        const QByteArray& block = blocks.at(i);
        QVERIFY2(block.endsWith("-EOD"), block.constData());
        QCOMPARE(block.indexOf("-EOD"), block.size() - 4);
        QCOMPARE(block.left(2), QByteArray("03"));
        QCOMPARE(statementItem(block, 2), QByteArray::number(i + 1).rightJustified(2, '0'));
        QCOMPARE(statementItem(block, 3), codes[i]);
        // The line data of each statement follow its 564-byte record.
        const int end = block.size() - 4;
        QVERIFY(end >= SFDBarcodeFixedData::kLength);
        QVERIFY(end == SFDBarcodeFixedData::kLength || isdigit(uchar(block.at(SFDBarcodeFixedData::kLength))));
    }
    QVERIFY(blocks.at(1).mid(564).startsWith("8141120000"));
    // The non-business statements carry the return's S.I.N. and no business data.
    QCOMPARE(statementItem(blocks.at(4), 7), QByteArray("123456782"));
    QCOMPARE(statementItem(blocks.at(4), 11), QByteArray("00000000"));
    QCOMPARE(statementItem(blocks.at(4), 25), QByteArray("000000"));
}

void TestBarcodeRecords::t2125FormCodes_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("indicator");
    QTest::addColumn<QByteArray>("code");
    QTest::newRow("business") << 125 << 0 << QByteArray("02");
    QTest::newRow("professional") << 125 << 1 << QByteArray("03");
    QTest::newRow("commission, indicator set") << 131 << 1 << QByteArray("02");
}

void TestBarcodeRecords::t2125FormCodes()
{
    QFETCH(int, type);
    QFETCH(int, indicator);
    QFETCH(QByteArray, code);
    Taxpayer jean;
    auto* form = jean.add<TaxData_T2125_New>(type);
    QVERIFY(form);
    form->IncomeKind.m_value = indicator;
    CMemoryBlock block;
    GenerateT2125Barcode(type, *form, block, 1);
    QCOMPARE(statementItem(block.bytes(), 3), code);
    QCOMPARE(statementItem(block.bytes(), 5), QByteArray("1"));
}

void TestBarcodeRecords::t2121HasNoAddress()
{
    Taxpayer jean;
    auto* form = jean.add<TaxData_T2121New>(FORM_T2121);
    form->Address.m_value = CString("1 Wharf Rd");
    form->PostalCode.m_value = CString("B0J 1T0");
    form->Name.m_value = CString("Jean's Boat");
    CMemoryBlock block;
    GenerateT2121Barcode(*form, block, 1);
    QCOMPARE(statementItem(block.bytes(), 9), QByteArray(30, ' '));
    QCOMPARE(statementItem(block.bytes(), 10), QByteArray(6, ' '));
    QCOMPARE(statementItem(block.bytes(), 8), QByteArray("Jean's Boat") + QByteArray(19, ' '));

    // The rental statement keeps its address.
    auto* t776 = jean.add<TaxData_T776New>(FORM_T776);
    t776->Address.m_value = CString("1 Wharf Rd");
    t776->PostalCode.m_value = CString("B0J 1T0");
    block.Init();
    GenerateT776Barcode(*t776, block, 1);
    QCOMPARE(statementItem(block.bytes(), 9), QByteArray("1 Wharf Rd") + QByteArray(20, ' '));
    QCOMPARE(statementItem(block.bytes(), 10), QByteArray("B0J1T0"));
}

void TestBarcodeRecords::t5013StatementsByKind()
{
    Taxpayer jean;
    auto* form = jean.add<CTaxData_T5013>(FORM_T5013);
    form->SIN.m_value = CString("123456782");
    CIntField* kinds[] = {&form->Kind1, &form->Kind2, &form->Kind3, &form->Kind4};
    CIntField* sfd[] = {&form->Sfd1, &form->Sfd2, &form->Sfd3, &form->Sfd4};
    const int given[] = {5, -1, 0, 6};
    for (int i = 0; i < 4; ++i) {
        kinds[i]->m_value = given[i];
        sfd[i]->m_value = 1;
    }
    form->Gross3.m_value = 500;
    QList<QByteArray> blocks;
    int sequence = 4;
    GenerateT5013Barcode(*form, blocks, sequence);
    // Kinds 5 and -1 get no block and use no number.
    QCOMPARE(blocks.size(), 2);
    QCOMPARE(sequence, 6);
    QCOMPARE(statementItem(blocks.at(0), 2), QByteArray("05"));
    QCOMPARE(statementItem(blocks.at(0), 3), QByteArray("01"));
    QCOMPARE(statementItem(blocks.at(1), 2), QByteArray("06"));
    QCOMPARE(statementItem(blocks.at(1), 3), QByteArray("04"));
    QCOMPARE(statementItem(blocks.at(0), 7), QByteArray("123456782"));
    QCOMPARE(statementItem(blocks.at(0), 22), QByteArray(30, ' '));
    QCOMPARE(statementItem(blocks.at(0), 25), QByteArray("000000"));
    QVERIFY(blocks.at(0).mid(564).startsWith("1349950000"));
    for (const QByteArray& block : blocks)
        QVERIFY(block.endsWith("-EOD"));
}

void TestBarcodeRecords::statementBlocksAreNumberedInArchiveOrder()
{
    Taxpayer jean;
    auto* t5013 = jean.add<CTaxData_T5013>(FORM_T5013);
    auto* t2125 = jean.add<TaxData_T2125_New>(FORM_T2125);
    t2125->IncomeKind.m_value = 0;
    CIntField* kinds[] = {&t5013->Kind1, &t5013->Kind2, &t5013->Kind3, &t5013->Kind4};
    for (CIntField* kind : kinds)
        kind->m_value = -1;
    t5013->Kind2.m_value = 4;
    t5013->Sfd2.m_value = 1;
    t5013->Gross2.m_value = 800;
    const QList<QByteArray> blocks = buildBarcodeStatementBlocks(jean.person);
    QCOMPARE(blocks.size(), 2);
    QCOMPARE(statementItem(blocks.at(0), 2) + statementItem(blocks.at(0), 3), QByteArray("0102"));
    QCOMPARE(statementItem(blocks.at(1), 2) + statementItem(blocks.at(1), 3), QByteArray("0205"));
}

QTEST_GUILESS_MAIN(TestBarcodeRecords)
#include "tst_barcoderecords.moc"
