#include "bridgetest.h"

using namespace bridgetest;

// Finding and loading the Java runtime library, where no VM is made: JVMPATH
// naming something that is no runtime library.
class TestJavaVMEnvRuntime : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void notARuntime_data();
    void notARuntime();

private:
    QTemporaryDir m_dir;
    CT1AppConfig m_config;
};

void TestJavaVMEnvRuntime::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(loadConfig(m_config, m_dir.path(), "JAVACLASSPATH=" + engineJar().toUtf8() + "\n"));
    installConfig(m_config);
}

void TestJavaVMEnvRuntime::notARuntime_data()
{
    QTest::addColumn<QString>("jvmPath");
    QTest::addColumn<int>("result");
    QTest::addColumn<QByteArray>("standardError");
    QTest::newRow("a folder") << QDir::cleanPath(QCoreApplication::applicationDirPath()) << -21 << QByteArray();
    QTest::newRow("nothing") << m_dir.filePath(QStringLiteral("libjvm.so")) << -21 << QByteArray();
    QTest::newRow("a province plug-in")
        << QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../lib/plugins/libprovtax_on.so"))
        << -3 << QByteArray("JVM library did not contain JNI_GetDefaultJavaVMInitArgs entry point.\n");
}

void TestJavaVMEnvRuntime::notARuntime()
{
    QFETCH(QString, jvmPath);
    QFETCH(int, result);
    QFETCH(QByteArray, standardError);
    m_config.JVMPATH = jvmPath;
    int got = 0;
    const QByteArray written = standardErrorOf([&got] { got = JavaVMEnv::getInstance()->Init(); });
    QCOMPARE(got, result);
    QCOMPARE(written, standardError);
}

BRIDGE_TEST_MAIN(TestJavaVMEnvRuntime)
#include "tst_javavmenv_runtime.moc"
