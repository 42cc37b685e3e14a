// The agency-data service on its own, and the model's auto-fill over the
// shared records: no window, a context with a scripted prompter.
#include <QtTest>

#include <functional>

#include "agencydata/agencydataservice.h"
#include "agencydata/records/dataafr.h"
#include "agencydata/records/tddtaxdataoneperson.h"
#include "common/featurecontextfixture.h"
#include "model/cfamilytaxdata.h"
#include "model/individualtaxdata.h"

using Command = std::function<void(AgencyDataService&)>;
Q_DECLARE_METATYPE(Command)

class TestAgencyDataService : public QObject
{
    Q_OBJECT
private slots:
    void commandsSayTheyAreNotAvailable_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<QString>("feature");
        QTest::newRow("auto-fill") << Command(&AgencyDataService::autoFill) << "Auto-fill";
        QTest::newRow("Express NOA") << Command(&AgencyDataService::expressNoa) << "Express NOA";
    }

    void commandsSayTheyAreNotAvailable()
    {
        QFETCH(Command, command);
        QFETCH(QString, feature);
        FeatureContextFixture f;
        AgencyDataService service(f.context);
        command(service);
        f.verifyTold(feature);
    }

    // No record can be applied yet: the person's return is left as it was
    // and says so; the family still answers 0, as its callers expect.
    void autoFillLeavesTheReturnAsItWas()
    {
        CFamilyTaxData family;
        TDDTaxDataOnePerson record(2024);
        DataAFR options;
        IndividualTaxData* person = family.getCurIndvTaxData();
        QVERIFY(person);
        const int formsBefore = int(person->m_formList.size());
        QCOMPARE(person->AutoFillReturn(record, &options), IndividualTaxData::kAutoFillNotApplied);
        QCOMPARE(family.AutoFillReturn(record, &options), 0);
        QCOMPARE(int(person->m_formList.size()), formsBefore);
    }

    void optionsAllowTickedItemsOnly()
    {
        DataAFR options;
        QVERIFY(options.allows(0));
        QVERIFY(options.allows(DataAFR::kItemCount - 1));
        options.setTakesEverything(false);
        QVERIFY(!options.allows(3));
        options.setTicked(3, true);
        QVERIFY(options.allows(3));
        QVERIFY(!options.allows(4));
        QVERIFY(!options.allows(-1));
        QVERIFY(!options.allows(DataAFR::kItemCount));
    }
};

QTEST_GUILESS_MAIN(TestAgencyDataService)
#include "tst_agencydataservice.moc"
