// The print road's rules that need no window: what a print of one tree item
// hands the engine, and the preparer's block the engine reads before a job.
#include "print/printroad.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestPrintRoadRules : public QObject
{
    Q_OBJECT
private slots:
    void selectionOfTreeItem_data()
    {
        QTest::addColumn<int>("category");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("formId");
        // A form, a slip and a note print that one item: their id goes on.
        QTest::newRow("a form") << 0 << 1 << 17 << 17;
        QTest::newRow("a slip") << 1 << 25 << 42 << 42;
        QTest::newRow("a note") << 3 << 0 << 9 << 9;
        QTest::newRow("the result page") << 99 << 93 << 5 << 0;
        QTest::newRow("nothing selected") << -1 << 0 << 0 << 0;
    }
    void selectionOfTreeItem()
    {
        QFETCH(int, category);
        QFETCH(int, type);
        QFETCH(int, id);
        QFETCH(int, formId);
        const PrintRoad::Selection s = PrintRoad::selectionOfTreeItem(category, type, id);
        QCOMPARE(s.category, category);
        QCOMPARE(s.formType, type);
        QCOMPARE(s.formId, formId);
    }

    void preparerFileHoldsThePreferences()
    {
        QTemporaryDir dir;
        PrintRoad::PreparerBlock block{QStringLiteral("Numbers & Co."), QStringLiteral("1 Bank St.\nSuite 2"),
                                       QStringLiteral("Ottawa"), QStringLiteral("ON"), QStringLiteral("K1A 0B1"),
                                       QStringLiteral("613-555-0100"), QStringLiteral("K12\\34")};
        QVERIFY(PrintRoad::writePreparerFile(dir.path(), block));
        QFile file(dir.filePath("preparer.properties"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
        // A line break in a value would start a new key; a backslash is the
        // properties file's escape and is doubled.
        QCOMPARE(lines, (QStringList{"firm=Numbers & Co.", "address=1 Bank St. Suite 2", "city=Ottawa ON  K1A 0B1",
                                     "phone=613-555-0100", "efile=K12\\\\34"}));
    }

    void noFirmRemovesTheFile()
    {
        QTemporaryDir dir;
        QVERIFY(PrintRoad::writePreparerFile(dir.path(), {QStringLiteral("Firm"), {}, {}, {}, {}, {}, {}}));
        QVERIFY(QFile::exists(dir.filePath("preparer.properties")));
        QVERIFY(PrintRoad::writePreparerFile(dir.path(), {}));
        QVERIFY(!QFile::exists(dir.filePath("preparer.properties")));
    }
};

QTEST_GUILESS_MAIN(TestPrintRoadRules)
#include "tst_printroadrules.moc"
