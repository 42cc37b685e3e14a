#include "app/tabwndapp.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The fetch logs name taxpayers' records: they are kept to the user.
class TestTddLogFile : public QObject
{
    Q_OBJECT
private slots:
    void logIsReadableByTheUserOnly();
    void sinsAreMaskedInLogLines_data();
    void sinsAreMaskedInLogLines();
};

void TestTddLogFile::logIsReadableByTheUserOnly()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("tddlog2.txt");
    {
        // An older log that others could read is narrowed too.
        QFile older(path);
        QVERIFY(older.open(QIODevice::WriteOnly));
        QVERIFY(older.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther));
    }
    TabWndApp::WriteLogFile(path, "http server up");
    TabWndApp::WriteLogFile(path, "save into db=2");

    QFile log(path);
    QCOMPARE(log.permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
             QFile::Permissions());
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = log.readAll().split('\n');
    QCOMPARE(lines.size(), 3);
    QVERIFY(QRegularExpression("^Log: \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d http server up$")
                .match(QString::fromUtf8(lines[0])).hasMatch());
    QVERIFY(lines[1].endsWith(" save into db=2"));
}

void TestTddLogFile::sinsAreMaskedInLogLines_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QByteArray>("logged");
    QTest::newRow("plain") << QByteArray("skipping 2 (046454286)") << QByteArray("skipping 2 (xxxxx4286)");
    QTest::newRow("spaces") << QByteArray("sin 046 454 286 done") << QByteArray("sin xxxxx4286 done");
    QTest::newRow("dashes") << QByteArray("046-454-286") << QByteArray("xxxxx4286");
    QTest::newRow("two") << QByteArray("046454286,100064286") << QByteArray("xxxxx4286,xxxxx4286");
    QTest::newRow("longer number") << QByteArray("id 1234567890") << QByteArray("id 1234567890");
    QTest::newRow("mixed separators") << QByteArray("046 454-286") << QByteArray("046 454-286");
    QTest::newRow("no number") << QByteArray("save into db=2") << QByteArray("save into db=2");
}

void TestTddLogFile::sinsAreMaskedInLogLines()
{
    QFETCH(QByteArray, message);
    QFETCH(QByteArray, logged);
    QTemporaryDir dir;
    const QString path = dir.filePath("tddlog.txt");
    TabWndApp::WriteLogFile(path, message.constData());
    QFile log(path);
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QByteArray line = log.readAll();
    QVERIFY2(line.endsWith(" " + logged + "\n"), line.constData());
}

QTEST_GUILESS_MAIN(TestTddLogFile)
#include "tst_tddlogfile.moc"
