#include <QtTest>

#include "companion/core/digest.h"

#include <string>

// Known vectors: the empty message, "abc", the 448-bit message and one
// million 'a' (fed in uneven pieces to exercise the incremental path).
class TestDigest : public QObject
{
    Q_OBJECT
private slots:
    void vectors_data();
    void vectors();
    void rawMatchesHex();
    void getHashDoesNotEndTheComputation();
    void operatorIgnoresRunningState();
};

namespace {

std::string millionA()
{
    return std::string(1000000, 'a');
}

std::string hexOf(const unsigned char* raw, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(raw), int(size)).toHex().toStdString();
}

} // namespace

void TestDigest::vectors_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QByteArray>("sha1");
    QTest::addColumn<QByteArray>("sha256");

    QTest::newRow("empty") << QByteArray()
        << QByteArray("da39a3ee5e6b4b0d3255bfef95601890afd80709")
        << QByteArray("e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    QTest::newRow("abc") << QByteArray("abc")
        << QByteArray("a9993e364706816aba3e25717850c26c9cd0d89d")
        << QByteArray("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    QTest::newRow("448 bits") << QByteArray("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq")
        << QByteArray("84983e441c3bd26ebaae4aa1f95129e5e54670f1")
        << QByteArray("248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    QTest::newRow("million a") << QByteArray::fromStdString(millionA())
        << QByteArray("34aa973cd4c4daa4f61eeb2bdbad27316534016f")
        << QByteArray("cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

void TestDigest::vectors()
{
    QFETCH(QByteArray, message);
    QFETCH(QByteArray, sha1);
    QFETCH(QByteArray, sha256);

    // Pieces of 1, 63, 64, 65, ... bytes cross every block boundary case.
    SHA1 one;
    SHA256 two;
    int offset = 0;
    int piece = 1;
    while (offset < message.size()) {
        const int length = qMin(piece, message.size() - offset);
        one.add(message.constData() + offset, size_t(length));
        two.add(message.constData() + offset, size_t(length));
        offset += length;
        piece = piece * 3 + 61;
    }
    QCOMPARE(QByteArray::fromStdString(one.getHash()), sha1);
    QCOMPARE(QByteArray::fromStdString(two.getHash()), sha256);
    QCOMPARE(QByteArray::fromStdString(SHA256()(message.toStdString())), sha256);
    QCOMPARE(QByteArray::fromStdString(SHA1()(message.toStdString())), sha1);
}

void TestDigest::rawMatchesHex()
{
    SHA1 one;
    SHA256 two;
    one.add("abc", 3);
    two.add("abc", 3);
    unsigned char raw1[SHA1::kHashBytes];
    unsigned char raw2[SHA256::kHashBytes];
    one.getHash(raw1);
    two.getHash(raw2);
    QCOMPARE(hexOf(raw1, sizeof raw1), std::string("a9993e364706816aba3e25717850c26c9cd0d89d"));
    QCOMPARE(hexOf(raw2, sizeof raw2), std::string("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"));
}

void TestDigest::getHashDoesNotEndTheComputation()
{
    SHA256 hash;
    hash.add("ab", 2);
    QCOMPARE(hash.getHash(), SHA256()("ab"));
    hash.add("c", 1);
    QCOMPARE(hash.getHash(), std::string("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"));
    hash.reset();
    QCOMPARE(hash.getHash(), std::string("e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"));
}

void TestDigest::operatorIgnoresRunningState()
{
    SHA256 hash;
    hash.add("something else", 14);
    QCOMPARE(hash("abc"), std::string("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"));
    QCOMPARE(hash.getHash(), SHA256()("something else"));
}

QTEST_GUILESS_MAIN(TestDigest)
#include "tst_digest.moc"
