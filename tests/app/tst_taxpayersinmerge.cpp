#include "storefixture.h"

#include <QtTest>

// A database written before S.I.N.s were unique is brought to one taxpayer
// row per S.I.N. when it is opened, and nothing that pointed at a taxpayer
// is lost.
class TestTaxpayerSinMerge : public QObject
{
    Q_OBJECT
private slots:
    void duplicatesBecomeTheLowestRow();
    void emptySinsStayApart();
    void uniqueSinRefusesASecondRow();

private:
    // Opens a new database and takes away the unique index, as an older
    // program left the file.
    static void openAsOlderFile(StoreFixture& store)
    {
        QCOMPARE(store.open(), 0);
        store.exec("drop index idx_tb_taxpayers_sin_unique");
    }
};

void TestTaxpayerSinMerge::duplicatesBecomeTheLowestRow()
{
    StoreFixture store;
    openAsOlderFile(store);
    store.exec("insert into tb_taxpayers (id, name, sin, phone, email) values (1, '', '046 454 286', '', '')");
    store.exec("insert into tb_taxpayers (id, name, sin, phone, email) values (2, 'Bob Roy', '130692544', '', '')");
    store.exec("insert into tb_taxpayers (id, name, sin, phone, email) values (3, 'Ann', '046454286', '555-0100', '')");
    store.exec("insert into tb_taxpayers (id, name, sin, phone, email) values (4, 'Ann Lee', '046-454-286', '', 'a@x.ca')");
    store.exec("insert into tb_taxdata (uid, data1, taxyear) values (3, 'afr', 2024)");
    store.exec("insert into tb_taxnoa (uid, data1, taxyear) values (4, 'noa', 2024)");
    store.exec("insert into tb_taxnoa (uid, data1, taxyear) values (2, 'bob', 2024)");
    store.exec("insert into tb_history (uid, eventid, msg) values (4, 1018, 'status')");
    store.exec("insert into tb_retfile (name1, uid1, uid2, filepath) values ('Ann Lee', 2, 4, '/r/a.r24')");

    QCOMPARE(store.open(), 0);

    QCOMPARE(store.column("select id || '|' || name || '|' || sin || '|' || phone || '|' || email "
                          "from tb_taxpayers order by id"),
             (QStringList{"1|Ann Lee|046454286|555-0100|a@x.ca", "2|Bob Roy|130692544||"}));
    QCOMPARE(store.column("select uid || ':' || data1 from tb_taxdata"), QStringList{"1:afr"});
    QCOMPARE(store.column("select uid || ':' || data1 from tb_taxnoa order by data1"),
             (QStringList{"2:bob", "1:noa"}));
    QCOMPARE(store.column("select uid from tb_history"), QStringList{"1"});
    QCOMPARE(store.column("select uid1 || ',' || uid2 from tb_retfile"), QStringList{"2,1"});
    QCOMPARE(store.column("select count(*) from sqlite_master where name='idx_tb_taxpayers_sin_unique'"),
             QStringList{"1"});
}

void TestTaxpayerSinMerge::emptySinsStayApart()
{
    StoreFixture store;
    openAsOlderFile(store);
    store.exec("insert into tb_taxpayers (name, sin) values ('First', '')");
    store.exec("insert into tb_taxpayers (name, sin) values ('Second', ' ')");
    store.exec("insert into tb_taxpayers (name, sin) values ('Third', NULL)");

    QCOMPARE(store.open(), 0);
    QCOMPARE(store.column("select name || '|' || ifnull(sin, '<null>') from tb_taxpayers order by id"),
             (QStringList{"First|<null>", "Second|<null>", "Third|<null>"}));
}

void TestTaxpayerSinMerge::uniqueSinRefusesASecondRow()
{
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    store.exec("insert into tb_taxpayers (name, sin) values ('Ann', '046454286')");
    QSqlQuery second(store.db());
    QVERIFY(!second.exec("insert into tb_taxpayers (name, sin) values ('Other', '046454286')"));
    QCOMPARE(store.count("tb_taxpayers"), 1);
}

QTEST_GUILESS_MAIN(TestTaxpayerSinMerge)
#include "tst_taxpayersinmerge.moc"
