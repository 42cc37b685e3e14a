// The coupled optimiser on real returns: it never does worse than any
// split of the shareable amounts that a brute-force walk over a 1 % grid
// finds, leaves a single return alone and keeps the start value when no
// candidate is strictly better.
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include "calcfixture.h"
#include "companion/forms/federal/minimumtax_split.h"
#include "companion/forms/schedules/taxdata_sch9.h"
#include "model/optimize_splitsearch.h"

using namespace calcfixture;

namespace {

constexpr ENUMTYPE_PROVINCE kBritishColumbia = 2;

double familyBalance(const CFamilyTaxData& family)
{
    double taxpayer = 0, spouse = 0, total = 0;
    family.GetFamilyReturnStatus(taxpayer, spouse, total);
    return total;
}

std::unique_ptr<CFamilyTaxData> couple(ENUMTYPE_PROVINCE taxpayerProvince, ENUMTYPE_PROVINCE spouseProvince)
{
    auto family = std::make_unique<CFamilyTaxData>();
    NewReturnBasicData record;
    record.FirstName = CString("Ada");
    record.LastName = CString("Tremblay");
    record.sin = CString("046454286");
    record.dob = QDate(1970, 4, 12);
    record.TaxPronv = taxpayerProvince;
    record.MaritalStatus = 0;
    record.Coupled = true;
    record.FirstNameSpouse = CString("Louis");
    record.LastNameSpouse = CString("Tremblay");
    record.sinSpouse = CString("130692544");
    record.dobSpouse = QDate(1968, 9, 30);
    record.TaxPronvSpouse = spouseProvince;
    family->NewData(&record);
    return family;
}

// Both spouses elect; pensioner names whose eligible pension is split.
void electSplit(CFamilyTaxData& family, IndividualTaxData* pensioner)
{
    for (IndividualTaxData* person : {family.getTaxpayer(), family.getSpouse()})
        form<TaxData_T1032_New>(person, 118, true)->ElectorIndicator.m_value = person == pensioner ? 0 : 1;
}

// One couple of the table, with the shareable amounts the user identified.
struct Case
{
    std::unique_ptr<CFamilyTaxData> family;
    std::unique_ptr<DataShareAmtDlg> amounts = std::make_unique<DataShareAmtDlg>();
    IndividualTaxData* pensioner = nullptr;
    double pensionToSplit = 0.0; // half the pensioner's eligible pension
};

Case oneEarnerWithPension()
{
    Case c;
    c.family = couple(kOntario, kOntario);
    addPensionT4A(c.family->getTaxpayer(), 80000, 16000);
    electSplit(*c.family, c.family->getTaxpayer());
    c.pensioner = c.family->getTaxpayer();
    c.pensionToSplit = 40000;
    c.amounts->fld_BankInterest_3.m_value = 6000;
    return c;
}

Case equalEarners()
{
    Case c;
    c.family = couple(kOntario, kOntario);
    addT4(c.family->getTaxpayer(), 60000, 9000);
    addT4(c.family->getSpouse(), 60000, 9000);
    c.amounts->fld_BankInterest_3.m_value = 4000;
    c.amounts->fld_CapGain_3.m_value = 10000;
    return c;
}

Case donationsOfOneSpouse()
{
    Case c;
    c.family = couple(kOntario, kOntario);
    addT4(c.family->getTaxpayer(), 90000, 20000);
    addT4(c.family->getSpouse(), 25000, 2500);
    form<TaxData_Sch9>(c.family->getSpouse(), 9, true)->OtherDonations.m_value = 3000;
    c.amounts->fld_Donation_2.m_value = 3000;
    return c;
}

// The spouse, in another province, is the pensioner: the pension split
// and the interest go the other way.
Case differentProvinces()
{
    Case c;
    c.family = couple(kOntario, kBritishColumbia);
    addT4(c.family->getTaxpayer(), 30000, 4000);
    addPensionT4A(c.family->getSpouse(), 70000, 14000);
    electSplit(*c.family, c.family->getSpouse());
    c.pensioner = c.family->getSpouse();
    c.pensionToSplit = 35000;
    c.amounts->fld_BankInterest_3.m_value = 5000;
    return c;
}

// The axes of the grid: the pension split, the taxpayer's part of each
// pool, each from 0 % to 100 % of its range in steps of 1 %.
struct Axis
{
    double low;
    double high;
    std::function<void(double)> apply;
};

std::vector<Axis> axesOf(CFamilyTaxData& family, const Case& c)
{
    TaxData_T1New* taxpayerT1 = family.getTaxpayer()->GetT1();
    TaxData_T1New* spouseT1 = family.getSpouse()->GetT1();
    std::vector<Axis> axes;
    if (c.pensioner) {
        axes.push_back({0.0, c.pensionToSplit, [&family](double split) {
                            for (IndividualTaxData* person : {family.getTaxpayer(), family.getSpouse()})
                                form<TaxData_T1032_New>(person, 118)->line10321SplitAmount.m_value = split;
                        }});
    }
    const double interest = c.amounts->fld_BankInterest_3.m_value;
    if (interest > 0)
        axes.push_back({0.0, interest, [=](double part) {
                            taxpayerT1->line12100CoupleInterestShare.m_value = part;
                            spouseT1->line12100CoupleInterestShare.m_value = interest - part;
                        }});
    const double gains = c.amounts->fld_CapGain_3.m_value;
    if (gains > 0)
        axes.push_back({0.0, gains, [=](double part) {
                            taxpayerT1->line12700CoupleGainShare.m_value = part;
                            spouseT1->line12700CoupleGainShare.m_value = gains - part;
                        }});
    const double pool = c.amounts->fld_Donation_3.m_value;
    const double own1 = c.amounts->fld_Donation_1.m_value, own2 = c.amounts->fld_Donation_2.m_value;
    if (pool + own1 + own2 > 0) {
        auto* taxpayerSch9 = form<TaxData_Sch9>(family.getTaxpayer(), 9, true);
        auto* spouseSch9 = form<TaxData_Sch9>(family.getSpouse(), 9, true);
        axes.push_back({-own1, pool + own2, [=](double part) {
                            taxpayerSch9->CoupleDonationShare.m_value = part;
                            spouseSch9->CoupleDonationShare.m_value = pool - part;
                        }});
    }
    return axes;
}

// The lowest family balance over every point of the 1 % grid of all axes.
double bruteForceMinimum(CFamilyTaxData& family, const std::vector<Axis>& axes)
{
    double best = std::numeric_limits<double>::infinity();
    std::vector<int> index(axes.size(), 0);
    for (;;) {
        for (size_t i = 0; i < axes.size(); ++i)
            axes[i].apply(axes[i].low + (axes[i].high - axes[i].low) * index[i] / 100.0);
        family.Calculate(-1, nullptr);
        best = std::min(best, familyBalance(family));
        size_t i = 0;
        while (i < index.size() && ++index[i] > 100)
            index[i++] = 0;
        if (i == index.size())
            return best;
    }
}

} // namespace

class TestCoupledOptimize : public QObject
{
    Q_OBJECT
private slots:
    void neverWorseThanAnyGridSplit_data()
    {
        QTest::addColumn<int>("which");
        QTest::newRow("one earner with a pension") << 0;
        QTest::newRow("equal earners") << 1;
        QTest::newRow("one spouse with donations only") << 2;
        QTest::newRow("spouses in different provinces") << 3;
    }
    void neverWorseThanAnyGridSplit()
    {
        QFETCH(int, which);
        static const std::function<Case()> makers[] = {oneEarnerWithPension, equalEarners, donationsOfOneSpouse,
                                                       differentProvinces};
        Case c = makers[which]();
        c.family->Calculate(-1, nullptr);

        CFamilyTaxData scratch;
        scratch = *c.family;
        OptimizeRun run;
        QVERIFY(scratch.DoCoupledReturnOptimize(c.amounts.get(), &run));
        const double optimised = familyBalance(scratch);

        CFamilyTaxData grid;
        grid = *c.family;
        const std::vector<Axis> axes = axesOf(grid, c);
        QVERIFY(!axes.empty());
        const double gridBest = bruteForceMinimum(grid, axes);
        QVERIFY2(optimised <= gridBest + 0.005,
                 qPrintable(QString("optimised %1, grid %2").arg(optimised, 0, 'f', 2).arg(gridBest, 0, 'f', 2)));
        // And the optimiser kept to a few dozen recalculations a search.
        QVERIFY2(run.recalculations() <= 4 * 50, qPrintable(QString::number(run.recalculations())));
    }

    // The split the optimiser leaves on the forms is the one its balance
    // came from: recalculating changes nothing.
    void resultStaysOnTheForms()
    {
        Case c = differentProvinces();
        c.amounts->fld_Donation_3.m_value = 1500;
        c.family->Calculate(-1, nullptr);
        c.family->DoCoupledReturnOptimize(c.amounts.get());
        const double optimised = familyBalance(*c.family);
        c.family->Calculate(-1, nullptr);
        QCOMPARE(familyBalance(*c.family), optimised);
        // The split never passes half of the spouse's eligible pension, and
        // the donation shares still add up to the pool.
        const double split = form<TaxData_T1032_New>(c.family->getSpouse(), 118)->line10321SplitAmount.m_value;
        QVERIFY(split >= 0.0 && split <= 35000.0);
        const double shares = form<TaxData_Sch9>(c.family->getTaxpayer(), 9)->CoupleDonationShare.m_value
                              + form<TaxData_Sch9>(c.family->getSpouse(), 9)->CoupleDonationShare.m_value;
        QCOMPARE(shares, 1500.0);
    }

    void singleReturnIsUnchanged()
    {
        auto family = makeFamily(false);
        addPensionT4A(family->getTaxpayer(), 50000, 9000);
        family->Calculate(-1, nullptr);
        CFamilyTaxData before;
        before = *family;
        DataShareAmtDlg amounts;
        amounts.fld_BankInterest_3.m_value = 3000;
        amounts.fld_Donation_3.m_value = 500;
        OptimizeRun run;
        QVERIFY(family->DoCoupledReturnOptimize(&amounts, &run));
        QCOMPARE(run.recalculations(), 0);
        QVERIFY(*family == before);
    }

    // Nobody pays tax whatever the split: both searches keep their start.
    void noStrictlyBetterCandidateKeepsStart()
    {
        auto family = makeFamily(true);
        addPensionT4A(family->getTaxpayer(), 12000);
        electSplit(*family, family->getTaxpayer());
        form<TaxData_Sch9>(family->getTaxpayer(), 9, true)->OtherDonations.m_value = 100;
        form<TaxData_T1032_New>(family->getTaxpayer(), 118)->line10321SplitAmount.m_value = 1234.0;
        form<TaxData_T1032_New>(family->getSpouse(), 118)->line10321SplitAmount.m_value = 1234.0;
        family->Calculate(-1, nullptr);
        const double balance = familyBalance(*family);

        double best = 1234.0;
        family->DoPensionSplitOpt(6000.0, best);
        QCOMPARE(best, 1234.0);

        best = -40.0;
        family->DoDonationSplitOpt(-100.0, 0.0, 0.0, best);
        QCOMPARE(best, -40.0);
        // Every candidate tried gave the same balance as the start.
        family->Calculate(-1, nullptr);
        QCOMPARE(familyBalance(*family), balance);
    }

    // The user stops the run: the split found so far stays, false comes back.
    void cancelKeepsBestSoFar()
    {
        Case c = oneEarnerWithPension();
        c.family->Calculate(-1, nullptr);
        const double start = familyBalance(*c.family);
        OptimizeRun run([](int recalculations) { return recalculations < 10; });
        QVERIFY(!c.family->DoCoupledReturnOptimize(c.amounts.get(), &run));
        QVERIFY(run.recalculations() <= 12);
        QVERIFY(familyBalance(*c.family) <= start);
    }
};

QTEST_GUILESS_MAIN(TestCoupledOptimize)
#include "tst_coupledoptimize.moc"
