#include <QtTest>

#include "model/cfamilytaxdata.h"
#include "windowfixture.h"

// Help > "Generate Print Files": Yes writes the test print file, No writes
// no return file.
class TestGeneratePrint : public QObject
{
    Q_OBJECT
private slots:
    void answerDecidesTheTestFile_data();
    void answerDecidesTheTestFile();
};

void TestGeneratePrint::answerDecidesTheTestFile_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

void TestGeneratePrint::answerDecidesTheTestFile()
{
    QFETCH(bool, yes);
    WindowFixture f("EnableGenPrint=1\n");
    QVERIFY(f.ready);
    const QString path = TabWndApp::testPrintFilePath();
    QVERIFY(path.startsWith(f.home.path()));
    QFile::remove(path);
    f.prompter->queueYes(yes);
    QAction* action = f.window->findChild<QAction*>("actionGeneratePrintFiles");
    QVERIFY(action);
    // No return needs to be open.
    action->trigger();
    QCOMPARE(f.prompter->records().first().texts.join(""), QString("Creat test data file?"));
    QCOMPARE(QFile::exists(path), yes);
    if (yes) {
        int code = -1;
        std::unique_ptr<CFamilyTaxData> family(CFamilyTaxData::serializeFromFile(CString(path), code));
        QCOMPARE(code, 0);
        QVERIFY(family && family->getTaxpayer()->m_formList.size() > 10);
        family->FreeData();
    }
}

QTEST_APPLESS_MAIN(TestGeneratePrint)
#include "tst_generateprint.moc"
