// The batch mode over every fixture return writes exactly the result file it
// wrote when the expected file was made: reading, calculating and reporting
// may be made faster, never different. When a change of figures is meant,
// write the expected file afresh with VR_GOLDEN_UPDATE=1 and review its diff.
#include <QtTest>

#include <QTemporaryDir>

#include "app/tabwndapp.h"
#include "companion/core/quietprompter.h"

namespace {

const QString kFixtures = QStringLiteral(VR_TESTS_SOURCE_DIR "/fixtures/");
const QString kExpected = kFixtures + QStringLiteral("golden/expected/printresult.txt");

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestPrintResultGolden : public QObject
{
    Q_OBJECT

private slots:
    void sameResultFileForEveryFixture();
};

void TestPrintResultGolden::sameResultFileForEveryFixture()
{
    // Names relative to the fixture folder, so the result does not depend on where the tree is.
    QByteArray list;
    for (const QString& folder : {QStringLiteral("returnfile"), QStringLiteral("golden")})
        for (const QString& name : QDir(kFixtures + folder).entryList({QStringLiteral("*.r24")}, QDir::Files, QDir::Name))
            list += (folder + QLatin1Char('/') + name).toUtf8() + '\n';
    QVERIFY(list.count('\n') >= 10);

    QTemporaryDir work;
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(work.path()));
    QFile listFile(QStringLiteral("list.txt"));
    QVERIFY(listFile.open(QIODevice::WriteOnly));
    QCOMPARE(listFile.write(list), qint64(list.size()));
    listFile.close();
    QuietPrompter quiet;
    const ScopedPrompter installed(&quiet);
    const int code = TabWndApp::CmdlinePrintResult(kFixtures, QStringLiteral("list.txt"));
    const QByteArray actual = readBytes(QStringLiteral("taxresult.txt"));
    QDir::setCurrent(previous);
    QCOMPARE(code, 0);

    if (qEnvironmentVariableIntValue("VR_GOLDEN_UPDATE") == 1) {
        QFile out(kExpected);
        QVERIFY(out.open(QIODevice::WriteOnly));
        QCOMPARE(out.write(actual), qint64(actual.size()));
    }
    const QByteArray expected = readBytes(kExpected);
    QVERIFY(!expected.isEmpty());
    // Line by line first, so a failure names the return.
    const QList<QByteArray> got = actual.split('\n');
    const QList<QByteArray> want = expected.split('\n');
    for (int i = 0; i < qMin(got.size(), want.size()); ++i)
        QCOMPARE(got[i], want[i]);
    QCOMPARE(actual, expected);
}

QTEST_GUILESS_MAIN(TestPrintResultGolden)
#include "tst_printresultgolden.moc"
