#pragma once

#include "companion/core/cstring.h"

#include <functional>

// What the print engine bridge reads of the program's configuration. The
// configuration belongs to the application layer above this one, so the
// program installs a source that copies these values from it; the bridge
// asks the source at each start attempt and at each job, as the program
// would read its configuration members directly.
struct JavaVMEnvSettings
{
    CString classPath;        // JAVACLASSPATH: the engine's class path, ":" between entries
    CString pdfPath;          // PDFPATH: the engine's PDF template folder
    CString xmlPath;          // XMLPATH: the engine's layout folder
    CString jvmPath;          // JVMPATH: the Java runtime library when none is beside the program
    bool printHeader = true;  // PrintHeader: false makes every job call the engine step "new"
    CString retPdfPath;       // RetPdfPath: the output folder when a job is given none
};

using JavaVMEnvSettingsSource = std::function<JavaVMEnvSettings()>;

// Appends one line to the program's run log (UTF-8).
using JavaVMEnvRunLog = std::function<void(const char* line)>;
