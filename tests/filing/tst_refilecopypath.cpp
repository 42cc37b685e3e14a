// The name of the amended copy that the ReFILE set-up writes beside the
// filed return, and the set-up's refusals, on the model alone.
#include <QtTest>

#include "common/featurecontextfixture.h"
#include "efilefixture.h"
#include "filing/refilesetup.h"
#include "model/cfamilytaxdata.h"
#include "model/dialogrecords.h"

#include <QSet>

namespace {

const QDateTime kNow(QDate(2025, 3, 2), QTime(14, 5, 7));

} // namespace

class TestReFileCopyPath : public QObject
{
    Q_OBJECT
private slots:
    void copyPath_data();
    void copyPath();
    void setUpStopsBeforeTheFile_data();
    void setUpStopsBeforeTheFile();
};

void TestReFileCopyPath::copyPath_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QStringList>("taken");
    QTest::addColumn<QString>("copy");
    QTest::newRow("lower-case suffix")
        << "/home/j/Tremblay.r24" << QStringList() << "/home/j/Tremblay_RF2503021405.r24";
    QTest::newRow("upper-case suffix") << "/home/j/T.R24" << QStringList() << "/home/j/T_RF2503021405.r24";
    QTest::newRow("folder holding .r24") << "a.r24dir/T.r24" << QStringList() << "a.r24dir/T_RF2503021405.r24";
    QTest::newRow("no suffix") << "/home/j/T" << QStringList() << "/home/j/T_RF2503021405.r24";
    QTest::newRow("last year's suffix") << "/home/j/T.r23" << QStringList() << "/home/j/T.r23_RF2503021405.r24";
    QTest::newRow("a copy set up again")
        << "/home/j/T_RF2503021405.r24" << QStringList() << "/home/j/T_RF2503021405_RF2503021405.r24";
    QTest::newRow("same minute: seconds")
        << "/home/j/T.r24" << QStringList{"/home/j/T_RF2503021405.r24"} << "/home/j/T_RF250302140507.r24";
    QTest::newRow("same second: counter")
        << "/home/j/T.r24" << QStringList{"/home/j/T_RF2503021405.r24", "/home/j/T_RF250302140507.r24"}
        << "/home/j/T_RF250302140507_2.r24";
    QTest::newRow("no file name") << "/home/j/" << QStringList() << "";
}

void TestReFileCopyPath::copyPath()
{
    QFETCH(QString, source);
    QFETCH(QStringList, taken);
    QFETCH(QString, copy);
    const QSet<QString> inUse(taken.begin(), taken.end());
    QCOMPARE(reFileCopyPath(source, kNow, [&](const QString& path) { return inUse.contains(path); }), copy);
}

void TestReFileCopyPath::setUpStopsBeforeTheFile_data()
{
    QTest::addColumn<bool>("agree");
    QTest::addColumn<bool>("emigrant");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("told");
    QTest::newRow("restrictions declined") << false << false << "/tmp/T.r24" << QStringList();
    QTest::newRow("emigrant")
        << true << true << "/tmp/T.r24"
        << QStringList{"Re-File is not allowed for tax return of an immigrant or emigrant in the tax year."};
    QTest::newRow("never saved") << true << false << "" << QStringList{"Please save current return to a file first!"};
}

void TestReFileCopyPath::setUpStopsBeforeTheFile()
{
    QFETCH(bool, agree);
    QFETCH(bool, emigrant);
    QFETCH(QString, file);
    QFETCH(QStringList, told);
    efilefixture::useSoftwareCodes();
    CFamilyTaxData family;
    NewReturnBasicData record;
    record.FirstName = "Jean";
    record.LastName = "Tremblay";
    record.sin = "123456782";
    record.TaxPronv = 9;
    record.MaritalStatus = 5;
    family.NewData(&record);
    family.Calculate(-1, nullptr);
    if (emigrant)
        family.getTaxpayer()->GetT1()->DepartureDate.m_value = QDate(2024, 8, 1);
    FeatureContextFixture f;
    f.context.family = &family;
    bool moved = false;
    ReFileEnvironment env;
    env.agreeToRestrictions = [agree] { return agree; };
    env.returnFilePath = [file] { return file; };
    env.moveToFile = [&moved](const QString&) { moved = true; };
    ReFileSetup(f.context, env).prepare();
    QStringList shown;
    for (const PromptRecord& record : f.prompter.records())
        shown << record.texts.join("\n");
    QCOMPARE(shown, told);
    QVERIFY(!moved);
    QCOMPARE(family.getTaxpayer()->GetT1()->ReFileFlag.m_value, 0);
}

QTEST_GUILESS_MAIN(TestReFileCopyPath)
#include "tst_refilecopypath.moc"
