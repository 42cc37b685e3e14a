#include "print/printroad.h"

#include "print/JavaEnvs.h"

#include <QCoreApplication>
#include <QFileInfo>

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
    return Selection{category, type, category == 0 ? id : 0};
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

bool isNewPdf(const QString& path, const QDateTime& jobStart)
{
    if (path.isEmpty())
        return false;
    const QFileInfo pdf(path);
    return pdf.isFile() && pdf.size() > 0 && pdf.lastModified().msecsTo(jobStart) <= kTimeResolutionMs;
}

} // namespace PrintRoad
