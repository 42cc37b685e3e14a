// Slip totals, the forms they call for, the slip summary and the dependant
// names of the interview.
#include <QTextStream>
#include <QtTest>
#include <memory>

#include "companion/forms/slips/slips_employment.h"
#include "companion/forms/slips/slips_investment.h"
#include "companion/forms/wizard/interviewdata.h"
#include "model/slipcalc.h"
#include "model/textlimits.h"
#include "modelfixture.h"

using namespace modelfixture;

namespace {

template <typename Slip>
Slip& addSlip(IndividualTaxData& person, ENUMTYPE_SLIP type)
{
    return static_cast<Slip&>(*person.NewSlipData(type, 0, 0)->data);
}

STRUCT_SLIPDATA_CALCULATION totalsOf(IndividualTaxData& person, std::set<ENUMTYPE_FORM>* neededOut = nullptr,
                                     bool create = false)
{
    STRUCT_SLIPDATA_CALCULATION s;
    std::set<ENUMTYPE_FORM> needed;
    person.PrepareSlipsBeforeCalculate(s, needed, create);
    if (neededOut)
        *neededOut = needed;
    return s;
}

} // namespace

class TestSlipCalc : public QObject
{
    Q_OBJECT
    std::unique_ptr<CFamilyTaxData> owner;
    IndividualTaxData* person = nullptr;

private slots:
    void init()
    {
        owner = std::make_unique<CFamilyTaxData>();
        const NewReturnBasicData data = newReturn(5, false);
        owner->NewData(&data);
        person = owner->getTaxpayer();
    }
    void cleanup() { owner.reset(); }

    void freshRecordStartValues()
    {
        STRUCT_SLIPDATA_CALCULATION s;
        QVERIFY(s.t4AllEiExempt);
        QCOMPARE(s.t5007ManitobaMinRatio, 1.0);
        QCOMPARE(s.getT4Count(), 0);
        QCOMPARE(s.t4aBox106, 0.0);
        const int formsBefore = person->GetCountOfForm(0);
        std::set<ENUMTYPE_FORM> needed;
        const STRUCT_SLIPDATA_CALCULATION none = totalsOf(*person, &needed, true);
        QVERIFY(none.t4AllEiExempt);
        QVERIFY(needed.empty());
        QCOMPARE(person->GetCountOfForm(0), formsBefore);
    }

    void quebecT4_data()
    {
        QTest::addColumn<double>("box16");
        QTest::addColumn<double>("box17");
        QTest::addColumn<int>("qppCount");
        QTest::addColumn<bool>("rc381");
        QTest::addColumn<bool>("sch8");
        QTest::newRow("box 17 only: QPP") << 0.0 << 1000.0 << 1 << true << false;
        QTest::newRow("box 16 entered: CPP") << 1000.0 << 0.0 << 0 << false << true;
    }
    void quebecT4()
    {
        QFETCH(double, box16);
        QFETCH(double, box17);
        QFETCH(int, qppCount);
        QFETCH(bool, rc381);
        QFETCH(bool, sch8);
        auto& t4 = addSlip<TaxData_Slip_T4>(*person, 1);
        t4.Province.m_value = 11;
        t4.box14EmploymentIncome.m_value = 40000;
        t4.box16CppContributions.m_value = box16;
        t4.box17QppContributions.m_value = box17;
        t4.box26PensionableEarnings.m_value = 40000;
        std::set<ENUMTYPE_FORM> needed;
        const STRUCT_SLIPDATA_CALCULATION s = totalsOf(*person, &needed, true);
        QCOMPARE(s.t4QppCount, qppCount);
        QCOMPARE(s.t4NonQppCount, 1 - qppCount);
        QCOMPARE(s.t4Box26Cpp, qppCount ? 0.0 : 40000.0);
        QCOMPARE(bool(needed.count(148)), rc381);
        QCOMPARE(bool(needed.count(150)), sch8);
        QCOMPARE(person->HasForm(148), rc381);
        QCOMPARE(person->HasForm(150), sch8);
    }

    void scholarshipExemptionOncePerTotal_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<double>("taxable");
        QTest::newRow("code 0: 500 off the total") << 0 << 1100.0;
        QTest::newRow("code 1: exempt") << 1 << 0.0;
        QTest::newRow("code 2: taxable") << 2 << 1600.0;
    }
    void scholarshipExemptionOncePerTotal()
    {
        QFETCH(int, code);
        QFETCH(double, taxable);
        for (int i = 0; i < 2; ++i) {
            auto& t4a = addSlip<TaxData_Slip_T4A>(*person, 2);
            t4a.box105Scholarships.m_value = 800;
            t4a.box105Code.m_value = code;
        }
        QCOMPARE(totalsOf(*person).t4aBox105Taxable, taxable);
    }

    void partnershipShare_data()
    {
        QTest::addColumn<double>("percent");
        QTest::addColumn<double>("share");
        QTest::newRow("50%") << 50.0 << 500.0;
        QTest::newRow("0%") << 0.0 << 0.0;
    }
    void partnershipShare()
    {
        QFETCH(double, percent);
        QFETCH(double, share);
        auto& t5013 = addSlip<TaxData_Slip_T5013>(*person, 13);
        t5013.box5Percent.m_value = percent;
        t5013.amount01Box128.m_value = 1000;
        QCOMPARE(totalsOf(*person).t5013Share01, share);
    }

    void repaymentRateIsTheLastOneGiven()
    {
        for (double rate : {30.0, 0.0, 25.0})
            addSlip<TaxData_Slip_T4E>(*person, 5).box7RepaymentRate.m_value = rate;
        QCOMPARE(totalsOf(*person).t4eBox7, 25.0);
    }

    void manitobaMinimumRatio_data()
    {
        QTest::addColumn<QList<int>>("provinces");
        QTest::addColumn<QList<double>>("ratios");
        QTest::addColumn<double>("minimum");
        QTest::newRow("two Manitoba slips") << QList<int>{3, 3} << QList<double>{0.8, 0.5} << 0.5;
        QTest::newRow("another province") << QList<int>{9} << QList<double>{0.4} << 1.0;
        QTest::newRow("never raised above 1") << QList<int>{3} << QList<double>{1.5} << 1.0;
    }
    void manitobaMinimumRatio()
    {
        QFETCH(QList<int>, provinces);
        QFETCH(QList<double>, ratios);
        QFETCH(double, minimum);
        for (int i = 0; i < provinces.size(); ++i) {
            auto& t5007 = addSlip<CSlipData_T5007>(*person, 11);
            t5007.Province.m_value = provinces[i];
            t5007.ratioAmount.m_value = ratios[i];
        }
        QCOMPARE(totalsOf(*person).t5007ManitobaMinRatio, minimum);
    }

    void smallEiPremiumNeedsNoT2204()
    {
        addSlip<TaxData_Slip_T4>(*person, 1).box18EiPremiums.m_value = 0.005;
        std::set<ENUMTYPE_FORM> needed;
        totalsOf(*person, &needed);
        QVERIFY(!needed.count(23));
    }

    // Looking at a return (validation, the summary, the question whether a
    // form may go) never adds forms; only the calculation does.
    void readOnlyCallersCreateNoForm()
    {
        addSlip<TaxData_Slip_T3>(*person, 9).box21CapitalGains.m_value = 400;
        QVERIFY(!person->HasForm(4));
        std::set<ENUMTYPE_FORM> needed;
        totalsOf(*person, &needed, false);
        QVERIFY(needed.count(4));
        QVERIFY(person->IsFormNeeded(4));
        QString html;
        QTextStream out(&html);
        person->getSlipSummary(out);
        std::list<CString> messages;
        person->ValidateCalculationInputs(messages);
        QVERIFY(!person->HasForm(4));
        QVERIFY(!person->HasForm(32));
        totalsOf(*person, &needed, true);
        QVERIFY(person->HasForm(4));
        QVERIFY(person->HasForm(32));
    }

    void secondForeignTaxFormMayGo()
    {
        addSlip<TaxData_Slip_T5>(*person, 8).box16ForeignTax.m_value = 30;
        person->GetFormData(35, true);
        QVERIFY(person->IsFormNeeded(35));
        person->NewFormDataItem(35, 0, true, 0, true);
        QCOMPARE(person->GetCountOfForm(35), 2);
        QVERIFY(!person->IsFormNeeded(35));
    }

    void summaryOfTwoT4s()
    {
        addSlip<TaxData_Slip_T4>(*person, 1).box14EmploymentIncome.m_value = 30000;
        addSlip<TaxData_Slip_T4>(*person, 1).box14EmploymentIncome.m_value = 20000;
        QString html;
        QTextStream out(&html);
        QCOMPARE(person->getSlipSummary(out), 0);
        out.flush();
        QVERIFY(html.startsWith("*this summary is only for purpose of return preparation check, not accurate/full*"));
        QVERIFY(html.contains("<b>There are totally 2 tax slip(s)</b>"));
        QVERIFY(html.contains("<br><br>T4 tax slip: 2 <br>\n"));
        QVERIFY(html.contains("50000"));
        QVERIFY(html.contains("Total Income"));
        QVERIFY(!html.contains("T5 tax slip"));
    }

    void summaryWithoutSlips()
    {
        QString html;
        QTextStream out(&html);
        person->getSlipSummary(out);
        out.flush();
        QCOMPARE(html, QString("*this summary is only for purpose of return preparation check, not accurate/full*"
                               "<br><br>\n<b>There are totally 0 tax slip(s)</b><br><br>\n"));
    }

    void t3DeathBenefitInSummary_data()
    {
        QTest::addColumn<double>("box35");
        QTest::addColumn<QString>("total");
        QTest::newRow("at the exemption") << 10000.005 << "0";
        QTest::newRow("above it") << 12000.0 << "2000";
    }
    void t3DeathBenefitInSummary()
    {
        QFETCH(double, box35);
        QFETCH(QString, total);
        addSlip<TaxData_Slip_T3>(*person, 9).box35DeathBenefits.m_value = box35;
        STRUCT_SLIPDATA_CALCULATION s = totalsOf(*person);
        CString html;
        s.getSlipSummary_T3(html);
        QVERIFY2(html.contains(QString(">%1</td><td>Total Income").arg(total)), qPrintable(html));
    }

    void dependantNamesCutOnCharacters_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("stored");
        const QString hundred(100, QLatin1Char('a'));
        QTest::newRow("100 letters") << hundred << hundred.left(79);
        const QString accent = QString(78, QLatin1Char('b')) + QString::fromUtf8("é");
        QTest::newRow("é across the boundary") << accent + "x" << QString(78, QLatin1Char('b'));
        QTest::newRow("é just fits") << QString(77, QLatin1Char('c')) + QString::fromUtf8("é")
                                    << QString(77, QLatin1Char('c')) + QString::fromUtf8("é");
        QTest::newRow("short") << "Zoé" << "Zoé";
    }
    void dependantNamesCutOnCharacters()
    {
        QFETCH(QString, name);
        QFETCH(QString, stored);
        auto* wiz = qobject_cast<CWizData_Dependant*>(person->GetWizData(3, true));
        QVERIFY(wiz);
        wiz->firstName(0).m_value = CString(name);
        wiz->count(0).m_value = 2;
        person->ReadDataFromWizards(3);
        const DependantInfo* entry = owner->dependants().GetAt(0);
        QCOMPARE(QString(entry->firstName), stored);
        QVERIFY(entry->firstName.toUtf8().size() <= 79);
        QCOMPARE(entry->count, 2.0);
        QCOMPARE(QString(cutToUtf8Bytes(CString(name), 79)), stored);
    }
};

QTEST_GUILESS_MAIN(TestSlipCalc)
#include "tst_slipcalc.moc"
