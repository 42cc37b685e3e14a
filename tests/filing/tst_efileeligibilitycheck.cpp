// The filing road's check before a return is built: what a test run leaves
// out is told first, then the first refusal stops the filing; ReFILE
// refusals come before the others.
#include <QtTest>

#include "common/featurecontextfixture.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "filing/efileeligibilitycheck.h"
#include "model/cfamilytaxdata.h"
#include "model/filingtestmode.h"

namespace {

struct Family
{
    CFamilyTaxData family;
    explicit Family(const char* sin)
    {
        NewReturnBasicData data;
        data.FirstName = CString("Jean");
        data.LastName = CString("Tremblay");
        data.sin = CString(sin);
        data.dob = QDate(1975, 6, 15);
        data.TaxPronv = 9;
        data.MaritalStatus = 5;
        family.NewData(&data);
    }
};

QStringList shown(const ScriptedPrompter& prompter)
{
    QStringList texts;
    for (const PromptRecord& record : prompter.records())
        texts << record.texts;
    return texts;
}

} // namespace

class TestEfileEligibilityCheck : public QObject
{
    Q_OBJECT
private slots:
    void cases_data();
    void cases();
};

void TestEfileEligibilityCheck::cases_data()
{
    QTest::addColumn<QString>("sin");
    QTest::addColumn<bool>("directDeposit");
    QTest::addColumn<bool>("testRun");
    QTest::addColumn<bool>("refileImmigrant");
    QTest::addColumn<bool>("goesOn");
    QTest::addColumn<QStringList>("told");
    const QString sin08 = "Tax return which has SIN number starting with 09 or 08 is not eligible for Direrad.";
    const QString skip = "Direrad will skip T1DD form.";
    QTest::newRow("eligible") << "123456782" << false << false << false << true << QStringList();
    QTest::newRow("refused: first refusal only") << "080000009" << true << false << false << false
                                                  << QStringList{sin08};
    QTest::newRow("test run: note, then refusal") << "080000009" << true << true << false << false
                                                   << QStringList{skip, sin08};
    QTest::newRow("test run: note, goes on") << "123456782" << true << true << false << true << QStringList{skip};
    QTest::newRow("ReFILE refusal first")
        << "080000009" << false << false << true << false
        << QStringList{"Re-File is not allowed for tax return of an immigrant or emigrant in the tax year."};
}

void TestEfileEligibilityCheck::cases()
{
    QFETCH(QString, sin);
    QFETCH(bool, directDeposit);
    QFETCH(bool, testRun);
    QFETCH(bool, refileImmigrant);
    QFETCH(bool, goesOn);
    QFETCH(QStringList, told);
    Family jean(qPrintable(sin));
    if (directDeposit)
        QVERIFY(jean.family.NewFormDataItem(FORM_T1DD, 0, true, 0, true));
    if (refileImmigrant)
        jean.family.getCurIndvTaxData()->GetT1()->EntryDate.m_value = QDate(2024, 5, 1);
    FeatureContextFixture fixture;
    fixture.context.family = &jean.family;
    setFilingTestMode(testRun);
    const bool result = checkOnlineFilingEligibility(fixture.context, 2, refileImmigrant);
    setFilingTestMode(false);
    QCOMPARE(result, goesOn);
    QCOMPARE(shown(fixture.prompter), told);
    for (const PromptRecord& record : fixture.prompter.records())
        QCOMPARE(record.title, gMsgTitle(FeatureContextFixture::kEdition));
}

QTEST_GUILESS_MAIN(TestEfileEligibilityCheck)
#include "tst_efileeligibilitycheck.moc"
