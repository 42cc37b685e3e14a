#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

// The report of the recent return files whose returns are not filed online:
// for each file that needs a line, its row and path and why; then a summary.
struct NotFiledReport
{
    QString text;
    int total = 0;    // files scanned
    int notFiled = 0; // files with a return not filed online
};

// Reads every file in the order given, never asking anything: a file that
// cannot be opened, that cannot be read whole or that is guarded by an open
// password gets its own line and is not counted as not filed. beforeEach
// runs before each file (the window keeps painting).
NotFiledReport scanReturnsNotFiled(const QStringList& paths, const std::function<void()>& beforeEach = {});

// "<run folder>/filing<yyMMddHHmmss>.txt".
QString notFiledReportPath(const QString& runFolder, const QDateTime& now);
