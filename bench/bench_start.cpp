// Start to the first image: the real program, started as a user starts it
// (a home with its folders and settings made by a first start), says
// "shown" when its window has been shown and "painted" once its first image
// has gone to the screen, and ends (VODAREVIVO_EXIT_WHEN_SHOWN). Beside it,
// in the same run and started the same way, a bare QWidget window
// ("barewindow"), the floor of any start on this display: the budget is
// 1.2 times the bare window's median. scripts/bench runs it on an X server
// (Xvfb); without one both draw offscreen.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

#include "benchstats.h"

namespace {

const int kRuns = 15;
const int kLineTimeoutMs = 30000;
const double kBudgetOverBare = 1.2;

struct Start
{
    double shownMs = 0;
    double paintedMs = 0;
};

// One start: the times until the program says "shown" and "painted".
bool startOnce(const QString& program, const QProcessEnvironment& env, Start& start)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProgram(program);
    QElapsedTimer timer;
    timer.start();
    process.start();
    bool painted = false;
    while (!painted && process.waitForReadyRead(kLineTimeoutMs)) {
        while (process.canReadLine()) {
            const QByteArray line = process.readLine().trimmed();
            if (line == "shown")
                start.shownMs = timer.nsecsElapsed() / 1e6;
            else if (line == "painted") {
                start.paintedMs = timer.nsecsElapsed() / 1e6;
                painted = true;
            }
        }
    }
    if (!process.waitForFinished(kLineTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    return painted && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

double median(std::vector<double> s)
{
    std::sort(s.begin(), s.end());
    return s.empty() ? 0 : s[s.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString program = QCoreApplication::applicationDirPath() + "/vodarevivo";
    const QString bare = QCoreApplication::applicationDirPath() + "/barewindow";
    QTemporaryDir home;
    const QString run = home.path() + "/Documents/vodarevivo/2024/run";
    QDir().mkpath(run);
    QFile config(run + "/gr_path.ini");
    if (config.open(QIODevice::WriteOnly))
        config.write("Allow2nd=1\n");
    config.close();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    env.insert("VODAREVIVO_EXIT_WHEN_SHOWN", "1");
    const bool onDisplay = !env.value("DISPLAY").isEmpty() && env.value("QT_QPA_PLATFORM") != "offscreen";
    if (!onDisplay)
        env.insert("QT_QPA_PLATFORM", "offscreen");

    Start start;
    // The first starts make the folders and the settings database, and
    // bring both programs into the page cache.
    if (!startOnce(program, env, start) || !startOnce(bare, env, start)) {
        std::fprintf(stderr, "the program or the bare window did not paint and end by itself: %s, %s\n",
                     qPrintable(program), qPrintable(bare));
        return 1;
    }
    std::vector<double> shown, painted, barePainted;
    // Alternated, so that the load of the machine falls on both alike.
    for (int i = 0; i < kRuns; ++i) {
        if (!startOnce(program, env, start)) {
            std::fprintf(stderr, "start %d failed\n", i + 1);
            return 1;
        }
        shown.push_back(start.shownMs);
        painted.push_back(start.paintedMs);
        if (!startOnce(bare, env, start)) {
            std::fprintf(stderr, "bare window start %d failed\n", i + 1);
            return 1;
        }
        barePainted.push_back(start.paintedMs);
    }
    const double bareMedian = median(barePainted);
    std::printf("Start on %s: bare QWidget window to its first image median %.1f ms (min %.1f, max %.1f)\n",
                onDisplay ? "the X server" : "the offscreen platform", bareMedian,
                *std::min_element(barePainted.begin(), barePainted.end()),
                *std::max_element(barePainted.begin(), barePainted.end()));
    std::printf("  the program's window shown: median %.1f ms\n", median(shown));
    benchstats::Figure first{"Start to the first image (budget 1.2 x bare)", kBudgetOverBare * bareMedian, painted};
    benchstats::print(first);
    std::printf("  ratio to the bare window: %.2f\n", median(painted) / bareMedian);
    return 0;
}
