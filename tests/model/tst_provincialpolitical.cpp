// The provincial and territorial political contribution tax credits, from
// the contributions the province's interview data holds: off the 428's tax
// (line 42800), or, in Ontario and Nunavut, refundable on the 479 (line
// 47900). Worked by hand from each 2024 form, entered as a user enters it
// and run through the family's calculation with the shipped plug-ins.
//
// The return: single, 40, 60,000 of other income (line 13000), nothing but
// the basic personal amount claimed. Each 428 before the credit:
//   AB  6,000.00 less 21,885 x 10 % = 2,188.50: 3,811.50.
//   BC  47,937 x 5.06 % = 2,425.61 + 12,063 x 7.7 % = 928.85 -> 3,354.46
//       less 12,580 x 5.06 % = 636.55: 2,717.91 (no BC reduction).
//   MB  47,000 x 10.8 % = 5,076.00 + 13,000 x 12.75 % = 1,657.50 less
//       15,780 x 10.8 % = 1,704.24: 5,029.26.
//   NB  49,958 x 9.4 % = 4,696.05 + 10,042 x 14 % = 1,405.88 less 13,044 x
//       9.4 % = 1,226.14: 4,875.79.
//   NL  43,198 x 8.7 % = 3,758.23 + 16,802 x 14.5 % = 2,436.29 less 10,818
//       x 8.7 % = 941.17: 5,253.35.
//   NS  2,600.96 + 29,590 x 14.95 % = 4,423.71 + 820 x 16.67 % = 136.69 ->
//       7,161.36 less (8,481 + 3,000 - 6 % x 35,000 = 9,381) x 8.79 % =
//       824.59: 6,336.77.
//   NT  50,597 x 5.9 % = 2,985.22 + 9,403 x 8.6 % = 808.66 less 17,373 x
//       5.9 % = 1,025.01: 2,768.87.
//   NU  53,268 x 4 % = 2,130.72 + 6,732 x 7 % = 471.24 less 18,767 x 4 % =
//       750.68: 1,851.28.
//   ON  51,446 x 5.05 % = 2,598.02 + 8,554 x 9.15 % = 782.69 less 12,399 x
//       5.05 % = 626.15 -> 2,754.56; health premium 600: 3,354.56.
//   PE  32,656 x 9.65 % = 3,151.30 + 27,344 x 13.63 % = 3,726.99 less
//       13,500 x 9.65 % = 1,302.75: 5,575.54.
//   SK  52,057 x 10.5 % = 5,465.99 + 7,943 x 12.5 % = 992.88 less 18,491 x
//       10.5 % = 1,941.56: 4,517.31.
//   YT  3,575.49 + 4,133 x 9 % = 371.97 less 15,705 x 6.4 % = 1,005.12:
//       2,942.34.
// The credit on 500 of contributions (75 % / 50 % / 33 1/3 % bands; NT and
// NU 100 % / 50 %; NS 75 %):
//   AB 200 x 75 % + 300 x 50 % = 300; BC 100 x 75 % + 400 x 50 % = 275;
//   MB 400 x 75 % + 100 x 50 % = 350; NB 300; NL 275; NS 375; NT 100 + 400
//   x 50 % = 300; NU 300 (refundable, at most the territorial tax the cost
//   of living credit leaves: 1,851.28 - 1,200 = 651.28; line 47900 also
//   holds that credit, 2 % x 60,000 = 1,200: 1,500); ON 487 x 75 % =
//   365.25 + 13 x 50 % = 6.50: 371.75 (refundable); PE 275; SK 350; YT 350.
// At the maximum: AB 5,000 gives 1,000; NS 2,000 gives 750; NT 2,000 gives
// 500; ON 5,000 gives 1,622. The Northwest Territories' line 47900 holds
// its cost of living credit: 312 + 1.25 % x 36,000 = 450 + 1 % x 12,000 =
// 120: 882.00.
#include <QtTest>

#include "companion/forms/taxtypes.h"
#include "provincialformskit.h"

using namespace provincialformskit;

class TestProvincialPolitical : public QObject, private ProvincialFamily
{
    Q_OBJECT

private slots:
    void cleanup() { family.reset(); }

    void politicalContributionCredit_data()
    {
        QTest::addColumn<int>("province");
        QTest::addColumn<double>("contributions");
        QTest::addColumn<double>("credit");
        QTest::addColumn<double>("line42800");
        QTest::addColumn<double>("line47900");
        QTest::newRow("AB") << int(PROV_AB) << 500.0 << 300.0 << 3511.50 << 0.0;
        QTest::newRow("AB maximum") << int(PROV_AB) << 5000.0 << 1000.0 << 2811.50 << 0.0;
        QTest::newRow("BC") << int(PROV_BC) << 500.0 << 275.0 << 2442.91 << 0.0;
        QTest::newRow("MB") << int(PROV_MB) << 500.0 << 350.0 << 4679.26 << 0.0;
        QTest::newRow("NB") << int(PROV_NB) << 500.0 << 300.0 << 4575.79 << 0.0;
        QTest::newRow("NL") << int(PROV_NL) << 500.0 << 275.0 << 4978.35 << 0.0;
        QTest::newRow("NS") << int(PROV_NS) << 500.0 << 375.0 << 5961.77 << 0.0;
        QTest::newRow("NS maximum") << int(PROV_NS) << 2000.0 << 750.0 << 5586.77 << 0.0;
        QTest::newRow("NT") << int(PROV_NT) << 500.0 << 300.0 << 2468.87 << 882.0;
        QTest::newRow("NT maximum") << int(PROV_NT) << 2000.0 << 500.0 << 2268.87 << 882.0;
        QTest::newRow("NU refundable") << int(PROV_NU) << 500.0 << 300.0 << 1851.28 << 1500.0;
        QTest::newRow("ON refundable") << int(PROV_ON) << 500.0 << 371.75 << 3354.56 << 371.75;
        QTest::newRow("ON maximum") << int(PROV_ON) << 5000.0 << 1622.0 << 3354.56 << 1622.0;
        QTest::newRow("PE") << int(PROV_PE) << 500.0 << 275.0 << 5300.54 << 0.0;
        QTest::newRow("SK") << int(PROV_SK) << 500.0 << 350.0 << 4167.31 << 0.0;
        QTest::newRow("YT") << int(PROV_YT) << 500.0 << 350.0 << 2592.34 << 0.0;
    }
    void politicalContributionCredit()
    {
        QFETCH(int, province);
        QFETCH(double, contributions);
        QFETCH(double, credit);
        QFETCH(double, line42800);
        QFETCH(double, line47900);
        startFamily(province);
        t1->line13000NotOnSlip.m_value = 60000;
        CTaxData_Form* interview = person->GetWizData(TAXWIZARD_PROVINCIAL, true);
        QVERIFY(interview);
        CFloatField* given = amountField(*interview, QStringLiteral("politicalContributions"));
        QVERIFY(given);
        given->m_value = contributions;
        family->Calculate(0, nullptr);
        QCOMPARE(t1->line42800ProvincialTax.m_value, line42800);
        QCOMPARE(t1->line47900ProvincialCredits.m_value, line47900);
        // The credit shows on the form that claims it, and only there.
        const bool refundable = province == PROV_ON || province == PROV_NU;
        const CTaxData_Form* taxForm = taxFormInTree(person, province);
        QVERIFY(taxForm);
        QCOMPARE(amountOf(*taxForm, QStringLiteral("politicalCredit")), refundable ? 0.0 : credit);
        QCOMPARE(taxForm->findField(QStringLiteral("politicalCredit"))->isHidden(), refundable);
        if (refundable) {
            const CTaxData_Form* credits = person->GetFormData(provincialFormOf(province, "479"), true);
            QVERIFY(credits);
            QCOMPARE(amountOf(*credits, QStringLiteral("political")), credit);
        }
    }
};

QTEST_GUILESS_MAIN(TestProvincialPolitical)
#include "tst_provincialpolitical.moc"
