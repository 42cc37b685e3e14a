// The dividend tax credit on other than eligible dividends in every
// jurisdiction: one return, worked by hand on each 2024 form 428, entered
// as a user enters it and run through the family's calculation with the
// shipped provincial plug-ins.
//
// The return: single, 40 at the end of the year, 40,004 of other income
// (line 13000) and a T5 of 8,000 of dividends other than eligible (box 10;
// taxable amount in box 11, 8,000 x 1.15 = 9,200). Net and taxable income
// 49,204. Nothing but the basic personal amount is claimed, and at this
// income no province's low-income reduction, tax reduction or family
// benefit is left.
//
// Each 428: tax on 49,204 less the basic personal amount at the lowest rate
// less 9,200 at the province's dividend rate (line 61520):
//   AB  49,204 x 10 % = 4,920.40; 21,885 x 10 % = 2,188.50; 9,200 x 2.18 % =
//       200.56 -> 2,531.34.
//   BC  47,937 x 5.06 % = 2,425.61 + 1,267 x 7.7 % = 97.56 -> 2,523.17;
//       12,580 x 5.06 % = 636.55; 9,200 x 1.96 % = 180.32 -> 1,706.30.
//   MB  47,000 x 10.8 % = 5,076.00 + 2,204 x 12.75 % = 281.01 -> 5,357.01;
//       15,780 x 10.8 % = 1,704.24; 9,200 x 0.7835 % = 72.08 -> 3,580.69.
//   NB  49,204 x 9.4 % = 4,625.18; 13,044 x 9.4 % = 1,226.14; 9,200 x
//       2.75 % = 253.00 -> 3,146.04.
//   NL  43,198 x 8.7 % = 3,758.23 + 6,006 x 14.5 % = 870.87 -> 4,629.10;
//       10,818 x 8.7 % = 941.17; 9,200 x 3.2 % = 294.40 -> 3,393.53.
//   NS  29,590 x 8.79 % = 2,600.96 + 19,614 x 14.95 % = 2,932.29 ->
//       5,533.25; basic 8,481 + the additional 3,000 less 6 % x 24,204 =
//       1,452.24, 1,547.76 -> 10,028.76 x 8.79 % = 881.53; 9,200 x 2.99 % =
//       275.08 -> 4,376.64.
//   NT  49,204 x 5.9 % = 2,903.04; 17,373 x 5.9 % = 1,025.01; 9,200 x 6 % =
//       552.00 -> 1,326.03.
//   NU  49,204 x 4 % = 1,968.16; 18,767 x 4 % = 750.68; 9,200 x 2.61 % =
//       240.12 -> 977.36.
//   ON  49,204 x 5.05 % = 2,484.80; 12,399 x 5.05 % = 626.15; 9,200 x
//       2.9863 % = 274.74 -> 1,583.91; no surtax, the tax reduction (572)
//       is used up, no LIFT credit without employment income; health
//       premium 600 (48,600 to 72,000) -> 2,183.91.
//   PE  32,656 x 9.65 % = 3,151.30 + 16,548 x 13.63 % = 2,255.49 ->
//       5,406.79; 13,500 x 9.65 % = 1,302.75; 9,200 x 1.3 % = 119.60 ->
//       3,984.44.
//   SK  49,204 x 10.5 % = 5,166.42; 18,491 x 10.5 % = 1,941.56; 9,200 x
//       2.519 % = 231.75 -> 2,993.11.
//   YT  49,204 x 6.4 % = 3,149.06; the federal basic amount 15,705 x 6.4 % =
//       1,005.12; 9,200 x 0.67 % = 61.64 -> 2,082.30.
//   QC  no provincial tax on the federal return.
#include <QtTest>

#include "companion/forms/slips/slips_investment.h"
#include "companion/forms/taxtypes.h"
#include "provincialformskit.h"

using namespace provincialformskit;

class TestProvincialDividends : public QObject, private ProvincialFamily
{
    Q_OBJECT

private slots:
    void cleanup() { family.reset(); }

    void otherThanEligibleDividends_data()
    {
        QTest::addColumn<int>("province");
        QTest::addColumn<double>("dividendCredit");
        QTest::addColumn<double>("line42800");
        QTest::newRow("AB") << int(PROV_AB) << 200.56 << 2531.34;
        QTest::newRow("BC") << int(PROV_BC) << 180.32 << 1706.30;
        QTest::newRow("MB") << int(PROV_MB) << 72.08 << 3580.69;
        QTest::newRow("NB") << int(PROV_NB) << 253.00 << 3146.04;
        QTest::newRow("NL") << int(PROV_NL) << 294.40 << 3393.53;
        QTest::newRow("NS") << int(PROV_NS) << 275.08 << 4376.64;
        QTest::newRow("NT") << int(PROV_NT) << 552.00 << 1326.03;
        QTest::newRow("NU") << int(PROV_NU) << 240.12 << 977.36;
        QTest::newRow("ON") << int(PROV_ON) << 274.74 << 2183.91;
        QTest::newRow("PE") << int(PROV_PE) << 119.60 << 3984.44;
        QTest::newRow("SK") << int(PROV_SK) << 231.75 << 2993.11;
        QTest::newRow("YT") << int(PROV_YT) << 61.64 << 2082.30;
        QTest::newRow("QC") << int(PROV_QC) << -1.0 << 0.0;
    }
    void otherThanEligibleDividends()
    {
        QFETCH(int, province);
        QFETCH(double, dividendCredit);
        QFETCH(double, line42800);
        startFamily(province);
        t1->line13000NotOnSlip.m_value = 40004;
        auto& t5 = static_cast<TaxData_Slip_T5&>(*person->NewSlipData(SLIP_T5, 0, 0)->data);
        t5.box10ActualOther.m_value = 8000;
        t5.box11TaxableOther.m_value = 9200;
        family->Calculate(0, nullptr);
        QCOMPARE(t1->line12010OtherThanEligibleDividends.m_value, 9200.0);
        QCOMPARE(t1->line42800ProvincialTax.m_value, line42800);
        const CTaxData_Form* form = taxFormInTree(person, province);
        if (dividendCredit < 0) {
            QVERIFY(!form);
            return;
        }
        QVERIFY(form);
        QCOMPARE(amountOf(*form, QStringLiteral("dividendCredit")), dividendCredit);
        // The credit is worked out, so validation no longer names it.
        const QStringList named = leftOutMessages().filter(QStringLiteral("dividend"));
        QVERIFY2(named.isEmpty(), qPrintable(named.join(QLatin1Char('\n'))));
    }
};

QTEST_GUILESS_MAIN(TestProvincialDividends)
#include "tst_provincialdividends.moc"
