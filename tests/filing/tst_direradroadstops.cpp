// The DIRERAD road without a window: where it stops before anything is
// offered for sending (the filing host, the electronic return that could
// not be built) and what it tells the user on the way (a test run's note on
// the direct deposit form). The page's validation is a stand-in here, so
// the road's own steps are what is looked at.
#include <QtTest>

#include <QTemporaryDir>

#include "common/featurecontextfixture.h"
#include "companion/forms/fieldchoices.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "efilefixture.h"
#include "filing/direradroad.h"
#include "model/cfamilytaxdata.h"
#include "model/filingtestmode.h"
#include "model/individualtaxdata.h"

namespace {

// Records what the road hands to the submission dialog; sends nothing.
class RecordingDialogs : public DireradRoadDialogs
{
public:
    int submitted = 0;
    QString name;
    QString xml;

    int askOnlineMailSignup(QWidget*) override { return NotNow; }
    DireradSubmissionResult submit(const DireradSubmissionRequest& request) override
    {
        ++submitted;
        name = request.name;
        xml = request.xml ? QString(*request.xml) : QString();
        return DireradSubmissionResult();
    }
};

// Jean Tremblay of Ottawa with everything the agency asks of a T1.
struct Jean
{
    CFamilyTaxData family;
    Jean() { efilefixture::newFilableJean(family); }
    TaxData_T1New& t1() { return *family.getTaxpayer()->GetT1(); }
};

using Change = std::function<void(Jean&)>;

QStringList shown(const ScriptedPrompter& prompter)
{
    QStringList texts;
    for (const PromptRecord& record : prompter.records())
        texts << record.texts.join(QLatin1Char('\n'));
    return texts;
}

} // namespace

Q_DECLARE_METATYPE(Change)

class TestDireradRoadStops : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { setFilingTestMode(false); }
    void roadSteps_data();
    void roadSteps();
};

void TestDireradRoadStops::roadSteps_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<Change>("change");
    QTest::addColumn<QString>("told"); // the start of a message shown
    QTest::addColumn<bool>("offered");      // handed to the submission dialog
    const QString notConfigured = "The agency's filing host is not configured: set DIRERADSERVER in gr_path.ini.";
    const Change none = [](Jean&) {};

    QTest::newRow("no host") << "" << none << notConfigured << false;
    QTest::newRow("the program's default host") << "certtest.taxagency.example" << none << notConfigured << false;
    QTest::newRow("a default host with a port") << "apps.taxagency.EXAMPLE:443" << none << notConfigured << false;
    // A person without a T1 (which the page's validation, a stand-in
    // here, lets through): the builder has nothing to write and says so,
    // and the road stops with its reason.
    QTest::newRow("return that cannot be built")
        << "127.0.0.1:9" << Change([](Jean& j) { j.family.getTaxpayer()->RemoveFormData(&j.t1(), true); })
        << "The electronic return could not be built: the person has no T1." << false;
    // A test run files without the direct deposit form, and says so.
    QTest::newRow("test run with a direct deposit form")
        << "127.0.0.1:9" << Change([](Jean& j) {
               setFilingTestMode(true);
               QVERIFY(j.family.getTaxpayer()->GetFormData(FORM_T1DD, true));
           })
        << "Direrad will skip T1DD form." << true;
    // Nothing refused: the multi-year question is asked.
    QTest::newRow("complete return") << "127.0.0.1:9" << none << "<h3>DirErad accepts the current year (2024)"
                                     << true;
}

void TestDireradRoadStops::roadSteps()
{
    const QString notConfigured = "The agency's filing host is not configured: set DIRERADSERVER in gr_path.ini.";
    QFETCH(QString, host);
    QFETCH(Change, change);
    QFETCH(QString, told);
    QFETCH(bool, offered);

    Jean jean;
    change(jean);
    QTemporaryDir runFolder;
    FeatureContextFixture f;
    f.context.family = &jean.family;
    QList<int> events;
    int validated = 0;
    DireradRoadEnvironment env;
    env.submission.exchange.direradHost = host;
    env.submission.exchange.testMode = true; // no season check
    env.runFolder = runFolder.path();
    env.noWarningMsg = true;
    env.validateReturn = [&validated] {
        ++validated;
        return 0;
    };
    env.findTaxpayer = [](const CString&, const CString&) { return 7; };
    env.saveHistoryEvent = [&events](int uid, int event, const CString&) {
        events << uid * 10000 + event;
        return true;
    };
    RecordingDialogs dialogs;

    DireradRoad(f.context, env, dialogs).run();

    const QStringList texts = shown(f.prompter);
    bool wasTold = false;
    for (const QString& text : texts)
        wasTold = wasTold || text.startsWith(told);
    QVERIFY2(wasTold, qPrintable(texts.join("\n|")));
    QCOMPARE(dialogs.submitted, offered ? 1 : 0);
    // The history event of the filing is written only for a return offered
    // for sending: uid 7, event 1018.
    QCOMPARE(events, offered ? QList<int>{71018} : QList<int>{});
    if (told == notConfigured) {
        // The road's first step: nothing else was looked at or asked.
        QCOMPARE(texts.size(), 1);
        QCOMPARE(validated, 0);
    }
    if (offered) {
        // The return keeps its name elements empty; the request carries the
        // name the road hands on.
        QCOMPARE(dialogs.name, QStringLiteral("Jean Tremblay"));
        const efilefixture::ParsedDocument doc = efilefixture::parse(dialogs.xml);
        QVERIFY(doc.wellFormed);
        QVERIFY(doc.has("comm:GivenName"));
        QCOMPARE(doc.text("comm:GivenName"), QString());
        QCOMPARE(doc.text("comm:FamilyName"), QString());
        QCOMPARE(doc.text("comm:AddressPostalCode"), QStringLiteral("K1A0A6"));
    }
    // No test-mode copy of the return is left behind on any way out.
    QCOMPARE(QDir(runFolder.path()).entryList(QDir::Files), QStringList());
}

QTEST_GUILESS_MAIN(TestDireradRoadStops)
#include "tst_direradroadstops.moc"
