#include "storefixture.h"

#include "app/BasicEvent.h"
#include "companion/core/sincheck.h"

#include <QtTest>

class TestBasicEvent : public QObject
{
    Q_OBJECT
private slots:
    void twoFilingsOfOneSinLeaveOneTaxpayerAndOneEvent();
    void emptyTextsKeepWhatIsStored();
    void duplicateRowsOfASinBecomeOneThatReceivesTheName();
    void sinIsComparedByItsDigits_data();
    void sinIsComparedByItsDigits();
    void emptySinWritesNothing();

    void replaceIsPerTaxpayer();
    void withoutTaxpayerNothingIsReplaced();
    void withoutReplaceEveryCallAddsARow();
    void timeIsStoredWhenAsked();
    void failedInsertKeepsTheEarlierEvent();
    void encodedTextAndNegativeUid();
};

void TestBasicEvent::twoFilingsOfOneSinLeaveOneTaxpayerAndOneEvent()
{
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    QSqlDatabase& db = store.db();

    const int uid = CBasicEvent::findUserIDAndUpdateUser(db, "046454286", "Ann Lee", "", "");
    QVERIFY(uid > 0);
    QVERIFY(CBasicEvent::saveUniqueEvent(db, uid, HISTORY_FILING_STATUS, "Not filed", false, false, true) > 0);
    QCOMPARE(store.column("select name || '|' || sin || '|' || phone || '|' || email from tb_taxpayers"),
             QStringList{"Ann Lee|046454286||"});

    QCOMPARE(CBasicEvent::findUserIDAndUpdateUser(db, "046454286", "Ann Marie Lee", "", ""), uid);
    QVERIFY(CBasicEvent::saveUniqueEvent(db, uid, HISTORY_FILING_STATUS, "Ready to file", false, false, true) > 0);

    QCOMPARE(store.column("select name from tb_taxpayers"), QStringList{"Ann Marie Lee"});
    QCOMPARE(store.column("select msg from tb_history where uid=? and eventid=1018", {uid}),
             QStringList{"Ready to file"});
    QCOMPARE(store.column("select event_time from tb_history"), QStringList{"<null>"});
}

void TestBasicEvent::emptyTextsKeepWhatIsStored()
{
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    QSqlDatabase& db = store.db();
    const int uid = CBasicEvent::findUserIDAndUpdateUser(db, "046454286", "Ann Lee", "416-555-0100", "ann@example.com");
    QCOMPARE(CBasicEvent::findUserIDAndUpdateUser(db, "046454286", "", "", ""), uid);
    QCOMPARE(store.column("select name || '|' || phone || '|' || email from tb_taxpayers"),
             QStringList{"Ann Lee|416-555-0100|ann@example.com"});
    QCOMPARE(CBasicEvent::findUserIDAndUpdateUser(db, "046454286", "Ann Lee", "", "lee@example.com"), uid);
    QCOMPARE(store.column("select phone || '|' || email from tb_taxpayers"),
             QStringList{"416-555-0100|lee@example.com"});
}

void TestBasicEvent::duplicateRowsOfASinBecomeOneThatReceivesTheName()
{
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    // A file written before S.I.N.s were unique, with two rows the agency-data
    // retrieval added without a name: opening it keeps the first row.
    store.exec("drop index idx_tb_taxpayers_sin_unique");
    store.exec("insert into tb_taxpayers (name, sin, phone, email) values ('', '046454286', '', '')");
    store.exec("insert into tb_taxpayers (name, sin, phone, email) values ('', '046454286', '', '')");
    QCOMPARE(store.open(), 0);
    QCOMPARE(CBasicEvent::findUserIDAndUpdateUser(store.db(), "046454286", "Ann Lee", "", ""), 1);
    QCOMPARE(store.column("select name from tb_taxpayers order by id"), (QStringList{"Ann Lee"}));
    QCOMPARE(CBasicEvent::findUserID(store.db(), "046454286"), 1);
    QCOMPARE(CBasicEvent::findUserID(store.db(), "130692544"), 0);
}

void TestBasicEvent::sinIsComparedByItsDigits_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("given");
    QTest::addColumn<bool>("same");
    QTest::newRow("spaces") << "046 454 286" << "046454286" << true;
    QTest::newRow("dashes") << "046454286" << "046-454-286" << true;
    QTest::newRow("padding") << " 046454286 " << "046454286" << true;
    QTest::newRow("other digits") << "046454286" << "046454287" << false;
    QTest::newRow("not nine digits") << "04645428" << "046454286" << false;
}

void TestBasicEvent::sinIsComparedByItsDigits()
{
    QFETCH(QString, stored);
    QFETCH(QString, given);
    QFETCH(bool, same);
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    store.exec("insert into tb_taxpayers (name, sin) values ('Stored', ?)", {stored});
    const int uid = CBasicEvent::findUserIDAndUpdateUser(store.db(), CString(given), "Given", "", "");
    QCOMPARE(uid == 1, same);
    QCOMPARE(store.count("tb_taxpayers"), same ? 1 : 2);
    if (!same) // a new taxpayer is stored under the S.I.N.'s digits
        QCOMPARE(store.column("select sin from tb_taxpayers where id=?", {uid}),
                 QStringList{QString::fromStdString(normaliseSIN(given.toUtf8().constData()))});
}

void TestBasicEvent::emptySinWritesNothing()
{
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    QCOMPARE(CBasicEvent::findUserIDAndUpdateUser(store.db(), "  ", "Ann Lee", "", ""), 0);
    QCOMPARE(store.count("tb_taxpayers"), 0);
}

void TestBasicEvent::replaceIsPerTaxpayer()
{
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    QSqlDatabase& db = store.db();
    QVERIFY(CBasicEvent::saveUniqueEvent(db, 5, HISTORY_FILING_RESULT, "accepted 5", false, false, true) > 0);
    QVERIFY(CBasicEvent::saveUniqueEvent(db, 7, HISTORY_FILING_RESULT, "accepted 7", false, false, true) > 0);
    QVERIFY(CBasicEvent::saveUniqueEvent(db, 5, HISTORY_FILING_STATUS, "status 5", false, false, true) > 0);
    QVERIFY(CBasicEvent::saveUniqueEvent(db, 5, HISTORY_FILING_RESULT, "accepted again", false, false, true) > 0);
    QCOMPARE(store.column("select uid || ':' || eventid || ':' || msg from tb_history order by id"),
             (QStringList{"7:1019:accepted 7", "5:1018:status 5", "5:1019:accepted again"}));
}

void TestBasicEvent::withoutTaxpayerNothingIsReplaced()
{
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    QSqlDatabase& db = store.db();
    QVERIFY(CBasicEvent::saveUniqueEvent(db, 5, HISTORY_FILING_STATUS, "five", false, false, true) > 0);
    QVERIFY(CBasicEvent::saveUniqueEvent(db, 7, HISTORY_FILING_STATUS, "seven", false, false, true) > 0);
    QVERIFY(CBasicEvent::saveUniqueEvent(db, 0, HISTORY_FILING_STATUS, "nobody", false, false, true) > 0);
    QCOMPARE(store.column("select msg from tb_history order by id"), (QStringList{"five", "seven", "nobody"}));
}

void TestBasicEvent::withoutReplaceEveryCallAddsARow()
{
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    const int first = CBasicEvent::saveUniqueEvent(store.db(), 5, HISTORY_FILING_STATUS, "a", false, false, false);
    const int second = CBasicEvent::saveUniqueEvent(store.db(), 5, HISTORY_FILING_STATUS, "b", false, false, false);
    QVERIFY(first > 0);
    QCOMPARE(second, first + 1);
    QCOMPARE(store.count("tb_history"), 2);
}

void TestBasicEvent::timeIsStoredWhenAsked()
{
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    QVERIFY(CBasicEvent::saveUniqueEvent(store.db(), 5, HISTORY_FILING_STATUS, "a", false, true, true) > 0);
    const QString time = store.column("select event_time from tb_history").value(0);
    QVERIFY2(QRegularExpression("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$").match(time).hasMatch(), qPrintable(time));
}

void TestBasicEvent::failedInsertKeepsTheEarlierEvent()
{
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    QSqlDatabase& db = store.db();
    QVERIFY(CBasicEvent::saveUniqueEvent(db, 5, HISTORY_FILING_STATUS, "earlier", false, false, true) > 0);
    store.exec("create trigger refuse before insert on tb_history when new.msg='refused' "
               "begin select raise(abort, 'refused'); end");
    QCOMPARE(CBasicEvent::saveUniqueEvent(db, 5, HISTORY_FILING_STATUS, "refused", false, false, true),
             int(CBasicEvent::DbFailed));
    QCOMPARE(store.column("select msg from tb_history"), QStringList{"earlier"});
    // The connection is usable afterwards: no transaction was left open.
    QVERIFY(CBasicEvent::saveUniqueEvent(db, 5, HISTORY_FILING_STATUS, "later", false, false, true) > 0);
    QCOMPARE(store.column("select msg from tb_history"), QStringList{"later"});
}

void TestBasicEvent::encodedTextAndNegativeUid()
{
    StoreFixture store;
    QCOMPARE(store.open(), 0);
    QVERIFY(CBasicEvent::saveUniqueEvent(store.db(), 5, HISTORY_FILING_RESULT, QString::fromUtf8("reçu"), true, false, true) > 0);
    QCOMPARE(store.column("select msg from tb_history"), QStringList{QString::fromLatin1(QString::fromUtf8("reçu").toUtf8().toBase64())});
    // A failed taxpayer lookup does not turn into an event of nobody.
    QCOMPARE(CBasicEvent::saveUniqueEvent(store.db(), CBasicEvent::DbFailed, HISTORY_FILING_RESULT, "x", false, false, true),
             int(CBasicEvent::DbFailed));
    QCOMPARE(store.count("tb_history"), 1);
}

QTEST_GUILESS_MAIN(TestBasicEvent)
#include "tst_basicevent.moc"
