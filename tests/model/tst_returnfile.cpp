#include <QtTest>

#include <QTemporaryDir>
#include <QtEndian>

#include "common/scriptedprompter.h"
#include "model/MultiProvsTaxMgr.h"
#include "model/returnfileloadcode.h"
#include "returnfiletestkit.h"

using namespace returnfiletest;

Q_DECLARE_METATYPE(returnfiletest::RawRecord)

namespace {

std::unique_ptr<CTaxData_Form> formObject(int type)
{
    return std::unique_ptr<CTaxData_Form>(IndividualTaxData::AllocFedFormData(type));
}

std::unique_ptr<CTaxData_Form> slipObject(int type)
{
    return std::unique_ptr<CTaxData_Form>(IndividualTaxData::AllocSlipData(type));
}

QByteArray withFirstWord(QByteArray bytes, qint32 word)
{
    qToLittleEndian(word, bytes.data());
    return bytes;
}

QStringList promptTexts(const ScriptedPrompter& prompter)
{
    QStringList texts;
    for (const PromptRecord& record : prompter.records())
        texts << record.texts;
    return texts;
}

int textPromptCount(const ScriptedPrompter& prompter)
{
    int count = 0;
    for (const PromptRecord& record : prompter.records())
        count += record.kind == PromptKind::TextInput;
    return count;
}

} // namespace

class TestReturnFile : public QObject
{
    Q_OBJECT

private slots:
    void coupledReturnRoundTrips();
    void singleReturnWritesEmptySpouseRecord();
    void readPassword_data();
    void readPassword();
    void olderVersions_data();
    void olderVersions();
    void staleNextIdIsRaised();
    void laterVersionIsRefused();
    void badVersionWordIsDamage();
    void secondReturnSummaryIsDropped();
    void badItemsAndSpouseFailuresAreReported_data();
    void badItemsAndSpouseFailuresAreReported();
    void truncationAtEveryOffsetFailsCleanly();
    void missingPluginIsRefusedAndFileKept();
    void failedSaveKeepsOldFile();
    void missingFileGives107();
    void keptFuzzInputsReadWithoutHarm();

private:
    // Objects the hand-made records write; kept alive for the whole run.
    std::vector<std::unique_ptr<CTaxData_Form>> m_objects;
    CTaxData_Form* keep(std::unique_ptr<CTaxData_Form> object)
    {
        m_objects.push_back(std::move(object));
        return m_objects.back().get();
    }
    RawRecord smallTaxpayer(int version);
};

RawRecord TestReturnFile::smallTaxpayer(int version)
{
    RawRecord record;
    record.version = version;
    CTaxData_Form* t1 = keep(formObject(1));
    t1->findField(QStringLiteral("FirstName"))->setText(QStringLiteral("Dee"));
    CTaxData_Form* t4 = keep(slipObject(1));
    t4->findField(QStringLiteral("box14EmploymentIncome"))->setText(QStringLiteral("42000"));
    record.forms = {{93, 500, 0, keep(formObject(93))}, {1, 501, 0, t1}};
    record.slips = {{1, 502, 77, t4}};
    record.notes = {{0, 503, 0, keep(std::unique_ptr<CTaxData_Form>(IndividualTaxData::AllocNoteData()))}};
    return record;
}

void TestReturnFile::coupledReturnRoundTrips()
{
    ScriptedPrompter prompter;
    auto family = makeCoupledFamily();
    QVERIFY(family->IsCoupledReturn());
    // Completing before writing, so that the reader's completion adds nothing.
    family->getTaxpayer()->DoSthAfterReading(2);
    family->getSpouse()->DoSthAfterReading(2);

    int code = -99;
    const QByteArray bytes = writeFamily(*family, &code);
    QCOMPARE(code, 0);
    QCOMPARE(family->getTaxpayer()->m_formList.front()->type, 93);

    auto read = readFamily(bytes, code);
    QCOMPARE(code, 0);
    QVERIFY(prompter.records().isEmpty());
    for (auto [original, copy] : {std::pair{family->getTaxpayer(), read->getTaxpayer()},
                                  std::pair{family->getSpouse(), read->getSpouse()}}) {
        // Interview data is not stored: reading recreates it empty and the
        // calculation that follows an open refills it from the forms. Only
        // that refill is done here, so every stored value is compared as read.
        copy->WriteDataToWizards(copy == read->getSpouse());
        const auto expected = itemKeys(*original);
        const auto actual = itemKeys(*copy);
        QVERIFY2(expected == actual, qPrintable(describe(expected) + " <> " + describe(actual)));
        QCOMPARE(copy->m_formList.front()->type, 93);
        // New ids never collide with those read.
        for (const ItemKey& key : actual)
            QVERIFY(key.list == 'n' || key.id < copy->m_nextId);
        QVERIFY(copy->m_nextId >= original->m_nextId);
        QCOMPARE(copy->m_province, kOntario);
        QVERIFY(copy->IsCoupledReturn());
        QVERIFY(*copy == *original); // same items with equal values
    }
    QVERIFY(read->IsCoupledReturn());
    int side = -1, kind = -1, id = -1, expectedKind = -1, expectedId = -1;
    read->settings().getCurrentForm(side, kind, id);
    family->settings().getCurrentForm(side, expectedKind, expectedId);
    QCOMPARE(side, 0);
    QCOMPARE(kind, 0);
    QCOMPARE(id, expectedId);
    read->settings().getCurrentFormForSide(1, kind, id);
    QCOMPARE(kind, 1);
    QCOMPARE(id, family->getSpouse()->m_slipList.front()->id);
    QCOMPARE(read->dependants().GetCount(), 12);

    // Written again, the file is the same byte for byte (the completion on
    // reading may have drawn ids, so the next id is put back first).
    read->getTaxpayer()->m_nextId = family->getTaxpayer()->m_nextId;
    read->getSpouse()->m_nextId = family->getSpouse()->m_nextId;
    QCOMPARE(writeFamily(*read), bytes);
}

void TestReturnFile::singleReturnWritesEmptySpouseRecord()
{
    auto family = makeSingleFamily();
    int code = -99;
    QByteArray bytes = writeFamily(*family, &code);
    QCOMPARE(code, 0);

    MyDataStream in(&bytes, QIODevice::ReadOnly);
    IndividualTaxData taxpayer(0, nullptr);
    QCOMPARE(taxpayer.serialize(2, in), 66098);

    qint32 version = 0, year = 0, reserved = -1, marker = 0, nextId = 0, province = -1;
    in >> version >> year >> reserved >> marker;
    QCOMPARE(version, 66098);
    QCOMPARE(year, 2024);
    QCOMPARE(reserved, 0);
    CReservedArea area;
    QVERIFY(area.readFromArchive(in));
    QCOMPARE(QString(area.GetString(1)), QStringLiteral("5182zed64093371"));
    in >> nextId >> province;
    QCOMPARE(province, 0);
    qint32 forms = -1, slips = -1, notes = -1, barcode = -1;
    in >> forms >> slips >> notes;
    QCOMPARE(forms, 0);
    QCOMPARE(slips, 0);
    QCOMPARE(notes, 0);
    QByteArray opening(8, '\0'), closing(8, '\0');
    in.readRawData(opening.data(), 8);
    in >> barcode;
    in.readRawData(closing.data(), 8);
    QCOMPARE(opening, QByteArray(8, 'b'));
    QCOMPARE(barcode, 0); // the no-barcode form
    QCOMPARE(closing, QByteArray(8, 'b'));
    QCOMPARE(in.status(), QDataStream::Ok);

    auto read = readFamily(bytes, code);
    QCOMPARE(code, 0);
    QVERIFY(!read->IsCoupledReturn());
    QVERIFY(read->getSpouse()->m_formList.empty());
}

void TestReturnFile::readPassword_data()
{
    QTest::addColumn<QString>("answer"); // empty: cancel
    QTest::addColumn<int>("code");
    QTest::newRow("same case") << "Secret" << 0;
    // A file written now keeps its password sealed, and case counts; an
    // older file's clear password still opens in any case (see the
    // file-safety test).
    QTest::newRow("other case") << "sECRET" << 112;
    QTest::newRow("wrong") << "Secrets" << 112;
    QTest::newRow("cancelled") << "" << 112;
}

void TestReturnFile::readPassword()
{
    QFETCH(QString, answer);
    QFETCH(int, code);
    auto family = makeSingleFamily();
    family->getTaxpayer()->m_readPassword = CString("Secret");
    const QByteArray bytes = writeFamily(*family);

    ScriptedPrompter prompter;
    if (answer.isEmpty())
        prompter.queueCancel();
    else
        prompter.queueText(answer);
    int result = -99;
    auto read = readFamily(bytes, result);
    QCOMPARE(result, code);
    QCOMPARE(prompter.records().size(), 1);
    const PromptRecord& prompt = prompter.records().first();
    QCOMPARE(prompt.kind, PromptKind::TextInput);
    QVERIFY(prompt.secret);
    QCOMPARE(prompt.title, QStringLiteral("Enter password to open file"));
    QCOMPARE(prompt.texts, (QStringList{QStringLiteral("Please enter the password for this return file"),
                                        QStringLiteral("This return file is protected by a password"),
                                        QStringLiteral("Press 'Cancel' button to cancel")}));
}

void TestReturnFile::olderVersions_data()
{
    QTest::addColumn<int>("version");
    QTest::addColumn<bool>("eligibleBarcode");
    // What the reader should find: ids from the file or drawn, the slip's
    // shared id, the marker word, notes, the password and a prompt.
    QTest::newRow("65700 no notes, no ids") << 65700 << false;
    QTest::newRow("65716 notes") << 65716 << false;
    QTest::newRow("65776 no marker runs") << 65776 << false;
    QTest::newRow("65777 marker runs") << 65777 << false;
    QTest::newRow("65855 no form ids") << 65855 << false;
    QTest::newRow("65856 form ids") << 65856 << false;
    QTest::newRow("65857 slip shared id") << 65857 << false;
    QTest::newRow("65865 no marker word") << 65865 << false;
    QTest::newRow("65866 marker word") << 65866 << false;
    QTest::newRow("65988 no reserved word") << 65988 << false;
    QTest::newRow("65989 reserved word") << 65989 << false;
    QTest::newRow("66033 password dropped") << 66033 << false;
    QTest::newRow("66034 password kept") << 66034 << false;
    QTest::newRow("66063 barcode looked past") << 66063 << true;
    QTest::newRow("66064 barcode blocks whole") << 66064 << true;
    QTest::newRow("66098 barcode blocks whole") << 66098 << true;
}

void TestReturnFile::olderVersions()
{
    QFETCH(int, version);
    QFETCH(bool, eligibleBarcode);
    RawRecord taxpayer = smallTaxpayer(version);
    taxpayer.password = CString("pw");
    if (eligibleBarcode) {
        taxpayer.barcode.t1Archive = QByteArray("T1 barcode records");
        taxpayer.barcode.statements = {QByteArray("T2125 records"), QByteArray(40, 'x')};
    }
    RawRecord spouse;
    spouse.version = version;
    spouse.province = 0;

    ScriptedPrompter prompter;
    prompter.queueText(QStringLiteral("PW"));
    int code = -99;
    auto family = readFamily(rawFamilyFile(taxpayer, spouse), code);
    QCOMPARE(code, 0);
    const IndividualTaxData* person = family->getTaxpayer();

    const bool ids = version > 65855;
    const QVector<ItemKey> head = itemKeys(*person).mid(0, 2);
    QCOMPARE(head.at(0), (ItemKey{'f', 93, ids ? 500 : 300, 0}));
    QCOMPARE(head.at(1), (ItemKey{'f', 1, ids ? 501 : 301, 0}));
    QCOMPARE(person->m_slipList.size(), size_t(1));
    QCOMPARE(person->m_slipList.front()->id, 502);
    QCOMPARE(person->m_slipList.front()->sharedId, version > 65856 ? 77 : 0);
    QCOMPARE(person->m_slipList.front()->data->findField(QStringLiteral("box14EmploymentIncome"))->text().toDouble(),
             42000.0);
    QCOMPARE(person->m_noteList.size(), size_t(version >= 65716 ? 1 : 0));
    QCOMPARE(person->m_markerWord, version > 65865 ? 7 : -100);
    QCOMPARE(QString(person->m_readPassword), version >= 66034 ? QStringLiteral("pw") : QString());
    QCOMPARE(textPromptCount(prompter), version >= 66034 ? 1 : 0);
    QCOMPARE(person->m_fileVersion, version);
    QCOMPARE(QString(person->GetFirstName()), QStringLiteral("Dee"));
}

void TestReturnFile::staleNextIdIsRaised()
{
    RawRecord taxpayer = smallTaxpayer(66098);
    taxpayer.nextId = 5; // below every id in the record
    RawRecord spouse;
    spouse.province = 0;
    int code = -99;
    auto family = readFamily(rawFamilyFile(taxpayer, spouse), code);
    QCOMPARE(code, 0);
    IndividualTaxData* person = family->getTaxpayer();
    QSet<int> ids;
    for (const ItemKey& key : itemKeys(*person))
        if (key.list != 'n')
            ids.insert(key.id);
    QCOMPARE(ids.size(), int(person->m_formList.size() + person->m_slipList.size()));
    QVERIFY(person->m_nextId > 502);

    // A negative next id: every id drawn from it is still at least 1.
    taxpayer.nextId = -40;
    taxpayer.forms[1].id = 0; // read as "draw one"
    family = readFamily(rawFamilyFile(taxpayer, spouse), code);
    QCOMPARE(code, 0);
    for (const ItemKey& key : itemKeys(*family->getTaxpayer()))
        if (key.list != 'n')
            QVERIFY2(key.id >= 1, qPrintable(describe(itemKeys(*family->getTaxpayer()))));
}

void TestReturnFile::laterVersionIsRefused()
{
    const QByteArray bytes = withFirstWord(writeFamily(*makeSingleFamily()), 66099);
    ScriptedPrompter prompter;
    int code = -99;
    auto family = readFamily(bytes, code);
    QCOMPARE(code, 111);
    QCOMPARE(prompter.records().size(), 1);
    QCOMPARE(prompter.records().first().title, QStringLiteral("voDarevivo 2020"));
    QCOMPARE(prompter.records().first().texts, QStringList{laterVersionReturnFileText()});
    QVERIFY(family->getTaxpayer()->m_formList.empty());
}

void TestReturnFile::badVersionWordIsDamage()
{
    const QByteArray bytes = withFirstWord(writeFamily(*makeSingleFamily()), 0x20232);
    ScriptedPrompter prompter;
    int code = -99;
    auto family = readFamily(bytes, code);
    QCOMPARE(code, 111);
    QCOMPARE(promptTexts(prompter), QStringList{damagedReturnFileText()});
    QCOMPARE(returnFileLoadMessage(code), QStringLiteral("Open return file failed!"));
    QVERIFY(family->getTaxpayer()->m_formList.empty());
}

void TestReturnFile::secondReturnSummaryIsDropped()
{
    RawRecord taxpayer = smallTaxpayer(66098);
    CTaxData_Form* second = keep(formObject(93));
    // The first summary keeps its place; the second is read and dropped,
    // and the items after it still line up.
    taxpayer.forms = {taxpayer.forms.at(1), taxpayer.forms.at(0), {93, 600, 0, second}};
    RawRecord spouse;
    spouse.province = 0;
    int code = -99;
    auto family = readFamily(rawFamilyFile(taxpayer, spouse), code);
    QCOMPARE(code, 0);
    IndividualTaxData* person = family->getTaxpayer();
    QCOMPARE(person->GetCountOfForm(93), 1);
    QVERIFY(static_cast<const IndividualTaxData*>(person)->GetFormData(93, 500) != nullptr);
    QCOMPARE(person->m_slipList.size(), size_t(1));
    QCOMPARE(person->m_noteList.size(), size_t(1));

    // Written again, the summary is the first form.
    QVERIFY(person->m_formList.front()->type != 93);
    writeFamily(*family);
    QCOMPARE(person->m_formList.front()->type, 93);
    QCOMPARE(person->m_formList.front()->id, 500);
}

void TestReturnFile::badItemsAndSpouseFailuresAreReported_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("code");
    QTest::newRow("form no factory makes") << "form" << -3;
    QTest::newRow("slip no factory makes") << "slip" << -4;
    QTest::newRow("province above 13") << "province" << 119;
    QTest::newRow("negative form count") << "count" << 111;
    QTest::newRow("huge barcode length") << "barcode" << 111;
    QTest::newRow("spouse record damaged") << "spouse" << 111;
    QTest::newRow("spouse with unknown slip") << "spouseslip" << -4;
    QTest::newRow("view state missing") << "tail" << 111;
    QTest::newRow("next id at the top of the range") << "nextid" << 111;
    QTest::newRow("form id at the top of the range") << "formid" << 111;
    QTest::newRow("slip id at the top of the range") << "slipid" << 111;
}

void TestReturnFile::badItemsAndSpouseFailuresAreReported()
{
    QFETCH(QString, fault);
    QFETCH(int, code);
    RawRecord taxpayer = smallTaxpayer(66098);
    RawRecord spouse;
    spouse.province = 0;
    if (fault == "form")
        taxpayer.forms.append({177, 700, 0, keep(formObject(1))});
    if (fault == "slip")
        taxpayer.slips.append({12, 701, 0, keep(slipObject(1))});
    if (fault == "spouseslip")
        spouse.slips.append({12, 701, 0, keep(slipObject(1))});
    if (fault == "province")
        taxpayer.province = 14;
    if (fault == "spouse")
        spouse.version = 0x30000;
    if (fault == "nextid")
        taxpayer.nextId = 0x7fffffff;
    if (fault == "formid")
        taxpayer.forms[1].id = 0x7fffffff;
    if (fault == "slipid")
        taxpayer.slips[0].id = 0x7ffffffe;
    QByteArray bytes = rawFamilyFile(taxpayer, spouse);
    if (fault == "count" || fault == "barcode") {
        // Rewrite one word of the taxpayer's record in place.
        QByteArray record;
        MyDataStream out(&record, QIODevice::WriteOnly);
        taxpayer.write(out);
        const int at = fault == "count" ? bytes.indexOf(QByteArray::fromHex("09000000")) + 4
                                        : record.size() - 12;
        qToLittleEndian(qint32(fault == "count" ? -5 : 0x7fffffff), bytes.data() + at);
    }
    if (fault == "tail")
        bytes.chop(8);

    ScriptedPrompter prompter;
    int result = -99;
    auto family = readFamily(bytes, result);
    QCOMPARE(result, code);
    QVERIFY(!returnFileLoadMessage(result).isEmpty());
}

void TestReturnFile::truncationAtEveryOffsetFailsCleanly()
{
    RawRecord taxpayer = smallTaxpayer(66098);
    taxpayer.barcode.t1Archive = QByteArray("T1");
    taxpayer.barcode.statements = {QByteArray("S")};
    RawRecord spouse;
    spouse.province = 0;
    const QByteArray whole = rawFamilyFile(taxpayer, spouse);
    QVERIFY(whole.size() < 20000);

    ScriptedPrompter prompter;
    int code = -99;
    readFamily(whole, code);
    QCOMPARE(code, 0);
    for (int size = 0; size < whole.size(); ++size) {
        prompter.clear();
        auto family = readFamily(whole.left(size), code);
        if (code == 0)
            QFAIL(qPrintable(QStringLiteral("a file cut at %1 of %2 bytes was read as whole").arg(size).arg(whole.size())));
    }
}

void TestReturnFile::missingPluginIsRefusedAndFileKept()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lee.r24"));
    auto family = makeCoupledFamily();
    QCOMPARE(family->saveToFile(CString(path), 2), 0);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    QTemporaryDir noPlugins;
    CMultiProvsTaxMgr::setPluginFolder(noPlugins.path());
    ScriptedPrompter prompter;
    int code = -99;
    std::unique_ptr<CFamilyTaxData> read(CFamilyTaxData::serializeFromFile(CString(path), code));
    CMultiProvsTaxMgr::setPluginFolder(QString());
    QCOMPARE(code, 120);
    QCOMPARE(promptTexts(prompter), QStringList{missingPluginReturnFileText(kOntario)});
    QVERIFY(read);
    // Whatever a caller does with it, the half-read family is never written.
    QString error;
    QCOMPARE(read->saveToFile(CString(path), 2, &error), int(RFL_FORMS_LOST_ON_READING));
    QVERIFY(!error.isEmpty());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
    file.close();

    // With the plug-ins back, the same file opens.
    read.reset(CFamilyTaxData::serializeFromFile(CString(path), code));
    QCOMPARE(code, 0);
    QVERIFY(read->getTaxpayer()->GetT1());

    // A record with forms but no province is refused the same way.
    RawRecord noProvince = smallTaxpayer(66098);
    noProvince.province = 0;
    RawRecord spouse;
    spouse.province = 0;
    auto orphan = readFamily(rawFamilyFile(noProvince, spouse), code);
    QCOMPARE(code, 120);
}

void TestReturnFile::failedSaveKeepsOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cy.r24"));
    auto family = makeSingleFamily();
    QCOMPARE(family->saveToFile(CString(path), 2), 0);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    // A family that cannot be written whole leaves the earlier file alone.
    family->getTaxpayer()->m_province = 0;
    QString error;
    QCOMPARE(family->saveToFile(CString(path), 2, &error), int(RFL_TAXPAYER_NO_PROVINCE));
    QVERIFY(!error.isEmpty());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
    file.close();
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("cy.r24")});

    // A coupled family whose spouse holds forms but lost the province would
    // write a record that no reader can open: nothing is written either.
    auto coupled = makeCoupledFamily();
    QCOMPARE(coupled->saveToFile(CString(path), 2), 0);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray coupledBytes = file.readAll();
    file.close();
    coupled->getSpouse()->m_province = 0;
    QCOMPARE(coupled->saveToFile(CString(path), 2, &error), int(RFL_SPOUSE_NO_PROVINCE));
    QVERIFY(error.contains(QStringLiteral("spouse")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), coupledBytes);
    file.close();

    // A folder that does not exist: reported, nothing written.
    QCOMPARE(family->saveToFile(CString(dir.filePath(QStringLiteral("none/cy.r24"))), 2, &error),
             int(RFL_WRITE_FAILED));
    QVERIFY(!error.isEmpty());
}

void TestReturnFile::missingFileGives107()
{
    int code = -99;
    CFamilyTaxData* family = CFamilyTaxData::serializeFromFile(CString("/nonexistent/x.r24"), code);
    QVERIFY(!family);
    QCOMPARE(code, 107);
}

void TestReturnFile::keptFuzzInputsReadWithoutHarm()
{
    // Inputs the reader's fuzz target found or started from: each ends with a
    // code; one that reads as whole writes and reads back as whole.
    const QString folder = QStringLiteral(VR_TESTS_SOURCE_DIR "/fixtures/returnfile");
    QVERIFY(!folder.isEmpty());
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files);
    QVERIFY(!files.isEmpty());
    ScriptedPrompter prompter;
    QTemporaryDir dir;
    for (const QFileInfo& info : files) {
        int code = -99;
        std::unique_ptr<CFamilyTaxData> family(CFamilyTaxData::serializeFromFile(CString(info.filePath()), code));
        QVERIFY2(family, qPrintable(info.fileName()));
        if (code != 0)
            continue;
        const QString copy = dir.filePath(info.fileName());
        QVERIFY2(family->saveToFile(CString(copy), 2) == 0, qPrintable(info.fileName()));
        family.reset(CFamilyTaxData::serializeFromFile(CString(copy), code));
        QVERIFY2(code == 0, qPrintable(info.fileName()));
    }
}

QTEST_GUILESS_MAIN(TestReturnFile)
#include "tst_returnfile.moc"
