// The print type tables export: every form's and slip's definition and
// layout files where the engine looks for them, and the three Java files of
// type constants, line for line.
#include <QtTest>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "companion/forms/javafieldclass.h"
#include "print/typetablesexport.h"

namespace {

QStringList linesOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    return lines;
}

int countStartingWith(const QStringList& lines, const QString& start)
{
    return int(std::count_if(lines.begin(), lines.end(), [&](const QString& l) { return l.startsWith(start); }));
}

// The attributes of the field element whose attribute key has the value.
QXmlStreamAttributes fieldWhere(const QString& path, const QString& key, const QString& value)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&file);
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (xml.isStartElement() && xml.name() == QLatin1String("field")
            && xml.attributes().value(key) == value)
            return xml.attributes();
        if (xml.hasError())
            break;
        xml.readNext();
    }
    return {};
}

}  // namespace

class TestTypeTablesExport : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        m_folders = {m_root.filePath(QStringLiteral("java")), m_root.filePath(QStringLiteral("xml")),
                     m_root.filePath(QStringLiteral("bform"))};
        for (const QString& f : {m_folders.javaProject, m_folders.xml, m_folders.bform})
            QVERIFY(QDir().mkpath(f));
        m_formsWithoutLayout = TypeTablesExport::writeFormFiles(m_folders);
        TypeTablesExport::writeSlipFiles(m_folders);
        TypeTablesExport::writeNoteFiles(m_folders);
    }

    void withoutJavaProjectFolderNothingIsWritten()
    {
        QTemporaryDir dir;
        const TypeTablesFolders folders{QString(), dir.filePath(QStringLiteral("xml")),
                                        dir.filePath(QStringLiteral("bform"))};
        QVERIFY(QDir().mkpath(folders.xml) && QDir().mkpath(folders.bform));
        TypeTablesExport::writeFormFiles(folders);
        TypeTablesExport::writeSlipFiles(folders);
        TypeTablesExport::writeNoteFiles(folders);
        QVERIFY(QDir(folders.xml).isEmpty());
        QVERIFY(QDir(folders.bform).isEmpty());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 0);
    }

    void taxFormTypeListsEveryRow()
    {
        const QStringList lines = linesOf(QDir(m_folders.javaProject).filePath(QStringLiteral("TaxFormType.java")));
        QCOMPARE(lines.value(0), QStringLiteral("package vodarevivo.makereport;"));
        QCOMPARE(lines.value(4), QStringLiteral("public class TaxFormType"));
        QCOMPARE(countStartingWith(lines, QStringLiteral("static final int CONST_")), 210);
        QCOMPARE(lines.value(6), QStringLiteral("static final int CONST_T1 = 1;"));
        QCOMPARE(countStartingWith(lines, QStringLiteral("pdfFiles[")) - 1, 210);
        QVERIFY(lines.contains(QStringLiteral("pdfFiles = new InfoFileItem[211];")));
        QVERIFY(lines.contains(QStringLiteral("pdfFiles[  0] = null;")));
        QVERIFY(lines.contains(QStringLiteral(
            "pdfFiles[  1] = new InfoFileItem(CONST_T1, \"T1\", \"general return, income, deductions, credits\", \"t1.xml\");")));
        QVERIFY(lines.contains(QStringLiteral("for (int j=0; j<211; j++)")));
        // The class ends "}", an empty line, "}", an empty line (and the
        // last line's own line break).
        QCOMPARE(lines.mid(lines.size() - 6),
                 (QStringList{QStringLiteral("return null;"), QStringLiteral("}"), QString(), QStringLiteral("}"),
                              QString(), QString()}));
    }

    void slipAndNoteTypes()
    {
        const QStringList slips = linesOf(QDir(m_folders.javaProject).filePath(QStringLiteral("SlipDataType.java")));
        QCOMPARE(countStartingWith(slips, QStringLiteral("static final int CONST_")), 26);
        QVERIFY(slips.contains(QStringLiteral("static final int CONST_SLIP_T4 = 1;")));
        const QStringList notes = linesOf(QDir(m_folders.javaProject).filePath(QStringLiteral("NoteDataType.java")));
        const QStringList expected = {
            QStringLiteral("package vodarevivo.makereport;"), QStringLiteral("import java.io.*;"),
            QStringLiteral("import java.util.Vector;"), QString(), QStringLiteral("public class NoteDataType"),
            QStringLiteral("{"), QStringLiteral("static final int CONST_NOTE_GENERAL= 1;"), QString(),
            QStringLiteral("NoteDataType()"), QStringLiteral("{"), QStringLiteral("}"), QStringLiteral("}"), QString()};
        QCOMPARE(notes, expected);
        QVERIFY(QFile::exists(QDir(m_folders.javaProject).filePath(QStringLiteral("NoteData_General.def.xml"))));
    }

    // Each type definition also names its fields' ids for the engine's
    // Java code: one class per data type in the engine's package.
    void fieldIdClassPerType()
    {
        const QStringList t1 = linesOf(QDir(m_folders.javaProject).filePath(QStringLiteral("T1.java")));
        QCOMPARE(t1.value(0), QStringLiteral("package vodarevivo.makereport;"));
        QVERIFY(t1.contains(QStringLiteral("public final class T1")));
        QVERIFY(t1.contains(QStringLiteral("static final int FirstName = 1;")));
        const QStringList slip = linesOf(QDir(m_folders.javaProject).filePath(QStringLiteral("SLIP_T4.java")));
        QVERIFY(slip.contains(QStringLiteral("public final class SLIP_T4")));
        QVERIFY(countStartingWith(slip, QStringLiteral("static final int ")) > 5);
        QVERIFY(QFile::exists(QDir(m_folders.javaProject).filePath(QStringLiteral("NoteData_General.java"))));
        // Rows without a definition get no class either.
        QVERIFY(!QFile::exists(QDir(m_folders.javaProject).filePath(QStringLiteral("SCH1.java"))));
    }

    void javaIdentifiers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("identifier");
        QTest::newRow("plain") << "T2125_COMMISSION" << "T2125_COMMISSION";
        QTest::newRow("leading digit") << "5000S1" << "_5000S1";
        QTest::newRow("keyword") << "int" << "int_";
        QTest::newRow("signs") << "T1-ADJ (a)" << "T1_ADJ__a_";
        QTest::newRow("accent") << QString::fromUtf8("Déduction") << "D_duction";
        QTest::newRow("empty (\"_\" alone is a keyword)") << "" << "__";
    }
    void javaIdentifiers()
    {
        QFETCH(QString, text);
        QFETCH(QString, identifier);
        QCOMPARE(javafieldclass::identifier(text), identifier);
    }

    void filesPerRow_data()
    {
        QTest::addColumn<QString>("definition");
        QTest::addColumn<QString>("layout");
        QTest::addColumn<bool>("hasDefinition");
        QTest::addColumn<bool>("inXml");
        QTest::addColumn<bool>("inBForm");
        QTest::newRow("T1") << "T1" << "t1.xml" << true << true << true;
        QTest::newRow("row without layouts") << "T2125_COMMISSION" << "t2125_commission.xml" << true << false << false;
        QTest::newRow("expired row") << "SCH1" << "" << false << false << false;
        QTest::newRow("slip: first layout only") << "SLIP_T4" << "SLIP_T4.xml" << true << false << true;
    }
    void filesPerRow()
    {
        QFETCH(QString, definition);
        QFETCH(QString, layout);
        QFETCH(bool, hasDefinition);
        QFETCH(bool, inXml);
        QFETCH(bool, inBForm);
        QCOMPARE(QFile::exists(QDir(m_folders.javaProject).filePath(definition + QStringLiteral(".def.xml"))),
                 hasDefinition);
        if (layout.isEmpty())
            return;
        QCOMPARE(QFile::exists(QDir(m_folders.xml).filePath(layout)), inXml);
        QCOMPARE(QFile::exists(QDir(m_folders.bform).filePath(layout)), inBForm);
    }

    // The rows without layout files still print: the engine's own folder
    // holds their layouts, and no form the program makes is left without.
    void everyFormHasALayoutForTheEngine()
    {
        QCOMPARE(m_formsWithoutLayout, 0);
        for (const char* name : {"T2125_COMMISSION", "T1KS_REFILE", "T1KS_PRIOR"})
            QVERIFY2(QFile::exists(QDir(m_folders.xml).filePath(QStringLiteral("print/%1.xml").arg(name))), name);
    }

    // What the printed form makes of a field: a numbered line or box, a
    // caption and value, the spouse's figure, or nothing.
    void printRoles_data()
    {
        QTest::addColumn<QString>("folder"); // "xml" or "bform"
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("role");
        QTest::newRow("T1 total income") << "xml" << "t1.xml" << "line15000TotalIncome" << "line";
        QTest::newRow("T1 first name") << "xml" << "t1.xml" << "FirstName" << "entry";
        QTest::newRow("T1 citizenship question") << "xml" << "t1.xml" << "CitizenshipAnswer" << "entry";
        QTest::newRow("T1 calculation state") << "xml" << "t1.xml" << "CalcState1" << "no";
        QTest::newRow("T1 filing result") << "xml" << "t1.xml" << "FilingResultText" << "no";
        QTest::newRow("T1 access code") << "xml" << "t1.xml" << "DireradAccessCode" << "no";
        QTest::newRow("T1 hidden answer") << "xml" << "t1.xml" << "SurveyAnswer1" << "no";
        QTest::newRow("T1 spouse's net income") << "xml" << "t1.xml" << "SpouseNetIncome" << "spouse";
        QTest::newRow("T4 box 14") << "bform" << "SLIP_T4.xml" << "box14EmploymentIncome" << "line";
        QTest::newRow("T4 employer") << "bform" << "SLIP_T4.xml" << "EmployerName" << "entry";
    }
    void printRoles()
    {
        QFETCH(QString, folder);
        QFETCH(QString, file);
        QFETCH(QString, field);
        QFETCH(QString, role);
        const QString path = QDir(folder == "xml" ? m_folders.xml : m_folders.bform).filePath(file);
        const QXmlStreamAttributes attributes = fieldWhere(path, QStringLiteral("name"), field);
        QVERIFY2(!attributes.isEmpty(), qPrintable(path));
        QCOMPARE(attributes.value(QLatin1String("print")).toString(), role);
    }

    void slipIssuerIsMarked()
    {
        const QString t4 = QDir(m_folders.bform).filePath(QStringLiteral("SLIP_T4.xml"));
        QCOMPARE(fieldWhere(t4, QStringLiteral("name"), QStringLiteral("EmployerName")).value(QLatin1String("caption")),
                 QStringLiteral("1"));
        QVERIFY(fieldWhere(t4, QStringLiteral("name"), QStringLiteral("box14EmploymentIncome"))
                    .value(QLatin1String("caption"))
                    .isEmpty());
    }

    void layoutDescribesHowTheWindowShowsEachField()
    {
        const QString t1 = QDir(m_folders.xml).filePath(QStringLiteral("t1.xml"));
        QFile file(t1);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QVERIFY(xml.readNextStartElement());
        QCOMPARE(xml.attributes().value(QLatin1String("title")).toString(),
                 QStringLiteral("T1 Income Tax and Benefit Return"));
        QCOMPARE(xml.attributes().value(QLatin1String("version")).toString(), QStringLiteral("66098"));

        const QXmlStreamAttributes total = fieldWhere(t1, QStringLiteral("line"), QStringLiteral("15000"));
        QCOMPARE(total.value(QLatin1String("format")).toString(), QStringLiteral("money"));
        QCOMPARE(total.value(QLatin1String("shown")).toString(), QStringLiteral("1"));
        const QXmlStreamAttributes marital = fieldWhere(t1, QStringLiteral("name"), QStringLiteral("MaritalStatus"));
        QVERIFY(marital.value(QLatin1String("choices")).toString().contains(QStringLiteral("5:Single")));
        QCOMPARE(marital.value(QLatin1String("start")).toString(), QStringLiteral("0"));
    }

private:
    QTemporaryDir m_root;
    TypeTablesFolders m_folders;
    int m_formsWithoutLayout = -1;
};

QTEST_GUILESS_MAIN(TestTypeTablesExport)
#include "tst_typetablesexport.moc"
