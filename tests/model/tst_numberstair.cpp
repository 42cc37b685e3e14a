// The bracket staircase of the coupled optimiser and its split search, on
// plain figures.
#include <QtTest>

#include <cmath>

#include "model/NumberStair.h"
#include "model/optimize_splitsearch.h"

namespace {

NumberStair stairOf(std::initializer_list<double> steps)
{
    NumberStair stair;
    for (double step : steps)
        stair.AddStepAmt(step);
    return stair;
}

} // namespace

class TestNumberStair : public QObject
{
    Q_OBJECT
private slots:
    void addKeepsOrder()
    {
        const NumberStair stair = stairOf({100, 50, 75, 50});
        QCOMPARE(stair.GetMaxLevel(), 4);
        QCOMPARE(stair.steps(), (std::vector<double>{50, 50, 75, 100}));
    }

    void level_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("level");
        QTest::newRow("below the first") << 49.99 << 0;
        QTest::newRow("on the first") << 50.0 << 1;
        QTest::newRow("between") << 99.0 << 1;
        QTest::newRow("on the last") << 100.0 << 2;
        QTest::newRow("above all") << 1e9 << 2;
        QTest::newRow("negative") << -5.0 << 0;
    }
    void level()
    {
        QFETCH(double, x);
        QFETCH(int, level);
        QCOMPARE(stairOf({50, 100}).GetLevel(x), level);
    }

    void stepAmountIsBounded_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<double>("amount");
        QTest::newRow("first") << 0 << 50.0;
        QTest::newRow("negative gives the first") << -3 << 50.0;
        QTest::newRow("last") << 2 << 200.0;
        QTest::newRow("past the end gives the last") << 3 << 200.0;
        QTest::newRow("far past the end") << 1000 << 200.0;
    }
    void stepAmountIsBounded()
    {
        QFETCH(int, index);
        QFETCH(double, amount);
        QCOMPARE(stairOf({50, 100, 200}).GetStepAmt(index), amount);
    }

    void emptyStaircase()
    {
        const NumberStair stair;
        QCOMPARE(stair.GetStepAmt(0), 0.0);
        QCOMPARE(stair.GetLevel(1000), 0);
        double upper = -1, lower = -1;
        stair.Optimize(PersonalAmt(120, 100), PersonalAmt(20, 100), upper, lower);
        QCOMPARE(upper, 0.0);
        QCOMPARE(lower, 0.0);
    }

    void optimize_data()
    {
        QTest::addColumn<QVector<double>>("steps");
        QTest::addColumn<double>("firstAmount");
        QTest::addColumn<double>("firstMovable");
        QTest::addColumn<double>("secondAmount");
        QTest::addColumn<double>("secondMovable");
        QTest::addColumn<double>("lower");
        QTest::addColumn<double>("upper");
        // 120 drops to 100 (moves 20), 20 climbs to 50 (moves 10 more):
        // both in [50, 100) after 30; up to 70 keeps them there
        // (first 50, second 90).
        QTest::newRow("first higher") << QVector<double>{50, 100} << 120.0 << 100.0 << 20.0 << 100.0 << 30.0 << 70.0;
        QTest::newRow("second higher") << QVector<double>{50, 100} << 20.0 << 100.0 << 120.0 << 100.0 << -30.0
                                       << -70.0;
        // Only 10 may move: the move stops with the levels still apart.
        QTest::newRow("movable runs out") << QVector<double>{50, 100} << 120.0 << 10.0 << 20.0 << 100.0 << 10.0
                                          << 10.0;
        // Both below the first threshold: nothing to gain.
        QTest::newRow("both at level 0") << QVector<double>{50, 100} << 40.0 << 100.0 << 0.0 << 100.0 << 0.0 << 0.0;
        // Top bracket has no threshold above: 50 brings the second to 50,
        // at most 100 may move in all.
        QTest::newRow("top bracket") << QVector<double>{50} << 200.0 << 100.0 << 0.0 << 100.0 << 50.0 << 100.0;
        // Same bracket from the start: the first counts as the low one.
        // From the second (high) side, -10 (first down to 50) to 30 (second
        // down to 50) keep both in [50, 100); the signs then turn.
        QTest::newRow("same bracket") << QVector<double>{50, 100} << 60.0 << 100.0 << 80.0 << 100.0 << 10.0 << -30.0;
    }
    void optimize()
    {
        QFETCH(QVector<double>, steps);
        QFETCH(double, firstAmount);
        QFETCH(double, firstMovable);
        QFETCH(double, secondAmount);
        QFETCH(double, secondMovable);
        QFETCH(double, lower);
        QFETCH(double, upper);
        NumberStair stair;
        for (double step : steps)
            stair.AddStepAmt(step);
        double gotUpper = 0, gotLower = 0;
        stair.Optimize(PersonalAmt(firstAmount, firstMovable), PersonalAmt(secondAmount, secondMovable), gotUpper,
                       gotLower);
        QCOMPARE(gotLower, lower);
        QCOMPARE(gotUpper, upper);
    }

    // ---- The split search ----

    void searchFindsTheBend_data()
    {
        QTest::addColumn<double>("bend");
        QTest::addColumn<double>("high");
        QTest::newRow("inside") << 1234.56 << 50000.0;
        QTest::newRow("near the low end") << 0.37 << 50000.0;
        QTest::newRow("at the high end") << 50000.0 << 50000.0;
        QTest::newRow("at the low end") << 0.0 << 50000.0;
        QTest::newRow("small range") << 12.34 << 20.0;
    }
    // A piecewise-linear balance with one bend, like tax across a threshold:
    // the search gets within a cent of it and costs a few dozen tries.
    void searchFindsTheBend()
    {
        QFETCH(double, bend);
        QFETCH(double, high);
        auto balance = [bend](double x) { return x < bend ? 0.4 * (bend - x) : 0.25 * (x - bend); };
        SplitSearch search(0.0, high, balance);
        const double start = high / 2 == bend ? 0.0 : high / 2;
        const double best = search.run(start, balance(start));
        QVERIFY2(std::fabs(best - bend) <= 0.011, qPrintable(QString::number(best, 'f', 4)));
        QVERIFY2(search.evaluations() <= 48, qPrintable(QString::number(search.evaluations())));
    }

    // A bend the caller names as a break point is hit exactly.
    void breakPointIsTried()
    {
        const double bend = 33333.33;
        auto balance = [bend](double x) { return std::fabs(x - bend); };
        SplitSearch search(0.0, 100000.0, balance);
        search.addBreakPoint(bend);
        QCOMPARE(search.run(0.0, balance(0.0)), bend);
    }

    // Nothing strictly better than the start: the start value stays, also
    // when an end of the range ties with it.
    void startWinsTies_data()
    {
        QTest::addColumn<double>("start");
        QTest::newRow("inside") << 777.0;
        QTest::newRow("at the low end") << 0.0;
        QTest::newRow("at the high end") << 1000.0;
    }
    void startWinsTies()
    {
        QFETCH(double, start);
        int calls = 0;
        SplitSearch search(0.0, 1000.0, [&calls](double) {
            ++calls;
            return 5.0;
        });
        QCOMPARE(search.run(start, 5.0), start);
        QVERIFY(calls > 0);
    }

    // The first of two equal minima found stays.
    void firstMinimumStays()
    {
        auto balance = [](double x) { return (x <= 100.0 || x >= 900.0) ? 1.0 : 2.0; };
        SplitSearch search(0.0, 1000.0, balance);
        QCOMPARE(search.run(500.0, balance(500.0)), 0.0);
    }

    // The caller stops the run: no more tries, the best so far comes back.
    void cancelStops()
    {
        int seen = 0;
        OptimizeRun run([&seen](int recalculations) {
            seen = recalculations;
            return recalculations < 3;
        });
        int calls = 0;
        SplitSearch search(
            0.0, 1000.0,
            [&calls](double x) {
                ++calls;
                return x; // the low end is best
            },
            &run);
        const double best = search.run(500.0, 500.0);
        QCOMPARE(calls, 3);
        QCOMPARE(seen, 3);
        QVERIFY(run.cancelled());
        QCOMPARE(best, 0.0); // the low end was tried first
    }

    // A start outside the range is no answer.
    void startOutsideRangeIsReplaced()
    {
        auto balance = [](double) { return 1.0; };
        SplitSearch search(0.0, 100.0, balance);
        const double best = search.run(250.0, 0.0);
        QVERIFY(best >= 0.0 && best <= 100.0);
    }
};

QTEST_GUILESS_MAIN(TestNumberStair)
#include "tst_numberstair.moc"
