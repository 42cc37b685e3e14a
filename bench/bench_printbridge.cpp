// Figures for the print engine bridge with our own engine: the first Init
// (loading libjvm and starting the Java VM) and the later print jobs, median,
// min and max. A job whose write step the engine's test switch refuses shows
// the bridge and the read step without the PDF's own cost.
//
// Usage: bench_printbridge [RETURN_FILE]
// (default: the benchmarks' coupled Ontario return with 30 slips on each
// side, calculated and saved by the program's own writer with the barcode
// builder installed, so the file holds what a saved return holds: the
// provincial forms and the barcode archive included)
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include <sys/resource.h>

#include "app/t1appconfig.h"
#include "filing/barcodearchive.h"
#include "print/JavaEnvs.h"

#include "benchreturns.h"
#include "benchstats.h"

namespace {

template <typename F>
void report(const char* what, int runs, F&& f)
{
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        f();
        t.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(t.begin(), t.end());
    std::printf("%-34s median %.3f ms  min %.3f  max %.3f  (%d runs)\n", what, t[t.size() / 2], t.front(), t.back(), runs);
}

// The process's resident set (VmRSS), in megabytes; 0 where /proc is not.
double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

// CPU time the whole process has used so far (every thread of the VM, its
// compiler included), in milliseconds: on a shared machine it moves far less
// with the load than the wall clock does.
double processCpuMs()
{
    rusage usage {};
    if (getrusage(RUSAGE_SELF, &usage) != 0)
        return 0;
    const auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

bool writeSwitches(const QString& pdfFolder, const QByteArray& text)
{
    QFile f(pdfFolder + QStringLiteral("/engine-test.properties"));
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(text) == text.size();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString resources = QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../Resources"));
    JavaVMEnvSettings settings;
    settings.classPath = resources + QStringLiteral("/mr.jar");
    settings.pdfPath = dir.filePath(QStringLiteral("pdf"));
    settings.xmlPath = resources + QStringLiteral("/xml");
    settings.jvmPath = CT1AppConfig::kBuiltInJvmPath;
    settings.retPdfPath = dir.filePath(QStringLiteral("out"));
    QDir().mkpath(settings.pdfPath);
    QDir().mkpath(settings.retPdfPath);
    JavaVMEnv* bridge = JavaVMEnv::getInstance();
    bridge->setSettingsSource([settings] { return settings; });

    const double cpuBeforeStart = processCpuMs();
    QElapsedTimer start;
    start.start();
    const int started = bridge->Init();
    const double vmStartMs = double(start.nsecsElapsed()) / 1e6;
    const double vmStartCpuMs = processCpuMs() - cpuBeforeStart;
    std::printf("%-34s %.1f ms (result %d)\n", "first Init (VM start)", vmStartMs, started);
    if (started != 0)
        return 1;

    CString returnPath = argc > 1 ? CString(QString::fromLocal8Bit(argv[1])) : CString(dir.filePath(QStringLiteral("coupled.r24")));
    if (argc <= 1) {
        installBarcodeBuilder();
        std::unique_ptr<CFamilyTaxData> couple = benchreturns::coupledReturn();
        couple->Calculate(-1, nullptr);
        if (couple->saveToFile(returnPath, 2) != 0) {
            std::fprintf(stderr, "the coupled return could not be saved\n");
            return 1;
        }
    }
    int failures = 0;
    int jobsDone = 0;
    double residentAfterTenJobs = 0;
    const auto job = [&] {
        CString pdfPath;
        if (bridge->doJob(returnPath, false, 0, 0, 0, 0, nullptr, pdfPath) != 0)
            ++failures;
        if (++jobsDone == 10)
            residentAfterTenJobs = residentMegabytes();
    };
    const double cpuBeforeJob = processCpuMs();
    QElapsedTimer firstJob;
    firstJob.start();
    job();
    const double cpuFirstJob = processCpuMs() - cpuBeforeJob;
    // What the user waits for at the first print of a run: the VM's start and
    // the first PDF together (the fixture's making in between left out).
    benchstats::Figure firstPdf{"First PDF of a run, Java VM start included", 200.0,
                                {vmStartMs + double(firstJob.nsecsElapsed()) / 1e6}};
    benchstats::print(firstPdf);
    std::printf("  CPU time of the first PDF, every thread of the process: %.0f ms (VM start %.0f ms, job %.0f ms)\n",
                vmStartCpuMs + cpuFirstJob, vmStartCpuMs, cpuFirstJob);
    const double cpuBeforeLater = processCpuMs();
    benchstats::Figure printed = benchstats::measure("Print one return to PDF, after the first job", 30.0, 40, job);
    const double cpuPerLaterJob = (processCpuMs() - cpuBeforeLater) / 40;
    benchstats::print(printed);
    std::printf("  CPU time of a later PDF, every thread of the process: %.1f ms (mean of 40)\n", cpuPerLaterJob);
    writeSwitches(settings.pdfPath, "write=1\n");
    report("job, write step refused", 100, [&] {
        CString pdfPath;
        bridge->doJob(returnPath, false, 0, 0, 0, 0, nullptr, pdfPath);
    });
    // The whole process's resident set: the VM, the engine and the bridge.
    benchstats::Figure resident{"Java VM resident memory after ten jobs", 200.0, {residentAfterTenJobs}, "MB"};
    benchstats::print(resident);
    std::printf("  after all %d jobs: %.0f MB\n", jobsDone, residentMegabytes());
    std::printf("failed jobs: %d\n", failures);
    return failures == 0 ? 0 : 1;
}
