// The filing commands as the filing folder publishes them, run headless on a
// recording host: each reaches its road on the page, a road that writes in
// the run folder runs only when the folder can be made, and a host that is
// no filing host runs nothing.
#include <QtTest>

#include "common/scriptedprompter.h"
#include "filing/filingcommands.h"
#include "filing/filinghost.h"

#include <QTemporaryDir>

namespace {

class RecordingFilingHost : public QObject, public FilingHost
{
public:
    QStringList calls;
    void UnsetReFile() override { calls << "UnsetReFile"; }
    void OnFileCreateElectronFile() override { calls << "OnFileCreateElectronFile"; }
    int OnFileT1135() override
    {
        calls << "OnFileT1135";
        return 0;
    }
    void OnPrepareReFile() override { calls << "OnPrepareReFile"; }
};

const FeatureCommand* findCommand(const FeatureCommands& commands, const QString& id)
{
    for (const FeatureCommand& command : commands) {
        if (id == QLatin1String(command.id))
            return &command;
    }
    return nullptr;
}

const QString kRunFolderRefused =
    "DirErad/EFile cannot be created and saved into the folder, please check firewall and anti-virus software "
    "settings to unblock voDarevivo.";

} // namespace

class TestFilingCommands : public QObject
{
    Q_OBJECT
private slots:
    void commandReachesItsRoad_data();
    void commandReachesItsRoad();
    void hostWithoutFilingRunsNothing();
};

void TestFilingCommands::commandReachesItsRoad_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<bool>("runFolderBlocked");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QStringList>("messages");
    const QStringList none;
    QTest::newRow("DIRERAD") << "actionInternetFiling" << false << QStringList{"OnFileCreateElectronFile"} << none;
    QTest::newRow("DIRERAD, no run folder") << "actionInternetFiling" << true << none << QStringList{kRunFolderRefused};
    QTest::newRow("T1135") << "actionFile_T1135_Online" << false << QStringList{"OnFileT1135"} << none;
    QTest::newRow("T1135, no run folder") << "actionFile_T1135_Online" << true << none << QStringList{kRunFolderRefused};
    QTest::newRow("ReFILE set-up") << "actionSet_Return_for_ReFile" << false << QStringList{"OnPrepareReFile"} << none;
    QTest::newRow("ReFILE set-up, no run folder")
        << "actionSet_Return_for_ReFile" << true << none << QStringList{kRunFolderRefused};
    // The reset writes nothing in the run folder.
    QTest::newRow("ReFILE reset, no run folder")
        << "actionUn_set_Return_for_ReFile" << true << QStringList{"UnsetReFile"} << none;
    QTest::newRow("E-Auth, not offered") << "actionSubmit_E_Auth_former_T1013" << false << none << none;
    QTest::newRow("PAD, not offered") << "actionSubmit_PAD_Pre_authorized_Debit" << false << none << none;
}

void TestFilingCommands::commandReachesItsRoad()
{
    QFETCH(QString, id);
    QFETCH(bool, runFolderBlocked);
    QFETCH(QStringList, calls);
    QFETCH(QStringList, messages);
    QTemporaryDir home;
    QFile blocker(home.filePath("blocker"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    const FeatureCommands commands = filingCommands();
    const FeatureCommand* command = findCommand(commands, id);
    QVERIFY(command);
    QVERIFY(command->onReturn);
    ScriptedPrompter prompter;
    RecordingFilingHost host;
    FeatureContext context;
    context.prompter = &prompter;
    context.host = &host;
    context.edition = 2;
    // A folder below a plain file cannot be made.
    context.settings.runFolder = runFolderBlocked ? home.filePath("blocker/run") : home.filePath("run");
    command->run(context);

    QCOMPARE(host.calls, calls);
    QStringList shown;
    for (const PromptRecord& record : prompter.records())
        shown << record.texts.join("\n");
    QCOMPARE(shown, messages);
}

void TestFilingCommands::hostWithoutFilingRunsNothing()
{
    QTemporaryDir home;
    ScriptedPrompter prompter;
    QObject notAPage;
    FeatureContext context;
    context.prompter = &prompter;
    context.host = &notAPage;
    context.settings.runFolder = home.filePath("run");
    for (const FeatureCommand& command : filingCommands())
        command.run(context);
    QVERIFY(prompter.records().isEmpty());
}

QTEST_GUILESS_MAIN(TestFilingCommands)
#include "tst_filingcommands.moc"
