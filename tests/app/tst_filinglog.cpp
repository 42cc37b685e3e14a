// The filing log: one record per accepted filing, appended, in UTF-8; a
// record that cannot be written is reported, never lost silently.
#include "app/promptrecorder.h"
#include "app/tabwndapp.h"
#include "companion/core/prompter.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestFilingLog : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void paths();
    void recordsFollowOneAnother();
    void unwritableLogIsReported();

private:
    QTemporaryDir m_dir;
};

void TestFilingLog::init()
{
    QVERIFY(m_dir.isValid());
    TabWndApp* app = TabWndApp::getMainApp();
    app->m_strRunPath = m_dir.path();
    app->m_strRunLogFile = m_dir.filePath("runlog.txt");
    app->m_config.MODEDEBUG = false;
    QFile::remove(m_dir.filePath("netfilelog.txt"));
}

void TestFilingLog::paths()
{
    TabWndApp* app = TabWndApp::getMainApp();
    CString path;
    app->getFilingLogFilePath(path, 0);
    QCOMPARE(QString(path), m_dir.filePath("netfilelog.txt"));
    app->getFilingLogFilePath(path, 1);
    QCOMPARE(QString(path), m_dir.filePath("netfileresult.txt"));
    app->m_config.MODEDEBUG = true;
    app->getFilingLogFilePath(path, 1);
    QCOMPARE(QString(path), m_dir.filePath("netfileresult.ws"));
    app->getFilingLogFilePath(path, 0);
    QCOMPARE(QString(path), m_dir.filePath("netfilelog.txt"));
    app->getT1013LogFilePath(path, 0);
    QCOMPARE(QString(path), m_dir.filePath("efile2log.txt"));
    app->getT1013LogFilePath(path, 3);
    QCOMPARE(QString(path), m_dir.filePath("efile2result.txt"));
    QCOMPARE(app->writeFailFilingLog("a", "b", "c"), 0);
    QVERIFY(!QFile::exists(m_dir.filePath("netfilelog.txt")));
}

void TestFilingLog::recordsFollowOneAnother()
{
    TabWndApp* app = TabWndApp::getMainApp();
    QCOMPARE(app->writeSuccFilingLog(QString::fromUtf8("Zo\xc3\xab C\xc3\xb4t\xc3\xa9"), "Refund 10.00", "ABC123",
                                     "Accepted\r\nThanks\r\n"),
             0);
    QCOMPARE(app->writeSuccFilingLog("Jean", "Balance 0.00", "", "x"), 0);

    QFile log(m_dir.filePath("netfilelog.txt"));
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QByteArray text = log.readAll();
    const QRegularExpression record(
        "^Time: \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d \\n"
        "Name: Zo\xc3\xab C\xc3\xb4t\xc3\xa9\\nResult: Refund 10.00\\nConfirmation: ABC123\\n"
        "Msg: Accepted\\r\\nThanks\\r\\n\\n\\n\\n"
        "Time: [-0-9: ]+ \\nName: Jean\\nResult: Balance 0.00\\nConfirmation: \\nMsg: x\\n\\n\\n$");
    QVERIFY2(record.match(QString::fromUtf8(text)).hasMatch(), text.constData());
    // The name is stored as its UTF-8 bytes.
    QVERIFY(text.contains("Name: Zo\xc3\xab C\xc3\xb4t\xc3\xa9\n"));
}

void TestFilingLog::unwritableLogIsReported()
{
    TabWndApp* app = TabWndApp::getMainApp();
    app->m_strRunPath = m_dir.filePath("missing-folder");
    const QString prompts = m_dir.filePath("prompts.txt");
    PromptRecorder recorder(prompts);
    Prompter* before = Prompter::install(&recorder);
    const int result = app->writeSuccFilingLog("Jean", "r", "CONF-9", "m");
    Prompter::install(before);

    QCOMPARE(result, -1);
    const QStringList told = PromptRecorder::readRecords(prompts);
    QCOMPARE(told.size(), 1);
    QVERIFY(told.first().contains("CONF-9"));
    QFile runLog(m_dir.filePath("runlog.txt"));
    QVERIFY(runLog.open(QIODevice::ReadOnly));
    QVERIFY(runLog.readAll().contains("Filing log not written"));
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TabWndApp app(argc, argv);
    TestFilingLog test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_filinglog.moc"
