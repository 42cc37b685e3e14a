// The barcode archive every save writes into a person record, with the
// builder installed as the program installs it. Fixture: Jean Tremblay.
#include <QtTest>

#include <QDir>
#include <QTemporaryDir>

#include "common/scriptedprompter.h"
#include "companion/forms/federal/others.h"
#include "companion/forms/federal/statements.h"
#include "companion/forms/mydatastream.h"
#include "efilefixture.h"
#include "filing/barcodearchive.h"
#include "filing/barcodeitems.h"
#include "filing/barcodet1record.h"
#include "model/barcodeblock.h"
#include "model/cfamilytaxdata.h"

using namespace efilefixture;

namespace {

const QByteArray kRun(8, 'b');

QByteArray int32(qint32 value)
{
    QByteArray bytes;
    MyDataStream out(&bytes, QIODevice::WriteOnly);
    out << value;
    return bytes;
}

QByteArray entry(const QByteArray& bytes) { return int32(bytes.size()) + bytes; }

QByteArray personRecord(IndividualTaxData& person)
{
    QByteArray bytes;
    MyDataStream out(&bytes, QIODevice::WriteOnly);
    if (person.serialize(kDirerad, out) != IndividualTaxData::kFileVersion)
        return QByteArray();
    return bytes;
}

QByteArray t1Block(const IndividualTaxData& person)
{
    CMemoryBlock block;
    GenerateT1Barcode(person, block);
    return block.bytes();
}

using Setup = std::function<void(Taxpayer&)>;

} // namespace

Q_DECLARE_METATYPE(Setup)

class TestBarcodeArchive : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { installBarcodeBuilder(); }
    void cleanupTestCase() { BarcodeBlock::setBuilder(nullptr); }
    void ineligiblePersonGetsNoBarcode_data();
    void ineligiblePersonGetsNoBarcode();
    void eligiblePersonGetsT1AndStatements_data();
    void eligiblePersonGetsT1AndStatements();
    void statementCount_data();
    void statementCount();
    void rentalBlockComesBeforeFarmBlockAndSavesAgainAlike();
    void savingLeavesTheReturnAsItWas();
    void keptReturnFilesStillRead();
};

void TestBarcodeArchive::ineligiblePersonGetsNoBarcode_data()
{
    QTest::addColumn<Setup>("setup");
    auto sin = [](const char* text) {
        return Setup([text](Taxpayer& t) { t.t1().SIN.m_value = CString(text); });
    };
    QTest::newRow("S.I.N. of zeros") << sin("000000000");
    QTest::newRow("blank S.I.N.") << sin("   ");
    QTest::newRow("bad check digit") << sin("123456789");
    // 046 454 286 passes the check digit; a leading 0 is not filed this way.
    QTest::newRow("leading 0") << sin("046454286");
    QTest::newRow("emigrant") << Setup([](Taxpayer& t) { t.t1().DepartureDate.m_value = QDate(2024, 7, 1); });
    QTest::newRow("immigrant") << Setup([](Taxpayer& t) { t.t1().EntryDate.m_value = QDate(2024, 3, 1); });
}

void TestBarcodeArchive::ineligiblePersonGetsNoBarcode()
{
    QFETCH(Setup, setup);
    Taxpayer jean;
    jean.add<TaxData_T776New>(FORM_T776);
    QVERIFY(IsGeneralBarcodeEligible(jean.person));
    setup(jean);
    QVERIFY(!IsGeneralBarcodeEligible(jean.person));
    const QByteArray record = personRecord(jean.person);
    QVERIFY(record.endsWith(kRun + int32(0) + kRun));
}

void TestBarcodeArchive::eligiblePersonGetsT1AndStatements_data()
{
    QTest::addColumn<QList<int>>("forms");
    QTest::addColumn<bool>("bankrupt");
    QTest::addColumn<int>("blocks");
    QTest::newRow("no statement") << QList<int>{} << false << 0;
    QTest::newRow("one") << QList<int>{FORM_T776} << false << 1;
    QTest::newRow("two") << QList<int>{FORM_T2125, FORM_T2042} << false << 2;
    QTest::newRow("three: none kept") << QList<int>{FORM_T776, FORM_T2042, FORM_T2121} << false << 0;
    QTest::newRow("bankrupt") << QList<int>{FORM_T776} << true << 0;
    QTest::newRow("T777S with a T777: one block")
        << QList<int>{FORM_T777, FORM_T777S} << false << 1;
}

void TestBarcodeArchive::eligiblePersonGetsT1AndStatements()
{
    QFETCH(QList<int>, forms);
    QFETCH(bool, bankrupt);
    QFETCH(int, blocks);
    Taxpayer jean;
    for (int type : forms)
        QVERIFY(jean.add<CTaxData_Form>(type));
    if (bankrupt)
        jean.t1().BankruptcyDate.m_value = QDate(2024, 5, 1);
    const QByteArray record = personRecord(jean.person);

    QByteArray archive = kRun + entry(t1Block(jean.person));
    const QList<QByteArray> statements = buildBarcodeStatementBlocks(jean.person);
    archive += int32(blocks);
    if (blocks > 0) {
        QCOMPARE(statements.size(), blocks);
        for (const QByteArray& statement : statements)
            archive += entry(statement);
    }
    archive += kRun;
    QVERIFY2(record.endsWith(archive), record.right(80).toHex().constData());
}

void TestBarcodeArchive::statementCount_data()
{
    QTest::addColumn<QList<int>>("forms");
    QTest::addColumn<int>("count");
    QTest::newRow("none") << QList<int>{} << 0;
    QTest::newRow("T776") << QList<int>{FORM_T776} << 1;
    QTest::newRow("T776 and a T777S") << QList<int>{FORM_T776, FORM_T777S} << 1;
    QTest::newRow("T776 and a T1163") << QList<int>{FORM_T776, FORM_T1163} << 1;
    QTest::newRow("T2091 and its trust variant") << QList<int>{FORM_T2091, FORM_T1255} << 2;
    QTest::newRow("a T777S alone") << QList<int>{FORM_T777S} << 0;
}

void TestBarcodeArchive::statementCount()
{
    QFETCH(QList<int>, forms);
    QFETCH(int, count);
    Taxpayer jean;
    for (int type : forms)
        QVERIFY(jean.add<CTaxData_Form>(type));
    QCOMPARE(GetCountOfBarcodeSFDForms(jean.person), count);
    jean.t1().BankruptcyDate.m_value = QDate(2024, 5, 1);
    QCOMPARE(GetCountOfBarcodeSFDForms(jean.person), 0);
}

void TestBarcodeArchive::rentalBlockComesBeforeFarmBlockAndSavesAgainAlike()
{
    Taxpayer jean;
    auto* farm = jean.add<TaxData_T2042New>(FORM_T2042);
    auto* rental = jean.add<TaxData_T776New>(FORM_T776);
    farm->line9659GrossIncome.m_value = 300;
    rental->line8141GrossRents.m_value = 1200;
    const QList<QByteArray> blocks = buildBarcodeStatementBlocks(jean.person);
    QCOMPARE(blocks.size(), 2);
    QCOMPARE(blocks.at(0).mid(2, 4), QByteArray("0101")); // T776, sequence 01
    QCOMPARE(blocks.at(1).mid(2, 4), QByteArray("0205")); // T2042, sequence 02

    const QByteArray first = personRecord(jean.person);
    QVERIFY(first.contains(entry(blocks.at(0)) + entry(blocks.at(1)) + kRun));
    QByteArray copy = first;
    MyDataStream in(&copy, QIODevice::ReadOnly);
    DependantInfoStruct dependants{12};
    IndividualTaxData read(0, &dependants);
    QCOMPARE(read.serialize(kDirerad, in), IndividualTaxData::kFileVersion);
    QCOMPARE(in.status(), QDataStream::Ok);
    QVERIFY(in.atEnd());
    read.m_nextId = jean.person.m_nextId;
    QCOMPARE(personRecord(read), first);
}

void TestBarcodeArchive::savingLeavesTheReturnAsItWas()
{
    Taxpayer jean;
    jean.t1().MaritalStatus.m_value = 0;
    jean.t1().SpouseSIN.m_value = CString("123 456 782");
    jean.add<TaxData_T776New>(FORM_T776);
    const QByteArray first = personRecord(jean.person);
    QVERIFY(first.contains("123456782"));
    QCOMPARE(QString(jean.t1().SpouseSIN.m_value), QStringLiteral("123 456 782"));
    QCOMPARE(personRecord(jean.person), first);
}

void TestBarcodeArchive::keptReturnFilesStillRead()
{
    // The fuzzer's kept inputs: those that read whole still do, and write
    // (now with their archives) and read back whole.
    const QFileInfoList files =
        QDir(QStringLiteral(VR_TESTS_SOURCE_DIR "/fixtures/returnfile")).entryInfoList(QDir::Files);
    QVERIFY(!files.isEmpty());
    ScriptedPrompter prompter;
    QTemporaryDir dir;
    int whole = 0;
    for (const QFileInfo& info : files) {
        int code = -99;
        std::unique_ptr<CFamilyTaxData> family(CFamilyTaxData::serializeFromFile(CString(info.filePath()), code));
        QVERIFY2(family, qPrintable(info.fileName()));
        if (info.fileName() == "single.r24" || info.fileName() == "coupled.r24")
            QVERIFY2(code == 0, qPrintable(info.fileName()));
        if (code != 0)
            continue;
        ++whole;
        const QString copy = dir.filePath(info.fileName());
        QVERIFY2(family->saveToFile(CString(copy), kDirerad) == 0, qPrintable(info.fileName()));
        std::unique_ptr<CFamilyTaxData> again(CFamilyTaxData::serializeFromFile(CString(copy), code));
        QVERIFY2(code == 0, qPrintable(info.fileName()));
    }
    QVERIFY(whole >= 2);
}

QTEST_GUILESS_MAIN(TestBarcodeArchive)
#include "tst_barcodearchive.moc"
