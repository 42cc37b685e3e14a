#include <QtTest>

#include "companion/core/xmlreader.h"

// The same reply under three prefix styles must read the same way.
class TestXmlReader : public QObject
{
    Q_OBJECT
private slots:
    void byLocalName_data();
    void byLocalName();
    void siblings();
    void nullSafety();
    void typedReaders_data();
    void typedReaders();
};

namespace {

QByteArray reply(const QByteArray& env, const QByteArray& ns)
{
    const QByteArray e = env.isEmpty() ? QByteArray() : env + ":";
    const QByteArray n = ns.isEmpty() ? QByteArray() : ns + ":";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
           "<" + e + "Envelope xmlns:soapenv=\"http://schemas.xmlsoap.org/soap/envelope/\">"
           "<" + e + "Header/>"
           "<" + e + "Body>"
           "<" + n + "TokenResponse>"
           "<" + n + "ReturnCode>0</" + n + "ReturnCode>"
           "<" + n + "Token>t&amp;k</" + n + "Token>"
           "</" + n + "TokenResponse>"
           "</" + e + "Body>"
           "</" + e + "Envelope>";
}

} // namespace

void TestXmlReader::byLocalName_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::newRow("soapenv and ns2") << reply("soapenv", "ns2");
    QTest::newRow("other prefixes") << reply("S", "ns");
    QTest::newRow("no prefix") << reply("", "");
}

void TestXmlReader::byLocalName()
{
    QFETCH(QByteArray, xml);
    TiXmlDocument doc;
    doc.Parse(xml.constData());
    QVERIFY(!doc.Error());

    const MyTiXmlHandle root(doc.FirstChildElement());
    // Asked with the usual prefix, without one, and with another one.
    for (const char* bodyName : {"soapenv:Body", "Body", "ns2:Body"}) {
        TiXmlElement* response = root.FirstChildElement(bodyName).FirstChildElement("TokenResponse", "ns").ToElement();
        QVERIFY2(response, bodyName);
        QCOMPARE(QByteArray(getElementSubEleStringText(response, "ReturnCode")), QByteArray("0"));
        QCOMPARE(QByteArray(getElementSubEleStringText(response, "ns:Token")), QByteArray("t&k"));
    }
    QCOMPARE(QByteArray(xmlLocalName("a:b:c")), QByteArray("c"));
}

void TestXmlReader::siblings()
{
    TiXmlDocument doc;
    doc.Parse("<r><ns:Slip n=\"1\"/><!-- note --><ns:Other/>text<Slip n=\"2\"/><ns3:Slip n=\"3\"/></r>");
    QVERIFY(!doc.Error());
    const MyTiXmlHandle root(doc.RootElement());

    QStringList all;
    for (MyTiXmlHandle h = root.FirstChildElement(); h.ToElement(); h = h.NextSiblingElement())
        all << QString::fromUtf8(h.ToElement()->Value());
    QCOMPARE(all, (QStringList{"ns:Slip", "ns:Other", "Slip", "ns3:Slip"}));

    QStringList slips;
    for (MyTiXmlHandle h = root.FirstChildElement("Slip"); h.ToElement(); h = h.NextSiblingElement("Slip"))
        slips << QString::fromUtf8(h.ToElement()->Attribute("n"));
    QCOMPARE(slips, (QStringList{"1", "2", "3"}));
}

void TestXmlReader::nullSafety()
{
    const MyTiXmlHandle none(nullptr);
    QVERIFY(!none.ToElement());
    QVERIFY(!none.ToNode());
    QVERIFY(!none.FirstChildElement("Body").FirstChildElement().NextSiblingElement("x").ToElement());
    QCOMPARE(QByteArray(none.Text()), QByteArray());

    TiXmlDocument doc;
    doc.Parse("<r><a/><b><c>x</c></b></r>");
    const MyTiXmlHandle root(doc.RootElement());
    QVERIFY(!root.FirstChildElement("missing").FirstChildElement("deeper").ToElement());
    QVERIFY(!root.FirstChildElement(nullptr).ToElement());
    QVERIFY(!root.FirstChildElement("a").FirstChildElement().ToElement());

    const char* text = getElementSubEleStringText(nullptr, "x");
    QVERIFY(text && !*text);
    text = getElementSubEleStringText(doc.RootElement(), "missing");
    QVERIFY(text && !*text);
    text = getElementSubEleStringText(doc.RootElement(), "a"); // present, empty
    QVERIFY(text && !*text);
    text = getElementSubEleStringText(doc.RootElement(), "b"); // holds elements, not text
    QVERIFY(text && !*text);
    text = getElementSubEleStringText(doc.RootElement(), nullptr);
    QVERIFY(text && !*text);
    text = getElementSubEleStringAttribute(doc.RootElement(), "a", "missing");
    QVERIFY(text && !*text);
    text = getElementSubEleStringAttribute(nullptr, "a", "n");
    QVERIFY(text && !*text);
}

void TestXmlReader::typedReaders_data()
{
    QTest::addColumn<QByteArray>("child");
    QTest::addColumn<int>("asInt");
    QTest::addColumn<double>("asDouble");
    QTest::addColumn<bool>("asBoolDefaultTrue");

    QTest::newRow("amount") << QByteArray("<v>1234.56</v>") << 1234 << 1234.56 << true;
    QTest::newRow("negative") << QByteArray("<v> -12 </v>") << -12 << -12.0 << true;
    QTest::newRow("true word") << QByteArray("<v>true</v>") << 0 << 0.0 << true;
    QTest::newRow("false word") << QByteArray("<v>false</v>") << 0 << 0.0 << false;
    QTest::newRow("Y") << QByteArray("<v>Y</v>") << 0 << 0.0 << true;
    QTest::newRow("N") << QByteArray("<v>N</v>") << 0 << 0.0 << false;
    QTest::newRow("one") << QByteArray("<v>1</v>") << 1 << 1.0 << true;
    QTest::newRow("zero") << QByteArray("<v>0</v>") << 0 << 0.0 << false;
    QTest::newRow("missing gives defaults") << QByteArray("<w>5</w>") << -7 << -7.5 << true;
    QTest::newRow("empty gives defaults") << QByteArray("<v/>") << -7 << -7.5 << true;
    QTest::newRow("huge int gives default") << QByteArray("<v>99999999999</v>") << -7 << 99999999999.0 << true;
}

void TestXmlReader::typedReaders()
{
    QFETCH(QByteArray, child);
    QFETCH(int, asInt);
    QFETCH(double, asDouble);
    QFETCH(bool, asBoolDefaultTrue);

    TiXmlDocument doc;
    doc.Parse(("<r><x:Summary><x:RRSP updateDate=\"2024-05-01\"/>" + child + "</x:Summary></r>").constData());
    QVERIFY(!doc.Error());
    const TiXmlElement* summary = MyTiXmlHandle(doc.RootElement()).FirstChildElement("Summary").ToElement();
    QVERIFY(summary);
    QCOMPARE(getElementSubEleStringAsInt(summary, "v", -7), asInt);
    QCOMPARE(getElementSubEleStringAsDouble(summary, "v", -7.5), asDouble);
    QCOMPARE(getElementSubEleStringAsBool(summary, "v", true), asBoolDefaultTrue);
    QCOMPARE(QByteArray(getElementSubEleStringAttribute(summary, "RRSP", "updateDate")), QByteArray("2024-05-01"));
}

QTEST_GUILESS_MAIN(TestXmlReader)
#include "tst_xmlreader.moc"
