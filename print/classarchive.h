#pragma once

#include <QString>

// The class data archive of the print engine: the build runs representative
// print jobs once and has the Java VM record every class they load into an
// archive beside the engine's jar ("mr.jar" -> "mr.jsa"), with the archive's
// size in a file beside it ("mr.jsa.size"). A VM given the archive maps those
// classes at its start instead of reading, parsing and verifying them from
// the jar at the first print.
//
// The VM itself refuses, and quietly falls back to the jar for, an archive
// made from another jar or by another Java runtime. It does not check that
// the file is whole: it maps the archive's regions where its header says they
// are, and stops the whole process (SIGBUS) when it touches a part a short
// file lacks; and a file that is no such archive makes it drop the runtime's
// own archive of the JDK's classes as well. So an archive is handed over only
// when it is plainly one and has the size the build wrote.
namespace classarchive {

// The magic number that opens an archive of application classes recorded on
// top of the runtime's own (the VM's -XX:ArchiveClassesAtExit).
constexpr quint32 kTopArchiveMagic = 0xf00baba8u;

enum class Verdict {
    Usable,
    Missing,      // no archive beside the jar
    NoSizeFile,   // no size file, or one that holds no size
    WrongSize,    // the archive is not the size the build wrote
    NotAnArchive, // it does not open with the magic number
};

// The archive beside a jar: the jar's path with ".jar" replaced by ".jsa".
QString archiveBeside(const QString& jarPath);

// Whether the archive may be handed to the VM.
Verdict check(const QString& archivePath);

// The archive for a class path: the first ".jar" entry's archive that may be
// used (verdict Usable); else the first one that is there but refused, with
// the reason in verdict; else none (Missing).
QString forClassPath(const QString& classPath, Verdict& verdict);

const char* describe(Verdict verdict);

} // namespace classarchive
