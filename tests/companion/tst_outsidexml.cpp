// The guard every outside XML and JSON text passes before a parser sees it:
// it counts levels in one pass and refuses a text nested too deep or too
// large, without descending once per level itself.
#include <QtTest>

#include "companion/core/outsidexml.h"

namespace {

QByteArray nested(int levels, const QByteArray& open = "<a>", const QByteArray& close = "</a>")
{
    return open.repeated(levels) + close.repeated(levels);
}

} // namespace

class TestOutsideXml : public QObject
{
    Q_OBJECT

private slots:
    void xmlDepth_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("a SOAP reply") << QByteArray(
            "<?xml version=\"1.0\"?><soapenv:Envelope xmlns:soapenv=\"x\"><soapenv:Body><r a='1'>t</r>"
            "</soapenv:Body></soapenv:Envelope>") << true;
        QTest::newRow("256 levels, the most allowed") << nested(256) << true;
        QTest::newRow("257 levels") << nested(257) << false;
        QTest::newRow("levels closed in turn never add up") << QByteArray("<a></a>").repeated(1000) << true;
        QTest::newRow("self-closed elements open no level") << "<r>" + QByteArray("<e/>").repeated(1000) + "</r>"
                                                            << true;
        QTest::newRow("self-closed with attributes") << "<r>" + QByteArray("<e x=\"1\" />").repeated(500) + "</r>"
                                                     << true;
        QTest::newRow("a '/>' inside a quoted value closes nothing")
            << QByteArray("<e x=\"/>\">").repeated(300) + QByteArray("</e>").repeated(300) << false;
        QTest::newRow("a '>' inside a quoted value of a self-closed element")
            << "<r>" + QByteArray("<e x=\"a>b\" y='c>'/>").repeated(1000) + "</r>" << true;
        QTest::newRow("tags in a comment are not counted")
            << "<r><!--" + QByteArray("<a>").repeated(1000) + "--></r>" << true;
        QTest::newRow("tags in CDATA are not counted")
            << "<r><![CDATA[" + QByteArray("<a>").repeated(1000) + "]]></r>" << true;
        QTest::newRow("a declaration with an internal subset")
            << "<!DOCTYPE r [ <!ELEMENT r ANY> ]>" + nested(256) << true;
        QTest::newRow("processing instructions") << "<r>" + QByteArray("<?p x?>").repeated(1000) + "</r>" << true;
        QTest::newRow("a deep reply after a long comment")
            << "<!-- " + QByteArray(5000, 'x') + " -->" + nested(300) << false;
        QTest::newRow("an unclosed comment ends the scan") << QByteArray("<r><!-- <a><a>") << true;
        QTest::newRow("100,000 levels") << nested(100000) << false;
        QTest::newRow("100,000 levels, never closed") << QByteArray("<a>").repeated(100000) << false;
        QTest::newRow("empty") << QByteArray() << true;
    }
    void xmlDepth()
    {
        QFETCH(QByteArray, text);
        const OutsideXmlCheck check = checkOutsideXml(text.constData(), static_cast<std::size_t>(text.size()));
        QTEST(check.accepted, "accepted");
        if (check.accepted) {
            QVERIFY(check.message.isEmpty());
        } else {
            QCOMPARE(check.message,
                     QStringLiteral("Refused a malformed reply: it nests elements more than 256 levels deep."));
        }
    }

    void sizeCap_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("at the cap") << 1000 << true;
        QTest::newRow("one byte over") << 1001 << false;
    }
    void sizeCap()
    {
        QFETCH(int, size);
        const QByteArray text = "<r>" + QByteArray(size - 7, 'x') + "</r>";
        QCOMPARE(text.size(), size);
        const OutsideXmlCheck xml = checkOutsideXml(text.constData(), static_cast<std::size_t>(size), 1000);
        QTEST(xml.accepted, "accepted");
        const OutsideXmlCheck json = checkOutsideJson(text.constData(), static_cast<std::size_t>(size), 1000);
        QTEST(json.accepted, "accepted");
        if (!xml.accepted) {
            QCOMPARE(xml.message, QStringLiteral("Refused a malformed reply: it is larger than 1000 bytes."));
            QCOMPARE(json.message, xml.message);
        }
        // The program's own cap is the largest reply any of its clients takes.
        QCOMPARE(kOutsideXmlMaxBytes, std::size_t(64) * 1024 * 1024);
    }

    void jsonDepth_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("a login reply") << QByteArray(R"({"access_token":"tok","data":[{"a":[1,2]}]})") << true;
        QTest::newRow("256 levels") << nested(256, "[", "]") << true;
        QTest::newRow("257 levels") << nested(257, "[", "]") << false;
        QTest::newRow("objects count as arrays do") << nested(128, "{\"k\":[", "]}") + "" << true;
        QTest::newRow("129 object-array pairs") << nested(129, "{\"k\":[", "]}") << false;
        QTest::newRow("brackets inside a string") << "{\"k\":\"" + QByteArray(1000, '[') + "\"}" << true;
        QTest::newRow("an escaped quote keeps the string open")
            << "{\"k\":\"\\\"" + QByteArray(1000, '{') + "\"}" << true;
        QTest::newRow("100,000 levels") << nested(100000, "[", "]") << false;
    }
    void jsonDepth()
    {
        QFETCH(QByteArray, text);
        const OutsideXmlCheck check = checkOutsideJson(text.constData(), static_cast<std::size_t>(text.size()));
        QTEST(check.accepted, "accepted");
        if (!check.accepted)
            QCOMPARE(check.message,
                     QStringLiteral("Refused a malformed reply: it nests arrays and objects more than 256 levels deep."));
    }

    // A refused text never reaches the parser: the document stays empty
    // and the caller has the sentence; an accepted one is parsed as before.
    void parseGoesThroughTheGuard()
    {
        const std::string deep = nested(100000).toStdString();
        TiXmlDocument doc;
        QString message;
        QVERIFY(!parseOutsideXml(doc, deep, TIXML_ENCODING_UTF8, &message));
        QVERIFY(!doc.RootElement());
        QVERIFY(message.contains(QLatin1String("malformed reply")));

        QString none;
        QVERIFY(parseOutsideXml(doc, std::string("<r><c>7</c></r>"), TIXML_ENCODING_UTF8, &none));
        QVERIFY(!doc.Error());
        QVERIFY(none.isEmpty());
        QCOMPARE(QString(doc.RootElement()->FirstChildElement("c")->GetText()), QString("7"));
    }
};

QTEST_GUILESS_MAIN(TestOutsideXml)
#include "tst_outsidexml.moc"
