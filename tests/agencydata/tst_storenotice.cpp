#include "storefixture.h"

#include "agencydata/NOATaxDataOnePerson.h"
#include "companion/core/qwebclient.h"
#include "fakes/noarenderfake.h"

#include <QDir>
#include <QtTest>

#include <tinyxml.h>

namespace {

const char* const kNoMessage = "For tax payer (S.I.N. xxxxx4286), no message presents.";

std::string noticeXml(bool withNotice, const char* summary = "")
{
    std::string xml = "<NoticeOfAssessmentItem><IndividualTaxpayerIdentifier>id</IndividualTaxpayerIdentifier>";
    if (*summary)
        xml += std::string("<AssessmentSummaryText xml:lang=\"en\">") + summary + "</AssessmentSummaryText>";
    if (withNotice)
        xml += "<T1Notice><ns2:MaskedAccountNumber>XXXXX4286</ns2:MaskedAccountNumber></T1Notice>";
    return xml + "</NoticeOfAssessmentItem>";
}

} // namespace

class TestStoreNotice : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();

    void noticeWithoutPageStoresTheMessage_data();
    void noticeWithoutPageStoresTheMessage();
    void oneRowPerTaxpayerAndYear();
    void failedInsertKeepsTheEarlierNotice();

    void renderedPageIsStoredByPath();
    void sameLastDigitsKeepTwoPages();
    void failedRenderingStoresTheMessage_data();
    void failedRenderingStoresTheMessage();
    void failedRenderingRemovesTheEarlierPage();
    void withoutServiceNothingIsPosted();
    void saveRunsOnAWorkerThread();
    void failedRenderingLeavesAPageAsItWas();

private:
    // Parses the item into a new record aimed at the fake service and saves it.
    int save(AgencyStoreFixture& store, const std::string& sin, int year, std::string& xml,
             const QString& renderHost = QString());
    QStringList pages(AgencyStoreFixture& store) const;
};

void TestStoreNotice::initTestCase()
{
    QVERIFY(QWebClient::addTrustedCaFile(NoaRenderFake::caFile()));
}

int TestStoreNotice::save(AgencyStoreFixture& store, const std::string& sin, int year, std::string& xml,
                          const QString& renderHost)
{
    TiXmlDocument document;
    document.Parse(xml.c_str(), nullptr, TIXML_ENCODING_UTF8);
    NOATaxDataOnePerson record("/res/noa", store.noticeFolder(), year);
    if (record.parseXMLData(document.RootElement()) != 0)
        return -100;
    record.setRenderHost(renderHost);
    record.setRenderTimeoutMs(700);
    return record.saveToSqliteDB(store.worker(), store.log(), sin, xml);
}

QStringList TestStoreNotice::pages(AgencyStoreFixture& store) const
{
    return QDir(store.noticeFolder()).entryList(QDir::Files, QDir::Name);
}

void TestStoreNotice::noticeWithoutPageStoresTheMessage_data()
{
    QTest::addColumn<QString>("summary");
    QTest::addColumn<QString>("stored");
    QTest::newRow("no summary") << "" << kNoMessage;
    QTest::newRow("summary") << "Assessed as filed" << "For tax payer (S.I.N. xxxxx4286), Assessed as filed.";
    QTest::newRow("placeholder in the summary")
        << "Refund %1 issued" << "For tax payer (S.I.N. xxxxx4286), Refund %1 issued.";
}

void TestStoreNotice::noticeWithoutPageStoresTheMessage()
{
    QFETCH(QString, summary);
    QFETCH(QString, stored);
    AgencyStoreFixture store;
    std::string xml = noticeXml(false, summary.toUtf8().constData());
    const std::string received = xml;
    QCOMPARE(save(store, "046454286", 2024, xml), 1);

    QCOMPARE(store.column("select uid || '|' || taxyear || '|' || htmlfile from tb_taxnoa"),
             QStringList{"1|2024|" + stored});
    QCOMPARE(store.column("select data1 from tb_taxnoa"), QStringList{QString::fromStdString(received)});
    QCOMPARE(store.column("select sin from tb_taxpayers"), QStringList{"046454286"});
    QCOMPARE(store.logLines(), QStringList{"save into db=1"});
    QVERIFY(pages(store).isEmpty());
}

void TestStoreNotice::oneRowPerTaxpayerAndYear()
{
    AgencyStoreFixture store;
    std::string first = noticeXml(false, "First");
    std::string second = noticeXml(false, "Second");
    std::string earlier = noticeXml(false, "Earlier year");
    QCOMPARE(save(store, "046454286", 2024, first), 1);
    QCOMPARE(save(store, "046 454 286", 2024, second), 1);
    QCOMPARE(store.column("select taxyear || '|' || htmlfile from tb_taxnoa"),
             QStringList{"2024|For tax payer (S.I.N. xxxxx4286), Second."});

    QCOMPARE(save(store, "046454286", 2023, earlier), 1);
    QCOMPARE(store.column("select taxyear || '|' || htmlfile from tb_taxnoa order by taxyear"),
             (QStringList{"2023|For tax payer (S.I.N. xxxxx4286), Earlier year.",
                          "2024|For tax payer (S.I.N. xxxxx4286), Second."}));
    QCOMPARE(store.count("tb_taxpayers"), 1);
}

void TestStoreNotice::failedInsertKeepsTheEarlierNotice()
{
    AgencyStoreFixture store;
    std::string first = noticeXml(false, "First");
    QCOMPARE(save(store, "046454286", 2024, first), 1);
    store.exec("create trigger refuse_notice before insert on tb_taxnoa "
               "begin select raise(abort, 'refused by the test'); end");
    std::string second = noticeXml(false, "Second");
    QCOMPARE(save(store, "046454286", 2024, second), -1);
    QCOMPARE(store.column("select htmlfile from tb_taxnoa"),
             QStringList{"For tax payer (S.I.N. xxxxx4286), First."});
    QCOMPARE(store.logLines().mid(1), (QStringList{"save into db=0", "failed to save into db"}));
}

void TestStoreNotice::renderedPageIsStoredByPath()
{
    NoaRenderFake renderer;
    QVERIFY(renderer.start());
    AgencyStoreFixture store;
    std::string xml = noticeXml(true, "Assessed as filed");
    QCOMPARE(save(store, "046454286", 2024, xml, renderer.hostAndPort()), 1);

    const QString page = store.noticeFolder() + "/noa2024_xxxxx4286_1.html";
    QCOMPARE(store.column("select htmlfile from tb_taxnoa"), QStringList{page});
    QFile file(page);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), NoaRenderFake::defaultPage());
    QCOMPARE(file.permissions() & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());
    QCOMPARE(store.logLines(), QStringList{"xslt=0 save into db=1"});

    // The notice goes out, and is stored, with its account number masked.
    QCOMPARE(renderer.posts().size(), 1);
    const NoaRenderFake::FormItems items = renderer.posts().first();
    QCOMPARE(items.size(), 4);
    QCOMPARE(items[0].first, QStringLiteral("noaxml"));
    QCOMPARE(items[0].second, QString::fromStdString(xml));
    QVERIFY(items[0].second.contains("MaskedAccountNumber>xxxxx4286<"));
    QCOMPARE(items[1].first, QStringLiteral("testtime"));
    QCOMPARE(QStringList{items[1].second}, store.column("select create_time from tb_taxnoa"));
    QCOMPARE(items[2], (QPair<QString, QString>("taxyear", "2024")));
    QCOMPARE(items[3], (QPair<QString, QString>("xsltType", "t1noa_2024")));
    QCOMPARE(store.column("select data1 from tb_taxnoa"), QStringList{QString::fromStdString(xml)});
    QCOMPARE(renderer.strayRequests(), 0);
}

void TestStoreNotice::sameLastDigitsKeepTwoPages()
{
    NoaRenderFake renderer;
    QVERIFY(renderer.start());
    AgencyStoreFixture store;
    std::string first = noticeXml(true);
    renderer.setAnswer(NoaRenderFake::Answer::Page, "<html>first</html>");
    QCOMPARE(save(store, "046454286", 2024, first, renderer.hostAndPort()), 1);
    std::string second = noticeXml(true);
    renderer.setAnswer(NoaRenderFake::Answer::Page, "<html>second</html>");
    QCOMPARE(save(store, "100064286", 2024, second, renderer.hostAndPort()), 1);

    QCOMPARE(pages(store), (QStringList{"noa2024_xxxxx4286_1.html", "noa2024_xxxxx4286_2.html"}));
    const QStringList rows = store.column(
        "select t.sin || '|' || n.htmlfile from tb_taxnoa n join tb_taxpayers t on t.id = n.uid order by t.id");
    QCOMPARE(rows, (QStringList{"046454286|" + store.noticeFolder() + "/noa2024_xxxxx4286_1.html",
                                "100064286|" + store.noticeFolder() + "/noa2024_xxxxx4286_2.html"}));
    for (const auto& expected : {qMakePair(QStringLiteral("_1"), QByteArray("<html>first</html>")),
                                 qMakePair(QStringLiteral("_2"), QByteArray("<html>second</html>"))}) {
        QFile page(store.noticeFolder() + "/noa2024_xxxxx4286" + expected.first + ".html");
        QVERIFY(page.open(QIODevice::ReadOnly));
        QCOMPARE(page.readAll(), expected.second);
    }
}

void TestStoreNotice::failedRenderingStoresTheMessage_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("result");
    QTest::newRow("HTTP 500") << int(NoaRenderFake::Answer::ServerError) << int(NOATaxDataOnePerson::RenderBadStatus);
    QTest::newRow("empty body") << int(NoaRenderFake::Answer::EmptyBody) << int(NOATaxDataOnePerson::RenderEmptyPage);
    QTest::newRow("time-out") << int(NoaRenderFake::Answer::Silent) << int(NOATaxDataOnePerson::RenderNoReply);
}

void TestStoreNotice::failedRenderingStoresTheMessage()
{
    QFETCH(int, answer);
    QFETCH(int, result);
    NoaRenderFake renderer;
    QVERIFY(renderer.start());
    renderer.setAnswer(NoaRenderFake::Answer(answer));
    AgencyStoreFixture store;
    std::string xml = noticeXml(true);
    QCOMPARE(save(store, "046454286", 2024, xml, renderer.hostAndPort()), 1);

    QCOMPARE(renderer.posts().size(), 1);
    QVERIFY(pages(store).isEmpty());
    QCOMPARE(store.column("select htmlfile from tb_taxnoa"), QStringList{kNoMessage});
    const QStringList log = store.logLines();
    QCOMPARE(log.size(), 2);
    QVERIFY2(log[0].startsWith("rendering failed: "), qPrintable(log[0]));
    QCOMPARE(log[1], QStringLiteral("xslt=%1 save into db=1").arg(result));
}

void TestStoreNotice::failedRenderingRemovesTheEarlierPage()
{
    NoaRenderFake renderer;
    QVERIFY(renderer.start());
    AgencyStoreFixture store;
    std::string first = noticeXml(true);
    QCOMPARE(save(store, "046454286", 2024, first, renderer.hostAndPort()), 1);
    QCOMPARE(pages(store), QStringList{"noa2024_xxxxx4286_1.html"});

    renderer.setAnswer(NoaRenderFake::Answer::EmptyBody);
    std::string second = noticeXml(true, "Assessed as filed");
    QCOMPARE(save(store, "046454286", 2024, second, renderer.hostAndPort()), 1);
    QVERIFY(pages(store).isEmpty());
    QCOMPARE(store.column("select htmlfile from tb_taxnoa"),
             QStringList{"For tax payer (S.I.N. xxxxx4286), Assessed as filed."});
}

void TestStoreNotice::withoutServiceNothingIsPosted()
{
    AgencyStoreFixture store;
    std::string xml = noticeXml(true);
    QCOMPARE(save(store, "046454286", 2024, xml), 1);
    QCOMPARE(store.column("select htmlfile from tb_taxnoa"), QStringList{kNoMessage});
    QCOMPARE(store.logLines(), (QStringList{"rendering failed: no rendering service is configured",
                                            "xslt=1 save into db=1"}));
}

// As a fetch does: its own connection on its own thread, while this thread
// serves the rendering service.
void TestStoreNotice::saveRunsOnAWorkerThread()
{
    NoaRenderFake renderer;
    QVERIFY(renderer.start());
    AgencyStoreFixture store;
    const QString dbFile = store.dbFile();
    const QString folder = store.noticeFolder();
    const QString host = renderer.hostAndPort();
    int result = 0;
    QThread* worker = QThread::create([&] {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "NOA_DB_Connection_worker");
            db.setDatabaseName(dbFile);
            if (db.open()) {
                std::string xml = noticeXml(true);
                TiXmlDocument document;
                document.Parse(xml.c_str(), nullptr, TIXML_ENCODING_UTF8);
                NOATaxDataOnePerson record("/res/noa", folder, 2024);
                record.parseXMLData(document.RootElement());
                record.setRenderHost(host);
                result = record.saveToSqliteDB(&db, nullptr, "046454286", xml);
            }
            db.close();
        }
        QSqlDatabase::removeDatabase("NOA_DB_Connection_worker");
    });
    QEventLoop loop;
    connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    loop.exec();
    QVERIFY(worker->isFinished());
    delete worker;

    QCOMPARE(result, 1);
    QCOMPARE(renderer.posts().size(), 1);
    QCOMPARE(pages(store), QStringList{"noa2024_xxxxx4286_1.html"});
    QCOMPARE(store.column("select htmlfile from tb_taxnoa"), QStringList{folder + "/noa2024_xxxxx4286_1.html"});
}

void TestStoreNotice::failedRenderingLeavesAPageAsItWas()
{
    NoaRenderFake renderer;
    QVERIFY(renderer.start());
    TestHome home;
    CString path = home.filePath("noa1/page.html");
    NOATaxDataOnePerson record("/res/noa", home.filePath("noa1"), 2023);
    record.setRenderHost(renderer.hostAndPort());
    std::string xml = noticeXml(true);
    QCOMPARE(record.toHtmlFileXslt2(path, "2025-03-01 10:00:00", xml), int(NOATaxDataOnePerson::RenderOk));
    QCOMPARE(renderer.posts().last().value(2), (QPair<QString, QString>("taxyear", "2023")));
    QCOMPARE(renderer.posts().last().value(1), (QPair<QString, QString>("testtime", "2025-03-01 10:00:00")));

    renderer.setAnswer(NoaRenderFake::Answer::ServerError);
    QCOMPARE(record.toHtmlFileXslt2(path, "2025-03-01 10:00:01", xml), int(NOATaxDataOnePerson::RenderBadStatus));
    QCOMPARE(record.lastRenderError(), QStringLiteral("the service answered with status 500"));
    QFile page(path);
    QVERIFY(page.open(QIODevice::ReadOnly));
    QCOMPARE(page.readAll(), NoaRenderFake::defaultPage());
}

QTEST_GUILESS_MAIN(TestStoreNotice)
#include "tst_storenotice.moc"
