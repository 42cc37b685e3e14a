#include "bridgetest.h"

using namespace bridgetest;

// A class path without the engine: the VM starts but the engine class is not
// there. A later start in the same process finds that VM again (a process can
// make only one) and reports the same truth, not a VM that cannot be made.
class TestJavaVMEnvMissingEngine : public QObject
{
    Q_OBJECT
private slots:
    void startWithoutEngine();

private:
    QTemporaryDir m_dir;
    CT1AppConfig m_config;
};

void TestJavaVMEnvMissingEngine::startWithoutEngine()
{
    QVERIFY(m_dir.isValid());
    const QString emptyFolder = m_dir.filePath(QStringLiteral("classes"));
    QVERIFY(QDir().mkpath(emptyFolder));
    QVERIFY(loadConfig(m_config, m_dir.path(), "JAVACLASSPATH=" + emptyFolder.toUtf8() + "\n"));
    int reads = 0;
    installConfig(m_config, &reads);

    QCOMPARE(JavaVMEnv::getInstance()->Init(), -101);
    const int readsAfterFirst = reads;
    QCOMPARE(JavaVMEnv::getInstance()->Init(), -101);
    // The failed start is tried in full again: the configuration is read anew.
    QVERIFY(reads > readsAfterFirst);
    CString returnPath = returnFile();
    CString pdfPath;
    QCOMPARE(JavaVMEnv::getInstance()->doJob(returnPath, false, 0, 0, 0, 0, nullptr, pdfPath), -10);
}

BRIDGE_TEST_MAIN(TestJavaVMEnvMissingEngine)
#include "tst_javavmenv_missingengine.moc"
