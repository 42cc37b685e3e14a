#include <QtTest>

#include "common/testhome.h"
#include "companion/core/appconfig.h"

namespace {

// A small configuration with two text keys and two flag keys, and a record
// of whether the after-read hook ran.
class SampleConfig : public CAppConfig
{
public:
    SampleConfig()
    {
        m_mapStringKeys["Server"] = &server;
        m_mapStringKeys["Path"] = &path;
        m_mapBoolKeys["MODEDEBUG"] = &debug;
        m_mapBoolKeys["PrintLogo"] = &logo;
    }
    void afterReadConfigFile() override { ++hookRuns; }

    CString server = "default.host";
    CString path;
    bool debug = false;
    bool logo = true;
    int hookRuns = 0;
};

} // namespace

class TestAppConfig : public QObject
{
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void flags_data();
    void flags();
    void unreadableFile();
    void oversizedFileIsRefused();
    void setStringValIfNotSet();
};

void TestAppConfig::parse_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("path");

    QTest::newRow("plain") << QByteArray("Server=a.example\nPath=/tmp/x\n") << "a.example" << "/tmp/x";
    QTest::newRow("comments and blanks")
        << QByteArray("# Server=hash\n; Server=semi\n\n   \nServer=real\n") << "real" << "";
    QTest::newRow("crlf") << QByteArray("Server=crlf.host\r\nPath=p\r\n") << "crlf.host" << "p";
    QTest::newRow("blanks trimmed") << QByteArray("  Server  =  spaced value  \n") << "spaced value" << "";
    QTest::newRow("value with equals") << QByteArray("Path=a=b=c\n") << "default.host" << "a=b=c";
    QTest::newRow("unknown keys ignored") << QByteArray("Other=1\nserver=lower\nServer=kept\n") << "kept" << "";
    QTest::newRow("absent keys keep defaults") << QByteArray("") << "default.host" << "";
    QTest::newRow("no newline at end") << QByteArray("Server=last") << "last" << "";
    QTest::newRow("line without equals skipped") << QByteArray("Server\nPath=x\n") << "default.host" << "x";
    QTest::newRow("empty value clears") << QByteArray("Server=\n") << "" << "";
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBFServer=bom\n") << "bom" << "";
    QTest::newRow("utf-8 value") << QByteArray("Path=/home/Québec\n") << "default.host" << "/home/Québec";
    QTest::newRow("overlong line skipped")
        << (QByteArray("Path=") + QByteArray(CAppConfig::kMaxLineBytes, 'x') + "\nServer=after\n")
        << "after" << "";
}

void TestAppConfig::parse()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, server);
    QFETCH(QString, path);

    TestHome home;
    const QString file = home.filePath("gr_path.ini");
    {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        QCOMPARE(out.write(content), qint64(content.size()));
    }
    SampleConfig config;
    QVERIFY(config.readConfigFile(file.toUtf8().constData()));
    QCOMPARE(static_cast<QString>(config.server), server);
    QCOMPARE(static_cast<QString>(config.path), path);
    QCOMPARE(config.hookRuns, 1);
}

void TestAppConfig::flags_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("debug");
    QTest::addColumn<bool>("logo");

    QTest::newRow("1 and 0") << QByteArray("MODEDEBUG=1\nPrintLogo=0") << true << false;
    QTest::newRow("words") << QByteArray("MODEDEBUG=true\nPrintLogo=off") << true << false;
    QTest::newRow("any case") << QByteArray("MODEDEBUG=YES\nPrintLogo=No") << true << false;
    QTest::newRow("on") << QByteArray("MODEDEBUG=on") << true << true;
    QTest::newRow("garbage leaves flag") << QByteArray("MODEDEBUG=maybe\nPrintLogo=2") << false << true;
    QTest::newRow("empty leaves flag") << QByteArray("PrintLogo=") << false << true;
}

void TestAppConfig::flags()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, debug);
    QFETCH(bool, logo);

    TestHome home;
    const QString file = home.filePath("flags.ini");
    {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(line);
    }
    SampleConfig config;
    QVERIFY(config.readConfigFile(file.toUtf8().constData()));
    QCOMPARE(config.debug, debug);
    QCOMPARE(config.logo, logo);
}

void TestAppConfig::unreadableFile()
{
    TestHome home;
    SampleConfig config;
    QVERIFY(!config.readConfigFile(home.filePath("missing.ini").toUtf8().constData()));
    QVERIFY(!config.readConfigFile(home.path().toUtf8().constData())); // a folder
    QVERIFY(!config.readConfigFile(nullptr));
    QCOMPARE(static_cast<QString>(config.server), QStringLiteral("default.host"));
    QCOMPARE(config.hookRuns, 3); // the hook still settles derived values
}

void TestAppConfig::oversizedFileIsRefused()
{
    TestHome home;
    const QString file = home.filePath("big.ini");
    {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("Server=big\n");
        out.write(QByteArray(int(CAppConfig::kMaxFileBytes), '\n'));
    }
    SampleConfig config;
    QVERIFY(!config.readConfigFile(file.toUtf8().constData()));
    QCOMPARE(static_cast<QString>(config.server), QStringLiteral("default.host"));
}

void TestAppConfig::setStringValIfNotSet()
{
    CString empty;
    CAppConfig::setStringValIfNotSet(empty, "filled");
    QCOMPARE(static_cast<QString>(empty), QStringLiteral("filled"));

    CString set("kept");
    CAppConfig::setStringValIfNotSet(set, "other");
    QCOMPARE(static_cast<QString>(set), QStringLiteral("kept"));

    CString stillEmpty;
    CAppConfig::setStringValIfNotSet(stillEmpty, nullptr);
    QVERIFY(stillEmpty.IsEmpty());
}

QTEST_GUILESS_MAIN(TestAppConfig)
#include "tst_appconfig.moc"
