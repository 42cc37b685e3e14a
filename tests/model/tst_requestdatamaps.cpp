// The values of the filing requests' templates for one person (DIRERAD and
// EFILE): identity, the first-time filer's names or the access code, the
// test case, and the preparer's and signing data. Fixture: Jean Tremblay.
#include <QtTest>

#include "companion/core/templatefill.h"
#include "companion/core/templatevaluemap.h"
#include "companion/forms/dependantinfostruct.h"
#include "companion/forms/federal/mirroring.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "model/individualtaxdata.h"
#include "model/filingtestmode.h"
#include "model/preparerinfo.h"

namespace {

struct Jean
{
    DependantInfoStruct dependants{12};
    IndividualTaxData person{0, &dependants};
    Jean()
    {
        person.NewData(9, CString(" Jean "), CString("Tremblay"), CString("123456782"), QDate(1975, 6, 15), 5,
                       CString(), CString(), CString(), QDate(), false);
        t1().Email.m_value = CString(" jean@example.ca ");
    }
    TaxData_T1New& t1() { return *person.GetT1(); }
    template <typename Form>
    Form* add(int type)
    {
        STRUCT_FORMDATA_ITEM_2004* item = person.NewFormDataItem(ENUMTYPE_FORM(type), 0, true, 0, true);
        return item ? qobject_cast<Form*>(item->data) : nullptr;
    }
};

QStringList keysOf(const TemplateValueMap& values)
{
    QStringList keys;
    for (const auto& entry : values)
        keys << QString::fromStdString(entry.first);
    return keys;
}

QString valueOf(const TemplateValueMap& values, const char* key)
{
    const auto found = values.find(key);
    return found == values.end() ? QStringLiteral("<absent>") : static_cast<QString>(found->second);
}

} // namespace

class TestRequestDataMaps : public QObject
{
    Q_OBJECT
private slots:
    void firstTimeFilerSendsNames();
    void filedBeforeSendsAccessCodeOnly_data();
    void filedBeforeSendsAccessCodeOnly();
    void testCase_data();
    void testCase();
    void namesAreEscapedOnceWhenFilled();
    void efileWithSignedT183AndRC71();
    void efileWithoutT183();
    void efileTestId_data();
    void efileTestId();
};

void TestRequestDataMaps::firstTimeFilerSendsNames()
{
    Jean jean;
    jean.t1().FirstTimeFilerAnswer.m_value = 0;
    jean.t1().SecondName.m_value = CString("  ");
    jean.t1().line48300Balance.m_value = -250;
    TemplateValueMap values;
    CString email;
    double balance = 0;
    jean.person.getDireradDataInfo(values, 1, email, balance, 0);
    QCOMPARE(keysOf(values), (QStringList{"agreement", "bod", "familyname", "firsttime", "givenname", "secondname", "sin"}));
    QCOMPARE(valueOf(values, "sin"), QStringLiteral("123456782"));
    QCOMPARE(valueOf(values, "bod"), QStringLiteral("1975-06-15"));
    QCOMPARE(valueOf(values, "agreement"), QStringLiteral("1"));
    QCOMPARE(valueOf(values, "firsttime"), QStringLiteral("1"));
    QCOMPARE(valueOf(values, "givenname"), QStringLiteral("Jean"));
    QCOMPARE(valueOf(values, "secondname"), QStringLiteral("X"));
    QCOMPARE(valueOf(values, "familyname"), QStringLiteral("Tremblay"));
    QCOMPARE(static_cast<QString>(email), QStringLiteral("jean@example.ca"));
}

void TestRequestDataMaps::filedBeforeSendsAccessCodeOnly_data()
{
    QTest::addColumn<QString>("accessCode");
    QTest::addColumn<QString>("sent");
    QTest::newRow("blank code") << "   " << "<absent>";
    QTest::newRow("code") << "AB12CD" << "AB12CD";
}

void TestRequestDataMaps::filedBeforeSendsAccessCodeOnly()
{
    QFETCH(QString, accessCode);
    QFETCH(QString, sent);
    Jean jean;
    jean.t1().FirstTimeFilerAnswer.m_value = 1;
    jean.t1().DireradAccessCode.m_value = CString(accessCode);
    TemplateValueMap values;
    CString email;
    double balance = 0;
    jean.person.getDireradDataInfo(values, 1, email, balance, 0);
    QCOMPARE(valueOf(values, "firsttime"), QStringLiteral("0"));
    QCOMPARE(valueOf(values, "accesscode"), sent);
    for (const char* name : {"givenname", "secondname", "familyname"})
        QVERIFY2(!values.count(name), name);
}

void TestRequestDataMaps::testCase_data()
{
    QTest::addColumn<int>("testCase");
    QTest::addColumn<QString>("sent");
    QTest::newRow("none") << 0 << "<absent>";
    QTest::newRow("negative") << -4 << "<absent>";
    QTest::newRow("case 17") << 17 << "17";
}

void TestRequestDataMaps::testCase()
{
    QFETCH(int, testCase);
    QFETCH(QString, sent);
    Jean jean;
    TemplateValueMap values;
    CString email;
    double balance = 0;
    jean.person.getDireradDataInfo(values, 0, email, balance, testCase);
    QCOMPARE(valueOf(values, "testcaseID"), sent);
}

void TestRequestDataMaps::namesAreEscapedOnceWhenFilled()
{
    Jean jean;
    jean.t1().FirstTimeFilerAnswer.m_value = 0;
    jean.t1().FirstName.m_value = CString("Anne & Marie");
    TemplateValueMap values;
    CString email;
    double balance = 0;
    jean.person.getDireradDataInfo(values, 1, email, balance, 0);
    std::string out;
    QCOMPARE(fillTemplateText(out, "<t1rq:GivenName>$$(givenname0)</t1rq:GivenName>", values, TemplateRequestPart), 0);
    QCOMPARE(out, std::string("<t1rq:GivenName>Anne &amp; Marie</t1rq:GivenName>"));
}

void TestRequestDataMaps::efileWithSignedT183AndRC71()
{
    PreparerInfo info = preparerInfo();
    info.BusinessEFileNum = CString("K1234");
    setPreparerInfo(info);
    Jean jean;
    jean.t1().FirstTimeFilerAnswer.m_value = 1;
    auto* t183 = jean.add<TaxData_T183New>(FORM_T183);
    auto* rc71 = jean.add<CTaxData_RC71>(FORM_RC71);
    QVERIFY(t183 && rc71);
    t183->RepresentativeAuthorized.m_value = 1;
    t183->RepresentativeExpiry.m_value = QDate(2025, 12, 31);
    t183->NOARetrievalAuthorized.m_value = 0;
    t183->PreAssessmentContact.m_value = 0;
    t183->PostAssessmentContact.m_value = 1;
    t183->ESigned.m_value = 1;
    t183->ESignedTime.m_value = CString("2025-03-02T09:15:40");
    rc71->DiscounterRegNumber.m_value = CString("D-77");
    TemplateValueMap values;
    jean.person.getEfileDataInfo(values, FORM_T1);
    QCOMPARE(valueOf(values, "efilerID"), QStringLiteral("K1234"));
    QVERIFY(values.count("efpasd"));
    QVERIFY(!valueOf(values, "dcn").isEmpty());
    QCOMPARE(valueOf(values, "firsttime"), QStringLiteral("0"));
    QVERIFY(!values.count("accesscode"));
    QCOMPARE(valueOf(values, "discounterRegNum"), QStringLiteral("D-77"));
    QCOMPARE(valueOf(values, "preparerRepresent"), QStringLiteral("1"));
    QCOMPARE(valueOf(values, "preparerRepresentExpDate"), QStringLiteral("2025-12-31"));
    QCOMPARE(valueOf(values, "ENOAFlag"), QStringLiteral("0"));
    QCOMPARE(valueOf(values, "precntctcode"), QStringLiteral("2"));
    QCOMPARE(valueOf(values, "postcntctcode"), QStringLiteral("3"));
    QCOMPARE(valueOf(values, "esigned_needed"), QStringLiteral(" "));
    QCOMPARE(valueOf(values, "esigned"), QStringLiteral("1"));
    QCOMPARE(valueOf(values, "esigndate"), QStringLiteral("2025-03-02"));
    QCOMPARE(valueOf(values, "esigntime"), QStringLiteral("09:15:40"));
    QCOMPARE(valueOf(values, "rc71_needed"), QStringLiteral(" "));
    QCOMPARE(valueOf(values, "rc71signed"), QStringLiteral("0"));
    QVERIFY(!values.count("rc71signdate"));

    // For another form than the return, no signing wrapper.
    TemplateValueMap forT1135;
    jean.person.getEfileDataInfo(forT1135, FORM_T1135);
    QVERIFY(!forT1135.count("esigned_needed"));
    QVERIFY(!forT1135.count("rc71_needed"));
    QCOMPARE(valueOf(forT1135, "ENOAFlag"), QStringLiteral("0"));
}

void TestRequestDataMaps::efileWithoutT183()
{
    Jean jean;
    TemplateValueMap values;
    jean.person.getEfileDataInfo(values, FORM_T1);
    for (const char* name : {"dcn", "ENOAFlag", "precntctcode", "postcntctcode", "esigned_needed"})
        QVERIFY2(!values.count(name), name);
    // So the request template refuses to fill rather than send a gap.
    std::string out;
    QCOMPARE(fillTemplateText(out, "<ef:Dcn>$$(dcn)</ef:Dcn>", values, TemplateRequestPart), int(TemplateMissingValue));
}

void TestRequestDataMaps::efileTestId_data()
{
    QTest::addColumn<QString>("testId");
    QTest::addColumn<QString>("sent");
    QTest::newRow("number") << "12" << "12";
    QTest::newRow("not a number") << "abc" << "<absent>";
    QTest::newRow("zero") << "0" << "<absent>";
}

void TestRequestDataMaps::efileTestId()
{
    QFETCH(QString, testId);
    QFETCH(QString, sent);
    Jean jean;
    TemplateValueMap values;
    values["testid"] = CString(testId);
    setFilingTestMode(true);
    jean.person.getEfileDataInfo(values, FORM_T1);
    setFilingTestMode(false);
    QCOMPARE(valueOf(values, "testcaseID"), sent);

    // Outside a test run no test case is ever sent.
    TemplateValueMap production;
    production["testid"] = CString(testId);
    jean.person.getEfileDataInfo(production, FORM_T1);
    QVERIFY(!production.count("testcaseID"));
}

QTEST_GUILESS_MAIN(TestRequestDataMaps)
#include "tst_requestdatamaps.moc"
