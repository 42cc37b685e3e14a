#include "companion/core/fileload.h"

#include <QByteArray>
#include <QFile>
#include <QString>

namespace {

const int kLargestLimitMiB = 256;

bool loadBytes(const CString& path, QByteArray& out, int maxMiB)
{
    out.clear();
    if (path.isEmpty())
        return false;
    if (maxMiB < 1)
        maxMiB = 1;
    if (maxMiB > kLargestLimitMiB)
        maxMiB = kLargestLimitMiB;
    const qint64 limit = qint64(maxMiB) * 1024 * 1024;

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // Read one byte past the limit: sizes of special files can be unknown.
    QByteArray content = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError || content.size() > limit)
        return false;
    out = std::move(content);
    return true;
}

} // namespace

bool loadFileToString(const CString& path, std::string& out, int maxMiB, int /*flags*/)
{
    out.clear();
    QByteArray bytes;
    if (!loadBytes(path, bytes, maxMiB))
        return false;
    out.assign(bytes.constData(), size_t(bytes.size()));
    return true;
}

bool loadFileToQString(const CString& path, QString& out, int maxMiB)
{
    out.clear();
    QByteArray bytes;
    if (!loadBytes(path, bytes, maxMiB))
        return false;
    out = QString::fromUtf8(bytes);
    return true;
}
