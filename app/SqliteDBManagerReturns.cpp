// The recent-return list kept in tb_retfile.
#include "app/SqliteDBManager.h"

#include "app/returnfileentry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QVariant>

#include <utility>
#include <vector>

namespace {

// The filter is matched literally: LIKE's wildcards in it are escaped.
QString likePatternContaining(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size() + 2);
    for (const QChar ch : text) {
        if (ch == QLatin1Char('\\') || ch == QLatin1Char('%') || ch == QLatin1Char('_'))
            escaped += QLatin1Char('\\');
        escaped += ch;
    }
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

QString displayName(const QString& name1, const QString& name2)
{
    return name2.isEmpty() ? name1 : name1 + QStringLiteral(" & ") + name2;
}

bool isExistingFile(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

} // namespace

int CSqliteDBManager::insertReturnFileItem(const char* name1, const char* name2, const char* path)
{
    if (!m_bOpen)
        return notOpen();
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral(
        "insert into tb_retfile (name1, name2, filepath, open_time) "
        "values (:name1,:name2, :path, datetime('now','localtime'))"));
    query.bindValue(QStringLiteral(":name1"), QString::fromUtf8(name1));
    query.bindValue(QStringLiteral(":name2"), QString::fromUtf8(name2));
    query.bindValue(QStringLiteral(":path"), QString::fromUtf8(path));
    if (!query.exec())
        return fail(query);
    return query.lastInsertId().toInt();
}

int CSqliteDBManager::removeReturnFileItem(const char* path)
{
    if (!m_bOpen)
        return notOpen();
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("delete from tb_retfile where filepath=:path"));
    query.bindValue(QStringLiteral(":path"), QString::fromUtf8(path));
    if (!query.exec())
        return fail(query);
    return query.numRowsAffected();
}

int CSqliteDBManager::removeHistoryItemByIDFromDB(int id)
{
    if (!m_bOpen)
        return notOpen();
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("delete from tb_retfile where id=:id"));
    query.bindValue(QStringLiteral(":id"), id);
    if (!query.exec())
        return fail(query);
    return query.numRowsAffected();
}

// The most recently used row of a path is kept and the others are deleted,
// so that a path recorded again has exactly one row.
int CSqliteDBManager::locateHistoryItemByFilepath(const CString& path)
{
    if (!m_bOpen)
        return notOpen();
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("select id from tb_retfile where filepath=:path order by open_time desc, id desc"));
    query.bindValue(QStringLiteral(":path"), QString(path));
    if (!query.exec())
        return fail(query);
    if (!query.next())
        return 0;
    const int keptId = query.value(0).toInt();
    query.finish();
    const int removed = removeOlderRowsOfPath(path, keptId);
    return removed == DbFailed ? DbFailed : keptId;
}

int CSqliteDBManager::removeOlderRowsOfPath(const QString& path, int keepId)
{
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("delete from tb_retfile where filepath=:path and id<>:id"));
    query.bindValue(QStringLiteral(":path"), path);
    query.bindValue(QStringLiteral(":id"), keepId);
    if (!query.exec())
        return fail(query);
    return query.numRowsAffected();
}

int CSqliteDBManager::updateOrInsertHistoryItem(const CString& name1, const CString& name2, const CString& path)
{
    const int id = locateHistoryItemByFilepath(path);
    if (id == DbFailed)
        return DbFailed;
    if (id < 1) {
        return insertReturnFileItem(name1.toUtf8().constData(), name2.toUtf8().constData(),
                                    path.toUtf8().constData());
    }
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral(
        "update tb_retfile set name1=:name1, name2=:name2, filepath=:path, "
        "open_time=datetime('now','localtime') where id=:id"));
    query.bindValue(QStringLiteral(":name1"), QString(name1));
    query.bindValue(QStringLiteral(":name2"), QString(name2));
    query.bindValue(QStringLiteral(":path"), QString(path));
    query.bindValue(QStringLiteral(":id"), id);
    return query.exec() ? id : fail(query);
}

int CSqliteDBManager::loadAllHistoryItems(ReturnFileEntriesModel& model, const QString& filter)
{
    model.clear();
    if (!m_bOpen)
        return notOpen();
    QString statement = QStringLiteral("select id, name1, name2, filepath, open_time from tb_retfile");
    if (!filter.isEmpty())
        statement += QStringLiteral(" where name1 like :pattern1 escape '\\' or name2 like :pattern2 escape '\\'");
    statement += QStringLiteral(" order by open_time desc, id");

    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    query.prepare(statement);
    if (!filter.isEmpty()) {
        const QString pattern = likePatternContaining(filter);
        query.bindValue(QStringLiteral(":pattern1"), pattern);
        query.bindValue(QStringLiteral(":pattern2"), pattern);
    }
    if (!query.exec())
        return fail(query);
    int count = 0;
    while (query.next()) {
        model.append(new ReturnFileEntry(query.value(0).toInt(),
                                         displayName(query.value(1).toString(), query.value(2).toString()),
                                         query.value(4).toString(), query.value(3).toString()));
        ++count;
    }
    return count;
}

// Run at start-up: rows of files that are gone are dropped. A path recorded
// on a system with drive letters is looked for under the home folder's
// "Documents", and when found there the row is pointed at it, so that the
// start page can open it.
int CSqliteDBManager::removeNonExistHistoryItems()
{
    if (!m_bOpen)
        return notOpen();
    std::vector<int> vanished;
    std::vector<std::pair<int, QString>> moved;
    {
        QSqlQuery query(m_db);
        query.setForwardOnly(true);
        if (!query.exec(QStringLiteral("select id, filepath from tb_retfile")))
            return fail(query);
        while (query.next()) {
            const int id = query.value(0).toInt();
            const QString stored = query.value(1).toString();
            CString local = stored;
            const bool converted = covertToUnixPath(local) == 1;
            if (!isExistingFile(local))
                vanished.push_back(id);
            else if (converted && local != stored)
                moved.emplace_back(id, local);
        }
    }

    int removed = 0;
    for (const int id : vanished) {
        const int result = removeHistoryItemByIDFromDB(id);
        if (result > 0)
            removed += result;
    }
    for (const auto& [id, path] : moved) {
        QSqlQuery query(m_db);
        query.prepare(QStringLiteral("update tb_retfile set filepath=:path where id=:id"));
        query.bindValue(QStringLiteral(":path"), path);
        query.bindValue(QStringLiteral(":id"), id);
        if (!query.exec())
            fail(query);
    }
    // A moved row may now share its path with a row recorded here.
    for (const auto& movedRow : moved)
        locateHistoryItemByFilepath(CString(movedRow.second));
    return removed;
}

CSqliteDBManager::ReturnEntryRemoval CSqliteDBManager::removeReturnEntry(ReturnFileEntriesModel& model,
                                                                        const QModelIndex& index)
{
    const QString path = model.getFilePath(index);
    if (path.isEmpty())
        return NoSuchEntry;
    // A file that cannot be deleted keeps its rows, so that the list still
    // shows it. A file that is already gone just loses its rows.
    const QFileInfo info(path);
    if ((info.exists() || info.isSymLink()) && !QFile::remove(path))
        return FileNotDeleted;
    if (removeReturnFileItem(path.toUtf8().constData()) == DbFailed)
        return EntryDbFailed;
    model.remove(index);
    return EntryRemoved;
}

int CSqliteDBManager::covertToUnixPath(CString& path)
{
    const int at = path.indexOf(QStringLiteral("Documents\\"), 0, Qt::CaseInsensitive);
    if (at < 0)
        return 0;
    QString unixPath = QDir::homePath() + QLatin1Char('/') + path.mid(at);
    unixPath.replace(QLatin1Char('\\'), QLatin1Char('/'));
    path = unixPath;
    return 1;
}
