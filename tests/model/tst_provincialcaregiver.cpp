// Amounts a claimant takes for the dependants of the family's table on the
// province's 428 (a child's disability amount with its supplement, adoption
// expenses, the caregiver amount for an infirm dependant 18 or older), and
// the 428 line each province's own form puts the caregiver amount on. Whole
// returns worked by hand from each province's 2024 form, entered as a user
// enters them and run through the family's calculation with the shipped
// provincial plug-ins.
//
// British Columbia's figures are those of gov.bc.ca, "2024 Basic personal
// income tax credits": basic personal amount 12,580, disability amount
// 9,435 and for a child under 18 a further 5,505, adoption expenses up to
// 19,066 a child, the B.C. caregiver amount 5,505 less the dependant's net
// income above 18,629; its list has no amount for infirm children under 18.
// BC428 2024: 5.06 % to 47,937 (2,425.61 on the whole band), 7.7 % to
// 95,875; the BC tax reduction is nil above 39,703 of net income.
//
// Yukon's YT428 copies the return's Canada caregiver amounts (lines 30425,
// 30450 and 30500 on its lines 58170, 58180 and 58189) and adoption
// expenses (31300 on 58330) as it does its basic personal amount (15,705 at
// these incomes); 6.4 % to 55,867, 9 % above: on 60,000, 3,575.49 + 4,133 x
// 9 % = 371.97 -> 3,947.46. The federal amounts (rcgt.com, 2024): 8,375
// less the dependant's net income above 19,666; 2,616 for an infirm child
// or added to the spouse amount.
#include <QtTest>
#include <memory>
#include <utility>

#include "companion/forms/dependantinfostruct.h"
#include "companion/forms/schedules/taxdata_sch5.h"
#include "companion/forms/fields.h"
#include "companion/forms/taxtypes.h"
#include "provincialformskit.h"

using namespace provincialformskit;

class TestProvincialCaregiver : public QObject, private ProvincialFamily
{
    Q_OBJECT
    int m_province = 0;

    void start(int province, double otherIncome, int marital = kSingle)
    {
        m_province = province;
        startFamily(province, marital);
        t1->line13000NotOnSlip.m_value = otherIncome;
    }

private slots:
    void cleanup() { family.reset(); }

    // A child's disability amount transferred (BC428 line 58480): the
    // amount with the under-18 supplement, less what the child's own
    // taxable income needs above the basic personal amount. 80,000 of other
    // income: 2,425.61 + (80,000 - 47,937) x 7.7 % = 2,468.85 -> 4,894.46.
    //   child born 2015, no income: 9,435 + 5,505 = 14,940, all of it.
    //     4,894.46 less (12,580 + 14,940) x 5.06 % = 1,392.51: 3,501.95.
    //   child born 2010 with 15,000: it needs 15,000 - 12,580 = 2,420 of
    //     the amount, so 14,940 - 2,420 = 12,520 passes (federally the child
    //     is below 15,705 and the whole federal amount passes).
    //     4,894.46 less (12,580 + 12,520) x 5.06 % = 1,270.06: 3,624.40.
    // The child is infirm, so the return claims the federal line 30500 too;
    // B.C. has no counterpart, and nothing is left out.
    // Adoption expenses (BC428 line 58330), 60,000 of other income:
    // 2,425.61 + 12,063 x 7.7 % = 928.85 -> 3,354.46.
    //   20,000 for one child: 19,066. 3,354.46 less (12,580 + 19,066) x
    //     5.06 % = 1,601.29: 1,753.17.
    //   20,000 and 5,000 for two: 19,066 + 5,000 = 24,066. 3,354.46 less
    //     (12,580 + 24,066) x 5.06 % = 1,854.29: 1,500.17.
    void britishColumbiaDependants_data()
    {
        QTest::addColumn<double>("otherIncome");
        QTest::addColumn<int>("childBorn");
        QTest::addColumn<double>("childIncome");
        QTest::addColumn<double>("adoption1");
        QTest::addColumn<double>("adoption2");
        QTest::addColumn<QString>("field");
        QTest::addColumn<double>("amount");
        QTest::addColumn<double>("line42800");
        QTest::newRow("child, no income") << 80000.0 << 2015 << 0.0 << 0.0 << 0.0 << "disabilityTransferred"
                                          << 14940.0 << 3501.95;
        QTest::newRow("child with 15,000") << 80000.0 << 2010 << 15000.0 << 0.0 << 0.0 << "disabilityTransferred"
                                           << 12520.0 << 3624.40;
        QTest::newRow("adoption, one child") << 60000.0 << 0 << 0.0 << 20000.0 << 0.0 << "adoption" << 19066.0
                                             << 1753.17;
        QTest::newRow("adoption, two children") << 60000.0 << 0 << 0.0 << 20000.0 << 5000.0 << "adoption"
                                                << 24066.0 << 1500.17;
    }
    void britishColumbiaDependants()
    {
        QFETCH(double, otherIncome);
        QFETCH(int, childBorn);
        QFETCH(double, childIncome);
        QFETCH(double, adoption1);
        QFETCH(double, adoption2);
        QFETCH(QString, field);
        QFETCH(double, amount);
        QFETCH(double, line42800);
        start(PROV_BC, otherIncome);
        if (childBorn)
            dependant(DEP_REL_CHILD, childBorn, childIncome, DependantInfo::kInfirmWithDisabilityAmount);
        t1->line31300Adoption1.m_value = adoption1;
        t1->line31300Adoption2.m_value = adoption2;
        family->Calculate(0, nullptr);
        if (childBorn) {
            QVERIFY(t1->line31800DisabilityTransferred.m_value > 0);
            QVERIFY(t1->line30500CaregiverChildren.m_value > 0);
        }
        QCOMPARE(t1->line42800ProvincialTax.m_value, line42800);
        const CTaxData_Form* form = taxFormInTree(person, m_province);
        QVERIFY(form);
        QCOMPARE(amountOf(*form, field), amount);
        QCOMPARE(amountOf(*form, QStringLiteral("provincialTax")), line42800);
        const QStringList messages = leftOutMessages();
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join(QLatin1Char('\n'))));
    }

    // The caregiver amount for an infirm parent (born 1950, no disability
    // amount) with 21,000 of net income, on the line of the province's own
    // 428, 60,000 of other income:
    //   ON428 line 58185: 5,844 less (21,000 - 19,994) = 4,838 (42800
    //     3,110.24, worked in tst_provincialreturns).
    //   BC428 line 58175: 5,505 less (21,000 - 18,629) = 3,134 (42800
    //     2,559.33, the same).
    //   YT428 line 58180: the federal line 30450, 8,375 less (21,000 -
    //     19,666) = 7,041. 3,947.46 less (15,705 + 7,041) x 6.4 % =
    //     1,455.74: 2,491.72.
    //   MB428: the form has lines 58200 and 58400 for it, whose 2024
    //     figures are not in the tables: neither line shows an amount, the
    //     return's tax leaves it out (47,000 x 10.8 % = 5,076.00 + 13,000 x
    //     12.75 % = 1,657.50 -> 6,733.50 less 15,780 x 10.8 % = 1,704.24:
    //     5,029.26; no family tax benefit at 60,000) and Validate Return
    //     names it.
    void caregiverOnTheProvincesLine_data()
    {
        QTest::addColumn<int>("province");
        QTest::addColumn<QString>("shownField");
        QTest::addColumn<QString>("line");
        QTest::addColumn<double>("amount");
        QTest::addColumn<double>("line42800");
        QTest::newRow("ON") << int(PROV_ON) << "caregiver" << "58185" << 4838.0 << 3110.24;
        QTest::newRow("BC") << int(PROV_BC) << "bcCaregiver" << "58175" << 3134.0 << 2559.33;
        QTest::newRow("YT") << int(PROV_YT) << "ytCaregiverOther" << "58180" << 7041.0 << 2491.72;
        QTest::newRow("MB") << int(PROV_MB) << "" << "" << 0.0 << 5029.26;
    }
    void caregiverOnTheProvincesLine()
    {
        QFETCH(int, province);
        QFETCH(QString, shownField);
        QFETCH(QString, line);
        QFETCH(double, amount);
        QFETCH(double, line42800);
        start(province, 60000);
        dependant(DEP_REL_PARENT, 1950, 21000, 1);
        family->Calculate(0, nullptr);
        QVERIFY(t1->line30450CaregiverOther.m_value > 0);
        QCOMPARE(t1->line42800ProvincialTax.m_value, line42800);
        const CTaxData_Form* form = taxFormInTree(person, m_province);
        QVERIFY(form);
        // Every caregiver line of the 428: those of the province's own form
        // are shown, the one for this dependant with the amount; the others
        // are hidden and nil.
        const std::pair<const char*, int> lines[] = {
            {"caregiver", PROV_ON},          {"bcCaregiver", PROV_BC},     {"ytCaregiverSpouse", PROV_YT},
            {"ytCaregiverOther", PROV_YT}, {"ytCaregiverChildren", PROV_YT}};
        for (const auto& [name, lineProvince] : lines) {
            const CField* field = form->findField(name);
            QVERIFY2(field, name);
            QCOMPARE(field->isHidden(), lineProvince != province);
            const bool own = QLatin1String(name) == shownField;
            QCOMPARE(amountOf(*form, QString::fromLatin1(name)), own ? amount : 0.0);
            if (own)
                QCOMPARE(field->lineNumber(), line);
        }
        // Both of the province's lines are named: the table cannot tell
        // which applies.
        const QStringList named = leftOutMessages().filter(
            QStringLiteral("amount for infirm dependants 18 or older (line 58200, or the caregiver amount of "
                           "line 58400 for one who lived with you; line 30450 of the return)"));
        QCOMPARE(named.size(), shownField.isEmpty() ? 1 : 0);
    }

    // The forms with two lines for an infirm parent (born 1950, no
    // disability amount): the amount for infirm dependants (line 58200),
    // or, when the province's interview data says the dependant lived with
    // the claimant, the caregiver amount (line 58400) instead; 60,000 of
    // other income.
    //   AB428, the parent's net income 10,000: 58200 12,669 less (10,000 -
    //     8,369) = 11,038; 6,000.00 less (21,885 + 11,038) x 10 % = 3,292.30:
    //     2,707.70. 58400 12,669 (under 20,143): 6,000.00 less (21,885 +
    //     12,669) x 10 % = 3,455.40: 2,544.60.
    //   NB428, 10,000: 49,958 x 9.4 % = 4,696.05 + 10,042 x 14 % = 1,405.88
    //     -> 6,101.93. 58200 5,686 less (10,000 - 8,067) = 3,753: less
    //     (13,044 + 3,753) x 9.4 % = 1,578.92: 4,523.01. 58400 5,686 (under
    //     19,417): less (13,044 + 5,686) x 9.4 % = 1,760.62: 4,341.31. No
    //     low-income reduction at 60,000.
    //   NS428, 7,000: 2,600.96 + 4,423.71 + 820 x 16.67 % = 136.69 ->
    //     7,161.36; basic 8,481 + 3,000 - 6 % x 35,000 = 9,381. 58200 2,798
    //     less (7,000 - 5,683) = 1,481: less (9,381 + 1,481) x 8.79 % =
    //     954.77: 6,206.59. 58400 4,898 (under 13,677): less (9,381 + 4,898)
    //     x 8.79 % = 1,255.12: 5,906.24.
    void infirmDependantLines_data()
    {
        QTest::addColumn<int>("province");
        QTest::addColumn<double>("parentIncome");
        QTest::addColumn<bool>("livedWith");
        QTest::addColumn<double>("line58200");
        QTest::addColumn<double>("line58400");
        QTest::addColumn<double>("line42800");
        QTest::newRow("AB 58200") << int(PROV_AB) << 10000.0 << false << 11038.0 << 0.0 << 2707.70;
        QTest::newRow("AB 58400") << int(PROV_AB) << 10000.0 << true << 0.0 << 12669.0 << 2544.60;
        QTest::newRow("NB 58200") << int(PROV_NB) << 10000.0 << false << 3753.0 << 0.0 << 4523.01;
        QTest::newRow("NB 58400") << int(PROV_NB) << 10000.0 << true << 0.0 << 5686.0 << 4341.31;
        QTest::newRow("NS 58200") << int(PROV_NS) << 7000.0 << false << 1481.0 << 0.0 << 6206.59;
        QTest::newRow("NS 58400") << int(PROV_NS) << 7000.0 << true << 0.0 << 4898.0 << 5906.24;
    }
    void infirmDependantLines()
    {
        QFETCH(int, province);
        QFETCH(double, parentIncome);
        QFETCH(bool, livedWith);
        QFETCH(double, line58200);
        QFETCH(double, line58400);
        QFETCH(double, line42800);
        start(province, 60000);
        dependant(DEP_REL_PARENT, 1950, parentIncome, 1);
        CTaxData_Form* interview = person->GetWizData(TAXWIZARD_PROVINCIAL, true);
        QVERIFY(interview);
        auto* answer = dynamic_cast<CIntField*>(interview->findField(QStringLiteral("infirmDependantsLivedWithYou")));
        QVERIFY(answer);
        answer->m_value = livedWith ? 1 : 0;
        family->Calculate(0, nullptr);
        QVERIFY(t1->line30450CaregiverOther.m_value > 0);
        QCOMPARE(t1->line42800ProvincialTax.m_value, line42800);
        const CTaxData_Form* form = taxFormInTree(person, m_province);
        QVERIFY(form);
        QCOMPARE(amountOf(*form, QStringLiteral("infirmDependants")), line58200);
        QCOMPARE(amountOf(*form, QStringLiteral("inHomeCaregiver")), line58400);
        QVERIFY(!form->findField(QStringLiteral("infirmDependants"))->isHidden());
        QVERIFY(!form->findField(QStringLiteral("inHomeCaregiver"))->isHidden());
        QVERIFY(form->findField(QStringLiteral("caregiver"))->isHidden());
        const QStringList messages = leftOutMessages();
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join(QLatin1Char('\n'))));
    }

    // An infirm child under 18 (born 2015, no disability amount) gives the
    // federal line 30500; Alberta's, Manitoba's and Saskatchewan's forms
    // have no counterpart, so nothing is left out there, while the
    // Northwest Territories' table has no answer and Validate Return names it.
    void infirmChildOnlyWhereAFormHasIt_data()
    {
        QTest::addColumn<int>("province");
        QTest::addColumn<int>("named");
        QTest::newRow("AB") << int(PROV_AB) << 0;
        QTest::newRow("MB") << int(PROV_MB) << 0;
        QTest::newRow("SK") << int(PROV_SK) << 0;
        QTest::newRow("NT") << int(PROV_NT) << 1;
    }
    void infirmChildOnlyWhereAFormHasIt()
    {
        QFETCH(int, province);
        QFETCH(int, named);
        start(province, 60000);
        dependant(DEP_REL_CHILD, 2015, 0, 1);
        family->Calculate(0, nullptr);
        QVERIFY(t1->line30500CaregiverChildren.m_value > 0);
        QCOMPARE(int(leftOutMessages().filter(QStringLiteral("line 30500")).size()), named);
    }

    // Yukon's other copies, 60,000 of other income:
    //   infirm child born 2015 (no disability amount): line 30500 = 2,616
    //     on 58189. 3,947.46 less (15,705 + 2,616) x 6.4 % = 1,172.54:
    //     2,774.92.
    //   infirm spouse with 10,000 of net income, the spouse amount claimed:
    //     30300 = 15,705 + 2,616 - 10,000 = 8,321; 30425 = the lesser of
    //     8,375 and 28,041 - 10,000, less 8,321 = 54, on 58170. 3,947.46
    //     less (15,705 + 8,321 + 54) x 6.4 % = 1,541.12: 2,406.34.
    //   adoption expenses of 15,000 for one child (under the federal 19,066):
    //     31300 = 15,000 on 58330. 3,947.46 less (15,705 + 15,000) x 6.4 % =
    //     1,965.12: 1,982.34.
    // Nothing is left out (each was named before Yukon's copies).
    void yukonCopiesTheFederalLines_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("field");
        QTest::addColumn<double>("copied");
        QTest::addColumn<double>("line42800");
        QTest::newRow("infirm child") << "child" << "ytCaregiverChildren" << 2616.0 << 2774.92;
        QTest::newRow("infirm spouse") << "spouse" << "ytCaregiverSpouse" << 54.0 << 2406.34;
        QTest::newRow("adoption") << "adoption" << "adoption" << 15000.0 << 1982.34;
    }
    void yukonCopiesTheFederalLines()
    {
        QFETCH(QString, what);
        QFETCH(QString, field);
        QFETCH(double, copied);
        QFETCH(double, line42800);
        start(PROV_YT, 60000, what == QLatin1String("spouse") ? kMarried : kSingle);
        if (what == QLatin1String("spouse")) {
            t1->SpouseNetIncome.m_value = 10000;
            auto& sch5 = static_cast<TaxData_Sch5&>(*person->GetFormData(FORM_SCH5, true));
            sch5.ClaimSpouseAmount.m_value = 1;
            sch5.SpouseInfirm.m_value = 1;
        } else if (what == QLatin1String("child")) {
            dependant(DEP_REL_CHILD, 2015, 0, 1);
        } else {
            t1->line31300Adoption1.m_value = 15000;
        }
        family->Calculate(0, nullptr);
        QCOMPARE(t1->line30425CaregiverSpouse.m_value + t1->line30500CaregiverChildren.m_value
                     + t1->line31300AdoptionExpenses.m_value,
                 copied);
        QCOMPARE(t1->line42800ProvincialTax.m_value, line42800);
        const CTaxData_Form* form = taxFormInTree(person, m_province);
        QVERIFY(form);
        QCOMPARE(amountOf(*form, field), copied);
        QVERIFY(!form->findField(field)->isHidden());
        const QStringList messages = leftOutMessages();
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join(QLatin1Char('\n'))));
    }
};

QTEST_GUILESS_MAIN(TestProvincialCaregiver)
#include "tst_provincialcaregiver.moc"
