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

QTEST_GUILESS_MAIN(TestTddLogFile)
#include "tst_tddlogfile.moc"
