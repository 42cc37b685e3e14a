#pragma once

#include <cstdio>
#include <string>

class QSqlDatabase;

// The taxpayers and the Auto-fill rows of the application database, on a
// connection the caller opened (a fetch opens its own on its worker thread).
// The table functions take and return what the stored records need and log
// nothing: the rows hold S.I.N.s. A record's save (saveToSqliteDB) runs them
// inside one TddStoreTransaction.

// The S.I.N. as it is stored and looked up: its nine digits ("046 454 286"
// gives "046454286"); "" when the text is not nine digits after its blanks
// and dashes are taken out.
std::string storedSIN(const char* sin);

// The id of the taxpayer row of this S.I.N. (any written form), 0 when there
// is none, the S.I.N. is not nine digits or the query fails.
int locateIDForSIN(QSqlDatabase* db, const char* sin);

// Finds or adds the taxpayer row of this S.I.N. (an added one has an empty
// name) and returns its id; 0 when it can be neither found nor added. Each
// S.I.N. has one row (the sin column is unique), so two fetches saving the
// same taxpayer at once end up on the same row.
int saveSINReturnID(QSqlDatabase* db, const char* sin);

// Replaces every Auto-fill row of the taxpayer by one row. The number of the
// two statements (delete, insert) that succeeded: 2 when stored; the insert
// is not tried when the delete failed. Texts are UTF-8.
int updateDataForSIN(QSqlDatabase* db, int uid, const char* time, const char* xml, const char* html,
                     int taxYear);

// One write transaction on a connection: begun at construction (taking the
// write lock at once, so a save never fails half-way on another writer's
// lock), rolled back at destruction unless committed.
class TddStoreTransaction
{
public:
    explicit TddStoreTransaction(QSqlDatabase* db);
    ~TddStoreTransaction();
    TddStoreTransaction(const TddStoreTransaction&) = delete;
    TddStoreTransaction& operator=(const TddStoreTransaction&) = delete;

    bool begun() const { return m_begun; }
    bool commit();
    void rollback();

private:
    QSqlDatabase* m_db;
    bool m_begun = false;
};

// One line (printf form) in a fetch's log, flushed; nothing when log is null.
void writeStoreLog(FILE* log, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;
