#pragma once

#include <QString>

#include <functional>

// The backup kept beside a return file: "<folder>/<name>_backup.<suffix>",
// named from the complete base name so that "a.b.r24" gives "a.b_backup.r24".
QString returnBackupPath(const QString& returnPath);

// Copies the return file as it is now into its backup; true when the backup
// holds it whole.
bool backUpReturnFile(const QString& returnPath);

// Test seam: runs inside backUpReturnFile at its most fragile moment, when
// the new backup is written and the old one is about to be replaced, so that
// a test can look at the files there or stop the process there.
void setBackupReplaceHook(std::function<void()> hook);
