// The print road's rules that need no window: what a print of one tree item
// hands the engine, the preparer's block the engine reads before a job, the
// check that the output folder can be written and the start failures' texts.
#include "print/printroad.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

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

    void outputFolderWritability_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("writable");
        QTest::newRow("a folder of the user's") << "own" << true;
        QTest::newRow("a folder of mode 0555") << "0555" << false;
        // The kernel's own folder refuses new files whoever asks.
        QTest::newRow("a folder nobody can add to") << "/proc" << false;
        QTest::newRow("a plain file") << "file" << false;
        QTest::newRow("a folder that does not exist") << "missing" << false;
        QTest::newRow("no folder at all") << "" << false;
    }
    void outputFolderWritability()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QString folder = kind;
        if (kind == "own") {
            folder = dir.path();
        } else if (kind == "0555") {
            // The privileged user writes whatever the mode says: the check is
            // the file system's answer, which is then rightly yes.
            if (::geteuid() == 0)
                QSKIP("running as root, which writes into a 0555 folder whatever its mode");
            folder = dir.filePath("readonly");
            QVERIFY(QDir().mkdir(folder));
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup
                                                      | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
        } else if (kind == "/proc") {
            if (!QFileInfo(kind).isDir())
                QSKIP("no /proc here");
        } else if (kind == "file") {
            folder = dir.filePath("plain");
            QFile plain(folder);
            QVERIFY(plain.open(QIODevice::WriteOnly));
        } else if (kind == "missing") {
            folder = dir.filePath("missing");
        }
        QTEST(PrintRoad::canWriteInFolder(folder), "writable");
        // The check leaves nothing behind.
        if (kind == "own")
            QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
        if (kind == "0555")
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void folderNotWritableSaysWhichAndWhatToDo()
    {
        QCOMPARE(PrintRoad::folderNotWritableText("/srv/returns/pdf"),
                 QString("voDarevivo cannot write into the folder for printable tax form (.pdf) files:\n"
                         "/srv/returns/pdf\nChoose a folder you can write into in the preferences, or allow "
                         "writing into this one, then print again."));
    }

    void environmentErrors_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("no Java runtime")
            << -21
            << "Print environment error, error code is -21.\nNo Java runtime was found. Install a Java 17 runtime "
               "(for example the package default-jre-headless), or set JVMPATH in the configuration file to its "
               "libjvm.so, then print again.";
        QTest::newRow("not a Java library")
            << -3
            << "Print environment error, error code is -3.\nThe library that JVMPATH names is not a Java runtime. "
               "Set JVMPATH in the configuration file to the libjvm.so of a Java 17 runtime, or remove the entry, "
               "then print again.";
        QTest::newRow("engine missing or damaged")
            << -101
            << "Print environment error, error code is -101.\nThe print engine that comes with voDarevivo is "
               "missing or damaged. Install voDarevivo again, then print again.";
        QTest::newRow("a start failure without advice") << -5 << "Print environment error, error code is -5.";
    }
    void environmentErrors()
    {
        QFETCH(int, code);
        QTEST(PrintRoad::environmentErrorText(code), "text");
    }
};

QTEST_GUILESS_MAIN(TestPrintRoadRules)
#include "tst_printroadrules.moc"
