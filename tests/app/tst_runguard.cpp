#include <QtTest>

#include "app/mywaitcursor.h"
#include "app/runguard.h"

#include <QApplication>
#include <QProcess>

class TestRunGuard : public QObject
{
    Q_OBJECT
private slots:
    void secondGuardIsRefused();
    void releaseLetsTheNextOneRun();
    void otherKeyOrFolderIsIndependent();
    void lockOfADeadProcessIsTakenOver();
    void waitCursorsNest();
};

static const QString kKey = QStringLiteral("voDarevivo 2024 for DirErad");

void TestRunGuard::secondGuardIsRefused()
{
    QTemporaryDir dir;
    RunGuard first(kKey, dir.path());
    QVERIFY(!first.isAnotherRunning());
    QVERIFY(first.tryToRun());
    QVERIFY(!first.isAnotherRunning()); // its own hold does not count

    RunGuard second(kKey, dir.path());
    QVERIFY(second.isAnotherRunning());
    QVERIFY(!second.tryToRun());
}

void TestRunGuard::releaseLetsTheNextOneRun()
{
    QTemporaryDir dir;
    {
        RunGuard first(kKey, dir.path());
        QVERIFY(first.tryToRun());
        first.release();
        RunGuard second(kKey, dir.path());
        QVERIFY(second.tryToRun());
    } // destructor releases
    RunGuard third(kKey, dir.path());
    QVERIFY(!third.isAnotherRunning());
    QVERIFY(third.tryToRun());
}

void TestRunGuard::otherKeyOrFolderIsIndependent()
{
    QTemporaryDir dirA, dirB;
    RunGuard a(kKey, dirA.path());
    QVERIFY(a.tryToRun());
    RunGuard otherUser(kKey, dirB.path()); // another user's system folder
    QVERIFY(otherUser.tryToRun());
    RunGuard otherKey(QStringLiteral("another program"), dirA.path());
    QVERIFY(otherKey.tryToRun());
}

void TestRunGuard::lockOfADeadProcessIsTakenOver()
{
    QTemporaryDir dir;
    // A process that held the lock and died without removing it.
    QProcess child;
    child.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    QVERIFY(child.waitForStarted());
    const qint64 pid = child.processId();
    child.kill();
    QVERIFY(child.waitForFinished());

    RunGuard probe(kKey, dir.path());
    QFile lock(probe.lockFilePath());
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(pid) + "\nsleep\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();

    QVERIFY(!probe.isAnotherRunning());
    QVERIFY(probe.tryToRun());
}

void TestRunGuard::waitCursorsNest()
{
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    {
        MyWaitCursor outer;
        QVERIFY(QGuiApplication::overrideCursor());
        {
            MyWaitCursor inner;
            QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        }
        QVERIFY(QGuiApplication::overrideCursor());
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

QTEST_MAIN(TestRunGuard)
#include "tst_runguard.moc"
