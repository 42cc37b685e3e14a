#include <QtTest>

#include "companion/core/workerthread.h"

namespace {

// Counts until cancelled, reporting progress as it goes.
class CountingWorker : public MyWorkerThread
{
public:
    using MyWorkerThread::MyWorkerThread;
    ~CountingWorker() override
    {
        cancel();
        wait();
    }
    QAtomicInt steps;
    QSemaphore started;

protected:
    void run() override
    {
        started.release();
        while (!isCancelled()) {
            steps.fetchAndAddOrdered(1);
            emit progressChanged(steps.loadAcquire());
            msleep(1);
        }
    }
};

} // namespace

class TestWorkerThread : public QObject
{
    Q_OBJECT
private slots:
    void cancelStopsRun();
    void strInList_data();
    void strInList();
};

void TestWorkerThread::cancelStopsRun()
{
    CountingWorker worker(this);
    QSignalSpy progress(&worker, &MyWorkerThread::progressChanged);
    QSignalSpy finished(&worker, &QThread::finished);
    QVERIFY(!worker.isCancelled());
    worker.start();
    QVERIFY(worker.started.tryAcquire(1, 5000));
    QTRY_VERIFY_WITH_TIMEOUT(progress.count() > 2, 5000);
    worker.cancel();
    QVERIFY(worker.isCancelled());
    QVERIFY(worker.wait(5000));
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 5000);
    const int stepsAtStop = worker.steps.loadAcquire();
    QTest::qWait(20);
    QCOMPARE(worker.steps.loadAcquire(), stepsAtStop);
}

void TestWorkerThread::strInList_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("caseSensitive");
    QTest::addColumn<bool>("expected");
    QTest::newRow("exact") << "r24" << true << true;
    QTest::newRow("case differs, sensitive") << "R24" << true << false;
    QTest::newRow("case differs, insensitive") << "R24" << false << true;
    QTest::newRow("absent") << "txt" << false << false;
    QTest::newRow("part of an entry") << "r2" << false << false;
}

void TestWorkerThread::strInList()
{
    QFETCH(QString, text);
    QFETCH(bool, caseSensitive);
    QFETCH(bool, expected);
    QStringList list{"r24", "r23", "t24"};
    QCOMPARE(MyWorkerThread::checkStrInStrList(text, list, caseSensitive), expected);
}

QTEST_GUILESS_MAIN(TestWorkerThread)
#include "tst_workerthread.moc"
