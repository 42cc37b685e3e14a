#include "print/classarchive.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstring>

namespace classarchive {

namespace {

// The size file holds one decimal number and a line end.
const qint64 kMaxSizeFileBytes = 32;

} // namespace

QString archiveBeside(const QString& jarPath)
{
    if (!jarPath.endsWith(QLatin1String(".jar")))
        return QString();
    return jarPath.left(jarPath.size() - 4) + QStringLiteral(".jsa");
}

Verdict check(const QString& archivePath)
{
    const QFileInfo archive(archivePath);
    if (!archive.isFile())
        return Verdict::Missing;
    QFile sizeFile(archivePath + QStringLiteral(".size"));
    if (!sizeFile.open(QIODevice::ReadOnly))
        return Verdict::NoSizeFile;
    bool isNumber = false;
    const qint64 expected = sizeFile.read(kMaxSizeFileBytes).trimmed().toLongLong(&isNumber);
    if (!isNumber || expected <= 0)
        return Verdict::NoSizeFile;
    if (archive.size() != expected)
        return Verdict::WrongSize;
    QFile file(archivePath);
    if (!file.open(QIODevice::ReadOnly))
        return Verdict::Missing;
    const QByteArray head = file.read(sizeof(quint32));
    if (head.size() != int(sizeof(quint32)))
        return Verdict::NotAnArchive;
    // Written by the VM in the machine's own byte order.
    quint32 magic = 0;
    std::memcpy(&magic, head.constData(), sizeof magic);
    return magic == kTopArchiveMagic ? Verdict::Usable : Verdict::NotAnArchive;
}

QString forClassPath(const QString& classPath, Verdict& verdict)
{
    verdict = Verdict::Missing;
    QString refused;
    for (const QString& entry : classPath.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        const QString archive = archiveBeside(entry);
        if (archive.isEmpty() || !QFileInfo(archive).isFile())
            continue;
        const Verdict found = check(archive);
        if (found == Verdict::Usable) {
            verdict = found;
            return archive;
        }
        if (refused.isEmpty()) {
            refused = archive;
            verdict = found;
        }
    }
    return refused;
}

const char* describe(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Usable:
        return "usable";
    case Verdict::Missing:
        return "missing";
    case Verdict::NoSizeFile:
        return "without its size file";
    case Verdict::WrongSize:
        return "not the size the build wrote";
    case Verdict::NotAnArchive:
        return "not a class data archive";
    }
    return "unknown";
}

} // namespace classarchive
