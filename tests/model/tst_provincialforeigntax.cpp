// The provincial foreign tax credit (Form T2036): investors with foreign
// income and foreign tax withheld on a T5, run through the family's
// calculation with the shipped provincial plug-ins. Each figure is worked by
// hand below from the 2024 T2209, T2036 and the province's 428.
//
// The returns: other income (line 13000) and a T5 with foreign income (box
// 15, which goes to line 12100) and foreign tax paid (box 16); no other
// income, deduction or credit. Net income = taxable income = the T2209's and
// the T2036's net income.
//
// Federal side (T2209, 2024: 15 %, basic personal amount 15,705 x 15 % =
// 2,355.75):
//   50,000  basic federal tax 7,500.00 - 2,355.75 = 5,144.25; limit on the
//           10,000 of foreign income 5,144.25 x 10,000 / 50,000 = 1,028.85.
//           Tax paid 1,500 -> federal credit 1,028.85, left 471.15; paid 1,100
//           -> left 71.15; paid 900 -> credit 900, nothing left.
//   30,000  4,500.00 - 2,355.75 = 2,144.25; limit 714.75; paid 1,500 -> left
//           785.25.
//   25,000  3,750.00 - 2,355.75 = 1,394.25; limit 557.70; paid 1,500 -> left
//           942.30.
//   20,000  3,000.00 - 2,355.75 = 644.25; limit 322.13; paid 1,500 -> left
//           1,177.87.
//
// T2036: the lesser of the tax left (line 3) and foreign income / net income
// x the provincial tax otherwise payable (line 4), where that tax is the
// 428's tax on the line above its foreign tax credit line.
//
// Ontario (ON428: the credit after the Ontario tax reduction, before LIFT and
// the health premium; rate 5.05 %, credits 12,399 x 5.05 % = 626.15; no
// employment income, so no LIFT):
//   50,000, paid 1,500  2,525.00 - 626.15 = 1,898.85; no surtax, no reduction
//           (572 is below the tax); limit 1,898.85 / 5 = 379.77 < 471.15:
//           credit 379.77 -> 1,519.08; premium 600: 2,119.08.
//   50,000, paid 1,100  credit the tax left, 71.15 -> 1,827.70 + 600 = 2,427.70.
//   50,000, paid 900    nothing left: 1,898.85 + 600 = 2,498.85.
//   20,000, paid 1,500  1,010.00 - 626.15 = 383.85; reduction 2 x 286 -
//           383.85 = 188.15 -> 195.70 (line 81); limit 195.70 / 2 = 97.85:
//           97.85; premium nil at 20,000: 97.85. (Taken before the reduction
//           the credit would be 191.93 and the tax 3.77.)
// British Columbia (BC428: the credit before the BC tax reduction; rate
// 5.06 %, credits 12,580 x 5.06 % = 636.55):
//   50,000, paid 1,500  2,425.61 + 2,063 x 7.7 % = 158.85 -> 2,584.46 -
//           636.55 = 1,947.91; limit 1,947.91 / 5 = 389.58 < 471.15: credit
//           389.58 -> 1,558.33; no reduction above 39,703: 1,558.33.
//   30,000, paid 1,500  1,518.00 - 636.55 = 881.45; limit 881.45 / 3 =
//           293.82 < 785.25: credit 293.82 -> 587.63; reduction 547 - 3.56 %
//           x (30,000 - 24,338) = 345.43 -> 242.20. (After the reduction the
//           credit would be 178.67 and the tax 357.35.)
// Alberta (AB428: the credit after the tax less its credits; 10 %, credits
// 21,885 x 10 % = 2,188.50):
//   50,000, paid 1,500  5,000.00 - 2,188.50 = 2,811.50; limit 562.30 >
//           471.15: the tax left binds, credit 471.15 -> 2,340.35.
// Nova Scotia (NS428: the credit (line 59) before the low-income tax
// reduction; 8.79 %, basic amount 8,481 + the additional 3,000 below 25,000
// of taxable income):
//   20,000, paid 1,500  1,758.00 - 11,481 x 8.79 % = 1,009.18 -> 748.82;
//           limit 748.82 / 2 = 374.41 < 1,177.87: credit 374.41 -> 374.41;
//           reduction 300 - 5 % x (20,000 - 15,000) = 50 -> 324.41. (After
//           the reduction the credit would be 349.41 and the tax 349.41.)
// Prince Edward Island (PE428: the credit (line 89) after the low-income tax
// reduction (line 87); 9.65 %, basic amount 13,500):
//   25,000, paid 1,500  2,412.50 - 13,500 x 9.65 % = 1,302.75 -> 1,109.75;
//           reduction 350 - 5 % x (25,000 - 21,500) = 175 -> 934.75; limit
//           934.75 x 10,000 / 25,000 = 373.90 < 942.30: credit 373.90 ->
//           560.85. (Before the reduction the credit would be 443.90 and the
//           tax 490.85.)
#include <QtTest>
#include <memory>

#include "companion/forms/schedules/taxdata_sch3.h"
#include "companion/forms/slips/slips_investment.h"
#include "companion/forms/taxtypes.h"
#include "provincialformskit.h"

using namespace provincialformskit;

class TestProvincialForeignTax : public QObject, private ProvincialFamily
{
    Q_OBJECT

    // An investor with other income, and a T5 of 10,000 of foreign income
    // with the foreign tax withheld.
    void investor(int province, double otherIncome, double foreignTax)
    {
        startFamily(province);
        t1->line13000NotOnSlip.m_value = otherIncome;
        auto& t5 = static_cast<TaxData_Slip_T5&>(*person->NewSlipData(SLIP_T5, 0, 0)->data);
        t5.box15Foreign.m_value = 10000;
        t5.box16ForeignTax.m_value = foreignTax;
    }

private slots:
    void cleanup() { family.reset(); }

    void workedReturns_data()
    {
        QTest::addColumn<int>("province");
        QTest::addColumn<double>("otherIncome");
        QTest::addColumn<double>("foreignTax");
        QTest::addColumn<double>("federalCredit");
        QTest::addColumn<double>("provincialCredit");
        QTest::addColumn<double>("line42800");
        QTest::newRow("ON, the limit binds") << int(PROV_ON) << 40000.0 << 1500.0 << 1028.85 << 379.77 << 2119.08;
        QTest::newRow("ON, the tax left binds") << int(PROV_ON) << 40000.0 << 1100.0 << 1028.85 << 71.15 << 2427.70;
        QTest::newRow("ON, nothing left") << int(PROV_ON) << 40000.0 << 900.0 << 900.0 << 0.0 << 2498.85;
        QTest::newRow("ON, after the tax reduction") << int(PROV_ON) << 10000.0 << 1500.0 << 322.13 << 97.85 << 97.85;
        QTest::newRow("BC, the limit binds") << int(PROV_BC) << 40000.0 << 1500.0 << 1028.85 << 389.58 << 1558.33;
        QTest::newRow("BC, before the tax reduction") << int(PROV_BC) << 20000.0 << 1500.0 << 714.75 << 293.82
                                                      << 242.20;
        QTest::newRow("NS, before the low-income reduction") << int(PROV_NS) << 10000.0 << 1500.0 << 322.13 << 374.41
                                                             << 324.41;
        QTest::newRow("PE, after the low-income reduction") << int(PROV_PE) << 15000.0 << 1500.0 << 557.70 << 373.90
                                                            << 560.85;
        QTest::newRow("AB, the tax left binds") << int(PROV_AB) << 40000.0 << 1500.0 << 1028.85 << 471.15 << 2340.35;
    }
    void workedReturns()
    {
        QFETCH(int, province);
        QFETCH(double, otherIncome);
        QFETCH(double, foreignTax);
        QFETCH(double, federalCredit);
        QFETCH(double, provincialCredit);
        QFETCH(double, line42800);
        investor(province, otherIncome, foreignTax);
        for (int pass = 0; pass < 2; ++pass) {
            family->Calculate(0, nullptr);
            QCOMPARE(t1->line40500ForeignTaxCredit.m_value, federalCredit);
            QCOMPARE(t1->line42800ProvincialTax.m_value, line42800);
            // The credit has its line on the province's 428, whose 42800 is
            // the T1's.
            const CTaxData_Form* form = taxFormInTree(person, province);
            QVERIFY(form);
            QCOMPARE(amountOf(*form, "foreignTaxCredit"), provincialCredit);
            QCOMPARE(amountOf(*form, "provincialTax"), line42800);
            QVERIFY(!form->findField("foreignTaxCredit")->hasFlag(FieldHidden));
        }
        // Computed, so validation names nothing.
        QVERIFY2(leftOutMessages().isEmpty(), qPrintable(leftOutMessages().join(QLatin1Char('\n'))));
    }

    // Tax paid to two countries: the T2036 is worked country by country and
    // the results added. The investor of 50,000 again, with 34,000 of other
    // income, the T5's 10,000 (tax 1,500) and 6,000 from a second country
    // typed on a second T2209 (tax 700).
    //   Federal: first country as above, 1,028.85, left 471.15; second
    //   5,144.25 x 6,000 / 50,000 = 617.31 < 700: 617.31, left 82.69;
    //   line 40500 = 1,646.16.
    //   Ontario: first 1,898.85 / 5 = 379.77 < 471.15: 379.77; second
    //   1,898.85 x 6,000 / 50,000 = 227.86 > 82.69: 82.69; credit 462.46 ->
    //   1,436.39; premium 600: 2,036.39. (Both countries pooled would give
    //   the lesser of 553.84 and 607.63.)
    void countryByCountry()
    {
        investor(PROV_ON, 34000, 1500);
        family->Calculate(0, nullptr);
        STRUCT_FORMDATA_ITEM_2004* item = person->NewFormDataItem(FORM_T2209, person->GetNextUniqueID(), true, 0, true);
        QVERIFY(item && item->data);
        QVERIFY(item->data->findField("ForeignNonBusinessIncome")->setText(QStringLiteral("6000")));
        QVERIFY(item->data->findField("ForeignTaxPaid")->setText(QStringLiteral("700")));
        t1->line13000NotOnSlip.m_value = 40000;
        for (int pass = 0; pass < 2; ++pass) {
            family->Calculate(0, nullptr);
            QCOMPARE(t1->line40500ForeignTaxCredit.m_value, 1646.16);
            QCOMPARE(amountOf(*taxFormInTree(person, PROV_ON), "foreignTaxCredit"), 462.46);
            QCOMPARE(t1->line42800ProvincialTax.m_value, 2036.39);
        }
    }

    // Under the federal minimum tax the T2036 starts from the minimum tax
    // form's figures (and Manitoba gives no credit), and every 428 adds its
    // share of the federal minimum tax or takes its share of the carryover
    // (line 61540): none of this is worked out, so a return that pays
    // minimum tax gets no provincial foreign tax credit, and validation
    // names what is left out. From tst_federalreturns: a gain of 400,000
    // pays minimum tax; 100,000 does not, and with 1,000 of minimum tax of
    // earlier years it recovers them at 40427. With foreign tax of 3,000 on
    // the 10,000 of foreign income the federal credit is at most 10,000 /
    // 210,000 of a basic federal tax near 43,000 (about 2,050), so tax is
    // left; with none there is nothing left to credit.
    void minimumTaxIsNamed_data()
    {
        QTest::addColumn<double>("gain");
        QTest::addColumn<double>("carryForward");
        QTest::addColumn<double>("foreignTax");
        QTest::addColumn<QStringList>("named");
        const QString additional = QStringLiteral("additional tax for minimum tax purposes");
        const QString credit = QStringLiteral("foreign tax credit (Form T2036) when the minimum tax applies");
        const QString carryover = QStringLiteral("minimum tax carryover (line 40427)");
        QTest::newRow("pays minimum tax, foreign tax left") << 400000.0 << 0.0 << 3000.0
                                                            << QStringList{additional, credit};
        QTest::newRow("pays minimum tax") << 400000.0 << 0.0 << 0.0 << QStringList{additional};
        QTest::newRow("recovers a carryover") << 100000.0 << 1000.0 << 0.0 << QStringList{carryover};
        QTest::newRow("neither") << 100000.0 << 0.0 << 0.0 << QStringList{};
    }
    void minimumTaxIsNamed()
    {
        QFETCH(double, gain);
        QFETCH(double, carryForward);
        QFETCH(double, foreignTax);
        QFETCH(QStringList, named);
        investor(PROV_ON, 0, foreignTax);
        t1->MinimumTaxCarryForward.m_value = carryForward;
        qobject_cast<TaxData_Sch3*>(person->GetFormData(FORM_SCH3, true))->line13800RealEstateGain.m_value = gain;
        family->Calculate(0, nullptr);
        family->Calculate(0, nullptr);
        if (foreignTax > 0.0)
            QVERIFY(t1->line40500ForeignTaxCredit.m_value < foreignTax);
        const CTaxData_Form* form = taxFormInTree(person, PROV_ON);
        QVERIFY(form);
        QCOMPARE(amountOf(*form, "foreignTaxCredit"), 0.0);
        const QStringList messages = leftOutMessages();
        QCOMPARE(messages.size(), named.size());
        for (const QString& what : named)
            QVERIFY2(messages.filter(QStringLiteral("the provincial ") + what + QStringLiteral(", for which")).size()
                         == 1,
                     qPrintable(messages.join(QLatin1Char('\n'))));
    }
};

QTEST_GUILESS_MAIN(TestProvincialForeignTax)
#include "tst_provincialforeigntax.moc"
