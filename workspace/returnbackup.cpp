#include "workspace/returnbackup.h"

#include "companion/core/filemodes.h"
#include "companion/core/regularfile.h"
#include "companion/core/savecopies.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

std::function<void()>& replaceHook()
{
    static std::function<void()> hook;
    return hook;
}

} // namespace

QString returnBackupPath(const QString& returnPath)
{
    const QFileInfo file(returnPath);
    return file.canonicalPath() + QDir::separator() + file.completeBaseName() + QStringLiteral("_backup")
           + (file.suffix().isEmpty() ? QString() : "." + file.suffix());
}

void setBackupReplaceHook(std::function<void()> hook) { replaceHook() = std::move(hook); }

// The old backup stays until the new one is whole: the copy is written
// beside it and then renamed over it in one step, so a crash at any point
// leaves one whole backup or the other.
bool backUpReturnFile(const QString& returnPath)
{
    QFile source;
    if (!openRegularFileForReading(source, returnPath))
        return false;
    const QString backupPath = returnBackupPath(returnPath);
    removeLeftoverSaveCopies(backupPath);
    QSaveFile backup(backupPath);
    if (!backup.open(QIODevice::WriteOnly) || !keepToOwner(backup))
        return false;
    char buffer[64 * 1024];
    for (;;) {
        const qint64 got = source.read(buffer, sizeof buffer);
        if (got < 0 || (got > 0 && backup.write(buffer, got) != got)) {
            backup.cancelWriting();
            return false;
        }
        if (got == 0)
            break;
    }
    if (replaceHook())
        replaceHook()();
    if (!backup.commit())
        return false;
    syncFolderOf(backupPath);
    return true;
}
