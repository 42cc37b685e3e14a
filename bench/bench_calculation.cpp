// Figures for the whole-family recalculation (CFamilyTaxData::Calculate): a
// single simple return, and a coupled return with 30 slips on each side and
// the common forms. "--count N --what single|coupled" runs only that
// calculation N times, for callgrind (scripts/bench); "--slips N" puts N
// slips on each side of the coupled return, for the scaling figures.
#include <QCoreApplication>
#include <cstring>

#include "benchreturns.h"
#include "benchstats.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::unique_ptr<CFamilyTaxData> single = benchreturns::singleReturn();
    std::unique_ptr<CFamilyTaxData> couple = benchreturns::coupledReturn(benchreturns::slipsEach(argc, argv));
    // The first pass adds the forms the slips call for.
    single->Calculate(0, nullptr);
    couple->Calculate(0, nullptr);

    if (const int count = benchstats::countRuns(argc, argv)) {
        CFamilyTaxData& family = std::strcmp(benchstats::countWhat(argc, argv), "single") == 0 ? *single : *couple;
        benchstats::instrumented(count, [&] { family.Calculate(0, nullptr); });
        return 0;
    }
    benchstats::Figure one = benchstats::measure("Calculate, single simple return", 0.012, 2001,
                                                 [&] { single->Calculate(0, nullptr); });
    benchstats::print(one);
    const int slips = benchreturns::slipsEach(argc, argv);
    const QByteArray name = QStringLiteral("Calculate, coupled return with %1 slips each").arg(slips).toUtf8();
    benchstats::Figure two = benchstats::measure(name.constData(), 0.04 * slips / benchreturns::kSlipsEach, 1001,
                                                 [&] { couple->Calculate(0, nullptr); });
    benchstats::print(two);
    return 0;
}
