#include <QtTest>

#include "companion/forms/mydatastream.h"
#include "companion/forms/reservedarea.h"

class TestReservedArea : public QObject
{
    Q_OBJECT
private slots:
    void startsWithTwoEmptyStrings();
    void roundTrip_data();
    void roundTrip();
    void overlongTextIsCutOnWriting();
    void truncatedArchiveFailsCleanly();
};

void TestReservedArea::startsWithTwoEmptyStrings()
{
    CReservedArea area;
    QCOMPARE(area.GetCount(), 2);
    QVERIFY(area.GetString(0).isEmpty());
    QVERIFY(area.GetString(5).isEmpty());
    QVERIFY(!area.SetString(-1, "x"));
    QVERIFY(!area.SetString(CReservedArea::kMaxStrings, "x"));
    QVERIFY(area.SetString(3, "fourth"));
    QCOMPARE(area.GetCount(), 4);
}

void TestReservedArea::roundTrip_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("marker");
    QTest::newRow("empty password") << "" << "5182zed64093371";
    QTest::newRow("accented password") << "mot-de-passe-été" << "5182zed64093371";
    QTest::newRow("200 characters") << QString(200, QChar('p')) << "5182zed64093371";
}

void TestReservedArea::roundTrip()
{
    QFETCH(QString, password);
    QFETCH(QString, marker);
    CReservedArea area;
    area.SetString(0, password);
    area.SetString(1, marker);
    QByteArray bytes;
    {
        MyDataStream out(&bytes, QIODevice::WriteOnly);
        QVERIFY(area.writeToArchive(out));
        out << qint32(77);
    }
    CReservedArea back;
    MyDataStream in(&bytes, QIODevice::ReadOnly);
    QVERIFY(back.readFromArchive(in));
    QCOMPARE(back.GetString(0), CString(password));
    QCOMPARE(back.GetString(1), CString(marker));
    QVERIFY(back == area);
    qint32 next = 0;
    in >> next;
    QCOMPARE(next, 77);
}

void TestReservedArea::overlongTextIsCutOnWriting()
{
    CReservedArea area;
    area.SetString(0, QString(CReservedArea::kMaxTextLength + 50, QChar('x')));
    QByteArray bytes;
    {
        MyDataStream out(&bytes, QIODevice::WriteOnly);
        QVERIFY(area.writeToArchive(out));
    }
    CReservedArea back;
    MyDataStream in(&bytes, QIODevice::ReadOnly);
    QVERIFY(back.readFromArchive(in));
    QCOMPARE(back.GetString(0).size(), int(CReservedArea::kMaxTextLength));
}

void TestReservedArea::truncatedArchiveFailsCleanly()
{
    CReservedArea area;
    area.SetString(0, "secret");
    area.SetString(1, "5182zed64093371");
    QByteArray bytes;
    {
        MyDataStream out(&bytes, QIODevice::WriteOnly);
        QVERIFY(area.writeToArchive(out));
    }
    for (int cut = 0; cut < bytes.size(); ++cut) {
        QByteArray part = bytes.left(cut);
        CReservedArea back;
        back.SetString(0, "untouched");
        MyDataStream in(&part, QIODevice::ReadOnly);
        QVERIFY2(!back.readFromArchive(in), qPrintable(QString::number(cut)));
        QCOMPARE(back.GetString(0), CString("untouched"));
    }
}

QTEST_GUILESS_MAIN(TestReservedArea)
#include "tst_reservedarea.moc"
