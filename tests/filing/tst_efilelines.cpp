// The return's lines and statement records of the electronic return, read
// from the free-format map the line writers fill (the one the barcode
// reuses) and from the records in the XML. Fixture: Jean Tremblay.
#include <QtTest>

#include "companion/forms/federal/mirroring.h"
#include "companion/forms/federal/others.h"
#include "companion/forms/federal/statements.h"
#include "efilefixture.h"
#include "filing/direradfreeformat.h"

#include <functional>

using namespace efilefixture;

namespace {

STRUCT_DIRERAD_TIA_FIELD_TYPE integerEntry(int value)
{
    STRUCT_DIRERAD_TIA_FIELD_TYPE entry;
    entry.kind = STRUCT_DIRERAD_TIA_FIELD_TYPE::Integer;
    entry.number = value;
    return entry;
}

STRUCT_DIRERAD_TIA_FIELD_TYPE dollarEntry(double value)
{
    STRUCT_DIRERAD_TIA_FIELD_TYPE entry;
    entry.kind = STRUCT_DIRERAD_TIA_FIELD_TYPE::DollarsAndCents;
    entry.amount = value;
    return entry;
}

// The lines alone, as the barcode asks for them (output kind 2).
DireradFreeFormatMap linesOf(Taxpayer& taxpayer, unsigned char mode)
{
    DireradFreeFormatMap data;
    DireradGenObjParamStru param;
    param.mode = mode;
    param.outputKind = DireradGenObjParamStru::OutputFreeFormatOnly;
    param.data = &data;
    WriteDireradFreeFormatData(taxpayer.person, mode, param);
    return data;
}

QString describe(const DireradFreeFormatMap& data)
{
    QStringList items;
    for (const auto& [line, entry] : data)
        items << QStringLiteral("%1:%2/%3").arg(line).arg(entry.kind).arg(entry.kind == 3 ? entry.number : entry.amount);
    return items.join(QLatin1Char(' '));
}

using Setup = std::function<void(Taxpayer&)>;
using Expected = QMap<int, double>; // line -> value (an integer line's number)

} // namespace

Q_DECLARE_METATYPE(Setup)
Q_DECLARE_METATYPE(Expected)

class TestEfileLines : public QObject
{
    Q_OBJECT
private slots:
    void emptyReturnSaysNoIncome();
    void anIncomeLineSuppressesNoIncome_data();
    void anIncomeLineSuppressesNoIncome();
    void singlePersonIndicator();
    void spouseIndicator();
    void restrictedFarmLossIsSentPositiveAndWhole();
    void preparerLineOnlyInEfile_data();
    void preparerLineOnlyInEfile();
    void xmlAndMapCarryTheSameLines();
    void employmentExpensesRecordNeedsLine22900_data();
    void employmentExpensesRecordNeedsLine22900();
    void partnershipStatementsAreRecords();
    void noStatementsNoCount();
    void recordCountMatchesTheRecordsSent();
    void bankruptPersonSendsOnlyPrincipalResidenceRecords();
    void checkIfEntryInMap();
    void extraLines_data();
    void extraLines();
};

void TestEfileLines::emptyReturnSaysNoIncome()
{
    Taxpayer jean;
    const DireradFreeFormatMap data = linesOf(jean, kDirerad);
    const DireradFreeFormatMap expected{{9915, integerEntry(1)}};
    QVERIFY2(data == expected, qPrintable(describe(data)));
}

void TestEfileLines::anIncomeLineSuppressesNoIncome_data()
{
    QTest::addColumn<QString>("field");
    QTest::newRow("employment 10100") << "line10100EmploymentIncome";
    QTest::newRow("interest 12100") << "line12100InterestIncome";
    QTest::newRow("non-taxable 14700") << "line14700NonTaxableAdded";
    QTest::newRow("total income only") << "line15000TotalIncome";
}

void TestEfileLines::anIncomeLineSuppressesNoIncome()
{
    QFETCH(QString, field);
    Taxpayer jean;
    auto* amount = static_cast<CFloatField*>(jean.t1().findField(field));
    QVERIFY(amount);
    amount->m_value = 812.40;
    const DireradFreeFormatMap data = linesOf(jean, kDirerad);
    QVERIFY2(!data.count(9915), qPrintable(describe(data)));
}

void TestEfileLines::singlePersonIndicator()
{
    Taxpayer jean;
    jean.t1().line30300SpouseAmount.m_value = 2500;
    DireradFreeFormatMap data = linesOf(jean, kDirerad);
    QVERIFY2(data.count(55220) && data.at(55220) == integerEntry(1), qPrintable(describe(data)));
    QVERIFY(!data.count(55290));

    // The self-employed spouse's deadline answer alone also calls for it.
    Taxpayer alone;
    alone.t1().SelfEmployedSpouseDeadline.m_value = 1;
    data = linesOf(alone, kDirerad);
    QVERIFY2(data.count(55220), qPrintable(describe(data)));
}

void TestEfileLines::spouseIndicator()
{
    Taxpayer jean;
    jean.t1().MaritalStatus.m_value = 0;
    jean.t1().line30400EligibleDependant.m_value = 2500;
    jean.t1().SelfEmployedSpouseDeadline.m_value = 1;
    const DireradFreeFormatMap data = linesOf(jean, kDirerad);
    QVERIFY2(data.count(55290) && data.at(55290) == integerEntry(1), qPrintable(describe(data)));
    QVERIFY2(!data.count(55220), qPrintable(describe(data)));
}

void TestEfileLines::restrictedFarmLossIsSentPositiveAndWhole()
{
    Taxpayer jean;
    QVERIFY(jean.add<TaxData_T2042New>(FORM_T2042));
    jean.t1().RestrictedFarmFlag.m_value = 1;
    jean.t1().line54950FarmingLoss.m_value = -1234.56;
    DireradFreeFormatMap data = linesOf(jean, kDirerad);
    QVERIFY2(data.count(54950) && data.at(54950) == dollarEntry(1234), qPrintable(describe(data)));
    // Farming's gross and net lines go even at zero, as 1.
    QVERIFY(data.count(14099) && data.at(14099) == dollarEntry(1));
    QVERIFY(data.count(14100) && data.at(14100) == dollarEntry(1));

    jean.t1().RestrictedFarmFlag.m_value = 0;
    data = linesOf(jean, kDirerad);
    QVERIFY(!data.count(54950));
}

void TestEfileLines::preparerLineOnlyInEfile_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("withRC71");
    QTest::addColumn<int>("preparationCode");
    QTest::addColumn<int>("sent"); // 0: no line 49000
    QTest::newRow("DIRERAD") << int(kDirerad) << false << 0 << 0;
    QTest::newRow("DIRERAD with RC71") << int(kDirerad) << true << 1 << 0;
    QTest::newRow("EFILE") << int(kEfile) << false << 0 << 1;
    QTest::newRow("EFILE, preparation code 1") << int(kEfile) << false << 1 << 2;
    QTest::newRow("EFILE with RC71") << int(kEfile) << true << 1 << 3;
}

void TestEfileLines::preparerLineOnlyInEfile()
{
    QFETCH(int, mode);
    QFETCH(bool, withRC71);
    QFETCH(int, preparationCode);
    QFETCH(int, sent);
    Taxpayer jean;
    if (withRC71)
        QVERIFY(jean.add<CTaxData_RC71>(FORM_RC71));
    jean.t1().ReturnPreparationCode.m_value = preparationCode;
    const DireradFreeFormatMap data = linesOf(jean, mode);
    QCOMPARE(data.count(49000) != 0, sent != 0);
    if (sent)
        QVERIFY(data.at(49000) == integerEntry(sent));
    QCOMPARE(parse(jean.document(mode)).texts.values("t1:FreeFormatLine").size(), int(data.size()));
}

void TestEfileLines::xmlAndMapCarryTheSameLines()
{
    Taxpayer jean;
    jean.t1().line10100EmploymentIncome.m_value = 48250.75;
    jean.t1().line30300SpouseAmount.m_value = 1000;
    jean.t1().support67650.m_value = 12.5;
    const DireradFreeFormatMap data = linesOf(jean, kDirerad);
    const CString xml = jean.document(kDirerad);
    QVERIFY(xml.contains("<t1:FreeFormatLine LineCode=\"10100\">48250.75</t1:FreeFormatLine>"));
    QVERIFY(xml.contains("<t1:FreeFormatLine LineCode=\"55220\">1</t1:FreeFormatLine>"));
    QVERIFY(xml.contains("<t1:FreeFormatLine LineCode=\"67650\">12.50</t1:FreeFormatLine>"));
    QCOMPARE(parse(xml).count("t1:FreeFormatLine"), int(data.size()));
    QCOMPARE(xml.count("LineCode=\"67650\""), 1); // the rule's line goes once
}

void TestEfileLines::employmentExpensesRecordNeedsLine22900_data()
{
    QTest::addColumn<double>("line22900");
    QTest::addColumn<int>("records");
    QTest::newRow("22900 at 0: no record") << 0.0 << 0;
    QTest::newRow("22900 at 0.008: no record") << 0.008 << 0;
    QTest::newRow("22900 claimed") << 640.0 << 1;
}

void TestEfileLines::employmentExpensesRecordNeedsLine22900()
{
    QFETCH(double, line22900);
    QFETCH(int, records);
    Taxpayer jean;
    QVERIFY(jean.add<TaxData_T777New>(FORM_T777));
    jean.t1().line22900EmploymentExpenses.m_value = line22900;
    const ParsedDocument doc = parse(jean.document(kDirerad));
    QVERIFY2(doc.wellFormed, qPrintable(doc.error));
    QCOMPARE(doc.count("sfd:SelectedFinancialData"), records);
    QCOMPARE(doc.text("t1:SelectedFinancialDataRecordCount"), records ? QStringLiteral("01") : QString());
}

void TestEfileLines::partnershipStatementsAreRecords()
{
    Taxpayer jean;
    auto* t5013 = jean.add<CTaxData_T5013>(FORM_T5013);
    QVERIFY(t5013);
    t5013->Kind1.m_value = 0;  // not marked as a statement
    t5013->Kind2.m_value = 0;  // business, marked
    t5013->Sfd2.m_value = 1;
    t5013->Gross2.m_value = 9000;
    t5013->Net2.m_value = 4000;
    t5013->Kind3.m_value = -1;
    t5013->Kind4.m_value = 5;  // rental, marked
    t5013->Sfd4.m_value = 1;
    t5013->Net4.m_value = 1500;
    const CString xml = jean.document(kDirerad);
    const ParsedDocument doc = parse(xml);
    QVERIFY2(doc.wellFormed, qPrintable(doc.error));
    QCOMPARE(doc.count("sfd:SelectedFinancialData"), 2);
    QCOMPARE(doc.text("t1:SelectedFinancialDataRecordCount"), QStringLiteral("02"));
    QVERIFY(xml.contains("<sfd:SelectedFinancialData><sfd:StatementFormCode>T5013</sfd:StatementFormCode>"
                         "<t1:FreeFormatLine LineCode=\"13499\">9000.00</t1:FreeFormatLine>"
                         "<t1:FreeFormatLine LineCode=\"13500\">4000.00</t1:FreeFormatLine></sfd:SelectedFinancialData>"));
    QVERIFY(xml.contains("<t1:FreeFormatLine LineCode=\"12600\">1500.00</t1:FreeFormatLine></sfd:SelectedFinancialData>"));
}

void TestEfileLines::noStatementsNoCount()
{
    Taxpayer jean;
    jean.t1().line10100EmploymentIncome.m_value = 1000;
    const ParsedDocument doc = parse(jean.document(kDirerad));
    QVERIFY2(doc.wellFormed, qPrintable(doc.error));
    QVERIFY(!doc.has("t1:SelectedFinancialDataRecordCount"));
    QVERIFY(!doc.has("sfd:SelectedFinancialData"));
}

void TestEfileLines::recordCountMatchesTheRecordsSent()
{
    Taxpayer jean;
    // Two T2125s, a T777 without employment expenses on line 22900 (counted
    // among the statement forms, sent as no record) and a principal
    // residence designation (sent after the others).
    QVERIFY(jean.add<TaxData_T2125_New>(FORM_T2125));
    QVERIFY(jean.add<TaxData_T2125_New>(FORM_T2125));
    QVERIFY(jean.add<TaxData_T777New>(FORM_T777));
    QVERIFY(jean.add<TaxData_T2091>(FORM_T2091));
    QCOMPARE(jean.person.GetCountOfSFDForms(), 4);
    const ParsedDocument doc = parse(jean.document(kDirerad));
    QVERIFY2(doc.wellFormed, qPrintable(doc.error));
    QCOMPARE(doc.count("sfd:SelectedFinancialData"), 3);
    QCOMPARE(doc.text("t1:SelectedFinancialDataRecordCount"), QStringLiteral("03"));
    QCOMPARE(doc.texts.values("sfd:StatementFormCode"), (QStringList{"T2091(IND)", "T2125", "T2125"}));
}

void TestEfileLines::bankruptPersonSendsOnlyPrincipalResidenceRecords()
{
    Taxpayer jean;
    jean.t1().BankruptcyDate.m_value = QDate(2024, 9, 3);
    QVERIFY(jean.add<TaxData_T776New>(FORM_T776));
    QVERIFY(jean.add<TaxData_T2091>(FORM_T2091));
    for (unsigned char mode : {kDirerad, kEfile}) {
        const ParsedDocument doc = parse(jean.document(mode));
        QVERIFY2(doc.wellFormed, qPrintable(doc.error));
        QCOMPARE(doc.count("sfd:SelectedFinancialData"), 1);
        QCOMPARE(doc.text("sfd:StatementFormCode"), QStringLiteral("T2091(IND)"));
        QVERIFY(!doc.has("t1:SelectedFinancialDataRecordCount"));
    }
}

void TestEfileLines::checkIfEntryInMap()
{
    const DireradFreeFormatMap data{{30300, dollarEntry(10)}, {9918, integerEntry(1)}};
    const int lines[] = {12000, 9918, 30300};
    QVERIFY(!CheckIfEntryInMap(data, lines, 1));
    QVERIFY(CheckIfEntryInMap(data, lines, 2));
    QVERIFY(!CheckIfEntryInMap(data, lines, 0));
    QVERIFY(!CheckIfEntryInMap(data, lines, -3));
}

// The return's extra lines, each row one rule: what the return holds, the
// lines it must then carry, and lines it must not.
void TestEfileLines::extraLines_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<Expected>("present");
    QTest::addColumn<QList<int>>("absent");

    QTest::newRow("self-employed CPP without Schedule 8: 50339 and 50340 as 1")
        << Setup([](Taxpayer& j) { j.t1().line22200CppSelfEmployed.m_value = 310.25; })
        << Expected{{50339, 1}, {50340, 1}} << QList<int>{};
    QTest::newRow("with Schedule 8 they are not sent")
        << Setup([](Taxpayer& j) {
               j.t1().line31000CppSelfEmployed.m_value = 310.25;
               QVERIFY(j.add<CTaxData_Form>(FORM_SCH8));
           })
        << Expected{} << QList<int>{50339, 50340};
    QTest::newRow("taxable capital gains 12700 once")
        << Setup([](Taxpayer& j) { j.t1().line12700TaxableCapitalGains.m_value = 1500.5; })
        << Expected{{12700, 1500.5}} << QList<int>{9915};
    QTest::newRow("transfer from spouse 32600 for a single person: 57730")
        << Setup([](Taxpayer& j) { j.t1().line32600TransferFromSpouse.m_value = 800; })
        << Expected{{57730, 1}, {32600, 800}} << QList<int>{};
    // No earned income: the T778's figure for line 55300 is its own amount.
    QTest::newRow("child care with a T778: 55300")
        << Setup([](Taxpayer& j) {
               auto* t778 = j.add<CTaxData_Form>(FORM_T778);
               QVERIFY(t778);
               auto* own = static_cast<CFloatField*>(t778->findField("OwnAmount"));
               QVERIFY(own);
               own->m_value = 250;
               j.t1().line21400ChildCare.m_value = 3000;
           })
        << Expected{{55300, 250}} << QList<int>{};
    QTest::newRow("child care without a T778: no 55300")
        << Setup([](Taxpayer& j) { j.t1().line21400ChildCare.m_value = 3000; })
        << Expected{{21400, 3000}} << QList<int>{55300};
    QTest::newRow("supporting fields 67650, 67830, 67840, 67890, 68080, 68100, 68110, 5365")
        << Setup([](Taxpayer& j) {
               TaxData_T1New& t = j.t1();
               t.support67650.m_value = 1;
               t.support67830.m_value = 2;
               t.support67840.m_value = 3;
               t.support67890.m_value = 4;
               t.support68080.m_value = 5;
               t.support68100.m_value = 6;
               t.support68110.m_value = 7;
               t.support5365.m_value = 8;
               t.support67820.m_value = 9;
               t.support67860.m_value = 10;
           })
        << Expected{{67650, 1}, {67830, 2}, {67840, 3}, {67890, 4}, {68080, 5}, {68100, 6}, {68110, 7}, {5365, 8},
                    {67820, 9}, {67860, 10}}
        << QList<int>{};
    QTest::newRow("with T5004, T691 and T936 their forms send them")
        << Setup([](Taxpayer& j) {
               TaxData_T1New& t = j.t1();
               t.support67650.m_value = 1;
               t.support67830.m_value = 2;
               t.support68080.m_value = 5;
               t.support5365.m_value = 8;
               QVERIFY(j.add<CTaxData_Form>(FORM_T5004));
               QVERIFY(j.add<CTaxData_Form>(FORM_T691));
               QVERIFY(j.add<CTaxData_Form>(FORM_T936));
           })
        << Expected{} << QList<int>{67650, 67830, 68080, 5365};
    QTest::newRow("carrying charges: 67820 sent as 1 without 67860")
        << Setup([](Taxpayer& j) {
               j.t1().line22100CarryingCharges.m_value = 120;
               j.t1().support67860.m_value = 10;
           })
        << Expected{{67820, 1}} << QList<int>{67860};
    QTest::newRow("workers benefit: line 55320 amount")
        << Setup([](Taxpayer& j) {
               j.t1().line45300WorkersBenefit.m_value = 600;
               j.t1().line55320Amount.m_value = 1428;
           })
        << Expected{{55320, 1428}} << QList<int>{};
    QTest::newRow("rental statement: 12599 and 12600 sent as 1 at zero")
        << Setup([](Taxpayer& j) { QVERIFY(j.add<TaxData_T776New>(FORM_T776)); })
        << Expected{{12599, 1}, {12600, 1}} << QList<int>{};
}

void TestEfileLines::extraLines()
{
    QFETCH(Setup, setup);
    QFETCH(Expected, present);
    QFETCH(QList<int>, absent);
    Taxpayer jean;
    setup(jean);
    const DireradFreeFormatMap data = linesOf(jean, kDirerad);
    for (auto it = present.begin(); it != present.end(); ++it) {
        QVERIFY2(data.count(it.key()), qPrintable(QStringLiteral("%1 missing: %2").arg(it.key()).arg(describe(data))));
        const STRUCT_DIRERAD_TIA_FIELD_TYPE& entry = data.at(it.key());
        QCOMPARE(entry.kind == STRUCT_DIRERAD_TIA_FIELD_TYPE::Integer ? double(entry.number) : entry.amount, it.value());
    }
    for (int line : absent)
        QVERIFY2(!data.count(line), qPrintable(QStringLiteral("%1 present: %2").arg(line).arg(describe(data))));
}

QTEST_GUILESS_MAIN(TestEfileLines)
#include "tst_efilelines.moc"
