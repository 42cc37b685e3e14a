#include "bridgetest.h"

#include <QProcess>

using namespace bridgetest;

// A whole process that prints, watched from outside: this program runs itself
// as the printing process ("--print-jobs FOLDER"), with the VM's JNI checks
// on. 200 jobs, the engine's failures among them, must leave no JNI warning,
// and the process must end with status 0 and no VM crash file.

namespace {

const int kJobs = 200;

struct JobCase
{
    const char* switches;
    int result;
};

// The table of job results, repeated until kJobs jobs have run.
const JobCase kCases[] = {
    {"", 0},
    {"read=5166\n", 0},
    {"read=7\n", -116},
    {"write=1\n", -117},
    {"path=none\n", 0},
    {"throw=do\n", -140},
    {"throw=if(I)V\n", -140},
};

// The printing process: every job's result checked; 0 when all were as expected.
int printJobs(const QString& folder)
{
    CT1AppConfig config;
    const QString pdfFolder = folder + QStringLiteral("/pdf");
    if (!QDir().mkpath(pdfFolder) || !QDir().mkpath(folder + QStringLiteral("/printed")))
        return 2;
    if (!loadConfig(config, folder,
                    "JAVACLASSPATH=" + engineJar().toUtf8() + "\nPDFPATH=" + pdfFolder.toUtf8() +
                        "\nXMLPATH=" + resourceFolder().toUtf8() + "/xml\n"))
        return 2;
    config.RetPdfPath = folder + QStringLiteral("/printed");
    installConfig(config);
    if (JavaVMEnv::getInstance()->Init() != 0)
        return 3;
    int wrong = 0;
    for (int i = 0; i < kJobs; ++i) {
        const JobCase& c = kCases[i % (sizeof(kCases) / sizeof(kCases[0]))];
        if (!writeFile(pdfFolder + QStringLiteral("/engine-test.properties"), c.switches))
            return 2;
        CString returnPath = returnFile();
        CString pdfPath;
        const int result = JavaVMEnv::getInstance()->doJob(returnPath, i % 2 == 1, i % 3, 0, 0, 0, nullptr, pdfPath);
        if (result != c.result) {
            std::fprintf(stderr, "job %d: result %d, expected %d\n", i, result, c.result);
            ++wrong;
        }
    }
    return wrong == 0 ? 0 : 1;
}

} // namespace

class TestJavaVMEnvProcess : public QObject
{
    Q_OBJECT
private slots:
    void printingProcessEndsCleanly();
};

void TestJavaVMEnvProcess::printingProcessEndsCleanly()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("JAVA_TOOL_OPTIONS"), QStringLiteral("-Xcheck:jni"));
    child.setProcessEnvironment(env);
    child.setWorkingDirectory(dir.path());
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--print-jobs"), dir.path()});
    QVERIFY(child.waitForStarted());
    QVERIFY(child.waitForFinished(240000));
    const QByteArray errors = child.readAllStandardError();
    // The VM writes its JNI checks' findings on the standard output.
    const QByteArray output = child.readAllStandardOutput();
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QVERIFY2(child.exitCode() == 0, errors.right(4000).constData());
    // The checks speak up as "WARNING in native method" or "FATAL ERROR in
    // native method"; the VM's crash files are hs_err_pid*.log.
    for (const QByteArray& stream : {output, errors})
        QVERIFY2(!stream.contains("WARNING") && !stream.contains("FATAL ERROR"), stream.right(4000).constData());
    QVERIFY(errors.contains("Picked up JAVA_TOOL_OPTIONS: -Xcheck:jni"));
    QVERIFY(errors.contains("engine test switch: thrown at do"));
    QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("hs_err_pid*")}, QDir::Files), QStringList());
    QVERIFY(QDir(dir.path() + QStringLiteral("/printed")).entryList({QStringLiteral("*.pdf")}, QDir::Files).size() > 0);
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--print-jobs") == 0)
        return printJobs(QString::fromLocal8Bit(argv[2]));
    TestJavaVMEnvProcess test;
    return runWithJavaVM(test, argc, argv);
}

#include "tst_javavmenv_process.moc"
