// Figures for the return file: reading the coupled return with 30 slips each
// (CFamilyTaxData::serializeFromFile) and writing it (saveToFile, the sync
// to disk included). "--count N --what read" reads it N times, for callgrind
// (scripts/bench).
#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstring>

#include "benchreturns.h"
#include "benchstats.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const CString path(dir.filePath(QStringLiteral("coupled.r24")));
    std::unique_ptr<CFamilyTaxData> couple = benchreturns::coupledReturn();
    couple->Calculate(0, nullptr);
    if (couple->saveToFile(path, 2) != 0) {
        std::fprintf(stderr, "the coupled return could not be saved\n");
        return 1;
    }
    auto readOnce = [&] {
        int code = -1;
        std::unique_ptr<CFamilyTaxData> read(CFamilyTaxData::serializeFromFile(path, code));
        if (code != 0)
            std::fprintf(stderr, "read error %d\n", code);
    };
    readOnce(); // the provincial plug-in is loaded, the file is in the page cache

    if (const int count = benchstats::countRuns(argc, argv)) {
        benchstats::instrumented(count, readOnce);
        return 0;
    }
    std::printf("Return file of the coupled return: %lld bytes\n", QFileInfo(path).size());
    benchstats::Figure read = benchstats::measure("Read the coupled return", 0.3, 501, readOnce);
    benchstats::print(read);
    benchstats::Figure write = benchstats::measure("Write the coupled return", 10.0, 51,
                                                   [&] { couple->saveToFile(path, 2); });
    benchstats::print(write);
    return 0;
}
