#pragma once

#include "companion/core/cstring.h"

#include <string>

class QString;

// Reads a whole file or compiled-in resource (a ":/..." path) into memory.
//
// maxMiB bounds the size accepted, in MiB (1 to 256; values outside are
// clamped); every caller in the program passes 64. A file larger than that is
// refused rather than cut short. flags is reserved and ignored.
// True when the whole file was read; on failure out is left empty.
bool loadFileToString(const CString& path, std::string& out, int maxMiB = 64, int flags = 0);

// The same, decoded from UTF-8.
bool loadFileToQString(const CString& path, QString& out, int maxMiB = 64);
