#include "bridgetest.h"

#include <QThread>

using namespace bridgetest;

// Print jobs through the bridge on the real engine in a real Java VM, one VM
// for the whole program as in the application. The engine's test switches
// make it fail in each way the bridge has to handle; its trace shows the calls
// it received. The PDF folder's name holds a character outside the basic
// plane, so every job shows that it reached the engine intact.
class TestJavaVMEnv : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void secondInitReadsNothingAgain();
    void callOrder_data();
    void callOrder();
    void jobResults_data();
    void jobResults();
    void nextJobAfterAThrow();
    void outputFolder_data();
    void outputFolder();
    void otherThreadIsRefused();

private:
    int job(const char* outputFolder, CString& pdfPath, int mode = 0);

    QTemporaryDir m_dir;
    CT1AppConfig m_config;
    QString m_pdfFolder;
    QString m_retPdfFolder;
    int m_reads = 0;
    QStringList m_runLog;
};

int TestJavaVMEnv::job(const char* outputFolder, CString& pdfPath, int mode)
{
    CString returnPath = returnFile();
    return JavaVMEnv::getInstance()->doJob(returnPath, false, mode, 0, 0, 0, outputFolder, pdfPath);
}

void TestJavaVMEnv::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_pdfFolder = m_dir.filePath(QStringLiteral("pdf \U0001D11E"));
    m_retPdfFolder = m_dir.filePath(QStringLiteral("printed"));
    QVERIFY(QDir().mkpath(m_pdfFolder));
    QVERIFY(QDir().mkpath(m_retPdfFolder));
    const QByteArray ini = "JAVACLASSPATH=" + engineJar().toUtf8() + "\nPDFPATH=" + m_pdfFolder.toUtf8() +
                           "\nXMLPATH=" + resourceFolder().toUtf8() + "/xml\n";
    QVERIFY(loadConfig(m_config, m_dir.path(), ini));
    m_config.RetPdfPath = m_retPdfFolder; // the settings table's value
    installConfig(m_config, &m_reads, &m_runLog);

    QCOMPARE(JavaVMEnv::getInstance()->Init(), 0);
    QVERIFY(m_reads > 0);
}

void TestJavaVMEnv::secondInitReadsNothingAgain()
{
    const int readsBefore = m_reads;
    const CString classPath = m_config.JAVACLASSPATH;
    m_config.JAVACLASSPATH = m_dir.filePath(QStringLiteral("nothing-here"));
    QCOMPARE(JavaVMEnv::getInstance()->Init(), 0);
    QCOMPARE(m_reads, readsBefore);
    m_config.JAVACLASSPATH = classPath;
}

void TestJavaVMEnv::callOrder_data()
{
    QTest::addColumn<bool>("printHeader");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("calls");
    const QStringList head = {"<init>()V", "if(Ljava/lang/String;)V", "a(Ljava/lang/String;)V", "a([B)V", "if(I)V",
                              "do()V", "int()V"};
    const QStringList tail = {"if([B)I", "a(III)I", "a()Ljava/lang/String;"};
    QTest::newRow("header, ordinary print") << true << 0 << head + QStringList{"for()V"} + tail;
    QTest::newRow("no header, condensed print")
        << false << 1 << head + QStringList{"new()V", "for()V", "a(I)V"} + tail;
}

void TestJavaVMEnv::callOrder()
{
    QFETCH(bool, printHeader);
    QFETCH(int, mode);
    QFETCH(QStringList, calls);
    QVERIFY(setEngineSwitches(m_pdfFolder, ""));
    m_config.PrintHeader = printHeader;
    CString pdfPath;
    const int result = job(nullptr, pdfPath, mode);
    m_config.PrintHeader = true;
    QCOMPARE(result, 0);
    QCOMPARE(engineCalls(m_pdfFolder), calls);
    QVERIFY2(QFileInfo(pdfPath).isFile(), qPrintable(pdfPath));
    QCOMPARE(QFileInfo(pdfPath).absolutePath(), m_retPdfFolder);
    // The template folder arrived with its character outside the basic plane.
    QCOMPARE(engineTrace(m_pdfFolder).value(1), QStringLiteral("if(Ljava/lang/String;)V \"%1\"").arg(m_pdfFolder));
}

void TestJavaVMEnv::jobResults_data()
{
    QTest::addColumn<QByteArray>("switches");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("pathReported");
    QTest::newRow("read answer 5166") << QByteArray("read=5166\n") << 0 << true;
    QTest::newRow("read answer 5167") << QByteArray("read=5167\n") << 0 << true;
    QTest::newRow("read answer 7") << QByteArray("read=7\n") << -116 << false;
    QTest::newRow("write answer 1") << QByteArray("write=1\n") << -117 << false;
    QTest::newRow("no path reported") << QByteArray("path=none\n") << 0 << false;
    QTest::newRow("do throws") << QByteArray("throw=do\n") << -140 << false;
    QTest::newRow("write step throws") << QByteArray("throw=a(III)I\n") << -140 << false;
}

void TestJavaVMEnv::jobResults()
{
    QFETCH(QByteArray, switches);
    QFETCH(int, result);
    QFETCH(bool, pathReported);
    QVERIFY(setEngineSwitches(m_pdfFolder, switches));
    const QString before = QStringLiteral("path before the job");
    CString pdfPath = before;
    m_runLog.clear();
    QCOMPARE(job(nullptr, pdfPath, 0), result);
    if (pathReported)
        QVERIFY2(QFileInfo(pdfPath).isFile(), qPrintable(pdfPath));
    else
        QCOMPARE(QString(pdfPath), before);
    if (result == -140) {
        QCOMPARE(m_runLog.size(), 1);
        const QString step = QString::fromUtf8(switches).section(QLatin1Char('='), 1).trimmed();
        QVERIFY2(m_runLog.first().contains(QStringLiteral("step ") + step), qPrintable(m_runLog.first()));
    } else {
        QVERIFY2(m_runLog.isEmpty(), qPrintable(m_runLog.join(QLatin1Char('\n'))));
    }
}

void TestJavaVMEnv::nextJobAfterAThrow()
{
    QVERIFY(setEngineSwitches(m_pdfFolder, "throw=do\n"));
    CString pdfPath;
    QCOMPARE(job(nullptr, pdfPath), -140);
    QVERIFY(setEngineSwitches(m_pdfFolder, ""));
    QCOMPARE(job(nullptr, pdfPath), 0);
    QVERIFY2(QFileInfo(pdfPath).isFile(), qPrintable(pdfPath));
}

void TestJavaVMEnv::outputFolder_data()
{
    QTest::addColumn<QString>("given"); // "<null>": no folder at all
    QTest::addColumn<QString>("received");
    const QString accented = m_dir.filePath(QStringLiteral("Sortie Donn\u00e9es"));
    QTest::newRow("accented") << accented << accented;
    QTest::newRow("null") << QStringLiteral("<null>") << m_retPdfFolder;
    QTest::newRow("empty") << QString() << m_retPdfFolder;
}

void TestJavaVMEnv::outputFolder()
{
    QFETCH(QString, given);
    QFETCH(QString, received);
    QVERIFY(QDir().mkpath(received));
    QVERIFY(setEngineSwitches(m_pdfFolder, ""));
    const QByteArray bytes = given.toUtf8();
    CString pdfPath;
    QCOMPARE(job(given == QLatin1String("<null>") ? nullptr : bytes.constData(), pdfPath), 0);
    // The engine shows the bytes it got as UTF-8 text and counts them.
    const QString expected =
        QStringLiteral("a([B)V \"%1\" (%2 bytes)").arg(received).arg(received.toUtf8().size());
    QCOMPARE(engineTrace(m_pdfFolder).value(3), expected);
    QCOMPARE(QFileInfo(pdfPath).absolutePath(), received);
}

void TestJavaVMEnv::otherThreadIsRefused()
{
    QVERIFY(setEngineSwitches(m_pdfFolder, ""));
    int result = 0;
    QThread* worker = QThread::create([&result, this] {
        CString pdfPath;
        result = job(nullptr, pdfPath);
    });
    m_runLog.clear();
    worker->start();
    QVERIFY(worker->wait(60000));
    delete worker;
    QCOMPARE(result, -150);
    QVERIFY(engineTrace(m_pdfFolder).isEmpty());
    QCOMPARE(m_runLog.size(), 1);
    QVERIFY(m_runLog.first().contains(QLatin1String("thread")));
}

BRIDGE_TEST_MAIN(TestJavaVMEnv)
#include "tst_javavmenv.moc"
