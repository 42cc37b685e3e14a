#include <QtTest>

#include "companion/core/appclock.h"
#include "companion/core/datetimetext.h"

#include <ctime>

class TestClock : public QObject
{
    Q_OBJECT
private slots:
    // A zone other than UTC, so that local and UTC texts cannot be mixed up
    // unnoticed (a POSIX rule: no time-zone database needed).
    void initTestCase()
    {
        qputenv("TZ", "EST5EDT,M3.2.0,M11.1.0");
        tzset();
    }
    void cleanup() { AppClock::reset(); }
    void followsSystemClockByDefault();
    void fixedInstant();
    void texts_data();
    void texts();
    void securityTimeIsUtc();
};

void TestClock::followsSystemClockByDefault()
{
    QVERIFY(!AppClock::isFixed());
    const QDateTime before = QDateTime::currentDateTime();
    const QDateTime now = AppClock::now();
    const QDateTime after = QDateTime::currentDateTime();
    QVERIFY(before <= now && now <= after);
}

void TestClock::fixedInstant()
{
    const QDateTime instant(QDate(2025, 4, 30), QTime(23, 59, 58), Qt::LocalTime);
    AppClock::setFixed(instant);
    QVERIFY(AppClock::isFixed());
    QCOMPARE(AppClock::now(), instant);
    QCOMPARE(AppClock::nowUtc(), instant.toUTC());
    QCOMPARE(AppClock::nowUtc().timeSpec(), Qt::UTC);
    AppClock::setFixed(QDateTime()); // invalid means the system clock again
    QVERIFY(!AppClock::isFixed());
    AppClock::setFixed(instant);
    AppClock::reset();
    QVERIFY(qAbs(AppClock::now().secsTo(QDateTime::currentDateTime())) < 5);
}

void TestClock::texts_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("expected");
    QTest::newRow("mode 0") << 0 << "2025-02-03 04:05:06";
    QTest::newRow("compact") << 1 << "20250203040506";
    QTest::newRow("date") << 2 << "2025-02-03";
    QTest::newRow("unknown mode") << 42 << "2025-02-03 04:05:06";
}

void TestClock::texts()
{
    QFETCH(int, mode);
    QFETCH(QString, expected);
    AppClock::setFixed(QDateTime(QDate(2025, 2, 3), QTime(4, 5, 6, 7), Qt::LocalTime));
    QCOMPARE(static_cast<QString>(GetCurTime(mode)), expected);
    QCOMPARE(static_cast<QString>(getCurTimeStr()), QStringLiteral("2025-02-03 04:05:06"));
    QCOMPARE(static_cast<QString>(getXMLDateTimeString(false)), QStringLiteral("2025-02-03 04:05:06"));
}

void TestClock::securityTimeIsUtc()
{
    // A fixed instant given in UTC comes out unchanged whatever the local zone.
    AppClock::setFixed(QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59, 5), Qt::UTC));
    CString created;
    getXMLDateTimeString(true, created);
    QCOMPARE(static_cast<QString>(created), QStringLiteral("2024-12-31T23:59:59.005Z"));
    QCOMPARE(static_cast<QString>(getXMLDateTimeString(true)), QStringLiteral("2024-12-31T23:59:59.005Z"));
    // The other forms are local time (five hours behind in winter).
    QCOMPARE(static_cast<QString>(getXMLDateTimeString(false)), QStringLiteral("2024-12-31 18:59:59"));
    QCOMPARE(static_cast<QString>(GetCurTime()), QStringLiteral("2024-12-31 18:59:59"));
}

QTEST_GUILESS_MAIN(TestClock)
#include "tst_clock.moc"
