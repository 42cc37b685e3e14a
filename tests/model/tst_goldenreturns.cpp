// Every fixture return read, calculated and saved again gives exactly what it
// gave when its expected files were written: the same value in every field
// of every object, the same status lines and the same bytes on disk. The
// reader, the calculation and the writer may be made faster or reorganised;
// none of it may change a figure or a byte.
//
// When a change of figures is meant (a new rate, a mended rule), write the
// expected files afresh with VR_GOLDEN_UPDATE=1 and review their diff.
#include <QtTest>

#include <QDir>
#include <QTemporaryDir>
#include <memory>

#include "common/scriptedprompter.h"
#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/fields.h"
#include "model/cfamilytaxdata.h"

namespace {

const QString kSourceDir = QStringLiteral(VR_TESTS_SOURCE_DIR "/fixtures");
const QString kExpectedDir = kSourceDir + QStringLiteral("/golden/expected");

// The returns the files are kept for: the reader's fixtures and the golden set.
QFileInfoList fixtureReturns()
{
    QFileInfoList files;
    for (const QString& folder : {QStringLiteral("returnfile"), QStringLiteral("golden")})
        files += QDir(kSourceDir + QLatin1Char('/') + folder)
                     .entryInfoList({QStringLiteral("*.r24")}, QDir::Files, QDir::Name);
    return files;
}

// A value exactly as held: numbers with every digit a double has.
QString exactText(const CField& field)
{
    switch (field.kind()) {
    case FieldKind::Float:
        return QString::number(static_cast<const CFloatField&>(field).m_value, 'g', 17);
    case FieldKind::Int:
    case FieldKind::Bool:
        return QString::number(static_cast<const CIntField&>(field).m_value);
    default:
        return field.text();
    }
}

void dumpObject(QString& out, const QString& heading, const CTaxData_Form* object)
{
    out += heading + QLatin1Char('\n');
    if (!object)
        return;
    for (const CField* field : object->fieldList())
        out += QStringLiteral("  %1 %2 = %3\n").arg(field->id()).arg(field->name(), exactText(*field));
}

void dumpPerson(QString& out, const QString& who, const IndividualTaxData& person)
{
    out += QStringLiteral("== %1: province %2\n").arg(who).arg(person.m_province);
    for (const STRUCT_FORMDATA_ITEM_2004* item : person.m_formList)
        dumpObject(out, QStringLiteral("form %1 id %2 shared %3").arg(item->type).arg(item->id).arg(item->sharedId),
                   item->data);
    for (const STRUCT_SLIPDATA_ITEM_2004* item : person.m_slipList)
        dumpObject(out, QStringLiteral("slip %1 id %2 shared %3").arg(item->type).arg(item->id).arg(item->sharedId),
                   item->data);
    for (const STRUCT_WIZDATA_ITEM_2004* item : person.m_wizList)
        dumpObject(out, QStringLiteral("interview %1").arg(item->type), item->data);
    for (const STRUCT_NOTEDATA_ITEM_2004* item : person.m_noteList)
        dumpObject(out, QStringLiteral("note %1").arg(item->id), item->data);
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The first line where two texts part, for a message that can be acted on.
QString firstDifference(const QByteArray& actual, const QByteArray& expected)
{
    const QList<QByteArray> a = actual.split('\n');
    const QList<QByteArray> e = expected.split('\n');
    for (int i = 0; i < qMax(a.size(), e.size()); ++i) {
        const QByteArray left = i < a.size() ? a[i] : QByteArray("<end>");
        const QByteArray right = i < e.size() ? e[i] : QByteArray("<end>");
        if (left != right)
            return QStringLiteral("line %1: got \"%2\", expected \"%3\"")
                .arg(i + 1)
                .arg(QString::fromUtf8(left), QString::fromUtf8(right));
    }
    return QString();
}

QString firstByteDifference(const QByteArray& actual, const QByteArray& expected)
{
    int i = 0;
    while (i < actual.size() && i < expected.size() && actual[i] == expected[i])
        ++i;
    return QStringLiteral("sizes %1 and %2, first difference at byte %3").arg(actual.size()).arg(expected.size()).arg(i);
}

bool updating() { return qEnvironmentVariableIntValue("VR_GOLDEN_UPDATE") == 1; }

} // namespace

class TestGoldenReturns : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sameFiguresAndBytes_data();
    void sameFiguresAndBytes();
};

void TestGoldenReturns::initTestCase()
{
    QVERIFY(QDir(kExpectedDir).exists() || (updating() && QDir().mkpath(kExpectedDir)));
    // The golden set covers a coupled return with many slips and every province with a plug-in.
    QVERIFY(fixtureReturns().size() >= 10);
}

void TestGoldenReturns::sameFiguresAndBytes_data()
{
    QTest::addColumn<QString>("path");
    for (const QFileInfo& info : fixtureReturns())
        QTest::newRow(qPrintable(info.dir().dirName() + QLatin1Char('/') + info.fileName())) << info.filePath();
}

void TestGoldenReturns::sameFiguresAndBytes()
{
    QFETCH(QString, path);
    ScriptedPrompter prompter; // a damaged fixture says so through the prompter
    const QString stem = kExpectedDir + QLatin1Char('/') + QFileInfo(path).dir().dirName() + QLatin1Char('-')
                         + QFileInfo(path).completeBaseName();

    int code = -99;
    std::unique_ptr<CFamilyTaxData> family(CFamilyTaxData::serializeFromFile(CString(path), code));
    QVERIFY(family);
    QString figures = QStringLiteral("read code %1\n").arg(code);
    QByteArray saved;
    if (code == 0) {
        family->Calculate(0, nullptr);
        figures += QStringLiteral("status: %1\n").arg(family->GetReturnStatusString(0));
        dumpPerson(figures, QStringLiteral("taxpayer"), *family->getTaxpayer());
        dumpPerson(figures, QStringLiteral("spouse"), *family->getSpouse());
        QTemporaryDir dir;
        const QString copy = dir.filePath(QStringLiteral("copy.r24"));
        QCOMPARE(family->saveToFile(CString(copy), 2), 0);
        saved = readBytes(copy);
        QVERIFY(!saved.isEmpty());
    }

    const QByteArray actualFigures = figures.toUtf8();
    if (updating()) {
        QVERIFY(writeBytes(stem + QStringLiteral(".figures.txt"), actualFigures));
        if (code == 0)
            QVERIFY(writeBytes(stem + QStringLiteral(".saved.r24"), saved));
    }
    const QByteArray expectedFigures = readBytes(stem + QStringLiteral(".figures.txt"));
    QVERIFY2(!expectedFigures.isEmpty(), qPrintable(stem + " has no expected figures"));
    QVERIFY2(actualFigures == expectedFigures, qPrintable(firstDifference(actualFigures, expectedFigures)));
    if (code == 0) {
        const QByteArray expectedSaved = readBytes(stem + QStringLiteral(".saved.r24"));
        QVERIFY2(saved == expectedSaved, qPrintable(firstByteDifference(saved, expectedSaved)));
    }
}

QTEST_GUILESS_MAIN(TestGoldenReturns)
#include "tst_goldenreturns.moc"
