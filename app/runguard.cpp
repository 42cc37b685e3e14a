#include "app/runguard.h"

#include <QCryptographicHash>
#include <QDir>

RunGuard::RunGuard(const QString& key, const QString& lockFolder)
    : m_key(key), m_lockPath(QDir(lockFolder).filePath(lockFileName(key)))
{
}

RunGuard::~RunGuard()
{
    release();
}

QString RunGuard::lockFileName(const QString& key)
{
    // The key holds blanks and may hold anything else; a digest of it makes
    // a safe, stable file name.
    const QByteArray digest = QCryptographicHash::hash((key + QStringLiteral("_mkst")).toUtf8(),
                                                       QCryptographicHash::Sha1);
    return QStringLiteral("instance-%1.lock").arg(QString::fromLatin1(digest.toHex().left(16)));
}

std::unique_ptr<QLockFile> RunGuard::makeLock() const
{
    auto lock = std::make_unique<QLockFile>(m_lockPath);
    // Staleness by age would let a second copy start beside a long-running
    // first one; only a lock whose process is gone counts as stale.
    lock->setStaleLockTime(0);
    return lock;
}

bool RunGuard::isAnotherRunning()
{
    if (m_lock)
        return false;
    std::unique_ptr<QLockFile> probe = makeLock();
    if (probe->tryLock(0)) {
        probe->unlock();
        return false;
    }
    return probe->error() == QLockFile::LockFailedError;
}

bool RunGuard::tryToRun()
{
    if (m_lock)
        return true;
    std::unique_ptr<QLockFile> lock = makeLock();
    if (lock->tryLock(0)) {
        m_lock = std::move(lock);
        return true;
    }
    if (lock->error() == QLockFile::LockFailedError)
        return false;
    // The folder cannot hold a lock (no permission, odd file system): no
    // other instance can be proven, and refusing to start would lock the
    // user out of the program, so the start goes on unguarded.
    qWarning("instance lock %s unusable, error %d", qUtf8Printable(m_lockPath), int(lock->error()));
    return true;
}

void RunGuard::release()
{
    if (m_lock) {
        m_lock->unlock();
        m_lock.reset();
    }
}
