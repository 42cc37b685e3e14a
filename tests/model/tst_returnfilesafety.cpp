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
    void returnIsTheUsersOnly_data();
    void returnIsTheUsersOnly();
    void noteIdsFromFile_data();
    void noteIdsFromFile();

private:
    std::vector<std::unique_ptr<CTaxData_Form>> m_objects;
    CTaxData_Form* keep(CTaxData_Form* object)
    {
        m_objects.emplace_back(object);
        return object;
    }
};

void TestReturnFileSafety::returnIsTheUsersOnly_data()
{
    QTest::addColumn<int>("before"); // -1: no file yet
    QTest::newRow("new file") << -1;
    QTest::newRow("file readable by all") << 0644;
    QTest::newRow("file writable by the group") << 0664;
}

// A return holds S.I.N.s: wherever it is saved, only its owner may read it.
void TestReturnFileSafety::returnIsTheUsersOnly()
{
    QFETCH(int, before);
    const mode_t previousMask = ::umask(022);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ret.r24"));
    if (before >= 0) {
        QVERIFY(writeBytes(path, "old"));
        QVERIFY(::chmod(QFile::encodeName(path).constData(), mode_t(before)) == 0);
    }
    std::unique_ptr<CFamilyTaxData> family = makeSingleFamily();
    const int code = family->saveToFile(CString(path), 2);
    ::umask(previousMask);
    QCOMPARE(code, 0);
    struct stat status {};
    QCOMPARE(::stat(QFile::encodeName(path).constData(), &status), 0);
    QCOMPARE(int(status.st_mode & 07777), 0600);
}

void TestReturnFileSafety::noteIdsFromFile_data()
{
    QTest::addColumn<QList<int>>("noteIds");
    QTest::addColumn<int>("nextId");
    QTest::addColumn<int>("expected");
    QTest::newRow("clean file") << QList<int>{301, 302} << 303 << 0;
    QTest::newRow("notes from the next id up") << QList<int>{300, 301, 302, 303, 304, 305, 306, 307} << 300 << 0;
    QTest::newRow("two notes with one id") << QList<int>{250, 250} << 300 << int(RFL_DAMAGED_OR_NEWER);
    QTest::newRow("note id 0") << QList<int>{0} << 300 << int(RFL_DAMAGED_OR_NEWER);
    QTest::newRow("negative note id") << QList<int>{-7} << 300 << int(RFL_DAMAGED_OR_NEWER);
    QTest::newRow("note id at the top of the range") << QList<int>{0x7FFFFFFF} << 300 << int(RFL_DAMAGED_OR_NEWER);
}

// Notes read from a file take their ids by the rule of forms and slips: kept
// apart from every id drawn later; a repeated or impossible id is damage.
void TestReturnFileSafety::noteIdsFromFile()
{
    QFETCH(QList<int>, noteIds);
    QFETCH(int, nextId);
    QFETCH(int, expected);
    RawRecord taxpayer;
    taxpayer.nextId = nextId;
    CTaxData_Form* t1 = keep(IndividualTaxData::AllocFedFormData(1));
    taxpayer.forms = {{93, 200, 0, keep(IndividualTaxData::AllocFedFormData(93))}, {1, 201, 0, t1}};
    for (int id : noteIds)
        taxpayer.notes.push_back({0, id, 0, keep(IndividualTaxData::AllocNoteData())});
    RawRecord spouse;
    spouse.province = 0;

    ScriptedPrompter prompter;
    int code = -99;
    auto family = readFamily(rawFamilyFile(taxpayer, spouse), code);
    QCOMPARE(code, expected);
    if (expected != 0)
        return;

    // Add note, three times, as the page does.
    IndividualTaxData* person = family->getTaxpayer();
    for (int i = 0; i < 3; ++i)
        QVERIFY(person->NewNoteData(person->GetNextUniqueID()));
    QSet<int> ids;
    for (const STRUCT_NOTEDATA_ITEM_2004* note : person->m_noteList)
        ids.insert(note->id);
    QCOMPARE(ids.size(), noteIds.size() + 3);
    for (const STRUCT_FORMDATA_ITEM_2004* form : person->m_formList)
        QVERIFY(!ids.contains(form->id));
}

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
