#include <QtTest>

#include "companion/core/cstring.h"
#include "companion/core/quietprompter.h"
#include "model/cfamilytaxdata.h"
#include "model/returnfileedition.h"
#include "model/returnfiletestkit.h"
#include "workspace/returnbackup.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/stat.h>

// Saves of a coupled return killed at random points: a child process saves
// the return with its backup, as the page does, in an endless loop; the test
// kills it with SIGKILL at random moments and reads every file left behind
// through the program's own reader. CRASHSAVE_KILLS sets the number of kills
// (a short run by default; a few hundred for a thorough one).
namespace {

const char* const kChildFolderVariable = "CRASHSAVE_CHILD_FOLDER";
const QString kReturnName = QStringLiteral("ret.r24");

// The child: saves for ever, each time with another amount, and says on its
// output when the first save is whole.
int saveForever(const QString& folder)
{
    QuietPrompter quiet;
    const ScopedPrompter installed(&quiet);
    std::unique_ptr<CFamilyTaxData> family = returnfiletest::makeCoupledFamily();
    CField* amount = family->getTaxpayer()->m_slipList.front()->data->findField(QStringLiteral("box14EmploymentIncome"));
    const QString path = QDir(folder).filePath(kReturnName);
    // The backup's most fragile moment is made long enough for the random
    // kills to land in it now and then.
    setBackupReplaceHook([] { QThread::usleep(3000); });
    for (qint64 round = 1;; ++round) {
        amount->setText(QString::number(40000 + round % 10000));
        if (QFileInfo::exists(path))
            backUpReturnFile(path);
        if (family->saveToFile(CString(path), returnFileEdition()) != 0)
            return 1;
        if (round == 1) {
            std::fputs("saved\n", stdout);
            std::fflush(stdout);
        }
    }
}

int readCode(const QString& path)
{
    int code = -1;
    std::unique_ptr<CFamilyTaxData> family(CFamilyTaxData::serializeFromFile(CString(path), code));
    return code;
}

} // namespace

class TestCrashSave : public QObject
{
    Q_OBJECT
private slots:
    void previousBackupWholeUntilReplaced();
    void backupIsTheUsersOnly();
    void killedSavesLeaveReadableFiles();
};

// At the moment the new backup takes the old one's place, the old one is
// still there, whole: a crash at that moment loses no backup.
void TestCrashSave::previousBackupWholeUntilReplaced()
{
    QuietPrompter quiet;
    const ScopedPrompter installed(&quiet);
    QTemporaryDir folder;
    const QString path = folder.filePath(kReturnName);
    QVERIFY(QFile(path).open(QIODevice::WriteOnly));
    const QString backup = returnBackupPath(path);
    QCOMPARE(backup, folder.filePath(QStringLiteral("ret_backup.r24")));
    QVERIFY(backUpReturnFile(path)); // an empty backup: the previous one
    std::unique_ptr<CFamilyTaxData> family = returnfiletest::makeCoupledFamily();
    QCOMPARE(family->saveToFile(CString(path), returnFileEdition()), 0);

    bool previousWhole = false;
    setBackupReplaceHook([&] { previousWhole = QFileInfo(backup).isFile() && QFileInfo(backup).size() == 0; });
    const bool backedUp = backUpReturnFile(path);
    setBackupReplaceHook({});
    QVERIFY(backedUp);
    QVERIFY(previousWhole);
    QCOMPARE(readCode(backup), 0);
}

// The backup holds what the return holds: only its owner may read it, even
// when the return itself was left readable by others.
void TestCrashSave::backupIsTheUsersOnly()
{
    const mode_t previousMask = ::umask(022);
    QTemporaryDir folder;
    const QString path = folder.filePath(kReturnName);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther));
    const bool backedUp = backUpReturnFile(path);
    ::umask(previousMask);
    QVERIFY(backedUp);
    struct stat status {};
    QCOMPARE(::stat(QFile::encodeName(returnBackupPath(path)).constData(), &status), 0);
    QCOMPARE(int(status.st_mode & 07777), 0600);
}

void TestCrashSave::killedSavesLeaveReadableFiles()
{
    QuietPrompter quiet;
    const ScopedPrompter installed(&quiet);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(kReturnName);
    const QString backup = folder.filePath(QStringLiteral("ret_backup.r24"));
    const int kills = qEnvironmentVariableIsSet("CRASHSAVE_KILLS") ? qEnvironmentVariableIntValue("CRASHSAVE_KILLS") : 150;

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kChildFolderVariable), folder.path());
    int lostBackups = 0, unreadable = 0;
    bool backupMade = false;
    for (int kill = 0; kill < kills; ++kill) {
        QProcess child;
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), QStringList());
        QVERIFY(child.waitForStarted(10000));
        // Killed at a random moment of its saves (once the first is whole),
        // or, now and then, while still starting.
        if (kill % 8 != 0)
            QVERIFY2(child.waitForReadyRead(20000), qPrintable(child.readAllStandardError()));
        QThread::usleep(QRandomGenerator::global()->bounded(30000));
        child.kill();
        QVERIFY(child.waitForFinished(10000));

        // Once a backup is made, there is one after every kill.
        const bool backupThere = QFileInfo::exists(backup);
        if (backupMade && !backupThere)
            ++lostBackups;
        backupMade = backupMade || backupThere;
        for (const QString& file : {path, backup})
            if (QFileInfo::exists(file) && readCode(file) != 0)
                ++unreadable;
        // Every save takes away the copies earlier sessions left: at most
        // the one of the save just killed remains.
        for (const QString& name : {kReturnName, QStringLiteral("ret_backup.r24")})
            QVERIFY(QDir(folder.path()).entryList({name + ".??????"}, QDir::Files | QDir::Hidden).size() <= 1);
    }
    QCOMPARE(lostBackups, 0);
    QCOMPARE(unreadable, 0);
    QVERIFY(QFileInfo::exists(path));
    QCOMPARE(readCode(path), 0);
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QString childFolder = qEnvironmentVariable(kChildFolderVariable);
    if (!childFolder.isEmpty())
        return saveForever(childFolder);
    TestCrashSave test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_crashsave.moc"
