#pragma once

#include "companion/core/cstring.h"

#include <QModelIndex>
#include <QSqlDatabase>
#include <QString>

class QSqlQuery;
class ReturnFileEntriesModel;

// The user's application database: settings, the recent-return list, the
// taxpayers and history events, and the agency data stored by the retrieval
// dialogs. One manager owns the user-interface thread's connection; worker
// threads open their own (see CExtraDBConnection).
//
// Results follow one rule: the id of the row concerned (or a count), 0 when
// there is none, and DbFailed when a statement failed. Nothing here logs.
class CSqliteDBManager
{
public:
    enum : int {
        DbFailed = -100,
        OpenOk = 0,
        OpenCannotOpen = 103,   // the file or its folder cannot be opened
        OpenSchemaFailed = 99,  // opened, but the tables could not be created
    };

    // The result of removeReturnEntry.
    enum ReturnEntryRemoval : int {
        EntryRemoved = 1,
        NoSuchEntry = 0,
        FileNotDeleted = -1,      // the return file exists and could not be deleted
        EntryDbFailed = DbFailed, // the file is gone, but its rows could not be removed
    };

    // Why the last openDBFile failed, as far as it can be told.
    enum class OpenFailure { None, Damaged, Locked, Other };

    // How long a statement waits for another connection's lock to clear.
    static constexpr int BusyTimeoutMs = 5000;

    // The program uses Qt's default connection; tests give each manager a
    // name of its own.
    explicit CSqliteDBManager(const QString& connectionName = QLatin1String(QSqlDatabase::defaultConnection));
    virtual ~CSqliteDBManager();

    CSqliteDBManager(const CSqliteDBManager&) = delete;
    CSqliteDBManager& operator=(const CSqliteDBManager&) = delete;

    static void getDBFilename(CString& name);

    // path in: the system folder; out: the database file's full path, in
    // native separators. Creates the file (readable by the user only) and
    // every missing table and index; drops nothing. OpenOk, OpenCannotOpen
    // or OpenSchemaFailed; on failure the connection is closed again.
    int openDBFile(CString& path);
    int closeDBFile();
    bool isOpen() const { return m_bOpen; }
    QSqlDatabase& db() { return m_db; }
    QString filePath() const { return m_filePath; }
    QString lastError() const { return m_lastError; }
    OpenFailure lastOpenFailure() const { return m_openFailure; }

    bool tableExists(const char* table);

    // Settings (tb_config). The newest row of a key counts. An absent key or
    // a failed read leaves value untouched, so callers put the default in
    // first. Results: the row id, 0 absent, DbFailed.
    int readParameter(const char* name, CString& value, int isPath = 0);
    int readParameter(const char* name, int& value);
    int readParameter(const char* name, bool& value);
    // Results: the id of the row updated or inserted, DbFailed.
    int saveParameter(const char* name, const CString& value, int isPath = 0);
    int saveParameter(const char* name, const char* value, int isPath = 0);
    int saveParameter(const char* name, int value);
    int saveParameter(const char* name, bool value);

    // A worker thread's own connection to this database (its name must be
    // unique and the connection used only by the thread that added it).
    // False when it did not open. Closing also removes the connection's
    // name and leaves db invalid.
    bool openExtraDBHandle(QSqlDatabase& db) const;
    static void closeExtraDBHandle(QSqlDatabase& db);

    // Recent return files (tb_retfile).
    int insertReturnFileItem(const char* name1, const char* name2, const char* path);
    int removeReturnFileItem(const char* path);
    int removeHistoryItemByIDFromDB(int id);
    int locateHistoryItemByFilepath(const CString& path);
    int updateOrInsertHistoryItem(const CString& name1, const CString& name2, const CString& path);
    int loadAllHistoryItems(ReturnFileEntriesModel& model, const QString& filter);
    int removeNonExistHistoryItems();
    ReturnEntryRemoval removeReturnEntry(ReturnFileEntriesModel& model, const QModelIndex& index);
    static int covertToUnixPath(CString& path);

private:
    bool createMissingSchema();
    void forgetConnection();
    int fail(const QSqlQuery& query);
    int notOpen();
    int removeOlderRowsOfPath(const QString& path, int keepId);

    QString m_connectionName;
    QSqlDatabase m_db;
    bool m_bOpen = false;
    QString m_filePath;
    QString m_lastError;
    OpenFailure m_openFailure = OpenFailure::None;
};
