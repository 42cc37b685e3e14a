// The filing request record: the builder fills each field a form's request
// carries, and the composer's key table names exactly the placeholders the
// request templates use. Each field is read back from the composed request.
#include <QtTest>

#include "efilefixture.h"
#include "filing/filingrequest.h"
#include "filing/requestcompose.h"
#include "model/preparerinfo.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>

using namespace efilefixture;

namespace {

const char* const kEfilerNumber = "K1234";
const char* const kPassword = "p<w>d"; // escaped on the way out, read back whole
const char* const kSin = "123456782";

// The request composed for form: the EFILE head and tail around an empty
// return, or the T1013 or debit head and tail around an empty body. The
// EFILE values that come from the return itself are given plainly here.
QString composed(ENUMTYPE_FORM form, const FilingRequest& request)
{
    TemplateValueMap values;
    if (form == FORM_T1) {
        putFilingRequest(request, RequestTemplateFamily::Efile, values);
        for (const char* key : {"dcn", "ENOAFlag", "precntctcode", "postcntctcode", "firsttime"})
            values.setText(key, "1");
        values.setText("origip", "0.0.0.0");
        std::string text;
        if (ComposeEfileRequest(text, values, "<t1:T1Return/>") != RequestComposed)
            return QString();
        return QString::fromStdString(text);
    }
    putFilingRequest(request, RequestTemplateFamily::FormFiling, values);
    CString body("<formdata/>");
    CString text;
    if (GetT1013OrT183PadRequest(form == FORM_T1013, values, body, text) != 0)
        return QString();
    return text;
}

// The placeholder names of a template; an optional one ("name0") by the
// name it is looked up under.
QSet<QString> placeholdersOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(file.readAll());
    QSet<QString> names;
    static const QRegularExpression placeholder(QStringLiteral("\\$\\$\\(([A-Za-z0-9_]+)\\)"));
    auto it = placeholder.globalMatch(text);
    while (it.hasNext()) {
        QString name = it.next().captured(1);
        if (name.endsWith(QLatin1Char('0')))
            name.chop(1);
        names.insert(name);
    }
    return names;
}

} // namespace

class TestFilingRequest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void builderFillsEachField_data();
    void builderFillsEachField();
    void formsCarryOnlyTheirOwnFields();
    void keyTableMatchesTemplates_data();
    void keyTableMatchesTemplates();
};

void TestFilingRequest::initTestCase()
{
    PreparerInfo info;
    info.EfileSoftwareCode = "097";
    setPreparerInfo(info);
}

void TestFilingRequest::cleanupTestCase()
{
    setPreparerInfo(PreparerInfo());
}

void TestFilingRequest::builderFillsEachField_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<QStringList>("elements");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("EFILE return")
        << int(FORM_T1)
        << QStringList{"ef:TransmitterEfilerNumber", "ef:PasswordID", "ef:TaxPreparerEfilerNumber"}
        << QStringList{kEfilerNumber, kPassword, kEfilerNumber};
    QTest::newRow("T1013") << int(FORM_T1013) << QStringList{"wsse:Username", "wsse:Password", "type"}
                           << QStringList{kEfilerNumber, kPassword, "2024"};
    // The debit service's code is the EFILE code with a "P".
    QTest::newRow("pre-authorised debit")
        << int(FORM_T185)
        << QStringList{"padrq:TransmitterEfilerNumber", "padrq:PasswordIdentifier", "padrq:SoftwareIdentifier",
                       "padrq:SoftwareRevisionDate", "padrq:TaxpayerSocialInsuranceNumber"}
        << QStringList{kEfilerNumber, kPassword, "097P", "2024-12-13", kSin};
}

void TestFilingRequest::builderFillsEachField()
{
    QFETCH(int, form);
    QFETCH(QStringList, elements);
    QFETCH(QStringList, texts);
    const FilingRequest request = buildFilingRequest(ENUMTYPE_FORM(form), kEfilerNumber, kPassword, kSin);
    const QString text = composed(ENUMTYPE_FORM(form), request);
    QVERIFY2(!text.isEmpty(), "the request could not be composed");
    const ParsedDocument doc = parse(text);
    QVERIFY2(doc.wellFormed, qPrintable(doc.error));
    for (int i = 0; i < elements.size(); ++i) {
        QVERIFY2(doc.has(elements[i]), qPrintable(elements[i]));
        // An element the template repeats holds the same value each time.
        for (const QString& got : doc.texts.values(elements[i]))
            QCOMPARE(got, texts[i]);
    }
}

void TestFilingRequest::formsCarryOnlyTheirOwnFields()
{
    const FilingRequest t1 = buildFilingRequest(FORM_T1, kEfilerNumber, kPassword, kSin);
    QCOMPARE(QString(t1.efilerNumber), QString::fromLatin1(kEfilerNumber));
    QVERIFY(t1.taxYear.isEmpty() && t1.softwareCode.isEmpty() && t1.taxpayerSin.isEmpty());
    const FilingRequest t1013 = buildFilingRequest(FORM_T1013, kEfilerNumber, kPassword, kSin);
    QVERIFY(t1013.softwareCode.isEmpty() && t1013.softwareRevisionDate.isEmpty() && t1013.taxpayerSin.isEmpty());
    const FilingRequest debit = buildFilingRequest(FORM_T185, kEfilerNumber, kPassword, kSin);
    QVERIFY(debit.taxYear.isEmpty());
    // The T1135 goes without the preparer's placeholders being used, but an
    // empty number still fills the key rather than leaving it missing.
    TemplateValueMap values;
    putFilingRequest(buildFilingRequest(FORM_T1135, CString(), CString(), kSin), RequestTemplateFamily::FormFiling,
                     values);
    QVERIFY(values.find("efilerid") != values.end());
    QVERIFY(values["efilerid"].isEmpty());
}

void TestFilingRequest::keyTableMatchesTemplates_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<QStringList>("templates");
    QTest::addColumn<bool>("wholly");
    // The EFILE templates also take the return's own values, which the
    // model supplies: there the table's keys must be among the template's.
    QTest::newRow("EFILE") << int(RequestTemplateFamily::Efile)
                           << QStringList{":/net/net/ewspart1.xmt", ":/net/net/ewspartend.xmt"} << false;
    QTest::newRow("form filings") << int(RequestTemplateFamily::FormFiling)
                                  << QStringList{":/net/net/t1013wspart1.xmt", ":/net/net/t1013wspartend.xmt",
                                                 ":/net/net/t183padwspart1.xmt", ":/net/net/t183padwspartend.xmt"}
                                  << true;
}

void TestFilingRequest::keyTableMatchesTemplates()
{
    QFETCH(int, family);
    QFETCH(QStringList, templates);
    QFETCH(bool, wholly);
    QSet<QString> used;
    for (const QString& path : templates) {
        QVERIFY2(QFile::exists(path), qPrintable(path));
        used += placeholdersOf(path);
    }
    QVERIFY(!used.isEmpty());
    const QStringList keys = filingRequestKeys(RequestTemplateFamily(family));
    QVERIFY(!keys.isEmpty());
    for (const QString& key : keys)
        QVERIFY2(used.contains(key), qPrintable(QStringLiteral("no template uses %1").arg(key)));
    if (wholly) {
        for (const QString& name : used)
            QVERIFY2(keys.contains(name), qPrintable(QStringLiteral("the table has no field for %1").arg(name)));
    }
}

QTEST_GUILESS_MAIN(TestFilingRequest)
#include "tst_filingrequest.moc"
