#include <QtTest>

#include "companion/core/base64.h"
#include "companion/core/urlcoding.h"

#include <vector>

class TestEncoding : public QObject
{
    Q_OBJECT
private slots:
    void base64_data();
    void base64();
    void base64AllBytes();
    void urlEncodeKnown_data();
    void urlEncodeKnown();
    void urlRoundTrip_data();
    void urlRoundTrip();
    void urlDecodeTolerance_data();
    void urlDecodeTolerance();
};

void TestEncoding::base64_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("expected");
    // RFC 4648 section 10.
    QTest::newRow("empty") << QByteArray("") << QByteArray("");
    QTest::newRow("f") << QByteArray("f") << QByteArray("Zg==");
    QTest::newRow("fo") << QByteArray("fo") << QByteArray("Zm8=");
    QTest::newRow("foo") << QByteArray("foo") << QByteArray("Zm9v");
    QTest::newRow("foob") << QByteArray("foob") << QByteArray("Zm9vYg==");
    QTest::newRow("fooba") << QByteArray("fooba") << QByteArray("Zm9vYmE=");
    QTest::newRow("foobar") << QByteArray("foobar") << QByteArray("Zm9vYmFy");
    QTest::newRow("high bytes use + and /") << QByteArray("\xfb\xff\xbf", 3) << QByteArray("+/+/");
    QTest::newRow("credential") << QByteArray("me@example.com:p@ss") << QByteArray("bWVAZXhhbXBsZS5jb206cEBzcw==");
}

void TestEncoding::base64()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, expected);

    const int size = Base64encodedSize(input.size());
    std::vector<char> out(size_t(size) + 4, '#');
    const int written = Base64encode(out.data(), input.constData(), input.size());
    QCOMPARE(written, expected.size());
    QCOMPARE(QByteArray(out.data()), expected);
    QCOMPARE(out[size_t(size)], '#'); // nothing written past the documented size
    QCOMPARE(QByteArray::fromStdString(Base64encode(input.toStdString())), expected);
    QCOMPARE(QByteArray::fromStdString(Base64encode(input)), expected);
}

void TestEncoding::base64AllBytes()
{
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all += char(i);
    for (int length = 0; length <= all.size(); length += 37) {
        const QByteArray part = all.left(length);
        QCOMPARE(QByteArray::fromStdString(Base64encode(part)), part.toBase64());
    }
}

void TestEncoding::urlEncodeKnown_data()
{
    QTest::addColumn<QByteArray>("plain");
    QTest::addColumn<QByteArray>("encoded");
    QTest::newRow("unreserved kept") << QByteArray("AZaz09-._~") << QByteArray("AZaz09-._~");
    QTest::newRow("blank") << QByteArray("a b") << QByteArray("a%20b");
    QTest::newRow("reserved") << QByteArray(":/?#[]@!$&'()*+,;=")
                              << QByteArray("%3A%2F%3F%23%5B%5D%40%21%24%26%27%28%29%2A%2B%2C%3B%3D");
    QTest::newRow("percent") << QByteArray("100%") << QByteArray("100%25");
    QTest::newRow("utf-8") << QByteArray("Québec") << QByteArray("Qu%C3%A9bec");
    QTest::newRow("base64 token") << QByteArray("ab+/cd==") << QByteArray("ab%2B%2Fcd%3D%3D");
}

void TestEncoding::urlEncodeKnown()
{
    QFETCH(QByteArray, plain);
    QFETCH(QByteArray, encoded);
    QCOMPARE(QByteArray::fromStdString(urlEncode(plain.toStdString())), encoded);
    QCOMPARE(QByteArray::fromStdString(urlDecode(encoded.toStdString())), plain);
}

void TestEncoding::urlRoundTrip_data()
{
    QTest::addColumn<QByteArray>("plain");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text with plus") << QByteArray("1+1 = 2 & more");
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all += char(i);
    QTest::newRow("every byte") << all;
}

void TestEncoding::urlRoundTrip()
{
    QFETCH(QByteArray, plain);
    const std::string encoded = urlEncode(plain.toStdString());
    QCOMPARE(QByteArray::fromStdString(urlDecode(encoded)), plain);
    QCOMPARE(QByteArray::fromStdString(urlDecode(encoded, true)), plain);
}

void TestEncoding::urlDecodeTolerance_data()
{
    QTest::addColumn<QByteArray>("encoded");
    QTest::addColumn<bool>("plusAsSpace");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("lower-case hex") << QByteArray("%c3%a9") << false << QByteArray("é");
    QTest::newRow("bad hex kept") << QByteArray("%G1x") << false << QByteArray("%G1x");
    QTest::newRow("truncated at end") << QByteArray("ab%4") << false << QByteArray("ab%4");
    QTest::newRow("lone percent") << QByteArray("%") << false << QByteArray("%");
    QTest::newRow("plus kept") << QByteArray("a+b") << false << QByteArray("a+b");
    QTest::newRow("plus as blank") << QByteArray("a+b%2B") << true << QByteArray("a b+");
}

void TestEncoding::urlDecodeTolerance()
{
    QFETCH(QByteArray, encoded);
    QFETCH(bool, plusAsSpace);
    QFETCH(QByteArray, expected);
    QCOMPARE(QByteArray::fromStdString(urlDecode(encoded.toStdString(), plusAsSpace)), expected);
}

QTEST_GUILESS_MAIN(TestEncoding)
#include "tst_encoding.moc"
