#include <QtTest>

#include "companion/core/numbertext.h"

class TestNumberText : public QObject
{
    Q_OBJECT
private slots:
    void toDouble_data();
    void toDouble();
    void toText_data();
    void toText();
    void independentOfLocale();
};

void TestNumberText::toDouble_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("integer") << QByteArray("1234") << 1234.0;
    QTest::newRow("decimals") << QByteArray("1234.56") << 1234.56;
    QTest::newRow("negative") << QByteArray("-0.5") << -0.5;
    QTest::newRow("plus sign") << QByteArray("+7") << 7.0;
    QTest::newRow("blanks around") << QByteArray("  \t12.5 \r\n") << 12.5;
    QTest::newRow("leading point") << QByteArray(".25") << 0.25;
    QTest::newRow("trailing point") << QByteArray("5.") << 5.0;
    QTest::newRow("thousands separators") << QByteArray("1,234.50") << 1234.5;
    QTest::newRow("millions") << QByteArray("-12,345,678") << -12345678.0;
    QTest::newRow("exponent") << QByteArray("1.5e3") << 1500.0;
    QTest::newRow("decimal comma is not a number") << QByteArray("1,5") << 0.0;
    QTest::newRow("bad grouping") << QByteArray("12,34") << 0.0;
    QTest::newRow("leading comma") << QByteArray(",123") << 0.0;
    QTest::newRow("empty") << QByteArray("") << 0.0;
    QTest::newRow("blanks only") << QByteArray("   ") << 0.0;
    QTest::newRow("letters") << QByteArray("abc") << 0.0;
    QTest::newRow("trailing garbage") << QByteArray("12abc") << 0.0;
    QTest::newRow("blank inside") << QByteArray("1 2") << 0.0;
    QTest::newRow("sign only") << QByteArray("-") << 0.0;
    QTest::newRow("point only") << QByteArray(".") << 0.0;
    QTest::newRow("dangling exponent") << QByteArray("1e") << 0.0;
    QTest::newRow("nan") << QByteArray("nan") << 0.0;
    QTest::newRow("inf") << QByteArray("inf") << 0.0;
    QTest::newRow("overflow") << QByteArray("1e999") << 0.0;
    QTest::newRow("dollar sign") << QByteArray("$5") << 0.0;
}

void TestNumberText::toDouble()
{
    QFETCH(QByteArray, text);
    QFETCH(double, expected);
    QCOMPARE(myStringToDouble(text.toStdString()), expected);
}

void TestNumberText::toText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("two decimals") << 1234.5 << 2 << QByteArray("1234.50");
    QTest::newRow("rounding") << 2.675 << 1 << QByteArray("2.7");
    QTest::newRow("no decimals") << 1234.5 << 0 << QByteArray("1235");
    QTest::newRow("negative") << -0.5 << 2 << QByteArray("-0.50");
    QTest::newRow("negative zero") << -0.001 << 2 << QByteArray("0.00");
    QTest::newRow("large") << 12345678.9 << 2 << QByteArray("12345678.90");
    QTest::newRow("negative decimals clamped") << 3.7 << -3 << QByteArray("4");
    QTest::newRow("not finite") << qInf() << 2 << QByteArray("0.00");
}

void TestNumberText::toText()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QByteArray, expected);
    QCOMPARE(QByteArray::fromStdString(myDoubleToString(value, decimals)), expected);
}

void TestNumberText::independentOfLocale()
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::Canada));
    QCOMPARE(myStringToDouble("1234.56"), 1234.56);
    QCOMPARE(myDoubleToString(1234.56), std::string("1234.56"));
    QLocale::setDefault(previous);
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
