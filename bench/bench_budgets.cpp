// Runs every benchmark that measures one of the performance budgets, passes
// on what each prints, and ends with one table: each budget's median, min and
// max, the budget, the median's ratio to it and, for the calculation, the
// read and the window's steps, callgrind's instruction count per run, which
// does not vary with the machine's load. The load average is printed beside the table because the
// timings do vary with it.
//
// Usage: bench_budgets [--no-callgrind]
// Exit code 0 when every benchmark ran and printed its figures; a figure
// over its budget is reported, not failed.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

#include "benchstats.h"

namespace {

struct Benchmark
{
    const char* program;
    const char* figures; // what it measures, for the messages
    // Shown on the X server of DISPLAY (scripts/bench starts one under
    // Xvfb) as a user meets it; the others draw on the offscreen platform.
    bool onDisplay;
};

// In the order of the budgets.
const Benchmark kBenchmarks[] = {
    {"bench_calculation", "the recalculations", false},
    {"bench_returnfile", "reading and writing the return file", false},
    {"bench_printresult", "printresult", false},
    {"bench_start", "start to the main window's first image", true},
    {"bench_openreturn", "opening, switching and editing in the window", true},
    {"bench_optimize", "the optimisation", false},
    {"bench_efile", "the electronic return and barcode", false},
    {"bench_printbridge", "printing to PDF", false},
};

// The work counted under callgrind ("--what" of the program) and the
// figure of the table it belongs to.
struct Count
{
    const char* program;
    const char* what;
    const char* figure;
    int runs; // the count is divided by them; fewer for the window's slow steps under valgrind
};

const Count kCounts[] = {
    {"bench_calculation", "single", "Calculate, single simple return", 10},
    {"bench_calculation", "coupled", "Calculate, coupled return with 30 slips each", 10},
    {"bench_returnfile", "read", "Read the coupled return, plug-in loaded", 10},
    {"bench_openreturn", "open", "Open the coupled return to the painted T1", 2},
    {"bench_openreturn", "switch", "Switch forms to the painted page", 4},
    {"bench_openreturn", "edit", "Edit to the repainted page, tree and status", 6},
};

constexpr int kBenchmarkTimeoutMs = 5 * 60 * 1000;
// Under valgrind the window's steps run some fifty times slower.
constexpr int kCountTimeoutMs = 20 * 60 * 1000;

struct Row
{
    benchstats::ParsedFigure figure;
    qint64 instructions = -1;
};

void say(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

QString loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("unknown");
    const QStringList parts = QString::fromLatin1(file.readLine()).split(QLatin1Char(' '));
    return parts.size() >= 3 ? parts.mid(0, 3).join(QLatin1Char(' ')) : QStringLiteral("unknown");
}

QString programPath(const char* name)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromLatin1(name));
}

// Runs one benchmark, echoing its standard output; its figure lines are
// added to rows. False (with the reason said) when it failed or printed none.
bool runBenchmark(const Benchmark& benchmark, std::vector<Row>& rows)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!benchmark.onDisplay || env.value(QStringLiteral("DISPLAY")).isEmpty())
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    QElapsedTimer timer;
    timer.start();
    process.start(programPath(benchmark.program), QStringList());
    if (!process.waitForStarted()) {
        say(QStringLiteral("%1 did not start: %2\n").arg(programPath(benchmark.program), process.errorString()));
        return false;
    }
    // Lines are passed on as they come, so a long benchmark shows progress.
    int found = 0;
    const auto takeLine = [&](QString line) {
        while (line.endsWith(QLatin1Char('\n')) || line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        benchstats::ParsedFigure figure;
        if (benchstats::parse(line, figure)) {
            rows.push_back(Row{figure, -1});
            ++found;
        }
        if (!line.isEmpty())
            say(line + QLatin1Char('\n'));
    };
    while (process.state() != QProcess::NotRunning && timer.elapsed() < kBenchmarkTimeoutMs) {
        process.waitForReadyRead(200);
        while (process.canReadLine())
            takeLine(QString::fromLocal8Bit(process.readLine()));
    }
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
        say(QStringLiteral("%1 did not end within %2 s\n").arg(benchmark.program).arg(kBenchmarkTimeoutMs / 1000));
        return false;
    }
    for (const QString& line : QString::fromLocal8Bit(process.readAllStandardOutput()).split(QLatin1Char('\n')))
        takeLine(line);
    say(QStringLiteral("  (%1: %2 s)\n").arg(benchmark.program).arg(timer.elapsed() / 1000.0, 0, 'f', 1));
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0 || found == 0) {
        say(QStringLiteral("%1 failed (%2, exit code %3):\n%4")
                .arg(benchmark.program, benchmark.figures)
                .arg(process.exitCode())
                .arg(QString::fromLocal8Bit(process.readAllStandardError().right(4000))));
        return false;
    }
    return true;
}

// Callgrind's count of the instrumented work divided by the runs, or -1.
qint64 countInstructions(const QString& valgrind, const Count& count, const QString& workFolder)
{
    QProcess process;
    const QString out = QDir(workFolder).filePath(QStringLiteral("callgrind.out"));
    process.start(valgrind, {QStringLiteral("--tool=callgrind"), QStringLiteral("--instr-atstart=no"),
                             QStringLiteral("--callgrind-out-file=") + out, programPath(count.program),
                             QStringLiteral("--what"), QString::fromLatin1(count.what), QStringLiteral("--count"),
                             QString::number(count.runs)});
    if (!process.waitForFinished(kCountTimeoutMs) || process.exitCode() != 0) {
        process.kill();
        say(QStringLiteral("callgrind of %1 --what %2 failed:\n%3\n")
                .arg(count.program, count.what, QString::fromLocal8Bit(process.readAllStandardError().right(2000))));
        return -1;
    }
    static const QRegularExpression collected(QStringLiteral("Collected : (\\d+)"));
    QRegularExpressionMatchIterator it = collected.globalMatch(QString::fromLocal8Bit(process.readAllStandardError()));
    qint64 total = -1;
    while (it.hasNext())
        total = it.next().captured(1).toLongLong();
    return total < 0 ? -1 : total / count.runs;
}

void printTable(const std::vector<Row>& rows, const QString& loadBefore, const QString& loadAfter)
{
    say(QStringLiteral("\nPerformance budgets (load average before %1, after %2)\n").arg(loadBefore, loadAfter));
    say(QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9\n")
            .arg(QStringLiteral("Figure"), -46)
            .arg(QStringLiteral("median"), 11)
            .arg(QStringLiteral("min"), 11)
            .arg(QStringLiteral("max"), 11)
            .arg(QStringLiteral("budget"), 10)
            .arg(QStringLiteral("unit"), -4)
            .arg(QStringLiteral("ratio"), 6)
            .arg(QStringLiteral("runs"), 5)
            .arg(QStringLiteral("instructions"), 13));
    int over = 0;
    for (const Row& row : rows) {
        const benchstats::ParsedFigure& f = row.figure;
        const double ratio = f.medianMs / f.budgetMs;
        if (ratio > 1.0)
            ++over;
        say(QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9").arg(f.name, -46)
                .arg(f.medianMs, 11, 'f', 4)
                .arg(f.minMs, 11, 'f', 4)
                .arg(f.maxMs, 11, 'f', 4)
                .arg(f.budgetMs, 10, 'f', 3)
                .arg(f.unit, -4)
                .arg(ratio, 6, 'f', 2)
                .arg(f.runs, 5)
                .arg(row.instructions >= 0 ? QString::number(row.instructions) : QString(), 13)
            + (ratio > 1.0 ? QStringLiteral("  over budget\n") : QStringLiteral("\n")));
    }
    say(over == 0 ? QStringLiteral("Every median is within its budget.\n")
                  : QStringLiteral("%1 median(s) over budget.\n").arg(over));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const bool callgrind = !QCoreApplication::arguments().contains(QStringLiteral("--no-callgrind"));
    QElapsedTimer whole;
    whole.start();
    const QString loadBefore = loadAverage();

    std::vector<Row> rows;
    int failed = 0;
    for (const Benchmark& benchmark : kBenchmarks)
        if (!runBenchmark(benchmark, rows))
            ++failed;

    if (callgrind) {
        const QString valgrind = QStandardPaths::findExecutable(QStringLiteral("valgrind"));
        QTemporaryDir work;
        if (valgrind.isEmpty()) {
            say(QStringLiteral("valgrind is not installed: no instruction counts\n"));
        } else {
            for (const Count& count : kCounts) {
                const qint64 instructions = countInstructions(valgrind, count, work.path());
                bool placed = false;
                for (Row& row : rows)
                    if (row.figure.name == QLatin1String(count.figure)) {
                        row.instructions = instructions;
                        placed = true;
                    }
                if (!placed)
                    say(QStringLiteral("%1 --what %2: %3 instructions each, no figure named \"%4\"\n")
                            .arg(count.program, count.what)
                            .arg(instructions)
                            .arg(count.figure));
            }
        }
    }

    printTable(rows, loadBefore, loadAverage());
    say(QStringLiteral("All benchmarks took %1 s.\n").arg(whole.elapsed() / 1000.0, 0, 'f', 1));
    if (failed > 0)
        say(QStringLiteral("%1 benchmark(s) failed: their figures are missing above.\n").arg(failed));
    return failed == 0 ? 0 : 1;
}
