// The family recalculation: which forms it adds and removes by itself, what
// it copies into the filing forms, the return summary, the foreign tax
// credit, and that the same return always gives the same figures.
#include <QtTest>

#include "calcfixture.h"
#include "companion/core/appclock.h"
#include "companion/forms/federal/credits.h"
#include "companion/forms/federal/minimumtax_split.h"
#include "companion/forms/federal/mirroring.h"
#include "companion/forms/federal/statements.h"
#include "companion/forms/schedules/taxdata_sch3.h"
#include "companion/forms/schedules/taxdata_sch5.h"
#include "model/preparerinfo.h"

using namespace calcfixture;

class TestCalcDriver : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void pensionPlanSelectorRemovesTheOtherSchedule_data();
    void pensionPlanSelectorRemovesTheOtherSchedule();
    void secondCalculationAfterAnAutomaticAdditionReturnsZero();
    void singleReturnCalculatesTheTaxpayerWhoeverIsCurrent();
    void withoutInstalmentFormTheSummaryInstalmentsAreZero();
    void filingFormsNeverHoldThePreparersPassword();
    void changedSlipIsNotTakenForTheFormOfTheSameNumber();
    void rrspRoom_data();
    void rrspRoom();
    void capitalLossCarryForwardFromSchedule3();
    void unchangedReturnComparesEqualToItsSavedCopy();
    void t1aDateIsStampedWhenTheT1AIsEdited();
    void foreignTaxTotalsRound_data();
    void foreignTaxTotalsRound();
    void foreignTaxCreditSumsEveryCountryAndIsCapped();
    void foreignTaxCreditKeepsTheNetIncomeTypedByHand();
    void missingT1OrSummaryIsNoCrash_data();
    void missingT1OrSummaryIsNoCrash();
};

void TestCalcDriver::cleanup()
{
    AppClock::reset();
    setPreparerInfo(PreparerInfo());
}

void TestCalcDriver::pensionPlanSelectorRemovesTheOtherSchedule_data()
{
    QTest::addColumn<int>("selector");
    QTest::addColumn<bool>("keepsSchedule8");
    QTest::addColumn<bool>("keepsRC381");
    QTest::addColumn<int>("removed");
    QTest::newRow("CPP: RC381 goes") << 1 << true << false << 1;
    QTest::newRow("QPP: Schedule 8 goes") << 2 << false << true << 1;
    QTest::newRow("none: both stay") << 0 << true << true << 0;
}

void TestCalcDriver::pensionPlanSelectorRemovesTheOtherSchedule()
{
    QFETCH(int, selector);
    QFETCH(bool, keepsSchedule8);
    QFETCH(bool, keepsRC381);
    QFETCH(int, removed);
    auto family = makeFamily(false);
    IndividualTaxData* taxpayer = family->getTaxpayer();
    taxpayer->GetFormData(150, true);
    taxpayer->GetFormData(148, true);
    // The selector follows the T4s: CPP withheld in Ontario, QPP in Quebec.
    if (selector == 1)
        addT4(taxpayer, 40000).box16CppContributions.m_value = 2000;
    else if (selector == 2)
        addT4(taxpayer, 40000, 0, 11).box17QppContributions.m_value = 2200;

    QCOMPARE(family->Calculate(-1, nullptr), removed);
    QCOMPARE(taxpayer->GetT1()->PensionPlanSelector.m_value, selector);
    QCOMPARE(taxpayer->HasForm(150), keepsSchedule8);
    QCOMPARE(taxpayer->HasForm(148), keepsRC381);
    QCOMPARE(family->Calculate(-1, nullptr), 0);
}

void TestCalcDriver::secondCalculationAfterAnAutomaticAdditionReturnsZero()
{
    auto family = makeFamily(true);
    IndividualTaxData* spouse = family->getSpouse();
    QVERIFY(!spouse->HasForm(148));
    // A T4 from a Quebec employer with QPP withheld calls for RC381; its
    // 30,000 (the couple's only income, below the family end point 48,093)
    // leaves room for the workers benefit, so the spouse's Schedule 6 comes
    // too. The taxpayer, without working income, gets none.
    addT4(spouse, 30000, 0, 11).box17QppContributions.m_value = 1700;

    QCOMPARE(family->Calculate(-1, nullptr), 2);
    QVERIFY(spouse->HasForm(148));
    QVERIFY(spouse->HasForm(119));
    QVERIFY(!family->getTaxpayer()->HasForm(119));
    QCOMPARE(spouse->GetT1()->PensionPlanSelector.m_value, 2);
    QCOMPARE(family->Calculate(-1, nullptr), 0);
}

void TestCalcDriver::singleReturnCalculatesTheTaxpayerWhoeverIsCurrent()
{
    auto family = makeFamily(false);
    family->setCurIndv(CFamilyTaxData::kSpouse);
    IndividualTaxData* taxpayer = family->getTaxpayer();
    addT4(taxpayer, 41000);
    family->Calculate(-1, nullptr);
    QCOMPARE(taxpayer->GetT1()->line15000TotalIncome.m_value, 41000.0);
    QCOMPARE(summary(taxpayer)->line15000.m_value, 41000.0);
}

void TestCalcDriver::withoutInstalmentFormTheSummaryInstalmentsAreZero()
{
    auto family = makeFamily(false);
    TaxData_T1KSNew* sheet = summary(family->getTaxpayer());
    QVERIFY(sheet);
    sheet->InstalmentAmount1.m_value = 10;
    sheet->InstalmentAmount4.m_value = 40;
    family->Calculate(-1, nullptr);
    QCOMPARE(sheet->InstalmentAmount1.m_value, 0.0);
    QCOMPARE(sheet->InstalmentAmount4.m_value, 0.0);
}

void TestCalcDriver::filingFormsNeverHoldThePreparersPassword()
{
    PreparerInfo preparer;
    preparer.BusinessName = CString("North Tax Services");
    preparer.BusinessEFileNum = CString("A1234");
    preparer.EfileSoftwareCode = CString("0877");
    setPreparerInfo(preparer);
    auto family = makeFamily(false);
    IndividualTaxData* taxpayer = family->getTaxpayer();
    auto* t183 = form<TaxData_T183New>(taxpayer, 96, true);
    auto* t185 = form<TaxData_T185>(taxpayer, 181, true);
    auto* t1013 = form<TaxData_T1013New>(taxpayer, 117, true);
    // A file saved by an earlier edition still carries it.
    t183->EFilePassword.m_value = CString("s3cret");
    t185->EFilePassword.m_value = CString("s3cret");

    family->Calculate(-1, nullptr);
    QVERIFY(t183->EFilePassword.m_value.isEmpty());
    QVERIFY(t185->EFilePassword.m_value.isEmpty());
    QCOMPARE(QString(t183->PreparerName.m_value), QStringLiteral("North Tax Services"));
    QCOMPARE(QString(t183->EFileNumber.m_value), QStringLiteral("A1234"));
    QCOMPARE(QString(t183->SoftwareCode.m_value), QStringLiteral("0877"));
    QCOMPARE(QString(t185->EFileNumber.m_value), QStringLiteral("A1234"));
    QCOMPARE(QString(t1013->SoftwareCode.m_value), QStringLiteral("0877H"));
}

void TestCalcDriver::changedSlipIsNotTakenForTheFormOfTheSameNumber()
{
    auto family = makeFamily(false);
    IndividualTaxData* taxpayer = family->getTaxpayer();
    auto* sch5 = form<TaxData_Sch5>(taxpayer, 6, true);
    QVERIFY(sch5);
    sch5->FirstAmount.m_value = 750;
    CTaxData_Form* slip6 = taxpayer->GetSlipData(6, taxpayer->GetNextUniqueID(), true);
    QVERIFY(slip6);
    QCOMPARE(slip6->getType(), 6);

    family->Calculate(slip6->getKind(), slip6);
    QCOMPARE(taxpayer->GetT1()->Sch5Amount1.m_value, 0.0);
    family->Calculate(sch5->getKind(), sch5);
    QCOMPARE(taxpayer->GetT1()->Sch5Amount1.m_value, 750.0);
}

void TestCalcDriver::rrspRoom_data()
{
    QTest::addColumn<double>("employment");
    QTest::addColumn<double>("rental");
    QTest::addColumn<double>("pensionAdjustment");
    QTest::addColumn<double>("expected");
    QTest::newRow("earned 200,000, no pension adjustment") << 200000.0 << 0.0 << 0.0 << 32490.0;
    QTest::newRow("earned 100,000") << 100000.0 << 0.0 << 0.0 << 18000.0;
    QTest::newRow("less the pension adjustment") << 100000.0 << 0.0 << 5000.0 << 13000.0;
    QTest::newRow("pension adjustment above the limit") << 10000.0 << 0.0 << 5000.0 << 0.0;
    QTest::newRow("negative earned income") << 0.0 << -5000.0 << 0.0 << 0.0;
}

void TestCalcDriver::rrspRoom()
{
    QFETCH(double, employment);
    QFETCH(double, rental);
    QFETCH(double, pensionAdjustment);
    QFETCH(double, expected);
    auto family = makeFamily(false);
    IndividualTaxData* taxpayer = family->getTaxpayer();
    // Employment and the pension adjustment come from the T4, the rental
    // loss from a rental statement with expenses and no rents.
    if (employment != 0.0 || pensionAdjustment != 0.0)
        addT4(taxpayer, employment).box52PensionAdjustment.m_value = pensionAdjustment;
    if (rental < 0.0)
        form<TaxData_T776New>(taxpayer, 12, true)->line9270OtherExpenses.m_value = -rental;
    family->Calculate(-1, nullptr);
    TaxData_T1New* t1 = taxpayer->GetT1();
    QCOMPARE(t1->line10100EmploymentIncome.m_value, employment);
    QCOMPARE(t1->line12600NetRental.m_value, rental);
    QCOMPARE(t1->line20600PensionAdjustment.m_value, pensionAdjustment);
    QCOMPARE(summary(family->getTaxpayer())->RRSPRoom.m_value, expected);
}

void TestCalcDriver::capitalLossCarryForwardFromSchedule3()
{
    auto family = makeFamily(false);
    IndividualTaxData* taxpayer = family->getTaxpayer();
    auto* sch3 = form<TaxData_Sch3>(taxpayer, 4, true);
    QVERIFY(sch3);
    // The summary reads Schedule 3's result as the last step left it.
    sch3->Result.m_value = -1200;
    taxpayer->UpdateT1KS(true, nullptr);
    QCOMPARE(summary(taxpayer)->CapitalLossCarryForward.m_value, 1200.0);
}

void TestCalcDriver::unchangedReturnComparesEqualToItsSavedCopy()
{
    auto family = makeFamily(true);
    IndividualTaxData* taxpayer = family->getTaxpayer();
    addT4(taxpayer, 52000, 7000);
    form<TaxData_T1ANew>(taxpayer, 39, true)->CapitalLoss.m_value = 800;
    AppClock::setFixed(QDateTime(QDate(2025, 3, 1), QTime(9, 0)));
    family->Calculate(-1, nullptr);

    CFamilyTaxData saved;
    saved = *family;
    // Opened on another day and recalculated without an edit.
    AppClock::setFixed(QDateTime(QDate(2025, 4, 2), QTime(9, 0)));
    family->Calculate(-1, nullptr);
    QVERIFY(*family == saved);
}

void TestCalcDriver::t1aDateIsStampedWhenTheT1AIsEdited()
{
    auto family = makeFamily(false);
    IndividualTaxData* taxpayer = family->getTaxpayer();
    auto* t1a = form<TaxData_T1ANew>(taxpayer, 39, true);
    AppClock::setFixed(QDateTime(QDate(2025, 3, 1), QTime(9, 0)));
    family->Calculate(-1, nullptr);
    QVERIFY(!summary(taxpayer)->T1ADate.m_value.isValid());

    family->Calculate(t1a->getKind(), t1a);
    QCOMPARE(summary(taxpayer)->T1ADate.m_value, QDate(2025, 3, 1));
    AppClock::setFixed(QDateTime(QDate(2025, 4, 2), QTime(9, 0)));
    family->Calculate(-1, nullptr);
    QCOMPARE(summary(taxpayer)->T1ADate.m_value, QDate(2025, 3, 1));

    taxpayer->RemoveFormData(t1a, true);
    family->Calculate(-1, nullptr);
    QVERIFY(!summary(taxpayer)->T1ADate.m_value.isValid());
}

void TestCalcDriver::foreignTaxTotalsRound_data()
{
    QTest::addColumn<QList<double>>("businessCredits");
    QTest::addColumn<double>("expected");
    QTest::newRow("10.4") << QList<double>{10.4} << 10.0;
    QTest::newRow("10.5") << QList<double>{10.5} << 11.0;
    QTest::newRow("-10.5") << QList<double>{-10.5} << -11.0;
    QTest::newRow("each form rounded on its own") << QList<double>{10.4, 10.5} << 21.0;
}

void TestCalcDriver::foreignTaxTotalsRound()
{
    QFETCH(QList<double>, businessCredits);
    QFETCH(double, expected);
    auto family = makeFamily(false);
    IndividualTaxData* taxpayer = family->getTaxpayer();
    for (double credit : businessCredits) {
        STRUCT_FORMDATA_ITEM_2004* item = taxpayer->NewFormDataItem(35, taxpayer->GetNextUniqueID(), true, 0, true);
        qobject_cast<TaxData_T2209_2036*>(item->data)->Result2.m_value = credit;
    }
    taxpayer->CalculateT2209FedPart();
    QCOMPARE(taxpayer->GetT1()->FtcTotal2.m_value, expected);
}

void TestCalcDriver::foreignTaxCreditSumsEveryCountryAndIsCapped()
{
    auto family = makeFamily(false);
    IndividualTaxData* taxpayer = family->getTaxpayer();
    TaxData_T1New* t1 = taxpayer->GetT1();
    t1->line23600NetIncome.m_value = 100000;
    t1->line42900BasicFederalTax.m_value = 10000;
    auto* t691 = form<TaxData_T691New>(taxpayer, 31, true);
    QVERIFY(t691);
    const std::pair<double, double> countries[] = {{10000, 1000}, {5000, 300}};
    for (auto [income, paid] : countries) {
        STRUCT_FORMDATA_ITEM_2004* item = taxpayer->NewFormDataItem(35, taxpayer->GetNextUniqueID(), true, 0, true);
        auto* t2209 = qobject_cast<TaxData_T2209_2036*>(item->data);
        t2209->ForeignNonBusinessIncome.m_value = income;
        t2209->ForeignTaxPaid.m_value = paid;
    }
    taxpayer->CalculateT2209FedPart();
    QCOMPARE(t1->line40500ForeignTaxCredit.m_value, 1300.0);
    QCOMPARE(t691->ForeignTaxCredit1.m_value, 1300.0); // every country, not the last one only

    // Special taxes keep the tax available for the credit; the credit
    // itself never exceeds the basic federal tax.
    t1->line42900BasicFederalTax.m_value = 1000;
    t1->line41800SpecialTaxes.m_value = 9000;
    taxpayer->CalculateT2209FedPart();
    QCOMPARE(t1->line40500ForeignTaxCredit.m_value, 1000.0);
}

void TestCalcDriver::foreignTaxCreditKeepsTheNetIncomeTypedByHand()
{
    auto family = makeFamily(false);
    IndividualTaxData* taxpayer = family->getTaxpayer();
    taxpayer->GetT1()->line23600NetIncome.m_value = 100000;
    auto* t2209 = form<TaxData_T2209_2036>(taxpayer, 35, true);
    t2209->OverrideNetIncome.m_value = 1;
    t2209->NetIncome.m_value = 64000;
    taxpayer->CalculateT2209FedPart();
    QCOMPARE(t2209->NetIncome.m_value, 64000.0);
    t2209->OverrideNetIncome.m_value = 0;
    taxpayer->CalculateT2209FedPart();
    QCOMPARE(t2209->NetIncome.m_value, 100000.0);
}

QTEST_GUILESS_MAIN(TestCalcDriver)
#include "tst_calcdriver.moc"

namespace {

// Takes every form of the type out of the person's list, as a damaged or
// hand-edited return may lack it.
void dropForms(IndividualTaxData* person, ENUMTYPE_FORM type)
{
    for (auto it = person->m_formList.begin(); it != person->m_formList.end();) {
        if ((*it)->type == type) {
            person->RemoveFormData((*it)->data, false);
            delete *it;
            it = person->m_formList.erase(it);
        } else {
            ++it;
        }
    }
}

} // namespace

void TestCalcDriver::missingT1OrSummaryIsNoCrash_data()
{
    QTest::addColumn<bool>("coupled");
    QTest::addColumn<bool>("spouseSide"); // take the forms from the spouse
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("current"); // the spouse is on screen
    QTest::newRow("single without T1") << false << false << 1 << false;
    QTest::newRow("single without summary") << false << false << 93 << false;
    QTest::newRow("coupled, taxpayer without T1") << true << false << 1 << true;
    QTest::newRow("coupled, taxpayer without summary") << true << false << 93 << true;
    QTest::newRow("coupled, spouse without summary") << true << true << 93 << true;
    QTest::newRow("coupled, spouse without summary, taxpayer on screen") << true << true << 93 << false;
}

void TestCalcDriver::missingT1OrSummaryIsNoCrash()
{
    QFETCH(bool, coupled);
    QFETCH(bool, spouseSide);
    QFETCH(int, type);
    QFETCH(bool, current);
    auto family = makeFamily(coupled);
    addT4(family->getTaxpayer(), 40000.0, 6000.0);
    if (coupled)
        addT4(family->getSpouse(), 30000.0, 4000.0);
    family->setCurIndv(current ? -1 : -2);
    IndividualTaxData* person = spouseSide ? family->getSpouse() : family->getTaxpayer();
    dropForms(person, type);
    QVERIFY(!person->HasForm(type));

    family->Calculate(-1, nullptr);
    family->Calculate(0, person->m_slipList.empty() ? nullptr : person->m_slipList.front()->data);
    CString a, b, c;
    family->getFamilyResult(a, b, c);
    QVERIFY(!QString(family->GetFamilyReturnStatusString()).isEmpty());
    QVERIFY(!QString(family->GetReturnStatusString(0)).isEmpty());
    // An empty family too.
    CFamilyTaxData empty;
    QCOMPARE(empty.Calculate(-1, nullptr) >= 0, true);
    QVERIFY(!QString(empty.GetFamilyReturnStatusString()).isEmpty());
}
