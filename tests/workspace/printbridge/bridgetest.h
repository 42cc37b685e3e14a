#pragma once

// What the tests of the print engine bridge share: a configuration read from
// a "gr_path.ini" of their own through the program's reader, the engine's
// test switches and call trace, and a main that suits a process with a Java VM.

#include "app/t1appconfig.h"
#include "print/JavaEnvs.h"
#include "app/featuresettingsfromconfig.h"
#include "workspace/featureenvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <functional>
#include <unistd.h>

namespace bridgetest {

// The program's resource folder in the build: the engine's "mr.jar" and the
// layout folder "xml".
inline QString resourceFolder()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../Resources"));
}

inline QString engineJar()
{
    return resourceFolder() + QStringLiteral("/mr.jar");
}

// A return the program wrote, for the engine's read step.
inline QString returnFile()
{
    return QStringLiteral(VR_TESTS_SOURCE_DIR "/fixtures/returnfile/coupled.r24");
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// Reads "gr_path.ini" in folder into config the way the program starts:
// built-in defaults, the file, then the derived values.
inline bool loadConfig(CT1AppConfig& config, const QString& folder, const QByteArray& ini)
{
    const QString path = folder + QStringLiteral("/gr_path.ini");
    if (!writeFile(path, ini))
        return false;
    config.setDefaultValue(QCoreApplication::applicationDirPath(), folder + QStringLiteral("/documents"));
    const bool read = config.readConfigFile(path.toUtf8().constData());
    config.finalize();
    return read;
}

// Points the bridge at config, through the program's own mapping; counts
// how often the bridge reads it.
inline void installConfig(const CT1AppConfig& config, int* reads = nullptr, QStringList* runLog = nullptr)
{
    JavaVMEnv::getInstance()->setSettingsSource([&config, reads] {
        if (reads)
            ++*reads;
        return javaVMEnvSettingsFrom(featureSettingsFromConfig(config, QString()));
    });
    JavaVMEnv::getInstance()->setRunLog([runLog](const char* line) {
        if (runLog)
            runLog->append(QString::fromUtf8(line));
    });
}

// The engine's switches for the next jobs ("key=value" lines, trace always on)
// and its call trace, both in the PDF folder.
inline bool setEngineSwitches(const QString& pdfFolder, const QByteArray& switches)
{
    QFile::remove(pdfFolder + QStringLiteral("/engine-trace.txt"));
    return writeFile(pdfFolder + QStringLiteral("/engine-test.properties"), "trace=1\n" + switches);
}

// The trace's lines without their "job N " prefix.
inline QStringList engineTrace(const QString& pdfFolder)
{
    QFile f(pdfFolder + QStringLiteral("/engine-trace.txt"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList lines;
    for (const QString& line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        lines << line.section(QLatin1Char(' '), 2);
    return lines;
}

// The methods of the trace, in order: each line's first word.
inline QStringList engineCalls(const QString& pdfFolder)
{
    QStringList methods;
    for (const QString& line : engineTrace(pdfFolder))
        methods << line.section(QLatin1Char(' '), 0, 0);
    return methods;
}

// What the process writes on its standard error while work runs.
inline QByteArray standardErrorOf(const std::function<void()>& work)
{
    std::fflush(stderr);
    QTemporaryFile capture;
    if (!capture.open())
        return "capture file not opened";
    const int saved = ::dup(STDERR_FILENO);
    ::dup2(capture.handle(), STDERR_FILENO);
    work();
    std::fflush(stderr);
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);
    capture.seek(0);
    return capture.readAll();
}

// Runs a test object with Qt Test's crash handler off: the Java VM handles
// SIGSEGV and SIGBUS itself in its normal work, and Qt Test would put its own
// handlers back over the VM's when the tests end, while the VM still runs.
inline int runWithJavaVM(QObject& test, int argc, char** argv)
{
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    args << QStringLiteral("-nocrashhandler");
    return QTest::qExec(&test, args);
}

} // namespace bridgetest

#define BRIDGE_TEST_MAIN(TestObject)                                                                               \
    int main(int argc, char** argv)                                                                                \
    {                                                                                                              \
        QCoreApplication app(argc, argv);                                                                          \
        TestObject test;                                                                                           \
        return bridgetest::runWithJavaVM(test, argc, argv);                                                        \
    }
