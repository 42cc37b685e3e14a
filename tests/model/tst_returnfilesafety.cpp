#include <QtTest>

#include <QTemporaryDir>
#include <QTextCodec>

#include "common/scriptedprompter.h"
#include "companion/core/savecopies.h"
#include "companion/forms/t1/taxdata_t1ksnew.h"
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
    void passwordIsSealedInTheFile_data();
    void passwordIsSealedInTheFile();
    void olderFileWithClearPasswordOpens_data();
    void olderFileWithClearPasswordOpens();
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

void TestReturnFileSafety::passwordIsSealedInTheFile_data()
{
    QTest::addColumn<QString>("answer"); // empty: cancel
    QTest::addColumn<int>("code");
    QTest::newRow("the password") << "Secret-Pw1" << 0;
    QTest::newRow("other case") << "secret-pw1" << int(RFL_PASSWORD_REFUSED);
    QTest::newRow("one character short") << "Secret-Pw" << int(RFL_PASSWORD_REFUSED);
    QTest::newRow("the seal itself") << "*seal*" << int(RFL_PASSWORD_REFUSED);
    QTest::newRow("cancelled") << "" << int(RFL_PASSWORD_REFUSED);
}

// The password typed on the return summary of a coupled return guards the
// file, but no copy of it, in any encoding, is in the file's bytes.
void TestReturnFileSafety::passwordIsSealedInTheFile()
{
    QFETCH(QString, answer);
    QFETCH(int, code);
    const QString password = QStringLiteral("Secret-Pw1");
    std::unique_ptr<CFamilyTaxData> family = makeCoupledFamily();
    CField* field = family->getTaxpayer()->GetFormDataItem(93, false)->data->findField(QStringLiteral("Password"));
    field->setText(password);
    family->Calculate(-1, nullptr);
    QCOMPARE(QString(family->getSpouse()->m_readPassword), password); // the coupled return shares it
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ret.r24"));
    QCOMPARE(family->saveToFile(CString(path), 2), 0);
    // Saved again, as after an edit: still one seal, no clear copy.
    family->Calculate(-1, nullptr);
    QCOMPARE(family->saveToFile(CString(path), 2), 0);

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    for (const QByteArray& copy : {password.toUtf8(), password.toLower().toUtf8(),
                                   QByteArray(reinterpret_cast<const char*>(password.utf16()), password.size() * 2),
                                   QTextCodec::codecForName("UTF-16BE")->fromUnicode(password).mid(0)})
        QVERIFY2(!bytes.contains(copy.startsWith("\xFE\xFF") ? copy.mid(2) : copy), copy.toHex().constData());

    ScriptedPrompter prompter;
    if (answer.isEmpty())
        prompter.queueCancel();
    else
        prompter.queueText(answer == "*seal*" ? QString(family->getTaxpayer()->m_readPassword) : answer);
    int result = -99;
    std::unique_ptr<CFamilyTaxData> read(CFamilyTaxData::serializeFromFile(CString(path), result));
    QCOMPARE(result, code);
    QCOMPARE(prompter.records().size(), 1);
    // Where it is typed, the password says what it does and does not do.
    QCOMPARE(qobject_cast<TaxData_T1KSNew*>(family->getTaxpayer()->GetFormDataItem(93, false)->data)->Password.label(),
             QStringLiteral("Password to open this return in this program (it does not encrypt the file)"));
}

void TestReturnFileSafety::olderFileWithClearPasswordOpens_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("code");
    QTest::newRow("its password") << "Old-Pw" << 0;
    QTest::newRow("other case, as before") << "old-pw" << 0;
    QTest::newRow("wrong") << "Old-Pw2" << int(RFL_PASSWORD_REFUSED);
}

// A file written before passwords were sealed keeps its clear password and
// opens with it as it always did; saved again, it holds a seal instead.
void TestReturnFileSafety::olderFileWithClearPasswordOpens()
{
    QFETCH(QString, answer);
    QFETCH(int, code);
    RawRecord taxpayer;
    taxpayer.password = CString("Old-Pw");
    taxpayer.forms = {{93, 200, 0, keep(IndividualTaxData::AllocFedFormData(93))},
                      {1, 201, 0, keep(IndividualTaxData::AllocFedFormData(1))}};
    RawRecord spouse;
    spouse.province = 0;
    ScriptedPrompter prompter;
    prompter.queueText(answer);
    int result = -99;
    std::unique_ptr<CFamilyTaxData> family = readFamily(rawFamilyFile(taxpayer, spouse), result);
    QCOMPARE(result, code);
    if (code != 0)
        return;

    const QByteArray again = writeFamily(*family);
    QVERIFY(!again.contains("Old-Pw"));
    QVERIFY(!again.contains(QByteArray("O\0l\0d\0-\0P\0w", 11)));
    QVERIFY(!again.contains(QByteArray("\0O\0l\0d\0-\0P\0w", 12)));
    prompter.queueText(QStringLiteral("Old-Pw"));
    QCOMPARE(readFamily(again, result) != nullptr, true);
    QCOMPARE(result, 0);
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
