// The SOAP requests of the filing services composed from their templates:
// the filed document cut out of the generated file, the envelope's values
// from the person's request map, escaped once, and the optional lines and
// blocks left out when their values are absent.
#include <QtTest>

#include "companion/forms/federal/mirroring.h"
#include "efilefixture.h"
#include "filing/requestcompose.h"
#include "model/filingtestmode.h"

using namespace efilefixture;

namespace {

std::string direradDocument(Taxpayer& jean)
{
    return static_cast<QString>(jean.document(kDirerad)).toStdString();
}

// The DIRERAD map as the submission fills it, with the exchange's address.
TemplateValueMap direradValues(Taxpayer& jean, int testCase = 0)
{
    TemplateValueMap values;
    CString email;
    double balance = 0.0;
    jean.person.getDireradDataInfo(values, 1, email, balance, testCase);
    values.setText("origip", "0.0.0.0");
    return values;
}

QString requestOf(const std::string& request) { return QString::fromStdString(request); }

// The element that directly holds each occurrence of name.
QStringList parentsOf(const QString& xml, const QString& name)
{
    QStringList parents, open;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            if (reader.qualifiedName() == name)
                parents << (open.isEmpty() ? QString() : open.last());
            open << reader.qualifiedName().toString();
        } else if (reader.isEndElement()) {
            open.removeLast();
        }
    }
    return parents;
}

} // namespace

class TestRequestCompose : public QObject
{
    Q_OBJECT
private slots:
    void direradRequestWrapsTheReturn();
    void firstTimeFilerNames();
    void filedBeforeWithoutAccessCode();
    void testCaseLine_data();
    void testCaseLine();
    void documentNotFound_data();
    void documentNotFound();
    void startMarkNeedsTheWholeName();
    void t1135StartTagKeepsItsAttributes();
    void efileWithoutT183CannotBeComposed();
    void efileUnsignedT183SendsIndicatorOnly();
    void t1013AndPadRequests_data();
    void t1013AndPadRequests();
};

void TestRequestCompose::direradRequestWrapsTheReturn()
{
    Taxpayer jean;
    // Other text before the return, as a generated file may hold.
    const std::string xml = "<!-- generated -->\r\n" + direradDocument(jean);
    TemplateValueMap values = direradValues(jean);
    values.setText("taxyear", "1999"); // the envelope's year is fixed
    std::string request;
    QCOMPARE(GetDireradRequest(true, values, xml, request), int(RequestComposed));
    const QString text = requestOf(request);
    const ParsedDocument doc = parse(text);
    QVERIFY2(doc.wellFormed, qPrintable(doc.error));
    QCOMPARE(doc.root, QStringLiteral("soapenv:Envelope"));
    QCOMPARE(doc.count("t1:T1Return"), 1);
    QCOMPARE(parentsOf(text, "t1:T1Return"), QStringList{"t1rq:TaxReturnForm"});
    QCOMPARE(parentsOf(text, "t1rq:TaxReturnForm"), QStringList{"t1rq:FileReturnRequest"});
    QCOMPARE(text.count(QStringLiteral("<?xml")), 1);
    QVERIFY(text.startsWith(QStringLiteral("<?xml")));
    QVERIFY(!text.contains(QStringLiteral("generated")));
    for (const QString& year : doc.texts.values(QStringLiteral("tp:TaxYear")))
        QCOMPARE(year, QStringLiteral("2024"));
    QCOMPARE(parentsOf(text, "tp:TaxYear").first(), QStringLiteral("t1rq:FileReturnRequest"));
    QCOMPARE(doc.text("tp:TaxpayerSocialInsuranceNumber"), QStringLiteral("123456782"));
    QCOMPARE(doc.text("t1rq:AgreementIndicator"), QStringLiteral("1"));
    QCOMPARE(doc.text("comm:OriginatingIP"), QStringLiteral("0.0.0.0"));
    QVERIFY(text.endsWith(QStringLiteral("</soapenv:Envelope>\r\n")));
}

void TestRequestCompose::firstTimeFilerNames()
{
    Taxpayer jean;
    jean.t1().FirstTimeFilerAnswer.m_value = 0;
    jean.t1().FirstName.m_value = CString("Anne & Marie");
    jean.t1().SecondName.m_value = CString();
    TemplateValueMap values = direradValues(jean);
    std::string request;
    QCOMPARE(GetDireradRequest(true, values, direradDocument(jean), request), int(RequestComposed));
    const QString text = requestOf(request);
    QVERIFY(text.contains(QStringLiteral("<comm:GivenName>Anne &amp; Marie</comm:GivenName>")));
    QVERIFY(text.contains(QStringLiteral("<t1rq:SecondName>X</t1rq:SecondName>")));
    QVERIFY(text.contains(QStringLiteral("<comm:FamilyName>Tremblay</comm:FamilyName>")));
    QVERIFY(text.contains(QStringLiteral("<comm:FirstTimeFilerIndicator>1</comm:FirstTimeFilerIndicator>")));
    QVERIFY(parse(text).wellFormed);
}

void TestRequestCompose::filedBeforeWithoutAccessCode()
{
    Taxpayer jean;
    jean.t1().DireradAccessCode.m_value = CString("   ");
    TemplateValueMap values = direradValues(jean);
    std::string request;
    QCOMPARE(GetDireradRequest(true, values, direradDocument(jean), request), int(RequestComposed));
    const QString text = requestOf(request);
    const ParsedDocument doc = parse(text);
    QVERIFY(doc.wellFormed);
    QVERIFY(text.contains(QStringLiteral("<comm:FirstTimeFilerIndicator>0</comm:FirstTimeFilerIndicator>")));
    QVERIFY(!doc.has("t1rq:DireradAccessCode"));
    // The return itself names the person; the envelope's tail does not.
    const QString tail = text.mid(text.indexOf(QStringLiteral("</t1rq:TaxReturnForm>")));
    QCOMPARE(tail, QStringLiteral("</t1rq:TaxReturnForm>\r\n</t1rq:FileReturnRequest>\r\n</soapenv:Body>\r\n"
                                  "</soapenv:Envelope>\r\n"));
}

void TestRequestCompose::testCaseLine_data()
{
    QTest::addColumn<int>("testCase");
    QTest::addColumn<QString>("line");
    QTest::newRow("none") << 0 << QString();
    QTest::newRow("case 12") << 12 << "<comm:TestCaseIdentifier>12</comm:TestCaseIdentifier>";
}

void TestRequestCompose::testCaseLine()
{
    QFETCH(int, testCase);
    QFETCH(QString, line);
    Taxpayer jean;
    TemplateValueMap values = direradValues(jean, testCase);
    std::string request;
    QCOMPARE(GetDireradRequest(true, values, direradDocument(jean), request), int(RequestComposed));
    const QString text = requestOf(request);
    if (line.isEmpty())
        QVERIFY(!text.contains(QStringLiteral("TestCaseIdentifier")));
    else
        QVERIFY(text.contains(line));
}

void TestRequestCompose::documentNotFound_data()
{
    QTest::addColumn<QString>("xml");
    QTest::newRow("no end tag") << "<?xml version=\"1.0\"?><t1:T1Return a=\"1\"><x/>";
    QTest::newRow("no start tag") << "<x/></t1:T1Return>";
    QTest::newRow("end before start") << "</t1:T1Return><t1:T1Return>";
    QTest::newRow("empty") << "";
}

void TestRequestCompose::documentNotFound()
{
    QFETCH(QString, xml);
    Taxpayer jean;
    TemplateValueMap values = direradValues(jean);
    std::string request = "left over";
    QCOMPARE(GetDireradRequest(true, values, xml.toStdString(), request), int(RequestHeadFailed));
    QCOMPARE(GetEfileRequest(true, values, xml.toStdString(), request), int(RequestHeadFailed));
}

void TestRequestCompose::startMarkNeedsTheWholeName()
{
    std::string document;
    QVERIFY(findFiledDocument(true, "<t1:T1ReturnX>a</t1:T1ReturnX><t1:T1Return>b</t1:T1Return>", document));
    QCOMPARE(QString::fromStdString(document), QStringLiteral("<t1:T1Return>b</t1:T1Return>"));
    QVERIFY(!findFiledDocument(true, "<t1:T1ReturnX>a</t1:T1Return>", document));
    QVERIFY(findFiledDocument(true, "<t1:T1Return/></t1:T1Return>", document));
}

void TestRequestCompose::t1135StartTagKeepsItsAttributes()
{
    Taxpayer jean;
    const std::string statement =
        "<?xml version=\"1.0\"?>\r\n<t1135:ForeignIncomeVerificationStatement xmlns:ccms=\"urn:c\" "
        "xmlns:t1135=\"urn:t\"><t1135:SoftwareID>097M</t1135:SoftwareID></t1135:ForeignIncomeVerificationStatement>";
    TemplateValueMap values = direradValues(jean);
    std::string request;
    QCOMPARE(GetDireradRequest(false, values, statement, request), int(RequestComposed));
    const QString text = requestOf(request);
    QVERIFY(text.contains(QStringLiteral(
        "<t1rq:TaxReturnForm>\r\n<t1135:ForeignIncomeVerificationStatement xmlns:ccms=\"urn:c\" xmlns:t1135=\"urn:t\">")));
    QCOMPARE(text.count(QStringLiteral("<?xml")), 1);
    QVERIFY(parse(text).wellFormed);
}

void TestRequestCompose::efileWithoutT183CannotBeComposed()
{
    Taxpayer jean;
    TemplateValueMap values;
    jean.person.getEfileDataInfo(values, FORM_T1);
    values.setText("origip", "0.0.0.0");
    std::string request;
    CString problem;
    QCOMPARE(GetEfileRequest(true, values, static_cast<QString>(jean.document(kEfile)).toStdString(), request, &problem),
             int(RequestHeadFailed));
    QVERIFY(request.empty());
    QVERIFY2(QString(problem).contains(QStringLiteral("dcn")), qPrintable(QString(problem)));
    QVERIFY(QString(problem).contains(QStringLiteral("ENOAFlag")));
}

void TestRequestCompose::efileUnsignedT183SendsIndicatorOnly()
{
    Taxpayer jean;
    auto* t183 = jean.add<TaxData_T183New>(FORM_T183);
    QVERIFY(t183);
    t183->ESigned.m_value = 0;
    TemplateValueMap values;
    jean.person.getEfileDataInfo(values, FORM_T1);
    values.setText("origip", "0.0.0.0");
    std::string request;
    QCOMPARE(GetEfileRequest(true, values, static_cast<QString>(jean.document(kEfile)).toStdString(), request),
             int(RequestComposed));
    const QString text = requestOf(request);
    const ParsedDocument doc = parse(text);
    QVERIFY2(doc.wellFormed, qPrintable(doc.error));
    QCOMPARE(doc.root, QStringLiteral("soapenv:Envelope"));
    QCOMPARE(parentsOf(text, "t1:T1Return"), QStringList{"t1rq:TaxReturnForm"});
    QCOMPARE(parentsOf(text, "ef:T183ElectronicSignatureIndicator"), QStringList{"ef:T183ElectronicSignatureData"});
    QCOMPARE(doc.text("ef:T183ElectronicSignatureIndicator"), QStringLiteral("0"));
    QVERIFY(!doc.has("ef:T183ElectronicSignatureDate"));
    QVERIFY(!doc.has("ef:T183ElectronicSignatureTime"));
    QVERIFY(!doc.has("ef:RC71ElectronicSignatureData"));
    QCOMPARE(doc.text("tp:TaxYear"), QStringLiteral("2024"));
}

void TestRequestCompose::t1013AndPadRequests_data()
{
    QTest::addColumn<bool>("isT1013");
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("bodyParent");
    QTest::newRow("T1013") << true << "soap-env:Envelope" << "file";
    QTest::newRow("PAD") << false << "soap-env:Envelope" << "padrq:PadCreateRequest";
}

void TestRequestCompose::t1013AndPadRequests()
{
    QFETCH(bool, isT1013);
    QFETCH(QString, root);
    QFETCH(QString, bodyParent);
    TemplateValueMap values;
    values.setText("efilerid", "K1234");
    values.setText("password", "p<w>d");
    values.setText("taxyear", "2024");
    values.setText("softwarecode", "097P");
    values.setText("revdate", "2024-12-13");
    values.setText("sin", "123456782");
    CString body("<formdata>1</formdata>");
    CString request;
    QCOMPARE(GetT1013OrT183PadRequest(isT1013, values, body, request), 0);
    const QString text = request;
    const ParsedDocument doc = parse(text);
    QVERIFY2(doc.wellFormed, qPrintable(doc.error));
    QCOMPARE(doc.root, root);
    QCOMPARE(parentsOf(text, "formdata"), QStringList{bodyParent});
    QVERIFY(text.endsWith(QStringLiteral("</soap-env:Envelope>\r\n")));
    QVERIFY(text.contains(QStringLiteral("p&lt;w&gt;d")));

    // A head value missing: nothing is appended, the filler says why.
    TemplateValueMap none;
    CString empty;
    QVERIFY(GetT1013OrT183PadRequest(isT1013, none, body, empty) != 0);
    QVERIFY(empty.isEmpty());
}

QTEST_GUILESS_MAIN(TestRequestCompose)
#include "tst_requestcompose.moc"
