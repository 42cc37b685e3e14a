// Calculation steps 1 to 5 through the family's recalculation.
#include <QtTest>
#include <memory>

#include "companion/forms/federal/credits.h"
#include "companion/forms/federal/minimumtax_split.h"
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
    // The lines a recalculation must reproduce exactly.
    QVector<double> figures() const
    {
        QVector<double> values;
        for (const CFloatField* f :
             {&t1->line15000TotalIncome, &t1->line20800RrspDeduction, &t1->line22215CppEnhancedEmployment,
              &t1->line23500SocialBenefitsRepayment, &t1->line23600NetIncome, &t1->line26000TaxableIncome,
              &t1->line30800CppEmployment, &t1->line31200EiPremiums, &t1->line35000NonRefundableCredits,
              &t1->line42000NetFederalTax, &t1->line42800ProvincialTax, &t1->line43500TotalPayable,
              &t1->line44800CppOverpayment, &t1->line45000EiOverpayment, &t1->line48200TotalCredits,
              &t1->line48300Balance})
            values << f->m_value;
        return values;
    }

private slots:
    void cleanup() { family.reset(); }

    void restrictedFarmLoss_data()
    {
        QTest::addColumn<double>("net");
        QTest::addColumn<int>("restricted");
        QTest::addColumn<double>("allowed");
        QTest::addColumn<int>("flagAfter");
        // The answer is the user's: a small loss keeps it for a later, larger one.
        QTest::newRow("small loss") << -1000.0 << 1 << -1000.0 << 1;
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
        // T is the federal tax on this pass's taxable income.
        QCOMPARE(sch11.TField.m_value, t1->line40400FederalTaxOnIncome.m_value);
        QVERIFY(sch11.TField.m_value > 0);
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

    // Two Ontario employers each withheld as if they were the only one.
    // CPP due (68,500 - 3,500) x 5.95 % = 3,867.50 of 2,766.75 + 2,171.75
    // withheld: 1,071 back; 30800 = 3,867.50 x 4.95/5.95 = 3,217.50 and
    // 22215 = 650 (CPP2 of 188 was due but not withheld: nothing to claim).
    // EI due 63,200 x 1.66 % = 1,049.12 of 830 + 664 withheld: 444.88 back.
    // The second T4 leaves box 24 blank: its box 14 is insurable.
    void twoEmployersOverpaid()
    {
        start();
        const struct { double income, cpp, ei; bool box24; } slips[] = {{50000, 2766.75, 830, true},
                                                                         {40000, 2171.75, 664, false}};
        for (const auto& slip : slips) {
            auto& t4 = addSlip<TaxData_Slip_T4>(*person, 1);
            t4.Province.m_value = kOntario;
            t4.box14EmploymentIncome.m_value = slip.income;
            t4.box16CppContributions.m_value = slip.cpp;
            t4.box18EiPremiums.m_value = slip.ei;
            t4.box24EiInsurableEarnings.m_value = slip.box24 ? slip.income : 0.0;
            t4.box26PensionableEarnings.m_value = slip.income;
        }
        calculate();
        QVERIFY(person->HasForm(23));
        QCOMPARE(t1->line30800CppEmployment.m_value, 3217.50);
        QCOMPARE(t1->line22215CppEnhancedEmployment.m_value, 650.0);
        QCOMPARE(t1->line44800CppOverpayment.m_value, 1071.0);
        QCOMPARE(t1->line31200EiPremiums.m_value, 1049.12);
        QCOMPARE(t1->line45000EiOverpayment.m_value, 444.88);
        const QVector<double> first = figures();
        calculate();
        QCOMPARE(figures(), first);
    }

    // Line 23500 from the slips, with or without the dividend worksheet
    // (interest calls for it):
    //   OAS: 100,000 pension + 8,500 OAS = 108,500; 15 % of 17,503 above
    //   90,997 = 2,625.45 (with 1,000 of interest: 15 % of 18,503 = 2,775.45).
    //   EI: 90,000 + 10,000 of regular benefits marked 30 %; 30 % of the
    //   lesser of 10,000 and 21,000 above 79,000 = 3,000 (also with interest).
    void socialBenefitsRepayment_data()
    {
        QTest::addColumn<double>("pension");
        QTest::addColumn<double>("oas");
        QTest::addColumn<double>("employment");
        QTest::addColumn<double>("eiBenefits");
        QTest::addColumn<double>("repaymentRate");
        QTest::addColumn<double>("interest");
        QTest::addColumn<double>("expected");
        QTest::newRow("OAS, no worksheet") << 100000.0 << 8500.0 << 0.0 << 0.0 << 0.0 << 0.0 << 2625.45;
        QTest::newRow("OAS, worksheet") << 100000.0 << 8500.0 << 0.0 << 0.0 << 0.0 << 1000.0 << 2775.45;
        QTest::newRow("EI marked repayable") << 0.0 << 0.0 << 90000.0 << 10000.0 << 30.0 << 0.0 << 3000.0;
        QTest::newRow("EI repayable, worksheet") << 0.0 << 0.0 << 90000.0 << 10000.0 << 30.0 << 1000.0 << 3000.0;
        QTest::newRow("EI not marked") << 0.0 << 0.0 << 90000.0 << 10000.0 << 0.0 << 0.0 << 0.0;
    }
    void socialBenefitsRepayment()
    {
        QFETCH(double, pension);
        QFETCH(double, oas);
        QFETCH(double, employment);
        QFETCH(double, eiBenefits);
        QFETCH(double, repaymentRate);
        QFETCH(double, interest);
        QFETCH(double, expected);
        start();
        t1->BirthDate.m_value = QDate(1952, 6, 1);
        if (pension > 0)
            addSlip<TaxData_Slip_T4A>(*person, 2).box16Pension.m_value = pension;
        if (oas > 0)
            addSlip<CSlipData_T4AOAS>(*person, 6).box18NetPension.m_value = oas;
        if (employment > 0)
            addSlip<TaxData_Slip_T4>(*person, 1).box14EmploymentIncome.m_value = employment;
        if (eiBenefits > 0) {
            auto& t4e = addSlip<TaxData_Slip_T4E>(*person, 5);
            t4e.box14TotalBenefits.m_value = eiBenefits;
            t4e.box15Regular.m_value = eiBenefits;
            t4e.box7RepaymentRate.m_value = repaymentRate;
        }
        if (interest > 0)
            addSlip<TaxData_Slip_T5>(*person, 8).box13Interest.m_value = interest;
        calculate();
        QCOMPARE(person->HasForm(210), interest > 0);
        QCOMPARE(t1->line23500SocialBenefitsRepayment.m_value, expected);
        QCOMPARE(t1->line42200SocialBenefitsRepayment.m_value, expected);
        QCOMPARE(t1->line23600NetIncome.m_value,
                 pension + oas + employment + eiBenefits + interest - expected);
        calculate();
        QCOMPARE(t1->line23500SocialBenefitsRepayment.m_value, expected);
    }

    // Schedule 7: contributions above the deduction limit are carried
    // forward, not deducted.
    void rrspDeductionLimited()
    {
        start();
        addSlip<TaxData_Slip_T4>(*person, 1).box14EmploymentIncome.m_value = 50000;
        auto& sch7 = *static_cast<TaxData_Sch7*>(person->GetFormData(7, true));
        sch7.OwnPriorYearContributions.m_value = 9000;
        sch7.OwnCurrentYearContributions.m_value = 3000;
        sch7.RRSPDeductionLimit.m_value = 10000;
        calculate();
        QCOMPARE(t1->line20800RrspDeduction.m_value, 10000.0);
        QCOMPARE(sch7.UnusedCarryForward.m_value, 2000.0);
        QCOMPARE(t1->line23600NetIncome.m_value, 40000.0);
    }

    // One return per province group: two T4s (40,000 and 20,000, each with
    // the CPP or QPP, EI and tax its employer withheld), 1,000 of interest
    // and an RRSP deduction of 5,000 within a 10,000 limit. Common figures:
    //   15000 = 60,000 + 1,000 = 61,000.
    //   CPP (Schedule 8): due (60,000 - 3,500) x 5.95 % = 3,361.75; withheld
    //   2,171.75 + 981.75 = 3,153.50 (each employer applied the exemption),
    //   so no overpayment; 30800 = 3,153.50 x 4.95/5.95 = 2,623.50,
    //   22215 = 530.00. EI: 60,000 x 1.66 % = 996 due and withheld.
    //   23600 = 61,000 - 5,000 - 530 = 55,470 = 26000.
    //   40400 = 55,470 x 15 % = 8,320.50.
    //   Credits 15,705 + 2,623.50 + 996 + 1,433 = 20,757.50 x 15 % = 3,113.63;
    //   42900 = 8,320.50 - 3,113.63 = 5,206.87. Tax deducted 9,000.
    // Provincial tax (42800), then 43500 = 42000 + 42800 against 9,000:
    //   ON: 51,446 x 5.05 % = 2,598.02 + 4,024 x 9.15 % = 368.20 = 2,966.22,
    //       less (12,399 + 2,623.50 + 996) x 5.05 % = 808.93 -> 2,157.29; no
    //       surtax or reduction; health premium 450 + 25 % x 7,470, at most
    //       600 -> 2,757.29. Refund 9,000 - 7,964.16 = 1,035.84.
    //   BC: 47,937 x 5.06 % = 2,425.61 + 7,533 x 7.7 % = 580.04 = 3,005.65,
    //       less (12,580 + 2,623.50 + 996) x 5.06 % = 819.69 -> 2,185.96; the
    //       reduction 547 - 3.56 % x 31,132 is 0. Refund 1,607.17.
    //   AB: 5,547.00 less (21,885 + 2,623.50 + 996) x 10 % = 2,550.45 ->
    //       2,996.55. Refund 9,000 - 8,203.42 = 796.58.
    //   NS: 29,590 x 8.79 % = 2,600.96 + 25,880 x 14.95 % = 3,869.06 =
    //       6,470.02, less (8,481 + the additional amount 3,000 - 6 % x
    //       (55,470 - 25,000) = 1,171.80 + 2,623.50 + 996) x 8.79 % =
    //       1,166.64 -> 5,303.38. Owing 5,206.87 + 5,303.38 - 9,000 = 1,510.25.
    //   QC: QPP (RC381) 2,336 + 1,056 = 3,392 withheld of 3,616 due:
    //       30800 = 3,392 x 5.4/6.4 = 2,862, 22215 = 530; EI at 1.32 %: 792;
    //       PPIP 197.60 + 98.80 = 296.40. Credits 15,705 + 2,862 + 792 +
    //       296.40 + 1,433 = 21,088.40 x 15 % = 3,163.26; 42900 = 5,157.24;
    //       no provincial tax here; abatement 16.5 % = 850.94 refundable.
    //       Refund 9,000 + 850.94 - 5,157.24 = 4,693.70.
    void endToEnd_data()
    {
        QTest::addColumn<int>("province");
        QTest::addColumn<double>("line30800");
        QTest::addColumn<double>("line31200");
        QTest::addColumn<double>("line42900");
        QTest::addColumn<double>("line42800");
        QTest::addColumn<double>("line48400");
        QTest::addColumn<double>("line48500");
        QTest::newRow("Ontario") << kOntario << 2623.50 << 996.0 << 5206.87 << 2757.29 << 1035.84 << 0.0;
        QTest::newRow("British Columbia") << kBritishColumbia << 2623.50 << 996.0 << 5206.87 << 2185.96 << 1607.17
                                          << 0.0;
        QTest::newRow("Alberta") << 1 << 2623.50 << 996.0 << 5206.87 << 2996.55 << 796.58 << 0.0;
        QTest::newRow("Quebec") << 11 << 2862.0 << 792.0 << 5157.24 << 0.0 << 4693.70 << 0.0;
        QTest::newRow("Nova Scotia") << 6 << 2623.50 << 996.0 << 5206.87 << 5303.38 << 0.0 << 1510.25;
    }
    void endToEnd()
    {
        QFETCH(int, province);
        QFETCH(double, line30800);
        QFETCH(double, line31200);
        QFETCH(double, line42900);
        QFETCH(double, line42800);
        QFETCH(double, line48400);
        QFETCH(double, line48500);
        start(province);
        const bool quebec = province == 11;
        for (double income : {40000.0, 20000.0}) {
            auto& t4 = addSlip<TaxData_Slip_T4>(*person, 1);
            t4.Province.m_value = province;
            t4.box14EmploymentIncome.m_value = income;
            t4.box22IncomeTaxDeducted.m_value = income * 0.15;
            t4.box24EiInsurableEarnings.m_value = income;
            t4.box26PensionableEarnings.m_value = income;
            t4.box18EiPremiums.m_value = income * (quebec ? 0.0132 : 0.0166);
            if (quebec) {
                t4.box17QppContributions.m_value = (income - 3500) * 0.064;
                t4.box55PpipPremiums.m_value = income * 0.00494;
            } else {
                t4.box16CppContributions.m_value = (income - 3500) * 0.0595;
            }
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
        QCOMPARE(t1->line22215CppEnhancedEmployment.m_value, 530.0);
        QCOMPARE(t1->line23600NetIncome.m_value, 55470.0);
        QCOMPARE(t1->line26000TaxableIncome.m_value, 55470.0);
        QCOMPARE(t1->line43700TaxDeducted.m_value, 9000.0);
        QCOMPARE(t1->line40400FederalTaxOnIncome.m_value, 8320.50);
        QVERIFY(person->HasForm(210)); // interest calls for the worksheet
        QVERIFY(person->HasForm(quebec ? 148 : 150));
        QCOMPARE(t1->line30800CppEmployment.m_value, line30800);
        QCOMPARE(t1->line31200EiPremiums.m_value, line31200);
        QCOMPARE(t1->line44800CppOverpayment.m_value, 0.0);
        QCOMPARE(t1->line45000EiOverpayment.m_value, 0.0);
        QCOMPARE(t1->line42900BasicFederalTax.m_value, line42900);
        QCOMPARE(t1->line42800ProvincialTax.m_value, line42800);
        QCOMPARE(t1->line48400Refund.m_value, line48400);
        QCOMPARE(t1->line48500BalanceOwing.m_value, line48500);

        // Every step assigns: a second calculation gives the same return.
        const QVector<double> first = figures();
        calculate();
        QCOMPARE(figures(), first);
    }

    // A coupled Ontario return with pension splitting. Ben, 67, receives a
    // pension of 40,000 (T4A box 16) and 8,500 of OAS and splits 10,000 of
    // the pension with Ann, who earns 50,000 (T4 with CPP and EI as due).
    //   Ben: 15000 = 48,500; 21000 = 10,000; 23600 = 26000 = 38,500 (no OAS
    //   repayment). Credits 15,705 + age 8,790 (38,500 is below 44,325) +
    //   pension 2,000 = 26,495 x 15 % = 3,974.25; 40400 = 5,775;
    //   42900 = 1,800.75. Ontario: 1,944.25 less (12,399 + age 6,054 +
    //   pension 1,714) x 5.05 % = 1,018.43 -> 925.82, health premium 300 +
    //   6 % x 2,500 = 450 -> 1,375.82. 43500 = 3,176.57 against 6,000
    //   withheld less the 1,500 that follows the split (6,000 x 10,000 /
    //   40,000, T1032): refund 4,500 - 3,176.57 = 1,323.43.
    //   Ann: 15000 = 50,000 + 11600 10,000 = 60,000. CPP 2,766.75: 30800 =
    //   2,301.75, 22215 = 465; 23600 = 26000 = 59,535. 40400 = 8,380.05 +
    //   3,668 x 20.5 % = 751.94 = 9,131.99. Credits 15,705 + 2,301.75 + 830
    //   + 1,433 + pension 2,000 = 22,269.75 x 15 % = 3,340.46; 42900 =
    //   5,791.53. Ontario: 2,598.02 + 8,089 x 9.15 % = 740.14 = 3,338.16
    //   less (15,530.75 + pension 1,714) x 5.05 % = 870.86 -> 2,467.30 (the
    //   LIFT credit is nil: 5 % x (59,535 - 32,500) is above 875) + health
    //   premium 600 = 3,067.30. 43500 = 8,858.83 against 7,500 + the 1,500
    //   allocated with the split = 9,000: refund 141.17.
    void endToEndCoupled()
    {
        family = std::make_unique<CFamilyTaxData>();
        const NewReturnBasicData data = newReturn(0, true);
        family->NewData(&data);
        IndividualTaxData* ann = family->getTaxpayer();
        IndividualTaxData* ben = family->getSpouse();
        ben->GetT1()->BirthDate.m_value = QDate(1957, 3, 4);
        auto& t4 = addSlip<TaxData_Slip_T4>(*ann, 1);
        t4.Province.m_value = kOntario;
        t4.box14EmploymentIncome.m_value = 50000;
        t4.box16CppContributions.m_value = 2766.75;
        t4.box18EiPremiums.m_value = 830;
        t4.box22IncomeTaxDeducted.m_value = 7500;
        t4.box24EiInsurableEarnings.m_value = 50000;
        t4.box26PensionableEarnings.m_value = 50000;
        auto& pension = addSlip<TaxData_Slip_T4A>(*ben, 2);
        pension.box16Pension.m_value = 40000;
        pension.box22IncomeTaxDeducted.m_value = 6000;
        addSlip<CSlipData_T4AOAS>(*ben, 6).box18NetPension.m_value = 8500;
        auto& given = addForm<TaxData_T1032_New>(*ben, 118);
        given.ElectorIndicator.m_value = 0;
        given.line10321SplitAmount.m_value = 10000;
        addForm<TaxData_T1032_New>(*ann, 118).ElectorIndicator.m_value = 1;
        calculate();

        const struct { IndividualTaxData* person; double l15000, l23600, l42900, l42800, refund, owing; } rows[] = {
            {ben, 48500, 38500, 1800.75, 1375.82, 1323.43, 0},
            {ann, 60000, 59535, 5791.53, 3067.30, 141.17, 0},
        };
        for (const auto& row : rows) {
            const TaxData_T1New* mine = row.person->GetT1();
            QCOMPARE(mine->line15000TotalIncome.m_value, row.l15000);
            QCOMPARE(mine->line23600NetIncome.m_value, row.l23600);
            QCOMPARE(mine->line26000TaxableIncome.m_value, row.l23600);
            QCOMPARE(mine->line31400PensionIncomeAmount.m_value, 2000.0);
            // Each needs its own credits: nothing moves on Schedule 2.
            QCOMPARE(mine->line32600TransferFromSpouse.m_value, 0.0);
            QCOMPARE(mine->line42900BasicFederalTax.m_value, row.l42900);
            QCOMPARE(mine->line42800ProvincialTax.m_value, row.l42800);
            QCOMPARE(mine->line48400Refund.m_value, row.refund);
            QCOMPARE(mine->line48500BalanceOwing.m_value, row.owing);
        }
        QCOMPARE(ben->GetT1()->line21000SplitPensionDeduction.m_value, 10000.0);
        QCOMPARE(ann->GetT1()->line11600ElectedSplitPension.m_value, 10000.0);
        QCOMPARE(ann->GetT1()->line30800CppEmployment.m_value, 2301.75);
        QCOMPARE(ben->GetT1()->line43700TaxDeducted.m_value, 4500.0);
        QCOMPARE(ann->GetT1()->line43700TaxDeducted.m_value, 9000.0);

        // The same figures with Ben on screen.
        t1 = ann->GetT1();
        const QVector<double> annBefore = figures();
        family->setCurIndv(CFamilyTaxData::kSpouse);
        calculate();
        QCOMPARE(figures(), annBefore);
    }
};

QTEST_GUILESS_MAIN(TestSteps)
#include "tst_steps.moc"
