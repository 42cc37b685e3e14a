#include <QtTest>

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

#include <sys/stat.h>
#include <unistd.h>

#include "app/tabwndapp.h"
#include "common/scriptedprompter.h"
#include "common/specialfiles.h"
#include "companion/core/quietprompter.h"
#include "model/cfamilytaxdata.h"

namespace {

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A single Ontario return saved under path.
bool saveReturn(const QString& path, const QString& password = QString())
{
    CFamilyTaxData family;
    NewReturnBasicData record;
    record.FirstName = CString("Cy");
    record.LastName = CString("Orr");
    record.TaxPronv = 9;
    record.MaritalStatus = 5;
    family.NewData(&record);
    family.getTaxpayer()->m_readPassword = CString(password);
    return family.saveToFile(CString(path), 2) == 0;
}

} // namespace

class TestPrintResult : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void listCases_data();
    void listCases();
    void noListAndUnreadableList();
    void namesAsTheFileSystemHasThem();
    void namesThatAreNotValidText_data();
    void namesThatAreNotValidText();
    void resultIsTheUsersOnly();
    void refusesWhatIsNotAFile_data();
    void refusesWhatIsNotAFile();
    void outputThatCannotBeCreatedIsReported();

private:
    std::unique_ptr<QTemporaryDir> m_work;
    QString m_previousDir;
    QString m_goodStatus;
};

void TestPrintResult::init()
{
    m_work = std::make_unique<QTemporaryDir>();
    m_previousDir = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_work->path()));
    QDir().mkpath(QStringLiteral("returns"));
    QVERIFY(saveReturn(QStringLiteral("returns/good.r24")));
    QVERIFY(saveReturn(QStringLiteral("returns/locked.r24"), QStringLiteral("pw")));
    QVERIFY(writeBytes(QStringLiteral("returns/damaged.r24"), QByteArray("\x01\x02\x03\x04\x05\x06", 6)));
    m_goodStatus = TabWndApp::GetTaxResult(QStringLiteral("returns/good.r24"));
}

void TestPrintResult::cleanup()
{
    // Qt cannot name a file whose name is not valid text, so removing the
    // work folder would leave it (and the folder) behind: it goes by its bytes.
    std::remove("returns/caf\xe9.r24");
    QDir::setCurrent(m_previousDir);
    m_work.reset();
}

void TestPrintResult::listCases_data()
{
    QTest::addColumn<QString>("folder"); // "*" is the work folder
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QByteArray>("expected"); // "@" is the good file's status line
    const QByteArray missing = "cannot find return file";
    QTest::newRow("missing then good") << "returns/" << QByteArray("missing.r24\ngood.r24\n")
                                       << QByteArray("missing.r24\n" + missing + "\n\ngood.r24\n@\n\n");
    QTest::newRow("blank lines skipped, last line without newline")
        << "returns" << QByteArray("\n\ngood.r24\n  \n\nmissing.r24")
        << QByteArray("good.r24\n@\n\nmissing.r24\n" + missing + "\n\n");
    QTest::newRow("folder joined as a path") << "returns" << QByteArray("good.r24\n")
                                             << QByteArray("good.r24\n@\n\n");
    QTest::newRow("full paths with an empty folder") << "" << QByteArray("returns/good.r24\n")
                                                     << QByteArray("returns/good.r24\n@\n\n");
    QTest::newRow("carriage return echoed, path still found")
        << "returns/" << QByteArray("good.r24\r\n") << QByteArray("good.r24\r\n@\n\n");
    QTest::newRow("one-character line is a name") << "returns/" << QByteArray("a\ngood.r24\n")
                                                  << QByteArray("a\n" + missing + "\n\ngood.r24\n@\n\n");
    const QByteArray longName = QByteArray(300, 'x') + ".r24";
    QTest::newRow("line longer than 127 bytes") << "returns/" << QByteArray(longName + "\n")
                                                << QByteArray(longName + "\n" + missing + "\n\n");
    QTest::newRow("password-protected file: no prompt") << "returns/" << QByteArray("locked.r24\n")
                                                        << QByteArray("locked.r24\nreturn file read error, read error 112\n\n");
    QTest::newRow("damaged file") << "returns/" << QByteArray("damaged.r24\n")
                                  << QByteArray("damaged.r24\nreturn file read error, read error 111\n\n");
    QTest::newRow("a folder is no return file") << "" << QByteArray("returns\n")
                                                << QByteArray("returns\nreturn file read error, read error 107\n\n");
}

void TestPrintResult::listCases()
{
    QFETCH(QString, folder);
    QFETCH(QByteArray, list);
    QFETCH(QByteArray, expected);
    QVERIFY(m_goodStatus.startsWith(QStringLiteral("[Total Income]=")));
    expected.replace('@', m_goodStatus.toUtf8());
    QVERIFY(writeBytes(QStringLiteral("list.txt"), list));

    QuietPrompter quiet;
    const ScopedPrompter installed(&quiet);
    QCOMPARE(TabWndApp::CmdlinePrintResult(folder, QStringLiteral("list.txt")), 0);
    QCOMPARE(readBytes(QStringLiteral("taxresult.txt")), expected);
}

void TestPrintResult::noListAndUnreadableList()
{
    ScriptedPrompter prompter;
    QVERIFY(writeBytes(QStringLiteral("taxresult.txt"), QByteArray("old contents that must go\n")));
    QCOMPARE(TabWndApp::CmdlinePrintResult(QStringLiteral("returns/"), QString()), 0);
    QCOMPARE(readBytes(QStringLiteral("taxresult.txt")), QByteArray("====> no input file\n"));
    QCOMPARE(TabWndApp::CmdlinePrintResult(QStringLiteral("returns/"), QStringLiteral("nolist.txt")), 0);
    QCOMPARE(readBytes(QStringLiteral("taxresult.txt")), QByteArray("====> cannot open input file\n"));
    QVERIFY(prompter.records().isEmpty());
}

void TestPrintResult::outputThatCannotBeCreatedIsReported()
{
    // A folder where the result file should be: it cannot be created, even by root.
    QVERIFY(QDir().mkdir(QStringLiteral("taxresult.txt")));
    QVERIFY(writeBytes(QStringLiteral("list.txt"), QByteArray("good.r24\n")));
    QCOMPARE(TabWndApp::CmdlinePrintResult(QStringLiteral("returns/"), QStringLiteral("list.txt")), 1);
}

// The program's own default name for an accented taxpayer, and names with
// leading or doubled spaces, are found as they are written in the list.
void TestPrintResult::namesAsTheFileSystemHasThem()
{
    const QStringList names{QString::fromUtf8("Émilie_Côté.r24"), QStringLiteral(" lead.r24"),
                            QStringLiteral("two  spaces.r24")};
    QByteArray list, expected;
    for (const QString& name : names) {
        QVERIFY(QFile::copy(QStringLiteral("returns/good.r24"), QStringLiteral("returns/") + name));
        list += QFile::encodeName(name) + "\n";
        expected += QFile::encodeName(name) + "\n" + m_goodStatus.toUtf8() + "\n\n";
    }
    QVERIFY(writeBytes(QStringLiteral("list.txt"), list));
    QuietPrompter quiet;
    const ScopedPrompter installed(&quiet);
    QCOMPARE(TabWndApp::CmdlinePrintResult(QStringLiteral("returns/"), QStringLiteral("list.txt")), 0);
    QCOMPARE(readBytes(QStringLiteral("taxresult.txt")), expected);
}

void TestPrintResult::namesThatAreNotValidText_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QByteArray>("expected"); // "@" is the good file's status line
    // "caf\xe9.r24" is "café.r24" written in Latin-1: not valid UTF-8.
    QTest::newRow("in the folder") << "returns/" << QByteArray("caf\xe9.r24\n")
                                   << QByteArray("caf\xe9.r24\n@\n\n");
    QTest::newRow("folder without its separator") << "returns" << QByteArray("caf\xe9.r24\n")
                                                  << QByteArray("caf\xe9.r24\n@\n\n");
    QTest::newRow("a full path") << "" << QByteArray("returns/caf\xe9.r24\r\n")
                                 << QByteArray("returns/caf\xe9.r24\r\n@\n\n");
    QTest::newRow("missing, echoed as listed") << "returns/" << QByteArray("na\xefve.r24\ncaf\xe9.r24\n")
                                               << QByteArray("na\xefve.r24\ncannot find return file\n\n"
                                                             "caf\xe9.r24\n@\n\n");
}

// A list line's bytes are the path: a name written under another encoding
// is found, and the result file names it with the very bytes of the list.
void TestPrintResult::namesThatAreNotValidText()
{
    QFETCH(QString, folder);
    QFETCH(QByteArray, list);
    QFETCH(QByteArray, expected);
    expected.replace('@', m_goodStatus.toUtf8());
    const QByteArray good = readBytes(QStringLiteral("returns/good.r24"));
    QVERIFY(!good.isEmpty());
    std::FILE* copy = std::fopen("returns/caf\xe9.r24", "wb");
    QVERIFY(copy);
    QCOMPARE(std::fwrite(good.constData(), 1, size_t(good.size()), copy), size_t(good.size()));
    QCOMPARE(std::fclose(copy), 0);

    QVERIFY(writeBytes(QStringLiteral("list.txt"), list));
    QuietPrompter quiet;
    const ScopedPrompter installed(&quiet);
    QCOMPARE(TabWndApp::CmdlinePrintResult(folder, QStringLiteral("list.txt")), 0);
    QCOMPARE(readBytes(QStringLiteral("taxresult.txt")), expected);
}

// The result names taxpayers' files and their amounts: only the user may
// read it, also when an earlier one was left readable by others.
void TestPrintResult::resultIsTheUsersOnly()
{
    const mode_t previousMask = ::umask(022);
    QVERIFY(writeBytes(QStringLiteral("list.txt"), QByteArray("good.r24\n")));
    QVERIFY(writeBytes(QStringLiteral("taxresult.txt"), QByteArray("old\n")));
    QVERIFY(::chmod("taxresult.txt", 0644) == 0);
    QuietPrompter quiet;
    const ScopedPrompter installed(&quiet);
    const int result = TabWndApp::CmdlinePrintResult(QStringLiteral("returns/"), QStringLiteral("list.txt"));
    ::umask(previousMask);
    QCOMPARE(result, 0);
    struct stat status {};
    QCOMPARE(::stat("taxresult.txt", &status), 0);
    QCOMPARE(int(status.st_mode & 07777), 0600);
}

void TestPrintResult::refusesWhatIsNotAFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("FIFO") << "fifo";
    QTest::newRow("directory") << "directory";
    QTest::newRow("socket") << "socket";
}

// An object named like a return that is no regular file is refused at once,
// never waited on: a FIFO's open would block until a writer came.
void TestPrintResult::refusesWhatIsNotAFile()
{
    QFETCH(QString, kind);
    QVERIFY(QDir().mkpath(QStringLiteral("special")));
    const QString path = QStringLiteral("special/x.r24");
    int socket = -1;
    if (kind == "fifo")
        QVERIFY(specialfiles::makeFifo(path));
    else if (kind == "directory")
        QVERIFY(QDir().mkdir(path));
    else
        QVERIFY((socket = specialfiles::makeSocket(path)) >= 0);
    const FifoReleaser releaser(path);
    QVERIFY(writeBytes(QStringLiteral("list.txt"), QByteArray("x.r24\ngood.r24\n")));
    QVERIFY(QFile::copy(QStringLiteral("returns/good.r24"), QStringLiteral("special/good.r24")));

    QuietPrompter quiet;
    const ScopedPrompter installed(&quiet);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(TabWndApp::CmdlinePrintResult(QStringLiteral("special/"), QStringLiteral("list.txt")), 0);
    const qint64 elapsed = clock.elapsed();
    if (socket >= 0)
        ::close(socket);
    QVERIFY2(elapsed < 1000, qPrintable(QString("took %1 ms").arg(elapsed)));
    QCOMPARE(readBytes(QStringLiteral("taxresult.txt")),
             QByteArray("x.r24\nreturn file read error, read error 107\n\ngood.r24\n" + m_goodStatus.toUtf8() + "\n\n"));
}

QTEST_MAIN(TestPrintResult)
#include "tst_printresult.moc"
