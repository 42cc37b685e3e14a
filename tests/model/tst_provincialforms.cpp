// The provincial forms in the return tree, made by each province's shipped
// plug-in: the tax form (the 428) of every jurisdiction but Quebec, the
// credits form (the 479) and the provincial Schedule 2, each showing the
// figures its calculation worked out. The returns are those of
// tst_provincialreturns, whose 42800 figures are worked there from each
// province's 2024 form; the lines before 42800 are worked here.
#include <QtTest>
#include <memory>

#include "companion/forms/federal/credits.h"
#include "companion/forms/fields.h"
#include "companion/forms/schedules/taxdata_sch5.h"
#include "companion/forms/slips/slips_employment.h"
#include "companion/forms/taxtypes.h"
#include "provincialformskit.h"

using namespace modelfixture;
using namespace provincialformskit;

class TestProvincialForms : public QObject, private ProvincialFamily
{
    Q_OBJECT
    // The worker of tst_provincialreturns: a T4 of 45,000 with CPP 2,469.25
    // and EI 747.00 as due (base CPP 2,054.25, enhanced 415.00 deducted, net
    // and taxable income 44,585).
    void worker(int province)
    {
        startFamily(province);
        auto& t4 = static_cast<TaxData_Slip_T4&>(*person->NewSlipData(SLIP_T4, 0, 0)->data);
        t4.Province.m_value = province;
        t4.box14EmploymentIncome.m_value = 45000;
        t4.box16CppContributions.m_value = 2469.25;
        t4.box18EiPremiums.m_value = 747.00;
        t4.box24EiInsurableEarnings.m_value = 45000;
        t4.box26PensionableEarnings.m_value = 45000;
    }

private slots:
    void cleanup() { family.reset(); }

    // Every jurisdiction's worker return holds its tax form once
    // calculated, and the form's line 42800 is the T1's (never nil for the
    // worker: every province taxes 44,585). Quebec's return holds none.
    void everyJurisdictionHoldsItsTaxForm_data()
    {
        rowPerJurisdiction();
    }
    void everyJurisdictionHoldsItsTaxForm()
    {
        QFETCH(int, province);
        worker(province);
        family->Calculate(0, nullptr);
        const ENUMTYPE_FORM type = taxFormOf(province);
        if (province == PROV_QC) {
            QCOMPARE(type, 0);
            for (int other = 1; other < PROVINCE_COUNT; ++other)
                QVERIFY(!taxFormInTree(person, other));
            return;
        }
        QVERIFY(QString::fromUtf8(getFormCode(type)).startsWith(QString::fromUtf8(getProvCode(province))));
        const CTaxData_Form* form = formInTree(person, type);
        QVERIFY2(form, getFormName(type));
        QVERIFY(t1->line42800ProvincialTax.m_value > 0.0);
        QCOMPARE(amountOf(*form, "provincialTax"), t1->line42800ProvincialTax.m_value);
        QVERIFY(form->findField("provincialTax")->isReadOnly());
        QCOMPARE(form->findField("provincialTax")->lineNumber(), QStringLiteral("42800"));
        // A second calculation shows the same figure.
        family->Calculate(0, nullptr);
        QCOMPARE(amountOf(*form, "provincialTax"), t1->line42800ProvincialTax.m_value);
    }

    // The worker's 428 line by line.
    //   Ontario (ON428, rate 5.05 %): tax on 44,585 at 5.05 % = 2,251.54;
    //     amounts 12,399 + CPP 2,054.25 + EI 747 = 15,200.25 (the last two
    //     2,801.25), x 5.05 % = 767.61; 2,251.54 - 767.61 = 1,483.93; no
    //     surtax (below 5,710); the reduction 2 x 286 = 572 less 1,483.93 is
    //     nil; LIFT 875 less 5 % x (44,585 - 32,500) = 604.25: 270.75;
    //     1,213.18 plus the health premium 450 (300 + 25 % above 36,000, at
    //     most 450): 1,663.18.
    //   Nova Scotia (NS428, rate 8.79 %): tax 2,600.96 on the first 29,590
    //     + 14,995 x 14.95 % = 2,241.75: 4,842.71; basic 8,481 plus the additional amount
    //     3,000 less 6 % x (44,585 - 25,000) = 1,175.10: 1,824.90, so
    //     10,305.90; amounts 10,305.90 + 2,801.25 = 13,107.15 x 8.79 % =
    //     1,152.12; 4,842.71 - 1,152.12 = 3,690.59, no reduction at this
    //     income.
    void taxFormLineByLine_data()
    {
        QTest::addColumn<int>("province");
        QTest::addColumn<QString>("field");
        QTest::addColumn<double>("amount");
        const struct {
            const char* field;
            double amount;
        } ontario[] = {
            {"taxableIncome", 44585.00}, {"taxOnTaxableIncome", 2251.54}, {"basicPersonal", 12399.00},
            {"otherAmounts", 2801.25},   {"totalAmounts", 15200.25},      {"creditRate", 5.05},
            {"creditsAtRate", 767.61},   {"nonRefundableCredits", 767.61}, {"taxAfterCredits", 1483.93},
            {"surtax", 0.00},            {"taxReduction", 0.00},          {"lowIncomeCredit", 270.75},
            {"healthPremium", 450.00},   {"provincialTax", 1663.18},
        };
        for (const auto& row : ontario)
            QTest::addRow("ON %s", row.field) << int(PROV_ON) << QString::fromUtf8(row.field) << row.amount;
        const struct {
            const char* field;
            double amount;
        } novaScotia[] = {
            {"taxOnTaxableIncome", 4842.71}, {"basicPersonal", 10305.90}, {"additionalPersonal", 1824.90},
            {"totalAmounts", 13107.15},      {"creditRate", 8.79},        {"nonRefundableCredits", 1152.12},
            {"lowIncomeReduction", 0.00},    {"provincialTax", 3690.59},
        };
        for (const auto& row : novaScotia)
            QTest::addRow("NS %s", row.field) << int(PROV_NS) << QString::fromUtf8(row.field) << row.amount;
    }
    void taxFormLineByLine()
    {
        QFETCH(int, province);
        QFETCH(QString, field);
        QFETCH(double, amount);
        worker(province);
        family->Calculate(0, nullptr);
        const CTaxData_Form* form = taxFormInTree(person, province);
        QVERIFY(form);
        QVERIFY2(form->findField(field), qPrintable(field));
        QCOMPARE(amountOf(*form, field.toUtf8().constData()), amount);
    }

    // Each tax form shows the lines of its own province's form and hides
    // those of others (still stored, nil): Ontario's health premium only
    // on the ON428, Nova Scotia's additional amount only on the NS428, the
    // low-income reduction where the province has one.
    void linesOfOtherProvincesHidden_data()
    {
        QTest::addColumn<int>("province");
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("shown");
        QTest::newRow("ON health premium") << int(PROV_ON) << "healthPremium" << true;
        QTest::newRow("BC health premium") << int(PROV_BC) << "healthPremium" << false;
        QTest::newRow("BC tax reduction") << int(PROV_BC) << "taxReduction" << true;
        QTest::newRow("AB tax reduction") << int(PROV_AB) << "taxReduction" << false;
        QTest::newRow("NS additional amount") << int(PROV_NS) << "additionalPersonal" << true;
        QTest::newRow("ON additional amount") << int(PROV_ON) << "additionalPersonal" << false;
        QTest::newRow("NB low-income reduction") << int(PROV_NB) << "lowIncomeReduction" << true;
        QTest::newRow("AB low-income reduction") << int(PROV_AB) << "lowIncomeReduction" << false;
        QTest::newRow("AB age amount") << int(PROV_AB) << "age" << true;
    }
    void linesOfOtherProvincesHidden()
    {
        QFETCH(int, province);
        QFETCH(QString, field);
        QFETCH(bool, shown);
        worker(province);
        const CTaxData_Form* form = taxFormInTree(person, province);
        QVERIFY(form);
        QVERIFY(form->findField(field));
        QCOMPARE(!form->findField(field)->isHidden(), shown);
    }

    // Ontario's CARE credit on the ON479: the single parent of
    // tst_provincialreturns (45,000, children born 2015 and 2018, the elder
    // an eligible dependant) paying 6,000 of child care. Deduction 6,000,
    // net income 38,585; rate 75 % less 2 points for each 2,500 or part
    // above 20,000 (18,585 / 2,500 = 7.4, 8 steps): 59 %; 6,000 x 59 % =
    // 3,540.00. The child care form brings the 479 into the tree.
    void ontarioCreditsForm()
    {
        worker(PROV_ON);
        family->dependants().AllocData(DependantInfoStruct::kStandardCount);
        for (int i : {0, 1}) {
            DependantInfo& d = *family->dependants().GetAt(i);
            d.firstName = CString(i == 0 ? "Mia" : "Leo");
            d.relationship = DEP_REL_CHILD;
            d.dateOfBirth = QDate(i == 0 ? 2015 : 2018, 4, 1);
        }
        auto& sch5 = static_cast<TaxData_Sch5&>(*person->GetFormData(FORM_SCH5, true));
        sch5.ClaimEligibleDependant.m_value = 1;
        sch5.DependantNetIncome.m_value = 0;
        static_cast<TaxData_T778New&>(*person->GetFormData(FORM_T778, true)).OwnAmount.m_value = 6000;
        family->Calculate(0, nullptr);
        const CTaxData_Form* on479 = formInTree(person, provincialFormOf(PROV_ON, "479"));
        QVERIFY(on479);
        QCOMPARE(amountOf(*on479, "care"), 3540.00);
        QCOMPARE(amountOf(*on479, "seniorsTransit"), 0.00);
        QCOMPARE(amountOf(*on479, "total"), 3540.00);
        QCOMPARE(t1->line47900ProvincialCredits.m_value, 3540.00);
        // Without a child care form nothing brings the 479.
        worker(PROV_ON);
        family->Calculate(0, nullptr);
        QVERIFY(!formInTree(person, provincialFormOf(PROV_ON, "479")));
    }

    // The provincial Schedule 2 of tst_provincialreturns: Ann, 60, 80,000 of
    // other income, claims the spouse amount for Ben, 70, with no income.
    // Ben's return needs none of his age amount, so all of it moves at his
    // province's figure: Ontario 6,054 (line 58640), Alberta 6,099. Ann's
    // tax: Ontario 4,497.17, Alberta 3,013.10 (worked there).
    void spouseSchedule_data()
    {
        QTest::addColumn<int>("province");
        QTest::addColumn<double>("transferred");
        QTest::addColumn<double>("line42800");
        QTest::newRow("ON") << int(PROV_ON) << 6054.00 << 4497.17;
        QTest::newRow("AB") << int(PROV_AB) << 6099.00 << 3013.10;
    }
    void spouseSchedule()
    {
        QFETCH(int, province);
        QFETCH(double, transferred);
        QFETCH(double, line42800);
        startFamily(province, kMarried, true, province);
        IndividualTaxData* ben = family->getSpouse();
        t1->BirthDate.m_value = QDate(1964, 6, 1);
        ben->GetT1()->BirthDate.m_value = QDate(1954, 6, 1);
        t1->line13000NotOnSlip.m_value = 80000;
        static_cast<TaxData_Sch5&>(*person->GetFormData(FORM_SCH5, true)).ClaimSpouseAmount.m_value = 1;
        QVERIFY(person->GetFormData(FORM_SCH2, true));
        family->Calculate(0, nullptr);
        QCOMPARE(t1->line42800ProvincialTax.m_value, line42800);
        // The federal Schedule 2 brings the province's into the tree.
        const CTaxData_Form* s2 = formInTree(person, provincialFormOf(province, "(S2)"));
        QVERIFY(s2);
        QCOMPARE(amountOf(*s2, "spouseUnused"), transferred);
        QCOMPARE(amountOf(*s2, "claimed"), transferred);
        const CTaxData_Form* tax = taxFormInTree(person, province);
        QVERIFY(tax);
        QCOMPARE(amountOf(*tax, "spouseTransfer"), transferred);
        QCOMPARE(amountOf(*tax, "provincialTax"), line42800);
    }

    // The tax form goes into the return file like any form and comes back
    // with it; a file without it (written before the plug-ins made it) reads
    // as before and is given one as it is read, filled at the calculation.
    void storedWithTheReturn()
    {
        worker(PROV_ON);
        family->Calculate(0, nullptr);
        const ENUMTYPE_FORM type = taxFormOf(PROV_ON);
        QTemporaryDir dir;
        const QString with = dir.filePath(QStringLiteral("with.r24"));
        QCOMPARE(family->saveToFile(CString(with), 2), 0);
        person->RemoveFormData(person->GetFormData(type, false), true);
        QVERIFY(!formInTree(person, type));
        const QString without = dir.filePath(QStringLiteral("without.r24"));
        QCOMPARE(family->saveToFile(CString(without), 2), 0);

        int code = -1;
        family.reset(CFamilyTaxData::serializeFromFile(CString(with), code));
        QCOMPARE(code, 0);
        person = family->getTaxpayer();
        QVERIFY(formInTree(person, type));
        QCOMPARE(amountOf(*formInTree(person, type), "provincialTax"), 1663.18);

        family.reset(CFamilyTaxData::serializeFromFile(CString(without), code));
        QCOMPARE(code, 0);
        person = family->getTaxpayer();
        t1 = person->GetT1();
        QVERIFY(formInTree(person, type));
        family->Calculate(0, nullptr);
        QCOMPARE(t1->line42800ProvincialTax.m_value, 1663.18);
        QCOMPARE(amountOf(*formInTree(person, type), "provincialTax"), 1663.18);

        // Read where the plug-in does not make the tax form (an older or a
        // test plug-in making only ON(S11)): the return reads without it,
        // its own figures whole.
        PluginSettings plugin;
        plugin.use({QStringLiteral("form=27")});
        family.reset(CFamilyTaxData::serializeFromFile(CString(with), code));
        QCOMPARE(code, 0);
        person = family->getTaxpayer();
        QVERIFY(!formInTree(person, type));
        QCOMPARE(person->GetT1()->line42800ProvincialTax.m_value, 1663.18);
        QCOMPARE(person->m_slipList.size(), size_t(1));
        family.reset();
    }
};

QTEST_GUILESS_MAIN(TestProvincialForms)
#include "tst_provincialforms.moc"
