// Dates typed into a date field: the ISO form, the same without
// separators, and the locale's short order with a four-digit year.
#include <QtTest>

#include "companion/core/typeddate.h"

class TestTypedDate : public QObject
{
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void placeholder_data();
    void placeholder();
};

void TestTypedDate::parse_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QDate>("expected");
    const QDate may1(2020, 5, 1);
    QTest::newRow("ISO") << "en_US" << "2020-05-01" << may1;
    QTest::newRow("ISO without leading zeros") << "en_US" << "2020-5-1" << may1;
    QTest::newRow("eight digits") << "en_US" << "20200501" << may1;
    QTest::newRow("spaces around") << "en_US" << "  20200501 " << may1;
    QTest::newRow("United States order") << "en_US" << "05/01/2020" << may1;
    QTest::newRow("United States, no zeros") << "en_US" << "5/1/2020" << may1;
    QTest::newRow("British order") << "en_GB" << "01/05/2020" << may1;
    QTest::newRow("German order and dots") << "de_DE" << "01.05.2020" << may1;
    QTest::newRow("ISO in Britain") << "en_GB" << "2020-05-01" << may1;
    QTest::newRow("Canadian ISO locale") << "en_CA" << "2020-05-01" << may1;
    QTest::newRow("no thirtieth of February") << "en_US" << "2020-02-30" << QDate();
    QTest::newRow("month 13") << "en_US" << "20201301" << QDate();
    QTest::newRow("seven digits") << "en_US" << "2020501" << QDate();
    QTest::newRow("two-digit year") << "en_US" << "05/01/20" << QDate();
    QTest::newRow("words") << "en_US" << "yesterday" << QDate();
    QTest::newRow("empty") << "en_US" << "" << QDate();
    // The other order than the locale's is not guessed at.
    QTest::newRow("British date in the United States") << "en_US" << "13/05/2020" << QDate();
}

void TestTypedDate::parse()
{
    QFETCH(QString, locale);
    QFETCH(QString, typed);
    QFETCH(QDate, expected);
    QCOMPARE(typeddate::parse(typed, QLocale(locale)), expected);
}

void TestTypedDate::placeholder_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected");
    QTest::newRow("United States") << "en_US" << "YYYY-MM-DD or MM/DD/YYYY";
    QTest::newRow("Britain") << "en_GB" << "YYYY-MM-DD or DD/MM/YYYY";
    QTest::newRow("Germany") << "de_DE" << "YYYY-MM-DD or DD.MM.YYYY";
}

void TestTypedDate::placeholder()
{
    QFETCH(QString, locale);
    QFETCH(QString, expected);
    QCOMPARE(typeddate::placeholder(QLocale(locale)), expected);
}

QTEST_GUILESS_MAIN(TestTypedDate)
#include "tst_typeddate.moc"
