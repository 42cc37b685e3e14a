#pragma once

class QFileDevice;
class QString;

// Makes an open file readable and writable by its owner only, whatever the
// umask or the mode an earlier copy of it had. Used for every file that holds
// a taxpayer's data (returns, backups, result lists) before a byte is written.
bool keepToOwner(QFileDevice& file);

// Clears the group and other permission bits of path and leaves the owner's
// as they are, so that a file or folder the owner made read-only stays so.
bool withholdFromOthers(const QString& path);
