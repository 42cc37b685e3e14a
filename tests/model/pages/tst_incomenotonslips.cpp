// Income and deductions no slip reports (tips, casual earnings, interest
// paid without a T5, other income, other deductions) are typed on the T1
// beside the lines the calculation builds from slips, and reach those lines.
#include <QtTest>

#include <QLineEdit>
#include <map>

#include "model/calcfixture.h"
#include "companion/forms/federal/others.h"
#include "companion/forms/slips/slips_investment.h"
#include "companion/ui/basetaxpage.h"

using namespace calcfixture;

namespace {

constexpr ENUMTYPE_FORM kDividendWorksheet = 210;

CFloatField& floatField(TaxData_T1New& t1, const QString& name)
{
    auto* f = dynamic_cast<CFloatField*>(t1.findField(name));
    Q_ASSERT(f);
    return *f;
}

// Every T1 figure, to compare two calculations.
std::map<QString, QString> figures(const TaxData_T1New& t1)
{
    std::map<QString, QString> out;
    for (const CField* f : t1.fieldList())
        out[f->name()] = f->text();
    return out;
}

} // namespace

class TestIncomeNotOnSlips : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { BaseTaxPage::installAsPageFactory(); }
    void entryReachesItsLine_data();
    void entryReachesItsLine();
    void descriptionOfOtherIncome();
    void interestEntryWithTheDividendWorksheet();
    void entriesAreEditableOnThePage_data();
    void entriesAreEditableOnThePage();
};

void TestIncomeNotOnSlips::entryReachesItsLine_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("line");
    QTest::addColumn<double>("slipPart");
    QTest::addColumn<double>("incomeChange"); // per dollar entered: +1 income, -1 deduction
    // The T4 of the fixture gives 30,000 of employment income; the T4A box
    // 18 lump sum 1,500 of other income; the other lines have no slip.
    QTest::newRow("tips, 10100") << "line10100NotOnSlip" << "line10100EmploymentIncome" << 30000.0 << 1.0;
    QTest::newRow("other employment, 10400") << "line10400NotOnSlip" << "line10400OtherEmploymentIncome" << 0.0 << 1.0;
    QTest::newRow("interest, 12100") << "line12100NotOnSlip" << "line12100InterestIncome" << 0.0 << 1.0;
    QTest::newRow("other income, 13000") << "line13000NotOnSlip" << "line13000OtherIncome" << 1500.0 << 1.0;
    QTest::newRow("other deductions, 23200") << "line23200NotOnSlip" << "line23200OtherDeductions" << 0.0 << -1.0;
}

void TestIncomeNotOnSlips::entryReachesItsLine()
{
    QFETCH(QString, entry);
    QFETCH(QString, line);
    QFETCH(double, slipPart);
    QFETCH(double, incomeChange);
    auto family = makeFamily(false);
    IndividualTaxData* person = family->getTaxpayer();
    addT4(person, 30000.0, 4000.0);
    auto& t4a = static_cast<TaxData_Slip_T4A&>(*person->NewSlipData(2, 0, 0)->data);
    t4a.box18LumpSum.m_value = 1500.0;
    TaxData_T1New* t1 = person->GetT1();
    QVERIFY(t1);

    family->Calculate(-1, nullptr);
    QCOMPARE(floatField(*t1, line).m_value, slipPart);
    const double totalBefore = t1->line15000TotalIncome.m_value;
    const double netBefore = t1->line23600NetIncome.m_value;

    const double entered = 1234.56;
    floatField(*t1, entry).m_value = entered;
    family->Calculate(-1, nullptr);
    QCOMPARE(floatField(*t1, line).m_value, slipPart + entered);
    QCOMPARE(floatField(*t1, entry).m_value, entered); // the entry itself is kept
    if (incomeChange > 0)
        QCOMPARE(t1->line15000TotalIncome.m_value, totalBefore + entered);
    else
        QCOMPARE(t1->line15000TotalIncome.m_value, totalBefore);
    QCOMPARE(t1->line23600NetIncome.m_value, netBefore + incomeChange * entered);

    // A second calculation neither adds the entry again nor loses it.
    const auto once = figures(*t1);
    family->Calculate(-1, nullptr);
    QVERIFY(figures(*t1) == once);
    QCOMPARE(floatField(*t1, line).m_value, slipPart + entered);

    // Cleared, the line is the slips' again.
    floatField(*t1, entry).m_value = 0;
    family->Calculate(-1, nullptr);
    QCOMPARE(floatField(*t1, line).m_value, slipPart);
    QCOMPARE(t1->line23600NetIncome.m_value, netBefore);
}

void TestIncomeNotOnSlips::descriptionOfOtherIncome()
{
    auto family = makeFamily(false);
    TaxData_T1New* t1 = family->getTaxpayer()->GetT1();
    t1->line13000NotOnSlip.m_value = 800.0;
    t1->line13000NotOnSlipDescription.m_value = CString("Jury duty");
    family->Calculate(-1, nullptr);
    QCOMPARE(t1->line13000OtherIncome.m_value, 800.0);
    QCOMPARE(QString(t1->line13000Description.m_value), QStringLiteral("Jury duty"));
    family->Calculate(-1, nullptr);
    QCOMPARE(QString(t1->line13000Description.m_value), QStringLiteral("Jury duty"));
}

// The dividend worksheet restates line 12100 from its own interest figure:
// the interest typed on the T1 must survive it.
void TestIncomeNotOnSlips::interestEntryWithTheDividendWorksheet()
{
    auto family = makeFamily(false);
    IndividualTaxData* person = family->getTaxpayer();
    QVERIFY(form<TaxData_WS_D1>(person, kDividendWorksheet, true));
    auto& t5 = static_cast<TaxData_Slip_T5&>(*person->NewSlipData(8, 0, 0)->data);
    t5.box13Interest.m_value = 50.0;
    TaxData_T1New* t1 = person->GetT1();
    t1->line12100NotOnSlip.m_value = 400.0;
    family->Calculate(-1, nullptr);
    family->Calculate(-1, nullptr);
    QCOMPARE(t1->line12100InterestIncome.m_value, 450.0);
}

void TestIncomeNotOnSlips::entriesAreEditableOnThePage_data()
{
    QTest::addColumn<QString>("entry");
    for (const char* name : {"line10100NotOnSlip", "line10400NotOnSlip", "line12100NotOnSlip", "line13000NotOnSlip",
                             "line13000NotOnSlipDescription", "line23200NotOnSlip", "line23200NotOnSlipDescription"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestIncomeNotOnSlips::entriesAreEditableOnThePage()
{
    QFETCH(QString, entry);
    TaxData_T1New t1;
    const CField* field = t1.findField(entry);
    QVERIFY(field);
    QVERIFY(!field->isReadOnly());
    QVERIFY(!field->isHidden());
    QWidget parent;
    std::list<BaseTaxPage*> pages;
    QVERIFY(t1.CreatePages(pages, &parent) > 0);
    QLineEdit* editor = nullptr;
    for (BaseTaxPage* page : pages)
        if (auto* e = page->findChild<QLineEdit*>("fld_" + entry))
            editor = e;
    QVERIFY(editor);
    QVERIFY(!editor->isReadOnly());
}

QTEST_MAIN(TestIncomeNotOnSlips)
#include "tst_incomenotonslips.moc"
