#include <QtTest>

#include "common/testhome.h"
#include "companion/core/templatefill.h"
#include "companion/core/xmlwrite.h"

#include <vector>

class TestTemplateFill : public QObject
{
    Q_OBJECT
private slots:
    void fill_data();
    void fill();
    void valueIsNotRescanned();
    void setTextReplacesFragment();
    void fromFileAppends();
    void missingFileIsReported();
    void cstringOutput();
    void contract_data();
    void contract();
    void blockMarkers_data();
    void blockMarkers();
    void elementWriterCutsBeforeEscaping_data();
    void elementWriterCutsBeforeEscaping();
};

namespace {

TemplateValueMap sampleValues()
{
    TemplateValueMap values;
    values["name"] = "Tremblay & Fils <Inc> \"quoted\" l'ami";
    values["sin"] = "046454286";
    values["year"] = "2024";
    values["multiyear"] = "N";
    values.setFragment("block", "<a:B>1 &amp; 2</a:B>");
    return values;
}

} // namespace

void TestTemplateFill::fill_data()
{
    QTest::addColumn<QByteArray>("templ");
    QTest::addColumn<int>("result");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QStringList>("missing");

    QTest::newRow("escaping") << QByteArray("<n>$$(name)</n>") << int(TemplateFilled)
        << QByteArray("<n>Tremblay &amp; Fils &lt;Inc&gt; &quot;quoted&quot; l&apos;ami</n>") << QStringList();
    QTest::newRow("fragment raw") << QByteArray("<x>$$(block)</x>") << int(TemplateFilled)
        << QByteArray("<x><a:B>1 &amp; 2</a:B></x>") << QStringList();
    QTest::newRow("several placeholders, one line") << QByteArray("$$(sin)-$$(year)-$$(sin)") << int(TemplateFilled)
        << QByteArray("046454286-2024-046454286") << QStringList();
    QTest::newRow("no placeholder") << QByteArray("plain\r\ntext\r\n") << int(TemplateFilled)
        << QByteArray("plain\r\ntext\r\n") << QStringList();
    QTest::newRow("optional present") << QByteArray("<m>$$(multiyear0)</m>\r\n") << int(TemplateFilled)
        << QByteArray("<m>N</m>\r\n") << QStringList();
    QTest::newRow("optional absent drops its line, CRLF kept elsewhere")
        << QByteArray("<a>\r\n<o>$$(spouse0)</o>\r\n<y>$$(year)</y>\r\n</a>\r\n") << int(TemplateFilled)
        << QByteArray("<a>\r\n<y>2024</y>\r\n</a>\r\n") << QStringList();
    QTest::newRow("optional absent on last line without line end")
        << QByteArray("<y>$$(year)</y>\n<o>$$(spouse0)</o>") << int(TemplateFilled)
        << QByteArray("<y>$$(year)</y>\n").replace("$$(year)", "2024") << QStringList();
    QTest::newRow("missing value reported")
        << QByteArray("<s>$$(sin)</s>\n<p>$$(password)</p>\n<d>$$(dcn)</d>$$(password)") << int(TemplateMissingValue)
        << QByteArray() << QStringList{"password", "dcn"};
    QTest::newRow("unclosed placeholder") << QByteArray("<s>$$(sin</s>\n") << int(TemplateMalformed)
        << QByteArray() << QStringList();
    QTest::newRow("closing on a later line is not a placeholder")
        << QByteArray("<s>$$(sin\n)</s>\n") << int(TemplateMalformed) << QByteArray() << QStringList();
    QTest::newRow("dollar text that is no placeholder") << QByteArray("cost $$ (5) $(x)") << int(TemplateFilled)
        << QByteArray("cost $$ (5) $(x)") << QStringList();
}

void TestTemplateFill::fill()
{
    QFETCH(QByteArray, templ);
    QFETCH(int, result);
    QFETCH(QByteArray, expected);
    QFETCH(QStringList, missing);

    std::string out = "HEAD|";
    std::vector<std::string> missingNames{"stale"};
    QCOMPARE(fillTemplateText(out, templ.toStdString(), sampleValues(), 1, &missingNames), result);
    // On failure nothing is appended: a half-filled request must never go out.
    QCOMPARE(QByteArray::fromStdString(out), QByteArray("HEAD|") + expected);
    QStringList reported;
    for (const std::string& name : missingNames)
        reported << QString::fromStdString(name);
    QCOMPARE(reported, missing);
}

void TestTemplateFill::valueIsNotRescanned()
{
    TemplateValueMap values;
    values["a"] = "$$(b)";
    values["b"] = "secret";
    std::string out;
    QCOMPARE(fillTemplateText(out, "[$$(a)]", values), int(TemplateFilled));
    QCOMPARE(out, std::string("[$$(b)]"));
}

void TestTemplateFill::setTextReplacesFragment()
{
    TemplateValueMap values;
    values.setFragment("v", "<b/>");
    values.setText("v", "<b/>");
    QVERIFY(!values.isFragment("v"));
    std::string out;
    QCOMPARE(fillTemplateText(out, "$$(v)", values), int(TemplateFilled));
    QCOMPARE(out, std::string("&lt;b/&gt;"));
    values.setFragment("v", "<b/>");
    values.clear();
    values["v"] = "<b/>";
    QVERIFY(!values.isFragment("v"));
}

void TestTemplateFill::fromFileAppends()
{
    TestHome home;
    const QString path = home.filePath("part.xmt");
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<sin>$$(sin)</sin>\r\n<name>$$(name)</name>\r\n");
    }
    TemplateValueMap values;
    values["sin"] = "046454286";
    values["name"] = "Ève";
    std::string out = "<head/>";
    QCOMPARE(processTemplatePartInString(out, CString(path), values, 64), 0);
    QCOMPARE(out, std::string("<head/><sin>046454286</sin>\r\n<name>Ève</name>\r\n"));
    std::string viaCharPath;
    QCOMPARE(processTemplatePart(viaCharPath, path.toUtf8().constData(), values, 1), 0);
    QCOMPARE(viaCharPath, std::string("<sin>046454286</sin>\r\n<name>Ève</name>\r\n"));
}

void TestTemplateFill::missingFileIsReported()
{
    TestHome home;
    std::string out;
    QCOMPARE(processTemplatePartInString(out, CString(home.filePath("none.xmt")), TemplateValueMap(), 0),
             int(TemplateNotLoaded));
    QCOMPARE(processTemplatePartInString(out, CString(":/no/such/resource.xmt"), TemplateValueMap(), 0),
             int(TemplateNotLoaded));
    QVERIFY(out.empty());
}

void TestTemplateFill::cstringOutput()
{
    TestHome home;
    const QString path = home.filePath("tail.xmt");
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<t>$$(v)</t>");
    }
    TemplateValueMap values;
    values["v"] = "é<";
    CString out("<h/>");
    QCOMPARE(processTemplatePartInString(out, CString(path), values, 1), 0);
    QCOMPARE(static_cast<QString>(out), QStringLiteral("<h/><t>é&lt;</t>"));
    values.erase("v");
    std::vector<std::string> missing;
    QCOMPARE(processTemplatePartInString(out, CString(path), values, 1, &missing), int(TemplateMissingValue));
    QCOMPARE(missing, std::vector<std::string>{"v"});
    QCOMPARE(static_cast<QString>(out), QStringLiteral("<h/><t>é&lt;</t>"));
}

// The contract the electronic return relies on, one line per case.
void TestTemplateFill::contract_data()
{
    QTest::addColumn<QByteArray>("templ");
    QTest::addColumn<QStringList>("values"); // "key=value"
    QTest::addColumn<int>("result");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("optional without value drops the line")
        << QByteArray("<r>\r\n<a>$$(x0)</a>\r\n</r>\r\n") << QStringList() << int(TemplateFilled)
        << QByteArray("<r>\r\n</r>\r\n");
    QTest::newRow("value escaped") << QByteArray("<a>$$(x0)</a>") << QStringList{"x=1<2"} << int(TemplateFilled)
        << QByteArray("<a>1&lt;2</a>");
    QTest::newRow("required without value fails") << QByteArray("<r>$$(y)</r>") << QStringList()
        << int(TemplateMissingValue) << QByteArray();
    QTest::newRow("required with an empty value is filled") << QByteArray("<r>$$(y)</r>") << QStringList{"y="}
        << int(TemplateFilled) << QByteArray("<r></r>");
}

void TestTemplateFill::contract()
{
    QFETCH(QByteArray, templ);
    QFETCH(QStringList, values);
    QFETCH(int, result);
    QFETCH(QByteArray, expected);
    TemplateValueMap map;
    for (const QString& pair : values)
        map[pair.section('=', 0, 0).toStdString()] = CString(pair.section('=', 1));
    for (int flags : {int(TemplateRequestOrPage), int(TemplateRequestPart), int(TemplateDocumentOpening)}) {
        std::string out;
        QCOMPARE(fillTemplateText(out, templ.toStdString(), map, flags), result);
        QCOMPARE(QByteArray::fromStdString(out), expected);
    }
}

void TestTemplateFill::blockMarkers_data()
{
    const QByteArray templ("<ef:Return>\r\n"
                           "<ef:Signature>$$(esigned_needed0)\r\n"
                           "<ef:Signed>$$(esigned)</ef:Signed>\r\n"
                           "<ef:Date>$$(esigndate0)</ef:Date>\r\n"
                           "</ef:Signature>$$(esigned_needed0)\r\n"
                           "<ef:Discounter>$$(rc71_needed0)</ef:Discounter>$$(rc71_needed0)\r\n"
                           "</ef:Return>\r\n");
    QTest::addColumn<QByteArray>("templ");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<int>("result");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("block sent") << templ << QStringList{"esigned_needed= ", "esigned=1", "esigndate=2024-03-01"}
        << int(TemplateFilled)
        << QByteArray("<ef:Return>\r\n<ef:Signature> \r\n<ef:Signed>1</ef:Signed>\r\n"
                      "<ef:Date>2024-03-01</ef:Date>\r\n</ef:Signature> \r\n</ef:Return>\r\n");
    // Without its marker the wrapper goes whole, even its required child.
    QTest::newRow("block dropped whole") << templ << QStringList() << int(TemplateFilled)
        << QByteArray("<ef:Return>\r\n</ef:Return>\r\n");
    QTest::newRow("one-line block sent") << templ << QStringList{"rc71_needed= "} << int(TemplateFilled)
        << QByteArray("<ef:Return>\r\n<ef:Discounter> </ef:Discounter> \r\n</ef:Return>\r\n");
    QTest::newRow("unclosed block") << QByteArray("<a>$$(rc71_needed0)\r\n<b/>\r\n") << QStringList()
        << int(TemplateMalformed) << QByteArray();
}

void TestTemplateFill::blockMarkers()
{
    QFETCH(QByteArray, templ);
    QFETCH(QStringList, values);
    QFETCH(int, result);
    QFETCH(QByteArray, expected);
    TemplateValueMap map;
    for (const QString& pair : values)
        map[pair.section('=', 0, 0).toStdString()] = CString(pair.section('=', 1));
    std::string out;
    QCOMPARE(fillTemplateText(out, templ.toStdString(), map, TemplateRequestPart), result);
    QCOMPARE(QByteArray::fromStdString(out), expected);
}

void TestTemplateFill::elementWriterCutsBeforeEscaping_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no width") << "c/o Smith & Co" << 0 << "<c>c/o Smith &amp; Co</c>";
    QTest::newRow("ampersand is the last kept") << "abcd&efgh" << 5 << "<c>abcd&amp;</c>";
    QTest::newRow("ampersand just after the cut") << "abcde&fgh" << 5 << "<c>abcde</c>";
    QTest::newRow("a character of two units is not split")
        << QString("abcd") + QString::fromUcs4(U"\U0001F600") << 5 << "<c>abcd</c>";
    QTest::newRow("shorter than the width") << "a<b" << 26 << "<c>a&lt;b</c>";
}

void TestTemplateFill::elementWriterCutsBeforeEscaping()
{
    QFETCH(QString, value);
    QFETCH(int, width);
    QFETCH(QString, expected);
    CString out("<p>");
    writeXMLString(out, "c", CString(value), width);
    QCOMPARE(static_cast<QString>(out), QStringLiteral("<p>") + expected);
    writeXMLOpenTagString(out, "d");
    writeXMLCloseTagString(out, "d");
    QVERIFY(out.endsWith("<d></d>"));
}

QTEST_GUILESS_MAIN(TestTemplateFill)
#include "tst_templatefill.moc"
