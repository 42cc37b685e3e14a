// The agency-data service on its own: no window, a context with a scripted
// prompter.
#include <QtTest>

#include <functional>

#include "agencydata/agencydataservice.h"
#include "common/featurecontextfixture.h"

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
};

QTEST_GUILESS_MAIN(TestAgencyDataService)
#include "tst_agencydataservice.moc"
