#include <QtTest>

#include "app/promptrecorder.h"
#include "common/testhome.h"
#include "model/cfamilytaxdata.h"

#include <QProcess>

#include <csignal>
#include <unistd.h>

// The built program run as a child process with its own home, as a user
// starts it: refused starts, a second copy, a killed first copy, and the
// run log and folders of a normal start. The child records its messages
// through the prompt recorder instead of showing them.
class TestProgram : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void unwritableDocuments_data();
    void unwritableDocuments();
    void normalStartWritesRunLog();
    void debugLinesOnlyInTheTestRunLog_data();
    void debugLinesOnlyInTheTestRunLog();
    void secondStartIsRefused();
    void secondStartAllowedByConfig();
    void startAfterKilledInstance();
    void printResultModeTakesNoGuard();
    void printResultModeNeedsNoDisplay();
    void printResultRunsWithoutAUsableDatabase();

private:
    struct Child
    {
        std::unique_ptr<QProcess> process = std::make_unique<QProcess>();
        QString records;
    };

    QString program() const;
    QString docPath() const { return m_home->path() + "/Documents/vodarevivo/2024"; }
    QString runLog() const { return docPath() + "/run/log2024.txt"; }
    // Starts the program; records go to a file of their own per child.
    // Without a display: no DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM.
    // captureOutput: the child's standard output and error are kept for the
    // test, with every message category Qt has turned on.
    Child* launch(const QStringList& arguments = {}, bool withDisplay = true, bool captureOutput = false);
    // Waits until the child holds the single-instance lock.
    bool waitUntilRunning(Child* child);
    void writeConfig(const QByteArray& text);
    static QStringList lines(const QString& path);

    std::unique_ptr<TestHome> m_home;
    std::vector<std::unique_ptr<Child>> m_children;
};

void TestProgram::init()
{
    m_home = std::make_unique<TestHome>();
    QVERIFY(m_home->isValid());
    QVERIFY2(QFileInfo(program()).isExecutable(), qPrintable("program not built: " + program()));
}

void TestProgram::cleanup()
{
    for (auto& child : m_children) {
        if (child->process->state() != QProcess::NotRunning) {
            child->process->kill();
            child->process->waitForFinished();
        }
    }
    m_children.clear();
    // Undo what a case did to make the home unwritable, so it can be removed.
    QFile::setPermissions(m_home->path() + "/Documents", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_home.reset();
}

QString TestProgram::program() const
{
    return QCoreApplication::applicationDirPath() + "/vodarevivo";
}

TestProgram::Child* TestProgram::launch(const QStringList& arguments, bool withDisplay, bool captureOutput)
{
    auto child = std::make_unique<Child>();
    child->records = m_home->filePath(QString("prompts-%1.txt").arg(m_children.size()));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", m_home->path());
    if (withDisplay) {
        env.insert("QT_QPA_PLATFORM", "offscreen");
    } else {
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(name);
    }
    if (captureOutput)
        env.insert("QT_LOGGING_RULES", "*.info=true;*.debug=true");
    else
        env.insert("QT_LOGGING_RULES", "*.info=false;*.debug=false");
    env.insert(PromptRecorder::kEnvironmentVariable, child->records);
    child->process->setProcessEnvironment(env);
    child->process->setWorkingDirectory(m_home->path());
    if (captureOutput) {
        child->process->setProcessChannelMode(QProcess::MergedChannels);
    } else {
        child->process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child->process->setStandardOutputFile(QProcess::nullDevice());
    }
    child->process->start(program(), arguments);
    child->process->waitForStarted();
    Child* raw = child.get();
    m_children.push_back(std::move(child));
    return raw;
}

bool TestProgram::waitUntilRunning(Child* child)
{
    // The lock is taken after the start-up, and the window follows at once;
    // the lock file names the process that holds it.
    QDir sys(docPath() + "/._sys");
    const QByteArray pid = QByteArray::number(child->process->processId());
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 20000) {
        if (child->process->state() != QProcess::Running)
            return false;
        for (const QString& name : sys.entryList({"instance-*.lock"}, QDir::Files | QDir::Hidden)) {
            QFile lock(sys.filePath(name));
            if (lock.open(QIODevice::ReadOnly) && lock.readLine().trimmed() == pid)
                return true;
        }
        QTest::qWait(50);
    }
    return false;
}

void TestProgram::writeConfig(const QByteArray& text)
{
    QDir().mkpath(docPath() + "/run");
    QFile file(docPath() + "/run/gr_path.ini");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

QStringList TestProgram::lines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList all = QString::fromUtf8(file.readAll()).split('\n');
    if (!all.isEmpty() && all.last().isEmpty())
        all.removeLast();
    return all;
}

void TestProgram::unwritableDocuments_data()
{
    QTest::addColumn<bool>("asFile");
    // Root may write into a read-only folder; a file in the folder's place
    // stops every user.
    QTest::newRow("read-only folder") << false;
    QTest::newRow("file in its place") << true;
}

void TestProgram::unwritableDocuments()
{
    QFETCH(bool, asFile);
    const QString documents = m_home->path() + "/Documents";
    if (asFile) {
        QFile file(documents);
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else {
        if (::geteuid() == 0)
            QSKIP("root writes into read-only folders");
        QVERIFY(QDir().mkpath(documents));
        QVERIFY(QFile::setPermissions(documents, QFile::ReadOwner | QFile::ExeOwner));
    }

    Child* child = launch();
    QVERIFY(child->process->waitForFinished(30000));
    QCOMPARE(child->process->exitStatus(), QProcess::NormalExit);
    QCOMPARE(child->process->exitCode(), 255); // -1
    const QStringList expected = {
        "File folder is read only, please adjust security settings to allow program write access!",
        QString("Program cannot read/write config file %1.").arg(docPath() + "/._sys/mydata2024n.db"),
    };
    QCOMPARE(PromptRecorder::readRecords(child->records), expected);
}

void TestProgram::normalStartWritesRunLog()
{
    // Not test mode, but the version query goes to a closed port here
    // rather than out to the product's web site.
    writeConfig("voDarevivoWebServer=127.0.0.1:9\n");
    Child* child = launch();
    QVERIFY(waitUntilRunning(child));
    for (const char* folder : {"run", "._sys", "data"})
        QVERIFY2(QFileInfo(docPath() + "/" + folder).isDir(), folder);

    const QStringList log = lines(runLog());
    const QString stamp = "Log: \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d ";
    const QStringList expected = {
        "Log file created",
        stamp + "Only one instance of voDarevivo can run",
        stamp + "check 70",
        stamp + "check 80",
        stamp + "Doc path : " + QRegularExpression::escape(docPath()),
        "AppLocal Version path: " + QRegularExpression::escape(docPath()) + " ",
        "db path : " + QRegularExpression::escape(docPath() + "/._sys"),
        stamp + "check 90",
        stamp + "check 120",
        stamp + "check 130",
    };
    QCOMPARE(log.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const QRegularExpression line("^" + expected[i] + "$");
        QVERIFY2(line.match(log[i]).hasMatch(), qPrintable(QString("line %1: %2").arg(i).arg(log[i])));
    }
    QVERIFY(PromptRecorder::readRecords(child->records).isEmpty());
}

void TestProgram::debugLinesOnlyInTheTestRunLog_data()
{
    QTest::addColumn<bool>("testMode");
    QTest::newRow("user's run") << false;
    QTest::newRow("test run") << true;
}

// Screen rectangles, window placement and engine paths are for developers:
// a test run keeps them in its run log, and no run prints them.
void TestProgram::debugLinesOnlyInTheTestRunLog()
{
    QFETCH(bool, testMode);
    writeConfig(QByteArray("voDarevivoWebServer=127.0.0.1:9\n") + (testMode ? "MODEDEBUG=1\n" : ""));
    Child* child = launch({}, true, true);
    QVERIFY(waitUntilRunning(child));
    child->process->kill();
    child->process->waitForFinished(10000);
    const QString printed = QString::fromLocal8Bit(child->process->readAll());
    for (const char* developerWords : {"screen", "left x", "jclass", "print engine classes"})
        QVERIFY2(!printed.contains(developerWords), qPrintable(printed));
    const QString log = lines(runLog()).join('\n');
    QCOMPARE(log.contains("screen rect: "), testMode);
    QCOMPARE(log.contains("print engine classes: "), testMode);
}

void TestProgram::secondStartIsRefused()
{
    writeConfig("MODEDEBUG=1\n"); // no version query from the test
    Child* first = launch();
    QVERIFY(waitUntilRunning(first));

    Child* second = launch();
    QVERIFY(second->process->waitForFinished(30000));
    QCOMPARE(second->process->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->process->exitCode(), 0);
    QCOMPARE(PromptRecorder::readRecords(second->records),
             QStringList{"voDarevivo 2024 for DirErad is already running!"});
    QCOMPARE(first->process->state(), QProcess::Running);
}

void TestProgram::secondStartAllowedByConfig()
{
    writeConfig("MODEDEBUG=1\nAllow2nd=1\n");
    Child* first = launch();
    QVERIFY(waitUntilRunning(first));

    // The second start writes a run log of its own; it holds no lock.
    QVERIFY(QFile::remove(runLog()));
    Child* second = launch();
    QTRY_VERIFY_WITH_TIMEOUT(!lines(runLog()).filter("check 130").isEmpty(), 20000);
    QVERIFY(!second->process->waitForFinished(1500)); // it keeps running with its window
    QVERIFY(PromptRecorder::readRecords(second->records).isEmpty());
}

void TestProgram::startAfterKilledInstance()
{
    writeConfig("MODEDEBUG=1\n");
    Child* first = launch();
    QVERIFY(waitUntilRunning(first));
    ::kill(pid_t(first->process->processId()), SIGKILL);
    QVERIFY(first->process->waitForFinished());
    QCOMPARE(first->process->exitStatus(), QProcess::CrashExit);

    Child* next = launch();
    QVERIFY(waitUntilRunning(next));
    QVERIFY(!next->process->waitForFinished(1500));
    QVERIFY(PromptRecorder::readRecords(next->records).isEmpty());
}

void TestProgram::printResultModeTakesNoGuard()
{
    writeConfig("MODEDEBUG=1\n");
    Child* first = launch();
    QVERIFY(waitUntilRunning(first));

    // The batch mode runs beside an open copy and ends with 0.
    Child* batch = launch({"PrintResult", m_home->path() + "/"});
    QVERIFY(batch->process->waitForFinished(30000));
    QCOMPARE(batch->process->exitStatus(), QProcess::NormalExit);
    QCOMPARE(batch->process->exitCode(), 0);
    QVERIFY(PromptRecorder::readRecords(batch->records).isEmpty());
}

void TestProgram::printResultModeNeedsNoDisplay()
{
    // A list naming a file that is not there still gives a result file.
    QVERIFY(QDir(m_home->path()).mkpath("returns"));
    QFile list(m_home->filePath("list.txt"));
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write("missing.r24\n");
    list.close();

    Child* batch = launch({"printresult", m_home->filePath("returns") + "/", "list.txt"}, false);
    QVERIFY(batch->process->waitForFinished(30000));
    QCOMPARE(batch->process->exitStatus(), QProcess::NormalExit);
    QCOMPARE(batch->process->exitCode(), 0);
    QVERIFY(QFileInfo(m_home->filePath("taxresult.txt")).isFile());
}

// The batch mode needs no settings: a damaged database neither stops it nor
// is touched by it (nobody is there to agree to moving it aside).
void TestProgram::printResultRunsWithoutAUsableDatabase()
{
    QVERIFY(QDir().mkpath(docPath() + "/._sys"));
    const QByteArray damage = QByteArray("\x13\x37 not a database ").repeated(400);
    QFile db(docPath() + "/._sys/mydata2024n.db");
    QVERIFY(db.open(QIODevice::WriteOnly));
    db.write(damage);
    db.close();
    QVERIFY(QDir(m_home->path()).mkpath("returns"));
    {
        CFamilyTaxData family;
        NewReturnBasicData record;
        record.FirstName = CString("Cy");
        record.LastName = CString("Orr");
        record.TaxPronv = 9;
        record.MaritalStatus = 5;
        family.NewData(&record);
        QCOMPARE(family.saveToFile(CString(m_home->filePath("returns/cy.r24")), 2), 0);
    }
    QFile list(m_home->filePath("list.txt"));
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write("cy.r24\n");
    list.close();

    Child* batch = launch({"printresult", m_home->filePath("returns") + "/", "list.txt"}, false);
    QVERIFY(batch->process->waitForFinished(30000));
    QCOMPARE(batch->process->exitStatus(), QProcess::NormalExit);
    QCOMPARE(batch->process->exitCode(), 0);
    const QStringList result = lines(m_home->filePath("taxresult.txt"));
    QCOMPARE(result.value(0), QString("cy.r24"));
    QVERIFY2(result.value(1).startsWith("[Total Income]="), qPrintable(result.join('|')));
    QVERIFY(db.open(QIODevice::ReadOnly));
    QCOMPARE(db.readAll(), damage);
    QVERIFY(PromptRecorder::readRecords(batch->records).isEmpty());
}

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
