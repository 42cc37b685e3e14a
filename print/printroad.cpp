#include "print/printroad.h"

#include "print/JavaEnvs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

namespace PrintRoad {

namespace {

// Some file systems keep modification times in whole seconds (and FAT in
// two): a PDF written in the job's first moments may look older than the
// job's start by up to that much.
constexpr qint64 kTimeResolutionMs = 2000;

QString tr(const char* text)
{
    return QCoreApplication::translate("PrintRoad", text);
}

struct JobErrorRow
{
    int code;
    const char* text;
};

const JobErrorRow kJobErrors[] = {
    {JavaVMEnv::ReadFailed,
     "voDarevivo cannot generate .pdf file, check if output folder pathname contains non-English characters."},
    {JavaVMEnv::WriteFailed,
     "The output PDF file is now opened by another application, e.g. Acrobat Reader. Please close the PDF file "
     "and try generate PDF file again.\nor anti-virus software blocks pdf file generation."},
};

// The start codes a user can mend, and how.
const JobErrorRow kEnvironmentAdvice[] = {
    {JavaVMEnv::NoRuntimeLibrary,
     "No Java runtime was found. Install a Java 17 runtime (for example the package "
     "default-jre-headless), or set JVMPATH in the configuration file to its libjvm.so, then print again."},
    {JavaVMEnv::NoGetDefaultInitArgs,
     "The library that JVMPATH names is not a Java runtime. Set JVMPATH in the configuration file to the "
     "libjvm.so of a Java 17 runtime, or remove the entry, then print again."},
    {JavaVMEnv::NoEngineClass,
     "The print engine that comes with voDarevivo is missing or damaged. Install voDarevivo again, then print "
     "again."},
};

} // namespace

int printFlags(int clientLetter, int receipt, int fullSin)
{
    int flags = 0;
    if (clientLetter == 1)
        flags |= FlagClientLetter;
    if (receipt != 0)
        flags |= FlagInvoice;
    if (fullSin != 0)
        flags |= FlagFullSin;
    return flags;
}

Selection selectionOfTreeItem(int category, int type, int id)
{
    const bool oneItem = category == 0 || category == 1 || category == 3;
    return Selection{category, type, oneItem ? id : 0};
}

namespace {

// A value of a Java properties file: backslashes, line breaks and the
// characters that would end a key are escaped; the file is UTF-8.
QString propertyValue(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        if (c == QLatin1Char('\\'))
            out += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            out += QLatin1Char(' ');
        else
            out += c;
    }
    return out.trimmed();
}

} // namespace

bool writePreparerFile(const QString& pdfFolder, const PreparerBlock& block)
{
    const QString path = QDir(pdfFolder).filePath(QStringLiteral("preparer.properties"));
    if (block.firm.trimmed().isEmpty())
        return !QFile::exists(path) || QFile::remove(path);
    const QString place = QStringList{block.city.trimmed(), block.province.trimmed()}.join(QLatin1Char(' ')).trimmed();
    const QString city = QStringList{place, block.postcode.trimmed()}.join(QLatin1String("  ")).trimmed();
    const QList<QPair<const char*, QString>> rows = {{"firm", block.firm},       {"address", block.address},
                                                      {"city", city},             {"phone", block.phone},
                                                      {"efile", block.efileNumber}};
    QString text;
    for (const auto& row : rows)
        text += QLatin1String(row.first) + QLatin1Char('=') + propertyValue(row.second) + QLatin1Char('\n');
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = text.toUtf8();
    return file.write(bytes) == bytes.size() && file.commit();
}

QString outputFolder(const QString& retPdfPath, int pdfPathSameAsRet, const QString& returnFile)
{
    return pdfPathSameAsRet != 0 ? QFileInfo(returnFile).absolutePath() : retPdfPath;
}

QString jobErrorText(int code)
{
    QString text = tr("Print error happend");
    for (const JobErrorRow& row : kJobErrors)
        if (row.code == code)
            text = tr(row.text);
    return tr("%1, error code is %2.").arg(text).arg(code);
}

QString environmentErrorText(int code)
{
    QString text = tr("Print environment error, error code is %1.").arg(code);
    for (const JobErrorRow& row : kEnvironmentAdvice)
        if (row.code == code)
            text += QLatin1Char('\n') + tr(row.text);
    return text;
}

bool canWriteInFolder(const QString& folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".voDarevivo-write-check-XXXXXX")));
    return probe.open(); // removed when probe goes
}

QString folderNotWritableText(const QString& folder)
{
    return tr("voDarevivo cannot write into the folder for printable tax form (.pdf) files:\n%1\nChoose a folder "
              "you can write into in the preferences, or allow writing into this one, then print again.")
        .arg(QDir::toNativeSeparators(folder));
}

bool isNewPdf(const QString& path, const QDateTime& jobStart)
{
    if (path.isEmpty())
        return false;
    const QFileInfo pdf(path);
    return pdf.isFile() && pdf.size() > 0 && pdf.lastModified().msecsTo(jobStart) <= kTimeResolutionMs;
}

} // namespace PrintRoad
