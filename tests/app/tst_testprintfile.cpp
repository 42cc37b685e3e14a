#include <QtTest>

#include <QSet>

#include "app/tabwndapp.h"
#include "common/scriptedprompter.h"
#include "common/testhome.h"
#include "companion/forms/mydatastream.h"
#include "companion/forms/reservedarea.h"
#include "model/cfamilytaxdata.h"

#include <memory>

namespace {

struct RecordHead
{
    qint32 version = 0, year = 0, markerWord = 0, nextId = 0, province = 0, formCount = 0;
    QList<qint32> formIds;
};

// The head of the file's first record and the ids of its forms; each form's
// data is a self-delimiting block, skipped by its length.
bool readTaxpayerHead(const QString& path, RecordHead& head)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    MyDataStream in(&file);
    qint32 reserved = 0;
    in >> head.version >> head.year >> reserved >> head.markerWord;
    CReservedArea area;
    if (!area.readFromArchive(in))
        return false;
    in >> head.nextId >> head.province >> head.formCount;
    for (qint32 i = 0; i < head.formCount && in.status() == QDataStream::Ok; ++i) {
        qint32 type = 0, id = 0, shared = 0;
        quint32 length = 0;
        in >> type >> id >> shared >> length;
        head.formIds << id;
        in.skipRawData(int(length));
    }
    return in.status() == QDataStream::Ok;
}

} // namespace

class TestTestPrintFile : public QObject
{
    Q_OBJECT
private slots:
    void twoRunsLeaveOneFileWithRealIds();
    void failedWriteIsReported();
    void opensLikeAnyReturnFile();
};

void TestTestPrintFile::twoRunsLeaveOneFileWithRealIds()
{
    TestHome home;
    ScriptedPrompter prompter;
    QCOMPARE(TabWndApp::createTestPrintFile(), 0);
    const QString path = TabWndApp::testPrintFilePath();
    QCOMPARE(path, home.path() + QStringLiteral("/Documents/testprint.r24"));
    QFile first(path);
    QVERIFY(first.open(QIODevice::ReadOnly));
    const QByteArray firstRun = first.readAll();
    first.close();

    QCOMPARE(TabWndApp::createTestPrintFile(), 0);
    QCOMPARE(QDir(home.path() + QStringLiteral("/Documents")).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("testprint.r24")});
    QVERIFY(prompter.records().isEmpty());

    RecordHead head;
    QVERIFY(readTaxpayerHead(path, head));
    QCOMPARE(head.version, 66098);
    QCOMPARE(head.year, 2024);
    QCOMPARE(head.markerWord, 1);
    QVERIFY(head.province >= 1 && head.province <= 13);
    QVERIFY2(head.formCount > 50, qPrintable(QString::number(head.formCount)));
    // Every form has an id of its own, all below the next id.
    const QSet<qint32> distinct(head.formIds.begin(), head.formIds.end());
    QCOMPARE(distinct.size(), head.formIds.size());
    for (qint32 id : head.formIds)
        QVERIFY(id >= 100 && id < head.nextId);

    QFile second(path);
    QVERIFY(second.open(QIODevice::ReadOnly));
    QCOMPARE(second.size(), qint64(firstRun.size()));
}

void TestTestPrintFile::failedWriteIsReported()
{
    TestHome home;
    // A file where the documents folder should be: nothing can be written.
    QFile blocker(home.path() + QStringLiteral("/Documents"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ScriptedPrompter prompter;
    QVERIFY(TabWndApp::createTestPrintFile() != 0);
    QCOMPARE(prompter.records().size(), 1);
    QVERIFY(prompter.records().first().texts.join(' ').contains(QStringLiteral("testprint.r24")));
}

void TestTestPrintFile::opensLikeAnyReturnFile()
{
    TestHome home;
    ScriptedPrompter prompter;
    QCOMPARE(TabWndApp::createTestPrintFile(), 0);
    RecordHead head;
    QVERIFY(readTaxpayerHead(TabWndApp::testPrintFilePath(), head));

    int code = -99;
    std::unique_ptr<CFamilyTaxData> family(
        CFamilyTaxData::serializeFromFile(CString(TabWndApp::testPrintFilePath()), code));
    QCOMPARE(code, 0);
    QVERIFY(family);
    IndividualTaxData* taxpayer = family->getTaxpayer();
    QVERIFY(taxpayer->GetT1());
    // Every form written comes back (reading may add the forms a return
    // must hold, never lose one).
    QVERIFY2(taxpayer->GetCountOfForm(0) >= head.formCount,
             qPrintable(QStringLiteral("%1 of %2").arg(taxpayer->GetCountOfForm(0)).arg(head.formCount)));
    QVERIFY(prompter.records().isEmpty());
}

QTEST_MAIN(TestTestPrintFile)
#include "tst_testprintfile.moc"
