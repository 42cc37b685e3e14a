// Whole federal returns worked by hand from the agency's 2024 rules, each
// entered the way a user enters it (slips, forms, the dependant table) and
// run through the family's calculation with the shipped plug-ins.
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "companion/forms/federal/credits.h"
#include "companion/forms/fieldchoices.h"
#include "companion/forms/federal/minimumtax_split.h"
#include "companion/forms/schedules/taxdata_sch11.h"
#include "companion/forms/schedules/taxdata_sch13_15.h"
#include "companion/forms/schedules/taxdata_sch3.h"
#include "companion/forms/schedules/taxdata_sch5.h"
#include "companion/forms/schedules/taxdata_sch6.h"
#include "companion/forms/slips/slips_other.h"
#include "companion/forms/slips/slips_employment.h"
#include "modelfixture.h"

using namespace modelfixture;

namespace {

constexpr int kSingle = 5;
constexpr int kMarried = 0;

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

double& amount(CTaxData_Form& form, const char* name)
{
    auto* field = dynamic_cast<CFloatField*>(form.findField(QString::fromLatin1(name)));
    if (!field)
        qFatal("no amount %s", name);
    return field->m_value;
}

} // namespace

class TestFederalReturns : public QObject
{
    Q_OBJECT
    std::unique_ptr<CFamilyTaxData> family;
    IndividualTaxData* person = nullptr;
    TaxData_T1New* t1 = nullptr;

    void start(int marital = kSingle, int province = kOntario)
    {
        family = std::make_unique<CFamilyTaxData>();
        const NewReturnBasicData data = newReturn(marital, false, province);
        family->NewData(&data);
        person = family->getTaxpayer();
        t1 = person->GetT1();
    }
    void calculate() { family->Calculate(0, nullptr); }
    TaxData_Slip_T4& addT4(double employment)
    {
        auto& t4 = addSlip<TaxData_Slip_T4>(*person, 1);
        t4.Province.m_value = kOntario;
        t4.box14EmploymentIncome.m_value = employment;
        return t4;
    }

private slots:
    void cleanup() { family.reset(); }

    // Home Buyers' Plan and Lifelong Learning Plan withdrawals are not
    // income: with 60,000 of employment, line 15000 stays 60,000. A regular
    // withdrawal (box 22) is income at 12900.
    void planWithdrawalsStayOutOfIncome_data()
    {
        QTest::addColumn<double>("hbp");
        QTest::addColumn<double>("llp");
        QTest::addColumn<double>("withdrawal");
        QTest::addColumn<double>("line12900");
        QTest::addColumn<double>("line15000");
        QTest::newRow("HBP 35,000") << 35000.0 << 0.0 << 0.0 << 0.0 << 60000.0;
        QTest::newRow("LLP 10,000") << 0.0 << 10000.0 << 0.0 << 0.0 << 60000.0;
        QTest::newRow("HBP with a withdrawal of 5,000") << 35000.0 << 0.0 << 5000.0 << 5000.0 << 65000.0;
    }
    void planWithdrawalsStayOutOfIncome()
    {
        QFETCH(double, hbp);
        QFETCH(double, llp);
        QFETCH(double, withdrawal);
        QFETCH(double, line12900);
        QFETCH(double, line15000);
        start();
        addT4(60000);
        auto& rsp = addSlip<TaxData_Slip_T4RSP>(*person, 4);
        rsp.box27Hbp.m_value = hbp;
        rsp.box25Llp.m_value = llp;
        rsp.box22Withdrawal.m_value = withdrawal;
        calculate();
        QCOMPARE(t1->line12900RrspIncome.m_value, line12900);
        QCOMPARE(t1->line15000TotalIncome.m_value, line15000);
        QCOMPARE(t1->line12900HbpPart.m_value, hbp);
        QCOMPARE(t1->line12900LlpPart.m_value, llp);
    }

    // A T4 whose box 26 is blank: the pensionable earnings are box 14.
    //   60,000: due (60,000 - 3,500) x 5.95 % = 3,361.75, withheld the same;
    //   30800 = 3,361.75 x 4.95 / 5.95 = 2,796.75, 22215 = 565.00, no
    //   overpayment at 44800.
    //   75,000 (capped at 73,200): base due at the maximum, 3,867.50, and the
    //   second contribution (73,200 - 68,500) x 4 % = 188, both withheld;
    //   30800 = 3,867.50 x 4.95 / 5.95 = 3,217.50 (the base maximum),
    //   22215 = 650 + 188 = 838.00, no overpayment.
    void blankBox26MeansBox14_data()
    {
        QTest::addColumn<double>("employment");
        QTest::addColumn<double>("cpp");
        QTest::addColumn<double>("cpp2");
        QTest::addColumn<double>("line30800");
        QTest::addColumn<double>("line22215");
        QTest::newRow("60,000") << 60000.0 << 3361.75 << 0.0 << 2796.75 << 565.0;
        QTest::newRow("75,000, at the maximum") << 75000.0 << 3867.50 << 188.0 << 3217.50 << 838.0;
    }
    void blankBox26MeansBox14()
    {
        QFETCH(double, employment);
        QFETCH(double, cpp);
        QFETCH(double, cpp2);
        QFETCH(double, line30800);
        QFETCH(double, line22215);
        start();
        auto& t4 = addT4(employment);
        t4.box16CppContributions.m_value = cpp;
        t4.box16ASecondCpp.m_value = cpp2;
        calculate();
        QCOMPARE(t1->line30800CppEmployment.m_value, line30800);
        QCOMPARE(t1->line22215CppEnhancedEmployment.m_value, line22215);
        QCOMPARE(t1->line44800CppOverpayment.m_value, 0.0);
    }

    // Every T4A box on the line the agency's T4A instructions send it to.
    void t4aBoxesReachTheirLines_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("line");
        QTest::newRow("42 RESP educational assistance") << "box42RespEducational" << "line13000OtherIncome";
        QTest::newRow("40 RESP accumulated income") << "box40RespAccumulated" << "line13000OtherIncome";
        QTest::newRow("125 disability benefits from a pension plan") << "box125DisabilityBenefits"
                                                                     << "line13000OtherIncome";
        QTest::newRow("127 veterans' benefits") << "box127Veterans" << "line11500OtherPensions";
        QTest::newRow("130 apprenticeship grant") << "other12Box130" << "line13000OtherIncome";
        QTest::newRow("108 RPP lump sum") << "other4Box108" << "line13000OtherIncome";
        QTest::newRow("115 DPSP lump sum") << "other6Box115" << "line13000OtherIncome";
        QTest::newRow("123 revoked DPSP") << "other10Box123" << "line13000OtherIncome";
        QTest::newRow("197 CERB") << "box197Cerb" << "line13000OtherIncome";
        QTest::newRow("198 CRB") << "box198Crb" << "line13000OtherIncome";
        QTest::newRow("211 lockdown benefit") << "box211Cwlb" << "line13000OtherIncome";
        QTest::newRow("107 wage-loss plan") << "box107WageLoss" << "line10400OtherEmploymentIncome";
        QTest::newRow("117 loan benefits") << "other8Box117" << "line13000OtherIncome";
        QTest::newRow("210 postdoctoral fellowship") << "box210Postdoctoral" << "line10400OtherEmploymentIncome";
        QTest::newRow("131 RDSP") << "box131Rdsp" << "line12500RdspIncome";
    }
    void t4aBoxesReachTheirLines()
    {
        QFETCH(QString, box);
        QFETCH(QString, line);
        start();
        auto& t4a = addSlip<TaxData_Slip_T4A>(*person, 2);
        amount(t4a, box.toLatin1().constData()) = 5000;
        calculate();
        QCOMPARE(amount(*t1, line.toLatin1().constData()), 5000.0);
        QCOMPARE(t1->line15000TotalIncome.m_value, 5000.0);
    }

    // Line 24900 takes the deductions of boxes 39 and 41; box 53 is a memo
    // of benefits already in box 14: 5,000 + 2,000 = 7,000.
    void securityOptionDeductions()
    {
        start();
        auto& t4 = addT4(80000);
        t4.other4Box39.m_value = 5000;
        t4.box41SecurityOptions.m_value = 2000;
        t4.other5Box53.m_value = 10000;
        calculate();
        QCOMPARE(t1->line24900SecurityOptions.m_value, 7000.0);
        QCOMPARE(t1->line26000TaxableIncome.m_value, 73000.0);
    }

    // The dependants' medical table, 4,000 for one dependant beside 60,000
    // of employment (net income 60,000, threshold 1,800):
    //   a child of 9: with the person's own expenses at 33099, 4,000 - 1,800
    //   = 2,200, federal tax lower by 15 % = 330.00;
    //   a parent of 70 with 20,000 of net income: 33199, 4,000 - 600 =
    //   3,400, tax lower by 510.00;
    //   a son of 19 without income: 33199, 4,000 - 0 = 4,000, tax lower by 600.00.
    void dependantsMedicalExpenses_data()
    {
        QTest::addColumn<int>("relationship");
        QTest::addColumn<int>("birthYear");
        QTest::addColumn<double>("netIncome");
        QTest::addColumn<double>("line33099");
        QTest::addColumn<double>("line33199");
        QTest::addColumn<double>("taxSaved");
        QTest::newRow("child of 9") << int(DEP_REL_CHILD) << 2015 << 0.0 << 2200.0 << 0.0 << 330.0;
        QTest::newRow("parent of 70") << int(DEP_REL_PARENT) << 1954 << 20000.0 << 0.0 << 3400.0 << 510.0;
        QTest::newRow("son of 19") << int(DEP_REL_CHILD) << 2005 << 0.0 << 0.0 << 4000.0 << 600.0;
    }
    void dependantsMedicalExpenses()
    {
        QFETCH(int, relationship);
        QFETCH(int, birthYear);
        QFETCH(double, netIncome);
        QFETCH(double, line33099);
        QFETCH(double, line33199);
        QFETCH(double, taxSaved);
        start();
        addT4(60000);
        DependantInfoStruct& table = family->dependants();
        table.AllocData(DependantInfoStruct::kStandardCount);
        DependantInfo& dependant = *table.GetAt(0);
        dependant.firstName = CString("Sam");
        dependant.relationship = relationship;
        dependant.dateOfBirth = QDate(birthYear, 5, 1);
        dependant.netIncome = netIncome;
        calculate();
        const double before = t1->line42900BasicFederalTax.m_value;
        t1->dependantMedical(0, 0).m_value = 4000;
        calculate();
        QCOMPARE(t1->line33099MedicalExpenses.m_value, line33099);
        QCOMPARE(t1->line33199MedicalOtherDependants.m_value, line33199);
        QCOMPARE(t1->line33200AllowableMedical.m_value, line33099 + line33199);
        QCOMPARE(before - t1->line42900BasicFederalTax.m_value, taxSaved);
    }

    // Child care (T778) beside employment income:
    //   one child under 7, 15,000 paid, single parent earning 60,000: 8,000;
    //   a child of 10: 5,000; a child eligible for the disability amount: 11,000;
    //   earning 9,000 only: two thirds of 9,000 = 6,000;
    //   married, the spouse's net income 90,000 (the person is the
    //   lower-income spouse): 8,000;
    //   married, the spouse's net income 20,000 and no reason given: the
    //   lower-income spouse claims, so the person claims 0.
    void childCareLimits_data()
    {
        QTest::addColumn<int>("marital");
        QTest::addColumn<double>("spouseNetIncome");
        QTest::addColumn<double>("employment");
        QTest::addColumn<double>("under7");
        QTest::addColumn<double>("aged7To16");
        QTest::addColumn<double>("disabled");
        QTest::addColumn<double>("line21400");
        QTest::newRow("single parent, under 7") << kSingle << 0.0 << 60000.0 << 1.0 << 0.0 << 0.0 << 8000.0;
        QTest::newRow("single parent, aged 10") << kSingle << 0.0 << 60000.0 << 0.0 << 1.0 << 0.0 << 5000.0;
        QTest::newRow("single parent, disabled child") << kSingle << 0.0 << 60000.0 << 0.0 << 0.0 << 1.0 << 11000.0;
        QTest::newRow("two thirds of earned income") << kSingle << 0.0 << 9000.0 << 1.0 << 0.0 << 0.0 << 6000.0;
        QTest::newRow("lower-income spouse") << kMarried << 90000.0 << 60000.0 << 1.0 << 0.0 << 0.0 << 8000.0;
        QTest::newRow("higher-income spouse") << kMarried << 20000.0 << 60000.0 << 1.0 << 0.0 << 0.0 << 0.0;
    }
    void childCareLimits()
    {
        QFETCH(int, marital);
        QFETCH(double, spouseNetIncome);
        QFETCH(double, employment);
        QFETCH(double, under7);
        QFETCH(double, aged7To16);
        QFETCH(double, disabled);
        QFETCH(double, line21400);
        start(marital);
        t1->SpouseNetIncome.m_value = spouseNetIncome;
        addT4(employment);
        auto& t778 = addForm<TaxData_T778New>(*person, 13);
        t778.OwnAmount.m_value = 15000;
        t778.ChildrenUnder7.m_value = under7;
        t778.ChildrenOther.m_value = aged7To16;
        t778.ChildrenDisabled.m_value = disabled;
        calculate();
        QCOMPARE(t1->line21400ChildCare.m_value, line21400);
        QCOMPARE(t1->line23600NetIncome.m_value, employment - line21400);
    }

    // Line 41000 from line 40900: 400 gives 75 % = 300; 1,000 gives 300 +
    // 175 + 250 / 3 = 558.33; 1,300 gives 300 + 175 + 183.33 = 658.33,
    // held to 650. With 60,000 of employment, federal tax before the credit
    // is 6,656.62 (tax 9,227.32 less credits (15,705 + 1,433) x 15 % =
    // 2,570.70), and line 41600 is that less the credit.
    void politicalContributionCredit_data()
    {
        QTest::addColumn<double>("contributions");
        QTest::addColumn<double>("line41000");
        QTest::newRow("none") << 0.0 << 0.0;
        QTest::newRow("400") << 400.0 << 300.0;
        QTest::newRow("1,000") << 1000.0 << 558.33;
        QTest::newRow("1,300") << 1300.0 << 650.0;
    }
    void politicalContributionCredit()
    {
        QFETCH(double, contributions);
        QFETCH(double, line41000);
        start();
        addT4(60000);
        t1->line40900PoliticalContributions.m_value = contributions;
        calculate();
        QCOMPARE(t1->line40600FederalTax.m_value, 6656.62);
        QCOMPARE(t1->line41000PoliticalCredit.m_value, line41000);
        QCOMPARE(t1->line41600FederalTaxAfterCredits.m_value, 6656.62 - line41000);
    }

    // Adoption expenses (line 31300) count up to 19,066 for each child in
    // 2024 (the agency's indexed maximum; B.C.'s equal amount is confirmed on
    // gov.bc.ca's 2024 credit table). With 60,000 of employment the tax
    // before this credit is 6,656.62 (see politicalContributionCredit); each
    // dollar allowed takes off 15 %.
    //   10,000 for one child: 10,000 x 15 % = 1,500.00 -> 5,156.62.
    //   25,000 for one child: 19,066 x 15 % = 2,859.90 -> 3,796.72.
    //   25,000 and 5,000: (19,066 + 5,000) x 15 % = 3,609.90 -> 3,046.72.
    void adoptionCappedForEachChild_data()
    {
        QTest::addColumn<double>("child1");
        QTest::addColumn<double>("child2");
        QTest::addColumn<double>("line31300");
        QTest::addColumn<double>("line40600");
        QTest::newRow("under the maximum") << 10000.0 << 0.0 << 10000.0 << 5156.62;
        QTest::newRow("one child over it") << 25000.0 << 0.0 << 19066.0 << 3796.72;
        QTest::newRow("each child apart") << 25000.0 << 5000.0 << 24066.0 << 3046.72;
    }
    void adoptionCappedForEachChild()
    {
        QFETCH(double, child1);
        QFETCH(double, child2);
        QFETCH(double, line31300);
        QFETCH(double, line40600);
        start();
        addT4(60000);
        t1->line31300Adoption1.m_value = child1;
        t1->line31300Adoption2.m_value = child2;
        calculate();
        QCOMPARE(t1->line31300AdoptionExpenses.m_value, line31300);
        QCOMPARE(t1->line40600FederalTax.m_value, line40600);
    }

    // Spousal RRSP withdrawal (T2205) in a coupled return: Ann withdraws
    // 10,000 (T4RSP box 22) of which 6,000 was contributed by Ben in the last
    // three years. Ben includes 6,000 at 12900 (15000 = 50,000 + 6,000); Ann
    // keeps the slip's 10,000 at 12900 and deducts 6,000 at 23200 (23600 =
    // 4,000).
    void spousalPlanAttribution()
    {
        family = std::make_unique<CFamilyTaxData>();
        const NewReturnBasicData data = newReturn(kMarried, true);
        family->NewData(&data);
        IndividualTaxData* ann = family->getTaxpayer();
        IndividualTaxData* ben = family->getSpouse();
        auto& rsp = addSlip<TaxData_Slip_T4RSP>(*ann, 4);
        rsp.box22Withdrawal.m_value = 10000;
        rsp.box24SpousalFlag.m_value = 1;
        auto& t2205 = addForm<CTaxData_T2205>(*ann, 124);
        t2205.Withdrawal.m_value = 10000;
        t2205.SpousalContributions.m_value = 6000;
        auto& t4 = addSlip<TaxData_Slip_T4>(*ben, 1);
        t4.Province.m_value = kOntario;
        t4.box14EmploymentIncome.m_value = 50000;
        calculate();
        const TaxData_T1New* annT1 = ann->GetT1();
        const TaxData_T1New* benT1 = ben->GetT1();
        QCOMPARE(annT1->line12900RrspIncome.m_value, 10000.0);
        QCOMPARE(annT1->line23200OtherDeductions.m_value, 6000.0);
        QCOMPARE(annT1->line23600NetIncome.m_value, 4000.0);
        QCOMPARE(benT1->line12900RrspIncome.m_value, 6000.0);
        QCOMPARE(benT1->line15000TotalIncome.m_value, 56000.0);
        QCOMPARE(benT1->line23200OtherDeductions.m_value, 0.0);
        // Calculated again, with Ben on screen, nothing is attributed twice
        // and nothing moves.
        family->setCurIndv(CFamilyTaxData::kSpouse);
        calculate();
        QCOMPARE(benT1->line12900RrspIncome.m_value, 6000.0);
        QCOMPARE(annT1->line23200OtherDeductions.m_value, 6000.0);
        QCOMPARE(annT1->line23600NetIncome.m_value, 4000.0);
    }

    // Figures computed on their forms reach the T1, beside 60,000 of
    // employment (federal tax before them 6,656.62, as above):
    //   T1172: 10,000 of RESP accumulated income payments (T4A box 40), no
    //   RRSP deduction: 20 % = 2,000 at 41800, 42000 = 41700 + 2,000.
    void respAdditionalTax()
    {
        start();
        addT4(60000);
        addSlip<TaxData_Slip_T4A>(*person, 2).box40RespAccumulated.m_value = 10000;
        addForm<TaxData_T1172New>(*person, 17).line68270.m_value = 10000;
        calculate();
        QCOMPARE(t1->line13000OtherIncome.m_value, 10000.0);
        QCOMPARE(t1->line41800SpecialTaxes.m_value, 2000.0);
        QCOMPARE(t1->line42000NetFederalTax.m_value, t1->line41700FederalTaxPayable.m_value + 2000.0);
    }

    //   Schedule 11: 6,000 of fees and a training credit limit of 1,000:
    //   45350 = the lesser of 1,000 and 6,000 / 2 = 1,000, and the fees
    //   claimed as tuition are 6,000 - 1,000 = 5,000, all used at 32300.
    void trainingCreditReducesTuition()
    {
        start();
        addT4(60000);
        auto& sch11 = addForm<TaxData_Sch11>(*person, 11);
        sch11.EligibleFees.m_value = 6000;
        sch11.TrainingCreditLimit.m_value = 1000;
        calculate();
        QCOMPARE(t1->line45350TrainingCredit.m_value, 1000.0);
        QCOMPARE(sch11.line32000CurrentYear.m_value, 5000.0);
        QCOMPARE(t1->line32300Tuition.m_value, 5000.0);
    }

    //   RC267 / RC268: 3,000 paid into a United States plan is deducted at
    //   20700: 23600 = 57,000.
    void unitedStatesPlanContributions_data()
    {
        QTest::addColumn<int>("type");
        QTest::newRow("RC267") << 136;
        QTest::newRow("RC268") << 137;
    }
    void unitedStatesPlanContributions()
    {
        QFETCH(int, type);
        start();
        addT4(60000);
        amount(*person->GetFormData(ENUMTYPE_FORM(type), true), "Contributions") = 3000;
        calculate();
        QCOMPARE(t1->line20700RppDeduction.m_value, 3000.0);
        QCOMPARE(t1->line23600NetIncome.m_value, 57000.0);
    }

    //   T1206: 10,000 of split income is taxed at 33 % = 3,300 at 40424 and
    //   deducted at 23200, so the brackets tax only the rest: 23600 = 50,000.
    void splitIncomeTaxedOnce()
    {
        start();
        addT4(60000);
        addForm<TaxData_T1206New>(*person, 29).line68330.m_value = 10000;
        calculate();
        QCOMPARE(t1->line23200OtherDeductions.m_value, 10000.0);
        QCOMPARE(t1->line23600NetIncome.m_value, 50000.0);
        QCOMPARE(t1->line40424TaxOnSplitIncome.m_value, 3300.0);
    }

    // Line 45200, a single person 44 years old with employment income only:
    //   20,000, 3,000 of medical expenses: 33200 = 3,000 - 600 = 2,400; 25 %
    //   = 600, income below 32,419: 600.00.
    //   40,000, 10,000 of expenses: 33200 = 8,800; 25 % = 2,200, held to
    //   1,464, less 5 % x 7,581 = 379.05: 1,084.95.
    //   70,000, 10,000: 1,464 less 5 % x 37,581 = 1,879.05: nil.
    //   4,000 of working income (below 4,275), 3,000: nil.
    // Line 48200 adds the workers benefit the return finds (Schedule 6):
    // at 20,000 the single maximum 1,590 (2,190.00 in all); at 4,000, 27 %
    // of 1,000 = 270.00; at 40,000 and 70,000 none (past 36,749).
    void refundableMedicalSupplement_data()
    {
        QTest::addColumn<double>("employment");
        QTest::addColumn<double>("medical");
        QTest::addColumn<double>("line45200");
        QTest::addColumn<double>("line48200");
        QTest::newRow("full") << 20000.0 << 3000.0 << 600.0 << 2190.0;
        QTest::newRow("capped, reduced") << 40000.0 << 10000.0 << 1084.95 << 1084.95;
        QTest::newRow("past the nil point") << 70000.0 << 10000.0 << 0.0 << 0.0;
        QTest::newRow("working income too low") << 4000.0 << 3000.0 << 0.0 << 270.0;
    }
    void refundableMedicalSupplement()
    {
        QFETCH(double, employment);
        QFETCH(double, medical);
        QFETCH(double, line45200);
        QFETCH(double, line48200);
        start();
        addT4(employment);
        t1->MedicalOwn1.m_value = medical;
        calculate();
        QCOMPARE(t1->line45200MedicalSupplement.m_value, line45200);
        QCOMPARE(t1->line48200TotalCredits.m_value, line48200);
    }

    // T2222: 200 days in a northern zone with the dwelling's additional
    // amount, 100 days there sharing the dwelling, 1,000 of travel benefits:
    // 200 x 22 + 100 x 11 = 5,500 + 1,000 = 6,500 at 25500. With 20,000 of
    // income the residency part is held to 20 % = 4,000: 5,000.
    void northernResidents_data()
    {
        QTest::addColumn<double>("employment");
        QTest::addColumn<double>("line25500");
        QTest::newRow("60,000") << 60000.0 << 6500.0;
        QTest::newRow("20,000, held to 20 %") << 20000.0 << 5000.0;
    }
    void northernResidents()
    {
        QFETCH(double, employment);
        QFETCH(double, line25500);
        start();
        addT4(employment);
        auto& t2222 = addForm<CTaxData_T2222>(*person, 49);
        t2222.DaysZoneA.m_value = 200;
        t2222.DaysZoneAShared.m_value = 100;
        t2222.TravelBenefits.m_value = 1000;
        calculate();
        QCOMPARE(t1->line25500NorthernResidents.m_value, line25500);
        QCOMPARE(t1->line26000TaxableIncome.m_value, employment - line25500);
    }

    // Schedule 6 outside Quebec, Alberta and Nunavut, employment income only
    // (net income = working income), 2024: 27 % of working income above
    // 3,000, at most 1,590 (single) or 2,739 (family), less 15 % of net
    // income above 26,149 / 29,833; the disability supplement 27 % above
    // 1,150, at most 821, less 15 % above 36,749.
    //   single  6,000: 27 % x 3,000 = 810.00 (phase-in)
    //   single 20,000: 1,590.00 (maximum)
    //   single 30,000: 1,590 - 15 % x 3,851 = 1,012.35 (reduction)
    //   single 40,000: 1,590 - 15 % x 13,851 < 0: nil
    //   family  8,000: 27 % x 5,000 = 1,350.00
    //   family 20,000: 2,739.00
    //   family 35,000: 2,739 - 15 % x 5,167 = 1,963.95
    //   family 50,000: 2,739 - 15 % x 20,167 < 0: nil
    //   disabled single  2,000: basic nil, supplement 27 % x 850 = 229.50
    //   disabled single 30,000: 1,012.35 + 821 = 1,833.35
    //   disabled single 40,000: basic nil, 821 - 15 % x 3,251 = 333.35
    //   disabled single 45,000: 821 - 15 % x 8,251 < 0: nil
    void canadaWorkersBenefit_data()
    {
        QTest::addColumn<bool>("family");
        QTest::addColumn<bool>("disabled");
        QTest::addColumn<double>("employment");
        QTest::addColumn<double>("line45300");
        QTest::newRow("single, phase-in") << false << false << 6000.0 << 810.0;
        QTest::newRow("single, maximum") << false << false << 20000.0 << 1590.0;
        QTest::newRow("single, reduction") << false << false << 30000.0 << 1012.35;
        QTest::newRow("single, past nil") << false << false << 40000.0 << 0.0;
        QTest::newRow("family, phase-in") << true << false << 8000.0 << 1350.0;
        QTest::newRow("family, maximum") << true << false << 20000.0 << 2739.0;
        QTest::newRow("family, reduction") << true << false << 35000.0 << 1963.95;
        QTest::newRow("family, past nil") << true << false << 50000.0 << 0.0;
        QTest::newRow("supplement, phase-in") << false << true << 2000.0 << 229.50;
        QTest::newRow("supplement, with basic") << false << true << 30000.0 << 1833.35;
        QTest::newRow("supplement, reduction") << false << true << 40000.0 << 333.35;
        QTest::newRow("supplement, past nil") << false << true << 45000.0 << 0.0;
    }
    void canadaWorkersBenefit()
    {
        QFETCH(bool, family);
        QFETCH(bool, disabled);
        QFETCH(double, employment);
        QFETCH(double, line45300);
        start();
        t1->Disabled.m_value = disabled ? 1 : 0;
        addT4(employment);
        auto& sch6 = addForm<TaxData_Sch6>(*person, 119);
        sch6.EligibilityIndicator.m_value = family ? 1 : 0;
        calculate();
        QCOMPARE(t1->line23600NetIncome.m_value, employment);
        QCOMPARE(t1->line45300WorkersBenefit.m_value, line45300);
        QCOMPARE(t1->line41500WorkersBenefitRepayment.m_value, 0.0);
    }

    // Advances (RC210) against a single worker's 1,590 at 20,000: 800
    // received leaves 790 at 45300; 2,000 received is 410 too much, repaid
    // at 41500 with the tax.
    void workersBenefitAdvances_data()
    {
        QTest::addColumn<double>("advance");
        QTest::addColumn<double>("line45300");
        QTest::addColumn<double>("line41500");
        QTest::newRow("less than the benefit") << 800.0 << 790.0 << 0.0;
        QTest::newRow("more than the benefit") << 2000.0 << 0.0 << 410.0;
    }
    void workersBenefitAdvances()
    {
        QFETCH(double, advance);
        QFETCH(double, line45300);
        QFETCH(double, line41500);
        start();
        addT4(20000);
        addForm<TaxData_Sch6>(*person, 119);
        addSlip<TaxData_Slip_RC210>(*person, 18).box10BasicAdvance.m_value = advance;
        calculate();
        QCOMPARE(t1->line45300WorkersBenefit.m_value, line45300);
        QCOMPARE(t1->line41500WorkersBenefitRepayment.m_value, line41500);
        QCOMPARE(t1->line43500TotalPayable.m_value - t1->line42000NetFederalTax.m_value -
                     t1->line42800ProvincialTax.m_value,
                 line41500);
    }

    // A coupled return, Ann earning 20,000 and Ben 10,000: family working
    // income 30,000 is past the phase-in; adjusted family net income 30,000
    // less Ben's 10,000 (secondary earner exemption, up to 14,000) = 20,000,
    // under 29,833: the family maximum 2,739, claimed once, by Ann. The
    // figures are the same whichever spouse is on screen.
    void workersBenefitForACouple()
    {
        family = std::make_unique<CFamilyTaxData>();
        const NewReturnBasicData data = newReturn(kMarried, true);
        family->NewData(&data);
        IndividualTaxData* ann = family->getTaxpayer();
        IndividualTaxData* ben = family->getSpouse();
        for (auto [who, income] : {std::pair{ann, 20000.0}, std::pair{ben, 10000.0}}) {
            auto& t4 = addSlip<TaxData_Slip_T4>(*who, 1);
            t4.Province.m_value = kOntario;
            t4.box14EmploymentIncome.m_value = income;
            addForm<TaxData_Sch6>(*who, 119);
        }
        calculate();
        QCOMPARE(ann->GetT1()->line45300WorkersBenefit.m_value, 2739.0);
        QCOMPARE(ben->GetT1()->line45300WorkersBenefit.m_value, 0.0);
        family->setCurIndv(CFamilyTaxData::kSpouse);
        calculate();
        QCOMPARE(ann->GetT1()->line45300WorkersBenefit.m_value, 2739.0);
        QCOMPARE(ben->GetT1()->line45300WorkersBenefit.m_value, 0.0);
    }

    // Caregiver amounts beside 60,000 of employment (basic personal amount
    // 15,705), 2024: 8,375 less the dependant's net income above 19,666.
    //   infirm parent with 10,000 of net income: 30450 = 8,375;
    //   with 24,000: 8,375 - 4,334 = 4,041; with 30,000: nil;
    //   infirm child of 9: 30500 = 2,616.
    // Federal tax falls by 15 % of the amount.
    void caregiverForDependants_data()
    {
        QTest::addColumn<int>("relationship");
        QTest::addColumn<int>("birthYear");
        QTest::addColumn<double>("netIncome");
        QTest::addColumn<double>("line30450");
        QTest::addColumn<double>("line30500");
        QTest::newRow("parent, low income") << int(DEP_REL_PARENT) << 1954 << 10000.0 << 8375.0 << 0.0;
        QTest::newRow("parent, in the reduction") << int(DEP_REL_PARENT) << 1954 << 24000.0 << 4041.0 << 0.0;
        QTest::newRow("parent, above the nil point") << int(DEP_REL_PARENT) << 1954 << 30000.0 << 0.0 << 0.0;
        QTest::newRow("child under 18") << int(DEP_REL_CHILD) << 2015 << 0.0 << 0.0 << 2616.0;
    }
    void caregiverForDependants()
    {
        QFETCH(int, relationship);
        QFETCH(int, birthYear);
        QFETCH(double, netIncome);
        QFETCH(double, line30450);
        QFETCH(double, line30500);
        start();
        addT4(60000);
        DependantInfoStruct& table = family->dependants();
        table.AllocData(DependantInfoStruct::kStandardCount);
        DependantInfo& dependant = *table.GetAt(0);
        dependant.firstName = CString("Lou");
        dependant.relationship = relationship;
        dependant.dateOfBirth = QDate(birthYear, 5, 1);
        dependant.netIncome = netIncome;
        calculate();
        const double before = t1->line42900BasicFederalTax.m_value;
        dependant.infirm = 1;
        calculate();
        QCOMPARE(t1->line30450CaregiverOther.m_value, line30450);
        QCOMPARE(t1->line30500CaregiverChildren.m_value, line30500);
        QCOMPARE(before - t1->line42900BasicFederalTax.m_value, 0.15 * (line30450 + line30500));
    }

    // An infirm spouse (Schedule 5), the claimant's basic amount 15,705:
    //   spouse's net income 10,000: 30300 = 15,705 + 2,616 - 10,000 = 8,321;
    //   30425 = the lesser of 8,375 and 28,041 - 10,000, less 8,321 = 54.
    //   20,000: 30300 = 18,321 - 20,000 < 0: nil; 30425 = 28,041 - 20,000 = 8,041.
    //   5,000, not infirm: 30300 = 10,705, no 30425.
    void caregiverForSpouse_data()
    {
        QTest::addColumn<double>("spouseNetIncome");
        QTest::addColumn<int>("infirm");
        QTest::addColumn<double>("line30300");
        QTest::addColumn<double>("line30425");
        QTest::newRow("infirm, 10,000") << 10000.0 << 1 << 8321.0 << 54.0;
        QTest::newRow("infirm, 20,000") << 20000.0 << 1 << 0.0 << 8041.0;
        QTest::newRow("not infirm, 5,000") << 5000.0 << 0 << 10705.0 << 0.0;
    }
    void caregiverForSpouse()
    {
        QFETCH(double, spouseNetIncome);
        QFETCH(int, infirm);
        QFETCH(double, line30300);
        QFETCH(double, line30425);
        start(kMarried);
        addT4(60000);
        t1->SpouseNetIncome.m_value = spouseNetIncome;
        auto& sch5 = *qobject_cast<TaxData_Sch5*>(person->GetFormData(6, true));
        sch5.ClaimSpouseAmount.m_value = 1;
        sch5.SpouseInfirm.m_value = infirm;
        calculate();
        QCOMPARE(t1->line30300SpouseAmount.m_value, line30300);
        QCOMPARE(t1->line30425CaregiverSpouse.m_value, line30425);
    }

    // Tuition of 6,000 of a student without income, so without tax: none
    // is used, 5,000 (the most) may be transferred and 1,000 carries
    // forward. Designated to a parent, it is the parent's line 32400, 750
    // off the parent's tax (60,000 of employment: 6,656.62 - 750 = 5,906.62).
    void tuitionTransferredToAParent()
    {
        start();
        auto& sch11 = addForm<TaxData_Sch11>(*person, 11);
        sch11.EligibleFees.m_value = 6000;
        sch11.TransferTo.m_value = TaxData_Sch11::kTransferToParent;
        calculate();
        QCOMPARE(t1->line32300Tuition.m_value, 0.0);
        QCOMPARE(sch11.TransferableAmount.m_value, 5000.0);
        QCOMPARE(sch11.TransferredResult.m_value, 5000.0);
        QCOMPARE(sch11.CarryForwardNext.m_value, 1000.0);
        const double designated = sch11.TransferredResult.m_value;

        start();
        addT4(60000);
        t1->line32400TuitionFromChild.m_value = designated;
        calculate();
        QCOMPARE(t1->line42900BasicFederalTax.m_value, 5906.62);
    }

    // The same student in a coupled return, the tuition designated to the
    // spouse: it reaches the spouse's Schedule 2 whole (line 32600 = 5,000),
    // the student has no other amount to give (no taxable income, no age,
    // pension or disability amount). Asking for 2,000 moves 2,000 and
    // carries 4,000 forward.
    void tuitionTransferredToTheSpouse_data()
    {
        QTest::addColumn<double>("asked");
        QTest::addColumn<double>("line32600");
        QTest::addColumn<double>("carriedForward");
        QTest::newRow("all that may be") << 0.0 << 5000.0 << 1000.0;
        QTest::newRow("2,000 asked") << 2000.0 << 2000.0 << 4000.0;
    }
    void tuitionTransferredToTheSpouse()
    {
        QFETCH(double, asked);
        QFETCH(double, line32600);
        QFETCH(double, carriedForward);
        family = std::make_unique<CFamilyTaxData>();
        const NewReturnBasicData data = newReturn(kMarried, true);
        family->NewData(&data);
        IndividualTaxData* ann = family->getTaxpayer();
        IndividualTaxData* ben = family->getSpouse();
        auto& sch11 = addForm<TaxData_Sch11>(*ann, 11);
        sch11.EligibleFees.m_value = 6000;
        sch11.TransferTo.m_value = TaxData_Sch11::kTransferToSpouse;
        sch11.line32700Transferred.m_value = asked;
        auto& t4 = addSlip<TaxData_Slip_T4>(*ben, 1);
        t4.Province.m_value = kOntario;
        t4.box14EmploymentIncome.m_value = 60000;
        ben->GetFormData(3, true);
        calculate();
        QCOMPARE(ben->GetT1()->line32600TransferFromSpouse.m_value, line32600);
        QCOMPARE(sch11.CarryForwardNext.m_value, carriedForward);
        // The same with Ben on screen.
        family->setCurIndv(CFamilyTaxData::kSpouse);
        calculate();
        QCOMPARE(ben->GetT1()->line32600TransferFromSpouse.m_value, line32600);
        QCOMPARE(sch11.CarryForwardNext.m_value, carriedForward);
    }

    // Minimum tax (2024 rules) on a capital gain, no other income:
    //   400,000: 12700 = 200,000 = 26000. Tax 8,380.05 + 11,452.53 +
    //   15,982.72 + 26,795 x 29 % = 7,770.55 -> 43,585.85; basic personal
    //   amount 15,705 - 1,549 x 26,795 / 73,547 = 15,140.66 x 15 % =
    //   2,271.10; regular tax 41,314.75. Adjusted taxable income 400,000
    //   (the whole gain); (400,000 - 173,205) x 20.5 % = 46,492.98 less half
    //   the credits 1,135.55 = 45,357.43, above the regular tax: line 41700
    //   = 45,357.43, 4,042.68 more.
    //   100,000: regular tax 50,000 x 15 % - 2,355.75 = 5,144.25; adjusted
    //   taxable income 100,000 is below the exemption: no minimum tax.
    //   100,000 with 1,000 of minimum tax of earlier years: it comes off the
    //   regular tax at 40427 (5,144.25 is above this year's nil minimum
    //   tax): 42900 = 4,144.25.
    void minimumTax_data()
    {
        QTest::addColumn<double>("gain");
        QTest::addColumn<double>("carryForward");
        QTest::addColumn<double>("line42900");
        QTest::addColumn<double>("line41700");
        QTest::addColumn<double>("line40427");
        QTest::newRow("400,000 pays minimum tax") << 400000.0 << 0.0 << 41314.75 << 45357.43 << 0.0;
        QTest::newRow("100,000 does not") << 100000.0 << 0.0 << 5144.25 << 5144.25 << 0.0;
        QTest::newRow("carryover recovered") << 100000.0 << 1000.0 << 4144.25 << 4144.25 << 1000.0;
    }
    void minimumTax()
    {
        QFETCH(double, gain);
        QFETCH(double, carryForward);
        QFETCH(double, line42900);
        QFETCH(double, line41700);
        QFETCH(double, line40427);
        start();
        t1->MinimumTaxCarryForward.m_value = carryForward;
        qobject_cast<TaxData_Sch3*>(person->GetFormData(4, true))->line13800RealEstateGain.m_value = gain;
        calculate();
        QCOMPARE(t1->line26000TaxableIncome.m_value, gain / 2);
        QCOMPARE(t1->line42900BasicFederalTax.m_value, line42900);
        QCOMPARE(t1->line40427MinimumTaxCarryover.m_value, line40427);
        QCOMPARE(t1->line41700FederalTaxPayable.m_value, line41700);
    }

    // Schedule 13, EI on self-employment for someone who opted in: 50,000
    // of earnings x 1.66 % = 830.00 at 42120 and 31217; beside a T4 with
    // 40,000 of insurable earnings only 63,200 - 40,000 = 23,200 is
    // insurable: 385.12.
    void eiOnSelfEmployment_data()
    {
        QTest::addColumn<double>("employment");
        QTest::addColumn<double>("premium");
        QTest::newRow("self-employed only") << 0.0 << 830.0;
        QTest::newRow("with employment") << 40000.0 << 385.12;
    }
    void eiOnSelfEmployment()
    {
        QFETCH(double, employment);
        QFETCH(double, premium);
        start();
        if (employment > 0)
            addT4(employment);
        addForm<TaxData_Sch13>(*person, 139).line54493SelfEmployment.m_value = 50000;
        calculate();
        QCOMPARE(t1->line42120EiSelfEmployedPayable.m_value, premium);
        QCOMPARE(t1->line31217EiSelfEmployed.m_value, premium);
    }

    // CPP proration (Schedule 8): a person who died on June 15, 2024 with
    // 60,000 of earnings, the employer having withheld for a whole year
    // ((60,000 - 3,500) x 5.95 % = 3,361.75). Six months: exemption 1,750,
    // ceiling 34,250, maximum 1,933.75 -> due (34,250 - 1,750) x 5.95 % =
    // 1,933.75; 30800 = 1,933.75 x 4.95 / 5.95 = 1,608.75; 22215 = 325.00;
    // overpaid 3,361.75 - 1,933.75 = 1,428.00 at 44800.
    //   Turning 18 in June (born June 2006): months from July, 6; 20,000 of
    //   earnings, 981.75 withheld on the whole-year exemption; due (20,000 -
    //   1,750) x 5.95 % = 1,085.88, so all 981.75 counts: 30800 = 816.75,
    //   nothing back.
    //   A whole year, 60,000: due 3,361.75, nothing back.
    void cppProratedByMonths_data()
    {
        QTest::addColumn<QDate>("birth");
        QTest::addColumn<QDate>("death");
        QTest::addColumn<double>("employment");
        QTest::addColumn<double>("withheld");
        QTest::addColumn<double>("line30800");
        QTest::addColumn<double>("line44800");
        QTest::newRow("died in June") << QDate(1970, 4, 12) << QDate(2024, 6, 15) << 60000.0 << 3361.75 << 1608.75
                                      << 1428.0;
        QTest::newRow("turned 18 in June") << QDate(2006, 6, 20) << QDate() << 20000.0 << 981.75 << 816.75 << 0.0;
        QTest::newRow("whole year") << QDate(1970, 4, 12) << QDate() << 60000.0 << 3361.75 << 2796.75 << 0.0;
    }
    void cppProratedByMonths()
    {
        QFETCH(QDate, birth);
        QFETCH(QDate, death);
        QFETCH(double, employment);
        QFETCH(double, withheld);
        QFETCH(double, line30800);
        QFETCH(double, line44800);
        start();
        t1->BirthDate.m_value = birth;
        t1->DateOfDeath.m_value = death;
        auto& t4 = addT4(employment);
        t4.box16CppContributions.m_value = withheld;
        t4.box26PensionableEarnings.m_value = employment;
        calculate();
        QCOMPARE(t1->line30800CppEmployment.m_value, line30800);
        QCOMPARE(t1->line44800CppOverpayment.m_value, line44800);
    }

    // The foreign tax credit on business income (T2209): 60,000 of
    // employment and 10,000 of foreign business income, net income 70,000.
    // Tax 8,380.05 + 14,133 x 20.5 % = 2,897.27 -> 11,277.32 less credits
    // 2,570.70 = basic federal tax 8,706.62; the Canadian tax on the
    // foreign income 8,706.62 x 10,000 / 70,000 = 1,243.80. Foreign tax of
    // 2,000 gives 1,243.80 at 40500; 1,000 gives 1,000.
    void foreignTaxCreditOnBusinessIncome_data()
    {
        QTest::addColumn<double>("taxPaid");
        QTest::addColumn<double>("line40500");
        QTest::newRow("held to the Canadian tax") << 2000.0 << 1243.80;
        QTest::newRow("the tax paid") << 1000.0 << 1000.0;
    }
    void foreignTaxCreditOnBusinessIncome()
    {
        QFETCH(double, taxPaid);
        QFETCH(double, line40500);
        start();
        addT4(60000);
        t1->line13000NotOnSlip.m_value = 10000;
        auto& t2209 = addForm<TaxData_T2209_2036>(*person, 35);
        t2209.ForeignBusinessIncome.m_value = 10000;
        t2209.ForeignBusinessTaxPaid.m_value = taxPaid;
        calculate();
        QCOMPARE(t1->line42900BasicFederalTax.m_value, 8706.62);
        QCOMPARE(t1->line40500ForeignTaxCredit.m_value, line40500);
        QCOMPARE(t1->line40600FederalTax.m_value, 8706.62 - line40500);
    }

    // A worker at 27,000 (one T4, box 14 only), single, in each set of
    // workers benefit amounts, entered without Schedule 6: the calculation
    // adds it, with "No" to the student and prison questions, and finds
    // the benefit. Federal lines, the same everywhere:
    //   15000 = 23600 = 26000 = 27,000.00;
    //   basic federal tax 15 % x 27,000 = 4,050.00; credits (basic personal
    //   amount 15,705 + Canada employment amount 1,433) x 15 % = 2,570.70;
    //   42000 = 4,050.00 - 2,570.70 = 1,479.30.
    // Line 45300 (2024 Schedule 6; adjusted net income 27,000, in each case
    // past the phase-in's maximum and in the reduction band):
    //   Ontario, BC (general): 1,590 - 15 % x (27,000 - 26,149) = 1,462.35;
    //   Alberta: 1,590 - 15 % x (27,000 - 26,232) = 1,474.80
    //            (= 15 % x (36,832 - 27,000), the agency's end point);
    //   Nunavut: 1,578 - 4 % x (27,000 - 26,127) = 1,543.08
    //            (= 4 % x (65,577 - 27,000));
    //   Quebec:  3,687.40 - 20 % x (27,000 - 13,919.72) = 1,071.34
    //            (= 20 % x (32,356.72 - 27,000)).
    void workerFindsWorkersBenefit_data()
    {
        QTest::addColumn<int>("province");
        QTest::addColumn<double>("line45300");
        QTest::newRow("Ontario") << kOntario << 1462.35;
        QTest::newRow("British Columbia") << 2 << 1462.35;
        QTest::newRow("Alberta") << 1 << 1474.80;
        QTest::newRow("Nunavut") << 8 << 1543.08;
        QTest::newRow("Quebec") << 11 << 1071.34;
    }
    void workerFindsWorkersBenefit()
    {
        QFETCH(int, province);
        QFETCH(double, line45300);
        start(kSingle, province);
        addT4(27000).Province.m_value = province;
        QVERIFY(!person->HasForm(119));
        calculate();
        auto* sch6 = qobject_cast<TaxData_Sch6*>(person->GetFormData(119, false));
        QVERIFY(sch6);
        QCOMPARE(sch6->Question1.m_value, choices::kNo);
        QCOMPARE(sch6->Question2.m_value, choices::kNo);
        QCOMPARE(t1->line15000TotalIncome.m_value, 27000.0);
        QCOMPARE(t1->line23600NetIncome.m_value, 27000.0);
        QCOMPARE(t1->line26000TaxableIncome.m_value, 27000.0);
        QCOMPARE(t1->line42000NetFederalTax.m_value, 1479.30);
        QCOMPARE(t1->line45300WorkersBenefit.m_value, line45300);
        QCOMPARE(sch6->BasicResult.m_value, line45300);
    }

    // The same sets below their reduction bands, with an RC210 advance of
    // 500 netted against the benefit: 20,000 of employment income, single.
    //   Alberta: (20,000 - 2,760) x 27 % > 1,590, 20,000 under 26,232:
    //            1,590 - 500 = 1,090.00;
    //   Nunavut: (20,000 - 6,000) x 14 % = 1,960 > 1,578, under 26,127:
    //            1,578 - 500 = 1,078.00;
    //   Quebec:  3,687.40 - 20 % x (20,000 - 13,919.72) = 2,471.34,
    //            less 500 = 1,971.34.
    // Nothing is asked back (41500 nil).
    void workersBenefitOfProvincesWithTheirOwnAmounts_data()
    {
        QTest::addColumn<int>("province");
        QTest::addColumn<double>("line45300");
        QTest::newRow("Alberta") << 1 << 1090.0;
        QTest::newRow("Nunavut") << 8 << 1078.0;
        QTest::newRow("Quebec") << 11 << 1971.34;
    }
    void workersBenefitOfProvincesWithTheirOwnAmounts()
    {
        QFETCH(int, province);
        QFETCH(double, line45300);
        start(kSingle, province);
        auto& t4 = addT4(20000);
        t4.Province.m_value = province;
        addForm<TaxData_Sch6>(*person, 119);
        addSlip<TaxData_Slip_RC210>(*person, 18).box10BasicAdvance.m_value = 500;
        calculate();
        QCOMPARE(t1->line45300WorkersBenefit.m_value, line45300);
        QCOMPARE(t1->line41500WorkersBenefitRepayment.m_value, 0.0);
    }

    // Schedule 6 is not added where the return has no room for the benefit:
    // working income of 3,000 is not past the general floor (Nunavut's is
    // 6,000), and single net income of 37,000 is past the general end point
    // 36,749 (Nunavut's is 65,577, so there it is added: 4 % x 28,577 =
    // 1,143.08).
    void workersBenefitNotAddedWithoutRoom_data()
    {
        QTest::addColumn<int>("province");
        QTest::addColumn<double>("employment");
        QTest::addColumn<bool>("added");
        QTest::addColumn<double>("line45300");
        QTest::newRow("Ontario, 3,000") << kOntario << 3000.0 << false << 0.0;
        QTest::newRow("Ontario, 37,000") << kOntario << 37000.0 << false << 0.0;
        QTest::newRow("Nunavut, 5,000") << 8 << 5000.0 << false << 0.0;
        QTest::newRow("Nunavut, 37,000") << 8 << 37000.0 << true << 1143.08;
    }
    void workersBenefitNotAddedWithoutRoom()
    {
        QFETCH(int, province);
        QFETCH(double, employment);
        QFETCH(bool, added);
        QFETCH(double, line45300);
        start(kSingle, province);
        addT4(employment).Province.m_value = province;
        calculate();
        QCOMPARE(person->HasForm(119), added);
        QCOMPARE(t1->line45300WorkersBenefit.m_value, line45300);
    }

    // A Schedule 6 the user removes stays out of the return, also after the
    // return is saved and opened again; its benefit goes with it.
    void removedSchedule6IsNotAddedAgain()
    {
        start();
        addT4(27000);
        calculate();
        CTaxData_Form* sch6 = person->GetFormData(119, false);
        QVERIFY(sch6);
        QCOMPARE(t1->line45300WorkersBenefit.m_value, 1462.35);
        family->RemoveFormData(sch6, true);
        calculate();
        QVERIFY(!person->HasForm(119));
        QCOMPARE(t1->line45300WorkersBenefit.m_value, 0.0);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("worker.r24"));
        QCOMPARE(family->saveToFile(CString(path), 2), 0);
        int code = -1;
        std::unique_ptr<CFamilyTaxData> reopened(CFamilyTaxData::serializeFromFile(CString(path), code));
        QCOMPARE(code, 0);
        QVERIFY(reopened);
        reopened->Calculate(0, nullptr);
        QVERIFY(!reopened->getTaxpayer()->HasForm(119));
        QCOMPARE(reopened->getTaxpayer()->GetT1()->line45300WorkersBenefit.m_value, 0.0);
    }

    // Self-employment of 50,000 (a business statement), no slip:
    //   Ontario, Schedule 8: (50,000 - 3,500) x 11.9 % = 5,533.50 at 42100;
    //   of the employee's half the base part 2,766.75 x 4.95 / 5.95 =
    //   2,301.75 at 31000; the employer's half and the enhanced rest of the
    //   employee's, 2,766.75 + 465 = 3,231.75, at 22200; nothing at 22215.
    //   Quebec, RC381: (50,000 - 3,500) x 12.8 % = 5,952.00, paid with the
    //   Quebec return (nothing at 42100); 2,976 x 5.4 / 6.4 = 2,511.00 at
    //   31000; 2,976.00 + 465.00 = 3,441.00 at 22200.
    void pensionPlanOnSelfEmployment_data()
    {
        QTest::addColumn<int>("province");
        QTest::addColumn<double>("line42100");
        QTest::addColumn<double>("line22200");
        QTest::addColumn<double>("line31000");
        QTest::addColumn<double>("line22215");
        QTest::newRow("Ontario, CPP") << kOntario << 5533.50 << 3231.75 << 2301.75 << 0.0;
        QTest::newRow("Quebec, QPP") << 11 << 0.0 << 3441.0 << 2511.0 << 0.0;
    }
    void pensionPlanOnSelfEmployment()
    {
        QFETCH(int, province);
        QFETCH(double, line42100);
        QFETCH(double, line22200);
        QFETCH(double, line31000);
        QFETCH(double, line22215);
        start(kSingle, province);
        amount(*person->GetFormData(125, true), "GrossIncome") = 50000;
        calculate();
        QCOMPARE(t1->line13500BusinessNet.m_value, 50000.0);
        QVERIFY(person->HasForm(province == 11 ? 148 : 150));
        QCOMPARE(t1->line42100CppSelfEmployedPayable.m_value, line42100);
        QCOMPARE(t1->line22200CppSelfEmployed.m_value, line22200);
        QCOMPARE(t1->line31000CppSelfEmployed.m_value, line31000);
        QCOMPARE(t1->line22215CppEnhancedEmployment.m_value, line22215);
    }

    // Child care in a coupled return: Ann earns 60,000 and Ben 30,000, each
    // with a T778 for the same child under 7 and 15,000 paid. Ben, the
    // lower-income spouse, deducts 8,000 (23600 = 22,000); Ann claims
    // nothing. The same whichever spouse is on screen.
    void childCareLowerIncomeSpouseInACouple()
    {
        family = std::make_unique<CFamilyTaxData>();
        const NewReturnBasicData data = newReturn(kMarried, true);
        family->NewData(&data);
        IndividualTaxData* ann = family->getTaxpayer();
        IndividualTaxData* ben = family->getSpouse();
        for (auto [who, income] : {std::pair{ann, 60000.0}, std::pair{ben, 30000.0}}) {
            auto& t4 = addSlip<TaxData_Slip_T4>(*who, 1);
            t4.Province.m_value = kOntario;
            t4.box14EmploymentIncome.m_value = income;
            auto& t778 = addForm<TaxData_T778New>(*who, 13);
            t778.OwnAmount.m_value = 15000;
            t778.ChildrenUnder7.m_value = 1;
        }
        for (int onScreen : {0, 1}) {
            if (onScreen)
                family->setCurIndv(CFamilyTaxData::kSpouse);
            calculate();
            QCOMPARE(ben->GetT1()->line21400ChildCare.m_value, 8000.0);
            QCOMPARE(ben->GetT1()->line23600NetIncome.m_value, 22000.0);
            QCOMPARE(ann->GetT1()->line21400ChildCare.m_value, 0.0);
        }
    }

    // A parent's line 32400 is at most what the student could transfer:
    // 5,000 of the student's 2024 amount (the amount, when less) less what
    // the student used. 40,000 of other income: basic federal tax 15 % x
    // 40,000 = 6,000.00 less 15 % x 15,705 = 2,355.75 -> 3,644.25, less 15 %
    // of the amount claimed.
    //   designated 5,000, student's 8,000, used 2,000: 3,000 -> 3,194.25;
    //   designated 2,000, the same student: 2,000 -> 3,344.25;
    //   designated 5,000, student's 3,000, none used: 3,000 -> 3,194.25;
    //   designated 6,000, student's 10,000: 5,000 -> 2,894.25;
    //   designated 5,000, the student's figures not entered: as designated,
    //     5,000 -> 2,894.25.
    void tuitionFromChildCapped_data()
    {
        QTest::addColumn<double>("designated");
        QTest::addColumn<double>("studentAmount");
        QTest::addColumn<double>("studentUsed");
        QTest::addColumn<double>("claimed");
        QTest::addColumn<double>("line42000");
        QTest::newRow("less the student's use") << 5000.0 << 8000.0 << 2000.0 << 3000.0 << 3194.25;
        QTest::newRow("designated less than allowed") << 2000.0 << 8000.0 << 2000.0 << 2000.0 << 3344.25;
        QTest::newRow("student's amount below 5,000") << 5000.0 << 3000.0 << 0.0 << 3000.0 << 3194.25;
        QTest::newRow("at most 5,000") << 6000.0 << 10000.0 << 0.0 << 5000.0 << 2894.25;
        QTest::newRow("student's figures not entered") << 5000.0 << 0.0 << 0.0 << 5000.0 << 2894.25;
    }
    void tuitionFromChildCapped()
    {
        QFETCH(double, designated);
        QFETCH(double, studentAmount);
        QFETCH(double, studentUsed);
        QFETCH(double, claimed);
        QFETCH(double, line42000);
        start();
        t1->line13000NotOnSlip.m_value = 40000;
        t1->line32400TuitionFromChild.m_value = designated;
        t1->ChildTuitionCurrentYear.m_value = studentAmount;
        t1->ChildTuitionUsed.m_value = studentUsed;
        calculate();
        QCOMPARE(t1->TuitionFromChildClaimed.m_value, claimed);
        QCOMPARE(t1->line42000NetFederalTax.m_value, line42000);
        QCOMPARE(t1->line32400TuitionFromChild.m_value, designated);
    }

    // Child care claimed by the spouse with the higher net income (T778):
    // 60,000 of employment, the other spouse's net income 5,000, one child
    // under 7 and one of 7 to 16, 15,000 paid. The yearly claim would be the
    // least of 15,000, the limits 8,000 + 5,000 = 13,000 and 2/3 x 60,000 =
    // 40,000: 13,000. The higher-income spouse's periodic limit is a
    // fortieth of each child's limit, 200 + 125 = 325, for each week the
    // other spouse was a full-time student, infirm or confined and each
    // other month of part-time study; less what the other spouse deducted.
    //   student 20 weeks: 325 x 20 = 6,500;
    //   part-time 8 months: 325 x 8 = 2,600;
    //   20 weeks and 8 months: 325 x 28 = 9,100;
    //   infirm 50 weeks: 16,250, more than the 13,000 claim: 13,000;
    //   confined 20 weeks, the other spouse deducted 1,000: 6,500 - 1,000 = 5,500;
    //   lived apart: the whole 13,000, no weekly limit;
    //   no reason given: nothing.
    void childCareHigherIncomeSpouse_data()
    {
        QTest::addColumn<int>("reason");
        QTest::addColumn<double>("weeks");
        QTest::addColumn<double>("months");
        QTest::addColumn<double>("spouseDeduction");
        QTest::addColumn<double>("line21400");
        QTest::newRow("student, weeks") << 1 << 20.0 << 0.0 << 0.0 << 6500.0;
        QTest::newRow("student, part-time months") << 1 << 0.0 << 8.0 << 0.0 << 2600.0;
        QTest::newRow("student, weeks and months") << 1 << 20.0 << 8.0 << 0.0 << 9100.0;
        QTest::newRow("infirm, past the claim") << 2 << 50.0 << 0.0 << 0.0 << 13000.0;
        QTest::newRow("confined, less the spouse's") << 3 << 20.0 << 0.0 << 1000.0 << 5500.0;
        QTest::newRow("lived apart") << 4 << 0.0 << 0.0 << 0.0 << 13000.0;
        QTest::newRow("no reason") << 0 << 20.0 << 0.0 << 0.0 << 0.0;
    }
    void childCareHigherIncomeSpouse()
    {
        QFETCH(int, reason);
        QFETCH(double, weeks);
        QFETCH(double, months);
        QFETCH(double, spouseDeduction);
        QFETCH(double, line21400);
        start(kMarried);
        t1->SpouseNetIncome.m_value = 5000;
        addT4(60000);
        auto& t778 = addForm<TaxData_T778New>(*person, 13);
        t778.OwnAmount.m_value = 15000;
        t778.ChildrenUnder7.m_value = 1;
        t778.ChildrenOther.m_value = 1;
        t778.Choice1.m_value = 1;
        t778.Choice2.m_value = reason;
        t778.WeeksFullTime.m_value = weeks;
        t778.MonthsPartTime.m_value = months;
        t778.SpouseDeduction.m_value = spouseDeduction;
        calculate();
        QCOMPARE(t1->line21400ChildCare.m_value, line21400);
        QCOMPARE(t1->line23600NetIncome.m_value, 60000.0 - line21400);
    }

    // QPP prorated the same way (RC381): a Quebec resident who died on June
    // 15, 2024 with 60,000 of earnings and (60,000 - 3,500) x 6.4 % =
    // 3,616.00 withheld. Six months: due (34,250 - 1,750) x 6.4 % = 2,080.00
    // (the half-year maximum); 30800 = 2,080 x 5.4 / 6.4 = 1,755.00; the
    // overpayment is claimed on the Quebec return, so nothing at 44800.
    void qppProratedByMonths()
    {
        start(kSingle, 11);
        t1->DateOfDeath.m_value = QDate(2024, 6, 15);
        auto& t4 = addT4(60000);
        t4.Province.m_value = 11;
        t4.box17QppContributions.m_value = 3616.0;
        t4.box26PensionableEarnings.m_value = 60000;
        calculate();
        QVERIFY(person->HasForm(148));
        QCOMPARE(t1->line30800CppEmployment.m_value, 1755.0);
        QCOMPARE(t1->line22215CppEnhancedEmployment.m_value, 325.0);
        QCOMPARE(t1->line44800CppOverpayment.m_value, 0.0);
    }

    // Line 31800 from the dependant table (a dependant eligible for the
    // disability amount), beside 60,000 of employment:
    //   a child of 10 without income: 9,872 + the supplement 5,758 = 15,630;
    //   the child is infirm, so 30500 = 2,616 as well;
    //   a son of 25 with 20,000 of net income needs 20,000 - 15,705 =
    //   4,295 himself: 9,872 - 4,295 = 5,577 moves; 30450 = 28,041 -
    //   20,000 = 8,041.
    void disabilityAmountFromADependant_data()
    {
        QTest::addColumn<int>("birthYear");
        QTest::addColumn<double>("netIncome");
        QTest::addColumn<double>("line31800");
        QTest::addColumn<double>("line30450");
        QTest::addColumn<double>("line30500");
        QTest::newRow("child of 10") << 2014 << 0.0 << 15630.0 << 0.0 << 2616.0;
        QTest::newRow("son of 25 with income") << 1999 << 20000.0 << 5577.0 << 8041.0 << 0.0;
    }
    void disabilityAmountFromADependant()
    {
        QFETCH(int, birthYear);
        QFETCH(double, netIncome);
        QFETCH(double, line31800);
        QFETCH(double, line30450);
        QFETCH(double, line30500);
        start();
        addT4(60000);
        DependantInfoStruct& table = family->dependants();
        table.AllocData(DependantInfoStruct::kStandardCount);
        DependantInfo& dependant = *table.GetAt(0);
        dependant.firstName = CString("Max");
        dependant.relationship = DEP_REL_CHILD;
        dependant.dateOfBirth = QDate(birthYear, 3, 1);
        dependant.netIncome = netIncome;
        dependant.infirm = DependantInfo::kInfirmWithDisabilityAmount;
        calculate();
        QCOMPARE(t1->line31800DisabilityTransferred.m_value, line31800);
        QCOMPARE(t1->line30450CaregiverOther.m_value, line30450);
        QCOMPARE(t1->line30500CaregiverChildren.m_value, line30500);
    }
};

QTEST_GUILESS_MAIN(TestFederalReturns)
#include "tst_federalreturns.moc"
