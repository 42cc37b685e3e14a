// Agency slips copied into the return's slip objects: which value goes
// where, what is left alone, and what a copy tells the user.
#include <QtTest>

#include "agencydata/records/taxslipkinds.h"
#include "companion/forms/catalogue.h"
#include "companion/forms/slips/slips_employment.h"
#include "companion/forms/slips/slips_investment.h"
#include "companion/forms/slips/slips_other.h"

#include <memory>

namespace {

// A box as the agency sent it ("" stands for a box it left out).
void putBox(TaxSlip& slip, const char* key, const QString& text)
{
    if (!text.isNull())
        slip.m_boxValues[key] = CString(text);
}

} // namespace

class TestSlipCopy : public QObject
{
    Q_OBJECT
private slots:
    void t4FlaggedBoxes_data()
    {
        QTest::addColumn<QString>("box24");
        QTest::addColumn<int>("flag");
        QTest::addColumn<double>("amount");
        // The slip object starts as the user left it: flag 0, amount 7.
        QTest::newRow("one cent") << "0.01" << 1 << 0.01;
        QTest::newRow("amount") << "61500.00" << 1 << 61500.0;
        QTest::newRow("zero") << "0.00" << 0 << 7.0;
        QTest::newRow("absent") << QString() << 0 << 7.0;
        QTest::newRow("negative") << "-5.00" << 0 << 7.0;
    }

    void t4FlaggedBoxes()
    {
        QFETCH(QString, box24);
        QFETCH(int, flag);
        QFETCH(double, amount);
        TaxSlipT4 slip;
        putBox(slip, "24", box24);
        putBox(slip, "26", box24);
        TaxData_Slip_T4 target;
        target.box24EiInsurableEarnings.m_value = 7.0;
        target.box26PensionableEarnings.m_value = 7.0;
        QCOMPARE(slip.copyToSlipData(&target), 0);
        QCOMPARE(target.box24Flag.m_value, flag);
        QCOMPARE(target.box24EiInsurableEarnings.m_value, amount);
        QCOMPARE(target.box26Flag.m_value, flag);
        QCOMPARE(target.box26PensionableEarnings.m_value, amount);
    }

    void t4ExemptCodes_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("flag");
        QTest::newRow("one") << "1" << 1;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("nine tenths") << "0.9" << 0;
        QTest::newRow("the agency's no") << "2" << 0;
        QTest::newRow("none") << "" << 0;
    }

    void t4ExemptCodes()
    {
        QFETCH(QString, code);
        QFETCH(int, flag);
        TaxSlipT4 slip;
        slip.m_cppQppExemptCode = code.toStdString();
        slip.m_eiExemptCode = code.toStdString();
        TaxData_Slip_T4 target;
        target.box28CppQppExempt.m_value = 1 - flag;
        target.box28EiExempt.m_value = 1 - flag;
        slip.copyToSlipData(&target);
        QCOMPARE(target.box28CppQppExempt.m_value, flag);
        QCOMPARE(target.box28EiExempt.m_value, flag);
    }

    void t4NamesProvinceAndBoxes()
    {
        TaxSlipT4 slip;
        slip.m_employerName = "Acme Ltd";
        slip.m_province = "ON";
        slip.m_ppipExemptCode = "1";
        putBox(slip, "14", "52000.50");
        putBox(slip, "22", "9100.00");
        putBox(slip, "87", "1000.00");
        putBox(slip, "45", "3"); // not a box the return's slip takes from the agency
        TaxData_Slip_T4 target;
        target.box16CppContributions.m_value = 99.0; // absent at the agency: written as 0
        slip.copyToSlipData(&target);
        QCOMPARE(QString(target.EmployerName.m_value), QStringLiteral("Acme Ltd"));
        QCOMPARE(target.Province.m_value, getProvinceFromCode("ON"));
        QVERIFY(target.Province.m_value > 0);
        QCOMPARE(target.box14EmploymentIncome.m_value, 52000.50);
        QCOMPARE(target.box22IncomeTaxDeducted.m_value, 9100.0);
        QCOMPARE(target.box87EmergencyVolunteer.m_value, 1000.0);
        QCOMPARE(target.box16CppContributions.m_value, 0.0);
        QCOMPARE(target.box28PpipExempt.m_value, 0);
    }

    void t4rspSpousalFlag_data()
    {
        QTest::addColumn<QString>("box24");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("flag");
        QTest::newRow("one sets") << "1" << 0 << 1;
        QTest::newRow("zero clears") << "0" << 1 << 0;
    }

    void t4rspSpousalFlag()
    {
        QFETCH(QString, box24);
        QFETCH(int, before);
        QFETCH(int, flag);
        TaxSlipT4RSP slip;
        slip.m_box24 = box24.toStdString();
        slip.m_box22 = "4000.00";
        slip.m_box30 = "400.00";
        TaxData_Slip_T4RSP target;
        target.box24SpousalFlag.m_value = before;
        slip.copyToSlipData(&target);
        QCOMPARE(target.box24SpousalFlag.m_value, flag);
        QCOMPARE(target.box22Withdrawal.m_value, 4000.0);
        QCOMPARE(target.box30IncomeTaxDeducted.m_value, 400.0);
    }

    void t2202WritesOnlyTheSessionsSent()
    {
        TaxSlipT2202 slip;
        putBox(slip, "10", " College of Art ");
        slip.m_sessionCount = 2;
        slip.m_fromPeriod = {"2024/01", "2024/09", "", ""};
        slip.m_toPeriod = {"2024/04", "2024/12", "", ""};
        slip.m_partTimeMonths = {"0", "2", "", ""};
        slip.m_fullTimeMonths = {"4", "2", "", ""};
        slip.m_eligibleFees = {"3000.00", "1500.00", "", ""};
        TaxData_Slip_T2202 target;
        target.session3From.m_value = CString("2023/01");
        target.eligibleFees(3).m_value = 800.0;
        target.eligibleFees(4).m_value = 900.0;
        slip.copyToSlipData(&target);
        QCOMPARE(QString(target.box10School.m_value), QStringLiteral("College of Art"));
        QCOMPARE(QString(target.session1From.m_value), QStringLiteral("2024/01"));
        QCOMPARE(QString(target.session2To.m_value), QStringLiteral("2024/12"));
        QCOMPARE(target.fullTimeMonths(1).m_value, 4.0);
        QCOMPARE(target.partTimeMonths(2).m_value, 2.0);
        QCOMPARE(target.eligibleFees(2).m_value, 1500.0);
        QCOMPARE(QString(target.session3From.m_value), QStringLiteral("2023/01"));
        QCOMPARE(target.eligibleFees(3).m_value, 800.0);
        QCOMPARE(target.eligibleFees(4).m_value, 900.0);
    }

    void t4aWithoutBox104WritesZero()
    {
        TaxSlipT4A slip;
        slip.m_payerName = "University";
        putBox(slip, "105", "2500.00");
        putBox(slip, "127", "300.00");
        TaxData_Slip_T4A target;
        target.box104ResearchGrants.m_value = 123.0;
        slip.copyToSlipData(&target);
        QCOMPARE(target.box104ResearchGrants.m_value, 0.0);
        QCOMPARE(target.box105Scholarships.m_value, 2500.0);
        QCOMPARE(target.box127Veterans.m_value, 300.0);
        QCOMPARE(QString(target.PayerName.m_value), QStringLiteral("University"));
    }

    // A kind given a target of another class, or none, changes nothing.
    void wrongTargetIsLeftAlone()
    {
        TaxSlipT4 slip;
        slip.m_employerName = "Acme";
        putBox(slip, "14", "100.00");
        TaxData_Slip_T5 t5;
        t5.PayerName.m_value = CString("Bank");
        t5.box13Interest.m_value = 5.0;
        TaxData_Slip_T5 untouched;
        untouched.CopyData(&t5);
        QCOMPARE(slip.copyToSlipData(&t5), -1);
        QVERIFY(!t5.CompareData(&untouched));
        QCOMPARE(slip.copyToSlipData(nullptr), -1);
    }

    void t5KeepsItsCurrencyAndSaysSo_data()
    {
        QTest::addColumn<QString>("currency");
        QTest::addColumn<int>("notes");
        QTest::newRow("Canadian") << "CAD" << 0;
        QTest::newRow("Canadian, lower case") << "cad" << 0;
        QTest::newRow("none") << QString() << 0;
        QTest::newRow("US dollars") << "USD" << 1;
    }

    void t5KeepsItsCurrencyAndSaysSo()
    {
        QFETCH(QString, currency);
        QFETCH(int, notes);
        TaxSlipT5 slip;
        slip.m_payerName = "Bank";
        putBox(slip, "13", "120.00");
        putBox(slip, "27", currency);
        TaxData_Slip_T5 target;
        slip.copyToSlipData(&target);
        QCOMPARE(target.box13Interest.m_value, 120.0);
        QCOMPARE(QString(target.box27Currency.m_value), currency.isNull() ? QString("") : currency);
        // The slip's own recalculation ran: the recipient's share is there.
        QCOMPARE(target.shareInterest.m_value, 120.0);
        std::list<CString> said;
        slip.appendCopyNotes(said);
        QCOMPARE(int(said.size()), notes);
        if (notes)
            QVERIFY(said.front().contains(QStringLiteral("USD")));
    }

    void t5013NamesTheBoxesItLeavesOut()
    {
        TaxSlipT5013 slip;
        slip.m_payerName = "Partners LP";
        putBox(slip, "5", "12.5");
        putBox(slip, "10", "1000.00");
        putBox(slip, "30", "200.00");
        TaxData_Slip_T5013 target;
        slip.copyToSlipData(&target);
        QCOMPARE(target.box5Percent.m_value, 12.5);
        QCOMPARE(QString(target.PayerName.m_value), QStringLiteral("Partners LP"));
        std::list<CString> said;
        slip.appendCopyNotes(said);
        QCOMPARE(int(said.size()), 1);
        QVERIFY(said.front().contains(QStringLiteral("10, 30")));

        TaxSlipT5013 shareOnly;
        putBox(shareOnly, "5", "50");
        std::list<CString> none;
        shareOnly.appendCopyNotes(none);
        QVERIFY(none.empty());
    }

    void t1204AmountsButNoPayer()
    {
        TaxSlipT1204 slip;
        slip.m_payerName = "Public Works";
        slip.m_box82 = "1200.00";
        slip.m_box84 = "300.00";
        TaxData_Slip_T1204 target;
        slip.copyToSlipData(&target);
        QCOMPARE(target.box82Services.m_value, 1200.0);
        QCOMPARE(target.box84Mixed.m_value, 300.0);
        QVERIFY(target.PayerName.m_value.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSlipCopy)
#include "tst_slipcopy.moc"
