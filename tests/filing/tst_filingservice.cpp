// The filing service on its own: no window and no page, the model and a
// context with a scripted prompter. A command whose road is not handed to
// it tells the user it is not available; the others work on the model.
#include <QtTest>

#include <functional>

#include "common/featurecontextfixture.h"
#include "filing/filingservice.h"
#include "model/cfamilytaxdata.h"

using Command = std::function<void(FilingService&)>;
Q_DECLARE_METATYPE(Command)

class TestFilingService : public QObject
{
    Q_OBJECT
private slots:
    void commandsSayTheyAreNotAvailable_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<QString>("feature");
        QTest::newRow("file online") << Command(&FilingService::createElectronicFile) << "Filing a return online";
    }

    void commandsSayTheyAreNotAvailable()
    {
        QFETCH(Command, command);
        QFETCH(QString, feature);
        FeatureContextFixture f;
        CFamilyTaxData family;
        f.context.family = &family;
        FilingService service(f.context);
        command(service);
        f.verifyTold(feature);
        QVERIFY(!f.saveAsked); // nothing is filed, so nothing needs saving
    }

    // Without an open return nothing can be refiled, and nothing is said.
    void noReturnIsNotEligibleForReFile()
    {
        FeatureContextFixture f;
        FilingService service(f.context);
        QVERIFY(!service.isEligibleForReFile());
        QVERIFY(f.prompter.records().isEmpty());
    }

    // With no prompter in the context the installed one is asked.
    void theInstalledPrompterIsTheDefault()
    {
        ScriptedPrompter installed;
        FilingService(FeatureContext()).createElectronicFile();
        QCOMPARE(installed.records().size(), 1);
        QCOMPARE(installed.records().front().texts, QStringList{"Filing a return online is not available yet."});
        QVERIFY(!installed.records().front().hadParent);
    }
};

QTEST_GUILESS_MAIN(TestFilingService)
#include "tst_filingservice.moc"
