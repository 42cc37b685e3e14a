#include "bridgetest.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>

using namespace bridgetest;

// The engine's class data archive at the VM's start, one printing process per
// case: this program runs itself as that process ("--print CLASS_PATH FOLDER")
// with the VM's class loading logged to a file (JAVA_TOOL_OPTIONS), and reads
// back the PDF it printed (the engine's facts page names the return's
// SHA-256) and where the VM took the engine's class and the JDK's from.
//
// The build's archive beside the build's jar is used. Beside a copy of the
// jar, no archive, a garbage file, a short copy of the archive or the whole
// archive of the other jar must each leave printing as it was: the engine's
// classes from the jar, the JDK's still from the runtime's own archive, no
// crash of the VM.

namespace {

const char* const kFacts = "trace=1\nfacts=1\n";

// The printing process: 0 when the VM started and the job printed a PDF.
int printOnce(const QString& classPath, const QString& folder)
{
    CT1AppConfig config;
    const QString pdfFolder = folder + QStringLiteral("/pdf");
    const QString printed = folder + QStringLiteral("/printed");
    if (!QDir().mkpath(pdfFolder) || !QDir().mkpath(printed) ||
        !writeFile(pdfFolder + QStringLiteral("/engine-test.properties"), kFacts))
        return 2;
    if (!loadConfig(config, folder,
                    "JAVACLASSPATH=" + classPath.toUtf8() + "\nPDFPATH=" + pdfFolder.toUtf8() +
                        "\nXMLPATH=" + resourceFolder().toUtf8() + "/xml\n"))
        return 2;
    config.RetPdfPath = printed;
    installConfig(config);
    const int started = JavaVMEnv::getInstance()->Init();
    if (started != 0) {
        std::fprintf(stderr, "Init: %d\n", started);
        return 3;
    }
    CString returnPath = returnFile();
    CString pdfPath;
    const int job = JavaVMEnv::getInstance()->doJob(returnPath, false, 0, -1, 0, 0, nullptr, pdfPath);
    if (job != 0 || !QFileInfo(pdfPath).isFile()) {
        std::fprintf(stderr, "job: %d, PDF %s\n", job, qPrintable(QString(pdfPath)));
        return 4;
    }
    std::printf("printed %s\n", qPrintable(QString(pdfPath)));
    return 0;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString buildArchive()
{
    return resourceFolder() + QStringLiteral("/mr.jsa");
}

// Where the VM's class loading log says a class came from ("shared objects
// file", "shared objects file (top)", "file:...", "jrt:/java.base").
QString sourceOf(const QByteArray& log, const QString& className)
{
    const QRegularExpression line(QStringLiteral("\\] ") + QRegularExpression::escape(className) +
                                  QStringLiteral(" source: (.*)$"),
                                  QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m = line.match(QString::fromUtf8(log));
    return m.hasMatch() ? m.captured(1).trimmed() : QStringLiteral("<not loaded>");
}

QString pdfText(const QString& pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// What sits beside the copy of the jar.
enum class Beside { BuildJar, Nothing, Garbage, ShortArchive, OtherJarsArchive };

} // namespace

Q_DECLARE_METATYPE(Beside)

class TestJavaVMEnvClassArchive : public QObject
{
    Q_OBJECT
private slots:
    void printsWhateverLiesBesideTheJar_data();
    void printsWhateverLiesBesideTheJar();
};

void TestJavaVMEnvClassArchive::printsWhateverLiesBesideTheJar_data()
{
    QTest::addColumn<Beside>("beside");
    QTest::addColumn<bool>("fromArchive");
    QTest::newRow("the build's archive beside the build's jar") << Beside::BuildJar << true;
    QTest::newRow("no archive") << Beside::Nothing << false;
    QTest::newRow("a garbage file of the archive's size") << Beside::Garbage << false;
    QTest::newRow("the first half of the archive") << Beside::ShortArchive << false;
    QTest::newRow("the archive of the other jar") << Beside::OtherJarsArchive << false;
}

void TestJavaVMEnvClassArchive::printsWhateverLiesBesideTheJar()
{
    QFETCH(Beside, beside);
    QFETCH(bool, fromArchive);
    const QByteArray archive = readAll(buildArchive());
    const QByteArray archiveSize = readAll(buildArchive() + QStringLiteral(".size"));
    QVERIFY2(archive.size() > 4096, "the build made no class data archive beside the engine's jar");
    QCOMPARE(archiveSize.trimmed().toLongLong(), qint64(archive.size()));

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString classPath = engineJar();
    if (beside != Beside::BuildJar) {
        const QString engine = dir.filePath(QStringLiteral("engine"));
        QVERIFY(QDir().mkpath(engine));
        classPath = engine + QStringLiteral("/mr.jar");
        QVERIFY(QFile::copy(engineJar(), classPath));
        QByteArray placed;
        switch (beside) {
        case Beside::Garbage: {
            placed.resize(archive.size());
            QRandomGenerator generator(20241231);
            for (char& c : placed)
                c = char(generator.bounded(256));
            break;
        }
        case Beside::ShortArchive:
            placed = archive.left(archive.size() / 2);
            break;
        case Beside::OtherJarsArchive:
            placed = archive;
            break;
        default:
            break;
        }
        if (beside != Beside::Nothing) {
            QVERIFY(writeFile(engine + QStringLiteral("/mr.jsa"), placed));
            QVERIFY(writeFile(engine + QStringLiteral("/mr.jsa.size"), archiveSize));
        }
    }

    const QString work = dir.filePath(QStringLiteral("work"));
    QVERIFY(QDir().mkpath(work));
    const QString classLog = dir.filePath(QStringLiteral("classes.log"));
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("JAVA_TOOL_OPTIONS"), QStringLiteral("-Xlog:class+load=info:file=") + classLog);
    child.setProcessEnvironment(env);
    child.setWorkingDirectory(work);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--print"), classPath, work});
    QVERIFY(child.waitForStarted());
    QVERIFY(child.waitForFinished(240000));
    const QByteArray output = child.readAllStandardOutput();
    const QByteArray errors = child.readAllStandardError();
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QVERIFY2(child.exitCode() == 0, (output + errors).right(4000).constData());
    QCOMPARE(QDir(work).entryList({QStringLiteral("hs_err_pid*")}, QDir::Files), QStringList());
    // A refused archive is never mentioned on the program's output.
    for (const QByteArray& stream : {output, errors})
        QVERIFY2(!stream.contains("shared archive") && !stream.contains("[cds"), stream.right(4000).constData());

    // The PDF holds the facts of the job on the fixture's return.
    const QList<QByteArray> lines = output.split('\n');
    QByteArray printedLine;
    for (const QByteArray& line : lines)
        if (line.startsWith("printed "))
            printedLine = line.mid(8).trimmed();
    const QString text = pdfText(QString::fromUtf8(printedLine));
    const QString digest = QString::fromLatin1(
        QCryptographicHash::hash(readAll(returnFile()), QCryptographicHash::Sha256).toHex());
    QVERIFY2(text.contains(QStringLiteral("SHA-256: ") + digest), qPrintable(text.right(2000)));

    const QByteArray log = readAll(classLog);
    QVERIFY2(!log.isEmpty(), "the VM wrote no class loading log");
    const QString engineClass = sourceOf(log, QStringLiteral("a.b.g1"));
    if (fromArchive)
        QCOMPARE(engineClass, QStringLiteral("shared objects file (top)"));
    else
        QVERIFY2(engineClass.startsWith(QStringLiteral("file:")) && engineClass.endsWith(QStringLiteral("mr.jar")),
                 qPrintable(engineClass));
    // The JDK's own classes still come from the runtime's archive.
    QVERIFY2(sourceOf(log, QStringLiteral("java.lang.Object")).startsWith(QStringLiteral("shared objects file")),
             qPrintable(sourceOf(log, QStringLiteral("java.lang.Object"))));
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "--print") == 0)
        return printOnce(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    TestJavaVMEnvClassArchive test;
    return runWithJavaVM(test, argc, argv);
}

#include "tst_javavmenv_classarchive.moc"
