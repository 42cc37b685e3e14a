#include <QtTest>

#include "companion/core/cstring.h"

class TestCString : public QObject
{
    Q_OBJECT
private slots:
    void utf8Construction();
    void find_data();
    void find();
    void substrings_data();
    void substrings();
    void trimInPlace();
    void compare_data();
    void compare();
    void format();
    void replaceAndRemove();
};

void TestCString::utf8Construction()
{
    CString s("Québec");
    QCOMPARE(s.GetLength(), 6);
    QCOMPARE(s.toStdString(), std::string("Québec"));
    s = std::string("Montréal");
    QCOMPARE(static_cast<QString>(s), QStringLiteral("Montréal"));
    s = "";
    QVERIFY(s.IsEmpty());
}

void TestCString::find_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("what");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("expected");
    QTest::newRow("found") << "T4 slip T4A" << "T4" << 0 << 0;
    QTest::newRow("found after start") << "T4 slip T4A" << "T4" << 1 << 8;
    QTest::newRow("missing") << "T4 slip" << "T5" << 0 << -1;
    QTest::newRow("start past end") << "T4" << "T4" << 5 << -1;
    QTest::newRow("negative start") << "T4" << "T4" << -1 << -1;
}

void TestCString::find()
{
    QFETCH(QString, text);
    QFETCH(QString, what);
    QFETCH(int, start);
    QFETCH(int, expected);
    QCOMPARE(CString(text).Find(what, start), expected);
}

void TestCString::substrings_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    QTest::addColumn<QString>("midFromCount");
    QTest::newRow("inside") << "123456789" << 3 << "123" << "789" << "456789";
    QTest::newRow("zero") << "abc" << 0 << "" << "" << "abc";
    QTest::newRow("negative") << "abc" << -2 << "" << "" << "abc";
    QTest::newRow("beyond") << "abc" << 10 << "abc" << "abc" << "";
}

void TestCString::substrings()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    const CString s(text);
    QTEST(static_cast<QString>(s.Left(count)), "left");
    QTEST(static_cast<QString>(s.Right(count)), "right");
    QTEST(static_cast<QString>(s.Mid(count)), "midFromCount");
}

void TestCString::trimInPlace()
{
    CString s("  a b \t\n");
    CString t = s;
    QCOMPARE(static_cast<QString>(t.TrimLeft()), QStringLiteral("a b \t\n"));
    QCOMPARE(static_cast<QString>(s.TrimRight()), QStringLiteral("  a b"));
    QCOMPARE(static_cast<QString>(s.Trim()), QStringLiteral("a b"));
}

void TestCString::compare_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("exact");
    QTest::addColumn<int>("noCase");
    QTest::newRow("equal") << "ON" << "ON" << 0 << 0;
    QTest::newRow("case only") << "on" << "ON" << 1 << 0;
    QTest::newRow("less") << "AB" << "AC" << -1 << -1;
    QTest::newRow("longer") << "ABC" << "AB" << 1 << 1;
}

void TestCString::compare()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, exact);
    QFETCH(int, noCase);
    auto sign = [](int v) { return (v > 0) - (v < 0); };
    QCOMPARE(sign(CString(a).Compare(b)), exact);
    QCOMPARE(sign(CString(a).CompareNoCase(b)), noCase);
}

void TestCString::format()
{
    CString s;
    s.Format("%s owes %.2f on line %d", "Émile", 1234.5, 48500);
    QCOMPARE(static_cast<QString>(s), QStringLiteral("Émile owes 1234.50 on line 48500"));
    s.AppendFormat(" (%05d)", 42);
    QVERIFY(s.endsWith(QStringLiteral("(00042)")));
}

void TestCString::replaceAndRemove()
{
    CString s("046-454-286");
    QCOMPARE(s.Remove('-'), 2);
    QCOMPARE(static_cast<QString>(s), QStringLiteral("046454286"));
    QCOMPARE(s.Replace("4", "x"), 3);
    QCOMPARE(static_cast<QString>(s), QStringLiteral("0x6x5x286"));
    QCOMPARE(s.Replace("", "y"), 0);
}

QTEST_GUILESS_MAIN(TestCString)
#include "tst_cstring.moc"
