// Time from starting the program to its main window shown: the real program,
// started as a user starts it (a home with its folders and settings made by a
// first start), ending itself once the window has been shown
// (VODAREVIVO_EXIT_WHEN_SHOWN), so each figure also holds the exit.
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

bool startOnce(const QString& program, const QProcessEnvironment& env, double* ms)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProgram(program);
    QElapsedTimer timer;
    timer.start();
    process.start();
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return false;
    *ms = timer.nsecsElapsed() / 1e6;
    return true;
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

    double ms = 0;
    // The first start makes the folders and the settings database.
    if (!startOnce(program, env, &ms)) {
        std::fprintf(stderr, "the program did not start and end by itself: %s\n", qPrintable(program));
        return 1;
    }
    benchstats::Figure figure{"Start to the main window shown (and exit)", 100.0, {}};
    for (int i = 0; i < kRuns; ++i) {
        if (!startOnce(program, env, &ms)) {
            std::fprintf(stderr, "start %d failed\n", i + 1);
            return 1;
        }
        figure.samplesMs.push_back(ms);
    }
    benchstats::print(figure);
    return 0;
}
