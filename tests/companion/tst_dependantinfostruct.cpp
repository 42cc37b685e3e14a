#include <QtTest>

#include <functional>

#include "companion/forms/dependantinfostruct.h"
#include "companion/forms/mydatastream.h"

class TestDependantInfoStruct : public QObject
{
    Q_OBJECT
private slots:
    void allocExtendsNeverShrinks();
    void anEntryIsUsedWhenItDescribesSomeone_data();
    void anEntryIsUsedWhenItDescribesSomeone();
    void counters_data();
    void counters();
    void roundTripKeepsLongAndAccentedNames();
    void readConsumesExactlyTheBlock();
    void truncatedInputFailsCleanly_data();
    void truncatedInputFailsCleanly();
    void oversizedLengthIsRefused();
    void malformedEntriesAreRefused_data();
    void malformedEntriesAreRefused();
    void textEndsAtItsFirstZeroByte();

private:
    // A whole block around the payload, as the file holds it.
    static QByteArray framed(const QByteArray& payload);
    static void writeText(MyDataStream& out, const QByteArray& utf8);
    static DependantInfoStruct family();
    static QByteArray stored(DependantInfoStruct& table);
};

// Ages at December 31, 2024.
DependantInfoStruct TestDependantInfoStruct::family()
{
    DependantInfoStruct t(12);
    auto set = [&](int i, const char* first, int rel, QDate dob, int infirm) {
        DependantInfo* d = t.GetAt(i);
        d->firstName = first;
        d->lastName = "Tremblay";
        d->relationship = rel;
        d->dateOfBirth = dob;
        d->infirm = infirm;
    };
    set(0, "Léa", DEP_REL_CHILD, QDate(2021, 5, 1), 0);          // 3
    set(1, "Noah", DEP_REL_CHILD, QDate(2012, 12, 31), 1);       // 12, infirm
    set(2, "Zoé", DEP_REL_GRANDCHILD, QDate(2006, 1, 1), 0);     // 18
    set(3, "Émile", DEP_REL_CHILD, QDate(2005, 7, 7), 0);        // 19
    set(4, "Gisèle", DEP_REL_PARENT, QDate(1950, 2, 2), 1);      // 74, infirm
    set(5, "Hugo", DEP_REL_SIBLING, QDate(2010, 3, 3), 0);       // 14
    set(6, "Inès", DEP_REL_OTHER_RELATIVE, QDate(1990, 3, 3), 0); // 34
    set(7, "Jules", DEP_REL_CHILD, QDate(), 1);                  // no birth date, infirm
    return t;
}

QByteArray TestDependantInfoStruct::stored(DependantInfoStruct& table)
{
    QByteArray bytes;
    MyDataStream out(&bytes, QIODevice::WriteOnly);
    if (!table.serilize(66098, out))
        return QByteArray();
    return bytes;
}

void TestDependantInfoStruct::allocExtendsNeverShrinks()
{
    DependantInfoStruct t(3);
    t.GetAt(2)->firstName = "Ana";
    t.AllocData(12);
    QCOMPARE(t.GetCount(), 12);
    QCOMPARE(t.GetAt(2)->firstName, CString("Ana"));
    t.AllocData(5);
    QCOMPARE(t.GetCount(), 12);
    t.AllocData(1000);
    QCOMPARE(t.GetCount(), int(DependantInfoStruct::kMaxEntries));
    QVERIFY(!t.GetAt(-1));
    QVERIFY(!t.GetAt(t.GetCount()));
    t.FreeData();
    QCOMPARE(t.GetCount(), 0);
}

void TestDependantInfoStruct::counters_data()
{
    QTest::addColumn<QString>("counter");
    QTest::addColumn<int>("expected");
    QTest::newRow("children 0-5") << "children 0 5" << 1;
    QTest::newRow("children 6-17") << "children 6 17" << 1;
    QTest::newRow("children 0-18") << "children 0 18" << 3;
    QTest::newRow("children 0-17 infirm") << "children infirm 0 17" << 1;
    QTest::newRow("children 0-17 not infirm") << "children notinfirm 0 17" << 1;
    QTest::newRow("everyone 0-6") << "all 0 6" << 1;
    QTest::newRow("everyone 0-99") << "all 0 99" << 7;
    QTest::newRow("infirm 18 or over") << "infirm 18" << 1;
    QTest::newRow("infirm any age") << "infirm -1" << 3;
    QTest::newRow("infirm under 18") << "infirm under18" << 1;
    QTest::newRow("children for GST credit") << "line305 children" << 3;
    QTest::newRow("other eligible dependants") << "line305 others" << 2;
}

void TestDependantInfoStruct::counters()
{
    QFETCH(QString, counter);
    QFETCH(int, expected);
    const DependantInfoStruct t = family();
    const QStringList w = counter.split(' ');
    int got = -1;
    if (w[0] == "children" && w[1] == "infirm")
        got = t.GetDepChildrenNumberBetweenAges_Infirm(w[2].toInt(), w[3].toInt(), true);
    else if (w[0] == "children" && w[1] == "notinfirm")
        got = t.GetDepChildrenNumberBetweenAges_Infirm(w[2].toInt(), w[3].toInt(), false);
    else if (w[0] == "children")
        got = t.GetDepChildrenNumberBetweenAges(w[1].toInt(), w[2].toInt());
    else if (w[0] == "all")
        got = t.GetDepNumberBetweenAges(w[1].toInt(), w[2].toInt());
    else if (w[0] == "infirm" && w[1] == "under18")
        got = t.GetInfirmDependentNumberUnderAge18();
    else if (w[0] == "infirm")
        got = t.GetInfirmDependantsNumberNotUnderAge(w[1].toInt());
    else if (w[1] == "children")
        got = t.GetDepChildrenNumberForLine305();
    else
        got = t.GetDepOtherThanChildrenNumberForLine305();
    QCOMPARE(got, expected);
}

void TestDependantInfoStruct::roundTripKeepsLongAndAccentedNames()
{
    DependantInfoStruct t = family();
    const CString longName(QString(200, QChar(0x00E9))); // 200 x 'é', 400 UTF-8 bytes
    t.GetAt(8)->firstName = longName;
    t.GetAt(8)->lastName = "Ñúñez-Østergård 測試";
    t.GetAt(8)->netIncome = 1234.56;
    t.GetAt(8)->sin = "046 454 286";
    t.GetAt(8)->note = "lives with grandparents";
    t.GetAt(8)->count = 2.5;
    QByteArray bytes = stored(t);
    QVERIFY(!bytes.isEmpty());

    DependantInfoStruct back;
    MyDataStream in(&bytes, QIODevice::ReadOnly);
    QVERIFY(back.serilize(66098, in));
    QCOMPARE(in.status(), QDataStream::Ok);
    QVERIFY(back == t);
    QCOMPARE(back.GetAt(8)->firstName, longName);
    QCOMPARE(back.GetAt(8)->lastName, CString("Ñúñez-Østergård 測試"));
    QCOMPARE(back.GetAt(0)->dateOfBirth, QDate(2021, 5, 1));
    QVERIFY(!back.GetAt(7)->dateOfBirth.isValid());
    back.GetAt(3)->infirm = 1;
    QVERIFY(back != t);
}

void TestDependantInfoStruct::readConsumesExactlyTheBlock()
{
    DependantInfoStruct t = family();
    QByteArray bytes;
    {
        MyDataStream out(&bytes, QIODevice::WriteOnly);
        QVERIFY(t.serilize(66098, out));
        out << qint32(1) << qint32(0); // what follows in the file
    }
    DependantInfoStruct back;
    MyDataStream in(&bytes, QIODevice::ReadOnly);
    QVERIFY(back.serilize(66098, in));
    qint32 a = 0, b = -1;
    in >> a >> b;
    QCOMPARE(a, 1);
    QCOMPARE(b, 0);
    QVERIFY(in.atEnd());
}

void TestDependantInfoStruct::truncatedInputFailsCleanly_data()
{
    QTest::addColumn<int>("cut");
    QTest::newRow("empty") << 0;
    QTest::newRow("inside the length") << 2;
    QTest::newRow("just the length") << 4;
    QTest::newRow("half the payload") << -2;
    QTest::newRow("one byte short") << -1;
}

void TestDependantInfoStruct::truncatedInputFailsCleanly()
{
    QFETCH(int, cut);
    DependantInfoStruct t = family();
    QByteArray bytes = stored(t);
    QByteArray part = cut >= 0 ? bytes.left(cut) : cut == -1 ? bytes.left(bytes.size() - 1) : bytes.left(bytes.size() / 2);

    DependantInfoStruct back(12);
    back.GetAt(0)->firstName = "kept";
    const DependantInfoStruct before = back;
    MyDataStream in(&part, QIODevice::ReadOnly);
    QVERIFY(!back.serilize(66098, in));
    QVERIFY(in.status() != QDataStream::Ok);
    QVERIFY(back == before);
}

void TestDependantInfoStruct::oversizedLengthIsRefused()
{
    // A damaged block that claims a huge payload must not be trusted.
    QByteArray bytes;
    {
        MyDataStream out(&bytes, QIODevice::WriteOnly);
        out << qint32(0x7fffffff) << qint32(1) << qint32(12);
    }
    DependantInfoStruct back;
    MyDataStream in(&bytes, QIODevice::ReadOnly);
    QVERIFY(!back.serilize(66098, in));
    QCOMPARE(in.status(), QDataStream::ReadCorruptData);

    // A payload whose entry count exceeds the bound fails too.
    QByteArray payload;
    {
        MyDataStream p(&payload, QIODevice::WriteOnly);
        p << qint32(1) << qint32(100000);
    }
    QByteArray framed;
    {
        MyDataStream out(&framed, QIODevice::WriteOnly);
        out << qint32(payload.size());
        out.writeRawData(payload.constData(), payload.size());
    }
    MyDataStream in2(&framed, QIODevice::ReadOnly);
    QVERIFY(!back.serilize(66098, in2));
}

QByteArray TestDependantInfoStruct::framed(const QByteArray& payload)
{
    QByteArray block;
    MyDataStream out(&block, QIODevice::WriteOnly);
    out << qint32(payload.size());
    out.writeRawData(payload.constData(), payload.size());
    return block;
}

void TestDependantInfoStruct::writeText(MyDataStream& out, const QByteArray& utf8)
{
    out << qint32(utf8.size());
    out.writeRawData(utf8.constData(), utf8.size());
}

// Payloads whose block length is right but whose entries do not add up.
void TestDependantInfoStruct::malformedEntriesAreRefused_data()
{
    QTest::addColumn<QByteArray>("payload");
    // One whole entry: two names, relationship, birth day, income, infirm
    // mark, S.I.N., note and count.
    const auto entry = [](MyDataStream& out) {
        writeText(out, "Ana");
        writeText(out, "Roy");
        out << qint32(DEP_REL_CHILD) << qint64(QDate(2015, 1, 1).toJulianDay()) << 0.0 << qint32(0);
        writeText(out, "");
        writeText(out, "");
        out << 1.0;
    };
    const auto payload = [](const std::function<void(MyDataStream&)>& fill) {
        QByteArray bytes;
        MyDataStream out(&bytes, QIODevice::WriteOnly);
        fill(out);
        return bytes;
    };
    QTest::newRow("no entry count") << payload([](MyDataStream& out) { out << qint32(1); });
    QTest::newRow("format 0") << payload([&](MyDataStream& out) { out << qint32(0) << qint32(1); entry(out); });
    QTest::newRow("negative entry count") << payload([](MyDataStream& out) { out << qint32(1) << qint32(-1); });
    QTest::newRow("more entries counted than held")
        << payload([&](MyDataStream& out) { out << qint32(1) << qint32(2); entry(out); });
    QTest::newRow("negative text length") << payload([](MyDataStream& out) { out << qint32(1) << qint32(1) << qint32(-1); });
    QTest::newRow("text length beyond the payload")
        << payload([](MyDataStream& out) { out << qint32(1) << qint32(1) << qint32(10); out.writeRawData("Ana", 3); });
    QTest::newRow("text length beyond three bytes a character")
        << payload([](MyDataStream& out) {
               out << qint32(1) << qint32(1);
               writeText(out, QByteArray(3 * DependantInfoStruct::kMaxTextLength + 1, 'a'));
           });
    QTest::newRow("text longer than its bound once decoded")
        << payload([](MyDataStream& out) {
               out << qint32(1) << qint32(1);
               writeText(out, QByteArray(DependantInfoStruct::kMaxTextLength + 1, 'a'));
           });
    QTest::newRow("numbers cut short")
        << payload([](MyDataStream& out) {
               out << qint32(1) << qint32(1);
               writeText(out, "Ana");
               writeText(out, "Roy");
               out << qint32(DEP_REL_CHILD) << qint32(0);
           });
    QTest::newRow("count missing")
        << payload([&](MyDataStream& out) {
               out << qint32(1) << qint32(1);
               writeText(out, "Ana");
               writeText(out, "Roy");
               out << qint32(DEP_REL_CHILD) << qint64(0) << 0.0 << qint32(0);
               writeText(out, "");
               writeText(out, "");
           });
}

void TestDependantInfoStruct::malformedEntriesAreRefused()
{
    QFETCH(QByteArray, payload);
    QByteArray bytes = framed(payload);
    DependantInfoStruct back(12);
    back.GetAt(0)->firstName = "kept";
    const DependantInfoStruct before = back;
    MyDataStream in(&bytes, QIODevice::ReadOnly);
    QVERIFY(!back.serilize(66098, in));
    QCOMPARE(in.status(), QDataStream::ReadCorruptData);
    QVERIFY(back == before);
}

void TestDependantInfoStruct::textEndsAtItsFirstZeroByte()
{
    QByteArray payload;
    {
        MyDataStream out(&payload, QIODevice::WriteOnly);
        out << qint32(1) << qint32(1);
        writeText(out, QByteArray("L\xc3\xa9a\0xyz", 7));
        writeText(out, "");
        out << qint32(DEP_REL_CHILD) << qint64(0) << 1234.5 << qint32(2);
        writeText(out, "046 454 286");
        writeText(out, "note");
        out << 2.5;
        out << qint32(77); // a later format's field: ignored
    }
    QByteArray bytes = framed(payload);
    DependantInfoStruct back;
    MyDataStream in(&bytes, QIODevice::ReadOnly);
    QVERIFY(back.serilize(66098, in));
    QVERIFY(in.atEnd());
    QCOMPARE(back.GetCount(), 1);
    const DependantInfo* d = back.GetAt(0);
    QCOMPARE(QString(d->firstName), QString::fromUtf8("L\xc3\xa9a"));
    QVERIFY(!d->lastName.isNull());
    QVERIFY(d->lastName.isEmpty());
    QCOMPARE(d->relationship, int(DEP_REL_CHILD));
    QVERIFY(!d->dateOfBirth.isValid());
    QCOMPARE(d->netIncome, 1234.5);
    QCOMPARE(d->infirm, 2);
    QCOMPARE(QString(d->sin), QStringLiteral("046 454 286"));
    QCOMPARE(QString(d->note), QStringLiteral("note"));
    QCOMPARE(d->count, 2.5);
}

void TestDependantInfoStruct::anEntryIsUsedWhenItDescribesSomeone_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<int>("relationship");
    QTest::addColumn<QDate>("birth");
    QTest::addColumn<bool>("used");
    QTest::newRow("empty") << QString() << QString() << int(DEP_REL_NONE) << QDate() << false;
    QTest::newRow("blank names") << QStringLiteral("  ") << QStringLiteral("\t") << int(DEP_REL_NONE) << QDate() << false;
    QTest::newRow("first name") << QStringLiteral("Mia") << QString() << int(DEP_REL_NONE) << QDate() << true;
    QTest::newRow("last name only") << QString() << QStringLiteral(" Lee") << int(DEP_REL_NONE) << QDate() << true;
    QTest::newRow("blank first, last name") << QStringLiteral(" ") << QStringLiteral("Lee") << int(DEP_REL_NONE) << QDate()
                                            << true;
    QTest::newRow("relationship") << QString() << QString() << int(DEP_REL_CHILD) << QDate() << true;
    QTest::newRow("birth date") << QString() << QString() << int(DEP_REL_NONE) << QDate(2015, 3, 1) << true;
}

// Anything that describes someone makes an entry used: a name with more than
// blanks, a relationship or a birth date; income alone does not.
void TestDependantInfoStruct::anEntryIsUsedWhenItDescribesSomeone()
{
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(int, relationship);
    QFETCH(QDate, birth);
    QFETCH(bool, used);
    DependantInfo entry;
    entry.firstName = CString(first);
    entry.lastName = CString(last);
    entry.relationship = relationship;
    entry.dateOfBirth = birth;
    entry.netIncome = 1200;
    QCOMPARE(entry.isUsed(), used);
}

QTEST_GUILESS_MAIN(TestDependantInfoStruct)
#include "tst_dependantinfostruct.moc"
