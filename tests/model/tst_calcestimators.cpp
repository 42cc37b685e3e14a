// The benefit estimators, the pension-plan months and the small numeric
// rules of the calculation, each checked against a table of worked figures.
#include <QtTest>

#include "companion/forms/dependantinfostruct.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "model/CCB2016.h"
#include "model/GSTCredit.h"
#include "model/individualtaxdata.h"
#include "model/preparerinfo.h"

namespace {

// One person with a T1 and nothing else.
struct Person
{
    DependantInfoStruct dependants{12};
    IndividualTaxData data{0, &dependants};
    TaxData_T1New* t1 = nullptr;

    Person()
    {
        data.m_province = 9;
        t1 = qobject_cast<TaxData_T1New*>(data.GetFormData(1, true));
    }
};

} // namespace

class TestCalcEstimators : public QObject
{
    Q_OBJECT
private slots:
    void ccb_data();
    void ccb();
    void ccbByMonth_data();
    void ccbByMonth();
    void gstCredit_data();
    void gstCredit();
    void roundsHalfAwayFromZero_data();
    void roundsHalfAwayFromZero();
    void daysInCanada_data();
    void daysInCanada();
    void cppMonths_data();
    void cppMonths();
    void qppMonths_data();
    void qppMonths();
    void benefitEligibility_data();
    void benefitEligibility();
    void fhsaAge_data();
    void fhsaAge();
    void schedule6PreCheck_data();
    void schedule6PreCheck();
    void preparerCityLine_data();
    void preparerCityLine();
    void preparerSettingLeftEmptyKeepsTheReturnsValue();
};

void TestCalcEstimators::ccb_data()
{
    QTest::addColumn<int>("under6");
    QTest::addColumn<int>("from6to17");
    QTest::addColumn<int>("disabled");
    QTest::addColumn<double>("income");
    QTest::addColumn<double>("expected");
    QTest::newRow("one young child, low income") << 1 << 0 << 0 << 30000.0 << 7997.0;
    QTest::newRow("one young child, at the first threshold") << 1 << 0 << 0 << 37487.0 << 7997.0;
    QTest::newRow("one young child, 80,000") << 1 << 0 << 0 << 80000.0 << 7997.0 - 42513 * 0.07;
    QTest::newRow("one young child, 100,000") << 1 << 0 << 0 << 100000.0
                                              << 7997.0 - 43735 * 0.07 - 18778 * 0.032;
    QTest::newRow("two older children, 50,000") << 0 << 2 << 0 << 50000.0 << 2 * 6748.0 - 12513 * 0.135;
    QTest::newRow("four children, 200,000") << 2 << 2 << 0 << 200000.0
                                            << 2 * 7997.0 + 2 * 6748.0 - 43735 * 0.23 - 118778 * 0.095;
    QTest::newRow("disability benefit phased out above 81,222")
        << 1 << 0 << 1 << 90000.0 << (7997.0 - 43735 * 0.07 - 8778 * 0.032) + (3411.0 - 8778 * 0.032);
    QTest::newRow("no child, no disability benefit either") << 0 << 0 << 1 << 50000.0 << 0.0;
    QTest::newRow("reduced to nothing, never negative") << 1 << 0 << 0 << 400000.0 << 0.0;
}

void TestCalcEstimators::ccb()
{
    QFETCH(int, under6);
    QFETCH(int, from6to17);
    QFETCH(int, disabled);
    QFETCH(double, income);
    QFETCH(double, expected);
    QVERIFY2(qAbs(CalculateCCB2016(9, under6, from6to17, disabled, income) - expected) < 0.001,
             qPrintable(QString::number(CalculateCCB2016(9, under6, from6to17, disabled, income), 'f', 3)));
}

// The estimate over July 2025 to June 2026, month by month with each
// child's age at the beginning of the month (7,997 a year under 6, 6,748
// from 6 to 17; family income 30,000, below the 37,487 threshold, unless
// stated):
//   born 1 May 2020: 6 on 1 May 2026, so July to April (10 months) at the
//     under-6 rate and May, June at the older rate:
//     (10 x 7,997 + 2 x 6,748) / 12 = 93,466 / 12 = 7,788.83;
//   born 20 May 2020: 5 on 1 May, 6 on 1 June: (11 x 7,997 + 6,748) / 12 =
//     94,715 / 12 = 7,892.92;
//   the same at 50,000: the one-child reduction 7 % x 12,513 = 875.91 a
//     year off each month's rate: (10 x 7,121.09 + 2 x 5,872.09) / 12 =
//     6,912.92;
//   born 10 October 2007: 17 on 1 October 2025, 18 on 1 November, so July
//     to October only: 4 x 6,748 / 12 = 2,249.33;
//   born 3 March 2015: 6,748 all year;
//   both children of 20 May 2020 and 3 March 2015 at 50,000 (two children,
//     13.5 % x 12,513 = 1,689.255 a year): July to May 7,997 + 6,748 -
//     1,689.255 = 13,055.745, June 2 x 6,748 - 1,689.255 = 11,806.745:
//     (11 x 13,055.745 + 11,806.745) / 12 = 155,419.94 / 12 = 12,951.66;
//   a child with the disability amount born 3 March 2015 at 30,000: 6,748 +
//     3,411 = 10,159.
void TestCalcEstimators::ccbByMonth_data()
{
    QTest::addColumn<QList<QDate>>("births");
    QTest::addColumn<bool>("disabled");
    QTest::addColumn<double>("income");
    QTest::addColumn<double>("expected");
    QTest::newRow("turns 6 on the first of May 2026") << QList<QDate>{QDate(2020, 5, 1)} << false << 30000.0 << 7788.83;
    QTest::newRow("turns 6 later in May 2026") << QList<QDate>{QDate(2020, 5, 20)} << false << 30000.0 << 7892.92;
    QTest::newRow("turns 6, reduced") << QList<QDate>{QDate(2020, 5, 1)} << false << 50000.0 << 6912.92;
    QTest::newRow("turns 18 in October 2025") << QList<QDate>{QDate(2007, 10, 10)} << false << 30000.0 << 2249.33;
    QTest::newRow("6 to 17 all year") << QList<QDate>{QDate(2015, 3, 3)} << false << 30000.0 << 6748.0;
    QTest::newRow("two children, one turning 6")
        << QList<QDate>{QDate(2020, 5, 20), QDate(2015, 3, 3)} << false << 50000.0 << 12951.66;
    QTest::newRow("disability benefit") << QList<QDate>{QDate(2015, 3, 3)} << true << 30000.0 << 10159.0;
}

void TestCalcEstimators::ccbByMonth()
{
    QFETCH(QList<QDate>, births);
    QFETCH(bool, disabled);
    QFETCH(double, income);
    QFETCH(double, expected);
    std::vector<ChildForBenefit> children;
    for (const QDate& birth : births)
        children.push_back({birth, true, disabled});
    QCOMPARE(estimateChildBenefitByMonth(children, income), expected);
}

void TestCalcEstimators::gstCredit_data()
{
    QTest::addColumn<double>("income");
    QTest::addColumn<bool>("withSpouse");
    QTest::addColumn<double>("spouseIncome");
    QTest::addColumn<bool>("singleWithDependant");
    QTest::addColumn<int>("children");
    QTest::addColumn<double>("expected");
    QTest::newRow("single, low income") << 5000.0 << false << 0.0 << false << -1 << 349.0;
    QTest::newRow("single, supplement phasing in") << 20000.0 << false << 0.0 << false << -1
                                                    << 349.0 + 0.02 * (20000 - 11337);
    QTest::newRow("single, full supplement") << 30000.0 << false << 0.0 << false << -1 << 533.0;
    QTest::newRow("single, reduced above 45,521") << 50000.0 << false << 0.0 << false << -1
                                                   << 533.0 - 0.05 * (50000 - 45521);
    QTest::newRow("single, high income") << 100000.0 << false << 0.0 << false << -1 << 0.0;
    QTest::newRow("couple with two children") << 20000.0 << true << 20000.0 << false << 2 << 698.0 + 2 * 184.0;
    QTest::newRow("couple above the threshold") << 60000.0 << true << 0.0 << false << 1
                                                 << 698.0 + 184.0 - 0.05 * (60000 - 45521);
    QTest::newRow("single parent of one, low income, full supplement") << 5000.0 << false << 0.0 << true << 0
                                                                        << 698.0 + 184.0;
    QTest::newRow("single parent of two") << 30000.0 << false << 0.0 << true << 1 << 698.0 + 184.0 + 184.0;
}

void TestCalcEstimators::gstCredit()
{
    QFETCH(double, income);
    QFETCH(bool, withSpouse);
    QFETCH(double, spouseIncome);
    QFETCH(bool, singleWithDependant);
    QFETCH(int, children);
    QFETCH(double, expected);
    const double credit = CalculateGSTCredit(income, withSpouse, spouseIncome, singleWithDependant, children);
    QVERIFY2(qAbs(credit - expected) < 0.001, qPrintable(QString::number(credit, 'f', 3)));
}

void TestCalcEstimators::roundsHalfAwayFromZero_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    QTest::newRow("10.4") << 10.4 << 10.0;
    QTest::newRow("10.5") << 10.5 << 11.0;
    QTest::newRow("-10.5") << -10.5 << -11.0;
    QTest::newRow("-10.4") << -10.4 << -10.0;
    QTest::newRow("a trace below zero") << -0.005 << 0.0;
}

void TestCalcEstimators::roundsHalfAwayFromZero()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    QCOMPARE(roundHalfAwayFromZero(value), expected);
}

void TestCalcEstimators::daysInCanada_data()
{
    QTest::addColumn<QDate>("arrival");
    QTest::addColumn<QDate>("departure");
    QTest::addColumn<int>("expected");
    QTest::newRow("whole year") << QDate() << QDate() << 366;
    QTest::newRow("arrived July 2") << QDate(2024, 7, 2) << QDate() << 183;
    QTest::newRow("left March 31") << QDate() << QDate(2024, 3, 31) << 91;
    QTest::newRow("dates of other years") << QDate(2023, 5, 1) << QDate(2025, 1, 1) << 366;
    QTest::newRow("left before arriving") << QDate(2024, 6, 1) << QDate(2024, 5, 1) << 0;
}

void TestCalcEstimators::daysInCanada()
{
    QFETCH(QDate, arrival);
    QFETCH(QDate, departure);
    QFETCH(int, expected);
    QCOMPARE(DaysInCanadaInTaxYear(2024, arrival, departure), expected);
}

void TestCalcEstimators::cppMonths_data()
{
    QTest::addColumn<QDate>("birth");
    QTest::addColumn<QDate>("death");
    QTest::addColumn<int>("disabilityMonths");
    QTest::addColumn<int>("expected");
    QTest::newRow("turns 18 in March") << QDate(2006, 3, 15) << QDate() << 0 << 9;
    QTest::newRow("aged 70, born in May") << QDate(1954, 5, 10) << QDate() << 0 << 5;
    QTest::newRow("died in August") << QDate(1980, 1, 1) << QDate(2024, 8, 20) << 0 << 8;
    QTest::newRow("four months of disability") << QDate(1980, 1, 1) << QDate() << 4 << 8;
    QTest::newRow("aged 17") << QDate(2007, 1, 1) << QDate() << 0 << 0;
    QTest::newRow("aged 71") << QDate(1953, 1, 1) << QDate() << 0 << 0;
    QTest::newRow("more disability months than the year") << QDate(1980, 1, 1) << QDate() << 15 << 0;
}

void TestCalcEstimators::cppMonths()
{
    QFETCH(QDate, birth);
    QFETCH(QDate, death);
    QFETCH(int, disabilityMonths);
    QFETCH(int, expected);
    Person person;
    person.t1->BirthDate.m_value = birth;
    person.t1->DateOfDeath.m_value = death;
    QCOMPARE(person.data.GetCPPMonths(0, disabilityMonths), expected);
}

void TestCalcEstimators::qppMonths_data()
{
    QTest::addColumn<QDate>("birth");
    QTest::addColumn<QDate>("death");
    QTest::addColumn<int>("disabilityMonths");
    QTest::addColumn<int>("expected");
    QTest::newRow("turns 18 in March") << QDate(2006, 3, 15) << QDate() << 0 << 9;
    QTest::newRow("no upper age") << QDate(1950, 5, 10) << QDate() << 0 << 12;
    QTest::newRow("died in August") << QDate(1980, 1, 1) << QDate(2024, 8, 20) << 0 << 8;
    QTest::newRow("aged 17") << QDate(2007, 1, 1) << QDate() << 0 << 0;
    QTest::newRow("more disability months than the year is 0, not negative") << QDate(1980, 1, 1) << QDate()
                                                                               << 15 << 0;
    QTest::newRow("negative disability months give at most 12") << QDate(1980, 1, 1) << QDate() << -3 << 12;
}

void TestCalcEstimators::qppMonths()
{
    QFETCH(QDate, birth);
    QFETCH(QDate, death);
    QFETCH(int, disabilityMonths);
    QFETCH(int, expected);
    Person person;
    person.t1->BirthDate.m_value = birth;
    person.t1->DateOfDeath.m_value = death;
    QCOMPARE(person.data.GetQPPMonths(0, disabilityMonths), expected);
}

void TestCalcEstimators::benefitEligibility_data()
{
    QTest::addColumn<QDate>("birth");
    QTest::addColumn<int>("marital");
    QTest::addColumn<QDate>("death");
    QTest::addColumn<bool>("expected");
    QTest::newRow("17, born in July") << QDate(2007, 7, 1) << 5 << QDate() << false;
    QTest::newRow("17, born in June") << QDate(2007, 6, 30) << 5 << QDate() << true;
    QTest::newRow("16 with a spouse") << QDate(2008, 1, 1) << 1 << QDate() << true;
    QTest::newRow("adult") << QDate(1990, 1, 1) << 5 << QDate() << true;
    QTest::newRow("deceased") << QDate(1950, 1, 1) << 0 << QDate(2024, 3, 1) << false;
}

void TestCalcEstimators::benefitEligibility()
{
    QFETCH(QDate, birth);
    QFETCH(int, marital);
    QFETCH(QDate, death);
    QFETCH(bool, expected);
    Person person;
    person.t1->BirthDate.m_value = birth;
    person.t1->MaritalStatus.m_value = marital;
    person.t1->DateOfDeath.m_value = death;
    QCOMPARE(person.data.isBenefitEligible(nullptr), expected);
}

void TestCalcEstimators::fhsaAge_data()
{
    QTest::addColumn<QDate>("birth");
    QTest::addColumn<bool>("expected");
    QTest::newRow("17") << QDate(2007, 1, 1) << false;
    QTest::newRow("18") << QDate(2006, 12, 31) << true;
    QTest::newRow("71") << QDate(1953, 1, 1) << true;
    QTest::newRow("72") << QDate(1952, 1, 1) << false;
}

void TestCalcEstimators::fhsaAge()
{
    QFETCH(QDate, birth);
    QFETCH(bool, expected);
    Person person;
    person.t1->BirthDate.m_value = birth;
    QCOMPARE(person.data.isFHSAEligible(), expected);
}

void TestCalcEstimators::schedule6PreCheck_data()
{
    QTest::addColumn<int>("province");
    QTest::addColumn<double>("employment");
    QTest::addColumn<double>("netIncome");
    QTest::addColumn<bool>("expected");
    QTest::newRow("Quebec, working income exactly the floor") << 11 << 2400.0 << 2400.0 << false;
    QTest::newRow("Quebec, above the floor") << 11 << 2500.0 << 2500.0 << true;
    QTest::newRow("Quebec, net income at the limit") << 11 << 20332.99 << 20332.99 << false;
    QTest::newRow("Ontario, above the floor") << 9 << 3100.0 << 3100.0 << true;
    QTest::newRow("Alberta, above the limit") << 1 << 33000.0 << 33000.0 << false;
}

void TestCalcEstimators::schedule6PreCheck()
{
    QFETCH(int, province);
    QFETCH(double, employment);
    QFETCH(double, netIncome);
    QFETCH(bool, expected);
    Person person;
    person.data.m_province = province;
    person.t1->BirthDate.m_value = QDate(1980, 1, 1);
    person.t1->MaritalStatus.m_value = 5;
    person.t1->line10100EmploymentIncome.m_value = employment;
    person.t1->line23600NetIncome.m_value = netIncome;
    QCOMPARE(person.data.MaySchedule6Needed_v2(), expected);
}

void TestCalcEstimators::preparerCityLine_data()
{
    QTest::addColumn<QString>("city");
    QTest::addColumn<QString>("province");
    QTest::addColumn<QString>("postcode");
    QTest::addColumn<QString>("expected");
    QTest::newRow("all three") << "Ottawa" << "ON" << "K1A 0B1" << "Ottawa, ON K1A 0B1";
    QTest::newRow("no province") << "Ottawa" << "" << "K1A 0B1" << "Ottawa K1A 0B1";
    QTest::newRow("city only") << "Ottawa" << "" << "" << "Ottawa";
}

void TestCalcEstimators::preparerCityLine()
{
    QFETCH(QString, city);
    QFETCH(QString, province);
    QFETCH(QString, postcode);
    QFETCH(QString, expected);
    PreparerInfo info;
    info.BusinessCity = CString(city);
    info.BusinessProv = CString(province);
    info.BusinessPostcode = CString(postcode);
    setPreparerInfo(info);
    Person person;
    person.data.CopyTaxPreparerInfo();
    setPreparerInfo(PreparerInfo());
    QCOMPARE(QString(person.t1->PreparerCity.m_value), expected);
}

void TestCalcEstimators::preparerSettingLeftEmptyKeepsTheReturnsValue()
{
    Person person;
    person.t1->PreparerName.m_value = CString("Typed on the return");
    setPreparerInfo(PreparerInfo());
    person.data.CopyTaxPreparerInfo();
    QCOMPARE(QString(person.t1->PreparerName.m_value), QStringLiteral("Typed on the return"));
}

QTEST_GUILESS_MAIN(TestCalcEstimators)
#include "tst_calcestimators.moc"
