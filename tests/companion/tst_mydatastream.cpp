#include <QtTest>

#include "companion/forms/mydatastream.h"

class TestMyDataStream : public QObject
{
    Q_OBJECT
private slots:
    void directionFollowsOpenMode_data();
    void directionFollowsOpenMode();
    void fixedByteOrder();
};

void TestMyDataStream::directionFollowsOpenMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("storing");
    QTest::newRow("write") << int(QIODevice::WriteOnly) << true;
    QTest::newRow("read") << int(QIODevice::ReadOnly) << false;
    QTest::newRow("read-write reads") << int(QIODevice::ReadWrite) << false;
}

void TestMyDataStream::directionFollowsOpenMode()
{
    QFETCH(int, mode);
    QFETCH(bool, storing);
    QBuffer buffer;
    QVERIFY(buffer.open(QIODevice::OpenMode(mode)));
    MyDataStream stream(&buffer);
    QCOMPARE(stream.IsStoring(), storing);
    QCOMPARE(stream.IsLoading(), !storing);
}

void TestMyDataStream::fixedByteOrder()
{
    QByteArray bytes;
    {
        MyDataStream out(&bytes, QIODevice::WriteOnly);
        out << qint32(66098) << qint8('b') << 1234.5;
    }
    // 66098 = 0x00010232, little-endian on disk whatever the host is.
    QCOMPARE(bytes.left(4), QByteArray("\x32\x02\x01\x00", 4));
    MyDataStream in(&bytes, QIODevice::ReadOnly);
    qint32 version = 0;
    qint8 marker = 0;
    double amount = 0;
    in >> version >> marker >> amount;
    QCOMPARE(version, 66098);
    QCOMPARE(marker, qint8('b'));
    QCOMPARE(amount, 1234.5);
    QCOMPARE(in.status(), QDataStream::Ok);
}

QTEST_GUILESS_MAIN(TestMyDataStream)
#include "tst_mydatastream.moc"
