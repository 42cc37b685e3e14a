#include <QtTest>

#include <QTemporaryDir>

#include "common/scriptedprompter.h"
#include "companion/core/savecopies.h"
#include "model/returnfileloadcode.h"
#include "returnfiletestkit.h"

#include <sys/stat.h>

using namespace returnfiletest;

// What saving and reading a return leaves on disk besides the return: the
// temporary copies of interrupted saves and the files' permissions.
namespace {

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool makeOlderThanSession(const QString& path)
{
    QFile file(path);
    const QDateTime before = sessionStartTime().addSecs(-3600);
    return file.open(QIODevice::ReadWrite) && file.setFileTime(before, QFileDevice::FileModificationTime);
}

} // namespace

class TestReturnFileSafety : public QObject
{
    Q_OBJECT
private slots:
    void leftoverCopiesGoAtTheNextSave_data();
    void leftoverCopiesGoAtTheNextSave();
};

void TestReturnFileSafety::leftoverCopiesGoAtTheNextSave_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("older");
    QTest::addColumn<bool>("removed");
    QTest::newRow("copy from an earlier session") << "ret.r24.ABC123" << true << true;
    QTest::newRow("copy of a save still running") << "ret.r24.ABC123" << false << false;
    QTest::newRow("five characters: not a copy") << "ret.r24.ABC12" << true << false;
    QTest::newRow("not a letter or digit") << "ret.r24.AB-123" << true << false;
    QTest::newRow("another file's copy") << "other.r24.ABC123" << true << false;
    QTest::newRow("name only ends alike") << "xret.r24.ABC123" << true << false;
}

void TestReturnFileSafety::leftoverCopiesGoAtTheNextSave()
{
    QFETCH(QString, name);
    QFETCH(bool, older);
    QFETCH(bool, removed);
    ScriptedPrompter prompter;
    QTemporaryDir dir;
    const QString stray = dir.filePath(name);
    QVERIFY(writeBytes(stray, "a whole return with S.I.N.s"));
    if (older)
        QVERIFY(makeOlderThanSession(stray));
    std::unique_ptr<CFamilyTaxData> family = makeSingleFamily();
    QCOMPARE(family->saveToFile(CString(dir.filePath(QStringLiteral("ret.r24"))), 2), 0);
    QCOMPARE(QFileInfo::exists(stray), !removed);
    QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("ret.r24"))));
}

QTEST_GUILESS_MAIN(TestReturnFileSafety)
#include "tst_returnfilesafety.moc"
