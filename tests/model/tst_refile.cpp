// ReFILE of an amended return: preparing it keeps a copy of the return
// summary, the refusals before filing, the survey of amounts an online
// amendment may not change, and un-setting it.
#include <QtTest>

#include "companion/forms/t1/taxdata_t1ksnew.h"
#include "efilepersonfixture.h"
#include "model/refilecompare.h"

namespace {

constexpr unsigned char kDirerad = 2;
constexpr unsigned char kEfile = 1;

const char kProtected[] = "Re-File cannot change pension-split amount (Field 11600/21000), or non-capital "
                          "loss/capital loss (Field 25200/25300) amount.";
const char kImmigrant[] = "Re-File is not allowed for tax return of an immigrant or emigrant in the tax year.";
const char kBankruptcy[] = "Re-File cannot change a return with regard to bankruptcy.";
const char kNoSnapshot[] = "Re-File data return file doesn't function properly, please send return file to mykestrova "
                           "support for help.";

QStringList texts(const std::list<CString>& list)
{
    QStringList out;
    for (const CString& text : list)
        out << QString(text);
    return out;
}

// A filed return with its summary as the calculation leaves it.
struct FiledReturn : EfilePerson
{
    FiledReturn()
    {
        summary().line15000.m_value = 52000.0;
        summary().line25200.m_value = 1500.0;
        t1().FilingStatus.m_value = 1;
        t1().FilingResultText.m_value = CString("XK47Q9");
    }
    TaxData_T1KSNew& summary()
    {
        auto* form = qobject_cast<TaxData_T1KSNew*>(person.GetFormData(FORM_T1KS, true));
        return *form;
    }
};

} // namespace

class TestReFile : public QObject
{
    Q_OBJECT
private slots:
    void preparingWithoutSummaryChangesNothing();
    void preparingKeepsTheSummary();
    void survey_data();
    void survey();
    void surveyWithoutSnapshot();
    void refusals_data();
    void refusals();
    void unsetKeepsTheStatus();
    void compareMapLookup();
    void snapshotStaysNeededWhileSet();
};

void TestReFile::preparingWithoutSummaryChangesNothing()
{
    EfilePerson jean;
    if (CTaxData_Form* summary = jean.person.GetFormData(FORM_T1KS, false))
        jean.person.RemoveFormData(summary, true);
    QVERIFY(!jean.person.HasForm(FORM_T1KS));
    jean.t1().FilingStatus.m_value = 1;
    QCOMPARE(jean.person.prepareForReFile(), -1);
    QCOMPARE(jean.t1().ReFileFlag.m_value, 0);
    QCOMPARE(jean.t1().FilingStatus.m_value, 1);
    QVERIFY(!jean.person.HasForm(FORM_T1KS_REFILE));
}

void TestReFile::preparingKeepsTheSummary()
{
    FiledReturn jean;
    QCOMPARE(jean.person.prepareForReFile(), 0);
    QCOMPARE(jean.t1().ReFileFlag.m_value, 1);
    QCOMPARE(jean.t1().FilingStatus.m_value, 2);
    // The first filing's confirmation is still the return's.
    QCOMPARE(QString(jean.t1().FilingResultText.m_value), QStringLiteral("XK47Q9"));
    auto* kept = qobject_cast<TaxData_T1KSNew*>(jean.person.GetFormData(FORM_T1KS_REFILE, false));
    QVERIFY(kept);
    QCOMPARE(kept->getType(), int(FORM_T1KS_REFILE));
    QCOMPARE(kept->line15000.m_value, 52000.0);

    // Preparing again keeps the summary as it is then.
    jean.summary().line15000.m_value = 53000.0;
    QCOMPARE(jean.person.prepareForReFile(), 0);
    QCOMPARE(kept->line15000.m_value, 53000.0);
    QCOMPARE(jean.person.GetCountOfForm(FORM_T1KS_REFILE), 1);
}

void TestReFile::survey_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<double>("change");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("non-capital loss 25200") << "line25200" << 100.0 << QStringList{kProtected};
    QTest::newRow("net capital loss 25300") << "line25300" << 40.0 << QStringList{kProtected};
    QTest::newRow("split pension 11600") << "line11600" << 2000.0 << QStringList{kProtected};
    QTest::newRow("split pension deduction 21000") << "line21000" << 2000.0 << QStringList{kProtected};
    QTest::newRow("total income 15000") << "line15000" << 900.0 << QStringList();
    QTest::newRow("a fraction of a cent") << "line25200" << 0.005 << QStringList();
}

void TestReFile::survey()
{
    QFETCH(QString, field);
    QFETCH(double, change);
    QFETCH(QStringList, expected);
    FiledReturn jean;
    QCOMPARE(jean.person.prepareForReFile(), 0);
    auto* line = dynamic_cast<CFloatField*>(jean.summary().findField(field));
    QVERIFY(line);
    line->m_value += change;
    std::list<CString> messages;
    QCOMPARE(jean.person.DoSurveyBeforeReFile(messages), expected.size());
    QCOMPARE(texts(messages), expected);
}

void TestReFile::surveyWithoutSnapshot()
{
    FiledReturn jean;
    std::list<CString> messages;
    QCOMPARE(jean.person.DoSurveyBeforeReFile(messages), 1);
    QCOMPARE(texts(messages), QStringList{kNoSnapshot});
}

void TestReFile::refusals_data()
{
    QTest::addColumn<QDate>("entry");
    QTest::addColumn<QDate>("departure");
    QTest::addColumn<int>("bankruptcyPeriod");
    QTest::addColumn<QDate>("bankruptcy");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("resident") << QDate() << QDate() << 0 << QDate() << int(kDirerad) << QStringList();
    QTest::newRow("immigrant, DIRERAD") << QDate(2024, 4, 1) << QDate() << 0 << QDate() << int(kDirerad)
                                        << QStringList{kImmigrant};
    QTest::newRow("immigrant, EFILE") << QDate(2024, 4, 1) << QDate() << 0 << QDate() << int(kEfile) << QStringList();
    QTest::newRow("emigrant, EFILE") << QDate() << QDate(2024, 9, 1) << 0 << QDate() << int(kEfile)
                                     << QStringList{kImmigrant};
    QTest::newRow("post-bankrupt emigrant") << QDate() << QDate(2024, 9, 1) << 1 << QDate(2024, 3, 1) << int(kDirerad)
                                            << QStringList{kBankruptcy};
}

void TestReFile::refusals()
{
    QFETCH(QDate, entry);
    QFETCH(QDate, departure);
    QFETCH(int, bankruptcyPeriod);
    QFETCH(QDate, bankruptcy);
    QFETCH(int, mode);
    QFETCH(QStringList, expected);
    EfilePerson jean;
    jean.t1().EntryDate.m_value = entry;
    jean.t1().DepartureDate.m_value = departure;
    jean.t1().BankruptcyDate.m_value = bankruptcy;
    jean.t1().BankruptcyPeriod.m_value = bankruptcyPeriod;
    std::list<CString> messages;
    QCOMPARE(jean.person.IsEligibleForReFile((unsigned char)mode, messages), expected.size());
    QCOMPARE(texts(messages), expected);
}

void TestReFile::unsetKeepsTheStatus()
{
    FiledReturn jean;
    QCOMPARE(jean.person.prepareForReFile(), 0);
    jean.person.UnsetReFile();
    QCOMPARE(jean.t1().ReFileFlag.m_value, 0);
    QCOMPARE(jean.t1().FilingStatus.m_value, 2);
    QVERIFY(jean.person.HasForm(FORM_T1KS_REFILE));

    // A return never prepared is left as it was.
    FiledReturn never;
    never.person.UnsetReFile();
    QCOMPARE(never.t1().ReFileFlag.m_value, 0);
    QCOMPARE(never.t1().FilingStatus.m_value, 1);
}

void TestReFile::compareMapLookup()
{
    ReFileCompareMap map;
    map[252] = {100.0, 0.0};
    const int fields[] = {116, 210, 252, 253};
    QVERIFY(foundFieldNumberInReFileCompareMap(map, fields, 4));
    QVERIFY(!foundFieldNumberInReFileCompareMap(map, fields, 2));
    QVERIFY(!foundFieldNumberInReFileCompareMap(map, fields, 0));
    QVERIFY(!foundFieldNumberInReFileCompareMap(map, fields, -3));
}

void TestReFile::snapshotStaysNeededWhileSet()
{
    FiledReturn jean;
    QCOMPARE(jean.person.prepareForReFile(), 0);
    QVERIFY(jean.person.IsFormNeeded(FORM_T1KS_REFILE));
    jean.person.UnsetReFile();
    QVERIFY(!jean.person.IsFormNeeded(FORM_T1KS_REFILE));
}

QTEST_GUILESS_MAIN(TestReFile)
#include "tst_refile.moc"
