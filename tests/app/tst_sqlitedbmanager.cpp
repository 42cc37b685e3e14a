#include "storefixture.h"

#include "app/extradbconnection.h"

#include <QFile>
#include <QMap>
#include <QtTest>

#include <thread>
#include <unistd.h>

namespace {

// The schema as SQLite records it: the creating statements from the table
// name on, after "CREATE TABLE " or "CREATE INDEX ".
QMap<QString, QString> expectedSchema()
{
    return {
        {"tb_config", "CREATE TABLE tb_config (id integer primary key autoincrement, name text, value text)"},
        {"idx_tb_config_name", "CREATE INDEX idx_tb_config_name on tb_config (name)"},
        {"tb_taxpayers", "CREATE TABLE tb_taxpayers (id integer primary key autoincrement, name varchar(200), sin varchar(20), phone varchar(20), email varchar(80))"},
        {"idx_tb_taxpayer_sin", "CREATE INDEX idx_tb_taxpayer_sin on tb_taxpayers (sin)"},
        {"idx_tb_taxpayers_sin_unique", "CREATE UNIQUE INDEX idx_tb_taxpayers_sin_unique on tb_taxpayers (sin)"},
        {"tb_retfile", "CREATE TABLE tb_retfile (id integer primary key autoincrement, name1 varchar(100), name2 varchar(100), uid1 integer, uid2 integer, filepath varchar(200), open_time datetime)"},
        {"idx_tb_retfile_filepath", "CREATE INDEX idx_tb_retfile_filepath on tb_retfile (filepath)"},
        {"idx_tb_retfile_names", "CREATE INDEX idx_tb_retfile_names on tb_retfile (name1, name2)"},
        {"idx_tb_retfile_uid", "CREATE INDEX idx_tb_retfile_uid on tb_retfile (uid1, uid2)"},
        {"tb_taxdata", "CREATE TABLE tb_taxdata (id integer primary key autoincrement, uid integer, create_time datetime, data1 text, html1 text, taxyear integer)"},
        {"idx_tb_taxdata_uid", "CREATE INDEX idx_tb_taxdata_uid on tb_taxdata (uid)"},
        {"tb_taxnoa", "CREATE TABLE tb_taxnoa (id integer primary key autoincrement, uid integer, create_time datetime, data1 text, htmlfile varchar(256), taxyear integer)"},
        {"idx_tb_taxnoa_uid", "CREATE INDEX idx_tb_taxnoa_uid on tb_taxnoa (uid)"},
        {"tb_history", "CREATE TABLE tb_history (id integer primary key autoincrement, uid integer, eventid integer, msg varchar(200), event_time datetime DEFAULT NULL)"},
        {"idx_tb_history_uid", "CREATE INDEX idx_tb_history_uid on tb_history (uid)"},
    };
}

QMap<QString, QString> actualSchema(QSqlDatabase& db)
{
    QMap<QString, QString> schema;
    QSqlQuery query(db);
    query.exec("select name, sql from sqlite_master where type in ('table','index') and name not like 'sqlite_%'");
    while (query.next())
        schema.insert(query.value(0).toString(), query.value(1).toString());
    return schema;
}

const QStringList kTables = {"tb_config", "tb_taxpayers", "tb_retfile", "tb_taxdata", "tb_taxnoa", "tb_history"};

void insertOneRowEach(StoreFixture& store)
{
    store.exec("insert into tb_config (name, value) values ('FontSize', '12')");
    store.exec("insert into tb_taxpayers (name, sin) values ('Ann Lee', '046454286')");
    store.exec("insert into tb_retfile (name1, name2, filepath, open_time) values ('Ann Lee', '', '/r/a.r24', '2025-01-02 03:04:05')");
    store.exec("insert into tb_taxdata (uid, data1, taxyear) values (1, '<x/>', 2024)");
    store.exec("insert into tb_taxnoa (uid, data1, taxyear) values (1, 'noa', 2023)");
    store.exec("insert into tb_history (uid, eventid, msg) values (1, 1018, 'status')");
}

// Writes a file straight to disk, for damaged databases.
void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

} // namespace

class TestSqliteDBManager : public QObject
{
    Q_OBJECT
private slots:
    void newFileGetsAllTablesAndIndexes();
    void newFileIsPrivateToTheUser();
    void olderFileIsNarrowedToTheUser();
    void reopeningKeepsEveryRow();
    void missingTableIsCreatedAndOthersKeepRows_data();
    void missingTableIsCreatedAndOthersKeepRows();
    void failingOpen_data();
    void failingOpen();
    void readOnlyFileFailsTheOpen();
    void schemaIsCreatedWholeOrNotAtAll();

    void textParameterRoundTrip_data();
    void textParameterRoundTrip();
    void newestRowOfAKeyCounts();
    void spacesAroundValues();
    void intParameter_data();
    void intParameter();
    void boolParameter_data();
    void boolParameter();
    void savedBoolsAndLiterals();
    void absentOrFailedReadLeavesTheValue();

    void workerConnectionsWriteAlongsideTheMainOne();
    void extraHandleOpensTheSameFile();
};

void TestSqliteDBManager::newFileGetsAllTablesAndIndexes()
{
    StoreFixture store;
    CString path = store.folder();
    CSqliteDBManager manager(QStringLiteral("schema_test"));
    QCOMPARE(manager.openDBFile(path), int(CSqliteDBManager::OpenOk));
    QVERIFY(manager.isOpen());
    QVERIFY(path.endsWith(QLatin1String("mydata2024n.db")));
    QCOMPARE(QString(path), store.dbFile());
    QCOMPARE(manager.filePath(), store.dbFile());
    QCOMPARE(actualSchema(manager.db()), expectedSchema());
    for (const QString& table : kTables)
        QVERIFY2(manager.tableExists(table.toUtf8().constData()), qPrintable(table));
    QVERIFY(!manager.tableExists("tb_nothing"));
}

void TestSqliteDBManager::newFileIsPrivateToTheUser()
{
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup
                                      | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    const QFile::Permissions perms = QFile::permissions(store.dbFile());
    QVERIFY(perms & QFile::ReadOwner);
    QVERIFY(perms & QFile::WriteOwner);
    QCOMPARE(perms & others, QFile::Permissions());
}

void TestSqliteDBManager::olderFileIsNarrowedToTheUser()
{
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    store.close();
    QVERIFY(QFile::setPermissions(store.dbFile(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther));
    QCOMPARE(store.open(), 0);
    QCOMPARE(QFile::permissions(store.dbFile()) & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());
}

void TestSqliteDBManager::reopeningKeepsEveryRow()
{
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    insertOneRowEach(store);
    QCOMPARE(store.open(), 0);
    for (const QString& table : kTables)
        QCOMPARE(store.count(table), 1);
    QCOMPARE(actualSchema(store.db()), expectedSchema());
}

void TestSqliteDBManager::missingTableIsCreatedAndOthersKeepRows_data()
{
    QTest::addColumn<QString>("lost");
    for (const QString& table : kTables)
        QTest::newRow(qPrintable(table)) << table;
}

void TestSqliteDBManager::missingTableIsCreatedAndOthersKeepRows()
{
    QFETCH(QString, lost);
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    insertOneRowEach(store);
    store.exec("drop table " + lost);

    QCOMPARE(store.open(), 0);
    QCOMPARE(actualSchema(store.db()), expectedSchema());
    for (const QString& table : kTables)
        QCOMPARE(store.count(table), table == lost ? 0 : 1);
}

void TestSqliteDBManager::failingOpen_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<int>("expected");
    QTest::newRow("not a database") << "garbage" << int(CSqliteDBManager::OpenSchemaFailed);
    QTest::newRow("table without an indexed column") << "history-without-uid" << int(CSqliteDBManager::OpenSchemaFailed);
    QTest::newRow("folder missing") << "no-folder" << int(CSqliteDBManager::OpenCannotOpen);
    QTest::newRow("folder in place of the file") << "folder" << int(CSqliteDBManager::OpenCannotOpen);
}

void TestSqliteDBManager::failingOpen()
{
    QFETCH(QString, damage);
    QFETCH(int, expected);
    StoreFixture store;
    CString path = store.folder();
    if (damage == "garbage") {
        writeFile(store.dbFile(), QByteArray("This is not a database file, only some text.\n").repeated(50));
    } else if (damage == "history-without-uid") {
        // A table of the right name whose columns do not fit its index.
        QSqlDatabase raw = QSqlDatabase::addDatabase("QSQLITE", "raw_history");
        raw.setDatabaseName(store.dbFile());
        QVERIFY(raw.open());
        QVERIFY(QSqlQuery(raw).exec("create table tb_history (id integer primary key, msg text)"));
        raw.close();
        raw = QSqlDatabase();
        QSqlDatabase::removeDatabase("raw_history");
    } else if (damage == "no-folder") {
        path = store.folder() + "/missing";
    } else if (damage == "folder") {
        QVERIFY(QDir(store.folder()).mkdir("mydata2024n.db"));
    }

    CSqliteDBManager manager(QStringLiteral("failing_open_") + damage);
    QCOMPARE(manager.openDBFile(path), expected);
    QVERIFY(!manager.isOpen());
    QVERIFY(!manager.lastError().isEmpty());
    QVERIFY(!manager.db().isOpen());
    // Nothing can be read or written through a manager whose open failed.
    int fontSize = 13;
    QCOMPARE(manager.readParameter("FontSize", fontSize), int(CSqliteDBManager::DbFailed));
    QCOMPARE(fontSize, 13);
    QCOMPARE(manager.saveParameter("FontSize", 16), int(CSqliteDBManager::DbFailed));
}

void TestSqliteDBManager::readOnlyFileFailsTheOpen()
{
    if (::geteuid() == 0)
        QSKIP("file permissions do not bind the superuser");
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    store.exec("drop table tb_retfile");
    store.close();
    QVERIFY(QFile::setPermissions(store.dbFile(), QFile::ReadOwner));
    QVERIFY(store.open() != 0);
    QVERIFY(!store.manager().isOpen());
}

void TestSqliteDBManager::schemaIsCreatedWholeOrNotAtAll()
{
    StoreFixture store;
    {
        QSqlDatabase raw = QSqlDatabase::addDatabase("QSQLITE", "raw_partial");
        raw.setDatabaseName(store.dbFile());
        QVERIFY(raw.open());
        QVERIFY(QSqlQuery(raw).exec("create table tb_history (id integer primary key, msg text)"));
        raw.close();
    }
    QSqlDatabase::removeDatabase("raw_partial");
    QCOMPARE(store.open(), int(CSqliteDBManager::OpenSchemaFailed));

    // The tables created before the failing statement were rolled back.
    QSqlDatabase raw = QSqlDatabase::addDatabase("QSQLITE", "raw_check");
    raw.setDatabaseName(store.dbFile());
    QVERIFY(raw.open());
    QSqlQuery query(raw);
    QVERIFY(query.exec("select name from sqlite_master where name not like 'sqlite_%'"));
    QStringList names;
    while (query.next())
        names << query.value(0).toString();
    QCOMPARE(names, QStringList{"tb_history"});
    query = QSqlQuery();
    raw.close();
    raw = QSqlDatabase();
    QSqlDatabase::removeDatabase("raw_check");
}

void TestSqliteDBManager::textParameterRoundTrip_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("isPath");
    QTest::newRow("plain") << "Sunrise Tax Service" << 0;
    QTest::newRow("apostrophe and quotes") << "O'Brien \"&\" Sons; drop table tb_config" << 0;
    QTest::newRow("accents") << QString::fromUtf8("Équipe fiscale Québec") << 0;
    QTest::newRow("path") << "/home/user/Documents/vodarevivo/2024/data" << 1;
    QTest::newRow("empty") << "" << 0;
}

void TestSqliteDBManager::textParameterRoundTrip()
{
    QFETCH(QString, value);
    QFETCH(int, isPath);
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    const int id = store.manager().saveParameter("BusinessName", CString(value), isPath);
    QVERIFY(id > 0);

    QCOMPARE(store.open(), 0);
    CString read = "default";
    QCOMPARE(store.manager().readParameter("BusinessName", read, isPath), id);
    QCOMPARE(QString(read), isPath ? QDir::toNativeSeparators(value) : value);
    // Saving again changes that row, not adds one.
    QCOMPARE(store.manager().saveParameter("BusinessName", CString("other"), isPath), id);
    QCOMPARE(store.count("tb_config"), 1);
}

void TestSqliteDBManager::newestRowOfAKeyCounts()
{
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    store.exec("insert into tb_config (name, value) values ('FontSize', '12')");
    store.exec("insert into tb_config (name, value) values ('FontSize', '14')");
    int fontSize = 0;
    QCOMPARE(store.manager().readParameter("FontSize", fontSize), 2);
    QCOMPARE(fontSize, 14);

    QCOMPARE(store.manager().saveParameter("FontSize", 16), 2);
    QCOMPARE(store.column("select value from tb_config where name='FontSize' order by id"),
             (QStringList{"12", "16"}));
    QCOMPARE(store.manager().readParameter("FontSize", fontSize), 2);
    QCOMPARE(fontSize, 16);
}

void TestSqliteDBManager::spacesAroundValues()
{
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    store.exec("insert into tb_config (name, value) values ('Stored', ' 15 ')");
    int value = 0;
    QVERIFY(store.manager().readParameter("Stored", value) > 0);
    QCOMPARE(value, 15);

    QVERIFY(store.manager().saveParameter("Fresh", CString(" 15 ")) > 0);
    QCOMPARE(store.column("select value from tb_config where name='Fresh'"), QStringList{"15"});

    QVERIFY(store.manager().saveParameter("Stored", CString(" 17 ")) > 0);
    CString text;
    QVERIFY(store.manager().readParameter("Stored", text) > 0);
    QCOMPARE(QString(text), QStringLiteral("17"));
}

void TestSqliteDBManager::intParameter_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("expected");
    QTest::newRow("decimal") << "42" << 42;
    QTest::newRow("negative") << "-7" << -7;
    QTest::newRow("fraction truncates") << "12.9" << 12;
    QTest::newRow("negative fraction toward zero") << "-3.7" << -3;
    QTest::newRow("not a number") << "abc" << 0;
    QTest::newRow("too large") << "1e30" << INT_MAX;
}

void TestSqliteDBManager::intParameter()
{
    QFETCH(QString, stored);
    QFETCH(int, expected);
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    store.exec("insert into tb_config (name, value) values ('LeftPaneSize', ?)", {stored});
    int value = 99;
    QVERIFY(store.manager().readParameter("LeftPaneSize", value) > 0);
    QCOMPARE(value, expected);

    QVERIFY(store.manager().saveParameter("SaveBackup", -12) > 0);
    QCOMPARE(store.column("select value from tb_config where name='SaveBackup'"), QStringList{"-12"});
}

void TestSqliteDBManager::boolParameter_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("expected");
    QTest::newRow("0") << "0" << false;
    QTest::newRow("1") << "1" << true;
    QTest::newRow("2") << "2" << true;
}

void TestSqliteDBManager::boolParameter()
{
    QFETCH(QString, stored);
    QFETCH(bool, expected);
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    store.exec("insert into tb_config (name, value) values ('FilingReport', ?)", {stored});
    bool value = !expected;
    QVERIFY(store.manager().readParameter("FilingReport", value) > 0);
    QCOMPARE(value, expected);
}

void TestSqliteDBManager::savedBoolsAndLiterals()
{
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    QVERIFY(store.manager().saveParameter("FilingReport", false) > 0);
    QVERIFY(store.manager().saveParameter("CustomizedClientLetter", true) > 0);
    // A string literal is text, not a truth value.
    QVERIFY(store.manager().saveParameter("ShowRelMsg", "2024.1") > 0);
    QCOMPARE(store.column("select value from tb_config order by id"), (QStringList{"0", "1", "2024.1"}));
}

void TestSqliteDBManager::absentOrFailedReadLeavesTheValue()
{
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    CString text = "keep";
    int number = 5;
    bool flag = true;
    QCOMPARE(store.manager().readParameter("Absent", text), 0);
    QCOMPARE(store.manager().readParameter("Absent", number), 0);
    QCOMPARE(store.manager().readParameter("Absent", flag), 0);
    QCOMPARE(QString(text), QStringLiteral("keep"));
    QCOMPARE(number, 5);
    QCOMPARE(flag, true);

    store.exec("drop table tb_config");
    QCOMPARE(store.manager().readParameter("Absent", number), int(CSqliteDBManager::DbFailed));
    QCOMPARE(number, 5);
    QCOMPARE(store.manager().saveParameter("Absent", 1), int(CSqliteDBManager::DbFailed));
}

void TestSqliteDBManager::workerConnectionsWriteAlongsideTheMainOne()
{
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    const QString file = store.manager().filePath();
    constexpr int kRows = 40;

    auto worker = [&file](int uid, QString* name, bool* ok) {
        CExtraDBConnection connection(file);
        *name = connection.connectionName();
        *ok = connection.isOpen();
        for (int i = 0; i < kRows && *ok; ++i) {
            // One stored record per taxpayer: the old one goes with the new one.
            QSqlDatabase& db = connection.db();
            *ok = db.transaction();
            QSqlQuery del(db);
            del.prepare("delete from tb_taxdata where uid=?");
            del.addBindValue(uid);
            QSqlQuery ins(db);
            ins.prepare("insert into tb_taxdata (uid, data1, taxyear) values (?, ?, 2024)");
            ins.addBindValue(uid);
            ins.addBindValue(QString::number(i));
            *ok = *ok && del.exec() && ins.exec() && db.commit();
        }
    };
    QString name1, name2;
    bool ok1 = false, ok2 = false;
    std::thread first(worker, 1, &name1, &ok1);
    std::thread second(worker, 2, &name2, &ok2);
    for (int i = 0; i < kRows; ++i)
        QVERIFY(store.manager().saveParameter("FontSize", i) > 0);
    first.join();
    second.join();

    QVERIFY(ok1);
    QVERIFY(ok2);
    QVERIFY(name1 != name2);
    QVERIFY(!QSqlDatabase::contains(name1));
    QCOMPARE(store.column("select uid || ':' || data1 from tb_taxdata order by uid"),
             (QStringList{"1:39", "2:39"}));
    int fontSize = 0;
    store.manager().readParameter("FontSize", fontSize);
    QCOMPARE(fontSize, kRows - 1);
}

void TestSqliteDBManager::extraHandleOpensTheSameFile()
{
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    QVERIFY(store.manager().saveParameter("RetPath", CString("/data"), 1) > 0);
    {
        QSqlDatabase extra = QSqlDatabase::addDatabase("QSQLITE", "extra_handle_test");
        QVERIFY(store.manager().openExtraDBHandle(extra));
        QSqlQuery query(extra);
        QVERIFY(query.exec("select value from tb_config where name='RetPath'"));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toString(), QStringLiteral("/data"));
        query = QSqlQuery();
        CSqliteDBManager::closeExtraDBHandle(extra);
        QVERIFY(!extra.isOpen());
        // The name goes with it, so a later worker can use it again.
        QVERIFY(!QSqlDatabase::contains("extra_handle_test"));
    }
    QSqlDatabase::removeDatabase("extra_handle_test");

    // A manager with no database gives no connection, and says so.
    CSqliteDBManager closed(QStringLiteral("extra_handle_closed"));
    QSqlDatabase unopened = QSqlDatabase::addDatabase("QSQLITE", "extra_handle_unopened");
    QVERIFY(!closed.openExtraDBHandle(unopened));
    CSqliteDBManager::closeExtraDBHandle(unopened);
    QVERIFY(!QSqlDatabase::contains("extra_handle_unopened"));
}

QTEST_GUILESS_MAIN(TestSqliteDBManager)
#include "tst_sqlitedbmanager.moc"
