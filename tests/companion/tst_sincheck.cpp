#include <QtTest>

#include "companion/core/emailcheck.h"
#include "companion/core/sincheck.h"

class TestSinCheck : public QObject
{
    Q_OBJECT
private slots:
    void checkSin_data();
    void checkSin();
    void normalise_data();
    void normalise();
    void email_data();
    void email();
};

void TestSinCheck::checkSin_data()
{
    QTest::addColumn<QByteArray>("sin");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("messageHas");

    QTest::newRow("valid with blanks") << QByteArray("046 454 286") << true << "";
    QTest::newRow("valid plain") << QByteArray("046454286") << true << "";
    QTest::newRow("valid with dashes") << QByteArray("130-692-544") << true << "";
    QTest::newRow("valid with surrounding blanks") << QByteArray("  193456787 ") << true << "";
    QTest::newRow("first digit 8 accepted") << QByteArray("800000002") << true << "";
    QTest::newRow("bad check digit") << QByteArray("046 454 287") << false << "check digit";
    QTest::newRow("transposed digits") << QByteArray("046454268") << false << "check digit";
    QTest::newRow("short") << QByteArray("04645428") << false << "9 digits";
    QTest::newRow("long") << QByteArray("0464542860") << false << "9 digits";
    QTest::newRow("letters") << QByteArray("04645428A") << false << "only digits";
    QTest::newRow("other separator") << QByteArray("046.454.286") << false << "only digits";
    QTest::newRow("empty") << QByteArray("") << false << "empty";
    QTest::newRow("only blanks") << QByteArray("   ") << false << "empty";
    QTest::newRow("all zeros") << QByteArray("000 000 000") << false << "zeros";
}

void TestSinCheck::checkSin()
{
    QFETCH(QByteArray, sin);
    QFETCH(bool, valid);
    QFETCH(QString, messageHas);

    const char* message = "unset";
    QCOMPARE(CheckSIN(sin.constData(), &message), valid);
    QVERIFY(message != nullptr);
    if (valid)
        QCOMPARE(QString::fromUtf8(message), QString());
    else
        QVERIFY2(QString::fromUtf8(message).contains(messageHas), message);
    QCOMPARE(CheckSIN(sin.constData()), valid); // the message is optional
}

void TestSinCheck::normalise_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("blanks") << QByteArray(" 046 454 286 ") << QByteArray("046454286");
    QTest::newRow("dashes") << QByteArray("046-454-286") << QByteArray("046454286");
    QTest::newRow("other kept") << QByteArray("04x/5") << QByteArray("04x/5");
}

void TestSinCheck::normalise()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, expected);
    QCOMPARE(QByteArray::fromStdString(normaliseSIN(input.constData())), expected);
    QCOMPARE(normaliseSIN(nullptr), std::string());
    QVERIFY(!CheckSIN(nullptr));
}

void TestSinCheck::email_data()
{
    QTest::addColumn<QByteArray>("address");
    QTest::addColumn<bool>("valid");

    QTest::newRow("plain") << QByteArray("jane.doe@example.ca") << true;
    QTest::newRow("plus tag and subdomain") << QByteArray("jane+tax@mail.example.co.uk") << true;
    QTest::newRow("hyphen in domain") << QByteArray("a@my-host.com") << true;
    QTest::newRow("accented local part") << QByteArray("élise@example.ca") << true;
    QTest::newRow("no at") << QByteArray("jane.example.ca") << false;
    QTest::newRow("two at") << QByteArray("jane@doe@example.ca") << false;
    QTest::newRow("no domain dot") << QByteArray("jane@localhost") << false;
    QTest::newRow("empty local") << QByteArray("@example.ca") << false;
    QTest::newRow("blank inside") << QByteArray("jane doe@example.ca") << false;
    QTest::newRow("double dot") << QByteArray("jane..doe@example.ca") << false;
    QTest::newRow("leading dot") << QByteArray(".jane@example.ca") << false;
    QTest::newRow("empty label") << QByteArray("jane@example..ca") << false;
    QTest::newRow("hyphen edge") << QByteArray("jane@-example.ca") << false;
    QTest::newRow("numeric top level") << QByteArray("jane@example.123") << false;
    QTest::newRow("one-letter top level") << QByteArray("jane@example.c") << false;
    QTest::newRow("trailing dot") << QByteArray("jane@example.ca.") << false;
    QTest::newRow("empty") << QByteArray("") << false;
    QTest::newRow("too long") << (QByteArray(250, 'a') + "@example.ca") << false;
}

void TestSinCheck::email()
{
    QFETCH(QByteArray, address);
    QFETCH(bool, valid);
    QCOMPARE(checkEmail(address.constData()), valid);
    QVERIFY(!checkEmail(nullptr));
}

QTEST_GUILESS_MAIN(TestSinCheck)
#include "tst_sincheck.moc"
