// The provincial tuition amount (line 58560 of the 428 and the province's
// Schedule 11), worked by hand from each province's 2024 Schedule 11 and
// run through the family's calculation with the shipped provincial
// plug-ins.
//
// The Schedule 11 of 2024 (ON(S11), PE(S11), BC(S11)): the unused amounts of
// earlier years (line 1) and this year's amounts (the federal Schedule 11's
// fees less the Canada training credit, and the education amount by month
// where the province still has one) are set against
//   the rate-test income: taxable income up to the top of the lowest
//     bracket, above it the 428's tax on taxable income divided by the
//     lowest rate,
//   less the amounts of lines 58040 to 58480 of the 428,
// first the unused amounts, then this year's; the rest is carried forward.
// Ontario and Saskatchewan ended their current-year amounts (only the
// unused amounts are claimed); British Columbia and New Brunswick have the
// tuition alone, Prince Edward Island tuition and an education amount of
// 400 a month full-time, 120 part-time.
//
// The returns have other income only (line 13000): net income = taxable
// income, no pension plan or insurance credit, so lines 58040 to 58480 hold
// the basic personal amount alone (ON 12,399; BC 12,580; AB 21,885; NB
// 13,044; PE 13,500; SK 18,491). No Canada training credit (no limit).
#include <QtTest>
#include <memory>

#include "companion/forms/fields.h"
#include "companion/forms/provincialtaxmanager.h"
#include "companion/forms/schedules/taxdata_sch11.h"
#include "companion/forms/slips/slips_other.h"
#include "companion/forms/taxtypes.h"
#include "provincialformskit.h"

using namespace provincialformskit;

namespace {

// The student: other income, this year's fees and months on the federal
// Schedule 11, and the province's unused amounts typed on its Schedule 11.
struct Student
{
    int province;
    double income;
    double fees;
    double fullTimeMonths;
    double carryForward;
};

} // namespace

class TestProvincialTuition : public QObject, private ProvincialFamily
{
    Q_OBJECT
    int residence = 0;

    void start(int province, int marital = kSingle, bool spouseInFile = false)
    {
        residence = province;
        startFamily(province, marital, spouseInFile, province);
    }
    static TaxData_Sch11& federalSchedule11(IndividualTaxData* who)
    {
        return static_cast<TaxData_Sch11&>(*who->GetFormData(FORM_SCH11, true));
    }
    CTaxData_Form* schedule11() const { return formInTree(person, provincialFormOf(residence, "(S11)")); }
    // Enters the student; the province's Schedule 11 comes with the federal
    // one at the first calculation, and the unused amounts are typed on it.
    void enter(const Student& s)
    {
        start(s.province);
        t1->line13000NotOnSlip.m_value = s.income;
        TaxData_Sch11& sch11 = federalSchedule11(person);
        sch11.EligibleFees.m_value = s.fees;
        sch11.FullTimeMonths.m_value = s.fullTimeMonths;
        family->Calculate(0, nullptr);
        CTaxData_Form* provincial = schedule11();
        QVERIFY(provincial);
        amountField(*provincial, "carryForward")->m_value = s.carryForward;
        family->Calculate(0, nullptr);
    }

private slots:
    void cleanup() { family.reset(); }

    // Worked returns, line by line of the province's Schedule 11 and 428.
    //   BC above the lowest bracket: 60,000, fees 8,000. Tax 47,937 x 5.06 %
    //     = 2,425.61 + 12,063 x 7.7 % = 928.85 -> 3,354.46; rate-test income
    //     3,354.46 / 5.06 % = 66,293.68, less 12,580 = 53,713.68 of room:
    //     all 8,000 claimed. (12,580 + 8,000) x 5.06 % = 1,041.35 -> 2,313.11;
    //     no B.C. reduction at 60,000 of net income.
    //   BC, more than needed: 20,000, fees 8,000. Room 20,000 - 12,580 =
    //     7,420 claimed, 580 carried forward; 1,012.00 less 20,000 x 5.06 %
    //     = 1,012.00: nil.
    //   PE with months: 30,000, fees 3,000, 8 months full-time: education
    //     8 x 400 = 3,200; this year 6,200, room 30,000 - 13,500 = 16,500:
    //     all claimed. 2,895.00 less (13,500 + 6,200) x 9.65 % = 1,901.05 ->
    //     993.95; the low-income reduction 350 less 5 % of 8,500 is nil.
    //   PE, more months than a year has: 30,000, 14 months full-time, no
    //     fees: 12 months at most, 4,800, all claimed. 2,895.00 less (13,500
    //     + 4,800) x 9.65 % = 1,765.95: 1,129.05.
    //   NB, unused and current: 40,000, unused 2,000, fees 6,000: room
    //     26,956, both claimed (8,000). 3,760.00 less (13,044 + 8,000) x 9.4 %
    //     = 1,978.14 -> 1,781.86; reduction 781 less 3 % x (40,000 - 21,343)
    //     = 221.29: 1,560.57.
    //   ON, ended, unused only: 30,000, unused 20,000, fees 5,000 (Ontario
    //     gives nothing for them, and says nothing). Room 30,000 - 12,399 =
    //     17,601 claimed, 2,399 carried forward; 1,515.00 less 30,000 x
    //     5.05 % = nil; health premium 300 (6 % of 10,000, at most 300): 300.00.
    //   ON above the lowest bracket: 60,000, unused 60,000. Tax 51,446 x
    //     5.05 % = 2,598.02 + 8,554 x 9.15 % = 782.69 -> 3,380.71; rate-test
    //     income 3,380.71 / 5.05 % = 66,944.75, room 54,545.75 claimed, 5,454.25
    //     carried forward; (12,399 + 54,545.75) x 5.05 % = 3,380.71: nil;
    //     premium 450 + 25 % x 12,000, at most 600: 600.00.
    //   SK, left unused: 15,000, unused 4,000; no room (15,000 < 18,491):
    //     nothing claimed, 4,000 carried forward; 1,575.00 less 18,491 x
    //     10.5 %: nil.
    //   AB, ended (2024 Schedule AB(S11): unused amounts only): 30,000,
    //     unused 3,000, fees 5,000 (nothing for them, nothing said). Room
    //     30,000 - 21,885 = 8,115: the 3,000 claimed. 3,000.00 less (21,885 +
    //     3,000) x 10 % = 2,488.50: 511.50.
    void workedReturns_data()
    {
        QTest::addColumn<int>("province");
        QTest::addColumn<double>("income");
        QTest::addColumn<double>("fees");
        QTest::addColumn<double>("months");
        QTest::addColumn<double>("unused");
        QTest::addColumn<double>("currentYear");
        QTest::addColumn<double>("claimed");
        QTest::addColumn<double>("carriedForward");
        QTest::addColumn<double>("line42800");
        QTest::newRow("BC above the lowest bracket")
            << int(PROV_BC) << 60000.0 << 8000.0 << 0.0 << 0.0 << 8000.00 << 8000.00 << 0.00 << 2313.11;
        QTest::newRow("BC more than needed")
            << int(PROV_BC) << 20000.0 << 8000.0 << 0.0 << 0.0 << 8000.00 << 7420.00 << 580.00 << 0.00;
        QTest::newRow("PE with months")
            << int(PROV_PE) << 30000.0 << 3000.0 << 8.0 << 0.0 << 6200.00 << 6200.00 << 0.00 << 993.95;
        QTest::newRow("PE months capped at twelve")
            << int(PROV_PE) << 30000.0 << 0.0 << 14.0 << 0.0 << 4800.00 << 4800.00 << 0.00 << 1129.05;
        QTest::newRow("NB unused and current")
            << int(PROV_NB) << 40000.0 << 6000.0 << 0.0 << 2000.0 << 6000.00 << 8000.00 << 0.00 << 1560.57;
        QTest::newRow("ON ended, unused only")
            << int(PROV_ON) << 30000.0 << 5000.0 << 0.0 << 20000.0 << 0.00 << 17601.00 << 2399.00 << 300.00;
        QTest::newRow("ON above the lowest bracket")
            << int(PROV_ON) << 60000.0 << 0.0 << 0.0 << 60000.0 << 0.00 << 54545.75 << 5454.25 << 600.00;
        QTest::newRow("SK left unused")
            << int(PROV_SK) << 15000.0 << 0.0 << 0.0 << 4000.0 << 0.00 << 0.00 << 4000.00 << 0.00;
        QTest::newRow("AB ended, unused only")
            << int(PROV_AB) << 30000.0 << 5000.0 << 0.0 << 3000.0 << 0.00 << 3000.00 << 0.00 << 511.50;
    }
    void workedReturns()
    {
        QFETCH(int, province);
        QFETCH(double, income);
        QFETCH(double, fees);
        QFETCH(double, months);
        QFETCH(double, unused);
        QFETCH(double, currentYear);
        QFETCH(double, claimed);
        QFETCH(double, carriedForward);
        QFETCH(double, line42800);
        enter({province, income, fees, months, unused});
        const CTaxData_Form* s11 = schedule11();
        QVERIFY(s11);
        QCOMPARE(amountOf(*s11, "carryForward"), unused);
        QCOMPARE(amountOf(*s11, "currentYear"), currentYear);
        QCOMPARE(amountOf(*s11, "claimed"), claimed);
        QCOMPARE(amountOf(*s11, "carriedForward"), carriedForward);
        QCOMPARE(t1->line42800ProvincialTax.m_value, line42800);
        // The 428 claims it on line 58560.
        const CTaxData_Form* tax = formInTree(person, provincialFormOf(province, "428"));
        QVERIFY(tax);
        QCOMPARE(amountOf(*tax, "tuition"), claimed);
        QCOMPARE(tax->findField("tuition")->lineNumber(), QStringLiteral("58560"));
        // Nothing is left out of these returns.
        QCOMPARE(leftOutMessagesOf(person), QStringList());
        // A second calculation assigns the same figures.
        family->Calculate(0, nullptr);
        QCOMPARE(amountOf(*s11, "claimed"), claimed);
        QCOMPARE(t1->line42800ProvincialTax.m_value, line42800);
    }

    // A T2202 slip reaches the student's Schedule 11 as any slip reaches its
    // line, and through it the province's Schedule 11 and line 58560; fees
    // typed on Schedule 11 (not on a slip) add to the slip's. Prince Edward
    // Island, 30,000 of other income (line 13000), the T2202 with 2,400 of
    // fees for 4 months:
    //   federal: basic tax 15 % x 30,000 = 4,500.00 less 15 % x 15,705 =
    //     2,355.75 -> 2,144.25 without it; the 2,400 of fees (line 32300)
    //     take 360.00 off: 42000 = 1,784.25.
    //   PE full-time: this year 2,400 + 4 x 400 = 4,000, room 16,500, all
    //     claimed; 2,895.00 less (13,500 + 4,000) x 9.65 % = 1,688.75 ->
    //     1,206.25 (no low-income reduction at 30,000).
    //   PE part-time: 2,400 + 4 x 120 = 2,880; 2,895.00 less 16,380 x 9.65 %
    //     = 1,580.67 -> 1,314.33.
    //   PE full-time with 600 more fees typed: fees 3,000, 450.00 off
    //     federally: 42000 = 1,694.25; this year 3,000 + 1,600 = 4,600;
    //     2,895.00 less 18,100 x 9.65 % = 1,746.65 -> 1,148.35.
    void t2202SlipReachesSchedule11_data()
    {
        QTest::addColumn<bool>("fullTime");
        QTest::addColumn<double>("typedFees");
        QTest::addColumn<double>("line32300");
        QTest::addColumn<double>("line42000");
        QTest::addColumn<double>("line58560");
        QTest::addColumn<double>("line42800");
        QTest::newRow("full-time") << true << 0.0 << 2400.0 << 1784.25 << 4000.0 << 1206.25;
        QTest::newRow("part-time") << false << 0.0 << 2400.0 << 1784.25 << 2880.0 << 1314.33;
        QTest::newRow("with typed fees") << true << 600.0 << 3000.0 << 1694.25 << 4600.0 << 1148.35;
    }
    void t2202SlipReachesSchedule11()
    {
        QFETCH(bool, fullTime);
        QFETCH(double, typedFees);
        QFETCH(double, line32300);
        QFETCH(double, line42000);
        QFETCH(double, line58560);
        QFETCH(double, line42800);
        start(PROV_PE);
        t1->line13000NotOnSlip.m_value = 30000;
        family->Calculate(0, nullptr);
        QCOMPARE(t1->line42000NetFederalTax.m_value, 2144.25);
        auto& slip = static_cast<TaxData_Slip_T2202&>(*person->NewSlipData(SLIP_T2202, 0, 0)->data);
        slip.session1Fees.m_value = 2400;
        (fullTime ? slip.session1FullTime : slip.session1PartTime).m_value = 4;
        family->Calculate(0, nullptr);
        auto* sch11 = qobject_cast<TaxData_Sch11*>(person->GetFormData(FORM_SCH11, false));
        QVERIFY(sch11);
        QCOMPARE(sch11->SlipFees.m_value, 2400.0);
        QCOMPARE(sch11->TotalFullTimeMonths.m_value, fullTime ? 4.0 : 0.0);
        QCOMPARE(sch11->TotalPartTimeMonths.m_value, fullTime ? 0.0 : 4.0);
        if (typedFees > 0) {
            sch11->EligibleFees.m_value = typedFees;
            family->Calculate(0, nullptr);
        }
        QCOMPARE(t1->line32300Tuition.m_value, line32300);
        QCOMPARE(t1->line42000NetFederalTax.m_value, line42000);
        const CTaxData_Form* tax = formInTree(person, provincialFormOf(PROV_PE, "428"));
        QVERIFY(tax);
        QCOMPARE(amountOf(*tax, "tuition"), line58560);
        QCOMPARE(t1->line42800ProvincialTax.m_value, line42800);
    }

    // Every jurisdiction but Quebec brings its Schedule 11 with the federal
    // one: its unused amounts are typed, its figures computed (read-only),
    // the amount claimed on line 58560.
    void everyJurisdictionHoldsItsSchedule11_data()
    {
        rowPerJurisdiction();
    }
    void everyJurisdictionHoldsItsSchedule11()
    {
        QFETCH(int, province);
        start(province);
        t1->line13000NotOnSlip.m_value = 30000;
        federalSchedule11(person);
        family->Calculate(0, nullptr);
        const ENUMTYPE_FORM type = provincialFormOf(province, "(S11)");
        if (province == PROV_QC) {
            QCOMPARE(type, 0);
            for (int other = 1; other < PROVINCE_COUNT; ++other)
                QVERIFY(!formInTree(person, provincialFormOf(other, "(S11)")));
            return;
        }
        QVERIFY(QString::fromUtf8(getFormCode(type)).startsWith(QString::fromUtf8(getProvCode(province))));
        const CTaxData_Form* s11 = formInTree(person, type);
        QVERIFY2(s11, getFormName(type));
        QVERIFY(!s11->findField("carryForward")->isReadOnly());
        for (const char* computed : {"currentYear", "rateTestIncome", "creditsBeforeTuition", "carryForwardClaimed",
                                     "currentYearClaimed", "claimed", "carriedForward"})
            QVERIFY2(s11->findField(computed)->isReadOnly(), computed);
        QCOMPARE(s11->findField("claimed")->lineNumber(), QStringLiteral("58560"));
        // Without the federal schedule nothing brings it.
        start(province);
        family->Calculate(0, nullptr);
        QVERIFY(!formInTree(person, type));
    }

    // Where this year's amount is not in the tables, or the education
    // amount of the months, Validate Return says so; the unused amounts
    // (3,000) and what the tables have are still claimed. Fees 5,000.
    //   NS at 29,990 (this year's amount not confirmed): tax 29,590 x 8.79 %
    //     = 2,600.96 + 400 x 14.95 % = 59.80 -> 2,660.76; rate-test income
    //     2,660.76 / 8.79 % = 30,270.30; the basic amount 8,481 + 3,000 - 6 %
    //     x 4,990 = 11,181.60; room 19,088.70: the 3,000 claimed. (11,181.60
    //     + 3,000) x 8.79 % = 1,246.56 -> 1,414.20; the low-income reduction
    //     300 less 5 % of 14,990 is nil.
    //   NU at 30,000, 4 full-time months (not confirmed): this year's 5,000
    //     of fees; room 30,000 - 18,767 = 11,233: 8,000 claimed. 1,200.00
    //     less 26,767 x 4 % = 1,070.68: 129.32.
    //   NB at 30,000, 4 months (an education amount not confirmed): 8,000
    //     claimed (room 16,956). 2,820.00 less 21,044 x 9.4 % = 1,978.14 ->
    //     841.86; reduction 781 less 3 % x 8,657 = 521.29: 320.57.
    void amountsNotInTheTablesAreNamed_data()
    {
        QTest::addColumn<int>("province");
        QTest::addColumn<double>("income");
        QTest::addColumn<double>("months");
        QTest::addColumn<QString>("named");
        QTest::addColumn<double>("currentYear");
        QTest::addColumn<double>("line42800");
        QTest::newRow("NS, this year's amount")
            << int(PROV_NS) << 29990.0 << 0.0 << QStringLiteral("tuition and education amounts for 2024 (line 32300)")
            << 0.00 << 1414.20;
        QTest::newRow("NU, full-time months")
            << int(PROV_NU) << 30000.0 << 4.0
            << QStringLiteral("education amount for the months of study (provincial Schedule 11)") << 5000.00
            << 129.32;
        QTest::newRow("NB, full-time months")
            << int(PROV_NB) << 30000.0 << 4.0
            << QStringLiteral("education amount for the months of study (provincial Schedule 11)") << 5000.00
            << 320.57;
    }
    void amountsNotInTheTablesAreNamed()
    {
        QFETCH(int, province);
        QFETCH(double, income);
        QFETCH(double, months);
        QFETCH(QString, named);
        QFETCH(double, currentYear);
        QFETCH(double, line42800);
        enter({province, income, 5000.0, months, 3000.0});
        const QStringList messages = leftOutMessagesOf(person);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.front().contains(named), qPrintable(messages.front()));
        const CTaxData_Form* s11 = schedule11();
        QCOMPARE(amountOf(*s11, "carryForwardClaimed"), 3000.00);
        QCOMPARE(amountOf(*s11, "currentYear"), currentYear);
        QCOMPARE(t1->line42800ProvincialTax.m_value, line42800);
    }

    // A student who designates this year's unused amount to their spouse:
    // the provincial maximum transferable is not in the tables, so the
    // student's return names the transfer and the spouse's names what it
    // would receive. BC, Ben has 5,000 of income (no room: 5,000 < 12,580)
    // and 9,000 of fees; all of it is unused, and the Schedule 11 carries
    // it forward in full until the transfer is worked out by hand.
    void transferToSpouseIsNamed()
    {
        start(PROV_BC, kMarried, true);
        IndividualTaxData* ben = family->getSpouse();
        t1->line13000NotOnSlip.m_value = 60000;
        QVERIFY(person->GetFormData(FORM_SCH2, true));
        ben->GetT1()->line13000NotOnSlip.m_value = 5000;
        TaxData_Sch11& sch11 = federalSchedule11(ben);
        sch11.EligibleFees.m_value = 9000;
        sch11.TransferTo.m_value = TaxData_Sch11::kTransferToSpouse;
        family->Calculate(0, nullptr);
        const CTaxData_Form* s11 = formInTree(ben, provincialFormOf(PROV_BC, "(S11)"));
        QVERIFY(s11);
        QCOMPARE(amountOf(*s11, "currentYear"), 9000.00);
        QCOMPARE(amountOf(*s11, "claimed"), 0.00);
        QCOMPARE(amountOf(*s11, "carriedForward"), 9000.00);
        const QStringList student = leftOutMessagesOf(ben);
        QCOMPARE(student.size(), 1);
        QVERIFY(student.front().contains(
            QStringLiteral("tuition amount transferred to a spouse or parent (provincial Schedule 11)")));
        QVERIFY(leftOutMessagesOf(person).join(QLatin1Char('\n'))
                    .contains(QStringLiteral("tuition amount transferred from the spouse (line 32600)")));
        // Without the designation the student's return names nothing.
        sch11.TransferTo.m_value = 0;
        family->Calculate(0, nullptr);
        QCOMPARE(leftOutMessagesOf(ben), QStringList());
    }

    // The unused amounts go into the return file with the Schedule 11 and
    // come back with it; the interview's last-year amounts and Auto-fill
    // hand them over by the amount code, which answers what the schedule
    // holds.
    void carryForwardStoredWithTheReturn()
    {
        enter({PROV_ON, 30000.0, 0.0, 0.0, 20000.0});
        QCOMPARE(t1->line42800ProvincialTax.m_value, 300.00);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("student.r24"));
        QCOMPARE(family->saveToFile(CString(path), 2), 0);
        int code = -1;
        family.reset(CFamilyTaxData::serializeFromFile(CString(path), code));
        QCOMPARE(code, 0);
        person = family->getTaxpayer();
        t1 = person->GetT1();
        QVERIFY(schedule11());
        QCOMPARE(amountOf(*schedule11(), "carryForward"), 20000.00);
        family->Calculate(0, nullptr);
        QCOMPARE(amountOf(*schedule11(), "claimed"), 17601.00);
        QCOMPARE(t1->line42800ProvincialTax.m_value, 300.00);
        double amount = -1.0;
        QCOMPARE(person->m_provMgr.getProvAmountClaimed(PROVAMT_TUITION_CARRY_FORWARD, amount), 1);
        QCOMPARE(amount, 20000.00);
        // Handed over (Auto-fill): it goes onto the schedule.
        QCOMPARE(person->m_provMgr.setProvAmountClaimed(PROVAMT_TUITION_CARRY_FORWARD, 1000.0), 1);
        QCOMPARE(amountOf(*schedule11(), "carryForward"), 1000.00);
        family->Calculate(0, nullptr);
        QCOMPARE(amountOf(*schedule11(), "claimed"), 1000.00);
    }

    // Auto-fill makes both Schedules 11 and hands the amount over; making a
    // Schedule 7 later reads the interview's last-year amounts again, which
    // have no answer here, and must leave the amount alone. Saskatchewan at
    // 15,000 with 4,000 unused: no room, all carried forward.
    void handedOverByAutoFill()
    {
        start(PROV_SK);
        t1->line13000NotOnSlip.m_value = 15000;
        person->GetS11FormData();
        QVERIFY(schedule11());
        QCOMPARE(person->m_provMgr.setProvAmountClaimed(PROVAMT_TUITION_CARRY_FORWARD, 4000.0), 1);
        QCOMPARE(amountOf(*schedule11(), "carryForward"), 4000.00);
        QVERIFY(person->GetFormData(FORM_SCH7, true));
        family->Calculate(0, nullptr);
        QCOMPARE(amountOf(*schedule11(), "carryForward"), 4000.00);
        QCOMPARE(amountOf(*schedule11(), "claimed"), 0.00);
        QCOMPARE(amountOf(*schedule11(), "carriedForward"), 4000.00);
        QCOMPARE(t1->line42800ProvincialTax.m_value, 0.00);
    }

    // A return that keeps the provincial unused amounts on its T1 only (the
    // interview's last-year amounts, no Schedule 11): they are claimed, and
    // a return read back from its file still answers them by the amount
    // code, so the interview's write-back does not wipe them. Ontario at
    // 30,000 with 20,000 unused: 17,601 claimed, 300.00 (worked above).
    void carryForwardOnTheT1Only()
    {
        start(PROV_ON);
        t1->line13000NotOnSlip.m_value = 30000;
        t1->ProvTuitionCarryForward.m_value = 20000;
        family->Calculate(0, nullptr);
        QVERIFY(!schedule11());
        QCOMPARE(t1->line42800ProvincialTax.m_value, 300.00);
        const CTaxData_Form* tax = formInTree(person, provincialFormOf(PROV_ON, "428"));
        QCOMPARE(amountOf(*tax, "tuition"), 17601.00);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("interview.r24"));
        QCOMPARE(family->saveToFile(CString(path), 2), 0);
        int code = -1;
        family.reset(CFamilyTaxData::serializeFromFile(CString(path), code));
        QCOMPARE(code, 0);
        person = family->getTaxpayer();
        t1 = person->GetT1();
        family->Calculate(0, nullptr);
        double amount = -1.0;
        QCOMPARE(person->m_provMgr.getProvAmountClaimed(PROVAMT_TUITION_CARRY_FORWARD, amount), 1);
        QCOMPARE(amount, 20000.00);
        QCOMPARE(t1->line42800ProvincialTax.m_value, 300.00);
    }
};

QTEST_GUILESS_MAIN(TestProvincialTuition)
#include "tst_provincialtuition.moc"
