#include <QtTest>

#include "companion/core/qwebclient.h"
#include "fakes/agency/agencyscriptfile.h"
#include "fakes/agency/fakeagencyserver.h"
#include "filing/filingwebclient.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>

Q_DECLARE_METATYPE(SoapPostOutcome)

// The fake agency itself: its replies carry the element names the
// program's reply readers look for, its endpoints and limits behave as a
// service does, its script file reads as documented, and the fake_agency
// program serves a script.
class TestFakeAgency : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();

    void fixturesCarryTheAgencyElements_data();
    void fixturesCarryTheAgencyElements();
    void fixturesHaveTheShapesReadersNeed();
    void unknownPathAndUnscriptedService_data();
    void unknownPathAndUnscriptedService();
    void stopListeningAfterReply();
    void oversizedRequestIsDropped();
    void scriptFile_data();
    void scriptFile();
    void programServesItsScript();
};

namespace {

// Text of the first element with this qualified name ("prefix:name" as in
// the file); null when there is none.
QString elementText(const QByteArray& xml, const QString& qualifiedName)
{
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.qualifiedName() == qualifiedName)
            return reader.readElementText(QXmlStreamReader::IncludeChildElements);
    }
    return QString();
}

} // namespace

void TestFakeAgency::initTestCase()
{
    QVERIFY2(AgencyCerts::available(), "certificates missing: run through ctest (fixture agency_certs)");
    QVERIFY(QWebClient::addTrustedCaFile(AgencyCerts::caPem()));
}

void TestFakeAgency::cleanupTestCase()
{
    QWebClient::clearTrustedCaFiles();
}

void TestFakeAgency::fixturesCarryTheAgencyElements_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("text");

    QTest::newRow("terms link target") << "terms.xml" << "t1rsp:HyperlinkTarget" << "https://www.taxagency.example/direrad/terms.html";
    QTest::newRow("terms link text") << "terms.xml" << "t1rsp:HyperlinkText" << "Terms and conditions of online filing";
    QTest::newRow("accepted result") << "accepted.xml" << "ResultCode" << "0";
    QTest::newRow("accepted confirmation") << "accepted.xml" << "t1rsp:ConfirmationCode" << "XK47Q9";
    QTest::newRow("accepted, second text")
        << "accepted-two-texts.xml" << "t1rsp:ConfirmationCode" << "XK47Q9";
    QTest::newRow("accepted under ns2") << "accepted-ns2.xml" << "ns2:ConfirmationCode" << "XK47Q9";
    QTest::newRow("rejected link") << "rejected.xml" << "t1rsp:HyperlinkTarget" << "https://www.taxagency.example/direrad/rejected.html";
    QTest::newRow("processing error result") << "processing-error.xml" << "ResultCode" << "400";
    QTest::newRow("processing error code") << "processing-error.xml" << "t1rsp:ErrorCode" << "12345";
    QTest::newRow("system error") << "system-error.xml" << "t1rsp:MessageText" << "The service is not available at this time. Please try again later.";
    QTest::newRow("fault string") << "fault-busy.xml" << "faultstring" << "Server busy";
    QTest::newRow("T1135 accepted") << "t1135-accepted.xml" << "t1rsp:ConfirmationCode" << "T1135-778";
    QTest::newRow("T1135 refused") << "t1135-refused.xml" << "t1rsp:ErrorCode" << "T1135E01";
    QTest::newRow("EFILE 2139") << "efile-accepted-2139.xml" << "t1ersp:CvIndicator" << "2139";
    QTest::newRow("EFILE 24") << "efile-accepted-24.xml" << "t1ersp:CvIndicator" << "24";
    QTest::newRow("EFILE refused 184") << "efile-refused-184.xml" << "ResultCode" << "18402";
    QTest::newRow("EFILE not operational") << "efile-eol-132.xml" << "resultCode" << "132";
    QTest::newRow("T1013 none received") << "t1013-count0.xml" << "trisr:ReceivedFormsCount" << "0";
    QTest::newRow("T1013 one received") << "t1013-count1.xml" << "trisr:ReceivedFormsCount" << "1";
    QTest::newRow("T1013 two received") << "t1013-count2.xml" << "trisr:ReceivedFormsCount" << "2";
    QTest::newRow("PAD confirmation") << "pad-confirmation.xml" << "ConfirmationNumber" << "PAD-20250301";
    QTest::newRow("PAD rejection") << "pad-rejection.xml" << "ResponseCode" << "PAD12";
}

void TestFakeAgency::fixturesCarryTheAgencyElements()
{
    QFETCH(QString, fixture);
    QFETCH(QString, element);
    QFETCH(QString, text);
    const QByteArray xml = AgencyFixtures::read(fixture);
    QVERIFY(!xml.isEmpty());
    QCOMPARE(elementText(xml, element), text);

    QXmlStreamReader wellFormed(xml);
    while (!wellFormed.atEnd())
        wellFormed.readNext();
    QVERIFY2(!wellFormed.hasError(), qPrintable(wellFormed.errorString()));
}

void TestFakeAgency::fixturesHaveTheShapesReadersNeed()
{
    // What the readers of these replies need beyond the element names.
    const QByteArray two = AgencyFixtures::read("accepted-two-texts.xml");
    QVERIFY(QString::fromUtf8(two).contains(QChar(0x2019)));
    QVERIFY(QString::fromUtf8(two).contains(QStringLiteral("Amélie")));
    QVERIFY(elementText(AgencyFixtures::read("fault-bare.xml"), "faultstring").isNull());
    const QByteArray both = AgencyFixtures::read("pad-both.xml");
    QVERIFY(both.indexOf("<Confirmation>") >= 0 && both.indexOf("<Confirmation>") < both.indexOf("<Rejection>"));
    for (const char* name : {"t1013-count0.xml", "t1013-count1.xml", "t1013-count2.xml"}) {
        const QByteArray xml = AgencyFixtures::read(name);
        QVERIFY2(xml.startsWith("<?xml"), name);
        QVERIFY2(xml.trimmed().endsWith("</soapenv:Envelope>"), name);
    }
    QVERIFY(AgencyFixtures::read("busy.html").startsWith("<!DOCTYPE html>"));
}

void TestFakeAgency::unknownPathAndUnscriptedService_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("status");
    QTest::newRow("unknown path") << "/ebci/other/Service" << 404;
    QTest::newRow("service path with a query") << "/ebci/pfno/ws/services/FileReturnService?wsdl" << 500;
}

void TestFakeAgency::unknownPathAndUnscriptedService()
{
    QFETCH(QString, path);
    QFETCH(int, status);
    FakeAgencyServer agency;
    QVERIFY2(agency.start(), qPrintable(agency.errorString()));
    FilingWebClient client(QStringLiteral("https://%1%2").arg(agency.hostAndPort(), path));
    const SoapPostResult r = client.post("<x/>", "text/xml; charset=UTF-8");
    QCOMPARE(r.status, status);
    QCOMPARE(agency.recorder().count(), 1);
    // An unscripted service answers with a fault, never an acceptance.
    if (status == 500)
        QCOMPARE(elementText(r.body, "faultstring"), QString("No reply scripted"));
}

void TestFakeAgency::stopListeningAfterReply()
{
    FakeAgencyServer agency;
    QVERIFY2(agency.start(), qPrintable(agency.errorString()));
    agency.script().enqueue(AgencyEndpoint::Pad, AgencyKind::Any,
                            AgencyReply::fixture("pad-confirmation.xml").thenStopListening());
    FilingWebClient client(agency.url(AgencyEndpoint::Pad));
    QCOMPARE(client.post("<x/>", "text/xml; charset=UTF-8").outcome, SoapPostOutcome::Reply);
    QTRY_VERIFY(!agency.isListening());
    QCOMPARE(client.post("<x/>", "text/xml; charset=UTF-8").outcome, SoapPostOutcome::NotSent);
    QCOMPARE(agency.recorder().count(), 1);
}

void TestFakeAgency::oversizedRequestIsDropped()
{
    FakeAgencyServer agency;
    QVERIFY2(agency.start(), qPrintable(agency.errorString()));
    agency.script().setDefault(AgencyEndpoint::Efile, AgencyKind::Any, AgencyReply::fixture("efile-accepted-24.xml"));
    FilingWebClient client(agency.url(AgencyEndpoint::Efile));
    client.setTimeoutMs(10000);
    const QByteArray huge(FakeAgencyServer::MaxRequestBytes + 1, 'x');
    QCOMPARE(client.post(huge, "text/xml; charset=UTF-8").outcome, SoapPostOutcome::OutcomeUnknown);
    QCOMPARE(agency.recorder().count(), 0);
}

void TestFakeAgency::scriptFile_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("error");
    QTest::newRow("queued, default and options")
        << "# a filing\ndirerad terms 200 terms.xml\n\ndirerad return 200 accepted.xml delay=10 stop-listening\n"
           "default direrad return 500 fault-busy.xml\nefile any close-after-read\nt1013 any close-at-once\n"
        << true << "";
    QTest::newRow("unknown endpoint") << "direrad terms 200 terms.xml\nirs any 200 terms.xml\n" << false << "line 2: unknown endpoint";
    QTest::newRow("missing fixture") << "pad any 200 nothing.xml\n" << false << "line 1: no fixture nothing.xml";
    QTest::newRow("bad status") << "pad any 99 pad-rejection.xml\n" << false << "line 1: expected a status and a fixture";
    QTest::newRow("at-once close by kind") << "direrad return close-at-once\n" << false
                                           << "line 1: an at-once close comes before the kind is known; use kind any";
    QTest::newRow("bad option") << "pad any 200 pad-both.xml later\n" << false << "line 1: unknown option later";
}

void TestFakeAgency::scriptFile()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(QString, error);
    AgencyScript script;
    QString why;
    QCOMPARE(AgencyScriptFile::parse(text, script, &why), ok);
    QCOMPARE(why, error);
    if (!ok) {
        // Nothing of a bad script is taken.
        QCOMPARE(script.take(AgencyEndpoint::Direrad, AgencyKind::Terms).body, AgencyScript::unscripted().body);
        return;
    }
    QCOMPARE(script.take(AgencyEndpoint::Direrad, AgencyKind::Terms).body, AgencyFixtures::read("terms.xml"));
    const AgencyReply first = script.take(AgencyEndpoint::Direrad, AgencyKind::Return);
    QCOMPARE(first.body, AgencyFixtures::read("accepted.xml"));
    QCOMPARE(first.delayMs, 10);
    QVERIFY(first.stopListeningAfter);
    const AgencyReply then = script.take(AgencyEndpoint::Direrad, AgencyKind::Return);
    QCOMPARE(then.status, 500);
    QCOMPARE(then.body, AgencyFixtures::read("fault-busy.xml"));
    QCOMPARE(script.take(AgencyEndpoint::Efile, AgencyKind::Any).action, AgencyReply::Action::CloseAfterRead);
    QVERIFY(script.takeCloseAtOnce(AgencyEndpoint::T1013));
    QVERIFY(!script.takeCloseAtOnce(AgencyEndpoint::T1013));
}

void TestFakeAgency::programServesItsScript()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString scriptPath = dir.filePath("script.txt");
    {
        QFile script(scriptPath);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("direrad terms 200 terms.xml\n");
    }
    QProcess program;
    program.setProgram(QCoreApplication::applicationDirPath() + "/fake_agency");
    program.setArguments({scriptPath, "--home", dir.path()});
    program.start();
    QVERIFY2(program.waitForStarted(5000), qPrintable(program.errorString()));
    QVERIFY(program.waitForReadyRead(5000));
    const QByteArray first = program.readLine().trimmed();
    QVERIFY2(first.startsWith("port "), first.constData());
    const QString hostAndPort = "127.0.0.1:" + QString::fromLatin1(first.mid(5));

    // It wrote the program's configuration for that home.
    QFile config(dir.path() + "/Documents/vodarevivo/2024/run/gr_path.ini");
    QVERIFY(config.open(QIODevice::ReadOnly));
    QVERIFY(config.readAll().contains("DIRERADSERVER=" + hostAndPort.toLatin1() + "\n"));

    FilingWebClient client("https://" + hostAndPort + "/ebci/pfno/ws/services/FileReturnService");
    const SoapPostResult r = client.post("<t1rq:TermsAndConditionsRequest/>", "text/xml; charset=UTF-8");
    QCOMPARE(r.outcome, SoapPostOutcome::Reply);
    QCOMPARE(r.body, AgencyFixtures::read("terms.xml"));
    QByteArray output;
    QTRY_VERIFY((output += program.readAll()).contains("request direrad terms\n"));
    program.terminate();
    QVERIFY(program.waitForFinished(5000));
}

QTEST_GUILESS_MAIN(TestFakeAgency)
#include "tst_fakeagency.moc"
