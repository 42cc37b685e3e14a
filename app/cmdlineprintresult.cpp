// The batch mode "printresult". Reading and calculating returns is not part of
// this build yet; the mode says so and ends without touching any file.
#include "app/tabwndapp.h"

#include <cstdio>

void TabWndApp::CmdlinePrintResult(const QString& folder, const QString& listFile)
{
    Q_UNUSED(folder);
    Q_UNUSED(listFile);
    std::fputs("printresult: batch printing of return results is not available in this build\n", stderr);
}
