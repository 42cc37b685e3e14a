// Refundable credits of the provinces' 479 forms that every resident claims
// from the return itself (no answer of the interview needed), on line
// 47900. Worked by hand from the 2024 forms, entered as a user enters them
// and run through the family's calculation with the shipped plug-ins.
//
// Manitoba's personal tax credit (MB479 lines 7 to 19): 195 for the
// claimant, 195 for a spouse, 113 at 65 or older (born in 1959 or earlier),
// 26 for each dependent child, less 1 % of family net income:
//   single, 40, 15,000 of other income: 195 - 150 = 45.00.
//   single, 40, 27,000: 195 - 270 < 0: nil.
//   single, born 1957, 30,000: 195 + 113 - 300 = 8.00.
//   married, 40, 18,000, the spouse without income, a child born 2015:
//     195 + 195 + 26 - 180 = 236.00.
//   the same couple in Saskatchewan, whose forms have no such credit: nil.
// Nunavut's cost of living tax credit (NU479 lines 1 to 14): 2 % of
// adjusted net income, at most 1,500, and for a single parent 2 % above
// 60,000, at most 255.12:
//   single, 27,000: 540.00.
//   single parent (a child born 2015), 70,000: 1,400 + 2 % x 10,000 = 200:
//     1,600.00.
//   married, 90,000: 1,800, at most 1,500.00.
// The Northwest Territories' cost of living tax credit (NT479): the basic
// credit 2.6 % of adjusted net income to 12,000 (312), 1.25 % to 48,000, 1 %
// to 66,000 (at most 942); the supplement 350, 350 more with a spouse, less
// both basic credits; the two at most 942:
//   single, 27,000: 312 + 1.25 % x 15,000 = 187.50: 499.50, no supplement.
//   single, 10,000: 260.00 + the supplement 350 - 260 = 90: 350.00.
//   married, 18,000, the spouse without income: 312 + 75 = 387.00 + the
//     supplement 700 - 387 - 0 = 313: 700.00.
//   single, 80,000: 942.00.
// British Columbia's home renovation tax credit for seniors and persons with
// disabilities (BC479 line 60480, Schedule BC(S12); gov.bc.ca: 10 % of the
// eligible expenses, at most 10,000 of them, for someone 65 or older or
// eligible for the disability amount, or living with such a family member),
// typed on the BC479; 30,000 of other income, no rent:
//   born 1957 (67), 4,000 of expenses: 10 % x 4,000 = 400.00.
//   born 1957, 15,000: 10 % x 10,000 = 1,000.00.
//   born 1984 (40), 4,000, living with no senior: nil.
//   born 1984, 4,000, living with a senior: 400.00.
// New Brunswick's seniors' home renovation tax credit (Schedule NB(S12),
// line 60360; gnb.ca: 10 % of at most 10,000 of eligible expenses, for
// someone 65 or older or living with a family member who is):
//   born 1957, 4,000: 400.00.
//   born 1984, living with a senior, 12,000: 10 % x 10,000 = 1,000.00.
//   born 1984, alone, 4,000: nil.
// Newfoundland and Labrador's physical activity tax credit (NL479 line 62000;
// 17.4 % of at most 2,000 of the family's fees):
//   1,500: 17.4 % x 1,500 = 261.00.
//   3,000: 17.4 % x 2,000 = 348.00.
// Ontario's seniors care at home tax credit (ON479 line 63095; ontario.ca:
// 25 % of the ON428's allowable medical expenses, line 58769, at most 1,500,
// less 5 % of family net income above 35,000, at 70 or older or with a
// spouse who is, family net income under 65,000), 5,000 of own medical
// expenses unless said:
//   born 1950, 30,000 of other income: threshold the lesser of 2,806 and
//     3 % x 30,000 = 900: 4,100; 25 % = 1,025.00, no reduction: 1,025.00.
//   born 1950, 50,000, 8,000 of expenses: 8,000 - 1,500 = 6,500; 25 % =
//     1,625, at most 1,500, less 5 % x 15,000 = 750: 750.00.
//   born 1959 (65), 30,000: nil.
//   born 1959, married to a spouse born 1950 whose net income is 10,000:
//     1,025 less 5 % x (40,000 - 35,000) = 250: 775.00.
//   born 1950, 70,000: family income above 65,000, nil.
#include <QDate>
#include <QtTest>
#include <list>
#include <utility>

#include "companion/forms/dependantinfostruct.h"
#include "companion/forms/taxtypes.h"
#include "provincialformskit.h"

using namespace provincialformskit;

namespace {
bool isPositiveCredit(double credit) { return credit > 0.005; }
} // namespace

class TestProvincialRefundable : public QObject, private ProvincialFamily
{
    Q_OBJECT

private slots:
    void cleanup() { family.reset(); }

    void creditsFromTheReturn_data()
    {
        QTest::addColumn<int>("province");
        QTest::addColumn<int>("marital");
        QTest::addColumn<int>("birthYear");
        QTest::addColumn<double>("income");
        QTest::addColumn<bool>("child");
        QTest::addColumn<double>("line47900");
        QTest::addColumn<QString>("field"); // the 479's line for the credit
        QTest::newRow("MB single 15,000") << int(PROV_MB) << kSingle << 1984 << 15000.0 << false << 45.0
                                          << "personal";
        QTest::newRow("MB single 27,000") << int(PROV_MB) << kSingle << 1984 << 27000.0 << false << 0.0
                                          << "personal";
        QTest::newRow("MB senior 30,000") << int(PROV_MB) << kSingle << 1957 << 30000.0 << false << 8.0
                                          << "personal";
        QTest::newRow("MB couple and child") << int(PROV_MB) << kMarried << 1984 << 18000.0 << true << 236.0
                                             << "personal";
        QTest::newRow("SK couple and child") << int(PROV_SK) << kMarried << 1984 << 18000.0 << true << 0.0
                                             << "";
        QTest::newRow("NU single 27,000") << int(PROV_NU) << kSingle << 1984 << 27000.0 << false << 540.0
                                          << "costOfLiving";
        QTest::newRow("NU single parent 70,000") << int(PROV_NU) << kSingle << 1984 << 70000.0 << true << 1600.0
                                                 << "costOfLiving";
        QTest::newRow("NT single 27,000") << int(PROV_NT) << kSingle << 1984 << 27000.0 << false << 499.5
                                          << "costOfLiving";
        QTest::newRow("NT single 10,000") << int(PROV_NT) << kSingle << 1984 << 10000.0 << false << 350.0
                                          << "costOfLiving";
        QTest::newRow("NT couple 18,000") << int(PROV_NT) << kMarried << 1984 << 18000.0 << false << 700.0
                                          << "costOfLiving";
        QTest::newRow("NT single 80,000") << int(PROV_NT) << kSingle << 1984 << 80000.0 << false << 942.0
                                          << "costOfLiving";
        QTest::newRow("NU couple 90,000") << int(PROV_NU) << kMarried << 1984 << 90000.0 << false << 1500.0
                                          << "costOfLiving";
    }
    void creditsFromTheReturn()
    {
        QFETCH(int, province);
        QFETCH(int, marital);
        QFETCH(int, birthYear);
        QFETCH(double, income);
        QFETCH(bool, child);
        QFETCH(double, line47900);
        QFETCH(QString, field);
        startFamily(province, marital);
        t1->BirthDate.m_value = QDate(birthYear, 6, 1);
        t1->line13000NotOnSlip.m_value = income;
        if (marital == kMarried)
            t1->SpouseNetIncome.m_value = 0;
        if (child) {
            DependantInfo& d = dependant(DEP_REL_CHILD, 2015, 0, 0);
            d.firstName = CString("Leo");
        }
        family->Calculate(0, nullptr);
        QCOMPARE(t1->line47900ProvincialCredits.m_value, line47900);
        if (!field.isEmpty()) {
            const CTaxData_Form* credits = person->GetFormData(provincialFormOf(province, "479"), true);
            QVERIFY(credits);
            QCOMPARE(amountOf(*credits, field), line47900);
            QVERIFY(!credits->findField(field)->isHidden());
            QCOMPARE(amountOf(*credits, QStringLiteral("total")), line47900);
        }
    }

    void homeRenovation_data()
    {
        QTest::addColumn<int>("province");
        QTest::addColumn<int>("birthYear");
        QTest::addColumn<double>("expenses");
        QTest::addColumn<bool>("livesWithSenior");
        QTest::addColumn<double>("credit");
        QTest::newRow("BC 67, 4,000") << int(PROV_BC) << 1957 << 4000.0 << false << 400.0;
        QTest::newRow("BC 67, 15,000: the first 10,000") << int(PROV_BC) << 1957 << 15000.0 << false << 1000.0;
        QTest::newRow("BC 40, alone") << int(PROV_BC) << 1984 << 4000.0 << false << 0.0;
        QTest::newRow("BC 40, living with a senior") << int(PROV_BC) << 1984 << 4000.0 << true << 400.0;
        QTest::newRow("NB 67, 4,000") << int(PROV_NB) << 1957 << 4000.0 << false << 400.0;
        QTest::newRow("NB 40, living with a senior, 12,000") << int(PROV_NB) << 1984 << 12000.0 << true << 1000.0;
        QTest::newRow("NB 40, alone") << int(PROV_NB) << 1984 << 4000.0 << false << 0.0;
    }
    void homeRenovation()
    {
        QFETCH(int, province);
        QFETCH(int, birthYear);
        QFETCH(double, expenses);
        QFETCH(bool, livesWithSenior);
        QFETCH(double, credit);
        startFamily(province, kSingle);
        t1->BirthDate.m_value = QDate(birthYear, 6, 1);
        t1->line13000NotOnSlip.m_value = 30000;
        CTaxData_Form* form479 = person->GetFormData(provincialFormOf(province, "479"), true);
        QVERIFY(form479);
        // Each province's schedule has its own line for the expenses.
        const QString own = province == PROV_BC ? QStringLiteral("homeRenovationExpenses")
                                                : QStringLiteral("nbHomeRenovationExpenses");
        const QString other = province == PROV_BC ? QStringLiteral("nbHomeRenovationExpenses")
                                                  : QStringLiteral("homeRenovationExpenses");
        CFloatField* typed = amountField(*form479, own);
        QVERIFY(typed);
        QVERIFY(!typed->isHidden() && !typed->isComputed());
        QVERIFY(form479->findField(other)->isHidden());
        typed->m_value = expenses;
        auto* living = dynamic_cast<CBoolField*>(form479->findField(QStringLiteral("livesWithSeniorOrDisabled")));
        QVERIFY(living && !living->isHidden());
        living->m_value = livesWithSenior ? 1 : 0;
        family->Calculate(0, nullptr);
        QCOMPARE(amountOf(*form479, QStringLiteral("homeRenovation")), credit);
        QCOMPARE(amountOf(*form479, QStringLiteral("total")), credit);
        QCOMPARE(t1->line47900ProvincialCredits.m_value, credit);
        // What was typed stays as typed through the calculation.
        QCOMPARE(typed->m_value, expenses);
        // Expenses that give nothing are named by Validate Return.
        const QStringList named = leftOutMessages().filter(QStringLiteral("home renovation expenses"));
        QCOMPARE(named.size(), isPositiveCredit(credit) ? 0 : 1);
        if (!named.isEmpty())
            QVERIFY2(named.front().startsWith(QStringLiteral("The home renovation expenses on the %1 give no credit")
                                                  .arg(province == PROV_BC ? "BC479" : "NB479")),
                     qPrintable(named.front()));
    }

    void nlPhysicalActivity_data()
    {
        QTest::addColumn<double>("expenses");
        QTest::addColumn<double>("credit");
        QTest::newRow("1,500") << 1500.0 << 261.0;
        QTest::newRow("3,000: the first 2,000") << 3000.0 << 348.0;
    }
    void nlPhysicalActivity()
    {
        QFETCH(double, expenses);
        QFETCH(double, credit);
        startFamily(PROV_NL, kSingle);
        t1->line13000NotOnSlip.m_value = 30000;
        CTaxData_Form* nl479 = person->GetFormData(provincialFormOf(PROV_NL, "479"), true);
        QVERIFY(nl479);
        CFloatField* typed = amountField(*nl479, QStringLiteral("physicalActivityExpenses"));
        QVERIFY(typed && !typed->isHidden() && !typed->isComputed());
        typed->m_value = expenses;
        family->Calculate(0, nullptr);
        QCOMPARE(amountOf(*nl479, QStringLiteral("physicalActivity")), credit);
        QCOMPARE(amountOf(*nl479, QStringLiteral("total")), credit);
        QCOMPARE(t1->line47900ProvincialCredits.m_value, credit);
        QCOMPARE(typed->m_value, expenses);
    }

    void ontarioSeniorsCareAtHome_data()
    {
        QTest::addColumn<int>("birthYear");
        QTest::addColumn<double>("income");
        QTest::addColumn<double>("medical");
        QTest::addColumn<int>("spouseBirthYear"); // 0: single
        QTest::addColumn<double>("credit");
        QTest::newRow("74, 30,000") << 1950 << 30000.0 << 5000.0 << 0 << 1025.0;
        QTest::newRow("74, 50,000, at most 1,500") << 1950 << 50000.0 << 8000.0 << 0 << 750.0;
        QTest::newRow("65") << 1959 << 30000.0 << 5000.0 << 0 << 0.0;
        QTest::newRow("65, spouse of 74") << 1959 << 30000.0 << 5000.0 << 1950 << 775.0;
        QTest::newRow("74, 70,000") << 1950 << 70000.0 << 5000.0 << 0 << 0.0;
    }
    void ontarioSeniorsCareAtHome()
    {
        QFETCH(int, birthYear);
        QFETCH(double, income);
        QFETCH(double, medical);
        QFETCH(int, spouseBirthYear);
        QFETCH(double, credit);
        startFamily(PROV_ON, spouseBirthYear ? kMarried : kSingle);
        t1->BirthDate.m_value = QDate(birthYear, 6, 1);
        t1->line13000NotOnSlip.m_value = income;
        t1->MedicalOwn1.m_value = medical;
        if (spouseBirthYear) {
            t1->SpouseBirthDate.m_value = QDate(spouseBirthYear, 6, 1);
            t1->SpouseNetIncome.m_value = 10000;
        }
        family->Calculate(0, nullptr);
        const CTaxData_Form* on479 = person->GetFormData(provincialFormOf(PROV_ON, "479"), true);
        QVERIFY(on479);
        family->Calculate(0, nullptr);
        QCOMPARE(amountOf(*on479, QStringLiteral("careAtHome")), credit);
        QCOMPARE(t1->line47900ProvincialCredits.m_value, credit);
    }

    // A couple of one province shares one limit: 10,000 of home renovation
    // expenses (Schedules BC(S12) and NB(S12): "The combined amount that you
    // and your spouse or common-law partner can claim cannot be more than
    // $10,000"), 2,000 of physical activity fees for the family (NL479).
    // Validation between the spouses names the limit when the two returns
    // claim more together, and not when they claim it exactly.
    void sharedLimitsBetweenSpouses_data()
    {
        QTest::addColumn<int>("province");
        QTest::addColumn<double>("annClaims");
        QTest::addColumn<double>("benClaims");
        QTest::addColumn<QString>("message"); // empty: none
        QTest::newRow("BC 5,000 + 5,000") << int(PROV_BC) << 5000.0 << 5000.0 << QString();
        QTest::newRow("BC 6,000 + 5,000")
            << int(PROV_BC) << 6000.0 << 5000.0
            << QString("The home renovation expenses claimed on the BC479 of both returns (11,000.00) are more "
                       "than the couple's limit of 10,000.");
        QTest::newRow("NB 10,000 + 0.01")
            << int(PROV_NB) << 10000.0 << 0.01
            << QString("The home renovation expenses claimed on the NB479 of both returns (10,000.01) are more "
                       "than the couple's limit of 10,000.");
        QTest::newRow("NL 1,500 + 1,000")
            << int(PROV_NL) << 1500.0 << 1000.0
            << QString("The physical activity expenses claimed on the NL479 of both returns (2,500.00) are more "
                       "than the couple's limit of 2,000.");
        QTest::newRow("NL 1,000 + 1,000") << int(PROV_NL) << 1000.0 << 1000.0 << QString();
    }
    void sharedLimitsBetweenSpouses()
    {
        QFETCH(int, province);
        QFETCH(double, annClaims);
        QFETCH(double, benClaims);
        QFETCH(QString, message);
        startFamily(province, kMarried, true, province);
        const QString field = province == PROV_NL  ? QStringLiteral("physicalActivityExpenses")
                              : province == PROV_BC ? QStringLiteral("homeRenovationExpenses")
                                                    : QStringLiteral("nbHomeRenovationExpenses");
        const std::pair<IndividualTaxData*, double> claims[] = {{family->getTaxpayer(), annClaims},
                                                                {family->getSpouse(), benClaims}};
        for (const auto& [who, amount] : claims) {
            QVERIFY(who);
            who->GetT1()->BirthDate.m_value = QDate(1950, 6, 1);
            who->GetT1()->line13000NotOnSlip.m_value = 30000;
            CTaxData_Form* form479 = who->GetFormData(provincialFormOf(province, "479"), true);
            QVERIFY(form479);
            amountField(*form479, field)->m_value = amount;
        }
        family->Calculate(0, nullptr);
        std::list<CString> found;
        family->ValidateWithCoupled(2, found, false);
        QStringList texts;
        for (const CString& m : found)
            texts << m;
        const QStringList named = texts.filter(QStringLiteral("couple's limit"));
        if (message.isEmpty())
            QVERIFY2(named.isEmpty(), qPrintable(named.join('\n')));
        else
            QCOMPARE(named, QStringList{message});
    }

    // The typed inputs belong to the provinces whose forms have them:
    // another province's 479 hides them.
    void homeRenovationOnlyWhereTheFormHasIt()
    {
        startFamily(PROV_ON, kSingle);
        CTaxData_Form* on479 = person->GetFormData(provincialFormOf(PROV_ON, "479"), true);
        QVERIFY(on479);
        for (const char* name :
             {"homeRenovationExpenses", "nbHomeRenovationExpenses", "livesWithSeniorOrDisabled", "homeRenovation",
              "physicalActivityExpenses", "physicalActivity"}) {
            const CField* field = on479->findField(QLatin1String(name));
            QVERIFY2(field && field->isHidden(), name);
        }
    }
};

QTEST_GUILESS_MAIN(TestProvincialRefundable)
#include "tst_provincialrefundable.moc"
