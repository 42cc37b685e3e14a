#pragma once

#include "companion/core/cstring.h"

// Creates the folder with its missing parents. True when the folder exists
// afterwards; false for an empty path, a path that names a file, or a folder
// that cannot be created.
bool makeFolderExists(const CString& path);

// A file name (not a path) safe on every desktop file system: the characters
// / \ : * ? " < > | and control characters become '_', blanks and dots at
// either end are dropped, and a name left empty (or "." / "..") becomes "_".
CString makeValidFilename(const CString& name);
