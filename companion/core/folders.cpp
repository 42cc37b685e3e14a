#include "companion/core/folders.h"

#include <QDir>
#include <QFileInfo>

bool makeFolderExists(const CString& path)
{
    if (path.trimmed().isEmpty())
        return false;
    const QFileInfo info(path);
    if (info.exists())
        return info.isDir();
    return QDir().mkpath(path) && QFileInfo(path).isDir();
}

CString makeValidFilename(const CString& name)
{
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    QString out;
    out.reserve(name.size());
    for (const QChar c : name)
        out += (c.unicode() < 0x20 || c.unicode() == 0x7f || forbidden.contains(c)) ? QChar('_') : c;

    int first = 0;
    int last = out.size();
    const auto isEdge = [](QChar c) { return c == QLatin1Char('.') || c.isSpace(); };
    while (first < last && isEdge(out[first]))
        ++first;
    while (last > first && isEdge(out[last - 1]))
        --last;
    out = out.mid(first, last - first);
    return out.isEmpty() ? CString("_") : CString(out);
}
