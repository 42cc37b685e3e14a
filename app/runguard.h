#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// Keeps a second copy of the program from running for the same user.
//
// The guard is a lock file in a per-user folder (the program's system folder),
// not a machine-wide shared-memory segment: a second user on the same machine
// has a lock of their own, and the lock of a process that crashed or was
// killed is recognised as stale (its process is gone) and taken over by the
// next start. A running instance's lock never goes stale by age.
class RunGuard
{
public:
    // key: the instance key; lockFolder: a folder only this user can write.
    RunGuard(const QString& key, const QString& lockFolder);
    ~RunGuard();

    RunGuard(const RunGuard&) = delete;
    RunGuard& operator=(const RunGuard&) = delete;

    // Whether another live process holds the lock (this guard's own hold
    // does not count).
    bool isAnotherRunning();
    // True when this process now holds the lock, or when the folder cannot
    // hold one at all; false when another live process holds it.
    bool tryToRun();
    // Gives the lock up; the next start finds no other instance.
    void release();

    const QString& key() const { return m_key; }
    QString lockFilePath() const { return m_lockPath; }

private:
    static QString lockFileName(const QString& key);
    std::unique_ptr<QLockFile> makeLock() const;

    QString m_key;
    QString m_lockPath;
    std::unique_ptr<QLockFile> m_lock; // set while this process holds it
};
