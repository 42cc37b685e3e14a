#include "bridgetest.h"

using namespace bridgetest;

// A class path of 3,000 bytes: a long folder that does not exist, then the
// engine. The VM's option is as long as it needs to be.
class TestJavaVMEnvLongClassPath : public QObject
{
    Q_OBJECT
private slots:
    void startsAndPrints();

private:
    QTemporaryDir m_dir;
    CT1AppConfig m_config;
};

void TestJavaVMEnvLongClassPath::startsAndPrints()
{
    QVERIFY(m_dir.isValid());
    const QByteArray jar = engineJar().toUtf8();
    const int filler = 3000 - jar.size() - int(sizeof("/missing/:") - 1);
    QVERIFY(filler > 0);
    const QByteArray classPath = "/missing/" + QByteArray(filler, 'x') + ":" + jar;
    QCOMPARE(classPath.size(), 3000);
    const QString output = m_dir.filePath(QStringLiteral("out"));
    QVERIFY(QDir().mkpath(output));
    QVERIFY(loadConfig(m_config, m_dir.path(),
                       "JAVACLASSPATH=" + classPath + "\nXMLPATH=" + resourceFolder().toUtf8() + "/xml\n"));
    installConfig(m_config);

    QCOMPARE(JavaVMEnv::getInstance()->Init(), 0);
    CString returnPath = returnFile();
    CString pdfPath;
    const QByteArray outputBytes = output.toUtf8();
    QCOMPARE(JavaVMEnv::getInstance()->doJob(returnPath, true, 0, -1, 0, 0, outputBytes.constData(), pdfPath), 0);
    QVERIFY2(QFileInfo(pdfPath).isFile() && QFileInfo(pdfPath).size() > 0, qPrintable(pdfPath));
}

BRIDGE_TEST_MAIN(TestJavaVMEnvLongClassPath)
#include "tst_javavmenv_longclasspath.moc"
