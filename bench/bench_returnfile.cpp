// Figures for the return file: a cold read of the coupled return with 30
// slips each as Open reads it (CFamilyTaxData::serializeFromFile makes a new
// return, which loads the provincial plug-in for it, and the return goes
// with its plug-in's objects after each read), and writing it (saveToFile,
// the sync to disk included). "--count N --what read" reads it N times, for
// callgrind (scripts/bench); "--slips N" puts N slips on each side, for the
// scaling figures.
#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstring>

#include "benchreturns.h"
#include "benchstats.h"
#include "model/MultiProvsTaxMgr.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // As the program's start does (TabWndApp::initApp): a plug-in loaded once
    // stays mapped for the run, and each new return makes its own manager.
    CMultiProvsTaxMgr::setKeepPluginsLoaded(true);
    QTemporaryDir dir;
    const CString path(dir.filePath(QStringLiteral("coupled.r24")));
    const int slips = benchreturns::slipsEach(argc, argv);
    std::unique_ptr<CFamilyTaxData> couple = benchreturns::coupledReturn(slips);
    couple->Calculate(0, nullptr);
    if (couple->saveToFile(path, 2) != 0) {
        std::fprintf(stderr, "the coupled return could not be saved\n");
        return 1;
    }
    // The written return holds its plug-in too; a read must load its own.
    couple.reset();
    bool ok = true;
    auto readOnce = [&] {
        int code = -1;
        std::unique_ptr<CFamilyTaxData> read(CFamilyTaxData::serializeFromFile(path, code));
        if (code != 0) {
            std::fprintf(stderr, "read error %d\n", code);
            ok = false;
        }
    };
    readOnce(); // the file is in the page cache
    if (!ok)
        return 1;

    if (const int count = benchstats::countRuns(argc, argv)) {
        benchstats::instrumented(count, readOnce);
        return 0;
    }
    std::printf("Return file of the coupled return with %d slips each: %lld bytes\n", slips,
                QFileInfo(path).size());
    const double scale = double(slips) / benchreturns::kSlipsEach;
    const QByteArray readName = slips == benchreturns::kSlipsEach
                                    ? QByteArray("Read the coupled return, plug-in loaded")
                                    : QStringLiteral("Read, %1 slips each, plug-in loaded").arg(slips).toUtf8();
    benchstats::Figure read = benchstats::measure(readName.constData(), 0.1 * scale, 501, readOnce);
    benchstats::print(read);
    couple = benchreturns::coupledReturn(slips);
    couple->Calculate(0, nullptr);
    const QByteArray writeName = slips == benchreturns::kSlipsEach
                                     ? QByteArray("Write the coupled return")
                                     : QStringLiteral("Write, %1 slips each").arg(slips).toUtf8();
    benchstats::Figure write = benchstats::measure(writeName.constData(), 10.0, 51,
                                                   [&] { couple->saveToFile(path, 2); });
    benchstats::print(write);
    return ok ? 0 : 1;
}
