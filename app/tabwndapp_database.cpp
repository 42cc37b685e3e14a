// What start-up does when the settings database cannot be opened.
#include "app/tabwndapp.h"

#include "app/fileholders.h"
#include "companion/core/appclock.h"
#include "companion/core/messages.h"

#include <QFile>
#include <QFileInfo>

bool TabWndApp::recoverSettingsDatabase(bool& reported)
{
    reported = false;
    const QString path = m_dbManager.filePath();
    switch (m_dbManager.lastOpenFailure()) {
    case CSqliteDBManager::OpenFailure::Damaged: {
        const QString aside = path + QStringLiteral(".damaged-") + AppClock::now().toString(QStringLiteral("yyyy-MM-dd"));
        // Nothing in the settings database is part of a return: the
        // returns are files of their own and stay as they are.
        const QString question =
            QStringLiteral("The settings database %1 is damaged and cannot be read.\n\n"
                           "Move it aside as %2 and start with a new one? The settings and the list of recent "
                           "returns start empty; your return files are not touched.")
                .arg(path, aside);
        if (!gAppQuestion(question, nullptr))
            return false;
        const QString moved = moveDatabaseAside();
        if (moved.isEmpty())
            return false;
        WriteRunLogFile(QStringLiteral("damaged settings database moved to %1").arg(moved).toUtf8().constData());
        CString folder = m_strSysPath;
        _initStep65(folder);
        m_strDBFile = folder;
        return m_dbManager.isOpen();
    }
    case CSqliteDBManager::OpenFailure::Locked: {
        const QStringList holders = otherProcessesHolding(path);
        const QString by = holders.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(holders.join(QStringLiteral(", ")));
        promptCritical(nullptr, QStringLiteral("Error"),
                       QStringLiteral("The settings database %1 is in use by another program%2 and cannot be "
                                      "opened. Close that program, then start this one again.")
                           .arg(path, by),
                       Prompt::Ok);
        reported = true;
        return false;
    }
    default:
        return false;
    }
}

// The damaged file goes under a name of its own, with its journal files, so
// that a new database never replays a journal of the old one. The first free
// name of "<file>.damaged-<date>", "-2", "-3" ...; empty when it cannot move.
QString TabWndApp::moveDatabaseAside()
{
    const QString path = m_dbManager.filePath();
    const QString base = path + QStringLiteral(".damaged-") + AppClock::now().toString(QStringLiteral("yyyy-MM-dd"));
    QString aside = base;
    for (int n = 2; QFileInfo::exists(aside) && n < 1000; ++n)
        aside = base + QStringLiteral("-%1").arg(n);
    if (QFileInfo::exists(aside) || !QFile::rename(path, aside))
        return QString();
    for (const char* journal : {"-journal", "-wal", "-shm"}) {
        const QString companion = path + QLatin1String(journal);
        if (QFileInfo::exists(companion))
            QFile::rename(companion, aside + QLatin1String(journal));
    }
    return aside;
}
