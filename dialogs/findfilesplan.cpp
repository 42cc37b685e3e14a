#include "dialogs/findfilesplan.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace findfiles {

namespace {

struct YearRow {
    int choice;
    const char* suffixes; // comma-separated, in search order
};

const YearRow kYears[] = {
    {LastYear, "r23"},
    {CurrentYear, "r24"},
    {PriorYears, "r22,r21,r20"},
};

struct SuffixUse {
    const char* suffix;
    FoundFileUse use;
};

// Any other suffix the search can list is a year before last.
const SuffixUse kUses[] = {
    {"r24", FoundFileUse::Open},
    {"r23", FoundFileUse::Import},
};

enum Base { AppDataParent, Documents, Home };

struct FolderRow {
    Base base;
    const char* below; // joined with the platform's separator; null for the base itself
    const char* further;
};

const FolderRow kFolders[] = {
    {AppDataParent, "vodarevivo_2022n", nullptr},
    {AppDataParent, "vodarevivo_2022e", nullptr},
    {Documents, "vodarevivo", "2023"},
    {Documents, "vodarevivo-efile", "2023"},
    {Documents, "vodarevivo", "2024"},
    {Documents, "vodarevivo-efile", "2024"},
    {Home, nullptr, nullptr},
    {AppDataParent, nullptr, nullptr},
};

QString basePath(Base base)
{
    switch (base) {
    case AppDataParent:
        return QFileInfo(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)).path();
    case Documents:
        return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    case Home:
        break;
    }
    return QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
}

} // namespace

QStringList suffixesForYear(int yearChoice)
{
    for (const YearRow& row : kYears) {
        if (row.choice == yearChoice)
            return QString::fromLatin1(row.suffixes).split(QLatin1Char(','));
    }
    return {};
}

QStringList searchFolders()
{
    const QString separator = QDir::separator();
    QStringList folders;
    for (const FolderRow& row : kFolders) {
        QString folder = basePath(row.base);
        for (const char* part : {row.below, row.further}) {
            if (part)
                folder += separator + QString::fromLatin1(part);
        }
        folders << folder;
    }
    return folders;
}

FoundFileUse useOfFoundFile(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix();
    for (const SuffixUse& row : kUses) {
        if (suffix.compare(QLatin1String(row.suffix), Qt::CaseInsensitive) == 0)
            return row.use;
    }
    return FoundFileUse::TooOld;
}

} // namespace findfiles
