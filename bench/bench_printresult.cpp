// Figure for the batch mode "printresult" over 1,000 copies of the coupled
// return with 30 slips each: each run reads, calculates and reports them all.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/tabwndapp.h"
#include "benchreturns.h"
#include "benchstats.h"
#include "companion/core/quietprompter.h"
#include "companion/core/prompter.h"

namespace {
constexpr int kReturns = 1000;
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("returns"));
    QDir().mkpath(folder);
    std::unique_ptr<CFamilyTaxData> couple = benchreturns::coupledReturn();
    couple->Calculate(0, nullptr);
    const QString first = folder + QStringLiteral("/r0000.r24");
    if (couple->saveToFile(CString(first), 2) != 0) {
        std::fprintf(stderr, "the coupled return could not be saved\n");
        return 1;
    }
    QByteArray list;
    for (int i = 0; i < kReturns; ++i) {
        const QString name = QStringLiteral("r%1.r24").arg(i, 4, 10, QLatin1Char('0'));
        if (i > 0)
            QFile::copy(first, folder + QLatin1Char('/') + name);
        list += name.toUtf8() + '\n';
    }
    const QString listPath = dir.filePath(QStringLiteral("list.txt"));
    QFile listFile(listPath);
    if (!listFile.open(QIODevice::WriteOnly) || listFile.write(list) != list.size())
        return 1;
    listFile.close();
    QDir::setCurrent(dir.path());

    QuietPrompter quiet;
    const ScopedPrompter installed(&quiet);
    const int runs = std::max(1, benchstats::countRuns(argc, argv) ? 1 : 7);
    benchstats::Figure batch = benchstats::measure("printresult over 1,000 coupled returns", 500.0, runs, [&] {
        TabWndApp::CmdlinePrintResult(folder + QLatin1Char('/'), listPath);
    });
    benchstats::print(batch);
    return 0;
}
