// A coupled return: the spouses' figures are exchanged in a fixed order, so
// the same return gives the same figures whichever spouse is on screen.
#include <QtTest>

#include "calcfixture.h"
#include "companion/forms/federal/credits.h"
#include "companion/forms/federal/minimumtax_split.h"
#include "companion/forms/federal/statements.h"
#include "companion/forms/schedules/taxdata_sch2.h"
#include "companion/forms/schedules/taxdata_sch6.h"

using namespace calcfixture;

namespace {

TaxData_T1032_New* t1032Of(IndividualTaxData* person)
{
    return form<TaxData_T1032_New>(person, 118, true);
}

// A couple with something on most of the exchanged paths.
std::unique_ptr<CFamilyTaxData> busyCouple()
{
    auto family = makeFamily(true);
    IndividualTaxData* taxpayer = family->getTaxpayer();
    IndividualTaxData* spouse = family->getSpouse();
    // The taxpayer works; the spouse, 67, lives on a pension and has
    // credits left to transfer (age amount).
    addT4(taxpayer, 38000, 5200);
    addPensionT4A(spouse, 30000, 3100);
    spouse->GetT1()->BirthDate.m_value = QDate(1957, 5, 20);
    // The taxpayer receives a split pension from the spouse.
    TaxData_T1032_New* received = t1032Of(taxpayer);
    TaxData_T1032_New* given = t1032Of(spouse);
    received->ElectorIndicator.m_value = 1;
    given->ElectorIndicator.m_value = 0;
    given->line10321SplitAmount.m_value = 9000;
    given->line68040.m_value = 4000;
    received->line10321SplitAmount.m_value = 2500; // stale; the pensioner's figure wins
    taxpayer->GetFormData(3, true);
    spouse->GetFormData(3, true);
    spouse->GetFormData(119, true);
    form<CTaxData_T2205>(taxpayer, 124, true)->Withdrawal.m_value = 3000;
    form<CTaxData_T2205>(taxpayer, 124, false)->SpousalContributions.m_value = 2000;
    return family;
}

} // namespace

class TestCalcCoupled : public QObject
{
    Q_OBJECT
private slots:
    void sameFiguresWhicheverSpouseIsCurrent();
    void switchingTheCurrentSpouseChangesNoFigure();
    void pensionSplitExchange_data();
    void pensionSplitExchange();
    void onlyOneT1032GetsTheSpousesTaxAndNothingElse();
    void transfersAreProratedByTheReceiversDays_data();
    void transfersAreProratedByTheReceiversDays();
    void scheduleTwoTakesOnlyWhatTheSpouseCannotUse();
    void loneSchedule6GetsTheSpouseIndicator();
    void equalIncomesGiveExactlyOneGstApplicant_data();
    void equalIncomesGiveExactlyOneGstApplicant();
    void passwordOfTheSummaryOnScreenOpensTheFileForBoth();
    void editedSharedFormReachesTheSpousesCopy();
    void sharedFormWhoseCopyIsGoneLosesItsLink();
};

void TestCalcCoupled::sameFiguresWhicheverSpouseIsCurrent()
{
    auto shownTaxpayer = busyCouple();
    auto shownSpouse = busyCouple();
    shownSpouse->setCurIndv(CFamilyTaxData::kSpouse);
    shownTaxpayer->Calculate(-1, nullptr);
    shownSpouse->Calculate(-1, nullptr);

    QVERIFY(*shownTaxpayer == *shownSpouse);
    // And the figures are there to compare: the split reached both returns.
    QCOMPARE(shownTaxpayer->getTaxpayer()->GetT1()->line11600ElectedSplitPension.m_value, 9000.0);
    QCOMPARE(shownTaxpayer->getSpouse()->GetT1()->line21000SplitPensionDeduction.m_value, 9000.0);
    QCOMPARE(shownSpouse->getTaxpayer()->GetT1()->line48300Balance.m_value,
             shownTaxpayer->getTaxpayer()->GetT1()->line48300Balance.m_value);
}

void TestCalcCoupled::switchingTheCurrentSpouseChangesNoFigure()
{
    auto family = busyCouple();
    family->Calculate(-1, nullptr);
    CFamilyTaxData before;
    before = *family;
    family->setCurIndv(CFamilyTaxData::kSpouse);
    family->Calculate(-1, nullptr);
    QVERIFY(*family == before);
}

void TestCalcCoupled::pensionSplitExchange_data()
{
    QTest::addColumn<int>("taxpayerRole");
    QTest::addColumn<int>("spouseRole");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("expectedTaxpayerRole");
    QTest::addColumn<int>("expectedSpouseRole");
    QTest::addColumn<bool>("taxpayerIsPensioner");
    const int taxpayer = CFamilyTaxData::kTaxpayer;
    const int spouse = CFamilyTaxData::kSpouse;
    QTest::newRow("both 0, taxpayer shown") << 0 << 0 << taxpayer << 0 << 1 << true;
    QTest::newRow("both 0, spouse shown") << 0 << 0 << spouse << 0 << 1 << true;
    QTest::newRow("taxpayer receives, spouse shown") << 1 << 0 << spouse << 1 << 0 << false;
    QTest::newRow("taxpayer receives, taxpayer shown") << 1 << 0 << taxpayer << 1 << 0 << false;
    QTest::newRow("taxpayer without role, spouse pensioner") << 5 << 0 << taxpayer << 1 << 0 << false;
    QTest::newRow("taxpayer without role, spouse receives") << 5 << 1 << spouse << 0 << 1 << true;
}

void TestCalcCoupled::pensionSplitExchange()
{
    QFETCH(int, taxpayerRole);
    QFETCH(int, spouseRole);
    QFETCH(int, current);
    QFETCH(int, expectedTaxpayerRole);
    QFETCH(int, expectedSpouseRole);
    QFETCH(bool, taxpayerIsPensioner);
    auto family = makeFamily(true);
    family->setCurIndv(current);
    TaxData_T1032_New* mine = t1032Of(family->getTaxpayer());
    TaxData_T1032_New* theirs = t1032Of(family->getSpouse());
    mine->ElectorIndicator.m_value = taxpayerRole;
    theirs->ElectorIndicator.m_value = spouseRole;
    mine->EligiblePension.m_value = 40000;
    mine->JointAmount3.m_value = 12;
    mine->line10321SplitAmount.m_value = 11000;
    mine->line10322Election.m_value = 1;
    theirs->EligiblePension.m_value = 26000;
    theirs->JointAmount3.m_value = 8;
    theirs->line10321SplitAmount.m_value = 7000;
    theirs->line10322Election.m_value = 0;

    family->ExchangeCoupledTaxData(IndividualTaxData::CalcStepPrepare);
    QCOMPARE(mine->ElectorIndicator.m_value, expectedTaxpayerRole);
    QCOMPARE(theirs->ElectorIndicator.m_value, expectedSpouseRole);
    const double pension = taxpayerIsPensioner ? 40000 : 26000;
    const double split = taxpayerIsPensioner ? 11000 : 7000;
    for (TaxData_T1032_New* t1032 : {mine, theirs}) {
        QCOMPARE(t1032->EligiblePension.m_value, pension);
        QCOMPARE(t1032->JointAmount3.m_value, taxpayerIsPensioner ? 12.0 : 8.0);
        QCOMPARE(t1032->line10321SplitAmount.m_value, split);
        QCOMPARE(t1032->line10322Election.m_value, taxpayerIsPensioner ? 1 : 0);
    }
}

void TestCalcCoupled::onlyOneT1032GetsTheSpousesTaxAndNothingElse()
{
    auto family = makeFamily(true);
    TaxData_T1032_New* mine = t1032Of(family->getTaxpayer());
    mine->ElectorIndicator.m_value = 0;
    mine->line10321SplitAmount.m_value = 5000;
    family->getSpouse()->GetT1()->line42000NetFederalTax.m_value = 2100;

    family->ExchangeCoupledTaxData(IndividualTaxData::CalcStepPrepare);
    QCOMPARE(mine->ElectorIndicator.m_value, 0);
    QCOMPARE(mine->line10321SplitAmount.m_value, 5000.0);
    QVERIFY(!family->getSpouse()->HasForm(118));
    // The spouse's tax is passed over once the provincial tax is in, after
    // the credits-and-balance step, never with a provincial tax still cleared.
    family->ExchangeCoupledTaxData(IndividualTaxData::CalcStepFederalTax);
    QCOMPARE(mine->SpouseTax.m_value, 0.0);
    family->ExchangeCoupledTaxData(IndividualTaxData::CalcStepCreditsAndBalance);
    QCOMPARE(mine->SpouseTax.m_value, 2100.0);
}

void TestCalcCoupled::transfersAreProratedByTheReceiversDays_data()
{
    QTest::addColumn<QDate>("receiverArrival");
    QTest::addColumn<QDate>("giverArrival");
    QTest::addColumn<double>("expected");
    QTest::newRow("receiver 183 of 366 days") << QDate(2024, 7, 2) << QDate() << 500.0;
    QTest::newRow("full-year receiver") << QDate() << QDate() << 1000.0;
    QTest::newRow("both arrived in the year") << QDate(2024, 7, 2) << QDate(2024, 7, 2) << 1000.0;
}

void TestCalcCoupled::transfersAreProratedByTheReceiversDays()
{
    QFETCH(QDate, receiverArrival);
    QFETCH(QDate, giverArrival);
    QFETCH(double, expected);
    auto family = makeFamily(true);
    IndividualTaxData* giver = family->getTaxpayer();
    IndividualTaxData* receiver = family->getSpouse();
    giver->GetT1()->EntryDate.m_value = giverArrival;
    receiver->GetT1()->EntryDate.m_value = receiverArrival;
    auto* sch2 = form<TaxData_Sch2>(receiver, 3, true);
    // The calculation keeps each person's days on the return ...
    family->Calculate(-1, nullptr);
    QCOMPARE(receiver->GetT1()->DaysInYear.m_value, 366.0);
    QCOMPARE(receiver->GetT1()->DaysInCanada.m_value, receiverArrival.isValid() ? 183.0 : 366.0);
    // ... and the exchange after step 3 prorates the giver's amount by them.
    giver->GetT1()->line30100AgeAmount.m_value = 1000;
    family->ExchangeCoupledTaxData(IndividualTaxData::CalcStepSpouseAmounts);
    QCOMPARE(sch2->TransferAmount1.m_value, expected);
}

// The spouse, 67, has 20,000 of pension: taxable income 20,000 less the
// basic personal amount 15,705 leaves 4,295 that the spouse's own age
// (8,790) and pension (2,000) amounts must cover; the other 6,495 moves.
void TestCalcCoupled::scheduleTwoTakesOnlyWhatTheSpouseCannotUse()
{
    auto family = makeFamily(true);
    IndividualTaxData* taxpayer = family->getTaxpayer();
    IndividualTaxData* spouse = family->getSpouse();
    addT4(taxpayer, 50000);
    addPensionT4A(spouse, 20000);
    spouse->GetT1()->BirthDate.m_value = QDate(1957, 5, 20);
    auto* sch2 = form<TaxData_Sch2>(taxpayer, 3, true);
    family->Calculate(-1, nullptr);
    QCOMPARE(sch2->line36100AdjustedAmount.m_value, 4295.0);
    QCOMPARE(sch2->line32600Total.m_value, 6495.0);
    QCOMPARE(taxpayer->GetT1()->line32600TransferFromSpouse.m_value, 6495.0);
}

void TestCalcCoupled::loneSchedule6GetsTheSpouseIndicator()
{
    auto family = makeFamily(true);
    auto* sch6 = form<TaxData_Sch6>(family->getSpouse(), 119, true);
    addT4(family->getTaxpayer(), 12000);
    // The taxpayer removed the Schedule 6 the calculation would add: the
    // spouse's stays the only one.
    family->getTaxpayer()->GetT1()->Schedule6Removed.m_value = 1;
    family->Calculate(-1, nullptr);
    QVERIFY(!family->getTaxpayer()->HasForm(119));
    QCOMPARE(sch6->SpouseIndicator.m_value, 1);
    QCOMPARE(sch6->SpouseWorkingIncome.m_value, 12000.0);
}

void TestCalcCoupled::equalIncomesGiveExactlyOneGstApplicant_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("choice");
    QTest::addColumn<bool>("taxpayerApplies");
    QTest::newRow("taxpayer shown, choice 0") << int(CFamilyTaxData::kTaxpayer) << 0 << true;
    QTest::newRow("spouse shown, choice 0") << int(CFamilyTaxData::kSpouse) << 0 << true;
    QTest::newRow("taxpayer shown, choice 1") << int(CFamilyTaxData::kTaxpayer) << 1 << false;
    QTest::newRow("spouse shown, choice 1") << int(CFamilyTaxData::kSpouse) << 1 << false;
}

void TestCalcCoupled::equalIncomesGiveExactlyOneGstApplicant()
{
    QFETCH(int, current);
    QFETCH(int, choice);
    QFETCH(bool, taxpayerApplies);
    auto family = makeFamily(true);
    family->setCurIndv(current);
    addT4(family->getTaxpayer(), 10000);
    addT4(family->getSpouse(), 10000);
    summary(family->getTaxpayer())->GSTApplicantChoice.m_value = choice;
    family->Calculate(-1, nullptr);
    const double mine = summary(family->getTaxpayer())->GSTCredit.m_value;
    const double theirs = summary(family->getSpouse())->GSTCredit.m_value;
    QCOMPARE(family->getTaxpayer()->GetT1()->line23600NetIncome.m_value,
             family->getSpouse()->GetT1()->line23600NetIncome.m_value);
    QCOMPARE(family->getTaxpayer()->GetT1()->line23600NetIncome.m_value, 10000.0);
    QCOMPARE(taxpayerApplies ? mine : theirs, 698.0);
    QCOMPARE(taxpayerApplies ? theirs : mine, 0.0);
}

void TestCalcCoupled::passwordOfTheSummaryOnScreenOpensTheFileForBoth()
{
    auto family = makeFamily(true);
    family->setCurIndv(CFamilyTaxData::kSpouse);
    summary(family->getSpouse())->Password.m_value = CString("pa55");
    family->Calculate(-1, nullptr);
    QCOMPARE(QString(family->getTaxpayer()->m_readPassword), QStringLiteral("pa55"));
    QCOMPARE(QString(family->getSpouse()->m_readPassword), QStringLiteral("pa55"));
    QCOMPARE(QString(summary(family->getTaxpayer())->Password.m_value), QStringLiteral("pa55"));
}

void TestCalcCoupled::editedSharedFormReachesTheSpousesCopy()
{
    // A jointly owned rental property: one statement, linked on both sides.
    auto family = makeFamily(true);
    auto* mine = form<TaxData_T776New>(family->getTaxpayer(), 12, true);
    QVERIFY(family->ShareTaxFormWithSpouse(mine, 0));
    auto* theirs = form<TaxData_T776New>(family->getSpouse(), 12, false);
    QVERIFY(theirs);
    mine->line8141GrossRents.m_value = 14400;
    family->Calculate(mine->getKind(), mine);
    QCOMPARE(theirs->line8141GrossRents.m_value, 14400.0);
}

void TestCalcCoupled::sharedFormWhoseCopyIsGoneLosesItsLink()
{
    auto family = makeFamily(true);
    IndividualTaxData* taxpayer = family->getTaxpayer();
    auto* mine = form<TaxData_T2209_2036>(taxpayer, 35, true);
    taxpayer->SetSharedForm(mine, 9999); // no such item on the spouse's side
    mine->ForeignTaxPaid.m_value = 10;
    family->Calculate(mine->getKind(), mine);
    QCOMPARE(taxpayer->GetSharedFormID(mine), 0);
}

QTEST_GUILESS_MAIN(TestCalcCoupled)
#include "tst_calccoupled.moc"
