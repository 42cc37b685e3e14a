// The fake agency data service refuses what the agency would, so that the
// tests of the web service prove something when the fake accepts.
#include <QtTest>

#include "agencydata/tddsoap.h"
#include "companion/core/base64.h"
#include "companion/core/qwebclient.h"
#include "fakes/agencydataserver.h"
#include "fakes/testcerts.h"
#include "tddtestsettings.h"

#include <functional>

using Edit = std::function<std::string(std::string)>;
Q_DECLARE_METATYPE(Edit)

namespace {

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    const size_t at = text.find(from);
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// The text between <name ...> and </name>.
std::string elementText(const std::string& text, const std::string& name)
{
    const size_t open = text.find("<" + name);
    const size_t start = text.find('>', open) + 1;
    return text.substr(start, text.find("</" + name, start) - start);
}

} // namespace

class TestTddFakeService : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(QWebClient::addTrustedCaFile(TestCerts::caPem()));
        QVERIFY(m_fake.start());
    }
    void cleanupTestCase() { QWebClient::clearTrustedCaFiles(); }

    void refuses_data()
    {
        QTest::addColumn<QString>("softwareCode");
        QTest::addColumn<QString>("taxYear");
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QString>("refusal");
        const Edit same = [](std::string s) { return s; };
        QTest::newRow("accepted") << "095" << "2024" << same << "";
        QTest::newRow("not well-formed") << "095" << "2024" << Edit([](std::string s) { return s.substr(0, s.size() / 2); })
                                         << "request not well-formed";
        QTest::newRow("no mustUnderstand")
            << "095" << "2024" << Edit([](std::string s) { return replaced(s, "S:mustUnderstand=\"1\" ", ""); })
            << "wsse:Security without S:mustUnderstand=\"1\"";
        QTest::newRow("Username 097N") << "097" << "2024" << same << "unknown Username";
        QTest::newRow("8-byte nonce") << "095" << "2024" << Edit([](std::string s) {
            return replaced(s, elementText(s, "wsse:Nonce"), Base64encode(std::string("12345678")));
        }) << "Nonce is not 16 bytes";
        QTest::newRow("digest") << "095" << "2024" << Edit([](std::string s) {
            return replaced(s, elementText(s, "wsu:Created"), "2025-03-01T12:00:00.000Z");
        }) << "Password digest does not match";
        QTest::newRow("tax year") << "095" << "2023" << same << "stage without TaxYear 2024";
        QTest::newRow("eight-digit Sin") << "095" << "2024"
                                         << Edit([](std::string s) { return replaced(s, "<Sin>046454286</Sin>", "<Sin>04645428</Sin>"); })
                                         << "Sin is not nine digits";
        QTest::newRow("no Sin") << "095" << "2024"
                                << Edit([](std::string s) { return replaced(s, "<Sin>046454286</Sin>", ""); })
                                << "stage without Sin";
    }

    void refuses()
    {
        QFETCH(QString, softwareCode);
        QFETCH(QString, taxYear);
        QFETCH(Edit, edit);
        QFETCH(QString, refusal);
        TddServiceSettings settings = tddTestSettings(m_fake.hostAndPort(), QString());
        settings.softwareCode = softwareCode;
        std::string request;
        QCOMPARE(constructTDDTokenCReq(settings, taxYear, TddAutoFill, {"046454286"}, request), 0);
        m_fake.enqueueStage(FakeAgencyDataServer::Reply::StageRefused);
        const int before = m_fake.requestCount();
        std::string reply;
        QVERIFY(post(edit(request), reply));
        QCOMPARE(m_fake.requestCount(), before + 1);
        QCOMPARE(m_fake.requests().last().refusal, refusal);
        QCOMPARE(m_status, refusal.isEmpty() ? 200 : 500);
        if (!refusal.isEmpty())
            QVERIFY(QString::fromStdString(reply).contains(refusal.toHtmlEscaped()));
        else
            QVERIFY(reply.find("<ReturnCode>1</ReturnCode>") != std::string::npos);
    }

    void refusesAReplayedRequest()
    {
        std::string request, reply;
        QCOMPARE(constructTDDTokenCReq(tddTestSettings(m_fake.hostAndPort(), QString()), "2024", TddAutoFill,
                                       {"046454286"}, request),
                 0);
        m_fake.enqueueStage(FakeAgencyDataServer::Reply::StageRefused);
        QVERIFY(post(request, reply));
        QCOMPARE(m_fake.requests().last().refusal, QString());
        QVERIFY(post(request, reply));
        QCOMPARE(m_fake.requests().last().refusal, QStringLiteral("Nonce seen before"));
    }

    void refusesATokenItDidNotIssue()
    {
        std::string request, reply;
        QCOMPARE(constructTDDDataReadyReq(tddTestSettings(m_fake.hostAndPort(), QString()), "2024", TddAutoFill,
                                          "NOTISSUED123", request),
                 0);
        QVERIFY(post(request, reply));
        QCOMPARE(m_fake.requests().last().refusal, QStringLiteral("TokenIdentifier not issued"));
    }

private:
    bool post(const std::string& request, std::string& reply)
    {
        QWebClient client("https://" + m_fake.hostAndPort() + "/ebci/awsc/tdd/ws/2024/CertTestDeliveryService");
        const bool ok = client.postSoapXML(request, nullptr, nullptr, nullptr, reply);
        m_status = client.lastStatusCode();
        return ok;
    }

    FakeAgencyDataServer m_fake;
    int m_status = 0;
};

QTEST_GUILESS_MAIN(TestTddFakeService)
#include "tst_tddfakeservice.moc"
