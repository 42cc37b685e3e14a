#pragma once

#include <QStringList>

// The other processes of this user that have the file at path (or its
// SQLite journal files) open, each as "name (process 1234)"; empty when none
// can be seen. Read from /proc, so only what this user may see is found.
QStringList otherProcessesHolding(const QString& path);
