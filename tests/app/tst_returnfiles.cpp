#include "storefixture.h"

#include "app/returnfileentry.h"
#include "common/testhome.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

namespace {

bool touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("r24") == 3;
}

void insertRow(StoreFixture& store, const QString& name1, const QString& name2, const QString& path,
               const QString& time)
{
    store.exec("insert into tb_retfile (name1, name2, filepath, open_time) values (?, ?, ?, ?)",
               {name1, name2, path, time});
}

QStringList names(const ReturnFileEntriesModel& model)
{
    QStringList out;
    for (int row = 0; row < model.rowCount(); ++row)
        out << model.data(model.index(row, 0)).toString();
    return out;
}

} // namespace

class TestReturnFiles : public QObject
{
    Q_OBJECT
private slots:
    void modelColumnsAndHeaders();
    void modelOutOfRange();
    void modelRemoveAndClearAnnounceRows();

    void recordingAPathTwiceKeepsOneRow();
    void recordingKeepsTheNewestOfDuplicateRows();
    void listIsNewestFirstThenById();
    void coupledReturnListsBothNames();
    void filter_data();
    void filter();

    void vanishedFilesArePurged();
    void convertToUnixPath_data();
    void convertToUnixPath();

    void removeReturnEntryDeletesFileAndEveryRow();
    void removeReturnEntryOfAVanishedFile();
    void failedDeleteKeepsTheRows();
};

void TestReturnFiles::modelColumnsAndHeaders()
{
    ReturnFileEntriesModel model;
    model.append(new ReturnFileEntry(7, "Ann Lee", "2025-03-01 14:05:09", "/r/ann.r24"));
    QCOMPARE(model.columnCount(), 3);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Tax Payer's Name"));
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Last Open Time"));
    QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Return File Path"));
    QVERIFY(!model.headerData(3, Qt::Horizontal).isValid());
    QVERIFY(!model.headerData(0, Qt::Vertical).isValid());
    QVERIFY(!model.headerData(0, Qt::Horizontal, Qt::ToolTipRole).isValid());

    QCOMPARE(model.data(model.index(0, 0)).toString(), QStringLiteral("Ann Lee"));
    QCOMPARE(model.data(model.index(0, 1), Qt::EditRole).toString(), QStringLiteral("2025-03-01 14:05:09"));
    QCOMPARE(model.data(model.index(0, 2)).toString(), QStringLiteral("/r/ann.r24"));
    QVERIFY(!model.data(model.index(0, 0), Qt::DecorationRole).isValid());
    QVERIFY(!model.data(model.index(0, 3)).isValid());
    QCOMPARE(model.getElementData(0)->getId(), 7);
}

void TestReturnFiles::modelOutOfRange()
{
    ReturnFileEntriesModel model;
    model.append(new ReturnFileEntry(1, "A", "t", "/a.r24"));
    QCOMPARE(model.getFilePath(0), QStringLiteral("/a.r24"));
    QCOMPARE(model.getFilePath(1), QString());
    QCOMPARE(model.getFilePath(-1), QString());
    QCOMPARE(model.getFilePath(QModelIndex()), QString());
    QVERIFY(!model.getElementData(1));
    QVERIFY(!model.getElementData(-1));

    QSignalSpy removing(&model, &QAbstractItemModel::rowsAboutToBeRemoved);
    QCOMPARE(model.remove(model.index(1, 0)), 0);
    QCOMPARE(model.remove(QModelIndex()), 0);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(removing.count(), 0);
}

void TestReturnFiles::modelRemoveAndClearAnnounceRows()
{
    ReturnFileEntriesModel model;
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    model.clear();
    QCOMPARE(removed.count(), 0);

    for (int i = 0; i < 3; ++i)
        model.append(new ReturnFileEntry(i, QString::number(i), "t", QString("/%1.r24").arg(i)));
    QCOMPARE(model.remove(model.index(1, 2)), 1);
    QCOMPARE(removed.count(), 1);
    QCOMPARE(removed.at(0).at(1).toInt(), 1);
    QCOMPARE(names(model), (QStringList{"0", "2"}));

    model.clear();
    QCOMPARE(removed.count(), 2);
    QCOMPARE(removed.at(1).at(1).toInt(), 0);
    QCOMPARE(removed.at(1).at(2).toInt(), 1);
    QCOMPARE(model.rowCount(), 0);
}

void TestReturnFiles::recordingAPathTwiceKeepsOneRow()
{
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    CSqliteDBManager& db = store.manager();
    const int first = db.updateOrInsertHistoryItem("Ann Lee", "", "/r/ann.r24");
    QVERIFY(first > 0);
    const QStringList time = store.column("select open_time from tb_retfile");
    QVERIFY(QRegularExpression("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$").match(time.value(0)).hasMatch());

    QCOMPARE(db.updateOrInsertHistoryItem("Ann Lee", "Bob Lee", "/r/ann.r24"), first);
    QCOMPARE(store.count("tb_retfile"), 1);
    QCOMPARE(store.column("select name2 from tb_retfile"), QStringList{"Bob Lee"});
    // Paths are compared exactly.
    QVERIFY(db.updateOrInsertHistoryItem("Ann Lee", "", "/r/ANN.r24") != first);
    QCOMPARE(store.count("tb_retfile"), 2);
}

void TestReturnFiles::recordingKeepsTheNewestOfDuplicateRows()
{
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    insertRow(store, "Old", "", "/r/a.r24", "2024-01-01 10:00:00");
    insertRow(store, "Newest", "", "/r/a.r24", "2025-02-01 10:00:00");
    insertRow(store, "Middle", "", "/r/a.r24", "2024-06-01 10:00:00");
    insertRow(store, "Other", "", "/r/b.r24", "2023-01-01 10:00:00");

    QCOMPARE(store.manager().updateOrInsertHistoryItem("Ann Lee", "", "/r/a.r24"), 2);
    QCOMPARE(store.column("select id || ' ' || name1 from tb_retfile order by id"),
             (QStringList{"2 Ann Lee", "4 Other"}));
}

void TestReturnFiles::listIsNewestFirstThenById()
{
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    insertRow(store, "Same second, later id", "", "/r/1.r24", "2025-01-01 10:00:00");
    insertRow(store, "Oldest", "", "/r/2.r24", "2024-01-01 10:00:00");
    insertRow(store, "Same second, earlier id", "", "/r/3.r24", "2025-01-01 10:00:00");
    insertRow(store, "Newest", "", "/r/4.r24", "2025-03-01 10:00:00");
    store.exec("update tb_retfile set id=10 where name1='Same second, later id'");

    ReturnFileEntriesModel model;
    QCOMPARE(store.manager().loadAllHistoryItems(model, QString()), 4);
    QCOMPARE(names(model), (QStringList{"Newest", "Same second, earlier id", "Same second, later id", "Oldest"}));
    QCOMPARE(model.getElementData(0)->getTime(), QStringLiteral("2025-03-01 10:00:00"));
    QCOMPARE(model.getFilePath(0), QStringLiteral("/r/4.r24"));
}

void TestReturnFiles::coupledReturnListsBothNames()
{
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    QVERIFY(store.manager().updateOrInsertHistoryItem("A B", "C D", "/r/couple.r24") > 0);
    QVERIFY(store.manager().updateOrInsertHistoryItem("E F", "", "/r/single.r24") > 0);
    ReturnFileEntriesModel model;
    QCOMPARE(store.manager().loadAllHistoryItems(model, QString()), 2);
    QStringList listed = names(model);
    listed.sort();
    QCOMPARE(listed, (QStringList{"A B & C D", "E F"}));
}

void TestReturnFiles::filter_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    const QStringList all = {"Al 50 Percent", "Ann 50% Smith", "Kid underXscore", "Kid under_score",
                             "Pat O'Brien & Jo Lee"};
    QTest::newRow("empty lists all") << "" << all;
    QTest::newRow("apostrophe") << "O'Brien" << QStringList{"Pat O'Brien & Jo Lee"};
    QTest::newRow("ASCII case ignored") << "o'brien" << QStringList{"Pat O'Brien & Jo Lee"};
    QTest::newRow("spouse name only") << "Jo Lee" << QStringList{"Pat O'Brien & Jo Lee"};
    QTest::newRow("percent literal") << "50%" << QStringList{"Ann 50% Smith"};
    QTest::newRow("percent alone") << "%" << QStringList{"Ann 50% Smith"};
    QTest::newRow("underscore literal") << "under_score" << QStringList{"Kid under_score"};
    QTest::newRow("backslash literal") << "\\" << QStringList{};
    QTest::newRow("no match") << "Nobody" << QStringList{};
    QTest::newRow("statement text") << "' or 1=1; drop table tb_retfile; --" << QStringList{};
}

void TestReturnFiles::filter()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    CSqliteDBManager& db = store.manager();
    QVERIFY(db.updateOrInsertHistoryItem("Pat O'Brien", "Jo Lee", "/r/1.r24") > 0);
    QVERIFY(db.updateOrInsertHistoryItem("Ann 50% Smith", "", "/r/2.r24") > 0);
    QVERIFY(db.updateOrInsertHistoryItem("Al 50 Percent", "", "/r/3.r24") > 0);
    QVERIFY(db.updateOrInsertHistoryItem("Kid under_score", "", "/r/4.r24") > 0);
    QVERIFY(db.updateOrInsertHistoryItem("Kid underXscore", "", "/r/5.r24") > 0);

    ReturnFileEntriesModel model;
    model.append(new ReturnFileEntry(99, "stale", "t", "/stale"));
    QCOMPARE(db.loadAllHistoryItems(model, filter), expected.size());
    QStringList listed = names(model);
    listed.sort();
    QCOMPARE(listed, expected);
    QCOMPARE(store.count("tb_retfile"), 5);
}

void TestReturnFiles::vanishedFilesArePurged()
{
    TestHome home;
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    const QString kept = home.filePath("data/kept.r24");
    const QString moved = home.filePath("Documents/Tax/a.r24");
    QVERIFY(touch(kept));
    QVERIFY(touch(moved));
    QVERIFY(QDir(home.path()).mkpath("data/folder.r24"));
    insertRow(store, "Kept", "", kept, "2025-01-01 10:00:00");
    insertRow(store, "Gone", "", home.filePath("data/gone.r24"), "2025-01-01 10:00:00");
    insertRow(store, "Folder", "", home.filePath("data/folder.r24"), "2025-01-01 10:00:00");
    insertRow(store, "Moved", "", "D:\\Profiles\\Documents\\Tax\\a.r24", "2025-01-01 10:00:00");
    insertRow(store, "Moved gone", "", "D:\\Profiles\\Documents\\Tax\\b.r24", "2025-01-01 10:00:00");
    // Recorded here earlier under its local path: after the move one row is left.
    insertRow(store, "Moved, older row", "", moved, "2024-01-01 10:00:00");

    QCOMPARE(store.manager().removeNonExistHistoryItems(), 3);
    QCOMPARE(store.column("select name1 || '=' || filepath from tb_retfile order by id"),
             (QStringList{"Kept=" + kept, "Moved=" + moved}));
}

void TestReturnFiles::convertToUnixPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("expected"); // after the home folder
    QTest::newRow("drive path") << "D:\\Profiles\\Documents\\Tax\\a.r24" << 1 << "/Documents/Tax/a.r24";
    QTest::newRow("case ignored") << "C:\\Users\\x\\DOCUMENTS\\a.r24" << 1 << "/DOCUMENTS/a.r24";
    QTest::newRow("first occurrence") << "C:\\Documents\\Documents\\a.r24" << 1 << "/Documents/Documents/a.r24";
    QTest::newRow("unix path unchanged") << "/home/u/Documents/a.r24" << 0 << "";
    QTest::newRow("no Documents") << "D:\\Tax\\a.r24" << 0 << "";
}

void TestReturnFiles::convertToUnixPath()
{
    QFETCH(QString, path);
    QFETCH(int, result);
    QFETCH(QString, expected);
    TestHome home;
    CString converted = path;
    QCOMPARE(CSqliteDBManager::covertToUnixPath(converted), result);
    QCOMPARE(QString(converted), result ? QDir::homePath() + expected : path);
}

void TestReturnFiles::removeReturnEntryDeletesFileAndEveryRow()
{
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    const QString file = store.folder() + "/ann.r24";
    QVERIFY(touch(file));
    insertRow(store, "Ann", "", file, "2025-01-02 10:00:00");
    insertRow(store, "Ann", "", file, "2025-01-01 10:00:00");
    insertRow(store, "Bob", "", store.folder() + "/bob.r24", "2024-01-01 10:00:00");
    ReturnFileEntriesModel model;
    QCOMPARE(store.manager().loadAllHistoryItems(model, QString()), 3);

    QCOMPARE(store.manager().removeReturnEntry(model, model.index(0, 0)), CSqliteDBManager::EntryRemoved);
    QVERIFY(!QFile::exists(file));
    QCOMPARE(store.column("select name1 from tb_retfile"), QStringList{"Bob"});
    QCOMPARE(names(model), (QStringList{"Ann", "Bob"}));
    QCOMPARE(store.manager().removeReturnEntry(model, model.index(5, 0)), CSqliteDBManager::NoSuchEntry);
}

void TestReturnFiles::removeReturnEntryOfAVanishedFile()
{
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    insertRow(store, "Ann", "", store.folder() + "/gone.r24", "2025-01-01 10:00:00");
    ReturnFileEntriesModel model;
    QCOMPARE(store.manager().loadAllHistoryItems(model, QString()), 1);
    QCOMPARE(store.manager().removeReturnEntry(model, model.index(0, 0)), CSqliteDBManager::EntryRemoved);
    QCOMPARE(store.count("tb_retfile"), 0);
    QCOMPARE(model.rowCount(), 0);
}

void TestReturnFiles::failedDeleteKeepsTheRows()
{
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    // A folder under the recorded name cannot be deleted as a file.
    const QString path = store.folder() + "/busy.r24";
    QVERIFY(QDir(store.folder()).mkdir("busy.r24"));
    insertRow(store, "Ann", "", path, "2025-01-01 10:00:00");
    ReturnFileEntriesModel model;
    QCOMPARE(store.manager().loadAllHistoryItems(model, QString()), 1);

    QCOMPARE(store.manager().removeReturnEntry(model, model.index(0, 0)), CSqliteDBManager::FileNotDeleted);
    QVERIFY(QFileInfo(path).isDir());
    QCOMPARE(store.count("tb_retfile"), 1);
    QCOMPARE(model.rowCount(), 1);
}

QTEST_GUILESS_MAIN(TestReturnFiles)
#include "tst_returnfiles.moc"
