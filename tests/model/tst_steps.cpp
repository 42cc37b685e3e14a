// Calculation steps 1 to 5 through the family's recalculation.
#include <QtTest>
#include <memory>

#include "companion/forms/federal/credits.h"
#include "companion/forms/federal/mirroring.h"
#include "companion/forms/federal/statements.h"
#include "companion/forms/schedules/taxdata_sch11.h"
#include "companion/forms/schedules/taxdata_sch2.h"
#include "companion/forms/schedules/taxdata_sch7.h"
#include "companion/forms/slips/slips_employment.h"
#include "companion/forms/slips/slips_investment.h"
#include "companion/forms/wizard/interviewdata.h"
#include "modelfixture.h"

using namespace modelfixture;

namespace {

template <typename Slip>
Slip& addSlip(IndividualTaxData& person, ENUMTYPE_SLIP type)
{
    return static_cast<Slip&>(*person.NewSlipData(type, 0, 0)->data);
}

template <typename Form>
Form& addForm(IndividualTaxData& person, ENUMTYPE_FORM type)
{
    return static_cast<Form&>(*person.NewFormDataItem(type, 0, true, 0, true)->data);
}

} // namespace

class TestSteps : public QObject
{
    Q_OBJECT
    std::unique_ptr<CFamilyTaxData> family;
    IndividualTaxData* person = nullptr;
    TaxData_T1New* t1 = nullptr;

    void start(int province = kOntario, int marital = 5)
    {
        family = std::make_unique<CFamilyTaxData>();
        const NewReturnBasicData data = newReturn(marital, false, province);
        family->NewData(&data);
        person = family->getTaxpayer();
        t1 = person->GetT1();
    }
    void calculate() { family->Calculate(0, nullptr); }

private slots:
    void cleanup() { family.reset(); }

    void restrictedFarmLoss_data()
    {
        QTest::addColumn<double>("net");
        QTest::addColumn<int>("restricted");
        QTest::addColumn<double>("allowed");
        QTest::addColumn<int>("flagAfter");
        QTest::newRow("small loss") << -1000.0 << 1 << -1000.0 << 0;
        QTest::newRow("half beyond 2,500") << -10000.0 << 1 << -6250.0 << 1;
        QTest::newRow("capped at 17,500") << -40000.0 << 1 << -17500.0 << 1;
        QTest::newRow("not restricted") << -10000.0 << 0 << -10000.0 << 0;
    }
    void restrictedFarmLoss()
    {
        QFETCH(double, net);
        QFETCH(int, restricted);
        QFETCH(double, allowed);
        QFETCH(int, flagAfter);
        start();
        auto& farm = addForm<TaxData_T2042New>(*person, 21);
        farm.line9898Expenses.m_value = -net;
        t1->RestrictedFarmFlag.m_value = restricted;
        calculate();
        QCOMPARE(t1->line14100FarmingNet.m_value, allowed);
        QCOMPARE(t1->RestrictedFarmFlag.m_value, flagAfter);
        QCOMPARE(t1->FarmingCount.m_value, 1.0);
    }

    // One 10,000 exemption per person for the death benefits of T4A and T3
    // slips together.
    void deathBenefitExemption_data()
    {
        QTest::addColumn<double>("t4a106");
        QTest::addColumn<double>("t3box35");
        QTest::addColumn<double>("taxed");
        QTest::newRow("T4A 10,000") << 10000.0 << 0.0 << 0.0;
        QTest::newRow("T4A 12,500") << 12500.0 << 0.0 << 2500.0;
        QTest::newRow("T4A and T3 share one exemption") << 8000.0 << 5000.0 << 3000.0;
    }
    void deathBenefitExemption()
    {
        QFETCH(double, t4a106);
        QFETCH(double, t3box35);
        QFETCH(double, taxed);
        start();
        addSlip<TaxData_Slip_T4A>(*person, 2).box106DeathBenefits.m_value = t4a106;
        if (t3box35 > 0)
            addSlip<TaxData_Slip_T3>(*person, 9).box35DeathBenefits.m_value = t3box35;
        calculate();
        QCOMPARE(t1->UnclassifiedSlipIncome.m_value, taxed);
        QCOMPARE(t1->line13000OtherIncome.m_value, taxed);
    }

    void spouseTransferProratedByBankruptDays()
    {
        start(kOntario, 0);
        t1->BankruptcyDate.m_value = QDate(2024, 4, 10); // 100 days before it
        auto& sch2 = *static_cast<TaxData_Sch2*>(person->GetFormData(3, true));
        sch2.SpouseTuitionTransfer.m_value = 3660;
        calculate();
        QCOMPARE(t1->GetBankruptDaysInTaxYear(), 100);
        QVERIFY(sch2.line32600Total.m_value > 0);
        QCOMPARE(t1->line32600TransferFromSpouse.m_value, sch2.line32600Total.m_value * 100.0 / 366.0);
    }

    void pensionPlanSelector_data()
    {
        QTest::addColumn<double>("cpp");
        QTest::addColumn<double>("qpp");
        QTest::addColumn<int>("selector");
        QTest::newRow("none") << 0.0 << 0.0 << 0;
        QTest::newRow("CPP") << 500.0 << 0.0 << 1;
        QTest::newRow("QPP wins") << 500.0 << 400.0 << 2;
    }
    void pensionPlanSelector()
    {
        QFETCH(double, cpp);
        QFETCH(double, qpp);
        QFETCH(int, selector);
        start();
        auto& a = addSlip<TaxData_Slip_T4>(*person, 1);
        a.Province.m_value = kOntario;
        a.box16CppContributions.m_value = cpp;
        if (qpp > 0) {
            auto& b = addSlip<TaxData_Slip_T4>(*person, 1);
            b.Province.m_value = 11;
            b.box17QppContributions.m_value = qpp;
        }
        calculate();
        QCOMPARE(t1->PensionPlanSelector.m_value, selector);
        QCOMPARE(person->HasForm(150), selector == 1);
        QCOMPARE(person->HasForm(148), selector == 2);
    }

    void directDepositFlagFollowsT1DD()
    {
        start();
        auto& t183 = *static_cast<TaxData_T183New*>(person->GetFormData(96, true));
        addForm<CTaxData_T1DD>(*person, 52);
        calculate();
        QCOMPARE(t183.DirectDeposit.m_value, 1);
        person->RemoveFormData(person->GetFormData(52, false), true);
        calculate();
        QCOMPARE(t183.DirectDeposit.m_value, 0);
    }

    void spouseMedicalEntriesSurvive()
    {
        start(kOntario, 5); // single: the spouse amounts cannot be claimed
        auto* med = qobject_cast<CWizData_MedExp*>(person->GetWizData(4, true));
        QVERIFY(med);
        med->Spouse1.m_value = 700;
        med->Spouse5.m_value = 50;
        person->ReadDataFromWizards(4);
        QVERIFY(!t1->CanClaimSpouse());
        calculate();
        QCOMPARE(med->Spouse1.m_value, 700.0);
        QCOMPARE(med->Spouse5.m_value, 50.0);
        person->ReadDataFromWizards(4);
        QCOMPARE(t1->MedicalSpouse1.m_value, 700.0);
    }

    // The running total of the rental statements comes from this pass, so
    // recalculating twice gives the same figures.
    void rentalRunningTotalFromThisPass()
    {
        start();
        auto& a = addForm<TaxData_T776New>(*person, 12);
        a.line8141GrossRents.m_value = 12000;
        a.line9220Utilities.m_value = 2000;
        auto& b = addForm<TaxData_T776New>(*person, 12);
        b.line8141GrossRents.m_value = 5000;
        calculate();
        QCOMPARE(a.RunningTotal.m_value, 0.0);
        QCOMPARE(b.RunningTotal.m_value, a.NetResult.m_value);
        QCOMPARE(t1->line12600NetRental.m_value, 15000.0);
        calculate();
        QCOMPARE(b.RunningTotal.m_value, 10000.0);
        QCOMPARE(t1->RentalCount.m_value, 2.0);
    }

    void tuitionRateTestFromThisPass_data()
    {
        QTest::addColumn<double>("income");
        QTest::addColumn<bool>("usesTax");
        QTest::newRow("below the threshold") << 40000.0 << false;
        QTest::newRow("above it") << 90000.0 << true;
    }
    void tuitionRateTestFromThisPass()
    {
        QFETCH(double, income);
        QFETCH(bool, usesTax);
        start();
        addSlip<TaxData_Slip_T4>(*person, 1).box14EmploymentIncome.m_value = income;
        auto& sch11 = *static_cast<TaxData_Sch11*>(person->GetFormData(11, true));
        sch11.RateTestIncome.m_value = 1e6; // left over from some earlier calculation
        calculate();
        const double expected = usesTax ? sch11.TField.m_value / 0.15 : t1->line26000TaxableIncome.m_value;
        QCOMPARE(sch11.RateTestIncome.m_value, expected);
    }

    void unusableInputsReported()
    {
        start();
        auto& business = addForm<TaxData_T2125_New>(*person, 125);
        business.IncomeKind.m_value = 5;
        business.GrossIncome.m_value = 9000;
        person->GetFormData(57, true);
        for (int i = 0; i < 7; ++i)
            addSlip<TaxData_Slip_T4>(*person, 1).box14EmploymentIncome.m_value = 1000 * (i + 1);
        calculate();
        QCOMPARE(t1->BusinessCount.m_value, 1.0);
        QCOMPARE(t1->line13500BusinessNet.m_value + t1->line13700ProfessionalNet.m_value, 0.0);
        auto* cpt20 = qobject_cast<TaxData_CPT20_New*>(person->GetFormData(57, false));
        QCOMPARE(cpt20->Earnings6.m_value, 6000.0);
        std::list<CString> messages;
        person->ValidateCalculationInputs(messages);
        QCOMPARE(int(messages.size()), 2);
        QVERIFY(messages.front().contains("T2125"));
        QVERIFY(messages.back().contains("CPT20"));
    }

    void onlyCalculationCreatesForms()
    {
        start();
        addSlip<TaxData_Slip_T3>(*person, 9).box21CapitalGains.m_value = 1000;
        std::list<CString> messages;
        person->ValidateCalculationInputs(messages);
        QVERIFY(!person->HasForm(4));
        calculate();
        QVERIFY(person->HasForm(4));
    }

    // One return per province group: T4 slips, interest and an RRSP
    // deduction. Income, deductions and federal tax on taxable income follow
    // the 2024 federal brackets (15% to 55,867, then 20.5%).
    void endToEnd_data()
    {
        QTest::addColumn<int>("province");
        QTest::newRow("Ontario") << kOntario;
        QTest::newRow("British Columbia") << kBritishColumbia;
        QTest::newRow("Alberta") << 1;
        QTest::newRow("Quebec") << 11;
        QTest::newRow("Nova Scotia") << 6;
    }
    void endToEnd()
    {
        QFETCH(int, province);
        start(province);
        for (double income : {40000.0, 20000.0}) {
            auto& t4 = addSlip<TaxData_Slip_T4>(*person, 1);
            t4.Province.m_value = province;
            t4.box14EmploymentIncome.m_value = income;
            t4.box22IncomeTaxDeducted.m_value = income * 0.15;
        }
        addSlip<TaxData_Slip_T5>(*person, 8).box13Interest.m_value = 1000;
        auto& sch7 = *static_cast<TaxData_Sch7*>(person->GetFormData(7, true));
        sch7.OwnPriorYearContributions.m_value = 5000;
        sch7.RRSPDeductionLimit.m_value = 10000;
        calculate();
        QCOMPARE(t1->line10100EmploymentIncome.m_value, 60000.0);
        QCOMPARE(t1->line12100InterestIncome.m_value, 1000.0);
        QCOMPARE(t1->line15000TotalIncome.m_value, 61000.0);
        QCOMPARE(t1->line20800RrspDeduction.m_value, 5000.0);
        QCOMPARE(t1->line23600NetIncome.m_value, 56000.0);
        QCOMPARE(t1->line26000TaxableIncome.m_value, 56000.0);
        QCOMPARE(t1->line43700TaxDeducted.m_value, 9000.0);
        // 55,867 x 15% = 8,380.05; 133 x 20.5% = 27.265; 8,407.315 to the cent.
        QCOMPARE(t1->line40400FederalTaxOnIncome.m_value, 8407.32);
        QVERIFY(person->HasForm(210)); // interest calls for the worksheet
    }
};

QTEST_MAIN(TestSteps)
#include "tst_steps.moc"
