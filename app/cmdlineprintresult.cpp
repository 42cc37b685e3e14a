// The batch mode "printresult": one status line per listed return file.
#include "app/tabwndapp.h"

#include "companion/core/filemodes.h"
#include "model/MultiProvsTaxMgr.h"
#include "model/cfamilytaxdata.h"
#include "model/returnfileedition.h"
#include "model/returnfileloadcode.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <cstdio>
#include <memory>

#include <sys/stat.h>

namespace {

const char* const kResultFile = "./taxresult.txt";
// A list of return files is a few kilobytes; anything far larger is not one.
const qint64 kMaxListBytes = 64 * 1024 * 1024;

bool writeAll(QSaveFile& out, const QByteArray& bytes)
{
    return out.write(bytes) == bytes.size();
}

int reportOutputFailure(const QSaveFile& out)
{
    std::fprintf(stderr, "printresult: cannot write %s: %s\n", kResultFile, qPrintable(out.errorString()));
    return 1;
}

// The result replaces the previous one only when it was written whole.
int finish(QSaveFile& out)
{
    return out.commit() ? 0 : reportOutputFailure(out);
}

// The list's names, one a line, without their newlines; lines of any length;
// blank lines are skipped.
QList<QByteArray> listedNames(const QByteArray& list)
{
    QList<QByteArray> names;
    for (QByteArray line : list.split('\n')) {
        if (line.trimmed().isEmpty())
            continue;
        names << line;
    }
    return names;
}

// The name is taken as the file system spells it: the line's own bytes,
// without its line end only, so that accented names (the program's own
// default names among them), names written under another encoding ("caf\xe9"
// in Latin-1) and names with leading or doubled spaces are found. Decoding
// the bytes as text would lose what is not valid in the locale's encoding.
QByteArray returnPath(const QString& folder, QByteArray line)
{
    if (line.endsWith('\r'))
        line.chop(1);
    if (folder.isEmpty() || line.startsWith('/'))
        return line;
    QByteArray path = QFile::encodeName(QDir::cleanPath(folder));
    if (!path.endsWith('/'))
        path += '/';
    return path + line;
}

} // namespace

int TabWndApp::CmdlinePrintResult(const QString& folder, const QString& listFile)
{
    setReturnFileEdition(s_appPurpose ? s_appPurpose : returnFileEdition());
    QSaveFile out(QString::fromLatin1(kResultFile));
    // The results name the returns and their amounts: the user's only.
    if (!out.open(QIODevice::WriteOnly) || !keepToOwner(out))
        return reportOutputFailure(out);
    if (listFile.isEmpty())
        return writeAll(out, "====> no input file\n") ? finish(out) : reportOutputFailure(out);

    QFile list(listFile);
    if (!list.open(QIODevice::ReadOnly))
        return writeAll(out, "====> cannot open input file\n") ? finish(out) : reportOutputFailure(out);
    const QByteArray listText = list.read(kMaxListBytes + 1);
    list.close();
    if (listText.size() > kMaxListBytes) {
        std::fprintf(stderr, "printresult: %s is too large to be a list of return files\n", qPrintable(listFile));
        return 1;
    }

    // Each province's plug-in is loaded once for the whole list.
    CMultiProvsTaxMgr::setKeepPluginsLoaded(true);
    for (const QByteArray& line : listedNames(listText)) {
        // The line is echoed as read (a carriage return included).
        QByteArray entry = line + '\n';
        entry += GetTaxResultOfNativePath(returnPath(folder, line)).toUtf8() + "\n\n";
        if (!writeAll(out, entry))
            return reportOutputFailure(out);
    }
    return finish(out);
}

CString TabWndApp::GetTaxResult(const QString& path)
{
    return GetTaxResultOfNativePath(QFile::encodeName(path));
}

CString TabWndApp::GetTaxResultOfNativePath(const QByteArray& nativePath)
{
    struct stat status {};
    if (nativePath.isEmpty() || ::stat(nativePath.constData(), &status) != 0)
        return CString("cannot find return file");
    int code = 0;
    std::unique_ptr<CFamilyTaxData> family(CFamilyTaxData::serializeFromNativePath(nativePath, code));
    if (code != RFL_SUCCESS || !family)
        return CString(QStringLiteral("return file read error, read error %1").arg(code));
    family->Calculate(0, nullptr);
    return family->GetReturnStatusString(0);
}
