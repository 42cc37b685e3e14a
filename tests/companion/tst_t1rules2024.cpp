#include <QtTest>

#include <functional>
#include <memory>

#include "companion/forms/provincialt1amounts.h"
#include "companion/forms/schedules/taxdata_sch11.h"
#include "companion/forms/schedules/taxdata_sch3.h"
#include "companion/forms/schedules/taxdata_sch5.h"
#include "companion/forms/schedules/taxdata_sch8.h"
#include "companion/forms/schedules/taxdata_sch9.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/forms/taxtypes.h"
#include "companion/rules/money.h"
#include "companion/rules/provincialcalc.h"

// Worked 2024 returns driven through the T1's line steps and the schedules
// they name, in the order the calculation driver calls them. The figures
// are the hand-worked ones of the rules' own tests (tst_rules2024).
namespace {

// A person's forms: the T1 and whichever schedules the case holds.
struct Return
{
    TaxData_T1New t1;
    std::unique_ptr<TaxData_Sch3> sch3;
    std::unique_ptr<TaxData_Sch5> sch5;
    std::unique_ptr<TaxData_Sch8_14> sch8;
    std::unique_ptr<TaxData_Sch9> sch9;
    std::unique_ptr<TaxData_Sch11> sch11;

    explicit Return(int province) { t1.setMainTaxProvince(province); }
};

using Setup = std::function<void(Return&)>;

// The person's calculation as far as these forms go: what the driver copies
// between the forms, and the provincial plug-in's share played by the rules.
void calculate(Return& r)
{
    TaxData_T1New& t1 = r.t1;
    // Step 1: Schedule 3 gives taxable capital gains (no negative gain).
    if (r.sch3) {
        r.sch3->Calculate01();
        t1.line12700TaxableCapitalGains.m_value = r.sch3->Result.m_value >= 0.009 ? r.sch3->Result.m_value : 0.0;
    }
    // Step 2: income to taxable income, the CPP lines from Schedule 8.
    t1.CalculateLine213ByWorkSheet();
    t1.CalculateTotalIncome(true);
    if (r.sch8) {
        r.sch8->Calculate01();
        t1.line30800CppEmployment.m_value = r.sch8->EmploymentBase.m_value;
        t1.line31000CppSelfEmployed.m_value = r.sch8->BaseContribution.m_value;
        t1.line22200CppSelfEmployed.m_value = r.sch8->EnhancedDeduction.m_value;
        t1.line22215CppEnhancedEmployment.m_value = r.sch8->EmploymentEnhanced.m_value;
        t1.line42100CppSelfEmployedPayable.m_value = r.sch8->Payable.m_value;
        t1.line44800CppOverpayment.m_value = r.sch8->Overpayment.m_value;
    }
    t1.CalculateNetIncomeBeforeCCT();
    t1.CalculateNetIncomeBeforeF23500();
    t1.CalculateNetIncomeAfterCCT();
    t1.CalculateTaxableIncome();
    // Step 3: Schedule 5, then Schedule 11 against the credits before tuition.
    if (r.sch5) {
        r.sch5->NetIncome.m_value = t1.line23600NetIncome.m_value;
        r.sch5->HasSpouse.m_value = t1.HasSpouse();
        r.sch5->CanClaimSpouse.m_value = t1.CanClaimSpouse();
        r.sch5->Calculate01();
        t1.line30300SpouseAmount.m_value = r.sch5->SpouseAmountResult.m_value;
        t1.line30400EligibleDependant.m_value = r.sch5->EligibleDependantResult.m_value;
    }
    if (r.sch11) {
        r.sch11->RateTestIncome.m_value = t1.line26000TaxableIncome.m_value;
        double before = 0;
        for (const CFloatField* f : {&t1.line30000BasicPersonal, &t1.line30100AgeAmount, &t1.line30300SpouseAmount,
                                     &t1.line30400EligibleDependant, &t1.line30800CppEmployment,
                                     &t1.line31000CppSelfEmployed, &t1.line31200EiPremiums,
                                     &t1.line31205PpipEmployment, &t1.line31260CanadaEmployment,
                                     &t1.line31270HomeBuyers, &t1.line31400PensionIncomeAmount,
                                     &t1.line31600DisabilitySelf, &t1.line31900StudentLoanInterest})
            before += f->m_value;
        r.sch11->CreditsBase.m_value = before;
        r.sch11->Calculate01();
        t1.line32300Tuition.m_value = r.sch11->Result.m_value;
    }
    // Step 4: Schedule 9, federal tax, provincial tax.
    if (r.sch9) {
        r.sch9->NetIncome.m_value = t1.line23600NetIncome.m_value;
        r.sch9->TaxableIncome.m_value = t1.line26000TaxableIncome.m_value;
        r.sch9->Calculate01();
        t1.line34900Donations.m_value = r.sch9->Result.m_value;
    }
    t1.CalculateLine314ByWorkSheet();
    t1.CalculateField350AndField410_414();
    t1.CalculateFedTax1stStep();
    t1.CalculateField404();
    t1.CalculateField429AndNonResiSurTax();
    t1.CalculateLine440ByWorkSheet();
    t1.CalculateField406();
    t1.CalculateField417(false);
    t1.CalculateFedTax();
    taxrules::ProvincialInput provincial;
    provincial.taxableIncome = t1.line26000TaxableIncome.m_value;
    provincial.netIncome = t1.line23600NetIncome.m_value;
    provincial.pensionPlanBaseAmount = t1.line30800CppEmployment.m_value + t1.line31000CppSelfEmployed.m_value;
    provincial.eiPremiums = t1.line31200EiPremiums.m_value;
    ProvincialT1Amounts::setTaxTotal(
        &t1, taxrules::computeProvincial(taxrules::provinceFromNumber(t1.getMainTaxProvince()), provincial).provincialTax);
    ProvincialT1Amounts::setCreditTotal(&t1, 0.0);
    // Step 5: total payable and the balance.
    t1.CalculateBeforeLine437(true);
    t1.CalculateBalance(true);
}

Setup otherIncome(double income, double taxDeducted, const Setup& more = {})
{
    return [=](Return& r) {
        r.t1.BirthDate.m_value = QDate(1984, 5, 1);
        r.t1.line13000OtherIncome.m_value = income;
        r.t1.line43700TaxDeducted.m_value = taxDeducted;
        if (more)
            more(r);
    };
}

Setup employee(double earnings, double cppWithheld, double cpp2Withheld, double eiCredited, double taxDeducted)
{
    return [=](Return& r) {
        r.t1.BirthDate.m_value = QDate(1989, 3, 1);
        r.t1.line10100EmploymentIncome.m_value = earnings;
        r.sch8 = std::make_unique<TaxData_Sch8_14>();
        r.sch8->F50329Input.m_value = earnings;
        r.sch8->SlipContributions.m_value = cppWithheld;
        r.sch8->SecondAdditional.m_value = cpp2Withheld;
        r.t1.line31200EiPremiums.m_value = eiCredited;
        r.t1.line43700TaxDeducted.m_value = taxDeducted;
    };
}

bool sameCents(double a, double b) { return qAbs(a - b) < 0.005; }

// Every line the steps own, to compare two passes.
QVector<double> computedLines(const TaxData_T1New& t1)
{
    QVector<double> values;
    for (const CFloatField* f :
         {&t1.line14700NonTaxableAdded, &t1.line15000TotalIncome, &t1.line23300TotalDeductions,
          &t1.line23400NetIncomeBeforeAdjustments, &t1.line23500SocialBenefitsRepayment, &t1.line23600NetIncome,
          &t1.line25000OtherPaymentsDeduction, &t1.line25300NetCapitalLosses, &t1.line25700TotalTaxableDeductions,
          &t1.line26000TaxableIncome, &t1.line30000BasicPersonal, &t1.line30100AgeAmount,
          &t1.line31260CanadaEmployment, &t1.line31270HomeBuyers, &t1.line31400PensionIncomeAmount,
          &t1.line31600DisabilitySelf, &t1.line32300Tuition, &t1.line33200AllowableMedical,
          &t1.line33500TotalCreditAmounts, &t1.line33800CreditsAtRate, &t1.line34900Donations,
          &t1.line35000NonRefundableCredits, &t1.line40400FederalTaxOnIncome, &t1.line40425DividendTaxCredit,
          &t1.line42900BasicFederalTax, &t1.line42000NetFederalTax, &t1.line42200SocialBenefitsRepayment,
          &t1.line42800ProvincialTax, &t1.line43500TotalPayable, &t1.line44000QuebecAbatement,
          &t1.line48200TotalCredits, &t1.line48300Balance, &t1.line48400Refund, &t1.line48500BalanceOwing})
        values << f->m_value;
    return values;
}

} // namespace

Q_DECLARE_METATYPE(Setup)

class TestT1Rules2024 : public QObject
{
    Q_OBJECT

private slots:
    void t1HoldsWhatThePluginReads();
    void workedReturns_data();
    void workedReturns();
};

// The provincial plug-ins reach the T1 by field name: every name must be an
// amount of the real T1, or the province would silently compute on zeros.
void TestT1Rules2024::t1HoldsWhatThePluginReads()
{
    TaxData_T1New t1;
    QList<const char*> names{ProvincialT1Amounts::kTaxTotalField, ProvincialT1Amounts::kCreditTotalField};
    for (const char* name : ProvincialT1Amounts::kInputFields)
        names << name;
    for (const char* name : names) {
        auto* field = dynamic_cast<CFloatField*>(t1.findField(QString::fromLatin1(name)));
        QVERIFY2(field, name);
        field->m_value = 123.45;
        QCOMPARE(ProvincialT1Amounts::lineAmount(&t1, name), 123.45);
    }
}

void TestT1Rules2024::workedReturns_data()
{
    QTest::addColumn<int>("province");
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<double>("line15000");
    QTest::addColumn<double>("line23600");
    QTest::addColumn<double>("line26000");
    QTest::addColumn<double>("federalTax"); // 42000
    QTest::addColumn<double>("provincialTax"); // 42800
    QTest::addColumn<double>("refund");  // 48400
    QTest::addColumn<double>("owing");   // 48500

    QTest::newRow("AB at 55,867") << int(PROV_AB) << otherIncome(55867, 8000)
        << 55867.0 << 55867.0 << 55867.0 << 6024.30 << 3398.20 << 0.0 << 1422.50;
    QTest::newRow("AB at 200,000, basic amount reduced") << int(PROV_AB) << otherIncome(200000, 60000)
        << 200000.0 << 200000.0 << 200000.0 << 41314.75 << 19066.90 << 0.0 << 381.65;
    QTest::newRow("ON surtax at 150,000") << int(PROV_ON) << otherIncome(150000, 45000)
        << 150000.0 << 150000.0 << 150000.0 << 27426.25 << 15701.09 << 1872.66 << 0.0;
    QTest::newRow("BC tax reduction at 30,000") << int(PROV_BC) << otherIncome(30000, 2500)
        << 30000.0 << 30000.0 << 30000.0 << 2144.25 << 536.02 << 0.0 << 180.27;
    // NS: 29,590 x 8.79 % = 2,600.96 + 29,590 x 14.95 % = 4,423.71 + 15,820 x
    // 16.67 % = 2,637.19 -> 9,661.86, less the 2024 basic personal amount
    // 8,481 x 8.79 % = 745.48 -> 8,916.38. Owing 9,946.57 + 8,916.38 - 15,000.
    QTest::newRow("NS at 75,000") << int(PROV_NS) << otherIncome(75000, 15000)
        << 75000.0 << 75000.0 << 75000.0 << 9946.57 << 8916.38 << 0.0 << 3862.95;

    // CPP from Schedule 8: base 2,796.75 credited, 565 deducted; EI 996 credited.
    QTest::newRow("ON employee at 60,000") << int(PROV_ON) << employee(60000, 3361.75, 0, 996, 9000)
        << 60000.0 << 59435.0 << 59435.0 << 5971.88 << 3111.33 << 0.0 << 83.21;
    // CPP 632.50 and CPP2 112 overpaid (Schedule 8), EI overpayment of 250.88 as entered.
    QTest::newRow("ON two employers, CPP overpaid") << int(PROV_ON)
        << Setup([](Return& r) {
               employee(90000, 4500, 300, 1049.12, 20000)(r);
               r.t1.line45000EiOverpayment.m_value = 250.88;
           })
        << 90000.0 << 89162.0 << 89162.0 << 11994.84 << 5957.42 << 3043.12 << 0.0;
    QTest::newRow("AB self-employed") << int(PROV_AB)
        << Setup([](Return& r) {
               r.t1.BirthDate.m_value = QDate(1979, 1, 1);
               r.t1.line13500BusinessNet.m_value = 50000;
               r.t1.InstalmentsPaid.m_value = 5000;
               r.sch8 = std::make_unique<TaxData_Sch8_14>();
               r.sch8->F50339Input.m_value = 50000;
           })
        << 50000.0 << 46768.25 << 46768.25 << 4314.23 << 2258.15 << 0.0 << 7105.88;
    // QPP, Quebec EI and PPIP as the slips give them; the abatement is refundable.
    QTest::newRow("QC employee, abatement") << int(PROV_QC)
        << Setup([](Return& r) {
               r.t1.BirthDate.m_value = QDate(1989, 3, 1);
               r.t1.line10100EmploymentIncome.m_value = 60000;
               r.t1.line30800CppEmployment.m_value = 3051;
               r.t1.line22215CppEnhancedEmployment.m_value = 565;
               r.t1.line31200EiPremiums.m_value = 792;
               r.t1.line31205PpipEmployment.m_value = 296.40;
               r.t1.line43700TaxDeducted.m_value = 6000;
           })
        << 60000.0 << 59435.0 << 59435.0 << 5919.88 << 0.0 << 1056.90 << 0.0;

    // Taxable amounts of dividends as the dividend worksheet enters them.
    QTest::newRow("AB eligible and other dividends") << int(PROV_AB)
        << otherIncome(0, 0, [](Return& r) {
               r.t1.line12000TaxableDividends.m_value = 19550;
               r.t1.line12010OtherThanEligibleDividends.m_value = 5750;
               r.t1.line12100InterestIncome.m_value = 20000;
               r.t1.InstalmentsPaid.m_value = 1000;
           })
        << 39550.0 << 39550.0 << 39550.0 << 984.79 << 1766.50 << 0.0 << 1751.29;
    // Schedule 3: 30,000 of gains less 10,000 of losses on shares; 3,000 of old losses.
    QTest::newRow("AB capital gains, half taxable") << int(PROV_AB)
        << otherIncome(40000, 7000, [](Return& r) {
               r.sch3 = std::make_unique<TaxData_Sch3>();
               r.sch3->line13800RealEstateGain.m_value = 30000;
               r.sch3->AllocateMoreEquityEntries(1);
               r.sch3->equityEntry(0).Cost = 10000;
               r.t1.NetCapitalLossCarryForward.m_value = 3000;
           })
        << 50000.0 << 50000.0 << 47000.0 << 4694.25 << 2511.50 << 0.0 << 205.75;
    QTest::newRow("AB social assistance not taxed") << int(PROV_AB)
        << otherIncome(20000, 0, [](Return& r) {
               r.t1.line14400WorkersCompensation.m_value = 6000;
               r.t1.line14500SocialAssistance.m_value = 4000;
           })
        << 30000.0 << 30000.0 << 20000.0 << 644.25 << 0.0 << 0.0 << 644.25;
    QTest::newRow("AB donations at 33 %") << int(PROV_AB)
        << otherIncome(250000, 80000, [](Return& r) {
               r.sch9 = std::make_unique<TaxData_Sch9>();
               r.sch9->InterviewDonations1.m_value = 10200;
           })
        << 250000.0 << 250000.0 << 250000.0 << 53032.45 << 25694.60 << 1272.95 << 0.0;
    QTest::newRow("AB medical over 2,759") << int(PROV_AB)
        << otherIncome(100000, 22000, [](Return& r) { r.t1.MedicalOwn1.m_value = 5000; })
        << 100000.0 << 100000.0 << 100000.0 << 14735.42 << 7811.50 << 0.0 << 546.92;
    QTest::newRow("AB spouse amount") << int(PROV_AB)
        << otherIncome(50000, 6000, [](Return& r) {
               r.t1.MaritalStatus.m_value = 0;
               r.sch5 = std::make_unique<TaxData_Sch5>();
               r.sch5->ClaimSpouseAmount.m_value = 1;
               r.sch5->ClaimEligibleDependant.m_value = 1; // not with a spouse
               r.sch5->SpouseNetIncome.m_value = 5000;
           })
        << 50000.0 << 50000.0 << 50000.0 << 3538.50 << 2811.50 << 0.0 << 350.0;
    QTest::newRow("AB single parent with a disability") << int(PROV_AB)
        << otherIncome(60000, 4000, [](Return& r) {
               r.t1.MaritalStatus.m_value = 5;
               r.t1.line21200UnionDues.m_value = 1000;
               r.t1.line21400ChildCare.m_value = 4000;
               r.t1.Disabled.m_value = 1;
               r.t1.line31270HomeBuyers.m_value = 12000;
               r.t1.line31900StudentLoanInterest.m_value = 500;
               r.sch5 = std::make_unique<TaxData_Sch5>();
               r.sch5->ClaimEligibleDependant.m_value = 1;
           })
        << 60000.0 << 55000.0 << 55000.0 << 482.70 << 3311.50 << 205.80 << 0.0;
    QTest::newRow("AB tuition claimed only as needed") << int(PROV_AB)
        << otherIncome(30000, 1000, [](Return& r) {
               r.sch11 = std::make_unique<TaxData_Sch11>();
               r.sch11->EligibleFees.m_value = 20000;
           })
        << 30000.0 << 30000.0 << 30000.0 << 0.0 << 811.50 << 188.50 << 0.0;
    QTest::newRow("ON senior, age and pension amounts") << int(PROV_ON)
        << Setup([](Return& r) {
               r.t1.BirthDate.m_value = QDate(1954, 6, 1);
               r.t1.line11300OldAgeSecurity.m_value = 8500;
               r.t1.line11400CppQppBenefits.m_value = 10000;
               r.t1.line11500OtherPensions.m_value = 30000;
               r.t1.PensionAmount.m_value = 30000;
               r.t1.line43700TaxDeducted.m_value = 5000;
           })
        << 48500.0 << 48500.0 << 48500.0 << 3394.69 << 2398.10 << 0.0 << 792.79;
    QTest::newRow("ON OAS clawback") << int(PROV_ON)
        << Setup([](Return& r) {
               r.t1.BirthDate.m_value = QDate(1952, 6, 1);
               r.t1.line11300OldAgeSecurity.m_value = 8500;
               r.t1.line11500OtherPensions.m_value = 100000;
               r.t1.PensionAmount.m_value = 100000;
               r.t1.line43700TaxDeducted.m_value = 30000;
           })
        << 108500.0 << 105874.55 << 105874.55 << 15975.85 << 8053.59 << 3345.11 << 0.0;
}

void TestT1Rules2024::workedReturns()
{
    QFETCH(int, province);
    QFETCH(Setup, setup);
    QFETCH(double, line15000);
    QFETCH(double, line23600);
    QFETCH(double, line26000);
    QFETCH(double, federalTax);
    QFETCH(double, provincialTax);
    QFETCH(double, refund);
    QFETCH(double, owing);

    Return r(province);
    setup(r);
    calculate(r);
    const TaxData_T1New& t1 = r.t1;
    const struct {
        const char* what;
        double actual;
        double expected;
    } checks[] = {
        {"15000", t1.line15000TotalIncome.m_value, line15000},
        {"23600", t1.line23600NetIncome.m_value, line23600},
        {"26000", t1.line26000TaxableIncome.m_value, line26000},
        {"42000", t1.line42000NetFederalTax.m_value, federalTax},
        {"42800", t1.line42800ProvincialTax.m_value, provincialTax},
        {"48400", t1.line48400Refund.m_value, refund},
        {"48500", t1.line48500BalanceOwing.m_value, owing},
        // The signed balance read by amount code 483.
        {"48300", t1.line48300Balance.m_value, owing - refund},
    };
    for (const auto& c : checks)
        QVERIFY2(sameCents(c.actual, c.expected), qPrintable(QStringLiteral("line %1 is %2, expected %3")
                                                                 .arg(QLatin1String(c.what))
                                                                 .arg(c.actual, 0, 'f', 2)
                                                                 .arg(c.expected, 0, 'f', 2)));

    // The driver runs every step again: the same figures, nothing added twice.
    const QVector<double> first = computedLines(t1);
    calculate(r);
    QCOMPARE(computedLines(t1), first);
}

QTEST_APPLESS_MAIN(TestT1Rules2024)
#include "tst_t1rules2024.moc"
