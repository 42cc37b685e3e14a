#include "storefixture.h"

#include "agencydata/TddWebService.h"
#include "agencydata/records/tddtaxdataoneperson.h"
#include "agencydata/tddsoap.h"
#include "companion/core/xmlreader.h"
#include "companion/core/qwebclient.h"
#include "fakes/noarenderfake.h"

#include <QDir>
#include <QFile>
#include <QtTest>

#include <tinyxml.h>

namespace {

const char* const kOurs = "046454286";

std::string replyFixture(const QString& name)
{
    QFile file(QStringLiteral(VR_TESTS_SOURCE_DIR "/fakes/agencydata/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing fixture " + name.toStdString() + ">";
    return file.readAll().toStdString();
}

// The codes a parse posts, in order.
class RecordingSink : public TddProgressSink
{
public:
    void postMessage(int code, int) override { codes << code; }
    QList<int> codes;
};

// A service set up as a session leaves it: the requested S.I.N.s, the
// database of the fixture and a sink that records the progress codes.
struct ParseSession
{
    explicit ParseSession(AgencyStoreFixture& store, const std::list<std::string>& sins = {kOurs})
    {
        service.setSins(sins);
        service.setProgressDlg(&sink);
        service.setDatabaseOpener([&store](QSqlDatabase& db) { return store.openExtra(db); });
        service.setNoticeFolders(CString(store.home() + "/res"), CString(store.noticeFolder()));
    }
    ~ParseSession() { service.setProgressDlg(nullptr); }
    RecordingSink sink;
    TddWebService service;
};

// The Auto-fill report of an item element, headed alike for every record.
QString reportOf(TiXmlElement* item)
{
    TDDTaxDataOnePerson record(2024);
    if (!item || record.parseXMLData(item) != 0)
        return QStringLiteral("<unreadable item>");
    CString html;
    record.toHtml(html, kOurs, "2024-12-10 12:00:00");
    return html;
}

// The reply's first item, found by local names as the parse finds it.
TiXmlElement* firstItemOfReply(TiXmlDocument& reply)
{
    return MyTiXmlHandle(reply.RootElement())
        .FirstChildElement("Body")
        .FirstChildElement("GetTDDDireradResponse")
        .FirstChildElement("TaxDataDelivery")
        .FirstChildElement("TaxData")
        .FirstChildElement("IndividualIncomeTaxDataItem")
        .ToElement();
}

} // namespace

class TestReplyParse : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();

    void autofillStoresOnlyRequestedTaxpayers();
    void storedItemReadsBackAsTheReplysItem_data();
    void storedItemReadsBackAsTheReplysItem();
    void autofillRefusals_data();
    void autofillRefusals();
    void deeplyNestedRepliesAreRefusedAndTheNextIsRead();
    void typedSinWithBlanksMatches();
    void itemWithoutIdentifierIsSkipped();
    void withoutLogTheParseIsTheSame();

    void noticeWithoutT1NoticeGivesTheMessage();
    void twoNoticesOfOneTaxpayerLeaveOneRow();
    void noticeWithoutIdentifierDoesNotEndTheParse();
    void noticeWithT1NoticeStoresAPage();
    void storedNoticeHoldsOnlyItsItem();
    void noticeRefusals_data();
    void noticeRefusals();
};

void TestReplyParse::initTestCase()
{
    QVERIFY(QWebClient::addTrustedCaFile(NoaRenderFake::caFile()));
}

void TestReplyParse::autofillStoresOnlyRequestedTaxpayers()
{
    AgencyStoreFixture store;
    ParseSession session(store);
    QCOMPARE(session.service.parseTDDTaxData(store.log(), replyFixture("autofill-ours-and-stranger.xml")), 1);
    QCOMPARE(store.count("tb_taxdata"), 1);
    QCOMPARE(store.column("select sin from tb_taxpayers"), QStringList{kOurs});

    const QStringList lines = store.logLines();
    QVERIFY2(lines.filter(QRegularExpression("^skipping 2 \\(193f7d7c")).size() == 1, qPrintable(lines.join('|')));
    QVERIFY(lines.contains("enter parse data"));
    QVERIFY(lines.contains("db alive"));
    QVERIFY(lines.contains("parse 1 (0)"));
    QVERIFY(lines.contains("save 1 (xxxxx4286)"));
    // No S.I.N. in clear anywhere in the log.
    QVERIFY(!lines.join('\n').contains(kOurs));
    QCOMPARE(session.sink.codes, (QList<int>{80, 81, 85, 90, 85}));
    // Every connection a save opened is gone again.
    QVERIFY(QSqlDatabase::connectionNames().filter("TDD_DB_Connection").isEmpty());
}

void TestReplyParse::storedItemReadsBackAsTheReplysItem_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("declaration");
    QTest::newRow("ns2 prefix") << "autofill-prefix-ns2.xml" << "xmlns:ns2";
    QTest::newRow("four-letter prefix") << "autofill-prefix-four.xml" << "xmlns:tddx";
    QTest::newRow("default namespace") << "autofill-prefix-none.xml" << "xmlns";
}

void TestReplyParse::storedItemReadsBackAsTheReplysItem()
{
    QFETCH(QString, fixture);
    QFETCH(QString, declaration);
    AgencyStoreFixture store;
    ParseSession session(store);
    const std::string reply = replyFixture(fixture);
    QCOMPARE(session.service.parseTDDTaxData(store.log(), reply), 1);

    const QStringList stored = store.column("select data1 from tb_taxdata");
    QCOMPARE(stored.size(), 1);
    TiXmlDocument readBack;
    readBack.Parse(stored.first().toUtf8().constData(), nullptr, TIXML_ENCODING_UTF8);
    QVERIFY2(!readBack.Error(), readBack.ErrorDesc());
    TiXmlDocument original;
    original.Parse(reply.c_str(), nullptr, TIXML_ENCODING_UTF8);
    const QString expected = reportOf(firstItemOfReply(original));
    TDDTaxDataOnePerson received(2024);
    QCOMPARE(received.parseXMLData(firstItemOfReply(original)), 0);
    QCOMPARE(received.slipCount(), 20); // one slip of every kind
    QCOMPARE(reportOf(readBack.RootElement()), expected);
    // The stored item declares the namespace its names use.
    const char* uri = readBack.RootElement()->Attribute(declaration.toLatin1().constData());
    QCOMPARE(QString(uri ? uri : "<none>"), QStringLiteral("urn:agency:tdd"));
}

void TestReplyParse::autofillRefusals_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("result");
    QTest::addColumn<QList<int>>("codes");
    QTest::newRow("not XML") << QByteArray("<x") << -2 << QList<int>{80};
    QTest::newRow("no data delivery") << QByteArray(replyFixture("autofill-no-delivery.xml").c_str()) << -5
                                      << QList<int>{80, 81};
    QTest::newRow("no items") << QByteArray(replyFixture("autofill-no-items.xml").c_str()) << 0
                              << QList<int>{80, 81};
}

void TestReplyParse::autofillRefusals()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, result);
    QFETCH(QList<int>, codes);
    AgencyStoreFixture store;
    ParseSession session(store);
    QCOMPARE(session.service.parseTDDTaxData(store.log(), reply.toStdString()), result);
    QCOMPARE(session.sink.codes, codes);
    QCOMPARE(store.count("tb_taxdata"), 0);
}

// Both readers refuse a reply nested 100,000 deep before parsing it (the
// parser would descend once per level), say why in the log and store
// nothing; the same service then reads a sound reply.
void TestReplyParse::deeplyNestedRepliesAreRefusedAndTheNextIsRead()
{
    const std::string deep = "<soapenv:Envelope xmlns:soapenv=\"urn:s\"><soapenv:Body>"
                           + QByteArray("<a>").repeated(100000).toStdString()
                           + QByteArray("</a>").repeated(100000).toStdString() + "</soapenv:Body></soapenv:Envelope>";
    const QString why = QStringLiteral("Refused a malformed reply: it nests elements more than 256 levels deep.");
    AgencyStoreFixture store;
    ParseSession session(store);
    QCOMPARE(session.service.parseTDDTaxData(store.log(), deep), -2);
    QCOMPARE(session.service.parseNOATaxData(store.log(), deep), -2);
    QCOMPARE(store.logLines().count(why), 2);
    QCOMPARE(store.count("tb_taxdata"), 0);
    QCOMPARE(store.count("tb_taxnoa"), 0);

    QCOMPARE(session.service.parseTDDTaxData(store.log(), replyFixture("autofill-ours-and-stranger.xml")), 1);
    QCOMPARE(store.count("tb_taxdata"), 1);
}

void TestReplyParse::typedSinWithBlanksMatches()
{
    AgencyStoreFixture store;
    ParseSession session(store, {"046 454 286"});
    QCOMPARE(session.service.parseTDDTaxData(store.log(), replyFixture("autofill-prefix-ns2.xml")), 1);
    QCOMPARE(store.column("select sin from tb_taxpayers"), QStringList{kOurs});
    QCOMPARE(store.count("tb_taxdata"), 1);
}

void TestReplyParse::itemWithoutIdentifierIsSkipped()
{
    AgencyStoreFixture store;
    ParseSession session(store);
    QCOMPARE(session.service.parseTDDTaxData(store.log(), replyFixture("autofill-without-identifier.xml")), 1);
    const QStringList lines = store.logLines();
    QVERIFY2(lines.contains("parse 1 (-1)") && lines.contains("skipping 1 ()"), qPrintable(lines.join('|')));
    QVERIFY(lines.contains("save 2 (xxxxx4286)"));
}

void TestReplyParse::withoutLogTheParseIsTheSame()
{
    AgencyStoreFixture store;
    ParseSession session(store);
    QCOMPARE(session.service.parseTDDTaxData(nullptr, replyFixture("autofill-ours-and-stranger.xml")), 1);
    QCOMPARE(store.count("tb_taxdata"), 1);
    QCOMPARE(session.service.parseNOATaxData(nullptr, replyFixture("noa-without-identifier.xml")), 1);
    QCOMPARE(store.count("tb_taxnoa"), 1);
    QCOMPARE(store.logLines(), QStringList());
}

void TestReplyParse::noticeWithoutT1NoticeGivesTheMessage()
{
    AgencyStoreFixture store;
    ParseSession session(store);
    QCOMPARE(session.service.parseNOATaxData(store.log(), replyFixture("noa-without-notice.xml")), 1);
    const TddWebService::NoticeMessages messages = session.service.noticeMessages();
    QCOMPARE(messages.size(), size_t(1));
    QCOMPARE(QString(messages.at(kOurs)), QStringLiteral("For tax payer (S.I.N. 046454286), no message presents."));
    QCOMPARE(store.column("select htmlfile from tb_taxnoa"),
             QStringList{"For tax payer (S.I.N. xxxxx4286), no message presents."});
    QCOMPARE(session.sink.codes, (QList<int>{80, 81, 85, 90}));
    QVERIFY(QSqlDatabase::connectionNames().filter("NOA_DB_Connection").isEmpty());
}

void TestReplyParse::twoNoticesOfOneTaxpayerLeaveOneRow()
{
    AgencyStoreFixture store;
    ParseSession session(store);
    QCOMPARE(session.service.parseNOATaxData(store.log(), replyFixture("noa-two-notices.xml")), 2);
    QCOMPARE(store.count("tb_taxnoa"), 1);
    // The later notice's summary is the one the user is told.
    QCOMPARE(QString(session.service.noticeMessages().at(kOurs)),
             QStringLiteral("For tax payer (S.I.N. 046454286), Your return was assessed as filed."));
}

void TestReplyParse::noticeWithoutIdentifierDoesNotEndTheParse()
{
    AgencyStoreFixture store;
    ParseSession session(store);
    QCOMPARE(session.service.parseNOATaxData(store.log(), replyFixture("noa-without-identifier.xml")), 1);
    QCOMPARE(store.count("tb_taxnoa"), 1);
    const QStringList lines = store.logLines();
    QVERIFY2(lines.contains("SIN not found, return early"), qPrintable(lines.join('|')));
    // The walk went on past the item without identifier to the stranger's.
    QVERIFY(lines.filter(QRegularExpression("^skipping 3 \\(193f7d7c")).size() == 1);
    QVERIFY(!lines.join('\n').contains(kOurs));
}

void TestReplyParse::noticeWithT1NoticeStoresAPage()
{
    NoaRenderFake renderer;
    QVERIFY(renderer.start());
    AgencyStoreFixture store;
    ParseSession session(store);
    TddServiceSettings settings;
    settings.noaRenderHost = renderer.hostAndPort();
    session.service.setSettings(settings);
    QCOMPARE(session.service.parseNOATaxData(store.log(), replyFixture("noa-with-notice.xml")), 1);
    QVERIFY(session.service.noticeMessages().empty());
    const QStringList pages = store.column("select htmlfile from tb_taxnoa");
    QCOMPARE(pages, QStringList{store.noticeFolder() + "/noa2024_xxxxx4286_1.html"});
    QVERIFY(QFile::exists(pages.first()));
    QCOMPARE(renderer.posts().size(), 1);
}

// The notice the rendering service gets is the reply with this one item in
// its data element, well-formed whatever the prefixes.
void TestReplyParse::storedNoticeHoldsOnlyItsItem()
{
    NoaRenderFake renderer;
    QVERIFY(renderer.start());
    AgencyStoreFixture store;
    ParseSession session(store, {kOurs, "100064286"});
    TddServiceSettings settings;
    settings.noaRenderHost = renderer.hostAndPort();
    session.service.setSettings(settings);
    std::string reply = replyFixture("noa-with-notice.xml");
    const std::string stranger = "<ns2:NoticeOfAssessmentItem><ns2:IndividualTaxpayerIdentifier>"
                                 "193f7d7c48c5ed36257282a1d255d39a40731ef779eda06418e831715fb881eb"
                                 "</ns2:IndividualTaxpayerIdentifier><ns2:T1Notice/></ns2:NoticeOfAssessmentItem>";
    reply.insert(reply.find("<ns2:NoticeOfAssessmentItem>"), stranger);
    QCOMPARE(session.service.parseNOATaxData(store.log(), reply), 2);
    QCOMPARE(renderer.posts().size(), 2);
    for (int i = 0; i < 2; ++i) {
        const QString sent = renderer.posts()[i].first().second;
        TiXmlDocument document;
        document.Parse(sent.toUtf8().constData(), nullptr, TIXML_ENCODING_UTF8);
        QVERIFY2(!document.Error(), qPrintable(sent));
        QCOMPARE(sent.count("NoticeOfAssessmentItem>"), 2); // one item: its opening and closing tags
        QCOMPARE(sent.contains("193f7d7c"), i == 0);
    }
}

void TestReplyParse::noticeRefusals_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("result");
    QTest::newRow("not XML") << QByteArray("<x") << -2;
    QTest::newRow("Auto-fill reply") << QByteArray(replyFixture("autofill-no-items.xml").c_str()) << -5;
}

void TestReplyParse::noticeRefusals()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, result);
    AgencyStoreFixture store;
    ParseSession session(store);
    QCOMPARE(session.service.parseNOATaxData(store.log(), reply.toStdString()), result);
    QCOMPARE(store.count("tb_taxnoa"), 0);
}

QTEST_GUILESS_MAIN(TestReplyParse)
#include "tst_storereplyparse.moc"
