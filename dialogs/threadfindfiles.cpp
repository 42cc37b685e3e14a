#include "dialogs/threadfindfiles.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSet>

ThreadFindFiles::ThreadFindFiles(QObject* parent) : MyWorkerThread(parent) {}

ThreadFindFiles::~ThreadFindFiles()
{
    cancel();
    wait();
}

void ThreadFindFiles::setFileSuffixForSearch(const QStringList& folders, const QStringList& suffixes)
{
    m_folders = folders;
    m_suffixes = suffixes;
}

void ThreadFindFiles::run()
{
    const qint64 start = QDateTime::currentMSecsSinceEpoch();
    qint64 lastReport = start;
    int seconds = 0;
    QSet<QString> seen;
    const QString searching = QStringLiteral("search %1 from %2")
                                  .arg(m_suffixes.join(QLatin1Char(',')), m_folders.join(QLatin1Char(',')));

    for (const QString& folder : m_folders) {
        emit statusChanged(searching);
        emit progressChanged(seconds);
        QDirIterator walk(folder, QDir::Files | QDir::NoSymLinks, QDirIterator::Subdirectories);
        while (true) {
            if (isCancelled())
                return;
            if (!walk.hasNext())
                break;
            const QString path = walk.next();
            const QFileInfo info = walk.fileInfo();
            if (checkStrInStrList(info.suffix(), m_suffixes, false)) {
                QString canonical = info.canonicalFilePath();
                if (canonical.isEmpty())
                    canonical = info.absoluteFilePath();
                if (!seen.contains(canonical)) {
                    seen.insert(canonical);
                    emit fileFound(path, canonical);
                }
            }
            const qint64 now = QDateTime::currentMSecsSinceEpoch();
            if (now - lastReport >= kReportEveryMs) {
                seconds = int((now - start) / 1000);
                lastReport = now;
                emit statusChanged(QStringLiteral("looking ") + path);
                emit progressChanged(seconds);
            }
        }
    }
}
