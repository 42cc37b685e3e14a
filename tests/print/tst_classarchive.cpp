#include "print/classarchive.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

// Which file beside the engine's jar is handed to the Java VM as the class
// data archive: only one that opens with the archive's magic number and has
// the size the build wrote beside it. (The VM itself is started on each case
// in tests/workspace/printbridge/tst_javavmenv_classarchive.cpp.)

namespace {

QByteArray archiveBytes(int size)
{
    QByteArray bytes(size, '\x5a');
    const quint32 magic = classarchive::kTopArchiveMagic;
    std::memcpy(bytes.data(), &magic, sizeof magic);
    return bytes;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

const QByteArray kNone = "<none>";

} // namespace

Q_DECLARE_METATYPE(classarchive::Verdict)

class TestClassArchive : public QObject
{
    Q_OBJECT
private slots:
    void check_data();
    void check();
    void archiveBesideTheJar_data();
    void archiveBesideTheJar();
    void firstJarWithAnArchive();
};

void TestClassArchive::check_data()
{
    QTest::addColumn<QByteArray>("archive");
    QTest::addColumn<QByteArray>("sizeFile");
    QTest::addColumn<classarchive::Verdict>("verdict");
    const QByteArray whole = archiveBytes(8192);
    QTest::newRow("whole, its size written") << whole << QByteArray("8192\n") << classarchive::Verdict::Usable;
    QTest::newRow("size without a line end") << whole << QByteArray("8192") << classarchive::Verdict::Usable;
    QTest::newRow("no archive") << kNone << QByteArray("8192\n") << classarchive::Verdict::Missing;
    QTest::newRow("no size file") << whole << kNone << classarchive::Verdict::NoSizeFile;
    QTest::newRow("size file without a number") << whole << QByteArray("big\n") << classarchive::Verdict::NoSizeFile;
    QTest::newRow("size file empty") << whole << QByteArray() << classarchive::Verdict::NoSizeFile;
    QTest::newRow("cut short") << whole.left(4096) << QByteArray("8192\n") << classarchive::Verdict::WrongSize;
    QTest::newRow("longer than written") << whole + "xx" << QByteArray("8192\n") << classarchive::Verdict::WrongSize;
    QByteArray garbage(8192, '\x5a');
    QTest::newRow("garbage of the written size") << garbage << QByteArray("8192\n")
                                                 << classarchive::Verdict::NotAnArchive;
    QByteArray otherMagic = whole;
    otherMagic[0] = char(0xa2); // the magic of an archive of the runtime's own classes
    QTest::newRow("the runtime's kind of archive") << otherMagic << QByteArray("8192\n")
                                                   << classarchive::Verdict::NotAnArchive;
    QTest::newRow("empty, size 0 written") << QByteArray() << QByteArray("0\n") << classarchive::Verdict::NoSizeFile;
}

void TestClassArchive::check()
{
    QFETCH(QByteArray, archive);
    QFETCH(QByteArray, sizeFile);
    QFETCH(classarchive::Verdict, verdict);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("mr.jsa"));
    if (archive != kNone)
        QVERIFY(writeFile(path, archive));
    if (sizeFile != kNone)
        QVERIFY(writeFile(path + QStringLiteral(".size"), sizeFile));
    QCOMPARE(classarchive::check(path), verdict);
}

void TestClassArchive::archiveBesideTheJar_data()
{
    QTest::addColumn<QString>("jar");
    QTest::addColumn<QString>("archive");
    QTest::newRow("engine") << "/opt/app/Resources/mr.jar" << "/opt/app/Resources/mr.jsa";
    QTest::newRow("dots in the folder") << "/a.jar/b.c/lib.jar" << "/a.jar/b.c/lib.jsa";
    QTest::newRow("a folder entry") << "/opt/app/classes/" << "";
    QTest::newRow("another suffix") << "/opt/app/mr.zip" << "";
}

void TestClassArchive::archiveBesideTheJar()
{
    QFETCH(QString, jar);
    QFETCH(QString, archive);
    QCOMPARE(classarchive::archiveBeside(jar), archive);
}

void TestClassArchive::firstJarWithAnArchive()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString first = dir.filePath(QStringLiteral("first"));
    const QString second = dir.filePath(QStringLiteral("second"));
    QVERIFY(QDir().mkpath(first) && QDir().mkpath(second));
    // The program's class path: a jar that is not there, then the engine.
    const QString classPath = first + QStringLiteral("/itext13.jar:") + second + QStringLiteral("/mr.jar");
    classarchive::Verdict verdict = classarchive::Verdict::Usable;
    QCOMPARE(classarchive::forClassPath(classPath, verdict), QString());
    QCOMPARE(verdict, classarchive::Verdict::Missing);

    QVERIFY(writeFile(second + QStringLiteral("/mr.jsa"), archiveBytes(4096)));
    QVERIFY(writeFile(second + QStringLiteral("/mr.jsa.size"), "4096\n"));
    QCOMPARE(classarchive::forClassPath(classPath, verdict), second + QStringLiteral("/mr.jsa"));
    QCOMPARE(verdict, classarchive::Verdict::Usable);

    // A damaged archive of an earlier jar is passed over for the engine's.
    QVERIFY(writeFile(first + QStringLiteral("/itext13.jsa"), archiveBytes(100)));
    QCOMPARE(classarchive::forClassPath(classPath, verdict), second + QStringLiteral("/mr.jsa"));
    QCOMPARE(verdict, classarchive::Verdict::Usable);

    // With the engine's damaged too, the first refusal is told.
    QVERIFY(writeFile(second + QStringLiteral("/mr.jsa.size"), "4095\n"));
    QCOMPARE(classarchive::forClassPath(classPath, verdict), first + QStringLiteral("/itext13.jsa"));
    QCOMPARE(verdict, classarchive::Verdict::NoSizeFile);
}

QTEST_GUILESS_MAIN(TestClassArchive)
#include "tst_classarchive.moc"
