// The filing service on its own: no window and no page, the model and a
// context with a scripted prompter. Until filing is built its commands tell
// the user so and its operations report that nothing was filed.
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
        QTest::newRow("T1135") << Command(&FilingService::fileT1135) << "Filing form T1135 online";
        QTest::newRow("ReFile") << Command(&FilingService::prepareReFile) << "Setting a return for ReFile";
        QTest::newRow("un-ReFile") << Command(&FilingService::unsetReFile) << "Un-setting a return for ReFile";
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

    void operationsReportThatNothingWasFiled()
    {
        FeatureContextFixture f;
        FilingService service(f.context);
        QVERIFY(!service.isEligibleForReFile());
        QCOMPARE(service.validateTaxForm(1, ENUMTYPE_FORM(1)), 0);
        QVERIFY(f.prompter.records().isEmpty());
    }

    // With no prompter in the context the installed one is asked.
    void theInstalledPrompterIsTheDefault()
    {
        ScriptedPrompter installed;
        FilingService(FeatureContext()).fileT1135();
        QCOMPARE(installed.records().size(), 1);
        QCOMPARE(installed.records().front().texts, QStringList{"Filing form T1135 online is not available yet."});
        QVERIFY(!installed.records().front().hadParent);
    }
};

QTEST_GUILESS_MAIN(TestFilingService)
#include "tst_filingservice.moc"
