// The refund set-off table: its reading from the agency's CSV, the
// telephone look-up of the record, the one load per process whatever the
// threads, and the table the program ships.
#include <QtTest>

#include "agencydata/records/tddtaxdataoneperson.h"
#include "agencydata/setoffcodetable.h"
#include "itemxml.h"

#include <atomic>
#include <future>
#include <thread>

namespace {

std::atomic<int> g_tableLoads{0};
QtMessageHandler g_previousHandler = nullptr;

// Each load attempt of the process-wide table says so once in the log.
void countTableLoads(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (context.category && qstrcmp(context.category, "vr.agency.setoff") == 0)
        ++g_tableLoads;
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}

QString phoneIn(const SetOffCodeTable& table, const char* code)
{
    const auto found = table.find(code);
    return found == table.end() ? QString("(none)") : QString(found->second);
}

QByteArray csv(const QByteArray& rows)
{
    return "\"Prog Nbr/Id \",\"Eng Abbr \",\"French Abbr \",\"Prog Name Eng \",\"Dept Name Eng \","
           "\"Prog Name French \",\"Dept Name French \",\"Error Clue \",\"Program Active \",\"Dest Code \","
           "\"Telephone or Toll-Free \"\r\n" +
           rows;
}

} // namespace

class TestSetOffCodes : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        g_previousHandler = qInstallMessageHandler(countTableLoads);
        QVERIFY(itemxml::useSetOffTableIn(m_dir));
    }

    void cleanupTestCase() { qInstallMessageHandler(g_previousHandler); }

    // Two threads asking at the same moment: both get the whole table, and
    // the file is read once.
    void loadedOnceForTwoThreads()
    {
        std::promise<void> go;
        std::shared_future<void> start = go.get_future().share();
        auto ask = [start] {
            start.wait();
            return TDDTaxDataOnePerson::GetPhoneForSetOffCode("PFRA");
        };
        auto first = std::async(std::launch::async, ask);
        auto second = std::async(std::launch::async, ask);
        go.set_value();
        QCOMPARE(first.get(), std::string("Toll-Free       800-282-6249 Ext      "));
        QCOMPARE(second.get(), std::string("Toll-Free       800-282-6249 Ext      "));
        TDDTaxDataOnePerson::GetPhoneForSetOffCode("PSED");
        QCOMPARE(g_tableLoads.load(), 1);
    }

    void lookups_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("telephone");
        QTest::newRow("first of two rows") << "PSED" << "Toll-Free       800-830-3118 Ext      ";
        QTest::newRow("letter case counts") << "psed" << "";
        QTest::newRow("key stored with a trailing blank") << "CSC" << "Toll-Free       800-555-0199 Ext      ";
        QTest::newRow("code sent with blanks") << " PFRA " << "Toll-Free       800-282-6249 Ext      ";
        QTest::newRow("key after a line break in its quotes") << "MUNI" << "Num\u00e9ro 819-555-0142";
        QTest::newRow("absent") << "ZZZZ" << "";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("header is no program") << "Eng Abbr" << "";
    }

    void lookups()
    {
        QFETCH(QString, code);
        QFETCH(QString, telephone);
        QCOMPARE(QString::fromStdString(TDDTaxDataOnePerson::GetPhoneForSetOffCode(code.toStdString())), telephone);
    }

    void reading_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("telephone");
        QTest::newRow("telephone kept with its blanks")
            << csv("\"1\",\"PFRA\",\"a\",\"b\",\"c\",\"d\",\"e\",\"f\",\"Y\",\"x\",\"  800-282-6249   \"\r\n") << "PFRA"
            << "  800-282-6249   ";
        QTest::newRow("the last field, however many") << csv("1,AB,a,b,c,phone\r\n") << "AB" << "phone";
        QTest::newRow("first row wins") << csv("1,AB,a,b,first\r\n2,AB ,a,b,second\r\n") << "AB" << "first";
        QTest::newRow("short rows skipped") << csv("1,AB,short\r\n2,AB,a,b,long\r\n") << "AB" << "long";
        QTest::newRow("Latin-1 decoded") << csv("1,AB,a,b,\"T\xe9l\xe9phone\"\r\n") << "AB"
                                         << "T\u00e9l\u00e9phone";
        QTest::newRow("LF ends rows too") << csv("1,AB,a,b,one\n2,CD,a,b,two\n") << "CD" << "two";
        QTest::newRow("line break inside quotes") << csv("1,\"\nAB\",\"a\r\nb\",b,c,\"x\r\ny\"\r\n") << "AB"
                                                  << "x\r\ny";
        QTest::newRow("header row is skipped") << csv("") << "Eng Abbr" << "(none)";
        QTest::newRow("blank key skipped") << csv("1,\"   \",a,b,c\r\n") << "" << "(none)";
    }

    void reading()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, code);
        QFETCH(QString, telephone);
        SetOffCodeTable table;
        QVERIFY(readSetOffCodeTable(text.toStdString(), table));
        QCOMPARE(phoneIn(table, code.toUtf8().constData()), telephone);
    }

    void unreadableTables()
    {
        SetOffCodeTable table;
        table["OLD"] = CString("stale");
        QVERIFY(!readSetOffCodeTable(csv("1,AB,a,b,\"never closed\r\n").toStdString(), table));
        QVERIFY(table.empty());
        table["OLD"] = CString("stale");
        QVERIFY(!loadSetOffCodeTable(CString(m_dir.filePath("missing.csv")), table));
        QVERIFY(table.empty());
    }

    // The table the program ships, in its stated format.
    void shippedTable()
    {
        const QString path = QStringLiteral(VR_TESTS_SOURCE_DIR "/../resources/tdd/cde-elements-22b.csv");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(!bytes.isEmpty());
        // Every line ends in CR LF; no byte is outside Latin-1 by construction.
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
        QVERIFY(bytes.endsWith("\r\n"));
        const QList<QByteArray> header = bytes.left(bytes.indexOf("\r\n")).split(',');
        QCOMPARE(header.size(), 11);
        QVERIFY(header[1].startsWith("\"Eng Abbr ") && header[10].startsWith("\"Telephone or Toll-Free "));

        SetOffCodeTable table;
        QVERIFY(loadSetOffCodeTable(CString(path), table));
        QCOMPARE(phoneIn(table, "PSED"), QString("Toll-Free       800-830-3118 Ext      "));
        QCOMPARE(phoneIn(table, "PFRA"), QString("Toll-Free       800-282-6249 Ext      "));
        QVERIFY(table.count("CSC"));
        QVERIFY(bytes.contains("\"CSC \""));
        QCOMPARE(bytes.count("\"PSED\""), 4);
    }
};

QTEST_GUILESS_MAIN(TestSetOffCodes)
#include "tst_setoffcodes.moc"
