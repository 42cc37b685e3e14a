#pragma once

#include <QString>

// The file name this platform gives a shared library of the given base name
// ("provtax_on" -> "libprovtax_on.so" on Linux, "provtax_on.dll" on Windows,
// "libprovtax_on.dylib" on macOS). Only the name: the caller joins it to the
// folder the library lives in, so that a library is never looked up by bare
// name along the system's search path.
void getOSLibFilename(const QString& baseName, QString& fileName);
QString osLibFilename(const QString& baseName);
