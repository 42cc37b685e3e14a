// The pieces of the agency data requests on their own: software code and
// key, the WS-Security digest, HMAC-SHA-256, the signed login link, the
// request builders, the reply reader and the checks on incoming tokens.
#include <QtTest>

#include "agencydata/tddsoap.h"
#include "agencydata/tddwebauth.h"
#include "companion/core/base64.h"
#include "companion/core/digest.h"
#include "tddtestsettings.h"

#include <tinyxml.h>

namespace {

const char* const kPlainKey = "Rt6YpL2mXc9VbN4kZq7HsW3dJf8GuA5e";
const char* const kMacKey = "hK5pWz8NcR2vLq7XbM3tYs9DfG4jEu6A";

// Production values of the endpoint table for the plain and "_MAC" keys.
TddServiceSettings productionSettings(const QString& code)
{
    TddServiceSettings s = tddTestSettings(QStringLiteral("tdd.test.invalid"), QString());
    s.softwareCode = code;
    s.afrKey = s.noaKey = QString::fromLatin1(kPlainKey);
    s.afrMacKey = s.noaMacKey = QString::fromLatin1(kMacKey);
    s.loginPath = QStringLiteral("/gol-ged/awsc/tdd/auth/start");
    s.tddServicePath = QStringLiteral("/TaxDataDeliveryService");
    s.noaServicePath = QStringLiteral("/NoticeOfAssessmentService");
    return s;
}

QByteArray hex(const unsigned char* bytes, int size)
{
    return QByteArray(reinterpret_cast<const char*>(bytes), size).toHex();
}

QString query(const QString& url, const QString& name)
{
    return QUrlQuery(QUrl(url).query()).queryItemValue(name, QUrl::FullyEncoded);
}

} // namespace

class TestTddSoap : public QObject
{
    Q_OBJECT
private slots:
    void softwareCodeChoosesKeyAndSuffix_data()
    {
        QTest::addColumn<QString>("configured");
        QTest::addColumn<int>("forWhich");
        QTest::addColumn<QString>("username");
        QTest::addColumn<QString>("key");
        QTest::newRow("095 auto-fill") << "095" << 1 << "095N" << kPlainKey;
        QTest::newRow("097 auto-fill") << "097" << 1 << "097N" << kMacKey;
        QTest::newRow("095 with a blank") << "095 " << 1 << "095 N" << kMacKey;
        QTest::newRow("095 Express NOA") << "095" << 2 << "095U" << kPlainKey;
        QTest::newRow("097 Express NOA") << "097" << 2 << "097U" << kMacKey;
    }

    void softwareCodeChoosesKeyAndSuffix()
    {
        QFETCH(QString, configured);
        QFETCH(int, forWhich);
        QFETCH(QString, username);
        QFETCH(QString, key);
        CString code, chosen;
        getSoftwareCode(productionSettings(configured), short(forWhich), code, chosen);
        QCOMPARE(QString(code), username);
        QCOMPARE(QString(chosen), key);
    }

    void digestOfTheWorkedExample()
    {
        std::string digest;
        makeDigest(kPlainKey, "2025-03-01T12:00:00Z", "fenwoldrixta2031", digest);
        QCOMPARE(QString::fromStdString(digest), QStringLiteral("ooOjQnFs0wtAZygkG6l2NHS76xY="));
    }

    // Random nonces may hold zero bytes: every byte counts, not up to the first zero.
    void digestTakesEveryNonceByte()
    {
        std::string withZero("ab\0cd", 5), cut("ab");
        std::string a, b;
        makeDigest(kPlainKey, "2025-03-01T12:00:00Z", withZero, a);
        makeDigest(kPlainKey, "2025-03-01T12:00:00Z", cut, b);
        QVERIFY(a != b);
        SHA1 sha;
        sha.add(withZero.data(), withZero.size());
        sha.add("2025-03-01T12:00:00Z", 20);
        sha.add(kPlainKey, 32);
        unsigned char raw[SHA1::kHashBytes];
        sha.getHash(raw);
        QCOMPARE(a, Base64encode(std::string(reinterpret_cast<const char*>(raw), sizeof raw)));
    }

    void noncesAreSixteenFreshBytes()
    {
        const std::string first = makeTddNonce(), second = makeTddNonce();
        QCOMPARE(first.size(), size_t(16));
        QCOMPARE(second.size(), size_t(16));
        QVERIFY(first != second);
    }

    // RFC 4231, test cases 1 and 6 (a 131-byte key, hashed first).
    void hmacSha256Vectors_data()
    {
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("case 1") << QByteArray(20, '\x0b') << QByteArray("Hi There")
                                << QByteArray("b0344c61d8db38535ca8afceaf0bf12b881dc200c9833da726e9376c2e32cff7");
        QTest::newRow("case 6") << QByteArray(131, '\xaa')
                                << QByteArray("Test Using Larger Than Block-Size Key - Hash Key First")
                                << QByteArray("60e431591ee0b67f0d8a26aacbf5b77f8e0bc6213728c5140546040f0ee37f54");
    }

    void hmacSha256Vectors()
    {
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, message);
        QFETCH(QByteArray, expected);
        unsigned char out[SHA256::kHashBytes];
        hmac<SHA256>(message.constData(), message.size(), key.constData(), key.size(), out);
        QCOMPARE(hex(out, sizeof out), expected);
    }

    void linkOfTheWorkedExample()
    {
        const QString link =
            buildTDDWebAuthUrl(productionSettings("095"), TddAutoFill, "2024", "TOKENC123", 1740830400);
        QVERIFY(link.startsWith("https://tdd.test.invalid/gol-ged/awsc/tdd/auth/start?"));
        QVERIFY(link.contains("&key=0d6h1ZX723r5XGyPXPIYrDkPgK8RHHygPbOy1VZuB8s%3D&"));
        QStringList names;
        for (const auto& item : QUrlQuery(QUrl(link).query()).queryItems())
            names << item.first;
        QCOMPARE(names, QStringList({"spID", "timestamp", "auth", "key", "t", "lang", "swtaxyear"}));
        QCOMPARE(query(link, "spID"), QStringLiteral("095N"));
        QCOMPARE(query(link, "timestamp"), QStringLiteral("1740830400"));
        QCOMPARE(query(link, "auth"), QStringLiteral("%2Fgol-ged%2Fawsc%2Ftdd%2Fws"));
        QCOMPARE(query(link, "t"), QStringLiteral("TOKENC123"));
        QCOMPARE(query(link, "lang"), QStringLiteral("en"));
        QCOMPARE(query(link, "swtaxyear"), QStringLiteral("2024"));
    }

    void expressNoaLinkAuthorisesTheNoticeService()
    {
        const QString link =
            buildTDDWebAuthUrl(productionSettings("095"), TddExpressNoa, "2024", "TOKENC123", 1740830400);
        QCOMPARE(query(link, "auth"), QStringLiteral("%2Fgol-ged%2Fawsc%2Ftdd%2Fws%2Fnoa"));
        QCOMPARE(query(link, "spID"), QStringLiteral("095U"));
    }

    void linkOneSecondLaterDiffersInTimeAndKey()
    {
        const TddServiceSettings s = productionSettings("095");
        const QString a = buildTDDWebAuthUrl(s, TddAutoFill, "2024", "TOKENC123", 1740830400);
        const QString b = buildTDDWebAuthUrl(s, TddAutoFill, "2024", "TOKENC123", 1740830401);
        QCOMPARE(buildTDDWebAuthUrl(s, TddAutoFill, "2024", "TOKENC123", 1740830400), a);
        QVERIFY(query(a, "key") != query(b, "key"));
    }

    void stageRequestEndsWithTheSins()
    {
        std::string request;
        QCOMPARE(constructTDDTokenCReq(productionSettings("095"), "2024", TddAutoFill, {"046454286", "130692544"},
                                       request),
                 0);
        const std::string tail =
            "<Sin>046454286</Sin><Sin>130692544</Sin></StageTDDDirerad></S:Body></S:Envelope>";
        QVERIFY2(request.size() > tail.size() && request.compare(request.size() - tail.size(), tail.size(), tail) == 0,
                 request.c_str());
        TiXmlDocument doc;
        doc.Parse(request.c_str());
        QVERIFY(!doc.Error());
    }

    void stageRequestSendsNineDigits_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("sent"); // empty: refused
        QTest::newRow("blanks") << "046 454 286" << "<Sin>046454286</Sin>";
        QTest::newRow("dashes") << "046-454-286" << "<Sin>046454286</Sin>";
        QTest::newRow("markup") << "046454286</Sin><Sin>1" << "";
        QTest::newRow("eight digits") << "04645428" << "";
    }

    void stageRequestSendsNineDigits()
    {
        QFETCH(QString, typed);
        QFETCH(QString, sent);
        std::string request;
        const int result = constructTDDTokenCReq(productionSettings("095"), "2024", TddExpressNoa,
                                                 {typed.toStdString()}, request);
        if (sent.isEmpty()) {
            QVERIFY(result != 0);
            QVERIFY(request.empty());
        } else {
            QCOMPARE(result, 0);
            QVERIFY(QString::fromStdString(request).endsWith(sent + "</StageNOA></S:Body></S:Envelope>"));
        }
    }

    void callbackTokenIsChecked_data()
    {
        QTest::addColumn<QString>("received");
        QTest::addColumn<QString>("accepted"); // empty: refused
        QTest::newRow("plain") << "abcdef" << "abcdef";
        QTest::newRow("decoded") << "abcd%41%41" << "abcdAA";
        QTest::newRow("all allowed") << "Az09._~+/=-" << "Az09._~+/=-";
        QTest::newRow("too short") << "abc" << "";
        QTest::newRow("markup") << "abc%3Cx%3E%26def" << "";
        QTest::newRow("blank") << "abc%20defg" << "";
        QTest::newRow("255") << QString(255, 'a') << QString(255, 'a');
        QTest::newRow("256") << QString(256, 'a') << "";
    }

    void callbackTokenIsChecked()
    {
        QFETCH(QString, received);
        QFETCH(QString, accepted);
        QCOMPARE(QString::fromStdString(acceptTddTokenA(received.toStdString())), accepted);
    }

    // Every value is escaped in the request, the agency's next tokens included.
    void dataRequestEscapesTheToken()
    {
        std::string request;
        QCOMPARE(constructTDDDataReadyReq(productionSettings("095"), "2024", TddAutoFill, "a<b>&c\"d", request), 0);
        QVERIFY(request.find("<TokenIdentifier>a&lt;b&gt;&amp;c&quot;d</TokenIdentifier>") != std::string::npos);
        QVERIFY(constructTDDDataReadyReq(productionSettings("095"), "2024", TddAutoFill, "", request) != 0);
    }

    void replyReader_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("returnCode");
        QTest::addColumn<QString>("token");
        QTest::addColumn<QString>("message");
        const QByteArray ns = "xmlns:ns=\"urn:agency\"";
        QTest::newRow("soapenv") << QByteArray("<soapenv:Envelope xmlns:soapenv=\"urn:s\"><soapenv:Body><ns:StageNOAResponse "
                                               + ns + "><ReturnCode>0</ReturnCode><TokenIdentifier>TOK123</TokenIdentifier>"
                                               "</ns:StageNOAResponse></soapenv:Body></soapenv:Envelope>")
                                 << 0 << "0" << "TOK123" << "";
        QTest::newRow("other prefix") << QByteArray("<env:Envelope xmlns:env=\"urn:s\"><env:Body><a:StageNOAResponse "
                                                    "xmlns:a=\"urn:a\"><ReturnCode>1</ReturnCode></a:StageNOAResponse>"
                                                    "</env:Body></env:Envelope>")
                                      << 0 << "1" << "" << "";
        QTest::newRow("fault") << QByteArray("<soapenv:Envelope xmlns:soapenv=\"urn:s\"><soapenv:Body><soapenv:Fault>"
                                             "<faultstring>busy</faultstring></soapenv:Fault></soapenv:Body></soapenv:Envelope>")
                               << 10 << "" << "" << "busy";
        QTest::newRow("neither") << QByteArray("<soapenv:Envelope xmlns:soapenv=\"urn:s\"><soapenv:Body/></soapenv:Envelope>")
                                 << 10 << "" << "" << "Error: no response and Fault";
        QTest::newRow("not XML") << QByteArray("<soapenv:Envelope><soapenv:Body><ns:") << 1 << "" << ""
                                 << "response parse error";
        QTest::newRow("nested 100,000 deep")
            << "<soapenv:Envelope xmlns:soapenv=\"urn:s\"><soapenv:Body>" + QByteArray("<a>").repeated(100000)
                   + QByteArray("</a>").repeated(100000) + "</soapenv:Body></soapenv:Envelope>"
            << 1 << "" << "" << "Refused a malformed reply: it nests elements more than 256 levels deep.";
    }

    void replyReader()
    {
        QFETCH(QByteArray, reply);
        QFETCH(int, result);
        QFETCH(QString, returnCode);
        QFETCH(QString, token);
        QFETCH(QString, message);
        StructTDDSoapResult read;
        QCOMPARE(parseTDDTokenSoapResponseResult(reply.toStdString(), "StageNOAResponse", "TokenIdentifier", &read),
                 result);
        QCOMPARE(QString(read.ReturnCode), returnCode);
        QCOMPARE(QString::fromStdString(read.token), token);
        QCOMPARE(QString(read.message), message);
    }

    void loggedRequestsMaskTheSins()
    {
        const std::string masked =
            maskTddRequestForLog("<TaxYear>2024</TaxYear><Sin>046454286</Sin><ns2:Sin>130692544</ns2:Sin>");
        QCOMPARE(QString::fromStdString(masked),
                 QStringLiteral("<TaxYear>2024</TaxYear><Sin>xxxxx4286</Sin><ns2:Sin>xxxxx2544</ns2:Sin>"));
    }
};

QTEST_GUILESS_MAIN(TestTddSoap)
#include "tst_tddsoap.moc"
