#pragma once

#include <QDateTime>
#include <QString>

// The rules of the print road that need no window: the engine's flags from
// the print options, what a "selected form only" print hands the engine,
// where the PDF goes, the texts of the job's failures and the check that the
// job really wrote a new PDF.
namespace PrintRoad {

// Print flags handed to the engine unchanged.
enum Flag {
    FlagClientLetter = 36, // bits 4 and 32
    FlagInvoice = 8,
    FlagFullSin = 16,
};

// Print modes of a job.
enum Mode { ModeClientCopy = 0, ModeCondensed = 1 };

// The flags of the options dialog's results (client letter only when 1).
int printFlags(int clientLetter, int receipt, int fullSin);

// What a print of one tree item hands the engine: the category and type the
// tree gives, and the item's id for a form, a slip or a note (categories 0,
// 1 and 3), so that the engine prints that one item.
struct Selection
{
    int category = 0;
    int formType = 0;
    int formId = 0;
};
Selection selectionOfTreeItem(int category, int type, int id);

// RetPdfPath, or the saved return's own folder when PdfPathSameAsRet is set.
QString outputFolder(const QString& retPdfPath, int pdfPathSameAsRet, const QString& returnFile);

// The preparer's block of the printed return and the invoice, from the
// preferences.
struct PreparerBlock
{
    QString firm, address, city, province, postcode, phone, efileNumber;
};
// Writes the block as "preparer.properties" into the engine's PDF folder for
// the next job, or removes that file when the block is empty; false when the
// file could not be written or removed.
bool writePreparerFile(const QString& pdfFolder, const PreparerBlock& block);

// "%1, error code is %2." with the text of a failed job's code.
QString jobErrorText(int code);

// "Print environment error, error code is %1." for a failed start of the
// engine; for the starts a user can mend (no Java runtime, a library that is
// not one, the engine missing or damaged) a sentence follows that says how.
QString environmentErrorText(int code);

// Whether a file can be made in folder: tried by making (and removing) a
// temporary file there, so that the answer is the file system's own
// (permissions, a read-only mount, a full disk of inodes, a privileged
// user's override), not a guess from the mode bits.
bool canWriteInFolder(const QString& folder);
// What the print road says, before any job, when it cannot.
QString folderNotWritableText(const QString& folder);

// A job's PDF counts only when it exists, is not empty and was written by
// this job: modified no earlier than the job's start, less the file
// system's time resolution.
bool isNewPdf(const QString& path, const QDateTime& jobStart);

} // namespace PrintRoad
