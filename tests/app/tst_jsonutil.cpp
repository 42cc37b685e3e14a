#include <QtTest>

#include "companion/core/jsonutil.h"

// One table of replies and reads. Each row parses up to two texts in turn
// (the second may be empty to skip it) and then performs one read.
class TestJsonUtil : public QObject
{
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void readText_data();
    void readText();
    void readInt_data();
    void readInt();
    void readBool_data();
    void readBool();
    void subArray_data();
    void subArray();
    void failedParseKeepsLastObject();
};

void TestJsonUtil::parse_data()
{
    // Every row first parses {"a":"old"}, then the text, then reads "a".
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("readResult");
    QTest::addColumn<QString>("a");
    QTest::newRow("object replaces") << R"({"a":"new"})" << 0 << 0 << "new";
    QTest::newRow("empty text") << "" << 99 << 0 << "old";
    QTest::newRow("lone brace") << "{" << 99 << 0 << "old";
    QTest::newRow("not json") << "hello" << 99 << 0 << "old";
    QTest::newRow("array keeps object") << "[1, 2]" << 0 << 0 << "old";
    QTest::newRow("empty object replaces") << "{}" << 0 << 99 << "unread";
}

void TestJsonUtil::parse()
{
    QFETCH(QString, text);
    QFETCH(int, result);
    QFETCH(int, readResult);
    QFETCH(QString, a);
    JsonUtil json;
    QCOMPARE(json.parseString(R"({"a":"old"})"), 0);
    QCOMPARE(json.parseString(text), result);
    QCOMPARE(json.status(), result);
    QString value = "unread";
    QCOMPARE(json.getStrParam("a", value), readResult);
    QCOMPARE(value, a);
}

static const char* kReply = R"({"name":"Ann","count":7,"digits":"42","real":3.9,"flag":true,)"
                            R"("zero":false,"list":[1,2,3],"obj":{"x":1},"nul":null})";

void TestJsonUtil::readText_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("out");
    QTest::newRow("string") << "name" << 0 << "Ann";
    QTest::newRow("number gives empty") << "count" << 0 << "";
    QTest::newRow("null gives empty") << "nul" << 0 << "";
    QTest::newRow("missing leaves out") << "none" << 99 << "before";
    QTest::newRow("key case matters") << "Name" << 99 << "before";
}

void TestJsonUtil::readText()
{
    QFETCH(QString, key);
    QFETCH(int, result);
    QFETCH(QString, out);
    JsonUtil json;
    QCOMPARE(json.parseString(kReply), 0);
    QString value = "before";
    QCOMPARE(json.getStrParam(key, value), result);
    QCOMPARE(json.status(), result);
    QCOMPARE(value, out);
}

void TestJsonUtil::readInt_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("out");
    QTest::newRow("integer") << "count" << 0 << 7;
    QTest::newRow("string of digits gives 0") << "digits" << 0 << 0;
    QTest::newRow("fraction is not an integer") << "real" << 0 << 0;
    QTest::newRow("flag gives 0") << "flag" << 0 << 0;
    QTest::newRow("missing leaves out") << "none" << 99 << -5;
}

void TestJsonUtil::readInt()
{
    QFETCH(QString, key);
    QFETCH(int, result);
    QFETCH(int, out);
    JsonUtil json;
    QCOMPARE(json.parseString(kReply), 0);
    int value = -5;
    QCOMPARE(json.getIntParam(key, value), result);
    QCOMPARE(json.status(), result);
    QCOMPARE(value, out);
}

void TestJsonUtil::readBool_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("priorError");
    QTest::addColumn<bool>("value");
    QTest::addColumn<int>("status");
    QTest::newRow("true") << "flag" << false << true << 0;
    QTest::newRow("false") << "zero" << false << false << 0;
    QTest::newRow("not a flag") << "count" << false << false << 0;
    QTest::newRow("missing sets 99") << "none" << false << false << 99;
    QTest::newRow("present keeps earlier 99") << "flag" << true << true << 99;
}

void TestJsonUtil::readBool()
{
    QFETCH(QString, key);
    QFETCH(bool, priorError);
    QFETCH(bool, value);
    QFETCH(int, status);
    JsonUtil json;
    QCOMPARE(json.parseString(kReply), 0);
    if (priorError) {
        int dummy = 0;
        QCOMPARE(json.getIntParam("none", dummy), 99);
    }
    QCOMPARE(json.getBoolParam(key), value);
    QCOMPARE(json.status(), status);
}

void TestJsonUtil::subArray_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("size");
    QTest::newRow("array") << "list" << 3;
    QTest::newRow("object is not an array") << "obj" << 0;
    QTest::newRow("missing") << "none" << 0;
}

void TestJsonUtil::subArray()
{
    QFETCH(QString, key);
    QFETCH(int, size);
    JsonUtil json;
    QCOMPARE(json.parseString(kReply), 0);
    int dummy = 0;
    json.getIntParam("none", dummy); // status 99 before the read
    const QJsonArray array = json.getSubArray(key);
    QCOMPARE(array.size(), size);
    QCOMPARE(json.status(), 99);
    if (size == 3)
        QCOMPARE(array.at(2).toInt(), 3);
}

void TestJsonUtil::failedParseKeepsLastObject()
{
    JsonUtil json;
    QCOMPARE(json.parseString(R"({"id":5})"), 0);
    QCOMPARE(json.parseString(R"({"id":)"), 99);
    int id = 0;
    QCOMPARE(json.getIntParam("id", id), 0);
    QCOMPARE(id, 5);
    QCOMPARE(json.status(), 0);
}

QTEST_APPLESS_MAIN(TestJsonUtil)
#include "tst_jsonutil.moc"
