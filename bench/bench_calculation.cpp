// Figures for the whole-family recalculation (CFamilyTaxData::Calculate): a
// single simple return, and a coupled return with 30 slips on each side and
// the common forms. "--count N --what single|coupled" runs only that
// calculation N times, for callgrind (scripts/bench).
#include <QCoreApplication>
#include <cstring>

#include "benchreturns.h"
#include "benchstats.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::unique_ptr<CFamilyTaxData> single = benchreturns::singleReturn();
    std::unique_ptr<CFamilyTaxData> couple = benchreturns::coupledReturn();
    // The first pass adds the forms the slips call for.
    single->Calculate(0, nullptr);
    couple->Calculate(0, nullptr);

    if (const int count = benchstats::countRuns(argc, argv)) {
        CFamilyTaxData& family = std::strcmp(benchstats::countWhat(argc, argv), "single") == 0 ? *single : *couple;
        benchstats::instrumented(count, [&] { family.Calculate(0, nullptr); });
        return 0;
    }
    benchstats::Figure one = benchstats::measure("Calculate, single simple return", 0.03, 2001,
                                                 [&] { single->Calculate(0, nullptr); });
    benchstats::print(one);
    benchstats::Figure two = benchstats::measure("Calculate, coupled return with 30 slips each", 0.1, 1001,
                                                 [&] { couple->Calculate(0, nullptr); });
    benchstats::print(two);
    return 0;
}
