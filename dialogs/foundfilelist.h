#pragma once

#include <QString>
#include <QStringList>

// The list of found return files kept between uses of the search
// ("findfiles.csv" in the run folder): plain UTF-8 text, one full path a line,
// each line ended by "\n", no header and no quoting.
namespace foundfilelist {

// A list file larger than this is no list of ours and is not read.
constexpr int kMaxMiB = 16;

// The paths in file order. Lines are trimmed, and a line of three characters
// or fewer is no path and is skipped. A missing, unreadable or oversized
// file gives an empty list.
QStringList read(const QString& listPath);

// Rewrites the file with the paths, in order; an empty list leaves the file
// as it was. The file is replaced whole or not at all. False when it could
// not be written.
bool write(const QString& listPath, const QStringList& paths);

} // namespace foundfilelist
