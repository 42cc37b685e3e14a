#pragma once

#include <QDateTime>
#include <QString>

// Files are saved whole by writing a temporary copy beside them,
// "<name>.XXXXXX", and renaming it over the file. A process killed between
// the two leaves that copy behind, holding everything the file holds.

// When this process started; copies older than that belong to no save that
// is still running.
QDateTime sessionStartTime();

// Removes the leftover temporary copies of the file at path: regular files
// of this user in its folder named exactly "<name>.XXXXXX" (six letters or
// digits) and last written before this session began. Returns how many went.
int removeLeftoverSaveCopies(const QString& path);

// Makes a rename in the folder of path durable: a power cut after a save
// cannot bring back the old file or lose the new name.
bool syncFolderOf(const QString& path);
