#include "dialogs/foundfilelist.h"

#include "companion/core/fileload.h"

#include <QSaveFile>

namespace foundfilelist {

namespace {

// "abc" or "C:\" name no file.
constexpr int kShortestPath = 4;

} // namespace

QStringList read(const QString& listPath)
{
    QString text;
    if (!loadFileToQString(CString(listPath), text, kMaxMiB))
        return {};
    QStringList paths;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QString path = line.trimmed();
        if (path.size() >= kShortestPath)
            paths << path;
    }
    return paths;
}

bool write(const QString& listPath, const QStringList& paths)
{
    if (paths.isEmpty())
        return true;
    QByteArray bytes;
    for (const QString& path : paths)
        bytes += path.toUtf8() + '\n';
    QSaveFile file(listPath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace foundfilelist
