#pragma once

#include <QString>

#include <functional>

// The developer export that describes the return's data types to the print
// engine: each form, slip and note class writes its type definition and its
// layout files, and three Java files of type constants are written for the
// engine's package. Nothing is shown; a row without an object and a file
// that cannot be written are skipped and told to the log, when one is given.
// With an empty Java project folder nothing at all is done.
struct TypeTablesFolders
{
    QString javaProject; // type definitions and the Java files
    QString xml;         // second layout files (forms only)
    QString bform;       // first layout files (forms and slips)
    std::function<void(const QString&)> log = {}; // the run log; may be empty
};

class TypeTablesExport
{
public:
    // Forms: definitions and layouts, then "TaxFormType.java". Answers how
    // many forms the program can make were left without any layout.
    static int writeFormFiles(const TypeTablesFolders& folders);
    // Slips: definitions and first layouts, then "SlipDataType.java".
    static void writeSlipFiles(const TypeTablesFolders& folders);
    // The note's definition, then "NoteDataType.java".
    static void writeNoteFiles(const TypeTablesFolders& folders);

    // The folder, inside the XML folder, of the layouts the engine alone
    // reads: those of the forms that have no layout file of their own.
    static constexpr const char* kEngineLayoutFolder = "print";

    // What the engine compiles in ("ReturnFileFormat.java" and
    // "TaxFormType.java" in folders.javaProject): the return file's version,
    // the versions at which each part of a person record appears, the kinds
    // of item and the form types. Needs no plug-in, so the engine can be
    // built before them.
    static void writeEngineTables(const TypeTablesFolders& folders);

    // The return-file version handed to every layout writer: the model's.
    static const unsigned int kFileVersion;

private:
    // "TaxFormType.java": a constant for every form type and its files.
    static void writeFormTypeTable(const TypeTablesFolders& folders);
};
