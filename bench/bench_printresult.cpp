// Figure for the batch mode "printresult" over 1,000 copies of the coupled
// return with 30 slips each, as a whole process: each run starts the program
// ("vodarevivo printresult <folder> <list>") with a fresh home, which reads,
// calculates and reports them all and ends. "--returns N" takes N copies
// instead, for the scaling figures.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <cstring>

#include "benchreturns.h"
#include "benchstats.h"

namespace {

constexpr int kReturns = 1000;
constexpr int kRuns = 7;
constexpr int kTimeoutMs = 120000;

int returnsArgument(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--returns") == 0)
            return std::max(1, std::atoi(argv[i + 1]));
    return kReturns;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int returns = returnsArgument(argc, argv);
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
    for (int i = 0; i < returns; ++i) {
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

    const QString home = dir.filePath(QStringLiteral("home"));
    QDir().mkpath(home);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.remove(QStringLiteral("DISPLAY"));
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/vodarevivo");
    bool ok = true;
    const auto runOnce = [&] {
        QProcess process;
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(dir.path());
        process.start(program, {QStringLiteral("printresult"), folder + QLatin1Char('/'), listPath});
        if (!process.waitForFinished(kTimeoutMs) || process.exitStatus() != QProcess::NormalExit ||
            process.exitCode() != 0) {
            process.kill();
            std::fprintf(stderr, "printresult failed: %s\n", process.readAllStandardError().right(2000).constData());
            ok = false;
        }
    };
    runOnce(); // the program and the returns come into the page cache
    if (!ok)
        return 1;
    const QByteArray name = QStringLiteral("printresult over %1 coupled returns, whole process")
                                .arg(QLocale(QLocale::English).toString(returns))
                                .toUtf8();
    benchstats::Figure batch = benchstats::measure(name.constData(), 200.0 * returns / kReturns, kRuns, runOnce);
    if (!ok)
        return 1;
    benchstats::print(batch);
    return 0;
}
