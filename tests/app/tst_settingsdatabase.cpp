#include <QtTest>

#include "app/tabwndapp.h"
#include "common/scriptedprompter.h"
#include "common/testhome.h"
#include "companion/core/appclock.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <cstdio>

// Start-up with a settings database it cannot use: damaged, it is moved
// aside once the user agrees and a new one is made; locked by another
// process, the user is told which one.
namespace {

const char* const kLockHolderVariable = "SETTINGSDB_LOCK_HOLDER";

// The child: holds an exclusive lock on the database until it is killed.
int holdLock(const QString& path)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
    db.setDatabaseName(path);
    QSqlQuery query(db);
    if (!db.open() || !query.exec(QStringLiteral("BEGIN EXCLUSIVE")))
        return 1;
    std::fputs("locked\n", stdout);
    std::fflush(stdout);
    for (;;)
        QThread::sleep(1);
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestSettingsDatabase : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void damagedDatabaseMovedAsideWhenAgreed();
    void damagedDatabaseKeptWhenRefused();
    void lockedDatabaseNamesTheOtherProcess();

private:
    int start();
    void stop();
    QString sysPath() const { return m_home->path() + "/Documents/vodarevivo/2024/._sys"; }
    QString dbPath() const { return sysPath() + "/mydata2024n.db"; }
    QStringList promptTexts() const
    {
        QStringList texts;
        for (const PromptRecord& record : m_prompter->records())
            texts << record.texts.join("\n");
        return texts;
    }

    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    TabWndApp* m_app = nullptr;
    QByteArray m_damage;
};

static int s_argc = 1;
static char s_arg0[] = "tst_settingsdatabase";
static char* s_argv[] = {s_arg0, nullptr};

void TestSettingsDatabase::init()
{
    m_home = std::make_unique<TestHome>();
    QVERIFY(QDir().mkpath(sysPath()));
    m_prompter = std::make_unique<ScriptedPrompter>();
    m_damage.clear();
    QRandomGenerator random(20241231);
    for (int i = 0; i < 8192; ++i)
        m_damage.append(char(random.bounded(256)));
    AppClock::setFixed(QDateTime(QDate(2025, 3, 14), QTime(9, 26, 53)));
}

void TestSettingsDatabase::cleanup()
{
    stop();
    AppClock::reset();
    m_prompter.reset();
    m_home.reset();
}

int TestSettingsDatabase::start()
{
    m_app = TabWndApp::initMainApp(s_argc, s_argv);
    return m_app->initApp();
}

void TestSettingsDatabase::stop()
{
    delete m_app;
    m_app = nullptr;
}

void TestSettingsDatabase::damagedDatabaseMovedAsideWhenAgreed()
{
    QFile db(dbPath());
    QVERIFY(db.open(QIODevice::WriteOnly));
    db.write(m_damage);
    db.close();
    m_prompter->queueYes(true);
    QCOMPARE(start(), 0);
    const QString aside = dbPath() + ".damaged-2025-03-14";
    QCOMPARE(promptTexts().size(), 1);
    QVERIFY2(promptTexts().first().contains(aside), qPrintable(promptTexts().first()));
    QCOMPARE(readBytes(aside), m_damage);
    // A fresh database: the settings work and the recent-return list is empty.
    QVERIFY(m_app->m_dbManager.isOpen());
    QVERIFY(m_app->m_dbManager.saveParameter("RecoveredProbe", 14) > 0);
    QCOMPARE(m_app->loadReturnEntriesIntoModel(QString())->rowCount(), 0);
    stop();
    QCOMPARE(start(), 0);
    int size = 0;
    QVERIFY(m_app->m_dbManager.readParameter("RecoveredProbe", size) > 0);
    QCOMPARE(size, 14);
    QCOMPARE(promptTexts().size(), 1);
}

void TestSettingsDatabase::damagedDatabaseKeptWhenRefused()
{
    QFile db(dbPath());
    QVERIFY(db.open(QIODevice::WriteOnly));
    db.write(m_damage);
    db.close();
    m_prompter->queueYes(false);
    QVERIFY(start() != 0);
    QCOMPARE(readBytes(dbPath()), m_damage);
    QCOMPARE(QDir(sysPath()).entryList({"*.damaged-*"}, QDir::Files | QDir::Hidden), QStringList());
    QCOMPARE(promptTexts().size(), 2); // the question, then that the program cannot start
}

void TestSettingsDatabase::lockedDatabaseNamesTheOtherProcess()
{
    // The application object first: the child process needs it.
    m_app = TabWndApp::initMainApp(s_argc, s_argv);
    QProcess holder;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kLockHolderVariable), dbPath());
    holder.setProcessEnvironment(environment);
    holder.start(QCoreApplication::applicationFilePath(), QStringList());
    QVERIFY(holder.waitForReadyRead(20000));
    const int result = m_app->initApp();
    holder.kill();
    holder.waitForFinished();
    QVERIFY(result != 0);
    const QString text = promptTexts().value(0);
    QVERIFY2(text.contains("in use by another program"), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("process %1").arg(holder.processId())) || text.contains("tst_settingsdat"),
             qPrintable(text));
    QVERIFY(QFileInfo(dbPath()).isFile());
}

int main(int argc, char* argv[])
{
    const QString lockPath = qEnvironmentVariable(kLockHolderVariable);
    if (!lockPath.isEmpty()) {
        QCoreApplication app(argc, argv);
        return holdLock(lockPath);
    }
    TestSettingsDatabase test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settingsdatabase.moc"
