// The terms exchange against the fake agency: what each reply and each
// transport failure leaves in the record, the result and the result file.
#include <QtTest>

#include "companion/core/qwebclient.h"
#include "fakes/agency/fakeagencyserver.h"
#include "filing/direradterms.h"
#include "filing/filingexchangesettings.h"
#include "filing/soapfilingresult.h"

#include <QTemporaryDir>

class TestDireradTermsExchange : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void exchanges_data();
    void exchanges();

private:
    FakeAgencyServer m_agency;
    QTemporaryDir m_dir;
};

void TestDireradTermsExchange::initTestCase()
{
    QVERIFY2(AgencyCerts::available(), "certificates missing: run through ctest (fixture agency_certs)");
    QVERIFY(QWebClient::addTrustedCaFile(AgencyCerts::caPem()));
    QVERIFY2(m_agency.start(), qPrintable(m_agency.errorString()));
}

void TestDireradTermsExchange::init()
{
    m_agency.script().clear();
    m_agency.recorder().clear();
}

void TestDireradTermsExchange::exchanges_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<int>("listener"); // -1: nothing listening
    QTest::addColumn<bool>("refile");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("codes");
    const int trusted = int(FakeAgencyServer::Listener::Trusted);
    QTest::newRow("terms") << "terms.xml" << trusted << false << 0 << "";
    QTest::newRow("refile terms") << "terms.xml" << trusted << true << 0 << "";
    QTest::newRow("busy page") << "busy.html" << trusted << false << 51
                               << "unknown response error parses Direrad Term failed.\n";
    QTest::newRow("untrusted certificate") << "terms.xml" << int(FakeAgencyServer::Listener::Untrusted) << false
                                           << -50 << " read Direrad Term failed or network interruption.\n";
    QTest::newRow("nothing listening") << "terms.xml" << -1 << false << -50
                                       << " read Direrad Term failed or network interruption.\n";
}

void TestDireradTermsExchange::exchanges()
{
    QFETCH(QString, fixture);
    QFETCH(int, listener);
    QFETCH(bool, refile);
    QFETCH(int, result);
    QFETCH(QString, codes);
    m_agency.script().setDefault(AgencyEndpoint::Direrad, AgencyKind::Any, AgencyReply::fixture(fixture));

    FilingExchangeSettings settings;
    // Port 1 on the loopback: nothing listens there.
    settings.direradHost = listener < 0 ? QStringLiteral("127.0.0.1:1")
                                        : m_agency.hostAndPort(FakeAgencyServer::Listener(listener));
    settings.testMode = true;
    settings.resultFilePath = m_dir.filePath("netfileresult.ws");
    QFile::remove(settings.resultFilePath);
    SoapFilingResult r(SoapFilingResult::KindTerms);
    QCOMPARE(DireradSOAP_request1_internal(&r, refile, settings), result);

    QFile trace(settings.resultFilePath);
    QVERIFY(trace.open(QIODevice::ReadOnly));
    const QByteArray traced = trace.readAll();
    QVERIFY(traced.startsWith("\n\n"));
    QVERIFY(traced.contains(settings.direradHost.toUtf8() + "\n"));
    if (result == 0) {
        QVERIFY(r.m_bAccepted);
        QVERIFY(!r.m_strConfirmation.isEmpty());
        QCOMPARE(m_agency.recorder().count(), 1);
        const AgencyRequest request = m_agency.recorder().requests().first();
        QVERIFY(request.hasElement(refile ? "RefileTermsAndConditionsRequest" : "TermsAndConditionsRequest"));
        QVERIFY(traced.contains("TermsAndConditions"));
    } else {
        QCOMPARE(QString(r.m_strCodes), codes);
        QVERIFY(traced.endsWith(codes.toUtf8()));
    }
}


QTEST_GUILESS_MAIN(TestDireradTermsExchange)
#include "tst_direradtermsexchange.moc"
