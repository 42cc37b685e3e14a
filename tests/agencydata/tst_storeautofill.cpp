#include "storefixture.h"

#include "agencydata/records/tddtaxdataoneperson.h"
#include "agencydata/tddstore.h"

#include <QtTest>

namespace {

const std::string kItem2024 = "<IndividualIncomeTaxDataItem><IndividualTaxpayerIdentifier>x</IndividualTaxpayerIdentifier>"
                              "<Remark>2024</Remark></IndividualIncomeTaxDataItem>";
const std::string kItem2023 = "<IndividualIncomeTaxDataItem><Remark>2023</Remark></IndividualIncomeTaxDataItem>";

int save(AgencyStoreFixture& store, const std::string& sin, int year, const std::string& item)
{
    TDDTaxDataOnePerson record(year);
    return record.saveToSqliteDB(store.worker(), store.log(), sin, item);
}

} // namespace

class TestStoreAutoFill : public QObject
{
    Q_OBJECT
private slots:
    void firstSaveAddsTheTaxpayerAndLogsEachStep();
    void laterSaveReplacesTheRecordWhateverTheYear();
    void writtenFormsOfOneSinFindOneTaxpayer_data();
    void writtenFormsOfOneSinFindOneTaxpayer();
    void failedInsertKeepsTheEarlierRecord();
    void failedTaxpayerRowStoresNothing();
    void sinThatIsNotNineDigitsIsRefused();
    void logLinesNeverHoldASin();
};

void TestStoreAutoFill::firstSaveAddsTheTaxpayerAndLogsEachStep()
{
    AgencyStoreFixture store;
    QCOMPARE(save(store, "046454286", 2024, kItem2024), 1);

    QCOMPARE(store.logLines(), (QStringList{"cannot locate id=0", "save into id=1", "save into db=2"}));
    QCOMPARE(store.column("select id || '|' || name || '|' || sin from tb_taxpayers"), QStringList{"1||046454286"});
    QCOMPARE(store.column("select uid || '|' || taxyear || '|' || data1 from tb_taxdata"),
             QStringList{"1|2024|" + QString::fromStdString(kItem2024)});
    // The report is stored beside the item, headed with the taxpayer.
    const QStringList html = store.column("select html1 from tb_taxdata");
    QCOMPARE(html.size(), 1);
    QVERIFY(html.first().contains("046454286"));
    QVERIFY(html.first().contains("Summary"));
    QVERIFY(!store.column("select create_time from tb_taxdata").first().isEmpty());
}

void TestStoreAutoFill::laterSaveReplacesTheRecordWhateverTheYear()
{
    AgencyStoreFixture store;
    QCOMPARE(save(store, "046454286", 2024, kItem2024), 1);
    QCOMPARE(save(store, "046454286", 2023, kItem2023), 1);

    QCOMPARE(store.column("select uid || '|' || taxyear || '|' || data1 from tb_taxdata"),
             QStringList{"1|2023|" + QString::fromStdString(kItem2023)});
    QCOMPARE(store.count("tb_taxpayers"), 1);
    // The second save found the taxpayer: no "cannot locate" this time.
    QCOMPARE(store.logLines().mid(3), (QStringList{"save into id=1", "save into db=2"}));
}

void TestStoreAutoFill::writtenFormsOfOneSinFindOneTaxpayer_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("spaces") << "046454286" << "046 454 286";
    QTest::newRow("dashes first") << "046-454-286" << "046454286";
}

void TestStoreAutoFill::writtenFormsOfOneSinFindOneTaxpayer()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    AgencyStoreFixture store;
    QCOMPARE(save(store, first.toStdString(), 2024, kItem2024), 1);
    QCOMPARE(locateIDForSIN(store.worker(), second.toUtf8().constData()), 1);
    QCOMPARE(save(store, second.toStdString(), 2024, kItem2023), 1);

    QCOMPARE(store.column("select sin from tb_taxpayers"), QStringList{"046454286"});
    QCOMPARE(store.column("select uid || '|' || data1 from tb_taxdata"),
             QStringList{"1|" + QString::fromStdString(kItem2023)});
}

void TestStoreAutoFill::failedInsertKeepsTheEarlierRecord()
{
    AgencyStoreFixture store;
    QCOMPARE(save(store, "046454286", 2024, kItem2024), 1);
    store.exec("create trigger refuse_taxdata before insert on tb_taxdata "
               "begin select raise(abort, 'refused by the test'); end");

    QCOMPARE(save(store, "046454286", 2023, kItem2023), 0);

    QCOMPARE(store.column("select uid || '|' || taxyear || '|' || data1 from tb_taxdata"),
             QStringList{"1|2024|" + QString::fromStdString(kItem2024)});
    QCOMPARE(store.logLines().last(), QStringLiteral("failed to save into db"));
    // The connection is usable again: nothing was left half-done.
    store.exec("drop trigger refuse_taxdata");
    QCOMPARE(save(store, "046454286", 2023, kItem2023), 1);
}

void TestStoreAutoFill::failedTaxpayerRowStoresNothing()
{
    AgencyStoreFixture store;
    store.exec("create trigger refuse_taxpayer before insert on tb_taxpayers "
               "begin select raise(abort, 'refused by the test'); end");

    QCOMPARE(save(store, "046454286", 2024, kItem2024), 0);

    QCOMPARE(store.count("tb_taxdata"), 0);
    QCOMPARE(store.count("tb_taxpayers"), 0);
    QCOMPARE(store.logLines(), (QStringList{"cannot locate id=0", "failed to save into db"}));
}

void TestStoreAutoFill::sinThatIsNotNineDigitsIsRefused()
{
    AgencyStoreFixture store;
    QCOMPARE(save(store, "04645428", 2024, kItem2024), 0);
    QCOMPARE(save(store, "04645428X", 2024, kItem2024), 0);
    QCOMPARE(saveSINReturnID(store.worker(), "0464542861"), 0);
    QCOMPARE(store.count("tb_taxpayers"), 0);
    QCOMPARE(store.count("tb_taxdata"), 0);
}

void TestStoreAutoFill::logLinesNeverHoldASin()
{
    AgencyStoreFixture store;
    writeStoreLog(store.log(), "skipping %d (%s)\n", 2, "046454286");
    writeStoreLog(store.log(), "save %d (%s)\n", 3, "046 454 286");
    QCOMPARE(store.logLines(), (QStringList{"skipping 2 (xxxxx4286)", "save 3 (xxxxx4286)"}));
}

QTEST_GUILESS_MAIN(TestStoreAutoFill)
#include "tst_storeautofill.moc"
