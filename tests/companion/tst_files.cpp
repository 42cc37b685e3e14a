#include <QtTest>

#include "common/testhome.h"
#include "companion/core/fileload.h"
#include "companion/core/folders.h"

class TestFiles : public QObject
{
    Q_OBJECT
private slots:
    void makeFolder();
    void validFilename_data();
    void validFilename();
    void loadWhole();
    void loadRefusesOversized();
    void loadFailures();
};

void TestFiles::makeFolder()
{
    TestHome home;
    const QString deep = home.filePath("data/2024/noa1");
    QVERIFY(makeFolderExists(CString(deep)));
    QVERIFY(QFileInfo(deep).isDir());
    QVERIFY(makeFolderExists(CString(deep))); // already there

    const QString file = home.filePath("plain.txt");
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QVERIFY(!makeFolderExists(CString(file)));
    QVERIFY(!makeFolderExists(CString(file + "/below")));
    QVERIFY(!makeFolderExists(CString("")));
}

void TestFiles::validFilename_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("kept") << "Tremblay Jean 2024.r24" << "Tremblay Jean 2024.r24";
    QTest::newRow("accents kept") << "Élise Côté" << "Élise Côté";
    QTest::newRow("forbidden") << "a/b\\c:d*e?f\"g<h>i|j" << "a_b_c_d_e_f_g_h_i_j";
    QTest::newRow("control characters") << QString("a\tb\nc") << "a_b_c";
    QTest::newRow("edges trimmed") << "  .hidden. " << "hidden";
    QTest::newRow("dots only") << ".." << "_";
    QTest::newRow("empty") << "" << "_";
}

void TestFiles::validFilename()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QCOMPARE(static_cast<QString>(makeValidFilename(CString(name))), expected);
}

void TestFiles::loadWhole()
{
    TestHome home;
    const QString path = home.filePath("reply.xml");
    QByteArray content("<a>Québec</a>\r\n");
    content.append('\0');
    content.append("tail");
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    std::string bytes;
    QVERIFY(loadFileToString(CString(path), bytes, 64, 64));
    QCOMPARE(QByteArray::fromStdString(bytes), content); // binary-safe, embedded zero kept
    QString text;
    QVERIFY(loadFileToQString(CString(path), text, 64));
    QVERIFY(text.startsWith(QStringLiteral("<a>Québec</a>\r\n")));
}

void TestFiles::loadRefusesOversized()
{
    TestHome home;
    const QString path = home.filePath("big.bin");
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(1024 * 1024 + 1));
    }
    std::string bytes = "stale";
    QVERIFY(!loadFileToString(CString(path), bytes, 1));
    QVERIFY(bytes.empty());
    QVERIFY(loadFileToString(CString(path), bytes, 2));
    QCOMPARE(bytes.size(), size_t(1024 * 1024 + 1));
}

void TestFiles::loadFailures()
{
    TestHome home;
    std::string bytes = "stale";
    QVERIFY(!loadFileToString(CString(home.filePath("missing")), bytes));
    QVERIFY(bytes.empty());
    QVERIFY(!loadFileToString(CString(home.path()), bytes)); // a folder
    QVERIFY(!loadFileToString(CString(""), bytes));
    QString text = "stale";
    QVERIFY(!loadFileToQString(CString(home.filePath("missing")), text));
    QVERIFY(text.isEmpty());
}

QTEST_GUILESS_MAIN(TestFiles)
#include "tst_files.moc"
