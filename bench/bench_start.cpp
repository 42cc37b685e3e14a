// Time from starting the program to its main window shown: the real program,
// started as a user starts it (a home with its folders and settings made by a
// first start), saying "shown" once the window has been shown and then
// ending itself (VODAREVIVO_EXIT_WHEN_SHOWN). The time to the exit is
// printed beside it.
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

// One start: the time until the program says its window is shown, and the
// time until it has ended as well.
bool startOnce(const QString& program, const QProcessEnvironment& env, double* shownMs, double* endedMs)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProgram(program);
    QElapsedTimer timer;
    timer.start();
    process.start();
    bool shown = false;
    while (!shown && process.waitForReadyRead(60000)) {
        while (process.canReadLine())
            if (process.readLine().trimmed() == "shown") {
                *shownMs = timer.nsecsElapsed() / 1e6;
                shown = true;
            }
    }
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return false;
    *endedMs = timer.nsecsElapsed() / 1e6;
    return shown;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString program = QCoreApplication::applicationDirPath() + "/vodarevivo";
    QTemporaryDir home;
    const QString run = home.path() + "/Documents/vodarevivo/2024/run";
    QDir().mkpath(run);
    QFile config(run + "/gr_path.ini");
    if (config.open(QIODevice::WriteOnly))
        config.write("Allow2nd=1\n");
    config.close();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("VODAREVIVO_EXIT_WHEN_SHOWN", "1");

    double shownMs = 0;
    double endedMs = 0;
    // The first start makes the folders and the settings database.
    if (!startOnce(program, env, &shownMs, &endedMs)) {
        std::fprintf(stderr, "the program did not show its window and end by itself: %s\n", qPrintable(program));
        return 1;
    }
    benchstats::Figure shown{"Start to the main window shown", 100.0, {}};
    std::vector<double> ended;
    for (int i = 0; i < kRuns; ++i) {
        if (!startOnce(program, env, &shownMs, &endedMs)) {
            std::fprintf(stderr, "start %d failed\n", i + 1);
            return 1;
        }
        shown.samplesMs.push_back(shownMs);
        ended.push_back(endedMs);
    }
    benchstats::print(shown);
    // The whole run, exit included, beside it (not a budget of its own).
    std::sort(ended.begin(), ended.end());
    std::printf("  with the exit: median %.1f ms, min %.1f, max %.1f\n", ended[ended.size() / 2], ended.front(),
                ended.back());
    return 0;
}
