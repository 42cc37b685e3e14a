#include "print/typetablesexport.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

#include <algorithm>
#include <array>
#include <memory>

#include "companion/forms/catalogue.h"
#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/formfactory.h"
#include "companion/forms/taxtypes.h"
#include "model/MultiProvsTaxMgr.h"
#include "model/individualtaxdata.h"
#include "model/returnfileversions.h"

const unsigned int TypeTablesExport::kFileVersion = IndividualTaxData::kFileVersion;

namespace {

constexpr int kFormRows = 210;
constexpr int kSlipRows = 26;
// Slip type 12 has no data class of its own to describe.
constexpr ENUMTYPE_SLIP kSlipWithoutDefinitions = 12;
// Forms that get a type definition but no layout files in the two layout
// folders. The engine still prints them: their layouts go to its own
// folder (kEngineLayoutFolder inside the XML folder), so that no form the
// program can hold prints without captions.
constexpr std::array<int, 4> kFormsWithoutLayouts = {33, 131, 159, 165};

QString joined(const QString& folder, const QString& name)
{
    return folder + QDir::separator() + name;
}

// A text inside double quotes of the generated Java: a quote or backslash in
// a catalogue text must not end the literal early.
QString javaLiteral(const char* text)
{
    QString s = QString::fromUtf8(text);
    s.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    s.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return s;
}

void tell(const TypeTablesFolders& folders, const QString& line)
{
    if (folders.log)
        folders.log(QStringLiteral("type tables: ") + line);
}

// Writes the lines with "\n" line ends, truncating the file; a file that
// cannot be written is told to the log. A file that already holds the lines
// is left alone, so what is built from it is not built again.
void writeLines(const TypeTablesFolders& folders, const QString& path, const QStringList& lines)
{
    QByteArray text;
    for (const QString& line : lines)
        text += line.toUtf8() + '\n';
    QFile file(path);
    if (file.open(QIODevice::ReadOnly) && file.readAll() == text)
        return;
    file.close();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        tell(folders, QStringLiteral("cannot write %1").arg(path));
        return;
    }
    if (file.write(text) != text.size() || file.error() != QFileDevice::NoError)
        tell(folders, QStringLiteral("cannot write %1").arg(path));
}

QStringList javaHead(const char* className)
{
    return {QStringLiteral("package vodarevivo.makereport;"), QStringLiteral("import java.io.*;"),
            QStringLiteral("import java.util.Vector;"), QString(),
            QStringLiteral("public class %1").arg(QLatin1String(className)), QStringLiteral("{")};
}

QString constantLine(const char* constName, int type)
{
    return QStringLiteral("static final int CONST_%1 = %2;").arg(QString::fromUtf8(constName)).arg(type);
}

// The provincial plug-ins, each asked in province order for the forms the
// federal factory does not make.
class ProvincialSources
{
public:
    ProvincialSources() : m_host(MULTIPROVS_MODE_RESIDENCE, nullptr)
    {
        for (ENUMTYPE_PROVINCE p = 1; p < PROVINCE_COUNT; ++p)
            if (IsProvinceSupported(p))
                m_managers[size_t(p)] = m_host.getProvMgr(p, false);
    }
    ~ProvincialSources() { m_host.FreeData(); }

    // The object of the type from the first plug-in that makes it; maker
    // tells which plug-in, to free it through.
    CTaxData_Form* make(ENUMTYPE_FORM type, CProvincialTaxManager*& maker)
    {
        for (CProvincialTaxManager* m : m_managers) {
            if (!m || !m->offers(CProvincialTaxManager::OpNewFormData))
                continue;
            if (CTaxData_Form* form = m->NewFormData(type, false)) {
                maker = m;
                return form;
            }
        }
        maker = nullptr;
        return nullptr;
    }

    static void release(CTaxData_Form* form, CProvincialTaxManager* maker)
    {
        if (maker && maker->offers(CProvincialTaxManager::OpFreeFormData) && maker->FreeFormData(form, false))
            return;
        delete form;
    }

private:
    CMultiProvsTaxMgr m_host;
    std::array<CProvincialTaxManager*, PROVINCE_COUNT> m_managers{};
};

}  // namespace

int TypeTablesExport::writeFormFiles(const TypeTablesFolders& folders)
{
    if (folders.javaProject.isEmpty())
        return 0;
    int withoutLayout = 0;
    {
        ProvincialSources provinces;
        for (int row = 1; row <= kFormRows; ++row) {
            const STRUCT_FORM_INFO& info = Global_Forms_Info[row];
            if (IsFormExpired(info.type, 0))
                continue;
            CProvincialTaxManager* maker = nullptr;
            CTaxData_Form* form = provinces.make(info.type, maker);
            if (!form)
                form = CFormFactory::AllocFedFormData(info.type);
            if (!form) {
                tell(folders, QStringLiteral("form row %1 skipped: no object makes type %2").arg(row).arg(info.type));
                continue;
            }
            const CString constName(QString::fromUtf8(info.constName));
            const CString layoutFile(QString::fromUtf8(info.layoutFile));
            if (layoutFile.isEmpty()) {
                tell(folders, QStringLiteral("form row %1 skipped: no layout file name").arg(row));
            } else if (form->WriteJavaTypeFile(CString(folders.javaProject), constName, 0) != 0) {
                tell(folders, QStringLiteral("form row %1: type definition not written").arg(row));
            } else if (std::find(kFormsWithoutLayouts.begin(), kFormsWithoutLayouts.end(), row)
                       == kFormsWithoutLayouts.end()) {
                bool written = true;
                if (form->WriteXMLLayoutFile(CString(folders.xml), constName, layoutFile, kFileVersion) != 0) {
                    written = false;
                    tell(folders, QStringLiteral("form row %1: layout %2 not written to %3")
                                      .arg(row).arg(layoutFile, folders.xml));
                }
                if (form->WriteBFormLayoutFile(CString(folders.bform), constName, layoutFile, kFileVersion) != 0)
                    tell(folders, QStringLiteral("form row %1: layout %2 not written to %3")
                                      .arg(row).arg(layoutFile, folders.bform));
                withoutLayout += written ? 0 : 1;
            } else {
                const QString engineFolder = joined(folders.xml, QLatin1String(kEngineLayoutFolder));
                if (!QDir().mkpath(engineFolder)
                    || form->WriteXMLLayoutFile(CString(engineFolder), constName,
                                                CString(constName + QStringLiteral(".xml")), kFileVersion) != 0) {
                    ++withoutLayout;
                    tell(folders, QStringLiteral("form row %1: layout not written to %2").arg(row).arg(engineFolder));
                }
            }
            ProvincialSources::release(form, maker);
        }
    }

    writeFormTypeTable(folders);
    return withoutLayout;
}

void TypeTablesExport::writeEngineTables(const TypeTablesFolders& folders)
{
    if (folders.javaProject.isEmpty())
        return;
    writeFormTypeTable(folders);
    const QStringList lines = {
        QStringLiteral("package vodarevivo.makereport;"), QString(),
        QStringLiteral("/** The return file as the program writes it; exported from the program's own constants. */"),
        QStringLiteral("final class ReturnFileFormat"), QStringLiteral("{"),
        QStringLiteral("    static final int FILE_VERSION = %1;").arg(IndividualTaxData::kFileVersion),
        QStringLiteral("    static final int TAX_YEAR = %1;").arg(TAX_YEAR),
        QStringLiteral("    /** The versions at which a part of a person record first appears. */"),
        QStringLiteral("    static final int VERSION_NOTES = %1; // (>=)").arg(returnfileversion::kNotes),
        QStringLiteral("    static final int VERSION_MARKER_RUNS = %1; // (>)").arg(returnfileversion::kMarkerRuns),
        QStringLiteral("    static final int VERSION_FORM_IDS = %1; // (>)").arg(returnfileversion::kFormIds),
        QStringLiteral("    static final int VERSION_SLIP_SHARED_IDS = %1; // (>)").arg(returnfileversion::kSlipSharedIds),
        QStringLiteral("    static final int VERSION_MARKER_WORD = %1; // (>)").arg(returnfileversion::kMarkerWord),
        QStringLiteral("    static final int VERSION_RESERVED_WORD = %1; // (>)").arg(returnfileversion::kReservedWord),
        QStringLiteral("    /** The kinds of item, as the return tree numbers them. */"),
        QStringLiteral("    static final int KIND_FORM = %1;").arg(int(FROM_FORM)),
        QStringLiteral("    static final int KIND_SLIP = %1;").arg(int(FROM_SLIP)),
        QStringLiteral("    static final int KIND_NOTE = %1;").arg(int(FROM_NOTE)),
        QStringLiteral("}"), QString()};
    writeLines(folders, joined(folders.javaProject, QStringLiteral("ReturnFileFormat.java")), lines);
}

void TypeTablesExport::writeFormTypeTable(const TypeTablesFolders& folders)
{
    QStringList lines = javaHead("TaxFormType");
    for (int row = 1; row <= kFormRows; ++row)
        lines << constantLine(Global_Forms_Info[row].constName, Global_Forms_Info[row].type);
    lines << QString() << QStringLiteral("private InfoFileItem[] pdfFiles;") << QString()
          << QStringLiteral("private TaxFormType()") << QStringLiteral("{")
          << QStringLiteral("pdfFiles = new InfoFileItem[%1];").arg(kFormRows + 1) << QString()
          << QStringLiteral("pdfFiles[  0] = null;");
    for (int row = 1; row <= kFormRows; ++row) {
        const STRUCT_FORM_INFO& info = Global_Forms_Info[row];
        lines << QStringLiteral("pdfFiles[%1] = new InfoFileItem(CONST_%2, \"%3\", \"%4\", \"%5\");")
                     .arg(row, 3)
                     .arg(QString::fromUtf8(info.constName), javaLiteral(info.code), javaLiteral(info.description),
                          javaLiteral(info.layoutFile));
    }
    lines << QStringLiteral("}") << QString() << QStringLiteral("static TaxFormType s_taxformtype = new TaxFormType();")
          << QStringLiteral("public static InfoFileItem getFormTypeInfo(int nType)") << QStringLiteral("{")
          << QStringLiteral("for (int j=0; j<%1; j++)").arg(kFormRows + 1) << QStringLiteral("{")
          << QStringLiteral("if ((s_taxformtype.pdfFiles[j]!=null) && (s_taxformtype.pdfFiles[j].nFormType == nType))")
          << QStringLiteral("{") << QStringLiteral("return s_taxformtype.pdfFiles[j];") << QStringLiteral("}")
          << QStringLiteral("}") << QStringLiteral("return null;") << QStringLiteral("}") << QString()
          << QStringLiteral("}") << QString();
    writeLines(folders, joined(folders.javaProject, QStringLiteral("TaxFormType.java")), lines);
}

void TypeTablesExport::writeSlipFiles(const TypeTablesFolders& folders)
{
    if (folders.javaProject.isEmpty())
        return;
    for (int row = 1; row <= kSlipRows; ++row) {
        const STRUCT_SLIP_INFO& info = Global_Slips_Info[row];
        if (info.type == kSlipWithoutDefinitions)
            continue;
        std::unique_ptr<CTaxData_Form> slip(CFormFactory::AllocSlipData(info.type));
        if (!slip) {
            tell(folders, QStringLiteral("slip row %1 skipped: no object makes type %2").arg(row).arg(info.type));
            continue;
        }
        const CString constName(QString::fromUtf8(info.constName));
        if (slip->WriteJavaTypeFile(CString(folders.javaProject), constName, 0) != 0)
            tell(folders, QStringLiteral("slip row %1: type definition not written").arg(row));
        if (slip->WriteBFormLayoutFile(CString(folders.bform), constName, CString(constName + QStringLiteral(".xml")),
                                       kFileVersion) != 0)
            tell(folders, QStringLiteral("slip row %1: layout not written to %2").arg(row).arg(folders.bform));
    }
    QStringList lines = javaHead("SlipDataType");
    for (int row = 1; row <= kSlipRows; ++row)
        lines << constantLine(Global_Slips_Info[row].constName, Global_Slips_Info[row].type);
    lines << QString() << QStringLiteral("SlipDataType()") << QStringLiteral("{") << QStringLiteral("}")
          << QStringLiteral("}");
    writeLines(folders, joined(folders.javaProject, QStringLiteral("SlipDataType.java")), lines);
}

void TypeTablesExport::writeNoteFiles(const TypeTablesFolders& folders)
{
    if (folders.javaProject.isEmpty())
        return;
    if (std::unique_ptr<CTaxData_Form> note{CFormFactory::AllocNoteData()}) {
        if (note->WriteJavaTypeFile(CString(folders.javaProject), CString(QStringLiteral("NoteData_General")), 0) != 0)
            tell(folders, QStringLiteral("note: type definition not written"));
    }
    QStringList lines = javaHead("NoteDataType");
    lines << QStringLiteral("static final int CONST_NOTE_GENERAL= 1;") << QString() << QStringLiteral("NoteDataType()")
          << QStringLiteral("{") << QStringLiteral("}") << QStringLiteral("}");
    writeLines(folders, joined(folders.javaProject, QStringLiteral("NoteDataType.java")), lines);
}
