#include "app/fileholders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <unistd.h>

namespace {

// A machine has a few thousand processes at most; the look stays short.
constexpr int kMaxProcesses = 32768;
constexpr int kMaxDescriptors = 4096;

QString processName(const QString& pid)
{
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    return comm.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(comm.read(64)).trimmed() : QString();
}

} // namespace

QStringList otherProcessesHolding(const QString& path)
{
    const QString target = QFileInfo(path).canonicalFilePath();
    if (target.isEmpty())
        return {};
    const QSet<QString> names{target, target + "-journal", target + "-wal", target + "-shm"};
    const QString self = QString::number(::getpid());
    QStringList holders;
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    int looked = 0;
    for (const QString& pid : pids) {
        bool number = false;
        pid.toInt(&number);
        if (!number || pid == self)
            continue;
        if (++looked > kMaxProcesses)
            break;
        const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
        const QStringList entries = fds.entryList(QDir::System | QDir::NoDotAndDotDot);
        for (int i = 0; i < entries.size() && i < kMaxDescriptors; ++i) {
            if (names.contains(QFile::symLinkTarget(fds.filePath(entries[i])))) {
                const QString name = processName(pid);
                holders << QStringLiteral("%1 (process %2)").arg(name.isEmpty() ? QStringLiteral("?") : name, pid);
                break;
            }
        }
    }
    return holders;
}
