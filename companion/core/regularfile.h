#pragma once

class QByteArray;
class QFile;
class QString;

// Opens path read-only when, and only when, it is a regular file. The type is
// checked on the opened descriptor, before any read, so that a FIFO, a
// device, a socket or a directory given a return file's name can neither
// block the program nor feed it endless bytes, and a name swapped between a
// check and the open changes nothing. False (file left closed) otherwise.
bool openRegularFileForReading(QFile& file, const QString& path);
// The same for a path given as the file system's own bytes, which need not
// be valid in the locale's encoding (a name written under another one).
bool openRegularFileForReading(QFile& file, const QByteArray& nativePath);
